// SPDX-License-Identifier: GPL-3.0-or-later
#include "Decimal.h"

#include <cmath>

namespace
{

// Divides n by d (d > 0), rounding half to even.
int64_t divRound(__int128 n, __int128 d)
{
    __int128 q = n / d;
    __int128 r = n % d;
    if (r < 0) {
        r = -r;
    }
    __int128 twice = r * 2;
    if (twice > d || (twice == d && (q % 2 != 0))) {
        q += (n < 0) ? -1 : 1;
    }
    return int64_t(q);
}

} // namespace

Decimal Decimal::fromDouble(double v)
{
    if (!std::isfinite(v)) {
        return Decimal();
    }
    return fromRaw(int64_t(std::nearbyint(v * Scale)));
}

std::optional<Decimal> Decimal::parse(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return std::nullopt;
    }
    int i = 0;
    bool negative = false;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        ++i;
    }
    __int128 intPart = 0;
    int64_t fracRaw = 0;
    int fracDigits = 0;
    bool roundUpHalf = false, sawDigit = false, sawSep = false, restNonZero = false;
    int roundDigit = -1;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            sawDigit = true;
            const int digit = c.unicode() - '0';
            if (!sawSep) {
                intPart = intPart * 10 + digit;
                if (intPart > (__int128(INT64_MAX) / Scale)) {
                    return std::nullopt;
                }
            } else if (fracDigits < 4) {
                fracRaw = fracRaw * 10 + digit;
                ++fracDigits;
            } else if (roundDigit < 0) {
                roundDigit = digit;
            } else if (digit != 0) {
                restNonZero = true;
            }
        } else if ((c == u',' || c == u'.') && !sawSep) {
            sawSep = true;
        } else {
            return std::nullopt;
        }
    }
    if (!sawDigit) {
        return std::nullopt;
    }
    for (int k = fracDigits; k < 4; ++k) {
        fracRaw *= 10;
    }
    int64_t raw = int64_t(intPart * Scale + fracRaw);
    if (roundDigit > 5 || (roundDigit == 5 && (restNonZero || (raw % 2 != 0)))) {
        roundUpHalf = true;
    }
    if (roundUpHalf) {
        ++raw;
    }
    return fromRaw(negative ? -raw : raw);
}

Decimal Decimal::fromVariant(const QVariant& v)
{
    if (v.isNull() || !v.isValid()) {
        return Decimal();
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        return fromInt(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return fromDouble(v.toDouble());
    default:
        return fromText(v.toString());
    }
}

Decimal operator*(Decimal a, Decimal b)
{
    return Decimal::fromRaw(divRound(__int128(a.m_raw) * b.m_raw, Decimal::Scale));
}

Decimal operator/(Decimal a, Decimal b)
{
    if (b.m_raw == 0) {
        return Decimal();
    }
    __int128 n = __int128(a.m_raw) * Decimal::Scale;
    __int128 d = b.m_raw;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    return Decimal::fromRaw(divRound(n, d));
}

Decimal Decimal::rounded(int decimals) const
{
    if (decimals >= 4) {
        return *this;
    }
    if (decimals < 0) {
        decimals = 0;
    }
    int64_t unit = 1;
    for (int k = decimals; k < 4; ++k) {
        unit *= 10;
    }
    return fromRaw(divRound(m_raw, unit) * unit);
}

QString Decimal::toString(int decimals) const
{
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals > 4) {
        decimals = 4;
    }
    const Decimal r = rounded(decimals);
    const int64_t absRaw = r.m_raw < 0 ? -r.m_raw : r.m_raw;
    QString s = QString::number(absRaw / Scale);
    if (decimals > 0) {
        QString frac = QStringLiteral("%1").arg(absRaw % Scale, 4, 10, QLatin1Char('0'));
        s += u',' + frac.left(decimals);
    }
    if (r.m_raw < 0) {
        s.prepend(u'-');
    }
    return s;
}

QString Decimal::toShortString() const
{
    QString s = toString(4);
    if (s.contains(u',')) {
        while (s.endsWith(u'0')) {
            s.chop(1);
        }
        if (s.endsWith(u',')) {
            s.chop(1);
        }
    }
    return s;
}

QString Decimal::toSqlString() const
{
    QString s = toShortString();
    s.replace(u',', u'.');
    return s;
}
