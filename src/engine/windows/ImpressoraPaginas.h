// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PreviewRelevo.h"

#include <QFont>

class QPrinter;

// Draws pages of text on the system printer: one line every `passo` device units
// from the top, bold where asked, the QR code a line carries beside it, a new
// printer page between pages.
// False with the reason in `erro` when the printer cannot start a document.
bool DesenhaPaginas(QPrinter& impressora, const QList<PaginaDesenho>& paginas, const QFont& fonte, int passo,
                    QString* erro);
