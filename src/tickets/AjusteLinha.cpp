// SPDX-License-Identifier: GPL-3.0-or-later
#include "AjusteLinha.h"

#include <QRegularExpression>

namespace
{

struct Segmento {
    int brancos = 0; // blanks before the text
    QString texto;
    bool separado = false; // stands apart from the text before it (blanks between them)
    int coluna = 0;        // the column it was asked for
    bool inteira = false;  // never cut (a figure or an identifier)
};

int largura(const QList<Segmento>& s)
{
    int n = 0;
    for (const Segmento& x : s)
        n += x.brancos + int(x.texto.size());
    return n;
}

// Weights, percentages, coefficients, dates and times: cut, they would lie.
bool ehFigura(const QString& t)
{
    static const QRegularExpression figura(QStringLiteral(R"(^\s*[-+]?[0-9][0-9.,:/]*(\s*(kg|m3|%))?\s*$)"));
    return figura.match(t).hasMatch();
}

// The fewest blanks the gap before segment i may keep.
int minimoBrancos(const QList<Segmento>& s, int i)
{
    if (i == 0 || s[i].texto.isEmpty() || s[i].texto.front().isSpace()) return 0;
    // the text before, skipping empty pieces
    for (int j = i - 1; j >= 0; --j) {
        if (s[j].texto.isEmpty()) continue;
        return s[j].texto.back().isSpace() ? 0 : (s[i].separado ? 1 : 0);
    }
    return 0;
}

void tiraBrancosFinais(QList<Segmento>& s)
{
    while (!s.isEmpty()) {
        Segmento& u = s.last();
        while (!u.texto.isEmpty() && u.texto.back() == u' ')
            u.texto.chop(1);
        if (!u.texto.isEmpty()) break;
        s.removeLast();
    }
}

QString junta(const QList<Segmento>& s)
{
    QString r;
    for (const Segmento& x : s)
        r += QString(x.brancos, u' ') + x.texto;
    return r;
}

// The segments of a line of their own, each at the column it asked for (a piece
// that stands apart keeps one blank from the text before it).
QList<Segmento> naColuna(QList<Segmento> s)
{
    int coluna = 0;
    for (int i = 0; i < s.size(); ++i) {
        s[i].brancos = qMax(qMax(0, s[i].coluna - coluna), minimoBrancos(s, i));
        coluna += s[i].brancos + int(s[i].texto.size());
    }
    return s;
}

void ajusta(QList<Segmento> s, int limite, QStringList& saida)
{
    if (largura(s) <= limite) {
        saida << junta(s);
        return;
    }
    tiraBrancosFinais(s);
    // The gaps between pieces, the widest first.
    while (largura(s) > limite) {
        int melhor = -1, folga = 0;
        for (int i = 0; i < s.size(); ++i) {
            const int f = s[i].brancos - minimoBrancos(s, i);
            if (f > folga) {
                folga = f;
                melhor = i;
            }
        }
        if (melhor < 0) break;
        --s[melhor].brancos;
    }
    // Then the padding inside texts ("Entrada   :"), the longest run of blanks first.
    static const QRegularExpression brancos(QStringLiteral("  +"));
    while (largura(s) > limite) {
        int qual = -1;
        QRegularExpressionMatch maior;
        for (int i = 0; i < s.size(); ++i) {
            for (auto it = brancos.globalMatch(s[i].texto.trimmed()); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                if (qual < 0 || m.capturedLength() > maior.capturedLength()) {
                    qual = i;
                    maior = m;
                }
            }
        }
        if (qual < 0) break;
        QString& t = s[qual].texto;
        const int inicio = int(t.indexOf(t.trimmed())) + int(maior.capturedStart());
        t.remove(inicio, 1);
    }
    // Then the longest text that is not a figure, at a word boundary; a caption that
    // ends in a figure ("(FCV) Fatores ...: 0,9650") loses words of its caption only.
    static const QRegularExpression comFigura(
        QStringLiteral(R"(^(.*\S)(\s+[-+]?[0-9][0-9.,:/]*(\s*(kg|m3|%))?)\s*$)"));
    while (largura(s) > limite) {
        int maior = -1;
        for (int i = 0; i < s.size(); ++i) {
            if (s[i].inteira || ehFigura(s[i].texto) || s[i].texto.trimmed().isEmpty()) continue;
            if (maior < 0 || s[i].texto.size() > s[maior].texto.size()) maior = i;
        }
        if (maior < 0) break;
        const int excesso = largura(s) - limite;
        QString& t = s[maior].texto;
        const int resta = int(t.size()) - excesso;
        const QRegularExpressionMatch m = comFigura.match(t);
        if (m.hasMatch() && resta > m.capturedLength(2) + 1) {
            const QString rotulo = m.captured(1);
            const QString figura = m.captured(2);
            const bool doisPontos = rotulo.endsWith(u':');
            QString cortado = CortaNaPalavra(rotulo, resta - int(figura.size()) - (doisPontos ? 1 : 0));
            if (doisPontos && !cortado.endsWith(u':')) cortado += u':';
            t = cortado + figura;
        } else if (resta <= 0) {
            t.clear();
        } else {
            t = CortaNaPalavra(t, resta);
        }
        tiraBrancosFinais(s);
    }
    if (largura(s) <= limite || s.size() <= 1) {
        // A single figure wider than the line is printed whole.
        saida << junta(s);
        return;
    }
    // Only figures and identifiers are left too wide: the pieces that do not fit move
    // to the next line. Each line then places its pieces at the columns they asked for
    // (a figure stays under its caption), closing gaps only where it must.
    QList<Segmento> primeira;
    int usado = 0;
    int i = 0;
    for (; i < s.size(); ++i) {
        const int n = s[i].brancos + int(s[i].texto.size());
        if (!primeira.isEmpty() && usado + n > limite) break;
        primeira << s[i];
        usado += n;
    }
    ajusta(naColuna(primeira), limite, saida);
    const QList<Segmento> resto = s.mid(i);
    if (!resto.isEmpty()) ajusta(naColuna(resto), limite, saida);
}

} // namespace

