// SPDX-License-Identifier: GPL-3.0-or-later
#include "TQuery.h"

#include "ErroBanco.h"
#include "EsperaBanco.h"
#include "FonteConsultas.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <climits>
#include <limits>

TQuery::TQuery(FonteConsultas* dm, const QString& nome, const QStringList& sql) : m_dm(dm), m_nome(nome), m_sql(sql) {}

TQuery::~TQuery() = default;

void TQuery::Clear()
{
    Close();
    m_sql.clear();
    m_params.clear();
    m_desempate.clear();
}

void TQuery::Add(const QString& linha)
{
    m_sql << linha;
}

void TQuery::setSQL(const QStringList& linhas)
{
    Close();
    m_sql = linhas;
    m_params.clear();
    m_desempate.clear();
}

void TQuery::setParam(const QString& nome, const QVariant& valor)
{
    for (auto& p : m_params) {
        if (p.first.compare(nome, Qt::CaseInsensitive) == 0) {
            p.second = valor;
            return;
        }
    }
    m_params.append({nome, valor});
}

namespace
{

QString literal(const QVariant& v)
{
    if (v.isNull()) {
        return QStringLiteral("NULL");
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Short:
    case QMetaType::UInt:
        return v.toString();
    case QMetaType::QDate:
        return u'\'' + v.toDate().toString(QStringLiteral("yyyy-MM-dd")) + u'\'';
    default: {
        QString s = v.toString();
        s.replace(u'\'', QStringLiteral("''"));
        return u'\'' + s + u'\'';
    }
    }
}

const QRegularExpression& reParam()
{
    static const QRegularExpression re(QStringLiteral(R"((?<![:\w]):([A-Za-z_]\w*))"));
    return re;
}

} // namespace

QString TQuery::TraceText() const
{
    QString texto = Text();
    QString saida;
    qsizetype ultimo = 0;
    auto it = reParam().globalMatch(texto);
    while (it.hasNext()) {
        const auto m = it.next();
        saida += texto.mid(ultimo, m.capturedStart() - ultimo);
        QString nome = m.captured(1);
        bool achou = false;
        for (const auto& p : m_params) {
            if (p.first.compare(nome, Qt::CaseInsensitive) == 0) {
                saida += literal(p.second);
                achou = true;
                break;
            }
        }
        if (!achou) {
            saida += m.captured(0);
        }
        ultimo = m.capturedEnd();
    }
    saida += texto.mid(ultimo);
    return saida;
}

namespace
{
QStringList nomesParametros(const QString& texto)
{
    QStringList nomes;
    auto it = reParam().globalMatch(texto);
    while (it.hasNext()) {
        nomes << it.next().captured(1);
    }
    return nomes;
}

// A statement that changes a table's layout: the statements kept prepared go
// (PostgreSQL refuses to run a prepared SELECT * whose columns changed).
bool mudaTabelas(const QString& texto)
{
    const QString inicio = texto.trimmed().left(6);
    return inicio.startsWith(QLatin1String("ALTER"), Qt::CaseInsensitive) ||
           inicio.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive) ||
           inicio.startsWith(QLatin1String("DROP"), Qt::CaseInsensitive);
}
} // namespace

void TQuery::liga(QSqlQuery& q, const QStringList& nomes, const Parametros& parametros)
{
    for (const QString& nome : nomes) {
        QVariant valor;
        bool achou = false;
        for (const auto& p : parametros) {
            if (p.first.compare(nome, Qt::CaseInsensitive) == 0) {
                valor = p.second;
                achou = true;
                break;
            }
        }
        if (!achou) {
            throw ErroBanco(QStringLiteral("Parâmetro sem valor: %1").arg(nome));
        }
        q.bindValue(u':' + nome, valor);
    }
}

void TQuery::preparar(QSqlQuery& q, const QString& texto, const Parametros& parametros) const
{
    if (!q.prepare(texto)) {
        throw ErroBanco(q.lastError());
    }
    liga(q, nomesParametros(texto), parametros);
}

