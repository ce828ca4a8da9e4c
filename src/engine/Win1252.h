// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Texts in the Windows-1252 code page, in which printers and PDF files get them:
// characters the code page lacks become '?'.
QByteArray ParaWin1252(const QString& texto);
QString DeWin1252(const QByteArray& bytes);
