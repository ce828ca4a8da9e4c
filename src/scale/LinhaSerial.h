// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <termios.h>

enum TBaudRate {
    brCustom,
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum TDataBits { db5BITS, db6BITS, db7BITS, db8BITS };
// Linux has no 1.5 stop bits: sb1HALFBITS sends two (a UART sends 1.5 with 5 data bits).
enum TStopBits { sb1BITS, sb1HALFBITS, sb2BITS };
enum TParity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum THwFlowControl { hfNONE, hfNONERTSON, hfRTSCTS };
enum TSwFlowControl { sfNONE, sfXONXOFF };

struct ParametrosLinha {
    TBaudRate baudRate = br9600;
    uint32_t baudRateValue = 9600; // used by brCustom
    TDataBits dataBits = db8BITS;
    TStopBits stopBits = sb1BITS;
    TParity parity = ptNONE;
    THwFlowControl hwFlow = hfNONERTSON;
    TSwFlowControl swFlow = sfNONE;
};

// Bits per second of a TBaudRate (brCustom: `valorCustom`).
uint32_t VelocidadeBaud(TBaudRate baud, uint32_t valorCustom);

struct TermiosLinha {
    termios tio{};
    uint32_t velocidade = 0;
    // The speed has no Bnnn constant: it is set through termios2 (BOTHER) after tcsetattr.
    bool velocidadeEspecial = false;
};

// The line settings in termios form: raw mode (VMIN = VTIME = 0), CLOCAL|CREAD,
// no parity check on input, XON 17 / XOFF 19. Pure, so that every flag can be checked.
TermiosLinha MontaTermios(const ParametrosLinha& p);

// Sets a speed without a Bnnn constant (termios2). False on failure (errno set).
bool AplicaVelocidadeEspecial(int fd, uint32_t velocidade);
