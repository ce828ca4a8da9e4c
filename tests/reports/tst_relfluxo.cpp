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
