// SPDX-License-Identifier: GPL-3.0-or-later
// TQuery: a list read page by page, on its order keys (keyset), and located by a bound query.
#include "TQuery.h"

#include "ErroBanco.h"
#include "FonteConsultas.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <climits>
#include <limits>

void TQuery::Paginar(const QStringList& desempate)
{
    Close();
    m_desempate = desempate;
}

// ---- page by page ----

namespace
{

constexpr int TamanhoPagina = 128;
// Rows kept at most; the rows read again when asked for after that.
constexpr int LinhasGuardadas = 16384;

const QRegularExpression& reOrdem()
{
    static const QRegularExpression re(QStringLiteral(R"(\border\s+by\b)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QRegularExpression& reChave()
{
    static const QRegularExpression re(QStringLiteral(R"(^(?:\w+\.)?(\w+)(?:\s+(asc|desc))?$)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

bool TQuery::separaOrdem()
{
    const QString texto = Text();
    qsizetype inicio = -1, fim = -1;
    auto it = reOrdem().globalMatch(texto);
    while (it.hasNext()) {
        const auto m = it.next();
        inicio = m.capturedStart();
        fim = m.capturedEnd();
    }
    QList<Chave> chaves;
    QString base = texto;
    if (inicio >= 0) {
        const QString antes = texto.left(inicio);
        if (antes.count(u'(') != antes.count(u')')) {
            return false; // an ORDER BY inside a sub-statement: not the list's order
        }
        base = antes;
        for (const QString& parte : texto.mid(fim).split(u',')) {
            const auto m = reChave().match(parte.trimmed());
            if (!m.hasMatch()) {
                return false; // an expression: the list is read as a whole
            }
            chaves.append(
                {m.captured(1).toLower(), m.captured(2).compare(u"desc", Qt::CaseInsensitive) == 0});
        }
    }
    if (base.contains(QRegularExpression(QStringLiteral(R"(\b(limit|offset|union)\b)"),
                                         QRegularExpression::CaseInsensitiveOption))) {
        return false;
    }
    for (const QString& d : m_desempate) {
        const QString coluna = d.toLower();
        if (std::none_of(chaves.cbegin(), chaves.cend(),
                         [&](const Chave& c) { return c.coluna == coluna; })) {
            chaves.append({coluna, false});
        }
    }
    m_base = base.trimmed();
    m_chaves = chaves;
    return true;
}

QString TQuery::ordem(bool inversa) const
{
    QStringList partes;
    for (const Chave& c : m_chaves) {
        partes << c.coluna + ((c.desc != inversa) ? QStringLiteral(" desc") : QString());
    }
    return QStringLiteral(" order by ") + partes.join(QStringLiteral(", "));
}

QVector<QVariant> TQuery::chaveDe(const QVector<QVariant>& linha) const
{
    QVector<QVariant> k;
    for (int i : m_indicesChave) {
        k << linha.value(i);
    }
    return k;
}

QString TQuery::depoisDe(const QVector<QVariant>& k, bool antes, Parametros& p) const
{
    // Each engine places NULLs where it does by itself (PostgreSQL after every
    // value, SQLite before), so that the list's index serves the order; the
    // condition says the same for each key, equal keys passed to the next.
    const bool nulosNoFim = m_dm->ehPostgres();
    auto param = [&p](const QVariant& v) {
        const QString nome = QStringLiteral("pg_%1").arg(p.size());
        p.append({nome, v});
        return u':' + nome;
    };
    QStringList termos;
    QStringList iguais;
    QString limite;
    for (int i = 0; i < m_chaves.size(); ++i) {
        const QString& c = m_chaves[i].coluna;
        const bool desc = m_chaves[i].desc;
        // the NULLs of this key come after its values in the list's order
        const bool nulosDepois = desc ? !nulosNoFim : nulosNoFim;
        QString termo;
        if (k[i].isNull()) {
            if (nulosDepois == antes) {
                termo = c + QStringLiteral(" is not null");
            }
        } else {
            const bool maior = desc == antes;
            const QString valor = param(k[i]);
            termo = c + (maior ? QStringLiteral(" > ") : QStringLiteral(" < ")) + valor;
            if (nulosDepois != antes) {
                termo = u'(' + termo + QStringLiteral(" or ") + c + QStringLiteral(" is null)");
            } else if (i == 0) {
                // the same bound, inclusive, on its own: the index range starts there
                limite = c + (maior ? QStringLiteral(" >= ") : QStringLiteral(" <= ")) + valor;
            }
        }
        if (!termo.isEmpty()) {
            termos << (iguais.isEmpty()
                           ? termo
                           : iguais.join(QStringLiteral(" and ")) + QStringLiteral(" and ") + termo);
        }
        iguais << (k[i].isNull() ? c + QStringLiteral(" is null") : c + QStringLiteral(" = ") + param(k[i]));
    }
    if (termos.isEmpty()) {
        return QStringLiteral("1 = 0");
    }
    const QString ou = u'(' + termos.join(QStringLiteral(") or (")) + u')';
    return limite.isEmpty() ? ou : limite + QStringLiteral(" and (") + ou + u')';
}

int TQuery::lePagina(const QString& onde, const Parametros& p, int inicio, bool inversa,
                     int deslocamento) const
{
    QString texto = QStringLiteral("select * from (\n") + m_base + QStringLiteral("\n) lista");
    if (!onde.isEmpty()) {
        texto += QStringLiteral(" where ") + onde;
    }
    texto += ordem(inversa) + QStringLiteral(" limit %1").arg(TamanhoPagina);
    if (deslocamento > 0) {
        texto += QStringLiteral(" offset %1").arg(deslocamento);
    }
    Parametros todos = m_params;
    todos += p;
    QSqlQuery q(m_dm->DataBase1());
    q.setForwardOnly(true);
    executa(q, texto, todos);
    if (m_registro.isEmpty()) {
        const_cast<TQuery*>(this)->m_registro = q.record();
    }
    if (m_cache.size() > LinhasGuardadas) {
        m_cache.clear();
    }
    const int colunas = q.record().count();
    int n = 0;
    while (q.next()) {
        QVector<QVariant> linha(colunas);
        for (int c = 0; c < colunas; ++c) {
            linha[c] = q.value(c);
        }
        m_cache.insert(inversa ? inicio - n : inicio + n, linha);
        ++n;
    }
    return n;
}

qint64 TQuery::conta(const QString& onde, const Parametros& p) const
{
    QString texto = QStringLiteral("select count(*) from (\n") + m_base + QStringLiteral("\n) lista");
    if (!onde.isEmpty()) {
        texto += QStringLiteral(" where ") + onde;
    }
    Parametros todos = m_params;
    todos += p;
    QSqlQuery q(m_dm->DataBase1());
    q.setForwardOnly(true);
    executa(q, texto, todos);
    return q.next() ? q.value(0).toLongLong() : 0;
}

bool TQuery::abrirPaginada()
{
    m_registro = QSqlRecord();
    m_paginada = true;
    m_ativa = true;
    try {
        const int lidas = lePagina(QString(), {}, 0, false);
        for (const Chave& c : m_chaves) {
            const int i = m_registro.indexOf(c.coluna);
            if (i < 0) {
                throw ErroBanco(QStringLiteral("Campo não encontrado: %1").arg(c.coluna));
            }
            m_indicesChave << i;
        }
        // a short list needs no count
        m_total = lidas < TamanhoPagina ? lidas : int(qMin<qint64>(conta(QString(), {}), INT_MAX));
    } catch (...) {
        Close();
        throw;
    }
    m_lidas = m_total;
    m_todas = true;
    m_atual = 0;
    return true;
}

bool TQuery::carrega(int linha) const
{
    if (m_cache.contains(linha)) {
        return true;
    }
    // Rows never throw here: a grid paints them. A row that could not be read
    // (the connection lost, the row gone) is an empty row.
    try {
        if (const auto anterior = m_cache.constFind(linha - 1); anterior != m_cache.cend()) {
            Parametros p;
            const QString onde = depoisDe(chaveDe(*anterior), false, p);
            lePagina(onde, p, linha, false);
        } else if (const auto seguinte = m_cache.constFind(linha + 1); seguinte != m_cache.cend()) {
            Parametros p;
            const QString onde = depoisDe(chaveDe(*seguinte), true, p);
            lePagina(onde, p, linha, true);
        } else {
            // a jump (the scroll bar dragged): the rows counted from the start
            const int inicio = qMax(0, linha - TamanhoPagina / 4);
            lePagina(QString(), {}, inicio, false, inicio);
        }
    } catch (const ErroBanco&) {
        return false;
    }
    return m_cache.contains(linha);
}

bool TQuery::localizaPaginada(const QString& condicao, const Parametros& p)
{
    // the first row of the list that matches, then its place: the rows before it counted
    QString texto = QStringLiteral("select * from (\n") + m_base + QStringLiteral("\n) lista where ") +
                    condicao + ordem(false) + QStringLiteral(" limit 1");
    Parametros todos = m_params;
    todos += p;
    QSqlQuery q(m_dm->DataBase1());
    q.setForwardOnly(true);
    executa(q, texto, todos);
    if (!q.next()) {
        return false;
    }
    QVector<QVariant> linha(q.record().count());
    for (int c = 0; c < linha.size(); ++c) {
        linha[c] = q.value(c);
    }
    Parametros pa;
    const QString antes = depoisDe(chaveDe(linha), true, pa);
    const int posicao = int(conta(antes, pa));
    if (m_cache.size() > LinhasGuardadas) {
        m_cache.clear();
    }
    m_cache.insert(posicao, linha);
    m_total = qMax(m_total, posicao + 1);
    m_lidas = m_total;
    m_atual = posicao;
    return true;
}
