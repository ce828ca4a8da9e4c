#include "ProximoCodigo.h"

#include "TDM.h"

int ProximoCodigo(TDM& dm, const QString& coluna, const QString& tabela)
{
    dm.QR_EXEC.Clear();
    dm.QR_EXEC.Add(
        QStringLiteral("select max(%1) as maximo from %2").arg(coluna.toUpper(), tabela.toUpper()));
    dm.QR_EXEC.Open();
    const int maximo = dm.QR_EXEC.AsInteger(QStringLiteral("maximo"));
    dm.QR_EXEC.Close();
    return maximo + 1;
}

int ProximoCodigo(const QString& coluna, const QString& tabela)
{
    return ProximoCodigo(*DM, coluna, tabela);
}
