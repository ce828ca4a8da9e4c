// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmPadrao.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class TDBGrid;

// "Cadastro de Usuários e Acessos": the operators, their passwords and their
// eight rights, for the administrator.
class TFrmUsuarios : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmUsuarios(QWidget* parent = nullptr);

    QLineEdit* edtLogin;
    QLineEdit* edtSenha;
    QLineEdit* edtNome;
    QGroupBox* grpAcessos;
    QCheckBox* chkCadastros;
    QCheckBox* chkRelatorios;
    QCheckBox* chkPesoInferior;
    QCheckBox* chkEditarPesagens;
    QCheckBox* chkPesagemSaida;
    QCheckBox* chkManualSaida;
    QCheckBox* chkPesagemEntrada;
    QCheckBox* chkManualEntrada;
    TDBGrid* DBGrid1;

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    void abreRegistro() override;

private:
    void carregaLista();
    void limpa();
    void voltaNavegacao();
    void ajustaSalvar();
    void loginSaiu();
};
