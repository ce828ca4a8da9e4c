// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProximoCodigo.h"

#include "TDM.h"

qint64 ProximoCodigo(TDM& dm, const QString& coluna, const QString& tabela)
{
    dm.QR_EXEC.Clear();
    dm.QR_EXEC.Add(
        QStringLiteral("select max(%1) as maximo from %2").arg(coluna.toUpper(), tabela.toUpper()));
    dm.QR_EXEC.Open();
    const qint64 maximo = dm.QR_EXEC.AsLargeInt(QStringLiteral("maximo"));
    dm.QR_EXEC.Close();
    return maximo + 1;
}

qint64 ProximoCodigo(const QString& coluna, const QString& tabela)
{
    return ProximoCodigo(*DM, coluna, tabela);
}
