// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlanilhaRelatorio.h"

#include "PastaDados.h"
#include "TRelevo.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>

namespace PlanilhaRelatorio
{

namespace
{

// Printer markers that travel inside display lines.
QString semMarcadores(QString linha)
{
    static const QRegularExpression marcador(QStringLiteral("<(ng|e|/e|ff|ms\\d*)>"));
    return linha.remove(marcador);
}

bool ehRegua(const QString& linha)
{
    const QString t = linha.trimmed();
    if (t.size() < 3) return false;
    for (const QChar c : t) {
        if (c != u'-' && c != u'=') return false;
    }
    return true;
}

// A figure as the reports print it: an optional minus, digits, an optional
// decimal comma. An integer with a leading zero is a code, not a figure.
bool figura(const QString& t, Celula& c)
{
    static const QRegularExpression re(QStringLiteral("^-?(\\d+)(,(\\d+))?$"));
    const auto m = re.match(t);
    if (!m.hasMatch()) return false;
    if (!m.hasCaptured(2) && m.captured(1).size() > 1 && m.captured(1).startsWith(u'0')) return false;
    bool ok = false;
    const double v = QString(t).replace(u',', u'.').toDouble(&ok);
    if (!ok) return false;
    c.tipo = Celula::Numero;
    c.numero = v;
    c.casas = int(m.captured(3).size());
    return true;
}

bool data(const QString& t, Celula& c)
{
    static const QRegularExpression re(QStringLiteral("^\\d{2}/\\d{2}/\\d{4}$"));
    if (!re.match(t).hasMatch()) return false;
    const QDate d = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid()) return false;
    c.tipo = Celula::Data;
    c.data = d;
    return true;
}

Celula tipada(const QString& t)
{
    Celula c;
    c.texto = t;
    if (!figura(t, c)) data(t, c);
    return c;
}

// The report's own columns: the columns its texts were written at, on the lines
// that hold more than one text (a title or a lone total makes no column).
QList<int> colunasDoRelatorio(const TRelevo& origem)
{
    QSet<int> colunas;
    const PaginasTexto& pp = origem.PreviewPages();
    for (int p = 0; p < pp.size(); ++p) {
        for (int l = 0; l < pp[p].size(); ++l) {
            const QList<TRelevo::PecaExibida> pecas = origem.pecasExibidas(p, l);
            if (pecas.size() < 2) continue;
            for (const TRelevo::PecaExibida& x : pecas)
                colunas.insert(x.coluna);
        }
    }
    QList<int> r(colunas.cbegin(), colunas.cend());
    std::sort(r.begin(), r.end());
    return r;
}

// One field as printed: a figure with its unit ("15000 kg", "1,500 %") is the figure.
Celula celulaDoCampo(const QString& texto)
{
    Celula c = tipada(texto);
    if (c.tipo == Celula::Texto) {
        static const QRegularExpression comUnidade(QStringLiteral("^(-?\\d+(,\\d+)?)\\s*(kg|%|KM)$"));
        const QRegularExpressionMatch m = comUnidade.match(texto);
        if (m.hasMatch()) c = tipada(m.captured(1));
    }
    return c;
}

// The cells of one display line: each text the report wrote there is one cell, in
// the sheet column of the report's column it was written at (the nearest on its
// left for a text written elsewhere); two texts in one column share its cell. A
// line without texts of its own (the built-in page header) is cut where its
// columns part.
QList<Celula> celulasDaLinha(const TRelevo& origem, int p, int l, const QList<int>& colunas)
{
    const QString linha = origem.linhaExibida(p, l);
    const QList<TRelevo::PecaExibida> pecas = origem.pecasExibidas(p, l);
    if (pecas.isEmpty() || ehRegua(semMarcadores(linha))) return celulas(linha);
    QList<Celula> r;
    for (const TRelevo::PecaExibida& x : pecas) {
        const QString texto = semMarcadores(linha.mid(x.inicio, x.tamanho)).trimmed();
        if (texto.isEmpty()) continue;
        const int i =
            qMax(0, int(std::upper_bound(colunas.cbegin(), colunas.cend(), x.coluna) - colunas.cbegin()) - 1);
        while (r.size() <= i)
            r << Celula{};
        r[i] = celulaDoCampo(r[i].texto.isEmpty() ? texto : r[i].texto + u' ' + texto);
    }
    return r;
}

// Calls `f(celulas)` for every display line of every page.
template <typename F> void cadaLinha(const TRelevo& origem, F f)
{
    const QList<int> colunas = colunasDoRelatorio(origem);
    const PaginasTexto& pp = origem.PreviewPages();
    for (int p = 0; p < pp.size(); ++p) {
        for (int l = 0; l < pp[p].size(); ++l)
            f(celulasDaLinha(origem, p, l, colunas));
    }
}

QString textoCsv(const Celula& c)
{
    QString t = c.texto;
    // A text a spreadsheet would take for a formula is kept as text.
    if (c.tipo == Celula::Texto && !t.isEmpty() && QStringLiteral("=+-@").contains(t.at(0))) t.prepend(u'\'');
    if (t.contains(u';') || t.contains(u'"') || t.contains(u'\n') || t.contains(u'\r')) {
        t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        t = u'"' + t + u'"';
    }
    return t;
}

} // namespace

