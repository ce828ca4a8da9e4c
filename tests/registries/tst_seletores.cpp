// SPDX-License-Identifier: GPL-3.0-or-later
// Every registry window opened as a picker, by the one contract of the base
// window: the keys that choose, what the opener gets back, the opening size.
#include "BancoTeste.h"
#include "Cadastros.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "TDBGrid.h"
#include "TFrmCadCidade.h"
#include "TFrmCadEmbalagem.h"
#include "TFrmCadProdutos.h"
#include "TFrmCadTipoVeiculo.h"
#include "TFrmCadastrao.h"
#include "TFrmConversao.h"
#include "TFrmUmidade.h"

#include <QHeaderView>
#include <QPushButton>
#include <QtTest>
#include <functional>
#include <memory>

namespace
{

// Two rows in every list; each picker's second row is the one chosen.
void preenche(BancoTeste& b)
{
    b.exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
    b.exec("insert into cidade values (2, 'CURITIBA', 'PR')");
    b.exec("insert into tipoveiculo (tpv_codigo, tpv_descricao) values (1, 'CARRETA')");
    b.exec("insert into tipoveiculo (tpv_codigo, tpv_descricao) values (2, 'TRUCK')");
    b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_pessoa, cad_razao, cid_codigo) "
           "values (1, 3, 1, 'ALFA', 1)");
    b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_pessoa, cad_razao, cid_codigo) "
           "values (2, 3, 1, 'BETA', 1)");
    b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('1', 1, 'SOJA')");
    b.exec("insert into produto (prd_codigo, prd_codigoint, prd_descricao) values ('2', 2, 'MILHO')");
    b.exec(
        "insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, 'A', 1, 14)");
    b.exec(
        "insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (2, 'B', 1, 13)");
    b.exec("insert into embalagem (emb_codigo, emb_descricao, emb_ativa) values (1, 'BIG BAG', 1)");
    b.exec("insert into embalagem (emb_codigo, emb_descricao, emb_ativa) values (2, 'SACO', 1)");
    b.exec("insert into umidade values ('1', 2, 7)");
    b.exec("insert into umidade values ('1', 3, 7)");
}

struct Seletor {
    std::function<std::unique_ptr<TFrmPadrao>()> cria;
    qint64 codigo;                            // code of the second row
    std::function<QString(TFrmPadrao&)> lido; // what the opener reads of it
    QString esperado;
};

QString texto(TFrmPadrao& j, const char* coluna)
{
    const auto e = j.escolha();
    return e ? e->texto(QLatin1String(coluna)) : QStringLiteral("(nada)");
}

const QList<QPair<const char*, Seletor>>& seletores()
{
    static const QList<QPair<const char*, Seletor>> lista{
        {"cidades",
         {[] { return std::make_unique<TFrmCadCidade>(); }, 2,
          [](TFrmPadrao& j) { return texto(j, "CID_DESCRICAO"); }, "CURITIBA"}},
        {"tipos de veículo",
         {[] { return std::make_unique<TFrmCadTipoVeiculo>(); }, 2,
          [](TFrmPadrao& j) { return texto(j, "TPV_DESCRICAO"); }, "TRUCK"}},
        {"clientes",
         {[] { return std::make_unique<TFrmCadastrao>(Cadastros::Cliente); }, 2,
          [](TFrmPadrao& j) { return texto(j, "CAD_RAZAO"); }, "BETA"}},
        {"produtos",
         {[] { return std::make_unique<TFrmCadProdutos>(); }, 2,
          [](TFrmPadrao& j) { return texto(j, "PRD_DESCRICAO"); }, "MILHO"}},
        {"conversão",
         {[] { return std::make_unique<TFrmConversao>(); }, 2,
          [](TFrmPadrao& j) { return texto(j, "TAB_DESCRICAO"); }, "B"}},
        {"embalagens",
         {[] { return std::make_unique<TFrmCadEmbalagem>(); }, 2,
          [](TFrmPadrao& j) { return texto(j, "EMB_DESCRICAO"); }, "SACO"}},
        {"fatores de correção",
         {[] {
              auto u = std::make_unique<TFrmUmidade>();
              u->setSelecao(QStringLiteral("1"), 7);
              return u;
          },
          1, [](TFrmPadrao& j) { return static_cast<TFrmUmidade&>(j).valorSelecionado(); }, "3,00"}},
    };
    return lista;
}

TDBGrid* listaDe(QWidget& j)
{
    return j.findChild<TDBGrid*>(QStringLiteral("DBGrid1"));
}

} // namespace

