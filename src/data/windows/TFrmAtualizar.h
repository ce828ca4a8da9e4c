// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

class QLabel;
class QProgressBar;
class QPushButton;
class TDM;

// "Atualização do Banco de Dados": applies the pending upgrade steps in one
// transaction. resultado() is 1 only after a successful commit.
class TFrmAtualizar : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmAtualizar(TDM& dm, QWidget* parent = nullptr);

    int resultado() const { return m_resultado; }

    QProgressBar* ProgressBar1;
    QLabel* lblOcorrencia;
    QPushButton* BtnAtualizar;
    QPushButton* BtnSair;

private:
    void BtnAtualizarClick();

    TDM& m_dm;
    int m_resultado = 0;
};
