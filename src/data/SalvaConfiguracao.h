// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class TDM;

// What the settings dialog shows and saves: the Config row as the dialog's
// controls hold it (list indexes, ticked options, field texts).
struct TValoresConfig {
    // lists, by index
    int porta = 0;
    int portaSaida = 0;
    int baud = 4;
    int bits = 3;
    int paridade = 2;
    int stop = 0;
    int fluxoHard = 0;
    int fluxoSoft = 0;
    int modeloPlaca = 0;
    int divisao = 3;
    int interfaceSerial = 0;
    int casasDecimais = 2;
    int casasUmidade = 2;
    int impressora = 4;

    // printing
    QString portaRede = QStringLiteral("lpt1");
    bool impressaoWindows = false;
    QString espacoLinhas = QStringLiteral("30");
    QString fontePadrao;
    QString tamanhoFonte;
    QString linhasTicket;
    bool ticketSintetico = false;
    bool ticket40 = false;
    bool transportadora = false;
    bool supervisor = false;
    QString descricaoItem;
    bool usaTemplate = false;
    QString templateEntrada;
    QString templateSaida;
    bool cabecalho = false;

    // weighing
    bool gradeProdutos = false;       // CFG_MORPRODUTO
    bool clienteProdutoGrade = false; // CFG_GRADE
    bool fatorSaida = false;
    int tipoFatorSaida = 0; // list "Variável", "Fixo"
    bool fatorEntrada = false;
    int tipoFatorEntrada = 0;
    bool somenteFator7 = false;
    std::array<QString, 10> fatores;
    bool alteraDataHora = false;
    bool exibePesagens = false;
    bool somenteProduto = false;
    bool produtoOpcional = false;
    bool editarSaida = false;
    bool alteraCodigo = false;
    bool navio = false;
    bool taraPesagem = false;
    bool pesagemVagao = false;
    bool cadEmbalagem = false;
    bool pesoEmbalagem = false;
    bool cadMotorista = false;
    bool frete = false;
    bool produtoAlfa = false;
    bool somenteSaida = false;
    bool metrosCubicos = false;
    bool valorTonelada = false;
    bool selecionaBalanca = false;
    bool tipoVeiculo = false;
    bool pesagemObs = false;
    QString taraFixa;
    // PORTARIA.POR_CHECAZERO: the deck back to zero before each weighing
    bool checaZero = false;
};

// Reading, checking and saving the configuration row for the settings dialog.
namespace SalvaConfiguracao
{

// Indexes of the "Fator (7/8/9/10):" lists.
enum { FatorVariavel = 0, FatorFixo = 1 };

// The three checks made before saving, in this order.
enum Consistencia { Consistente, FatorComGrade, SomenteFator7, EntradaSemSaida };

// Opens QR_Configuracao (left open: the dialog closes it) and fills `v` from
// its row. False when Config has no row (`v` keeps the initial choices).
// Throws ErroBanco.
bool ler(TDM& dm, TValoresConfig& v);

// Any of the three factor options ticked.
bool usaFatores(const TValoresConfig& v);
// The save rule: no factor option on, or all ten factor names filled.
bool podeSalvar(const TValoresConfig& v);
// Applies the first check that fails, correcting the options as the dialog
// does; Consistente when all pass (then `v` is unchanged).
Consistencia corrige(TValoresConfig& v);
// The message of a failed check (title "Aviso").
QString mensagem(Consistencia c);

// Lines per ticket when its field (or a template code field) is left: blank
// gives "66", a number of 32 or less "33", anything else stays.
QString ajustaLinhasTicket(const QString& texto);
// A factor name as stored: first character in upper case, at most 10 characters.
QString normalizaFator(const QString& nome);
// 1 "Fixo", 2 "Variável", 0 when the option is off (CFG_UMIDADE / CFG_UMIDADEE).
int valorUmidade(bool ligado, int tipo);

// Builds on QR_EXEC the UPDATE of the configuration row (no WHERE: Config has
// one row), every value bound. The factor names go only when a factor option
// is on. The SQL trace can show it before gravar() runs it.
void montarGravacao(TDM& dm, const TValoresConfig& v);
// Runs it, and stores the gate's zero check, in one transaction. Throws
// ErroBanco (rolled back).
void gravar(TDM& dm, const TValoresConfig& v);

} // namespace SalvaConfiguracao
