// SPDX-License-Identifier: GPL-3.0-or-later
// The line settings in termios form, flag by flag. A pseudo-terminal keeps none of
// the character-size and parity choices, so they are checked here, on the pure function.
#include "LinhaSerial.h"

#include <QtTest>

Q_DECLARE_METATYPE(TDataBits)
Q_DECLARE_METATYPE(TParity)
Q_DECLARE_METATYPE(TStopBits)
Q_DECLARE_METATYPE(THwFlowControl)
Q_DECLARE_METATYPE(TSwFlowControl)
Q_DECLARE_METATYPE(TBaudRate)

class TstTermios : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void flags_data();
    void flags();
    void speed_data();
    void speed();
};

void TstTermios::flags_data()
{
    QTest::addColumn<TDataBits>("bits");
    QTest::addColumn<TParity>("paridade");
    QTest::addColumn<TStopBits>("stop");
    QTest::addColumn<THwFlowControl>("hw");
    QTest::addColumn<TSwFlowControl>("sw");
    QTest::addColumn<uint>("csize");
    QTest::addColumn<uint>("cflagLigados"); // of PARENB|PARODD|CMSPAR|CSTOPB|CRTSCTS
    QTest::addColumn<uint>("iflagLigados"); // of IXON|IXOFF

    QTest::newRow("8N1 defaults") << db8BITS << ptNONE << sb1BITS << hfNONERTSON << sfNONE << uint(CS8) << 0u
                                  << 0u;
    QTest::newRow("5 bits") << db5BITS << ptNONE << sb1BITS << hfNONE << sfNONE << uint(CS5) << 0u << 0u;
    QTest::newRow("6 bits") << db6BITS << ptNONE << sb1BITS << hfNONE << sfNONE << uint(CS6) << 0u << 0u;
    QTest::newRow("7 bits even") << db7BITS << ptEVEN << sb1BITS << hfNONE << sfNONE << uint(CS7)
                                 << uint(PARENB) << 0u;
    QTest::newRow("odd") << db8BITS << ptODD << sb1BITS << hfNONE << sfNONE << uint(CS8)
                         << uint(PARENB | PARODD) << 0u;
    QTest::newRow("mark") << db7BITS << ptMARK << sb1BITS << hfNONE << sfNONE << uint(CS7)
                          << uint(PARENB | CMSPAR | PARODD) << 0u;
    QTest::newRow("space") << db7BITS << ptSPACE << sb1BITS << hfNONE << sfNONE << uint(CS7)
                           << uint(PARENB | CMSPAR) << 0u;
    QTest::newRow("2 stop bits") << db8BITS << ptNONE << sb2BITS << hfNONE << sfNONE << uint(CS8)
                                 << uint(CSTOPB) << 0u;
    QTest::newRow("1.5 stop bits sends 2")
        << db5BITS << ptNONE << sb1HALFBITS << hfNONE << sfNONE << uint(CS5) << uint(CSTOPB) << 0u;
    QTest::newRow("RTS on: no handshake")
        << db8BITS << ptNONE << sb1BITS << hfNONERTSON << sfNONE << uint(CS8) << 0u << 0u;
    QTest::newRow("RTS/CTS") << db8BITS << ptNONE << sb1BITS << hfRTSCTS << sfNONE << uint(CS8)
                             << uint(CRTSCTS) << 0u;
    QTest::newRow("XON/XOFF") << db8BITS << ptNONE << sb1BITS << hfNONE << sfXONXOFF << uint(CS8) << 0u
                              << uint(IXON | IXOFF);
    QTest::newRow("everything") << db7BITS << ptMARK << sb2BITS << hfRTSCTS << sfXONXOFF << uint(CS7)
                                << uint(PARENB | CMSPAR | PARODD | CSTOPB | CRTSCTS) << uint(IXON | IXOFF);
}

void TstTermios::flags()
{
    QFETCH(TDataBits, bits);
    QFETCH(TParity, paridade);
    QFETCH(TStopBits, stop);
    QFETCH(THwFlowControl, hw);
    QFETCH(TSwFlowControl, sw);
    QFETCH(uint, csize);
    QFETCH(uint, cflagLigados);
    QFETCH(uint, iflagLigados);

    ParametrosLinha p;
    p.dataBits = bits;
    p.parity = paridade;
    p.stopBits = stop;
    p.hwFlow = hw;
    p.swFlow = sw;
    const termios t = MontaTermios(p).tio;

    QCOMPARE(uint(t.c_cflag & CSIZE), csize);
    QCOMPARE(uint(t.c_cflag & (PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS)), cflagLigados);
    QCOMPARE(uint(t.c_iflag & (IXON | IXOFF | IXANY)), iflagLigados);
    QCOMPARE(uint(t.c_cflag & (CLOCAL | CREAD)), uint(CLOCAL | CREAD));
    // Raw: no parity check or stripping, no translation, no echo, no line editing, no signals.
    QCOMPARE(uint(t.c_iflag & (INPCK | ISTRIP | ICRNL | INLCR | IGNCR | PARMRK | BRKINT)), 0u);
    QCOMPARE(uint(t.c_oflag & OPOST), 0u);
    QCOMPARE(uint(t.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN)), 0u);
    QCOMPARE(int(t.c_cc[VMIN]), 0);
    QCOMPARE(int(t.c_cc[VTIME]), 0);
    QCOMPARE(int(t.c_cc[VSTART]), 17);
    QCOMPARE(int(t.c_cc[VSTOP]), 19);
}

void TstTermios::speed_data()
{
    QTest::addColumn<TBaudRate>("baud");
    QTest::addColumn<uint>("custom");
    QTest::addColumn<uint>("velocidade");
    QTest::addColumn<uint>("constante"); // 0 = set through termios2
    QTest::newRow("600") << br600 << 0u << 600u << uint(B600);
    QTest::newRow("1200") << br1200 << 0u << 1200u << uint(B1200);
    QTest::newRow("2400") << br2400 << 0u << 2400u << uint(B2400);
    QTest::newRow("4800") << br4800 << 0u << 4800u << uint(B4800);
    QTest::newRow("9600") << br9600 << 0u << 9600u << uint(B9600);
    QTest::newRow("19200") << br19200 << 0u << 19200u << uint(B19200);
    QTest::newRow("110") << br110 << 0u << 110u << uint(B110);
    QTest::newRow("115200") << br115200 << 0u << 115200u << uint(B115200);
    QTest::newRow("14400 has no constant") << br14400 << 0u << 14400u << 0u;
    QTest::newRow("256000 has no constant") << br256000 << 0u << 256000u << 0u;
    QTest::newRow("custom 38400") << brCustom << 38400u << 38400u << uint(B38400);
    QTest::newRow("custom 31250") << brCustom << 31250u << 31250u << 0u;
}

void TstTermios::speed()
{
    QFETCH(TBaudRate, baud);
    QFETCH(uint, custom);
    QFETCH(uint, constante);

    ParametrosLinha p;
    p.baudRate = baud;
    p.baudRateValue = custom;
    const TermiosLinha l = MontaTermios(p);
    QTEST(uint(l.velocidade), "velocidade");
    QCOMPARE(l.velocidadeEspecial, constante == 0);
    if (constante != 0) {
        QCOMPARE(uint(cfgetospeed(&l.tio)), constante);
        QCOMPARE(uint(cfgetispeed(&l.tio)), constante);
    }
}

QTEST_GUILESS_MAIN(TstTermios)
#include "tst_termios.moc"
