// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing flow without a window: the reading on a clock the test moves,
// the evidence taken at the moment of the save, the save's checks, the exit
// list and the lost connection found again.
#include "BancoTeste.h"
#include "ConsultaPesagem.h"
#include "ErroBanco.h"
#include "FixturePesagem.h"
#include "FluxoPesagem.h"
#include "PtyTeste.h"
#include "Relogio.h"
#include "SalvaPesagem.h"
#include "ServidorPg.h"
#include "SessaoAtual.h"

#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

using namespace FixturePesagem;

namespace
{

const QDateTime agora(QDate(2026, 12, 10), QTime(8, 15, 0));

PesagemTela aberta(qint64 codigo, const QString& placa = QStringLiteral("ABC1234"))
{
    PesagemTela p;
    p.estado = 0;
    p.codigo = QString::number(codigo);
    p.placa = placa;
    p.cadCodigo = QStringLiteral("1");
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("07:00:00");
    p.pesoEntrada = QStringLiteral("12000");
    return p;
}

// The scale on COM1 (model AR, whole kilograms, 2 s of silence), a port
// that stays quiet: the test hands the flow its chunks itself.
struct Balanca {
    BancoTeste b;
    PtyTeste pty;
    CronometroManual relogio;
    std::unique_ptr<FluxoPesagem> fluxo;
    explicit Balanca(int modo, int portaPostgres = 0) : b(BancoTeste::Tipo::Novo, portaPostgres)
    {
        cadastros(b);
        b.exec(QStringLiteral("update config set cfg_porta=0, cfg_portasaida=0, cfg_modeloplaca=0, "
                              "cfg_divisao=0, cfg_casasdecimais=0"));
        QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM1"), pty.nome());
        ini.sync();
        fluxo = std::make_unique<FluxoPesagem>(b.dm(), modo, relogio);
        if (!fluxo->configura(ConfigPesagem::ler(b.dm())).isEmpty()) {
            qWarning("configuração com avisos");
        }
    }
    // The exit of weighing `codigo` as loaded from the list.
    PesagemTela saida(qint64 codigo)
    {
        auto p = ConsultaPesagem::carregar(b.dm(), codigo, 2, fluxo->config(), true, agora);
        return p ? *p : PesagemTela();
    }
};

} // namespace

