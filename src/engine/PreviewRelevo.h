// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CodigoQR.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TRelevo;

// What the preview window does with a previewed job's pages, without widgets:
// page lists, replaying printer lines through another job, spooling pages,
// the text and HTML files (spreadsheets: PlanilhaRelatorio), and the pages drawn on the system printer.

// Pages (0-based) chosen by a typed list such as "1;3-4", "5-2", "-2" or "3-", with page
// numbers starting at `primeira` and `total` pages.
QList<int> ParsePageList(const QString& texto, int primeira, int total);

// The reverse-feed code of a "<ms>" marker text: ESC j 1 repeated 28, 24 ... 4 times for 1 ... 7.
QByteArray ReverseFeedCode(const QString& marcador);

// Prints the selected pages of `origem` by replaying its printer lines through `job`
// (which must not preview). The lines are already in the printer's code page and are
// not converted again. False when the job could not begin.
bool ReplayPages(const TRelevo& origem, const QList<int>& paginas, TRelevo& job);

// Writes the selected printer lines to a job file, a form feed after each page, and
// sends it as a raw job to the default destination. Messages as the job's spooling.
void SpoolPages(const TRelevo& origem, const QList<int>& paginas, TRelevo& job);

// Every display line of every page, CR LF after each (UTF-8).
bool SalvaTexto(const TRelevo& origem, const QString& arquivo);
// The display lines in an HTML table, blanks as &nbsp;, in the font named.
bool SalvaHtml(const TRelevo& origem, const QString& arquivo, const QString& fonte, bool ingles);

// One line to draw on the system printer, with the QR code drawn beside it
// when the job put one there.
struct LinhaDesenho {
    bool negrito = false;
    QString texto;
    const MarcaQR* qr = nullptr;
};
using PaginaDesenho = QList<LinhaDesenho>;

// Points each line that anchors one of `codigos` at its mark (`codigos` must
// outlive the pages).
void MarcaCodigosQR(QList<PaginaDesenho>& paginas, const QList<MarcaQR>& codigos);

// A job file split into printed pages: a form feed at the start of a line asks for a new
// page, and so do `qtLines` lines on a page or `cabem` lines (what the paper height takes);
// "<ng>" at the start makes a line bold; a blank last line is left out.
QList<PaginaDesenho> PaginasDoArquivo(const QByteArray& conteudo, int qtLines, int cabem);
// The display lines of the selected pages, one printed page each.
QList<PaginaDesenho> PaginasExibidas(const TRelevo& origem, const QList<int>& paginas);