void TQuery::roda(QSqlQuery& q, bool direto, const QString& texto)
{
    EsperaBanco espera;
    while (!(direto ? q.exec(texto) : q.exec())) {
        const QSqlError erro = q.lastError();
        if (!EsperaBanco::ocupado(erro)) {
            throw ErroBanco(erro);
        }
        if (!espera.tentarDeNovo()) {
            throw ErroBanco(EsperaBanco::mensagemEsgotada(erro.text()));
        }
    }
}

void TQuery::executa(QSqlQuery& q) const
{
    executa(q, Text(), m_params);
}

void TQuery::executa(QSqlQuery& q, const QString& texto, const Parametros& parametros) const
{
    const bool direto = parametros.isEmpty() && !texto.contains(u':');
    if (!direto) {
        preparar(q, texto, parametros);
    }
    roda(q, direto, texto);
}

void TQuery::ExecPreparada(const std::function<void(QSqlQuery&)>& leitor)
{
    try {
        executaPreparada(leitor);
    } catch (const ErroBanco& e) {
        if (e.semConexao()) {
            m_dm->ReconectaAposFalha(); // as ExecSQL: never repeated, the next try works
        }
        throw;
    }
}

void TQuery::executaPreparada(const std::function<void(QSqlQuery&)>& leitor)
{
    Close();
    m_alteradas = -1;
    const QString texto = Text();
    // held while it runs: the data module may start its cache over meanwhile
    const std::shared_ptr<FonteConsultas::Preparada> p = m_dm->preparada(texto);
    QSqlQuery& q = p->consulta;
    if (!p->pronta) {
        q.setForwardOnly(true);
        if (!q.prepare(texto)) {
            const QSqlError erro = q.lastError();
            m_dm->esquecePreparadas();
            throw ErroBanco(erro);
        }
        p->parametros = nomesParametros(texto);
        p->pronta = true;
    }
    // The statement is reset whatever happens: on SQLite a statement left
    // open holds its read of the file.
    struct Fim {
        QSqlQuery& q;
        ~Fim() { q.finish(); }
    } fim{q};
    liga(q, p->parametros, m_params);
    roda(q, false, texto);
    m_alteradas = q.numRowsAffected();
    if (leitor) {
        leitor(q);
    }
}

void TQuery::Open()
{
    try {
        abrir();
    } catch (const ErroBanco& e) {
        // A read on a connection that was lost (a server that restarted) is
        // tried once more on a new one; outside a transaction nothing is lost.
        // (opening a connection runs statements of its own, on this query too)
        const QStringList sql = m_sql;
        const auto parametros = m_params;
        const QStringList desempate = m_desempate;
        if (!e.semConexao() || m_dm->InTransaction() || !m_dm->ReconectaAposFalha()) {
            throw;
        }
        m_sql = sql;
        m_params = parametros;
        m_desempate = desempate;
        abrir();
    }
}

void TQuery::abrir()
{
    Close();
    if (!m_desempate.isEmpty() && separaOrdem()) {
        abrirPaginada();
        return;
    }
    auto q = std::make_unique<QSqlQuery>(m_dm->DataBase1());
    // Random access: rows already read are kept by the result, PostgreSQL
    // hands over the whole result at once (its size known), SQLite steps on
    // as rows are asked for.
    q->setForwardOnly(false);
    executa(*q);
    m_registro = q->record();
    m_cursor = std::move(q);
    m_lidas = 0;
    m_todas = false;
    if (const int n = m_cursor->size(); n >= 0) {
        m_lidas = n;
        m_todas = true;
    }
    m_atual = 0;
    m_ativa = true;
    // a statement that fails on its first row fails here, as it always did
    le(0);
    if (m_cursor->lastError().isValid()) {
        const QSqlError erro = m_cursor->lastError();
        Close();
        throw ErroBanco(erro);
    }
}

bool TQuery::le(int linha) const
{
    if (linha < 0) {
        return false;
    }
    if (m_paginada) {
        return linha < m_total && carrega(linha);
    }
    while (!m_todas && linha >= m_lidas) {
        LerMais(256);
    }
    return linha < m_lidas;
}

