// SPDX-License-Identifier: GPL-3.0-or-later
// The gate's lights, barriers and sensors against viga-io-sim (a Modbus TCP
// module on the loopback): the coils in order through an entry and an exit,
// a photocell that refuses the save, a module that stops answering (the save
// goes on, the status says so, the outputs are written when it is back).
#include "BancoTeste.h"
#include "Passagens.h"
#include "Portaria.h"
#include "Relogio.h"
#include "SimuladorIo.h"

#include <QSignalSpy>
#include <QtTest>

namespace
{

const QDateTime kInicio(QDate(2026, 12, 11), QTime(10, 0, 0));

ConfigPortaria config(const QString& modulo)
{
    ConfigPortaria c;
    c.modulo = modulo;
    c.sinalEntradaVermelho = 0;
    c.sinalEntradaVerde = 1;
    c.sinalSaidaVermelho = 2;
    c.sinalSaidaVerde = 3;
    c.cancelaEntrada = 4;
    c.cancelaSaida = 5;
    c.fotocelulaEntrada = 0;
    c.fotocelulaSaida = 1;
    c.pulsoMs = 300;
    c.esperaMs = 300;
    return c;
}

void le(Portaria& p, qint64 ms, int peso, bool estavel)
{
    Relogio::fixar(kInicio.addMSecs(ms));
    p.vigia().recebe({Decimal::fromInt(peso), estavel, false});
}

} // namespace

class TstPortaria : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Relogio::fixar(QDateTime()); }

    // An entry weighing and the truck leaving: the coils switch in order,
    // the new colour lit before the old one goes out.
    void entradaESaida()
    {
        Simulador sim;
        QVERIFY(sim.pronto());
        BancoTeste b;
        Portaria p(b.dm(), config(sim.endereco()));
        QTRY_VERIFY(p.modulo().respondendo());
        // both lights red: the deck not zeroed yet, nothing weighed
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 0 ligada", "bobina 2 ligada"}));
        QVERIFY(p.textoStatus().endsWith(
            QStringLiteral("| Portaria: módulo %1 respondendo").arg(sim.endereco())));
        sim.bobinas().clear();

        le(p, 0, 0, true);
        le(p, 2000, 0, true);
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 1 ligada", "bobina 0 desligada"}));
        sim.bobinas().clear();

        le(p, 3000, 12000, false);
        le(p, 6000, 27340, true);
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 0 ligada", "bobina 1 desligada"}));
        sim.bobinas().clear();
        QCOMPARE(p.recusaPesagem(), QString());
        p.pesagemSalva();
        QCOMPARE(p.avisoModulo(), QString());
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 3 ligada", "bobina 2 desligada", "bobina 5 ligada",
                                                 "bobina 5 desligada"}));
        sim.bobinas().clear();

        le(p, 9000, 14000, false);
        le(p, 10000, 0, false);
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 2 ligada", "bobina 3 desligada"}));
        sim.bobinas().clear();
        le(p, 10500, 0, true);
        le(p, 12500, 0, true);
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 1 ligada", "bobina 0 desligada"}));
    }

    // A cut photocell refuses the save; the deck back to zero is asked too
    // (a new database has the zero check on).
    void fotocelulaEZero()
    {
        Simulador sim;
        QVERIFY(sim.pronto());
        BancoTeste b;
        Portaria p(b.dm(), config(sim.endereco()));
        QSignalSpy registro(&p, &Portaria::registrado);
        QTRY_VERIFY(p.modulo().respondendo());
        le(p, 0, 0, true);
        le(p, 2000, 0, true);
        le(p, 3000, 27340, true);
        sim.comando("entrada 1 1");
        QTRY_VERIFY(p.modulo().fotocelulaSaidaCortada());
        QCOMPARE(p.recusaPesagem(),
                 QStringLiteral("O veículo não está inteiro sobre a balança (fotocélula da "
                                "saída interrompida). Posicione o veículo e pese novamente."));
        QCOMPARE(registro.count(), 1);
        sim.comando("entrada 1 0");
        QTRY_VERIFY(!p.modulo().fotocelulaSaidaCortada());
        QCOMPARE(p.recusaPesagem(), QString());
        p.pesagemSalva();
        // the next truck drives on before the deck read zero again
        le(p, 8000, 300, false);
        le(p, 9000, 60, true);
        le(p, 12000, 31000, true);
        QCOMPARE(p.recusaPesagem(),
                 QStringLiteral("A balança não voltou a zero desde a última pesagem (última "
                                "leitura vazia: 60 kg). Verifique a plataforma."));
        // an administrator who turns the check off
        Passagens::defineChecaZero(b.dm(), false);
        QCOMPARE(p.recusaPesagem(), QString());
    }

    // The module stops answering: the calls return at once, the status and
    // the save's message say so, a cut photocell no longer holds the save
    // (unknown); when it answers again the outputs are written as asked.
    void moduloNaoResponde()
    {
        Simulador sim;
        QVERIFY(sim.pronto());
        BancoTeste b;
        Portaria p(b.dm(), config(sim.endereco()));
        QTRY_VERIFY(p.modulo().respondendo());
        le(p, 0, 0, true);
        le(p, 2000, 0, true);
        le(p, 3000, 27340, true);
        sim.comando("entrada 0 1");
        QTRY_VERIFY(p.modulo().fotocelulaEntradaCortada());
        QVERIFY(!p.recusaPesagem().isEmpty());
        sim.comando("pausa");
        QTRY_VERIFY(!p.modulo().respondendo());
        QVERIFY2(p.textoStatus().contains(QStringLiteral("não responde")), qPrintable(p.textoStatus()));
        QVERIFY(p.textoStatus().endsWith(QStringLiteral("; sinais e cancelas como estavam")));
        QCOMPARE(p.recusaPesagem(), QString());
        sim.bobinas().clear();
        p.pesagemSalva();
        QCOMPARE(
            p.avisoModulo(),
            QStringLiteral("O módulo da portaria não responde: sinais e cancelas ficaram como estavam."));
        QVERIFY(p.modulo().ligada(SaidaPortaria::SinalSaidaVerde));
        sim.comando("continua");
        QTRY_VERIFY_WITH_TIMEOUT(p.modulo().respondendo(), 15000);
        QTRY_VERIFY(sim.bobinas().contains(QStringLiteral("bobina 3 ligada")));
        QCOMPARE(p.avisoModulo(), QString());
    }

    // No module at the address at all: said, and nothing waits for it.
    void semModulo()
    {
        BancoTeste b;
        ConfigPortaria c = config(QStringLiteral("127.0.0.1:1")); // nothing listens on port 1
        Portaria p(b.dm(), c);
        QSignalSpy situacao(&p.modulo(), &ModuloPortaria::situacaoMudou);
        p.pesagemSalva();
        QTRY_VERIFY(situacao.count() > 0);
        QVERIFY(!p.modulo().respondendo());
        QVERIFY2(
            p.modulo().situacao().startsWith(QStringLiteral("Portaria: módulo 127.0.0.1:1 não responde (")),
            qPrintable(p.modulo().situacao()));
        QVERIFY(!p.avisoModulo().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstPortaria)
#include "tst_portaria.moc"
