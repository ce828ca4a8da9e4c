// SPDX-License-Identifier: GPL-3.0-or-later
#include "BalancaSessao.h"

#include "ArquivoIni.h"
#include "ConsultaPesagem.h"
#include "Pesagem.h"
#include "TCommPortDriver.h"
#include "TDM.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>

struct BalancaSessao::Porta {
    std::unique_ptr<TCommPortDriver> driver;
    struct Leitor {
        QMetaObject::Connection dados;
        QMetaObject::Connection fim;
    };
    QHash<const QObject*, Leitor> leitores;
};

BalancaSessao& BalancaSessao::instancia()
{
    static QPointer<BalancaSessao> sessao;
    if (!sessao) {
        sessao = new BalancaSessao(QCoreApplication::instance());
    }
    return *sessao;
}

BalancaSessao::BalancaSessao(QObject* parent) : QObject(parent)
{
    m_leitorPlataforma = new QObject(this);
    m_reabre = new QTimer(this);
    m_reabre->setSingleShot(true);
    m_reabre->setInterval(10000);
    connect(m_reabre, &QTimer::timeout, this, [this] { abreVigia(); });
}

BalancaSessao::~BalancaSessao()
{
    for (const auto& p : m_portas) {
        for (const Porta::Leitor& l : std::as_const(p->leitores)) {
            disconnect(l.dados);
            disconnect(l.fim);
        }
    }
}

BalancaSessao::Porta* BalancaSessao::portaDe(const QObject* leitor) const
{
    for (const auto& p : m_portas) {
        if (p->leitores.contains(leitor)) {
            return p.get();
        }
    }
    return nullptr;
}

TCommPortDriver* BalancaSessao::porta(const QObject* leitor) const
{
    const Porta* p = portaDe(leitor);
    return p ? p->driver.get() : nullptr;
}

TResultadoConfigPorta BalancaSessao::abre(const std::optional<TConfigPorta>& config, int modo, int balanca,
                                          QObject* leitor, std::function<void(const char*, int)> recebe)
{
    fecha(leitor);
    auto novo = std::make_unique<TCommPortDriver>();
    TResultadoConfigPorta r = ConfiguraPortaBalanca(config, modo, balanca, *novo);
    if (!r.ok) {
        return r;
    }
    const quint16 periodo = PeriodoLeitura(config->CFG_MODELOPLACA, config->CFG_BAUD);
    auto aberta = std::find_if(m_portas.begin(), m_portas.end(),
                               [&](const auto& p) { return p->driver->PortName() == novo->PortName(); });
    Porta* porta = nullptr;
    if (aberta != m_portas.end()) {
        porta = aberta->get();
        TCommPortDriver& d = *porta->driver;
        // The settings may have changed since it opened: the line follows them
        // (applying them anew flushes the line, so only when they differ).
        if (d.BaudRate() != novo->BaudRate() || d.DataBits() != novo->DataBits() ||
            d.Parity() != novo->Parity() || d.StopBits() != novo->StopBits() ||
            d.HwFlow() != novo->HwFlow() || d.SwFlow() != novo->SwFlow()) {
            ConfiguraPortaBalanca(config, modo, balanca, d);
        }
        d.setPollingDelay(periodo);
    } else {
        novo->setPollingDelay(periodo);
        if (!novo->Connect()) {
            r.ok = false;
            r.mensagem = QStringLiteral("Erro ao conectar a balança");
            r.titulo = QStringLiteral("Erro");
            return r;
        }
        m_portas.push_back(std::make_unique<Porta>());
        porta = m_portas.back().get();
        porta->driver = std::move(novo);
    }
    Porta::Leitor l;
    l.dados = connect(
        porta->driver.get(), &TCommPortDriver::OnReceiveData, leitor,
        [recebe](TCommPortDriver*, const char* d, int n) { recebe(d, n); }, Qt::DirectConnection);
    l.fim = connect(leitor, &QObject::destroyed, this, [this, leitor] { fecha(leitor); });
    porta->leitores.insert(leitor, l);
    return r;
}

void BalancaSessao::fecha(QObject* leitor)
{
    const auto it = std::find_if(m_portas.begin(), m_portas.end(),
                                 [leitor](const auto& p) { return p->leitores.contains(leitor); });
    if (it == m_portas.end()) {
        return;
    }
    const Porta::Leitor l = (*it)->leitores.take(leitor);
    disconnect(l.dados);
    disconnect(l.fim);
    if ((*it)->leitores.isEmpty()) {
        (*it)->driver->Disconnect();
        m_portas.erase(it);
    }
}

int BalancaSessao::estavelMsIni(QString* erro)
{
    const QString estavel =
        ArquivoIni::ler(QStringLiteral("balanca"), QStringLiteral("EstavelMs")).toString().trimmed();
    bool ok = true;
    const int ms = estavel.isEmpty() ? 0 : estavel.toInt(&ok);
    if (!ok || ms < 0) {
        if (erro) {
            *erro = QStringLiteral("Valor inválido em viga.ini: [balanca] EstavelMs=%1. Use um número de "
                                   "milissegundos (0 desliga a regra); a regra fica desligada.")
                        .arg(estavel);
        }
        return 0;
    }
    return ms;
}

QStringList BalancaSessao::vigia(TDM& dm)
{
    paraVigia();
    m_dm = &dm;
    QStringList avisos;
    m_leituraPlataforma = LeituraPeso();
    m_leituraPlataforma.configura(ConfigPesagem::ler(dm));
    QString erro;
    m_leituraPlataforma.setEstavelMs(estavelMsIni(&erro));
    if (!erro.isEmpty()) {
        avisos << erro;
    }
    m_falhaDita = false;
    abreVigia();
    return avisos;
}

void BalancaSessao::paraVigia()
{
    m_reabre->stop();
    fecha(m_leitorPlataforma);
    m_dm = nullptr;
}

bool BalancaSessao::vigiando() const
{
    return porta(m_leitorPlataforma) != nullptr;
}

void BalancaSessao::abreVigia()
{
    if (!m_dm) {
        return;
    }
    TResultadoConfigPorta r;
    try {
        r = abre(ConsultaPesagem::configPorta(*m_dm), 1, 0, m_leitorPlataforma,
                 [this](const char* d, int n) { recebePlataforma(d, n); });
    } catch (const std::exception&) {
        r.ok = false;
        r.mensagem = QStringLiteral("Configuração não lida");
    }
    if (!r.ok) {
        if (!m_falhaDita) {
            qWarning("balança da plataforma: %s; nova tentativa a cada %d s", qPrintable(r.mensagem),
                     m_reabre->interval() / 1000);
            m_falhaDita = true;
        }
        m_reabre->start();
        return;
    }
    m_falhaDita = false;
    m_leituraPlataforma.setModelo(r.modelo);
}

void BalancaSessao::recebePlataforma(const char* dados, int quantidade)
{
    const EfeitoLeitura e = m_leituraPlataforma.recebe(dados, quantidade);
    if (!e.aceito) {
        return;
    }
    if (e.fecharPorta) {
        // the weighing window says it to the operator; the deck goes on being read
        qWarning("balança da plataforma: %s", qPrintable(e.erroTexto));
        return;
    }
    Q_EMIT leituraPlataforma(e, m_leituraPlataforma.foraDeFaixa());
}
