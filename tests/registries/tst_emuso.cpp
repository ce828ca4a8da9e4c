// SPDX-License-Identifier: GPL-3.0-or-later
// Rows still in use cannot be deleted, on databases that declare no relations
// (upgraded from older installations) as on new ones.
#include "BancoTeste.h"
#include "Cadastros.h"
#include "Cidades.h"
#include "Conversao.h"
#include "Embalagem.h"
#include "ErroBanco.h"
#include "Produto.h"
#include "TiposVeiculo.h"

#include <QSqlQuery>
#include <QtTest>
#include <functional>

namespace
{

const QString emUso = QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!");

// One row of each registry that something points at, and one that nothing does.
void preenche(BancoTeste& b)
{
    b.exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
    b.exec("insert into cidade values (2, 'TOLEDO', 'PR')");
    b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cid_codigo) values (1, 1, 'EMISSOR', 1)");
    b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cid_codigo) values (7, 3, 'CLIENTE', 1)");
    b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cid_codigo) values (7, 2, 'TRANSP', 1)");
    b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cid_codigo) values (8, 3, 'LIVRE', 1)");
    b.exec("insert into tipoveiculo values (1, 'TRUCK', 10)");
    b.exec("insert into tipoveiculo values (2, 'BITREM', 20)");
    b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (1, 'SOJA', 1, "
           "14)");
    b.exec("insert into conversao (tab_codigo, tab_descricao, tab_formula1, tab_final) values (2, 'MILHO', "
           "0, 0)");
    b.exec("insert into tabconversao values (2, 0, 20, 1)");
    b.exec("insert into produto (prd_codigo, prd_descricao, tab_codigo) values ('10', 'SOJA', 1)");
    b.exec("insert into produto (prd_codigo, prd_descricao) values ('11', 'MILHO')");
    b.exec("insert into produto (prd_codigo, prd_descricao) values ('12', 'TRIGO')");
    b.exec("insert into produto (prd_codigo, prd_descricao) values ('13', 'AVEIA')");
    b.exec("insert into produto (prd_codigo, prd_descricao) values ('14', 'SORGO')");
    b.exec("insert into embalagem values (1, 'SACO 60', 1)");
    b.exec("insert into embalagem values (2, 'BIG BAG', 1)");
    b.exec("insert into produto_embalagem values (1, '13', 60)");
    b.exec("insert into umidade values ('12', 5, 7)");
    b.exec(
        "insert into pesagem (pes_codigo, cad_codigo, cad_tipo, cad_codigotra, cad_tipotra, cad_codigoemis, "
        "cad_tipoemis, tpv_codigo) values (1, 7, 3, 7, 2, 1, 1, 1)");
    b.exec("insert into pesagemproduto (pes_codigo, prd_codigo) values (1, '11')");
}

struct Caso {
    const char* nome;
    std::function<void(TDM&)> excluir;
    const char* contagem; // the row, counted after the attempt
};

const QList<Caso>& emUsoCasos()
{
    static const QList<Caso> c = {
        {"cidade de um cadastro", [](TDM& dm) { Cidades::excluir(dm, 1); },
         "select count(*) from cidade where cid_codigo=1"},
        {"tipo de veículo de uma pesagem", [](TDM& dm) { TiposVeiculo::excluir(dm, 1); },
         "select count(*) from tipoveiculo where tpv_codigo=1"},
        {"produto de uma pesagem", [](TDM& dm) { CadastroProduto::excluir(dm, "11"); },
         "select count(*) from produto where prd_codigo='11'"},
        {"produto com fator de correção", [](TDM& dm) { CadastroProduto::excluir(dm, "12"); },
         "select count(*) from produto where prd_codigo='12'"},
        {"produto com embalagem", [](TDM& dm) { CadastroProduto::excluir(dm, "13"); },
         "select count(*) from produto where prd_codigo='13'"},
        {"embalagem de um produto", [](TDM& dm) { CadastroEmbalagem::excluir(dm, 1); },
         "select count(*) from embalagem where emb_codigo=1"},
        {"tabela de conversão de um produto", [](TDM& dm) { CadastroConversao::excluir(dm, 1); },
         "select count(*) from conversao where tab_codigo=1"},
        {"cliente de uma pesagem", [](TDM& dm) { Cadastros::excluir(dm, 7, Cadastros::Cliente); },
         "select count(*) from cadastrao where cad_codigo=7 and cad_tipo=3"},
        {"transportadora de uma pesagem",
         [](TDM& dm) { Cadastros::excluir(dm, 7, Cadastros::Transportadora); },
         "select count(*) from cadastrao where cad_codigo=7 and cad_tipo=2"},
        {"emissor de uma pesagem", [](TDM& dm) { Cadastros::excluir(dm, 1, Cadastros::Emissor); },
         "select count(*) from cadastrao where cad_codigo=1 and cad_tipo=1"},
    };
    return c;
}

} // namespace

class TstEmUso : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recusaOQueEstaEmUso_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::newRow("banco atualizado") << int(BancoTeste::Tipo::Atualizado);
        QTest::newRow("banco novo") << int(BancoTeste::Tipo::Novo);
    }
    void recusaOQueEstaEmUso()
    {
        QFETCH(int, tipo);
        BancoTeste b{BancoTeste::Tipo(tipo)};
        preenche(b);
        for (const Caso& c : emUsoCasos()) {
            try {
                c.excluir(b.dm());
                QFAIL(qPrintable(QStringLiteral("excluído: ") + c.nome));
            } catch (const RegistroEmUso& e) {
                QCOMPARE(e.texto(), emUso);
            }
            QVERIFY2(!b.dm().InTransaction(), c.nome);
            QVERIFY2(b.contar(c.contagem) == 1, c.nome);
        }
        // what nothing uses goes, ranges of a conversion table with it
        Cidades::excluir(b.dm(), 2);
        TiposVeiculo::excluir(b.dm(), 2);
        CadastroProduto::excluir(b.dm(), "14");
        CadastroEmbalagem::excluir(b.dm(), 2);
        CadastroConversao::excluir(b.dm(), 2);
        Cadastros::excluir(b.dm(), 8, Cadastros::Cliente);
        QCOMPARE(b.contar("select count(*) from cidade"), 1);
        QCOMPARE(b.contar("select count(*) from tipoveiculo"), 1);
        QCOMPARE(b.contar("select count(*) from produto"), 4);
        QCOMPARE(b.contar("select count(*) from embalagem"), 1);
        QCOMPARE(b.contar("select count(*) from conversao"), 1);
        QCOMPARE(b.contar("select count(*) from tabconversao"), 0);
        QCOMPARE(b.contar("select count(*) from cadastrao"), 3);
    }

    // A new database still declares its relations: a delete that goes around
    // the registries is refused by the database itself.
    void bancoNovoDeclaraAsRelacoes()
    {
        BancoTeste b;
        preenche(b);
        QSqlQuery q(b.dm().DataBase1());
        QVERIFY(!q.exec("delete from cidade where cid_codigo=1"));
        QVERIFY(!q.exec("delete from conversao where tab_codigo=1"));
        QCOMPARE(b.contar("select count(*) from cidade"), 2);
    }
};

QTEST_GUILESS_MAIN(TstEmUso)
#include "tst_emuso.moc"
