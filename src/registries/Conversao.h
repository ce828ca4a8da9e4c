// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QList>
#include <QString>
#include <optional>

class TDM;

// A moisture range of a conversion table and its discount (percentages).
struct FaixaUmidade {
    Decimal inicial;
    Decimal final;
    Decimal desconto;
};

// A moisture conversion table: the formula "((U.I. - U.F) * 100) / (100 - U.F.)"
// with its final moisture, or a list of ranges.
struct TabelaConversao {
    int codigo = 0;
    QString descricao;
    bool formula = false;
    Decimal umidadeFinal;
    QList<FaixaUmidade> faixas;
};

// Reading and writing the tables `Conversao` and `TabConversao`. Writes run
// in one transaction and throw ErroBanco; a table is always written or
// removed together with its ranges.
namespace CadastroConversao
{

std::optional<TabelaConversao> carregar(TDM& dm, int codigo);
// The table the product points to (Produto.TAB_CODIGO); nullopt when none.
std::optional<TabelaConversao> doProduto(TDM& dm, const QString& prdCodigo);
bool existe(TDM& dm, int codigo);
std::optional<QString> descricao(TDM& dm, int codigo);
int proximoCodigo(TDM& dm);

// A new table (insercao) or the replacement of an existing one: its row is
// updated and its ranges replaced.
void salvar(TDM& dm, const TabelaConversao& t, bool insercao);
// Throws RegistroEmUso while a product points at the table.
void excluir(TDM& dm, int codigo);

// The check of a range typed in the window; empty when it can be added.
QString validaFaixa(const QString& inicial, const QString& final, const QString& desconto);

} // namespace CadastroConversao

// The moisture discount of a weighing (factor 11) from the product's table.
class DescontoUmidade
{
public:
    enum Situacao {
        Calculado,     // the discount comes from the formula or a range
        UmidadeZero,   // moisture 0: both values 0
        SemConversao,  // the product has no conversion table
        AbaixoDoFinal, // formula, moisture at or below the final moisture: discount 0
        SemFaixas,     // range table without ranges
        ForaDaTabela,  // no range holds the moisture
    };

    Situacao situacao = Calculado;
    Decimal desconto;
    // True when the moisture field is set to 0 as well.
    bool zeraUmidade() const { return situacao != Calculado && situacao != AbaixoDoFinal; }
    // The message the weighing window shows (title "Informação"); empty when none.
    QString mensagem() const;

    // Ranges are tried in the order given; the first holding the moisture
    // (both bounds inclusive) gives the discount.
    static DescontoUmidade calcula(const std::optional<TabelaConversao>& tabela, Decimal umidade);
    static DescontoUmidade doProduto(TDM& dm, const QString& prdCodigo, Decimal umidade);
};
