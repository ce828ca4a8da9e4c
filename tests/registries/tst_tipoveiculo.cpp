// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "TDBGrid.h"
#include "TFrmCadTipoVeiculo.h"
#include "TMaskEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TstTipoVeiculo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void novoTipo_data()
    {
        QTest::addColumn<QString>("descricao");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("descricaoGravada");
        QTest::addColumn<QVariant>("valorGravado");
        QTest::newRow("valor com vírgula") << "truck"
                                           << "150,50"
                                           << "TRUCK" << QVariant(150.5);
        QTest::newRow("valor com ponto") << "toco"
                                         << "80.25"
                                         << "TOCO" << QVariant(80.25);
        QTest::newRow("valor vazio é NULL") << "carreta"
                                            << ""
                                            << "CARRETA" << QVariant();
        QTest::newRow("só a vírgula é NULL") << "bitrem"
                                             << ","
                                             << "BITREM" << QVariant();
        QTest::newRow("apóstrofo vira branco") << "rodo'trem"
                                               << "1"
                                               << "RODO TREM" << QVariant(1.0);
    }
    void novoTipo()
    {
        QFETCH(QString, descricao);
        QFETCH(QString, valor);
        QFETCH(QString, descricaoGravada);
        QFETCH(QVariant, valorGravado);
        BancoTeste b;
        b.exec("insert into tipoveiculo values (4, 'VAN', 10)");
        DialogosRoteiro d;
        TFrmCadTipoVeiculo w;
        QVERIFY(Operador::abrir(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Cadastro de tipo de veículo"));
        QVERIFY(w.BtnImprimir->isVisible());
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.campoCodigo()->maskText().trimmed(), QStringLiteral("5"));
        QTest::keyClicks(w.campoNome(), descricao);
        QTest::keyClicks(w.campoValor(), valor);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{QStringLiteral("Operação efetuada com sucesso.")});
        QCOMPARE(b.valor("select tpv_descricao from tipoveiculo where tpv_codigo=5").toString(),
                 descricaoGravada);
        const QVariant v = b.valor("select tpv_valor from tipoveiculo where tpv_codigo=5");
        QCOMPARE(v.isNull(), valorGravado.isNull());
        if (!valorGravado.isNull()) {
            QCOMPARE(v.toDouble(), valorGravado.toDouble());
        }
    }

    // Letters cannot reach the value: it is a number or nothing.
    void valorSoAceitaNumero()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadTipoVeiculo w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.campoValor(), "1a2,5,3x");
        QCOMPARE(w.campoValor()->text(), QStringLiteral("12,53"));
    }

    void editarMudaNomeEValorMantemCodigo()
    {
        BancoTeste b;
        b.exec("insert into tipoveiculo values (1, 'TOCO', 50)");
        b.exec("insert into tipoveiculo values (2, 'TRUCK', 70.5)");
        DialogosRoteiro d;
        TFrmCadTipoVeiculo w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(w.grade()->localizar(QStringLiteral("TPV_DESCRICAO"), QStringLiteral("tr")));
        w.grade()->setFocus();
        QTest::keyClick(w.grade(), Qt::Key_Space);
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(w.campoNome()->text(), QStringLiteral("TRUCK"));
        QCOMPARE(w.campoValor()->text(), QStringLiteral("70,5"));
        w.campoNome()->selectAll();
        QTest::keyClicks(w.campoNome(), "truck 3 eixos");
        w.campoValor()->clear();
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.contar("select count(*) from tipoveiculo"), 2);
        QCOMPARE(b.valor("select tpv_descricao from tipoveiculo where tpv_codigo=2").toString(),
                 QStringLiteral("TRUCK 3 EIXOS"));
        QVERIFY(b.valor("select tpv_valor from tipoveiculo where tpv_codigo=2").isNull());
        QCOMPARE(b.valor("select tpv_descricao from tipoveiculo where tpv_codigo=1").toString(),
                 QStringLiteral("TOCO"));
    }

    // A type that weighings use cannot go: the database refuses and the window says so.
    void excluirEmUso()
    {
        BancoTeste b;
        b.exec("insert into tipoveiculo values (1, 'TOCO', 50)");
        b.exec("insert into pesagem (pes_codigo, tpv_codigo) values (1, 1)");
        DialogosRoteiro d;
        TFrmCadTipoVeiculo w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(
            d.textos(),
            (QStringList{QStringLiteral("Confirma exclusão do registro?"),
                         QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!")}));
        QCOMPARE(d.mostradas.last().titulo, QStringLiteral("Informação"));
        QCOMPARE(b.contar("select count(*) from tipoveiculo"), 1);
        b.exec("delete from pesagem");
        d.limpar();
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QStringLiteral("Operação efetuada com sucesso."));
        QCOMPARE(b.contar("select count(*) from tipoveiculo"), 0);
    }

    // Enter goes from the name to "Valor:", before the search field; a typed
    // point is the decimal comma.
    void enterPeloValor()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadTipoVeiculo w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), "truck");
        QCOMPARE(Operador::caminhoDoEnter(1), QStringList{"edtValor"});
        QTest::keyClicks(QApplication::focusWidget(), "150.5");
        QCOMPARE(w.findChild<QLineEdit*>("edtValor")->text(), QStringLiteral("150,5"));
        QCOMPARE(Operador::caminhoDoEnter(1), QStringList{"edtLocalizar"});
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.valor("select tpv_valor from tipoveiculo where tpv_descricao='TRUCK'").toDouble(), 150.5);
    }
};

QTEST_MAIN(TstTipoVeiculo)
#include "tst_tipoveiculo.moc"
