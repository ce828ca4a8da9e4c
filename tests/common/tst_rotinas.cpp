// SPDX-License-Identifier: GPL-3.0-or-later
#include "Decimal.h"
#include "Relogio.h"
#include "Rotinas.h"

#include <QtTest>

class TstRotinas : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Relogio::fixar(QDateTime(QDate(2026, 12, 9), QTime(14, 35, 0))); }

    void numeros_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("numero");
        QTest::newRow("inteiro") << "1234" << true;
        QTest::newRow("virgula") << " 12,5 " << true;
        QTest::newRow("negativo") << "-0,25" << true;
        QTest::newRow("ponto nao") << "12.5" << false;
        QTest::newRow("milhar nao") << "1.234,5" << false;
        QTest::newRow("vazio") << "  " << false;
        QTest::newRow("letras") << "12a" << false;
        QTest::newRow("so virgula") << "," << false;
    }
    void numeros()
    {
        QFETCH(QString, texto);
        QFETCH(bool, numero);
        QCOMPARE(EhNumero(texto), numero);
    }

    void conversoesDeTexto()
    {
        QCOMPARE(ConverteNumero("1.234,56", true), QString("1234.56"));
        QCOMPARE(ConverteNumero("1.234,56", false), QString("1234,56"));
        QCOMPARE(TrocaCaractere("D'ÁVILA", '\'', ' '), QString("D ÁVILA"));
        QCOMPARE(FormataDecimais("12,5", 3), QString("12,500"));
        QCOMPARE(FormataDecimais("  ", 2), QString("  "));
        QCOMPARE(CompletaZeros("42", 5), QString("00042"));
        QCOMPARE(CompletaZeros("42", -5), QString("42000"));
        QCOMPARE(CompletaZeros("123456", 5), QString("123456"));
        QCOMPARE(AlinhaTexto("ab", 4, 'D'), QString("ab  "));
        QCOMPARE(AlinhaTexto("ab", 4, 'e'), QString("  ab"));
        QCOMPARE(AlinhaTexto("ab", 4, '*'), QString("ab**"));
        QCOMPARE(AlinhaTexto("abcde", 4, 'D'), QString("abcde"));
        QCOMPARE(PosicaoTexto("a", "banana"), 6);
        QCOMPARE(PosicaoTexto("x", "banana"), 0);
        QCOMPARE(SubstituiTrecho("banana", 3, 2, "XY"), QString("baXYna"));
        QCOMPARE(IndiceNaLista("rima", {"PadraoIBM", "Deskjet500", "Rima"}, 2), 2);
        QCOMPARE(IndiceNaLista("rima", {"PadraoIBM", "Deskjet500", "Rima"}, 1), -1);
        QCOMPARE(VersaoArquivo().count('.'), 3);
    }

    void datas_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valida");
        QTest::addColumn<QString>("formatada");
        QTest::newRow("normal") << "09/12/2026" << true << "09/12/2026";
        QTest::newRow("31 de fevereiro") << "31/02/2020" << false << "31/02/2020";
        QTest::newRow("11 anos adiante") << "09/12/2037" << false << "09/12/2037";
        QTest::newRow("ano com dois digitos") << "1/2/99" << true << "01/02/1999";
        QTest::newRow("ano 30") << "1/2/30" << true << "01/02/2030";
        QTest::newRow("mascara vazia") << "  /  /    " << false << "  /  /    ";
        QTest::newRow("101 anos atras") << "09/12/1925" << false << "09/12/1925";
    }
    void datas()
    {
        QFETCH(QString, texto);
        QFETCH(bool, valida);
        QFETCH(QString, formatada);
        QCOMPARE(EhData(texto), valida);
        QCOMPARE(FormataData(texto), formatada);
    }

    void datasVazias()
    {
        QVERIFY(DataVazia("  /  /    "));
        QVERIFY(!DataVazia("01/  /    "));
    }

    void horas_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("valida");
        QTest::newRow("seis digitos") << "143500" << true;
        QTest::newRow("com separadores") << "14:35:00" << true;
        QTest::newRow("quatro digitos") << "1435" << false;
        QTest::newRow("hora 25") << "25:00:00" << false;
        QTest::newRow("letras") << "ab:cd:ef" << false;
    }
    void horas()
    {
        QFETCH(QString, texto);
        QFETCH(bool, valida);
        QCOMPARE(EhHora(texto), valida);
    }

    void decimal_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("produto");
        QTest::addColumn<QString>("quociente");
        QTest::newRow("simples") << "1234,5"
                                 << "2"
                                 << "2469"
                                 << "617,25";
        QTest::newRow("meio para par") << "0,0001"
                                       << "0,5"
                                       << "0"
                                       << "0,0002";
        QTest::newRow("meio para par acima") << "0,0003"
                                             << "0,5"
                                             << "0,0002"
                                             << "0,0006";
        QTest::newRow("negativo") << "-10"
                                  << "3"
                                  << "-30"
                                  << "-3,3333";
        QTest::newRow("divisao por zero") << "10"
                                          << "0"
                                          << "0"
                                          << "0";
    }
    void decimal()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, produto);
        QFETCH(QString, quociente);
        const Decimal x = Decimal::fromText(a), y = Decimal::fromText(b);
        QCOMPARE((x * y).toShortString(), produto);
        QCOMPARE((x / y).toShortString(), quociente);
    }

    void decimalTexto()
    {
        QCOMPARE(Decimal::fromText("1234.50").toString(2), QString("1234,50"));
        QCOMPARE(Decimal::fromText("0,00005").raw(), 0); // half to even
        QCOMPARE(Decimal::fromText("0,00015").raw(), 2);
        QCOMPARE(Decimal::fromText("-12,345").toString(2), QString("-12,34"));
        QCOMPARE(Decimal::fromText("12,355").toString(2), QString("12,36"));
        QCOMPARE(Decimal::fromText("27340").toString(0), QString("27340"));
        QVERIFY(!Decimal::parse("1,2,3"));
        QVERIFY(!Decimal::parse("abc"));
        QCOMPARE(Decimal::fromVariant(QVariant("1234.5000")).toSqlString(), QString("1234.5"));
        QCOMPARE(Decimal::fromVariant(QVariant(0.1 + 0.2)).toShortString(), QString("0,3"));
        QCOMPARE(Decimal::fromVariant(QVariant()).raw(), 0);
    }
};

QTEST_GUILESS_MAIN(TstRotinas)
#include "tst_rotinas.moc"
