// SPDX-License-Identifier: GPL-3.0-or-later
// The gate of the session attached to the weighing flow, without a window:
// the deck read all session on the scale's port (the flow shares it), a
// deck not back to zero refusing the save with nothing stored, a module
// that does not answer said in the save's message, and the coils of
// viga-io-sim through an entry and an exit saved by the flow.
#include "BalancaSessao.h"
#include "BancoTeste.h"
#include "ConsultaPesagem.h"
#include "Cronometro.h"
#include "FixturePesagem.h"
#include "FluxoPesagem.h"
#include "Passagens.h"
#include "Portaria.h"
#include "PtyTeste.h"
#include "Relogio.h"
#include "SessaoAtual.h"
#include "SimuladorIo.h"
#include "TCommPortDriver.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace
{

const QDateTime kInicio(QDate(2026, 12, 11), QTime(10, 0, 0));

// A workstation with its scale on COM1 (model AR, whole kilograms) and the
// gate of its session; `portaria` holds viga.ini's [portaria] entries.
struct Estacao {
    BancoTeste b{BancoTeste::Tipo::Novo};
    PtyTeste pty;
    CronometroManual relogio;
    std::unique_ptr<Portaria> portaria;
    std::unique_ptr<QSignalSpy> leituras;

    explicit Estacao(const QMap<QString, QString>& portariaIni = {})
    {
        FixturePesagem::cadastros(b);
        b.exec(QStringLiteral("update config set cfg_porta=0, cfg_portasaida=0, cfg_modeloplaca=0, "
                              "cfg_divisao=0, cfg_casasdecimais=0"));
        QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM1"), pty.nome());
        for (auto it = portariaIni.cbegin(); it != portariaIni.cend(); ++it) {
            ini.setValue(QStringLiteral("portaria/") + it.key(), it.value());
        }
        ini.sync();
        QStringList avisos;
        portaria.reset(Portaria::daSessao(b.dm(), &avisos, nullptr));
        if (!avisos.isEmpty()) {
            qWarning("%s", qPrintable(avisos.join(u'\n')));
        }
        leituras =
            std::make_unique<QSignalSpy>(&BalancaSessao::instancia(), &BalancaSessao::leituraPlataforma);
    }
    // The indicator sends one frame at `ms` into the session; returns once the deck read it.
    bool deck(qint64 ms, int kg, bool estavel = true)
    {
        Relogio::fixar(kInicio.addMSecs(ms));
        const qsizetype antes = leituras->count();
        pty.escreve(QStringLiteral("%1%2\r")
                        .arg(QChar(estavel ? u'D' : u'C'))
                        .arg(kg, 6, 10, QChar(u'0'))
                        .toLatin1());
        return QTest::qWaitFor([&] { return leituras->count() > antes; }, 5000);
    }
    qint64 pesagens() { return b.valor(QStringLiteral("select count(*) from pesagem")).toLongLong(); }
};

PesagemTela entrada(const QString& peso)
{
    PesagemTela p;
    p.estado = 0;
    p.codigo = QStringLiteral("1");
    p.placa = QStringLiteral("ABC1234");
    p.cadCodigo = QStringLiteral("1");
    p.dataEntrada = QStringLiteral("11/12/2026");
    p.horaEntrada = QStringLiteral("10:00:00");
    p.pesoEntrada = peso;
    return p;
}

} // namespace

