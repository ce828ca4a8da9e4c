// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QLineEdit;
class QString;
class QWidget;

// The one set of filters of the system's edit fields: what Qt's line edit
// lacks. Numbers follow one rule everywhere: digits, one decimal separator,
// and a typed point becomes the decimal comma.

// The numeric filter: only digits, one decimal separator (a typed comma or
// point becomes the comma; a second one is refused), and the editing keys.
void FiltroNumerico(QLineEdit* campo);
// Only digits, at most `maximo` of them (codes and counts).
void FiltroDigitos(QLineEdit* campo, int maximo);
// Typed letters forced to upper case, the cursor kept in place.
void ForcaMaiusculas(QLineEdit* campo);
// Typed letters forced to lower case (e-mail, site).
void ForcaMinusculas(QLineEdit* campo);
// Runs `acao` whenever the focus leaves the control for another control of
// the window (the "exit" of a field); switching windows does not count.
void AoSair(QWidget* campo, std::function<void()> acao);

// The edit fields of the windows, made once: object name (the system's name
// for the control), length and filter.
QLineEdit* CampoTexto(QWidget* pai, const QString& nome, int tamanho);
// Text forced to upper case (names, descriptions, plates).
QLineEdit* CampoMaiusculo(QWidget* pai, const QString& nome, int tamanho);
// A number (FiltroNumerico).
QLineEdit* CampoNumero(QWidget* pai, const QString& nome, int tamanho);
// The search field of a list ("&Localizar:"): upper case, never disabled
// by the record state (tag 1); `tamanho` 0 leaves its length free.
QLineEdit* CampoLocalizar(QWidget* pai, const QString& nome, int tamanho = 0);
// The read-only name a code field looks up and shows beside it: never on the
// Enter path.
QLineEdit* CampoNomeDoCodigo(QWidget* pai, const QString& nome);
