// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmLogin.h"

#include "Dialogos.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "TDM.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

TFrmLogin::TFrmLogin(QWidget* parent) : TJanela(parent), m_autenticacao(*DM)
{
    setObjectName(QStringLiteral("FrmLogin"));
    // The number only tells one opening of the window from another.
    setWindowTitle(QStringLiteral("Controle de acesso (%1)").arg(QRandomGenerator::global()->bounded(100)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    edtLogin = new QLineEdit(this);
    edtLogin->setObjectName(QStringLiteral("EdtLogin"));
    edtLogin->setMaxLength(12);
    ForcaMaiusculas(edtLogin);
    edtSenha = new QLineEdit(this);
    edtSenha->setObjectName(QStringLiteral("EdtSenha"));
    edtSenha->setMaxLength(12);
    edtSenha->setEchoMode(QLineEdit::Password);

    auto* campos = new QFormLayout;
    campos->addRow(Rotulo(QStringLiteral("Login:"), edtLogin), edtLogin);
    campos->addRow(Rotulo(QStringLiteral("Senha:"), edtSenha), edtSenha);

    BtnOK = new QPushButton(QStringLiteral("&OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    MarcaDestrutivo(BtnCancelar);
    BtnCancelar->setObjectName(QStringLiteral("BtnCancelar"));
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(BtnOK);
    botoes->addWidget(BtnCancelar);

    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(campos);
    raiz->addLayout(botoes);

    connect(BtnOK, &QPushButton::clicked, this, &TFrmLogin::BtnOKClick);
    connect(BtnCancelar, &QPushButton::clicked, this, &TFrmLogin::BtnCancelarClick);
    edtLogin->setFocus();
}

void TFrmLogin::BtnOKClick()
{
    const auto resultado = m_autenticacao.tentar(edtLogin->text(), edtSenha->text());
    if (resultado == Autenticacao::Entrou) {
        m_sucesso = true;
        accept();
        return;
    }
    if (!m_autenticacao.erroBanco().isEmpty()) {
        MensagensCadastro::avisaErro(m_autenticacao.erroBanco());
    }
    if (resultado == Autenticacao::Encerrar) {
        Mensagem(QStringLiteral("Login ou senha incorreta.\rO Sistema será finalizado."),
                 QStringLiteral("Informação"), Msg::Informacao);
        m_encerrar = true;
        done(QDialog::Rejected);
        return;
    }
    if (m_autenticacao.erroBanco().isEmpty()) {
        Mensagem(QStringLiteral("Login ou senha incorreta."), QStringLiteral("Informação"), Msg::Informacao);
    }
    edtLogin->clear();
    edtSenha->clear();
    edtLogin->setFocus();
}

void TFrmLogin::BtnCancelarClick()
{
    m_encerrar = true;
    done(QDialog::Rejected);
}

bool TFrmLogin::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    switch (e->key()) {
    case Qt::Key_Escape:
        return true; // the window stays until the login succeeds
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (alvo == edtLogin) {
            edtSenha->setFocus();
            return true;
        }
        if (alvo == edtSenha) {
            BtnOK->click();
            if (isVisible()) {
                edtLogin->setFocus();
            }
            return true;
        }
        break;
    default:
        break;
    }
    return TJanela::teclaPrevia(alvo, e);
}

void TFrmLogin::closeEvent(QCloseEvent* e)
{
    if (m_sucesso || m_encerrar) {
        TJanela::closeEvent(e);
    } else {
        e->ignore();
    }
}

void TFrmLogin::reject()
{
    if (m_sucesso || m_encerrar) {
        TJanela::reject();
    }
}
