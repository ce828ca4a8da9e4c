// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

#include <optional>

class QLineEdit;
class QRadioButton;

// "Relevo": which pages to print: all, the current one, or a typed list.
class TFrmSelPage : public TJanela
{
    Q_OBJECT
public:
    enum Escolha { Todos, PaginaAtual, Intervalo };
    struct Selecao {
        Escolha escolha;
        QString paginas; // the typed list, for Intervalo
    };

    explicit TFrmSelPage(bool ingles, QWidget* parent = nullptr);

    // Shows the dialog; no value when the user cancelled.
    static std::optional<Selecao> Executar(bool ingles, QWidget* parent = nullptr);
    Selecao selecao() const;

protected:
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QRadioButton* rbTodos;
    QRadioButton* rbAtual;
    QRadioButton* rbIntervalo;
    QLineEdit* edtPaginas;
    bool m_cancelado = false;
};
