#pragma once

#include "RelatorioFluxo.h"

#include <vector>

class RVDataSetMemoria;

// "Movimentação de Produtos - Agrupado": per product, one line of sums per
// party kind (suppliers before clients) of the completed weighings of the
// period, the movement before it and the balances.
class RelatorioAgrupado
{
public:
    // One product and party kind: its sums. `liquido` is E' - S (negative for
    // clients' withdrawals) and `liquidoFc` is (E' - S) x the combined factor.
    struct Linha {
        QString produto, descricao;
        int tipo = 0;
        SomasFluxo s;
    };
    // The sums of the completed weighings of the filter (dates before `antesDe`
    // when it is valid instead of the range), ordered by product, suppliers first.
    static std::vector<Linha> somas(TDM& dm, const FiltroFluxo& f, const QDate& antesDe = QDate());

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
    const Linha& atual() const;

    TDM& m_dm;
    TRelevo m_job;
    TRVReport m_rel;
    TRVBand m_detalhe, m_cabecalho, m_rodape, m_produto, m_rodapeProduto, m_tipo, m_rodapeTipo;
    std::unique_ptr<RVDataSetMemoria> m_dados;
    std::vector<Linha> m_linhas;
    FiltroFluxo m_filtro;

    // Configuration read at the start of a run.
    ConfiguraRelatorio::Ajustes m_ajustes;

    SomasFluxo m_antFornecedor, m_antCliente, m_linha;
    int m_tipoLinha = 0;
    bool m_fornecedor = false; // the current party caption is "Forneced"
    Decimal m_saldoMov, m_saldoMovFc, m_saldoProduto, m_saldoProdutoFc;
};
