// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QWidget;

// The registry windows the weighing window opens as pickers (F2 and the
// small buttons, through the registries' one picker contract) and as full
// registries (F3), each behind one function.
namespace Seletores
{

struct Item {
    QString codigo;
    QString nome;
    QString placa; // drivers
    QString rg;    // drivers
};

// Party of a kind (2 carrier, 3 client, 4 supplier): code and name.
std::optional<Item> parte(QWidget* pai, int tipo);
// Driver (kind 5): RG and name; searched by plate, also the plate.
std::optional<Item> motorista(QWidget* pai, bool pelaPlaca);
// Product: code and description.
std::optional<Item> produto(QWidget* pai);
// The allowed values of a correction factor (7 to 10) of a product.
std::optional<QString> fator(QWidget* pai, const QString& prdCodigo, int fator);

// The full registries. A party kind opens with `titulo`; the driver registry
// returns the driver current when it closed.
void cadastroParte(QWidget* pai, int tipo, const QString& titulo);
std::optional<Item> cadastroMotorista(QWidget* pai);
void cadastroProduto(QWidget* pai);

} // namespace Seletores
