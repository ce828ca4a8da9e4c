// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing flow's reading: the settings, the port of the side being
// weighed, every chunk it delivers, the silence of the indicator and the
// stability wait.
#include "FluxoPesagem.h"

#include "BalancaSessao.h"
#include "Cameras.h"
#include "ConfiguraBalanca.h"
#include "ConsultaPesagem.h"
#include "LeituraPlacaAssincrona.h"
#include "PastaDados.h"
#include "TDM.h"

#include <QTimer>

FluxoPesagem::FluxoPesagem(TDM& dm, int modo, Cronometro& relogio, QObject* parent)
    : QObject(parent), m_dm(dm), m_modo(modo), m_relogio(relogio)
{
    m_silencio = m_relogio.espera([this] { silencio(); });
    m_esperaEstavel = m_relogio.espera([this] { fimEsperaEstavel(); });
    // The exit list follows the other workstations: polled rather than told
    // (LISTEN/NOTIFY), because a poll works on both engines, needs nothing
    // from workstations of older versions, and survives a reconnect.
    m_timerLista = new QTimer(this);
    m_timerLista->setObjectName(QStringLiteral("timerLista"));
    m_timerLista->setInterval(5000);
    connect(m_timerLista, &QTimer::timeout, this, [this] { confereLista(); });
    // The connection opened again: what the list shows is read anew.
    connect(&m_dm, &TDM::conexaoRestabelecida, this, [this] {
        if (m_vigiaLista && !m_editando && !m_gravando) {
            Q_EMIT listaMudou();
        }
    });
}

FluxoPesagem::~FluxoPesagem()
{
    imprimeTicketAguardando();
    BalancaSessao& sessao = BalancaSessao::instancia();
    sessao.fecha(this);
    if (m_cameras && sessao.guarda()) {
        sessao.guarda()->usaCameras(nullptr);
    }
    if (m_cameras && m_pedidoPlaca) {
        m_cameras->esquece(m_pedidoPlaca);
    }
    // pictures still expected are stored after the flow is gone
    Cameras::encerraQuandoLivre(std::move(m_cameras));
}

QStringList FluxoPesagem::configura(const ConfigPesagem& cfg)
{
    QStringList avisos;
    m_cfg = cfg;
    m_leitura.configura(cfg);
    QString erro;
    m_silencioMs = LeituraPeso::tempoSilencioMs(&erro);
    if (!erro.isEmpty()) {
        avisos << erro;
    }
    erro.clear();
    m_leitura.setEstavelMs(BalancaSessao::estavelMsIni(&erro));
    if (!erro.isEmpty()) {
        avisos << erro;
    }

    QString erroCameras;
    const QList<Cameras::Camera> cameras = Cameras::doIni(PastaDados::ini(), &erroCameras);
    if (!erroCameras.isEmpty()) {
        avisos << erroCameras;
    }
    if (!cameras.isEmpty()) {
        m_cameras = std::make_unique<Cameras>(cameras);
        // a passage over the deck while this window is open gets their pictures
        if (GuardaPesagem* guarda = BalancaSessao::instancia().guarda()) {
            guarda->usaCameras(m_cameras.get());
        }
    }
    return avisos;
}

void FluxoPesagem::setEditando(bool editando)
{
    m_editando = editando;
    if (!editando) {
        m_esperaEstavel->para();
    }
}

std::optional<QPair<QString, QString>> FluxoPesagem::abreLeitura(int balanca)
{
    const std::optional<TConfigPorta> config = ConsultaPesagem::configPorta(m_dm);
    if (!config) {
        return QPair<QString, QString>(QStringLiteral("Configuração não definida."), QStringLiteral("Erro"));
    }
    if (porta()) {
        return std::nullopt; // (the port read stays as it is, as an open port does)
    }
    const TResultadoConfigPorta r = BalancaSessao::instancia().abre(
        config, m_modo, balanca, this, [this](const char* d, int n) { recebe(d, n); });
    if (!r.ok) {
        if (r.mensagem == QLatin1String("Erro ao conectar a balança")) {
            Q_EMIT lampada(TLampada::Vermelha);
        }
        return QPair<QString, QString>(r.mensagem, r.titulo);
    }
    m_leitura.setModelo(r.modelo);
    return std::nullopt;
}

TCommPortDriver* FluxoPesagem::porta() const
{
    return BalancaSessao::instancia().porta(this);
}

void FluxoPesagem::fechaLeitura()
{
    BalancaSessao::instancia().fecha(this);
    m_silencio->para();
    const bool estavaParada = m_leitura.leituraParada();
    m_leitura.portaFechada();
    if (estavaParada) {
        Q_EMIT leituraParada(false);
    }
}

// CommPortDriver1ReceiveData: every chunk of the poll.
void FluxoPesagem::recebe(const char* dados, int quantidade)
{
    if (!m_editando) {
        return;
    }
    const EfeitoLeitura e = m_leitura.recebe(dados, quantidade, agora());
    if (!e.aceito) {
        return;
    }
    if (e.fecharPorta) {
        fechaLeitura();
        Q_EMIT erroLeitura(e.erroTitulo, e.erroTexto);
        Q_EMIT leituraMudou();
        return;
    }
    if (e.peso) {
        Q_EMIT pesoLido(*e.peso);
        if (m_leitura.vigiaSilencio()) {
            m_silencio->inicia(m_silencioMs); // a valid frame: the silence is counted from here
        }
    }
    if (e.lampada) {
        Q_EMIT lampada(*e.lampada);
    }
    esperaEstavel(e);
    Q_EMIT leituraMudou();
    if (e.salvarSeHabilitado && !m_gravando) {
        Q_EMIT salvarPedido(); // on demand: the reading saves the weighing at once
    }
}

// No valid frame for the silence time: the weight shown is stale.
void FluxoPesagem::silencio()
{
    if (!porta() || !m_leitura.vigiaSilencio()) {
        return;
    }
    m_leitura.setLeituraParada(true);
    Q_EMIT lampada(TLampada::Amarela);
    Q_EMIT leituraParada(true);
    Q_EMIT leituraMudou();
}

void FluxoPesagem::esperaEstavel(const EfeitoLeitura& e)
{
    if (e.esperaMs > 0) {
        m_esperaEstavel->inicia(e.esperaMs);
        Q_EMIT aguardandoEstavel(m_leitura.estavelMs());
    } else if (e.lampada) {
        m_esperaEstavel->para();
        Q_EMIT aguardandoEstavel(0);
    }
}

// The wait asked for by the stability rule is over.
void FluxoPesagem::fimEsperaEstavel()
{
    if (!m_editando || m_gravando) {
        return;
    }
    const EfeitoLeitura e = m_leitura.reavalia(agora());
    if (!e.aceito) {
        return;
    }
    if (e.lampada) {
        Q_EMIT lampada(*e.lampada);
    }
    if (e.esperaMs > 0) {
        m_esperaEstavel->inicia(e.esperaMs);
    }
    Q_EMIT leituraMudou();
    if (e.salvarSeHabilitado) {
        Q_EMIT salvarPedido();
    }
}
