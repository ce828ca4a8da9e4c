// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfiguraRelatorio.h"
#include "Decimal.h"
#include "Quantidades.h"
// TRVBand needs the complete column type.
#include "TRVColumn.h"

#include "TRVBand.h"
#include "TRVReport.h"
#include "TRelevo.h"

#include <QDate>
#include <QString>
#include <memory>

class TDM;
class TQuery;
class RVDataSetSequencial;

// The filters of the movement report window.
struct FiltroMovimento {
    // 0 client, 1 supplier, 2 analytic client, 3 analytic supplier.
    int tipo = 0;
    QString codigo; // party code, blank: every party
    QDate inicio;   // entry date range; a null date: open end
    QDate fim;
    QString produto; // product code, blank: every product
    QString placa;
    bool somenteComSaida = false;
};

// "Movimentação de Produto X Cliente/Fornecedor": the weighings of clients or
// suppliers in a period, one group per party with its totals, or the analytic
// list; or the same records exported to a fixed-width text file.
class RelatorioMovimento
{
public:
    static const QStringList& tipos();
    // The party kind of a report type: 3 client, 4 supplier.
    static int tipoParte(int tipo) { return (tipo == 0 || tipo == 2) ? 3 : 4; }
    static bool analitico(int tipo) { return tipo >= 2; }

    // Builds the statement on `q` with every value bound. Records of one party
    // come together (ordered by party, then entry date and time).
    static void montaSql(TQuery& q, const FiltroMovimento& f, bool exportar);

    explicit RelatorioMovimento(TDM& dm);
    ~RelatorioMovimento();

    // Runs the report on the shared temporary query; false when there was
    // nothing to print. `tela`: preview on screen.
    bool imprimir(const FiltroMovimento& f, bool tela);

    // Writes "RelExp" + ddMMyyyyHHmm + ".txt" into `pasta`; the file's full name,
    // or empty when there was nothing to export.
    QString exportar(const FiltroMovimento& f, const QString& pasta);

    TRelevo& job() { return m_job; }

    // Totals of a run (party totals are reset at each footer).
    struct Totais {
        Decimal entrada, entradaFc, saida, liquido, liquidoFc, embalagem, valor, km, frete, totalFrete;
        void soma(const Totais& t);
    };
    const Totais& totalGeral() const { return m_geral; }

    // The fields the bands read (resolved to indexes once per run).
    enum Campo {
        CadCodigo,
        CadTipo,
        CadRazao,
        Placa,
        Carreta,
        Vlr,
        DataEntrada,
        DataSaida,
        PesoEntrada,
        PesoSaida,
        PrdDescricao,
        Fator1,
        Fator2,
        Fator3,
        Fator4,
        Fator5,
        Fator6,
        Fator7,
        Fator8,
        Fator9,
        Fator10,
        Fator11,
        Fator7e,
        Fator8e,
        Fator9e,
        Fator10e,
        PesCodigo,
        VlrTonelada,
        PesoEmbalagem,
        PrdCodigo,
        HoraEntrada,
        HoraSaida,
        Frete,
        Km,
        CodigoTransp,
        RazaoTransp,
        NCampos
    };

private:
    Decimal dec(Campo c) const;
    QString txt(Campo c) const;
    QString data(Campo c) const; // dd/mm/yyyy, ten blanks when none
    QString hora(Campo c) const;
    Quantidades::Fatores fatores() const;

    void cabecalhoPagina();
    void rodapePagina();
    void cabecalhoGrupo();
    void detalhe();
    void rodapeGrupo();
    void resumo();
    void totaisNaLinha(const Totais& t, bool geral);

    TDM& m_dm;
    TRelevo m_job;
    TRVReport m_rel;
    TRVBand m_detalhe, m_cabecalho, m_rodape, m_grupoParte, m_rodapeGrupo, m_resumo;
    std::unique_ptr<RVDataSetSequencial> m_dados;
    int m_campos[NCampos]{};
    FiltroMovimento m_filtro;
    Totais m_parte, m_geral;

    // Configuration read at the start of a run.
    ConfiguraRelatorio::Ajustes m_ajustes;
    bool m_frete = false, m_tipoVeiculo = false, m_pesoEmbalagem = false, m_morProduto = false,
         m_vlrTonelada = false, m_navio = false;
};
