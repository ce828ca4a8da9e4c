// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RelatorioFluxo.h"

// "Movimentação de Produtos - Agrupado": per product, one line of sums per
// party kind (suppliers before clients) of the completed weighings of the
// period, the movement before it and the balances.
class RelatorioAgrupado
{
public:
    // The sums of the completed weighings of the filter (dates before `antesDe`
    // when it is valid instead of the range), one row per product and party
    // kind, suppliers first, summed by the database (RelatorioFluxo::montaSomas).
    static void montaSql(TQuery& q, const FiltroFluxo& f, const QDate& antesDe = QDate());

    explicit RelatorioAgrupado(TDM& dm);
    ~RelatorioAgrupado();

    bool imprimir(const FiltroFluxo& f, bool tela);
    TRelevo& job() { return m_job; }

    // Net balance of the last product printed.
    Decimal saldoProduto() const { return m_saldoProduto; }

private:
    void cabecalhoPagina();
    void cabecalhoProduto();
    void cabecalhoTipo();
    void detalhe();
    void rodapeTipo();
    void rodapeProduto();
    void titulos();
    // The column of "Peso Liquido" and of every balance under it.
    int colunaLiquido() const;
    // A row of figures under the titles; `liquidoSemUmidade`: the net shown without moisture handling.
    void figuras(const SomasFluxo& s, Decimal liquidoSemUmidade);

    TDM& m_dm;
    TRelevo m_job;
    TRVReport m_rel;
    TRVBand m_detalhe, m_cabecalho, m_rodape, m_produto, m_rodapeProduto, m_tipo, m_rodapeTipo;
    std::unique_ptr<RVDataSetSequencial> m_dados;
    int m_colTipo = -1, m_colProduto = -1, m_colDescricao = -1;
    int m_colSomas[4]{}; // entry, entry with factor, exit, net with factor
    FiltroFluxo m_filtro;

    // Configuration read at the start of a run.
    ConfiguraRelatorio::Ajustes m_ajustes;

    SomasFluxo m_antFornecedor, m_antCliente, m_linha;
    RelatorioFluxo::Anteriores m_anteriores{RelatorioFluxo::FatorSaida::Combinado};
    int m_tipoLinha = 0;
    bool m_fornecedor = false; // the current party caption is "Forneced"
    Decimal m_saldoMov, m_saldoMovFc, m_saldoProduto, m_saldoProdutoFc;
};
