// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegistroPassagens.h"

#include "Cameras.h"
#include "ErroBanco.h"
#include "Passagens.h"

#include <QPointer>

RegistroPassagens::RegistroPassagens(TDM& dm, VigiaPlataforma& vigia, Cameras* cameras, QObject* parent)
    : QObject(parent), m_dm(dm), m_cameras(cameras && !cameras->vazio() ? cameras : nullptr)
{
    connect(&vigia, &VigiaPlataforma::passagemIniciada, this, &RegistroPassagens::iniciou);
    connect(&vigia, &VigiaPlataforma::novoPesoMaximo, this, &RegistroPassagens::novoMaximo);
    connect(&vigia, &VigiaPlataforma::passagemConcluida, this, &RegistroPassagens::concluiu);
}

RegistroPassagens::~RegistroPassagens()
{
    esqueceFotos();
}

int RegistroPassagens::aoIniciar(TDM& dm)
{
    return Passagens::marcaInterrompidas(dm);
}

void RegistroPassagens::usaCameras(Cameras* cameras)
{
    esqueceFotos();
    m_cameras = cameras && !cameras->vazio() ? cameras : nullptr;
}

void RegistroPassagens::esqueceFotos()
{
    if (m_cameras && m_pedidoFotos) {
        m_cameras->esquece(m_pedidoFotos);
    }
    m_pedidoFotos = 0;
}

bool RegistroPassagens::garanteLinha(const Passagem& p)
{
    if (m_codigo) {
        return true;
    }
    try {
        m_codigo = Passagens::abre(m_dm, p);
    } catch (const ErroBanco& e) {
        Q_EMIT falha(QStringLiteral("Passagem não registrada: %1").arg(e.texto()));
        return false;
    }
    return true;
}

void RegistroPassagens::iniciou(const Passagem& p)
{
    m_codigo = 0;
    esqueceFotos();
    garanteLinha(p);
}

void RegistroPassagens::novoMaximo(const Passagem& p)
{
    if (m_cameras) {
        // the pictures of the highest weight so far replace the earlier ones
        esqueceFotos();
        m_pedidoFotos = m_cameras->pede();
    }
    if (!garanteLinha(p)) {
        return;
    }
    try {
        Passagens::atualiza(m_dm, m_codigo, p);
    } catch (const ErroBanco& e) {
        Q_EMIT falha(QStringLiteral("Passagem %1 não atualizada: %2").arg(m_codigo).arg(e.texto()));
    }
}

void RegistroPassagens::concluiu(const Passagem& p)
{
    if (!garanteLinha(p)) {
        esqueceFotos();
        return;
    }
    const qint64 codigo = m_codigo;
    m_codigo = 0;
    // The pictures may come after this object is gone (VIGA closing): the
    // passage is still stored, only nobody is told.
    auto grava = [eu = QPointer<RegistroPassagens>(this), dm = &m_dm, codigo,
                  p](const QList<FotoCamera>& fotos) {
        try {
            Passagens::conclui(*dm, codigo, p, fotos);
            if (eu && !p.pesada) {
                Q_EMIT eu->gravada(codigo);
            }
        } catch (const ErroBanco& e) {
            if (eu) {
                Q_EMIT eu->falha(QStringLiteral("Passagem %1 não concluída: %2").arg(codigo).arg(e.texto()));
            }
        }
    };
    if (p.pesada || !m_cameras || !m_pedidoFotos) {
        esqueceFotos();
        grava({});
        return;
    }
    const int pedido = m_pedidoFotos;
    m_pedidoFotos = 0;
    // the pictures come within the cameras' wait; the next passage may begin meanwhile
    m_cameras->aoConcluir(pedido, grava);
}
