// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmCadastroSimples.h"

class QLineEdit;
class QPushButton;

// "Cadastro de tipo de veículo": vehicle types and the value charged for each.
// After exec() or escolher(), escolha() gives the current row (TFrmPadrao).
class TFrmCadTipoVeiculo : public TFrmCadastroSimples
{
    Q_OBJECT
public:
    explicit TFrmCadTipoVeiculo(QWidget* parent = nullptr);

    QLineEdit* campoValor() const { return m_valor; }
    // "&Imprimir": the listing of the vehicle types, previewed.
    QPushButton* BtnImprimir;

protected:
    void limpaExtra() override;
    void carregaExtra(TQuery& lista) override;
    void salvarRegistro(bool inserir, int codigo) override;
    void excluirRegistro(int codigo) override;
    QString tabela() const override { return QStringLiteral("TipoVeiculo"); }

private:
    QLineEdit* m_valor;
};
