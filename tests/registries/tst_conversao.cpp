// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "Conversao.h"
#include "DialogosRoteiro.h"
#include "Digitacao.h"
#include "Operador.h"
#include "TDBGrid.h"
#include "TFrmConversao.h"
#include "TMaskEdit.h"
#include "TstrGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QToolButton>
#include <QtTest>

using namespace Digitacao;
using Operador::campo;

Q_DECLARE_METATYPE(DescontoUmidade::Situacao)

namespace
{

Decimal dec(const char* t)
{
    return Decimal::fromText(QString::fromLatin1(t));
}

TabelaConversao formula(const char* final)
{
    TabelaConversao t;
    t.formula = true;
    t.umidadeFinal = dec(final);
    return t;
}

// Ranges 10-12 (1 %), 12-14 (2 %), 14,5-20 (6,5 %): 12 lies in two of them.
TabelaConversao faixas()
{
    TabelaConversao t;
    t.faixas = {{dec("10"), dec("12"), dec("1")},
                {dec("12"), dec("14"), dec("2")},
                {dec("14,5"), dec("20"), dec("6,5")}};
    return t;
}

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");
const QString emUso = QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!");

void adicionaFaixa(TFrmConversao& j, const QString& ini, const QString& fim, const QString& desc)
{
    digita(campo<QLineEdit>(j, "FlatMaskEdit2"), ini);
    digita(campo<QLineEdit>(j, "FlatMaskEdit3"), fim);
    digita(campo<QLineEdit>(j, "FlatMaskEdit5"), desc);
    QTest::mouseClick(campo<QPushButton>(j, "BtnOK"), Qt::LeftButton);
}

QStringList faixasGravadas(BancoTeste& b, int codigo)
{
    QSqlQuery q(b.dm().DataBase1());
    q.exec(QStringLiteral("select tac_inicial, tac_final, tac_desconto from tabconversao where tab_codigo=%1 "
                          "order by tac_inicial")
               .arg(codigo));
    QStringList r;
    while (q.next()) {
        r << QStringLiteral("%1-%2:%3")
                 .arg(Decimal::fromVariant(q.value(0)).toShortString(),
                      Decimal::fromVariant(q.value(1)).toShortString(),
                      Decimal::fromVariant(q.value(2)).toShortString());
    }
    return r;
}

} // namespace

