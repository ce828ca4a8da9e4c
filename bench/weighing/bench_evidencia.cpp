// SPDX-License-Identifier: GPL-3.0-or-later
// The evidence's cost. The save of a new weighing with its reading evidence
// and audit entries (without and with two cameras' pictures), the save
// without the reading evidence, and the evidence and audit statements alone
// (run inside an open transaction, as in the save): the save as it was
// before any evidence is the difference. And the way of a weight from the
// last byte of a frame on a pseudo-terminal to the repaint
// of the weight box in the weighing window (offscreen, a paint hook), without
// and with two cameras running (GStreamer's test source). Run with a release
// build; VIGA_TEST_DRIVER=QPSQL measures on PostgreSQL.
#include "Auditoria.h"
#include "BancoTeste.h"
#include "Cameras.h"
#include "DialogosRoteiro.h"
#include "ErroBanco.h"
#include "Evidencia.h"
#include "PtyTeste.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "TFrmPesagem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <memory>

namespace
{

BancoTeste& banco()
{
    static BancoTeste* b = [] {
        auto* novo = new BancoTeste;
        novo->exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (1, 3, 'CLIENTE UM')");
        novo->exec("insert into produto (prd_codigo, prd_descricao) values ('10', 'SOJA')");
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
        SessaoAtual.PesagemEntrada = 1;
        return novo;
    }();
    return *b;
}

qint64 proximo = 1;

const QString camera = QStringLiteral("gst:videotestsrc is-live=true ! video/x-raw,width=640,height=480");

PesagemTela entrada(qint64 numero)
{
    PesagemTela p;
    p.estado = 0;
    p.codigo = QString::number(numero);
    p.placa = QStringLiteral("ABC1234");
    p.cadCodigo = QStringLiteral("1");
    p.prdCodigo = QStringLiteral("10");
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("07:00:00");
    p.pesoEntrada = QStringLiteral("12000");
    return p;
}

EvidenciaPesagem evidencia()
{
    EvidenciaPesagem ev;
    ev.peso = QStringLiteral("12000");
    ev.quadro = "D012000\r";
    ev.modelo = QStringLiteral("AR");
    ev.interface = QStringLiteral("Pesagem");
    ev.porta = QStringLiteral("/dev/ttyUSB0");
    ev.estavelMs = 1800;
    ev.usuario = QStringLiteral("JOAO");
    return ev;
}

// New entries saved one per iteration, with `evidencia` when given.
void salvaEntradas(benchmark::State& state, BancoTeste& b, const ConfigPesagem& cfg,
                   const EvidenciaPesagem* evidencia)
{
    for (auto _ : state) {
        PesagemTela p = entrada(proximo++);
        try {
            SalvaPesagem::salvar(b.dm(), p, cfg, false, {}, evidencia);
        } catch (const ErroBanco& e) {
            state.SkipWithError(qPrintable(e.texto()));
            break;
        }
    }
}

// The whole save of a new weighing, evidence and audit included, as the window runs it.
void SalvarEntradaComEvidencia(benchmark::State& state)
{
    BancoTeste& b = banco();
    const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
    const EvidenciaPesagem ev = evidencia();
    salvaEntradas(state, b, cfg, &ev);
}
BENCHMARK(SalvarEntradaComEvidencia)->Unit(benchmark::kMicrosecond);

// The same save without the reading evidence (the audit entries stay: every save has them).
void SalvarEntradaSemEvidencia(benchmark::State& state)
{
    BancoTeste& b = banco();
    const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
    salvaEntradas(state, b, cfg, nullptr);
}
BENCHMARK(SalvarEntradaSemEvidencia)->Unit(benchmark::kMicrosecond);

// The save with two cameras' pictures that came before it (640x480 JPEG from
// GStreamer's test source), written into the data folder in the save.
void SalvarEntradaComFotos(benchmark::State& state)
{
    BancoTeste& b = banco();
    const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
    EvidenciaPesagem ev = evidencia();
    {
        Cameras c({{QStringLiteral("Frente"), camera}, {QStringLiteral("Traseira"), camera}});
        const int pedido = c.pede();
        bool pronto = false;
        c.aoConcluir(pedido, [&](const QList<FotoCamera>& f) {
            ev.fotos = f;
            pronto = true;
        });
        while (!pronto) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    for (const FotoCamera& f : ev.fotos) {
        if (f.jpeg.isEmpty()) {
            state.SkipWithError(qPrintable(f.falha));
            return;
        }
    }
    salvaEntradas(state, b, cfg, &ev);
}
BENCHMARK(SalvarEntradaComFotos)->Unit(benchmark::kMicrosecond);

// Statements run inside a save's open transaction, as the save runs them:
// the transaction is begun and rolled back outside the timing, every 256
// runs (its begin and commit are the save's, with or without evidence).
template <typename F> void dentroDeUmaGravacao(benchmark::State& state, BancoTeste& b, const F& executa)
{
    std::unique_ptr<Transacao> tr;
    int n = 0;
    for (auto _ : state) {
        if (n++ % 256 == 0) {
            state.PauseTiming();
            tr.reset();
            tr = std::make_unique<Transacao>(&b.dm(), true);
            state.ResumeTiming();
        }
        try {
            executa();
        } catch (const ErroBanco& e) {
            state.SkipWithError(qPrintable(e.texto()));
            break;
        }
    }
    tr.reset();
}

// A stored weighing to log.
qint64 pesagemGravada(BancoTeste& b)
{
    const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
    const qint64 numero = proximo++;
    PesagemTela p = entrada(numero);
    SalvaPesagem::salvar(b.dm(), p, cfg, false);
    return numero;
}

// The audit entries alone, as after an insert: nothing before, the stored row and products after.
void SoAuditoria(benchmark::State& state)
{
    BancoTeste& b = banco();
    const qint64 numero = pesagemGravada(b);
    dentroDeUmaGravacao(state, b, [&] {
        Auditoria::registraMudancas(b.dm(), QStringLiteral("JOAO"), {numero, QString(), QString()});
    });
}
BENCHMARK(SoAuditoria)->Unit(benchmark::kMicrosecond);

// What the evidence adds to a save: the reading evidence and the audit entries.
void SoEvidenciaEAuditoria(benchmark::State& state)
{
    BancoTeste& b = banco();
    const qint64 numero = pesagemGravada(b);
    const EvidenciaPesagem ev = evidencia();
    dentroDeUmaGravacao(state, b, [&] {
        Evidencia::grava(b.dm(), numero, 1, ev, b.pasta());
        Auditoria::registraMudancas(b.dm(), QStringLiteral("JOAO"), {numero, QString(), QString()});
    });
}
BENCHMARK(SoEvidenciaEAuditoria)->Unit(benchmark::kMicrosecond);

// Last byte of a frame written on the pseudo-terminal -> the weight box
// repainted with the new weight. Arg 1: two cameras running in the window.
class GanchoPintura : public QObject
{
public:
    QString esperado;
    QElapsedTimer relogio;
    qint64 pintadoNs = -1;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !esperado.isEmpty() &&
            static_cast<QLineEdit*>(o)->text() == esperado) {
            pintadoNs = relogio.nsecsElapsed();
            esperado.clear();
        }
        return false;
    }
};

