// SPDX-License-Identifier: GPL-3.0-or-later
// The stability rule of the live weight ([balanca] EstavelMs): a stable
// reading settles only after it has stayed the same for that long; the lamp
// shows the wait; the raw frame behind the weight is kept for the evidence.
#include "LeituraPeso.h"

#include <QtTest>

namespace
{

struct Passo {
    qint64 ms;
    QByteArray quadro; // empty: the window's timer asks again (reavalia)
};

ConfigPesagem config(bool demanda)
{
    ConfigPesagem c;
    c.interfaceSerial = demanda ? 1 : 0;
    c.modeloPlaca = demanda ? 1 : 0;
    c.divisao = 0;
    c.casasDecimais = 0;
    return c;
}

QString cor(const EfeitoLeitura& e)
{
    if (!e.lampada) {
        return QStringLiteral("-");
    }
    switch (*e.lampada) {
    case TLampada::Verde:
        return QStringLiteral("verde");
    case TLampada::Amarela:
        return QStringLiteral("amarela");
    case TLampada::Vermelha:
        return QStringLiteral("vermelha");
    default:
        return QStringLiteral("branca");
    }
}

} // namespace

Q_DECLARE_METATYPE(QList<Passo>)

class TstEstabilidade : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Each step: the lamp, the wait asked for, and (on demand) whether it saves.
    void regra_data()
    {
        QTest::addColumn<int>("estavelMs");
        QTest::addColumn<bool>("demanda");
        QTest::addColumn<QList<Passo>>("passos");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("desligada: verde de imediato")
            << 0 << false << QList<Passo>{{0, "D012000\r"}} << QStringList{"verde 0"};
        QTest::newRow("espera e assenta")
            << 1000 << false
            << QList<Passo>{{0, "D012000\r"}, {400, "D012000\r"}, {1000, "D012000\r"}, {1500, "D012000\r"}}
            << QStringList{"amarela 1000", "amarela 600", "verde 0", "verde 0"};
        QTest::newRow("oscila: recomeça a contar")
            << 1000 << false
            << QList<Passo>{{0, "D012000\r"}, {900, "D012020\r"}, {1500, "D012000\r"}, {2600, "D012000\r"}}
            << QStringList{"amarela 1000", "amarela 1000", "amarela 1000", "verde 0"};
        QTest::newRow("em movimento zera")
            << 500 << false
            << QList<Passo>{{0, "D012000\r"}, {300, "C012000\r"}, {600, "D012000\r"}, {700, {}}}
            << QStringList{"amarela 500", "amarela 0", "amarela 500", "amarela 400"};
        QTest::newRow("pelo relógio da janela") << 1000 << false << QList<Passo>{{0, "D012000\r"}, {1000, {}}}
                                                << QStringList{"amarela 1000", "verde 0"};
        QTest::newRow("demanda salva só após a espera")
            << 800 << true << QList<Passo>{{0, "D30010.\r"}, {800, {}}}
            << QStringList{"amarela 800", "verde 0 salva"};
        QTest::newRow("demanda sem regra salva já")
            << 0 << true << QList<Passo>{{0, "D30010.\r"}} << QStringList{"verde 0 salva"};
    }
    void regra()
    {
        QFETCH(int, estavelMs);
        QFETCH(bool, demanda);
        QFETCH(QList<Passo>, passos);
        QFETCH(QStringList, esperado);
        LeituraPeso l;
        l.configura(config(demanda));
        l.setEstavelMs(estavelMs);
        l.novaPesagem();
        QStringList visto;
        for (const Passo& p : passos) {
            const EfeitoLeitura e = p.quadro.isEmpty()
                                        ? l.reavalia(p.ms)
                                        : l.recebe(p.quadro.constData(), int(p.quadro.size()), p.ms);
            visto << (cor(e) + u' ' + QString::number(e.esperaMs) +
                      (e.salvarSeHabilitado ? QStringLiteral(" salva") : QString()));
        }
        QCOMPARE(visto, esperado);
    }

    // The frame behind the weight on screen is kept as received, newest of a
    // chunk; the stable time counts from the frame that first showed it.
    void quadroEEstavel()
    {
        LeituraPeso l;
        l.configura(config(false));
        l.novaPesagem();
        const QByteArray dois("D011990\rD012000\r");
        l.recebe(dois.constData(), int(dois.size()), 100);
        QCOMPARE(l.quadro(), QByteArray("D012000\r"));
        l.recebe("D012000\r", 8, 700);
        QCOMPARE(l.estavelHaMs(900), 800);
        QCOMPARE(l.nomeModelo(), QStringLiteral("AR"));
        QCOMPARE(l.nomeInterface(), QStringLiteral("Pesagem"));
        l.novaPesagem();
        QVERIFY(l.quadro().isEmpty());
        QCOMPARE(l.estavelHaMs(1000), 0);
    }
};

QTEST_GUILESS_MAIN(TstEstabilidade)
#include "tst_estabilidade.moc"
