// SPDX-License-Identifier: GPL-3.0-or-later
// One VIGA per user: the lock lives in the user's own runtime folder.
#include "InstanciaUnica.h"

#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TstInstancia : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        qunsetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_CACHE_HOME");
        qunsetenv("TMPDIR");
    }

    // Started by cron or su, without a runtime folder, where the temporary folder's
    // runtime-<user> is a link another account planted: the lock goes to a private
    // folder of the user's cache (0700, this user's), never to a shared folder.
    void semPastaDeSessao()
    {
        QTemporaryDir tmp, cache;
        QVERIFY(tmp.isValid() && cache.isValid());
        QTemporaryDir alheia;
        QVERIFY(QFile::link(alheia.path(),
                            QDir(tmp.path()).filePath("runtime-" + qEnvironmentVariable("USER", "root"))));
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        const QString nome = QStringLiteral("viga-teste-%1").arg(getpid());
        InstanciaUnica primeira(nome);
        QVERIFY2(primeira.erro().isEmpty(), qPrintable(primeira.erro()));
        const QString pasta = QDir(cache.path()).filePath("viga-execucao");
        QCOMPARE(QFileInfo(primeira.caminho()).absolutePath(), pasta);
        QCOMPARE(int(QFileInfo(pasta).permissions() & 0x0077), 0);
        QCOMPARE(QFileInfo(pasta).ownerId(), uint(::geteuid()));
        QVERIFY(primeira.adquirir());
        QVERIFY(!InstanciaUnica(nome).adquirir());
        QVERIFY(QDir(alheia.path()).isEmpty());
        QVERIFY(!QFile::exists(QDir(tmp.path()).filePath(nome + ".lock")));
    }

    // Two users of one workstation (two runtime folders) each run their VIGA;
    // a second VIGA of the same user is refused.
    void umaPorUsuario()
    {
        QTemporaryDir ana;
        QTemporaryDir bruno;
        QVERIFY(ana.isValid() && bruno.isValid());
        const QString nome = QStringLiteral("viga-teste-%1").arg(getpid());

        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ana.path()));
        InstanciaUnica daAna(nome);
        QCOMPARE(QFileInfo(daAna.caminho()).absolutePath(), QFileInfo(ana.path()).absoluteFilePath());
        QVERIFY(daAna.adquirir());
        InstanciaUnica outraDaAna(nome);
        QVERIFY(!outraDaAna.adquirir());

        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(bruno.path()));
        InstanciaUnica doBruno(nome);
        QCOMPARE(QFileInfo(doBruno.caminho()).absolutePath(), QFileInfo(bruno.path()).absoluteFilePath());
        QVERIFY(doBruno.adquirir());
    }

    // A lock left in the runtime folder by a program that was killed is taken over.
    void travaAbandonadaNaPastaDoUsuario()
    {
        QTemporaryDir pasta;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(pasta.path()));
        InstanciaUnica i(QStringLiteral("viga"));
        QFile f(i.caminho());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("999999\nviga\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        f.close();
        QVERIFY(i.adquirir());
    }
};

QTEST_GUILESS_MAIN(TstInstancia)
#include "tst_instancia.moc"
