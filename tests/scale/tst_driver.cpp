// SPDX-License-Identifier: GPL-3.0-or-later
// TCommPortDriver on real pseudo-terminals.
#include "PtyTeste.h"
#include "TCommPortDriver.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>

Q_DECLARE_METATYPE(TParity)
Q_DECLARE_METATYPE(TDataBits)
Q_DECLARE_METATYPE(TStopBits)
Q_DECLARE_METATYPE(THwFlowControl)
Q_DECLARE_METATYPE(TSwFlowControl)
Q_DECLARE_METATYPE(TBaudRate)

namespace
{

// termios2's "other speed" marker in c_cflag (<asm/termbits.h> clashes with <termios.h>).
constexpr uint kBother = 0010000;

// Every chunk the driver delivered, copied as the weighing window would.
struct Recebidos {
    explicit Recebidos(TCommPortDriver& d)
    {
        QObject::connect(&d, &TCommPortDriver::OnReceiveData,
                         [this, &d](TCommPortDriver* sender, const char* dados, int n) {
                             QCOMPARE(sender, &d);
                             blocos.append(QByteArray(dados, n));
                         });
    }
    QByteArray tudo() const { return blocos.join(); }
    QList<QByteArray> blocos;
};

// Runs the event loop for `ticks` poll periods.
void Espera(const TCommPortDriver& d, int ticks)
{
    QTest::qWait(ticks * d.PollingDelay());
}

} // namespace

class TstDriver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaults();
    void clamps_data();
    void clamps();
    void portMapping();
    void connectFailures();
    void frameSplitAcrossTicks();
    void framesInOneTick();
    void exactBytes();
    void chunkLimitedToInBufSize();
    void pollingDelayChange();
    void openCloseReopen();
    void openPortKeepsOldName();
    void lineSettingsOnOpen_data();
    void lineSettingsOnOpen();
    void settersWhileOpen();
    void exclusiveAccess();
    void otherSideVanishes();
};

void TstDriver::defaults()
{
    TCommPortDriver d;
    QCOMPARE(d.Port(), pnCustom);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS1"));
    QCOMPARE(d.BaudRate(), br9600);
    QCOMPARE(d.DataBits(), db8BITS);
    QCOMPARE(d.StopBits(), sb1BITS);
    QCOMPARE(d.Parity(), ptNONE);
    QCOMPARE(d.HwFlow(), hfNONERTSON);
    QCOMPARE(d.SwFlow(), sfNONE);
    QCOMPARE(d.InBufSize(), 2048u);
    QCOMPARE(d.OutBufSize(), 2048u);
    QCOMPARE(d.PacketSize(), qint16(-1));
    QCOMPARE(d.PacketTimeout(), -1);
    QCOMPARE(d.PacketMode(), pmDiscard);
    QCOMPARE(d.PollingDelay(), quint16(50));
    QVERIFY(d.EnableDTROnOpen());
    QCOMPARE(d.OutputTimeout(), 500u);
    QCOMPARE(d.InputTimeout(), 200u);
    QVERIFY(!d.Connected());
    QCOMPARE(d.PeriodoAtivo(), 0);
}

void TstDriver::clamps_data()
{
    QTest::addColumn<QByteArray>("propriedade");
    QTest::addColumn<uint>("valor");
    QTest::addColumn<uint>("esperado");
    for (const char* p : {"InBufSize", "OutBufSize"}) {
        QTest::addRow("%s 100", p) << QByteArray(p) << 100u << 128u;
        QTest::addRow("%s 127", p) << QByteArray(p) << 127u << 128u;
        QTest::addRow("%s 128", p) << QByteArray(p) << 128u << 128u;
        QTest::addRow("%s 4096", p) << QByteArray(p) << 4096u << 4096u;
        QTest::addRow("%s 8192", p) << QByteArray(p) << 8192u << 8192u;
        QTest::addRow("%s 10000", p) << QByteArray(p) << 10000u << 8192u;
    }
    for (uint v = 0; v <= 4; ++v) {
        QTest::addRow("PollingDelay %u", v) << QByteArray("PollingDelay") << v << 5u;
    }
    QTest::newRow("PollingDelay 5") << QByteArray("PollingDelay") << 5u << 5u;
    QTest::newRow("PollingDelay 400") << QByteArray("PollingDelay") << 400u << 400u;
}

