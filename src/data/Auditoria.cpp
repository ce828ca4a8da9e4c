// SPDX-License-Identifier: GPL-3.0-or-later
#include "Auditoria.h"

#include "ChaveAuditoria.h"
#include "Decimal.h"
#include "Relogio.h"
#include "TDM.h"
#include "TabelasEvidencia.h"

#include <QCryptographicHash>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QSet>
#include <QSqlField>
#include <QSqlQuery>
#include <QSysInfo>
#include <algorithm>
#include <tuple>

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
        case u'"':
            saida += QLatin1String("\\\"");
            continue;
        case u'\\':
            saida += QLatin1String("\\\\");
            continue;
        case 0x8:
            saida += QLatin1String("\\b");
            continue;
        case 0xc:
            saida += QLatin1String("\\f");
            continue;
        case 0xa:
            saida += QLatin1String("\\n");
            continue;
        case 0xd:
            saida += QLatin1String("\\r");
            continue;
        case 0x9:
            saida += QLatin1String("\\t");
            continue;
        default:
            break;
        }
        if (u < 0x20) {
            u4(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < s.size() &&
                   QChar::isLowSurrogate(s[i + 1].unicode())) {
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
template <typename Valor> QString textoLinha(const Colunas& c, const Valor& valor)
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
    qint64 numero = -1; // -1: the weighing of the call
};

// The entry that starts the keyed entries: every entry after it is hashed
// with the installation key it names by fingerprint.
Mudanca marcaDaChave(const QByteArray& chave)
{
    return {Auditoria::TabelaAuditoria, QStringLiteral("C"), QString(),
            QStringLiteral("{\"algoritmo\":\"HMAC-SHA-256\",\"chave\":\"%1\"}")
                .arg(ChaveAuditoria::identificacao(chave)),
            0};
}

QString chaveDaMarca(const QString& depois)
{
    return QJsonDocument::fromJson(depois.toUtf8()).object().value(QLatin1String("chave")).toString();
}

// The end of the chain, read under the lock that keeps appends one at a
// time: the last entry and the latest key mark.
struct Cabeca {
    qint64 sequencia = 0;
    QString hash;
    bool temMarca = false;
    QString chaveDaMarca;
};

Cabeca cabeca(TDM& dm, TQuery& q)
{
    if (dm.ehPostgres()) {
        // One chain for every workstation: appends are taken one at a time,
        // until the transaction that holds the lock commits.
        q.Clear();
        q.Add(QStringLiteral("LOCK TABLE AUDITORIA IN EXCLUSIVE MODE"));
        q.ExecSQL();
    }
    q.Clear();
    q.Add(
        QStringLiteral("Select AUD_SEQ, AUD_HASH, (Select m.AUD_DEPOIS from AUDITORIA m where m.PES_CODIGO=0 "
                       "and m.AUD_OPERACAO='C' order by m.AUD_SEQ desc limit 1) from AUDITORIA"));
    q.Add(QStringLiteral("order by AUD_SEQ desc limit 1"));
    Cabeca c;
    q.ExecPreparada([&](QSqlQuery& r) {
        if (r.next()) {
            c.sequencia = TQuery::comoInteiro(r.value(0));
            c.hash = r.value(1).toString();
            c.temMarca = !r.value(2).isNull();
            c.chaveDaMarca = chaveDaMarca(r.value(2).toString());
        }
    });
    q.Clear();
    return c;
}

// Inserts `mudancas` after `c` in one statement; entries after a key mark
// are hashed with `chave`.
void insere(TQuery& q, const QString& usuario, qint64 numero, const Cabeca& c, const QList<Mudanca>& mudancas,
            const QByteArray& chave)
{
    q.Clear();
    q.Add(QStringLiteral(
        "INSERT INTO AUDITORIA (AUD_SEQ, AUD_DATAHORA, AUD_USUARIO, AUD_ESTACAO, AUD_TABELA,"));
    q.Add(QStringLiteral(
        "AUD_OPERACAO, PES_CODIGO, AUD_ANTES, AUD_DEPOIS, AUD_HASHANTERIOR, AUD_HASH) VALUES"));
    const QString dataHora = Relogio::agora().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    qint64 sequencia = c.sequencia;
    QString anterior = c.hash;
    bool comChave = c.temMarca;
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
        e.numero = m.numero < 0 ? numero : m.numero;
        e.antes = m.antes;
        e.depois = m.depois;
        e.hash = Auditoria::calculaHash(e, comChave ? chave : QByteArray());
        anterior = e.hash;
        comChave = comChave || e.operacao == QLatin1String("C");
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

// Appends the changes of one weighing to the chain, in one statement. Without
// the installation key nothing is appended (the caller's save fails): an
// entry that cannot be verified is worth nothing.
void acrescenta(TDM& dm, const QString& usuario, qint64 numero, QList<Mudanca> mudancas)
{
    if (mudancas.isEmpty()) {
        return;
    }
    const QByteArray chave = ChaveAuditoria::le();
    if (chave.isEmpty()) {
        throw ChaveAusente(ChaveAuditoria::caminho());
    }
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    const Cabeca c = cabeca(dm, q);
    if (!c.temMarca) {
        mudancas.prepend(marcaDaChave(chave));
    } else if (c.chaveDaMarca != ChaveAuditoria::identificacao(chave)) {
        throw ChaveInvalida(
            QStringLiteral("A chave da auditoria desta estação (%1) não é a deste banco de dados. "
                           "Nada foi gravado; peça ao administrador a chave correta.")
                .arg(ChaveAuditoria::caminho()));
    }
    insere(q, usuario, numero, c, mudancas, chave);
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

QString calculaHash(const Entrada& e, const QByteArray& chave)
{
    const QStringList partes{
        e.hashAnterior, QString::number(e.sequencia), e.dataHora, e.usuario, e.estacao, e.tabela,
        e.operacao,     QString::number(e.numero),    e.antes,    e.depois};
    const QByteArray texto = partes.join(QChar(0x1F)).toUtf8();
    if (chave.isEmpty()) {
        return QString::fromLatin1(QCryptographicHash::hash(texto, QCryptographicHash::Sha256).toHex());
    }
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(texto, chave, QCryptographicHash::Sha256).toHex());
}

void iniciaChave(TDM& dm)
{
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    const Cabeca c = cabeca(dm, q);
    if (c.temMarca) {
        return;
    }
    const QByteArray chave = ChaveAuditoria::leOuCria();
    insere(q, QStringLiteral("VIGA"), 0, c, {marcaDaChave(chave)}, chave);
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
            r << QStringLiteral("%1: %2 → %3")
                     .arg(legendaColuna(c), mostra(oa.value(c)), mostra(od.value(c)));
        }
    }
    return r;
}

