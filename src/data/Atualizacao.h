// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PassosAtualizacao.h"

#include <QString>
#include <functional>

class TDM;

// The schema upgrade of older databases: the upgrade-log bootstrap run at
// every start, and the fifty steps, applied in order in one transaction.
class Atualizacao
{
public:
    explicit Atualizacao(TDM& dm) : m_dm(dm) {}

    // Creates the upgrade log and the marker column when the configuration
    // table lacks cfg_atualiza. Returns the database's error text on failure
    // (rolled back), empty otherwise.
    QString bootstrap();

    // True when the newest step is logged.
    bool atualizado();

    // Applies every step not yet logged. `progresso` is told the percentage
    // and the tag of each step as it goes. The widening of alargaCodigos() runs
    // last, in the same transaction. On failure everything of the run is
    // rolled back and false is returned with the step's tag and the
    // database's text in `tagErro` / `erro`.
    bool executar(const std::function<void(int, const QString&)>& progresso, QString* tagErro, QString* erro);

    // A statement of a step in this engine's dialect; empty when the engine
    // has nothing to do for it (widening a column on SQLite).
    QString traduz(const QString& comando) const;

    // Widens the numeric mirror of the product code to 64 bits on a database
    // that was upgraded before codes were (PostgreSQL; SQLite's integers
    // already are). Runs with every upgrade and at every start, outside the
    // fifty tags; returns the database's error text, empty when it went well.
    QString alargaCodigos();

    // The evidence tables (reading evidence and the audit log) and the gate's
    // tables (passages, their pictures, the gate settings), created when
    // missing. Runs with every upgrade and at every start, outside the fifty
    // tags; returns the database's error text, empty when it went well.
    QString garanteEvidencia();

private:
    bool aplicado(const QString& tag);
    bool temColunaConfig(const QString& coluna);
    void executa(const QString& sql);
    void alargaCodigosNaTransacao();

    TDM& m_dm;
};