QList<Celula> celulas(const QString& linha)
{
    QList<Celula> r;
    const QString limpa = semMarcadores(linha);
    if (ehRegua(limpa)) return r;
    static const QRegularExpression blocos(QStringLiteral(" {2,}"));
    for (const QString& bloco : limpa.split(blocos, Qt::SkipEmptyParts)) {
        const QString b = bloco.trimmed();
        if (b.isEmpty()) continue;
        // Figures and dates parted by one blank are cells of their own; words
        // parted by one blank are one text. Beside words, only dates and
        // figures with decimals part (a code such as "PRODUTO 1" stays whole).
        const QStringList partes = b.split(u' ', Qt::SkipEmptyParts);
        QList<Celula> tipadas;
        for (const QString& p : partes)
            tipadas << tipada(p);
        const auto separavel = [](const Celula& c) {
            return c.tipo == Celula::Data || (c.tipo == Celula::Numero && c.texto.contains(u','));
        };
        bool todas = true;
        for (const Celula& c : tipadas)
            todas = todas && c.tipo != Celula::Texto;
        if (todas) {
            r << tipadas;
            continue;
        }
        qsizetype ini = 0, fim = tipadas.size();
        while (ini < fim && separavel(tipadas[ini]))
            ++ini;
        while (fim > ini && separavel(tipadas[fim - 1]))
            --fim;
        r << tipadas.mid(0, ini);
        r << tipada(partes.mid(ini, fim - ini).join(u' '));
        r << tipadas.mid(fim);
    }
    return r;
}

bool salvaCsv(const TRelevo& origem, const QString& arquivo, QString* erro)
{
    QSaveFile f(arquivo);
    if (!f.open(QIODevice::WriteOnly)) {
        if (erro) *erro = f.errorString();
        return false;
    }
    f.setPermissions(PastaDados::permissoesArquivo());
    bool ok = f.write("\xEF\xBB\xBF") == 3;
    cadaLinha(origem, [&](const QList<Celula>& linha) {
        if (!ok) return;
        QStringList textos;
        for (const Celula& c : linha)
            textos << textoCsv(c);
        const QByteArray bytes = textos.join(u';').toUtf8() + "\r\n";
        ok = f.write(bytes) == bytes.size();
    });
    if (!ok) {
        if (erro) *erro = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (erro) *erro = f.errorString();
        return false;
    }
    return true;
}

