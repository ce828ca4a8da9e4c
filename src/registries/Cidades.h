// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TDM;

// The cities registry (table Cidade): its statements and look-ups.
namespace Cidades
{

// The state list of the cities window, in its order; PR is selected at first.
const QStringList& ufs();
int indiceUfInicial();

// Inserts or updates one city in a transaction; throws ErroBanco (rolled back).
void salvar(TDM& dm, bool inserir, int codigo, const QString& nome, const QString& uf);
// Deletes one city in a transaction; throws RegistroEmUso when parties use it,
// ErroBanco when the database refuses.
void excluir(TDM& dm, int codigo);
// The city's name, or nothing when the code is not registered.
std::optional<QString> nome(TDM& dm, int codigo);

} // namespace Cidades
