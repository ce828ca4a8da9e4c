// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Digitacao.h"
#include "Operador.h"
#include "Produto.h"
#include "TFrmCadProdutos.h"
#include "TFrmConversao.h"
#include "TFrmSelEmbalagem.h"
#include "TMaskEdit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace Digitacao;
using Operador::campo;

namespace
{

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");
const QString naoCadastrado = QStringLiteral("NÃO CADASTRADO");

void comFatores(BancoTeste& b)
{
    b.exec(
        "update config set cfg_umidade=1, cfg_fator1='IMPUREZA', cfg_fator2='AVARIA', cfg_fator3='QUEBRA'");
    b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, 'SOJA 14', "
           "1, 14)");
    b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (2, 'MILHO "
           "13', 1, 13)");
}

Decimal dec(const QVariant& v)
{
    return Decimal::fromVariant(v);
}

struct Janela {
    TFrmCadProdutos j;
    bool abrir() { return Operador::abrir(j); }
    // "Fator 01" ... "Fator 06": FlatEdit4 ... FlatEdit9
    QLineEdit* fator(size_t i) { return j.findChild<QLineEdit*>(QStringLiteral("FlatEdit%1").arg(i + 4)); }
    QList<QLineEdit*> fatores()
    {
        QList<QLineEdit*> f;
        for (size_t i = 0; i < 6; ++i) {
            f << fator(i);
        }
        return f;
    }
};

} // namespace

