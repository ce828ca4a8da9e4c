// SPDX-License-Identifier: GPL-3.0-or-later
#include "Relogio.h"

namespace
{
QDateTime g_fixo;
}

QDateTime Relogio::agora()
{
    if (g_fixo.isValid()) {
        return g_fixo;
    }
    return QDateTime::currentDateTime();
}

void Relogio::fixar(const QDateTime& momento)
{
    g_fixo = momento;
}
