// SPDX-License-Identifier: GPL-3.0-or-later
// The deck watch's cost on the live reading: one frame through the live
// weight's receiver alone, and through the receiver and the deck watch, on
// the frames of a recorded indicator cycle, with the machine's clock (as in
// production). At 10 frames/s the watch's share of one core is
// 10 x (time per frame with the watch - without) / 1 s.
//   bench_gate [--benchmark_filter=...]
#include "LeituraPeso.h"
#include "VigiaPlataforma.h"

#include <QFile>

#include <benchmark/benchmark.h>

namespace
{

// Whole frames of the recorded cycle (viga-scale-sim --gravar), in order.
QList<QByteArray> quadros()
{
    QFile f(QStringLiteral(VIGA_GATE_DADOS "/ciclo-ar.txt"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qFatal("recording missing");
    }
    QByteArray bytes;
    while (!f.atEnd()) {
        const QByteArray linha = f.readLine().trimmed();
        if (!linha.isEmpty() && !linha.startsWith('#')) {
            bytes += QByteArray::fromHex(linha.split(' ').value(1));
        }
    }
    QList<QByteArray> r;
    for (const QByteArray& q : bytes.split('\r')) {
        if (!q.isEmpty()) {
            r << q + '\r';
        }
    }
    return r;
}

LeituraPeso leituraAR()
{
    LeituraPeso l;
    ConfigPesagem c;
    c.divisao = 0;
    c.casasDecimais = 0;
    l.configura(c);
    return l;
}

void BM_SoLeitura(benchmark::State& state)
{
    const QList<QByteArray> q = quadros();
    LeituraPeso leitura = leituraAR();
    qsizetype i = 0;
    for (auto _ : state) {
        const QByteArray& quadro = q[i++ % q.size()];
        benchmark::DoNotOptimize(leitura.recebe(quadro.constData(), int(quadro.size())));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_LeituraEVigia(benchmark::State& state)
{
    const QList<QByteArray> q = quadros();
    LeituraPeso leitura = leituraAR();
    VigiaPlataforma vigia{ConfigPortaria()};
    qsizetype i = 0;
    for (auto _ : state) {
        const QByteArray& quadro = q[i++ % q.size()];
        const EfeitoLeitura e = leitura.recebe(quadro.constData(), int(quadro.size()));
        if (const auto l = LeituraPlataforma::de(e, leitura.foraDeFaixa())) {
            vigia.recebe(*l);
        }
        vigia.verifica();
    }
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_SoLeitura);
BENCHMARK(BM_LeituraEVigia);
BENCHMARK_MAIN();
