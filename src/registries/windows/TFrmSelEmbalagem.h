#pragma once

#include "TFrmPadrao.h"

class QLineEdit;
class QToolButton;
class TDBGrid;
class TMaskEdit;

// "Seleção de Embalagens": the packaging types one product may come in, with
// the weight of one package. The products window sets the product and shows it.
class TFrmSelEmbalagem : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmSelEmbalagem(QWidget* parent = nullptr);

    void setProduto(const QString& codigo, const QString& descricao);

    QLineEdit* FlatEdit1;      // product code
    QLineEdit* FlatEdit2;      // product description
    TMaskEdit* FlatMaskEdit10; // "Embalagem:"
    QToolButton* SpeedButton1; // opens the packaging list
    QLineEdit* FlatEdit3;      // packaging description
    QLineEdit* FlatMaskEdit6;  // "Peso:"
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
    void buscaEmbalagem();
    void escolheEmbalagem();
    void regraSalvar();
    void reabreLista();
    void limpa();

    bool m_mostrada = false;
};
