// SPDX-License-Identifier: GPL-3.0-or-later
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

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void aoMostrar() override;
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
    // object names FlatMaskEdit1, FlatEdit1, CheckBox1, FlatMaskEdit4, GroupBox1, FlatMaskEdit2,
    // FlatMaskEdit3, FlatMaskEdit5, BtnOK, strGrid1, DBGrid1
    TMaskEdit* m_codigo;              // "Código:"
    QLineEdit* m_descricao;           // "Descrição:"
    QCheckBox* m_formula;             // the formula
    QLineEdit* m_umidadeFinalFormula; // "Umidade Final:" of the formula
    QGroupBox* m_grupoFaixas;         // "Tabela de Desconto de Umidade"
    QLineEdit* m_faixaInicial;        // "Umidade Inicial:"
    QLineEdit* m_faixaFinal;          // "Umidade Final:"
    QLineEdit* m_faixaDesconto;       // "Desconto:"
    QPushButton* m_btnAdicionaFaixa;  // "&OK": adds a range
    TstrGrid* m_faixas;               // the ranges
    TDBGrid* m_grade;                 // the tables
};
