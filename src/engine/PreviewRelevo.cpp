// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewRelevo.h"

#include "PastaDados.h"
#include "PastaJobs.h"
#include "Relogio.h"

#include "ServicosRelevo.h"
#include "TRelevo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <limits>

QList<int> ParsePageList(const QString& texto, int primeira, int total)
{
    // a number too long for an int is past every page, not page 0
    const auto numeroDe = [](const QString& digitos) {
        bool ok = false;
        const int n = digitos.toInt(&ok);
        return ok ? n : std::numeric_limits<int>::max();
    };
    QList<int> sel;
    auto seleciona = [&](int n) {
        if (n >= primeira && n <= total) sel << n - primeira;
    };
    QString numero;
    bool faixa = false;
    int inicio = 0;
    auto fechaItem = [&] {
        if (faixa) {
            int fim = numero.isEmpty() ? primeira + total : numeroDe(numero);
            int ini = inicio;
            if (fim < ini) std::swap(ini, fim);
            // only the pages the report has: "1-999999999" costs no more than "1-3"
            for (int p = qMax(ini, primeira), ultima = qMin(fim, total); p <= ultima; ++p)
                seleciona(p);
        } else if (!numero.isEmpty()) {
            seleciona(numeroDe(numero));
        }
        numero.clear();
        faixa = false;
    };
    for (const QChar c : texto) {
        if (c.isDigit()) {
            numero += c;
        } else if (c == u' ') {
            continue;
        } else if (c == u';') {
            fechaItem();
        } else if (c == u'-') {
            inicio = numero.isEmpty() ? primeira : numeroDe(numero);
            numero.clear();
            faixa = true;
        }
    }
    fechaItem();
    return sel;
}

QByteArray ReverseFeedCode(const QString& marcador)
{
    QString digitos;
    for (const QChar c : marcador.mid(5)) {
        if (!c.isDigit()) break;
        digitos += c;
    }
    bool ok = false;
    int n = digitos.toInt(&ok);
    if (!ok) n = 1;
    n = qBound(1, n, 7);
    return QByteArray("\x1B\x6A\x01", 3).repeated(32 - 4 * n);
}

namespace
{

const QByteArray marcaFF = QByteArrayLiteral("<ff>");
const QByteArray marcaMs = QByteArrayLiteral("<ms>");
const QByteArray marcaE = QByteArrayLiteral("<e>");

bool naoEmBranco(const QString& texto)
{
    return !texto.trimmed().isEmpty();
}
const QByteArray marcaFimE = QByteArrayLiteral("</e>");

// A printer line whose "<e>" and "</e>" markers become the expanded codes where they stand.
void escreveComMarcas(TRelevo& job, const QByteArray& linha, bool fimDeLinha)
{
    const TCodigosImpressora& c = TRelevo::CodigosAtivos();
    QByteArray estilo;
    qsizetype pos = 0;
    for (;;) {
        const qsizetype e = linha.indexOf(marcaE, pos);
        const qsizetype f = linha.indexOf(marcaFimE, pos);
        qsizetype prox = -1;
        QByteArray marca, codigo;
        if (e >= 0 && (f < 0 || e < f)) {
            prox = e;
            marca = marcaE;
            codigo = c.ExpandOn;
        } else if (f >= 0) {
            prox = f;
            marca = marcaFimE;
            codigo = c.ExpandOff;
        }
        if (prox < 0) {
            job.WritePrinterText(estilo, linha.mid(pos), fimDeLinha);
            return;
        }
        const QByteArray trecho = linha.mid(pos, prox - pos);
        if (!trecho.isEmpty() || !estilo.isEmpty()) job.WritePrinterText(estilo, trecho, false);
        estilo = codigo;
        pos = prox + marca.size();
    }
}

} // namespace

