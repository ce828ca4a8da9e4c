// SPDX-License-Identifier: GPL-3.0-or-later
#include "TQuery.h"

#include "ErroBanco.h"
#include "EsperaBanco.h"
#include "TDM.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <climits>
#include <limits>

TQuery::TQuery(TDM* dm, const QString& nome, const QStringList& sql) : m_dm(dm), m_nome(nome), m_sql(sql) {}

TQuery::~TQuery() = default;

void TQuery::Clear()
{
    Close();
    m_sql.clear();
    m_params.clear();
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

void TQuery::preparar(QSqlQuery& q) const
{
    const QString texto = Text();
    if (!q.prepare(texto)) {
        throw ErroBanco(q.lastError());
    }
    auto it = reParam().globalMatch(texto);
    while (it.hasNext()) {
        const QString nome = it.next().captured(1);
        QVariant valor;
        bool achou = false;
        for (const auto& p : m_params) {
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

void TQuery::executa(QSqlQuery& q) const
{
    const bool direto = m_params.isEmpty() && !Text().contains(u':');
    if (!direto) {
        preparar(q);
    }
    EsperaBanco espera;
    while (!(direto ? q.exec(Text()) : q.exec())) {
        const QSqlError erro = q.lastError();
        if (!EsperaBanco::ocupado(erro)) {
            throw ErroBanco(erro);
        }
        if (!espera.tentarDeNovo()) {
            throw ErroBanco(EsperaBanco::mensagemEsgotada(erro.text()));
        }
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
        if (!e.semConexao() || m_dm->InTransaction() || !m_dm->ReconectaAposFalha()) {
            throw;
        }
        m_sql = sql;
        m_params = parametros;
        abrir();
    }
}

void TQuery::abrir()
{
    Close();
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
    Close();
    m_alteradas = -1;
    QSqlQuery q(m_dm->DataBase1());
    executa(q);
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
    if (coluna < 0 || coluna >= m_registro.count() || !le(linha) || !m_cursor->seek(linha)) {
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
