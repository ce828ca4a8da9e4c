// SPDX-License-Identifier: GPL-3.0-or-later
#include "TDM.h"

#include "PastaDados.h"

#include "ErroBanco.h"
#include "EsperaBanco.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QUuid>

namespace
{
// Runs a statement of the connection itself, waiting (visibly) while another
// workstation or program holds the file's write lock; any other failure, or a
// wait that ran out, is thrown in words.
void executaEsperando(QSqlQuery& q, const QString& sql)
{
    EsperaBanco espera;
    bool ok = q.exec(sql);
    while (!ok && EsperaBanco::ocupado(q.lastError()) && espera.tentarDeNovo()) {
        ok = q.exec(sql);
    }
    if (!ok) {
        throw EsperaBanco::ocupado(q.lastError())
            ? ErroBanco(EsperaBanco::mensagemEsgotada(q.lastError().text()))
            : ErroBanco(q.lastError());
    }
}
} // namespace

TDM* DM = nullptr;

TDM::TDM(const Conexao& conexao, QObject* parent)
    : QObject(parent), QR_Cidade(this, QStringLiteral("QR_Cidade"),
                                 {QStringLiteral("Select *"), QStringLiteral("From Cidade")}),
      QR_Cadastrao(this, QStringLiteral("QR_Cadastrao"),
                   {QStringLiteral("Select *"), QStringLiteral("From Cadastrao"),
                    QStringLiteral("Where cad_tipo=:tipo"), QStringLiteral("order by cad_razao")}),
      QR_Pesagem(this, QStringLiteral("QR_Pesagem"),
                 {QStringLiteral("Select *"), QStringLiteral("From Pesagem where pes_datasaida is not null"),
                  QStringLiteral("Order by "), QStringLiteral("pes_dataentrada, pes_horaentrada desc")}),
      QR_Produto(this, QStringLiteral("QR_Produto"),
                 {QStringLiteral("Select *"), QStringLiteral("From Produto"),
                  QStringLiteral("Order by prd_codigo")}),
      QR_Usuarios(this, QStringLiteral("QR_Usuarios"),
                  {QStringLiteral("SELECT *"), QStringLiteral("FROM Usuarios")}),
      QR_Configuracao(this, QStringLiteral("QR_Configuracao"),
                      {QStringLiteral("Select *"), QStringLiteral("From Config")}),
      QR_PesagemProduto(this, QStringLiteral("QR_PesagemProduto"),
                        {QStringLiteral("Select *"), QStringLiteral("From PesagemProduto a"),
                         QStringLiteral("Left Join Produto b on b.prd_codigo=a.prd_codigo")}),
      QR_ConfTicket(this, QStringLiteral("QR_ConfTicket"),
                    {QStringLiteral("Select *"), QStringLiteral("From ConfigTicket")}),
      QR_Umidade(this, QStringLiteral("QR_Umidade"),
                 {QStringLiteral("Select *"), QStringLiteral("From Umidade a, Produto b"),
                  QStringLiteral("Where a.prd_codigo=b.prd_codigo"),
                  QStringLiteral("and a.prd_codigo=:prd_codigo"), QStringLiteral("and a.umi_tipo=:tipo")}),
      QR_Conversao(this, QStringLiteral("QR_Conversao"),
                   {QStringLiteral("Select *"), QStringLiteral("From Conversao ")}),
      Qr_TPVeiculo(this, QStringLiteral("Qr_TPVeiculo"),
                   {QStringLiteral("Select *"), QStringLiteral("From TipoVeiculo")}),
      Qr_Embalagem(this, QStringLiteral("Qr_Embalagem"), {QStringLiteral("select * from embalagem")}),
      Qr_ProdEmb(this, QStringLiteral("Qr_ProdEmb"), {QStringLiteral("select * from embalagem")}),
      QR_EXEC(this, QStringLiteral("QR_EXEC")), QR_TEMP(this, QStringLiteral("QR_TEMP")),
      Qr_temp1(this, QStringLiteral("Qr_temp1")), m_conexao(conexao),
      m_nomeConexao(QStringLiteral("viga-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!DM) {
        DM = this;
    }
}

TDM::~TDM()
{
    Desconectar();
    QSqlDatabase::removeDatabase(m_nomeConexao);
    if (DM == this) {
        DM = nullptr;
    }
}

