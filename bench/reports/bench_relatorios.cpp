// The movement report and the daily flow over one year of a busy site (90,000
// weighings of 200 parties and 10 products), from the run to the preview showing
// its first page. Counters: pages, and the growth of the process's peak resident
// memory during the first run. Run with QT_QPA_PLATFORM=offscreen on a release
// build; VIGA_TEST_DRIVER=QPSQL (and the VIGA_TEST_PG* variables) measures on PostgreSQL.
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "RelatorioFluxo.h"
#include "RelatorioMovimento.h"
#include "ServicosRelevoJanelas.h"
#include "SessaoAtual.h"
#include "TRVPreview.h"

#include <QApplication>
#include <QSqlQuery>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace
{

constexpr int Pesagens = 90000;
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
        const QDate inicio(2025, 1, 1);
        for (int i = 1; i <= Pesagens; ++i) {
            const int parte = 1 + (i * 37) % Partes;
            const bool fornecedor = parte % 2 == 0;
            const QDate dia = inicio.addDays((i - 1) * 365 / Pesagens);
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
        db.commit();
        novo->exec(QStringLiteral("update config set cfg_umidade=1"));
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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
