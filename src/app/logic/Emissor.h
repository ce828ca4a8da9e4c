// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TDM;

// The issuing company (party kind 1).
namespace Emissor
{
// True when an issuer row exists; `nome` receives the first 60 characters of its name.
bool ler(TDM& dm, QString* nome = nullptr);
} // namespace Emissor