QSqlDatabase TDM::DataBase1() const
{
    return QSqlDatabase::database(m_nomeConexao, false);
}

bool TDM::Conectado() const
{
    return QSqlDatabase::contains(m_nomeConexao) && DataBase1().isOpen();
}

bool TDM::ConexaoPerdida()
{
    if (!Conectado()) {
        return true;
    }
    QSqlQuery q(DataBase1());
    const bool responde = q.exec(QStringLiteral("select 1"));
    q.finish();
    return !responde;
}

bool TDM::ReconectaAposFalha()
{
    if (!ehPostgres() || m_reconectando || !ConexaoPerdida()) {
        return false;
    }
    m_reconectando = true;
    QString erro;
    const bool ok = Reconectar(&erro);
    m_reconectando = false;
    if (!ok) {
        conexaoPerdida();
    } else if (m_perdida) {
        m_reconexao->start(0); // the lists are read again and the flows told, outside this read
    }
    return ok;
}

QString TDM::avisoConexao() const
{
    return m_perdida ? QStringLiteral("Sem conexão com o banco de dados — tentando novamente") : QString();
}

void TDM::conexaoPerdida()
{
    if (m_perdida) {
        return;
    }
    m_perdida = true;
    m_tentativa = 0;
    if (!m_reconexao) {
        m_reconexao = new QTimer(this);
        m_reconexao->setObjectName(QStringLiteral("reconexao"));
        m_reconexao->setSingleShot(true);
        connect(m_reconexao, &QTimer::timeout, this, &TDM::tentaReconectar);
    }
    m_reconexao->start(IntervalosReconexaoMs[0]);
    qInfo("conexão com o banco de dados perdida: nova tentativa em %d ms", IntervalosReconexaoMs[0]);
    Q_EMIT situacaoConexao(true, avisoConexao());
}

void TDM::tentaReconectar()
{
    if (!m_perdida) {
        return;
    }
    QString erro;
    // (a command of the operator may have opened it meanwhile)
    const bool aberta =
        !m_emTransacao && !m_reconectando && ((Conectado() && !ConexaoPerdida()) || Reconectar(&erro));
    if (aberta) {
        m_perdida = false;
        qInfo("conexão com o banco de dados restabelecida");
        reabreListas();
        Q_EMIT situacaoConexao(false, QString());
        Q_EMIT conexaoRestabelecida();
        return;
    }
    m_tentativa = std::min(m_tentativa + 1, IntervalosReconexaoMs.size() - 1);
    qInfo("sem conexão com o banco de dados (%s): nova tentativa em %d ms", qPrintable(erro),
          IntervalosReconexaoMs[m_tentativa]);
    m_reconexao->start(IntervalosReconexaoMs[m_tentativa]);
}

void TDM::reabreListas()
{
    for (TQuery* q : {&QR_Cidade, &QR_Cadastrao, &QR_Pesagem, &QR_Produto, &QR_Usuarios, &QR_Configuracao,
                      &QR_PesagemProduto, &QR_ConfTicket, &QR_Umidade, &QR_Conversao, &Qr_TPVeiculo,
                      &Qr_Embalagem, &Qr_ProdEmb}) {
        q->reabreAposConexao();
    }
}

bool TDM::Reconectar(QString* erro)
{
    Desconectar();
    return Conectar(erro);
}

