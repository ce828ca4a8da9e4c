// SPDX-License-Identifier: GPL-3.0-or-later
// The deck watch: recorded indicator cycles through the live weight's own
// receiver, noise around the thresholds, a stop in the middle, a silent
// indicator, the zero rule; and the [portaria] settings it reads.
#include "ConfigPortaria.h"
#include "Gravacao.h"
#include "LeituraPeso.h"
#include "Relogio.h"
#include "VigiaPlataforma.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

using Gravacao::kInicio;
using Gravacao::reproduz;

QString nome(EstadoPlataforma e)
{
    switch (e) {
    case EstadoPlataforma::Vazia:
        return QStringLiteral("vazia");
    case EstadoPlataforma::Chegando:
        return QStringLiteral("chegando");
    case EstadoPlataforma::Estavel:
        return QStringLiteral("estavel");
    case EstadoPlataforma::Saindo:
        return QStringLiteral("saindo");
    }
    return QString();
}

// Everything the watch said, in order.
struct Registro {
    explicit Registro(VigiaPlataforma& v)
    {
        QObject::connect(&v, &VigiaPlataforma::estadoMudou,
                         [this](EstadoPlataforma e) { estados << nome(e); });
        QObject::connect(&v, &VigiaPlataforma::passagemConcluida,
                         [this](const Passagem& p) { passagens << p; });
    }
    QStringList estados;
    QList<Passagem> passagens;
};

struct Leitura {
    qint64 ms;
    int peso;
    bool estavel;
};

} // namespace

Q_DECLARE_METATYPE(QList<Leitura>)

