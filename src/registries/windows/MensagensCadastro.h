#pragma once

#include <QString>

// The registry windows' standard messages.
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
// "Erro ao efetuar a operação\rErro retornado:" followed by the database's text.
inline QString erroOperacao(const QString& textoBanco)
{
    return QStringLiteral("Erro ao efetuar a operação\rErro retornado:") + textoBanco;
}
inline QString confirmaExclusao()
{
    return QStringLiteral("Confirma exclusão do registro?");
}

} // namespace MensagensCadastro