QString CortaNaPalavra(const QString& texto, int largura)
{
    if (texto.size() <= largura) return texto;
    if (largura <= 0) return QString();
    // A blank right after the kept part is a word boundary as well.
    int corte = int(texto.lastIndexOf(u' ', largura));
    while (corte > 0 && texto[corte - 1] == u' ')
        --corte;
    if (corte <= 0) return texto.left(largura);
    return texto.left(corte);
}

QStringList QuebraEmLinhas(const QString& texto, int largura)
{
    QStringList linhas;
    QString resto = texto;
    while (resto.size() > largura) {
        const QString parte = CortaNaPalavra(resto, largura);
        linhas << parte;
        resto = resto.mid(parte.size());
        while (resto.startsWith(u' '))
            resto.remove(0, 1);
    }
    linhas << resto;
    return linhas;
}

QStringList ComporLinha(const QList<PecaLinha>& pecas, int limite)
{
    QList<Segmento> s;
    int coluna = 0; // the print job's current column
    for (const PecaLinha& p : pecas) {
        Segmento x;
        x.brancos = qMax(0, p.coluna - coluna);
        x.texto = p.texto;
        x.coluna = p.coluna;
        x.inteira = p.inteira;
        // A text asked for at a column the text before it already ran into, or a word or
        // figure asked for right where another ends, is a value of its own: it gets a
        // blank rather than run together with that text. A caption and its value
        // ("Motorista.....:" and the name) touch by design, and a text asked for at
        // column 0 is appended on purpose.
        const QString antes = s.isEmpty() ? QString() : s.last().texto;
        const bool colados = !antes.isEmpty() && !p.texto.isEmpty() && antes.back().isLetterOrNumber() &&
                             p.texto.front().isLetterOrNumber();
        const bool invadida = p.coluna > 0 && (p.coluna < coluna || (p.coluna == coluna && colados));
        x.separado = x.brancos > 0 || invadida;
        s << x;
        if (invadida && minimoBrancos(s, int(s.size()) - 1) > 0) s.last().brancos = 1;
        coluna = p.coluna + int(p.texto.size());
    }
    QStringList saida;
    ajusta(s, limite, saida);
    return saida;
}
