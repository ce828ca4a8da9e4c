// SPDX-License-Identifier: GPL-3.0-or-later
// Chunk acceptance and the three indicator frame parsers.
#include "QuadrosBalanca.h"

#include <QtTest>

namespace
{

const QString kNada = QStringLiteral("<nada>");
constexpr qint64 kMantem = -1;

QString Peso(const TResultadoQuadro& r)
{
    return r.peso.value_or(kNada);
}

qint64 Lampada(const TResultadoQuadro& r)
{
    return r.lampada ? qint64(*r.lampada) : kMantem;
}

constexpr qint64 Verde = qint64(TLampada::Verde);
constexpr qint64 Amarela = qint64(TLampada::Amarela);

} // namespace

class TstQuadros : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void receiver_data();
    void receiver();
    void arLetters_data();
    void arLetters();
    void arParser_data();
    void arParser();
    void statusByte_data();
    void statusByte();
    void demand_data();
    void demand();
    void statusTextAcrossFrames();
    void errorMessages_data();
    void errorMessages();
};

// The receiver on whole chunks, with the continuous interface: acceptance, the
// numeric pre-test and the dispatch by model.
void TstQuadros::receiver_data()
{
    QTest::addColumn<QByteArray>("bloco");
    QTest::addColumn<int>("modelo");
    QTest::addColumn<int>("divisao");
    QTest::addColumn<int>("casas");
    QTest::addColumn<bool>("aceito");
    QTest::addColumn<bool>("parser");
    QTest::addColumn<QString>("peso");
    QTest::addColumn<qint64>("lampada");
    QTest::addColumn<QString>("status");

    const QString antes = QStringLiteral("ANTERIOR");
    QTest::newRow("AR D stable, divisao 2") << QByteArray("D001234\r") << 0 << 2 << 2 << true << true
                                            << "12,34" << Verde << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR L negative, divisao 0") << QByteArray("L000500\r") << 0 << 0 << 0 << true << true
                                              << "-500" << Verde << "PESO NEGATIVO EM EQUILíBRIO.";
    QTest::newRow("AR C moving") << QByteArray("C001234\r") << 0 << 2 << 2 << true << true << "12,34"
                                 << Amarela << "PESO POSITIVO FORA DE EQUILíBRIO.";
    QTest::newRow("AR @ keeps status")
        << QByteArray("@001234\r") << 0 << 2 << 2 << true << true << "12,34" << Amarela << antes;
    QTest::newRow("AR divisao 1") << QByteArray("D001234\r") << 0 << 1 << 1 << true << true << "123,4"
                                  << Verde << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR divisao 3, casas 2 rounds") << QByteArray("D027345\r") << 0 << 3 << 2 << true << true
                                                  << "27,34" << Verde << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR divisao outside 0..3") << QByteArray("D001234\r") << 0 << 4 << 2 << true << true
                                             << kNada << kMantem << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR two frames in one chunk") << QByteArray("D001234\rD001235\r") << 0 << 2 << 2 << true
                                                << true << "12,34" << Verde << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR five digits and a point") << QByteArray("D0012.3\r") << 0 << 0 << 0 << true << true
                                                << kNada << kMantem << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR field not numeric")
        << QByteArray("D00X234\r") << 0 << 2 << 2 << true << false << kNada << kMantem << antes;
    QTest::newRow("AR exponent is not a weight")
        << QByteArray("D01E234\r") << 0 << 0 << 0 << true << false << kNada << kMantem << antes;
    QTest::newRow("AR fragment, status only")
        << QByteArray("D\r") << 0 << 2 << 2 << true << false << kNada << kMantem << antes;
    QTest::newRow("first A") << QByteArray("A001234\r") << 0 << 2 << 2 << false << false << kNada << kMantem
                             << antes;
    QTest::newRow("first B") << QByteArray("B001234\r") << 1 << 2 << 2 << false << false << kNada << kMantem
                             << antes;
    QTest::newRow("first Q") << QByteArray("Q001234\r") << 0 << 2 << 2 << false << false << kNada << kMantem
                             << antes;
    QTest::newRow("no carriage return")
        << QByteArray("D001234") << 0 << 2 << 2 << false << false << kNada << kMantem << antes;
    QTest::newRow("line feed after CR")
        << QByteArray("D001234\r\n") << 0 << 2 << 2 << false << false << kNada << kMantem << antes;
    QTest::newRow("tail of a frame") << QByteArray("1234\r") << 0 << 2 << 2 << false << false << kNada
                                     << kMantem << antes;
    QTest::newRow("head of a frame") << QByteArray("D00") << 0 << 2 << 2 << false << false << kNada << kMantem
                                     << antes;
    QTest::newRow("empty") << QByteArray() << 0 << 2 << 2 << false << false << kNada << kMantem << antes;
    QTest::newRow("ARN5 with 3 decimals") << QByteArray("D012.34\r") << 1 << 0 << 3 << true << true
                                          << "12,340" << Verde << "PESO BRUTO EM EQUILÍBRIO POSITIVO ";
    QTest::newRow("ARN5 further characters")
        << QByteArray("D012.34 000.00\x02\r") << 1 << 0 << 2 << true << true << "12,34" << Verde
        << "PESO BRUTO EM EQUILÍBRIO POSITIVO ";
    QTest::newRow("ARN5 P out of range") << QByteArray("P012.34\r") << 1 << 0 << 2 << true << true << "12,34"
                                         << Amarela << "PESO BRUTO EM MOVIMENTO POSITIVO FORA DE FAIXA ";
    QTest::newRow("ARN5 negative") << QByteArray("L012.34\r") << 1 << 0 << 2 << true << true << "-12,34"
                                   << Verde << "PESO BRUTO EM EQUILÍBRIO NEGATIVO ";
    QTest::newRow("ARN5 field not numeric")
        << QByteArray("D01 .34\r") << 1 << 0 << 2 << true << false << kNada << kMantem << antes;
    QTest::newRow("ARN6 six digits") << QByteArray("D1234.56\r") << 2 << 0 << 2 << true << true << "1234,56"
                                     << Verde << "PESO BRUTO EM EQUILÍBRIO POSITIVO ";
    QTest::newRow("ARN5 reads six characters") << QByteArray("D1234.56\r") << 1 << 0 << 2 << true << true
                                               << "1234,50" << Verde << "PESO BRUTO EM EQUILÍBRIO POSITIVO ";
    QTest::newRow("ARN6 rounds to casas") << QByteArray("E1.23456\r") << 2 << 0 << 3 << true << true
                                          << "1,235" << Verde << "PESO LIQUIDO EM EQUILÍBRIO POSITIVO ";
    QTest::newRow("ARN6 with model 0 field width") << QByteArray("D0123.4\r") << 0 << 0 << 1 << true << true
                                                   << kNada << kMantem << "PESO BRUTO MAIOR QUE ZERO.";
}

