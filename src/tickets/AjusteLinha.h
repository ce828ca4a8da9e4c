// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A piece of a ticket line: a text asked for at a column.
struct PecaLinha {
    QString texto;
    int coluna = 0;
    // An identifier (plate, invoice number, code): never cut, like a figure.
    bool inteira = false;
};

// Composes the pieces of one line as the print job places them (blanks up to the
// column; a text asked for left of the current column follows the text before it)
// and fits the result to `largura` columns:
// - two values never run together: a piece asked for at its own column that would
//   touch the text before it gets one blank;
// - trailing blanks go first, then the blanks between pieces (the widest gap first,
//   never below one blank between two texts);
// - then the longest text that is not a figure is cut at a word boundary;
// - figures (weights, percentages, dates, times) and identifiers are never cut: pieces
//   that still do not fit continue on the next line, each at the column it asked for,
//   so a figure stays under its caption.
// Returns the printed lines (one, unless figures had to move down).
QStringList ComporLinha(const QList<PecaLinha>& pecas, int largura);

// The text cut to at most `largura` characters at a word boundary (a single word
// longer than that is cut where it must).
QString CortaNaPalavra(const QString& texto, int largura);

// Splits a text into lines of at most `largura` characters at word boundaries.
QStringList QuebraEmLinhas(const QString& texto, int largura);
