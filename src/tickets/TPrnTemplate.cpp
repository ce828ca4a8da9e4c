// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPrnTemplate.h"

#include <exception>

#include "AjusteLinha.h"
#include "Decimal.h"
#include "RVDataSet.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "ServicosRelevo.h"
#include "TDM.h"
#include "TExtensoX.h"
#include "TQuery.h"
#include "TRelevo.h"

#include <QDate>

namespace
{

const QStringList operadores{QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral("<"),
                             QStringLiteral("<="), QStringLiteral(">"),  QStringLiteral(">=")};

const QStringList meses{QStringLiteral("JANEIRO"), QStringLiteral("FEVEREIRO"), QStringLiteral("MARÇO"),
                        QStringLiteral("ABRIL"),   QStringLiteral("MAIO"),      QStringLiteral("JUNHO"),
                        QStringLiteral("JULHO"),   QStringLiteral("AGOSTO"),    QStringLiteral("SETEMBRO"),
                        QStringLiteral("OUTUBRO"), QStringLiteral("NOVEMBRO"),  QStringLiteral("DEZEMBRO")};

// The operator of a group and its position; -1 when it has none.
int achaOperador(const QString& g, QString* op)
{
    for (const QString& o : operadores) {
        int p = g.indexOf(o);
        if (p < 0) {
            continue;
        }
        QString achado = o;
        if (o == QLatin1String("=") && p > 0 && (g[p - 1] == u'<' || g[p - 1] == u'>')) {
            achado = g[p - 1] + QStringLiteral("=");
            --p;
        }
        *op = achado;
        return p;
    }
    return -1;
}

bool compara(const QString& a, const QString& op, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseSensitive);
    if (op == QLatin1String("=")) return c == 0;
    if (op == QLatin1String("<>")) return c != 0;
    if (op == QLatin1String("<")) return c < 0;
    if (op == QLatin1String("<=")) return c <= 0;
    if (op == QLatin1String(">")) return c > 0;
    return c >= 0;
}

// A whole number written in a group; anything else stops the print.
int inteiro(const QString& t)
{
    bool ok = false;
    const int n = t.trimmed().toInt(&ok);
    if (!ok) {
        throw ErroTemplate("numero invalido: " + t.toStdString());
    }
    return n;
}

// A width: a whole number no wider than any printer line can be.
int largura(const QString& t)
{
    const int n = inteiro(t);
    if (n > 1000) {
        throw ErroTemplate("largura invalida: " + t.toStdString());
    }
    return n;
}

// The first "[" removed and the text cut before the first "]".
QString parte(QString t)
{
    const int a = t.indexOf(u'[');
    if (a >= 0) t.remove(a, 1);
    const int f = t.indexOf(u']');
    if (f >= 0) t.truncate(f);
    return t;
}

struct Condicional {
    QString esquerda, op, direita, entao, senao;
};

// [left op right, then, else] of pass 2: the then part ends at the next comma
// outside a nested bracket pair.
Condicional lerCondicional(const QString& g, int pos, const QString& op)
{
    Condicional c;
    c.op = op;
    c.esquerda = g.mid(1, pos - 1).trimmed();
    const int v1 = g.indexOf(u',');
    c.direita = v1 < 0 ? QString() : g.mid(pos + op.size(), v1 - pos - op.size()).trimmed();
    if (v1 < 0) {
        return c;
    }
    int nivel = 0;
    int v2 = -1;
    for (int i = v1 + 1; i < g.size(); ++i) {
        const QChar ch = g[i];
        if (ch == u'[')
            ++nivel;
        else if (ch == u']')
            --nivel;
        else if (ch == u',' && nivel <= 0) {
            v2 = i;
            break;
        }
    }
    c.entao = parte(v2 < 0 ? g.mid(v1 + 1) : g.mid(v1 + 1, v2 - v1 - 1));
    if (c.entao.endsWith(u',')) c.entao.chop(1);
    if (v2 >= 0) {
        c.senao = parte(g.mid(v2 + 1));
        if (c.senao.startsWith(u',')) c.senao.remove(0, 1);
        if (c.senao.endsWith(u',')) c.senao.chop(1);
    }
    return c;
}