class TstSeletores : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Enter, Space and a double click on the list choose its row at once;
    // "&OK" closes and hands back the current row as well.
    void escolhe_data()
    {
        QTest::addColumn<int>("seletor");
        QTest::addColumn<QString>("gesto");
        for (int i = 0; i < seletores().size(); ++i) {
            for (const char* gesto : {"Enter", "Espaço", "duplo clique", "&OK"}) {
                QTest::addRow("%s, %s", seletores()[i].first, gesto) << i << QString::fromUtf8(gesto);
            }
        }
    }
    void escolhe()
    {
        QFETCH(int, seletor);
        QFETCH(QString, gesto);
        const Seletor& s = seletores()[seletor].second;
        BancoTeste b;
        preenche(b);
        DialogosRoteiro d;
        auto j = s.cria();
        j->abrirComoSeletor();
        QVERIFY(Operador::abrir(*j));
        for (QPushButton* bt : {j->BtnNovo, j->BtnSalvar, j->BtnCancelar, j->btnExcluir}) {
            QVERIFY(!bt->isVisible());
            QVERIFY(!bt->isEnabled());
        }
        QCOMPARE(j->btnSair->text(), QStringLiteral("&OK"));
        TDBGrid* lista = listaDe(*j);
        QVERIFY(lista->hasFocus());
        QCOMPARE(lista->model()->rowCount(), 2);
        lista->selecionar(1);
        if (gesto == QLatin1String("Enter")) {
            QTest::keyClick(lista, Qt::Key_Return);
        } else if (gesto == QLatin1String("Espaço")) {
            QTest::keyClick(lista, Qt::Key_Space);
        } else if (gesto == QLatin1String("duplo clique")) {
            const QPoint p = lista->visualRect(lista->model()->index(1, 0)).center();
            QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, p);
        } else {
            QTest::mouseClick(j->btnSair, Qt::LeftButton);
        }
        QVERIFY(!j->isVisible());
        QCOMPARE(j->EstadoCadastro, 3); // nothing was opened for editing
        QVERIFY(j->escolha().has_value());
        QCOMPARE(j->escolha()->codigo, s.codigo);
        QCOMPARE(s.lido(*j), s.esperado);
        QVERIFY(d.mostradas.isEmpty()); // "&OK" does not ask "Deseja realmente sair ?"
    }

    // An empty list hands back nothing.
    void listaVazia_data()
    {
        QTest::addColumn<int>("seletor");
        for (int i = 0; i < seletores().size(); ++i) {
            QTest::addRow("%s", seletores()[i].first) << i;
        }
    }
    void listaVazia()
    {
        QFETCH(int, seletor);
        BancoTeste b;
        DialogosRoteiro d;
        auto j = seletores()[seletor].second.cria();
        j->abrirComoSeletor();
        QVERIFY(Operador::abrir(*j));
        QTest::keyClick(listaDe(*j), Qt::Key_Return);
        QVERIFY(!j->isVisible());
        QVERIFY(!j->escolha().has_value());
    }

    // Every window opens with its list showing about ten rows and every column
    // title whole, as a registry and as a picker.
    void tamanhoAoAbrir_data()
    {
        QTest::addColumn<int>("seletor");
        QTest::addColumn<bool>("comoSeletor");
        for (int i = 0; i < seletores().size(); ++i) {
            QTest::addRow("%s, cadastro", seletores()[i].first) << i << false;
            QTest::addRow("%s, seletor", seletores()[i].first) << i << true;
        }
    }
    void tamanhoAoAbrir()
    {
        QFETCH(int, seletor);
        QFETCH(bool, comoSeletor);
        BancoTeste b;
        preenche(b);
        DialogosRoteiro d;
        auto j = seletores()[seletor].second.cria();
        if (comoSeletor) {
            j->abrirComoSeletor();
        }
        QVERIFY(Operador::abrir(*j));
        TDBGrid* lista = listaDe(*j);
        QVERIFY2(lista->viewport()->height() >= 10 * lista->verticalHeader()->defaultSectionSize(),
                 qPrintable(QString::number(lista->viewport()->height())));
        QHeaderView* titulos = lista->horizontalHeader();
        int largura = 0;
        for (int c = 0; c < titulos->count(); ++c) {
            if (lista->isColumnHidden(c)) {
                continue;
            }
            QVERIFY2(titulos->sectionSize(c) >= titulos->sectionSizeHint(c),
                     qPrintable(lista->model()->headerData(c, Qt::Horizontal).toString()));
            largura += titulos->sectionSize(c);
        }
        // the whole list fits, unless it is wider than most of the screen
        QVERIFY2(lista->viewport()->width() >= qMin(largura, 600),
                 qPrintable(QStringLiteral("%1 < %2").arg(lista->viewport()->width()).arg(largura)));
    }
};

QTEST_MAIN(TstSeletores)
#include "tst_seletores.moc"
