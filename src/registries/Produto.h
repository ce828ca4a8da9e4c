// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class TDM;

// A product as typed in the products window: numbers are the fields' texts
// (decimal comma); a text that is not a number is stored as NULL.
struct DadosProduto {
    QString codigo;
    QString descricao;
    std::array<QString, 6> fatores;
    QString densidade;
    QString vlrTonelada;
    QString tabCodigo; // moisture conversion table, empty when none
};

// The products registry (`Produto`). Writes run in a transaction and throw ErroBanco.
namespace CadastroProduto
{

// Next numeric code: the highest PRD_CODIGOINT plus 1 (alphanumeric codes keep 0 there).
// 64-bit: codes have up to 13 digits.
qint64 proximoCodigo(TDM& dm);
bool existe(TDM& dm, const QString& codigo);
std::optional<QString> descricao(TDM& dm, const QString& codigo);
// Insert (with PRD_CODIGOINT the code as a number, 0 with alphanumeric
// codes, NULL when a numeric site's code is not a number) or update of the product `p.codigo`. An unknown
// moisture table is stored as NULL.
void salvar(TDM& dm, const DadosProduto& p, bool insercao, bool codigoAlfa);
// Throws RegistroEmUso while weighings, correction factors or packaging
// weights point at the product.
void excluir(TDM& dm, const QString& codigo);

// The combined correction (100 - S) / 100 of the factor texts (a text that is
// not a number counts 0); nullopt when S passes 100.
std::optional<Decimal> correcaoCombinada(const QStringList& fatores);

} // namespace CadastroProduto
