// SPDX-License-Identifier: GPL-3.0-or-later
#include "Atualizacao.h"
#include "BancoTeste.h"
#include "Esquema.h"
#include "ProximoCodigo.h"

#include <QSqlRecord>
#include <QtTest>

namespace
{

QStringList colunasDe(TDM& dm, const QString& tabela)
{
    const QSqlRecord r = dm.DataBase1().record(tabela);
    QStringList c;
    for (int i = 0; i < r.count(); ++i) {
        c << r.fieldName(i).toLower();
    }
    c.sort();
    return c;
}

const QStringList tabelas = {"config",         "configticket", "logatualiza",       "usuarios",
                             "cadastrao",      "cidade",       "produto",           "pesagem",
                             "pesagemproduto", "umidade",      "conversao",         "tabconversao",
                             "tipoveiculo",    "embalagem",    "produto_embalagem", "linhastempl"};

} // namespace

class TstAtualizacao : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The oldest databases receive every step, in order, and end with the
    // same columns as a new database.
    void bancoAntigoRecebeTodosOsPassos()
    {
        BancoTeste novo;
        BancoTeste b(BancoTeste::Tipo::Antigo);
        b.exec("insert into usuarios (usr_login, usr_nome, usr_senha, usr_altpeso) values ('JOSE', 'JOSE', "
               "'x', 0)");
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('0042', 'SOJA')");
        Atualizacao a(b.dm());
        QVERIFY(!a.atualizado());
        QCOMPARE(a.bootstrap(), QString());
        QVERIFY(!a.atualizado());

        QStringList tags;
        QList<int> progresso;
        QString tagErro, erro;
        const bool ok = a.executar(
            [&](int p, const QString& tag) {
                progresso << p;
                if (!tag.isEmpty()) {
                    tags << tag;
                }
            },
            &tagErro, &erro);
        QVERIFY2(ok, qPrintable(tagErro + ": " + erro));
        QVERIFY(a.atualizado());
        QCOMPARE(tags.size(), 50);
        QCOMPARE(tags.first(), QString("x230207"));
        QCOMPARE(tags.last(), QString("070611b"));
        QCOMPARE(progresso.last(), 100);
        QVERIFY(std::is_sorted(progresso.begin(), progresso.end()));
        for (const QString& t : tabelas) {
            QCOMPARE(colunasDe(b.dm(), t), colunasDe(novo.dm(), t));
        }
        QCOMPARE(b.contar("select count(*) from logatualiza"), 50);
        QCOMPARE(b.valor("select cfg_linhasticket from config").toInt(), 66);
        QCOMPARE(b.valor("select cfg_fontepadrao from config").toString(), QString("Courier New"));
        QCOMPARE(b.valor("select cfg_itemdesc from config").toString(), QString("Itens.........:"));
        QCOMPARE(b.valor("select cfg_alteradatahora from config").toInt(), 1);
        QCOMPARE(b.valor("select usr_pesoinferior from usuarios where usr_login='JOSE'").toInt(), 1);
        QCOMPARE(b.valor("select usr_editapesagem from usuarios where usr_login='JOSE'").toInt(), 0);
        QCOMPARE(b.valor("select usr_altpesoent from usuarios where usr_login='ADMIN'").toInt(), 1);
        QCOMPARE(b.valor("select usr_altpesoent from usuarios where usr_login='JOSE'").toInt(), 0);
        QCOMPARE(b.valor("select prd_codigoint from produto").toInt(), 42);
        // widened columns take the longer values (checked by PostgreSQL)
        b.exec("insert into pesagem (pes_codigo, pes_placa, pes_nf) values (1, 'VAGAO-1234567890', "
               "'123456789012345678901234567890')");
        // the invoice's access key, a column beside the fifty steps
        b.exec("update pesagem set pes_chavenfe='35260312345678000195550010000123451123456783'");
        // a second run finds everything applied and changes nothing
        QVERIFY(a.executar(nullptr, &tagErro, &erro));
        QCOMPARE(b.contar("select count(*) from logatualiza"), 50);
    }

    // A column added by hand makes its step fail: the whole run is undone and
    // the failing step's tag is reported.
    void falhaDesfazTudo()
    {
        BancoTeste b(BancoTeste::Tipo::Antigo);
        b.exec("alter table config add CFG_FRETE smallint");
        Atualizacao a(b.dm());
        QCOMPARE(a.bootstrap(), QString());
        QString tag, erro;
        QVERIFY(!a.executar(nullptr, &tag, &erro));
        QCOMPARE(tag, QString("051207"));
        QVERIFY(!erro.isEmpty());
        QVERIFY(!b.dm().InTransaction());
        QCOMPARE(b.contar("select count(*) from logatualiza"), 0);
        QVERIFY(!colunasDe(b.dm(), "config").contains("cfg_linhasticket"));
        QVERIFY(!colunasDe(b.dm(), "pesagem").contains("pes_rgmotorista"));
        // after the fault is mended the upgrade goes through
        b.exec("alter table config drop column CFG_FRETE");
        QVERIFY(a.executar(nullptr, &tag, &erro));
        QVERIFY(a.atualizado());
    }

    void passoCondicionalDoVagao()
    {
        BancoTeste b;
        b.exec("delete from logatualiza where log_arquivo in ('180208', '070611b')");
        Atualizacao a(b.dm());
        QVERIFY(!a.atualizado());
        QStringList tags;
        QString tag, erro;
        QVERIFY(a.executar(
            [&](int, const QString& t) {
                if (!t.isEmpty()) tags << t;
            },
            &tag, &erro));
        // the column exists: nothing is executed and the step stays unlogged
        QCOMPARE(tags, QStringList{"070611b"});
        QCOMPARE(b.contar("select count(*) from logatualiza where log_arquivo='180208'"), 0);
        QVERIFY(a.atualizado());
    }

    void codigosAlfanumericosNaoSaoCopiados()
    {
        BancoTeste b;
        b.exec("delete from logatualiza where log_arquivo='070611b'");
        b.exec("update config set cfg_prdalfa=1");
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('AB12', 'AREIA')");
        Atualizacao a(b.dm());
        QString tag, erro;
        QVERIFY2(a.executar(nullptr, &tag, &erro), qPrintable(erro));
        QVERIFY(a.atualizado());
        QVERIFY(b.valor("select prd_codigoint from produto").isNull());
    }

    // Step 50 copies 13-digit codes whole and leaves a code that is not a
    // number empty instead of stopping the upgrade; the next code follows the
    // longest one.
    void codigosDe64Bits()
    {
        BancoTeste b(BancoTeste::Tipo::Antigo);
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('7891234567890', 'ARROZ')");
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('A-1', 'AREIA')");
        b.exec("insert into produto (prd_codigo, prd_descricao) values ('0042', 'SOJA')");
        Atualizacao a(b.dm());
        QCOMPARE(a.bootstrap(), QString());
        QString tag, erro;
        QVERIFY2(a.executar(nullptr, &tag, &erro), qPrintable(tag + ": " + erro));
        QCOMPARE(b.valor("select prd_codigoint from produto where prd_codigo='7891234567890'").toLongLong(),
                 7891234567890LL);
        QVERIFY(b.valor("select prd_codigoint from produto where prd_codigo='A-1'").isNull());
        QCOMPARE(b.valor("select prd_codigoint from produto where prd_codigo='0042'").toLongLong(), 42LL);
        QCOMPARE(ProximoCodigo(b.dm(), "prd_codigoint", "produto"), 7891234567891LL);
        b.exec("insert into produto (prd_codigo, prd_descricao, prd_codigoint) values ('9999999999999', 'X', "
               "9999999999999)");
    }

    // A database upgraded while the numeric code was a 32-bit column is
    // widened at the next start, outside the fifty tags.
    void colunaEstreitaEAlargada()
    {
        BancoTeste b;
        if (b.postgres()) {
            b.exec("alter table produto alter column prd_codigoint type integer");
        }
        Atualizacao a(b.dm());
        QVERIFY(a.atualizado());
        QCOMPARE(a.alargaCodigos(), QString());
        QVERIFY(!b.dm().InTransaction());
        b.exec("insert into produto (prd_codigo, prd_descricao, prd_codigoint) values ('7891234567890', "
               "'ARROZ', "
               "7891234567890)");
        QCOMPARE(ProximoCodigo(b.dm(), "prd_codigoint", "produto"), 7891234567891LL);
        QCOMPARE(b.contar("select count(*) from logatualiza"), 50);
        QCOMPARE(a.alargaCodigos(), QString());
    }

    void traducaoPorBanco()
    {
        BancoTeste b;
        Atualizacao a(b.dm());
        const QString alarga = a.traduz("alter Table pesagem ALTER COLUMN  PES_nf varchar(30)");
        const QString dinheiro = a.traduz("alter Table pesagem add PES_FRETE money");
        if (b.postgres()) {
            QCOMPARE(alarga, QString("ALTER TABLE pesagem ALTER COLUMN PES_nf TYPE varchar(30)"));
            QCOMPARE(dinheiro, QString("alter Table pesagem add PES_FRETE NUMERIC(19,4)"));
        } else {
            QCOMPARE(alarga, QString());
            QCOMPARE(dinheiro, QString("alter Table pesagem add PES_FRETE money"));
        }
    }
};

QTEST_GUILESS_MAIN(TstAtualizacao)
#include "tst_atualizacao.moc"