void TstQuadros::receiver()
{
    QFETCH(QByteArray, bloco);
    QFETCH(int, modelo);
    QFETCH(int, divisao);
    QFETCH(int, casas);

    TConfigQuadro c;
    c.modelo = modelo;
    c.interfaceSerial = 0;
    c.divisao = divisao;
    c.casasDecimais = casas;
    const TResultadoQuadro r = RecebeBloco(bloco, c, QStringLiteral("ANTERIOR"));

    QTEST(r.aceito, "aceito");
    QTEST(r.parserChamado, "parser");
    QTEST(Peso(r), "peso");
    QTEST(Lampada(r), "lampada");
    QTEST(r.status, "status");
    QCOMPARE(r.erro, TErroQuadro::Nenhum);
    QVERIFY(!r.demanda);
}

// The AR letter table, and its agreement with the status-byte coding the AR-N
// parser reads (bit 2 stable, bit 3 negative).
void TstQuadros::arLetters_data()
{
    QTest::addColumn<QChar>("letra");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("estavel");
    QTest::addColumn<int>("sinal");

    const auto linha = [](char l, const char* texto, bool estavel, int sinal) {
        QTest::newRow(QByteArray(1, l).constData())
            << QChar(QLatin1Char(l)) << QString::fromUtf8(texto) << estavel << sinal;
    };
    linha('C', "PESO POSITIVO FORA DE EQUILíBRIO.", false, 1);
    linha('D', "PESO BRUTO MAIOR QUE ZERO.", true, 1);
    linha('E', "PESO LíQUIDO MAIOR QUE ZERO.", true, 1);
    linha('F', "CENTRO DE ZERO SEM TARA.", true, 1);
    linha('G', "CENTRO DE ZERO COM TARA.", true, 1);
    for (char l : {'H', 'I', 'J', 'K'}) {
        linha(l, "PESO NEGATIVO FORA DE EQUILíBRIO.", false, -1);
    }
    for (char l : {'L', 'M', 'N', 'O'}) {
        linha(l, "PESO NEGATIVO EM EQUILíBRIO.", true, -1);
    }
    linha('P', "FORA DE ESCALA.", false, 1);
}

