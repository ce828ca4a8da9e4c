// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AjusteLinha.h"

#include "ConsultaTicket.h"
#include "Decimal.h"
#include "Quantidades.h"

#include <QString>
#include <array>

class TDM;
class TQuery;
class TRelevo;

// The settings the built-in ticket layouts read from Config.
struct ConfigLayout {
    bool ticket40 = false;              // CFG_TICKET40 = 1
    bool sintetico = false;             // CFG_TICKETSINTETICO = 1
    bool listaProdutos = false;         // CFG_MORPRODUTO non-zero
    QString itemDesc;                   // CFG_ITEMDESC
    bool umidade = false;               // CFG_UMIDADE non-zero
    bool umidadeUnica = false;          // CFG_UMIDADEUNICA = 1
    bool imprimeTransportadora = false; // CFG_IMPTRANSP = 1
    bool navio = false;                 // CFG_NAVIO = 1
    int casasDecimais = 0;              // CFG_CASASDECIMAIS
    int pesoEmbalagem = 0;              // CFG_PESOEMBALAGEM
    bool metrosCubicos = false;         // CFG_METROSCUBICOS = 1
    bool pesagemObs = false;            // CFG_PESAGEMOBS = 1
    bool supervisor = false;            // CFG_SUPERVISOR = 1
    std::array<QString, 10> fatores;    // CFG_FATOR1 .. CFG_FATOR10

    static ConfigLayout ler(TDM& dm);
};

// The ticket field switches of ConfigTicket; no row hides every field.
struct CamposTicket {
    bool codigo = false, placa = false, placaCarreta = false, nf = false, motorista = false;

    static CamposTicket ler(TDM& dm);
};

// One ticket of the built-in layouts for the current row of the ticket query,
// written line by line into the print job.
class LayoutTicket
{
public:
    struct Estado {
        bool saida = false; // exit ticket
        QString emitente;   // the issuer's name (H2)
        QString versao;     // the program's version text (H1)
        ConsultaTicket::Pesagem pesagem;
        QString codigoVerificacao; // of the weighing's latest audit entry; empty when it has none
    };

    LayoutTicket(TRelevo& job, TQuery& q, const ConfigLayout& cfg, const CamposTicket& campos,
                 const Estado& estado);

    // Writes the whole ticket; a product list moves the query to its last row.
    void escreve();

    // The figures of the ticket just written (0 where they were not computed).
    Decimal fcvEntrada, fcf, fcvSaida, fcTotal;
    Decimal pesoEntradaCorrigido, pesoCorrigido;

    // The formats of the ticket.
    static QString formataPeso(Decimal x, int casas); // W(x)
    static QString formataPercentual(Decimal x);      // P(x)
    static QString formataCoeficiente(Decimal x);     // K(x)

private:
    void texto(const QString& t, int coluna, bool fim);
    void linha(const QString& t) { texto(t, 0, true); }
    // A plate, invoice number or code in the line being composed: never cut.
    void identificador(const QString& t, int coluna);
    // A text that may be longer than the line, continued on the next lines.
    void linhaLonga(const QString& t);
    void separador(QChar c);
    QString campo(const char* nome) const;
    Decimal numero(const char* nome) const;
    QString data(const char* nome) const;
    QString hora(const char* nome) const;
    QString W(Decimal x) const { return formataPeso(x, m_cfg.casasDecimais); }
    QString P(const char* nome) const { return formataPercentual(numero(nome)); }
    Quantidades::Fatores fatoresDaLinha() const;
    void calculaCoeficientes();

    void cabecalho();
    void motoristaParteTransportadora();
    void produtos();
    void blocoFatores80();
    void blocoFatores40();
    void pesos();
    void resultado();
    void metrosCubicos();
    void verificacao();
    void fechamento();

    TRelevo& m_job;
    TQuery& m_q;
    const ConfigLayout& m_cfg;
    const CamposTicket& m_campos;
    const Estado& m_estado;
    int m_largura = 80;
    QList<PecaLinha> m_pecas; // the line being composed
};
