#pragma once

#include "Decimal.h"

#include <QDate>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <vector>

class TDM;

// A query of the data module: SQL kept as a list of lines, named parameters
// (":nome") bound as values, never concatenated. Open() runs a SELECT and keeps
// its rows, so the statement is finished at once (nothing stays open across a
// commit); ExecSQL() runs anything else. Failures throw ErroBanco.
class TQuery
{
public:
    TQuery(TDM* dm, const QString& nome, const QStringList& sql = {});

    const QString& nome() const { return m_nome; }

    // SQL text
    void Clear();
    void Add(const QString& linha);
    void setSQL(const QStringList& linhas);
    const QStringList& SQL() const { return m_sql; }
    QString Text() const { return m_sql.join(u'\n'); }

    // Parameters ":nome". Set before Open/ExecSQL; Clear() forgets them.
    void setParam(const QString& nome, const QVariant& valor);
    // The SQL text with every parameter's value in place (the SQL trace).
    QString TraceText() const;

    void Open();
    void ExecSQL();
    void Close();

    bool Active() const { return m_ativa; }
    bool IsEmpty() const { return m_linhas.empty(); }
    bool Eof() const { return m_atual >= int(m_linhas.size()); }
    void First() { m_atual = 0; }
    void Next()
    {
        if (!Eof()) ++m_atual;
    }
    void Last() { m_atual = m_linhas.empty() ? 0 : int(m_linhas.size()) - 1; }
    int RecordCount() const { return int(m_linhas.size()); }
    int RecNo() const { return m_atual; }
    void setRecNo(int i) { m_atual = i; }

    // Fields of the current row by name, ignoring case. A name the result does
    // not have throws ErroBanco (a direct read); FindField() tells without throwing.
    bool FindField(const QString& campo) const { return m_registro.indexOf(campo) >= 0; }
    QVariant FieldByName(const QString& campo) const;
    QVariant valor(int linha, int coluna) const;
    bool IsNull(const QString& campo) const { return FieldByName(campo).isNull(); }
    QString AsString(const QString& campo) const;
    // A 32-bit field; a value that does not fit throws ErroBanco instead of
    // losing its high bits. Codes are read with AsLargeInt.
    int AsInteger(const QString& campo) const;
    // 64-bit: codes (product codes have 13 digits) and counts.
    qint64 AsLargeInt(const QString& campo) const;
    Decimal AsDecimal(const QString& campo) const;
    QDate AsDate(const QString& campo) const;
    const QSqlRecord& record() const { return m_registro; }
    int FieldCount() const { return m_registro.count(); }

    // Positions on the first row whose field starts with `texto`, ignoring case.
    bool Locate(const QString& campo, const QString& texto);

    // Turns a value read from the database into text as the windows show it.
    static QString comoTexto(const QVariant& v);

private:
    void preparar(class QSqlQuery& q) const;

    TDM* m_dm;
    QString m_nome;
    QStringList m_sql;
    QList<QPair<QString, QVariant>> m_params;
    QSqlRecord m_registro;
    std::vector<QList<QVariant>> m_linhas;
    int m_atual = 0;
    bool m_ativa = false;
};
