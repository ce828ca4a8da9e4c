// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValoresSql.h"

#include "Decimal.h"
#include "Rotinas.h"

#include <QDate>

namespace ValoresSql
{

QString texto(const QString& digitado)
{
    return TrocaCaractere(digitado.trimmed(), u'\'', u' ').trimmed();
}

QVariant opcional(const QString& digitado)
{
    const QString t = texto(digitado);
    return t.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(t);
}

QVariant memo(const QString& digitado)
{
    const QString t = TrocaCaractere(digitado.trimmed(), u'\'', u'\n');
    return t.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(t);
}

QVariant numero(const QString& digitado)
{
    auto d = Decimal::parse(digitado);
    if (!d) {
        d = Decimal::parse(ConverteNumero(digitado, true));
    }
    return d ? QVariant(d->toSqlString()) : QVariant(QMetaType(QMetaType::QString));
}

QVariant data(const QString& digitado)
{
    const QDate d = LeData(digitado);
    return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
}

} // namespace ValoresSql
