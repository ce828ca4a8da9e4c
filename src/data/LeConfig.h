// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QString>

class TDM;

// Reads the configuration row by column name at the moment of use, through
// QR_Configuracao (opened when needed), so a saved change reaches every
// window opened afterwards. Each LeConfig reads the row afresh once. NULL and a missing column read as 0 /
// empty.
class LeConfig
{
public:
    explicit LeConfig(TDM& dm) : m_dm(dm) {}

    bool existe();
    int inteiro(const QString& coluna);
    QString texto(const QString& coluna);
    Decimal decimal(const QString& coluna);
    // "On" means exactly 1 for a few flags; the others count any value but 0.
    bool ligado(const QString& coluna) { return inteiro(coluna) != 0; }

private:
    void abrir();
    TDM& m_dm;
    bool m_lido = false;
};