bool ReplayPages(const TRelevo& origem, const QList<int>& paginas, TRelevo& job)
{
    if (!job.BeginDoc()) return false;
    for (int k = 0; k < paginas.size(); ++k) {
        const int idx = paginas[k];
        if (idx < 0 || idx >= origem.PrinterPages().size()) continue;
        const int linhas = origem.PrinterPages()[idx].size();
        QByteArray ultima;
        for (int l = 0; l < linhas; ++l) {
            const QByteArray linha = origem.linhaImpressora(idx, l);
            ultima = linha;
            if (linha.endsWith(marcaFF) && origem.linhaExibida(idx, l).endsWith(QLatin1String(marcaFF))) {
                // A new page; codes sent just before it travel in front of the marker.
                const QByteArray antes = linha.chopped(marcaFF.size());
                if (naoEmBranco(origem.linhaExibida(idx, l).chopped(marcaFF.size()))) {
                    escreveComMarcas(job, antes, true);
                } else if (!antes.isEmpty()) {
                    job.SendCommand(antes);
                }
                job.NewPage();
                ultima = marcaFF;
            } else if (const qsizetype ms = linha.indexOf(marcaMs); ms >= 0) {
                escreveComMarcas(job, linha.left(ms), false);
                job.WritePrinterText({}, ReverseFeedCode(DeWin1252(linha.mid(ms))), true);
            } else {
                escreveComMarcas(job, linha, true);
            }
        }
        const bool ultimaSelecionada = k == paginas.size() - 1;
        if (ultima != marcaFF && linhas < job.QtLines - 1 && (!ultimaSelecionada || job.SaltaUltima)) {
            if (job.EjetaQuebra) {
                job.NewPage();
            } else {
                // A short page still fills its form, so the next page starts at the top
                // of the next one.
                while (job.PRow() > 1 && job.PRow() < job.QtLines)
                    job.WriteText({}, QString(), 0, true);
            }
        }
    }
    job.EndDoc();
    return true;
}

void SpoolPages(const TRelevo& origem, const QList<int>& paginas, TRelevo& job)
{
    const QDateTime agora = Relogio::agora();
    const QString arquivo =
        PastaJobs::novoArquivo(QStringLiteral("RV") + agora.toString(QStringLiteral("ddhhmm")),
                               QStringLiteral(".T") + agora.toString(QStringLiteral("ss")));
    QFile f(arquivo);
    if (arquivo.isEmpty() || !f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ServicosRelevo::atual().mensagem(job.texto("Erro selecionando impressora", "Error selecting printer"),
                                         job.texto("Erro", "Error"), MsgRelevo::Erro);
        if (!arquivo.isEmpty()) QFile::remove(arquivo);
        return;
    }
    const QByteArray ff = CodigosDoModelo(job.PrinterName).FormFeed;
    bool gravado = true;
    const auto grava = [&f, &gravado](const QByteArray& bytes) {
        gravado = gravado && f.write(bytes) == bytes.size();
    };
    for (const int idx : paginas) {
        if (idx < 0 || idx >= origem.PrinterPages().size()) continue;
        for (int l = 0; l < origem.PrinterPages()[idx].size(); ++l)
            grava(origem.linhaImpressora(idx, l) + "\r\n");
        grava(ff);
    }
    gravado = gravado && f.flush();
    f.close();
    if (!gravado) {
        QFile::remove(arquivo);
        job.avisaSpool(ResultadoSpool::ErroEscrever);
        return;
    }
    const ResultadoSpool r = EnviaArquivoCups(arquivo, QString(), [] { QCoreApplication::processEvents(); });
    QFile::remove(arquivo);
    job.avisaSpool(r);
}

namespace
{
template <typename F> bool grava(const QString& arquivo, F conteudo)
{
    QSaveFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly)) return false;
    // the owner's only (the group's too in a shared data folder), even in place of
    // a file others could read
    f.setPermissions(PastaDados::permissoesArquivo());
    conteudo(f);
    return f.commit();
}
} // namespace

