// SPDX-License-Identifier: GPL-3.0-or-later
// The registry listings (parties, products) and the vehicle types' listing:
// their pages on the fixed data set, the filters, the record counts, and the
// windows as the operator uses them.
#include "DadosRelatorios.h"
#include "DialogosRoteiro.h"
#include "Listagens.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TFrmCadTipoVeiculo.h"
#include "TFrmRelCli.h"
#include "TMaskEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

class TstListagens : public QObject
{
    Q_OBJECT

    ServicosTeste* m_servicos = nullptr;

    QString texto() const { return QString::fromUtf8(paginasComoTexto(*m_servicos, VersaoArquivo())); }

private Q_SLOTS:
    void init() { m_servicos = iniciaRelatorios(); }
    void cleanup() { encerraRelatorios(m_servicos); }

    void cadastros_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("codigo1");
        QTest::addColumn<QString>("codigo2");
        QTest::addColumn<QString>("cidade");
        QTest::addColumn<QString>("uf");
        QTest::addColumn<int>("registros");
        QTest::addColumn<QString>("golden");
        QTest::newRow("clientes") << 1 << QString() << QString() << QString() << QString() << 2
                                  << "listagem_clientes.txt";
        // A party without a city has no state: the state filter leaves it out.
        QTest::newRow("fornecedores do PR")
            << 2 << QString() << QString() << QString() << "PR" << 1 << "listagem_fornecedores_pr.txt";
        QTest::newRow("clientes a partir do 11 em Dourados")
            << 1 << "11" << QString() << "2" << QString() << 1 << "listagem_clientes_cidade.txt";
    }
    void cadastros()
    {
        QFETCH(int, tipo);
        QFETCH(QString, codigo1);
        QFETCH(QString, codigo2);
        QFETCH(QString, cidade);
        QFETCH(QString, uf);
        QFETCH(int, registros);
        QFETCH(QString, golden);
        BancoTeste banco;
        dadosRelatorios(banco);
        FiltroCadastros f;
        f.tipo = tipo;
        f.codigoInicial = codigo1;
        f.codigoFinal = codigo2;
        f.cidade = cidade;
        f.uf = uf;
        ListagemCadastros l(banco.dm());
        QVERIFY(l.imprimir(f, true));
        QCOMPARE(l.registros(), registros);
        QVERIFY(texto().contains(QStringLiteral("Total de Registros: %1\n").arg(registros)));
        QVERIFY(confereGolden(paginasComoTexto(*m_servicos, VersaoArquivo()), golden));
    }

    void produtos_data()
    {
        QTest::addColumn<int>("umidade");
        QTest::addColumn<int>("ordem");
        QTest::addColumn<QString>("golden");
        QTest::newRow("por codigo") << 0 << 0 << "listagem_produtos.txt";
        QTest::newRow("com fatores e umidade, por descricao") << 1 << 1 << "listagem_produtos_fc.txt";
    }
    void produtos()
    {
        QFETCH(int, umidade);
        QFETCH(int, ordem);
        QFETCH(QString, golden);
        BancoTeste banco;
        dadosRelatorios(banco);
        banco.exec(
            QStringLiteral("update config set cfg_umidade=%1, cfg_fator1='IMPUREZA', cfg_fator2='AVARIADOS', "
                           "cfg_fator7='UMIDADE'")
                .arg(umidade));
        ListagemProdutos l(banco.dm());
        QVERIFY(l.imprimir(ordem, true));
        QCOMPARE(l.registros(), banco.contar(QStringLiteral("select count(*) from produto")));
        QVERIFY(confereGolden(paginasComoTexto(*m_servicos, VersaoArquivo()), golden));
        QVERIFY(!banco.dm().QR_EXEC.Active());
        // the preview's caption, the PDF title and the e-mail subject
        QCOMPARE(m_servicos->titulos, QStringList{QStringLiteral("Listagem de Produtos")});
    }

    // "&Imprimir" of the vehicle types window previews the listing.
    void tiposVeiculo()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        DialogosRoteiro dialogos;
        TFrmCadTipoVeiculo w;
        w.show();
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        QCOMPARE(m_servicos->previews, 1);
        QVERIFY(confereGolden(paginasComoTexto(*m_servicos, VersaoArquivo()),
                              QStringLiteral("tipos_veiculo.txt")));
        QVERIFY(dialogos.mostradas.isEmpty());
        banco.exec(QStringLiteral("update pesagem set tpv_codigo=null"));
        banco.exec(QStringLiteral("delete from tipoveiculo"));
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        QCOMPARE(dialogos.textos(), QStringList{QStringLiteral("Não há dados para imprimir")});
        QCOMPARE(m_servicos->previews, 1);
    }

    // The parties listing window: Enter order, the type chosen, the empty selection.
    void janelaCadastros()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        DialogosRoteiro dialogos;
        TFrmRelCli w;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.edtCodigo1);
        QCOMPARE(w.cbTipo->currentText(), QStringLiteral("Cliente"));
        QCOMPARE(w.cbEstado->currentIndex(), -1);
        const QList<QWidget*> ordem{w.edtCodigo1, w.edtCodigo2, w.cbTipo,  w.edtCidade,
                                    w.cbEstado,   w.cbOrdem,    w.chkTela, w.BtnImprimir};
        for (int i = 1; i < ordem.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), ordem[i]);
        }
        w.cbTipo->setCurrentIndex(2);
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        QCOMPARE(m_servicos->previews, 1);
        QVERIFY(texto().contains(QStringLiteral("Listagem de Cadastros - FORNECEDOR\n")));
        QVERIFY(texto().contains(QStringLiteral("Total de Registros: 2\n")));
        w.edtCodigo1->setFocus();
        QTest::keyClicks(w.edtCodigo1, QStringLiteral("900"));
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        QCOMPARE(dialogos.textos(), QStringList{QStringLiteral("Não há dados para imprimir")});
        QCOMPARE(m_servicos->previews, 1);
        QVERIFY(w.BtnImprimir->isEnabled());
    }
};

QTEST_MAIN(TstListagens)
#include "tst_listagens.moc"
