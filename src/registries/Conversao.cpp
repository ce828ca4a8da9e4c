// SPDX-License-Identifier: GPL-3.0-or-later
#include "Conversao.h"

#include "NumeroDigitado.h"
#include "ProximoCodigo.h"
#include "Rotinas.h"
#include "TDM.h"
#include "ValoresSql.h"

namespace CadastroConversao
{

std::optional<TabelaConversao> carregar(TDM& dm, int codigo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select * From Conversao Where tab_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    if (q.IsEmpty()) {
        q.Close();
        return std::nullopt;
    }
    TabelaConversao t;
    t.codigo = q.AsInteger(QStringLiteral("tab_codigo"));
    t.descricao = q.AsString(QStringLiteral("tab_descricao"));
    t.formula = q.AsInteger(QStringLiteral("tab_formula1")) == 1;
    t.umidadeFinal = q.AsDecimal(QStringLiteral("tab_final"));
    q.Clear();
    // Ascending initial moisture: the order the window lists them and the
    // order the discount tries them.
    q.Add(QStringLiteral(
        "Select * From tabConversao Where tab_codigo=:codigo order by tac_inicial, tac_final"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        t.faixas.append({q.AsDecimal(QStringLiteral("tac_inicial")), q.AsDecimal(QStringLiteral("tac_final")),
                         q.AsDecimal(QStringLiteral("tac_desconto"))});
    }
    q.Close();
    return t;
}

std::optional<TabelaConversao> doProduto(TDM& dm, const QString& prdCodigo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select tab_codigo from produto where prd_codigo=:prd"));
    q.setParam(QStringLiteral("prd"), prdCodigo.trimmed());
    q.Open();
    const bool sem = q.IsEmpty() || q.IsNull(QStringLiteral("tab_codigo"));
    const int codigo = sem ? 0 : q.AsInteger(QStringLiteral("tab_codigo"));
    q.Close();
    if (sem) {
        return std::nullopt;
    }
    return carregar(dm, codigo);
}

bool existe(TDM& dm, int codigo)
{
    return descricao(dm, codigo).has_value();
}

std::optional<QString> descricao(TDM& dm, int codigo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select * From Conversao Where tab_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    std::optional<QString> d;
    if (!q.IsEmpty()) {
        d = q.AsString(QStringLiteral("tab_descricao"));
    }
    q.Close();
    return d;
}

int proximoCodigo(TDM& dm)
{
    return ProximoCodigo(dm, QStringLiteral("tab_codigo"), QStringLiteral("conversao"));
}

void salvar(TDM& dm, const TabelaConversao& t, bool insercao)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (insercao) {
        q.Add(QStringLiteral("INSERT INTO CONVERSAO (tab_codigo,"));
        q.Add(QStringLiteral(
            "tab_descricao, tab_formula1, tab_final) VALUES (:codigo, :descricao, :formula, :final)"));
    } else {
        // An existing table keeps its row (products point to it); its
        // ranges are replaced below.
        q.Add(QStringLiteral(
            "UPDATE CONVERSAO SET tab_descricao=:descricao, tab_formula1=:formula, tab_final=:final"));
        q.Add(QStringLiteral("WHERE tab_codigo=:codigo"));
    }
    q.setParam(QStringLiteral("codigo"), t.codigo);
    q.setParam(QStringLiteral("descricao"), ValoresSql::texto(t.descricao));
    q.setParam(QStringLiteral("formula"), t.formula ? 1 : 0);
    q.setParam(QStringLiteral("final"), (t.formula ? t.umidadeFinal : Decimal()).toSqlString());
    q.ExecSQL();

    q.Clear();
    q.Add(QStringLiteral("DELETE FROM TABCONVERSAO where tab_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), t.codigo);
    q.ExecSQL();
    if (!t.formula) {
        for (const FaixaUmidade& f : t.faixas) {
            q.Clear();
            q.Add(QStringLiteral("INSERT INTO TABCONVERSAO (tab_codigo,"));
            q.Add(QStringLiteral(
                "tac_inicial, tac_final, tac_desconto) VALUES (:codigo, :inicial, :final, :desconto)"));
            q.setParam(QStringLiteral("codigo"), t.codigo);
            q.setParam(QStringLiteral("inicial"), (f.inicial).toSqlString());
            q.setParam(QStringLiteral("final"), (f.final).toSqlString());
            q.setParam(QStringLiteral("desconto"), (f.desconto).toSqlString());
            q.ExecSQL();
        }
    }
    q.Close();
    tr.commit();
}

void excluir(TDM& dm, int codigo)
{
    const TDM::Parametros p{{QStringLiteral("codigo"), codigo}};
    Transacao tr(&dm);
    dm.RecusaSeEmUso({QStringLiteral("select tab_codigo from produto where tab_codigo=:codigo")}, p);
    // the ranges go with their table
    dm.ExecutaNaTransacao({QStringLiteral("Delete from TabConversao where tab_codigo=:codigo")}, p);
    dm.ExecutaNaTransacao({QStringLiteral("Delete from Conversao where tab_codigo=:codigo")}, p);
    tr.commit();
}

QString validaFaixa(const QString& inicial, const QString& final, const QString& desconto)
{
    const auto i = NumeroDigitado(inicial);
    const auto f = NumeroDigitado(final);
    const auto d = NumeroDigitado(desconto);
    if (!i || !f || !d) {
        return QStringLiteral("Valores inválidos");
    }
    const Decimal cem = Decimal::fromInt(100);
    if (*i > cem || *f > cem || *d > cem) {
        return QStringLiteral("Valores devem ser menores ou iguais a 100 %");
    }
    if (*f < *i) {
        return QStringLiteral("Valor inicial deve ser menor que valor final");
    }
    return QString();
}

} // namespace CadastroConversao

QString DescontoUmidade::mensagem() const
{
    switch (situacao) {
    case SemConversao:
        return QStringLiteral("Conversão de Umidade não cadastrada para este produto.");
    case AbaixoDoFinal:
        return QStringLiteral("Umidade menor que Umidade Final. Desconto 0%.");
    case SemFaixas:
        return QStringLiteral("Tabela de Conversão de Umidade não cadastrada para este produto.");
    case ForaDaTabela:
        return QStringLiteral(
            "Umidade não se enquadra na Tabela de Conversão de Umidade cadastrada para este produto.");
    case Calculado:
    case UmidadeZero:
        break;
    }
    return QString();
}

DescontoUmidade DescontoUmidade::calcula(const std::optional<TabelaConversao>& tabela, Decimal umidade)
{
    DescontoUmidade r;
    if (umidade.isZero()) {
        r.situacao = UmidadeZero;
        return r;
    }
    if (!tabela) {
        r.situacao = SemConversao;
        return r;
    }
    const Decimal cem = Decimal::fromInt(100);
    if (tabela->formula) {
        const Decimal f = tabela->umidadeFinal;
        // a final moisture of 100 would divide by zero: nothing above it to discount
        if (umidade <= f || f >= cem) {
            r.situacao = AbaixoDoFinal;
            return r;
        }
        r.desconto = ((umidade - f) * cem) / (cem - f);
        return r;
    }
    if (tabela->faixas.isEmpty()) {
        r.situacao = SemFaixas;
        return r;
    }
    for (const FaixaUmidade& faixa : tabela->faixas) {
        if (faixa.inicial <= umidade && umidade <= faixa.final) {
            r.desconto = faixa.desconto;
            return r;
        }
    }
    r.situacao = ForaDaTabela;
    return r;
}

DescontoUmidade DescontoUmidade::doProduto(TDM& dm, const QString& prdCodigo, Decimal umidade)
{
    if (umidade.isZero()) {
        return calcula(std::nullopt, umidade);
    }
    return calcula(CadastroConversao::doProduto(dm, prdCodigo), umidade);
}
