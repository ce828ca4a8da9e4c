// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class TDM;

// The tamper-evident log of the weighings. Every insert, update and delete of
// a weighing (PESAGEM) and of its product rows (PESAGEMPRODUTO, logged as the
// set of rows of one weighing) appends one entry to AUDITORIA: who, when,
// which workstation, the state before and after, and a hash of the entry
// chained to the previous entry's hash. The states are read back from the
// database after the write, so the log holds what was stored, not what was
// typed.
//
// The hash is keyed (HMAC-SHA-256 with the installation key, kept outside the
// database: ChaveAuditoria), so that whoever can write the database cannot
// write an entry that verifies. A log begun before the key has plain SHA-256
// entries; a key mark entry (operation "C", weighing 0) ends them, and every
// entry after it is keyed. Without the key nothing is appended: the save that
// asked fails with ChaveAusente.
namespace Auditoria
{

// Table names of the entries.
inline constexpr char TabelaPesagem[] = "PESAGEM";
inline constexpr char TabelaProdutos[] = "PESAGEMPRODUTO";
// The key mark's.
inline constexpr char TabelaAuditoria[] = "AUDITORIA";

// The stored state of one weighing / of its product rows, as canonical text
// (sorted keys, the values as the database returns them); empty when there is
// none.
QString estadoPesagem(TDM& dm, qint64 numero);
QString estadoProdutos(TDM& dm, qint64 numero);

// The workstation's name as the log stores it.
QString estacao();

// Appends one entry; runs inside the caller's transaction (the write it
// describes and the entry commit together). `antes`/`depois` empty = no row.
// Nothing is appended when both states are equal. Throws ErroBanco
// (ChaveAusente without the installation key).
void registra(TDM& dm, const QString& usuario, const char* tabela, qint64 numero, const QString& antes,
              const QString& depois);

// One weighing's two states (row and product rows), taken before a write.
struct Antes {
    qint64 numero = 0;
    QString pesagem;
    QString produtos;
};
Antes captura(TDM& dm, qint64 numero);
// Logs what changed since `antes` (the weighing row, then its product rows).
void registraMudancas(TDM& dm, const QString& usuario, const Antes& antes);

// One entry as stored.
struct Entrada {
    qint64 sequencia = 0;
    QString dataHora; // yyyy-MM-dd hh:mm:ss.zzz
    QString usuario;
    QString estacao;
    QString tabela;
    QString operacao; // "I" insert, "A" update, "E" delete, "S" state when the log began, "C" key mark
    qint64 numero = 0;
    QString antes;
    QString depois;
    QString hashAnterior;
    QString hash;
};

// The hash an entry must carry: keyed with `chave`, plain SHA-256 for the
// entries before the key mark (no key).
QString calculaHash(const Entrada& e, const QByteArray& chave = QByteArray());

// Appends the key mark when the log has none, creating the installation key
// when there is none yet; inside the caller's transaction (the start-up and
// upgrade step). Throws ErroBanco.
void iniciaChave(TDM& dm);

// What an entry changed, column by column by caption ("Peso de entrada: 12000 → 11000");
// product rows are compared as a whole set.
QStringList diferencas(const QString& antes, const QString& depois);
// The caption a clerk knows a weighing's column by ("Placa" for pes_placa);
// a column without one keeps its name.
QString legendaColuna(const QString& coluna);
// The operation's name as the history shows it.
QString nomeOperacao(const QString& operacao);

// One weighing's history, oldest first.
QList<Entrada> historico(TDM& dm, qint64 numero);

// A seal: the head of the chain at one moment, signed with the key, kept
// away from the database (a file on another machine, a manager's mailbox),
// so that a chain cut short or rewritten after it is found.
struct Selo {
    QDateTime dataHora;
    qint64 registros = 0; // entries in the chain
    qint64 sequencia = 0; // the last entry's
    QString hash;         // the last entry's
};
// The chain's head now.
Selo sela(TDM& dm);
// The seal as one line of text, with its own keyed hash.
QString textoSelo(const Selo& s, const QByteArray& chave);
// A line read back; nothing (and why, in `erro`) when it is not a seal or its
// keyed hash does not match.
std::optional<Selo> leSelo(const QString& linha, const QByteArray& chave, QString* erro = nullptr);

// The verifier: the chain is walked from the first entry and the first entry
// that does not match (with the key after the key mark) is named; a chain
// without the key mark is named; each seal given is looked for in the chain;
// then every weighing and its product rows are compared with their last
// logged state, and each weighing changed outside the system is named
// ("pesagem 1 alterada fora do VIGA"), and each side with a weight and no
// evidence of its reading ("pesagem 1: saída sem evidência da leitura").
struct OpcoesVerificacao {
    QByteArray chave;               // the installation key
    QList<Selo> selos;              // read and checked with the key
    bool aceitarAnteriores = false; // sides weighed before the log began need no evidence
};
struct Verificacao {
    qint64 entradas = 0;
    qint64 primeiraInvalida = 0; // 0 = the chain holds
    QStringList problemas;       // what the verifier says, in order
    bool ok() const { return problemas.isEmpty(); }
};
Verificacao verifica(TDM& dm, const OpcoesVerificacao& opcoes);

// The verification code printed on a ticket: ten letters and digits of base
// 32 (as "ABCDE-FGHIJ") taken from the keyed hash of an entry: short enough to
// type, too long to guess, and no one without the key can make an entry with
// a given code.
QString codigoTicket(const QString& hash);
// The code of the weighing's latest entry; empty when the log has none.
QString codigoDaPesagem(TDM& dm, qint64 numero);
// A ticket in someone's hands against the log: "confere" when its code is the
// weighing's latest entry's, else what came after it or that it matches none.
struct ConferenciaTicket {
    bool confere = false;
    QString mensagem;
};
ConferenciaTicket confereTicket(TDM& dm, qint64 numero, const QString& codigo, const QByteArray& chave);

// The log's first entries for a database that had weighings before the log
// existed: the state of each, so that later changes are checked against it.
void registraEstadoInicial(TDM& dm);

} // namespace Auditoria
