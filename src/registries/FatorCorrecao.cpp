// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatorCorrecao.h"

#include "NumeroDigitado.h"
#include "TDM.h"

namespace CadastroFator
{

QString validaValor(const QString& digitado)
{
    const auto v = NumeroDigitado(digitado);
    if (!v || *v >= Decimal::fromInt(100)) {
        return QStringLiteral("Fator de Correção precisa ser menor que 100%");
    }
    return QString();
}

bool existe(TDM& dm, const QString& prdCodigo, Decimal valor, int tipo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select *"));
    q.Add(QStringLiteral("From Umidade"));
    q.Add(QStringLiteral("Where PRD_CODIGO=:prd"));
    q.Add(QStringLiteral("and UMI_UMIDADE=:valor"));
    q.Add(QStringLiteral("and UMI_Tipo=:tipo"));
    q.setParam(QStringLiteral("prd"), prdCodigo.trimmed());
    q.setParam(QStringLiteral("valor"), (valor).toSqlString());
    q.setParam(QStringLiteral("tipo"), tipo);
    q.Open();
    const bool achou = !q.IsEmpty();
    q.Close();
    return achou;
}

void inserir(TDM& dm, const QString& prdCodigo, Decimal valor, int tipo)
{
    dm.ExecutaNaTransacao({QStringLiteral("INSERT INTO UMIDADE (PRD_CODIGO"),
                           QStringLiteral(", UMI_UMIDADE, UMI_TIPO) VALUES (:prd, :valor, :tipo)")},
                          {{QStringLiteral("prd"), prdCodigo.trimmed()},
                           {QStringLiteral("valor"), valor.toSqlString()},
                           {QStringLiteral("tipo"), tipo}});
}

void excluir(TDM& dm, const QString& prdCodigo, Decimal valor, int tipo)
{
    dm.ExecutaNaTransacao({QStringLiteral("Delete from UMIDADE where PRD_CODIGO=:prd"),
                           QStringLiteral("and UMI_UMIDADE=:valor"), QStringLiteral("and UMI_TIPO=:tipo")},
                          {{QStringLiteral("prd"), prdCodigo.trimmed()},
                           {QStringLiteral("valor"), valor.toSqlString()},
                           {QStringLiteral("tipo"), tipo}});
}

} // namespace CadastroFator
