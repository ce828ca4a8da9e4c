#pragma once

#include "TFrmPadrao.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TDBGrid;
class TMaskEdit;
class TstrGrid;

// "Cadastro de Conversão da Umidade": moisture conversion tables, either the
// formula with a final moisture or a table of moisture ranges and their
// discounts. As a picker (the products window's "Umidade:", TFrmPadrao's
// contract) the list fills the window; escolha()->codigo is the TAB_CODIGO
// and texto("tab_descricao") its description.
class TFrmConversao : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmConversao(QWidget* parent = nullptr);

    TMaskEdit* FlatMaskEdit1; // "Código:"
    QLineEdit* FlatEdit1;     // "Descrição:"
    QCheckBox* CheckBox1;     // the formula
    QLineEdit* FlatMaskEdit4; // "Umidade Final:" of the formula
    QGroupBox* GroupBox1;     // "Tabela de Desconto de Umidade"
    QLineEdit* FlatMaskEdit2; // "Umidade Inicial:"
    QLineEdit* FlatMaskEdit3; // "Umidade Final:"
    QLineEdit* FlatMaskEdit5; // "Desconto:"
    QPushButton* BtnOK;       // "&OK": adds a range
    TstrGrid* strGrid1;       // the ranges
    TDBGrid* DBGrid1;         // the tables

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void abreRegistro() override;
    void aoVirarSeletor() override;

private:
    void aplicaFormula();
    void regraSalvar();
    void adicionaFaixa();
    void verificaCodigo();
    void reabreLista();
    void estadoOcioso();

    QLabel* m_rotFinal;
    QList<QLabel*> m_rotFaixas;
    int m_casas = 2;
    bool m_mostrada = false;
};
