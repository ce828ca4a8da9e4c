// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TDM;

// What the template editor does besides its window: the template's lines
// read and stored back as a whole, the names offered for insertion, and the
// ".ctp" files.
namespace EdicaoTemplate
{

// The stored lines of template `codigo`, in order.
QStringList carregar(TDM& dm, int codigo);

// A line as stored: rich-text accent escapes turned into their letters, single
// quotes into double quotes.
QString limpaLinha(QString linha);

// What keeps `linhas` from being stored on every engine (more lines than
// the line number holds, a NUL character); empty when they can be stored.
QString problema(const QStringList& linhas);
// The most lines a template holds (its line number is a small integer).
constexpr int MaximoLinhas = 32767;

// Replaces the stored template by `linhas` (cleaned, numbered from 0) in one
// transaction; on a failure (a `problema` included) nothing changes and
// ErroBanco is thrown.
void gravar(TDM& dm, int codigo, const QStringList& linhas);

// The field names of the ticket query, in column order.
QStringList campos();

// Writes the lines as UTF-8 text; false when the file cannot be written.
bool exportar(const QString& arquivo, const QStringList& linhas);
// The text of a file: UTF-8, or Windows-1252 when it is not valid UTF-8 (files
// exported by older installations). Empty when it cannot be read.
QString importar(const QString& arquivo);
// The same for the bytes of a file already read.
QString textoCtp(QByteArray bytes);

// The syntax summary of F1.
QString resumoSintaxe();

} // namespace EdicaoTemplate
