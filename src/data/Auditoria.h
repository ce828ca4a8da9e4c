// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class TDM;

// The tamper-evident log of the weighings. Every insert, update and delete of
// a weighing (PESAGEM) and of its product rows (PESAGEMPRODUTO, logged as the
// set of rows of one weighing) appends one entry to AUDITORIA: who, when,
// which workstation, the state before and after, and a SHA-256 hash of the
// entry chained to the previous entry's hash. The states are read back from
// the database after the write, so the log holds what was stored, not what
// was typed.
namespace Auditoria
{

// Table names of the entries.
inline constexpr char TabelaPesagem[] = "PESAGEM";
inline constexpr char TabelaProdutos[] = "PESAGEMPRODUTO";

// The stored state of one weighing / of its product rows, as canonical text
// (sorted keys, the values as the database returns them); empty when there is
// none.
QString estadoPesagem(TDM& dm, qint64 numero);
QString estadoProdutos(TDM& dm, qint64 numero);

// The workstation's name as the log stores it.
QString estacao();

// Appends one entry; runs inside the caller's transaction (the write it
// describes and the entry commit together). `antes`/`depois` empty = no row.
// Nothing is appended when both states are equal. Throws ErroBanco.
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
    QString operacao; // "I" insert, "A" update, "E" delete, "B" state when the log began
    qint64 numero = 0;
    QString antes;
    QString depois;
    QString hashAnterior;
    QString hash;
};

// The hash an entry must carry.
QString calculaHash(const Entrada& e);

// What an entry changed, column by column ("pes_pesoentrada: 12000 → 11000");
// product rows are compared as a whole set.
QStringList diferencas(const QString& antes, const QString& depois);
// The operation's name as the history shows it.
QString nomeOperacao(const QString& operacao);

// One weighing's history, oldest first.
QList<Entrada> historico(TDM& dm, qint64 numero);

// The verifier: the chain is walked from the first entry and the first entry
// that does not match is named; then every weighing and its product rows are
// compared with their last logged state, and each weighing changed outside
// the system is named ("pesagem 1 alterada fora do VIGA").
struct Verificacao {
    qint64 entradas = 0;
    qint64 primeiraInvalida = 0; // 0 = the chain holds
    QStringList problemas;       // what the verifier says, in order
    bool ok() const { return problemas.isEmpty(); }
};
Verificacao verifica(TDM& dm);

// The log's first entries for a database that had weighings before the log
// existed: the state of each, so that later changes are checked against it.
void registraEstadoInicial(TDM& dm);

} // namespace Auditoria
