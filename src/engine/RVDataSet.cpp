// SPDX-License-Identifier: GPL-3.0-or-later
#include "RVDataSet.h"

#include "ErroBanco.h"
#include "TDM.h"
#include "TQuery.h"
#include "TextoImpresso.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

void RVDataSetQuery::First()
{
    m_q.First();
}

void RVDataSetQuery::Next()
{
    m_q.Next();
}

bool RVDataSetQuery::Eof() const
{
    return m_q.Eof();
}

int RVDataSetQuery::RecordCount() const
{
    return m_q.RecordCount();
}

bool RVDataSetQuery::FindField(const QString& campo) const
{
    return m_q.FindField(campo);
}

// Field values are read as printed: SemControles.
QString RVDataSetQuery::AsString(const QString& campo) const
{
    return m_q.Eof() || !m_q.FindField(campo) ? QString() : SemControles(m_q.AsString(campo));
}

RVDataSetSequencial::RVDataSetSequencial(TDM& dm, const TQuery& q) : m_dm(dm), m_consulta(q)
{
    if (m_dm.ehPostgres()) {
        m_conexaoLeitura =
            QStringLiteral("viga-leitura-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
        QSqlDatabase db = QSqlDatabase::cloneDatabase(m_dm.DataBase1(), m_conexaoLeitura);
        db.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!db.open()) {
            const ErroBanco erro(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_conexaoLeitura);
            m_conexaoLeitura.clear();
            throw erro;
        }
    }
    executa();
}

RVDataSetSequencial::~RVDataSetSequencial()
{
    m_cursor.reset();
    if (!m_conexaoLeitura.isEmpty()) {
        QSqlDatabase::database(m_conexaoLeitura, false).close();
        QSqlDatabase::removeDatabase(m_conexaoLeitura);
    }
}

void RVDataSetSequencial::executa()
{
    m_cursor.reset();
    const QSqlDatabase db =
        m_conexaoLeitura.isEmpty() ? m_dm.DataBase1() : QSqlDatabase::database(m_conexaoLeitura, false);
    auto q = std::make_unique<QSqlQuery>(db);
    // Each row is handed over as it is read and forgotten at the next one
    // (PostgreSQL sends them one at a time, SQLite steps on).
    q->setForwardOnly(true);
    m_consulta.executa(*q);
    const QSqlRecord registro = q->record();
    m_indices.clear();
    m_nomes.clear();
    for (int i = 0; i < registro.count(); ++i)
        m_nomes << registro.fieldName(i);
    // the first of two fields of the same name answers for it
    for (int i = registro.count() - 1; i >= 0; --i)
        m_indices.insert(registro.fieldName(i).toLower(), i);
    m_cursor = std::move(q);
    m_linha = -1;
    m_fim = false;
    le();
}

void RVDataSetSequencial::le()
{
    if (m_fim) return;
    if (m_cursor->next()) {
        ++m_linha;
        return;
    }
    m_fim = true;
    if (m_cursor->lastError().isValid()) throw ErroBanco(m_cursor->lastError());
}

void RVDataSetSequencial::First()
{
    if (m_linha != 0) executa();
}

void RVDataSetSequencial::Next()
{
    le();
}

int RVDataSetSequencial::Indice(const QString& campo) const
{
    return m_indices.value(campo.toLower(), -1);
}

int RVDataSetSequencial::Campo(const QString& campo) const
{
    const int i = Indice(campo);
    if (i < 0) throw ErroBanco(QStringLiteral("Campo não encontrado: %1").arg(campo));
    return i;
}

QVariant RVDataSetSequencial::Valor(int i) const
{
    return (m_fim || i < 0) ? QVariant() : m_cursor->value(i);
}

QString RVDataSetSequencial::Texto(int i) const
{
    return SemControles(TQuery::comoTexto(Valor(i)));
}

qint64 RVDataSetSequencial::AsLargeInt(int i) const
{
    return TQuery::comoInteiro(Valor(i));
}

QDate RVDataSetSequencial::AsDate(int i) const
{
    return TQuery::comoData(Valor(i));
}

QString RVDataSetSequencial::AsString(const QString& campo) const
{
    return Texto(Indice(campo));
}
