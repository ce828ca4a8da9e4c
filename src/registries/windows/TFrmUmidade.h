// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmPadrao.h"

class QComboBox;
class QLineEdit;
class QToolButton;
class TDBGrid;
class TMaskEdit;

// "Cadastro dos Fatores de Correção da Pesagem": the fixed values allowed for
// correction factors 7-10 of each product. As a picker (F2 on a factor of the
// weighing window; TFrmPadrao's contract) it lists the values of one product
// and factor; the value of the row current when it closed is read with
// valorSelecionado():
//
//   TFrmUmidade f(this);
//   f.setSelecao(produto, 7);   // a picker for that product and factor
//   f.exec();
//   campo->setText(f.valorSelecionado());
class TFrmUmidade : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmUmidade(QWidget* parent = nullptr);

    // A picker for a product and a factor (7 to 10); set before showing.
    void setSelecao(const QString& prdCodigo, int fator);
    // The chosen value with 2 decimals, empty when the list was empty.
    QString valorSelecionado() const;

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void aoMostrar() override;
    void aoVirarSeletor() override;

private:
    int tipo() const;
    void buscaProduto();
    void reabreLista(const QString& prdCodigo);
    void saiValor();
    void regraSalvar();
    void escolheProduto();
    void ocioso();

    int m_fatorSel = 7;
    // object names FlatMaskEdit1, SpeedButton1, FlatEdit1, FlatMaskEdit2, ComboBox1, DBGrid1
    TMaskEdit* m_produto;          // "Produto:"
    QToolButton* m_btnProdutos;    // opens the products registry
    QLineEdit* m_descricaoProduto; // product description
    QLineEdit* m_valor;            // "Fator:"
    QComboBox* m_tipo;             // "Tipo:"
    TDBGrid* m_grade;
};
