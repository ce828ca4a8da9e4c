// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPrintPDF.h"

#include "PastaDados.h"
#include "Relogio.h"

#include <QFile>
#include <QSaveFile>

namespace
{

const char* const Fontes[14] = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats",
};

// A PDF literal string's contents: the delimiters and the escape character escaped.
void appendEscapado(QByteArray& saida, const char* p, qsizetype n)
{
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '(' || c == ')' || c == '\\') {
            saida.append(p + inicio, i - inicio);
            saida.append('\\');
            inicio = i;
        }
    }
    saida.append(p + inicio, n - inicio);
}

// A text of the document information: in single bytes when every character
// reads the same in PDFDocEncoding (ASCII and Latin-1 letters), otherwise in
// UTF-16BE with its byte order mark, so that a title with a dash or a euro
// sign is shown as typed.
QByteArray textoInfo(const QString& texto)
{
    bool umByte = true;
    for (QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0xA0) || u == 0xAD || u > 0xFF) {
            umByte = false;
            break;
        }
    }
    QByteArray bruto;
    if (umByte) {
        bruto = texto.toLatin1();
    } else {
        bruto = QByteArray("\xFE\xFF");
        for (QChar c : texto) {
            bruto.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xFF));
        }
    }
    QByteArray r;
    for (char c : bruto) {
        switch (c) {
        case '(':
        case ')':
        case '\\':
            r.append('\\').append(c);
            break;
        case '\r':
            r.append("\\r");
            break;
        case '\n':
            r.append("\\n");
            break;
        default:
            r.append(c);
        }
    }
    return r;
}

} // namespace

void TPrintPDF::linha(const char* texto)
{
    m_saida.append(texto);
    fim();
}

void TPrintPDF::linha(const QByteArray& texto)
{
    m_saida.append(texto);
    fim();
}

void TPrintPDF::inteiro(qint64 v)
{
    char buf[24];
    char* p = buf + sizeof buf;
    const bool negativo = v < 0;
    quint64 u = negativo ? 0 - static_cast<quint64>(v) : static_cast<quint64>(v);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negativo) {
        *--p = '-';
    }
    m_saida.append(p, buf + sizeof buf - p);
}

void TPrintPDF::abreObjeto()
{
    ++m_objetos;
    m_offsets.append(posicao());
    inteiro(m_objetos);
    linha(" 0 obj");
}

void TPrintPDF::abreConteudo()
{
    abreObjeto();
    m_saida.append("<< /Length ");
    inteiro(m_objetos + 1);
    linha(" 0 R");
    linha(" >>");
    linha("stream");
    m_inicioTexto = posicao();
}

void TPrintPDF::fechaPagina()
{
    const qint64 tamanho = posicao() - m_inicioTexto;
    linha("endstream");
    linha("endobj");
    abreObjeto();
    inteiro(tamanho);
    fim();
    linha("endobj");
    m_inicioTexto = -1;
    descarrega(false);
}

void TPrintPDF::descarrega(bool tudo)
{
    // written in blocks of a megabyte or so; the first failure is kept for EndDoc
    if (!m_arquivo || (!tudo && m_saida.size() < (1 << 20))) return;
    if (m_erroArquivo.isEmpty() && m_arquivo->write(m_saida) != m_saida.size())
        m_erroArquivo = m_arquivo->errorString();
    m_gravados += m_saida.size();
    m_saida.clear();
}

