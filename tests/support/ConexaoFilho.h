// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conexao.h"
#include "Esquema.h"
#include "TDM.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

// A workstation started by a test as a child process: the database of
// $VIGA_HOME, opened as VIGA opens it. Ends the process (code 2, the reason
// on standard error) when it cannot.
inline std::unique_ptr<TDM> ConectaFilho()
{
    Conexao c;
    QString erro;
    if (!Conexao::ler(c, &erro)) {
        std::fprintf(stderr, "%s\n", qPrintable(erro));
        std::exit(2);
    }
    auto dm = std::make_unique<TDM>(c);
    if (!Esquema::abreBanco(*dm, &erro)) {
        std::fprintf(stderr, "%s\n", qPrintable(erro));
        std::exit(2);
    }
    return dm;
}
