#pragma once

#include <QString>

class TDM;

// The highest code of `coluna` in `tabela` plus 1 (1 on an empty table).
int ProximoCodigo(const QString& coluna, const QString& tabela);
int ProximoCodigo(TDM& dm, const QString& coluna, const QString& tabela);
