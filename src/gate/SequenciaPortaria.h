// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModuloPortaria.h"

#include <QObject>

class VigiaPlataforma;

// The lights and barriers following the deck:
// - the entry light is green only while the deck is empty, back to zero and
//   read; red otherwise (a vehicle on the deck, a deck not zeroed, a silent
//   indicator);
// - after a weighing is saved the exit light turns green and the exit
//   barrier opens for a pulse (PulsoMs); the exit light turns red again when
//   the deck is empty.
// A light changes with the new colour lit before the old one goes out, so
// there is no moment with neither. The operator may force any output from
// the weighing window; that is logged, and the sequence takes over again at
// the deck's next change.
class SequenciaPortaria : public QObject
{
    Q_OBJECT
public:
    SequenciaPortaria(VigiaPlataforma& vigia, ModuloPortaria& modulo, QObject* parent = nullptr);

    void pesagemSalva();
    void forca(SaidaPortaria saida, bool ligada, const QString& usuario);

Q_SIGNALS:
    // A line for the log (a forced output).
    void registrado(const QString& linha);

private:
    void acompanha();
    void sinal(SaidaPortaria verde, SaidaPortaria vermelho, bool verdeAceso);

    VigiaPlataforma& m_vigia;
    ModuloPortaria& m_modulo;
    bool m_saidaLiberada = false;
};
