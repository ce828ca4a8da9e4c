// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QString>
#include <QStringList>

// The gate's settings of one workstation, viga.ini [portaria]:
//   Ocupada=400   kg: at or above it a vehicle is on the deck
//   Livre=200     kg: below it the deck is empty again (the band between
//                 Livre and Ocupada keeps noise from switching the state;
//                 default half of Ocupada)
//   Zero=20       kg: an empty deck reads within this of zero
//   ZeroMs=2000   how long a stable zero must last to count
//   Silencio=2    seconds without a frame: the indicator went silent
// and the Modbus module of the lights and barriers (see ModuloPortaria.h).
struct ConfigPortaria {
    Decimal ocupada = Decimal::fromInt(400);
    Decimal livre = Decimal::fromInt(200);
    Decimal zero = Decimal::fromInt(20);
    int zeroMs = 2000;
    int silencioMs = 2000;

    // The Modbus module: "host:porta" (TCP) or a serial device path (RTU);
    // empty = no module.
    QString modulo;
    int escravo = 1;                              // unit / slave id
    int baud = 9600;                              // RTU only
    QString quadroSerial = QStringLiteral("8N1"); // RTU only: data bits, parity, stop bits
    int esperaMs = 300;                           // the longest wait for one answer
    int pulsoMs = 3000;                           // how long the exit barrier stays open after a save
    // Coil per output, -1 = not wired.
    int sinalEntradaVermelho = -1;
    int sinalEntradaVerde = -1;
    int sinalSaidaVermelho = -1;
    int sinalSaidaVerde = -1;
    int cancelaEntrada = -1;
    int cancelaSaida = -1;
    // Discrete input per sensor, -1 = not wired. A photocell input is on
    // while its beam is cut: the vehicle stands over that edge of the deck.
    int fotocelulaEntrada = -1;
    int fotocelulaSaida = -1;
    int lacoEntrada = -1;

    bool temModulo() const { return !modulo.isEmpty(); }

    // Reads [portaria] of the ini file. Every value that is not valid is
    // said in `erros` (file, key, value, what is expected and the value used
    // instead), so the caller shows it; nothing is replaced without a word.
    static ConfigPortaria le(const QString& arquivoIni, QStringList* erros);
    // Of viga.ini in the data folder.
    static ConfigPortaria doIni(QStringList* erros);
};
