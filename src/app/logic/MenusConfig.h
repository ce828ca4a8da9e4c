// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TDM;

// What the main window's menus show, from the configuration row, read once
// per start.
struct MenusConfig {
    bool motorista = false;   // CFG_CADMOTORISTA = 1
    bool tipoVeiculo = false; // CFG_TIPOVEICULO = 1
    bool embalagem = false;   // CFG_CADEMBALAGEM = 1
    bool navio = false;       // CFG_NAVIO = 1: carriers read "Navio"

    static MenusConfig ler(TDM& dm);
};