class TstConversao : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The moisture discount of a weighing, from a formula or a range table.
    void desconto_data()
    {
        QTest::addColumn<bool>("temTabela");
        QTest::addColumn<bool>("ehFormula");
        QTest::addColumn<QString>("umidade");
        QTest::addColumn<DescontoUmidade::Situacao>("situacao");
        QTest::addColumn<QString>("desconto");
        QTest::addColumn<bool>("zeraUmidade");

        QTest::newRow("fórmula 18 sobre 14")
            << true << true << "18" << DescontoUmidade::Calculado << "4,6512" << false;
        QTest::newRow("fórmula 18 sobre 13, arredonda")
            << true << true << "18;13" << DescontoUmidade::Calculado << "5,7471" << false;
        QTest::newRow("fórmula igual ao final")
            << true << true << "14" << DescontoUmidade::AbaixoDoFinal << "0" << false;
        QTest::newRow("fórmula abaixo do final")
            << true << true << "9,5" << DescontoUmidade::AbaixoDoFinal << "0" << false;
        QTest::newRow("final 100 não divide por zero")
            << true << true << "101;100" << DescontoUmidade::AbaixoDoFinal << "0" << false;
        QTest::newRow("umidade zero") << true << true << "0" << DescontoUmidade::UmidadeZero << "0" << true;
        QTest::newRow("sem tabela") << false << false << "15" << DescontoUmidade::SemConversao << "0" << true;
        QTest::newRow("sem tabela, umidade zero")
            << false << false << "0" << DescontoUmidade::UmidadeZero << "0" << true;
        QTest::newRow("faixa sobreposta: a primeira")
            << true << false << "12" << DescontoUmidade::Calculado << "1" << false;
        QTest::newRow("limite inferior incluído")
            << true << false << "10" << DescontoUmidade::Calculado << "1" << false;
        QTest::newRow("limite superior incluído")
            << true << false << "14" << DescontoUmidade::Calculado << "2" << false;
        QTest::newRow("dentro da terceira")
            << true << false << "14,5" << DescontoUmidade::Calculado << "6,5" << false;
        QTest::newRow("no vão entre faixas")
            << true << false << "14,2" << DescontoUmidade::ForaDaTabela << "0" << true;
        QTest::newRow("abaixo de todas")
            << true << false << "9,9999" << DescontoUmidade::ForaDaTabela << "0" << true;
        QTest::newRow("acima de todas")
            << true << false << "20,0001" << DescontoUmidade::ForaDaTabela << "0" << true;
        QTest::newRow("tabela sem faixas")
            << true << false << "sem;12" << DescontoUmidade::SemFaixas << "0" << true;
    }
    void desconto()
    {
        QFETCH(bool, temTabela);
        QFETCH(bool, ehFormula);
        QFETCH(QString, umidade);
        QFETCH(DescontoUmidade::Situacao, situacao);
        QFETCH(QString, desconto);
        QFETCH(bool, zeraUmidade);
        // "umidade;final" for the formula, "sem;umidade" for a table without ranges
        const QStringList partes = umidade.split(u';');
        std::optional<TabelaConversao> t;
        if (temTabela) {
            t = ehFormula ? formula(partes.size() > 1 ? qPrintable(partes[1]) : "14") : faixas();
            if (partes[0] == QLatin1String("sem")) {
                t->faixas.clear();
            }
        }
        const QString u = partes[0] == QLatin1String("sem") ? partes[1] : partes[0];
        const DescontoUmidade r = DescontoUmidade::calcula(t, Decimal::fromText(u));
        QCOMPARE(r.situacao, situacao);
        QCOMPARE(r.desconto, Decimal::fromText(desconto));
        QCOMPARE(r.zeraUmidade(), zeraUmidade);
    }

    void mensagensDoDesconto()
    {
        DescontoUmidade r;
        const QList<QPair<DescontoUmidade::Situacao, QString>> casos{
            {DescontoUmidade::SemConversao, "Conversão de Umidade não cadastrada para este produto."},
            {DescontoUmidade::AbaixoDoFinal, "Umidade menor que Umidade Final. Desconto 0%."},
            {DescontoUmidade::SemFaixas, "Tabela de Conversão de Umidade não cadastrada para este produto."},
            {DescontoUmidade::ForaDaTabela,
             "Umidade não se enquadra na Tabela de Conversão de Umidade cadastrada para este produto."},
            {DescontoUmidade::Calculado, ""},
            {DescontoUmidade::UmidadeZero, ""}};
        for (const auto& c : casos) {
            r.situacao = c.first;
            QCOMPARE(r.mensagem(), c.second);
        }
    }

    // The weighing reads the product's table from the database.
    void descontoDoProdutoNoBanco()
    {
        BancoTeste b;
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, 'F', "
               "1, 14)");
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (2, 'T', "
               "0, 0)");
        // stored out of order: the lower range still wins for 12
        b.exec("insert into tabconversao values (2, 12, 14, 2)");
        b.exec("insert into tabconversao values (2, 10, 12, 1)");
        b.exec("insert into produto (prd_codigo, prd_descricao, tab_codigo) values ('1', 'SOJA', 1)");
        b.exec("insert into produto (prd_codigo, prd_descricao, tab_codigo) values ('2', 'MILHO', 2)");
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('3', 'SORGO')");
        auto r = DescontoUmidade::doProduto(b.dm(), "1", dec("18"));
        QCOMPARE(r.desconto.toString(2), QString("4,65"));
        r = DescontoUmidade::doProduto(b.dm(), "2", dec("12"));
        QCOMPARE(r.desconto, dec("1"));
        QCOMPARE(DescontoUmidade::doProduto(b.dm(), "3", dec("12")).situacao, DescontoUmidade::SemConversao);
        QCOMPARE(DescontoUmidade::doProduto(b.dm(), "9", dec("12")).situacao, DescontoUmidade::SemConversao);
    }

    void novaTabelaDeFaixas()
    {
        BancoTeste b;
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (4, 'X', "
               "1, 14)");
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->Cells(0, 0), QString("Umid. Inicial"));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QCOMPARE(j.EstadoCadastro, 0);
        QCOMPARE(campo<TMaskEdit>(j, "FlatMaskEdit1")->maskText().trimmed(), QString("5"));
        QVERIFY(campo<QLineEdit>(j, "FlatEdit1")->hasFocus());
        QTest::keyClicks(campo<QLineEdit>(j, "FlatEdit1"), "milho d'agua");
        QVERIFY(!j.BtnSalvar->isEnabled());    // no range yet
        adicionaFaixa(j, "10", "12.5", "1,5"); // a point is typed as the comma
        adicionaFaixa(j, "12,6", "14", "3");
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->Cells(1, 1), QString("12,50"));
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->Cells(2, 2), QString("3,00"));
        QCOMPARE(campo<QLineEdit>(j, "FlatMaskEdit5")->text(), QString("3")); // the fields keep their values
        QVERIFY(j.BtnSalvar->isEnabled());
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(d.mostradas.last().titulo, QString("Sucesso"));
        QCOMPARE(b.valor("select tab_descricao from conversao where tab_codigo=5").toString(),
                 QString("MILHO D AGUA"));
        QCOMPARE(b.contar("select tab_formula1 from conversao where tab_codigo=5"), 0);
        QCOMPARE(faixasGravadas(b, 5), QStringList({"10-12,5:1,5", "12,6-14:3"}));
        QCOMPARE(j.EstadoCadastro, 3);
        QVERIFY(campo<TstrGrid>(j, "strGrid1")->IsEmpty());
        QCOMPARE(campo<TDBGrid>(j, "DBGrid1")->model()->rowCount(), 2);
    }

    void faixaRecusada_data()
    {
        QTest::addColumn<QString>("inicial");
        QTest::addColumn<QString>("final");
        QTest::addColumn<QString>("desconto");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("vazio") << ""
                               << "12"
                               << "1"
                               << "Valores inválidos";
        QTest::newRow("só vírgula") << "10"
                                    << ","
                                    << "1"
                                    << "Valores inválidos";
        QTest::newRow("acima de 100") << "10"
                                      << "100,01"
                                      << "1"
                                      << "Valores devem ser menores ou iguais a 100 %";
        QTest::newRow("desconto acima de 100") << "10"
                                               << "12"
                                               << "101"
                                               << "Valores devem ser menores ou iguais a 100 %";
        QTest::newRow("inicial acima do final") << "14"
                                                << "12"
                                                << "1"
                                                << "Valor inicial deve ser menor que valor final";
    }
    void faixaRecusada()
    {
        QFETCH(QString, inicial);
        QFETCH(QString, final);
        QFETCH(QString, desconto);
        QFETCH(QString, mensagem);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(campo<QLineEdit>(j, "FlatEdit1"), "TABELA");
        adicionaFaixa(j, inicial, final, desconto);
        QCOMPARE(d.textos(), QStringList{mensagem});
        QCOMPARE(d.mostradas.last().titulo, QString("Informação"));
        QVERIFY(campo<TstrGrid>(j, "strGrid1")->IsEmpty());
        QVERIFY(!j.BtnSalvar->isEnabled());
        QVERIFY(campo<QLineEdit>(j, "FlatMaskEdit2")->hasFocus());
        // the same range limits 100 and equal bounds are accepted
        adicionaFaixa(j, "100", "100", "100");
        QVERIFY(!campo<TstrGrid>(j, "strGrid1")->IsEmpty());
    }

    void tabelaDeFormula()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QVERIFY(!campo<QLineEdit>(j, "FlatMaskEdit4")->isEnabled()); // range mode first
        QTest::keyClicks(campo<QLineEdit>(j, "FlatEdit1"), "SOJA");
        marca(campo<QCheckBox>(j, "CheckBox1"));
        QVERIFY(campo<QCheckBox>(j, "CheckBox1")->isChecked());
        QVERIFY(campo<QLineEdit>(j, "FlatMaskEdit4")->isEnabled());
        QVERIFY(!campo<QLineEdit>(j, "FlatMaskEdit2")->isEnabled());
        QVERIFY(!j.BtnSalvar->isEnabled());
        digita(campo<QLineEdit>(j, "FlatMaskEdit4"), "150,5");
        QVERIFY(!j.BtnSalvar->isEnabled());
        QTest::keyClick(campo<QLineEdit>(j, "FlatMaskEdit4"), Qt::Key_Return);
        QVERIFY(campo<QLineEdit>(j, "FlatMaskEdit4")->text().isEmpty()); // above 100 is cleared on leaving
        digita(campo<QLineEdit>(j, "FlatMaskEdit4"), "14,5");
        QVERIFY(j.BtnSalvar->isEnabled());
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.contar("select tab_formula1 from conversao where tab_codigo=1"), 1);
        QCOMPARE(Decimal::fromVariant(b.valor("select tab_final from conversao where tab_codigo=1")),
                 dec("14,5"));
        QCOMPARE(b.contar("select count(*) from tabconversao"), 0);
    }

    // Editing replaces the ranges; the table keeps its row, so the products
    // that use it keep pointing to it.
    void edicaoSubstituiAsFaixas()
    {
        BancoTeste b;
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, "
               "'MILHO', 0, 0)");
        b.exec("insert into tabconversao values (1, 10, 12, 1)");
        b.exec("insert into tabconversao values (1, 12.01, 14, 2)");
        b.exec("insert into tabconversao values (1, 14.01, 16, 3)");
        b.exec("insert into produto (prd_codigo, prd_descricao, tab_codigo) values ('1', 'MILHO', 1)");
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        abreLinha(campo<TDBGrid>(j, "DBGrid1"), 0);
        QCOMPARE(j.EstadoCadastro, 1);
        QCOMPARE(campo<QLineEdit>(j, "FlatEdit1")->text(), QString("MILHO"));
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->RowCount(), 4);
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->Cells(0, 2), QString("12,01"));
        // the middle range goes (No first, then Yes)
        campo<TstrGrid>(j, "strGrid1")->setFocus();
        campo<TstrGrid>(j, "strGrid1")->setRow(2);
        d.responder(Msg::RespNao);
        QTest::keyClick(campo<TstrGrid>(j, "strGrid1"), Qt::Key_Delete);
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->RowCount(), 4);
        QTest::keyClick(campo<TstrGrid>(j, "strGrid1"), Qt::Key_Delete);
        QCOMPARE(d.mostradas.last().texto, QString("Deseja deletar esse Desconto da Tabela de Umidade ?"));
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->RowCount(), 3);
        adicionaFaixa(j, "16,01", "18", "4");
        digita(campo<QLineEdit>(j, "FlatEdit1"), "MILHO SECO");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(faixasGravadas(b, 1), QStringList({"10-12:1", "14,01-16:3", "16,01-18:4"}));
        QCOMPARE(b.valor("select tab_descricao from conversao where tab_codigo=1").toString(),
                 QString("MILHO SECO"));
        QCOMPARE(b.contar("select tab_codigo from produto where prd_codigo='1'"), 1);
    }

    // Switching a range table to the formula drops its ranges.
    void edicaoParaFormula()
    {
        BancoTeste b;
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, "
               "'MILHO', 0, 0)");
        b.exec("insert into tabconversao values (1, 10, 12, 1)");
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        abreLinha(campo<TDBGrid>(j, "DBGrid1"), 0);
        marca(campo<QCheckBox>(j, "CheckBox1"));
        digita(campo<QLineEdit>(j, "FlatMaskEdit4"), "13");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.contar("select count(*) from tabconversao"), 0);
        QCOMPARE(b.contar("select tab_formula1 from conversao where tab_codigo=1"), 1);
    }

    void exclusao()
    {
        BancoTeste b;
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, 'A', "
               "0, 0)");
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (2, 'B', "
               "0, 0)");
        b.exec("insert into tabconversao values (1, 10, 12, 1)");
        b.exec("insert into tabconversao values (2, 10, 12, 1)");
        b.exec("insert into produto (prd_codigo, prd_descricao, tab_codigo) values ('1', 'MILHO', 2)");
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        // No keeps the table
        campo<TDBGrid>(j, "DBGrid1")->selecionar(0);
        d.responder(Msg::RespNao);
        QTest::mouseClick(j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QString("Confirma exclusão do registro?"));
        QCOMPARE(b.contar("select count(*) from conversao"), 2);
        // a table in use stays, with its ranges
        campo<TDBGrid>(j, "DBGrid1")->selecionar(1);
        QTest::mouseClick(j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), emUso);
        QCOMPARE(d.mostradas.last().titulo, QString("Informação"));
        QCOMPARE(b.contar("select count(*) from tabconversao where tab_codigo=2"), 1);
        // a free one goes with its ranges
        campo<TDBGrid>(j, "DBGrid1")->selecionar(0);
        QTest::mouseClick(j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.contar("select count(*) from conversao"), 1);
        QCOMPARE(b.contar("select count(*) from tabconversao where tab_codigo=1"), 0);
        QCOMPARE(campo<TDBGrid>(j, "DBGrid1")->model()->rowCount(), 1);
    }

    // Another workstation took the proposed code: the save is refused whole.
    void codigoTomadoPorOutraEstacao()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(campo<QLineEdit>(j, "FlatEdit1"), "MINHA");
        adicionaFaixa(j, "10", "12", "1");
        b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, "
               "'OUTRA', 1, 14)");
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QString("Erro ao efetuar a operação\rConversão de Umidade já cadastrada."));
        QCOMPARE(d.mostradas.last().titulo, QString("Erro"));
        QCOMPARE(b.valor("select tab_descricao from conversao where tab_codigo=1").toString(),
                 QString("OUTRA"));
        QCOMPARE(b.contar("select count(*) from tabconversao"), 0);
    }

    // A table of ranges typed with Enter only: Enter on "&OK" adds the range
    // and the focus returns to "Umidade Inicial:" for the next one.
    void faixasPeloTeclado()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmConversao j;
        QVERIFY(Operador::abrir(j));
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(campo<QLineEdit>(j, "FlatEdit1"), "soja");
        QCOMPARE(Operador::caminhoDoEnter(2), (QStringList{"CheckBox1", "FlatMaskEdit2"}));
        for (const QStringList& faixa : {QStringList{"10", "12", "1.5"}, QStringList{"12", "14", "2"}}) {
            QTest::keyClicks(campo<QLineEdit>(j, "FlatMaskEdit2"), faixa[0]);
            QTest::keyClick(campo<QLineEdit>(j, "FlatMaskEdit2"), Qt::Key_Return);
            QTest::keyClicks(campo<QLineEdit>(j, "FlatMaskEdit3"), faixa[1]);
            QTest::keyClick(campo<QLineEdit>(j, "FlatMaskEdit3"), Qt::Key_Return);
            QTest::keyClicks(campo<QLineEdit>(j, "FlatMaskEdit5"), faixa[2]);
            QCOMPARE(Operador::caminhoDoEnter(2), (QStringList{"BtnOK", "FlatMaskEdit2"}));
            for (QLineEdit* e : {campo<QLineEdit>(j, "FlatMaskEdit2"), campo<QLineEdit>(j, "FlatMaskEdit3"),
                                 campo<QLineEdit>(j, "FlatMaskEdit5")}) {
                e->clear();
            }
        }
        QCOMPARE(campo<TstrGrid>(j, "strGrid1")->RowCount(), 3);
        QTest::mouseClick(j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(b.contar("select count(*) from tabconversao"), 2);
        QCOMPARE(b.valor("select tac_desconto from tabconversao where tac_inicial=10").toDouble(), 1.5);
    }
};

QTEST_MAIN(TstConversao)
#include "tst_conversao.moc"
