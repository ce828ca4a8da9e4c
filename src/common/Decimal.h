// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

// The one fixed-point type of the system: weights, factors, percentages and
// money. A 64-bit count of ten-thousandths; every operation rounds half to even.
class Decimal
{
public:
    static constexpr int64_t Scale = 10000;

    constexpr Decimal() = default;
    static constexpr Decimal fromRaw(int64_t raw)
    {
        Decimal d;
        d.m_raw = raw;
        return d;
    }
    static constexpr Decimal fromInt(int64_t v) { return fromRaw(v * Scale); }
    static Decimal fromDouble(double v);
    // Typed or stored text: "1234,5", "1234.5", "-0,25", " 12 ". The comma or the
    // point is the decimal separator; no thousands separator. Empty or invalid: nullopt.
    static std::optional<Decimal> parse(const QString& text);
    // As parse(), 0 when the text is not a number.
    static Decimal fromText(const QString& text) { return parse(text).value_or(Decimal()); }
    // Database value: NULL and invalid read as 0.
    static Decimal fromVariant(const QVariant& v);

    constexpr int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    bool isZero() const { return m_raw == 0; }
    Decimal abs() const { return fromRaw(m_raw < 0 ? -m_raw : m_raw); }

    // Shown form: fixed decimals (0..4), decimal comma, no thousands separator.
    QString toString(int decimals) const;
    // Shortest form with the decimal comma ("1234,5", "12", "-0,25").
    QString toShortString() const;
    // Form for SQL and numeric binding: point separator, shortest ("1234.5").
    QString toSqlString() const;

    Decimal rounded(int decimals) const;

    friend Decimal operator+(Decimal a, Decimal b) { return fromRaw(a.m_raw + b.m_raw); }
    friend Decimal operator-(Decimal a, Decimal b) { return fromRaw(a.m_raw - b.m_raw); }
    friend Decimal operator-(Decimal a) { return fromRaw(-a.m_raw); }
    friend Decimal operator*(Decimal a, Decimal b);
    friend Decimal operator/(Decimal a, Decimal b); // division by zero gives 0
    Decimal& operator+=(Decimal b)
    {
        m_raw += b.m_raw;
        return *this;
    }
    Decimal& operator-=(Decimal b)
    {
        m_raw -= b.m_raw;
        return *this;
    }
    friend auto operator<=>(const Decimal&, const Decimal&) = default;

private:
    int64_t m_raw = 0;
};
