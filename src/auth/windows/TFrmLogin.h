// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Autenticacao.h"
#include "TJanela.h"

class QLineEdit;
class QPushButton;

// "Controle de acesso (n)": the login at start-up. It cannot be closed until
// the login succeeded; "&Cancelar" and a third failure leave it with
// encerrar() set, and the caller ends the program.
class TFrmLogin : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmLogin(QWidget* parent = nullptr);

    // The login succeeded: SessaoAtual is filled.
    bool sucesso() const { return m_sucesso; }
    // The operator cancelled, or failed three times: the program must end.
    bool encerrar() const { return m_encerrar; }

    QLineEdit* edtLogin;
    QLineEdit* edtSenha;
    QPushButton* BtnOK;
    QPushButton* BtnCancelar;

protected:
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void BtnOKClick();
    void BtnCancelarClick();

    Autenticacao m_autenticacao;
    bool m_sucesso = false;
    bool m_encerrar = false;
};
