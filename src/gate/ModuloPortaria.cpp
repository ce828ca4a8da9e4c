// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModuloPortaria.h"

#include "EnlaceModbus.h"

#include <QThread>
#include <QTimer>

ModuloPortaria::ModuloPortaria(const ConfigPortaria& config, QObject* parent)
    : QObject(parent), m_config(config)
{
    if (!configurado()) {
        return;
    }
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("modulo-portaria"));
    m_enlace = new EnlaceModbus(m_config);
    m_enlace->moveToThread(m_thread);
    connect(m_thread, &QThread::started, m_enlace, &EnlaceModbus::inicia);
    connect(m_thread, &QThread::finished, m_enlace, &QObject::deleteLater);
    connect(this, &ModuloPortaria::escreveBobina, m_enlace, &EnlaceModbus::escreve);
    connect(m_enlace, &EnlaceModbus::situacao, this, &ModuloPortaria::recebeSituacao);
    connect(m_enlace, &EnlaceModbus::entradas, this, &ModuloPortaria::recebeEntradas);
    m_thread->start();
}

ModuloPortaria::~ModuloPortaria()
{
    if (!m_thread) {
        return;
    }
    QMetaObject::invokeMethod(m_enlace, &EnlaceModbus::encerra, Qt::QueuedConnection);
    m_thread->quit();
    // the exchange under way ends within its wait; the connection attempt too
    m_thread->wait();
}

int ModuloPortaria::bobina(SaidaPortaria saida) const
{
    switch (saida) {
    case SaidaPortaria::SinalEntradaVermelho:
        return m_config.sinalEntradaVermelho;
    case SaidaPortaria::SinalEntradaVerde:
        return m_config.sinalEntradaVerde;
    case SaidaPortaria::SinalSaidaVermelho:
        return m_config.sinalSaidaVermelho;
    case SaidaPortaria::SinalSaidaVerde:
        return m_config.sinalSaidaVerde;
    case SaidaPortaria::CancelaEntrada:
        return m_config.cancelaEntrada;
    case SaidaPortaria::CancelaSaida:
        return m_config.cancelaSaida;
    }
    return -1;
}

QString ModuloPortaria::nomeSaida(SaidaPortaria saida)
{
    switch (saida) {
    case SaidaPortaria::SinalEntradaVermelho:
        return QStringLiteral("Sinal da entrada vermelho");
    case SaidaPortaria::SinalEntradaVerde:
        return QStringLiteral("Sinal da entrada verde");
    case SaidaPortaria::SinalSaidaVermelho:
        return QStringLiteral("Sinal da saída vermelho");
    case SaidaPortaria::SinalSaidaVerde:
        return QStringLiteral("Sinal da saída verde");
    case SaidaPortaria::CancelaEntrada:
        return QStringLiteral("Cancela da entrada");
    case SaidaPortaria::CancelaSaida:
        return QStringLiteral("Cancela da saída");
    }
    return QString();
}

void ModuloPortaria::define(SaidaPortaria saida, bool ligada)
{
    const int b = bobina(saida);
    if (b < 0 || !m_enlace) {
        return;
    }
    if (QTimer* t = m_pulsos.take(b)) {
        t->deleteLater(); // a definite order replaces a pulse under way
    }
    m_desejadas.insert(b, ligada);
    Q_EMIT escreveBobina(b, ligada);
}

void ModuloPortaria::pulso(SaidaPortaria saida, int ms)
{
    const int b = bobina(saida);
    if (b < 0 || !m_enlace) {
        return;
    }
    define(saida, true);
    auto* t = new QTimer(this);
    t->setSingleShot(true);
    connect(t, &QTimer::timeout, this, [this, saida, b, t] {
        if (m_pulsos.value(b) == t) {
            define(saida, false);
        }
    });
    m_pulsos.insert(b, t);
    t->start(ms);
}

QString ModuloPortaria::situacao() const
{
    if (!configurado()) {
        return QString();
    }
    if (m_respondendo) {
        return QStringLiteral("Portaria: módulo %1 respondendo").arg(m_config.modulo);
    }
    if (m_falha.isEmpty()) {
        return QStringLiteral("Portaria: conectando ao módulo %1").arg(m_config.modulo);
    }
    return QStringLiteral("Portaria: módulo %1 não responde (%2); sinais e cancelas como estavam")
        .arg(m_config.modulo, m_falha);
}

QString ModuloPortaria::recusaFotocelula() const
{
    if (!m_respondendo) {
        return QString();
    }
    const bool entrada = m_fotocelulaEntrada;
    const bool saida = m_fotocelulaSaida;
    if (!entrada && !saida) {
        return QString();
    }
    const QString onde = entrada && saida ? QStringLiteral("da entrada e da saída")
                         : entrada        ? QStringLiteral("da entrada")
                                          : QStringLiteral("da saída");
    return QStringLiteral(
               "O veículo não está inteiro sobre a balança (fotocélula %1 interrompida). Posicione o "
               "veículo e pese novamente.")
        .arg(onde);
}

void ModuloPortaria::recebeSituacao(bool respondendo, const QString& falha)
{
    m_respondendo = respondendo;
    m_falha = falha;
    if (!respondendo) {
        // unknown while the module does not answer
        m_fotocelulaEntrada = m_fotocelulaSaida = m_lacoEntrada = false;
    }
    Q_EMIT situacaoMudou();
}

void ModuloPortaria::recebeEntradas(bool fotocelulaEntrada, bool fotocelulaSaida, bool lacoEntrada)
{
    if (fotocelulaEntrada == m_fotocelulaEntrada && fotocelulaSaida == m_fotocelulaSaida &&
        lacoEntrada == m_lacoEntrada) {
        return;
    }
    m_fotocelulaEntrada = fotocelulaEntrada;
    m_fotocelulaSaida = fotocelulaSaida;
    m_lacoEntrada = lacoEntrada;
    Q_EMIT entradasMudaram();
}
