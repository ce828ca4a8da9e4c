// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

class TMaskEdit;

// "Pergunta": whether to print the ticket of the weighing being saved, and
// how many copies. After exec(): sim() and copias().
class TFrmImpCopias : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmImpCopias(QWidget* parent = nullptr);

    bool sim() const { return m_sim; }
    int copias() const { return m_copias; }
    TMaskEdit* campoCopias() const { return m_campoCopias; }

    // Asks the question; the copies when the answer was "&Sim", 0 for "&Não".
    static int pergunta(QWidget* parent);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void BtnSimClick();

    TMaskEdit* m_campoCopias;
    bool m_sim = false;
    int m_copias = 1;
};
