// SPDX-License-Identifier: GPL-3.0-or-later
// The plate reader on a folder of pictures whose names carry the true plate
// (scripts/gera-placas.sh makes the synthetic set; its held-out part is the
// one to measure): the whole-plate exact rate, the wrong-plate rate on
// pictures with a plate, the false-plate rate on pictures without one, and
// the time per picture on one core (the benchmark's CPU time; Tesseract and
// OpenCV are held to one thread). Run a release build:
//   OMP_THREAD_LIMIT=1 bench_placas --benchmark_counters_tabular=true  (VIGA_PLACAS=folder)
#include "LeitorPlaca.h"

#include <QDir>
#include <benchmark/benchmark.h>
#include <opencv2/core/utility.hpp>

namespace
{

struct Foto {
    QString caminho;
    QString placa; // empty: no plate
};

const std::vector<Foto>& fotos()
{
    static const std::vector<Foto> lista = [] {
        std::vector<Foto> l;
        const QDir pasta(qEnvironmentVariable("VIGA_PLACAS", QStringLiteral("placas/reserva")));
        for (const QString& f : pasta.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name)) {
            const QString p = f.section(u'_', 1, 1);
            l.push_back({pasta.filePath(f), p == QLatin1String("semplaca") ? QString() : p});
        }
        return l;
    }();
    return lista;
}

void BM_LerPlaca(benchmark::State& state)
{
    cv::setNumThreads(1);
    const auto& lista = fotos();
    if (lista.empty()) {
        state.SkipWithError("nenhuma foto em VIGA_PLACAS");
        return;
    }
    LeitorPlaca leitor;
    if (!leitor.pronto()) {
        state.SkipWithError("Tesseract não carregou");
        return;
    }
    // The pictures' bytes read before timing: the file system is not measured.
    std::vector<QByteArray> bytes;
    for (const Foto& f : lista) {
        QFile arq(f.caminho);
        if (!arq.open(QIODevice::ReadOnly)) {
            state.SkipWithError("foto ilegível");
            return;
        }
        bytes.push_back(arq.readAll());
    }
    size_t i = 0;
    int comPlaca = 0, exatas = 0, erradas = 0, semPlaca = 0, falsas = 0;
    for (auto _ : state) {
        const LeituraPlaca l = leitor.lerBytes(bytes[i]);
        const Foto& f = lista[i];
        if (f.placa.isEmpty()) {
            ++semPlaca;
            falsas += l.achou();
        } else {
            ++comPlaca;
            exatas += l.placa == f.placa;
            erradas += l.achou() && l.placa != f.placa;
        }
        i = (i + 1) % lista.size();
    }
    state.counters["fotos"] = double(lista.size());
    state.counters["exatas_pct"] = comPlaca ? 100.0 * exatas / comPlaca : 0;
    state.counters["erradas_pct"] = comPlaca ? 100.0 * erradas / comPlaca : 0;
    state.counters["falsas_pct"] = semPlaca ? 100.0 * falsas / semPlaca : 0;
}
// Every picture once: as many iterations as pictures.
BENCHMARK(BM_LerPlaca)
    ->Iterations(int64_t(fotos().size() ? fotos().size() : 1))
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
