// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A stored value as printed or exported: control characters below the blank (an
// escape sequence, a NUL from an import or another program) never reach a
// printer or a file; tabs and line breaks become blanks, so words stay apart.
// The layouts' own printer codes are added by the print job, never through a value.
QString SemControles(const QString& texto);
