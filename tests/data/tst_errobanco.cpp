// SPDX-License-Identifier: GPL-3.0-or-later
// Database failures in the operator's words: each cause an operator can meet
// is named before the driver's text, and a database that cannot be written
// is said when the program starts.
#include "BancoTeste.h"
#include "ErroBanco.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

#include <unistd.h>

class TstErroBanco : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Codes and texts as the two drivers give them.
    void causas_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("causa");
        using C = ErroBanco::Causa;
        QTest::newRow("pg servidor reiniciado")
            << "57P01"
            << "FATAL:  terminating connection due to administrator command" << int(C::ConexaoPerdida);
        QTest::newRow("pg conexão caiu sem código")
            << ""
            << "server closed the connection unexpectedly\n\tThis probably means the server terminated "
               "abnormally\n\tbefore or while processing the request.\nQPSQL: Unable to create query"
            << int(C::ConexaoPerdida);
        QTest::newRow("pg sem conexão")
            << ""
            << "no connection to the server\nQPSQL: Unable to create query" << int(C::ConexaoPerdida);
        QTest::newRow("pg servidor fora")
            << ""
            << "connection to server at \"127.0.0.1\", port 5999 failed: Connection refused\n\tIs the server "
               "running on that host and accepting TCP/IP connections?\nQPSQL: Unable to connect"
            << int(C::ServidorInacessivel);
        QTest::newRow("pg tempo esgotado")
            << ""
            << "timeout expired\nQPSQL: Unable to connect" << int(C::ServidorInacessivel);
        QTest::newRow("pg disco cheio")
            << "53100"
            << "ERROR:  could not extend file: No space left on device" << int(C::DiscoCheio);
        QTest::newRow("pg somente leitura")
            << "25006"
            << "ERROR:  cannot execute INSERT in a read-only transaction" << int(C::SomenteLeitura);
        QTest::newRow("pg sem permissão")
            << "42501"
            << "ERROR:  permission denied for table pesagem" << int(C::SemPermissao);
        QTest::newRow("pg senha") << "28P01"
                                  << "FATAL:  password authentication failed for user \"viga\""
                                  << int(C::SemPermissao);
        QTest::newRow("pg chave") << "23505"
                                  << "ERROR:  duplicate key value violates unique constraint"
                                  << int(C::ChaveDuplicada);
        QTest::newRow("pg bloqueio esgotado")
            << "55P03"
            << "ERROR:  canceling statement due to lock timeout" << int(C::OutraEstacaoGravando);
        QTest::newRow("pg impasse") << "40P01"
                                    << "ERROR:  deadlock detected" << int(C::OutraEstacaoGravando);
        QTest::newRow("sqlite bloqueado") << "5"
                                          << "database is locked Unable to fetch row" << int(C::Bloqueado);
        QTest::newRow("sqlite instantâneo velho") << "517"
                                                  << "database is locked" << int(C::Bloqueado);
        QTest::newRow("sqlite somente leitura")
            << "8"
            << "attempt to write a readonly database" << int(C::SomenteLeitura);
        QTest::newRow("sqlite disco cheio") << "13"
                                            << "database or disk is full" << int(C::DiscoCheio);
        QTest::newRow("sqlite chave")
            << "2067"
            << "UNIQUE constraint failed: PESAGEM.PES_CODIGO" << int(C::ChaveDuplicada);
        QTest::newRow("outra") << "1"
                               << "no such table: xyz" << int(C::Outra);
    }
    void causas()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, texto);
        QFETCH(int, causa);
        const ErroBanco e(QSqlError(QString(), texto, QSqlError::StatementError, codigo));
        QCOMPARE(int(e.causa()), causa);
        // the cause first, then the driver's text (cut when long) on one line; never empty
        const QString detalhe = texto.simplified().size() > 160 ? texto.simplified().left(159) + QChar(0x2026)
                                                                : texto.simplified();
        QVERIFY(e.texto().endsWith(detalhe));
        QVERIFY(!e.texto().contains(u'\n'));
        if (causa != int(ErroBanco::Causa::Outra)) {
            QVERIFY(e.texto().startsWith(ErroBanco::descricao(ErroBanco::Causa(causa)) + u'\r'));
        }
        // said in words; the driver's English only after "Detalhe:", on a line of its own
        const QStringList linhas = e.texto().split(u'\r');
        QCOMPARE(linhas.size(), 2);
        QCOMPARE(linhas[0], causa == int(ErroBanco::Causa::Outra)
                                ? QStringLiteral("O banco de dados recusou a operação.")
                                : ErroBanco::descricao(ErroBanco::Causa(causa)));
        QCOMPARE(linhas[1], QStringLiteral("Detalhe: ") + detalhe);
    }

    // A driver's long text is cut for the message (the log keeps it whole).
    void detalheCurto()
    {
        const QString longo = QStringLiteral("FATAL:  terminating connection due to administrator command ") +
                              QString(300, u'x');
        const ErroBanco e(QSqlError(QString(), longo, QSqlError::ConnectionError, QStringLiteral("57P01")));
        const QStringList linhas = e.texto().split(u'\r');
        QCOMPARE(linhas.value(0), ErroBanco::descricao(ErroBanco::Causa::ConexaoPerdida));
        QVERIFY(linhas.value(1).startsWith(QStringLiteral("Detalhe: FATAL: terminating connection")));
        QVERIFY(linhas.value(1).size() <= 170);
        QCOMPARE(e.textoBanco(), longo.simplified());
    }

    void nuncaVazio()
    {
        const ErroBanco e{QSqlError()};
        QCOMPARE(e.texto(), QStringLiteral("Erro desconhecido no banco de dados."));
        const ErroBanco perdida(ErroBanco::Causa::ConexaoPerdida, QString());
        QCOMPARE(perdida.texto(), ErroBanco::descricao(ErroBanco::Causa::ConexaoPerdida));
    }

    // Another workstation holds the row a save writes (its transaction open,
    // the workstation stopped): the save is refused in words once the lock
    // timeout passes, nothing of it stays, and the same save works once the
    // lock is gone. The server ends a transaction left idle.
    void gravacaoAtrasDeOutraEstacao()
    {
        if (!BancoTeste::usandoPostgres()) {
            QSKIP("as esperas por bloqueio são do servidor PostgreSQL");
        }
        BancoTeste b;
        b.exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
        QSqlDatabase outra = QSqlDatabase::addDatabase("QPSQL", "outraEstacao");
        {
            const Conexao& c = b.conexao();
            outra.setHostName(c.host);
            outra.setPort(c.porta);
            outra.setDatabaseName(c.nome);
            outra.setUserName(c.usuario);
            outra.setPassword(c.senha);
            QVERIFY(outra.open());
            QVERIFY(outra.transaction());
            QSqlQuery q(outra);
            QVERIFY(q.exec("update cidade set cid_uf = 'SC' where cid_codigo = 1"));
        }
        const TDM::Parametros valores{{"nome", "CURITIBA"}, {"codigo", 2}};
        const QStringList grava{"update cidade set cid_descricao = :nome where cid_codigo = 1",
                                "insert into cidade values (:codigo, :nome, 'PR')"};
        try {
            Transacao tr(&b.dm(), true);
            b.dm().ExecutaNaTransacao({grava[1]}, valores);
            b.dm().ExecutaNaTransacao({grava[0]}, valores);
            tr.commit();
            QFAIL("a gravação passou por cima do bloqueio de outra estação");
        } catch (const ErroBanco& e) {
            QCOMPARE(e.causa(), ErroBanco::Causa::OutraEstacaoGravando);
            QVERIFY2(e.texto().startsWith("Outra estação está gravando neste momento; tente novamente.\r"),
                     qPrintable(e.texto()));
        }
        QVERIFY(!b.dm().InTransaction());
        QCOMPARE(b.contar("select count(*) from cidade"), 1);
        QCOMPARE(b.valor("select cid_descricao from cidade where cid_codigo = 1").toString(), "CASCAVEL");
        QVERIFY(outra.commit());
        {
            Transacao tr(&b.dm(), true);
            b.dm().ExecutaNaTransacao({grava[1]}, valores);
            b.dm().ExecutaNaTransacao({grava[0]}, valores);
            tr.commit();
        }
        QCOMPARE(b.valor("select cid_descricao || cid_uf from cidade where cid_codigo = 1").toString(),
                 "CURITIBASC");
        QCOMPARE(b.contar("select count(*) from cidade"), 2);
        // what the server holds for VIGA's session
        QCOMPARE(b.valor("show lock_timeout").toString(), "5s");
        QCOMPARE(b.valor("show idle_in_transaction_session_timeout").toString(), "1min");
        outra.close();
        outra = QSqlDatabase();
        QSqlDatabase::removeDatabase("outraEstacao");
    }

    // A database file or data folder that cannot be written is refused at the
    // start, in words, before anyone types a weighing.
    void somenteLeituraNaPartida_data()
    {
        QTest::addColumn<bool>("pasta");
        QTest::newRow("arquivo") << false;
        QTest::newRow("pasta") << true;
    }
    void somenteLeituraNaPartida()
    {
        QFETCH(bool, pasta);
        if (BancoTeste::usandoPostgres()) {
            QSKIP("o arquivo é do SQLite");
        }
        if (geteuid() == 0) {
            QSKIP("o administrador do sistema grava em qualquer arquivo");
        }
        BancoTeste b;
        const Conexao c = b.conexao();
        b.dm().Desconectar();
        const QString alvo = pasta ? b.pasta() : c.caminhoArquivo();
        const auto antes = QFile::permissions(alvo);
        QVERIFY(QFile::setPermissions(alvo, pasta ? (QFile::ReadOwner | QFile::ExeOwner) : QFile::ReadOwner));
        TDM dm(c);
        QString erro;
        const bool abriu = dm.Conectar(&erro);
        dm.Desconectar();
        QFile::setPermissions(alvo, antes);
        QVERIFY(!abriu);
        QVERIFY2(erro.startsWith(ErroBanco::descricao(ErroBanco::Causa::SomenteLeitura)), qPrintable(erro));
        QVERIFY2(erro.contains(alvo), qPrintable(erro));
    }
};

QTEST_GUILESS_MAIN(TstErroBanco)
#include "tst_errobanco.moc"
