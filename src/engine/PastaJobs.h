// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder of this user's print jobs and thermal-printer scripts: inside
// the user's private runtime folder (PastaPrivada::execucao), created 0700 and
// checked before each use, so no other local account can plant a file or a link
// there, or read a ticket.
namespace PastaJobs
{
// The folder, ready; empty with the reason in `erro` when it cannot be made
// private (a link, another owner, a mode it cannot close).
QString caminho(QString* erro = nullptr);
// A new, empty job file there (mode 0600), created exclusively under a name
// nobody can guess: `prefixo` + random + `sufixo`. Empty when it cannot.
QString novoArquivo(const QString& prefixo, const QString& sufixo, QString* erro = nullptr);
} // namespace PastaJobs
