// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// How the registries write what the operator typed: texts trimmed with their
// apostrophes turned into blanks, empty optional values as NULL, numbers and
// dates converted from the Brazilian form before they are bound.
namespace ValoresSql
{

QString texto(const QString& digitado);
// As texto(), NULL when nothing is left.
QVariant opcional(const QString& digitado);
// The parties' observation: apostrophes become line feeds; NULL when empty.
QVariant memo(const QString& digitado);
// A typed number (comma or point as the decimal separator, "1.234,5" too) in
// the form bound to NUMERIC columns; NULL when the text is not a number.
QVariant numero(const QString& digitado);
// A dd/mm/yyyy text as a date; NULL when blank or not a date.
QVariant data(const QString& digitado);

} // namespace ValoresSql
