// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The SQL dialect of each engine: the system's column types and the upgrade
// statements as SQLite and PostgreSQL take them.
namespace Dialeto
{

// Engine type names for the system's column types ({N}, {M}, {T}, "money").
QString tipos(const QString& sql, bool postgres);

// An upgrade step's statement in the engine's dialect; empty when the engine
// has nothing to do for it (widening a column on SQLite).
QString passo(const QString& comando, bool postgres);

// The numeric mirror of the product code: the code as a 64-bit number when it
// holds only digits, NULL otherwise (a code that is not a number never stops
// the upgrade).
QString copiaCodigoProduto(bool postgres);

} // namespace Dialeto
