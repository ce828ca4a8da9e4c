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

// The start-up step of every program that works on the data folder's
// database: opens the data module's connection and, on a database without
// tables (a new SQLite file, an empty PostgreSQL database), creates it
// complete; on an existing one, creates the indexes an older version lacks.
// False with the reason in `erro`, the connection closed and a file made
// here removed. The upgrade of an older layout is the next step
// (Atualizacao), which the main window runs and shows.
bool abreBanco(TDM& dm, QString* erro);

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
