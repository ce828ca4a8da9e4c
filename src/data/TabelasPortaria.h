// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class TDM;

// The gate's tables: PASSAGEM (each passage over the deck with no weighing
// saved during it), PASSAGEMFOTO (the cameras' pictures at its highest
// weight) and PORTARIA (the site's gate settings: one row). Like the
// evidence tables they sit outside the fifty upgrade steps and change no
// other table: a new database has them from the start, an older one gets
// them at the upgrade or at the next start.
namespace TabelasPortaria
{

// The CREATE statements in the engine's dialect.
QStringList comandos(bool postgres);

// The settings row of a new database: the zero check on.
QString linhaNova();

// The site's zero check (POR_CHECAZERO): the deck back to zero before each
// weighing. Throws ErroBanco.
bool checaZero(TDM& dm);
// Inside the caller's transaction when there is one. Throws ErroBanco.
void defineChecaZero(TDM& dm, bool ligada);

// Creates whichever table is missing, inside the caller's transaction. The
// settings row of an older database keeps the zero check off: the site
// turns it on when its deck is known to return to zero. Throws ErroBanco.
void garante(TDM& dm);

} // namespace TabelasPortaria
