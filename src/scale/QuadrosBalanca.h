// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

// Fill colours of the link status lamp (Shape1), 0x00BBGGRR.
enum class TLampada : uint32_t {
    Branca = 0xFFFFFF,   // idle
    Vermelha = 0x0000FF, // waiting for the scale, or the port failed
    Amarela = 0x00FFFF,  // weight in motion
    Verde = 0x00FF00,    // weight in equilibrium, manual weighing, on demand
};

// The conversion errors of the parsers ("Erro 001" .. "Erro 004"). The numeric
// test before each conversion accepts only what converts, so they are not
// expected; the window still shows them and closes the port if one comes.
enum class TErroQuadro { Nenhum = 0, Erro001 = 1, Erro002 = 2, Erro003 = 3, Erro004 = 4 };

// Title ("Erro 00n") and text of a conversion error message; `detalhe` is the conversion's own message.
QString TituloErroQuadro(TErroQuadro erro);
QString TextoErroQuadro(TErroQuadro erro, const QString& detalhe);

// What the weighing window shows after a chunk.
struct TResultadoQuadro {
    bool aceito = false;        // whole-frame chunk: the window re-evaluates the Save button
    bool parserChamado = false; // a parser decoded it
    // The weight for the box of the window's side (entry box in entry mode, exit
    // box in exit mode), with CFG_CASASDECIMAIS decimals and the decimal comma.
    std::optional<QString> peso;
    std::optional<TLampada> lampada; // new lamp colour, no outline; empty = keep
    QString status;                  // the status text after this frame
    bool estavel = false;
    int sinal = 1;
    TErroQuadro erro = TErroQuadro::Nenhum; // when set: show the message, close the port
    QString erroDetalhe;
    // On demand: the window re-evaluates the Save button and, when it is enabled, saves.
    bool demanda = false;
};

// The window's scale-link settings read from Config.
struct TConfigQuadro {
    int modelo = 0;          // CFG_MODELOPLACA: 0 "AR", 1 "AR-N 5 Dígitos", 2 "AR-N 6 Dígitos"
    int interfaceSerial = 0; // CFG_INTERFACE: 0 "Pesagem", 1 "Demanda"
    int divisao = 3;         // CFG_DIVISAO (model "AR" only)
    int casasDecimais = 2;   // CFG_CASASDECIMAIS
};

// Acceptance rule: first byte "@" or "C".."P", last byte carriage return.
bool BlocoAceito(QByteArrayView bloco);

// Leading and trailing blanks and control characters removed.
QString AparaQuadro(const QString& quadro);

// The AR status letters' messages in upper case (ASCII letters only); empty for other characters.
QString MensagemLetraAR(QChar letra);

// The status text of an AR-N status byte ("PESO BRUTO EM EQUILÍBRIO POSITIVO ").
QString StatusARN(uint8_t statusByte);

// Parsers of one trimmed frame. `statusAtual` is the status text before the frame.
TResultadoQuadro ParseARFrame(const QString& quadro, int divisao, int casasDecimais,
                              const QString& statusAtual);
// `largura`: 6 for "AR-N 5 Dígitos", 7 for "AR-N 6 Dígitos".
TResultadoQuadro ParseARNFrame(const QString& quadro, int largura, int casasDecimais);
TResultadoQuadro ParseDemandFrame(const QString& quadro, int modelo, int casasDecimais,
                                  const QString& statusAtual);

// The receiver of the port driver: the acceptance rule, then the parser of the interface and model.
TResultadoQuadro RecebeBloco(QByteArrayView bloco, const TConfigQuadro& config, const QString& statusAtual);

// The scale-link state the weighing window keeps between chunks: the configuration
// and the status text (stored with the weighing).
class TLeituraBalanca
{
public:
    void setConfig(const TConfigQuadro& c) { m_config = c; }
    const TConfigQuadro& config() const { return m_config; }
    void setModelo(int modelo) { m_config.modelo = modelo; }

    // CommPortDriver1ReceiveData: decode a chunk and keep the new status text.
    TResultadoQuadro recebe(const char* dados, int quantidade);

    const QString& statusTexto() const { return m_status; }
    // A new weighing starts: on demand the status text is only ever appended to,
    // so it starts empty; the continuous interface keeps the indicator's last status.
    void novaPesagem();

private:
    TConfigQuadro m_config;
    QString m_status;
};
