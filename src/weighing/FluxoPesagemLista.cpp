// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing flow's exit list: opened, polled for what other workstations
// saved, and read again when the connection comes back.
#include "ConsultaPesagem.h"
#include "ErroBanco.h"
#include "FluxoPesagem.h"
#include "TDM.h"

#include <QTimer>

void FluxoPesagem::abreLista(TQuery& q, bool todas)
{
    m_lista = &q;
    // read before the list: a change in between shows at the next poll
    m_assinaturaLista = ConsultaPesagem::assinaturaLista(m_dm);
    ConsultaPesagem::abreLista(q, m_cfg.grade == 1, todas);
}

void FluxoPesagem::vigiaLista(bool vigiar)
{
    m_vigiaLista = vigiar && m_modo == 2;
    if (m_vigiaLista) {
        m_timerLista->start();
    } else {
        m_timerLista->stop();
    }
}

// Polled: when the open weighings changed (another workstation saved an
// entry, an exit or a delete), the idle window's list is read again. A cheap
// indexed count, not the list itself. A poll that finds the connection gone
// has it tried again by the data module, and says nothing itself.
void FluxoPesagem::confereLista()
{
    if (!m_vigiaLista || m_editando || m_gravando || m_dm.InTransaction()) {
        return;
    }
    if (!m_dm.Conectado()) {
        m_dm.conexaoPerdida();
        return;
    }
    QString assinatura;
    try {
        assinatura = ConsultaPesagem::assinaturaLista(m_dm);
    } catch (const ErroBanco& e) {
        qInfo("lista de pesagens não conferida: %s", qPrintable(e.texto()));
        return;
    }
    // (a list closed with a lost connection is read again too)
    if (assinatura == m_assinaturaLista && m_lista && m_lista->Active()) {
        return;
    }
    Q_EMIT listaMudou();
}
