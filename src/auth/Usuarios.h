// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TDM;

// An operator and its eight rights as the users window edits them (1/0).
struct TUsuario {
    QString login;
    QString nome;
    QString senha;
    int cadastros = 0;            // USR_CADASTROS
    int relatorios = 0;           // USR_RELATORIOS
    int pesagemManualSaida = 0;   // USR_ALTPESO
    int pesagemManualEntrada = 0; // USR_ALTPESOENT
    int pesagemEntrada = 0;       // USR_PESAGEM
    int pesagemSaida = 0;         // USR_PESAGEMSAIDA
    int editarPesagens = 0;       // USR_EDITAPESAGEM
    int pesoInferiorSaida = 0;    // USR_PESOINFERIOR
};

// The statements of the users window (table Usuarios).
namespace Usuarios
{

// The administrator's login: cannot be deleted, its rights are not edited.
bool ehAdministrador(const QString& login);

// True when a user with this login (trimmed) exists. Throws ErroBanco.
bool existe(TDM& dm, const QString& login);

// Builds on QR_EXEC the INSERT (inserir) or the UPDATE of one user, every value
// bound: texts trimmed with apostrophes turned into blanks, rights 1/0. The
// administrator's "Editar Pesagens" is always written 1. The SQL trace can show
// the statement before gravar() runs it.
void montarGravacao(TDM& dm, const TUsuario& u, bool inserir);
// Runs the statement montarGravacao() built, in a transaction. Throws ErroBanco
// (rolled back).
void gravar(TDM& dm);

// Deletes one user in a transaction. Throws ErroBanco (rolled back).
void excluir(TDM& dm, const QString& login);

} // namespace Usuarios
