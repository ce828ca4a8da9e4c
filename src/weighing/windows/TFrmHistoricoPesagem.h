// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "Histórico da Pesagem" (administrator): every logged change of one
// weighing, oldest first, with who, when, where and what changed, and how
// the weight of each side was taken.
class TFrmHistoricoPesagem : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmHistoricoPesagem(QWidget* parent = nullptr);

    QLineEdit* campoCodigo;     // "Código Pesagem:"
    QPushButton* botaoConsulta; // "&Consultar"
    QTableWidget* tabela;       // the history
    QLabel* evidencia;          // the reading evidence of both sides

private:
    void consulta();
};
