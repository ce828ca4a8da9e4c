// SPDX-License-Identifier: GPL-3.0-or-later
#include "Quantidades.h"

namespace Quantidades
{

namespace
{

const Decimal cem = Decimal::fromInt(100);
const Decimal mil = Decimal::fromInt(1000);

template <size_t N> Decimal soma(const std::array<Decimal, N>& v)
{
    Decimal s;
    for (const Decimal& d : v) {
        s += d;
    }
    return s;
}

Decimal absoluto(Decimal d)
{
    return d < Decimal() ? -d : d;
}

} // namespace

Decimal coeficiente(Decimal somaPercentuais)
{
    return (cem - somaPercentuais) / cem;
}

Decimal fcf(const Fatores& f)
{
    return coeficiente(soma(f.fixos));
}

Decimal fcvSaida(const Fatores& f)
{
    return coeficiente(soma(f.saida) + f.umidade);
}

Decimal fcvEntrada(const Fatores& f)
{
    return coeficiente(soma(f.entrada));
}

Decimal fcTotal(const Fatores& f)
{
    return coeficiente(soma(f.fixos) + soma(f.saida) + f.umidade);
}

Decimal pesoEntradaCorrigido(Decimal entrada, Decimal c7e)
{
    return entrada * c7e;
}

Decimal liquido(Decimal entradaCorrigida, Decimal saida, int tipoParte)
{
    return tipoParte == Fornecedor ? entradaCorrigida - saida : saida - entradaCorrigida;
}

Decimal bruto(Decimal entradaCorrigida, Decimal saida, int tipoParte)
{
    return tipoParte == Fornecedor ? entradaCorrigida : saida;
}

Decimal tara(Decimal entradaCorrigida, Decimal saida, int tipoParte)
{
    return tipoParte == Fornecedor ? saida : entradaCorrigida;
}

Decimal diferencaNota(Decimal liquido, Decimal pesoNota)
{
    return liquido - pesoNota;
}

Decimal liquidoSemEmbalagem(Decimal liquido, Decimal pesoEmbalagem)
{
    return liquido - pesoEmbalagem;
}

Decimal liquidoCorrigidoTicket(Decimal entradaCorrigida, Decimal saida, const Fatores& f)
{
    return absoluto((entradaCorrigida - saida) * fcTotal(f));
}

Decimal liquidoCorrigidoMovimento(Decimal liquidoSemEmbalagem, const Fatores& f)
{
    return liquidoSemEmbalagem * fcTotal(f);
}

Decimal liquidoFluxo(Decimal entradaCorrigida, Decimal saida, const Fatores& f)
{
    return (entradaCorrigida - saida) * fcf(f) * fcvSaida(f);
}

Decimal pesoFator(Decimal fator, Decimal liquido)
{
    return fator * liquido / cem;
}

Decimal totalDescontoSaida(const Fatores& f, Decimal liquido)
{
    Decimal t;
    for (const Decimal& d : f.fixos) {
        t += pesoFator(d, liquido);
    }
    for (const Decimal& d : f.saida) {
        t += pesoFator(d, liquido);
    }
    t += pesoFator(f.umidade, liquido);
    for (const Decimal& d : f.entrada) {
        t += pesoFator(d, liquido);
    }
    return t;
}

Decimal valorTonelada(Decimal valorPorTonelada, Decimal liquido)
{
    return valorPorTonelada * liquido / mil;
}

Decimal valorDesconto(Decimal valor, Decimal percDesc)
{
    return valor * percDesc / cem;
}

Decimal valorLiquido(Decimal valor, Decimal percDesc)
{
    return valor - valorDesconto(valor, percDesc);
}

Decimal frete(Decimal km, Decimal taxa, Decimal liquido)
{
    return (km * taxa * liquido).rounded(2);
}

Decimal metrosCubicos(Decimal densidade, Decimal liquido, Decimal pesoEmbalagem)
{
    return densidade * (liquido - pesoEmbalagem);
}

} // namespace Quantidades
