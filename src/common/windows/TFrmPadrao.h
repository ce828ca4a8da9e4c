#pragma once

#include "TJanela.h"

class QPushButton;
class QHBoxLayout;
class QVBoxLayout;

// The base registry window: records browsed in a grid, created with "&Novo",
// changed after a double click, saved, cancelled or deleted. EstadoCadastro:
// 0 inserting, 1 editing, 3 browsing.
class TFrmPadrao : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmPadrao(QWidget* parent = nullptr);

    int EstadoCadastro = 3;

    QPushButton* BtnNovo;
    QPushButton* BtnSalvar;
    QPushButton* BtnCancelar;
    QPushButton* btnExcluir;
    QPushButton* btnSair;

    // Sets the buttons for a state (Novo, Excluir and Sair only in 3; Salvar
    // and Cancelar only in 0 and 1).
    void ajustaBotoes(int estado);

protected:
    // Where each window puts its fields and grid.
    QVBoxLayout* corpo() const { return m_corpo; }
    QHBoxLayout* barraBotoes() const { return m_barra; }

    virtual void BtnNovoClick();
    virtual void BtnSalvarClick();
    virtual void BtnCancelarClick();
    virtual void btnExcluirClick();
    virtual void btnSairClick();

    void showEvent(QShowEvent* e) override;

private:
    QVBoxLayout* m_corpo;
    QHBoxLayout* m_barra;
    bool m_mostrada = false;
};
