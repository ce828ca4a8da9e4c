// SPDX-License-Identifier: GPL-3.0-or-later
#include "RelatorioAgrupado.h"

#include "CabecalhoRelatorio.h"
#include "ConfiguraRelatorio.h"
#include "LeConfig.h"
#include "Quantidades.h"
#include "RVDataSet.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TQuery.h"

#include <array>

using namespace ConfiguraRelatorio;

namespace
{
constexpr int Largura = 125;

// A client's net with factor in the sign of its net (S - E'), for the balances.
Decimal liquidoFcSaldo(const SomasFluxo& s, int tipo)
{
    return tipo == 3 ? -s.liquidoFc : s.liquidoFc;
}
} // namespace

void RelatorioAgrupado::montaSql(TQuery& q, const FiltroFluxo& f, const QDate& antesDe)
{
    RelatorioFluxo::montaSomas(q, f, antesDe, RelatorioFluxo::FatorSaida::Combinado);
}

RelatorioAgrupado::RelatorioAgrupado(TDM& dm) : m_dm(dm)
{
    m_rel.Relevo = &m_job;
    m_produto.setExpression(QStringLiteral("prd_codigo"));
    m_tipo.setExpression(QStringLiteral("cad_tipo"));
    liga(m_cabecalho, this, &RelatorioAgrupado::cabecalhoPagina);
    m_rodape.OnBeforePrint = [this](TRVBand*, QStringList&) { rodape(m_job, Largura, m_ajustes.emissor); };
    liga(m_produto, this, &RelatorioAgrupado::cabecalhoProduto);
    liga(m_rodapeProduto, this, &RelatorioAgrupado::rodapeProduto);
    liga(m_tipo, this, &RelatorioAgrupado::cabecalhoTipo);
    liga(m_rodapeTipo, this, &RelatorioAgrupado::rodapeTipo);
    liga(m_detalhe, this, &RelatorioAgrupado::detalhe);
}

RelatorioAgrupado::~RelatorioAgrupado() = default;

bool RelatorioAgrupado::imprimir(const FiltroFluxo& f, bool tela)
{
    m_filtro = f;
    LeConfig cfg(m_dm);
    m_ajustes = inicia(m_job, cfg, Largura, tela);
    m_antFornecedor = m_antCliente = m_linha = {};
    m_anteriores.inicia(f);
    m_saldoMov = m_saldoMovFc = m_saldoProduto = m_saldoProdutoFc = {};

    paginas(m_rel, m_detalhe, m_cabecalho, m_rodape);
    m_rel.PrintSummary = false;
    grupos(m_rel, {{&m_produto, &m_rodapeProduto}, {&m_tipo, &m_rodapeTipo}});
    TQuery& q = m_dm.QR_TEMP;
    montaSql(q, f);
    return imprimeConsulta(m_rel, m_dm, q, m_dados, [this](const RVDataSetSequencial& d) {
        m_colTipo = d.Campo(QStringLiteral("cad_tipo"));
        m_colProduto = d.Campo(QStringLiteral("prd_codigo"));
        m_colDescricao = d.Campo(QStringLiteral("prd_descricao"));
        for (int i = 0; i < 4; ++i)
            m_colSomas[i] = d.Campo(QString::fromLatin1(
                std::array{"PesoEntrada", "EntLiquido", "PesoSaida", "LiquidoFc"}[size_t(i)]));
    });
}

void RelatorioAgrupado::cabecalhoPagina()
{
    if (m_ajustes.cabeca) CabecalhoRelatorio(m_job, &m_dm);
    titulo(m_job, 110, true);
    // the heading names the preview, the PDF and the e-mail subject
    m_job.ReportTitle = QStringLiteral("Relatorio de Movimentacao de Produtos - Agrupado");
    m_job.WriteText({}, QStringLiteral("Relatorio de Movimentacao de Produtos - Agrupado"), 0, true);
    if (m_filtro.inicio.isValid() || m_filtro.fim.isValid()) {
        auto d = [](const QDate& x) {
            return x.isValid() ? x.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        };
        em(m_job, QStringLiteral("Entrada: ") + d(m_filtro.inicio) + QStringLiteral(" a ") + d(m_filtro.fim),
           0);
    }
    em(m_job, QStringLiteral("* FCF: Fator de Correcao Fixo"), 55);
    m_job.WriteText({}, QStringLiteral("** FCV: Fator de Correcao Variavel"), 91, true);
    regua(m_job, u'-', Largura);
}

void RelatorioAgrupado::titulos()
{
    auto t = [this](const char* s, int w, int c) {
        em(m_job, AlinhaTexto(QString::fromUtf8(s), w, u'E'), c);
    };
    t("Peso Entrada", 12, 23);
    if (m_ajustes.umidade) {
        t("Peso Entrada c/ FCV", 31, 36);
        t("Peso Saida", 12, 68);
        t("Peso Liquido", 12, 81);
        t("Peso Liquido c/ FCF e FCV", 31, 94);
    } else {
        t("Peso Saida", 12, 36);
        t("Peso Liquido", 12, 49);
    }
    fimLinha(m_job);
}

int RelatorioAgrupado::colunaLiquido() const
{
    // where titulos() puts "Peso Liquido": every balance stands under it
    return m_ajustes.umidade ? 81 : 49;
}

