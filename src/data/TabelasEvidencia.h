// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class TDM;

// The evidence tables beside the weighings: PESAGEMEVIDENCIA (how each side's
// weight was taken) and AUDITORIA (the chained log of every change). They sit
// outside the fifty upgrade steps, as do the few columns added to the older
// tables since (the invoice's access key): a new database has them from the
// start, an older one gets them at the upgrade or at the next start.
namespace TabelasEvidencia
{

// Whether the table exists (any case); the statement run as it stands.
// Shared with the gate's tables, made the same way.
bool existeTabela(TDM& dm, const QString& nome);
void executa(TDM& dm, const QString& sql);

// The CREATE statements in the engine's dialect.
QStringList comandos(bool postgres);

// Creates whichever table is missing, inside the caller's transaction; a new
// log on a database that already has weighings begins with their state. A log
// without the key mark gets it (the installation key is created when there is
// none yet), so that the entries after it are keyed.
// Throws ErroBanco.
void garante(TDM& dm);

// The columns added to a table outside the upgrade steps, in lower case:
// weighings logged before one was added hold no such key.
QStringList colunasAcrescentadas(const QString& tabela);

} // namespace TabelasEvidencia