QString agrupaMilhares(const QString& numero)
{
    QString inteiros = numero.section(u',', 0, 0);
    const QString resto = numero.contains(u',') ? u',' + numero.section(u',', 1) : QString();
    const bool negativo = inteiros.startsWith(u'-');
    if (negativo) inteiros.remove(0, 1);
    for (int i = inteiros.size() - 3; i > 0; i -= 3)
        inteiros.insert(i, u'.');
    return (negativo ? QStringLiteral("-") : QString()) + inteiros + resto;
}

QString parteData(const QDate& d, const QString& qual)
{
    if (qual == QLatin1String("DIA")) return d.toString(QStringLiteral("dd"));
    if (qual == QLatin1String("MES")) return d.toString(QStringLiteral("MM"));
    if (qual == QLatin1String("ANO")) return d.toString(QStringLiteral("yy"));
    return AlinhaTexto(meses[d.month() - 1], 9, u'E');
}

bool ehParteData(const QString& qual)
{
    return qual == QLatin1String("DIA") || qual == QLatin1String("MES") || qual == QLatin1String("ANO") ||
           qual == QLatin1String("MES_EXTENSO");
}

} // namespace

bool TPrnTemplate::ehVariavel(const QString& nome) const
{
    const QString n = nome.trimmed().toUpper();
    return n == QLatin1String("PAGINA") || n == QLatin1String("PAGINAS");
}

int TPrnTemplate::variavel(const QString& nome) const
{
    return nome.trimmed().toUpper() == QLatin1String("PAGINA") ? PAGINA : PAGINAS;
}

QString TPrnTemplate::valorCampo(const RVDataSet& dados, const QString& nome, bool* existe) const
{
    const bool ha = dados.FindField(nome);
    if (existe) *existe = ha;
    return ha ? dados.AsString(nome) : QString();
}

