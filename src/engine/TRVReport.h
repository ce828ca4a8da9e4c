// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CodigosImpressora.h"
#include "TRVBand.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class TRelevo;
class RVDataSet;

// The banded report driver: walks the records and, around each one, prints
// the title, page headers and footers, group headers and footers, detail
// bands with their columns, and the summary, through the print job.
class TRVReport : public QObject
{
    Q_OBJECT
public:
    explicit TRVReport(QObject* parent = nullptr) : QObject(parent) {}

    TRelevo* Relevo = nullptr;
    RVDataSet* DataSet = nullptr;
    TRVBand* Title = nullptr;
    TRVBand* PageHeader = nullptr;
    TRVBand* PageFooter = nullptr;
    TRVBand* Summary = nullptr;
    TRVHowPrint HowPrint = rvNoEfect;
    bool PrintSummary = false;
    bool PrintPageHeader = false;
    bool PrintPageFooter = false;
    bool PrintTitle = false;
    int LinesFooter = 0;
    bool ShowProgress = true;
    int Copias = 1;
    std::function<void(TRVReport*)> OnBeforePrint;
    std::function<void(TRVReport*)> OnAfterPrint;

    // Reading gives the running page number; writing sets the number of the first page.
    unsigned PageNumber() const { return m_pagina; }
    void setPageNumber(unsigned n)
    {
        m_paginaInicial = n;
        m_pagina = n;
    }

    // Each list becomes exactly index + 1 long; entry `index` := band (null: no band at that level).
    void SetDetailBand(int index, TRVBand* band) { ColocaNaLista(m_detalhes, index, band); }
    void SetGroupHeader(int index, TRVBand* band) { ColocaNaLista(m_cabecalhosGrupo, index, band); }
    void SetGroupFooter(int index, TRVBand* band) { ColocaNaLista(m_rodapesGrupo, index, band); }
    const QList<QPointer<TRVBand>>& DetailBands() const { return m_detalhes; }
    const QList<QPointer<TRVBand>>& GroupHeaders() const { return m_cabecalhosGrupo; }
    const QList<QPointer<TRVBand>>& GroupFooters() const { return m_rodapesGrupo; }

    void Print();

    // Installed as the print job's hooks while the report runs.
    void DoPageHeader();
    void DoPageFooter(bool force);

private:
    void SetEffect(TRVHowPrint efeito, bool ligado);
    void efeitoDaBanda(TRVBand* band, bool ligado);
    void imprimeLinhas(TRVBand* band, bool comAfterPrint = true);
    void imprimeDetalhe(TRVBand* band);
    QString valorCampo(const QString& expressao) const;
    // Runs a step again while the printer reports a problem and the user does not cancel.
    template <typename F> void comRetry(F passo);
    bool perguntaCancelar();
    QString texto(const char* portugues, const char* ingles) const;

    QList<QPointer<TRVBand>> m_detalhes, m_cabecalhosGrupo, m_rodapesGrupo;
    unsigned m_pagina = 1;
    unsigned m_paginaInicial = 1;
    unsigned m_cabecalhos = 0;
    unsigned m_rodapes = 0;
    bool m_forcaCabecalho = false;
    bool m_cancelado = false;
    bool m_noRodape = false;
    QStringList m_valoresGrupo;
};
