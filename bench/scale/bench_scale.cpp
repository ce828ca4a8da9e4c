// SPDX-License-Identifier: GPL-3.0-or-later
// Scale link measures: how long a frame waits between its last byte on the line
// and its delivery by the driver's poll, and how fast the parsers decode.
//   bench_scale [--benchmark_filter=...]
#include "QuadrosBalanca.h"
#include "TCommPortDriver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <pty.h>
#include <random>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{

using Relogio = std::chrono::steady_clock;

void EsperaAte(Relogio::time_point t)
{
    std::this_thread::sleep_until(t);
}

// Frames written to a pseudo-terminal at 9600 baud (1.04 ms per byte) by a writer
// thread, with random gaps so that frames meet every phase of the poll. The
// latency of frame k: from the write of its carriage return to the delivery of
// the chunk that holds it.
void BM_LatenciaPoll(benchmark::State& state)
{
    const int quadros = int(state.range(0));
    const quint16 periodo = quint16(state.range(1));
    for (auto _ : state) {
        int master = -1, slave = -1;
        char nome[128] = {};
        if (openpty(&master, &slave, nome, nullptr, nullptr) != 0) {
            state.SkipWithError("openpty failed");
            return;
        }
        TCommPortDriver driver;
        driver.setPortName(QString::fromLocal8Bit(nome));
        driver.setPollingDelay(periodo);

        std::vector<Relogio::time_point> ultimoByte(static_cast<size_t>(quadros));
        std::vector<Relogio::time_point> entregue;
        entregue.reserve(size_t(quadros));
        QObject::connect(&driver, &TCommPortDriver::OnReceiveData,
                         [&](TCommPortDriver*, const char* d, int n) {
                             const auto agora = Relogio::now();
                             for (int i = 0; i < n; ++i) {
                                 if (d[i] == '\r') {
                                     entregue.push_back(agora);
                                 }
                             }
                         });
        if (!driver.Connect()) {
            state.SkipWithError("Connect failed");
            return;
        }

        std::atomic<bool> fim{false};
        std::thread escritor([&] {
            const char quadro[] = "D027340\r";
            const auto porByte = std::chrono::nanoseconds(1'000'000'000LL * 10 / 9600);
            std::mt19937 gerador(42);
            std::uniform_int_distribution<int> folga(0, 20'000); // microseconds between frames
            auto t = Relogio::now() + std::chrono::milliseconds(20);
            for (int k = 0; k < quadros; ++k) {
                for (int i = 0; i < 8; ++i) {
                    EsperaAte(t);
                    if (i == 7) {
                        ultimoByte[size_t(k)] = Relogio::now();
                    }
                    [[maybe_unused]] ssize_t w = ::write(master, quadro + i, 1);
                    t += porByte;
                }
                t += std::chrono::microseconds(folga(gerador));
            }
            fim = true;
        });

        QEventLoop laco;
        QTimer vigia;
        int folgaFinal = 0;
        QObject::connect(&vigia, &QTimer::timeout, [&] {
            if (fim && (entregue.size() >= size_t(quadros) || ++folgaFinal > 400)) {
                laco.quit();
            }
        });
        vigia.start(5);
        laco.exec();
        escritor.join();
        driver.Disconnect();
        ::close(master);
        ::close(slave);

        if (entregue.size() < size_t(quadros)) {
            state.SkipWithError("frames were lost");
            return;
        }
        std::vector<double> ms;
        for (int k = 0; k < quadros; ++k) {
            ms.push_back(
                std::chrono::duration<double, std::milli>(entregue[size_t(k)] - ultimoByte[size_t(k)])
                    .count());
        }
        std::sort(ms.begin(), ms.end());
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["p99_ms"] = ms[size_t(double(ms.size()) * 0.99)];
        state.counters["max_ms"] = ms.back();
        state.counters["goal_ms"] = periodo + 5;
        state.counters["frames"] = quadros;
    }
}
BENCHMARK(BM_LatenciaPoll)->Args({1000, 50})->Args({1000, 5})->Iterations(1)->Unit(benchmark::kSecond);

void BM_Parser(benchmark::State& state)
{
    const int modelo = int(state.range(0));
    const int interfaceSerial = int(state.range(1));
    const QByteArray quadros[] = {"D027340\r", "D273.40 000.00\r", "D2734.00 0000.00\r"};
    const QByteArray& q = quadros[modelo];
    TLeituraBalanca leitura;
    leitura.setConfig(TConfigQuadro{modelo, interfaceSerial, 0, 2});
    for (auto _ : state) {
        TResultadoQuadro r = leitura.recebe(q.constData(), int(q.size()));
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("frames/s = items_per_second");
}
BENCHMARK(BM_Parser)->Args({0, 0})->Args({1, 0})->Args({2, 0})->Args({0, 1});

void BM_Rejeitado(benchmark::State& state)
{
    const QByteArray fragmento("1234\rD00");
    TLeituraBalanca leitura;
    for (auto _ : state) {
        TResultadoQuadro r = leitura.recebe(fragmento.constData(), int(fragmento.size()));
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Rejeitado);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