void TstDriver::clamps()
{
    QFETCH(QByteArray, propriedade);
    QFETCH(uint, valor);
    TCommPortDriver d;
    QVERIFY(d.setProperty(propriedade.constData(), valor));
    QTEST(d.property(propriedade.constData()).toUInt(), "esperado");
}

void TstDriver::portMapping()
{
    QTemporaryDir pasta;
    QVERIFY(pasta.isValid());
    qputenv("VIGA_HOME", pasta.path().toLocal8Bit());
    {
        QSettings ini(pasta.filePath(QStringLiteral("viga.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM1"), QStringLiteral("/dev/pts/77"));
        ini.setValue(QStringLiteral("serial/COM9"), QStringLiteral("/dev/ttyUSB0"));
    }
    TCommPortDriver d;
    d.setPort(pnCOM1);
    QCOMPARE(d.Port(), pnCOM1);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/pts/77"));
    d.setPort(pnCOM3);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS2"));
    d.setPort(pnCOM9);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyUSB0"));
    d.setPort(pnCOM16);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS15"));
    d.setPort(pnCustom);
    QCOMPARE(d.Port(), pnCustom);
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyS15"));
    d.setPortName(QStringLiteral("/dev/ttyACM0"));
    QCOMPARE(d.PortName(), QStringLiteral("/dev/ttyACM0"));
    qunsetenv("VIGA_HOME");
}

void TstDriver::connectFailures()
{
    QTemporaryDir pasta;
    TCommPortDriver d;
    d.setPortName(pasta.filePath(QStringLiteral("nao-existe")));
    QVERIFY(!d.Connect());
    QVERIFY(!d.Connected());
    QCOMPARE(d.PeriodoAtivo(), 0);

    // A plain file opens but is no terminal.
    QFile arquivo(pasta.filePath(QStringLiteral("arquivo")));
    QVERIFY(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("D001234\r");
    arquivo.close();
    d.setPortName(arquivo.fileName());
    QVERIFY(!d.Connect());
    QVERIFY(!d.Connected());
}

void TstDriver::frameSplitAcrossTicks()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    Recebidos r(d);
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());

    QVERIFY(pty.escreve("D001"));
    QTRY_COMPARE(r.blocos.size(), 1);
    QVERIFY(pty.escreve("234\r"));
    QTRY_COMPARE(r.blocos.size(), 2);
    QCOMPARE(r.blocos.at(0), QByteArray("D001"));
    QCOMPARE(r.blocos.at(1), QByteArray("234\r"));
}

void TstDriver::framesInOneTick()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    d.setPollingDelay(200);
    Recebidos r(d);
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());

    QVERIFY(pty.escreve("D001234\rD001235\r"));
    QTRY_COMPARE(r.blocos.size(), 1);
    Espera(d, 3);
    QCOMPARE(r.blocos.size(), 1);
    QCOMPARE(r.blocos.at(0), QByteArray("D001234\rD001235\r"));
}

// Raw mode: every byte value arrives as sent (CR, LF, XON, XOFF, ^C, DEL, 0xFF, NUL).
void TstDriver::exactBytes()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    Recebidos r(d);
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());

    QByteArray todos;
    for (int i = 0; i < 256; ++i) {
        todos.append(char(i));
    }
    QVERIFY(pty.escreve(todos));
    QTRY_COMPARE(r.tudo().size(), todos.size());
    QCOMPARE(r.tudo(), todos);
}

void TstDriver::chunkLimitedToInBufSize()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    d.setInBufSize(128);
    Recebidos r(d);
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());

    QByteArray dados;
    for (int i = 0; i < 1000; ++i) {
        dados.append(char('0' + i % 10));
    }
    QVERIFY(pty.escreve(dados));
    QTRY_COMPARE(r.tudo().size(), dados.size());
    QCOMPARE(r.tudo(), dados);
    QVERIFY(r.blocos.size() >= 8);
    for (const QByteArray& b : std::as_const(r.blocos)) {
        QVERIFY(b.size() <= 128);
    }
}

