#pragma once

#include "TJanela.h"

class TMaskEdit;
class QPushButton;

// "Pergunta": "Deseja imprimir ticket", with the number of copies. "&Sim"
// answers yes (and takes the copies typed); "&Não" or closing it any other
// way answers no.
class TFrmImpCopias : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmImpCopias(QWidget* parent = nullptr);

    bool sim() const { return m_sim; }
    // 1 unless a number was typed.
    int copias() const { return m_copias; }

    TMaskEdit* edtCopias;
    QPushButton* BtnSim;
    QPushButton* BtnNao;

private:
    bool m_sim = false;
    int m_copias = 1;
};
