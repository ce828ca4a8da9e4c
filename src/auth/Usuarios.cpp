// SPDX-License-Identifier: GPL-3.0-or-later
#include "Usuarios.h"

#include "Rotinas.h"
#include "TDM.h"

namespace
{

QString texto(const QString& digitado)
{
    return TrocaCaractere(digitado, u'\'', u' ').trimmed();
}

int flag(int valor)
{
    return valor != 0 ? 1 : 0;
}

} // namespace

namespace Usuarios
{

bool ehAdministrador(const QString& login)
{
    return login.trimmed() == QLatin1String("ADMIN");
}

bool existe(TDM& dm, const QString& login)
{
    TQuery& q = dm.QR_TEMP;
    q.Close();
    q.Clear();
    q.Add(QStringLiteral("Select * From USUARIOS"));
    q.Add(QStringLiteral("where USR_LOGIN=:login"));
    q.setParam(QStringLiteral("login"), texto(login));
    q.Open();
    const bool achou = !q.IsEmpty();
    q.Close();
    return achou;
}

void montarGravacao(TDM& dm, const TUsuario& u, bool inserir)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (inserir) {
        q.Add(QStringLiteral("INSERT INTO USUARIOS (USR_LOGIN"));
        q.Add(QStringLiteral(", USR_NOME"));
        q.Add(QStringLiteral(", USR_CADASTROS"));
        q.Add(QStringLiteral(", USR_RELATORIOS"));
        q.Add(QStringLiteral(", USR_ALTPESO"));
        q.Add(QStringLiteral(", USR_ALTPESOENT"));
        q.Add(QStringLiteral(", USR_PESAGEM"));
        q.Add(QStringLiteral(", USR_PESAGEMSAIDA"));
        q.Add(QStringLiteral(", USR_EDITAPESAGEM"));
        q.Add(QStringLiteral(", USR_PESOINFERIOR"));
        q.Add(QStringLiteral(", USR_SENHA) VALUES"));
        q.Add(QStringLiteral("(:login, :nome, :cadastros, :relatorios, :altpeso, :altpesoent, :pesagem, "
                             ":pesagemsaida, :editapesagem, :pesoinferior, :senha)"));
    } else {
        q.Add(QStringLiteral("Update USUARIOS SET "));
        q.Add(QStringLiteral(" USR_NOME=:nome"));
        q.Add(QStringLiteral(", USR_CADASTROS=:cadastros"));
        q.Add(QStringLiteral(", USR_RELATORIOS=:relatorios"));
        q.Add(QStringLiteral(", USR_ALTPESO=:altpeso"));
        q.Add(QStringLiteral(", USR_ALTPESOEnt=:altpesoent"));
        q.Add(QStringLiteral(", USR_PESAGEM=:pesagem"));
        q.Add(QStringLiteral(", USR_PESAGEMSAIDA=:pesagemsaida"));
        q.Add(QStringLiteral(",USR_EDITAPESAGEM=:editapesagem"));
        q.Add(QStringLiteral(",USR_PESOINFERIOR=:pesoinferior"));
        q.Add(QStringLiteral(",USR_SENHA=:senha"));
        q.Add(QStringLiteral("Where USR_LOGIN=:login"));
    }
    q.setParam(QStringLiteral("login"), texto(u.login));
    q.setParam(QStringLiteral("nome"), texto(u.nome));
    q.setParam(QStringLiteral("cadastros"), flag(u.cadastros));
    q.setParam(QStringLiteral("relatorios"), flag(u.relatorios));
    q.setParam(QStringLiteral("altpeso"), flag(u.pesagemManualSaida));
    q.setParam(QStringLiteral("altpesoent"), flag(u.pesagemManualEntrada));
    q.setParam(QStringLiteral("pesagem"), flag(u.pesagemEntrada));
    q.setParam(QStringLiteral("pesagemsaida"), flag(u.pesagemSaida));
    q.setParam(QStringLiteral("editapesagem"), ehAdministrador(texto(u.login)) ? 1 : flag(u.editarPesagens));
    q.setParam(QStringLiteral("pesoinferior"), flag(u.pesoInferiorSaida));
    q.setParam(QStringLiteral("senha"), texto(u.senha));
}

void gravar(TDM& dm)
{
    Transacao tr(&dm);
    dm.QR_EXEC.ExecSQL();
    tr.commit();
}

void excluir(TDM& dm, const QString& login)
{
    Transacao tr(&dm);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Delete from Usuarios where usr_login=:login"));
    q.setParam(QStringLiteral("login"), login);
    q.ExecSQL();
    tr.commit();
}

} // namespace Usuarios
