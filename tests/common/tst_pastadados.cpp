// SPDX-License-Identifier: GPL-3.0-or-later
#include "PastaDados.h"

#include <QtTest>

// The data folder: an installed program (under /usr) never writes into its
// installation folder, whoever runs it.
class TstPastaDados : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void regra_data()
    {
        QTest::addColumn<QString>("vigaHome");
        QTest::addColumn<QString>("programa");
        QTest::addColumn<bool>("gravavel");
        QTest::addColumn<QString>("esperado");
        const QString pessoal = QStringLiteral("/home/operador/.local/share/viga");
        QTest::newRow("VIGA_HOME vence") << "/srv/balanca"
                                         << "/usr/bin" << true << "/srv/balanca";
        QTest::newRow("VIGA_HOME limpo") << "/srv/balanca/../portaria/"
                                         << "/opt/viga" << true << "/srv/portaria";
        QTest::newRow("instalado, sem gravacao") << ""
                                                 << "/usr/bin" << false << pessoal;
        QTest::newRow("instalado, root pode gravar") << ""
                                                     << "/usr/bin" << true << pessoal;
        QTest::newRow("/usr/local") << ""
                                    << "/usr/local/bin" << true << pessoal;
        QTest::newRow("/usr/local/bin/") << ""
                                         << "/usr/local/bin/" << true << pessoal;
        QTest::newRow("/usr/../opt e' fora") << ""
                                             << "/usr/../opt/viga" << true << "/opt/viga";
        QTest::newRow("/usrviga nao e' /usr") << ""
                                              << "/usrviga" << true << "/usrviga";
        QTest::newRow("copia de trabalho")
            << ""
            << "/home/operador/viga/build" << true << "/home/operador/viga/build";
        QTest::newRow("pasta sem gravacao") << ""
                                            << "/mnt/cdrom" << false << pessoal;
    }
    void regra()
    {
        QFETCH(QString, vigaHome);
        QFETCH(QString, programa);
        QFETCH(bool, gravavel);
        QFETCH(QString, esperado);
        QCOMPARE(PastaDados::escolher(vigaHome, programa, gravavel, QStringLiteral("/home/operador")),
                 esperado);
    }

    // The process's own answer: this test runs from its writable build folder.
    void desteProcesso()
    {
        if (QCoreApplication::applicationDirPath().startsWith(QLatin1String("/usr/"))) {
            QSKIP("the build folder is under /usr");
        }
        const QByteArray antes = qgetenv("VIGA_HOME");
        qunsetenv("VIGA_HOME");
        QCOMPARE(PastaDados::caminho(), QCoreApplication::applicationDirPath());
        QCOMPARE(PastaDados::ini(), QCoreApplication::applicationDirPath() + QStringLiteral("/viga.ini"));
        QTemporaryDir dir;
        qputenv("VIGA_HOME", dir.path().toLocal8Bit());
        QCOMPARE(PastaDados::caminho(), dir.path());
        if (antes.isNull()) {
            qunsetenv("VIGA_HOME");
        } else {
            qputenv("VIGA_HOME", antes);
        }
    }
};

QTEST_GUILESS_MAIN(TstPastaDados)
#include "tst_pastadados.moc"
