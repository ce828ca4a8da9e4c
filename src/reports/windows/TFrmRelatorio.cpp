// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmRelatorio.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TFrmCadProdutos.h"
#include "TFrmCalendario.h"
#include "TMaskEdit.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
const QString NaoCadastrado = QStringLiteral("NÃO CADASTRADO");
}

bool DataAceita(const TMaskEdit* campo)
{
    return DataVazia(campo->maskText()) || EhData(campo->maskText());
}

TFrmRelatorio::TFrmRelatorio(QWidget* parent) : TJanela(parent)
{
    auto* v = new QVBoxLayout(this);
    m_form = new QFormLayout;
    v->addLayout(m_form);
}

void TFrmRelatorio::linha(const QString& rotulo, QWidget* campo, QWidget* extra, QWidget* extra2)
{
    auto* h = new QHBoxLayout;
    h->addWidget(campo);
    if (extra) h->addWidget(extra);
    if (extra2) h->addWidget(extra2);
    h->addStretch();
    m_form->addRow(Rotulo(rotulo, campo), h);
}

void TFrmRelatorio::adicionaProduto()
{
    edtProduto = CampoMaiusculo(this, QStringLiteral("edtProduto"), 13);
    btnProduto = new QToolButton(this);
    btnProduto->setObjectName(QStringLiteral("btnProduto"));
    btnProduto->setText(QStringLiteral("..."));
    btnProduto->setFocusPolicy(Qt::NoFocus);
    edtDescProduto = CampoNomeDoCodigo(this, QStringLiteral("edtDescProduto"));
    edtDescProduto->setMinimumWidth(260);
    linha(QStringLiteral("Produto:"), edtProduto, btnProduto, edtDescProduto);
    AoSair(edtProduto, [this] { saiProduto(); });
    connect(btnProduto, &QToolButton::clicked, this, [this] { escolheProduto(); });
    connect(edtProduto, &QLineEdit::textChanged, this, [this] { ajustaImprimir(); });
    connect(edtDescProduto, &QLineEdit::textChanged, this, [this] { ajustaImprimir(); });
}

void TFrmRelatorio::adicionaDatas()
{
    auto data = [this](const char* nome) {
        auto* e = new TMaskEdit(QStringLiteral("99/99/9999;1;_"), this);
        e->setObjectName(QString::fromLatin1(nome));
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("btn") + QString::fromLatin1(nome));
        b->setText(QStringLiteral("..."));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, e] { escolheData(e); });
        connect(e, &QLineEdit::textChanged, this, [this] { ajustaImprimir(); });
        AoSair(e, [this, e] {
            if (!DataAceita(e)) {
                QTimer::singleShot(0, e, [e] { e->setFocus(); });
            } else if (!DataVazia(e->maskText())) {
                e->setText(FormataData(e->maskText()));
            }
        });
        return std::make_pair(e, b);
    };
    auto [d1, b1] = data("edtData1");
    auto [d2, b2] = data("edtData2");
    edtData1 = d1;
    edtData2 = d2;
    auto* h = new QHBoxLayout;
    h->addWidget(d1);
    h->addWidget(b1);
    h->addWidget(Rotulo(QStringLiteral("a"), d2));
    h->addWidget(d2);
    h->addWidget(b2);
    h->addStretch();
    formulario()->addRow(Rotulo(QStringLiteral("Entrada:"), d1), h);
}

void TFrmRelatorio::fecha()
{
    chkTela = new QCheckBox(QStringLiteral("Tela"), this);
    chkTela->setObjectName(QStringLiteral("chkTela"));
    chkTela->setChecked(true);
    formulario()->addRow(QString(), chkTela);
    auto* botoes = new QHBoxLayout;
    BtnImprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    BtnImprimir->setObjectName(QStringLiteral("BtnImprimir"));
    BtnSair = new QPushButton(QStringLiteral("&Sair"), this);
    MarcaDestrutivo(BtnSair);
    BtnSair->setObjectName(QStringLiteral("BtnSair"));
    BtnImprimir->setAutoDefault(false);
    BtnSair->setAutoDefault(false);
    botoes->addStretch();
    botoes->addWidget(BtnImprimir);
    botoes->addWidget(BtnSair);
    static_cast<QVBoxLayout*>(layout())->addLayout(botoes);
    connect(BtnImprimir, &QPushButton::clicked, this, [this] { BtnImprimirClick(); });
    connect(BtnSair, &QPushButton::clicked, this, &QDialog::close);
    ajustaImprimir();
}

QDate TFrmRelatorio::inicio() const
{
    return edtData1 && EhData(edtData1->maskText()) ? LeData(edtData1->maskText()) : QDate();
}

QDate TFrmRelatorio::fim() const
{
    return edtData2 && EhData(edtData2->maskText()) ? LeData(edtData2->maskText()) : QDate();
}

bool TFrmRelatorio::podeImprimir() const
{
    if (edtDescProduto && edtDescProduto->text() == NaoCadastrado) return false;
    if (edtData1 && !DataAceita(edtData1)) return false;
    if (edtData2 && !DataAceita(edtData2)) return false;
    return true;
}

void TFrmRelatorio::ajustaImprimir()
{
    if (BtnImprimir) BtnImprimir->setEnabled(podeImprimir());
}

void TFrmRelatorio::BtnImprimirClick()
{
    if (!podeImprimir()) return;
    BtnImprimir->setEnabled(false);
    try {
        imprimir();
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e.texto());
    }
    ajustaImprimir();
}

bool TFrmRelatorio::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->key() == Qt::Key_F2 && e->modifiers() == Qt::NoModifier) {
        if (alvo == edtProduto) {
            escolheProduto();
            return true;
        }
        if (alvo == edtData1 || alvo == edtData2) {
            escolheData(static_cast<TMaskEdit*>(alvo));
            return true;
        }
    }
    return TJanela::teclaPrevia(alvo, e);
}

void TFrmRelatorio::saiProduto()
{
    const QString codigo = edtProduto->text().trimmed();
    if (codigo.isEmpty()) {
        edtDescProduto->clear();
        return;
    }
    try {
        TQuery& q = DM->QR_TEMP;
        q.Clear();
        q.Add(QStringLiteral("SELECT prd_descricao from produto"));
        q.Add(QStringLiteral("Where prd_codigo=:codigo"));
        q.setParam(QStringLiteral("codigo"), codigo);
        q.Open();
        edtDescProduto->setText(q.IsEmpty() ? NaoCadastrado : q.AsString(QStringLiteral("prd_descricao")));
        q.Close();
    } catch (const ErroBanco& e) {
        DM->QR_TEMP.Close();
        MensagensCadastro::avisaErro(e.texto());
    }
}

void TFrmRelatorio::escolheProduto()
{
    std::optional<Escolha> escolhido;
    {
        TFrmCadProdutos produtos(this);
        escolhido = produtos.escolher();
    }
    if (escolhido) {
        edtProduto->setText(escolhido->texto(QStringLiteral("PRD_CODIGO")));
        edtDescProduto->setText(escolhido->texto(QStringLiteral("PRD_DESCRICAO")));
    }
    edtProduto->setFocus();
}

void TFrmRelatorio::escolheData(TMaskEdit* campo)
{
    const QString data = AbrirCalendario(this, campo->text());
    if (!data.isEmpty()) campo->setText(data);
    campo->setFocus();
}
