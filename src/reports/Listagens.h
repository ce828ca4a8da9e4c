// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TRVBand needs the complete column type.
#include "TRVColumn.h"

#include "TRVBand.h"
#include "TRVReport.h"
#include "TRelevo.h"

#include <QDate>
#include <QString>
#include <array>
#include <memory>

class TDM;
class RVDataSetSequencial;

// The filters of the parties listing.
struct FiltroCadastros {
    int tipo = 1;          // 0 carrier, 1 client, 2 supplier: party kind = tipo + 2
    QString codigoInicial; // blank: no lower bound
    QString codigoFinal;   // blank: no upper bound
    QString cidade;        // city code, blank: every city
    QString uf;            // state, blank: every state
    int ordem = 0;         // 0 name, 1 city, 2 state
};

// What the listings share: the job, the report with its page header, detail,
// page footer and summary bands, the count of records printed.
class Listagem
{
public:
    explicit Listagem(TDM& dm);
    virtual ~Listagem();
    TRelevo& job() { return m_job; }
    int registros() const { return m_registros; }

protected:
    // Sets up the job and the bands and runs the report over `TQuery` QR_TEMP,
    // already built; false when it selected nothing.
    bool executa(bool tela, int largura);
    virtual void cabecalho() = 0;
    virtual void detalhe() {}
    virtual void resumo() {}

    TDM& m_dm;
    TRelevo m_job;
    TRVReport m_rel;
    TRVBand m_detalhe, m_cabecalho, m_rodape, m_resumo;
    std::unique_ptr<RVDataSetSequencial> m_dados;
    int m_registros = 0;
    bool m_cabeca = false;
    bool m_temResumo = true;
    int m_colunaImpresso = 95;
};

// "Listagem de Cadastros": carriers, clients or suppliers with phone, contact and city.
class ListagemCadastros : public Listagem
{
public:
    static const QStringList& tipos();
    static const QStringList& ordens();
    explicit ListagemCadastros(TDM& dm);
    bool imprimir(const FiltroCadastros& f, bool tela);

private:
    void cabecalho() override;
    void detalhe() override;
    void resumo() override;
    FiltroCadastros m_filtro;
    std::array<TRVColumn, 6> m_colunas;
};

// "Listagem de Produtos": every product, with its fixed factors and moisture
// entries when moisture handling is configured.
class ListagemProdutos : public Listagem
{
public:
    explicit ListagemProdutos(TDM& dm);
    // ordem 0: by code, 1: by description.
    bool imprimir(int ordem, bool tela);

private:
    void cabecalho() override;
    void detalhe() override;
    void resumo() override;
    int m_umidade = 0;
    std::array<QString, 10> m_nomesFatores;
};

// "Passagens sem pesagem": the passages over the deck with no weighing saved
// during them, that began in the period, oldest first, 125 columns.
class ListagemPassagens : public Listagem
{
public:
    explicit ListagemPassagens(TDM& dm);
    bool imprimir(const QDate& de, const QDate& ate, bool tela);

private:
    void cabecalho() override;
    void detalhe() override;
    void resumo() override;
    QDate m_de, m_ate;
    int m_casas = 0;
};

// The vehicle types' listing: code, description and value, 80 columns.
class ListagemTiposVeiculo : public Listagem
{
public:
    explicit ListagemTiposVeiculo(TDM& dm);
    bool imprimir();

private:
    void cabecalho() override;
    std::array<TRVColumn, 3> m_colunas;
};
