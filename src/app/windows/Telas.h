#pragma once

#include <QString>

class QWidget;

// The windows of the other subsystems, as the main window opens them.
namespace Telas
{
// The login window; false when the program must end (cancelled, three failures).
bool login(QWidget* pai);
// The parties window for a kind (2..5).
void cadastro(QWidget* pai, int tipo, const QString& titulo);
// The parties window in issuer mode: at start-up (`inicial`) or from "&Dados Cadastrais".
void emissor(QWidget* pai, bool inicial);
// Any other command of the main window, by its action name.
void abrir(QWidget* pai, const QString& comando);
} // namespace Telas
