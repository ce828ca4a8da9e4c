// SPDX-License-Identifier: GPL-3.0-or-later
#include "TExtensoX.h"

#include <QtTest>

// Amounts in words as the ticket templates print them. Every word keeps its
// trailing blank, so an amount without centavos ends with one.
class TstExtenso : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void extenso_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("palavras");
        // the reference cases
        QTest::newRow("1,00") << "1,00"
                              << "um real ";
        QTest::newRow("2,00") << "2,00"
                              << "dois reais ";
        QTest::newRow("0,50") << "0,50"
                              << "cinquenta centavos";
        QTest::newRow("0,01") << "0,01"
                              << "um centavo";
        QTest::newRow("15,00") << "15,00"
                               << "quinze reais ";
        QTest::newRow("21,00") << "21,00"
                               << "vinte e um reais ";
        QTest::newRow("100,00") << "100,00"
                                << "cem reais ";
        QTest::newRow("101,01") << "101,01"
                                << "cento e um reais e um centavo";
        QTest::newRow("1045,00") << "1045,00"
                                 << "um mil e quarenta e cinco reais ";
        QTest::newRow("2000,00") << "2000,00"
                                 << "dois mil reais ";
        QTest::newRow("1234,56") << "1234,56"
                                 << "um mil duzentos e trinta e quatro reais e cinquenta e seis centavos";
        QTest::newRow("0,00") << "0,00"
                              << "";
        QTest::newRow("7") << "7"
                           << "sete reais ";
        // the words of every table and joint
        QTest::newRow("tres e teens") << "13,03"
                                      << "treze reais e tres centavos";
        QTest::newRow("1,50") << "1,50"
                              << "um real e cinquenta centavos";
        QTest::newRow("10,05") << "10,05"
                               << "dez reais e cinco centavos";
        QTest::newRow("110,10") << "110,10"
                                << "cento e dez reais e dez centavos";
        QTest::newRow("quatorze, dezenove") << "514,19"
                                            << "quinhentos e quatorze reais e dezenove centavos";
        QTest::newRow("tail round hundred") << "1100,00"
                                            << "um mil cem reais ";
        QTest::newRow("six digits") << "999999,99"
                                    << "novecentos e noventa e nove mil novecentos e noventa e nove reais e "
                                       "noventa e nove centavos";
        QTest::newRow("six digits, zero tail") << "300000,00"
                                               << "trezentos mil reais ";
        // a million and more, in words
        QTest::newRow("um milhão") << "1000000,00"
                                   << "um milhão de reais ";
        QTest::newRow("dois milhões") << "2000000,00"
                                      << "dois milhões de reais ";
        QTest::newRow("e quinhentos mil") << "2500000,00"
                                          << "dois milhões e quinhentos mil reais ";
        QTest::newRow("de reais e centavos") << "1000000,50"
                                             << "um milhão de reais e cinquenta centavos";
        QTest::newRow("e quarenta e cinco") << "2000045,00"
                                            << "dois milhões e quarenta e cinco reais ";
        QTest::newRow("e cem") << "3000100,00"
                               << "tres milhões e cem reais ";
        QTest::newRow("e um real") << "1000001,00"
                                   << "um milhão e um reais ";
        QTest::newRow("no e before 250 mil") << "2250000,00"
                                             << "dois milhões duzentos e cinquenta mil reais ";
        QTest::newRow("all groups")
            << "1234567,89"
            << "um milhão duzentos e trinta e quatro mil quinhentos e sessenta e sete reais e oitenta e nove "
               "centavos";
        QTest::newRow("thousands and units") << "1001045,00"
                                             << "um milhão um mil e quarenta e cinco reais ";
        QTest::newRow("um bilhão") << "1000000000,00"
                                   << "um bilhão de reais ";
        QTest::newRow("bilhão e milhões") << "1500000000,00"
                                          << "um bilhão e quinhentos milhões de reais ";
        QTest::newRow("bilhão e um") << "1000000001,01"
                                     << "um bilhão e um reais e um centavo";
        QTest::newRow("largest")
            << "999999999999999,99"
            << "novecentos e noventa e nove trilhões novecentos e noventa e nove bilhões "
               "novecentos e noventa e nove milhões novecentos e noventa e nove mil "
               "novecentos e noventa e nove reais e noventa e nove centavos";
        QTest::newRow("beyond: digits") << "1000000000000000,00"
                                        << "1000000000000000,00";
        // how the text is read
        QTest::newRow("extra decimals dropped") << "1,239"
                                                << "um real e vinte e tres centavos";
        QTest::newRow("one decimal") << "1,5"
                                     << "um real e cinquenta centavos";
        QTest::newRow("trailing comma") << "4,"
                                        << "quatro reais ";
        QTest::newRow("no integer part") << ",50"
                                         << "cinquenta centavos";
        QTest::newRow("leading zeros") << "007,00"
                                       << "sete reais ";
        QTest::newRow("zeros only") << "000,00"
                                    << "";
        QTest::newRow("blanks") << " 12,00 "
                                << "doze reais ";
        QTest::newRow("decimal point") << "12.50"
                                       << "doze reais e cinquenta centavos";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("letters") << "abc"
                                 << "abc";
        QTest::newRow("negative") << "-5,00"
                                  << "-5,00";
        QTest::newRow("thousands separator") << "1.234,56"
                                             << "1.234,56";
    }
    void extenso()
    {
        QFETCH(QString, valor);
        QFETCH(QString, palavras);
        TExtensoX x;
        x.ValorExtenso(valor);
        QCOMPARE(x.Resultado(), palavras);
        QVERIFY(x.Resultado().size() <= 255);
    }

    void ultimoValorEReuso()
    {
        TExtensoX x;
        x.ValorExtenso(QStringLiteral("7"));
        QCOMPARE(x.UltimoValor(), QStringLiteral("7,00"));
        x.ValorExtenso(QStringLiteral("1234,5678"));
        QCOMPARE(x.UltimoValor(), QStringLiteral("1234,56"));
        QCOMPARE(x.Resultado(),
                 QStringLiteral("um mil duzentos e trinta e quatro reais e cinquenta e seis centavos"));
        // a later zero clears the previous words
        x.ValorExtenso(QStringLiteral("0,00"));
        QCOMPARE(x.Resultado(), QString());
        QCOMPARE(x.UltimoValor(), QStringLiteral("0,00"));
        QCOMPARE(TExtensoX::Extenso(QStringLiteral("2,00")), QStringLiteral("dois reais "));
    }
};

QTEST_GUILESS_MAIN(TstExtenso)
#include "tst_extenso.moc"
