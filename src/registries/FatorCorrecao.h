// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QString>
#include <optional>

class TDM;

// The fixed values allowed for correction factors 7-10 of each product
// (table `Umidade`). Rows are only inserted and deleted. Writes run in a
// transaction and throw ErroBanco.
namespace CadastroFator
{

// The check made when the operator leaves "Fator:"; empty when the value is
// a number below 100.
QString validaValor(const QString& digitado);
bool existe(TDM& dm, const QString& prdCodigo, Decimal valor, int tipo);
void inserir(TDM& dm, const QString& prdCodigo, Decimal valor, int tipo);
void excluir(TDM& dm, const QString& prdCodigo, Decimal valor, int tipo);

} // namespace CadastroFator
