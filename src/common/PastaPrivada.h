// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Folders only this user can enter: where the single-instance lock, print jobs
// and thermal-printer scripts live, so no other local account can plant a file
// or a link there, read a ticket or hold the lock.
namespace PastaPrivada
{
// Checks one folder, made 0700 when missing: a real folder (not a link) of this
// user, which nobody else can write or read; one this user owns with an open
// mode is closed. False with the reason in `erro` otherwise.
bool verificar(const QString& pasta, QString* erro);
// This user's runtime folder ($XDG_RUNTIME_DIR) when the session gives a private
// one; otherwise viga-execucao under the user's cache folder ($XDG_CACHE_HOME,
// ~/.cache), made 0700 and checked. Never a folder other accounts share (the
// temporary folder). Empty, with the reason in `erro`, when neither can be used.
QString execucao(QString* erro = nullptr);
} // namespace PastaPrivada
