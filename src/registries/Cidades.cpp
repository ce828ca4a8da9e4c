// SPDX-License-Identifier: GPL-3.0-or-later
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
    const QStringList sql =
        inserir
            ? QStringList{QStringLiteral("INSERT INTO CIDADE (CID_CODIGO, CID_DESCRICAO, CID_UF) VALUES "),
                          QStringLiteral("(:codigo, :nome, :uf)")}
            : QStringList{QStringLiteral("Update CIDADE SET "), QStringLiteral("Cid_Descricao=:nome"),
                          QStringLiteral(",CID_UF=:uf"), QStringLiteral("Where CID_CODIGO=:codigo")};
    dm.ExecutaNaTransacao(sql, {{QStringLiteral("codigo"), codigo},
                                {QStringLiteral("nome"), ValoresSql::texto(nome)},
                                {QStringLiteral("uf"), ValoresSql::opcional(uf)}});
}

void excluir(TDM& dm, int codigo)
{
    const TDM::Parametros p{{QStringLiteral("codigo"), codigo}};
    Transacao tr(&dm);
    dm.RecusaSeEmUso({QStringLiteral("select cid_codigo from cadastrao where cid_codigo=:codigo")}, p);
    dm.ExecutaNaTransacao({QStringLiteral("Delete from Cidade where cid_codigo=:codigo")}, p);
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