int TQuery::LerMais(int n) const
{
    int lidas = 0;
    while (!m_todas && lidas < n) {
        if (m_cursor && m_cursor->seek(m_lidas)) {
            ++m_lidas;
            ++lidas;
        } else {
            m_todas = true;
        }
    }
    return lidas;
}

void TQuery::Last()
{
    le(INT_MAX);
    m_atual = m_lidas > 0 ? m_lidas - 1 : 0;
}

int TQuery::RecordCount() const
{
    le(INT_MAX);
    return m_lidas;
}

void TQuery::ExecSQL()
{
    try {
        executar();
    } catch (const ErroBanco& e) {
        if (e.semConexao()) {
            // A write is never repeated (it may have reached the server), but
            // the connection is opened again so that the operator's next try
            // works; a transaction it was part of is gone with it.
            m_dm->ReconectaAposFalha();
        }
        throw;
    }
}

void TQuery::executar()
{
    const QString texto = Text();
    if (!m_params.isEmpty()) {
        // a statement with values (an insert, an update): kept prepared
        executaPreparada({});
        return;
    }
    Close();
    m_alteradas = -1;
    if (mudaTabelas(texto)) {
        m_dm->esquecePreparadas();
    }
    QSqlQuery q(m_dm->DataBase1());
    executa(q, texto, m_params);
    m_alteradas = q.numRowsAffected();
    q.finish();
}

void TQuery::aoFecharConexao(const QObject* dono, std::function<void()> aviso)
{
    esquece(dono);
    m_avisos.append({dono, std::move(aviso)});
}

void TQuery::esquece(const QObject* dono)
{
    m_avisos.removeIf([dono](const auto& a) { return a.first == dono; });
}

void TQuery::conexaoFechada()
{
    Close();
    const auto avisos = m_avisos;
    for (const auto& a : avisos) {
        a.second();
    }
}

void TQuery::Close()
{
    m_cursor.reset();
    m_paginada = false;
    m_base.clear();
    m_chaves.clear();
    m_indicesChave.clear();
    m_total = 0;
    m_cache.clear();
    m_lidas = 0;
    m_todas = true;
    m_colunaLocalizada = -1;
    m_textosLocalizados.clear();
    m_registro = QSqlRecord();
    m_atual = 0;
    m_ativa = false;
}

bool TQuery::Locate(const QString& campo, const QString& texto)
{
    const int c = m_registro.indexOf(campo);
    if (c < 0) {
        return false;
    }
    if (m_paginada) {
        if (texto.isEmpty()) {
            m_atual = 0;
            return le(0);
        }
        // the column as text, its first letters in capitals, against the text in capitals
        const QString coluna = m_registro.fieldName(c);
        const QString condicao =
            QStringLiteral("substr(upper(cast(%1 as text)), 1, :lz_n) = :lz_t").arg(coluna);
        return localizaPaginada(condicao, {{QStringLiteral("lz_n"), int(texto.size())},
                                           {QStringLiteral("lz_t"), texto.toUpper()}});
    }
    if (m_colunaLocalizada != c) {
        m_colunaLocalizada = c;
        m_textosLocalizados.clear();
    }
    for (int i = 0;; ++i) {
        if (i >= m_textosLocalizados.size()) {
            if (!le(i)) {
                return false;
            }
            m_textosLocalizados << comoTexto(valor(i, c));
        }
        if (m_textosLocalizados[i].startsWith(texto, Qt::CaseInsensitive)) {
            m_atual = i;
            return true;
        }
    }
}

bool TQuery::LocateExato(const QString& campo, const QVariant& valor)
{
    const int c = m_registro.indexOf(campo);
    if (c < 0 || valor.isNull()) {
        return false;
    }
    if (m_paginada) {
        return localizaPaginada(m_registro.fieldName(c) + QStringLiteral(" = :lz_v"),
                                {{QStringLiteral("lz_v"), valor}});
    }
    const QString texto = comoTexto(valor);
    for (int i = 0; le(i); ++i) {
        if (comoTexto(this->valor(i, c)) == texto) {
            m_atual = i;
            return true;
        }
    }
    return false;
}
