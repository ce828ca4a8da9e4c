// SPDX-License-Identifier: GPL-3.0-or-later
#include "Portaria.h"

#include "ErroBanco.h"
#include "LeituraPeso.h"
#include "Passagens.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(logPortaria)

Portaria::Portaria(TDM& dm, const ConfigPortaria& config, Cameras* cameras, QObject* parent)
    : QObject(parent), m_dm(dm), m_vigia(config), m_registro(dm, m_vigia, cameras), m_modulo(config),
      m_sequencia(m_vigia, m_modulo)
{
    connect(&m_vigia, &VigiaPlataforma::estadoMudou, this, &Portaria::statusMudou);
    connect(&m_vigia, &VigiaPlataforma::pesoMudou, this, &Portaria::statusMudou);
    connect(&m_vigia, &VigiaPlataforma::leituraPerdida, this, &Portaria::statusMudou);
    connect(&m_vigia, &VigiaPlataforma::leituraVoltou, this, &Portaria::statusMudou);
    connect(&m_modulo, &ModuloPortaria::situacaoMudou, this, &Portaria::statusMudou);
    connect(&m_sequencia, &SequenciaPortaria::registrado, this, &Portaria::registrado);
    connect(&m_registro, &RegistroPassagens::falha, this, [this](const QString& m) {
        qCWarning(logPortaria).noquote() << m;
        Q_EMIT registrado(m);
    });
    // a silent indicator and a zero that lasted long enough between frames
    m_verificacao.setInterval(100);
    connect(&m_verificacao, &QTimer::timeout, &m_vigia, &VigiaPlataforma::verifica);
    m_verificacao.start();
}

Portaria::~Portaria()
{
    if (m_daSessao) {
        BalancaSessao& sessao = BalancaSessao::instancia();
        sessao.paraVigia();
        if (sessao.guarda() == this) {
            sessao.setGuarda(nullptr);
        }
    }
}

Portaria* Portaria::daSessao(TDM& dm, QStringList* avisos, QObject* parent)
{
    QStringList erros;
    auto* portaria = new Portaria(dm, ConfigPortaria::doIni(&erros), nullptr, parent);
    portaria->m_daSessao = true;
    BalancaSessao& sessao = BalancaSessao::instancia();
    connect(&sessao, &BalancaSessao::leituraPlataforma, portaria, &Portaria::recebe);
    sessao.setGuarda(portaria);
    try {
        erros << sessao.vigia(dm);
    } catch (const ErroBanco&) {
        delete portaria;
        throw;
    }
    if (avisos) {
        *avisos << erros;
    }
    return portaria;
}

Portaria* Portaria::atual()
{
    return dynamic_cast<Portaria*>(BalancaSessao::instancia().guarda());
}

void Portaria::recebe(const EfeitoLeitura& efeito, bool foraDeFaixa)
{
    if (const auto l = LeituraPlataforma::de(efeito, foraDeFaixa)) {
        m_vigia.recebe(*l);
    }
}

QString Portaria::recusaPesagem()
{
    QString recusa;
    bool checaZero = false;
    try {
        checaZero = Passagens::checaZero(m_dm);
    } catch (const ErroBanco& e) {
        // the save that follows meets the same database and says so
        qCWarning(logPortaria).noquote() << e.texto();
    }
    if (checaZero) {
        recusa = m_vigia.recusaZero();
    }
    if (recusa.isEmpty()) {
        recusa = m_modulo.recusaFotocelula();
    }
    if (!recusa.isEmpty()) {
        const QString linha = QStringLiteral("Pesagem recusada: ") + recusa;
        qCInfo(logPortaria).noquote() << linha;
        Q_EMIT registrado(linha);
    }
    return recusa;
}

void Portaria::pesagemSalva()
{
    m_vigia.pesagemSalva();
    m_sequencia.pesagemSalva();
}

QString Portaria::avisoModulo() const
{
    if (!m_modulo.configurado() || m_modulo.respondendo()) {
        return QString();
    }
    return QStringLiteral("O módulo da portaria não responde: sinais e cancelas ficaram como estavam.");
}

QString Portaria::textoStatus() const
{
    const QString modulo = m_modulo.situacao();
    return modulo.isEmpty() ? m_vigia.textoStatus() : m_vigia.textoStatus() + QStringLiteral(" | ") + modulo;
}