class TstFluxoPortaria : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Relogio::fixar(kInicio);
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
        SessaoAtual.LoginEfetuado = true;
    }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // The deck is read with no weighing being typed; the flow reads the
    // same port rather than opening it again, and letting it go leaves it
    // open for the deck. A deck left at 60 kg refuses the entry: the
    // refusal is returned, nothing is taken or stored. Back to 0 kg for
    // ZeroMs, the same save goes through; the next one waits for zero again.
    void zeroAntesDaPesagem()
    {
        Estacao e;
        QVERIFY(BalancaSessao::instancia().vigiando());
        QVERIFY(e.deck(0, 60));
        QVERIFY(e.deck(1000, 60));
        QVERIFY(e.deck(2500, 60));
        QCOMPARE(e.portaria->textoStatus(), QStringLiteral("Plataforma vazia: 60 kg"));

        FluxoPesagem f(e.b.dm(), 1, e.relogio);
        f.configura(ConfigPesagem::ler(e.b.dm()));
        QVERIFY(!f.abreLeitura(0));
        QVERIFY(f.lendo());
        TCommPortDriver* porta = BalancaSessao::instancia().porta(&f);
        QCOMPARE(porta->PortName(), e.pty.nome());
        f.setEditando(true);
        QSignalSpy pesos(&f, &FluxoPesagem::pesoLido);
        QVERIFY(e.deck(3000, 27340));
        QCOMPARE(pesos.count(), 1);

        PesagemTela p = entrada(QStringLiteral("27340"));
        const QString recusa = f.iniciaGravacao(p, p.pesoEntrada, true, QString());
        QCOMPARE(recusa, QStringLiteral("A balança não voltou a zero desde a última pesagem (última leitura "
                                        "vazia: 60 kg). Verifique a plataforma."));
        QVERIFY(!f.gravando());
        QVERIFY(!f.evidencia());
        QCOMPARE(e.pesagens(), 0);

        // the truck backs off, the deck reads zero for 2 s, the truck returns
        QVERIFY(e.deck(4000, 0));
        QVERIFY(e.deck(5000, 0));
        QVERIFY(e.deck(6000, 0));
        QVERIFY(e.portaria->vigia().zerada());
        QVERIFY(e.deck(7000, 27340));
        QCOMPARE(f.iniciaGravacao(p, p.pesoEntrada, true, QString()), QString());
        QCOMPARE(f.grava(p, false), 1);
        QCOMPARE(e.pesagens(), 1);
        QCOMPARE(f.avisoGravacao(), QString()); // no module configured
        // the saved truck has not left yet: the next save is refused
        PesagemTela outra = entrada(QStringLiteral("27340"));
        outra.codigo = QStringLiteral("2");
        QVERIFY(!f.iniciaGravacao(outra, outra.pesoEntrada, true, QString()).isEmpty());
        QCOMPARE(e.pesagens(), 1);

        f.fechaLeitura();
        QVERIFY(!f.lendo());
        QVERIFY(BalancaSessao::instancia().vigiando());
        QVERIFY(porta->Connected());
        QVERIFY(e.deck(8000, 0));
    }

    // A module that does not answer never holds up a save: it is stored, and
    // the success message says the lights and barriers stayed as they were.
    void moduloQueNaoResponde()
    {
        Estacao e({{QStringLiteral("Modulo"), QStringLiteral("127.0.0.1:1")},
                   {QStringLiteral("SinalSaidaVerde"), QStringLiteral("3")},
                   {QStringLiteral("EsperaMs"), QStringLiteral("100")}});
        Passagens::defineChecaZero(e.b.dm(), false);
        QTRY_VERIFY(e.portaria->textoStatus().contains(QStringLiteral("não responde")));
        FluxoPesagem f(e.b.dm(), 1, e.relogio);
        f.configura(ConfigPesagem::ler(e.b.dm()));
        PesagemTela p = entrada(QStringLiteral("27340"));
        QCOMPARE(f.iniciaGravacao(p, p.pesoEntrada, false, QString()), QString());
        QCOMPARE(f.grava(p, false), 1);
        QCOMPARE(e.pesagens(), 1);
        QCOMPARE(
            f.avisoGravacao(),
            QStringLiteral("O módulo da portaria não responde: sinais e cancelas ficaram como estavam."));
    }

    // viga-io-sim as the module: an entry and an exit saved through the flow
    // switch the coils in order (the new colour lit before the old goes out;
    // the exit barrier pulsed after each save).
    void bobinasEntradaESaida()
    {
        Simulador sim;
        QVERIFY(sim.pronto());
        Estacao e({{QStringLiteral("Modulo"), sim.endereco()},
                   {QStringLiteral("SinalEntradaVermelho"), QStringLiteral("0")},
                   {QStringLiteral("SinalEntradaVerde"), QStringLiteral("1")},
                   {QStringLiteral("SinalSaidaVermelho"), QStringLiteral("2")},
                   {QStringLiteral("SinalSaidaVerde"), QStringLiteral("3")},
                   {QStringLiteral("CancelaEntrada"), QStringLiteral("4")},
                   {QStringLiteral("CancelaSaida"), QStringLiteral("5")},
                   {QStringLiteral("PulsoMs"), QStringLiteral("300")}});
        QTRY_VERIFY(e.portaria->modulo().respondendo());
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 0 ligada", "bobina 2 ligada"}));
        sim.bobinas().clear();

        auto zera = [&](qint64 ms) {
            for (qint64 t = ms; t <= ms + 2000; t += 1000) {
                QVERIFY(e.deck(t, 0));
            }
            QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 1 ligada", "bobina 0 desligada"}));
            sim.bobinas().clear();
        };
        auto sobe = [&](qint64 ms, int kg) {
            QVERIFY(e.deck(ms, kg / 2, false));
            QVERIFY(e.deck(ms + 1000, kg));
            QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 0 ligada", "bobina 1 desligada"}));
            sim.bobinas().clear();
        };
        auto saidaLiberada = [&] {
            QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 3 ligada", "bobina 2 desligada",
                                                     "bobina 5 ligada", "bobina 5 desligada"}));
            sim.bobinas().clear();
        };
        auto desce = [&](qint64 ms) {
            QVERIFY(e.deck(ms, 9000, false));
            QVERIFY(e.deck(ms + 500, 0, false));
            QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 2 ligada", "bobina 3 desligada"}));
            sim.bobinas().clear();
        };

        zera(0);
        sobe(3000, 12000);
        {
            FluxoPesagem f(e.b.dm(), 1, e.relogio);
            f.configura(ConfigPesagem::ler(e.b.dm()));
            QVERIFY(!f.abreLeitura(0));
            f.setEditando(true);
            PesagemTela p = entrada(QStringLiteral("12000"));
            QCOMPARE(f.iniciaGravacao(p, p.pesoEntrada, true, QString()), QString());
            QCOMPARE(f.grava(p, false), 1);
            QCOMPARE(f.avisoGravacao(), QString());
        }
        saidaLiberada();
        desce(5000);
        zera(6000);
        sobe(9000, 31000);
        {
            FluxoPesagem f(e.b.dm(), 2, e.relogio);
            f.configura(ConfigPesagem::ler(e.b.dm()));
            QVERIFY(!f.abreLeitura(0));
            f.setEditando(true);
            auto p = ConsultaPesagem::carregar(e.b.dm(), 1, 2, f.config(), true, kInicio);
            QVERIFY(p);
            p->pesoSaida = QStringLiteral("31000");
            QCOMPARE(f.iniciaGravacao(*p, p->pesoSaida, true, QString()), QString());
            QCOMPARE(f.grava(*p, false), 1);
        }
        saidaLiberada();
        QCOMPARE(
            e.b.valor(QStringLiteral("select pes_pesosaida from pesagem where pes_codigo = 1")).toDouble(),
            31000.0);
        desce(11000);
        // two passages, both weighed: none stored
        QCOMPARE(e.b.valor(QStringLiteral("select count(*) from passagem")).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TstFluxoPortaria)
#include "tst_fluxoportaria.moc"
