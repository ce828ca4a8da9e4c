// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TDM;

// The vehicle types registry (table TipoVeiculo): its statements.
namespace TiposVeiculo
{

// Inserts or updates one type in a transaction; the value is stored as NULL
// when it is not a number. Throws ErroBanco (rolled back).
void salvar(TDM& dm, bool inserir, int codigo, const QString& descricao, const QString& valor);
// Deletes one type; throws RegistroEmUso when weighings use it, ErroBanco when
// the database refuses.
void excluir(TDM& dm, int codigo);

} // namespace TiposVeiculo
