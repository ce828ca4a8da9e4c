#pragma once

#include "TFrmPadrao.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TDBGrid;
class TMaskEdit;

// "Cadastro de Produtos": products with their six fixed discount factors,
// moisture conversion table and, by configuration, density or value per
// tonne. Opened as the full registry or as a picker (F2 of the weighing
// window); either way the current product when it closes is its selection.
class TFrmCadProdutos : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmCadProdutos(QWidget* parent = nullptr);

    // Picker mode (set before showing): double clicks on the list are
    // ignored and Enter on the list closes the window.
    void setModoSelecao(bool selecao) { m_selecao = selecao; }
    bool modoSelecao() const { return m_selecao; }
    // PRD_CODIGO and PRD_DESCRICAO of the list's current row when the window
    // closed; empty when the list was empty.
    QString codigoSelecionado() const { return m_codigoSel; }
    QString descricaoSelecionada() const { return m_descricaoSel; }

    TMaskEdit* FlatMaskEdit1;          // "Código:"
    QLineEdit* FlatEdit1;              // "Produto:"
    QLineEdit* FlatEdit2;              // "Densidade:"
    QLineEdit* FlatEdit3;              // "Vlr. T.:"
    std::array<QLineEdit*, 6> Fatores; // FlatEdit4 ... FlatEdit9
    QLineEdit* FlatEdit10;             // "Fator de Correção:"
    QLineEdit* FlatMaskEdit2;          // "Umidade:" (conversion table code)
    QToolButton* SpeedButton1;         // opens the conversion tables
    QLineEdit* FlatEdit11;             // the conversion table's name
    QLineEdit* FlatEdit12;             // "&Localizar:"
    QGroupBox* GroupBox1;              // factors, correction and moisture
    QPushButton* BtnEmbalagens;        // "Em&balagens"
    TDBGrid* DBGrid1;

public Q_SLOTS:
    void done(int r) override;

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void configura();
    void reabreLista();
    void limpa();
    void ocioso();
    void regraSalvar();
    void saiCodigo();
    void saiFator();
    void mostraCorrecao();
    void saiVlrTonelada();
    void buscaConversao();
    void escolheConversao();
    void abreProduto();
    void abreEmbalagens();

    QList<QLabel*> m_rotFatores;
    QLabel* m_rotDensidade;
    QLabel* m_rotVlrTonelada;
    bool m_alfa = false;
    int m_casas = 2;
    bool m_selecao = false;
    bool m_mostrada = false;
    QString m_codigoSel;
    QString m_descricaoSel;
};
