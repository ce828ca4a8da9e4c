// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TDM.h"

#include <QTemporaryDir>
#include <memory>

// A temporary data folder ($VIGA_HOME) with a database made by the real
// creation code, on the engine the test runs for: SQLite by default,
// PostgreSQL when VIGA_TEST_DRIVER=QPSQL (a fresh database on the server the
// test script started, dropped at the end).
class BancoTeste
{
public:
    // Novo: made by the creation code; Antigo: the oldest layout; Atualizado:
    // the oldest layout after every upgrade step (no declared relations, as
    // in older installations); Vazio: nothing.
    enum class Tipo { Novo, Antigo, Vazio, Atualizado };
    // `portaPostgres`: on that PostgreSQL server (one the test runs itself, see ServidorPg).
    explicit BancoTeste(Tipo tipo = Tipo::Novo, int portaPostgres = 0);
    ~BancoTeste();

    TDM& dm() { return *m_dm; }
    QString pasta() const { return m_dir.path(); }
    bool postgres() const { return m_conexao.ehPostgres(); }
    const Conexao& conexao() const { return m_conexao; }

    // Runs a statement / a single-value query directly (fixtures and checks).
    void exec(const QString& sql);
    QVariant valor(const QString& sql);
    int contar(const QString& sql) { return valor(sql).toInt(); }

    static bool usandoPostgres();

private:
    QTemporaryDir m_dir;
    Conexao m_conexao;
    std::unique_ptr<TDM> m_dm;
    QString m_bancoPg;
    int m_portaPg = 0;
};
