// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Comandos.h"

#include <QString>

class QWidget;

// The windows of the other subsystems, as the main window opens them.
namespace Telas
{
// The login window; false when the program must end (cancelled, three failures).
bool login(QWidget* pai);
// The parties window in issuer mode: at start-up (`inicial`) or from "&Dados Cadastrais".
void emissor(QWidget* pai, bool inicial);
// The window of a command of the main window (`titulo` for the parties
// window); false when this build has no such window yet.
bool abrir(QWidget* pai, const Comandos::Comando& comando, const QString& titulo);
} // namespace Telas
