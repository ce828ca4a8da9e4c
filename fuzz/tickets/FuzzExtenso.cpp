// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry over the amount in words: any text comes back as words or as
// given, and a plain amount of up to twelve integer digits is always written
// in words of reais and centavos.
#include "TExtensoX.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    const QString valor = QString::fromUtf8(reinterpret_cast<const char*>(dados), qsizetype(tamanho));
    const QString r = TExtensoX::Extenso(valor);
    static const QRegularExpression simples(QStringLiteral("^[1-9][0-9]{0,11},[0-9]{2}$"));
    if (simples.match(valor).hasMatch() &&
        (r.isEmpty() || r == valor ||
         !(r.contains(QLatin1String("rea")) || r.contains(QLatin1String("centavo")))))
        std::abort();
    return 0;
}
