// SPDX-License-Identifier: GPL-3.0-or-later
// The invoice's access key as typed or scanned into the invoice field. The
// keys' check digits were computed apart from this code.
#include "ChaveAcesso.h"

#include <QtTest>

class TstChaveAcesso : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void chavesValidas_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("uf");
        QTest::addColumn<int>("ano");
        QTest::addColumn<int>("mes");
        QTest::addColumn<QString>("cnpj");
        QTest::addColumn<int>("modelo");
        QTest::addColumn<int>("serie");
        QTest::addColumn<QString>("numero");
        QTest::newRow("SP, NF-e") << "35260312345678000195550010000123451123456783"
                                  << "SP" << 2026 << 3 << "12345678000195" << 55 << 1 << "12345";
        QTest::newRow("RS, NFC-e") << "43251107526557000100650020000004561987654323"
                                   << "RS" << 2025 << 11 << "07526557000100" << 65 << 2 << "456";
        QTest::newRow("MG, CT-e, série 0") << "31240233000167000181570000000000011000000019"
                                           << "MG" << 2024 << 2 << "33000167000181" << 57 << 0 << "1";
        QTest::newRow("DF, série 99") << "53260100000000000191550990001234561000000005"
                                      << "DF" << 2026 << 1 << "00000000000191" << 55 << 99 << "123456";
        QTest::newRow("resto 1: dígito 0") << "41260512345678000195550010000001011000000010"
                                           << "PR" << 2026 << 5 << "12345678000195" << 55 << 1 << "101";
        QTest::newRow("em grupos, como no DANFE") << "2926 0611 2223 3300 0181 5500 1000 0000 0111 1111 1114"
                                                  << "BA" << 2026 << 6 << "11222333000181" << 55 << 1 << "1";
    }
    void chavesValidas()
    {
        QFETCH(QString, texto);
        const ChaveAcesso c = ChaveAcesso::ler(texto);
        QVERIFY2(c.tipo == ChaveAcesso::Tipo::Chave, qPrintable(c.erro));
        QCOMPARE(c.chave, QString(texto).remove(u' '));
        QTEST(c.uf, "uf");
        QTEST(c.ano, "ano");
        QTEST(c.mes, "mes");
        QTEST(c.cnpj, "cnpj");
        QTEST(c.modelo, "modelo");
        QTEST(c.serie, "serie");
        QTEST(c.numero, "numero");
    }

    void recusadas_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("erro");
        const QString dv = "Chave de acesso inválida: o dígito verificador não confere. "
                           "Confira a chave ou leia o código de barras de novo.";
        QTest::newRow("dígito errado") << "35260312345678000195550010000123451123456784" << dv;
        QTest::newRow("dois algarismos trocados") << "35260312345678000195550010000123541123456783" << dv;
        QTest::newRow("43 algarismos") << "3526031234567800019555001000012345112345678"
                                       << "A chave de acesso da nota tem 44 algarismos; foram lidos 43.";
        QTest::newRow("45 algarismos") << "352603123456780001955500100001234511234567830"
                                       << "A chave de acesso da nota tem 44 algarismos; foram lidos 45.";
        QTest::newRow("letra") << "3526031234567800019555001000O123451123456783"
                               << "A chave de acesso da nota tem só algarismos: há \"O\" na posição 29.";
        // Check digits right, but no such state or month.
        QTest::newRow("estado 99") << "99260312345678000195550010000123451123456780"
                                   << "Chave de acesso inválida: o código de estado 99 não existe.";
        QTest::newRow("mês 13") << "35261312345678000195550010000123451123456786"
                                << "Chave de acesso inválida: o mês de emissão 13 não existe.";
    }
    void recusadas()
    {
        QFETCH(QString, texto);
        const ChaveAcesso c = ChaveAcesso::ler(texto);
        QCOMPARE(c.tipo, ChaveAcesso::Tipo::Recusada);
        QTEST(c.erro, "erro");
        QVERIFY(c.chave.isEmpty());
        QVERIFY(c.numero.isEmpty());
    }

    // What an operator types by hand stays an invoice number, as before.
    void numerosCurtos_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::newRow("número") << "12345";
        QTest::newRow("com letras") << "NF 77";
        QTest::newRow("30 caracteres") << "123456789012345678901234567890";
        QTest::newRow("vazio") << "";
    }
    void numerosCurtos()
    {
        QFETCH(QString, texto);
        const ChaveAcesso c = ChaveAcesso::ler(texto);
        QCOMPARE(c.tipo, ChaveAcesso::Tipo::Numero);
        QVERIFY(c.erro.isEmpty());
    }

    void avisos_data()
    {
        QTest::addColumn<QString>("cnpjDaParte");
        QTest::addColumn<QDate>("hoje");
        QTest::addColumn<QStringList>("avisos");
        const QString outro =
            "O CNPJ do emitente da nota (12.345.678/0001-95) não é o do cadastro selecionado.";
        const QString antiga = "A nota foi emitida em 03/2026, há mais de dois meses.";
        QTest::newRow("a parte, no mês") << "12.345.678/0001-95" << QDate(2026, 3, 31) << QStringList{};
        QTest::newRow("sem parte, dois meses depois") << "" << QDate(2026, 5, 31) << QStringList{};
        QTest::newRow("parte sem CNPJ (CPF)") << "123.456.789-09" << QDate(2026, 3, 1) << QStringList{};
        QTest::newRow("outra parte") << "11.222.333/0001-81" << QDate(2026, 3, 10) << QStringList{outro};
        QTest::newRow("três meses depois") << "12345678000195" << QDate(2026, 6, 1) << QStringList{antiga};
        QTest::newRow("outra parte, ano seguinte")
            << "11222333000181" << QDate(2027, 1, 5) << QStringList{outro, antiga};
    }
    void avisos()
    {
        QFETCH(QString, cnpjDaParte);
        QFETCH(QDate, hoje);
        const ChaveAcesso c = ChaveAcesso::ler("35260312345678000195550010000123451123456783");
        QTEST(c.avisos(cnpjDaParte, hoje), "avisos");
        QCOMPARE(c.resumo(), QString("SP, 03/2026, CNPJ 12.345.678/0001-95"));
    }
};

QTEST_GUILESS_MAIN(TstChaveAcesso)
#include "tst_chaveacesso.moc"
