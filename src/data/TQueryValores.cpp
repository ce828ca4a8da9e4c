// SPDX-License-Identifier: GPL-3.0-or-later
// TQuery: the fields of a row, and values read from the database converted as the windows show them.
#include "TQuery.h"

#include "ErroBanco.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <limits>

QVariant TQuery::FieldByName(const QString& campo) const
{
    const int i = m_registro.indexOf(campo);
    if (i < 0) {
        throw ErroBanco(QStringLiteral("Campo não encontrado: %1").arg(campo));
    }
    return valor(m_atual, i);
}

QVariant TQuery::valor(int linha, int coluna) const
{
    if (coluna < 0 || coluna >= m_registro.count() || !le(linha)) {
        return QVariant();
    }
    if (m_paginada) {
        return m_cache.value(linha).value(coluna);
    }
    if (!m_cursor->seek(linha)) {
        return QVariant();
    }
    return m_cursor->value(coluna);
}

QString TQuery::comoTexto(const QVariant& v)
{
    if (v.isNull()) {
        return QString();
    }
    if (v.typeId() == QMetaType::QDate) {
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (v.typeId() == QMetaType::Double) {
        return Decimal::fromDouble(v.toDouble()).toShortString();
    }
    return v.toString();
}

QString TQuery::AsString(const QString& campo) const
{
    return comoTexto(FieldByName(campo));
}

qint64 TQuery::AsLargeInt(const QString& campo) const
{
    return comoInteiro(FieldByName(campo));
}

qint64 TQuery::comoInteiro(const QVariant& v)
{
    if (v.isNull()) {
        return 0;
    }
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (ok) {
        return i;
    }
    const qint64 t = v.toString().trimmed().toLongLong(&ok);
    if (ok) {
        return t;
    }
    // a number with decimals: its whole part
    return Decimal::fromVariant(v).raw() / Decimal::Scale;
}

int TQuery::AsInteger(const QString& campo) const
{
    const qint64 v = AsLargeInt(campo);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
        throw ErroBanco(QStringLiteral("Valor fora do intervalo de um inteiro: %1 (%2)").arg(v).arg(campo));
    }
    return int(v);
}

Decimal TQuery::AsDecimal(const QString& campo) const
{
    return Decimal::fromVariant(FieldByName(campo));
}

QDate TQuery::AsDate(const QString& campo) const
{
    return comoData(FieldByName(campo));
}

QDate TQuery::comoData(const QVariant& v)
{
    if (v.isNull()) {
        return QDate();
    }
    if (v.typeId() == QMetaType::QDate) {
        return v.toDate();
    }
    if (v.typeId() == QMetaType::QDateTime) {
        return v.toDateTime().date();
    }
    const QString s = v.toString();
    QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) {
        d = QDate::fromString(s.left(10), QStringLiteral("dd/MM/yyyy"));
    }
    return d;
}
