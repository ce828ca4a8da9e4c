// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModuloPortaria.h"

#include <QGroupBox>
#include <QHash>

class Portaria;
class QPushButton;

// The gate's manual panel in the weighing window: one button per wired
// output of the module, each switching it on or off (Ctrl+1 ... Ctrl+6, in
// the order entry red, entry green, exit red, exit green, entry barrier, exit
// barrier). Every press is logged with the operator's name. The buttons take
// no focus and are never the default: Enter in the window never presses one.
// Hidden when the session has no gate module.
class PainelPortaria : public QGroupBox
{
    Q_OBJECT
public:
    // `portaria`: the gate of the session, may be null.
    explicit PainelPortaria(Portaria* portaria, QWidget* parent = nullptr);

    QPushButton* botao(SaidaPortaria saida) const { return m_botoes.value(int(saida)); }

private:
    void alterna(SaidaPortaria saida);
    void mostraEstado();

    Portaria* m_portaria;
    QHash<int, QPushButton*> m_botoes;
};
