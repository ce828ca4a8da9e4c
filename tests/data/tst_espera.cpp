// SPDX-License-Identifier: GPL-3.0-or-later
// A SQLite file another program holds locked: VIGA waits in short steps,
// shows that it waits, carries on when the lock goes, and says in words when
// it does not.
#include "BancoTeste.h"
#include "ErroBanco.h"
#include "EsperaBanco.h"
#include "TDM.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

class TstEspera : public QObject
{
    Q_OBJECT
    QStringList m_indicacoes;

private Q_SLOTS:
    void initTestCase()
    {
        if (BancoTeste::usandoPostgres()) {
            QSKIP("o bloqueio do arquivo é do SQLite");
        }
    }
    void init()
    {
        m_indicacoes.clear();
        EsperaBanco::instalar([this](const QString& texto) { m_indicacoes << texto; });
        EsperaBanco::setLimiteMs(1500);
    }
    void cleanup()
    {
        EsperaBanco::instalar({});
        EsperaBanco::setLimiteMs(10000);
    }

    // What waits: a statement in a transaction, a save's transaction (which
    // takes the write lock at its start), and another workstation opening the
    // database (its write test at the start).
    void bloqueio_data()
    {
        QTest::addColumn<QString>("operacao");
        QTest::addColumn<int>("liberaEmMs"); // -1: the other program never lets go
        for (const char* op : {"comando", "gravacao", "abertura"}) {
            QTest::addRow("%s liberado durante a espera", op) << QString::fromLatin1(op) << 400;
            QTest::addRow("%s nunca liberado", op) << QString::fromLatin1(op) << -1;
        }
    }
    void bloqueio()
    {
        QFETCH(QString, operacao);
        QFETCH(int, liberaEmMs);
        BancoTeste b;
        {
            QSqlDatabase outro = QSqlDatabase::addDatabase("QSQLITE", "outro");
            outro.setDatabaseName(b.dm().conexao().caminhoArquivo());
            QVERIFY(outro.open());
            QSqlQuery q(outro);
            QVERIFY(q.exec("begin immediate"));
            QVERIFY(
                q.exec("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (1, 'OUTRO', 'SP')"));
            // the window keeps running while VIGA waits: a timer still fires
            int batidas = 0;
            QTimer pulso;
            connect(&pulso, &QTimer::timeout, this, [&batidas] { ++batidas; });
            pulso.start(100);
            if (liberaEmMs >= 0) {
                QTimer::singleShot(liberaEmMs, this, [&q] { q.exec("commit"); });
            }
            QString erro;
            const QStringList insere{
                "insert into cidade (cid_codigo, cid_descricao, cid_uf) values (2, 'VIGA', 'PR')"};
            TDM outraEstacao(b.dm().conexao());
            try {
                if (operacao == QLatin1String("comando")) {
                    b.dm().ExecutaNaTransacao(insere, {});
                } else if (operacao == QLatin1String("gravacao")) {
                    b.dm().BeginTrans(true);
                    b.dm().ExecutaNaTransacao(insere, {});
                    b.dm().CommitTrans();
                } else if (!outraEstacao.Conectar(&erro)) {
                    QVERIFY(!erro.isEmpty());
                } else {
                    outraEstacao.ExecutaNaTransacao(insere, {});
                }
            } catch (const ErroBanco& e) {
                erro = e.texto();
            }
            if (b.dm().InTransaction()) b.dm().RollbackTrans();
            pulso.stop();
            QVERIFY2(batidas >= 2, "a janela ficou parada durante a espera");
            QCOMPARE(m_indicacoes.size(), 2);
            QVERIFY(m_indicacoes.first().startsWith(QStringLiteral("Aguardando o banco de dados")));
            QVERIFY(m_indicacoes.last().isEmpty());
            if (liberaEmMs >= 0) {
                QVERIFY2(erro.isEmpty(), qPrintable(erro));
                QCOMPARE(b.contar("select count(*) from cidade"), 2);
            } else {
                QVERIFY2(erro.startsWith(QStringLiteral("O banco de dados continuou bloqueado")),
                         qPrintable(erro));
                q.exec("rollback");
                QCOMPARE(b.contar("select count(*) from cidade"), 0);
            }
        }
        QSqlDatabase::removeDatabase("outro");
    }
};

QTEST_GUILESS_MAIN(TstEspera)
#include "tst_espera.moc"
