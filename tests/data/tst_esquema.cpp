// SPDX-License-Identifier: GPL-3.0-or-later
#include "Atualizacao.h"
#include "BancoTeste.h"
#include "ErroBanco.h"
#include "Esquema.h"
#include "LeConfig.h"
#include "ProximoCodigo.h"

#include <QSqlRecord>
#include <QtTest>

// Columns of every table, as the database reports them (lower case).
static QMap<QString, QStringList> colunas(TDM& dm)
{
    static const QStringList tabelas = {"config",         "configticket", "logatualiza",       "usuarios",
                                        "cadastrao",      "cidade",       "produto",           "pesagem",
                                        "pesagemproduto", "umidade",      "conversao",         "tabconversao",
                                        "tipoveiculo",    "embalagem",    "produto_embalagem", "linhastempl"};
    QMap<QString, QStringList> m;
    for (const QString& t : tabelas) {
        const QSqlRecord r = dm.DataBase1().record(t);
        QStringList c;
        for (int i = 0; i < r.count(); ++i) {
            c << r.fieldName(i).toLower();
        }
        c.sort();
        m[t] = c;
    }
    return m;
}

class TstEsquema : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void bancoNovoCompleto()
    {
        BancoTeste b;
        const auto m = colunas(b.dm());
        QCOMPARE(m.size(), 16);
        for (auto it = m.begin(); it != m.end(); ++it) {
            QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
        }
        QCOMPARE(m["config"].size(), 67);
        QCOMPARE(b.contar("select count(*) from logatualiza"), 50);
        QCOMPARE(b.contar("select count(*) from config"), 1);
        QCOMPARE(
            b.contar("select count(*) from configticket where cfg_showcodigo=1 and cfg_showmotorista=1 and "
                     "cfg_shownf=1 and cfg_showplaca=1 and cfg_showplacacarreta=1"),
            1);
        QCOMPARE(b.valor("select usr_senha from usuarios where usr_login='ADMIN'").toString(),
                 QString("ADMIN"));
        Atualizacao a(b.dm());
        QVERIFY(a.atualizado());
        QCOMPARE(a.bootstrap(), QString());
    }

    void padroesDaConfiguracao_data()
    {
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("baud 9600") << "CFG_BAUD"
                                   << "4";
        QTest::newRow("8 bits") << "CFG_BITS"
                                << "3";
        QTest::newRow("sem paridade") << "CFG_PARIDADE"
                                      << "2";
        QTest::newRow("divisao") << "CFG_DIVISAO"
                                 << "3";
        QTest::newRow("casas") << "CFG_CASASDECIMAIS"
                               << "2";
        QTest::newRow("umidade casas") << "CFG_CASASUMIDADE"
                                       << "2";
        QTest::newRow("impressora") << "CFG_IMPRESSORA"
                                    << "4";
        QTest::newRow("porta") << "CFG_PORTAREDE"
                               << "lpt1";
        QTest::newRow("espaco") << "CFG_LINESPACE"
                                << "30";
        QTest::newRow("fonte") << "CFG_FONTEPADRAO"
                               << "Courier New";
        QTest::newRow("tamanho") << "CFG_FONTETAMANHO"
                                 << "8";
        QTest::newRow("linhas") << "CFG_LINHASTICKET"
                                << "66";
        QTest::newRow("transp") << "CFG_IMPTRANSP"
                                << "1";
        QTest::newRow("data/hora") << "CFG_ALTERADATAHORA"
                                   << "1";
        QTest::newRow("itens") << "CFG_ITEMDESC"
                               << "Itens.........:";
        QTest::newRow("ticket40 nulo") << "CFG_TICKET40"
                                       << "";
        QTest::newRow("tara nula") << "CFG_TARAFIXA"
                                   << "";
        QTest::newRow("grade") << "CFG_MORPRODUTO"
                               << "0";
    }
    void padroesDaConfiguracao()
    {
        QFETCH(QString, coluna);
        QFETCH(QString, esperado);
        BancoTeste b;
        QCOMPARE(LeConfig(b.dm()).texto(coluna), esperado);
    }

    void proximoCodigo()
    {
        BancoTeste b;
        QCOMPARE(ProximoCodigo(b.dm(), "cid_codigo", "cidade"), 1);
        b.exec("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (41, 'CURITIBA', 'PR')");
        QCOMPARE(ProximoCodigo(b.dm(), "cid_codigo", "cidade"), 42);
    }

    // A failed statement inside a transaction leaves nothing behind.
    void transacaoDesfeita()
    {
        BancoTeste b;
        try {
            Transacao t(&b.dm());
            b.dm().QR_EXEC.Clear();
            b.dm().QR_EXEC.Add(
                "insert into cidade (cid_codigo, cid_descricao, cid_uf) values (:c, :d, 'PR')");
            b.dm().QR_EXEC.setParam("c", 1);
            b.dm().QR_EXEC.setParam("d", "D'ÁVILA");
            b.dm().QR_EXEC.ExecSQL();
            b.dm().QR_EXEC.ExecSQL(); // duplicate key
            t.commit();
            QFAIL("a chave duplicada deveria falhar");
        } catch (const ErroBanco& e) {
            QVERIFY(!e.texto().isEmpty());
        }
        QVERIFY(!b.dm().InTransaction());
        QCOMPARE(b.contar("select count(*) from cidade"), 0);
    }

    // Values are bound: quotes and apostrophes are data, and the trace shows them in place.
    void valoresVinculados()
    {
        BancoTeste b;
        TQuery& q = b.dm().QR_EXEC;
        q.Clear();
        q.Add("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (:c, :d, :u)");
        q.setParam("c", 7);
        q.setParam("d", "X'); drop table cidade; --");
        q.setParam("u", "SP");
        QCOMPARE(q.TraceText(), QString("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (7, "
                                        "'X''); drop table cidade; --', 'SP')"));
        q.ExecSQL();
        QCOMPARE(b.valor("select cid_descricao from cidade where cid_codigo=7").toString(),
                 QString("X'); drop table cidade; --"));
    }

    // Numbers keep four decimals exactly on both engines; dates are dates.
    void tiposArmazenados()
    {
        BancoTeste b;
        TQuery& q = b.dm().QR_EXEC;
        q.Clear();
        q.Add("insert into pesagem (pes_codigo, pes_pesoentrada, pes_dataentrada, pes_horaentrada) "
              "values (1, :p, :d, :h)");
        q.setParam("p", Decimal::fromText("12345,6789").toSqlString());
        q.setParam("d", QDate(2026, 12, 9));
        q.setParam("h", "07:05:09");
        q.ExecSQL();
        q.Clear();
        q.Add("select * from pesagem where pes_dataentrada >= :d");
        q.setParam("d", QDate(2026, 12, 1));
        q.Open();
        QCOMPARE(q.RecordCount(), 1);
        QCOMPARE(q.AsDecimal("PES_PESOENTRADA").toString(4), QString("12345,6789"));
        QCOMPARE(q.AsDate("pes_dataentrada"), QDate(2026, 12, 9));
        QCOMPARE(q.AsString("Pes_HoraEntrada"), QString("07:05:09"));
        QVERIFY(q.IsNull("pes_pesosaida"));
        QCOMPARE(q.AsInteger("pes_pesosaida"), 0);
        QVERIFY_THROWS_EXCEPTION(ErroBanco, q.FieldByName("nao_existe"));
    }

    void arquivoQueNaoEhBanco()
    {
        if (BancoTeste::usandoPostgres()) {
            QSKIP("arquivo SQLite");
        }
        QTemporaryDir dir;
        QFile f(dir.filePath("lixo.db"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        Conexao c;
        c.arquivo = dir.filePath("lixo.db");
        TDM dm(c);
        QString erro;
        QVERIFY(!dm.Conectar(&erro));
        QVERIFY(!erro.isEmpty());
        QCOMPARE(QFileInfo(c.arquivo).size(), qint64(4096));
    }
};

QTEST_GUILESS_MAIN(TstEsquema)
#include "tst_esquema.moc"
