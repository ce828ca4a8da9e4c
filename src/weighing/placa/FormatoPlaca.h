// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The two Brazilian plate formats: the old grey plate (AAA9999) and the
// Mercosul plate (AAA9A99). A reading's look-alike characters (O and 0, I
// and 1, B and 8, S and 5, ...) are settled by the position they stand in.
namespace FormatoPlaca
{

enum class Tipo {
    Qualquer, // the fifth character read as it is, letter or digit
    Antiga,   // grey plate: the fifth character is a digit
    Mercosul  // the fifth character is a letter
};

// True for a plate in one of the two formats, in capitals.
bool valida(const QString& placa);

// The plate within a reading: blanks, hyphens and other marks left out, the
// window of seven characters that fits a format with the fewest look-alikes
// settled (the first of equals), each character turned into what its
// position asks. Empty when no window fits. `trocas` gets how many were
// settled.
QString naLeitura(const QString& lido, Tipo tipo = Tipo::Qualquer, int* trocas = nullptr);

} // namespace FormatoPlaca
