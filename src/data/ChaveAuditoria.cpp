// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChaveAuditoria.h"

#include "ArquivoIni.h"
#include "PastaDados.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int TamanhoChave = 32;

} // namespace

ChaveAusente::ChaveAusente(const QString& caminho)
    : ErroBanco(QStringLiteral(
                    "Esta estação não tem a chave da auditoria (%1). Sem ela nenhuma pesagem pode ser "
                    "gravada. Peça ao administrador que copie o arquivo da chave da estação onde o banco "
                    "foi criado para este caminho.")
                    .arg(caminho))
{
}

namespace ChaveAuditoria
{

QString caminho()
{
    const QString nome =
        ArquivoIni::ler(QStringLiteral("auditoria"), QStringLiteral("Chave")).toString().trimmed();
    if (nome.isEmpty()) {
        return PastaDados::arquivo(QStringLiteral("viga.chave"));
    }
    return QDir(PastaDados::caminho()).absoluteFilePath(nome);
}

QByteArray le()
{
    const QString arquivo = caminho();
    QFile f(arquivo);
    if (!f.exists()) {
        return QByteArray();
    }
    if (!f.open(QIODevice::ReadOnly)) {
        throw ChaveInvalida(
            QStringLiteral("A chave da auditoria (%1) não pôde ser lida: %2").arg(arquivo, f.errorString()));
    }
    const QByteArray texto = f.read(4 * TamanhoChave).trimmed();
    const QByteArray chave = QByteArray::fromHex(texto);
    if (chave.size() != TamanhoChave || chave.toHex() != texto.toLower()) {
        throw ChaveInvalida(
            QStringLiteral("O arquivo %1 não contém uma chave da auditoria válida.").arg(arquivo));
    }
    return chave;
}

QByteArray leOuCria()
{
    if (QByteArray chave = le(); !chave.isEmpty()) {
        return chave;
    }
    const QString arquivo = caminho();
    QByteArray chave(TamanhoChave, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(chave.data()), TamanhoChave / 4);
    const QByteArray texto = chave.toHex() + '\n';
    // Created owner-only from the start: never readable by others, not even
    // for a moment.
    const int fd =
        ::open(QFile::encodeName(arquivo).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        throw ChaveInvalida(QStringLiteral("A chave da auditoria (%1) não pôde ser criada: %2")
                                .arg(arquivo, QString::fromLocal8Bit(std::strerror(errno))));
    }
    bool ok = ::fchmod(fd, 0600) == 0 && ::write(fd, texto.constData(), size_t(texto.size())) == texto.size();
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        QFile::remove(arquivo);
        throw ChaveInvalida(QStringLiteral("A chave da auditoria (%1) não pôde ser gravada.").arg(arquivo));
    }
    return chave;
}

QString identificacao(const QByteArray& chave)
{
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash("VIGA identificacao da chave", chave, QCryptographicHash::Sha256)
            .toHex()
            .left(16));
}

} // namespace ChaveAuditoria
