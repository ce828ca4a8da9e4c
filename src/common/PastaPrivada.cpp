// SPDX-License-Identifier: GPL-3.0-or-later
#include "PastaPrivada.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

QString doSistema(const QString& pasta)
{
    return QStringLiteral("%1: %2").arg(pasta, QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

bool PastaPrivada::verificar(const QString& pasta, QString* erro)
{
    const QByteArray nativo = QFile::encodeName(pasta);
    struct stat st {
    };
    if (::lstat(nativo.constData(), &st) != 0) {
        if (errno != ENOENT) return falha(erro, doSistema(pasta));
        if (::mkdir(nativo.constData(), 0700) != 0 && errno != EEXIST) return falha(erro, doSistema(pasta));
        if (::lstat(nativo.constData(), &st) != 0) return falha(erro, doSistema(pasta));
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

QString PastaPrivada::execucao(QString* erro)
{
    // The session's runtime folder, when there is one and it is this user's only.
    // Without it (cron, su) Qt would fall back to a folder in /tmp, which other
    // accounts can reach first: the user's cache folder is used instead.
    const QString sessao = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!sessao.isEmpty() && QFileInfo(sessao).isDir() && verificar(sessao, nullptr)) return sessao;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty()) {
        falha(erro, QStringLiteral("não há uma pasta de cache deste usuário"));
        return QString();
    }
    if (!QDir().mkpath(cache)) {
        falha(erro, QStringLiteral("a pasta %1 não pôde ser criada").arg(cache));
        return QString();
    }
    const QString pasta = QDir(cache).filePath(QStringLiteral("viga-execucao"));
    if (!verificar(pasta, erro)) return QString();
    return pasta;
}
