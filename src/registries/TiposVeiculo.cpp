// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiposVeiculo.h"

#include "TDM.h"
#include "ValoresSql.h"

namespace TiposVeiculo
{

void salvar(TDM& dm, bool inserir, int codigo, const QString& descricao, const QString& valor)
{
    const QStringList sql =
        inserir ? QStringList{QStringLiteral(
                                  "INSERT INTO TIPOVEICULO (TPV_CODIGO,TPV_VaLor, TPV_DESCRICAO) VALUES "),
                              QStringLiteral("(:codigo, :valor, :descricao)")}
                : QStringList{QStringLiteral("Update TIPOVEICULO SET "),
                              QStringLiteral("TPV_DESCRICAO=:descricao"), QStringLiteral(",TPV_VALOR=:valor"),
                              QStringLiteral("Where TPV_CODIGO=:codigo")};
    dm.ExecutaNaTransacao(sql, {{QStringLiteral("codigo"), codigo},
                                {QStringLiteral("descricao"), ValoresSql::texto(descricao)},
                                {QStringLiteral("valor"), ValoresSql::numero(valor)}});
}

void excluir(TDM& dm, int codigo)
{
    const TDM::Parametros p{{QStringLiteral("codigo"), codigo}};
    Transacao tr(&dm);
    dm.RecusaSeEmUso({QStringLiteral("select tpv_codigo from pesagem where tpv_codigo=:codigo")}, p);
    dm.ExecutaNaTransacao({QStringLiteral("Delete from tipoVeiculo where tpv_codigo=:codigo")}, p);
    tr.commit();
}

} // namespace TiposVeiculo
