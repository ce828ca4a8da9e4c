// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cadastros.h"

#include <QString>
#include <vector>

class TDM;
struct TSessao;

// The main window's commands that open a window: each one's action name and
// caption, the menu that holds it, the right it needs, the configuration rule
// that may refuse it first, and the window it opens. The menus and the tool
// bar are built from this table, so there is no command without an entry.
namespace Comandos
{

enum class Menu { Cadastros, Pesagem, Relatorios, Utilitarios };

enum class Direito {
    Livre,        // always
    Cadastros,    // USR_CADASTROS or the administrator
    Relatorios,   // USR_RELATORIOS or the administrator
    Entrada,      // USR_PESAGEM or the administrator
    Saida,        // USR_PESAGEMSAIDA or the administrator
    Administrador // the administrator only
};

// Tested before the right, from the configuration row.
enum class Regra {
    Nenhuma,
    FatorCorrecao,    // CFG_UMIDADE or CFG_UMIDADEUNICA not 0
    ConversaoUmidade, // the same test, with its own message
    SemGradeProdutos, // CFG_MORPRODUTO = 0
};

enum class Tela {
    Cadastro, // the parties window of `tipo`
    DadosCadastrais,
    Produtos,
    Cidades,
    TiposVeiculo,
    Embalagens,
    FatoresCorrecao,
    ConversaoUmidade,
    Usuarios,
    Configuracoes,
    PesagemEntrada,
    PesagemSaida,
    Ticket,
    ListagemProdutos,
    ListagemCadastros,
    MovimentoCadastro,
    MovimentoFluxo,
    MovimentoAgrupado,
    HistoricoPesagem,
    PassagensSemPesagem,
};

struct Comando {
    const char* acao;
    const char* texto;
    Menu menu;
    Direito direito;
    Regra regra;
    Tela tela;
    Cadastros::Tipo tipo = Cadastros::Cliente; // for Tela::Cadastro
};

// In menu order.
const std::vector<Comando>& tabela();
// The command of an action name; nullptr when there is none.
const Comando* busca(const QString& acao);

// Why the command is refused ("Módulo com acesso restrito." or the
// configuration rule's message, both titled "Informação"); empty when it may
// open its window. Reads the configuration: throws ErroBanco.
QString recusa(const Comando& c, TDM& dm, const TSessao& sessao);

// The parties window's title for the command (a carrier reads "Navio" when
// the site weighs ships). Reads the configuration: throws ErroBanco.
QString tituloCadastro(const Comando& c, TDM& dm);

} // namespace Comandos