void TstDriver::pollingDelayChange()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    Recebidos r(d);
    d.setPortName(pty.nome());
    d.setPollingDelay(30);
    QCOMPARE(d.PeriodoAtivo(), 0);
    QVERIFY(d.Connect());
    QCOMPARE(d.PeriodoAtivo(), 30);

    d.setPollingDelay(120);
    QCOMPARE(d.PeriodoAtivo(), 120);
    QVERIFY(pty.escreve("D001234\r"));
    QTRY_COMPARE(r.blocos.size(), 1);

    d.setPollingDelay(2);
    QCOMPARE(d.PollingDelay(), quint16(5));
    QCOMPARE(d.PeriodoAtivo(), 5);
    QVERIFY(pty.escreve("D001235\r"));
    QTRY_COMPARE(r.blocos.size(), 2);
    QCOMPARE(r.blocos.at(1), QByteArray("D001235\r"));

    d.Disconnect();
    QCOMPARE(d.PeriodoAtivo(), 0);
    d.setPollingDelay(70);
    QCOMPARE(d.PeriodoAtivo(), 0);
    QVERIFY(d.Connect());
    QCOMPARE(d.PeriodoAtivo(), 70);
}

void TstDriver::openCloseReopen()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    Recebidos r(d);
    d.setPortName(pty.nome());

    QVERIFY(d.Connect());
    QVERIFY(d.Connected());
    QVERIFY(d.Connect());
    QVERIFY(pty.escreve("D000001\r"));
    QTRY_COMPARE(r.blocos.size(), 1);

    d.Disconnect();
    QVERIFY(!d.Connected());
    d.Disconnect();
    QVERIFY(!d.Connected());

    // Bytes sent while the port was closed are stale: the open flushes them.
    QVERIFY(pty.escreve("D000002\r"));
    Espera(d, 2);
    QCOMPARE(r.blocos.size(), 1);

    QVERIFY(d.Connect());
    QVERIFY(pty.escreve("D000003\r"));
    QTRY_COMPARE(r.blocos.size(), 2);
    Espera(d, 2);
    QCOMPARE(r.blocos, (QList<QByteArray>{"D000001\r", "D000003\r"}));
}

void TstDriver::openPortKeepsOldName()
{
    PtyTeste a;
    PtyTeste b;
    QVERIFY(a.ok() && b.ok());
    QTemporaryDir pasta;
    qputenv("VIGA_HOME", pasta.path().toLocal8Bit());
    {
        QSettings ini(pasta.filePath(QStringLiteral("viga.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM1"), a.nome());
        ini.setValue(QStringLiteral("serial/COM2"), b.nome());
    }
    TCommPortDriver d;
    Recebidos r(d);
    d.setPort(pnCOM1);
    QVERIFY(d.Connect());

    d.setPort(pnCOM2);
    QCOMPARE(d.Port(), pnCOM1);
    d.setPortName(b.nome());
    QCOMPARE(d.PortName(), a.nome());
    QVERIFY(d.Connect());
    QVERIFY(b.escreve("D000002\r"));
    QVERIFY(a.escreve("D000001\r"));
    QTRY_COMPARE(r.blocos.size(), 1);
    QCOMPARE(r.blocos.at(0), QByteArray("D000001\r"));

    // Closing first lets the other scale's port take effect.
    d.Disconnect();
    d.setPort(pnCOM2);
    QCOMPARE(d.PortName(), b.nome());
    QVERIFY(d.Connect());
    QVERIFY(b.escreve("D000003\r"));
    QTRY_COMPARE(r.blocos.size(), 2);
    QCOMPARE(r.blocos.at(1), QByteArray("D000003\r"));
    qunsetenv("VIGA_HOME");
}

// Every choice the settings offer opens a pseudo-terminal: it keeps the speed
// and ignores size, parity and the modem lines, and the driver accepts that.
void TstDriver::lineSettingsOnOpen_data()
{
    QTest::addColumn<TBaudRate>("baud");
    QTest::addColumn<TDataBits>("bits");
    QTest::addColumn<TParity>("paridade");
    QTest::addColumn<TStopBits>("stop");
    QTest::addColumn<THwFlowControl>("hw");
    QTest::addColumn<TSwFlowControl>("sw");
    QTest::addColumn<uint>("velocidade");
    QTest::newRow("600 7E1") << br600 << db7BITS << ptEVEN << sb1BITS << hfNONE << sfNONE << uint(B600);
    QTest::newRow("1200 8N1 RTS on") << br1200 << db8BITS << ptNONE << sb1BITS << hfNONERTSON << sfNONE
                                     << uint(B1200);
    QTest::newRow("2400 7M2") << br2400 << db7BITS << ptMARK << sb2BITS << hfNONE << sfNONE << uint(B2400);
    QTest::newRow("4800 7S1 RTS/CTS")
        << br4800 << db7BITS << ptSPACE << sb1BITS << hfRTSCTS << sfNONE << uint(B4800);
    QTest::newRow("9600 5O1.5 XON/XOFF")
        << br9600 << db5BITS << ptODD << sb1HALFBITS << hfNONE << sfXONXOFF << uint(B9600);
    QTest::newRow("19200 6N1") << br19200 << db6BITS << ptNONE << sb1BITS << hfNONE << sfNONE << uint(B19200);
    QTest::newRow("14400 through termios2")
        << br14400 << db8BITS << ptNONE << sb1BITS << hfNONE << sfNONE << kBother;
}

void TstDriver::lineSettingsOnOpen()
{
    QFETCH(TBaudRate, baud);
    QFETCH(TDataBits, bits);
    QFETCH(TParity, paridade);
    QFETCH(TStopBits, stop);
    QFETCH(THwFlowControl, hw);
    QFETCH(TSwFlowControl, sw);
    QFETCH(uint, velocidade);

    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    d.setBaudRate(baud);
    d.setDataBits(bits);
    d.setParity(paridade);
    d.setStopBits(stop);
    d.setHwFlow(hw);
    d.setSwFlow(sw);
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());
    const termios& t = d.LinhaAplicada();
    QCOMPARE(uint(cfgetospeed(&t)), velocidade);
    QCOMPARE(bool(t.c_iflag & IXON), sw == sfXONXOFF);
    QCOMPARE(uint(t.c_lflag & (ICANON | ECHO | ISIG)), 0u);
}

