// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The current login, filled once by the login window and read by every
// window until the program ends. The login "ADMIN" passes every rights test.
struct TSessao {
    QString UsuarioLogado;
    QString NomeEmissor;
    int Cadastros = 0;
    int Relatorios = 0;
    int PesagemManualSaida = 0;   // USR_ALTPESO
    int PesagemManualEntrada = 0; // USR_ALTPESOENT
    int PesagemEntrada = 0;       // USR_PESAGEM
    int PesagemSaida = 0;         // USR_PESAGEMSAIDA
    int EditarPesagens = 0;       // USR_EDITAPESAGEM
    int PesoInferiorSaida = 0;    // USR_PESOINFERIOR
    int Administrador = 0;        // 1 = the stored login is "ADMIN", 2 = any other
    bool LoginEfetuado = false;

    bool ehAdmin() const { return UsuarioLogado.trimmed() == QLatin1String("ADMIN"); }
    // A right (its value) granted, or the administrator.
    bool pode(int direito) const { return direito != 0 || ehAdmin(); }
};

extern TSessao SessaoAtual;
