// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Digitacao.h"
#include "Operador.h"
#include "TDBGrid.h"
#include "TFrmCadProdutos.h"
#include "TFrmUmidade.h"
#include "TMaskEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QToolButton>
#include <QtTest>

using namespace Digitacao;
using Operador::campo;

namespace
{

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");

void produtos(BancoTeste& b)
{
    b.exec(
        "update config set cfg_umidade=1, cfg_fator7='UMIDADE', cfg_fator8='IMPUREZA', cfg_fator9='ARDIDOS', "
        "cfg_fator10='QUEBRA'");
    b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('1', 1, 'SOJA')");
    b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('2', 2, 'MILHO')");
}

struct Janela {
    TFrmUmidade j;
    bool abrir() { return Operador::abrir(j); }
    void novo(const QString& produto, const QString& valor)
    {
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        digitaESai(campo<TMaskEdit>(j, "FlatMaskEdit1"), produto);
        digitaESai(campo<QLineEdit>(j, "FlatMaskEdit2"), valor);
    }
};

QStringList fatoresGravados(BancoTeste& b)
{
    QStringList r;
    QSqlQuery q(b.dm().DataBase1());
    q.exec(
        "select prd_codigo, umi_umidade, umi_tipo from umidade order by prd_codigo, umi_tipo, umi_umidade");
    while (q.next()) {
        r << QStringLiteral("%1:%2:%3")
                 .arg(q.value(0).toString(), Decimal::fromVariant(q.value(1)).toShortString(),
                      q.value(2).toString());
    }
    return r;
}

} // namespace

