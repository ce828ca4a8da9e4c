// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeituraPeso.h"

#include "ArquivoIni.h"
#include "Decimal.h"
#include "PastaDados.h"

#include <QByteArrayView>

namespace
{

constexpr char CR = 13;

// The newest whole frame of a chunk: from after the carriage return before
// the last one, to the end. A chunk holding a single frame is left as it is.
QByteArrayView ultimoQuadro(QByteArrayView bloco)
{
    if (bloco.size() < 2 || bloco.back() != CR) {
        return bloco;
    }
    const qsizetype anterior = bloco.first(bloco.size() - 1).lastIndexOf(CR);
    return anterior < 0 ? bloco : bloco.sliced(anterior + 1);
}

} // namespace

LeituraPeso::LeituraPeso()
{
    m_relogio.start();
}

qint64 LeituraPeso::agora(qint64 agoraMs) const
{
    return agoraMs >= 0 ? agoraMs : m_relogio.elapsed();
}

qint64 LeituraPeso::estavelHaMs(qint64 agoraMs) const
{
    return m_estavelDesde < 0 ? 0 : agora(agoraMs) - m_estavelDesde;
}

QString LeituraPeso::nomeModelo() const
{
    switch (m_leitura.config().modelo) {
    case 1:
        return QStringLiteral("AR-N 5 Dígitos");
    case 2:
        return QStringLiteral("AR-N 6 Dígitos");
    default:
        return QStringLiteral("AR");
    }
}

QString LeituraPeso::nomeInterface() const
{
    return demanda() ? QStringLiteral("Demanda") : QStringLiteral("Pesagem");
}

void LeituraPeso::aplicaRegraEstavel(EfeitoLeitura& e, bool demanda, qint64 agoraMs)
{
    if (m_estavelMs <= 0 || e.lampada != TLampada::Verde) {
        e.salvarSeHabilitado = demanda && !m_foraDeFaixa;
        return;
    }
    const qint64 falta = m_estavelMs - estavelHaMs(agoraMs);
    if (falta > 0) {
        e.lampada = TLampada::Amarela;
        e.esperaMs = falta;
        m_demandaPendente = demanda;
        return;
    }
    m_demandaPendente = false;
    e.salvarSeHabilitado = demanda && !m_foraDeFaixa;
}

EfeitoLeitura LeituraPeso::reavalia(qint64 agoraMs)
{
    EfeitoLeitura e;
    if (m_estavelDesde < 0 || m_foraDeFaixa) {
        return e;
    }
    e.aceito = true;
    e.lampada = TLampada::Verde;
    aplicaRegraEstavel(e, m_demandaPendente, agoraMs);
    return e;
}

void LeituraPeso::configura(const ConfigPesagem& cfg)
{
    TConfigQuadro c;
    c.modelo = cfg.modeloPlaca;
    c.interfaceSerial = cfg.interfaceSerial;
    c.divisao = cfg.divisao;
    c.casasDecimais = cfg.casasDecimais;
    m_leitura.setConfig(c);
}

void LeituraPeso::novaPesagem()
{
    m_leitura.novaPesagem();
    m_foraDeFaixa = false;
    m_quadro.clear();
    m_pesoEstavel.clear();
    m_estavelDesde = -1;
    m_demandaPendente = false;
}

EfeitoLeitura LeituraPeso::recebe(const char* dados, int quantidade, qint64 agoraMs)
{
    EfeitoLeitura e;
    const QByteArrayView quadro = ultimoQuadro(QByteArrayView(dados, quantidade));
    const TResultadoQuadro r = m_leitura.recebe(quadro.data(), int(quadro.size()));
    if (!r.aceito) {
        return e;
    }
    e.aceito = true;
    if (r.erro != TErroQuadro::Nenhum) {
        e.fecharPorta = true;
        e.erroTitulo = TituloErroQuadro(r.erro);
        e.erroTexto = TextoErroQuadro(r.erro, r.erroDetalhe);
        return e;
    }
    if (!r.peso) {
        return e; // a frame without a readable weight changes nothing on screen
    }
    m_foraDeFaixa = (uint8_t(quadro.front()) & 0x10) != 0;
    m_leuPeso = true;
    m_leituraParada = false;
    m_quadro = quadro.toByteArray();
    e.peso = r.peso;
    e.lampada = r.lampada;
    if (m_foraDeFaixa) {
        e.lampada = TLampada::Amarela;
    }
    // The stable reading is timed from the frame that first showed it.
    if (e.lampada == TLampada::Verde) {
        if (m_estavelDesde < 0 || m_pesoEstavel != *r.peso) {
            m_pesoEstavel = *r.peso;
            m_estavelDesde = agora(agoraMs);
        }
    } else {
        m_pesoEstavel.clear();
        m_estavelDesde = -1;
    }
    aplicaRegraEstavel(e, r.demanda, agoraMs);
    return e;
}

EstadoPeso LeituraPeso::estado(TLampada lampada) const
{
    EstadoPeso s;
    s.lampadaVerde = lampada == TLampada::Verde;
    s.demanda = demanda();
    s.foraDeFaixa = m_foraDeFaixa;
    s.leituraParada = m_leituraParada;
    return s;
}

void LeituraPeso::portaFechada()
{
    m_leuPeso = false;
    m_leituraParada = false;
}

int LeituraPeso::tempoSilencioMs(QString* erro)
{
    const QString texto =
        ArquivoIni::ler(QStringLiteral("serial"), QStringLiteral("Silencio")).toString().trimmed();
    if (texto.isEmpty()) {
        return 2000;
    }
    const auto segundos = Decimal::parse(texto);
    if (!segundos || *segundos <= Decimal() || *segundos > Decimal::fromInt(3600)) {
        if (erro) {
            *erro = QStringLiteral(
                        "Valor inválido em %1, [serial] Silencio=%2: informe os segundos sem leitura da "
                        "balança (por exemplo 2). Usando 2 segundos.")
                        .arg(PastaDados::ini(), texto);
        }
        return 2000;
    }
    return qRound(segundos->toDouble() * 1000);
}
