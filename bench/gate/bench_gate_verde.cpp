// SPDX-License-Identifier: GPL-3.0-or-later
// From the deck becoming empty to the entry light turning green, through
// the whole chain as VIGA runs it: an indicator on a pseudo-terminal sending
// 10 frames/s, the session's poll of the scale port, the live weight, the
// deck watch and its 100 ms check, the lights' sequence, the Modbus module's
// thread and viga-io-sim. Each iteration: a truck stands on the deck, its
// weighing is saved, it drives off; the time runs from the write of the
// first empty frame to the moment viga-io-sim says the entry green coil is
// on (read from its output as it comes). Reported as manual time, in ms;
// the goal is ZeroMs + 100 ms (ZeroMs=1000 here).
//   bench_gate_verde [--benchmark_repetitions=3]
#include "BalancaSessao.h"
#include "BancoTeste.h"
#include "Portaria.h"
#include "PtyTeste.h"
#include "SimuladorIo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace
{

constexpr int ZeroMs = 1000;

void BM_VaziaAteVerde(benchmark::State& state)
{
    Simulador sim;
    if (!sim.pronto()) {
        state.SkipWithError("viga-io-sim não respondeu");
        return;
    }
    BancoTeste b;
    PtyTeste pty;
    b.exec(QStringLiteral(
        "update config set cfg_porta=0, cfg_modeloplaca=0, cfg_divisao=0, cfg_casasdecimais=0"));
    {
        QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM1"), pty.nome());
        ini.setValue(QStringLiteral("portaria/Modulo"), sim.endereco());
        ini.setValue(QStringLiteral("portaria/SinalEntradaVermelho"), 0);
        ini.setValue(QStringLiteral("portaria/SinalEntradaVerde"), 1);
        ini.setValue(QStringLiteral("portaria/ZeroMs"), ZeroMs);
    }
    std::unique_ptr<Portaria> portaria(Portaria::daSessao(b.dm(), nullptr, nullptr));
    // the indicator: the current weight, 10 frames/s
    int peso = 0;
    QTimer indicador;
    indicador.setInterval(100);
    QObject::connect(&indicador, &QTimer::timeout,
                     [&] { pty.escreve(QStringLiteral("D%1\r").arg(peso, 6, 10, QChar(u'0')).toLatin1()); });
    indicador.start();
    QElapsedTimer relogio;
    qint64 verdeEm = -1;
    sim.aoMudar = [&](const QString& linha) {
        if (linha == QLatin1String("bobina 1 ligada")) {
            verdeEm = relogio.nsecsElapsed();
        }
    };
    auto espera = [](const std::function<bool()>& pronto, int ms) {
        QElapsedTimer t;
        t.start();
        while (!pronto() && t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        return pronto();
    };
    if (!espera([&] { return portaria->modulo().respondendo(); }, 10000)) {
        state.SkipWithError("módulo não respondeu");
        return;
    }
    for (auto _ : state) {
        peso = 27340;
        espera([&] { return portaria->vigia().estado() == EstadoPlataforma::Estavel; }, 5000);
        portaria->pesagemSalva();
        espera([] { return false; }, 300);
        verdeEm = -1;
        // the empty deck's first frame goes now
        peso = 0;
        indicador.stop();
        relogio.start();
        pty.escreve(QByteArrayLiteral("D000000\r"));
        indicador.start();
        if (!espera([&] { return verdeEm >= 0; }, ZeroMs + 5000)) {
            state.SkipWithError("a luz verde da entrada não acendeu");
            return;
        }
        state.SetIterationTime(double(verdeEm) / 1e9);
    }
    state.counters["ZeroMs"] = ZeroMs;
}

} // namespace

BENCHMARK(BM_VaziaAteVerde)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
