// SPDX-License-Identifier: GPL-3.0-or-later
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

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void aoMostrar() override;
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

    // object names: FlatMaskEdit1, FlatEdit1 ... FlatEdit12 (the factors are
    // FlatEdit4 ... FlatEdit9), FlatMaskEdit2, SpeedButton1, GroupBox1,
    // BtnEmbalagens, DBGrid1
    TMaskEdit* m_codigo;                 // "Código:"
    QLineEdit* m_descricao;              // "Produto:"
    QLineEdit* m_densidade;              // "Densidade:"
    QLineEdit* m_vlrTonelada;            // "Vlr. T.:"
    std::array<QLineEdit*, 6> m_fatores; // FlatEdit4 ... FlatEdit9
    QLineEdit* m_correcao;               // "Fator de Correção:"
    QLineEdit* m_conversao;              // "Umidade:" (conversion table code)
    QToolButton* m_btnConversao;         // opens the conversion tables
    QLineEdit* m_nomeConversao;          // the conversion table's name
    QLineEdit* m_localizar;              // "&Localizar:"
    QGroupBox* m_grupoFatores;           // factors, correction and moisture
    QPushButton* m_btnEmbalagens;        // "Em&balagens"
    TDBGrid* m_grade;
    QList<QLabel*> m_rotFatores;
    QLabel* m_rotDensidade;
    QLabel* m_rotVlrTonelada;
    bool m_alfa = false;
    int m_casas = 2;
};
