// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QString>
#include <optional>

class TDM;

// Packaging types (`Embalagem`) and the packaging allowed per product with
// its unit weight (`Produto_Embalagem`). Writes run in a transaction and
// throw ErroBanco.
namespace CadastroEmbalagem
{

int proximoCodigo(TDM& dm);
void salvar(TDM& dm, int codigo, const QString& descricao, bool ativa, bool insercao);
// Throws RegistroEmUso while a product allows the packaging type.
void excluir(TDM& dm, int codigo);
// The description of an active packaging type; nullopt when the code is not
// a number, unknown or inactive.
std::optional<QString> descricaoAtiva(TDM& dm, const QString& codigo);

void salvarDoProduto(TDM& dm, const QString& prdCodigo, int embCodigo, Decimal peso, bool insercao);
void excluirDoProduto(TDM& dm, const QString& prdCodigo, int embCodigo);

} // namespace CadastroEmbalagem
