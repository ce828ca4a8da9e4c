// SPDX-License-Identifier: GPL-3.0-or-later
#include "Produto.h"

#include "Conversao.h"
#include "NumeroDigitado.h"
#include "TDM.h"
#include "ValoresSql.h"

namespace CadastroProduto
{

qint64 proximoCodigo(TDM& dm)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select max(PRD_CODIGOint) as codigo From Produto"));
    q.Open();
    const qint64 n = q.IsEmpty() ? 0 : q.AsLargeInt(QStringLiteral("codigo"));
    q.Close();
    return n + 1;
}

bool existe(TDM& dm, const QString& codigo)
{
    return descricao(dm, codigo).has_value();
}

std::optional<QString> descricao(TDM& dm, const QString& codigo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select PRD_CODIGO, prd_descricao From Produto"));
    q.Add(QStringLiteral("Where PRD_CODIGO=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo.trimmed());
    q.Open();
    std::optional<QString> d;
    if (!q.IsEmpty()) {
        d = q.AsString(QStringLiteral("prd_descricao"));
    }
    q.Close();
    return d;
}

void salvar(TDM& dm, const DadosProduto& p, bool insercao, bool codigoAlfa)
{
    // the moisture table only when it exists (the window blocks an unknown one)
    QVariant tabela;
    bool ok = false;
    const int tab = p.tabCodigo.trimmed().toInt(&ok);
    if (ok && CadastroConversao::existe(dm, tab)) {
        tabela = tab;
    }
    const QString codigo = ValoresSql::texto(p.codigo);

    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (insercao) {
        q.Add(QStringLiteral(
            "INSERT INTO PRODUTO (PRD_CODIGO, PRD_CODIGOINT, PRD_DESCRICAO, prd_fator1, prd_fator2, "
            "prd_fator3, prd_fator4, prd_fator5, prd_fator6, prd_densidade, prd_vlrTonelada, "
            "tab_codigo) VALUES (:codigo, :codigoint, :descricao, :f1, :f2, :f3, :f4, :f5, :f6, "
            ":densidade, :vlrtonelada, :tabela)"));
        QVariant codigoInt = 0;
        if (!codigoAlfa) {
            bool numero = false;
            const qint64 n = codigo.toLongLong(&numero);
            codigoInt = numero ? QVariant(n) : QVariant();
        }
        q.setParam(QStringLiteral("codigoint"), codigoInt);
    } else {
        q.Add(QStringLiteral("Update PRODUTO SET "));
        q.Add(QStringLiteral("  PRD_Descricao=:descricao, prd_fator1=:f1, prd_fator2=:f2, prd_fator3=:f3, "
                             "prd_fator4=:f4, prd_fator5=:f5, prd_fator6=:f6, prd_densidade=:densidade, "
                             "prd_vlrTonelada=:vlrtonelada, tab_codigo=:tabela"));
        q.Add(QStringLiteral("  Where PRD_CODIGO=:codigo"));
    }
    q.setParam(QStringLiteral("codigo"), codigo);
    q.setParam(QStringLiteral("descricao"), ValoresSql::texto(p.descricao));
    for (int i = 0; i < 6; ++i) {
        q.setParam(QStringLiteral("f%1").arg(i + 1), ValoresSql::numero(p.fatores[size_t(i)]));
    }
    q.setParam(QStringLiteral("densidade"), ValoresSql::numero(p.densidade));
    q.setParam(QStringLiteral("vlrtonelada"), ValoresSql::numero(p.vlrTonelada));
    q.setParam(QStringLiteral("tabela"), tabela);
    dm.ExecutaNaTransacao();
}

void excluir(TDM& dm, const QString& codigo)
{
    const TDM::Parametros p{{QStringLiteral("codigo"), codigo.trimmed()}};
    Transacao tr(&dm);
    // weighings, correction factors and packaging weights of the product
    dm.RecusaSeEmUso({QStringLiteral("select prd_codigo from pesagemproduto where prd_codigo=:codigo")}, p);
    dm.RecusaSeEmUso({QStringLiteral("select prd_codigo from umidade where prd_codigo=:codigo")}, p);
    dm.RecusaSeEmUso({QStringLiteral("select prd_codigo from produto_embalagem where prd_codigo=:codigo")},
                     p);
    dm.ExecutaNaTransacao({QStringLiteral("Delete from Produto where prd_codigo=:codigo")}, p);
    tr.commit();
}

std::optional<Decimal> correcaoCombinada(const QStringList& fatores)
{
    Decimal soma;
    for (const QString& f : fatores) {
        soma += NumeroDigitado(f).value_or(Decimal());
    }
    const Decimal c = (Decimal::fromInt(100) - soma) / Decimal::fromInt(100);
    if (c < Decimal()) {
        return std::nullopt;
    }
    return c;
}

} // namespace CadastroProduto
