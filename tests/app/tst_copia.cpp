// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "CopiaSeguranca.h"
#include "InstanciaUnica.h"
#include "Relogio.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <csignal>
#include <unistd.h>

namespace
{
// A file system mounted for one test, unmounted before its folder goes.
struct Montagem {
    QString ponto;
    ~Montagem()
    {
        if (!ponto.isEmpty()) {
            QProcess::execute("umount", {ponto});
        }
    }
};
// The first value of a query run on a SQLite backup opened on its own.
QVariant naCopia(const QString& arquivo, const char* sql)
{
    QVariant valor;
    {
        QSqlDatabase c = QSqlDatabase::addDatabase("QSQLITE", "copia");
        c.setDatabaseName(arquivo);
        QSqlQuery q(c);
        if (c.open() && q.exec(QLatin1String(sql)) && q.next()) {
            valor = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase("copia");
    return valor;
}

} // namespace

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
            QCOMPARE(naCopia(arquivo, "select cid_descricao from cidade"), QVariant("CASCAVEL"));
        }
        // a second backup in the same minute finds its target taken
        QCOMPARE(CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe),
                 CopiaSeguranca::Resultado::DestinoExiste);
        QVERIFY(CopiaSeguranca::mensagem(CopiaSeguranca::Resultado::DestinoExiste, arquivo, detalhe)
                    .contains("já existe o arquivo " + arquivo));
        QVERIFY(b.dm().Conectado());
        Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(14, 36, 0)));
        QCOMPARE(CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe), CopiaSeguranca::Resultado::Gerada);
    }

    // Another program holds a read open on the SQLite file (a report tool,
    // another account's VIGA): the rows committed meanwhile sit in the
    // write-ahead log, and the backup still holds every one of them.
    void copiaComLeituraAberta()
    {
        if (BancoTeste::usandoPostgres()) {
            QSKIP("arquivo SQLite");
        }
        BancoTeste b;
        {
            QSqlDatabase leitor = QSqlDatabase::addDatabase("QSQLITE", "leitor");
            leitor.setDatabaseName(b.dm().conexao().caminhoArquivo());
            QVERIFY(leitor.open());
            QSqlQuery l(leitor);
            QVERIFY(l.exec("begin"));
            QVERIFY(l.exec("select count(*) from cidade"));
            QVERIFY(l.next());
            for (int i = 1; i <= 20; ++i) {
                b.exec(QStringLiteral("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (%1, "
                                      "'CIDADE %1', 'PR')")
                           .arg(i));
            }
            // and the main window has its configuration open, as it always has
            b.dm().QR_Configuracao.Open();
            QString arquivo, detalhe;
            QCOMPARE(CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe), CopiaSeguranca::Resultado::Gerada);
            QVERIFY2(detalhe.isEmpty(), qPrintable(detalhe));
            QVERIFY(b.dm().Conectado());
            QCOMPARE(naCopia(arquivo, "select count(*) from cidade").toInt(), 20);
            QCOMPARE(naCopia(arquivo, "pragma integrity_check"), QVariant("ok"));
            // the copy is the owner's only
            QCOMPARE(int(QFileInfo(arquivo).permissions() & 0x0077), 0);
            l.finish();
            QVERIFY(l.exec("rollback"));
        }
        QSqlDatabase::removeDatabase("leitor");
    }

    // A backup stopped half-way by a crash (the process killed while the copy is
    // being written) never leaves, under a backup's name, a file that is not the
    // whole database.
    void copiaInterrompida()
    {
        if (BancoTeste::usandoPostgres()) {
            QSKIP("arquivo SQLite");
        }
        BancoTeste b;
        const int linhas = 150000; // about 30 MB: the copy takes a while
        b.exec("create table lastro (texto varchar(200))");
        b.exec(QStringLiteral("insert into lastro with recursive n(i) as (select 1 union all select i + 1 "
                              "from n where i < %1) select printf('%0190d', i) from n")
                   .arg(linhas));
        const QDir bkp(QDir(b.pasta()).filePath("bkp"));
        QProcess filho;
        filho.start(VIGA_FILHO_COPIA, {});
        QVERIFY(filho.waitForStarted());
        // killed as soon as some file in bkp/ holds part of the copy
        bool morto = false;
        while (filho.state() != QProcess::NotRunning && !morto) {
            for (const QFileInfo& f : bkp.entryInfoList(QDir::Files)) {
                if (f.size() > 1024 * 1024) {
                    ::kill(pid_t(filho.processId()), SIGKILL);
                    morto = true;
                    break;
                }
            }
            QThread::usleep(500);
        }
        filho.waitForFinished();
        QVERIFY2(morto, "a cópia terminou antes de ser interrompida; aumente o banco");
        for (const QFileInfo& f : bkp.entryInfoList(QDir::Files)) {
            if (f.fileName().startsWith("copia-incompleta-")) continue;
            QCOMPARE(naCopia(f.filePath(), "select count(*) from lastro").toInt(), linhas);
        }
    }

    // Something in the way of bkp/: a file of that name, a read-only folder,
    // a full disk. Each is told as it is, nothing is left half-written and
    // the connection is back.
    void falhasDizemOQueHouve_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("arquivo no lugar da pasta")
            << "arquivo" << int(CopiaSeguranca::Resultado::PastaInacessivel)
            << "Cópia de Segurança não foi gerada: não é possível gravar na pasta";
        QTest::newRow("pasta somente leitura")
            << "somente-leitura" << int(CopiaSeguranca::Resultado::PastaInacessivel)
            << "Cópia de Segurança não foi gerada: não é possível gravar na pasta";
        QTest::newRow("disco cheio") << "cheio" << int(CopiaSeguranca::Resultado::FalhaAoGravar)
                                     << "Cópia de Segurança não foi gerada: erro ao gravar o arquivo";
    }
    void falhasDizemOQueHouve()
    {
        QFETCH(QString, caso);
        QFETCH(int, resultado);
        QFETCH(QString, mensagem);
        BancoTeste b;
        // enough rows that the copy does not fit in a small disk
        b.exec("create table lastro (texto varchar(200))");
        for (int i = 0; i < 40; ++i) {
            b.exec("insert into lastro values ('" + QString(190, QChar('x')) + "')");
        }
        b.exec("insert into lastro select a.texto from lastro a, lastro b");
        const QString bkp = QDir(b.pasta()).filePath("bkp");
        Montagem montagem;
        if (caso == "arquivo") {
            QFile f(bkp);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            // a small file system of its own: needs the right to mount
            QDir().mkpath(bkp);
            const QString opcoes = caso == "cheio" ? "size=64k" : "ro,size=64k";
            if (QProcess::execute("mount", {"-t", "tmpfs", "-o", opcoes, "tmpfs", bkp}) != 0) {
                QSKIP("sem permissão para montar um sistema de arquivos de teste");
            }
            montagem.ponto = bkp;
        }
        QString arquivo, detalhe, reconexao;
        const auto r = CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe, &reconexao);
        QCOMPARE(int(r), resultado);
        QVERIFY2(!detalhe.isEmpty(), "o motivo do sistema acompanha a mensagem");
        const QString texto = CopiaSeguranca::mensagem(r, arquivo, detalhe);
        QVERIFY2(texto.startsWith(mensagem), qPrintable(texto));
        QVERIFY(texto.contains("Erro retornado: " + detalhe));
        QCOMPARE(CopiaSeguranca::titulo(r), QString("Erro"));
        QVERIFY(!QFileInfo::exists(arquivo));
        QVERIFY(reconexao.isEmpty());
        QVERIFY(b.dm().Conectado());
        QCOMPARE(b.contar("select count(*) from lastro"), 40 + 1600);
    }

    // The database cannot be opened again after the copy: that is reported too.
    void reconexaoFalhaEDito()
    {
        BancoTeste b;
        if (b.postgres()) {
            // from another database: the server refuses it for the current one
            {
                QSqlDatabase outro = QSqlDatabase::addDatabase("QPSQL", "outro");
                outro.setHostName(b.conexao().host);
                outro.setPort(b.conexao().porta);
                outro.setUserName(b.conexao().usuario);
                outro.setDatabaseName("postgres");
                QVERIFY(outro.open());
                QSqlQuery q(outro);
                QVERIFY(q.exec("alter database " + b.conexao().nome + " with allow_connections false"));
            }
            QSqlDatabase::removeDatabase("outro");
        } else {
            b.dm().Desconectar();
            QFile f(b.dm().conexao().caminhoArquivo());
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(4096, 'x'));
        }
        QString arquivo, detalhe, reconexao;
        CopiaSeguranca::executar(b.dm(), &arquivo, &detalhe, &reconexao);
        QVERIFY(!b.dm().Conectado());
        QVERIFY(!reconexao.isEmpty());
        QVERIFY(CopiaSeguranca::mensagemReconexao(reconexao).startsWith(
            "Não foi possível reabrir o banco de dados após a Cópia de Segurança.\rErro "
            "retornado: "));
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
