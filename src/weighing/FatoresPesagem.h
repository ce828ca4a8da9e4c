// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Pesagem.h"

#include <QString>
#include <array>
#include <optional>

class TDM;

// The correction factors 7-10 and the moisture discount of the weighing
// window, checked and looked up when the operator leaves their fields.
namespace FatoresPesagem
{

struct ChecagemFatores {
    enum Situacao {
        NaoSeAplica,         // no product, factors off, or a field without a number
        Aceitos,             // the fields as `fatores` (stored values in the display format)
        SomaInvalida,        // f7 + f8 + f9 + f10 >= 100: the four fields are cleared
        Fator10NaoCadastrado // fixed factors and factor 10 not in the product's table: cleared
    };
    Situacao situacao = NaoSeAplica;
    std::array<QString, 4> fatores;
    QString mensagem; // shown when not empty
    QString titulo;
    int icone = 64;
    bool limpa() const { return situacao == SomaInvalida || situacao == Fator10NaoCadastrado; }
};

// The factor check and look-up of the exit window (and after loading a weighing).
ChecagemFatores checa(TDM& dm, const ConfigPesagem& cfg, const QString& prdCodigo,
                      const std::array<QString, 4>& fatores);

// Leaving "Umidade:": the moisture and its discount as the window shows them
// (CFG_CASASUMIDADE decimals), and the message to show; nullopt when the
// moisture is not a number (nothing changes).
struct Umidade {
    QString umidade;
    QString desconto;
    QString mensagem; // title "Informação"
};
std::optional<Umidade> calculaUmidade(TDM& dm, const ConfigPesagem& cfg, const QString& prdCodigo,
                                      const QString& umidade);

} // namespace FatoresPesagem
