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
}

EfeitoLeitura LeituraPeso::recebe(const char* dados, int quantidade)
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
    e.peso = r.peso;
    e.lampada = r.lampada;
    if (m_foraDeFaixa) {
        e.lampada = TLampada::Amarela;
    }
    e.salvarSeHabilitado = r.demanda && !m_foraDeFaixa;
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