bool TDM::Conectar(QString* erro)
{
    if (Conectado()) {
        return true;
    }
    QSqlDatabase db = QSqlDatabase::contains(m_nomeConexao)
                          ? DataBase1()
                          : QSqlDatabase::addDatabase(m_conexao.driver, m_nomeConexao);
    if (!db.isValid()) {
        if (erro) {
            *erro = QStringLiteral("O acesso ao banco de dados %1 não está instalado.").arg(m_conexao.driver);
        }
        return false;
    }
    bool novo = false;
    if (m_conexao.ehPostgres()) {
        db.setHostName(m_conexao.host);
        db.setPort(m_conexao.porta);
        db.setDatabaseName(m_conexao.nome);
        db.setUserName(m_conexao.usuario);
        db.setPassword(m_conexao.senha);
        // A server or network that went silent is found by TCP keepalives
        // (about a minute) instead of the system's two hours.
        db.setConnectOptions(QStringLiteral(
            "connect_timeout=10;keepalives=1;keepalives_idle=20;keepalives_interval=10;keepalives_count=3"));
    } else {
        const QString caminho = m_conexao.caminhoArquivo();
        novo = !QFile::exists(caminho);
        if (!novo) {
            try {
                recusaSomenteLeitura(caminho);
            } catch (const ErroBanco& e) {
                if (erro) {
                    *erro = e.texto();
                }
                return false;
            }
        }
        db.setDatabaseName(caminho);
        db.setConnectOptions(
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(EsperaBanco::EsperaPorTentativaMs));
    }
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!db.open()) {
        if (erro) {
            *erro = ErroBanco(db.lastError()).texto();
        }
        return false;
    }
    try {
        QSqlQuery q(db);
        if (!m_conexao.ehPostgres()) {
            // A file that is not a database fails here, before anything is written.
            if (!q.exec(QStringLiteral("select count(*) from sqlite_master"))) {
                throw ErroBanco(q.lastError());
            }
            q.finish();
            for (const char* p :
                 {"PRAGMA foreign_keys=ON", "PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL"}) {
                executaEsperando(q, QLatin1String(p));
                q.finish();
            }
            gravacaoDeTeste(q);
        } else {
            // Waits behind another workstation are bounded: a lock held longer
            // than EsperaBloqueioMs refuses the statement (the save says so),
            // and a workstation that stopped inside a transaction has it ended
            // by the server, so that its locks go. The server's own keepalives
            // find a workstation whose network went away.
            for (const QString& ajuste :
                 {QStringLiteral("SET client_min_messages TO WARNING"),
                  QStringLiteral("SET lock_timeout = %1").arg(EsperaBloqueioMs),
                  QStringLiteral("SET idle_in_transaction_session_timeout = %1").arg(TransacaoParadaMs),
                  QStringLiteral("SET tcp_keepalives_idle = 20"),
                  QStringLiteral("SET tcp_keepalives_interval = 10"),
                  QStringLiteral("SET tcp_keepalives_count = 3")}) {
                if (!q.exec(ajuste)) {
                    throw ErroBanco(q.lastError());
                }
            }
        }
        if (novo) {
            PastaDados::fecharArquivo(m_conexao.caminhoArquivo());
        }
    } catch (const ErroBanco& e) {
        if (erro) {
            *erro = e.texto();
        }
        esquecePreparadas();
        db.close();
        if (novo) {
            QFile::remove(m_conexao.caminhoArquivo());
        }
        return false;
    }
    return true;
}

// A file or folder that cannot be written is said at the start, before
// anyone types a weighing that could not be saved: the file itself, and the
// folder, where SQLite keeps its journal beside the file.
void TDM::recusaSomenteLeitura(const QString& caminho)
{
    const QFileInfo arquivo(caminho);
    const QString pasta = arquivo.absolutePath();
    if (!arquivo.isWritable()) {
        throw ErroBanco(ErroBanco::Causa::SomenteLeitura,
                        QStringLiteral("O arquivo %1 não permite gravação.").arg(caminho));
    }
    if (!QFileInfo(pasta).isWritable()) {
        throw ErroBanco(ErroBanco::Causa::SomenteLeitura,
                        QStringLiteral("A pasta %1 não permite gravação.").arg(pasta));
    }
}

// Then a real write that changes nothing (the header's user version written
// back as it is): what the permissions do not tell (a read-only mount).
void TDM::gravacaoDeTeste(QSqlQuery& q)
{
    executaEsperando(q, QStringLiteral("PRAGMA user_version"));
    if (!q.next()) {
        throw ErroBanco(q.lastError());
    }
    const qint64 versao = q.value(0).toLongLong();
    q.finish();
    executaEsperando(q, QStringLiteral("PRAGMA user_version=%1").arg(versao));
    q.finish();
}

std::shared_ptr<TDM::Preparada> TDM::preparada(const QString& texto)
{
    auto& p = m_preparadas[texto];
    if (!p) {
        // A few dozen statements run again and again; a program that builds
        // its texts (a report's filters) only fills the cache, which starts
        // over (a statement in use lives on with its user).
        if (m_preparadas.size() > 64) {
            m_preparadas.clear();
            return m_preparadas.insert(texto, std::make_shared<Preparada>(DataBase1())).value();
        }
        p = std::make_shared<Preparada>(DataBase1());
    }
    return p;
}

void TDM::esquecePreparadas()
{
    m_preparadas.clear();
}

