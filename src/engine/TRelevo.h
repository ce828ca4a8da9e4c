// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CodigoQR.h"
#include "CodigosImpressora.h"
#include "ConfigEmail.h"
#include "PaginasTexto.h"
#include "PortaImpressora.h"

#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

struct THeaderData {
    int FirstPage = 1;
    QString Title1, Title2, Right2, Left2, Right3, Left3, Right4, Left4;
    QString ColHeader1, ColHeader2, ColHeader3;
};

// A picture shown beside the preview's pages, never printed (a weighing's
// camera snapshots beside its ticket).
struct FotoPreview {
    QString legenda; // "Entrada - Frente"
    QString arquivo;
};

struct TPreview {
    bool ShowPreview = false;
    bool SaveToFile = true;
    bool PrintConfigEnabled = true;
    bool PrintEnabled = true;
    bool FirstEnabled = true;
    bool PreviousEnabled = true;
    bool NextEnabled = true;
    bool LastEnabled = true;
    bool FontConfigEnabled = true;
    bool PrintWindowsEnabled = true;
    bool SelectPagesToPrint = true;
    // Printed from the preview, the preview closes: the operator is back in the
    // window that asked for the job (a ticket is printed once per request).
    bool FechaAoImprimir = false;
    QString PreviewTitle = QStringLiteral("Visualização do Relatório");
    QFont Font = QFont(QStringLiteral("Courier New"), 8);
    QList<FotoPreview> Fotos;
};

// Printing on the system printer (pages drawn with a font).
struct TPrintWin {
    bool PrintForWindows = false;
    QFont Font = QFont(QStringLiteral("Courier New"));
    short LineSpace = 25; // line pitch in printer device units
    TPrinterOrientation Orientation = poPortrait;
};

struct TConfigPortCom {
    int Baud = 9600;
    char Parity = 'n';
    int Data = 8;
    int Stop = 1;
    char Retry = 'p';
};

// The print job: a page as a grid of character cells, composed one line at a
// time from texts placed at columns, written to a job file with the control
// codes of the printer model and delivered when the job ends (preview, CUPS,
// the system printer, a saved file, a command script or the port itself).
// Rows are 1-based, columns 0-based.
class TRelevo : public QObject
{
    Q_OBJECT
public:
    explicit TRelevo(QObject* parent = nullptr);
    ~TRelevo() override;

    // Published properties.
    bool PageHeader = true;
    TPrinterName PrinterName = rvEpson9pinos;
    THeaderData HeaderData;
    TPreview Preview;
    int QtLines = 62;
    int PageWidth = 80;
    QString PrinterPort;
    TPrintWin Windows;
    bool PrinterTermic = false;
    TConfigPortCom ConfigPortCom;
    TLanguageMsg LanguageMessages = lmPortuguese;
    bool PrintToSpool = false;
    bool VerifyPrinter = true;
    TLinPol LinhasPolegada = lNoChange;
    bool SaltaUltima = false;
    QString ReportTitle;
    bool EjetaQuebra = false;
    bool eMail = false;
    QString eMailHost, eMailUserName, eMailPassword, eMailPara, eMailComCopia, eMailComCopiaOculta, eMailUser;
    int eMailSeguranca = 0;    // ConfigEmail::Seguranca: TLS required unless the site allows a plain server
    QString eMailCertificados; // the site's own certificate authority, when it has one
    bool pImprimir = true;
    bool pSalvar = true;
    bool pEmail = true;
    bool SaveFile = false;
    QString SaveFileDir;
    // QR codes drawn beside lines of the job when its pages are drawn (the
    // system printer, the preview's PDF); raw printers print the text only.
    QList<MarcaQR> CodigosQR;

    TPageSize PageSize() const { return m_pageSize; }
    // A new value sets QtLines from the page-length table.
    void setPageSize(TPageSize tamanho);

    // Run-time state.
    bool Cancelled = false;
    QString StatusMessage;
    int PRow() const { return m_row; }
    int PCol() const { return m_pcol; }
    // The column just after the text of the line being composed (0: the line is empty).
    int Coluna() const { return m_col; }
    // True when the line being composed is empty or ends with a blank.
    bool TerminaEmBranco() const { return m_linhaExibida.isEmpty() || m_linhaExibida.back() == u' '; }
    int PageNo() const { return m_pageNo; }

    // Hooks of the report driver: page header at the start of every page, page
    // footer (force) when a write reaches the footer rows or a new page is asked for.
    std::function<void()> OnPageHeader;
    std::function<void(bool)> OnPageFooter;
    int LinesFooter = 0;
    bool ReportPrintsFooter = false;

    // Starts the page at row 1 as a write there would: the page-header hook, then the
    // built-in header. Nothing while the page-header hook is running.
    void StartPage();
    bool emCabecalhoDePagina() const { return m_emGanchoCabecalho || m_emCabecalho; }

    bool BeginDoc();
    void WriteText(const QByteArray& style, const QString& text, int column, bool newLine);
    void GotoRow(int row, int column);
    void WriteAtColumn(const QString& text);
    void Say(int row, int column, const QString& text);
    void NewPage();
    void SendCommand(const QByteArray& code);
    // Drops the job being composed: nothing of it is delivered, shown or kept.
    void AbortDoc();
    void EndDoc();