QString TPrnTemplate::valorGrupo(const QString& g, const RVDataSet& dados)
{
    const QString interno = g.mid(1, g.size() - 2);
    const int doisPontos = g.indexOf(u':');
    QString op;
    const int pos = achaOperador(g, &op);

    // Conditional left for this pass: its parts are names, variables or texts.
    if (pos >= 0 && doisPontos < 0) {
        bool existe = false;
        const QString nomeEsq = g.mid(1, pos - 1).trimmed();
        QString esq;
        if (!nomeEsq.isEmpty()) {
            if (ehVariavel(nomeEsq)) {
                esq = QString::number(variavel(nomeEsq));
            } else {
                esq = valorCampo(dados, nomeEsq, &existe).trimmed();
                if (!existe) return g;
            }
        }
        const int v1 = g.indexOf(u',');
        QString nomeDir = v1 < 0 ? QString() : g.mid(pos + op.size(), v1 - pos - op.size()).trimmed();
        QString dir;
        if (!nomeDir.isEmpty()) {
            if (ehVariavel(nomeDir)) {
                dir = QString::number(variavel(nomeDir));
            } else {
                dir = valorCampo(dados, nomeDir, &existe).trimmed();
                if (!existe) dir = nomeDir;
            }
        }
        QString entao, senao;
        if (v1 >= 0) {
            const int v2 = g.indexOf(u',', v1 + 1);
            const int fim = g.indexOf(u']', v1 + 1);
            entao = v2 < 0 ? g.mid(v1 + 1, (fim < 0 ? g.size() : fim) - v1 - 1) : g.mid(v1 + 1, v2 - v1 - 1);
            if (v2 >= 0) {
                const int f2 = g.indexOf(u']', v2 + 1);
                senao = g.mid(v2 + 1, (f2 < 0 ? g.size() : f2) - v2 - 1);
            }
        }
        const QString escolhido = compara(esq, op, dir) ? entao : senao;
        if (ehVariavel(escolhido)) return QString::number(variavel(escolhido));
        const QString v = valorCampo(dados, escolhido.trimmed(), &existe);
        return existe ? v : escolhido;
    }

    if (doisPontos < 0) {
        const QString chave = interno.toUpper();
        const QDateTime agora = Relogio::agora();
        if (chave == QLatin1String("DATE")) return agora.date().toString(QStringLiteral("dd/MM/yyyy"));
        if (chave == QLatin1String("TIME")) return agora.time().toString(QStringLiteral("hh:mm:ss"));
        if (ehParteData(chave)) return parteData(agora.date(), chave);

        if (!interno.contains(u',')) {
            if (ehVariavel(interno)) return QString::number(variavel(interno));
            bool existe = false;
            QString v = valorCampo(dados, interno, &existe);
            if (!existe) return interno;
            const QString nome = interno.trimmed().toUpper();
            if (nome == QLatin1String("CAD_EMAIL")) return v.toLower();
            if (nome == QLatin1String("SIT_STRCODIGO") || nome == QLatin1String("TRI_CODIGO") ||
                nome == QLatin1String("SIT_CODIGO")) {
                if (EhNumero(v)) return CompletaZeros(v, 3);
            }
            return v;
        }

        // Amount in words: [name,x,t1,t2].
        const QStringList p = interno.split(u',');
        const int linhaEscolhida = inteiro(p.value(1));
        const int t1 = largura(p.value(2));
        const int t2 = largura(p.value(3));
        QString palavras;
        std::optional<Decimal> valor;
        if (ehVariavel(p[0])) {
            valor = Decimal::fromInt(variavel(p[0]));
        } else if (dados.FindField(p[0])) {
            valor = Decimal::parse(dados.AsString(p[0]).trimmed());
        }
        if (valor) palavras = TExtensoX::Extenso(valor->toString(2));
        // The first line ends at a word boundary; the second begins where the first
        // ended and holds the rest of the words, even past its width: an amount in
        // words is never printed short.
        QString l1 = CortaNaPalavra(palavras, qMax(0, t1));
        QString l2 = palavras.mid(l1.size()).trimmed();
        l1 = AlinhaTexto(l1, t1, u'*');
        l2 = AlinhaTexto(l2, t2, u'*');
        return linhaEscolhida == 1 ? l1 : l2;
    }

    // The forms with a colon.
    const QString nome = g.mid(1, doisPontos - 1);
    QString resto = g.mid(doisPontos + 1).trimmed();
    if (resto.endsWith(u']')) resto.chop(1);
    resto = resto.trimmed();
    const QString qual = resto.toUpper();
    if (ehParteData(qual)) {
        QDate d;
        if (nome.trimmed().toUpper() == QLatin1String("DATE")) {
            d = Relogio::hoje();
        } else {
            d = LeData(valorCampo(dados, nome).trimmed());
        }
        return d.isValid() ? parteData(d, qual) : nome;
    }
    if (resto.contains(u',')) {
        // Substring [name:x,n].
        const int x = inteiro(resto.section(u',', 0, 0));
        const int n = largura(resto.section(u',', 1));
        bool existe = false;
        const QString v = valorCampo(dados, nome, &existe);
        if (!existe || x < 1 || n < 0) return nome;
        return AlinhaTexto(v.mid(x - 1, n).trimmed(), n, u'D');
    }
    // Number [name:Kw] or [name:Kw;d].
    if (resto.isEmpty()) throw ErroTemplate("formato vazio");
    const QChar tipo = resto[0].toUpper();
    const QString larguraTexto = resto.mid(1).section(u';', 0, 0).left(5);
    const int colunas = largura(larguraTexto);
    int casas = 2;
    if (resto.contains(u';')) casas = inteiro(resto.section(u';', 1).left(2));
    std::optional<Decimal> valor;
    if (ehVariavel(nome)) {
        valor = Decimal::fromInt(variavel(nome));
    } else if (dados.FindField(nome)) {
        valor = Decimal::parse(dados.AsString(nome).trimmed());
    }
    if (!valor) return nome;
    QString t = valor->toString(qBound(0, casas, 4));
    if (tipo == u'C') {
        const bool negativo = t.startsWith(u'-');
        t = QStringLiteral("R$ ") + agrupaMilhares(negativo ? t.mid(1) : t);
        if (negativo) t.prepend(u'-');
    } else if (tipo == u'N') {
        t = agrupaMilhares(t);
    }
    return AlinhaTexto(t, colunas, u'E');
}

