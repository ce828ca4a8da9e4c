// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ErroBanco.h"

#include <QByteArray>
#include <QString>

// The installation's audit key: a secret kept in a file outside the database,
// so that whoever can write the database (its administrator, anyone holding
// the server's password) cannot write an entry, a seal or a ticket code that
// verifies. The file holds 32 random bytes as hexadecimal text, owner-only
// (0600). It lives in the data folder ("viga.chave") unless viga.ini names
// another path (`[auditoria] Chave=`; relative to the data folder). Every
// workstation of one database needs the same file. The key is never logged
// nor shown.
namespace ChaveAuditoria
{

// Where the key file is expected.
QString caminho();

// The key read from `caminho()`: empty when there is no file. A file that is
// not a key (wrong length, not hexadecimal) throws ChaveInvalida.
QByteArray le();

// The key; the file is created (owner-only) when there is none. Throws
// ChaveInvalida when it cannot be read or written.
QByteArray leOuCria();

// A short public fingerprint of a key (16 hexadecimal digits), stored in the
// log to say which key its entries are written with; it reveals nothing of
// the key.
QString identificacao(const QByteArray& chave);

} // namespace ChaveAuditoria

// No key on this workstation: nothing can be logged, so nothing is saved.
class ChaveAusente : public ErroBanco
{
public:
    explicit ChaveAusente(const QString& caminho);
};

// A key file that cannot be read, written or is not a key.
class ChaveInvalida : public ErroBanco
{
public:
    using ErroBanco::ErroBanco;
};
