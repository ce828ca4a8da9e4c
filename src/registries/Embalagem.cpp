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
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (insercao) {
        q.Add(QStringLiteral("INSERT INTO Embalagem (EMB_CODIGO, EMB_DESCRICAO, EMB_ATIVA) VALUES "
                             "(:codigo, :descricao, :ativa)"));
    } else {
        q.Add(QStringLiteral("Update Embalagem SET "));
        q.Add(QStringLiteral("EMB_DESCRICAO=:descricao"));
        q.Add(QStringLiteral(",EMB_ATIVA=:ativa"));
        q.Add(QStringLiteral("Where EMB_CODIGO=:codigo"));
    }
    q.setParam(QStringLiteral("codigo"), codigo);
    q.setParam(QStringLiteral("descricao"), ValoresSql::texto(descricao));
    q.setParam(QStringLiteral("ativa"), ativa ? 1 : 0);
    q.ExecSQL();
    q.Close();
    tr.commit();
}

void excluir(TDM& dm, int codigo)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Delete from Embalagem "));
    q.Add(QStringLiteral("where emb_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.ExecSQL();
    q.Close();
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
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (insercao) {
        q.Add(QStringLiteral("INSERT INTO Produto_Embalagem (PRD_CODIGO, EMB_CODIGO, PRE_PESO) VALUES "
                             "(:prd, :emb, :peso)"));
    } else {
        q.Add(QStringLiteral("Update Produto_Embalagem SET "));
        q.Add(QStringLiteral("PRE_Peso=:peso"));
        q.Add(QStringLiteral("Where PRD_CODIGO=:prd"));
        q.Add(QStringLiteral("and EMB_CODIGO=:emb"));
    }
    q.setParam(QStringLiteral("prd"), prdCodigo.trimmed());
    q.setParam(QStringLiteral("emb"), embCodigo);
    q.setParam(QStringLiteral("peso"), (peso).toSqlString());
    q.ExecSQL();
    q.Close();
    tr.commit();
}

void excluirDoProduto(TDM& dm, const QString& prdCodigo, int embCodigo)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Delete from Produto_embalagem where prd_codigo=:prd"));
    q.Add(QStringLiteral("and emb_codigo=:emb"));
    q.setParam(QStringLiteral("prd"), prdCodigo.trimmed());
    q.setParam(QStringLiteral("emb"), embCodigo);
    q.ExecSQL();
    q.Close();
    tr.commit();
}

} // namespace CadastroEmbalagem
