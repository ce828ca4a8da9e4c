// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Digitacao.h"
#include "Operador.h"
#include "TDBGrid.h"
#include "TFrmCadEmbalagem.h"
#include "TFrmSelEmbalagem.h"
#include "TMaskEdit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace Digitacao;
using Operador::campo;

namespace
{

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");

void tiposDeEmbalagem(BancoTeste& b)
{
    b.exec("insert into embalagem values (1, 'SACO 50KG', 1)");
    b.exec("insert into embalagem values (2, 'BIG BAG', 1)");
    b.exec("insert into embalagem values (3, 'CAIXA', 0)");
    b.exec("insert into produto (prd_codigo, prd_descricao) values ('7', 'ARROZ')");
}

} // namespace

class TstEmbalagem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void novasEAlteradas()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadEmbalagem j;
        QVERIFY(Operador::abrir(j));
        QCOMPARE(j.windowTitle(), QString("Cadastro de Embalagens"));
        QVERIFY(!campo<QLineEdit>(j, "FlatEdit1")->isEnabled());
        QVERIFY(campo<QLineEdit>(j, "FlatEdit2")->isEnabled()); // the search field is never disabled
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QCOMPARE(campo<TMaskEdit>(j, "FlatMaskEdit1")->maskText().trimmed(), QString("1"));
        QVERIFY(campo<QCheckBox>(j, "CheckBox1")->isChecked());
        QVERIFY(!j.BtnSalvar->isEnabled());
        QTest::keyClicks(campo<QLineEdit>(j, "FlatEdit1"), "saco d'agua");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QCOMPARE(campo<TMaskEdit>(j, "FlatMaskEdit1")->maskText().trimmed(), QString("2"));
        QTest::keyClicks(campo<QLineEdit>(j, "FlatEdit1"), "BIG BAG");
        marca(campo<QCheckBox>(j, "CheckBox1"));
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.valor("select emb_descricao from embalagem where emb_codigo=1").toString(),
                 QString("SACO D AGUA"));
        QCOMPARE(b.contar("select emb_ativa from embalagem where emb_codigo=1"), 1);
        QCOMPARE(b.contar("select emb_ativa from embalagem where emb_codigo=2"), 0);
        QCOMPARE(b.contar("select count(*) from embalagem where emb_ativa is null"), 0);

        // the list is ordered by description: BIG BAG first; open it and reactivate it
        QCOMPARE(campo<TDBGrid>(j, "DBGrid1")->model()->index(0, 1).data().toString(), QString("BIG BAG"));
        abreLinha(campo<TDBGrid>(j, "DBGrid1"), 0);
        QCOMPARE(j.EstadoCadastro, 1);
        QVERIFY(!campo<TMaskEdit>(j, "FlatMaskEdit1")->isEnabled());
        QVERIFY(!campo<QCheckBox>(j, "CheckBox1")->isChecked());
        QVERIFY(campo<QLineEdit>(j, "FlatEdit1")->hasFocus());
        digita(campo<QLineEdit>(j, "FlatEdit1"), "BIG BAG 1T");
        marca(campo<QCheckBox>(j, "CheckBox1"));
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.valor("select emb_descricao from embalagem where emb_codigo=2").toString(),
                 QString("BIG BAG 1T"));
        QCOMPARE(b.contar("select emb_ativa from embalagem where emb_codigo=2"), 1);
        QCOMPARE(b.contar("select count(*) from embalagem"), 2);
    }

    void localizarEExcluir()
    {
        BancoTeste b;
        tiposDeEmbalagem(b);
        b.exec("insert into produto_embalagem values (1, '7', 50)");
        DialogosRoteiro d;
        TFrmCadEmbalagem j;
        QVERIFY(Operador::abrir(j));
        digita(campo<QLineEdit>(j, "FlatEdit2"), "sa");
        QCOMPARE(campo<TDBGrid>(j, "DBGrid1")->linhaAtual(), 2); // BIG BAG, CAIXA, SACO 50KG
        // a type a product uses stays
        QTest::mouseClick(j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QString("O registro não pode ser excluído pois está sendo utilizado!"));
        QCOMPARE(d.mostradas.last().titulo, QString("Informação"));
        QCOMPARE(b.contar("select count(*) from embalagem"), 3);
        // moved with the arrow keys: the row the operator sees is the one deleted
        campo<TDBGrid>(j, "DBGrid1")->setFocus();
        QTest::keyClick(campo<TDBGrid>(j, "DBGrid1"), Qt::Key_Up);
        QCOMPARE(campo<TDBGrid>(j, "DBGrid1")->linhaAtual(), 1);
        QTest::mouseClick(j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.contar("select count(*) from embalagem where emb_codigo=3"), 0);
        QCOMPARE(b.contar("select count(*) from embalagem"), 2);
    }

    void sairPerguntaSoComLista()
    {
        BancoTeste b;
        DialogosRoteiro d;
        {
            TFrmCadEmbalagem j;
            QVERIFY(Operador::abrir(j));
            QTest::mouseClick(j.btnSair, Qt::LeftButton);
            QVERIFY(!j.isVisible());
            QVERIFY(d.mostradas.isEmpty());
        }
        tiposDeEmbalagem(b);
        TFrmCadEmbalagem j;
        QVERIFY(Operador::abrir(j));
        d.responder(Msg::RespNao);
        QTest::mouseClick(j.btnSair, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QString("Deseja realmente sair ?"));
        QVERIFY(j.isVisible());
    }

    void embalagensDoProduto()
    {
        BancoTeste b;
        tiposDeEmbalagem(b);
        DialogosRoteiro d;
        TFrmSelEmbalagem j;
        j.setProduto("7", "ARROZ");
        QVERIFY(Operador::abrir(j));
        QCOMPARE(j.windowTitle(), QString("Seleção de Embalagens"));
        QVERIFY(!campo<TMaskEdit>(j, "FlatMaskEdit10")->isEnabled());
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QVERIFY(campo<TMaskEdit>(j, "FlatMaskEdit10")->hasFocus());
        digitaESai(campo<TMaskEdit>(j, "FlatMaskEdit10"), "1");
        QCOMPARE(campo<QLineEdit>(j, "FlatEdit3")->text(), QString("SACO 50KG"));
        QVERIFY(!j.BtnSalvar->isEnabled());
        digita(campo<QLineEdit>(j, "FlatMaskEdit6"), "12.5");
        QCOMPARE(campo<QLineEdit>(j, "FlatMaskEdit6")->text(), QString("12,5"));
        QVERIFY(j.BtnSalvar->isEnabled());
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(
            Decimal::fromVariant(b.valor("select pre_peso from produto_embalagem where prd_codigo='7' and "
                                         "emb_codigo=1")),
            Decimal::fromText("12,5"));
        QCOMPARE(j.EstadoCadastro, 3);
        QCOMPARE(campo<TDBGrid>(j, "DBGrid1")->model()->rowCount(), 1);

        // the same type again is refused by the key, the entries stay
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        digitaESai(campo<TMaskEdit>(j, "FlatMaskEdit10"), "1");
        digita(campo<QLineEdit>(j, "FlatMaskEdit6"), "13");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QVERIFY2(d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")),
                 qPrintable(d.ultimo()));
        QVERIFY(d.ultimo().size() > 45); // the database's own text follows
        QCOMPARE(d.mostradas.last().titulo, QString("Erro"));
        QCOMPARE(j.EstadoCadastro, 0);
        QCOMPARE(campo<QLineEdit>(j, "FlatMaskEdit6")->text(), QString("13"));
        QCOMPARE(b.contar("select count(*) from produto_embalagem"), 1);
        QTest::mouseClick(j.BtnCancelar, Qt::LeftButton);

        // a new weight for the open row
        abreLinha(campo<TDBGrid>(j, "DBGrid1"), 0);
        QCOMPARE(j.EstadoCadastro, 1);
        QVERIFY(!campo<TMaskEdit>(j, "FlatMaskEdit10")->isEnabled());
        QVERIFY(campo<QLineEdit>(j, "FlatMaskEdit6")->hasFocus());
        digita(campo<QLineEdit>(j, "FlatMaskEdit6"), "50");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(Decimal::fromVariant(b.valor("select pre_peso from produto_embalagem where emb_codigo=1")),
                 Decimal::fromInt(50));
        QCOMPARE(b.contar("select count(*) from produto_embalagem"), 1);

        QTest::mouseClick(j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.contar("select count(*) from produto_embalagem"), 0);
    }

    void embalagemQueNaoServe_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::newRow("inativa") << "3";
        QTest::newRow("inexistente") << "99";
    }
    void embalagemQueNaoServe()
    {
        QFETCH(QString, codigo);
        BancoTeste b;
        tiposDeEmbalagem(b);
        DialogosRoteiro d;
        TFrmSelEmbalagem j;
        j.setProduto("7", "ARROZ");
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        digitaESai(campo<TMaskEdit>(j, "FlatMaskEdit10"), codigo);
        QCOMPARE(campo<QLineEdit>(j, "FlatEdit3")->text(), QString("NÃO CADASTRADO"));
        digita(campo<QLineEdit>(j, "FlatMaskEdit6"), "10");
        QVERIFY(!j.BtnSalvar->isEnabled());
        // an emptied code clears the description
        digitaESai(campo<TMaskEdit>(j, "FlatMaskEdit10"), "");
        QVERIFY(campo<QLineEdit>(j, "FlatEdit3")->text().isEmpty());
    }

    // A type made inactive after it was typed is still refused at saving.
    void inativadaAntesDeSalvar()
    {
        BancoTeste b;
        tiposDeEmbalagem(b);
        DialogosRoteiro d;
        TFrmSelEmbalagem j;
        j.setProduto("7", "ARROZ");
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        digitaESai(campo<TMaskEdit>(j, "FlatMaskEdit10"), "2");
        digita(campo<QLineEdit>(j, "FlatMaskEdit6"), "10");
        b.exec("update embalagem set emb_ativa=0 where emb_codigo=2");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(campo<QLineEdit>(j, "FlatEdit3")->text(), QString("NÃO CADASTRADO"));
        QCOMPARE(b.contar("select count(*) from produto_embalagem"), 0);
    }

    void escolhidaNaLista()
    {
        BancoTeste b;
        tiposDeEmbalagem(b);
        DialogosRoteiro d;
        TFrmSelEmbalagem j;
        j.setProduto("7", "ARROZ");
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        bool abriu = false;
        Operador::quandoAbrir<TFrmCadEmbalagem>([&abriu](TFrmCadEmbalagem* lista) {
            abriu = lista->comoSeletor();
            abreLinha(campo<TDBGrid>(lista, "DBGrid1"), 0); // BIG BAG, Space closes
        });
        QTest::keyClick(campo<TMaskEdit>(j, "FlatMaskEdit10"), Qt::Key_F2);
        QVERIFY(abriu);
        QVERIFY(!Operador::janelaAberta<TFrmCadEmbalagem>());
        QCOMPARE(campo<TMaskEdit>(j, "FlatMaskEdit10")->maskText().trimmed(), QString("2"));
        QCOMPARE(campo<QLineEdit>(j, "FlatEdit3")->text(), QString("BIG BAG"));
        QCOMPARE(j.focusWidget(), campo<QLineEdit>(j, "FlatMaskEdit6"));
    }

    // Enter from the packaging code goes to the weight: the "..." beside it
    // is not on the way; a typed point is the decimal comma.
    void enterDoCodigoAoPeso()
    {
        BancoTeste b;
        tiposDeEmbalagem(b);
        DialogosRoteiro d;
        TFrmSelEmbalagem j;
        j.setProduto("7", "ARROZ");
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QCOMPARE(Operador::nomeDe(QApplication::focusWidget()), QStringLiteral("FlatMaskEdit10"));
        QTest::keyClicks(QApplication::focusWidget(), "1");
        QCOMPARE(Operador::caminhoDoEnter(1), QStringList{"FlatMaskEdit6"});
        QCOMPARE(campo<QLineEdit>(j, "FlatEdit3")->text(), QString("SACO 50KG"));
        QTest::keyClicks(QApplication::focusWidget(), "12.5");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(b.valor("select pre_peso from produto_embalagem where emb_codigo=1").toDouble(), 12.5);
        QVERIFY(!Operador::janelaAberta<TFrmCadEmbalagem>());
    }
};

QTEST_MAIN(TstEmbalagem)
#include "tst_embalagem.moc"
