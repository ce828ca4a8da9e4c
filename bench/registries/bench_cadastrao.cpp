// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the parties window on a large registry and one search keystroke.
// Run with QT_QPA_PLATFORM=offscreen; VIGA_TEST_DRIVER=QPSQL measures on PostgreSQL.
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "TDBGrid.h"
#include "TFrmCadastrao.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QtTest>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Partes = 50000;

BancoTeste& banco()
{
    static BancoTeste* b = [] {
        auto* novo = new BancoTeste;
        novo->exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
        QSqlDatabase db = novo->dm().DataBase1();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(
            "insert into cadastrao (cad_codigo, cad_tipo, cad_pessoa, cad_razao, cad_fantasia, cad_endereco, "
            "cad_bairro, cad_cep, cad_fone, cad_email, cad_dtcadastro, cid_codigo, cad_obs) "
            "values (?, 3, 1, ?, ?, 'RUA DAS FLORES 100', 'CENTRO', '85810-000', '45 3222-1000', "
            "'contato@exemplo.com.br', '2024-05-01', 1, 'cliente antigo')");
        for (int i = 1; i <= Partes; ++i) {
            // Names spread over the alphabet, so a search lands in the middle of the list.
            const QString nome = QStringLiteral("%1%2 COMERCIO LTDA %3")
                                     .arg(QChar(u'A' + (i * 7) % 26))
                                     .arg(QChar(u'A' + (i * 13) % 26))
                                     .arg(i);
            q.addBindValue(i);
            q.addBindValue(nome);
            q.addBindValue(nome.left(20));
            q.exec();
        }
        db.commit();
        return novo;
    }();
    return *b;
}

void AbrirJanela(benchmark::State& state)
{
    banco();
    DialogosRoteiro d;
    for (auto _ : state) {
        TFrmCadastrao w(3);
        w.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.grade()->model()->rowCount());
        w.close();
    }
    state.counters["linhas"] = Partes;
}
BENCHMARK(AbrirJanela)->Unit(benchmark::kMillisecond);

void TeclaNaBusca(benchmark::State& state)
{
    banco();
    DialogosRoteiro d;
    TFrmCadastrao w(3);
    w.show();
    QCoreApplication::processEvents();
    auto* busca = w.findChild<QLineEdit*>(QStringLiteral("edtLocalizar"));
    // "ZZ" is found, "ZZZ" is not (the whole list is scanned): one keystroke each.
    busca->setText(QStringLiteral("ZZ"));
    int i = 0;
    for (auto _ : state) {
        QTest::keyClick(busca, (i++ % 2) ? Qt::Key_Backspace : Qt::Key_Z);
        benchmark::DoNotOptimize(w.grade()->linhaAtual());
    }
}
BENCHMARK(TeclaNaBusca)->Unit(benchmark::kMicrosecond);

// The first search of a window just opened, for a name near the end of the
// list: the rows not read yet are read on the way.
void PrimeiraBusca(benchmark::State& state)
{
    banco();
    DialogosRoteiro d;
    for (auto _ : state) {
        state.PauseTiming();
        auto* w = new TFrmCadastrao(3);
        w->show();
        QCoreApplication::processEvents();
        auto* busca = w->findChild<QLineEdit*>(QStringLiteral("edtLocalizar"));
        state.ResumeTiming();
        QTest::keyClick(busca, Qt::Key_Z);
        benchmark::DoNotOptimize(w->grade()->linhaAtual());
        state.PauseTiming();
        w->close();
        delete w;
        state.ResumeTiming();
    }
}
BENCHMARK(PrimeiraBusca)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
