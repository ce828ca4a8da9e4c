// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormatoPlaca.h"

namespace
{

// Look-alikes, in both directions: what a digit stands for where a letter
// must be, and what a letter stands for where a digit must be.
struct Par {
    char16_t digito;
    char16_t letra;
};
constexpr Par comoLetra[] = {{u'0', u'O'}, {u'1', u'I'}, {u'2', u'Z'}, {u'4', u'A'},
                             {u'5', u'S'}, {u'6', u'G'}, {u'7', u'T'}, {u'8', u'B'}};
constexpr Par comoDigito[] = {{u'0', u'O'}, {u'0', u'Q'}, {u'0', u'D'}, {u'1', u'I'},
                              {u'1', u'L'}, {u'2', u'Z'}, {u'4', u'A'}, {u'5', u'S'},
                              {u'6', u'G'}, {u'7', u'T'}, {u'8', u'B'}};

bool letra(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

bool digito(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The character as a letter (or a digit), settling a look-alike from the
// table; a null QChar when it cannot be one.
template <size_t N>
QChar como(QChar c, bool (*serve)(QChar), const Par (&pares)[N], bool querLetra, int& trocas)
{
    if (serve(c)) return c;
    for (const Par& p : pares) {
        if (c == (querLetra ? p.digito : p.letra)) {
            ++trocas;
            return querLetra ? p.letra : p.digito;
        }
    }
    return {};
}

QChar paraLetra(QChar c, int& trocas)
{
    return como(c, letra, comoLetra, true, trocas);
}

QChar paraDigito(QChar c, int& trocas)
{
    return como(c, digito, comoDigito, false, trocas);
}

QString janela(QStringView s, FormatoPlaca::Tipo tipo, int& trocas)
{
    QString r(7, QChar());
    trocas = 0;
    for (int i = 0; i < 7; ++i) {
        QChar c;
        if (i < 3) {
            c = paraLetra(s[i], trocas);
        } else if (i == 4 && tipo == FormatoPlaca::Tipo::Mercosul) {
            c = paraLetra(s[i], trocas);
        } else if (i == 4 && tipo == FormatoPlaca::Tipo::Qualquer) {
            c = s[i];
        } else {
            c = paraDigito(s[i], trocas);
        }
        if (c.isNull()) return {};
        r[i] = c;
    }
    return r;
}

} // namespace

namespace FormatoPlaca
{

bool valida(const QString& placa)
{
    if (placa.size() != 7) return false;
    for (int i = 0; i < 7; ++i) {
        const QChar c = placa[i];
        const bool ok = i < 3 ? letra(c) : i == 4 ? letra(c) || digito(c) : digito(c);
        if (!ok) return false;
    }
    return true;
}

QString naLeitura(const QString& lido, Tipo tipo, int* trocas)
{
    QString s;
    for (QChar c : lido.toUpper()) {
        if (letra(c) || digito(c)) s += c;
    }
    QString melhor;
    int menos = 8;
    for (qsizetype i = 0; i + 7 <= s.size(); ++i) {
        int t = 0;
        const QString p = janela(QStringView(s).mid(i, 7), tipo, t);
        if (!p.isEmpty() && t < menos) {
            melhor = p;
            menos = t;
        }
    }
    if (trocas) *trocas = melhor.isEmpty() ? 0 : menos;
    return melhor;
}

} // namespace FormatoPlaca
