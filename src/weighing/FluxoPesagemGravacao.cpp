// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing flow's save: the evidence taken when Save is pressed, the
// write, and the cameras' pictures with the ticket that waits for them.
#include "BalancaSessao.h"
#include "Cameras.h"
#include "ErroBanco.h"
#include "FluxoPesagem.h"
#include "PastaDados.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "TCommPortDriver.h"
#include "TDM.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>

QString FluxoPesagem::iniciaGravacao(const PesagemTela& p, const QString& peso, bool automatica,
                                     const QString& pesoCarregado)
{
    desisteGravacao();
    SalvaPesagem::confereArmazenada(m_dm, p);
    const bool novoPeso =
        p.estado == 0 || peso != pesoCarregado || (automatica && !m_leitura.quadro().isEmpty());
    m_pesoNovo = novoPeso && !peso.trimmed().isEmpty();
    if (GuardaPesagem* guarda = BalancaSessao::instancia().guarda(); guarda && m_pesoNovo) {
        if (const QString recusa = guarda->recusaPesagem(); !recusa.isEmpty()) {
            m_pesoNovo = false;
            return recusa;
        }
    }
    m_gravando = true;
    if (m_pesoNovo) {
        EvidenciaPesagem ev;
        ev.peso = peso;
        ev.usuario = SessaoAtual.UsuarioLogado;
        ev.manual = !automatica || m_leitura.quadro().isEmpty();
        if (!ev.manual) {
            ev.quadro = m_leitura.quadro();
            ev.modelo = m_leitura.nomeModelo();
            ev.interface = m_leitura.nomeInterface();
            ev.porta = porta() ? porta()->PortName() : QString();
            ev.estavelMs = m_leitura.estavelHaMs(agora());
        }
        if (m_placaLida) {
            ev.placaLida = m_placaLida;
            ev.placaLida->aceita = p.placa.trimmed().toUpper() == m_placaLida->placa;
        }
        m_evidencia = ev;
    }
    // The moment of the save: the cameras' pictures are taken from here on,
    // while the ticket question is open and the save runs.
    if (m_cameras) {
        m_pedidoFotos = m_cameras->pede();
    }
    return QString();
}

void FluxoPesagem::desisteGravacao()
{
    if (m_cameras && m_pedidoFotos) {
        m_cameras->esquece(m_pedidoFotos);
    }
    m_pedidoFotos = 0;
    m_evidencia.reset();
    m_gravando = false;
    m_pesoNovo = false;
}

qint64 FluxoPesagem::grava(PesagemTela& p, bool ticket, const std::function<void(const QString&)>& rastreio)
{
    if (m_evidencia && m_cameras && m_pedidoFotos) {
        m_evidencia->fotos = m_cameras->fotos(m_pedidoFotos); // what has come so far
    }
    qint64 numero = 0;
    try {
        numero =
            SalvaPesagem::salvar(m_dm, p, m_cfg, ticket, rastreio, m_evidencia ? &*m_evidencia : nullptr);
    } catch (const ErroBanco&) {
        desisteGravacao(); // rolled back: nothing of it stays
        throw;
    }
    // Pictures that have not come yet complete the evidence when they do; nothing waits.
    m_fotosDaGravacao = fotosAposGravar(numero, m_modo);
    m_evidencia.reset();
    m_gravando = false;
    // Committed: the gate opens the exit and waits for the deck's zero again.
    m_avisoGravacao.clear();
    if (GuardaPesagem* guarda = BalancaSessao::instancia().guarda();
        guarda && std::exchange(m_pesoNovo, false)) {
        guarda->pesagemSalva();
        m_avisoGravacao = guarda->avisoPesagem();
    }
    return numero;
}

namespace
{

// Runs `f` once the data module is outside a transaction: a save that keeps
// the window responsive while it waits for the database lets this run meanwhile.
void foraDeTransacao(TDM* dm, const std::function<void()>& f)
{
    if (!dm->InTransaction()) {
        f();
        return;
    }
    QTimer::singleShot(50, QCoreApplication::instance(), [dm, f] { foraDeTransacao(dm, f); });
}

} // namespace

int FluxoPesagem::fotosAposGravar(qint64 numero, int lado)
{
    const int pedido = std::exchange(m_pedidoFotos, 0);
    if (!m_cameras || !pedido) {
        return 0;
    }
    // What the stored row says, not what has come since: a picture that came
    // while the save ran is still to be written.
    const bool faltam = m_evidencia && std::any_of(m_evidencia->fotos.cbegin(), m_evidencia->fotos.cend(),
                                                   [](const FotoCamera& f) { return f.pendente; });
    if (!faltam) {
        m_cameras->esquece(pedido); // stored with the save, or nothing to store
        return 0;
    }
    // An earlier save of this side still waiting for its pictures: its row was replaced.
    const QPair<qint64, int> chave(numero, lado);
    if (const int anterior = m_fotosPendentes.take(chave)) {
        m_cameras->esquece(anterior);
    }
    m_fotosPendentes.insert(chave, pedido);
    // Stored even when the flow has ended meanwhile (the cameras outlive it).
    const QPointer<FluxoPesagem> fluxo(this);
    TDM* dm = &m_dm;
    const QString pasta = PastaDados::caminho();
    m_cameras->aoConcluir(pedido, [=](const QList<FotoCamera>& fotos) {
        foraDeTransacao(dm, [=] {
            try {
                Evidencia::completaFotos(*dm, numero, lado, fotos, pasta);
            } catch (const ErroBanco& e) {
                qWarning("fotos da pesagem %lld não gravadas: %s", numero, qPrintable(e.texto()));
                if (fluxo) {
                    Q_EMIT fluxo->falhaBanco(e.texto());
                }
            }
            if (fluxo) {
                fluxo->fotosConcluidas(numero, lado, pedido);
            }
        });
    });
    return fotosPendentes(pedido) ? pedido : 0; // (they may have come already)
}

bool FluxoPesagem::fotosPendentes(int pedido) const
{
    return pedido &&
           std::find(m_fotosPendentes.cbegin(), m_fotosPendentes.cend(), pedido) != m_fotosPendentes.cend();
}

void FluxoPesagem::fotosConcluidas(qint64 numero, int lado, int pedido)
{
    const QPair<qint64, int> chave(numero, lado);
    if (m_fotosPendentes.value(chave) == pedido) {
        m_fotosPendentes.remove(chave);
    }
    Q_EMIT fotosGravadas(numero, lado);
    if (m_ticketAguardando && m_ticketAguardando->pedidoFotos == pedido) {
        imprimeTicketAguardando();
    }
}

void FluxoPesagem::imprimeTicketDaGravacao(qint64 numero, int copias)
{
    if (!imprimeTicket) {
        return;
    }
    imprimeTicketAguardando(); // an earlier one goes first
    const int pedido = std::exchange(m_fotosDaGravacao, 0);
    m_ticketAguardando = TicketAguardando{numero, m_modo, copias, pedido};
    // (the pictures may have come while the success message was open)
    if (!fotosPendentes(pedido)) {
        imprimeTicketAguardando();
    }
}

void FluxoPesagem::imprimeTicketAguardando()
{
    if (const auto t = std::exchange(m_ticketAguardando, std::nullopt); t && imprimeTicket) {
        imprimeTicket(t->numero, t->modo, t->copias);
    }
}
