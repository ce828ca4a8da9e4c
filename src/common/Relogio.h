// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// "Today" and "now" for the whole system. Tests fix the clock; the program
// follows the machine's local time.
class Relogio
{
public:
    static QDateTime agora();
    static QDate hoje() { return agora().date(); }
    static QTime horaAtual() { return agora().time(); }

    // Fixes the clock at `momento` (an invalid value returns to the real clock).
    static void fixar(const QDateTime& momento);
};
