// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCheckDoc.h"

#include <QtTest>

class TstCheckDoc : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cpf_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<bool>("valido");
        QTest::newRow("com máscara") << "529.982.247-25" << true;
        QTest::newRow("só dígitos") << "52998224725" << true;
        QTest::newRow("segundo dígito errado") << "529.982.247-26" << false;
        QTest::newRow("primeiro dígito errado") << "529.982.247-35" << false;
        QTest::newRow("dígito do corpo trocado") << "529.982.248-25" << false;
        QTest::newRow("dígitos 9 e 1") << "000.000.001-91" << true;
        QTest::newRow("todos iguais que seguem a regra") << "111.111.111-11" << true;
        QTest::newRow("todos iguais só dígitos") << "22222222222" << true;
        QTest::newRow("máscara meio preenchida") << "529.982.2  -  " << false;
        QTest::newRow("branco no lugar de dígito") << "5299822 725" << false;
        QTest::newRow("letra") << "52998224X25" << false;
        QTest::newRow("pontuação no lugar errado") << "529.982.247.25" << false;
        QTest::newRow("curto") << "5299822472" << false;
        QTest::newRow("longo") << "529982247250" << false;
        QTest::newRow("vazio") << "" << false;
        QTest::newRow("CNPJ válido não é CPF") << "11.222.333/0001-81" << false;
    }
    void cpf()
    {
        QFETCH(QString, entrada);
        QFETCH(bool, valido);
        TCheckDoc c;
        QCOMPARE(c.Mode(), TCheckDoc::moCPF);
        c.setInput(entrada);
        QCOMPARE(c.Result(), valido);
    }

    void cnpj_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<bool>("valido");
        QTest::newRow("com máscara") << "11.222.333/0001-81" << true;
        QTest::newRow("só dígitos") << "11222333000181" << true;
        QTest::newRow("outro válido") << "11.444.777/0001-61" << true;
        QTest::newRow("segundo dígito errado") << "11.222.333/0001-82" << false;
        QTest::newRow("primeiro dígito errado") << "11.222.333/0001-71" << false;
        QTest::newRow("filial trocada") << "11.222.333/0002-81" << false;
        QTest::newRow("zeros seguem a regra") << "00.000.000/0000-00" << true;
        QTest::newRow("barra no lugar do ponto") << "11/222.333/0001-81" << false;
        QTest::newRow("máscara meio preenchida") << "11.222.333/    -  " << false;
        QTest::newRow("curto") << "1122233300018" << false;
        QTest::newRow("vazio") << "" << false;
        QTest::newRow("CPF válido não é CNPJ") << "529.982.247-25" << false;
    }
    void cnpj()
    {
        QFETCH(QString, entrada);
        QFETCH(bool, valido);
        TCheckDoc c;
        c.setMode(TCheckDoc::moCGC);
        c.setInput(entrada);
        QCOMPARE(c.Result(), valido);
    }

    // Changing the mode checks the stored number again; the same mode changes nothing.
    void trocaDeModoVerificaDeNovo()
    {
        TCheckDoc c;
        QVERIFY(!c.Result());
        QVERIFY(c.Input().isEmpty());
        c.setInput(QStringLiteral("529.982.247-25"));
        QVERIFY(c.Result());
        c.setMode(TCheckDoc::moCGC);
        QVERIFY(!c.Result());
        c.setInput(QStringLiteral("11.222.333/0001-81"));
        QVERIFY(c.Result());
        c.setMode(TCheckDoc::moCGC);
        QVERIFY(c.Result());
        c.setMode(TCheckDoc::moCPF);
        QVERIFY(!c.Result());
        QCOMPARE(c.Input(), QStringLiteral("11.222.333/0001-81"));
    }

    // Result is read-only, also through the property system.
    void resultadoSoLeitura()
    {
        TCheckDoc c;
        c.setProperty("Result", true);
        QCOMPARE(c.property("Result").toBool(), false);
        c.setProperty("Input", QStringLiteral("52998224725"));
        QCOMPARE(c.property("Result").toBool(), true);
    }
};

QTEST_MAIN(TstCheckDoc)
#include "tst_checkdoc.moc"
