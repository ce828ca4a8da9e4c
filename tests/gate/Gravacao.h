// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LeituraPeso.h"
#include "Relogio.h"
#include "VigiaPlataforma.h"

#include <QFile>
#include <functional>

// Recorded indicator cycles played into the deck watch as the scale port
// delivers them, with the clock moved along.
namespace Gravacao
{

inline const QDateTime kInicio(QDate(2026, 12, 11), QTime(8, 0, 0));

// A recording of viga-scale-sim --gravar: microseconds and the bytes in hex.
inline QList<QPair<qint64, QByteArray>> leGravacao(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qFatal("fixture missing: %s", qPrintable(arquivo));
    }
    QList<QPair<qint64, QByteArray>> trechos;
    while (!f.atEnd()) {
        const QByteArray linha = f.readLine().trimmed();
        if (linha.isEmpty() || linha.startsWith('#')) {
            continue;
        }
        const QList<QByteArray> partes = linha.split(' ');
        trechos.append({partes[0].toLongLong(), QByteArray::fromHex(partes[1])});
    }
    return trechos;
}

// Plays a recording as the port driver delivers it (every 50 ms, whatever
// arrived, frames not reassembled) through the live weight's receiver into
// the watch, with the clock moved along; `aoTempo` runs at each poll.
inline qint64 reproduz(const QString& arquivo, LeituraPeso& leitura, VigiaPlataforma& vigia, qint64 inicioMs,
                       const std::function<void(qint64)>& aoTempo = {})
{
    const auto trechos = leGravacao(arquivo);
    QByteArray pendente;
    qint64 poll = 50;
    qint64 ms = 0;
    auto entrega = [&](qint64 t) {
        Relogio::fixar(kInicio.addMSecs(inicioMs + t));
        if (!pendente.isEmpty()) {
            const EfeitoLeitura e = leitura.recebe(pendente.constData(), int(pendente.size()), inicioMs + t);
            if (const auto l = LeituraPlataforma::de(e, leitura.foraDeFaixa())) {
                vigia.recebe(*l);
            }
            pendente.clear();
        }
        vigia.verifica();
        if (aoTempo) {
            aoTempo(t);
        }
    };
    for (const auto& [us, bytes] : trechos) {
        ms = us / 1000;
        while (ms >= poll) {
            entrega(poll);
            poll += 50;
        }
        pendente += bytes;
    }
    entrega(poll);
    return poll;
}

// One cycle of viga-scale-sim --tempo-estavel 3 (27340 kg, model "AR"),
// recorded from its pseudo-terminal with --gravar.
inline QString ciclo()
{
    return QStringLiteral(VIGA_GATE_DADOS "/ciclo-ar.txt");
}

inline ConfigPesagem configAR()
{
    ConfigPesagem c;
    c.modeloPlaca = 0;
    c.divisao = 0;
    c.casasDecimais = 0;
    return c;
}

} // namespace Gravacao
