// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextoImpresso.h"

#include <algorithm>

QString SemControles(const QString& texto)
{
    auto controle = [](QChar c) { return c.unicode() < 0x20; };
    if (std::none_of(texto.cbegin(), texto.cend(), controle)) return texto;
    QString r;
    r.reserve(texto.size());
    for (const QChar c : texto) {
        if (c == u'\t' || c == u'\n' || c == u'\r') {
            r += u' ';
        } else if (!controle(c)) {
            r += c;
        }
    }
    return r;
}