QString TPrnTemplate::tags(const QString& entrada)
{
    QString linha = entrada;
    const TCodigosImpressora& c = Relevo ? Relevo->codigos() : TRelevo::CodigosAtivos();
    auto troca = [&](const char* tag, const QByteArray& codigo) {
        const int p = linha.indexOf(QLatin1String(tag));
        if (p >= 0) linha.replace(p, int(qstrlen(tag)), QString::fromLatin1(codigo));
    };
    troca("<#", c.Compr175On);
    troca("#>", c.Compr175Off);
    troca("<%", c.Compr20On);
    troca("%>", c.Compr20Off);
    troca("<!", c.NegritoOn);
    troca("!>", c.NegritoOff);
    troca("<ff>", c.FormFeed);
    if (linha.contains(QLatin1String("<ms>")) && !(Relevo && Relevo->Preview.ShowPreview)) {
        bool ok = false;
        int n = linha.mid(5).trimmed().toInt(&ok);
        if (!ok) n = 1;
        n = qBound(1, n, 7);
        linha = QString::fromLatin1(QByteArray("\x1bj\x01").repeated(32 - 4 * n));
    }
    const int zv = linha.indexOf(QLatin1String("<zv>"));
    if (zv >= 0) {
        linha.remove(zv, 4);
        PAGINA = 0;
        PAGINAS = 0;
    }
    for (const char* t : {"$>", "<?", "?>", "<*", "*>", "<@", "@>", "<^", "^>", "<(", ")>"}) {
        const int p = linha.indexOf(QLatin1String(t));
        if (p >= 0) linha.remove(p, 2);
    }
    return linha;
}

QString TPrnTemplate::ExpandirLinha(const QString& entrada, const RVDataSet& dados)
{
    QString linha = entrada;

    // Pass 1: the groups, nested brackets kept inside.
    QStringList grupos;
    {
        QString atual;
        bool dentro = false;
        int abre = 0, fecha = 0;
        for (const QChar ch : entrada) {
            if (!dentro) {
                if (ch == u'[') {
                    dentro = true;
                    atual = QStringLiteral("[");
                    abre = 1;
                    fecha = 0;
                }
                continue;
            }
            if (ch == u']' && abre == fecha + 1) {
                atual += ch;
                grupos << atual;
                dentro = false;
                continue;
            }
            atual += ch;
            if (ch == u'[')
                ++abre;
            else if (ch == u']')
                ++fecha;
        }
    }

    // Pass 2: conditional groups become their chosen part.
    for (QString& g : grupos) {
        QString op;
        const int pos = achaOperador(g, &op);
        if (pos < 0) continue;
        const Condicional c = lerCondicional(g, pos, op);
        QString esq, dir;
        if (!c.esquerda.isEmpty()) {
            if (ehVariavel(c.esquerda)) {
                esq = QString::number(variavel(c.esquerda));
            } else {
                bool existe = false;
                esq = valorCampo(dados, c.esquerda, &existe).trimmed();
                if (!existe) continue; // left for pass 3
            }
        }
        if (!c.direita.isEmpty()) {
            if (ehVariavel(c.direita)) {
                dir = QString::number(variavel(c.direita));
            } else if (c.direita == QLatin1String("<NULL>")) {
                dir.clear();
            } else {
                bool existe = false;
                dir = valorCampo(dados, c.direita, &existe).trimmed();
                if (!existe) dir = c.direita;
            }
        }
        const QString novo = u'[' + (compara(esq, c.op, dir) ? c.entao : c.senao) + u']';
        const int p = linha.indexOf(g);
        if (p >= 0) linha.replace(p, g.size(), novo);
        g = novo;
    }

    // Pass 3: the value of each group; pass 4: each put in place of its group.
    QStringList valores;
    for (const QString& g : std::as_const(grupos))
        valores << valorGrupo(g, dados);
    for (int i = 0; i < grupos.size(); ++i) {
        const int p = linha.indexOf(grupos[i]);
        if (p >= 0) linha.replace(p, grupos[i].size(), valores[i]);
    }

    // Pass 5: printer tags.
    return tags(linha);
}