class TstProdutos : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // 13-digit codes are stored whole (PostgreSQL refused them as 32-bit
    // integers) and the next code proposed follows them.
    void codigoDeTrezeDigitos()
    {
        BancoTeste b;
        DadosProduto p;
        p.codigo = "7891234567890";
        p.descricao = "ARROZ";
        CadastroProduto::salvar(b.dm(), p, true, false);
        QCOMPARE(b.valor("select prd_codigoint from produto").toLongLong(), 7891234567890LL);
        QCOMPARE(CadastroProduto::proximoCodigo(b.dm()), 7891234567891LL);
    }

    void proximoCodigo_data()
    {
        QTest::addColumn<QStringList>("produtos");
        QTest::addColumn<QString>("proposto");
        QTest::newRow("tabela vazia") << QStringList{} << "1";
        QTest::newRow("maior código numérico, não o texto") << QStringList{"1:1", "2:2", "10:10"} << "11";
        QTest::newRow("códigos alfanuméricos guardam 0") << QStringList{"5:5", "ABC:0", "XYZ:0"} << "6";
    }
    void proximoCodigo()
    {
        QFETCH(QStringList, produtos);
        QFETCH(QString, proposto);
        BancoTeste b;
        for (const QString& p : produtos) {
            const QStringList c = p.split(u':');
            b.exec(
                QStringLiteral(
                    "insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('%1', %2, 'P')")
                    .arg(c[0], c[1]));
        }
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        QCOMPARE(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().trimmed(), proposto);
        QVERIFY(campo<QLineEdit>(w.j, "FlatEdit1")->hasFocus());
    }

    void novoProdutoComFatores()
    {
        BancoTeste b;
        comFatores(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(campo<QLineEdit>(w.j, "FlatEdit1"), "soja d'agua");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit1")->text(), QString("SOJA D'AGUA"));
        digitaESai(w.fator(0), "10");
        QCOMPARE(w.fator(5)->text(), QString("0,00")); // a field without a number reads 0,00
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit10")->text(), QString("0,90"));
        digitaESai(w.fator(1), "10.5"); // the point is typed as the comma
        digitaESai(w.fator(2), "9,5");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit10")->text(), QString("0,70"));
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "2");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit11")->text(), QString("MILHO 13"));
        QVERIFY(w.j.BtnSalvar->isEnabled());
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(d.mostradas.last().titulo, QString("Sucesso"));
        QCOMPARE(b.valor("select prd_descricao from produto where prd_codigo='1'").toString(),
                 QString("SOJA D AGUA"));
        QCOMPARE(b.contar("select prd_codigoint from produto where prd_codigo='1'"), 1);
        QCOMPARE(dec(b.valor("select prd_fator2 from produto")), Decimal::fromText("10,5"));
        QCOMPARE(dec(b.valor("select prd_fator3 from produto")), Decimal::fromText("9,5"));
        QCOMPARE(dec(b.valor("select prd_fator6 from produto")), Decimal());
        QVERIFY(!b.valor("select prd_fator6 from produto").isNull());
        QVERIFY(b.valor("select prd_densidade from produto").isNull());
        QVERIFY(b.valor("select prd_vlrtonelada from produto").isNull());
        QCOMPARE(b.contar("select tab_codigo from produto"), 2);
        QCOMPARE(w.j.EstadoCadastro, 3);
        QVERIFY(campo<QLineEdit>(w.j, "FlatEdit1")->text().isEmpty() &&
                campo<QLineEdit>(w.j, "FlatEdit10")->text().isEmpty());
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->rowCount(), 1);
    }

    void correcaoCombinada_data()
    {
        QTest::addColumn<QStringList>("fatores");
        QTest::addColumn<QString>("correcao");
        QTest::addColumn<bool>("passou");
        QTest::newRow("10+10+10") << QStringList{"10", "10", "10"} << "0,70" << false;
        QTest::newRow("exatamente 100") << QStringList{"40", "60"} << "0,00" << false;
        QTest::newRow("60+50") << QStringList{"60", "50"} << "1,00" << true;
        QTest::newRow("com decimais") << QStringList{"0,5", "0,25"} << "0,99" << false;
    }
    void correcaoCombinada()
    {
        QFETCH(QStringList, fatores);
        QFETCH(QString, correcao);
        QFETCH(bool, passou);
        BancoTeste b;
        comFatores(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        for (int i = 0; i < fatores.size(); ++i) {
            digitaESai(w.fator(size_t(i)), fatores[i]);
        }
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit10")->text(), correcao);
        if (passou) {
            QCOMPARE(d.textos(),
                     QStringList{"A soma dos campos passou de 100% por favor redigite os valores!"});
            QCOMPARE(d.mostradas.last().titulo, QString("Informação"));
            for (QLineEdit* f : w.fatores()) {
                QCOMPARE(f->text(), QString("0,00"));
            }
            QTRY_COMPARE(w.j.focusWidget(), static_cast<QWidget*>(w.fator(0)));
        } else {
            QVERIFY(d.mostradas.isEmpty());
        }
        // the pure rule agrees
        const auto c = CadastroProduto::correcaoCombinada(fatores);
        QCOMPARE(!c.has_value(), passou);
    }

    void tabelaDeUmidadeDesconhecida()
    {
        BancoTeste b;
        comFatores(b);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(campo<QLineEdit>(w.j, "FlatEdit1"), "SOJA");
        QVERIFY(w.j.BtnSalvar->isEnabled());
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "9");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit11")->text(), naoCadastrado);
        QVERIFY(!w.j.BtnSalvar->isEnabled());
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "");
        QVERIFY(campo<QLineEdit>(w.j, "FlatEdit11")->text().isEmpty());
        QVERIFY(w.j.BtnSalvar->isEnabled());
        // typed but not left: the save looks it up again and stops
        digita(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "8");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit11")->text(), naoCadastrado);
        QCOMPARE(b.contar("select count(*) from produto"), 0);
        QCOMPARE(w.j.EstadoCadastro, 0);
    }

    void codigosAlfanumericos()
    {
        BancoTeste b;
        b.exec("update config set cfg_prdalfa=1");
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('7', 7, 'ANTIGO')");
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        QVERIFY(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().isEmpty()); // the operator types the code
        QCOMPARE(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maxLength(), 13);
        digitaESai(campo<TMaskEdit>(w.j, "FlatMaskEdit1"), "SJ-01");
        QTest::keyClicks(campo<QLineEdit>(w.j, "FlatEdit1"), "SOJA");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.contar("select prd_codigoint from produto where prd_codigo='SJ-01'"), 0);
    }

    void codigoJaUsadoAoSair()
    {
        BancoTeste b;
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('5', 5, 'SOJA')");
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        digitaESai(campo<TMaskEdit>(w.j, "FlatMaskEdit1"), "5");
        QCOMPARE(d.ultimo(), QString("O registro não pode ser inserido pois está sendo utilizado!"));
        QCOMPARE(d.mostradas.last().titulo, QString("Informação"));
        QVERIFY(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().trimmed().isEmpty());
        QTRY_COMPARE(w.j.focusWidget(), static_cast<QWidget*>(campo<TMaskEdit>(w.j, "FlatMaskEdit1")));
    }

    // Another workstation saved the same code meanwhile: nothing is overwritten.
    void codigoTomadoAntesDeSalvar()
    {
        BancoTeste b;
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(campo<QLineEdit>(w.j, "FlatEdit1"), "MINHA");
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('1', 1, 'OUTRA')");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QString("Código ja esta sendo utilizado."));
        QCOMPARE(b.valor("select prd_descricao from produto where prd_codigo='1'").toString(),
                 QString("OUTRA"));
        QVERIFY(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().trimmed().isEmpty());
        QCOMPARE(w.j.EstadoCadastro, 0);
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit1")->text(), QString("MINHA"));
    }

    void edicao()
    {
        BancoTeste b;
        comFatores(b);
        b.exec("update config set cfg_vlrtonelada=1, cfg_casasdecimais=3");
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao, prd_fator1, prd_fator2, "
               "tab_codigo, "
               "prd_vlrtonelada) values ('3', 3, 'MILHO', 12.5, 2, 2, 45.1)");
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        abreLinha(campo<TDBGrid>(w.j, "DBGrid1"), 0);
        QCOMPARE(w.j.EstadoCadastro, 1);
        QVERIFY(!campo<TMaskEdit>(w.j, "FlatMaskEdit1")->isEnabled());
        QCOMPARE(campo<TMaskEdit>(w.j, "FlatMaskEdit1")->maskText().trimmed(), QString("3"));
        QCOMPARE(w.fator(0)->text(), QString("12,500"));
        QVERIFY(w.fator(3)->text().isEmpty());
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit3")->text(), QString("45,100"));
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit11")->text(), QString("MILHO 13"));
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit10")->text(), QString("0,86"));
        QVERIFY(campo<QLineEdit>(w.j, "FlatEdit1")->hasFocus());
        digita(campo<QLineEdit>(w.j, "FlatEdit1"), "MILHO SECO");
        digitaESai(campo<QLineEdit>(w.j, "FlatEdit3"), "50,25");
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit3")->text(), QString("50,250"));
        digitaESai(campo<QLineEdit>(w.j, "FlatMaskEdit2"), "");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.ultimo(), sucesso);
        QCOMPARE(b.valor("select prd_descricao from produto where prd_codigo='3'").toString(),
                 QString("MILHO SECO"));
        QVERIFY(b.valor("select tab_codigo from produto where prd_codigo='3'").isNull());
        QCOMPARE(dec(b.valor("select prd_fator2 from produto")), Decimal::fromInt(2));
        QCOMPARE(dec(b.valor("select prd_fator1 from produto")), Decimal::fromText("12,5"));
        QCOMPARE(dec(b.valor("select prd_vlrtonelada from produto")), Decimal::fromText("50,25"));
        QCOMPARE(b.contar("select count(*) from produto"), 1);
    }

    void exclusao_data()
    {
        QTest::addColumn<QString>("uso");
        QTest::newRow("livre") << "";
        QTest::newRow("fator de correção") << "insert into umidade values ('1', 2, 7)";
        QTest::newRow("embalagem") << "insert into produto_embalagem values (1, '1', 50)";
        QTest::newRow("pesagem") << "insert into pesagemproduto (pes_codigo, prd_codigo) values (1, '1')";
    }
    void exclusao()
    {
        QFETCH(QString, uso);
        BancoTeste b;
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('1', 1, 'SOJA')");
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('2', 2, 'MILHO')");
        b.exec("insert into embalagem values (1, 'SACO', 1)");
        b.exec("insert into pesagem (pes_codigo) values (1)");
        if (!uso.isEmpty()) {
            b.exec(uso);
        }
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        campo<TDBGrid>(w.j, "DBGrid1")->selecionar(0);
        QTest::mouseClick(w.j.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.mostradas.first().texto, QString("Confirma exclusão do registro?"));
        if (uso.isEmpty()) {
            QCOMPARE(d.ultimo(), sucesso);
            QCOMPARE(b.contar("select count(*) from produto where prd_codigo='1'"), 0);
            QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->model()->rowCount(), 1);
        } else {
            QCOMPARE(d.ultimo(), QString("O registro não pode ser excluído pois está sendo utilizado!"));
            QCOMPARE(d.mostradas.last().titulo, QString("Informação"));
            QCOMPARE(b.contar("select count(*) from produto where prd_codigo='1'"), 1);
        }
        QCOMPARE(b.contar("select count(*) from produto where prd_codigo='2'"), 1);
    }

    // A failing statement leaves nothing written and the entries in place.
    void falhaDoBancoAoSalvar()
    {
        BancoTeste b;
        if (b.postgres()) {
            b.exec("create function recusa() returns trigger as $$ begin raise exception 'gravacao "
                   "recusada'; end; $$ "
                   "language plpgsql");
            b.exec("create trigger recusa before insert on produto for each row execute function recusa()");
        } else {
            b.exec("create trigger recusa before insert on produto begin select raise(abort, 'gravacao "
                   "recusada'); "
                   "end");
        }
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(campo<QLineEdit>(w.j, "FlatEdit1"), "SOJA");
        QTest::mouseClick(w.j.BtnSalvar, Qt::LeftButton);
        QVERIFY2(d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")),
                 qPrintable(d.ultimo()));
        QVERIFY(d.ultimo().contains(QStringLiteral("gravacao recusada")));
        QCOMPARE(d.mostradas.last().titulo, QString("Erro"));
        QCOMPARE(b.contar("select count(*) from produto"), 0);
        QCOMPARE(w.j.EstadoCadastro, 0);
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit1")->text(), QString("SOJA"));
        QVERIFY(!b.dm().InTransaction());
    }

    void camposPelaConfiguracao_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<bool>("densidade");
        QTest::addColumn<bool>("vlrTonelada");
        QTest::addColumn<bool>("fatores");
        QTest::addColumn<bool>("embalagens");
        QTest::addColumn<QStringList>("colunas");
        QTest::newRow("padrão") << "cfg_umidade=0" << false << false << false << false
                                << QStringList{"Código", "Produto"};
        QTest::newRow("fatores") << "cfg_umidade=2, cfg_fator1='IMPUREZA'" << false << false << true << false
                                 << QStringList{"Código",   "Produto",  "IMPUREZA", "Fator 02", "Fator 03",
                                                "Fator 04", "Fator 05", "Fator 06", "Umidade"};
        QTest::newRow("metros cúbicos") << "cfg_metroscubicos=1, cfg_vlrtonelada=1" << true << false << false
                                        << false << QStringList{"Código", "Produto", "Densidade"};
        QTest::newRow("valor por tonelada") << "cfg_vlrtonelada=1" << false << true << false << false
                                            << QStringList{"Código", "Produto", "Vlr. T."};
        QTest::newRow("embalagens") << "cfg_cadembalagem=1" << false << false << false << true
                                    << QStringList{"Código", "Produto"};
    }
    void camposPelaConfiguracao()
    {
        QFETCH(QString, config);
        QFETCH(bool, densidade);
        QFETCH(bool, vlrTonelada);
        QFETCH(bool, fatores);
        QFETCH(bool, embalagens);
        QFETCH(QStringList, colunas);
        BancoTeste b;
        b.exec(QStringLiteral("update config set ") + config);
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QCOMPARE(w.j.windowTitle(), QString("Cadastro de Produtos"));
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit2")->isVisible(), densidade);
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit3")->isVisible(), vlrTonelada);
        QCOMPARE(campo<QGroupBox>(w.j, "GroupBox1")->isVisible(), fatores);
        QCOMPARE(campo<QPushButton>(w.j, "BtnEmbalagens")->isVisible(), embalagens);
        QStringList titulos;
        for (int c = 0; c < campo<TDBGrid>(w.j, "DBGrid1")->model()->columnCount(); ++c) {
            titulos << campo<TDBGrid>(w.j, "DBGrid1")->model()->headerData(c, Qt::Horizontal).toString();
        }
        QCOMPARE(titulos, colunas);
        if (fatores) {
            QCOMPARE(w.fator(0)->accessibleName(), QString("IMPUREZA"));
            auto* rotulo =
                qobject_cast<QLabel*>(w.fator(0)->parentWidget()->findChildren<QLabel*>().value(0));
            QVERIFY(rotulo);
            QCOMPARE(rotulo->text(), QString("IMPUREZA"));
        }
    }

    void escolheTabelaDeUmidade_data()
    {
        QTest::addColumn<bool>("comTabelas");
        QTest::newRow("escolhida") << true;
        QTest::newRow("lista vazia") << false;
    }
    void escolheTabelaDeUmidade()
    {
        QFETCH(bool, comTabelas);
        BancoTeste b;
        b.exec("update config set cfg_umidade=1");
        if (comTabelas) {
            comFatores(b);
        }
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        QTest::mouseClick(w.j.BtnNovo, Qt::LeftButton);
        campo<QLineEdit>(w.j, "FlatMaskEdit2")->setFocus();
        campo<QLineEdit>(w.j, "FlatMaskEdit2")->setText(QStringLiteral("7"));
        campo<QLineEdit>(w.j, "FlatEdit11")->setText(naoCadastrado);
        bool seletor = false;
        Operador::quandoAbrir<TFrmConversao>([&seletor](TFrmConversao* c) {
            seletor = c->comoSeletor() && !c->BtnNovo->isVisible();
            campo<TDBGrid>(c, "DBGrid1")->selecionar(campo<TDBGrid>(c, "DBGrid1")->model()->rowCount() - 1);
            QTest::mouseClick(c->btnSair, Qt::LeftButton);
        });
        QTest::keyClick(campo<QLineEdit>(w.j, "FlatMaskEdit2"), Qt::Key_F2);
        QVERIFY(seletor);
        QVERIFY(!Operador::janelaAberta<TFrmConversao>());
        QCOMPARE(campo<QLineEdit>(w.j, "FlatMaskEdit2")->text(), comTabelas ? QString("2") : QString());
        QCOMPARE(campo<QLineEdit>(w.j, "FlatEdit11")->text(), comTabelas ? QString("MILHO 13") : QString());
    }

    void abreEmbalagensDoProduto()
    {
        BancoTeste b;
        b.exec("update config set cfg_cadembalagem=1");
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('1', 1, 'SOJA')");
        b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('2', 2, 'MILHO')");
        DialogosRoteiro d;
        Janela w;
        QVERIFY(w.abrir());
        campo<TDBGrid>(w.j, "DBGrid1")->selecionar(1);
        QString produto;
        Operador::quandoAbrir<TFrmSelEmbalagem>([&produto](TFrmSelEmbalagem* s) {
            produto = Operador::campo<QLineEdit>(s, "FlatEdit1")->text() + u'/' +
                      Operador::campo<QLineEdit>(s, "FlatEdit2")->text();
            s->close();
        });
        QTest::mouseClick(campo<QPushButton>(w.j, "BtnEmbalagens"), Qt::LeftButton);
        QCOMPARE(produto, QString("2/MILHO"));
        QVERIFY(w.j.isVisible());
        QCOMPARE(campo<TDBGrid>(w.j, "DBGrid1")->linhaAtual(), 1);
    }
};

QTEST_MAIN(TstProdutos)
#include "tst_produtos.moc"
