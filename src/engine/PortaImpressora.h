// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// Where a printer port name leads on this system, and the printer services
// behind it: raw jobs to CUPS, the default destination, the parallel-port status.

struct DestinoPorta {
    enum Tipo { Arquivo, FilaCups };
    Tipo tipo = Arquivo;
    QString caminho; // device or file path (Arquivo); queue name (FilaCups, empty: the default)
    QString fila() const { return caminho; }
};

// "lpt1" (any case) -> viga.ini [printer] LPT1=, else /dev/lp0; "COM1" -> the serial mapping;
// "\\host\queue" -> that CUPS queue; empty -> the CUPS default destination; anything else a file path.
DestinoPorta ResolvePorta(const QString& porta);

// Name and port of the default printer: the CUPS default destination.
struct TImpressora {
    QString nome;
    QString porta;
};
TImpressora GetDefaultPrinter();

// Sends a file as a raw job titled "Relevo document" to a CUPS queue (empty: the default
// destination). `processar` runs between blocks so the window stays responsive.
enum class ResultadoSpool { Ok, ErroSelecionar, ErroIniciar, ErroEscrever, ErroFinalizar };
ResultadoSpool EnviaArquivoCups(const QString& arquivo, const QString& fila,
                                const std::function<void()>& processar = {});

// Status byte of a parallel printer device read with LPGETSTATUS; -1 when it cannot be read.
int LeStatusParalela(const QString& dispositivo);
// The status byte mapped to the five status codes: 0 ready, 1 not ready, 2 out of paper,
// 3 offline, 4 unknown problem.
int CodigoStatusParalela(int statusByte);