void RelatorioAgrupado::figuras(const SomasFluxo& s, Decimal liquidoSemUmidade)
{
    const int c = m_ajustes.casas;
    numero(m_job, s.entrada, c, 12, 23);
    if (m_ajustes.umidade) {
        numero(m_job, s.entradaFc, c, 31, 36);
        numero(m_job, s.saida, c, 12, 68);
        numero(m_job, s.entradaFc - s.saida, c, 12, 81);
        numero(m_job, s.liquidoFc, c, 31, 94);
    } else {
        numero(m_job, s.saida, c, 12, 36);
        numero(m_job, liquidoSemUmidade, c, 12, 49);
    }
}

void RelatorioAgrupado::cabecalhoProduto()
{
    const RVDataSetSequencial& d = *m_dados;
    const QString produto = d.Texto(m_colProduto).trimmed();
    m_antFornecedor = m_antCliente = {};
    const bool comAnterior = m_filtro.inicio.isValid();
    if (comAnterior) {
        const MovimentoAnterior m = m_anteriores.de(m_dm, produto);
        m_antFornecedor = m.fornecedor;
        m_antCliente = m.cliente;
    }
    m_job.WriteText({}, produto + QStringLiteral(" - ") + d.Texto(m_colDescricao).trimmed(), 0, true);
    regua(m_job, u'=', Largura);
    fimLinha(m_job);
    const int c = m_ajustes.casas;
    if (comAnterior) {
        em(m_job, QStringLiteral("Mov. Anterior Fornec.:"), 0);
        titulos();
        figuras(m_antFornecedor, m_antFornecedor.entrada - m_antFornecedor.saida);
        fimLinha(m_job);
        em(m_job, QStringLiteral("Mov. Anterior Cliente:"), 0);
        titulos();
        figuras(m_antCliente, m_antCliente.entrada - m_antCliente.saida);
        fimLinha(m_job);
        em(m_job, QStringLiteral("Saldo Anterior:"), 0);
        if (m_ajustes.umidade) {
            numero(m_job,
                   (m_antFornecedor.entradaFc - m_antFornecedor.saida) -
                       (m_antCliente.saida - m_antCliente.entradaFc),
                   c, 12, 81);
            numero(m_job, liquidoFcSaldo(m_antFornecedor, 4) - liquidoFcSaldo(m_antCliente, 3), c, 31, 94);
        } else {
            numero(m_job,
                   (m_antFornecedor.entrada - m_antFornecedor.saida) -
                       (m_antCliente.saida - m_antCliente.entrada),
                   c, 12, colunaLiquido());
        }
        fimLinha(m_job);
        regua(m_job, u'-', Largura);
    }
    m_saldoMov = m_saldoMovFc = {};
    m_saldoProduto = m_saldoProdutoFc = {};
}

void RelatorioAgrupado::cabecalhoTipo()
{
    m_tipoLinha = int(m_dados->AsLargeInt(m_colTipo));
    if (m_tipoLinha == 3) {
        em(m_job, QStringLiteral("Movimento Cliente:"), 0);
        m_fornecedor = false;
    } else if (m_tipoLinha == 4) {
        em(m_job, QStringLiteral("Movimento Fornecedor:"), 0);
        m_fornecedor = true;
    }
    titulos();
}

void RelatorioAgrupado::detalhe()
{
    const RVDataSetSequencial& d = *m_dados;
    m_linha = RelatorioFluxo::somas(
        {d.Valor(m_colSomas[0]), d.Valor(m_colSomas[1]), d.Valor(m_colSomas[2]), d.Valor(m_colSomas[3])});
    m_tipoLinha = int(d.AsLargeInt(m_colTipo));
    const SomasFluxo& s = m_linha;
    // The party kind's figures right under its titles; the report ends the line.
    figuras(s, m_tipoLinha == 3 ? s.saida - s.entradaFc : s.entradaFc - s.saida);
}

void RelatorioAgrupado::rodapeTipo()
{
    const SomasFluxo& s = m_linha;
    // The net as the balances take it: S - E' for clients, E' - S otherwise.
    const Decimal liquido = m_tipoLinha == 3 ? s.saida - s.entradaFc : s.entradaFc - s.saida;
    const Decimal fc = liquidoFcSaldo(s, m_tipoLinha);
    if (m_fornecedor) {
        m_saldoMov += liquido;
        m_saldoMovFc += fc;
    } else {
        m_saldoMov -= liquido;
        m_saldoMovFc -= fc;
    }
}

void RelatorioAgrupado::rodapeProduto()
{
    const int c = m_ajustes.casas;
    const bool comAnterior = m_filtro.inicio.isValid();
    m_saldoProduto =
        (m_antFornecedor.entradaFc - m_antFornecedor.saida - (m_antCliente.saida - m_antCliente.entradaFc)) +
        m_saldoMov;
    m_saldoProdutoFc = liquidoFcSaldo(m_antFornecedor, 4) - liquidoFcSaldo(m_antCliente, 3) + m_saldoMovFc;
    if (comAnterior) {
        em(m_job, QStringLiteral("Saldo Movimento:"), 0);
        numero(m_job, m_saldoMov, c, 12, colunaLiquido());
        if (m_ajustes.umidade) numero(m_job, m_saldoMovFc, c, 31, 94);
        fimLinha(m_job);
        regua(m_job, u'-', Largura);
        em(m_job, QStringLiteral("Saldo Produto:"), 0);
        numero(m_job, m_saldoProduto, c, 12, colunaLiquido());
        numero(m_job, m_saldoProdutoFc, c, 31, 94);
    } else {
        regua(m_job, u'-', Largura);
        em(m_job, QStringLiteral("Saldo Produto:"), 0);
        numero(m_job, m_saldoMov, c, 12, colunaLiquido());
        numero(m_job, m_saldoProdutoFc, c, 31, 94);
    }
    fimLinha(m_job);
    regua(m_job, u'=', Largura);
}
