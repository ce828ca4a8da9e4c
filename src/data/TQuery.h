// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"

#include <QDate>
#include <QHash>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class FonteConsultas;

// A query of the data module: SQL kept as a list of lines, named parameters
// (":nome") bound as values, never concatenated. Open() runs a SELECT and
// reads its rows lazily: a row is read when something asks for it (the grid's
// rows on screen, a locate, a move), so a list of a million rows opens as fast
// as a list of ten. ExecSQL() runs anything else. Failures throw ErroBanco.
class TQuery
{
public:
    TQuery(FonteConsultas* dm, const QString& nome, const QStringList& sql = {});
    ~TQuery();
    TQuery(const TQuery&) = delete;
    TQuery& operator=(const TQuery&) = delete;

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

    // A read that fails because the connection was lost is tried once more
    // after the data module opened it again (outside a transaction).
    void Open();
    // A statement with parameters is run on the statement the data module
    // keeps prepared for its text (parsed once per connection).
    void ExecSQL();
    // Runs the statement as ExecSQL does, prepared once per connection, and
    // hands its result, forward-only, to `leitor` (which reads the rows it
    // needs; the statement is reset after it). For the reads a save runs
    // every time.
    void ExecPreparada(const std::function<void(class QSqlQuery&)>& leitor);
    // A list read page by page: Open() reads the screenful the list shows,
    // a COUNT gives the number of rows, and the rows further on are read as
    // they are asked for, on the statement's ORDER BY keys followed by the
    // `desempate` columns (unique together, the code): each page starts
    // after the last row of the one before (keyset), so a list of a million
    // rows opens as fast as a list of ten on every engine. Locate() runs a
    // bound prefix query instead of reading the rows up to the one found.
    // Forgotten by setSQL()/Clear(); a statement whose ORDER BY is not a list
    // of columns is read whole, in one go.
    void Paginar(const QStringList& desempate);
    bool Paginada() const { return m_paginada; }
    // Rows the last ExecSQL changed (-1 when the engine does not tell): a
    // save against a stored row checks it.
    int RowsAffected() const { return m_alteradas; }
    void Close();

    // Who shows this query's rows (a grid's model) is told when the data
    // module closed it with its connection (a connection opened again after
    // a server restart), so that it stops showing rows that are gone.
    void aoFecharConexao(const class QObject* dono, std::function<void()> aviso);
    void esquece(const class QObject* dono);
    void conexaoFechada();
    // The connection is open again: a query that was open when it closed is
    // read again, and who shows it told as above.
    void reabreAposConexao();

    bool Active() const { return m_ativa; }
    bool IsEmpty() const { return !le(0); }
    bool Eof() const { return !le(m_atual); }
    void First() { m_atual = 0; }
    void Next()
    {
        if (!Eof()) ++m_atual;
    }
    void Last();
    // Reads every row to count them; a list shows LinhasLidas() instead.
    int RecordCount() const;
    int RecNo() const { return m_atual; }
    void setRecNo(int i) { m_atual = i; }

    // Rows read so far, and whether every row was read.
    int LinhasLidas() const { return m_lidas; }
    bool TodasLidas() const { return m_todas; }
    // Reads up to `n` more rows; returns how many were read.
    int LerMais(int n) const;
    // Rows fetched from the database since the query was made (every read:
    // opening, pages, locates, counts): what a list costs the engine.
    qint64 LinhasTrazidas() const { return m_trazidas; }
    // The first column of the statement's ORDER BY (the list's sort key);
    // empty when it has none or it is an expression.
    QString ChaveOrdem() const;

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
    // Positions on the first row whose field equals `valor`.
    bool LocateExato(const QString& campo, const QVariant& valor);

    // Turns a value read from the database into text as the windows show it.
    static QString comoTexto(const QVariant& v);
    // A value read from the database as a date (null when none) / a 64-bit
    // whole number (0 when null; the whole part of a number with decimals).
    static QDate comoData(const QVariant& v);
    static qint64 comoInteiro(const QVariant& v);

    // Prepares (when it has parameters) and runs this query's statement on
    // `q`, any query of any connection (a reader that walks the rows once
    // sets it forward-only first), waiting while another connection holds
    // the database; ErroBanco when it fails.
    void executa(class QSqlQuery& q) const;

private:
    using Parametros = QList<QPair<QString, QVariant>>;
    struct Chave {
        QString coluna;
        bool desc = false;
    };
    void abrir();
    // Splits the statement into the rows (before ORDER BY) and the keys; false when it cannot be paged.
    bool separaOrdem();
    bool abrirPaginada();
    QString ordem(bool inversa) const;
    // The condition "after" (or "before") the row of key values `k` in the list's order.
    QString depoisDe(const QVector<QVariant>& k, bool antes, Parametros& p) const;
    QVector<QVariant> chaveDe(const QVector<QVariant>& linha) const;
    // Reads up to `n` rows into the cache from row `inicio` on (backwards when `inversa`).
    int lePagina(const QString& onde, const Parametros& p, int inicio, bool inversa,
                 int deslocamento = 0) const;
    bool carrega(int linha) const;
    qint64 conta(const QString& onde, const Parametros& p) const;
    bool localizaPaginada(const QString& condicao, const Parametros& p);
    void executar();
    void executaPreparada(const std::function<void(class QSqlQuery&)>& leitor);
    static void liga(class QSqlQuery& q, const QStringList& nomes, const Parametros& parametros);
    static void roda(class QSqlQuery& q, bool direto, const QString& texto);
    void preparar(class QSqlQuery& q, const QString& texto, const Parametros& parametros) const;
    void executa(class QSqlQuery& q, const QString& texto, const Parametros& parametros) const;
    // True when row `linha` exists, reading rows up to it when needed.
    bool le(int linha) const;

    FonteConsultas* m_dm;
    QString m_nome;
    QStringList m_sql;
    Parametros m_params;
    // Page by page: the statement's rows and keys, the row count and the rows read so far.
    QStringList m_desempate;
    bool m_paginada = false;
    QString m_base;
    QList<Chave> m_chaves;
    QList<int> m_indicesChave;
    int m_total = 0;
    mutable QHash<int, QVector<QVariant>> m_cache;
    QSqlRecord m_registro;
    // The open result: rows are read from it on demand and kept by it.
    std::unique_ptr<class QSqlQuery> m_cursor;
    mutable int m_lidas = 0;
    mutable bool m_todas = true;
    // The text of each row of a column already located in (locate by prefix
    // is typed letter by letter: the column is converted once).
    mutable int m_colunaLocalizada = -1;
    mutable QStringList m_textosLocalizados;
    int m_atual = 0;
    bool m_ativa = false;
    bool m_reabrir = false; // open when its connection closed
    int m_alteradas = -1;
    mutable qint64 m_trazidas = 0;
    QList<QPair<const class QObject*, std::function<void()>>> m_avisos;
};
