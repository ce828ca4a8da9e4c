// SPDX-License-Identifier: GPL-3.0-or-later
// A report of 100,000 records composed through the band driver into the preview,
// up to the preview window showing the finished report. Counters: the report's text
// size, the memory the two page lists hold, and the growth of the process's peak
// resident memory during the first run. Run with QT_QPA_PLATFORM=offscreen.
#include "DialogosRoteiro.h"
#include "RVDataSet.h"
#include "ServicosRelevoJanelas.h"
#include "TRVBand.h"
#include "TRVColumn.h"
#include "TRVPreview.h"
#include "TRVReport.h"
#include "TRelevo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace
{

constexpr int Registros = 100000;

long picoKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Shows the finished preview and closes it, noting what the page lists hold.
class ServicosBench : public ServicosRelevoJanelas
{
public:
    qint64 texto = 0;
    qint64 memoria = 0;
    int paginas = 0;
    void preview(TRelevo& job) override
    {
        ServicosRelevoJanelas::preview(job);
        texto = 0;
        memoria = 0;
        const PaginasTexto& e = job.PreviewPages();
        const QList<PaginaImpressora>& p = job.PrinterPages();
        paginas = e.size();
        for (int i = 0; i < e.size(); ++i) {
            texto += e[i].dados().size() + 2 * e[i].size(); // the text file: a CR LF per line
            memoria += e[i].bytes();
            memoria += p[i].bytes();
        }
    }

protected:
    void exibir(TRVPreview& janela) override
    {
        janela.show();
        QCoreApplication::processEvents();
        janela.close();
    }
};

RVDataSetMemoria& dados()
{
    static RVDataSetMemoria* d = [] {
        auto* m = new RVDataSetMemoria({QStringLiteral("codigo"), QStringLiteral("placa"),
                                        QStringLiteral("produto"), QStringLiteral("cliente"),
                                        QStringLiteral("peso")});
        m->reserve(Registros);
        const QStringList produtos = {QStringLiteral("SOJA"), QStringLiteral("MILHO"),
                                      QStringLiteral("TRIGO"), QStringLiteral("FEIJÃO")};
        for (int i = 0; i < Registros; ++i) {
            m->append({QString::number(i + 1), QStringLiteral("ABC%1").arg(i % 10000, 4, 10, QChar(u'0')),
                       produtos[i % 4], QStringLiteral("CLIENTE NÚMERO %1 LTDA").arg(i % 977),
                       QStringLiteral("%1,%2").arg(10000 + i % 30000).arg(i % 100)});
        }
        return m;
    }();
    return *d;
}

void executaRelatorio(RVDataSet& d)
{
    TRelevo job;
    job.PageHeader = true;
    job.HeaderData.Title1 = QStringLiteral("MOVIMENTAÇÃO DE PESAGENS");
    job.QtLines = 66;
    job.PageWidth = 100;
    job.Preview.ShowPreview = true;
    TRVReport rel;
    rel.Relevo = &job;
    rel.DataSet = &d;
    rel.PrintPageHeader = true;
    TRVBand cabecalho, det;
    cabecalho.Lines = QStringList{QStringLiteral("Relatório de pesagens por produto")};
    const QList<std::tuple<const char*, int, TRVAlignment, const char*>> colunas = {
        {"codigo", 8, taRightJustify, ""},
        {"placa", 8, taLeftJustify, ""},
        {"produto", 10, taLeftJustify, ""},
        {"cliente", 30, taLeftJustify, ""},
        {"peso", 14, taRightJustify, "###,###,##0.00"},
    };
    std::vector<std::unique_ptr<TRVColumn>> cols;
    for (const auto& [campo, largura, alinhamento, mascara] : colunas) {
        auto c = std::make_unique<TRVColumn>();
        c->Expression = QString::fromLatin1(campo);
        c->ColWidth = largura;
        c->Alignment = alinhamento;
        c->Mask = QString::fromLatin1(mascara);
        c->ColHeader = QString::fromLatin1(campo).toUpper();
        det.SetColumn(int(cols.size()), c.get());
        cols.push_back(std::move(c));
    }
    rel.PageHeader = &cabecalho;
    rel.SetDetailBand(0, &det);
    rel.Print();
}

void RelatorioParaPreview(benchmark::State& state)
{
    DialogosRoteiro dialogos;
    ServicosBench servicos;
    ServicosRelevo::instalar(&servicos);
    // A small report first, so that what the program sets up once (fonts, windows)
    // is not counted as the report's memory.
    RVDataSetMemoria pequeno({QStringLiteral("codigo")});
    for (int i = 0; i < 500; ++i)
        pequeno.append({QString::number(i)});
    executaRelatorio(pequeno);
    RVDataSetMemoria& d = dados();
    const long antes = picoKb();
    for (auto _ : state)
        executaRelatorio(d);
    ServicosRelevo::instalar(nullptr);
    state.counters["paginas"] = servicos.paginas;
    state.counters["texto_MB"] = double(servicos.texto) / 1e6;
    state.counters["listas_MB"] = double(servicos.memoria) / 1e6;
    state.counters["listas_por_texto"] = double(servicos.memoria) / double(servicos.texto);
    state.counters["pico_RSS_cresceu_MB"] = double(picoKb() - antes) / 1024.0;
}
BENCHMARK(RelatorioParaPreview)->Unit(benchmark::kMillisecond)->Iterations(3);

// Records made from their number as they are read, as a forward-only query hands them
// over: the peak memory of the 4,000-page report is the engine's and the preview's.
class RegistrosGerados : public RVDataSet
{
public:
    explicit RegistrosGerados(int n) : m_n(n)
    {
        for (int i = 0; i < 10000; ++i)
            m_placas << QStringLiteral("ABC%1").arg(i, 4, 10, QChar(u'0'));
        for (int i = 0; i < 977; ++i)
            m_clientes << QStringLiteral("CLIENTE NÚMERO %1 LTDA").arg(i);
    }
    void First() override { m_atual = 0; }
    void Next() override
    {
        if (!Eof()) ++m_atual;
    }
    bool Eof() const override { return m_atual >= m_n; }
    int RecordCount() const override { return m_n; }
    bool FindField(const QString& campo) const override { return campos().contains(campo.toLower()); }
    QString AsString(const QString& campo) const override
    {
        const int i = m_atual;
        switch (campos().indexOf(campo.toLower())) {
        case 0:
            return QString::number(i + 1);
        case 1:
            return m_placas[i % 10000];
        case 2:
            return QStringLiteral("SOJA");
        case 3:
            return m_clientes[i % 977];
        case 4:
            return QString::number(10000 + i % 30000) + u',' + QString::number(i % 100);
        default:
            return QString();
        }
    }

private:
    static const QStringList& campos()
    {
        static const QStringList c{QStringLiteral("codigo"), QStringLiteral("placa"),
                                   QStringLiteral("produto"), QStringLiteral("cliente"),
                                   QStringLiteral("peso")};
        return c;
    }
    QStringList m_placas, m_clientes;
    int m_n;
    int m_atual = 0;
};

// A report of 4,000 pages (64 rows per page: 4,000 x 63 records plus the headers), from
// the start of the run to the preview showing its first page (opened while the rest is
// composed), then to the last page shown once every page is there. Run it alone
// (--benchmark_filter=Relatorio4000Paginas) for the peak memory of the report itself.
class ServicosPrimeiraUltima : public ServicosRelevoJanelas
{
public:
    QElapsedTimer relogio;
    double msPrimeira = 0, msUltima = 0;
    int paginas = 0;
    bool aberto = false;
    void abrirPreview(TRelevo& job) override
    {
        ServicosRelevoJanelas::abrirPreview(job);
        QCoreApplication::processEvents();
        msPrimeira = double(relogio.nsecsElapsed()) / 1e6;
        aberto = true;
    }

protected:
    void exibir(TRVPreview& janela) override
    {
        if (!aberto) { // the whole report was composed before the preview opened
            janela.show();
            QCoreApplication::processEvents();
            msPrimeira = double(relogio.nsecsElapsed()) / 1e6;
        }
        paginas = janela.totalPaginas();
        janela.ShowPage(paginas - 1);
        QCoreApplication::processEvents();
        msUltima = double(relogio.nsecsElapsed()) / 1e6;
        janela.close();
        aberto = false;
    }
};

void Relatorio4000Paginas(benchmark::State& state)
{
    DialogosRoteiro dialogos;
    ServicosPrimeiraUltima servicos;
    ServicosRelevo::instalar(&servicos);
    RegistrosGerados grande(4000 * 63);
    const long antes = picoKb();
    for (auto _ : state) {
        servicos.relogio.start();
        executaRelatorio(grande);
    }
    ServicosRelevo::instalar(nullptr);
    state.counters["paginas"] = servicos.paginas;
    state.counters["ms_ate_primeira_pagina"] = servicos.msPrimeira;
    state.counters["ms_ate_ultima_pagina"] = servicos.msUltima;
    state.counters["pico_RSS_cresceu_MB"] = double(picoKb() - antes) / 1024.0;
    state.counters["pico_RSS_MB"] = double(picoKb()) / 1024.0;
}
BENCHMARK(Relatorio4000Paginas)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
