// SPDX-License-Identifier: GPL-3.0-or-later
#include "PastaJobs.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool falha(QString* erro, const QString& texto)
{
    if (erro) *erro = texto;
    return false;
}
} // namespace

bool PastaJobs::verificar(const QString& pasta, QString* erro)
{
    const QByteArray nativo = QFile::encodeName(pasta);
    struct stat st {
    };
    if (::lstat(nativo.constData(), &st) != 0) {
        if (errno != ENOENT) {
            return falha(erro,
                         QStringLiteral("%1: %2").arg(pasta, QString::fromLocal8Bit(std::strerror(errno))));
        }
        if (::mkdir(nativo.constData(), 0700) != 0 && errno != EEXIST) {
            return falha(erro,
                         QStringLiteral("%1: %2").arg(pasta, QString::fromLocal8Bit(std::strerror(errno))));
        }
        if (::lstat(nativo.constData(), &st) != 0) {
            return falha(erro,
                         QStringLiteral("%1: %2").arg(pasta, QString::fromLocal8Bit(std::strerror(errno))));
        }
    }
    if (S_ISLNK(st.st_mode) || !S_ISDIR(st.st_mode)) {
        return falha(erro, QStringLiteral("%1 não é uma pasta (é um link ou um arquivo)").arg(pasta));
    }
    if (st.st_uid != ::geteuid()) {
        return falha(erro, QStringLiteral("a pasta %1 pertence a outro usuário").arg(pasta));
    }
    if ((st.st_mode & 077) != 0 && ::chmod(nativo.constData(), 0700) != 0) {
        return falha(erro,
                     QStringLiteral("a pasta %1 está aberta a outros usuários e não pôde ser fechada: %2")
                         .arg(pasta, QString::fromLocal8Bit(std::strerror(errno))));
    }
    return true;
}

QString PastaJobs::caminho(QString* erro)
{
    // Qt makes the runtime folder private (0700, this user's) or gives none
    const QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty()) {
        falha(erro, QStringLiteral("não há uma pasta temporária particular deste usuário"));
        return QString();
    }
    if (!verificar(base, erro)) return QString();
    const QString pasta = QDir(base).filePath(QStringLiteral("viga-relevo"));
    if (!verificar(pasta, erro)) return QString();
    return pasta;
}

QString PastaJobs::novoArquivo(const QString& prefixo, const QString& sufixo, QString* erro)
{
    const QString pasta = caminho(erro);
    if (pasta.isEmpty()) return QString();
    // created with O_EXCL under a random name: two processes never share a
    // name, and nothing already there is ever followed
    QTemporaryFile f(QDir(pasta).filePath(prefixo + QStringLiteral("XXXXXX") + sufixo));
    f.setAutoRemove(false);
    if (!f.open()) {
        falha(erro, f.errorString());
        return QString();
    }
    return f.fileName();
}
