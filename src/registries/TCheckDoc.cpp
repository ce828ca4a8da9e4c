// SPDX-License-Identifier: GPL-3.0-or-later
#include "TCheckDoc.h"

#include <array>
#include <span>

namespace
{

// Digits of `texto` at the 1-based positions given, or empty when any of them
// is not a digit.
template <size_t N>
bool digitos(const QString& texto, const std::array<int, N>& posicoes, std::array<int, N>& saida)
{
    for (size_t i = 0; i < N; ++i) {
        const QChar c = texto[posicoes[i] - 1];
        if (c < u'0' || c > u'9') {
            return false;
        }
        saida[i] = c.unicode() - u'0';
    }
    return true;
}

// Modulo 11: d = 0 when the weighted sum leaves 0 or 1, else 11 - rest.
int digitoVerificador(std::span<const int> d, std::span<const int> pesos)
{
    int soma = 0;
    for (size_t i = 0; i < pesos.size(); ++i) {
        soma += d[i] * pesos[i];
    }
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

template <size_t N> constexpr std::array<int, N> sequencia()
{
    std::array<int, N> a{};
    for (size_t i = 0; i < N; ++i) {
        a[i] = int(i) + 1;
    }
    return a;
}

bool pontuacao(const QString& t, std::initializer_list<std::pair<int, char16_t>> marcas)
{
    for (const auto& [pos, c] : marcas) {
        if (t[pos - 1] != QChar(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool TCheckDoc::cpfValido(const QString& t)
{
    std::array<int, 11> d{};
    if (t.size() == 14) {
        if (!pontuacao(t, {{4, u'.'}, {8, u'.'}, {12, u'-'}})) {
            return false;
        }
        if (!digitos(t, std::array<int, 11>{1, 2, 3, 5, 6, 7, 9, 10, 11, 13, 14}, d)) {
            return false;
        }
    } else if (t.size() == 11) {
        if (!digitos(t, sequencia<11>(), d)) {
            return false;
        }
    } else {
        return false;
    }
    static constexpr std::array<int, 10> pesos2 = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    const int d1 = digitoVerificador(d, std::span(pesos2).subspan(1));
    const int d2 = digitoVerificador(d, pesos2);
    return d1 == d[9] && d2 == d[10];
}

bool TCheckDoc::cnpjValido(const QString& t)
{
    std::array<int, 14> d{};
    if (t.size() == 18) {
        if (!pontuacao(t, {{3, u'.'}, {7, u'.'}, {11, u'/'}, {16, u'-'}})) {
            return false;
        }
        if (!digitos(t, std::array<int, 14>{1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 15, 17, 18}, d)) {
            return false;
        }
    } else if (t.size() == 14) {
        if (!digitos(t, sequencia<14>(), d)) {
            return false;
        }
    } else {
        return false;
    }
    static constexpr std::array<int, 13> pesos2 = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    const int d1 = digitoVerificador(d, std::span(pesos2).subspan(1));
    const int d2 = digitoVerificador(d, pesos2);
    return d1 == d[12] && d2 == d[13];
}

void TCheckDoc::setMode(TMode mode)
{
    if (mode == m_mode) {
        return;
    }
    m_mode = mode;
    verificar();
}

void TCheckDoc::setInput(const QString& input)
{
    m_input = input;
    verificar();
}

void TCheckDoc::verificar()
{
    m_result = m_mode == moCPF ? cpfValido(m_input) : cnpjValido(m_input);
}