QStringList TPrnTemplate::Linhas(TDM& dm, int codigo)
{
    TQuery& q = dm.Qr_temp1;
    q.setSQL({QStringLiteral("Select * from linhastempl a "), QStringLiteral("where "),
              QStringLiteral("a.tem_codigo=:codigo"), QStringLiteral("order by a.lin_codigo")});
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    QStringList r;
    for (q.First(); !q.Eof(); q.Next())
        r << q.AsString(QStringLiteral("lin_texto"));
    q.Close();
    return r;
}

void TPrnTemplate::Imprimir(TDM& dm)
{
    if (!DataSet) return;
    DataSet->First();
    if (DataSet->Eof()) return;
    Imprimir(Linhas(dm, Template));
}

void TPrnTemplate::Imprimir(const QStringList& linhas)
{
    if (!Relevo || !DataSet) return;
    DataSet->First();
    if (DataSet->Eof()) return;
    TRelevo& job = *Relevo;
    job.PageHeader = false;
    job.EjetaQuebra = false;
    job.LinhasPolegada = l8LinPol;
    // Every line is expanded once before the job starts: a template that
    // cannot be expanded stops here, before anything is printed or shown.
    PAGINA = 1;
    if (PAGINAS <= 0) PAGINAS = 1;
    for (const QString& l : linhas)
        ExpandirLinha(l, *DataSet);
    PAGINA = 0;
    if (!job.BeginDoc()) {
        // the printer's state is told; a job that could not start was told already
        if (!job.StatusMessage.isEmpty())
            ServicosRelevo::atual().mensagem(job.StatusMessage, QStringLiteral("Atenção"),
                                             MsgRelevo::Informacao);
        job.LinhasPolegada = lNoChange;
        return;
    }
    struct Fim {
        TRelevo& job;
        const int excecoes = std::uncaught_exceptions();
        ~Fim()
        {
            if (std::uncaught_exceptions() > excecoes) {
                job.AbortDoc(); // a failure half-way: no partial ticket anywhere
            } else {
                job.SendCommand(job.codigos().Lpi6);
                job.EndDoc();
            }
            job.LinhasPolegada = lNoChange;
        }
    } fim{job};
    for (int copia = 1; copia <= qMax(1, Copias); ++copia) {
        PAGINA = 0;
        if (copia > 1) {
            DataSet->First();
            if (DataSetSec) DataSetSec->First();
        }
        if (!job.StatusMessage.isEmpty()) {
            ServicosRelevo::atual().mensagem(job.StatusMessage, QStringLiteral("Atenção"),
                                             MsgRelevo::Informacao);
            break;
        }
        if (PAGINAS <= 0) PAGINAS = 1;
        for (const QString& l : linhas) {
            PAGINA = job.PageNo();
            const QString t = ExpandirLinha(l, *DataSet);
            if (Imprime == 1) job.WriteText({}, t, Coluna, true);
        }
        while (!DataSet->Eof())
            DataSet->Next();
    }
}
