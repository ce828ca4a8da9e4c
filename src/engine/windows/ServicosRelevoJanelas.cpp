// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServicosRelevoJanelas.h"

#include <QApplication>

#include "Dialogos.h"
#include "ImpressoraPaginas.h"
#include "TFrmProgress.h"
#include "TRVPreview.h"
#include "TRelevo.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPrintDialog>
#include <QPrinter>

#include <cmath>

namespace
{
// Tenths of a millimetre per device unit: the line pitch of page printing is given in them.
constexpr int resolucao = 254;
} // namespace

ServicosRelevoJanelas::ServicosRelevoJanelas() = default;
ServicosRelevoJanelas::~ServicosRelevoJanelas() = default;

int ServicosRelevoJanelas::mensagem(const QString& texto, const QString& titulo, int flags)
{
    return Mensagem(texto, titulo, flags);
}

void ServicosRelevoJanelas::abrirPreview(TRelevo& job)
{
    m_previewAberto.reset();
    m_jobAberto = nullptr;
    // The preview takes over from the progress window: its bar and "Cancelar" go on
    // in the preview's status bar while the rest of the pages are composed.
    int posicao = 0;
    if (m_progresso) {
        posicao = m_progresso->posicao();
        m_progresso->hide();
    }
    m_previewAberto = std::make_unique<TRVPreview>(job, *this, nullptr, true);
    m_jobAberto = &job;
    if (m_progresso) {
        m_progresso->acompanhar(m_previewAberto.get());
        m_previewAberto->progresso(posicao);
    }
    m_previewAberto->setWindowModality(Qt::ApplicationModal);
    m_previewAberto->show();
    m_previewAberto->raise();
    m_previewAberto->activateWindow();
}

void ServicosRelevoJanelas::preview(TRelevo& job)
{
    if (m_progresso) m_progresso->hide();
    if (m_previewAberto && m_jobAberto == &job) {
        std::unique_ptr<TRVPreview> janela = std::move(m_previewAberto);
        m_jobAberto = nullptr;
        janela->concluir();
        // closed by the operator in the meantime without cancelling: nothing more to show
        if (janela->isVisible()) exibir(*janela);
        return;
    }
    TRVPreview janela(job, *this);
    exibir(janela);
}

void ServicosRelevoJanelas::exibir(TRVPreview& janela)
{
    janela.exec();
}

void ServicosRelevoJanelas::fecharPreview(TRelevo& job)
{
    if (!m_previewAberto || m_jobAberto != &job) return;
    std::unique_ptr<TRVPreview> janela = std::move(m_previewAberto);
    m_jobAberto = nullptr;
    janela->hide();
}

std::unique_ptr<ProgressoRelatorio> ServicosRelevoJanelas::progresso(TRelevo& job)
{
    // Over the window that runs the report (usually modal itself), so that it stays on
    // top of it and its "Cancelar" takes the clicks.
    auto janela = std::make_unique<TFrmProgress>(job, QApplication::activeModalWidget());
    m_progresso = janela.get();
    return janela;
}

QPrinter& ServicosRelevoJanelas::impressora()
{
    if (!m_impressora) m_impressora = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_impressora;
}

bool ServicosRelevoJanelas::configurarImpressora(QWidget* pai)
{
    QPrintDialog dialogo(&impressora(), pai);
    return dialogo.exec() == QDialog::Accepted;
}

int ServicosRelevoJanelas::linhasQueCabem(int passo)
{
    QPrinter& p = impressora();
    if (!saidaPdf.isEmpty()) p.setOutputFileName(saidaPdf);
    p.setResolution(resolucao);
    const int altura = int(p.pageLayout().paintRectPixels(resolucao).height());
    return passo > 0 ? (altura + passo - 1) / passo : 0;
}

bool ServicosRelevoJanelas::desenhar(const QList<PaginaDesenho>& paginas, const QFont& fonte, int passo,
                                     TPrinterOrientation orientacao, QString* erro)
{
    QPrinter& p = impressora();
    if (!saidaPdf.isEmpty()) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(saidaPdf);
    } else if (p.outputFormat() == QPrinter::NativeFormat && p.printerName().isEmpty()) {
        if (erro) *erro = QStringLiteral("Impressora não definida");
        return false;
    }
    p.setResolution(resolucao);
    p.setPageOrientation(orientacao == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    p.setDocName(QStringLiteral("Relevo document"));

    // Readable pages: the widest line fits the paper (landscape when it is wider than a
    // portrait page, then a smaller type), the longest page fits its height, and the
    // line pitch is never less than the type's own line height (no overlapping lines).
    QFont tipo(fonte.family());
    tipo.setPointSizeF(fonte.pointSizeF() > 0 ? fonte.pointSizeF() : 10);
    qsizetype maisLinhas = 1;
    QString maisLarga;
    for (const PaginaDesenho& pagina : paginas) {
        maisLinhas = qMax(maisLinhas, pagina.size());
        for (const LinhaDesenho& l : pagina) {
            if (l.texto.size() > maisLarga.size()) maisLarga = l.texto;
        }
    }
    auto larguraDa = [&](const QFont& f) {
        QFont negrito = f;
        negrito.setBold(true);
        return QFontMetricsF(negrito, &p).horizontalAdvance(maisLarga);
    };
    auto area = [&] { return p.pageLayout().paintRectPixels(resolucao); };
    if (larguraDa(tipo) > area().width() && p.pageLayout().orientation() == QPageLayout::Portrait)
        p.setPageOrientation(QPageLayout::Landscape);
    if (const qreal w = larguraDa(tipo); w > area().width())
        tipo.setPointSizeF(tipo.pointSizeF() * area().width() / w * 0.99);
    const int passoMaximo = qMax(1, int(area().height() / qreal(maisLinhas)));
    const qreal altura = QFontMetricsF(tipo, &p).height();
    passo = qMin(qMax(passo, int(std::ceil(altura))), passoMaximo);
    if (altura > passo) tipo.setPointSizeF(tipo.pointSizeF() * passo / altura * 0.99);
    return DesenhaPaginas(p, paginas, tipo, passo, erro);
}

bool ServicosRelevoJanelas::imprimirArquivo(TRelevo& job, const QString& arquivo, QString* erro)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        if (erro) *erro = QStringLiteral("Impressora não definida");
        return false;
    }
    const QByteArray conteudo = f.readAll();
    const QFont& fonte = job.Windows.Font;
    const int tamanho = fonte.pointSize() > 0 ? fonte.pointSize() : 10;
    if (job.Windows.LineSpace < -tamanho) job.Windows.LineSpace = short(-tamanho);
    const int passo = qAbs(int(job.Windows.LineSpace));
    impressora().setPageOrientation(job.Windows.Orientation == poLandscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
    QList<PaginaDesenho> paginas = PaginasDoArquivo(conteudo, job.QtLines, linhasQueCabem(passo));
    MarcaCodigosQR(paginas, job.CodigosQR);
    return desenhar(paginas, fonte, passo, job.Windows.Orientation, erro);
}

void InstalarServicosRelevo()
{
    static ServicosRelevoJanelas servicos;
    ServicosRelevo::instalar(&servicos);
}