class TstVigia : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Relogio::fixar(QDateTime()); }

    // Three cycles of the simulator (empty, arriving, settling, stable,
    // leaving): one passage each with its highest weights; the one during
    // which a weighing was saved is marked so.
    void ciclosGravados()
    {
        LeituraPeso leitura;
        leitura.configura(Gravacao::configAR());
        VigiaPlataforma vigia{ConfigPortaria()};
        Registro r(vigia);
        QSignalSpy zero(&vigia, &VigiaPlataforma::zeroConfirmado);
        qint64 inicio = 0;
        for (int ciclo = 0; ciclo < 3; ++ciclo) {
            bool salvou = false;
            inicio += reproduz(Gravacao::ciclo(), leitura, vigia, inicio, [&](qint64) {
                if (ciclo == 1 && !salvou && vigia.estado() == EstadoPlataforma::Estavel) {
                    QVERIFY2(vigia.recusaZero().isEmpty(), qPrintable(vigia.recusaZero()));
                    vigia.pesagemSalva();
                    salvou = true;
                }
            });
            QVERIFY(ciclo != 1 || salvou);
        }
        const QStringList cicloEsperado{"chegando", "estavel", "saindo", "vazia"};
        QCOMPARE(r.estados, cicloEsperado + cicloEsperado + cicloEsperado);
        QCOMPARE(r.passagens.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const Passagem& p = r.passagens[i];
            QCOMPARE(p.pesoEstavel, std::optional<Decimal>(Decimal::fromInt(27340)));
            QVERIFY(p.pesoMaximo > Decimal::fromInt(27340)); // the bounce of the axles
            QVERIFY(p.pesoMaximo < Decimal::fromInt(29000));
            QCOMPARE(p.pesada, i == 1);
            // driving on starts after the 3 s of empty deck, the deck is free
            // again within the 4 s of leaving
            const qint64 duracao = p.inicio.msecsTo(p.fim);
            QVERIFY2(duracao > 10000 && duracao < 16000, qPrintable(QString::number(duracao)));
        }
        // zeroed in the first cycle; after the save, zeroed again once empty
        QCOMPARE(zero.count(), 2);
        QVERIFY(vigia.zerada());
        QCOMPARE(vigia.textoStatus(), QStringLiteral("Plataforma vazia: 0 kg"));
    }

    // Readings at the given times: the states passed through and the
    // passages ended. Ocupada 400, Livre 200.
    void sequencias_data()
    {
        QTest::addColumn<QList<Leitura>>("leituras");
        QTest::addColumn<QStringList>("estados");
        QTest::addColumn<int>("passagens");
        QTest::addColumn<int>("pesoEstavel"); // of the last passage, -1 = none stable
        QTest::newRow("ruído abaixo de Ocupada não começa passagem") << QList<Leitura>{{0, 0, true},
                                                                                       {100, 390, false},
                                                                                       {200, 399, false},
                                                                                       {300, 150, false},
                                                                                       {400, 0, true}}
                                                                     << QStringList{} << 0 << -1;
        QTest::newRow("ruído em volta de Ocupada e de Livre: uma passagem")
            << QList<Leitura>{{0, 0, true},      {100, 395, false}, {200, 405, false}, {300, 395, false},
                              {400, 410, false}, {500, 390, false}, {600, 210, false}, {700, 190, false},
                              {800, 210, false}, {900, 390, false}, {1000, 0, true}}
            << QStringList{"chegando", "vazia"} << 1 << -1;
        QTest::newRow("parada no meio e depois na plataforma toda")
            << QList<Leitura>{{0, 0, true},         {100, 9000, false},  {200, 13000, false},
                              {1000, 13000, true},  {3000, 13000, true}, {3100, 18000, false},
                              {3500, 27000, false}, {4500, 27000, true}, {9000, 26980, false},
                              {9500, 14000, false}, {10000, 120, false}, {10100, 0, true}}
            << QStringList{"chegando", "estavel", "chegando", "estavel", "saindo", "vazia"} << 1 << 27000;
        QTest::newRow("passa sem parar") << QList<Leitura>{{0, 0, true},
                                                           {100, 12000, false},
                                                           {600, 25000, false},
                                                           {1200, 11000, false},
                                                           {1800, 0, false}}
                                         << QStringList{"chegando", "vazia"} << 1 << -1;
        QTest::newRow("motorista desce: balanço sem sair continua na plataforma")
            << QList<Leitura>{{0, 20000, true},    {500, 20000, true}, {600, 20080, false},
                              {700, 19900, false}, {800, 19900, true}, {2000, 0, false}}
            << QStringList{"chegando", "estavel", "chegando", "estavel", "vazia"} << 1 << 20000;
    }
    void sequencias()
    {
        QFETCH(QList<Leitura>, leituras);
        VigiaPlataforma vigia{ConfigPortaria()};
        Registro r(vigia);
        for (const Leitura& l : leituras) {
            Relogio::fixar(kInicio.addMSecs(l.ms));
            vigia.recebe({Decimal::fromInt(l.peso), l.estavel, false});
            vigia.verifica();
        }
        QTEST(r.estados, "estados");
        QTEST(int(r.passagens.size()), "passagens");
        QFETCH(int, pesoEstavel);
        if (!r.passagens.isEmpty()) {
            const auto& p = r.passagens.last().pesoEstavel;
            QCOMPARE(p ? int(p->toDouble()) : -1, pesoEstavel);
        }
    }

    // The indicator goes silent with a truck on the deck: the status says
    // so, the passage stays open (no passage is made up), and it goes on when
    // frames return.
    void indicadorSilenciaNaPlataforma()
    {
        VigiaPlataforma vigia{ConfigPortaria()};
        Registro r(vigia);
        QSignalSpy perdida(&vigia, &VigiaPlataforma::leituraPerdida);
        QSignalSpy voltou(&vigia, &VigiaPlataforma::leituraVoltou);
        const auto le = [&](qint64 ms, int peso, bool estavel) {
            Relogio::fixar(kInicio.addMSecs(ms));
            vigia.recebe({Decimal::fromInt(peso), estavel, false});
        };
        const auto espera = [&](qint64 ms) {
            Relogio::fixar(kInicio.addMSecs(ms));
            vigia.verifica();
        };
        le(0, 0, true);
        le(100, 27340, true);
        espera(2000);
        QCOMPARE(perdida.count(), 0);
        espera(2100);
        QCOMPARE(perdida.count(), 1);
        QVERIFY(vigia.semLeitura());
        QCOMPARE(vigia.textoStatus(), QStringLiteral("Balança sem leitura"));
        espera(60000);
        QCOMPARE(perdida.count(), 1); // said once
        QVERIFY(vigia.emPassagem());
        QVERIFY(r.passagens.isEmpty());
        le(61000, 27340, true);
        QCOMPARE(voltou.count(), 1);
        QCOMPARE(vigia.textoStatus(), QStringLiteral("Veículo na plataforma: 27340 kg"));
        le(62000, 0, true);
        QCOMPARE(r.passagens.size(), 1);
        QCOMPARE(r.passagens[0].inicio, kInicio.addMSecs(100));
        QCOMPARE(r.passagens[0].fim, kInicio.addMSecs(62000));
    }

    // The zero rule: a deck left at 60 kg refuses the next weighing with
    // the reading it shows; a stable zero for ZeroMs allows it again. Motion,
    // silence or a reading off zero start the time over.
    void zero()
    {
        VigiaPlataforma vigia{ConfigPortaria()};
        const auto le = [&](qint64 ms, int peso, bool estavel) {
            Relogio::fixar(kInicio.addMSecs(ms));
            vigia.recebe({Decimal::fromInt(peso), estavel, false});
            vigia.verifica();
        };
        QVERIFY(!vigia.zerada()); // not seen yet since the start
        QCOMPARE(vigia.recusaZero(),
                 QStringLiteral("A balança não voltou a zero desde a última pesagem (última leitura vazia: "
                                "nenhuma). Verifique a plataforma."));
        le(0, 10, true);
        le(1999, -10, true);
        QVERIFY(!vigia.zerada());
        le(2000, 0, true);
        QVERIFY(vigia.zerada());
        QCOMPARE(vigia.recusaZero(), QString());

        le(3000, 27340, true);
        vigia.pesagemSalva();
        le(9000, 8000, false);
        le(9500, 60, false);
        le(10000, 60, true);
        le(20000, 60, true);
        QVERIFY(!vigia.zerada());
        QCOMPARE(vigia.recusaZero(),
                 QStringLiteral(
                     "A balança não voltou a zero desde a última pesagem (última leitura vazia: 60 kg). "
                     "Verifique a plataforma."));
        le(21000, 0, true);
        le(22000, 0, false); // motion
        le(22500, 0, true);
        le(24400, 0, true);
        QVERIFY(!vigia.zerada());
        // silence between frames starts it over too
        Relogio::fixar(kInicio.addMSecs(26500));
        vigia.verifica();
        QVERIFY(vigia.semLeitura());
        le(27000, 0, true);
        le(28999, 0, true);
        QVERIFY(!vigia.zerada());
        // the time is up between two frames: the owner's timer confirms it
        Relogio::fixar(kInicio.addMSecs(29000));
        vigia.verifica();
        QVERIFY(vigia.zerada());
    }

    // [portaria] as written by hand: good values taken, each bad one said
    // with the value used instead.
    void configuracao_data()
    {
        QTest::addColumn<QString>("secao");
        QTest::addColumn<QString>("resumo"); // ocupada livre zero zeroMs modulo entradaVerde
        QTest::addColumn<QStringList>("erros");
        QTest::newRow("padrões") << QString() << "400 200 20 2000 - -1" << QStringList{};
        QTest::newRow("valores válidos, vírgula decimal")
            << "Ocupada=600\nLivre=250,5\nZero=15\nZeroMs=1500\nModulo=127.0.0.1:1502\nSinalEntradaVerde=1\n"
            << "600 250,5 15 1500 127.0.0.1:1502 1" << QStringList{};
        QTest::newRow("Livre sem valor segue Ocupada") << "Ocupada=1000\n"
                                                       << "1000 500 20 2000 - -1" << QStringList{};
        QTest::newRow("inválidos")
            << "Ocupada=muito\nZeroMs=-5\nModulo=balanca\nSinalEntradaVerde=x\n"
            << "400 200 20 2000 - -1"
            << QStringList{
                   "[portaria] Ocupada=muito: informe um peso em kg de no mínimo 0,0001. Usando 400 kg.",
                   "[portaria] ZeroMs=-5: informe um número inteiro de 0 a 600000. Usando 2000 ms.",
                   "[portaria] Modulo=balanca: informe host:porta (Modbus TCP) ou o caminho da porta "
                   "serial (Modbus RTU). Usando nenhum módulo (sinais e cancelas desligados).",
                   "[portaria] SinalEntradaVerde=x: informe o número da bobina ou entrada (0 a 65535). "
                   "Usando nenhuma (saída não usada)."};
        QTest::newRow("faixas que se cruzam")
            << "Ocupada=400\nLivre=400\nZero=300\n"
            << "400 200 100 2000 - -1"
            << QStringList{
                   "[portaria] Livre=400: o peso de plataforma livre deve ser menor que Ocupada=400. "
                   "Usando 200 kg.",
                   "[portaria] Zero=300: a tolerância do zero deve ser menor que Livre=200. Usando 100 kg."};
    }
    void configuracao()
    {
        QFETCH(QString, secao);
        QFETCH(QStringList, erros);
        QTemporaryDir dir;
        const QString ini = dir.filePath("viga.ini");
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(("[Portaria]\n" + secao).toUtf8());
        f.close();
        QStringList ditos;
        const ConfigPortaria c = ConfigPortaria::le(ini, &ditos);
        const QString resumo =
            QStringLiteral("%1 %2 %3 %4 %5 %6")
                .arg(c.ocupada.toShortString(), c.livre.toShortString(), c.zero.toShortString())
                .arg(c.zeroMs)
                .arg(c.modulo.isEmpty() ? QStringLiteral("-") : c.modulo)
                .arg(c.sinalEntradaVerde);
        QTEST(resumo, "resumo");
        QStringList esperados;
        for (const QString& e : erros) {
            esperados << QStringLiteral("Valor inválido em %1, %2").arg(ini, e);
        }
        QCOMPARE(ditos, esperados);
    }
};

QTEST_GUILESS_MAIN(TstVigia)
#include "tst_vigia.moc"
