// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmPadrao.h"

class QCheckBox;
class QLineEdit;
class TDBGrid;
class TMaskEdit;

// "Cadastro de Embalagens": the packaging types. As a picker (from "Seleção
// de Embalagens", TFrmPadrao's contract) the list fills the window;
// escolha()->codigo is the EMB_CODIGO and texto("emb_descricao") its name.
class TFrmCadEmbalagem : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmCadEmbalagem(QWidget* parent = nullptr);

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    void btnSairClick() override;
    void aoMostrar() override;
    void abreRegistro() override;
    void aoVirarSeletor() override;

private:
    void regraSalvar();
    void reabreLista();
    void ocioso();
    void limpa();

    // object names FlatMaskEdit1, FlatEdit1, CheckBox1, FlatEdit2, DBGrid1
    TMaskEdit* m_codigo;    // "Código:"
    QLineEdit* m_descricao; // "Embalagem:"
    QCheckBox* m_ativa;     // "Embalagem Ativa"
    QLineEdit* m_localizar; // "&Localizar:"
    TDBGrid* m_grade;
};
