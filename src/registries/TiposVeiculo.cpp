#include "TiposVeiculo.h"

#include "TDM.h"
#include "ValoresSql.h"

namespace TiposVeiculo
{

void salvar(TDM& dm, bool inserir, int codigo, const QString& descricao, const QString& valor)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (inserir) {
        q.Add(QStringLiteral("INSERT INTO TIPOVEICULO (TPV_CODIGO,TPV_VaLor, TPV_DESCRICAO) VALUES "));
        q.Add(QStringLiteral("(:codigo, :valor, :descricao)"));
    } else {
        q.Add(QStringLiteral("Update TIPOVEICULO SET "));
        q.Add(QStringLiteral("TPV_DESCRICAO=:descricao"));
        q.Add(QStringLiteral(",TPV_VALOR=:valor"));
        q.Add(QStringLiteral("Where TPV_CODIGO=:codigo"));
    }
    q.setParam(QStringLiteral("codigo"), codigo);
    q.setParam(QStringLiteral("descricao"), ValoresSql::texto(descricao));
    q.setParam(QStringLiteral("valor"), ValoresSql::numero(valor));
    q.ExecSQL();
    tr.commit();
}

void excluir(TDM& dm, int codigo)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Delete from tipoVeiculo where tpv_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.ExecSQL();
    tr.commit();
}

} // namespace TiposVeiculo
