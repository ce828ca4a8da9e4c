// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

#include <QDate>

class QCheckBox;
class QFormLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QToolButton;
class TMaskEdit;

// What the report windows share: the product field with its description box
// and picker, the entry-date range with the calendar, "Tela", "&Imprimir" and
// "&Sair", and the rule that enables "&Imprimir". Each report adds its own
// fields and runs itself in imprimir().
class TFrmRelatorio : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmRelatorio(QWidget* parent = nullptr);

    QLineEdit* edtProduto = nullptr;     // "Produto:"
    QLineEdit* edtDescProduto = nullptr; // description or "NÃO CADASTRADO"
    QToolButton* btnProduto = nullptr;
    TMaskEdit* edtData1 = nullptr; // "Entrada:"
    TMaskEdit* edtData2 = nullptr; // "a"
    QCheckBox* chkTela = nullptr;  // "Tela"
    QPushButton* BtnImprimir = nullptr;
    QPushButton* BtnSair = nullptr;

    // The valid dates of the range (null when empty).
    QDate inicio() const;
    QDate fim() const;

protected:
    QFormLayout* formulario() const { return m_form; }
    // Adds a field with its caption; `extra` (optional) sits beside it.
    void linha(const QString& rotulo, QWidget* campo, QWidget* extra = nullptr, QWidget* extra2 = nullptr);
    void adicionaProduto();
    void adicionaDatas();
    // "Tela" and the two buttons; call last.
    void fecha();

    // The "&Imprimir" rule; windows with more name boxes extend it.
    virtual bool podeImprimir() const;
    void ajustaImprimir();
    virtual void imprimir() = 0;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

    void saiProduto();
    void escolheProduto();
    void escolheData(TMaskEdit* campo);

private:
    void BtnImprimirClick();
    QFormLayout* m_form;
};

// Whether a date field is empty or holds a valid date.
bool DataAceita(const TMaskEdit* campo);