void TDM::fecharConsultas()
{
    esquecePreparadas();
    for (TQuery* q : {&QR_Cidade, &QR_Cadastrao, &QR_Pesagem, &QR_Produto, &QR_Usuarios, &QR_Configuracao,
                      &QR_PesagemProduto, &QR_ConfTicket, &QR_Umidade, &QR_Conversao, &Qr_TPVeiculo,
                      &Qr_Embalagem, &Qr_ProdEmb, &QR_EXEC, &QR_TEMP, &Qr_temp1}) {
        q->conexaoFechada();
    }
}

void TDM::Desconectar()
{
    if (!QSqlDatabase::contains(m_nomeConexao)) {
        return;
    }
    fecharConsultas();
    QSqlDatabase db = DataBase1();
    if (db.isOpen()) {
        if (m_emTransacao) {
            db.rollback();
            m_emTransacao = false;
        }
        if (!m_conexao.ehPostgres()) {
            // Refreshes the planner's statistics of the tables that have grown;
            // a failure here costs speed, never data.
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA optimize"));
        }
        db.close();
    }
}

void TDM::BeginTrans(bool paraGravar)
{
    QSqlDatabase db = DataBase1();
    if (paraGravar && !ehPostgres()) {
        // SQLite: the write lock is taken now (waiting for another workstation
        // as long as the busy time-out allows), so that what the transaction
        // reads first is still so when it writes.
        QSqlQuery q(db);
        executaEsperando(q, QStringLiteral("BEGIN IMMEDIATE"));
        m_emTransacao = true;
        return;
    }
    if (!db.transaction()) {
        const ErroBanco erro(db.lastError());
        if (erro.semConexao() && ReconectaAposFalha() && DataBase1().transaction()) {
            // nothing had been done yet: the transaction begins on the new connection
            m_emTransacao = true;
            return;
        }
        throw erro;
    }
    m_emTransacao = true;
}

void TDM::CommitTrans()
{
    QSqlDatabase db = DataBase1();
    EsperaBanco espera;
    bool ok = db.commit();
    while (!ok && EsperaBanco::ocupado(db.lastError()) && espera.tentarDeNovo()) {
        ok = db.commit();
    }
    if (!ok) {
        const ErroBanco erro = EsperaBanco::ocupado(db.lastError())
                                   ? ErroBanco(EsperaBanco::mensagemEsgotada(db.lastError().text()))
                                   : ErroBanco(db.lastError());
        db.rollback();
        m_emTransacao = false;
        if (erro.semConexao()) {
            ReconectaAposFalha();
        }
        throw erro;
    }
    m_emTransacao = false;
}

void TDM::RollbackTrans()
{
    if (!m_emTransacao) {
        return;
    }
    DataBase1().rollback();
    m_emTransacao = false;
}

void TDM::ExecutaNaTransacao(const QStringList& linhas, const Parametros& parametros)
{
    QR_EXEC.setSQL(linhas);
    for (const auto& p : parametros) {
        QR_EXEC.setParam(p.first, p.second);
    }
    ExecutaNaTransacao();
}

void TDM::ExecutaNaTransacao()
{
    Transacao tr(this);
    QR_EXEC.ExecSQL();
    tr.commit();
}

bool TDM::TemLinhas(const QStringList& linhas, const Parametros& parametros)
{
    // one row is enough to tell
    QR_EXEC.setSQL(QStringList(linhas) << QStringLiteral("limit 1"));
    for (const auto& p : parametros) {
        QR_EXEC.setParam(p.first, p.second);
    }
    QR_EXEC.Open();
    const bool tem = !QR_EXEC.IsEmpty();
    QR_EXEC.Close();
    return tem;
}

void TDM::RecusaSeEmUso(const QStringList& linhas, const Parametros& parametros)
{
    if (TemLinhas(linhas, parametros)) {
        throw RegistroEmUso();
    }
}

Transacao::Transacao(TDM* dm, bool paraGravar) : m_dm(dm)
{
    if (!m_dm->InTransaction()) {
        m_dm->BeginTrans(paraGravar);
        m_minha = true;
    }
}

Transacao::~Transacao()
{
    if (m_minha && !m_feita) {
        m_dm->RollbackTrans();
    }
}

void Transacao::commit()
{
    if (m_minha && !m_feita) {
        m_dm->CommitTrans();
    }
    m_feita = true;
}
