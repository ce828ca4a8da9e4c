// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <array>

// The discount model of a weighing and the quantities derived from its stored
// values, for the weighing window, the ticket and the reports. Every step is
// a fixed-point operation rounded to four decimals; a percentage becomes a
// coefficient (100 - p) / 100 with four decimals.
namespace Quantidades
{

// The percentages of one weighing's product row.
struct Fatores {
    std::array<Decimal, 6> fixos;   // f1 .. f6: the product's fixed factors (FCF)
    std::array<Decimal, 4> saida;   // f7 .. f10 given at the exit (FCV)
    Decimal umidade;                // f11: the moisture discount
    std::array<Decimal, 4> entrada; // f7e .. f10e given at the entry
};

// (100 - soma) / 100
Decimal coeficiente(Decimal somaPercentuais);
// FCF = (100 - f1 - ... - f6) / 100
Decimal fcf(const Fatores& f);
// FCV at exit = (100 - f7 - f8 - f9 - f10 - f11) / 100
Decimal fcvSaida(const Fatores& f);
// FCV at entry (c7e) = (100 - f7e - f8e - f9e - f10e) / 100
Decimal fcvEntrada(const Fatores& f);
// (100 - f1 - ... - f6 - f7 - ... - f11) / 100: the discounts added, so fcTotal = FCF + FCV - 1.
Decimal fcTotal(const Fatores& f);

// Party kind 4: the vehicle arrives loaded.
constexpr int Fornecedor = 4;

// E' = E x c7e
Decimal pesoEntradaCorrigido(Decimal entrada, Decimal c7e);
// L = E' - S for a supplier, S - E' otherwise.
Decimal liquido(Decimal entradaCorrigida, Decimal saida, int tipoParte);
// Supplier: gross E', tare S; otherwise gross S, tare E'.
Decimal bruto(Decimal entradaCorrigida, Decimal saida, int tipoParte);
Decimal tara(Decimal entradaCorrigida, Decimal saida, int tipoParte);
// L - N
Decimal diferencaNota(Decimal liquido, Decimal pesoNota);
// L - P
Decimal liquidoSemEmbalagem(Decimal liquido, Decimal pesoEmbalagem);

// The ticket's corrected net: |(E' - S) x fcTotal|.
Decimal liquidoCorrigidoTicket(Decimal entradaCorrigida, Decimal saida, const Fatores& f);
// The movement report's corrected net: L (after packaging) x fcTotal.
Decimal liquidoCorrigidoMovimento(Decimal liquidoSemEmbalagem, const Fatores& f);
// The flow report's net: (E' - S) x FCF x FCV at exit, compounded, whatever the party kind.
Decimal liquidoFluxo(Decimal entradaCorrigida, Decimal saida, const Fatores& f);
// A factor's share of the net: f x L / 100.
Decimal pesoFator(Decimal fator, Decimal liquido);
// The sum of the fifteen shares (f1..f11 and f7e..f10e) of L.
Decimal totalDescontoSaida(const Fatores& f, Decimal liquido);

// t x L / 1000
Decimal valorTonelada(Decimal valorPorTonelada, Decimal liquido);
// V x d / 100
Decimal valorDesconto(Decimal valor, Decimal percDesc);
// V - V x d / 100
Decimal valorLiquido(Decimal valor, Decimal percDesc);
// km x r x L, 2 decimals
Decimal frete(Decimal km, Decimal taxa, Decimal liquido);
// rho x (L - P)
Decimal metrosCubicos(Decimal densidade, Decimal liquido, Decimal pesoEmbalagem);

} // namespace Quantidades