void TstDriver::settersWhileOpen()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());
    QCOMPARE(uint(cfgetospeed(&d.LinhaAplicada())), uint(B9600));

    d.setBaudRate(br1200);
    QCOMPARE(uint(cfgetospeed(&d.LinhaAplicada())), uint(B1200));
    d.setSwFlow(sfXONXOFF);
    QVERIFY(d.LinhaAplicada().c_iflag & IXOFF);

    d.setInBufSize(4096);
    d.setOutBufSize(4096);
    QCOMPARE(d.InBufSize(), 2048u);
    QCOMPARE(d.OutBufSize(), 2048u);
    d.Disconnect();
    d.setInBufSize(4096);
    QCOMPARE(d.InBufSize(), 4096u);

    // Closed: stored, applied at the next open.
    d.setBaudRate(br19200);
    QVERIFY(d.Connect());
    QCOMPARE(uint(cfgetospeed(&d.LinhaAplicada())), uint(B19200));
}

void TstDriver::exclusiveAccess()
{
    if (geteuid() == 0) {
        QSKIP("an administrator may open a terminal held exclusively");
    }
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());
    TCommPortDriver outro;
    outro.setPortName(pty.nome());
    QVERIFY(!outro.Connect());
    d.Disconnect();
    QVERIFY(outro.Connect());
}

// The indicator side disappears (cable pulled, simulator killed): ticks fail and
// are skipped at the normal pace, the driver stays usable and closes cleanly.
void TstDriver::otherSideVanishes()
{
    PtyTeste pty;
    QVERIFY(pty.ok());
    TCommPortDriver d;
    d.setPollingDelay(10);
    Recebidos r(d);
    d.setPortName(pty.nome());
    QVERIFY(d.Connect());
    QVERIFY(pty.escreve("D001234\r"));
    QTRY_COMPARE(r.blocos.size(), 1);

    pty.fechaMaster();
    QElapsedTimer relogio;
    relogio.start();
    QTRY_VERIFY(d.FalhasLeitura() >= 3);
    Espera(d, 5);
    const qint64 decorrido = relogio.elapsed();
    QVERIFY(d.Connected());
    QCOMPARE(d.PeriodoAtivo(), 10);
    QCOMPARE(r.blocos.size(), 1);
    // One failed read per tick at most: no busy loop.
    QVERIFY2(d.FalhasLeitura() <= quint64(decorrido / 10 + 2),
             qPrintable(QString::number(d.FalhasLeitura())));

    d.Disconnect();
    QVERIFY(!d.Connected());
    QVERIFY(!d.Connect());
    pty.fechaSlave();
    QVERIFY(!d.Connect());
}

QTEST_GUILESS_MAIN(TstDriver)
#include "tst_driver.moc"
