// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfiguraBalanca.h"

#include <array>

namespace
{

template <typename T, size_t N> bool Indice(const std::array<T, N>& tabela, int indice, T& valor)
{
    if (indice < 0 || size_t(indice) >= N) {
        return false;
    }
    valor = tabela[size_t(indice)];
    return true;
}

// The order of the settings lists, not the driver's.
constexpr std::array<TBaudRate, 6> kBaud{br600, br1200, br2400, br4800, br9600, br19200};
constexpr std::array<TDataBits, 4> kBits{db5BITS, db6BITS, db7BITS, db8BITS};
constexpr std::array<TParity, 5> kParidade{ptEVEN, ptMARK, ptNONE, ptODD, ptSPACE};
constexpr std::array<TStopBits, 3> kStop{sb1BITS, sb1HALFBITS, sb2BITS};
constexpr std::array<THwFlowControl, 3> kFluxoHard{hfNONE, hfNONERTSON, hfRTSCTS};
constexpr std::array<TSwFlowControl, 2> kFluxoSoft{sfNONE, sfXONXOFF};

} // namespace

bool AplicaIndicePorta(TCommPortDriver& driver, int indice)
{
    if (indice < 0 || indice > 7) {
        return false;
    }
    driver.setPort(TPortNumber(pnCOM1 + indice));
    return true;
}

bool AplicaIndiceBaud(TCommPortDriver& driver, int indice)
{
    TBaudRate v;
    if (!Indice(kBaud, indice, v)) {
        return false;
    }
    driver.setBaudRate(v);
    return true;
}

bool AplicaIndiceBits(TCommPortDriver& driver, int indice)
{
    TDataBits v;
    if (!Indice(kBits, indice, v)) {
        return false;
    }
    driver.setDataBits(v);
    return true;
}

bool AplicaIndiceParidade(TCommPortDriver& driver, int indice)
{
    TParity v;
    if (!Indice(kParidade, indice, v)) {
        return false;
    }
    driver.setParity(v);
    return true;
}

bool AplicaIndiceStop(TCommPortDriver& driver, int indice)
{
    TStopBits v;
    if (!Indice(kStop, indice, v)) {
        return false;
    }
    driver.setStopBits(v);
    return true;
}

bool AplicaIndiceFluxoHard(TCommPortDriver& driver, int indice)
{
    THwFlowControl v;
    if (!Indice(kFluxoHard, indice, v)) {
        return false;
    }
    driver.setHwFlow(v);
    return true;
}

bool AplicaIndiceFluxoSoft(TCommPortDriver& driver, int indice)
{
    TSwFlowControl v;
    if (!Indice(kFluxoSoft, indice, v)) {
        return false;
    }
    driver.setSwFlow(v);
    return true;
}

TResultadoConfigPorta ConfiguraPortaBalanca(const std::optional<TConfigPorta>& config, int modoJanela,
                                            int indiceBalanca, TCommPortDriver& driver)
{
    TResultadoConfigPorta r;
    if (!config) {
        r.mensagem = QStringLiteral("Configuração não definida.");
        r.titulo = QStringLiteral("Erro");
        return r;
    }
    const TConfigPorta& c = *config;
    int porta;
    if (c.CFG_SELECIONABAL == 1) {
        porta = indiceBalanca == 0 ? c.CFG_PORTA : c.CFG_PORTASAIDA;
    } else {
        porta = modoJanela == 1 ? c.CFG_PORTA : c.CFG_PORTASAIDA;
    }
    AplicaIndicePorta(driver, porta);
    AplicaIndiceBaud(driver, c.CFG_BAUD);
    AplicaIndiceBits(driver, c.CFG_BITS);
    AplicaIndiceParidade(driver, c.CFG_PARIDADE);
    AplicaIndiceStop(driver, c.CFG_STOP);
    AplicaIndiceFluxoHard(driver, c.CFG_FLHARD);
    AplicaIndiceFluxoSoft(driver, c.CFG_FLSOFT);
    r.ok = true;
    r.modelo = c.CFG_MODELOPLACA;
    return r;
}

quint16 PeriodoLeitura(int modeloPlaca, int indiceBaud)
{
    // At 1200 baud an eight-byte frame takes 67 ms: a 50 ms poll would split most of them.
    return (modeloPlaca == 0 && indiceBaud == 1) ? 400 : 50;
}

bool TesteConexao(const TIndicesTeste& indices)
{
    TCommPortDriver driver;
    if (!AplicaIndicePorta(driver, indices.porta)) {
        return false;
    }
    AplicaIndiceBaud(driver, indices.baud);
    AplicaIndiceBits(driver, indices.bits);
    AplicaIndiceParidade(driver, indices.paridade);
    AplicaIndiceStop(driver, indices.stop);
    AplicaIndiceFluxoHard(driver, indices.fluxoHard);
    AplicaIndiceFluxoSoft(driver, indices.fluxoSoft);
    if (TCommPortDriver::abertaNoPrograma(driver.PortName())) {
        return true; // open here already, for the reading of the scale
    }
    const bool ok = driver.Connect();
    driver.Disconnect();
    return ok;
}
