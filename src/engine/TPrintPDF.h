// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CodigoQR.h"
#include "Win1252.h"

#include <QByteArray>
#include <QList>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// The font of the text objects: an index into the table of the 14 standard
// fonts (resource /F1 is index 0) and a size in PDF units.
struct TPDFFont {
    enum : int {
        Helvetica,
        HelveticaBold,
        HelveticaOblique,
        HelveticaBoldOblique,
        Courier,
        CourierBold,
        CourierOblique,
        CourierBoldOblique,
        TimesRoman,
        TimesBold,
        TimesItalic,
        TimesBoldItalic,
        Symbol,
        ZapfDingbats,
    };
    int Indice = Courier;
    int Tamanho = 12;
};

// Writes a PDF 1.4 file of text lines placed at absolute positions, in the
// 14 standard Type 1 fonts (not embedded, WinAnsiEncoding). The whole file is
// built in memory and written by EndDoc; nothing touches the disk before.
//
// Use:
//   TPrintPDF pdf;
//   pdf.PageWidth = 680; pdf.PageHeight = 1020;   // read by EndDoc
//   pdf.TITLE = "Relatório";                      // read by BeginDoc
//   pdf.Font.Tamanho = 10;                        // read by each PdfTextOut
//   pdf.FileName = "/caminho/relatorio.pdf";
//   pdf.BeginDoc();
//   pdf.PdfTextOut(1, 10, "primeira linha");      // y grows downwards from the top
//   pdf.NewPage();                                // between pages
//   if (!pdf.EndDoc(&erro)) ...                   // false: the file could not be written
//
// Layout of the file (n pages): 1 document information; 2k and 2k+1 the
// content stream of page k and the object holding its length; 2n+2 outlines;
// 2n+3 … 2n+16 the fonts; 2n+17 the page tree; 2n+18 the shared resources;
// 2n+19 … 3n+18 the pages; 3n+19 the catalog; then the cross-reference table
// and the trailer. Every line ends with CR LF.
class TPrintPDF
{
public:
    QString FileName;
    QString TITLE;
    int PageWidth = 612;
    int PageHeight = 792;
    int LineWidth = 1; // kept as a setting; lines are not drawn
    QString Author = QStringLiteral("TDX");
    QString Creator = QStringLiteral("TDX");
    QString Producer = QStringLiteral("TDX");
    QString Keywords;
    QString Subject;
    TPDFFont Font;
    bool Compress = false; // kept as a setting; streams are always written plain

    // Pages so far (1 after BeginDoc).
    int PageNumber() const { return m_paginas; }

    // Starts a document: the header, the document information (with the
    // clock's current date and time) and the first page's content stream.
    void BeginDoc();
    // One text object on the current page at (x, PageHeight − y). The text is
    // written in Windows-1252 (characters it lacks become '?'); parentheses
    // and backslashes are escaped, so any text yields a sound file.
    void PdfTextOut(int x, int y, const QString& texto);
    void PdfTextOutWin1252(int x, int y, const QByteArray& texto);
    // A filled black rectangle on the current page, its top left corner at
    // (x, PageHeight − y), `altura` downwards.
    void PdfRetangulo(double x, double y, double largura, double altura);
    // Closes the current page and starts the next.
    void NewPage();
    // Closes the last page, writes the remaining objects, the cross-reference
    // table and the trailer, and saves the file. False (with the system's
    // error text in `erro`) when the file cannot be written; an existing file
    // is then left as it was.
    bool EndDoc(QString* erro = nullptr);

    // The bytes of the finished document (after EndDoc; read back from the
    // file when it was written to one).
    QByteArray Documento() const;

private:
    void linha(const char* texto);
    void linha(const QByteArray& texto);
    void inteiro(qint64 v);
    void fim() { m_saida.append("\r\n", 2); }
    void abreObjeto();
    void abreConteudo();
    void fechaPagina();

    // Where the document is so far. With a FileName, the bytes go to the file
    // as pages are closed (a report of tens of thousands of pages never sits
    // whole in memory); m_saida holds what is not written yet, and m_gravados
    // counts the bytes written before it.
    qint64 posicao() const { return m_gravados + m_saida.size(); }
    void descarrega(bool tudo);
    QByteArray m_saida;
    qint64 m_gravados = 0;
    std::unique_ptr<QSaveFile> m_arquivo;
    QString m_erroArquivo;
    QList<qint64> m_offsets; // offset of object k at index k − 1
    int m_objetos = 0;
    int m_paginas = 0;
    qint64 m_inicioTexto = -1; // where the open page's stream data begins
    bool m_iniciado = false;
};

// Saves the pages of a preview as PDF the way the preview does: pages of
// 680 × 1020 units, one line every 12 units from y = 10, "(" and ")" shown as
// "[" and "]", in the standard family named in `familiaFonte` ("Courier",
// "Helvetica" or "Times"; Courier otherwise) at `tamanhoFonte` (12 when not
// positive). The QR codes of `codigos` are drawn beside their lines. False,
// with the error text in `erro`, when it cannot be written.
bool GravaPdfPaginas(const QList<QStringList>& paginas, const QString& arquivo, const QString& titulo,
                     const QString& familiaFonte, int tamanhoFonte, QString* erro = nullptr,
                     const QList<MarcaQR>& codigos = {});
// The same for `quantas` pages given one at a time by `pagina` (asked for
// twice: once to fit the widest line and longest page, once to write): the
// pages of a long preview are never all unpacked together.
bool GravaPdfPaginas(int quantas, const std::function<QStringList(int)>& pagina, const QString& arquivo,
                     const QString& titulo, const QString& familiaFonte, int tamanhoFonte,
                     QString* erro = nullptr, const QList<MarcaQR>& codigos = {});