    // Writes bytes already in the printer's code page (printer lines kept by the
    // preview): the same as WriteText without converting the accents again.
    void WritePrinterText(const QByteArray& style, const QByteArray& bytes, bool newLine);

    static QString Replicate(const QString& s, int n);
    static QString FormatNumber(const QString& mask, double value);

    // The code set of the model of the job being composed.
    static const TCodigosImpressora& CodigosAtivos();
    const TCodigosImpressora& codigos() const { return CodigosDoModelo(PrinterName); }

    // While previewing: the pages composed so far (the page being composed is not
    // counted until the job ends).
    int PaginasProntas() const
    {
        const int n = m_previewPages.size();
        return m_docAberto ? qMax(0, n - 1) : n;
    }
    // Opens the preview with the pages composed so far while the job goes on (a long
    // report shows its first page at once); EndDoc then hands it the finished job.
    void AbrirPreviewParcial();
    bool previewParcialAberto() const { return m_previewParcial; }

    // Pages kept while previewing: display lines (unconverted) and printer lines.
    const PaginasTexto& PreviewPages() const { return m_previewPages; }
    const QList<PaginaImpressora>& PrinterPages() const { return m_printerPages; }
    QString linhaExibida(int pagina, int linha) const
    {
        return QString::fromUtf8(m_previewPages[pagina].linha(linha));
    }
    QByteArray linhaImpressora(int pagina, int linha) const;
    // A text written on a display line: the column it was written at, where it
    // begins in the display line and how long it is. The spreadsheet export takes
    // a report's own columns from them, never from the blanks of the printed line.
    struct PecaExibida {
        int coluna = 0;
        int inicio = 0;
        int tamanho = 0;
    };
    QList<PecaExibida> pecasExibidas(int pagina, int linha) const;

    // The site's mail server: e-mail is offered in the preview when one is set.
    void usarEmail(const ConfigEmail& config);

    // Copies to the preview window's own job what it prints with.
    void configurarJobDoPreview(TRelevo& destino) const;

    // Path of the current job file.
    QString arquivoJob() const { return m_arquivoJob; }
    // Folder of the job files (private to this user); empty when it cannot be made private.
    static QString pastaJobs();

    // The engine's own texts in the language of LanguageMessages.
    QString texto(const char* portugues, const char* ingles) const;

    // Shows the message of a failed raw job (nothing when it went well).
    void avisaSpool(ResultadoSpool resultado);

    // The printer status check; 0 when ready (StatusMessage holds the text of the code).
    int CheckPrinterStatus();
    // Reads a parallel port's status byte (-1: no status); replaceable where no printer is attached.
    static inline int (*LeituraStatus)(const QString& dispositivo) = LeStatusParalela;

private:
    bool previewing() const { return Preview.ShowPreview; }
    bool porWindows() const { return Windows.PrintForWindows; }
    void compor(const QByteArray& style, const QString& text, const QByteArray* convertido, int column,
                bool newLine);
    void inicioDePagina();
    void cabecalhoInterno();
    void gravar(const QByteArray& bytes);
    void escreveLinha(bool comFimDeLinha);
    void novaPaginaNasListas();
    void fecharPaginaNasListas();
    void entregar();
    // The thermal route: false with the reason in m_erroEscrita when the script
    // could not be written or started, failed, or did not end in time.
    bool imprimirPorScript(const QString& arquivo);
    bool executaScript(const QString& script, QString* erro);
    void mensagemPermissao();
    int mensagem(const QString& texto, const QString& titulo, int flags);
    // A new job file in the private job folder; empty with the reason when it cannot be made.
    QString novoNomeJob(QString* erro) const;
    // The job could not be written: the operator is told, nothing is printed or shown.
    void falhaDeEscrita();
    // The port names a device this computer does not have (a new database's
    // LPT1 on a PC with USB printers only): what to set up instead.
    void portaSemDispositivo(const QString& porta);
    // Closes the job file or port, checking that everything reached it.
    void fecharAlvo();

    TPageSize m_pageSize = pzCustom;

    int m_row = 1;
    int m_col = 0;
    int m_colPendente = 0;
    int m_pcol = 0;
    int m_pageNo = 1;
    QByteArray m_linhaImpressora;
    QString m_linhaExibida;
    bool m_paginaIniciada = false;
    bool m_docAberto = false;
    bool m_emCabecalho = false;
    bool m_emGanchoCabecalho = false;
    bool m_emGanchoRodape = false;
    bool m_emNovaPagina = false;

    QFile m_alvo;
    QString m_arquivoJob;
    DestinoPorta m_destino;
    bool m_alvoEhPorta = false;
    // a write of this job failed (a full disk, a printer gone): what the system said
    QString m_erroEscrita;
    QStringList m_temporarios;

    PaginasTexto m_previewPages;
    QList<PaginaImpressora> m_printerPages;
    // The texts of each kept display line (PecaExibida as three numbers each).
    struct PecasPagina {
        std::vector<quint16> valores;
        std::vector<quint32> fins; // per line, the end of its numbers in `valores`
    };
    std::vector<PecasPagina> m_pecasPaginas;
    QList<PecaExibida> m_pecasLinha; // the line being composed
    TPrinterName m_modeloJob = rvEpson9pinos;
    void guardaLinhaNasListas();
    // Closes the preview opened while composing, when the job will not be shown.
    void fechaPreviewParcial();
    bool m_previewParcial = false;
};
