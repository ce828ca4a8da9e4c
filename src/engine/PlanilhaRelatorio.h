// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>

class TRelevo;

// A previewed report as a spreadsheet: one row per display line, one cell per
// text the report wrote there, in the column of the report's own column it was
// written at (TRelevo::pecasExibidas), so each title stands over its figures;
// the built-in page header is cut where its columns part (two blanks or more,
// or one blank between figures, celulas()). Each cell typed: numbers ("1234,50", "-12") as numbers with their
// decimals, dates ("01/11/2026") as dates, anything else as text. A code with
// leading zeros stays text, so "000123" keeps its zeros. A rule line ("-----",
// "=====") becomes an empty row: it carries nothing a spreadsheet needs.
namespace PlanilhaRelatorio
{

struct Celula {
    enum Tipo { Texto, Numero, Data } tipo = Texto;
    QString texto;     // as printed
    double numero = 0; // Numero
    int casas = 0;     // decimals of a Numero as printed
    QDate data;        // Data
};

// The cells of one display line (printer markers such as "<ng>" left out).
QList<Celula> celulas(const QString& linha);

// Every display line of `origem` as a CSV row: UTF-8 with a byte-order mark,
// cells parted by ";", numbers with the decimal comma, dates dd/mm/yyyy, CR LF
// after each row. False with the reason in `erro` when the file could not be
// written whole (nothing is left half-written).
bool salvaCsv(const TRelevo& origem, const QString& arquivo, QString* erro = nullptr);

// The same rows in an Office Open XML workbook (.xlsx), numbers and dates
// typed; a report longer than a sheet continues on the next one.
bool salvaXlsx(const TRelevo& origem, const QString& arquivo, QString* erro = nullptr);

} // namespace PlanilhaRelatorio
