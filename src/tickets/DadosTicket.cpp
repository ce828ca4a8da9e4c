// SPDX-License-Identifier: GPL-3.0-or-later
#include "DadosTicket.h"

#include "Decimal.h"
#include "TQuery.h"
#include "TextoImpresso.h"

#include <QDate>
#include <QSqlField>

namespace
{

bool ehCodigo(const QString& campo)
{
    return campo.trimmed().compare(QLatin1String(DadosTicket::CampoCodigo), Qt::CaseInsensitive) == 0;
}

} // namespace

bool DadosTicket::FindField(const QString& campo) const
{
    return ehCodigo(campo) || RVDataSetQuery::FindField(campo);
}

QString DadosTicket::AsString(const QString& campo) const
{
    if (ehCodigo(campo)) {
        return m_q.Eof() ? QString() : m_codigoVerificacao;
    }
    if (m_q.Eof() || !m_q.FindField(campo)) {
        return QString();
    }
    const QVariant v = m_q.FieldByName(campo);
    if (v.isNull()) {
        return QString();
    }
    if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime) {
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    }
    const int i = m_q.record().indexOf(campo);
    const int tipo = m_q.record().field(i).metaType().id();
    if (tipo == QMetaType::Double || v.typeId() == QMetaType::Double) {
        return Decimal::fromVariant(v).toShortString();
    }
    const QString t = v.toString();
    // A date kept as ISO text by the engine.
    if (t.size() == 10 && t[4] == u'-' && t[7] == u'-') {
        const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
        if (d.isValid()) {
            return d.toString(QStringLiteral("dd/MM/yyyy"));
        }
    }
    return SemControles(t);
}
