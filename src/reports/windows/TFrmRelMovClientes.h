// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmRelatorio.h"

class QComboBox;

// "Movimentação de Produto X Cliente/Fornecedor": the movement report of
// clients or suppliers, or its export file.
class TFrmRelMovClientes : public TFrmRelatorio
{
    Q_OBJECT
public:
    explicit TFrmRelMovClientes(QWidget* parent = nullptr);

    TMaskEdit* edtCodigo; // "Código:"
    QLineEdit* edtRazao;  // party name or "NÃO CADASTRADO"
    QToolButton* btnCodigo;
    QComboBox* comboTipoParte;  // "Tipo:"
    QLineEdit* edtPlaca;        // "Placa:"
    QCheckBox* chkSomenteSaida; // "Somente com saída"
    QCheckBox* chkExportar;     // "Exportar Dados"

protected:
    bool podeImprimir() const override;
    void imprimir() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

private:
    void saiCodigo();
    void escolheParte();
};
