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
#include <QHash>
#include <QString>
#include <QVariant>
#include <array>
#include <memory>

class TDM;
class TQuery;
class RVDataSetSequencial;

// The filters of the flow and grouped movement windows.
struct FiltroFluxo {
    QString produto; // blank: every product
    QDate inicio;    // entry date range; null: open end
    QDate fim;
};

// What the flow and grouped reports add up for one party kind.
struct SomasFluxo {
    Decimal entrada, entradaFc, saida, liquido, liquidoFc;
    void soma(const SomasFluxo& s)
    {
        entrada += s.entrada;
        entradaFc += s.entradaFc;
        saida += s.saida;
        liquido += s.liquido;
        liquidoFc += s.liquidoFc;
    }
};

// The movement of one product before the period: suppliers' and clients' sums.
struct MovimentoAnterior {
    SomasFluxo fornecedor, cliente;
    // (supplier E' - supplier S) - (client S - client E')
    Decimal saldo() const
    {
        return (fornecedor.entradaFc - fornecedor.saida) - (cliente.saida - cliente.entradaFc);
    }
};

// "Movimentação de Produtos - Fluxo Diário": for each product, the movement
// before the period, then day by day the completed weighings by party kind
// with day and product totals.
class RelatorioFluxo
{
public:
    // How a sum's net with factor weighs the exit side: the fixed factors times
    // the variable ones (flow), or one coefficient of all eleven (grouped).
    enum class FatorSaida { FixoVezesVariavel, Combinado };
    // The database's sums of the completed weighings of `f` (or, when `antesDe`
    // is valid, of those that entered before it), one row per product and party
    // kind, ordered by product, suppliers first: PesoEntrada, PesoSaida,
    // EntLiquido (E') and LiquidoFc ((E' - S) x the factor), over the factors
    // stored with each weighing. A factor not stored counts as 0, so a row of
    // the product grid keeps its weight in the balance.
    static void montaSomas(TQuery& q, const FiltroFluxo& f, const QDate& antesDe, FatorSaida modo);
    // The current row of montaSomas: liquido is E' - S and liquidoFc keeps the
    // statement's sign (E' - S) for every kind.
    static SomasFluxo somasDaLinha(const TQuery& q);
    // The same from the four sums: entry, entry with factor, exit, net with factor.
    static SomasFluxo somas(const std::array<QVariant, 4>& valores);

    // Completed weighings of the filter, ordered by product, day, suppliers
    // before clients, party and weighing; each row also carries its party
    // kind's totals of the day, summed by the database (Grupo...).
    static void montaSql(TQuery& q, const FiltroFluxo& f);
    // Sums of the completed weighings of `produto` before `inicio`, by party kind.
    static MovimentoAnterior anterior(TDM& dm, const QString& produto, const QDate& inicio);
    // The sums of montaSomas before `inicio` of `produto` (every product when
    // empty) by product code, suppliers' and clients' apart, as the database
    // returns them (a client's in E' - S).
    static QHash<QString, MovimentoAnterior> somasAnteriores(TDM& dm, const QString& produto,
                                                             const QDate& inicio, FatorSaida modo);

    // The movement before the period of each product as a report reaches it.
    // PostgreSQL sums every product's history in one statement at the first
    // product (its plan for one product is a pass over every weighing anyway);
    // SQLite sums one product's when its turn comes, through the product
    // index, so the first page does not wait for the other products.
    class Anteriores
    {
    public:
        explicit Anteriores(FatorSaida modo) : m_modo(modo) {}
        void inicia(const FiltroFluxo& f);
        MovimentoAnterior de(TDM& dm, const QString& produto);

    private:
        FatorSaida m_modo;
        FiltroFluxo m_filtro;
        QHash<QString, MovimentoAnterior> m_todos;
        bool m_lidos = false;
    };

    explicit RelatorioFluxo(TDM& dm);
    ~RelatorioFluxo();

    // False when nothing was selected.
    bool imprimir(const FiltroFluxo& f, bool tela);
    TRelevo& job() { return m_job; }

    // Figures of the last product printed (its day totals summed) and of the run.
    Decimal totalProdutos() const { return m_totalProdutos; }

private:
    void cabecalhoPagina();
    void cabecalhoProduto();
    void cabecalhoDia();
    void cabecalhoTipo();
    void detalhe();
    void rodapeTipo();
    void rodapeDia();
    void rodapeProduto();
    // The column titles: the party kind's, or the shorter ones of a record's title line.
    void titulos(bool doRegistro);
    // A row of figures under the titles (the factors only where given).
    void figuras(const SomasFluxo& s, const Decimal* fatorEntrada = nullptr,
                 const Decimal* fatorSaida = nullptr);
    // The quantities of the current record, each rounded as the weighing's are.
    // `lidos`: the record's factors as read.
    SomasFluxo linha(Decimal* fatorEntrada, Decimal* fatorSaida, Quantidades::Fatores* lidos = nullptr) const;

    // A party kind's totals of the day, summed without rounding from each
    // record's stored weights and factors (whole numbers at the scale of the
    // factors' products) and rounded once at the end, as PostgreSQL's numeric
    // sums them: both engines print the same figures, SQLite's floating point
    // never reaching a total.
    struct SomaExata {
        __int128 entrada = 0, entradaFc = 0, saida = 0, liquidoFc = 0;
        void soma(Decimal pesoEntrada, Decimal pesoSaida, const Quantidades::Fatores& f);
        SomasFluxo valores() const;
    };
    SomaExata m_grupoExato;

    // The fields the bands read, by index.
    struct Colunas {
        int razao = -1, tipo = -1, produto = -1, descricao = -1, dataEntrada = -1, dataSaida = -1,
            entrada = -1, saida = -1, umidade = -1;
        int fixos[6]{}, fatoresSaida[4]{}, fatoresEntrada[4]{};
        void resolve(const RVDataSetSequencial& d);
    };
    Colunas m_col;

    TDM& m_dm;
    TRelevo m_job;
    TRVReport m_rel;
    TRVBand m_detalhe, m_cabecalho, m_rodape, m_produto, m_rodapeProduto, m_dia, m_rodapeDia, m_tipo,
        m_rodapeTipo;
    std::unique_ptr<RVDataSetSequencial> m_dados;
    FiltroFluxo m_filtro;

    // Configuration read at the start of a run.
    ConfiguraRelatorio::Ajustes m_ajustes;

    MovimentoAnterior m_anterior;
    Anteriores m_anteriores{FatorSaida::FixoVezesVariavel};
    SomasFluxo m_grupo;
    int m_tipoAtual = 0;
    Decimal m_diaFornecedor, m_diaFornecedorFc, m_diaCliente, m_diaClienteFc;
    Decimal m_produtoSoma, m_produtoSomaFc;
    Decimal m_totalProdutos;
};
