#pragma once

#include <functional>

class QLineEdit;
class QWidget;

// Behaviours the system's edit fields share and Qt's line edit lacks.

// The numeric filter: only digits, one decimal separator (a typed comma or
// point becomes the comma; a second one is refused), and the editing keys.
void FiltroNumerico(QLineEdit* campo);
// Typed letters forced to upper case.
void ForcaMaiusculas(QLineEdit* campo);
// Typed letters forced to lower case (e-mail addresses).
void ForcaMinusculas(QLineEdit* campo);
// Runs `acao` whenever the focus leaves the control for another control of
// the window (the "exit" of a field); switching windows does not count.
void AoSair(QWidget* campo, std::function<void()> acao);
