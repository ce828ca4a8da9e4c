#pragma once

#include "TFrmPadrao.h"

class QCheckBox;
class QLineEdit;
class TDBGrid;
class TMaskEdit;

// "Cadastro de Embalagens": the packaging types. As a selection list (from
// "Seleção de Embalagens") the list fills the window, Space or "&OK" closes
// it, and the current row is read after it closed.
class TFrmCadEmbalagem : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmCadEmbalagem(QWidget* parent = nullptr);

    void setModoSelecao(bool selecao);
    bool modoSelecao() const { return m_selecao; }
    // Emb_Codigo and Emb_descricao of the list's current row at closing (empty for an empty list).
    QString codigoSelecionado() const { return m_codigoSel; }
    QString descricaoSelecionada() const { return m_descricaoSel; }

    TMaskEdit* FlatMaskEdit1; // "Código:"
    QLineEdit* FlatEdit1;     // "Embalagem:"
    QCheckBox* CheckBox1;     // "Embalagem Ativa"
    QLineEdit* FlatEdit2;     // "&Localizar:"
    TDBGrid* DBGrid1;

public Q_SLOTS:
    void done(int r) override;

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    void btnSairClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void regraSalvar();
    void abreLinha();
    void reabreLista();
    void ocioso();
    void limpa();

    bool m_selecao = false;
    bool m_mostrada = false;
    QString m_codigoSel;
    QString m_descricaoSel;
};
