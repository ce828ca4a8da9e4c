// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conexao.h"
#include "FonteConsultas.h"
#include "TQuery.h"

#include <QHash>
#include <QObject>
#include <array>
#include <memory>

// The data module: the one database connection, the named queries and the
// scratch queries. One instance, `DM`, for the life of the program.
// Opening a database also creates or completes its tables: that is a
// start-up step of its own (Esquema::abreBanco), not something the
// connection does.
class TDM : public QObject, public FonteConsultas
{
    Q_OBJECT
public:
    explicit TDM(const Conexao& conexao, QObject* parent = nullptr);
    ~TDM() override;

    // Opens the connection (a SQLite file that does not exist yet is made,
    // empty). False with the reason in `erro`.
    bool Conectar(QString* erro);
    void Desconectar();
    bool Conectado() const;
    // True when the connection no longer answers (a server that restarted or
    // went away): a trivial statement fails.
    bool ConexaoPerdida();
    // Closes and opens the connection again; false with the reason in `erro`.
    bool Reconectar(QString* erro);
    // The one place that answers a failure that may be a lost connection:
    // when the server no longer answers, the connection is opened again,
    // once (the attempt waits at most connect_timeout). True when a new
    // connection is open: a read may then be tried again. A transaction that
    // was open is gone (rolled back by the server). The named queries are
    // closed, and grids over them told.
    bool ReconectaAposFalha() override;
    // A connection found lost that could not be opened again: tried again by
    // itself after 1, 2, 5 and then every 10 s, until the server answers.
    // Meanwhile `avisoConexao()` holds the status bar's text; once back, the
    // lists that were open are read again and `conexaoRestabelecida` tells
    // the flows. A write is never repeated by this: only the connection is.
    void conexaoPerdida();
    bool semConexao() const { return m_perdida; }
    QString avisoConexao() const;
    static constexpr std::array<int, 4> IntervalosReconexaoMs{1000, 2000, 5000, 10000};

Q_SIGNALS:
    // The connection was found lost (true) or open again (false); the text
    // for the status bar (empty once back).
    void situacaoConexao(bool perdida, const QString& aviso);
    void conexaoRestabelecida();

public:
    QSqlDatabase DataBase1() const override;
    const Conexao& conexao() const { return m_conexao; }
    bool ehPostgres() const override { return m_conexao.ehPostgres(); }

    // Transactions: callers begin only when none is active.
    bool InTransaction() const override { return m_emTransacao; }
    // `paraGravar`: on SQLite the write lock is taken at once (BEGIN
    // IMMEDIATE), for a save that reads the stored row before writing it.
    void BeginTrans(bool paraGravar = false);
    void CommitTrans();
    void RollbackTrans();

    // Runs one statement with its parameters on QR_EXEC, inside a transaction
    // begun here when none is active; throws ErroBanco after rolling back.
    using Parametros = QList<QPair<QString, QVariant>>;
    void ExecutaNaTransacao(const QStringList& linhas, const Parametros& parametros);
    // The same for the statement already built on QR_EXEC (shown first by the
    // SQL trace).
    void ExecutaNaTransacao();
    // True when the SELECT (without ORDER BY or LIMIT) finds at least one row
    // (run on QR_EXEC).
    bool TemLinhas(const QStringList& linhas, const Parametros& parametros);
    // Throws RegistroEmUso when the SELECT finds a row: the check every delete
    // of a row that others may point at runs first, on every database.
    void RecusaSeEmUso(const QStringList& linhas, const Parametros& parametros);

    // PostgreSQL: how long a statement waits for a lock another workstation
    // holds before it is refused (the save is then refused with a message and
    // rolled back), and how long a transaction may stand idle before the
    // server ends it (a workstation stopped in the middle of a save).
    static constexpr int EsperaBloqueioMs = 5000;
    static constexpr int TransacaoParadaMs = 60000;

    // SQL trace mode (the main window's Alt+F1): saves show their statement.
    bool rastreioSql = false;

    TQuery QR_Cidade;
    TQuery QR_Cadastrao;
    TQuery QR_Pesagem;
    TQuery QR_Produto;
    TQuery QR_Usuarios;
    TQuery QR_Configuracao;
    TQuery QR_PesagemProduto;
    TQuery QR_ConfTicket;
    TQuery QR_Umidade;
    TQuery QR_Conversao;
    TQuery Qr_TPVeiculo;
    TQuery Qr_Embalagem;
    TQuery Qr_ProdEmb;
    TQuery QR_EXEC;
    TQuery QR_TEMP;
    TQuery Qr_temp1;

    // Closes every named and scratch query (their cursors end), as a
    // statement that needs the connection to itself (a backup) requires.
    void fecharConsultas();
    static void recusaSomenteLeitura(const QString& caminho);
    static void gravacaoDeTeste(class QSqlQuery& q);

    // The statements kept prepared on the connection (see FonteConsultas).
    std::shared_ptr<Preparada> preparada(const QString& texto) override;
    void esquecePreparadas() override;

private:
    Conexao m_conexao;
    QString m_nomeConexao;
    bool m_emTransacao = false;
    bool m_reconectando = false;
    bool m_perdida = false;
    size_t m_tentativa = 0;
    class QTimer* m_reconexao = nullptr;
    void tentaReconectar();
    void reabreListas();
    QHash<QString, std::shared_ptr<Preparada>> m_preparadas;
};

// The program's data module.
extern TDM* DM;

// Begins a transaction when none is active; on destruction rolls back what
// it began unless commit() was called.
class Transacao
{
public:
    explicit Transacao(TDM* dm, bool paraGravar = false);
    // True when this object began the transaction (the save may then start it again).
    bool minha() const { return m_minha; }
    ~Transacao();
    void commit();

private:
    TDM* m_dm;
    bool m_minha = false;
    bool m_feita = false;
};
