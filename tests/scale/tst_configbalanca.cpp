// SPDX-License-Identifier: GPL-3.0-or-later
// From the Config list indexes to the driver: the read-weight procedure's set-up,
// the poll period and "Teste Conexão".
#include "ConfiguraBalanca.h"
#include "PtyTeste.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TParity)
Q_DECLARE_METATYPE(TDataBits)
Q_DECLARE_METATYPE(TStopBits)
Q_DECLARE_METATYPE(THwFlowControl)
Q_DECLARE_METATYPE(TSwFlowControl)
Q_DECLARE_METATYPE(TBaudRate)
Q_DECLARE_METATYPE(TPortNumber)

class TstConfigBalanca : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void lineSettings_data();
    void lineSettings();
    void outsideTableKeepsValue_data();
    void outsideTableKeepsValue();
    void portChoice_data();
    void portChoice();
    void noConfigRow();
    void pollPeriod_data();
    void pollPeriod();
    void connectionTest();

private:
    std::unique_ptr<QTemporaryDir> m_pasta;
};

void TstConfigBalanca::init()
{
    m_pasta = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pasta->isValid());
    qputenv("VIGA_HOME", m_pasta->path().toLocal8Bit());
}

void TstConfigBalanca::cleanup()
{
    qunsetenv("VIGA_HOME");
    m_pasta.reset();
}

void TstConfigBalanca::lineSettings_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("paridade");
    QTest::addColumn<int>("stop");
    QTest::addColumn<int>("hard");
    QTest::addColumn<int>("soft");
    QTest::addColumn<TBaudRate>("eBaud");
    QTest::addColumn<TDataBits>("eBits");
    QTest::addColumn<TParity>("eParidade");
    QTest::addColumn<TStopBits>("eStop");
    QTest::addColumn<THwFlowControl>("eHard");
    QTest::addColumn<TSwFlowControl>("eSoft");

    QTest::newRow("Config defaults") << 4 << 3 << 2 << 0 << 0 << 0 << br9600 << db8BITS << ptNONE << sb1BITS
                                     << hfNONE << sfNONE;
    QTest::newRow("paridade 0 is even") << 0 << 0 << 0 << 1 << 1 << 1 << br600 << db5BITS << ptEVEN
                                        << sb1HALFBITS << hfNONERTSON << sfXONXOFF;
    QTest::newRow("paridade 1 mark") << 1 << 1 << 1 << 2 << 2 << 0 << br1200 << db6BITS << ptMARK << sb2BITS
                                     << hfRTSCTS << sfNONE;
    QTest::newRow("paridade 3 odd") << 2 << 2 << 3 << 0 << 0 << 0 << br2400 << db7BITS << ptODD << sb1BITS
                                    << hfNONE << sfNONE;
    QTest::newRow("paridade 4 space")
        << 3 << 3 << 4 << 0 << 0 << 0 << br4800 << db8BITS << ptSPACE << sb1BITS << hfNONE << sfNONE;
    QTest::newRow("19200") << 5 << 3 << 2 << 0 << 0 << 0 << br19200 << db8BITS << ptNONE << sb1BITS << hfNONE
                           << sfNONE;
}

void TstConfigBalanca::lineSettings()
{
    TConfigPorta c;
    QFETCH(int, baud);
    QFETCH(int, bits);
    QFETCH(int, paridade);
    QFETCH(int, stop);
    QFETCH(int, hard);
    QFETCH(int, soft);
    c.CFG_BAUD = baud;
    c.CFG_BITS = bits;
    c.CFG_PARIDADE = paridade;
    c.CFG_STOP = stop;
    c.CFG_FLHARD = hard;
    c.CFG_FLSOFT = soft;
    c.CFG_MODELOPLACA = 2;

    TCommPortDriver d;
    const TResultadoConfigPorta r = ConfiguraPortaBalanca(c, 1, 0, d);
    QVERIFY(r.ok);
    QCOMPARE(r.modelo, 2);
    QTEST(d.BaudRate(), "eBaud");
    QTEST(d.DataBits(), "eBits");
    QTEST(d.Parity(), "eParidade");
    QTEST(d.StopBits(), "eStop");
    QTEST(d.HwFlow(), "eHard");
    QTEST(d.SwFlow(), "eSoft");
}

// An index outside its table leaves the driver's current value.
void TstConfigBalanca::outsideTableKeepsValue_data()
{
    QTest::addColumn<int>("indice");
    QTest::newRow("-1") << -1;
    QTest::newRow("past the end") << 8;
    QTest::newRow("large") << 1000;
}

