// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmPadrao.h"

class QLineEdit;
class QToolButton;
class TDBGrid;
class TMaskEdit;

// "Seleção de Embalagens": the packaging types one product may come in, with
// the weight of one package. The products window sets the product and shows it.
class TFrmSelEmbalagem : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmSelEmbalagem(QWidget* parent = nullptr);

    void setProduto(const QString& codigo, const QString& descricao);

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void aoMostrar() override;
    void abreRegistro() override;

private:
    void buscaEmbalagem();
    void escolheEmbalagem();
    void regraSalvar();
    void reabreLista();
    void limpa();

    // object names FlatEdit1, FlatEdit2, FlatMaskEdit10, SpeedButton1, FlatEdit3, FlatMaskEdit6, DBGrid1
    QLineEdit* m_produtoCodigo;
    QLineEdit* m_produtoDescricao;
    TMaskEdit* m_embalagem;          // "Embalagem:"
    QToolButton* m_btnEmbalagens;    // opens the packaging list
    QLineEdit* m_embalagemDescricao; // read-only
    QLineEdit* m_peso;               // "Peso:"
    TDBGrid* m_grade;
};
