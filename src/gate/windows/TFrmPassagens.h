// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class TMaskEdit;

// "Passagens sem pesagem" (administrator): the passages over the deck with
// no weighing saved during them, that began in the period, oldest first;
// the cameras' pictures of the chosen one below the list.
class TFrmPassagens : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmPassagens(QWidget* parent = nullptr);

    TMaskEdit* campoDe;         // "De:"
    TMaskEdit* campoAte;        // "Até:"
    QPushButton* botaoConsulta; // "&Consultar"
    QTableWidget* tabela;       // the passages
    QLabel* total;              // "2 passagem(ns)"
    QWidget* painelFotos;       // one picture (or the reason for none) per camera

private:
    void consulta();
    void mostraFotos();

    QList<qint64> m_codigos;
    QHBoxLayout* m_fotos = nullptr;
};
