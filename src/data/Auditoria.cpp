// SPDX-License-Identifier: GPL-3.0-or-later
#include "Auditoria.h"

#include "Relogio.h"
#include "TDM.h"
#include "TabelasEvidencia.h"

#include <QCryptographicHash>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSqlField>
#include <QSqlQuery>
#include <QSysInfo>
#include <algorithm>

namespace
{

// A result's columns in the order of the canonical text: the names in lower
// case, sorted; of two columns with one name, the last.
struct Colunas {
    QStringList nomes;
    QList<int> indices;
};

Colunas colunas(const QSqlRecord& r)
{
    QList<QPair<QString, int>> c;
    c.reserve(r.count());
    for (int i = 0; i < r.count(); ++i) {
        c.append({r.fieldName(i).toLower(), i});
    }
    std::stable_sort(c.begin(), c.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    Colunas saida;
    for (const auto& [nome, i] : c) {
        if (!saida.nomes.isEmpty() && saida.nomes.constLast() == nome) {
            saida.indices.last() = i;
            continue;
        }
        saida.nomes << nome;
        saida.indices << i;
    }
    return saida;
}

// A JSON string's content: quote, backslash and control characters escaped
// (the short forms where JSON has them), a lone surrogate as \uXXXX,
// everything else as it is.
void textoJson(QString& saida, QStringView s)
{
    static constexpr char hex[] = "0123456789abcdef";
    const auto u4 = [&saida](char16_t u) {
        saida += QLatin1String("\\u");
        for (int deslocamento = 12; deslocamento >= 0; deslocamento -= 4) {
            saida += QLatin1Char(hex[(u >> deslocamento) & 0xf]);
        }
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        switch (u) {
        case u'"': saida += QLatin1String("\\\""); continue;
        case u'\\': saida += QLatin1String("\\\\"); continue;
        case 0x8: saida += QLatin1String("\\b"); continue;
        case 0xc: saida += QLatin1String("\\f"); continue;
        case 0xa: saida += QLatin1String("\\n"); continue;
        case 0xd: saida += QLatin1String("\\r"); continue;
        case 0x9: saida += QLatin1String("\\t"); continue;
        default: break;
        }
        if (u < 0x20) {
            u4(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < s.size() && QChar::isLowSurrogate(s[i + 1].unicode())) {
            saida += s[i];
            saida += s[++i];
        } else if (QChar::isSurrogate(u)) {
            u4(u);
        } else {
            saida += s[i];
        }
    }
}

// One stored row as canonical text: a compact JSON object of the column names
// in lower case, sorted, each value as the database returns it as text, NULL
// as null. Written directly; it is, byte for byte, QJsonDocument's compact
// form of that object, which every entry already logged holds.
template <typename Valor>
QString textoLinha(const Colunas& c, const Valor& valor)
{
    QString t;
    t.reserve(64 + 24 * c.nomes.size());
    t += u'{';
    for (qsizetype k = 0; k < c.nomes.size(); ++k) {
        if (k) t += u',';
        t += u'"';
        textoJson(t, c.nomes[k]);
        t += QLatin1String("\":");
        const QVariant v = valor(c.indices[k]);
        if (v.isNull()) {
            t += QLatin1String("null");
        } else {
            t += u'"';
            textoJson(t, v.toString());
            t += u'"';
        }
    }
    t += u'}';
    return t;
}

// The current row of a result read once.
QString textoLinha(const Colunas& c, const QSqlQuery& q)
{
    return textoLinha(c, [&q](int i) { return q.value(i); });
}

QString textoLinha(const TQuery& q)
{
    return textoLinha(colunas(q.record()), [&q](int i) { return q.valor(q.RecNo(), i); });
}

// The current row as it was logged before the given columns were added to
// its table: without them while they are empty.
QString textoLinhaSem(const TQuery& q, const QStringList& acrescentadas)
{
    const Colunas todas = colunas(q.record());
    Colunas c;
    for (qsizetype k = 0; k < todas.nomes.size(); ++k) {
        if (acrescentadas.contains(todas.nomes[k]) && q.valor(q.RecNo(), todas.indices[k]).isNull()) {
            continue;
        }
        c.nomes << todas.nomes[k];
        c.indices << todas.indices[k];
    }
    return textoLinha(c, [&q](int i) { return q.valor(q.RecNo(), i); });
}

// The product rows of one weighing, in a fixed order whatever order the
// database returns them in.
QString textoProdutos(QStringList linhas)
{
    if (linhas.isEmpty()) {
        return QString();
    }
    std::sort(linhas.begin(), linhas.end());
    return u'[' + linhas.join(u',') + u']';
}

QString operacao(const QString& antes, const QString& depois)
{
    if (antes.isEmpty()) {
        return QStringLiteral("I");
    }
    return depois.isEmpty() ? QStringLiteral("E") : QStringLiteral("A");
}

struct Mudanca {
    const char* tabela;
    QString operacao;
    QString antes;
    QString depois;
};

// Appends the changes of one weighing to the chain, in one statement.
void acrescenta(TDM& dm, const QString& usuario, qint64 numero, const QList<Mudanca>& mudancas)
{
    if (mudancas.isEmpty()) {
        return;
    }
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    if (dm.ehPostgres()) {
        // One chain for every workstation: appends are taken one at a time,
        // until the transaction that holds the lock commits.
        q.Add(QStringLiteral("LOCK TABLE AUDITORIA IN EXCLUSIVE MODE"));
        q.ExecSQL();
        q.Clear();
    }
    q.Add(QStringLiteral("Select AUD_SEQ, AUD_HASH from AUDITORIA order by AUD_SEQ desc limit 1"));
    qint64 sequencia = 0;
    QString anterior;
    q.ExecPreparada([&](QSqlQuery& r) {
        if (r.next()) {
            sequencia = TQuery::comoInteiro(r.value(0));
            anterior = r.value(1).toString();
        }
    });
    q.Clear();
    q.Add(QStringLiteral(
        "INSERT INTO AUDITORIA (AUD_SEQ, AUD_DATAHORA, AUD_USUARIO, AUD_ESTACAO, AUD_TABELA,"));
    q.Add(QStringLiteral(
        "AUD_OPERACAO, PES_CODIGO, AUD_ANTES, AUD_DEPOIS, AUD_HASHANTERIOR, AUD_HASH) VALUES"));
    const QString dataHora = Relogio::agora().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    for (int i = 0; i < mudancas.size(); ++i) {
        const Mudanca& m = mudancas[i];
        Auditoria::Entrada e;
        e.sequencia = ++sequencia;
        e.hashAnterior = anterior;
        e.dataHora = dataHora;
        e.usuario = usuario.trimmed();
        e.estacao = Auditoria::estacao();
        e.tabela = QLatin1String(m.tabela);
        e.operacao = m.operacao;
        e.numero = numero;
        e.antes = m.antes;
        e.depois = m.depois;
        e.hash = Auditoria::calculaHash(e);
        anterior = e.hash;
        const QString n = QString::number(i);
        q.Add(QStringLiteral("%1(:seq%2, :dh%2, :usr%2, :est%2, :tab%2, :op%2, :pes%2, :antes%2, :depois%2, "
                             ":ant%2, :hash%2)")
                  .arg(i ? QStringLiteral(",") : QString(), n));
        q.setParam(QStringLiteral("seq") + n, e.sequencia);
        q.setParam(QStringLiteral("dh") + n, e.dataHora);
        q.setParam(QStringLiteral("usr") + n, e.usuario);
        q.setParam(QStringLiteral("est") + n, e.estacao);
        q.setParam(QStringLiteral("tab") + n, e.tabela);
        q.setParam(QStringLiteral("op") + n, e.operacao);
        q.setParam(QStringLiteral("pes") + n, e.numero);
        q.setParam(QStringLiteral("antes") + n, e.antes);
        q.setParam(QStringLiteral("depois") + n, e.depois);
        q.setParam(QStringLiteral("ant") + n, e.hashAnterior);
        q.setParam(QStringLiteral("hash") + n, e.hash);
    }
    q.ExecSQL();
}

QString textoCampo(const TQuery& q, const char* campo)
{
    const QVariant v = q.FieldByName(QLatin1String(campo));
    return v.isNull() ? QString() : v.toString();
}

} // namespace

namespace Auditoria
{

QString estacao()
{
    static const QString nome = [] {
        const QString n = QSysInfo::machineHostName();
        return n.isEmpty() ? QStringLiteral("?") : n;
    }();
    return nome;
}

QString estadoPesagem(TDM& dm, qint64 numero)
{
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    q.Add(QStringLiteral("Select * from PESAGEM where PES_CODIGO=:pes"));
    q.setParam(QStringLiteral("pes"), numero);
    QString estado;
    q.ExecPreparada([&](QSqlQuery& r) {
        if (r.next()) {
            estado = textoLinha(colunas(r.record()), r);
        }
    });
    return estado;
}

QString estadoProdutos(TDM& dm, qint64 numero)
{
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    q.Add(QStringLiteral("Select * from PESAGEMPRODUTO where PES_CODIGO=:pes"));
    q.setParam(QStringLiteral("pes"), numero);
    QStringList linhas;
    q.ExecPreparada([&](QSqlQuery& r) {
        const Colunas c = colunas(r.record());
        while (r.next()) {
            linhas << textoLinha(c, r);
        }
    });
    return textoProdutos(linhas);
}

void registra(TDM& dm, const QString& usuario, const char* tabela, qint64 numero, const QString& antes,
              const QString& depois)
{
    if (antes == depois) {
        return;
    }
    acrescenta(dm, usuario, numero, {{tabela, operacao(antes, depois), antes, depois}});
}

Antes captura(TDM& dm, qint64 numero)
{
    return {numero, estadoPesagem(dm, numero), estadoProdutos(dm, numero)};
}

void registraMudancas(TDM& dm, const QString& usuario, const Antes& antes)
{
    QList<Mudanca> mudancas;
    const QString pesagem = estadoPesagem(dm, antes.numero);
    if (pesagem != antes.pesagem) {
        mudancas.append({TabelaPesagem, operacao(antes.pesagem, pesagem), antes.pesagem, pesagem});
    }
    const QString produtos = estadoProdutos(dm, antes.numero);
    if (produtos != antes.produtos) {
        mudancas.append({TabelaProdutos, operacao(antes.produtos, produtos), antes.produtos, produtos});
    }
    acrescenta(dm, usuario, antes.numero, mudancas);
}

QString calculaHash(const Entrada& e)
{
    const QStringList partes{
        e.hashAnterior, QString::number(e.sequencia), e.dataHora, e.usuario, e.estacao, e.tabela,
        e.operacao,     QString::number(e.numero),    e.antes,    e.depois};
    return QString::fromLatin1(
        QCryptographicHash::hash(partes.join(QChar(0x1F)).toUtf8(), QCryptographicHash::Sha256).toHex());
}

namespace
{

Entrada leEntrada(const TQuery& q)
{
    Entrada e;
    e.sequencia = q.AsLargeInt(QStringLiteral("AUD_SEQ"));
    e.dataHora = textoCampo(q, "AUD_DATAHORA");
    e.usuario = textoCampo(q, "AUD_USUARIO");
    e.estacao = textoCampo(q, "AUD_ESTACAO");
    e.tabela = textoCampo(q, "AUD_TABELA");
    e.operacao = textoCampo(q, "AUD_OPERACAO");
    e.numero = q.AsLargeInt(QStringLiteral("PES_CODIGO"));
    e.antes = textoCampo(q, "AUD_ANTES");
    e.depois = textoCampo(q, "AUD_DEPOIS");
    e.hashAnterior = textoCampo(q, "AUD_HASHANTERIOR");
    e.hash = textoCampo(q, "AUD_HASH");
    return e;
}

} // namespace

QStringList diferencas(const QString& antes, const QString& depois)
{
    const QJsonDocument a = QJsonDocument::fromJson(antes.toUtf8());
    const QJsonDocument d = QJsonDocument::fromJson(depois.toUtf8());
    if (a.isArray() || d.isArray()) {
        const auto linhas = [](const QJsonDocument& doc) { return doc.array().size(); };
        return {QStringLiteral("produtos: %1 linha(s) → %2 linha(s)").arg(linhas(a)).arg(linhas(d))};
    }
    const QJsonObject oa = a.object(), od = d.object();
    QStringList chaves = oa.keys() + od.keys();
    std::sort(chaves.begin(), chaves.end());
    chaves.erase(std::unique(chaves.begin(), chaves.end()), chaves.end());
    const auto nulo = [](const QJsonValue& v) { return v.isUndefined() || v.isNull(); };
    const auto mostra = [&nulo](const QJsonValue& v) {
        return nulo(v) ? QStringLiteral("(vazio)") : v.toString();
    };
    QStringList r;
    for (const QString& c : chaves) {
        // A column added since the earlier state was logged is no change while empty.
        if (oa.value(c) != od.value(c) && !(nulo(oa.value(c)) && nulo(od.value(c)))) {
            r << QStringLiteral("%1: %2 → %3").arg(c, mostra(oa.value(c)), mostra(od.value(c)));
        }
    }
    return r;
}

QString nomeOperacao(const QString& operacao)
{
    if (operacao == QLatin1String("I")) {
        return QStringLiteral("Inclusão");
    }
    if (operacao == QLatin1String("A")) {
        return QStringLiteral("Alteração");
    }
    if (operacao == QLatin1String("E")) {
        return QStringLiteral("Exclusão");
    }
    return QStringLiteral("Estado inicial");
}

QList<Entrada> historico(TDM& dm, qint64 numero)
{
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    q.Add(QStringLiteral("Select * from AUDITORIA where PES_CODIGO=:pes order by AUD_SEQ"));
    q.setParam(QStringLiteral("pes"), numero);
    q.Open();
    QList<Entrada> lista;
    for (q.First(); !q.Eof(); q.Next()) {
        lista << leEntrada(q);
    }
    return lista;
}

Verificacao verifica(TDM& dm)
{
    // The last logged states are kept as digests, so that a database of a
    // million weighings is checked in bounded memory.
    const auto resumo = [](const QString& t) {
        return QCryptographicHash::hash(t.toUtf8(), QCryptographicHash::Sha256);
    };
    const QByteArray vazio = resumo(QString());
    Verificacao v;
    QHash<qint64, QByteArray> ultimaPesagem, ultimosProdutos;
    {
        TQuery q(&dm, QStringLiteral("QR_Auditoria"));
        q.Add(QStringLiteral("Select * from AUDITORIA order by AUD_SEQ"));
        q.Open();
        QString anterior;
        qint64 esperada = 1;
        for (q.First(); !q.Eof(); q.Next()) {
            const Entrada e = leEntrada(q);
            ++v.entradas;
            if (v.primeiraInvalida == 0 &&
                (e.sequencia != esperada || e.hashAnterior != anterior || calculaHash(e) != e.hash)) {
                v.primeiraInvalida = e.sequencia;
                v.problemas << QStringLiteral("entrada %1 da auditoria não confere").arg(e.sequencia);
            }
            anterior = e.hash;
            esperada = e.sequencia + 1;
            (e.tabela == QLatin1String(TabelaPesagem) ? ultimaPesagem : ultimosProdutos)[e.numero] =
                resumo(e.depois);
        }
    }

    // Every weighing and its product rows against their last logged state.
    QSet<qint64> alteradas, pesagens, comProdutos;
    {
        TQuery q(&dm, QStringLiteral("QR_Auditoria"));
        q.Add(QStringLiteral("Select * from PESAGEM"));
        q.Open();
        const QStringList acrescentadas = TabelasEvidencia::colunasAcrescentadas(QStringLiteral("PESAGEM"));
        for (q.First(); !q.Eof(); q.Next()) {
            const qint64 n = q.AsLargeInt(QStringLiteral("PES_CODIGO"));
            pesagens.insert(n);
            const QByteArray logada = ultimaPesagem.value(n, vazio);
            if (resumo(textoLinha(q)) != logada && resumo(textoLinhaSem(q, acrescentadas)) != logada) {
                alteradas.insert(n);
            }
        }
        q.Clear();
        q.Add(QStringLiteral("Select * from PESAGEMPRODUTO order by PES_CODIGO"));
        q.Open();
        QStringList linhas;
        qint64 atual = 0;
        const auto fechaGrupo = [&] {
            if (!linhas.isEmpty()) {
                comProdutos.insert(atual);
                if (resumo(textoProdutos(linhas)) != ultimosProdutos.value(atual, vazio)) {
                    alteradas.insert(atual);
                }
                linhas.clear();
            }
        };
        for (q.First(); !q.Eof(); q.Next()) {
            const qint64 n = q.AsLargeInt(QStringLiteral("PES_CODIGO"));
            if (n != atual) {
                fechaGrupo();
                atual = n;
            }
            linhas << textoLinha(q);
        }
        fechaGrupo();
    }
    // Logged rows that are gone.
    for (auto it = ultimaPesagem.cbegin(); it != ultimaPesagem.cend(); ++it) {
        if (!pesagens.contains(it.key()) && it.value() != vazio) {
            alteradas.insert(it.key());
        }
    }
    for (auto it = ultimosProdutos.cbegin(); it != ultimosProdutos.cend(); ++it) {
        if (!comProdutos.contains(it.key()) && it.value() != vazio) {
            alteradas.insert(it.key());
        }
    }
    QList<qint64> numeros(alteradas.cbegin(), alteradas.cend());
    std::sort(numeros.begin(), numeros.end());
    for (qint64 n : numeros) {
        v.problemas << QStringLiteral("pesagem %1 alterada fora do VIGA").arg(n);
    }
    return v;
}

void registraEstadoInicial(TDM& dm)
{
    QList<qint64> numeros;
    {
        TQuery q(&dm, QStringLiteral("QR_Auditoria"));
        q.Add(QStringLiteral("Select PES_CODIGO from PESAGEM order by PES_CODIGO"));
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) {
            numeros << q.AsLargeInt(QStringLiteral("PES_CODIGO"));
        }
    }
    const QString sistema = QStringLiteral("VIGA");
    for (qint64 n : numeros) {
        QList<Mudanca> estado{{TabelaPesagem, QStringLiteral("S"), QString(), estadoPesagem(dm, n)}};
        const QString produtos = estadoProdutos(dm, n);
        if (!produtos.isEmpty()) {
            estado.append({TabelaProdutos, QStringLiteral("S"), QString(), produtos});
        }
        acrescenta(dm, sistema, n, estado);
    }
}

} // namespace Auditoria
