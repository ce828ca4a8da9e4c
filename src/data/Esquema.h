// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class TDM;

// The database's tables. A new database is created complete: every table
// with every column the upgrades add, keys, relations and indexes, the
// upgrade log with every step, the configuration row with its defaults, the
// ticket flags row and the administrator "ADMIN" (password "ADMIN").
namespace Esquema
{

// True when the database already holds the configuration table.
bool existe(TDM& dm);
void criarBanco(TDM& dm);
// Creates the indexes a database made by an older version lacks; how many.
int criaIndicesQueFaltam(TDM& dm);
// Gathers the statistics the query planner chooses its indexes by (SQLite: ANALYZE).
void estatisticas(TDM& dm);

// A database of the oldest kind: the base tables without the columns and
// tables the upgrades add, and without the upgrade log. Older installations
// have it; the upgrade tests start from it.
void criarBancoAntigo(TDM& dm);

// The statements of a new database, in order, in the engine's dialect.
QStringList comandosCriacao(bool postgres);

} // namespace Esquema