bool salvaXlsx(const TRelevo& origem, const QString& arquivo, QString* erro)
{
    // Written beside the target and renamed over it once whole, as a text file is.
    const QFileInfo destino(arquivo);
    QTemporaryDir temporaria(destino.absolutePath() + QStringLiteral("/.viga-planilha-XXXXXX"));
    if (!temporaria.isValid()) {
        if (erro) *erro = temporaria.errorString();
        return false;
    }
    const QByteArray parcial = QFile::encodeName(temporaria.filePath(QStringLiteral("planilha.xlsx")));
    const QByteArray pastaTemp = QFile::encodeName(temporaria.path());
    lxw_workbook_options opcoes{};
    // Rows go to disk as they are written: memory does not grow with the report.
    opcoes.constant_memory = LXW_TRUE;
    opcoes.tmpdir = const_cast<char*>(pastaTemp.constData());
    opcoes.use_zip64 = LXW_TRUE;
    lxw_workbook* livro = workbook_new_opt(parcial.constData(), &opcoes);
    if (!livro) {
        if (erro) *erro = QStringLiteral("não foi possível criar a planilha");
        return false;
    }
    lxw_format* formatoData = workbook_add_format(livro);
    format_set_num_format(formatoData, "dd/mm/yyyy");
    // One number format per count of decimals, as the report printed them.
    QList<lxw_format*> formatosNumero;
    auto formatoNumero = [&](int casas) {
        casas = qBound(0, casas, 10);
        while (formatosNumero.size() <= casas) {
            lxw_format* fmt = workbook_add_format(livro);
            const int n = int(formatosNumero.size());
            const QByteArray mascara = n == 0 ? QByteArray("0") : "0." + QByteArray(n, '0');
            format_set_num_format(fmt, mascara.constData());
            formatosNumero << fmt;
        }
        return formatosNumero[casas];
    };

    constexpr lxw_row_t linhasPorFolha = LXW_ROW_MAX;
    lxw_worksheet* folha = nullptr;
    int folhas = 0;
    lxw_row_t linha = 0;
    lxw_error falha = LXW_NO_ERROR;
    cadaLinha(origem, [&](const QList<Celula>& linhaDeCelulas) {
        if (falha != LXW_NO_ERROR) return;
        if (!folha || linha >= linhasPorFolha) {
            ++folhas;
            const QByteArray nome = QStringLiteral("Relatorio %1").arg(folhas).toUtf8();
            folha = workbook_add_worksheet(livro, nome.constData());
            if (!folha) {
                falha = LXW_ERROR_MEMORY_MALLOC_FAILED;
                return;
            }
            linha = 0;
        }
        lxw_col_t coluna = 0;
        for (const Celula& c : linhaDeCelulas) {
            if (coluna >= LXW_COL_MAX) break;
            lxw_error e = LXW_NO_ERROR;
            if (c.texto.isEmpty()) {
                // a column this line leaves empty
            } else if (c.tipo == Celula::Numero) {
                e = worksheet_write_number(folha, linha, coluna, c.numero, formatoNumero(c.casas));
            } else if (c.tipo == Celula::Data) {
                lxw_datetime d{c.data.year(), c.data.month(), c.data.day(), 0, 0, 0.0};
                e = worksheet_write_datetime(folha, linha, coluna, &d, formatoData);
            } else {
                const QByteArray t = c.texto.toUtf8();
                e = worksheet_write_string(folha, linha, coluna, t.constData(), nullptr);
            }
            if (e != LXW_NO_ERROR) {
                falha = e;
                return;
            }
            ++coluna;
        }
        ++linha;
    });
    if (!folha && falha == LXW_NO_ERROR) folha = workbook_add_worksheet(livro, "Relatorio 1");
    const lxw_error fechou = workbook_close(livro);
    if (falha == LXW_NO_ERROR) falha = fechou;
    if (falha != LXW_NO_ERROR) {
        if (erro) *erro = QString::fromUtf8(lxw_strerror(falha));
        return false;
    }
    const QString pronto = temporaria.filePath(QStringLiteral("planilha.xlsx"));
    PastaDados::fecharArquivo(pronto);
    // rename(2) puts the whole file in place of the old one at once.
    if (std::rename(QFile::encodeName(pronto).constData(), QFile::encodeName(arquivo).constData()) != 0) {
        if (erro) *erro = QStringLiteral("não foi possível gravar %1").arg(arquivo);
        return false;
    }
    return true;
}

} // namespace PlanilhaRelatorio