QString legendaColuna(const QString& coluna)
{
    // The captions of the weighing window (and of the tickets) for what they show.
    static const QHash<QString, QString> legendas{
        {QStringLiteral("pes_codigo"), QStringLiteral("Código Pesagem")},
        {QStringLiteral("pes_tipo"), QStringLiteral("Tipo de pesagem")},
        {QStringLiteral("pes_tkentrada"), QStringLiteral("Ticket de entrada")},
        {QStringLiteral("pes_tksaida"), QStringLiteral("Ticket de saída")},
        {QStringLiteral("pes_dataentrada"), QStringLiteral("Data de entrada")},
        {QStringLiteral("pes_horaentrada"), QStringLiteral("Hora de entrada")},
        {QStringLiteral("pes_pesoentrada"), QStringLiteral("Peso de entrada")},
        {QStringLiteral("pes_datasaida"), QStringLiteral("Data de saída")},
        {QStringLiteral("pes_horasaida"), QStringLiteral("Hora de saída")},
        {QStringLiteral("pes_pesosaida"), QStringLiteral("Peso de saída")},
        {QStringLiteral("pes_tktmanualentrada"), QStringLiteral("Peso de entrada digitado")},
        {QStringLiteral("pes_tktmanualsaida"), QStringLiteral("Peso de saída digitado")},
        {QStringLiteral("pes_placa"), QStringLiteral("Placa")},
        {QStringLiteral("pes_placacarreta"), QStringLiteral("Placa da Carreta")},
        {QStringLiteral("pes_motorista"), QStringLiteral("Motorista")},
        {QStringLiteral("pes_rgmotorista"), QStringLiteral("R.G. Motorista")},
        {QStringLiteral("pes_nf"), QStringLiteral("Nº da N. F.")},
        {QStringLiteral("pes_pesonota"), QStringLiteral("Peso Nota Fiscal")},
        {QStringLiteral("pes_pesoembalagem"), QStringLiteral("Peso Embalagem")},
        {QStringLiteral("pes_mensagem"), QStringLiteral("Mensagem de entrada")},
        {QStringLiteral("pes_mensagemsaida"), QStringLiteral("Mensagem de saída")},
        {QStringLiteral("cad_codigo"), QStringLiteral("Cliente/Fornecedor")},
        {QStringLiteral("cad_tipo"), QStringLiteral("Tipo do cadastro")},
        {QStringLiteral("cad_codigoemis"), QStringLiteral("Emissor")},
        {QStringLiteral("cad_tipoemis"), QStringLiteral("Tipo do emissor")},
        {QStringLiteral("cad_codigotra"), QStringLiteral("Transportadora")},
        {QStringLiteral("cad_tipotra"), QStringLiteral("Tipo da transportadora")},
        {QStringLiteral("tpv_codigo"), QStringLiteral("Tipo de veículo")},
        {QStringLiteral("pes_frete"), QStringLiteral("Frete")},
        {QStringLiteral("pes_km"), QStringLiteral("KM")},
        {QStringLiteral("pes_valor"), QStringLiteral("Valor")},
        {QStringLiteral("pes_percdesc"), QStringLiteral("Desc.%")},
        {QStringLiteral("pes_obs"), QStringLiteral("Obs. de entrada")},
        {QStringLiteral("pes_obssaida"), QStringLiteral("Obs. de saída")},
        {QStringLiteral("pes_tarapesagem"), QStringLiteral("Tara")},
    };
    return legendas.value(coluna.toLower(), coluna);
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
    if (operacao == QLatin1String("C")) {
        return QStringLiteral("Início da chave");
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

namespace
{

// A stored weight that is there: not NULL, not zero.
bool temPeso(const QVariant& v)
{
    return !v.isNull() && !v.toString().trimmed().isEmpty() && !Decimal::fromVariant(v).isZero();
}

bool temPeso(const QJsonValue& v)
{
    return v.isString() && !Decimal::fromText(v.toString()).isZero();
}

constexpr int LadoEntrada = 1, LadoSaida = 2;

QString dataHoraMostrada(const QDateTime& d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy hh:mm"));
}

} // namespace

Verificacao verifica(TDM& dm, const OpcoesVerificacao& opcoes)
{
    // The last logged states are kept as digests, so that a database of a
    // million weighings is checked in bounded memory.
    const auto resumo = [](const QString& t) {
        return QCryptographicHash::hash(t.toUtf8(), QCryptographicHash::Sha256);
    };
    const QByteArray vazio = resumo(QString());
    const QString minhaChave =
        opcoes.chave.isEmpty() ? QString() : ChaveAuditoria::identificacao(opcoes.chave);
    Verificacao v;
    QHash<qint64, QByteArray> ultimaPesagem, ultimosProdutos;
    // The sides each weighing already had when the log began (state entries).
    QHash<qint64, int> ladosAnteriores;
    QHash<qint64, QString> hashNosSelos;
    for (const Selo& s : opcoes.selos) {
        hashNosSelos.insert(s.sequencia, QString());
    }
    qint64 ultimaSequencia = 0;
    bool temMarca = false;
    {
        TQuery q(&dm, QStringLiteral("QR_Auditoria"));
        q.Add(QStringLiteral("Select * from AUDITORIA order by AUD_SEQ"));
        q.Open();
        QString anterior;
        qint64 esperada = 1;
        bool comChave = false;
        for (q.First(); !q.Eof(); q.Next()) {
            const Entrada e = leEntrada(q);
            ++v.entradas;
            ultimaSequencia = e.sequencia;
            if (hashNosSelos.contains(e.sequencia)) {
                hashNosSelos[e.sequencia] = e.hash;
            }
            const bool marca = e.operacao == QLatin1String("C");
            if (v.primeiraInvalida == 0) {
                if (comChave && opcoes.chave.isEmpty()) {
                    v.primeiraInvalida = e.sequencia;
                    v.problemas << QStringLiteral(
                                       "entrada %1 da auditoria não pode ser conferida sem a chave")
                                       .arg(e.sequencia);
                } else if (e.sequencia != esperada || e.hashAnterior != anterior ||
                           calculaHash(e, comChave ? opcoes.chave : QByteArray()) != e.hash) {
                    v.primeiraInvalida = e.sequencia;
                    v.problemas << QStringLiteral("entrada %1 da auditoria não confere").arg(e.sequencia);
                } else if (marca && !opcoes.chave.isEmpty() && chaveDaMarca(e.depois) != minhaChave) {
                    v.primeiraInvalida = e.sequencia;
                    v.problemas << QStringLiteral("entrada %1 da auditoria: as entradas seguintes usam outra "
                                                  "chave, não a desta estação")
                                       .arg(e.sequencia);
                }
            }
            anterior = e.hash;
            esperada = e.sequencia + 1;
            if (marca) {
                comChave = temMarca = true;
                continue;
            }
            (e.tabela == QLatin1String(TabelaPesagem) ? ultimaPesagem : ultimosProdutos)[e.numero] =
                resumo(e.depois);
            if (e.operacao == QLatin1String("S") && e.tabela == QLatin1String(TabelaPesagem)) {
                const QJsonObject o = QJsonDocument::fromJson(e.depois.toUtf8()).object();
                ladosAnteriores[e.numero] =
                    (temPeso(o.value(QLatin1String("pes_pesoentrada"))) ? LadoEntrada : 0) |
                    (temPeso(o.value(QLatin1String("pes_pesosaida"))) ? LadoSaida : 0);
            }
        }
    }
    if (!temMarca) {
        v.problemas << QStringLiteral(
            "a auditoria não tem o registro do início da chave: a cadeia foi refeita "
            "sem a chave ou o banco ainda não foi atualizado");
    }
    // Each seal: the chain must still hold the entry it saw, with its hash.
    for (const Selo& s : opcoes.selos) {
        const QString prefixo = QStringLiteral("a cadeia não contém o selo de %1: %2 registros, sequência %3")
                                    .arg(dataHoraMostrada(s.dataHora))
                                    .arg(s.registros)
                                    .arg(s.sequencia);
        if (ultimaSequencia < s.sequencia || v.entradas < s.registros) {
            v.problemas << prefixo + QStringLiteral(" (a cadeia termina na sequência %1, com %2 registros)")
                                         .arg(ultimaSequencia)
                                         .arg(v.entradas);
        } else if (hashNosSelos.value(s.sequencia) != s.hash) {
            v.problemas << prefixo + QStringLiteral(" (o registro %1 tem outro hash)").arg(s.sequencia);
        }
    }

    // The sides that have evidence of their reading.
    QSet<qint64> comEvidencia;
    {
        TQuery q(&dm, QStringLiteral("QR_Auditoria"));
        q.Add(QStringLiteral("Select PES_CODIGO, EVI_LADO from PESAGEMEVIDENCIA"));
        q.ExecPreparada([&](QSqlQuery& r) {
            while (r.next()) {
                comEvidencia.insert(TQuery::comoInteiro(r.value(0)) * 4 + r.value(1).toInt());
            }
        });
    }

    // Every weighing and its product rows against their last logged state.
    QSet<qint64> alteradas, pesagens, comProdutos;
    QStringList semEvidencia;
    {
        TQuery q(&dm, QStringLiteral("QR_Auditoria"));
        q.Add(QStringLiteral("Select * from PESAGEM order by PES_CODIGO"));
        q.Open();
        const QStringList acrescentadas = TabelasEvidencia::colunasAcrescentadas(QStringLiteral("PESAGEM"));
        for (q.First(); !q.Eof(); q.Next()) {
            const qint64 n = q.AsLargeInt(QStringLiteral("PES_CODIGO"));
            pesagens.insert(n);
            const QByteArray logada = ultimaPesagem.value(n, vazio);
            if (resumo(textoLinha(q)) != logada && resumo(textoLinhaSem(q, acrescentadas)) != logada) {
                alteradas.insert(n);
            }
            const int anteriores = opcoes.aceitarAnteriores ? ladosAnteriores.value(n) : 0;
            for (const auto& [lado, campo, nome] : {std::tuple{LadoEntrada, "PES_PESOENTRADA", "entrada"},
                                                    {LadoSaida, "PES_PESOSAIDA", "saída"}}) {
                if (temPeso(q.FieldByName(QLatin1String(campo))) && !comEvidencia.contains(n * 4 + lado) &&
                    !(anteriores & lado)) {
                    semEvidencia << QStringLiteral("pesagem %1: %2 sem evidência da leitura")
                                        .arg(n)
                                        .arg(QString::fromUtf8(nome));
                }
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
    v.problemas << semEvidencia;
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

namespace
{

constexpr char MarcaSelo[] = "VIGA-SELO";
constexpr char FormaDataSelo[] = "yyyy-MM-dd'T'hh:mm:ss";

QString corpoSelo(const Selo& s)
{
    return QStringLiteral("%1 %2 registros=%3 sequencia=%4 hash=%5")
        .arg(QLatin1String(MarcaSelo), s.dataHora.toString(QLatin1String(FormaDataSelo)))
        .arg(s.registros)
        .arg(s.sequencia)
        .arg(s.hash);
}

QString assinaturaSelo(const Selo& s, const QByteArray& chave)
{
    return QString::fromLatin1(
        QMessageAuthenticationCode::hash(corpoSelo(s).toUtf8(), chave, QCryptographicHash::Sha256).toHex());
}

} // namespace

Selo sela(TDM& dm)
{
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    q.Add(QStringLiteral("Select count(*), max(AUD_SEQ) from AUDITORIA"));
    Selo s;
    s.dataHora = Relogio::agora();
    s.dataHora.setTime(
        QTime(s.dataHora.time().hour(), s.dataHora.time().minute(), s.dataHora.time().second()));
    q.ExecPreparada([&](QSqlQuery& r) {
        if (r.next()) {
            s.registros = TQuery::comoInteiro(r.value(0));
            s.sequencia = TQuery::comoInteiro(r.value(1));
        }
    });
    q.Clear();
    q.Add(QStringLiteral("Select AUD_HASH from AUDITORIA where AUD_SEQ=:seq"));
    q.setParam(QStringLiteral("seq"), s.sequencia);
    q.ExecPreparada([&](QSqlQuery& r) {
        if (r.next()) {
            s.hash = r.value(0).toString();
        }
    });
    return s;
}

QString textoSelo(const Selo& s, const QByteArray& chave)
{
    return corpoSelo(s) + QStringLiteral(" selo=") + assinaturaSelo(s, chave);
}

std::optional<Selo> leSelo(const QString& linha, const QByteArray& chave, QString* erro)
{
    const QStringList partes = linha.simplified().split(u' ');
    const auto valor = [&](int i, const char* nome) {
        const QString prefixo = QString::fromLatin1(nome) + QLatin1Char('=');
        return i < partes.size() && partes[i].startsWith(prefixo) ? partes[i].mid(prefixo.size()) : QString();
    };
    Selo s;
    bool okRegistros = false, okSequencia = false;
    if (partes.size() == 6 && partes[0] == QLatin1String(MarcaSelo)) {
        s.dataHora = QDateTime::fromString(partes[1], QLatin1String(FormaDataSelo));
        s.registros = valor(2, "registros").toLongLong(&okRegistros);
        s.sequencia = valor(3, "sequencia").toLongLong(&okSequencia);
        s.hash = valor(4, "hash");
    }
    if (!s.dataHora.isValid() || !okRegistros || !okSequencia) {
        if (erro) *erro = QStringLiteral("não é um selo da auditoria");
        return std::nullopt;
    }
    if (valor(5, "selo") != assinaturaSelo(s, chave)) {
        if (erro) {
            *erro =
                QStringLiteral("o selo de %1 não confere com a chave: foi alterado ou é de outra instalação")
                    .arg(dataHoraMostrada(s.dataHora));
        }
        return std::nullopt;
    }
    return s;
}

QString codigoTicket(const QString& hash)
{
    // 50 bits of the entry's hash in base 32 (RFC 4648 letters: no 0, 1, 8, 9
    // to mistake), as two groups of five.
    static constexpr char alfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
    const QByteArray bytes = QByteArray::fromHex(hash.toLatin1());
    if (bytes.size() < 7) {
        return QString();
    }
    quint64 bits = 0;
    for (int i = 0; i < 7; ++i) {
        bits = (bits << 8) | quint8(bytes[i]);
    }
    bits >>= 6; // 56 - 50
    QString codigo;
    for (int i = 9; i >= 0; --i) {
        codigo += QLatin1Char(alfabeto[(bits >> (5 * i)) & 31]);
        if (i == 5) codigo += u'-';
    }
    return codigo;
}

QString codigoDaPesagem(TDM& dm, qint64 numero)
{
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    q.Add(
        QStringLiteral("Select AUD_HASH from AUDITORIA where PES_CODIGO=:pes order by AUD_SEQ desc limit 1"));
    q.setParam(QStringLiteral("pes"), numero);
    QString hash;
    q.ExecPreparada([&](QSqlQuery& r) {
        if (r.next()) {
            hash = r.value(0).toString();
        }
    });
    return codigoTicket(hash);
}

ConferenciaTicket confereTicket(TDM& dm, qint64 numero, const QString& codigo, const QByteArray& chave)
{
    QString digitado = codigo.toUpper();
    digitado.remove(QRegularExpression(QStringLiteral("[^A-Z2-7]")));
    const QList<Entrada> h = historico(dm, numero);
    qsizetype achado = -1;
    for (qsizetype i = 0; i < h.size(); ++i) {
        if (codigoTicket(h[i].hash).remove(u'-') == digitado) {
            achado = i;
        }
    }
    if (digitado.size() != 10 || achado < 0) {
        return {false,
                QStringLiteral("o código %1 não confere com nenhum registro da pesagem %2: o ticket não é "
                               "deste banco ou foi alterado")
                    .arg(codigo.trimmed())
                    .arg(numero)};
    }
    // The entry the ticket names must itself be genuine: keyed after the key mark.
    TQuery q(&dm, QStringLiteral("QR_Auditoria"));
    q.Add(QStringLiteral("Select min(AUD_SEQ) from AUDITORIA where PES_CODIGO=0 and AUD_OPERACAO='C'"));
    qint64 marca = 0;
    q.ExecPreparada([&](QSqlQuery& r) {
        if (r.next() && !r.value(0).isNull()) {
            marca = TQuery::comoInteiro(r.value(0));
        }
    });
    const Entrada& e = h[achado];
    if (marca == 0 || e.sequencia < marca || calculaHash(e, chave) != e.hash) {
        return {false,
                QStringLiteral("o registro %1 da pesagem %2 não confere com a chave: o registro de auditoria "
                               "foi alterado")
                    .arg(e.sequencia)
                    .arg(numero)};
    }
    if (achado == h.size() - 1) {
        return {true, QStringLiteral("confere")};
    }
    const Entrada& depois = h[achado + 1];
    const QDateTime quando =
        QDateTime::fromString(depois.dataHora, QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    return {false,
            QStringLiteral("pesagem %1 %2 em %3 por %4 depois deste ticket")
                .arg(numero)
                .arg(depois.operacao == QLatin1String("E") && depois.tabela == QLatin1String(TabelaPesagem)
                         ? QStringLiteral("excluída")
                         : QStringLiteral("alterada"),
                     dataHoraMostrada(quando), depois.usuario)};
}

} // namespace Auditoria
