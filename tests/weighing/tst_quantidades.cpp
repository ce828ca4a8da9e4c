// SPDX-License-Identifier: GPL-3.0-or-later
#include "Quantidades.h"

#include <QtTest>

using namespace Quantidades;

namespace
{

Decimal d(const char* t)
{
    return Decimal::fromText(QString::fromLatin1(t));
}

// f1..f6, f7..f10, f11, f7e..f10e written as "a b c d e f|g h i j|k|l m n o".
Fatores fatores(const QString& t)
{
    Fatores f;
    const QStringList p = t.split(u'|');
    const auto le = [](const QString& s, auto& arr) {
        const QStringList v = s.split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < v.size() && i < int(arr.size()); ++i) {
            arr[i] = Decimal::fromText(v[i]);
        }
    };
    le(p.value(0), f.fixos);
    le(p.value(1), f.saida);
    f.umidade = Decimal::fromText(p.value(2));
    le(p.value(3), f.entrada);
    return f;
}

QString campo(const char* nome)
{
    return *static_cast<QString*>(QTest::qData(nome, qMetaTypeId<QString>()));
}
#define QFETCH_GET(nome) campo(#nome)

} // namespace

class TstQuantidades : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The coefficients of one product row.
    void coeficientes_data()
    {
        QTest::addColumn<QString>("f");
        QTest::addColumn<QString>("fcf");
        QTest::addColumn<QString>("fcvSaida");
        QTest::addColumn<QString>("fcvEntrada");
        QTest::addColumn<QString>("fcTotal");
        QTest::addColumn<QString>("fluxo"); // FCF x FCV, compounded
        QTest::newRow("sem fatores") << "|||"
                                     << "1"
                                     << "1"
                                     << "1"
                                     << "1"
                                     << "1";
        QTest::newRow("1 e 2 por cento") << "1 1 1 1 1 1|2 2 2 2|2|"
                                         << "0,94"
                                         << "0,9"
                                         << "1"
                                         << "0,84"
                                         << "0,846";
        QTest::newRow("entrada 2 por cento") << "||0|1 1"
                                             << "1"
                                             << "1"
                                             << "0,98"
                                             << "1"
                                             << "1";
        QTest::newRow("umidade 4,6512") << "||4,6512|"
                                        << "1"
                                        << "0,9535"
                                        << "1"
                                        << "0,9535"
                                        << "0,9535";
        QTest::newRow("fatores fracionados") << "0,25|1,125||"
                                             << "0,9975"
                                             << "0,9888"
                                             << "1"
                                             << "0,9862"
                                             << "0,9863";
    }
    void coeficientes()
    {
        QFETCH(QString, f);
        const Fatores x = fatores(f);
        QCOMPARE(fcf(x).toShortString(), QFETCH_GET(fcf));
        QCOMPARE(fcvSaida(x).toShortString(), QFETCH_GET(fcvSaida));
        QCOMPARE(fcvEntrada(x).toShortString(), QFETCH_GET(fcvEntrada));
        QCOMPARE(fcTotal(x).toShortString(), QFETCH_GET(fcTotal));
        QCOMPARE((fcf(x) * fcvSaida(x)).toShortString(), QFETCH_GET(fluxo));
    }

    // Direction, net, gross, tare and the corrected nets of one weighing.
    void liquido_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("saida");
        QTest::addColumn<QString>("f");
        QTest::addColumn<QString>("entradaCorrigida");
        QTest::addColumn<QString>("liquido");
        QTest::addColumn<QString>("bruto");
        QTest::addColumn<QString>("tara");
        QTest::addColumn<QString>("corrigidoTicket");
        QTest::addColumn<QString>("fluxo");
        QTest::newRow("fornecedor com c7e 0,98") << 4 << "30000"
                                                 << "12000"
                                                 << "|||1 0,5 0,5"
                                                 << "29400"
                                                 << "17400"
                                                 << "29400"
                                                 << "12000"
                                                 << "17400"
                                                 << "17400";
        QTest::newRow("cliente sem fatores") << 3 << "12000"
                                             << "30000"
                                             << "|||"
                                             << "12000"
                                             << "18000"
                                             << "30000"
                                             << "12000"
                                             << "18000"
                                             << "-18000";
        // Additive total 0,84 on the ticket, compounded 0,846 in the flow report.
        QTest::newRow("fornecedor 1 e 2 por cento") << 4 << "30000"
                                                    << "10000"
                                                    << "1 1 1 1 1 1|2 2 2 2|2|"
                                                    << "30000"
                                                    << "20000"
                                                    << "30000"
                                                    << "10000"
                                                    << "16800"
                                                    << "16920";
        QTest::newRow("cliente com fatores") << 3 << "10000"
                                             << "30000"
                                             << "1 1 1 1 1 1|2 2 2 2|2|"
                                             << "10000"
                                             << "20000"
                                             << "30000"
                                             << "10000"
                                             << "16800"
                                             << "-16920";
        QTest::newRow("outro tipo conta como cliente") << 5 << "8000"
                                                       << "9000,5"
                                                       << "|||"
                                                       << "8000"
                                                       << "1000,5"
                                                       << "9000,5"
                                                       << "8000"
                                                       << "1000,5"
                                                       << "-1000,5";
        QTest::newRow("arredonda a cada passo") << 4 << "12345,6789"
                                                << "0"
                                                << "|||0,3333"
                                                << "12304,9382"
                                                << "12304,9382"
                                                << "12304,9382"
                                                << "0"
                                                << "12304,9382"
                                                << "12304,9382";
    }
    void liquido()
    {
        QFETCH(int, tipo);
        QFETCH(QString, f);
        const Fatores x = fatores(f);
        const Decimal e = Decimal::fromText(QFETCH_GET(entrada));
        const Decimal s = Decimal::fromText(QFETCH_GET(saida));
        const Decimal ec = pesoEntradaCorrigido(e, fcvEntrada(x));
        QCOMPARE(ec.toShortString(), QFETCH_GET(entradaCorrigida));
        QCOMPARE(Quantidades::liquido(ec, s, tipo).toShortString(), QFETCH_GET(liquido));
        QCOMPARE(bruto(ec, s, tipo).toShortString(), QFETCH_GET(bruto));
        QCOMPARE(tara(ec, s, tipo).toShortString(), QFETCH_GET(tara));
        QCOMPARE(liquidoCorrigidoTicket(ec, s, x).toShortString(), QFETCH_GET(corrigidoTicket));
        QCOMPARE(liquidoFluxo(ec, s, x).toShortString(), QFETCH_GET(fluxo));
    }

    // Invoice difference, packaging, factor shares, money and volume.
    void derivados()
    {
        const Decimal l = d("17400");
        QCOMPARE(diferencaNota(l, d("17500")).toShortString(), QStringLiteral("-100"));
        QCOMPARE(liquidoSemEmbalagem(l, d("150,5")).toShortString(), QStringLiteral("17249,5"));
        QCOMPARE(liquidoCorrigidoMovimento(d("17249,5"), fatores(QStringLiteral("1 1 1 1 1 1|2 2 2 2|2|")))
                     .toShortString(),
                 QStringLiteral("14489,58"));
        QCOMPARE(pesoFator(d("2,5"), l).toShortString(), QStringLiteral("435"));
        // f1..f6 = 1, f7..f11 = 2, f7e = 1: 6 + 10 + 1 = 17 % of 17400
        QCOMPARE(totalDescontoSaida(fatores(QStringLiteral("1 1 1 1 1 1|2 2 2 2|2|1")), l).toShortString(),
                 QStringLiteral("2958"));
        QCOMPARE(valorTonelada(d("85,5"), l).toShortString(), QStringLiteral("1487,7"));
        QCOMPARE(valorTonelada(d("85,5"), d("-17400")).toShortString(), QStringLiteral("-1487,7"));
        QCOMPARE(valorDesconto(d("150"), d("10")).toShortString(), QStringLiteral("15"));
        QCOMPARE(valorLiquido(d("150"), d("10")).toShortString(), QStringLiteral("135"));
        QCOMPARE(valorLiquido(d("99,99"), d("33,333")).toShortString(), QStringLiteral("66,6603"));
        // km x rate x L, each step rounded, the result to two decimals
        QCOMPARE(frete(d("12,5"), d("0,0013"), d("17249,5")).toString(4), QStringLiteral("279,4400"));
        QCOMPARE(frete(d("1"), d("0,0001"), d("12345")).toString(4), QStringLiteral("1,2300"));
        QCOMPARE(metrosCubicos(d("0,0013"), l, d("150,5")).toShortString(), QStringLiteral("22,4244"));
    }
};

QTEST_APPLESS_MAIN(TstQuantidades)
#include "tst_quantidades.moc"
