// SPDX-License-Identifier: GPL-3.0-or-later
// The movement report, the daily flow and the grouped report over a busy site
// (90,000 weighings a year of 200 parties and 10 products; VIGA_BENCH_PESAGENS
// sets another count, spread over as many years as it takes), from the run to
// the preview showing its first page, each beside the bare aggregate statement
// of the same figures. Counters: pages, and the growth of the process's peak
// resident memory during the first run. Run with QT_QPA_PLATFORM=offscreen on a
// release build; VIGA_TEST_DRIVER=QPSQL (and the VIGA_TEST_PG* variables)
// measures on PostgreSQL.
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Esquema.h"
#include "RelatorioAgrupado.h"
#include "RelatorioFluxo.h"
#include "RelatorioMovimento.h"
#include "ServicosRelevoJanelas.h"
#include "SessaoAtual.h"
#include "TQuery.h"
#include "TRVPreview.h"

#include <QApplication>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace
{

const int Pesagens = qEnvironmentVariableIsSet("VIGA_BENCH_PESAGENS")
                         ? qEnvironmentVariableIntValue("VIGA_BENCH_PESAGENS")
                         : 90000;
// The last year of the data: the weighings are spread at 90,000 a year up to 2025.
const QDate UltimoAno(2025, 1, 1);
constexpr int Partes = 200;
constexpr int Produtos = 10;

long picoKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Shows the preview's first page and closes it.
class ServicosBench : public ServicosRelevoJanelas
{
public:
    int paginas = 0;
    void preview(TRelevo& job) override
    {
        TRVPreview janela(job, *this);
        janela.show();
        QCoreApplication::processEvents();
        paginas = job.PreviewPages().size();
        janela.close();
    }
};

BancoTeste& banco()
{
    static BancoTeste* b = [] {
        auto* novo = new BancoTeste;
        QSqlDatabase db = novo->dm().DataBase1();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (?, ?, ?)"));
        for (int i = 1; i <= Partes; ++i) {
            q.addBindValue(i);
            q.addBindValue(i % 2 ? 3 : 4);
            q.addBindValue(QStringLiteral("%1 AGRO COMERCIO LTDA %2").arg(QChar(u'A' + (i * 7) % 26)).arg(i));
            q.exec();
        }
        q.prepare(
            QStringLiteral("insert into produto (prd_codigo, prd_descricao, prd_fator1) values (?, ?, ?)"));
        for (int i = 1; i <= Produtos; ++i) {
            q.addBindValue(QString::number(i));
            q.addBindValue(QStringLiteral("PRODUTO %1").arg(i));
            q.addBindValue(i % 3 == 0 ? 1.5 : 0.0);
            q.exec();
        }
        QSqlQuery p(db);
        p.prepare(QStringLiteral(
            "insert into pesagem (pes_codigo, cad_codigo, cad_tipo, pes_dataentrada, pes_horaentrada, "
            "pes_pesoentrada, pes_datasaida, pes_horasaida, pes_pesosaida, pes_placa, pes_valor, pes_frete, "
            "pes_km) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 25, 0.05, 100)"));
        q.prepare(
            QStringLiteral("insert into pesagemproduto (pes_codigo, prd_codigo, pes_fator7e, pes_fator11) "
                           "values (?, ?, ?, ?)"));
        const int anos = qMax(1, (Pesagens + 89999) / 90000);
        const QDate inicio = UltimoAno.addYears(1 - anos);
        const int dias = int(inicio.daysTo(QDate(2025, 12, 31))) + 1;
        for (int i = 1; i <= Pesagens; ++i) {
            const int parte = 1 + (i * 37) % Partes;
            const bool fornecedor = parte % 2 == 0;
            const QDate dia = inicio.addDays(qint64(i - 1) * dias / Pesagens);
            const int cheio = 25000 + (i * 131) % 20000;
            const int vazio = 10000 + (i * 17) % 5000;
            p.addBindValue(i);
            p.addBindValue(parte);
            p.addBindValue(fornecedor ? 4 : 3);
            p.addBindValue(dia);
            p.addBindValue(QStringLiteral("%1:%2:00")
                               .arg(6 + i % 14, 2, 10, QChar(u'0'))
                               .arg(i % 60, 2, 10, QChar(u'0')));
            p.addBindValue(fornecedor ? cheio : vazio);
            p.addBindValue(dia);
            p.addBindValue(QStringLiteral("%1:%2:00")
                               .arg(7 + i % 14, 2, 10, QChar(u'0'))
                               .arg(i % 60, 2, 10, QChar(u'0')));
            p.addBindValue(fornecedor ? vazio : cheio);
            p.addBindValue(QStringLiteral("ABC%1").arg(i % 5000, 4, 10, QChar(u'0')));
            p.exec();
            q.addBindValue(i);
            q.addBindValue(QString::number(1 + i % Produtos));
            q.addBindValue(i % 4 == 0 ? 1.0 : 0.0);
            q.addBindValue(i % 5 == 0 ? 2.5 : 0.0);
            q.exec();
        }
        q.prepare(
            QStringLiteral("update pesagemproduto set pes_fator1=1.5 where prd_codigo in ('3', '6', '9')"));
        q.exec();
        db.commit();
        novo->exec(QStringLiteral("update config set cfg_umidade=1"));
        // The statistics a created or upgraded database gathers.
        Esquema::estatisticas(novo->dm());
        SessaoAtual.NomeEmissor = QStringLiteral("CEREALISTA BOA SAFRA LTDA");
        return novo;
    }();
    return *b;
}

template <class F> void mede(benchmark::State& state, F executa)
{
    banco();
    DialogosRoteiro d;
    ServicosBench servicos;
    ServicosRelevo::instalar(&servicos);
    const long antes = picoKb();
    long primeiro = 0;
    for (auto _ : state) {
        executa();
        if (!primeiro) primeiro = picoKb();
    }
    state.counters["paginas"] = servicos.paginas;
    state.counters["pico_RSS_cresceu_MB"] = double(primeiro - antes) / 1024.0;
    state.counters["pico_RSS_MB"] = double(picoKb()) / 1024.0;
    ServicosRelevo::instalar(nullptr);
}

void MovimentoClientesAno(benchmark::State& state)
{
    mede(state, [] {
        FiltroMovimento f;
        f.tipo = 0;
        f.inicio = QDate(2025, 1, 1);
        f.fim = QDate(2025, 12, 31);
        RelatorioMovimento rel(banco().dm());
        benchmark::DoNotOptimize(rel.imprimir(f, true));
    });
}
BENCHMARK(MovimentoClientesAno)->Unit(benchmark::kMillisecond)->Iterations(3);

void MovimentoAnaliticoFornecedoresAno(benchmark::State& state)
{
    mede(state, [] {
        FiltroMovimento f;
        f.tipo = 3;
        RelatorioMovimento rel(banco().dm());
        benchmark::DoNotOptimize(rel.imprimir(f, true));
    });
}
BENCHMARK(MovimentoAnaliticoFornecedoresAno)->Unit(benchmark::kMillisecond)->Iterations(3);

void FluxoAno(benchmark::State& state)
{
    mede(state, [] {
        FiltroFluxo f;
        f.inicio = QDate(2025, 1, 1);
        f.fim = QDate(2025, 12, 31);
        RelatorioFluxo rel(banco().dm());
        benchmark::DoNotOptimize(rel.imprimir(f, true));
    });
}
BENCHMARK(FluxoAno)->Unit(benchmark::kMillisecond)->Iterations(3);

void FluxoMes(benchmark::State& state)
{
    mede(state, [] {
        FiltroFluxo f;
        f.inicio = QDate(2025, 6, 1);
        f.fim = QDate(2025, 6, 30);
        RelatorioFluxo rel(banco().dm());
        benchmark::DoNotOptimize(rel.imprimir(f, true));
    });
}
BENCHMARK(FluxoMes)->Unit(benchmark::kMillisecond)->Iterations(3);

void AgrupadoAno(benchmark::State& state)
{
    mede(state, [] {
        FiltroFluxo f;
        f.inicio = QDate(2025, 1, 1);
        f.fim = QDate(2025, 12, 31);
        RelatorioAgrupado rel(banco().dm());
        benchmark::DoNotOptimize(rel.imprimir(f, true));
    });
}
BENCHMARK(AgrupadoAno)->Unit(benchmark::kMillisecond)->Iterations(3);

// The bare statements: the grouped report's sums of the year, with the
// previous movement of every product; and the flow's rows of a month read through.
void SqlAgrupadoAno(benchmark::State& state)
{
    banco();
    for (auto _ : state) {
        TQuery& q = banco().dm().QR_TEMP;
        FiltroFluxo f;
        f.inicio = QDate(2025, 1, 1);
        f.fim = QDate(2025, 12, 31);
        RelatorioAgrupado::montaSql(q, f);
        q.Open();
        int linhas = 0;
        for (; !q.Eof(); q.Next())
            ++linhas;
        q.Close();
        for (int p = 1; p <= Produtos; ++p) {
            FiltroFluxo a;
            a.produto = QString::number(p);
            RelatorioAgrupado::montaSql(q, a, f.inicio);
            q.Open();
            for (; !q.Eof(); q.Next())
                ++linhas;
            q.Close();
        }
        benchmark::DoNotOptimize(linhas);
    }
}
BENCHMARK(SqlAgrupadoAno)->Unit(benchmark::kMillisecond)->Iterations(3);

void SqlFluxoMes(benchmark::State& state)
{
    banco();
    for (auto _ : state) {
        TQuery& q = banco().dm().QR_TEMP;
        FiltroFluxo f;
        f.inicio = QDate(2025, 6, 1);
        f.fim = QDate(2025, 6, 30);
        RelatorioFluxo::montaSql(q, f);
        q.Open();
        int linhas = 0;
        for (; !q.Eof(); q.Next())
            ++linhas;
        q.Close();
        for (int p = 1; p <= Produtos; ++p) {
            FiltroFluxo a;
            a.produto = QString::number(p);
            RelatorioFluxo::montaSomas(q, a, f.inicio, RelatorioFluxo::FatorSaida::FixoVezesVariavel);
            q.Open();
            for (; !q.Eof(); q.Next())
                ++linhas;
            q.Close();
        }
        benchmark::DoNotOptimize(linhas);
    }
}
BENCHMARK(SqlFluxoMes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
