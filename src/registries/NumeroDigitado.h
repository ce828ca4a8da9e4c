// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QString>
#include <optional>

// A number as the operator types it (decimal comma, thousands points
// ignored); nullopt when the text is not a number.
std::optional<Decimal> NumeroDigitado(const QString& digitado);
