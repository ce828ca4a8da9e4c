// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Qt's own texts in Brazilian Portuguese: the standard dialogs (file, font,
// colour, printer set-up), the fields' context menus, the buttons of message
// boxes. Loads Qt's pt_BR catalogues (Debian package qt6-translations-l10n)
// into the running application, once. Numbers and dates keep the convention
// fixed in code; only the texts change. False when no catalogue was found.
bool InstalaTraducoes();

// What every start of the program sets on the application: its name, Qt's
// texts in Portuguese. No display name: Qt would append it to every window's
// title ("Informação — VIGA - ..."), and each title is exactly its own.
void PreparaAplicacao();

// The Brazilian locale the windows that show calendars and dates by name use.
class QLocale;
QLocale LocaleBrasil();
