// SPDX-License-Identifier: GPL-3.0-or-later
#include "MenusConfig.h"

#include "LeConfig.h"

MenusConfig MenusConfig::ler(TDM& dm)
{
    LeConfig c(dm);
    MenusConfig m;
    m.motorista = c.inteiro(QStringLiteral("CFG_CADMOTORISTA")) == 1;
    m.tipoVeiculo = c.inteiro(QStringLiteral("CFG_TIPOVEICULO")) == 1;
    m.embalagem = c.inteiro(QStringLiteral("CFG_CADEMBALAGEM")) == 1;
    m.navio = c.inteiro(QStringLiteral("CFG_NAVIO")) == 1;
    return m;
}
