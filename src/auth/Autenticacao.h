// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SessaoAtual.h"

#include <QString>

class TDM;

// The check behind the login window's "&OK": the typed login and password
// against table Usuarios, at most three attempts.
class Autenticacao
{
public:
    static constexpr int MaxTentativas = 3;
    enum Resultado {
        Entrou,   // the session is filled; the window closes
        Negado,   // "Login ou senha incorreta.", the fields are cleared
        Encerrar, // third failure: "... O Sistema será finalizado."
    };

    explicit Autenticacao(TDM& dm, TSessao& sessao = SessaoAtual) : m_dm(dm), m_sessao(sessao) {}

    // One press of "&OK": counts the attempt and checks it. A database failure
    // counts as a failed attempt; its text is then in erroBanco().
    Resultado tentar(const QString& login, const QString& senha);
    int tentativas() const { return m_tentativas; }
    const QString& erroBanco() const { return m_erroBanco; }

    // The check alone: true, with `sessao` filled from the user's row, when the
    // trimmed login exists and its stored password, trimmed, equals the trimmed
    // typed one (case-sensitive). Blank login or password fail. Apostrophes are
    // compared as the users window stores them (as blanks). Throws ErroBanco.
    static bool entrar(TDM& dm, const QString& login, const QString& senha, TSessao& sessao = SessaoAtual);

private:
    TDM& m_dm;
    TSessao& m_sessao;
    int m_tentativas = 0;
    QString m_erroBanco;
};
