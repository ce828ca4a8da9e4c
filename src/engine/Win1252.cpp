// SPDX-License-Identifier: GPL-3.0-or-later
#include "Win1252.h"

namespace
{

// Windows-1252 bytes 0x80-0x9F; 0 where the code page has no character.
const char16_t Win1252Alto[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char byteWin1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (Win1252Alto[i] != 0 && Win1252Alto[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

QByteArray ParaWin1252(const QString& texto)
{
    QByteArray r(texto.size(), Qt::Uninitialized);
    char* d = r.data();
    const char16_t* s = reinterpret_cast<const char16_t*>(texto.utf16());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        d[i] = s[i] < 0x80 ? static_cast<char>(s[i]) : byteWin1252(s[i]);
    }
    return r;
}

QString DeWin1252(const QByteArray& bytes)
{
    QString saida(bytes.size(), Qt::Uninitialized);
    QChar* p = saida.data();
    for (const char c : bytes) {
        const uchar b = uchar(c);
        const char16_t alto = (b >= 0x80 && b < 0xA0) ? Win1252Alto[b - 0x80] : 0;
        *p++ = QChar(alto ? alto : char16_t(b));
    }
    return saida;
}
