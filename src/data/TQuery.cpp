// SPDX-License-Identifier: GPL-3.0-or-later
#include "TQuery.h"

#include "ErroBanco.h"
#include "EsperaBanco.h"
#include "FonteConsultas.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <climits>
#include <limits>

TQuery::TQuery(FonteConsultas* dm, const QString& nome, const QStringList& sql)
    : m_dm(dm), m_nome(nome), m_sql(sql)
{
}

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

void TQuery::Paginar(const QStringList& desempate)
{
    Close();
    m_desempate = desempate;
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

namespace
{

// The driver's error; on a connection already closed the driver says nothing
// (an empty error), which is a lost connection all the same.
ErroBanco erroDe(const QSqlQuery& q)
{
    if (!q.lastError().isValid() && (!q.driver() || !q.driver()->isOpen())) {
        return ErroBanco(ErroBanco::Causa::ConexaoPerdida, QStringLiteral("connection not open"));
    }
    return ErroBanco(q.lastError());
}

} // namespace

void TQuery::preparar(QSqlQuery& q, const QString& texto, const Parametros& parametros) const
{
    if (!q.prepare(texto)) {
        throw erroDe(q);
    }
    liga(q, nomesParametros(texto), parametros);
}

void TQuery::roda(QSqlQuery& q, bool direto, const QString& texto)
{
    EsperaBanco espera;
    while (!(direto ? q.exec(texto) : q.exec())) {
        const QSqlError erro = q.lastError();
        if (!EsperaBanco::ocupado(erro)) {
            throw erroDe(q);
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
            const ErroBanco erro = erroDe(q);
            m_dm->esquecePreparadas();
            throw erro;
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
            ++m_trazidas;
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
    const bool reabrir = m_ativa || m_reabrir; // (closed again by a failed attempt: still to reopen)
    Close();
    m_reabrir = reabrir;
    const auto avisos = m_avisos;
    for (const auto& a : avisos) {
        a.second();
    }
}

void TQuery::reabreAposConexao()
{
    if (!std::exchange(m_reabrir, false)) {
        return;
    }
    try {
        Open();
    } catch (const ErroBanco& e) {
        qWarning("lista não reaberta após a reconexão: %s", qPrintable(e.texto()));
    }
    const auto avisos = m_avisos;
    for (const auto& a : avisos) {
        a.second();
    }
}

void TQuery::Close()
{
    m_reabrir = false;
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

QVariant TQuery::FieldByName(const QString& campo) const
{
    const int i = m_registro.indexOf(campo);
    if (i < 0) {
        throw ErroBanco(QStringLiteral("Campo não encontrado: %1").arg(campo));
    }
    return valor(m_atual, i);
}

QVariant TQuery::valor(int linha, int coluna) const
{
    if (coluna < 0 || coluna >= m_registro.count() || !le(linha)) {
        return QVariant();
    }
    if (m_paginada) {
        return m_cache.value(linha).value(coluna);
    }
    if (!m_cursor->seek(linha)) {
        return QVariant();
    }
    return m_cursor->value(coluna);
}

QString TQuery::comoTexto(const QVariant& v)
{
    if (v.isNull()) {
        return QString();
    }
    if (v.typeId() == QMetaType::QDate) {
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (v.typeId() == QMetaType::Double) {
        return Decimal::fromDouble(v.toDouble()).toShortString();
    }
    return v.toString();
}

QString TQuery::AsString(const QString& campo) const
{
    return comoTexto(FieldByName(campo));
}

qint64 TQuery::AsLargeInt(const QString& campo) const
{
    return comoInteiro(FieldByName(campo));
}

qint64 TQuery::comoInteiro(const QVariant& v)
{
    if (v.isNull()) {
        return 0;
    }
    bool ok = false;
    const qint64 i = v.toLongLong(&ok);
    if (ok) {
        return i;
    }
    const qint64 t = v.toString().trimmed().toLongLong(&ok);
    if (ok) {
        return t;
    }
    // a number with decimals: its whole part
    return Decimal::fromVariant(v).raw() / Decimal::Scale;
}

int TQuery::AsInteger(const QString& campo) const
{
    const qint64 v = AsLargeInt(campo);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
        throw ErroBanco(QStringLiteral("Valor fora do intervalo de um inteiro: %1 (%2)").arg(v).arg(campo));
    }
    return int(v);
}

Decimal TQuery::AsDecimal(const QString& campo) const
{
    return Decimal::fromVariant(FieldByName(campo));
}

QDate TQuery::AsDate(const QString& campo) const
{
    return comoData(FieldByName(campo));
}

QDate TQuery::comoData(const QVariant& v)
{
    if (v.isNull()) {
        return QDate();
    }
    if (v.typeId() == QMetaType::QDate) {
        return v.toDate();
    }
    if (v.typeId() == QMetaType::QDateTime) {
        return v.toDateTime().date();
    }
    const QString s = v.toString();
    QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid()) {
        d = QDate::fromString(s.left(10), QStringLiteral("dd/MM/yyyy"));
    }
    return d;
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

namespace
{
// The statement split at its last ORDER BY: the rows before it and its keys
// as written (none without ORDER BY); false when that ORDER BY belongs to a
// sub-statement.
bool divideOrdem(const QString& texto, QString& base, QStringList& partes)
{
    qsizetype inicio = -1, fim = -1;
    auto it = reOrdem().globalMatch(texto);
    while (it.hasNext()) {
        const auto m = it.next();
        inicio = m.capturedStart();
        fim = m.capturedEnd();
    }
    base = texto;
    partes.clear();
    if (inicio < 0) {
        return true;
    }
    base = texto.left(inicio);
    if (base.count(u'(') != base.count(u')')) {
        return false;
    }
    for (const QString& parte : texto.mid(fim).split(u',')) {
        partes << parte.trimmed();
    }
    return true;
}
} // namespace

QString TQuery::ChaveOrdem() const
{
    if (m_paginada) {
        return m_chaves.isEmpty() ? QString() : m_chaves.first().coluna;
    }
    QString base;
    QStringList partes;
    if (!divideOrdem(Text(), base, partes) || partes.isEmpty()) {
        return QString();
    }
    const auto m = reChave().match(partes.first());
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

bool TQuery::separaOrdem()
{
    QList<Chave> chaves;
    QString base;
    QStringList partes;
    if (!divideOrdem(Text(), base, partes)) {
        return false; // an ORDER BY inside a sub-statement: not the list's order
    }
    for (const QString& parte : partes) {
        const auto m = reChave().match(parte);
        if (!m.hasMatch()) {
            return false; // an expression: the list is read as a whole
        }
        chaves.append({m.captured(1).toLower(), m.captured(2).compare(u"desc", Qt::CaseInsensitive) == 0});
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
        ++m_trazidas;
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
    if (!q.next()) {
        return 0;
    }
    ++m_trazidas;
    return q.value(0).toLongLong();
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
    ++m_trazidas;
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
