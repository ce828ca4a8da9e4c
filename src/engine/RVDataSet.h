// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TQuery;

// The records a report walks: first to last, fields read as text by name.
class RVDataSet
{
public:
    virtual ~RVDataSet() = default;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
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
