// SPDX-License-Identifier: GPL-3.0-or-later
#include "SequenciaPortaria.h"

#include "Relogio.h"
#include "VigiaPlataforma.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(logPortaria)

SequenciaPortaria::SequenciaPortaria(VigiaPlataforma& vigia, ModuloPortaria& modulo, QObject* parent)
    : QObject(parent), m_vigia(vigia), m_modulo(modulo)
{
    connect(&vigia, &VigiaPlataforma::estadoMudou, this, &SequenciaPortaria::acompanha);
    connect(&vigia, &VigiaPlataforma::zeroConfirmado, this, &SequenciaPortaria::acompanha);
    connect(&vigia, &VigiaPlataforma::leituraPerdida, this, &SequenciaPortaria::acompanha);
    connect(&vigia, &VigiaPlataforma::leituraVoltou, this, &SequenciaPortaria::acompanha);
    acompanha();
}

void SequenciaPortaria::sinal(SaidaPortaria verde, SaidaPortaria vermelho, bool verdeAceso)
{
    if (m_modulo.ligada(verde) == verdeAceso && m_modulo.ligada(vermelho) == !verdeAceso) {
        return;
    }
    m_modulo.define(verdeAceso ? verde : vermelho, true);
    m_modulo.define(verdeAceso ? vermelho : verde, false);
}

void SequenciaPortaria::acompanha()
{
    const bool vazia = m_vigia.estado() == EstadoPlataforma::Vazia && !m_vigia.semLeitura();
    if (vazia) {
        m_saidaLiberada = false;
    }
    sinal(SaidaPortaria::SinalEntradaVerde, SaidaPortaria::SinalEntradaVermelho, vazia && m_vigia.zerada());
    sinal(SaidaPortaria::SinalSaidaVerde, SaidaPortaria::SinalSaidaVermelho, m_saidaLiberada);
}

void SequenciaPortaria::pesagemSalva()
{
    m_saidaLiberada = true;
    acompanha();
    m_modulo.pulso(SaidaPortaria::CancelaSaida, m_modulo.pulsoMs());
}

void SequenciaPortaria::forca(SaidaPortaria saida, bool ligada, const QString& usuario)
{
    m_modulo.define(saida, ligada);
    const QString linha = QStringLiteral("%1 %2 %3 manualmente por %4")
                              .arg(Relogio::agora().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")),
                                   ModuloPortaria::nomeSaida(saida),
                                   ligada ? QStringLiteral("ligado") : QStringLiteral("desligado"), usuario);
    qCInfo(logPortaria).noquote() << linha;
    Q_EMIT registrado(linha);
}