void TstConfigBalanca::outsideTableKeepsValue()
{
    QFETCH(int, indice);
    TCommPortDriver d;
    d.setPortName(QStringLiteral("/dev/ttyUSB7"));
    d.setBaudRate(br14400);
    d.setDataBits(db7BITS);
    d.setParity(ptSPACE);
    d.setStopBits(sb2BITS);
    d.setHwFlow(hfRTSCTS);
    d.setSwFlow(sfXONXOFF);

    TConfigPorta c{indice, indice, indice, indice, indice, indice, indice, indice, 0, 0};
    QVERIFY(ConfiguraPortaBalanca(c, 1, 0, d).ok);
    QCOMPARE(d.Port(), pnCustom);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyUSB7"));
    QCOMPARE(d.BaudRate(), br14400);
    QCOMPARE(d.DataBits(), db7BITS);
    QCOMPARE(d.Parity(), ptSPACE);
    QCOMPARE(d.StopBits(), sb2BITS);
    QCOMPARE(d.HwFlow(), hfRTSCTS);
    QCOMPARE(d.SwFlow(), sfXONXOFF);
}

void TstConfigBalanca::portChoice_data()
{
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("selecionaBal");
    QTest::addColumn<int>("balanca");
    QTest::addColumn<TPortNumber>("porta");
    QTest::addColumn<QString>("caminho");

    // CFG_PORTA = 2 (COM3), CFG_PORTASAIDA = 7 (COM8, mapped in viga.ini).
    QTest::newRow("entry window") << 1 << 0 << 1 << pnCOM3 << "/dev/ttyS2";
    QTest::newRow("exit window") << 2 << 0 << 0 << pnCOM8 << "/dev/ttyUSB1";
    QTest::newRow("selector Balança 1 in exit") << 2 << 1 << 0 << pnCOM3 << "/dev/ttyS2";
    QTest::newRow("selector Balança 2 in entry") << 1 << 1 << 1 << pnCOM8 << "/dev/ttyUSB1";
    QTest::newRow("selector any other index") << 1 << 1 << 5 << pnCOM8 << "/dev/ttyUSB1";
    QTest::newRow("selector off ignores it") << 1 << 2 << 1 << pnCOM3 << "/dev/ttyS2";
}

void TstConfigBalanca::portChoice()
{
    QFETCH(int, modo);
    QFETCH(int, selecionaBal);
    QFETCH(int, balanca);
    {
        QSettings ini(m_pasta->filePath(QStringLiteral("viga.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM8"), QStringLiteral("/dev/ttyUSB1"));
    }
    TConfigPorta c;
    c.CFG_PORTA = 2;
    c.CFG_PORTASAIDA = 7;
    c.CFG_SELECIONABAL = selecionaBal;
    TCommPortDriver d;
    QVERIFY(ConfiguraPortaBalanca(c, modo, balanca, d).ok);
    QTEST(d.Port(), "porta");
    QTEST(d.PortName(), "caminho");
}

void TstConfigBalanca::noConfigRow()
{
    TCommPortDriver d;
    d.setBaudRate(br2400);
    const TResultadoConfigPorta r = ConfiguraPortaBalanca(std::nullopt, 1, 0, d);
    QVERIFY(!r.ok);
    QCOMPARE(r.mensagem, QStringLiteral("Configuração não definida."));
    QCOMPARE(r.titulo, QStringLiteral("Erro"));
    QCOMPARE(d.BaudRate(), br2400);
    QCOMPARE(d.Port(), pnCustom);
}

void TstConfigBalanca::pollPeriod_data()
{
    QTest::addColumn<int>("modelo");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("periodo");
    QTest::newRow("AR 1200") << 0 << 1 << 400;
    QTest::newRow("AR 600") << 0 << 0 << 50;
    QTest::newRow("AR 9600") << 0 << 4 << 50;
    QTest::newRow("AR-N 5 at 1200") << 1 << 1 << 50;
    QTest::newRow("AR-N 6 at 1200") << 2 << 1 << 50;
}

void TstConfigBalanca::pollPeriod()
{
    QFETCH(int, modelo);
    QFETCH(int, baud);
    QTEST(int(PeriodoLeitura(quint16(modelo), baud)), "periodo");
}

// "Teste Conexão" opens the entry-scale port named by the mapping and closes it again.
void TstConfigBalanca::connectionTest()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    {
        QSettings ini(m_pasta->filePath(QStringLiteral("viga.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM2"), pty.nome());
        ini.setValue(QStringLiteral("serial/COM3"), m_pasta->filePath(QStringLiteral("sem-porta")));
    }
    TIndicesTeste t;
    t.porta = 1;
    t.paridade = 0;
    t.stop = 1;
    t.fluxoHard = 2;
    t.fluxoSoft = 1;
    QVERIFY(TesteConexao(t));
    // Closed again: a second test opens it as well, and so does a driver.
    QVERIFY(TesteConexao(t));
    TCommPortDriver d;
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());
    d.Disconnect();

    t.porta = 2;
    QVERIFY(!TesteConexao(t));
    t.porta = 8;
    QVERIFY(!TesteConexao(t));
}

QTEST_GUILESS_MAIN(TstConfigBalanca)
#include "tst_configbalanca.moc"
