// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialeto.h"

#include <QRegularExpression>

QString Dialeto::tipos(const QString& sql, bool postgres)
{
    QString s = sql;
    s.replace(QStringLiteral("{N}"), postgres ? QStringLiteral("NUMERIC(19,4)") : QStringLiteral("NUMERIC"));
    s.replace(QStringLiteral("{M}"), postgres ? QStringLiteral("NUMERIC(19,4)") : QStringLiteral("NUMERIC"));
    s.replace(QStringLiteral("{T}"), QStringLiteral("VARCHAR(8)"));
    if (postgres) {
        static const QRegularExpression money(QStringLiteral(R"(\bmoney\b)"),
                                              QRegularExpression::CaseInsensitiveOption);
        s.replace(money, QStringLiteral("NUMERIC(19,4)"));
    }
    return s;
}

QString Dialeto::copiaCodigoProduto(bool postgres)
{
    if (postgres) {
        return QStringLiteral("update produto set prd_codigoint=CASE WHEN trim(prd_codigo) ~ '^[0-9]{1,18}$' "
                              "THEN CAST(trim(prd_codigo) AS bigint) END");
    }
    return QStringLiteral("update produto set prd_codigoint=CASE WHEN trim(prd_codigo) <> '' AND "
                          "trim(prd_codigo) NOT GLOB '*[^0-9]*' AND length(trim(prd_codigo)) <= 18 "
                          "THEN CAST(trim(prd_codigo) AS INTEGER) END");
}

QString Dialeto::passo(const QString& comando, bool postgres)
{
    static const QRegularExpression alterColumn(
        QStringLiteral(R"(^alter\s+table\s+(\w+)\s+alter\s+column\s+(\w+)\s+(.+)$)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = alterColumn.match(comando.trimmed());
    if (m.hasMatch()) {
        // SQLite does not enforce declared widths: nothing to widen.
        if (!postgres) {
            return QString();
        }
        return QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 TYPE %3")
            .arg(m.captured(1), m.captured(2), m.captured(3));
    }
    if (comando.compare(QLatin1String("update produto set prd_codigoint=prd_codigo"), Qt::CaseInsensitive) ==
        0) {
        return copiaCodigoProduto(postgres);
    }
    // Product codes have 13 digits: their numeric mirror is 64-bit (SQLite's
    // INTEGER already is).
    if (postgres && comando.compare(QLatin1String("alter Table produto add prd_codigoint integer"),
                                    Qt::CaseInsensitive) == 0) {
        return QStringLiteral("alter Table produto add prd_codigoint bigint");
    }
    return tipos(comando, postgres);
}
