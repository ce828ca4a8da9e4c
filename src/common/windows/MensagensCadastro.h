// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogos.h"

#include <QString>
#include <exception>

// The windows' standard messages, texts and titles in one place. A database
// error (ErroBanco, or anything with its texto()) is always said through
// avisaErro / avisaErroExclusao: one wording, the database's text on a line of
// its own.
namespace MensagensCadastro
{

inline QString sucesso()
{
    return QStringLiteral("Operação efetuada com sucesso.");
}
inline QString emUso()
{
    return QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!");
}
// What failed, "Erro retornado:", then the database's text on a line of its own.
inline QString erroBanco(const QString& oQue, const QString& textoBanco)
{
    return oQue + QStringLiteral("\rErro retornado: \r") + textoBanco;
}
inline QString erroOperacao(const QString& textoBanco)
{
    return erroBanco(QStringLiteral("Erro ao efetuar a operação"), textoBanco);
}
inline QString erroExclusao(const QString& textoBanco)
{
    return erroBanco(QStringLiteral("Erro ao excluir"), textoBanco);
}
inline QString confirmaExclusao()
{
    return QStringLiteral("Confirma exclusão do registro?");
}
inline QString naoCadastrado()
{
    return QStringLiteral("NÃO CADASTRADO");
}

// "Operação efetuada com sucesso.", titled "Sucesso".
inline void avisaSucesso()
{
    Mensagem(sucesso(), QStringLiteral("Sucesso"), Msg::Informacao);
}
// A database error of a save or a look-up, titled "Erro".
inline void avisaErro(const QString& textoBanco)
{
    Mensagem(erroOperacao(textoBanco), QStringLiteral("Erro"), Msg::Erro);
}
template <class Erro> void avisaErro(const Erro& e)
{
    avisaErro(e.texto());
}
// A database error of a delete, titled "Erro".
template <class Erro> void avisaErroExclusao(const Erro& e)
{
    Mensagem(erroExclusao(e.texto()), QStringLiteral("Erro"), Msg::Erro);
}
// A validation or a refusal, titled "Informação".
inline void informa(const QString& texto)
{
    Mensagem(texto, QStringLiteral("Informação"), Msg::Informacao);
}
// The row is still in use, titled "Informação".
inline void avisaEmUso()
{
    informa(emUso());
}
// The SQL trace (Alt+F1 in the main window): when it is on, the statement
// with its values is shown before it runs.
inline void mostraRastreio(bool ligado, const QString& sql)
{
    if (ligado) {
        Mensagem(sql, QStringLiteral("Informação"), Msg::Informacao);
    }
}

// Runs a save: "Operação efetuada com sucesso." when it went through; on a
// database error (ErroBanco) its message, and false: nothing was written,
// the operator keeps what was typed to correct it or cancel.
template <class Gravacao> bool grava(Gravacao&& gravacao)
{
    try {
        gravacao();
    } catch (const std::exception& e) { // ErroBanco: what() is the database's text
        avisaErro(QString::fromUtf8(e.what()));
        return false;
    }
    avisaSucesso();
    return true;
}

// "Confirma exclusão do registro?" (title "Pergunta"): true on Yes.
inline bool confirmaExclusaoSim()
{
    return Mensagem(confirmaExclusao(), QStringLiteral("Pergunta"),
                    Msg::SimNao | Msg::Pergunta | Msg::PadraoNao) == Msg::RespSim;
}

} // namespace MensagensCadastro
