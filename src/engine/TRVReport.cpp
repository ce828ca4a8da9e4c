// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRVReport.h"

#include "Decimal.h"
#include "RVDataSet.h"
#include "ServicosRelevo.h"
#include "TRVBand.h"
#include "TRVColumn.h"
#include "TRelevo.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace
{
const QString primeiroGrupo = QStringLiteral("-----");
const QString forcaGrupo = QStringLiteral("*****ForceNewGroup*****");
// How long the record loop runs between two passes of the event loop: often enough for
// the windows to repaint and answer at once, seldom enough to cost nothing per record.
constexpr qint64 intervaloEventosMs = 10;
} // namespace

QString TRVReport::texto(const char* portugues, const char* ingles) const
{
    return Relevo ? Relevo->texto(portugues, ingles) : QString::fromUtf8(portugues);
}

bool TRVReport::perguntaCancelar()
{
    const QString pergunta =
        Relevo->StatusMessage + QStringLiteral("\n\r") + texto(" Cancelar ?", " Cancel ?");
    const int r = ServicosRelevo::atual().mensagem(pergunta, texto("Erro", "Error"),
                                                   MsgRelevo::SimNao | MsgRelevo::Pergunta);
    if (r == MsgRelevo::RespSim) {
        m_cancelado = true;
        return true;
    }
    return false;
}

template <typename F> void TRVReport::comRetry(F passo)
{
    for (;;) {
        passo();
        if (m_cancelado || Relevo->StatusMessage.isEmpty()) return;
        if (perguntaCancelar()) return;
    }
}

void TRVReport::SetEffect(TRVHowPrint efeito, bool ligado)
{
    if (efeito == rvNoEfect) return;
    const QByteArray codigo = TRelevo::CodigosAtivos().efeito(efeito, ligado);
    comRetry([&] { Relevo->SendCommand(codigo); });
}

void TRVReport::efeitoDaBanda(TRVBand* band, bool ligado)
{
    if (!band || band->HowPrint == rvNoEfect) return;
    if (ligado) {
        SetEffect(HowPrint, false);
        SetEffect(band->HowPrint, true);
    } else {
        SetEffect(band->HowPrint, false);
        SetEffect(HowPrint, true);
    }
}

void TRVReport::imprimeLinhas(TRVBand* band, bool comAfterPrint)
{
    if (!band) return;
    efeitoDaBanda(band, true);
    if (band->OnBeforePrint) {
        band->Lines.clear();
        band->OnBeforePrint(band, band->Lines);
    }
    for (const QString& linha : std::as_const(band->Lines)) {
        Relevo->Say(Relevo->PRow(), band->LeftMargin, linha);
        Relevo->GotoRow(Relevo->PRow() + 1, band->LeftMargin);
    }
    if (comAfterPrint && band->OnAfterPrint) band->OnAfterPrint(band);
    efeitoDaBanda(band, false);
}

QString TRVReport::valorCampo(const QString& expressao) const
{
    return DataSet->FindField(expressao) ? DataSet->AsString(expressao) : expressao;
}

void TRVReport::DoPageHeader()
{
    if (!PrintPageHeader || !Relevo) return;
    if (!(Relevo->PRow() == 1 || m_forcaCabecalho) || m_cabecalhos >= m_pagina) return;
    if (Relevo->PRow() == 1 && !Relevo->emCabecalhoDePagina()) {
        // Start the page as the job does: this header through its hook, then the
        // built-in header, in the same order on every page.
        const unsigned antes = m_cabecalhos;
        Relevo->StartPage();
        if (m_cabecalhos != antes) return;
    }
    m_forcaCabecalho = false;
    ++m_cabecalhos;
    imprimeLinhas(PageHeader, false);
    if (!PrintPageFooter) ++m_pagina;
    for (const auto& band : std::as_const(m_detalhes)) {
        if (!band) continue;
        efeitoDaBanda(band, true);
        int x = band->LeftMargin;
        bool algum = false;
        for (const auto& col : band->Columns()) {
            if (!col) continue;
            if (!col->ColHeader.trimmed().isEmpty()) {
                const QString cab = AlignText(col->ColHeader, col->Alignment, col->ColWidth);
                comRetry([&] { Relevo->Say(Relevo->PRow(), x, cab); });
                algum = true;
            }
            x += col->ColWidth + 1;
        }
        if (algum) comRetry([&] { Relevo->GotoRow(Relevo->PRow() + 1, band->LeftMargin); });
        efeitoDaBanda(band, false);
    }
    if (PageHeader && PageHeader->OnAfterPrint) PageHeader->OnAfterPrint(PageHeader);
}

