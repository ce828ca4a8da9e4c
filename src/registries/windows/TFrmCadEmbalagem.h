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

    TMaskEdit* FlatMaskEdit1; // "Código:"
    QLineEdit* FlatEdit1;     // "Embalagem:"
    QCheckBox* CheckBox1;     // "Embalagem Ativa"
    QLineEdit* FlatEdit2;     // "&Localizar:"
    TDBGrid* DBGrid1;

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    void btnSairClick() override;
    void showEvent(QShowEvent* e) override;
    void abreRegistro() override;
    void aoVirarSeletor() override;

private:
    void regraSalvar();
    void reabreLista();
    void ocioso();
    void limpa();

    bool m_mostrada = false;
};