void TstQuadros::arLetters()
{
    QFETCH(QChar, letra);
    QFETCH(bool, estavel);
    QFETCH(int, sinal);

    const TResultadoQuadro r = ParseARFrame(letra + QStringLiteral("001000"), 0, 0, QString());
    QTEST(r.status, "status");
    QCOMPARE(r.estavel, estavel);
    QCOMPARE(Lampada(r), estavel ? Verde : Amarela);
    QCOMPARE(Peso(r), sinal < 0 ? QStringLiteral("-1000") : QStringLiteral("1000"));

    const TResultadoQuadro n = ParseARNFrame(letra + QStringLiteral("001000"), 6, 0);
    QCOMPARE(n.estavel, estavel);
    QCOMPARE(n.sinal, sinal);
}

// ParseARFrame on trimmed frames that the receiver's pre-test lets through.
void TstQuadros::arParser_data()
{
    QTest::addColumn<QString>("quadro");
    QTest::addColumn<QString>("peso");
    QTest::addColumn<qint64>("lampada");
    QTest::addColumn<QString>("status");

    QTest::newRow("negative letter sticks") << "LD000500"
                                            << "-500" << Verde << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("last letter decides stability") << "DC000500"
                                                   << "500" << Amarela << "PESO POSITIVO FORA DE EQUILíBRIO.";
    QTest::newRow("other characters skipped") << "D-00 0.500"
                                              << "500" << Verde << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("stops at six digits") << "D000500L"
                                         << "500" << Verde << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("six characters, five digits")
        << "D00050" << kNada << kMantem << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("no letter keeps status") << "@999999"
                                            << "999999" << Amarela << "ANTERIOR";
    QTest::newRow("zero") << "F000000"
                          << "0" << Verde << "CENTRO DE ZERO SEM TARA.";
    QTest::newRow("negative zero shows no sign") << "L000000"
                                                 << "0" << Verde << "PESO NEGATIVO EM EQUILíBRIO.";
}

void TstQuadros::arParser()
{
    QFETCH(QString, quadro);
    const TResultadoQuadro r = ParseARFrame(quadro, 0, 0, QStringLiteral("ANTERIOR"));
    QVERIFY(r.parserChamado);
    QTEST(Peso(r), "peso");
    QTEST(Lampada(r), "lampada");
    QTEST(r.status, "status");
}

// The AR-N status byte, bit by bit.
void TstQuadros::statusByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("estavel");
    QTest::addColumn<int>("sinal");

    QTest::newRow("@ no bit") << 0x40 << "PESO BRUTO EM MOVIMENTO POSITIVO " << false << 1;
    QTest::newRow("bit 0 net") << 0x41 << "PESO LIQUIDO EM MOVIMENTO POSITIVO " << false << 1;
    QTest::newRow("bit 1 centre of zero")
        << 0x42 << "PESO BRUTO CENTRO DE ZERO +/- ¼ DIVISÃO EM MOVIMENTO POSITIVO " << false << 1;
    QTest::newRow("bit 2 equilibrium") << 0x44 << "PESO BRUTO EM EQUILÍBRIO POSITIVO " << true << 1;
    QTest::newRow("bit 3 negative") << 0x48 << "PESO BRUTO EM MOVIMENTO NEGATIVO " << false << -1;
    QTest::newRow("bit 4 out of range")
        << 0x50 << "PESO BRUTO EM MOVIMENTO POSITIVO FORA DE FAIXA " << false << 1;
    QTest::newRow("bits 5-7 unused") << 0xE0 << "PESO BRUTO EM MOVIMENTO POSITIVO " << false << 1;
    QTest::newRow("bits 0-4")
        << 0x5F << "PESO LIQUIDO CENTRO DE ZERO +/- ¼ DIVISÃO EM EQUILÍBRIO NEGATIVO FORA DE FAIXA " << true
        << -1;
}

void TstQuadros::statusByte()
{
    QFETCH(int, byte);
    QFETCH(bool, estavel);
    QFETCH(int, sinal);

    const QString quadro = QChar(char16_t(byte)) + QStringLiteral("012.34");
    const TResultadoQuadro r = ParseARNFrame(quadro, 6, 2);
    QTEST(r.status, "status");
    QCOMPARE(r.estavel, estavel);
    QCOMPARE(Lampada(r), estavel ? Verde : Amarela);
    QCOMPARE(Peso(r), sinal < 0 ? QStringLiteral("-12,34") : QStringLiteral("12,34"));
}