void TRVReport::DoPageFooter(bool force)
{
    if (!PrintPageFooter || !Relevo || m_noRodape) return;
    const int linhaRodape = Relevo->QtLines - LinesFooter;
    if (!(force || (Relevo->PRow() == linhaRodape && m_rodapes < m_pagina))) return;
    m_noRodape = true;
    ++m_rodapes;
    const int margem = PageFooter ? PageFooter->LeftMargin : 0;
    if (Relevo->PRow() <= linhaRodape) comRetry([&] { Relevo->GotoRow(linhaRodape, margem); });
    imprimeLinhas(PageFooter);
    ++m_pagina;
    m_noRodape = false;
}

void TRVReport::imprimeDetalhe(TRVBand* band)
{
    efeitoDaBanda(band, true);
    if (band->OnBeforePrint) {
        // Detail handlers write through the print job themselves; their lines are not printed.
        band->Lines.clear();
        band->OnBeforePrint(band, band->Lines);
    }
    int x = band->LeftMargin;
    for (const auto& col : band->Columns()) {
        if (!col) continue;
        QString valor = valorCampo(col->Expression).left(qMax(0, col->ColWidth));
        if (col->OnBeforePrint) col->OnBeforePrint(col, valor);
        if (!col->Mask.trimmed().isEmpty()) {
            if (const auto numero = Decimal::parse(valor))
                valor = TRelevo::FormatNumber(col->Mask, numero->toDouble());
        }
        const QString alinhado = AlignText(valor, col->Alignment, col->ColWidth);
        comRetry([&] { Relevo->Say(Relevo->PRow(), x, alinhado); });
        if (col->OnAfterPrint) col->OnAfterPrint(col, valor);
        x += col->ColWidth + 1;
    }
    if (band->OnAfterPrint) band->OnAfterPrint(band);
    comRetry([&] { Relevo->GotoRow(Relevo->PRow() + 1, band->LeftMargin); });
    efeitoDaBanda(band, false);
}

