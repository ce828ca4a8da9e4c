// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QToolButton;
class TMaskEdit;

// "Listagem de Cadastros": carriers, clients or suppliers by code range, city and state.
class TFrmRelCli : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmRelCli(QWidget* parent = nullptr);

    TMaskEdit* edtCodigo1; // "Código:"
    TMaskEdit* edtCodigo2; // "a"
    QComboBox* cbTipo;     // "Tipo:"
    TMaskEdit* edtCidade;  // "Cidade:"
    QComboBox* cbEstado;   // "Estado:"
    QComboBox* cbOrdem;    // "Ordem:"
    QCheckBox* chkTela;    // "Tela"
    QPushButton* BtnImprimir;
    QPushButton* BtnSair;

protected:
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

private:
    void escolheParte(TMaskEdit* campo);
    void escolheCidade();
    void imprimir();
};

// "Listagem de Produtos".
class TFrmProdutos : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmProdutos(QWidget* parent = nullptr);

    QComboBox* cbOrdem; // "Ordem:"
    QCheckBox* chkTela; // "Tela"
    QPushButton* BtnImprimir;
    QPushButton* BtnSair;

private:
    void imprimir();
};