// The "Demanda" interface: any model, lamp green, the status text only appended to.
void TstQuadros::demand_data()
{
    QTest::addColumn<QByteArray>("bloco");
    QTest::addColumn<int>("modelo");
    QTest::addColumn<bool>("parser");
    QTest::addColumn<QString>("peso");
    QTest::addColumn<qint64>("lampada");
    QTest::addColumn<QString>("status");

    QTest::newRow("AR: all after the letter, no divisao")
        << QByteArray("D001234\r") << 0 << true << "1234,00" << Verde << "";
    QTest::newRow("AR: moving still green")
        << QByteArray("C001234\r") << 0 << true << "1234,00" << Verde << "";
    QTest::newRow("AR: negative bit") << QByteArray("L001234\r") << 0 << true << "-1234,00" << Verde << "";
    QTest::newRow("AR: out of range appended")
        << QByteArray("P001234\r") << 0 << true << "1234,00" << Verde << "FORA DE FAIXA ";
    QTest::newRow("AR: two frames are not a weight")
        << QByteArray("D001234\rD001235\r") << 0 << true << kNada << kMantem << "";
    QTest::newRow("AR: zero") << QByteArray("F000000\r") << 0 << true << "0,00" << Verde << "";
    QTest::newRow("ARN5 field") << QByteArray("D012.34 000.00\r") << 1 << true << "12,34" << Verde << "";
    QTest::newRow("ARN6 field") << QByteArray("D0123.45\r") << 2 << true << "123,45" << Verde << "";
    QTest::newRow("not numeric") << QByteArray("D12A4\r") << 1 << true << kNada << kMantem << "";
    QTest::newRow("not accepted") << QByteArray("B001234\r") << 0 << false << kNada << kMantem << "";
}

void TstQuadros::demand()
{
    QFETCH(QByteArray, bloco);
    QFETCH(int, modelo);
    QFETCH(bool, parser);

    TConfigQuadro c;
    c.modelo = modelo;
    c.interfaceSerial = 1;
    c.divisao = 3;
    c.casasDecimais = 2;
    const TResultadoQuadro r = RecebeBloco(bloco, c, QString());
    QTEST(r.parserChamado, "parser");
    QCOMPARE(r.demanda, parser);
    QTEST(Peso(r), "peso");
    QTEST(Lampada(r), "lampada");
    QTEST(r.status, "status");
}

// The status text the window keeps: continuous frames replace it (AR without a
// letter keeps it), on demand it accumulates within a weighing and starts empty
// for the next one.
void TstQuadros::statusTextAcrossFrames()
{
    TLeituraBalanca leitura;
    TConfigQuadro c;
    c.modelo = 0;
    c.divisao = 0;
    c.casasDecimais = 0;
    leitura.setConfig(c);

    leitura.recebe("L000500\r", 8);
    QCOMPARE(leitura.statusTexto(), QStringLiteral("PESO NEGATIVO EM EQUILíBRIO."));
    leitura.recebe("@000500\r", 8);
    QCOMPARE(leitura.statusTexto(), QStringLiteral("PESO NEGATIVO EM EQUILíBRIO."));
    leitura.recebe("A000500\r", 8);
    QCOMPARE(leitura.statusTexto(), QStringLiteral("PESO NEGATIVO EM EQUILíBRIO."));
    leitura.novaPesagem();
    QCOMPARE(leitura.statusTexto(), QStringLiteral("PESO NEGATIVO EM EQUILíBRIO."));

    leitura.setModelo(1);
    leitura.recebe("P012.34\r", 8);
    QCOMPARE(leitura.statusTexto(), QStringLiteral("PESO BRUTO EM MOVIMENTO POSITIVO FORA DE FAIXA "));

    c.interfaceSerial = 1;
    leitura.setConfig(c);
    leitura.novaPesagem();
    QCOMPARE(leitura.statusTexto(), QString());
    leitura.recebe("P001234\r", 8);
    leitura.recebe("D001234\r", 8);
    leitura.recebe("P001234\r", 8);
    QCOMPARE(leitura.statusTexto(), QStringLiteral("FORA DE FAIXA FORA DE FAIXA "));
    leitura.novaPesagem();
    QCOMPARE(leitura.statusTexto(), QString());
}

void TstQuadros::errorMessages_data()
{
    QTest::addColumn<TErroQuadro>("erro");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto");

    QTest::newRow("001") << TErroQuadro::Erro001 << "Erro 001"
                         << "Erro de pesagem.\nErro retornado: \nx";
    QTest::newRow("002") << TErroQuadro::Erro002 << "Erro 002"
                         << "Erro de pesagem.\nErro retornado: \nx";
    QTest::newRow("003") << TErroQuadro::Erro003 << "Erro 003"
                         << "Erro de pesagem.\nErro retornado: \nx";
    QTest::newRow("004 blank before colon") << TErroQuadro::Erro004 << "Erro 004"
                                            << "Erro de pesagem.\nErro retornado :\nx";
}

void TstQuadros::errorMessages()
{
    QFETCH(TErroQuadro, erro);
    QTEST(TituloErroQuadro(erro), "titulo");
    QTEST(TextoErroQuadro(erro, QStringLiteral("x")), "texto");
}

QTEST_GUILESS_MAIN(TstQuadros)
#include "tst_quadros.moc"