void TRVReport::Print()
{
    if (!Relevo || !DataSet) return;
    TRelevo& r = *Relevo;
    r.OnPageHeader = [this] { DoPageHeader(); };
    r.OnPageFooter = [this](bool force) { DoPageFooter(force); };
    m_cancelado = false;
    r.Cancelled = false;
    r.ReportPrintsFooter = PrintPageFooter;
    for (;;) {
        r.HeaderData.FirstPage = int(m_pagina);
        r.LinesFooter = LinesFooter;
        const bool aberto = r.BeginDoc();
        if (r.StatusMessage.isEmpty()) {
            // A job that could not be opened (its message was shown) prints nothing.
            if (!aberto) m_cancelado = true;
            break;
        }
        if (perguntaCancelar()) break;
    }

    if (!m_cancelado) {
        std::unique_ptr<ProgressoRelatorio> progresso = ServicosRelevo::atual().progresso(r);
        for (int copia = 1; copia <= Copias && !m_cancelado && !r.Cancelled; ++copia) {
            m_cabecalhos = 0;
            m_rodapes = 0;
            DataSet->First();
            int porPasso = 0;
            int contador = 0;
            if (ShowProgress) {
                // A data set read as it goes does not know its size: the bar then
                // shows work going on, without steps.
                const int n = DataSet->RecordCount();
                porPasso = n < 0 ? 0 : (10 < n ? n / 10 + 1 : n);
                if (progresso) {
                    progresso->mostrar(texto("Progresso...", "Progress..."), texto("Cancelar", "Cancel"),
                                       texto("Deseja realmente cancelar este relatório?",
                                             "Are you sure about canceling this report?"),
                                       texto("Abortar relatório", "Aborting report"));
                    progresso->posicionar(n < 0 ? ProgressoRelatorio::SemTamanho : 0);
                }
            }
            m_pagina = m_paginaInicial;
            m_valoresGrupo = QStringList(m_cabecalhosGrupo.size(), primeiroGrupo);
            if (OnBeforePrint) OnBeforePrint(this);
            SetEffect(HowPrint, true);
            if (PrintTitle) imprimeLinhas(Title);
            m_forcaCabecalho = true;

            QElapsedTimer desdeEventos;
            while (!DataSet->Eof() && !m_cancelado && !r.Cancelled) {
                // The windows stay alive while the records run: the progress window's
                // "Cancelar", and the preview, which opens as soon as the first page is
                // composed and shows the pages as they come.
                if (!desdeEventos.isValid() || desdeEventos.hasExpired(intervaloEventosMs)) {
                    QCoreApplication::processEvents();
                    desdeEventos.start();
                    if (r.Cancelled) break;
                    if (r.Preview.ShowPreview && r.PaginasProntas() > 0) r.AbrirPreviewParcial();
                }
                if (ShowProgress && porPasso > 0 && ++contador >= porPasso) {
                    contador = 0;
                    if (progresso) progresso->posicionar(qMin(100, progresso->posicao() + 10));
                }
                DoPageFooter(false);
                DoPageHeader();
                for (int i = 0; i < m_cabecalhosGrupo.size(); ++i) {
                    TRVBand* band = m_cabecalhosGrupo[i];
                    if (!band) continue;
                    const QString valor = valorCampo(band->Expression());
                    if (valor == m_valoresGrupo[i]) continue;
                    const QString anterior = m_valoresGrupo[i];
                    m_valoresGrupo[i] = valor;
                    if (band->ForceNewPage() && anterior != primeiroGrupo) {
                        m_forcaCabecalho = true;
                        DoPageFooter(true);
                        DoPageHeader();
                    }
                    imprimeLinhas(band);
                }
                for (const auto& band : std::as_const(m_detalhes)) {
                    if (band) imprimeDetalhe(band);
                }
                DataSet->Next();
                for (int i = 0; i < m_cabecalhosGrupo.size(); ++i) {
                    TRVBand* band = m_cabecalhosGrupo[i];
                    if (!band) continue;
                    if (DataSet->Eof() || valorCampo(band->Expression()) != m_valoresGrupo[i]) {
                        for (int j = i + 1; j < m_valoresGrupo.size(); ++j)
                            m_valoresGrupo[j] = forcaGrupo;
                        break;
                    }
                }
                for (int i = int(m_rodapesGrupo.size()) - 1; i >= 0; --i) {
                    TRVBand* rodape = m_rodapesGrupo[i];
                    if (!rodape) continue;
                    efeitoDaBanda(rodape, true);
                    TRVBand* cabecalho = i < m_cabecalhosGrupo.size() ? m_cabecalhosGrupo[i].data() : nullptr;
                    const bool mudou = cabecalho && valorCampo(cabecalho->Expression()) != m_valoresGrupo[i];
                    if (mudou || DataSet->Eof()) {
                        // the band's effect is already on
                        const TRVHowPrint efeito = rodape->HowPrint;
                        rodape->HowPrint = rvNoEfect;
                        imprimeLinhas(rodape);
                        rodape->HowPrint = efeito;
                    }
                    efeitoDaBanda(rodape, false);
                }
            }
            if (ShowProgress && progresso) progresso->posicionar(100);
            if (PrintSummary) imprimeLinhas(Summary);
            DoPageFooter(true);
            if (OnAfterPrint) OnAfterPrint(this);
            SetEffect(HowPrint, false);
        }
        r.EndDoc();
    } else {
        r.EndDoc();
    }
    r.OnPageHeader = nullptr;
    r.OnPageFooter = nullptr;
    r.ReportPrintsFooter = false;
}