void PesoAteATela(benchmark::State& state)
{
    BancoTeste& b = banco();
    b.exec("update config set cfg_porta=0, cfg_modeloplaca=0, cfg_divisao=0, cfg_casasdecimais=0");
    PtyTeste pty;
    {
        QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM1"), pty.nome());
        if (state.range(0) == 1) {
            ini.setValue(QStringLiteral("cameras/Frente"), camera);
            ini.setValue(QStringLiteral("cameras/Traseira"), camera);
        } else {
            ini.remove(QStringLiteral("cameras"));
        }
    }
    DialogosRoteiro d;
    TFrmPesagem w(1);
    w.show();
    QCoreApplication::processEvents();
    w.BtnNovo->click();
    GanchoPintura gancho;
    w.campoPesoEntrada->installEventFilter(&gancho);
    std::vector<double> ms;
    int i = 0;
    for (auto _ : state) {
        const QString peso = QString::number(12000 + 10 * (++i % 50));
        const QByteArray quadro = QStringLiteral("D0%1\r").arg(peso, 5, u'0').toLatin1();
        gancho.pintadoNs = -1;
        gancho.esperado = peso;
        pty.escreve(quadro);
        gancho.relogio.start(); // the last byte is on the line
        QElapsedTimer limite;
        limite.start();
        while (gancho.pintadoNs < 0 && limite.elapsed() < 2000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        if (gancho.pintadoNs < 0) {
            state.SkipWithError("o peso não chegou à tela em 2 s");
            break;
        }
        ms.push_back(gancho.pintadoNs / 1e6);
        state.SetIterationTime(gancho.pintadoNs / 1e9);
    }
    if (!ms.empty()) {
        std::sort(ms.begin(), ms.end());
        state.counters["p50_ms"] = ms[ms.size() / 2];
        state.counters["p99_ms"] = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
        state.counters["max_ms"] = ms.back();
        state.counters["periodo_ms"] = 50;
    }
    w.close();
}
BENCHMARK(PesoAteATela)->Arg(0)->Arg(1)->Iterations(200)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
