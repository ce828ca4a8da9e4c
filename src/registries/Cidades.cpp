#include "Cidades.h"

#include "TDM.h"
#include "ValoresSql.h"

namespace Cidades
{

const QStringList& ufs()
{
    static const QStringList lista = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                                      "MA", "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI",
                                      "RN", "RS", "RJ", "RO", "RR", "SC", "SP", "SE", "TO"};
    return lista;
}

int indiceUfInicial()
{
    return 15;
}

void salvar(TDM& dm, bool inserir, int codigo, const QString& nome, const QString& uf)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (inserir) {
        q.Add(QStringLiteral("INSERT INTO CIDADE (CID_CODIGO, CID_DESCRICAO, CID_UF) VALUES "));
        q.Add(QStringLiteral("(:codigo, :nome, :uf)"));
    } else {
        q.Add(QStringLiteral("Update CIDADE SET "));
        q.Add(QStringLiteral("Cid_Descricao=:nome"));
        q.Add(QStringLiteral(",CID_UF=:uf"));
        q.Add(QStringLiteral("Where CID_CODIGO=:codigo"));
    }
    q.setParam(QStringLiteral("codigo"), codigo);
    q.setParam(QStringLiteral("nome"), ValoresSql::texto(nome));
    q.setParam(QStringLiteral("uf"), ValoresSql::opcional(uf));
    q.ExecSQL();
    tr.commit();
}

void excluir(TDM& dm, int codigo)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Delete from Cidade where cid_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.ExecSQL();
    tr.commit();
}

std::optional<QString> nome(TDM& dm, int codigo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select *"));
    q.Add(QStringLiteral("From Cidade"));
    q.Add(QStringLiteral("Where Cid_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    std::optional<QString> r;
    if (!q.IsEmpty()) {
        r = q.AsString(QStringLiteral("CID_DESCRICAO"));
    }
    q.Close();
    return r;
}

} // namespace Cidades