QByteArray TPrintPDF::Documento() const
{
    if (FileName.isEmpty()) return m_saida;
    QFile f(FileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TPrintPDF::BeginDoc()
{
    m_saida.clear();
    m_gravados = 0;
    m_erroArquivo.clear();
    m_arquivo.reset();
    if (!FileName.isEmpty()) {
        m_arquivo = std::make_unique<QSaveFile>(FileName);
        if (!m_arquivo->open(QIODevice::WriteOnly)) m_erroArquivo = m_arquivo->errorString();
        m_arquivo->setPermissions(PastaDados::permissoesArquivo());
    }
    m_offsets.clear();
    m_objetos = 0;
    m_paginas = 1;
    m_iniciado = true;

    linha("%PDF-1.4");
    abreObjeto();
    linha("<<");
    linha("/Producer (" + textoInfo(Producer) + ")");
    linha("/Author (" + textoInfo(Author) + ")");
    linha("/CreationDate (D:" + Relogio::agora().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + ")");
    linha("/Creator (" + textoInfo(Creator) + ")");
    linha("/Keywords (" + textoInfo(Keywords) + ")");
    linha("/Subject (" + textoInfo(Subject) + ")");
    linha("/Title (" + textoInfo(TITLE) + ")");
    linha("/ModDate ()");
    linha(">>");
    linha("endobj");
    abreConteudo();
}

void TPrintPDF::PdfTextOut(int x, int y, const QString& texto)
{
    PdfTextOutWin1252(x, y, ParaWin1252(texto));
}

void TPrintPDF::PdfTextOutWin1252(int x, int y, const QByteArray& textoWin1252)
{
    if (!m_iniciado) {
        BeginDoc();
    }
    const int fonte = qBound(0, Font.Indice, 13);
    linha("BT");
    m_saida.append("/F");
    inteiro(fonte + 1);
    m_saida.append(' ');
    inteiro(Font.Tamanho);
    linha(" Tf");
    inteiro(x);
    m_saida.append(' ');
    inteiro(static_cast<qint64>(PageHeight) - y);
    linha(" Td");
    m_saida.append('(');
    appendEscapado(m_saida, textoWin1252.constData(), textoWin1252.size());
    linha(" ) Tj");
    linha("ET");
}

void TPrintPDF::PdfRetangulo(double x, double y, double largura, double altura)
{
    if (!m_iniciado) {
        BeginDoc();
    }
    const auto numero = [this](double v) {
        m_saida.append(QByteArray::number(v, 'f', 2));
        m_saida.append(' ');
    };
    numero(x);
    numero(PageHeight - y - altura);
    numero(largura);
    numero(altura);
    linha("re f");
}

void TPrintPDF::NewPage()
{
    if (!m_iniciado) {
        BeginDoc();
    }
    fechaPagina();
    ++m_paginas;
    abreConteudo();
}

bool TPrintPDF::EndDoc(QString* erro)
{
    if (!m_iniciado) {
        BeginDoc();
    }
    fechaPagina();
    m_iniciado = false;
    const int n = m_paginas;

    const int outlines = 2 * n + 2;
    const int primeiraFonte = 2 * n + 3;
    const int paginasRaiz = 2 * n + 17;
    const int recursos = 2 * n + 18;
    const int primeiraPagina = 2 * n + 19;
    const int catalogo = 3 * n + 19;

    abreObjeto();
    linha("<< /Type /Outlines");
    linha("/Count 0");
    linha(">>");
    linha("endobj");

    for (int k = 1; k <= 14; ++k) {
        abreObjeto();
        linha("<< /Type /Font");
        linha("/Subtype /Type1");
        m_saida.append("/Name /F");
        inteiro(k);
        fim();
        m_saida.append("/BaseFont /");
        linha(Fontes[k - 1]);
        linha("/Encoding /WinAnsiEncoding");
        linha(">>");
        linha("endobj");
    }

    abreObjeto();
    linha("<< /Type /Pages");
    linha("/Kids [");
    for (int p = 0; p < n; ++p) {
        inteiro(primeiraPagina + p);
        linha(" 0 R");
    }
    linha("]");
    m_saida.append("/Count ");
    inteiro(n);
    fim();
    linha(">>");
    linha("endobj");

    abreObjeto();
    linha("<< /ProcSet [ /PDF /Text /ImageC]");
    linha("/XObject << ");
    linha(">>");
    linha("/Font << ");
    for (int k = 1; k <= 14; ++k) {
        m_saida.append("/F");
        inteiro(k);
        m_saida.append(' ');
        inteiro(primeiraFonte + k - 1);
        linha(" 0 R ");
    }
    linha(">>");
    linha(">>");
    linha("endobj");

    for (int k = 1; k <= n; ++k) {
        abreObjeto();
        linha("<< /Type /Page");
        m_saida.append("/Parent ");
        inteiro(paginasRaiz);
        linha(" 0 R");
        m_saida.append("/MediaBox [ 0 0 ");
        inteiro(PageWidth);
        m_saida.append(' ');
        inteiro(PageHeight);
        linha("]");
        m_saida.append("/Contents ");
        inteiro(2 * k);
        linha(" 0 R");
        m_saida.append("/Resources ");
        inteiro(recursos);
        linha(" 0 R");
        linha(">>");
        linha("endobj");
    }

    abreObjeto();
    linha("<< /Type /Catalog");
    m_saida.append("/Pages ");
    inteiro(paginasRaiz);
    linha(" 0 R");
    m_saida.append("/Outlines ");
    inteiro(outlines);
    linha(" 0 R");
    linha(">>");
    linha("endobj");

    const qint64 xref = posicao();
    linha("xref");
    m_saida.append("0 ");
    inteiro(m_objetos + 1);
    fim();
    linha("0000000000 65535 f");
    char entrada[32];
    for (qint64 offset : m_offsets) {
        const int t =
            std::snprintf(entrada, sizeof entrada, "%010lld 00000 n\r\n", static_cast<long long>(offset));
        m_saida.append(entrada, t);
    }
    linha("trailer");
    m_saida.append("<< /Size ");
    inteiro(m_objetos + 1);
    fim();
    m_saida.append("/Root ");
    inteiro(catalogo);
    linha(" 0 R");
    linha("/Info 1 0 R");
    linha(">>");
    linha("startxref");
    inteiro(xref);
    fim();
    linha("%%EOF");

    if (!m_arquivo) {
        // no file named: the document stays in memory (Documento())
        if (erro) *erro = QStringLiteral("nenhum arquivo indicado");
        return false;
    }
    descarrega(true);
    const bool ok = m_erroArquivo.isEmpty() && m_arquivo->commit();
    if (!ok) {
        if (erro) *erro = m_erroArquivo.isEmpty() ? m_arquivo->errorString() : m_erroArquivo;
        m_arquivo->cancelWriting(); // an existing file is left as it was
    }
    m_arquivo.reset();
    return ok;
}

bool GravaPdfPaginas(const QList<QStringList>& paginas, const QString& arquivo, const QString& titulo,
                     const QString& familiaFonte, int tamanhoFonte, QString* erro,
                     const QList<MarcaQR>& codigos)
{
    return GravaPdfPaginas(
        int(paginas.size()), [&paginas](int p) { return paginas[p]; }, arquivo, titulo, familiaFonte,
        tamanhoFonte, erro, codigos);
}

bool GravaPdfPaginas(int quantas, const std::function<QStringList(int)>& pagina, const QString& arquivo,
                     const QString& titulo, const QString& familiaFonte, int tamanhoFonte, QString* erro,
                     const QList<MarcaQR>& codigos)
{
    TPrintPDF pdf;
    pdf.Compress = false;
    pdf.TITLE = titulo;
    pdf.PageWidth = 680;
    pdf.PageHeight = 1020;
    pdf.FileName = arquivo;
    pdf.LineWidth = 12;
    // Tested in this order; the last family named wins.
    if (familiaFonte.contains(QLatin1String("Courier"), Qt::CaseInsensitive)) {
        pdf.Font.Indice = TPDFFont::Courier;
    }
    if (familiaFonte.contains(QLatin1String("Helvetica"), Qt::CaseInsensitive)) {
        pdf.Font.Indice = TPDFFont::Helvetica;
    }
    if (familiaFonte.contains(QLatin1String("Times"), Qt::CaseInsensitive)) {
        pdf.Font.Indice = TPDFFont::TimesRoman;
    }
    pdf.Font.Tamanho = tamanhoFonte > 0 ? tamanhoFonte : 12;
    // The widest line and the longest page fit the paper: landscape when the widest
    // line is wider than a portrait page, then a smaller pitch when it is still too
    // wide or the page too long; the line pitch never falls below the type size, so
    // lines never overlap.
    qsizetype largura = 0, linhas = 1;
    for (int p = 0; p < quantas; ++p) {
        const QStringList texto = pagina(p);
        linhas = qMax(linhas, texto.size());
        for (const QString& linha : texto)
            largura = qMax(largura, linha.size());
    }
    constexpr double avanco = 0.6; // a character's advance, in type sizes (Courier's)
    constexpr int margem = 10;
    auto cabe = [&](int larguraPagina, double tamanho) {
        return avanco * tamanho * double(largura) <= larguraPagina - 2;
    };
    if (!cabe(pdf.PageWidth, pdf.Font.Tamanho)) std::swap(pdf.PageWidth, pdf.PageHeight);
    double tamanho = pdf.Font.Tamanho;
    if (!cabe(pdf.PageWidth, tamanho)) tamanho = (pdf.PageWidth - 2) / (avanco * double(largura));
    const double passo = qMin(12.0, double(pdf.PageHeight - 2 * margem) / double(linhas));
    tamanho = qMin(tamanho, passo);
    pdf.Font.Tamanho = qMax(1, int(tamanho));
    pdf.BeginDoc();
    for (int p = 0; p < quantas; ++p) {
        if (p > 0) {
            pdf.NewPage();
        }
        double y = margem;
        for (const QString& linha : pagina(p)) {
            QByteArray texto = ParaWin1252(linha);
            texto.replace(')', ']').replace('(', '[');
            pdf.PdfTextOutWin1252(1, int(y), texto);
            const QStringView semBrancos = QStringView(linha).trimmed();
            for (const MarcaQR& m : codigos) {
                if (semBrancos != m.ancora) continue;
                // From the top of the line's type down, `linhas` pitches square.
                const QPointF canto(1 + m.coluna * avanco * pdf.Font.Tamanho, y - pdf.Font.Tamanho);
                for (const QRectF& r : CodigoQR::gera(m.conteudo).retangulos(canto, m.linhas * passo))
                    pdf.PdfRetangulo(r.x(), r.y(), r.width(), r.height());
            }
            y += passo;
        }
    }
    return pdf.EndDoc(erro);
}