class TstUmidade : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cadastraFatores()
    {
        BancoTeste b;
        produtos(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QCOMPARE(w.j.windowTitle(), QString("Cadastro dos Fatores de Correção da Pesagem"));
        QCOMPARE(campo<QComboBox>(w.j, "ComboBox1")->itemText(0), QString("UMIDADE"));
        QCOMPARE(campo<QComboBox>(w.j, "ComboBox1")->itemText(3), QString("QUEBRA"));
        QCOMPARE(campo<QComboBox>(w.j, "ComboBox1")->currentIndex(), 0);
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        QVERIFY(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->hasFocus());
        digitaESai(campo<TMaskEdit>(w.j, "FlatMaskEdit1"), "1");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit1")->text(), QString("SOJA"));
        QVERIFY(!w.j.BtnSalvar->isEnabled());
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "2.5");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatMaskEdit2")->text(), QString("2,50"));
        QVERIFY(w.j.BtnSalvar->isEnabled());
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(d.mostradas.last().titulo, QString("Sucesso"));
        QCOMPARE(w.j.EstadoCadastro, 3);
        QVERIFY(campo<QLineEdit>(w.j, "FlatMaskEdit2")->text().isEmpty());
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->rowCount(), 1);
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->index(0, 2).data().toString(), QString("2,50"));

        // another type: the list follows the type chosen
        campo<QComboBox>(w.j, "ComboBox1")->setFocus();
        QTest::keyClick(campo<QComboBox>(w.j, "ComboBox1"), Qt::Key_Down);
        QTest::keyClick(campo<QComboBox>(w.j, "ComboBox1"), Qt::Key_Down);
        QCOMPARE(campo<QComboBox>(w.j, "ComboBox1")->currentIndex(), 2);
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->rowCount(), 0);
        w.novo("1", "2,5");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(fatoresGravados(b), QStringList({"1:2,5:7", "1:2,5:9"}));
    }

    // A product code of 13 digits (EAN-13) is typed whole: the factor is
    // stored against that product, not against its first twelve digits.
    void codigoDeTrezeDigitos()
    {
        BancoTeste b;
        produtos(b);
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('7891234567890', 'ARROZ')");
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('789123456789', 'OUTRO')");
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        w.novo("7891234567890", "3");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit1")->text(), QString("ARROZ"));
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(fatoresGravados(b), QStringList({"7891234567890:3:7"}));
    }

    void valorRecusado_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::newRow("100") << "100";
        QTest::newRow("acima de 100") << "150,5";
        QTest::newRow("vazio") << "";
        QTest::newRow("só vírgula") << ",";
    }
    void valorRecusado()
    {
        QFETCH(QString, valor);
        BancoTeste b;
        produtos(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        w.novo("1", valor);
        QCOMPARE(d.textos(), QStringList{"Fator de Correção precisa ser menor que 100%"});
        QCOMPARE(d.mostradas.last().titulo, QString("Informação"));
        QVERIFY(campo<QLineEdit>(w.j, "FlatMaskEdit2")->text().isEmpty());
        QVERIFY(!w.j.BtnSalvar->isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(),
                     static_cast<QWidget*>(campo<QLineEdit>(w.j, "FlatMaskEdit2"))); // back to the value
        // 99,99 is accepted
        d.limpar();
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "99,99");
        QVERIFY(d.mostradas.isEmpty());
        QVERIFY(w.j.BtnSalvar->isEnabled());
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(fatoresGravados(b), QStringList({"1:99,99:7"}));
    }

    void repetidoAoSair()
    {
        BancoTeste b;
        produtos(b);
        b.exec("insert into umidade values ('1', 2.5, 7)");
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        w.novo("1", "2,50");
        QCOMPARE(d.ultimo(), QString("Fator de Correção já cadastrado!"));
        QVERIFY(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().trimmed().isEmpty());
        QVERIFY(campo<QLineEdit>(w.j, "FlatMaskEdit2")->text().isEmpty());
        QTRY_COMPARE(w.j.focusWidget(), static_cast<QWidget*>(campo<TMaskEdit>(w.j, "FlatMaskEdit1")));
        // the same value for another product is fine
        d.limpar();
        digitaESai(campo<TMaskEdit>(w.j, "FlatMaskEdit1"), "2");
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "2,5");
        QVERIFY(d.mostradas.isEmpty());
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(fatoresGravados(b), QStringList({"1:2,5:7", "2:2,5:7"}));
    }

    // Saved from another workstation after the check: refused by the key.
    void repetidoAoSalvar()
    {
        BancoTeste b;
        produtos(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        w.novo("1", "3");
        b.exec("insert into umidade values ('1', 3, 7)");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QString("Erro ao efetuar a operação\rFator de correção já cadastrado."));
        QCOMPARE(d.mostradas.last().titulo, QString("Erro"));
        QCOMPARE(fatoresGravados(b), QStringList({"1:3:7"}));
        QVERIFY(!b.dm().InTransaction());
    }

    void produtoDesconhecido()
    {
        BancoTeste b;
        produtos(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        w.novo("9", "3");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit1")->text(), QString("NÃO CADASTRADO"));
        QVERIFY(!w.j.BtnSalvar->isEnabled());
        QTest::mouseClick(w.j.BtnCancelar, Qt::LeftButton);
        QVERIFY(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().trimmed().isEmpty() &&
                campo<QLineEdit>(w.j, "FlatEdit1")->text().isEmpty());
        QVERIFY(!campo<TMaskEdit>(w.j, "FlatMaskEdit1")->isEnabled());
        QCOMPARE(b.contar("select count(*) from umidade"), 0);
    }

    void exclusao()
    {
        BancoTeste b;
        produtos(b);
        b.exec("insert into umidade values ('1', 2, 7)");
        b.exec("insert into umidade values ('1', 3, 7)");
        b.exec("insert into umidade values ('1', 3, 8)");
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        digitaESai(campo<TMaskEdit>(w.j, "FlatMaskEdit1"), "1");
        QTest::mouseClick(w.j.BtnCancelar, Qt::LeftButton);
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->rowCount(), 2);
        campo<TDBGrid>(w.j, "DBGrid1")->setFocus();
        campo<TDBGrid>(w.j, "DBGrid1")->selecionar(0);
        QTest::keyClick(campo<TDBGrid>(w.j, "DBGrid1"), Qt::Key_Down);
        d.responder(Msg::RespNao);
        QTest::mouseClick(w.j.btnExcluir, Qt::LeftButton);
        QCOMPARE(b.contar("select count(*) from umidade"), 3);
        QTest::mouseClick(w.j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(fatoresGravados(b), QStringList({"1:2:7", "1:3:8"}));
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->rowCount(), 1);
    }

    void selecao_data()
    {
        QTest::addColumn<QString>("produto");
        QTest::addColumn<int>("fator");
        QTest::addColumn<int>("linhas");
        QTest::addColumn<QString>("valor");
        QTest::newRow("fator 9") << "1" << 9 << 2 << "4,50";
        QTest::newRow("fator sem valores") << "1" << 10 << 0 << "";
        QTest::newRow("outro produto") << "2" << 7 << 1 << "1,00";
    }
    void selecao()
    {
        QFETCH(QString, produto);
        QFETCH(int, fator);
        QFETCH(int, linhas);
        QFETCH(QString, valor);
        BancoTeste b;
        produtos(b);
        b.exec("insert into umidade values ('1', 2, 7)");
        b.exec("insert into umidade values ('1', 3, 9)");
        b.exec("insert into umidade values ('1', 4.5, 9)");
        b.exec("insert into umidade values ('2', 1, 7)");
        DialogosRoteiro d;
        Janela w;
        w.j.setSelecao(produto, fator);
        QVERIFY(w.abrir());
        QCOMPARE(campo<QComboBox>(w.j, "ComboBox1")->currentIndex(), fator - 7);
        QVERIFY(!campo<QComboBox>(w.j, "ComboBox1")->isVisible() && !w.j.BtnNovo->isVisible() &&
                !w.j.BtnSalvar->isVisible() && !w.j.btnExcluir->isVisible() && !w.j.BtnCancelar->isVisible());
        QCOMPARE(w.j.btnSair->text(), QString("&OK"));
        QVERIFY(campo<TDBGrid>(w.j, "DBGrid1")->hasFocus());
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->rowCount(), linhas);
        if (linhas > 0) {
            QTest::keyClick(campo<TDBGrid>(w.j, "DBGrid1"), Qt::Key_Down);
        }
        QTest::keyClick(campo<TDBGrid>(w.j, "DBGrid1"), Qt::Key_Return);
        QVERIFY(!w.j.isVisible());
        QCOMPARE(w.j.valorSelecionado(), valor);
        QVERIFY(d.mostradas.isEmpty());
    }

    // Leaving the list closes the selection.
    void selecaoFechaAoSairDaLista()
    {
        BancoTeste b;
        produtos(b);
        b.exec("insert into umidade values ('1', 2, 7)");
        DialogosRoteiro d;
        Janela w;
        w.j.setSelecao("1", 7);
        QVERIFY(w.abrir());
        QTest::keyClick(campo<TDBGrid>(w.j, "DBGrid1"), Qt::Key_Tab);
        QVERIFY(!w.j.isVisible());
        QCOMPARE(w.j.valorSelecionado(), QString("2,00"));
    }

    void produtoEscolhidoNoCadastro()
    {
        BancoTeste b;
        produtos(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        bool seletor = false;
        Operador::quandoAbrir<TFrmCadProdutos>([&seletor](TFrmCadProdutos* p) {
            seletor = p->comoSeletor();
            Operador::campo<TDBGrid>(p, "DBGrid1")->selecionar(1);
            QTest::keyClick(Operador::campo<TDBGrid>(p, "DBGrid1"), Qt::Key_Return);
        });
        QTest::keyClick(campo<TMaskEdit>(w.j, "FlatMaskEdit1"), Qt::Key_F2);
        QVERIFY(seletor);
        QVERIFY(!Operador::janelaAberta<TFrmCadProdutos>());
        QCOMPARE(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().trimmed(), QString("2"));
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit1")->text(), QString("MILHO"));
        QCOMPARE(w.j.focusWidget(), campo<QLineEdit>(w.j, "FlatMaskEdit2"));
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "5");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(fatoresGravados(b), QStringList({"2:5:7"}));
    }
};

QTEST_MAIN(TstUmidade)
#include "tst_umidade.moc"
