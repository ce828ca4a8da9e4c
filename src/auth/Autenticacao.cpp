// SPDX-License-Identifier: GPL-3.0-or-later
#include "Autenticacao.h"

#include "ErroBanco.h"
#include "Rotinas.h"
#include "TDM.h"

namespace
{

// The users window stores logins and passwords with their apostrophes turned
// into blanks; the typed values are read the same way so they match.
QString comoGravado(const QString& digitado)
{
    return TrocaCaractere(digitado, u'\'', u' ').trimmed();
}

int direito(const TQuery& q, const QString& coluna)
{
    return q.FindField(coluna) ? q.AsInteger(coluna) : 0;
}

} // namespace

bool Autenticacao::entrar(TDM& dm, const QString& login, const QString& senha, TSessao& sessao)
{
    const QString usuario = comoGravado(login);
    const QString digitada = comoGravado(senha);
    if (usuario.isEmpty() || digitada.isEmpty()) {
        return false;
    }
    TQuery& q = dm.QR_TEMP;
    q.Close();
    q.Clear();
    q.Add(QStringLiteral("select * from usuarios"));
    q.Add(QStringLiteral("where usr_login = :login"));
    q.setParam(QStringLiteral("login"), usuario);
    q.Open();
    const QString gravada = q.IsEmpty() ? QString() : q.AsString(QStringLiteral("USR_SENHA")).trimmed();
    if (q.IsEmpty() || gravada != digitada) {
        q.Close();
        return false;
    }
    sessao.UsuarioLogado = usuario;
    sessao.Cadastros = direito(q, QStringLiteral("USR_CADASTROS"));
    sessao.Relatorios = direito(q, QStringLiteral("USR_RELATORIOS"));
    sessao.PesagemManualSaida = direito(q, QStringLiteral("USR_ALTPESO"));
    sessao.PesagemManualEntrada = direito(q, QStringLiteral("USR_ALTPESOENT"));
    sessao.PesagemEntrada = direito(q, QStringLiteral("USR_PESAGEM"));
    sessao.PesagemSaida = direito(q, QStringLiteral("USR_PESAGEMSAIDA"));
    sessao.EditarPesagens = direito(q, QStringLiteral("USR_EDITAPESAGEM"));
    sessao.PesoInferiorSaida = direito(q, QStringLiteral("USR_PESOINFERIOR"));
    sessao.Administrador =
        q.AsString(QStringLiteral("USR_LOGIN")).trimmed() == QLatin1String("ADMIN") ? 1 : 2;
    sessao.LoginEfetuado = true;
    q.Close();
    return true;
}

Autenticacao::Resultado Autenticacao::tentar(const QString& login, const QString& senha)
{
    ++m_tentativas;
    m_erroBanco.clear();
    bool ok = false;
    try {
        ok = entrar(m_dm, login, senha, m_sessao);
    } catch (const ErroBanco& e) {
        m_erroBanco = e.texto();
        m_dm.QR_TEMP.Close();
    }
    if (ok) {
        return Entrou;
    }
    return m_tentativas >= MaxTentativas ? Encerrar : Negado;
}
