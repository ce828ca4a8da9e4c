// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumeroDigitado.h"

#include "Rotinas.h"

std::optional<Decimal> NumeroDigitado(const QString& digitado)
{
    const QString t = digitado.trimmed();
    if (!EhNumero(ConverteNumero(t, false))) {
        return std::nullopt;
    }
    return Decimal::parse(ConverteNumero(t, true));
}
