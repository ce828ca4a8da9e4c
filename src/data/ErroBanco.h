// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

class QSqlError;

// A failed database operation; `texto()` is what the windows show after
// "Erro retornado:": for the failures an operator can meet (server out of
// reach, connection lost, database locked, disk full, read-only, no
// permission) a short cause in words, then the database's own text.
class ErroBanco : public std::runtime_error
{
public:
    enum class Causa {
        Outra,
        ServidorInacessivel,
        ConexaoPerdida,
        Bloqueado,
        DiscoCheio,
        SomenteLeitura,
        SemPermissao,
        ChaveDuplicada,
        // PostgreSQL: another workstation held the rows or the lock a save
        // needs for longer than the lock timeout (or the two saves deadlocked).
        OutraEstacaoGravando,
    };

    explicit ErroBanco(const QString& texto) : ErroBanco(Causa::Outra, texto) {}
    ErroBanco(Causa causa, const QString& textoBanco);
    // The driver's error, classified.
    explicit ErroBanco(const QSqlError& erro);

    const QString& texto() const { return m_texto; }
    // The database's own text, without the cause.
    const QString& textoBanco() const { return m_textoBanco; }
    Causa causa() const { return m_causa; }
    // The connection is gone (lost or never reached): opening it again may help.
    bool semConexao() const
    {
        return m_causa == Causa::ConexaoPerdida || m_causa == Causa::ServidorInacessivel;
    }

    // The cause of a driver error: from the engine's error code (SQLSTATE on
    // PostgreSQL, the result code on SQLite), else from its text.
    static Causa classificar(const QString& codigo, const QString& texto);
    // The cause in the operator's words; empty for Outra.
    static QString descricao(Causa causa);

private:
    Causa m_causa;
    QString m_textoBanco;
    QString m_texto;
};

// A delete refused before it ran because other rows still point at the row
// (a city that parties use, a product that weighings carry ...). Older
// databases declare no relations, so the registries check first; the text is
// the message the registry windows show.
class RegistroEmUso : public ErroBanco
{
public:
    RegistroEmUso() : ErroBanco(QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!"))
    {
    }
};
