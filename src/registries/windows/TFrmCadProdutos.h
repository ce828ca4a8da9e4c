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
// window; TFrmPadrao's contract); either way the current product when it
// closes is its selection: escolha()->texto("PRD_CODIGO") (codes may hold
// letters) and texto("PRD_DESCRICAO").
class TFrmCadProdutos : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmCadProdutos(QWidget* parent = nullptr);

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

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void abreRegistro() override;

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
    void abreEmbalagens();

    QList<QLabel*> m_rotFatores;
    QLabel* m_rotDensidade;
    QLabel* m_rotVlrTonelada;
    bool m_alfa = false;
    int m_casas = 2;
    bool m_mostrada = false;
};
