// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

class TDM;

// The highest code of `coluna` in `tabela` plus 1 (1 on an empty table),
// 64-bit as the codes are.
qint64 ProximoCodigo(const QString& coluna, const QString& tabela);
qint64 ProximoCodigo(TDM& dm, const QString& coluna, const QString& tabela);