bool SalvaTexto(const TRelevo& origem, const QString& arquivo)
{
    return grava(arquivo, [&](QSaveFile& f) {
        const PaginasTexto& pp = origem.PreviewPages();
        for (int p = 0; p < pp.size(); ++p) {
            for (int l = 0; l < pp[p].size(); ++l)
                f.write(pp[p].linha(l) + "\r\n");
        }
    });
}

bool SalvaHtml(const TRelevo& origem, const QString& arquivo, const QString& fonte, bool ingles)
{
    return grava(arquivo, [&](QSaveFile& f) {
        auto linha = [&f](const QByteArray& l) { f.write(l + "\r\n"); };
        linha("<head>");
        linha(ingles ? "<title>Untitled</title>" : "<title>Sem titulo</title>");
        linha("<meta name=\"GENERATOR\" content=\"TDX Relevo Report\">");
        // UTF-8, as every text file the system exports; the declaration says so.
        linha("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">");
        linha("</head>");
        linha("<html>");
        linha("<body bgcolor=\"#FFFFFF\">");
        linha("<table border=\"0\">");
        const QByteArray inicio = "<tr><td><font face=\"" + fonte.toHtmlEscaped().toUtf8() + "\" size=\"2\">";
        const PaginasTexto& pp = origem.PreviewPages();
        for (int p = 0; p < pp.size(); ++p) {
            for (int l = 0; l < pp[p].size(); ++l) {
                // A name such as "M&M" or a marker such as "<ng>" is shown as it is
                // written, never taken for markup.
                QByteArray texto = pp[p].linha(l);
                texto.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
                texto.replace(" ", "&nbsp;");
                linha(inicio + texto + "</font></td>");
            }
        }
        linha("</table>");
        linha("</body>");
        linha("</html>");
    });
}

namespace
{
LinhaDesenho desenho(QString texto)
{
    LinhaDesenho l;
    static const QString ng = QStringLiteral("<ng>");
    if (texto.trimmed().startsWith(ng)) {
        l.negrito = true;
        texto.remove(texto.indexOf(ng), ng.size());
    }
    l.texto = texto;
    return l;
}
} // namespace

QList<PaginaDesenho> PaginasDoArquivo(const QByteArray& conteudo, int qtLines, int cabem)
{
    QList<QByteArray> linhas = conteudo.split('\n');
    for (QByteArray& l : linhas) {
        if (l.endsWith('\r')) l.chop(1);
    }
    if (!linhas.isEmpty() && linhas.last().trimmed().isEmpty()) linhas.removeLast();
    QList<PaginaDesenho> paginas{PaginaDesenho()};
    for (QByteArray l : std::as_const(linhas)) {
        bool quebra = false;
        while (l.startsWith('\x0C')) {
            l.remove(0, 1);
            quebra = true;
        }
        const int naPagina = int(paginas.last().size());
        if (naPagina > 0 &&
            (quebra || (qtLines > 0 && naPagina >= qtLines) || (cabem > 0 && naPagina >= cabem))) {
            paginas << PaginaDesenho();
        }
        paginas.last() << desenho(DeWin1252(l));
    }
    return paginas;
}

void MarcaCodigosQR(QList<PaginaDesenho>& paginas, const QList<MarcaQR>& codigos)
{
    if (codigos.isEmpty()) return;
    for (PaginaDesenho& pagina : paginas) {
        for (LinhaDesenho& l : pagina) {
            const QStringView texto = QStringView(l.texto).trimmed();
            for (const MarcaQR& m : codigos) {
                if (texto == m.ancora) l.qr = &m;
            }
        }
    }
}

QList<PaginaDesenho> PaginasExibidas(const TRelevo& origem, const QList<int>& paginas)
{
    QList<PaginaDesenho> r;
    for (const int idx : paginas) {
        if (idx < 0 || idx >= origem.PreviewPages().size()) continue;
        PaginaDesenho p;
        for (int l = 0; l < origem.PreviewPages()[idx].size(); ++l)
            p << desenho(origem.linhaExibida(idx, l));
        r << p;
    }
    MarcaCodigosQR(r, origem.CodigosQR);
    return r;
}
