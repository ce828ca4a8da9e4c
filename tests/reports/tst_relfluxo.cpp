// SPDX-License-Identifier: GPL-3.0-or-later
// The daily flow and the grouped movement of products: their pages on the fixed
// data set, with and without moisture handling and a previous period, the
// balances against independent sums, and their windows.
#include "DadosRelatorios.h"
#include "DialogosRoteiro.h"
#include "RelatorioAgrupado.h"
#include "RelatorioFluxo.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TFrmRelMovAgrupado.h"
#include "TFrmRelMovFluxo.h"
#include "TMaskEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TstRelFluxo : public QObject
{
    Q_OBJECT

    ServicosTeste* m_servicos = nullptr;

private Q_SLOTS:
    void init() { m_servicos = iniciaRelatorios(); }
    void cleanup() { encerraRelatorios(m_servicos); }

    void paginas_data()
    {
        QTest::addColumn<bool>("agrupado");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("produto");
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fim");
        QTest::addColumn<QString>("golden");
        QTest::newRow("fluxo") << false << QString() << QString() << QDate() << QDate() << "fluxo.txt";
        QTest::newRow("fluxo com fatores e periodo anterior")
            << false << "CFG_UMIDADE=1, CFG_CASASDECIMAIS=2" << QString() << QDate(2026, 11, 3)
            << QDate(2026, 11, 30) << "fluxo_fc_anterior.txt";
        QTest::newRow("fluxo de um produto")
            << false << QString() << "3" << QDate() << QDate() << "fluxo_trigo.txt";
        QTest::newRow("agrupado") << true << QString() << QString() << QDate() << QDate() << "agrupado.txt";
        QTest::newRow("agrupado com fatores e periodo anterior")
            << true << "CFG_UMIDADE=1, CFG_CABECA=1" << QString() << QDate(2026, 11, 3) << QDate()
            << "agrupado_fc_anterior.txt";
    }
    void paginas()
    {
        QFETCH(bool, agrupado);
        QFETCH(QString, config);
        QFETCH(QString, produto);
        QFETCH(QDate, inicio);
        QFETCH(QDate, fim);
        QFETCH(QString, golden);
        BancoTeste banco;
        dadosRelatorios(banco);
        if (!config.isEmpty()) banco.exec(QStringLiteral("update config set ") + config);
        FiltroFluxo f;
        f.produto = produto;
        f.inicio = inicio;
        f.fim = fim;
        if (agrupado) {
            RelatorioAgrupado rel(banco.dm());
            QVERIFY(rel.imprimir(f, true));
        } else {
            RelatorioFluxo rel(banco.dm());
            QVERIFY(rel.imprimir(f, true));
        }
        QCOMPARE(m_servicos->previews, 1);
        QVERIFY(confereGolden(paginasComoTexto(*m_servicos, VersaoArquivo()), golden));
        QVERIFY(!banco.dm().QR_TEMP.Active());
        QVERIFY(!banco.dm().QR_EXEC.Active());
    }

    // Without a first date the flow's product totals add up to the suppliers'
    // net (E' - S) minus the clients' net (S - E') of every completed weighing,
    // that is the sum of E' - S over all of them; the grouped
    // report's balance of a product equals the same figure for that product.
    void saldosConferemComSomas()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        const QString saldo =
            QStringLiteral("select coalesce(sum(b.pes_pesoentrada*(100-c.pes_fator7e-c.pes_fator8e)/100 - "
                           "b.pes_pesosaida),0) "
                           "from pesagem b join pesagemproduto c on c.pes_codigo=b.pes_codigo where "
                           "b.pes_datasaida is not null");
        RelatorioFluxo fluxo(banco.dm());
        QVERIFY(fluxo.imprimir(FiltroFluxo{}, true));
        QCOMPARE(fluxo.totalProdutos(), Decimal::fromVariant(banco.valor(saldo)));
        for (const char* produto : {"1", "2", "3"}) {
            FiltroFluxo f;
            f.produto = QString::fromLatin1(produto);
            RelatorioAgrupado agrupado(banco.dm());
            QVERIFY(agrupado.imprimir(f, true));
            QCOMPARE(agrupado.saldoProduto(),
                     Decimal::fromVariant(
                         banco.valor(saldo + QStringLiteral(" and c.prd_codigo='%1'").arg(f.produto))));
        }
        // Weighing 106 has no exit: a product with only it selects nothing.
        banco.exec(QStringLiteral("insert into produto (prd_codigo, prd_descricao) values ('9', 'AVEIA')"));
        banco.exec(QStringLiteral("update pesagemproduto set prd_codigo='9' where pes_codigo=106"));
        FiltroFluxo aveia;
        aveia.produto = QStringLiteral("9");
        QVERIFY(!RelatorioFluxo(banco.dm()).imprimir(aveia, true));
        QVERIFY(!RelatorioAgrupado(banco.dm()).imprimir(aveia, true));
    }

    // The movement before the period is summed by the database over the factors
    // stored with each weighing: editing a product's factors afterwards does not
    // move it, and a product-grid row without stored factors keeps its weight.
    void anteriorSobreFatoresGravados()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        // A supplier's load of soybeans from the product grid: no factors stored.
        banco.exec(QStringLiteral(
            "insert into pesagem (pes_codigo, cad_codigo, cad_tipo, pes_dataentrada, pes_horaentrada, "
            "pes_pesoentrada, pes_datasaida, pes_horasaida, pes_pesosaida) values (109, 21, 4, '2026-11-01', "
            "'06:00:00', 30000, '2026-11-01', '06:30:00', 10000)"));
        banco.exec(QStringLiteral("insert into pesagemproduto (pes_codigo, prd_codigo) values (109, '1')"));
        const QDate inicio(2026, 11, 3);
        // Weighing 101: E' = 32000 x 98% = 31360; (E' - S) x (100 - 1,5 - 0,5)% x (100 - 1 - 2,5)%
        // = 19360 x 0,98 x 0,965 = 18308,752. Weighing 109: 30000 - 10000 = 20000.
        const Decimal esperadoFc = Decimal::fromText(QStringLiteral("38308,752"));
        const Decimal esperadoEntradaFc = Decimal::fromText(QStringLiteral("61360"));
        MovimentoAnterior antes = RelatorioFluxo::anterior(banco.dm(), QStringLiteral("1"), inicio);
        QCOMPARE(antes.fornecedor.liquidoFc, esperadoFc);
        QCOMPARE(antes.fornecedor.entradaFc, esperadoEntradaFc);
        QCOMPARE(antes.fornecedor.saida, Decimal::fromInt(22000));
        // Client 10's weighing 102 (no entry factors): S - E' = 41000 - 14000, with factor x 98%.
        QCOMPARE(antes.cliente.liquidoFc, Decimal::fromText(QStringLiteral("26460")));

        banco.exec(QStringLiteral("update produto set prd_fator1=0.8, prd_fator2=3 where prd_codigo='1'"));
        const MovimentoAnterior depois = RelatorioFluxo::anterior(banco.dm(), QStringLiteral("1"), inicio);
        QCOMPARE(depois.fornecedor.liquidoFc, esperadoFc);
        QCOMPARE(depois.saldo(), antes.saldo());

        // The grouped report's statement over the same weighings: its combined
        // coefficient (100 - 1,5 - 0,5 - 1 - 2,5)% = 94,5% on 19360 = 18295,2.
        TQuery& q = banco.dm().QR_EXEC;
        FiltroFluxo f;
        f.produto = QStringLiteral("1");
        RelatorioAgrupado::montaSql(q, f, inicio);
        q.Open();
        QVERIFY(!q.Eof());
        QCOMPARE(q.AsInteger(QStringLiteral("cad_tipo")), 4);
        QCOMPARE(RelatorioFluxo::somasDaLinha(q).liquidoFc, Decimal::fromText(QStringLiteral("38295,2")));
        q.Close();
    }

    // A day's net with factors that falls exactly between two hundredths
    // prints the same on both engines: the totals are summed without floating
    // point (SQLite's sum of the same rows came out a cent apart).
    void meioCentavoIgualNosDoisBancos()
    {
        BancoTeste banco;
        banco.exec("update config set CFG_UMIDADE=1, CFG_CASASDECIMAIS=2");
        banco.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (20, 4, 'JOAO DA SILVA')");
        banco.exec(
            "insert into produto (prd_codigo, prd_descricao, prd_fator1) values ('1', 'SOJA', 0.6275)");
        banco.exec("insert into pesagem (pes_codigo, cad_codigo, cad_tipo, pes_dataentrada, pes_horaentrada, "
                   "pes_pesoentrada, pes_datasaida, pes_horasaida, pes_pesosaida, pes_placa) values "
                   "(1, 20, 4, '2026-11-02', '07:10:00', 30483, '2026-11-02', '07:40:00', 12785, 'ABC1234')");
        banco.exec("insert into pesagemproduto (pes_codigo, prd_codigo) values (1, '1')");
        RelatorioFluxo rel(banco.dm());
        QVERIFY(rel.imprimir(FiltroFluxo{}, true));
        const QString texto = QString::fromUtf8(paginasComoTexto(*m_servicos, VersaoArquivo()));
        // (30483 - 12785) x (100 - 0,6275) / 100 = 17586,94505: 17586,9450 to four decimals, then 17586,94
        QStringList totais;
        for (const QString& l : texto.split(u'\n'))
            if (l.startsWith(QStringLiteral("Total"))) totais << l.simplified();
        QCOMPARE(totais,
                 (QStringList{"Total 30483,00 12785,00 17698,00 17586,94", "Total do Dia 17698,00 17586,94",
                              "Total do Produto 17698,00 17586,94"}));
    }

    // A total of twelve digits and more stays readable: one blank at least
    // between it and its neighbours, nothing cut.
    void totaisGrandesLegiveis()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        banco.exec(
            QStringLiteral("update pesagem set pes_pesoentrada=pes_pesoentrada*1000000, "
                           "pes_pesosaida=pes_pesosaida*10000000 where pes_codigo in (101, 103, 104)"));
        RelatorioAgrupado rel(banco.dm());
        QVERIFY(rel.imprimir(FiltroFluxo{}, true));
        const QString texto = QString::fromUtf8(paginasComoTexto(*m_servicos, VersaoArquivo()));
        // Suppliers of soybeans: entries 32e9 + 30e9, exits 120e9 + 125e9, each whole.
        QVERIFY2(texto.contains(QStringLiteral(" 62000000000,00 ")), qPrintable(texto));
        QVERIFY2(texto.contains(QStringLiteral(" 245000000000,00 ")), qPrintable(texto));
        // Two figures run together would show a comma followed by three digits.
        QVERIFY2(!QRegularExpression(QStringLiteral(",\\d{3}")).match(texto).hasMatch(), qPrintable(texto));
    }

    // Both windows as the operator meets them: Enter order, a product that does not
    // exist, the empty-selection message and a run to the preview.
    void janelas_data()
    {
        QTest::addColumn<bool>("agrupado");
        QTest::newRow("fluxo") << false;
        QTest::newRow("agrupado") << true;
    }
    void janelas()
    {
        QFETCH(bool, agrupado);
        BancoTeste banco;
        dadosRelatorios(banco);
        DialogosRoteiro dialogos;
        std::unique_ptr<TFrmRelatorio> w;
        if (agrupado)
            w = std::make_unique<TFrmRelMovAgrupado>();
        else
            w = std::make_unique<TFrmRelMovFluxo>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(QApplication::focusWidget(), w->edtProduto);
        const QList<QWidget*> ordem{w->edtProduto, w->edtData1, w->edtData2, w->chkTela, w->BtnImprimir};
        for (int i = 1; i < ordem.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), ordem[i]);
        }
        w->edtProduto->setFocus();
        QTest::keyClicks(w->edtProduto, QStringLiteral("77"));
        QTest::keyClick(w->edtProduto, Qt::Key_Return);
        QCOMPARE(w->edtDescProduto->text(), QStringLiteral("NÃO CADASTRADO"));
        QVERIFY(!w->BtnImprimir->isEnabled());
        w->edtProduto->setFocus();
        w->edtProduto->clear();
        QTest::keyClick(w->edtProduto, Qt::Key_Return);
        QVERIFY(w->BtnImprimir->isEnabled());
        // A period without weighings.
        w->edtData1->setFocus();
        QTest::keyClicks(w->edtData1, QStringLiteral("01012027"));
        QTest::keyClick(w->edtData1, Qt::Key_Return);
        QTest::mouseClick(w->BtnImprimir, Qt::LeftButton);
        QCOMPARE(dialogos.textos(), QStringList{QStringLiteral("Não há dados para imprimir")});
        QCOMPARE(m_servicos->previews, 0);
        w->edtData1->clear();
        QTest::mouseClick(w->BtnImprimir, Qt::LeftButton);
        QCOMPARE(m_servicos->previews, 1);
        QCOMPARE(dialogos.mostradas.size(), 1);
    }
};

QTEST_MAIN(TstRelFluxo)
#include "tst_relfluxo.moc"
