// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortaImpressora.h"

#include "ArquivoIni.h"
#include "TCommPortDriver.h"

#include <QFile>
#include <QRegularExpression>

#include <cups/cups.h>
#include <fcntl.h>
#include <linux/lp.h>
#include <sys/ioctl.h>
#include <unistd.h>

DestinoPorta ResolvePorta(const QString& porta)
{
    const QString p = porta.trimmed();
    DestinoPorta d;
    if (p.isEmpty()) {
        d.tipo = DestinoPorta::FilaCups; // the default destination
        return d;
    }
    static const QRegularExpression lpt(QStringLiteral("^LPT(\\d+):?$"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression com(QStringLiteral("^COM(\\d+):?$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = lpt.match(p); m.hasMatch()) {
        const int n = m.captured(1).toInt();
        const QString mapeado =
            ArquivoIni::ler(QStringLiteral("printer"), QStringLiteral("LPT%1").arg(n)).toString().trimmed();
        d.caminho = mapeado.isEmpty() ? QStringLiteral("/dev/lp%1").arg(qMax(0, n - 1)) : mapeado;
        return d;
    }
    if (const auto m = com.match(p); m.hasMatch()) {
        d.caminho = CaminhoPortaCom(m.captured(1).toInt());
        return d;
    }
    if (p.startsWith(QStringLiteral("\\\\"))) {
        // \\host\queue: the queue is what follows the last backslash
        d.tipo = DestinoPorta::FilaCups;
        d.caminho = p.mid(p.lastIndexOf(u'\\') + 1);
        return d;
    }
    d.caminho = p;
    return d;
}

TImpressora GetDefaultPrinter()
{
    TImpressora i;
    if (cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr)) {
        i.nome = QString::fromUtf8(dest->name);
        i.porta = QStringLiteral("\\\\localhost\\") + i.nome;
        cupsFreeDests(1, dest);
    }
    return i;
}

ResultadoSpool EnviaArquivoCups(const QString& arquivo, const QString& fila,
                                const std::function<void()>& processar)
{
    QString nome = fila;
    if (nome.isEmpty()) nome = GetDefaultPrinter().nome;
    QFile f(arquivo);
    if (nome.isEmpty() || !f.open(QIODevice::ReadOnly)) return ResultadoSpool::ErroSelecionar;
    const QByteArray destino = nome.toUtf8();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, destino.constData(), "Relevo document", 0, nullptr);
    if (job <= 0) return ResultadoSpool::ErroSelecionar;
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, destino.constData(), job, "Relevo document", CUPS_FORMAT_RAW,
                          1) != HTTP_STATUS_CONTINUE) {
        cupsCancelJob2(CUPS_HTTP_DEFAULT, destino.constData(), job, 0);
        return ResultadoSpool::ErroIniciar;
    }
    char bloco[4096];
    for (;;) {
        const qint64 n = f.read(bloco, sizeof bloco);
        if (n <= 0) break;
        if (processar) processar();
        if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, bloco, size_t(n)) != HTTP_STATUS_CONTINUE) {
            cupsFinishDocument(CUPS_HTTP_DEFAULT, destino.constData());
            cupsCancelJob2(CUPS_HTTP_DEFAULT, destino.constData(), job, 0);
            return ResultadoSpool::ErroEscrever;
        }
    }
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, destino.constData()) != IPP_STATUS_OK)
        return ResultadoSpool::ErroFinalizar;
    return ResultadoSpool::Ok;
}

int LeStatusParalela(const QString& dispositivo)
{
    const QByteArray caminho = QFile::encodeName(dispositivo);
    const int fd = ::open(caminho.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return -1;
    int status = 0;
    const int r = ::ioctl(fd, LPGETSTATUS, &status);
    ::close(fd);
    return r < 0 ? -1 : (status & 0xFF);
}

int CodigoStatusParalela(int statusByte)
{
    // The acknowledge pulse and the unused low bits say nothing about readiness.
    switch (statusByte & 0xB8) {
    case 0x90:
        return 0;
    case 0x18:
        return 1;
    case 0x38:
        return 2;
    case 0x30:
    case 0x20:
        return 3;
    default:
        return 4;
    }
}
