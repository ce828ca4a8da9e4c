// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <memory>

// What a query needs of the data module that runs it: the connection, the
// engine, whether a transaction is open, the one place that opens a lost
// connection again, and the statements kept prepared on the connection.
// `TDM` is the one implementation; a query knows no more of it than this.
class FonteConsultas
{
public:
    virtual QSqlDatabase DataBase1() const = 0;
    virtual bool ehPostgres() const = 0;
    virtual bool InTransaction() const = 0;
    // See TDM::ReconectaAposFalha.
    virtual bool ReconectaAposFalha() = 0;

    // One statement kept prepared: the query and its placeholders in the
    // order of the text (bound again at every run).
    struct Preparada {
        explicit Preparada(const QSqlDatabase& db) : consulta(db) {}
        QSqlQuery consulta;
        QStringList parametros;
        bool pronta = false;
    };
    // Statements kept prepared on the connection, by their text: the ones a
    // save runs every time are parsed (and, on PostgreSQL, planned) once per
    // connection instead of at every run. Forgotten when the connection
    // closes and when a table's layout changes (a prepared SELECT * would
    // keep the old columns). See TQuery::ExecPreparada.
    virtual std::shared_ptr<Preparada> preparada(const QString& texto) = 0;
    virtual void esquecePreparadas() = 0;

protected:
    ~FonteConsultas() = default;
};
