// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The file a report is written to, checked before the report is composed
// (a long report must not run for minutes to fail at its last step), and the
// reason of a failed write in the operator's words.
namespace ArquivoSaida
{

// True when `arquivo` can be written: its folder exists and takes a new file,
// and an existing file of that name may be replaced. Otherwise false, with
// what is wrong in `erro` (the folder or file named, and why).
bool verifica(const QString& arquivo, QString* erro);

// The reason of a failed write, from the system's error number: "disco
// cheio", "sem permissão de gravação" ... (a number without a text of its own
// is given as it is).
QString motivo(int numeroErro);

} // namespace ArquivoSaida
