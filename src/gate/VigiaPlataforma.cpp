// SPDX-License-Identifier: GPL-3.0-or-later
#include "VigiaPlataforma.h"

#include "LeituraPeso.h"
#include "Relogio.h"

namespace
{

qint64 agoraMs()
{
    return Relogio::agora().toMSecsSinceEpoch();
}

QString quilos(Decimal peso)
{
    return peso.toShortString() + QStringLiteral(" kg");
}

} // namespace

std::optional<LeituraPlataforma> LeituraPlataforma::de(const EfeitoLeitura& efeito, bool foraDeFaixa)
{
    if (!efeito.peso) {
        return std::nullopt;
    }
    LeituraPlataforma l;
    l.foraDeFaixa = foraDeFaixa;
    if (!foraDeFaixa) {
        const auto peso = Decimal::parse(*efeito.peso);
        if (!peso) {
            return std::nullopt;
        }
        l.peso = *peso;
        l.estavel = efeito.lampada == TLampada::Verde;
    }
    return l;
}

VigiaPlataforma::VigiaPlataforma(const ConfigPortaria& config, QObject* parent)
    : QObject(parent), m_config(config)
{
}

QString VigiaPlataforma::nomeEstado(EstadoPlataforma estado)
{
    switch (estado) {
    case EstadoPlataforma::Vazia:
        return QStringLiteral("Plataforma vazia");
    case EstadoPlataforma::Chegando:
        return QStringLiteral("Veículo entrando");
    case EstadoPlataforma::Estavel:
        return QStringLiteral("Veículo na plataforma");
    case EstadoPlataforma::Saindo:
        return QStringLiteral("Veículo saindo");
    }
    return QString();
}

QString VigiaPlataforma::textoStatus() const
{
    if (m_semLeitura || !m_peso) {
        return QStringLiteral("Balança sem leitura");
    }
    return nomeEstado(m_estado) + QStringLiteral(": ") + quilos(*m_peso);
}

QString VigiaPlataforma::recusaZero() const
{
    if (m_zerada) {
        return QString();
    }
    return QStringLiteral("A balança não voltou a zero desde a última pesagem (última leitura vazia: %1). "
                          "Verifique a plataforma.")
        .arg(m_ultimaVazia ? quilos(*m_ultimaVazia) : QStringLiteral("nenhuma"));
}

void VigiaPlataforma::mudaEstado(EstadoPlataforma novo)
{
    if (novo == m_estado) {
        return;
    }
    m_estado = novo;
    Q_EMIT estadoMudou(novo);
}

void VigiaPlataforma::recebe(const LeituraPlataforma& leitura)
{
    const qint64 agora = agoraMs();
    m_ultimaLeituraMs = agora;
    if (m_semLeitura) {
        m_semLeitura = false;
        Q_EMIT leituraVoltou();
    }
    if (leitura.foraDeFaixa) {
        // No weight to follow: the state stays, a zero being timed starts over.
        m_zeroDesdeMs = -1;
        return;
    }
    const bool mudouPeso = m_peso != leitura.peso;
    m_peso = leitura.peso;

    if (m_estado == EstadoPlataforma::Vazia && leitura.peso >= m_config.ocupada) {
        m_passagem = Passagem();
        m_passagem.inicio = Relogio::agora();
        m_passagem.pesoMaximo = leitura.peso;
        m_pesoParada = Decimal();
        mudaEstado(EstadoPlataforma::Chegando);
        Q_EMIT passagemIniciada(m_passagem);
    }
    if (m_estado != EstadoPlataforma::Vazia) {
        if (leitura.peso < m_config.livre) {
            m_passagem.fim = Relogio::agora();
            const Passagem concluida = m_passagem;
            mudaEstado(EstadoPlataforma::Vazia);
            Q_EMIT passagemConcluida(concluida);
        } else {
            if (leitura.peso > m_passagem.pesoMaximo) {
                m_passagem.pesoMaximo = leitura.peso;
            }
            if (leitura.estavel) {
                m_pesoParada = leitura.peso;
                mudaEstado(EstadoPlataforma::Estavel);
                if (!m_passagem.pesoEstavel || leitura.peso > *m_passagem.pesoEstavel) {
                    m_passagem.pesoEstavel = leitura.peso;
                    Q_EMIT novoPesoMaximo(m_passagem);
                }
            } else if (m_estado == EstadoPlataforma::Estavel) {
                // Moving again: heavier than at the stop, it is still driving on.
                mudaEstado(leitura.peso >= m_pesoParada ? EstadoPlataforma::Chegando
                                                        : EstadoPlataforma::Saindo);
            }
        }
    }
    acompanhaZero(leitura, agora);
    if (mudouPeso) {
        Q_EMIT pesoMudou();
    }
}

void VigiaPlataforma::acompanhaZero(const LeituraPlataforma& leitura, qint64 agora)
{
    if (m_estado != EstadoPlataforma::Vazia || !leitura.estavel) {
        m_zeroDesdeMs = -1;
        return;
    }
    m_ultimaVazia = leitura.peso;
    if (leitura.peso.abs() > m_config.zero) {
        m_zeroDesdeMs = -1;
        return;
    }
    if (m_zeroDesdeMs < 0) {
        m_zeroDesdeMs = agora;
    }
    confirmaZeroSeCumpriu(agora);
}

void VigiaPlataforma::confirmaZeroSeCumpriu(qint64 agora)
{
    if (m_zerada || m_zeroDesdeMs < 0 || agora - m_zeroDesdeMs < m_config.zeroMs) {
        return;
    }
    m_zerada = true;
    Q_EMIT zeroConfirmado();
}

void VigiaPlataforma::verifica()
{
    if (m_ultimaLeituraMs < 0 || m_semLeitura) {
        return;
    }
    const qint64 agora = agoraMs();
    if (agora - m_ultimaLeituraMs >= m_config.silencioMs) {
        // A silent indicator proves nothing about the deck: the zero being
        // timed starts over, and a passage under way stays open.
        m_semLeitura = true;
        m_zeroDesdeMs = -1;
        Q_EMIT leituraPerdida();
        return;
    }
    confirmaZeroSeCumpriu(agora);
}

void VigiaPlataforma::pesagemSalva()
{
    m_zerada = false;
    m_zeroDesdeMs = -1;
    m_ultimaVazia.reset();
    if (m_estado != EstadoPlataforma::Vazia) {
        m_passagem.pesada = true;
    }
}
