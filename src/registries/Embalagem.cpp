// SPDX-License-Identifier: GPL-3.0-or-later
#include "Embalagem.h"

#include "NumeroDigitado.h"
#include "ProximoCodigo.h"
#include "TDM.h"
#include "ValoresSql.h"

namespace CadastroEmbalagem
{

int proximoCodigo(TDM& dm)
{
    return ProximoCodigo(dm, QStringLiteral("Emb_codigo"), QStringLiteral("Embalagem"));
}

void salvar(TDM& dm, int codigo, const QString& descricao, bool ativa, bool insercao)
{
    const QStringList sql =
        insercao
            ? QStringList{QStringLiteral(
                  "INSERT INTO Embalagem (EMB_CODIGO, EMB_DESCRICAO, EMB_ATIVA) VALUES "
                  "(:codigo, :descricao, :ativa)")}
            : QStringList{QStringLiteral("Update Embalagem SET "), QStringLiteral("EMB_DESCRICAO=:descricao"),
                          QStringLiteral(",EMB_ATIVA=:ativa"), QStringLiteral("Where EMB_CODIGO=:codigo")};
    dm.ExecutaNaTransacao(sql, {{QStringLiteral("codigo"), codigo},
                                {QStringLiteral("descricao"), ValoresSql::texto(descricao)},
                                {QStringLiteral("ativa"), ativa ? 1 : 0}});
}

void excluir(TDM& dm, int codigo)
{
    const TDM::Parametros p{{QStringLiteral("codigo"), codigo}};
    Transacao tr(&dm);
    dm.RecusaSeEmUso({QStringLiteral("select emb_codigo from produto_embalagem where emb_codigo=:codigo")},
                     p);
    dm.ExecutaNaTransacao(
        {QStringLiteral("Delete from Embalagem "), QStringLiteral("where emb_codigo=:codigo")}, p);
    tr.commit();
}

std::optional<QString> descricaoAtiva(TDM& dm, const QString& codigo)
{
    bool ok = false;
    const int n = codigo.trimmed().toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select *"));
    q.Add(QStringLiteral("From Embalagem"));
    q.Add(QStringLiteral("Where EMB_ATIVA=1 and EMB_CODIGO=:codigo"));
    q.setParam(QStringLiteral("codigo"), n);
    q.Open();
    std::optional<QString> d;
    if (!q.IsEmpty()) {
        d = q.AsString(QStringLiteral("emb_descricao"));
    }
    q.Close();
    return d;
}

void salvarDoProduto(TDM& dm, const QString& prdCodigo, int embCodigo, Decimal peso, bool insercao)
{
    const QStringList sql =
        insercao
            ? QStringList{QStringLiteral("INSERT INTO Produto_Embalagem (PRD_CODIGO, EMB_CODIGO, PRE_PESO) "
                                         "VALUES (:prd, :emb, :peso)")}
            : QStringList{QStringLiteral("Update Produto_Embalagem SET "), QStringLiteral("PRE_Peso=:peso"),
                          QStringLiteral("Where PRD_CODIGO=:prd"), QStringLiteral("and EMB_CODIGO=:emb")};
    dm.ExecutaNaTransacao(sql, {{QStringLiteral("prd"), prdCodigo.trimmed()},
                                {QStringLiteral("emb"), embCodigo},
                                {QStringLiteral("peso"), peso.toSqlString()}});
}

void excluirDoProduto(TDM& dm, const QString& prdCodigo, int embCodigo)
{
    dm.ExecutaNaTransacao({QStringLiteral("Delete from Produto_embalagem where prd_codigo=:prd"),
                           QStringLiteral("and emb_codigo=:emb")},
                          {{QStringLiteral("prd"), prdCodigo.trimmed()}, {QStringLiteral("emb"), embCodigo}});
}

} // namespace CadastroEmbalagem
