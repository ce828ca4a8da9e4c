// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArquivoSaida.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace ArquivoSaida
{

namespace
{
struct Motivo {
    int numero;
    const char* texto;
};
constexpr Motivo Motivos[] = {
    {ENOSPC, "disco cheio"},
    {EDQUOT, "cota de disco esgotada"},
    {EACCES, "sem permissão de gravação"},
    {EPERM, "sem permissão de gravação"},
    {EROFS, "o disco é somente para leitura"},
    {ENOENT, "a pasta não existe"},
    {ENOTDIR, "o caminho não é uma pasta"},
    {EISDIR, "o nome é de uma pasta"},
    {ENAMETOOLONG, "nome de arquivo longo demais"},
    {EIO, "erro de leitura ou gravação no disco"},
    {EFBIG, "arquivo grande demais para o disco"},
};
} // namespace

QString motivo(int numeroErro)
{
    for (const Motivo& m : Motivos) {
        if (m.numero == numeroErro) return QString::fromUtf8(m.texto);
    }
    return QStringLiteral("erro %1 do sistema").arg(numeroErro);
}

bool verifica(const QString& arquivo, QString* erro)
{
    auto falha = [erro](const QString& texto) {
        if (erro) *erro = texto;
        return false;
    };
    const QFileInfo info(arquivo);
    const QString pasta = info.absolutePath();
    const QFileInfo infoPasta(pasta);
    if (!infoPasta.exists()) {
        return falha(QStringLiteral("a pasta %1 não existe").arg(QDir::toNativeSeparators(pasta)));
    }
    if (!infoPasta.isDir()) {
        return falha(QStringLiteral("%1 não é uma pasta").arg(QDir::toNativeSeparators(pasta)));
    }
    if (info.isDir()) {
        return falha(QStringLiteral("%1 é uma pasta").arg(QDir::toNativeSeparators(arquivo)));
    }
    // A real file created in the folder (the file is written beside it and
    // then put in place): what the permissions do not tell (a read-only disk).
    const QByteArray teste = QFile::encodeName(pasta + QStringLiteral("/.viga-teste-%1").arg(::getpid()));
    const int fd = ::open(teste.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        const int e = errno;
        return falha(QStringLiteral("não é possível gravar na pasta %1: %2")
                         .arg(QDir::toNativeSeparators(pasta), motivo(e)));
    }
    ::close(fd);
    ::unlink(teste.constData());
    if (info.exists() && !info.isWritable()) {
        return falha(QStringLiteral("o arquivo %1 não pode ser substituído: %2")
                         .arg(QDir::toNativeSeparators(arquivo), motivo(EACCES)));
    }
    return true;
}

} // namespace ArquivoSaida
