// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF writer against libharu, writing the same 10,000 pages of text (80
// lines of a movement report each) to a file, uncompressed, in Courier with
// WinAnsiEncoding, one text object per line as the preview writes them.
// Both start from the preview's display lines and pay the same conversion to
// Windows-1252. Run from a build: bench/engine/bench_pdf
#include "TPrintPDF.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <hpdf.h>

namespace
{

constexpr int Paginas = 10000;
constexpr int LinhasPorPagina = 80;

const QList<QStringList>& relatorio()
{
    static const QList<QStringList> r = [] {
        QList<QStringList> paginas;
        paginas.reserve(Paginas);
        for (int p = 1; p <= Paginas; ++p) {
            QStringList pag;
            pag << QStringLiteral(
                       "COOPERATIVA AGRÍCOLA REGIONAL - MOVIMENTO POR CLIENTE              Página %1")
                       .arg(p);
            for (int l = 2; l <= LinhasPorPagina; ++l) {
                pag << QStringLiteral("%1 ABC%2D23 SOJA EM GRÃO      %3,00  %4,00  %5,00  09/12/2026 14:35")
                           .arg(p * 100 + l, 8, 10, QChar('0'))
                           .arg(l % 10)
                           .arg(30000 + l * 7, 9)
                           .arg(12000 + l * 3, 9)
                           .arg(18000 + l * 4, 9);
            }
            paginas << pag;
        }
        return paginas;
    }();
    return r;
}

QTemporaryDir& pasta()
{
    static QTemporaryDir d;
    return d;
}

void TPrintPDF_10000paginas(benchmark::State& state)
{
    const auto& paginas = relatorio();
    const QString arq = pasta().filePath("tprintpdf.pdf");
    for (auto _ : state) {
        if (!GravaPdfPaginas(paginas, arq, QStringLiteral("Movimento"), QStringLiteral("Courier"), 12)) {
            state.SkipWithError("falha ao gravar");
        }
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(arq).size());
}
BENCHMARK(TPrintPDF_10000paginas)->Unit(benchmark::kMillisecond)->Iterations(5);

void erroHaru(HPDF_STATUS, HPDF_STATUS, void*) {}

void Libharu_10000paginas(benchmark::State& state)
{
    const auto& paginas = relatorio();
    const QByteArray arq = QFile::encodeName(pasta().filePath("libharu.pdf"));
    for (auto _ : state) {
        HPDF_Doc pdf = HPDF_New(erroHaru, nullptr);
        HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
        HPDF_Font fonte = HPDF_GetFont(pdf, "Courier", "WinAnsiEncoding");
        for (const QStringList& pag : paginas) {
            HPDF_Page page = HPDF_AddPage(pdf);
            HPDF_Page_SetWidth(page, 680);
            HPDF_Page_SetHeight(page, 1020);
            int y = 10;
            for (const QString& linha : pag) {
                QByteArray texto = ParaWin1252(linha);
                texto.replace(')', ']').replace('(', '[');
                HPDF_Page_BeginText(page);
                HPDF_Page_SetFontAndSize(page, fonte, 12);
                HPDF_Page_TextOut(page, 1, static_cast<HPDF_REAL>(1020 - y), texto.constData());
                HPDF_Page_EndText(page);
                y += 12;
            }
        }
        if (HPDF_SaveToFile(pdf, arq.constData()) != HPDF_OK) {
            state.SkipWithError("falha ao gravar");
        }
        HPDF_Free(pdf);
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(QFile::decodeName(arq)).size());
}
BENCHMARK(Libharu_10000paginas)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
