// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QDate>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class QSqlQuery;
class TDM;
class TQuery;

// The records a report walks: first to last, fields read as text by name.
class RVDataSet
{
public:
    virtual ~RVDataSet() = default;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
    // -1: not known before the last record is read.
    virtual int RecordCount() const = 0;
    virtual bool FindField(const QString& campo) const = 0;
    // The field's text on the current record; empty past the last record.
    virtual QString AsString(const QString& campo) const = 0;
};

// A query of the data module as the report's records.
class RVDataSetQuery : public RVDataSet
{
public:
    explicit RVDataSetQuery(TQuery& q) : m_q(q) {}
    void First() override;
    void Next() override;
    bool Eof() const override;
    int RecordCount() const override;
    bool FindField(const QString& campo) const override;
    QString AsString(const QString& campo) const override;

private:
    TQuery& m_q;
};

// A report's records read once, first to last, as the report walks them:
// forward-only, one row held at a time, so that a report of a million rows
// needs no more memory than one of ten. Fields are read by index (names
// resolved once). On PostgreSQL the rows come on a reading connection of their
// own: what the bands read meanwhile on the data module's connection (the
// company's heading, a product's earlier movement) would otherwise end the
// stream.
class RVDataSetSequencial : public RVDataSet
{
public:
    // Runs `q`'s statement (its SQL and parameters; `q` itself stays closed)
    // and reads the first row; ErroBanco when it fails.
    RVDataSetSequencial(TDM& dm, const TQuery& q);
    ~RVDataSetSequencial() override;
    RVDataSetSequencial(const RVDataSetSequencial&) = delete;
    RVDataSetSequencial& operator=(const RVDataSetSequencial&) = delete;

    // Past the first record, runs the statement again (a second copy).
    void First() override;
    // ErroBanco when the rows stop coming (a lost connection): a report is
    // never taken for complete when its rows were cut short.
    void Next() override;
    bool Eof() const override { return m_fim; }
    int RecordCount() const override { return -1; }
    bool FindField(const QString& campo) const override { return Indice(campo) >= 0; }
    QString AsString(const QString& campo) const override;

    // The field's index, ignoring case; -1 when the statement has none.
    int Indice(const QString& campo) const;
    // The index of a field the statement must have; ErroBanco otherwise.
    int Campo(const QString& campo) const;
    // The current row's field `i`; null past the last record.
    QVariant Valor(int i) const;
    bool IsNull(int i) const { return Valor(i).isNull(); }
    QString Texto(int i) const;
    Decimal AsDecimal(int i) const { return Decimal::fromVariant(Valor(i)); }
    qint64 AsLargeInt(int i) const;
    QDate AsDate(int i) const;
    int Linha() const { return m_linha; }
    int FieldCount() const { return int(m_nomes.size()); }
    QString NomeCampo(int i) const { return m_nomes.value(i); }

private:
    void executa();
    void le();

    TDM& m_dm;
    const TQuery& m_consulta;
    QString m_conexaoLeitura; // PostgreSQL: the reading connection's name
    std::unique_ptr<QSqlQuery> m_cursor;
    QHash<QString, int> m_indices; // field names in lower case
    QStringList m_nomes;
    bool m_fim = true;
    int m_linha = 0;
};

// Records held in memory (rows of texts under named fields).
class RVDataSetMemoria : public RVDataSet
{
public:
    explicit RVDataSetMemoria(const QStringList& campos) : m_campos(campos) {}
    void append(const QStringList& linha) { m_linhas.push_back(linha); }
    void reserve(size_t n) { m_linhas.reserve(n); }
    void First() override { m_atual = 0; }
    void Next() override
    {
        if (!Eof()) ++m_atual;
    }
    bool Eof() const override { return m_atual >= m_linhas.size(); }
    int RecordCount() const override { return int(m_linhas.size()); }
    bool FindField(const QString& campo) const override { return indice(campo) >= 0; }
    QString AsString(const QString& campo) const override
    {
        const int i = indice(campo);
        return (i < 0 || Eof()) ? QString() : m_linhas[m_atual].value(i);
    }

private:
    int indice(const QString& campo) const
    {
        for (int i = 0; i < m_campos.size(); ++i) {
            if (m_campos[i].compare(campo, Qt::CaseInsensitive) == 0) return i;
        }
        return -1;
    }

    QStringList m_campos;
    std::vector<QStringList> m_linhas;
    size_t m_atual = 0;
};
