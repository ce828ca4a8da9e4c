// SPDX-License-Identifier: GPL-3.0-or-later
#include "EnlaceModbus.h"

#include <QLoggingCategory>
#include <QTimer>
#include <cerrno>
#include <modbus/modbus.h>

Q_LOGGING_CATEGORY(logPortaria, "viga.portaria")

namespace
{

// The wait before the next attempt after `tentativas` failures in a row.
int esperaReconexaoMs(int tentativas)
{
    static const int esperas[] = {1000, 2000, 5000, 10000};
    return esperas[qBound(0, tentativas - 1, 3)];
}

} // namespace

EnlaceModbus::EnlaceModbus(const ConfigPortaria& config) : m_config(config) {}

EnlaceModbus::~EnlaceModbus()
{
    fecha();
}

void EnlaceModbus::inicia()
{
    m_ciclo = new QTimer(this);
    m_ciclo->setInterval(200);
    connect(m_ciclo, &QTimer::timeout, this, &EnlaceModbus::ciclo);
    m_ciclo->start();
    ciclo();
}

void EnlaceModbus::encerra()
{
    if (m_ciclo) {
        m_ciclo->stop();
    }
    fecha();
}

void EnlaceModbus::fecha()
{
    if (m_ctx) {
        modbus_close(m_ctx);
        modbus_free(m_ctx);
        m_ctx = nullptr;
    }
    m_escritas.clear();
}

void EnlaceModbus::falhou(const QString& oque)
{
    const QString texto = oque + QStringLiteral(": ") + QString::fromLocal8Bit(modbus_strerror(errno));
    qCWarning(logPortaria) << "módulo" << m_config.modulo << texto;
    fecha();
    ++m_tentativas;
    m_desdeFalha.start();
    if (m_respondendo || !m_disseSituacao) {
        m_respondendo = false;
        m_disseSituacao = true;
        Q_EMIT situacao(false, texto);
    }
}

bool EnlaceModbus::conecta()
{
    if (m_ctx) {
        return true;
    }
    if (m_tentativas > 0 && m_desdeFalha.isValid() &&
        m_desdeFalha.elapsed() < esperaReconexaoMs(m_tentativas)) {
        return false;
    }
    if (m_config.modulo.startsWith(u'/')) {
        const QString q = m_config.quadroSerial;
        m_ctx = modbus_new_rtu(m_config.modulo.toLocal8Bit().constData(), m_config.baud, q[1].toLatin1(),
                               q[0].digitValue(), q[2].digitValue());
    } else {
        const qsizetype doisPontos = m_config.modulo.lastIndexOf(u':');
        m_ctx = modbus_new_tcp_pi(m_config.modulo.left(doisPontos).toLocal8Bit().constData(),
                                  m_config.modulo.mid(doisPontos + 1).toLocal8Bit().constData());
    }
    if (!m_ctx) {
        falhou(QStringLiteral("configuração do módulo recusada"));
        return false;
    }
    const int espera = m_config.esperaMs;
    modbus_set_response_timeout(m_ctx, uint32_t(espera / 1000), uint32_t((espera % 1000) * 1000));
    modbus_set_slave(m_ctx, m_config.escravo);
    if (modbus_connect(m_ctx) != 0) {
        falhou(QStringLiteral("sem conexão"));
        return false;
    }
    return true;
}

void EnlaceModbus::escreve(int bobina, bool ligada)
{
    m_desejadas.removeIf([bobina](const QPair<int, bool>& d) { return d.first == bobina; });
    m_desejadas.append({bobina, ligada});
    ciclo();
}

bool EnlaceModbus::leEntrada(int endereco, bool* valor)
{
    if (endereco < 0) {
        *valor = false;
        return true;
    }
    uint8_t bit = 0;
    if (modbus_read_input_bits(m_ctx, endereco, 1, &bit) != 1) {
        falhou(QStringLiteral("leitura da entrada %1").arg(endereco));
        return false;
    }
    *valor = bit != 0;
    return true;
}

void EnlaceModbus::ciclo()
{
    if (!conecta()) {
        return;
    }
    // every coil that differs from what the module holds (all of them after a reconnection)
    for (const auto& [bobina, ligada] : m_desejadas) {
        const auto escrita = m_escritas.constFind(bobina);
        if (escrita != m_escritas.cend() && *escrita == ligada) {
            continue;
        }
        if (modbus_write_bit(m_ctx, bobina, ligada ? 1 : 0) != 1) {
            falhou(QStringLiteral("escrita da bobina %1").arg(bobina));
            return;
        }
        m_escritas.insert(bobina, ligada);
    }
    if (m_config.fotocelulaEntrada < 0 && m_config.fotocelulaSaida < 0 && m_config.lacoEntrada < 0) {
        // no sensor to read: reading a coil back tells that the module still answers
        const int bobina = m_desejadas.isEmpty() ? 0 : m_desejadas.first().first;
        uint8_t bit = 0;
        if (modbus_read_bits(m_ctx, bobina, 1, &bit) != 1) {
            falhou(QStringLiteral("leitura da bobina %1").arg(bobina));
            return;
        }
    }
    bool entrada = false, saida = false, laco = false;
    if (!leEntrada(m_config.fotocelulaEntrada, &entrada) || !leEntrada(m_config.fotocelulaSaida, &saida) ||
        !leEntrada(m_config.lacoEntrada, &laco)) {
        return;
    }
    m_tentativas = 0;
    if (!m_respondendo) {
        m_respondendo = true;
        m_disseSituacao = true;
        Q_EMIT situacao(true, QString());
    }
    Q_EMIT entradas(entrada, saida, laco);
}
