// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

enum class ModeloIndicador { AR, ARN5, ARN6 };

struct ConfigIndicador {
    ModeloIndicador modelo = ModeloIndicador::AR;
    double taxa = 10;    // frames per second
    int baud = 9600;     // byte pacing; 0 = none
    double peso = 27340; // the truck's settled weight
    int casas = 0;       // decimals carried by the frame
    double tempoEstavel = 8;
    bool negativo = false;
    bool foraDeFaixa = false;
    bool fixo = false;
};

// What the indicator reads at a moment of the loop.
struct Leitura {
    double valor = 0;
    bool estavel = false;
    bool foraDeFaixa = false;
};

// The weight profile: empty deck, a truck driving on, settling, stable, driving
// off, then the optional negative and out-of-range stretches; and again.
Leitura Perfil(const ConfigIndicador& c, double segundos);
double DuracaoCiclo(const ConfigIndicador& c);

// One frame of the model, carriage return included.
std::string MontaQuadro(const ConfigIndicador& c, const Leitura& l);
std::string Quadro(const ConfigIndicador& c, double segundos);
// On demand the indicator answers with the settled reading of the moment.
std::string QuadroDemanda(const ConfigIndicador& c, double segundos);
