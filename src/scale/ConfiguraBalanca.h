// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TCommPortDriver.h"

#include <QString>
#include <optional>

// The Config columns the read-weight procedure reads, each a list index of the
// settings dialog.
struct TConfigPorta {
    int CFG_PORTA = 0;
    int CFG_PORTASAIDA = 0;
    int CFG_BAUD = 4;
    int CFG_STOP = 0;
    int CFG_PARIDADE = 2;
    int CFG_BITS = 3;
    int CFG_FLHARD = 0;
    int CFG_FLSOFT = 0;
    int CFG_MODELOPLACA = 0;
    int CFG_SELECIONABAL = 0;
};

struct TResultadoConfigPorta {
    bool ok = false;
    // When not ok: the message to show ("Configuração não definida.", title "Erro").
    QString mensagem;
    QString titulo;
    // When ok: the indicator model to keep for the frames (CFG_MODELOPLACA).
    int modelo = 0;
};

// Steps 1 and 3 to 5 of the read-weight procedure: the port of the side being
// weighed (or of the "Balança" selector when CFG_SELECIONABAL = 1) and the line
// settings from the list indexes. `config` empty = Config has no row. The caller
// then calls Connect. `modoJanela`: 1 entry, 2 exit; `indiceBalanca`: the
// selector's index (0 = "Balança 1").
TResultadoConfigPorta ConfiguraPortaBalanca(const std::optional<TConfigPorta>& config, int modoJanela,
                                            int indiceBalanca, TCommPortDriver& driver);

// Poll period for the weighing window: 400 ms for model "AR" at 1200 baud, else 50 ms.
quint16 PeriodoLeitura(int modeloPlaca, int indiceBaud);

// The index tables of the settings lists. Each returns false for an index outside
// its table and then leaves the driver as it was.
bool AplicaIndicePorta(TCommPortDriver& driver, int indice);
bool AplicaIndiceBaud(TCommPortDriver& driver, int indice);
bool AplicaIndiceBits(TCommPortDriver& driver, int indice);
bool AplicaIndiceParidade(TCommPortDriver& driver, int indice);
bool AplicaIndiceStop(TCommPortDriver& driver, int indice);
bool AplicaIndiceFluxoHard(TCommPortDriver& driver, int indice);
bool AplicaIndiceFluxoSoft(TCommPortDriver& driver, int indice);

// The entry-scale choices of the settings dialog, as list indexes.
struct TIndicesTeste {
    int porta = 0;
    int baud = 4;
    int bits = 3;
    int paridade = 2;
    int stop = 0;
    int fluxoHard = 0;
    int fluxoSoft = 0;
};

// "Teste Conexão": configures a port from the dialog's choices, opens it and closes
// it again. True when it opened, or when this program holds it open already (the
// scale read for the session); nothing is sent or received.
bool TesteConexao(const TIndicesTeste& indices);