class TstFluxoPesagem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Relogio::fixar(agora);
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
        SessaoAtual.LoginEfetuado = true;
    }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // The reading on the flow's clock: a stable frame gives the weight and a
    // green lamp; 2 s without a frame make it stale (yellow, said once); a
    // frame that returns gives the weight again. Nothing counts while no
    // weighing is being edited.
    void leituraESilencio()
    {
        Balanca c(2);
        FluxoPesagem& f = *c.fluxo;
        QSignalSpy pesos(&f, &FluxoPesagem::pesoLido);
        QSignalSpy lampadas(&f, &FluxoPesagem::lampada);
        QSignalSpy parada(&f, &FluxoPesagem::leituraParada);
        QVERIFY(!f.abreLeitura(0));
        f.recebe("D030000\r", 8);
        QCOMPARE(pesos.count(), 0); // idle
        f.setEditando(true);
        f.recebe("D030000\r", 8);
        QCOMPARE(pesos.count(), 1);
        QCOMPARE(pesos.last().at(0).toString(), QStringLiteral("30000"));
        QCOMPARE(lampadas.last().at(0).value<TLampada>(), TLampada::Verde);
        c.relogio.avanca(1999);
        QCOMPARE(parada.count(), 0);
        c.relogio.avanca(1);
        QCOMPARE(parada.count(), 1);
        QCOMPARE(parada.last().at(0).toBool(), true);
        QCOMPARE(lampadas.last().at(0).value<TLampada>(), TLampada::Amarela);
        QVERIFY(f.leitura().leituraParada());
        c.relogio.avanca(10000);
        QCOMPARE(parada.count(), 1);
        f.recebe("D030020\r", 8);
        QCOMPARE(pesos.last().at(0).toString(), QStringLiteral("30020"));
        QVERIFY(!f.leitura().leituraParada());
        f.fechaLeitura();
    }

    // The evidence is what the reading was when Save was pressed: the ticket
    // question answered 5 s later, the indicator silent meanwhile, loses
    // nothing and does not lengthen the stable time.
    void evidenciaNoMomentoDoSalvar()
    {
        Balanca c(2);
        SalvaPesagem::salvar(c.b.dm(), *std::make_unique<PesagemTela>(aberta(1)), c.fluxo->config(), false);
        FluxoPesagem& f = *c.fluxo;
        QVERIFY(!f.abreLeitura(0));
        PesagemTela p = c.saida(1);
        f.setEditando(true);
        f.recebe("D030000\r", 8);
        c.relogio.avanca(700);
        p.pesoSaida = QStringLiteral("30000");
        QVERIFY(f.iniciaGravacao(p, p.pesoSaida, true, QString()).isEmpty());
        QSignalSpy parada(&f, &FluxoPesagem::leituraParada);
        c.relogio.avanca(5000); // the operator types the number of copies
        QCOMPARE(parada.count(), 1);
        const qint64 numero = f.grava(p, false);
        QCOMPARE(numero, 1);
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("30000"));
        const Evidencia::Linha ev = Evidencia::le(c.b.dm(), 1, 2);
        QVERIFY(ev.existe);
        QVERIFY(!ev.manual);
        QCOMPARE(ev.peso, QStringLiteral("30000"));
        QCOMPARE(ev.quadro, QByteArray("D030000\r"));
        QCOMPARE(ev.estavelMs, 700);
        QCOMPARE(ev.porta, c.pty.nome());
        QCOMPARE(ev.usuario, QStringLiteral("JOAO"));
        QVERIFY(!f.gravando());
    }

    // A typed entry weight is stored as typed by its operator; a number taken
    // meanwhile by another workstation gives the next one.
    void entradaDigitadaComNumeroTomado()
    {
        Balanca c(1);
        FluxoPesagem& f = *c.fluxo;
        f.setEditando(true);
        PesagemTela p = aberta(1, QStringLiteral("NOV0001"));
        p.codigoProposto = true;
        SalvaPesagem::salvar(c.b.dm(), *std::make_unique<PesagemTela>(aberta(1)), f.config(), false);
        QVERIFY(f.iniciaGravacao(p, p.pesoEntrada, false, QString()).isEmpty());
        QCOMPARE(f.grava(p, true), 2);
        QCOMPARE(pesagem(c.b, 2)["PES_PLACA"], QStringLiteral("NOV0001"));
        const Evidencia::Linha ev = Evidencia::le(c.b.dm(), 2, 1);
        QVERIFY(ev.existe);
        QVERIFY(ev.manual);
        QCOMPARE(ev.peso, QStringLiteral("12000"));
        QVERIFY(ev.quadro.isEmpty());
        // the ticket of the save: no camera to wait for, printed at once
        QList<qint64> impressos;
        f.imprimeTicket = [&](qint64 n, int modo, int copias) {
            impressos << n;
            QCOMPARE(modo, 1);
            QCOMPARE(copias, 2);
        };
        f.imprimeTicketDaGravacao(2, 2);
        QCOMPARE(impressos, QList<qint64>{2});
        QVERIFY(!f.ticketAguardando());
    }

    // Changed by another workstation after it was loaded: refused when Save
    // is pressed, before any question, nothing written.
    void alteradaAntesDaPergunta_data()
    {
        QTest::addColumn<bool>("conclui");
        QTest::newRow("alterada") << false;
        QTest::newRow("concluída") << true;
    }
    void alteradaAntesDaPergunta()
    {
        QFETCH(bool, conclui);
        Balanca c(2);
        SalvaPesagem::salvar(c.b.dm(), *std::make_unique<PesagemTela>(aberta(1)), c.fluxo->config(), false);
        PesagemTela p = c.saida(1);
        PesagemTela outra = c.saida(1);
        if (conclui) {
            outra.pesoSaida = QStringLiteral("31000");
        } else {
            outra.motorista = QStringLiteral("OUTRO");
            outra.modo = 1;
        }
        SalvaPesagem::salvar(c.b.dm(), outra, c.fluxo->config(), false);
        p.pesoSaida = QStringLiteral("30000");
        try {
            (void)c.fluxo->iniciaGravacao(p, p.pesoSaida, false, QString());
            QFAIL("gravação aceita");
        } catch (const PesagemAlterada& e) {
            QCOMPARE(e.situacao(), conclui ? PesagemAlterada::Concluida : PesagemAlterada::Alterada);
        }
        QVERIFY(!c.fluxo->gravando());
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"],
                 conclui ? QStringLiteral("31000") : QStringLiteral("NULL"));
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagemevidencia")), 0);
    }

    // The exit list: another workstation's entry is noticed by the poll.
    void listaSegueOutrasEstacoes()
    {
        Balanca c(2);
        FluxoPesagem& f = *c.fluxo;
        f.abreLista(c.b.dm().QR_Pesagem, false);
        f.vigiaLista(true);
        QSignalSpy mudou(&f, &FluxoPesagem::listaMudou);
        f.confereLista();
        QCOMPARE(mudou.count(), 0);
        SalvaPesagem::salvar(c.b.dm(), *std::make_unique<PesagemTela>(aberta(1)), f.config(), false);
        f.confereLista();
        QCOMPARE(mudou.count(), 1);
        f.setEditando(true); // a weighing on screen: the list is left alone
        f.abreLista(c.b.dm().QR_Pesagem, false);
        SalvaPesagem::salvar(c.b.dm(), *std::make_unique<PesagemTela>(aberta(2)), f.config(), false);
        f.confereLista();
        QCOMPARE(mudou.count(), 1);
    }

    // The server stopped and started again while the exit list is idle: the
    // poll finds the connection gone, it is tried again by itself, and once
    // back the list is open again and the flow says so.
    void conexaoPerdidaEAchada()
    {
        if (!BancoTeste::usandoPostgres()) {
            QSKIP("servidor PostgreSQL");
        }
        ServidorPg servidor;
        QVERIFY(servidor.porta() > 0);
        Balanca c(2, servidor.porta());
        TDM& dm = c.b.dm();
        FluxoPesagem& f = *c.fluxo;
        SalvaPesagem::salvar(dm, *std::make_unique<PesagemTela>(aberta(1)), f.config(), false);
        SalvaPesagem::salvar(dm, *std::make_unique<PesagemTela>(aberta(2)), f.config(), false);
        f.abreLista(dm.QR_Pesagem, false);
        f.vigiaLista(true);
        QSignalSpy situacao(&dm, &TDM::situacaoConexao);
        QSignalSpy mudou(&f, &FluxoPesagem::listaMudou);

        QVERIFY(servidor.para());
        f.confereLista();
        QVERIFY(dm.semConexao());
        QCOMPARE(situacao.count(), 1);
        QCOMPARE(situacao.last().at(1).toString(),
                 QStringLiteral("Sem conexão com o banco de dados — tentando novamente"));
        QVERIFY(!dm.QR_Pesagem.Active());
        f.confereLista(); // (a poll meanwhile changes nothing)
        QCOMPARE(mudou.count(), 0);
        QTest::qWait(3500); // the tries at 1 and 3 s fail
        QVERIFY(dm.semConexao());
        QVERIFY(servidor.retoma());
        QVERIFY(mudou.wait(15000));
        QVERIFY(!dm.semConexao());
        QCOMPARE(situacao.last().at(0).toBool(), false);
        QVERIFY(dm.QR_Pesagem.Active());
        QCOMPARE(dm.QR_Pesagem.RecordCount(), 2);
        // a write is not repeated by itself: the next save simply works
        PesagemTela p = c.saida(1);
        p.pesoSaida = QStringLiteral("30000");
        f.setEditando(true);
        QVERIFY(f.iniciaGravacao(p, p.pesoSaida, false, QString()).isEmpty());
        QCOMPARE(f.grava(p, false), 1);
    }
};

QTEST_MAIN(TstFluxoPesagem)
#include "tst_fluxopesagem.moc"
