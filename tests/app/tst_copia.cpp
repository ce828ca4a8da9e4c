#include "BancoTeste.h"
#include "CopiaSeguranca.h"
#include "InstanciaUnica.h"
#include "Relogio.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <unistd.h>

class TstCopia : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(14, 35, 12))); }
    void cleanup() { Relogio::fixar(QDateTime()); }

    void copiaEReabre()
    {
        BancoTeste b;
        b.exec("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (1, 'CASCAVEL', 'PR')");
        QString arquivo, detalhe;
        QCOMPARE(CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe), CopiaSeguranca::Resultado::Gerada);
        QVERIFY2(b.dm().Conectado(), "a conexão deve ser reaberta");
        QCOMPARE(b.contar("select count(*) from cidade"), 1);
        if (b.postgres()) {
            QCOMPARE(arquivo, QDir(b.pasta()).filePath("bkp/1435_081226" + b.conexao().nome + ".sql"));
            QFile f(arquivo);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray sql = f.readAll();
            QVERIFY(sql.contains("CREATE TABLE public.cidade"));
            QVERIFY(sql.contains("CASCAVEL"));
        } else {
            QCOMPARE(arquivo, QDir(b.pasta()).filePath("bkp/1435_081226viga.db"));
            // the copy is a complete database on its own
            {
                QSqlDatabase c = QSqlDatabase::addDatabase("QSQLITE", "copia");
                c.setDatabaseName(arquivo);
                QVERIFY(c.open());
                QSqlQuery q(c);
                QVERIFY(q.exec("select cid_descricao from cidade"));
                QVERIFY(q.next());
                QCOMPARE(q.value(0).toString(), QString("CASCAVEL"));
            }
            QSqlDatabase::removeDatabase("copia");
        }
        // a second backup in the same minute finds its target taken
        QCOMPARE(CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe),
                 CopiaSeguranca::Resultado::FalhaNaCopia);
        QVERIFY(b.dm().Conectado());
        Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(14, 36, 0)));
        QCOMPARE(CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe), CopiaSeguranca::Resultado::Gerada);
    }

    void semArquivoNaoGera()
    {
        if (BancoTeste::usandoPostgres()) {
            QSKIP("arquivo SQLite");
        }
        BancoTeste b;
        b.dm().Desconectar();
        QVERIFY(
            QFile::rename(b.dm().conexao().caminhoArquivo(), b.dm().conexao().caminhoArquivo() + ".outro"));
        QCOMPARE(CopiaSeguranca::executar(b.dm()), CopiaSeguranca::Resultado::NaoGerada);
    }

    void umaInstanciaSo()
    {
        const QString nome = QStringLiteral("viga-teste-%1").arg(getpid());
        InstanciaUnica primeira(nome);
        QVERIFY(primeira.adquirir());
        InstanciaUnica segunda(nome);
        QVERIFY(!segunda.adquirir());
        // the lock sits in a folder of this user only, so no other account's
        // VIGA (running, or killed and left behind) can hold it
        const QFileInfo pasta(QFileInfo(primeira.caminho()).absolutePath());
        QCOMPARE(pasta.ownerId(), uint(getuid()));
        QCOMPARE(pasta.permissions() & (QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());
    }

    // A lock left by a program that was killed does not block the next start.
    void travaAbandonada()
    {
        const QString nome = QStringLiteral("viga-teste-abandonada-%1").arg(getpid());
        InstanciaUnica i(nome);
        QFile f(i.caminho());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("999999\nviga\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        f.close();
        QVERIFY(i.adquirir());
    }
};

QTEST_GUILESS_MAIN(TstCopia)
#include "tst_copia.moc"
