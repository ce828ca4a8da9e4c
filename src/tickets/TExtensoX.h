// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// A money amount in Brazilian Portuguese words, in reais and centavos, as on
// cheques and receipts: "1234,56" gives "um mil duzentos e trinta e quatro
// reais e cinquenta e seis centavos". Each word carries its trailing blank, so
// an amount without centavos ends with one ("dois reais "). Used by the
// amount-in-words form of the ticket templates.
class TExtensoX
{
public:
    TExtensoX();

    // The amount as text, comma as decimal separator ("1234,56"; "7" reads
    // as 7,00; a point is taken as the separator when there is no comma).
    // Zero gives an empty text. Amounts up to 999.999.999.999,99 are written
    // in words; anything else that is not an amount comes back as given.
    void ValorExtenso(const QString& valor);

    const QString& Resultado() const { return m_resultado; }
    // The last amount converted, normalised ("7" -> "7,00").
    const QString& UltimoValor() const { return m_ultimoValor; }

    // One conversion without keeping an instance.
    static QString Extenso(const QString& valor);

private:
    QString Centenas(QStringView digitos) const;
    QString Dezenas(int dezena, int unidade) const;
    QString Milhares(QStringView digitos) const;
    QString Grandes(QStringView inteiro) const;

    QString m_unidades[10];
    QString m_dezADezenove[10];
    QString m_dezenas[10];
    QString m_centenas[10];

    QString m_resultado;
    QString m_ultimoValor;
};
