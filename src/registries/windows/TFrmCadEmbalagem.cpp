// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmCadEmbalagem.h"

#include "Dialogos.h"
#include "Embalagem.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TMaskEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFrmCadEmbalagem::TFrmCadEmbalagem(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Cadastro de Embalagens"));
    auto* campos = new QGridLayout;
    m_codigo = new TMaskEdit(QStringLiteral("9999999;1;_"), this);
    m_codigo->setObjectName(QStringLiteral("FlatMaskEdit1"));
    m_codigo->setReadOnly(true);
    campos->addWidget(Rotulo(QStringLiteral("Código:"), m_codigo), 0, 0);
    campos->addWidget(m_codigo, 0, 1);
    m_descricao = CampoMaiusculo(this, QStringLiteral("FlatEdit1"), 100);
    campos->addWidget(Rotulo(QStringLiteral("Embalagem:"), m_descricao), 1, 0);
    campos->addWidget(m_descricao, 1, 1, 1, 2);
    m_ativa = new QCheckBox(QStringLiteral("Embalagem Ativa"), this);
    m_ativa->setObjectName(QStringLiteral("CheckBox1"));
    campos->addWidget(m_ativa, 2, 1);
    m_localizar = CampoLocalizar(this, QStringLiteral("FlatEdit2"), 50);
    campos->addWidget(Rotulo(QStringLiteral("&Localizar:"), m_localizar), 3, 0);
    campos->addWidget(m_localizar, 3, 1, 1, 2);
    corpo()->addLayout(campos);

    m_grade = new TDBGrid(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    m_grade->setTabKeyNavigation(false); // Tab leaves the list
    m_grade->setConsulta(&DM->Qr_Embalagem,
                         {{QStringLiteral("emb_codigo"), QStringLiteral("Código"), 70},
                          {QStringLiteral("emb_descricao"), QStringLiteral("Embalagem"), 300},
                          {QStringLiteral("emb_ativa"), QStringLiteral("Ativa"), 50}});
    corpo()->addWidget(m_grade, 1);

    connect(m_descricao, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(m_localizar, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_grade->localizar(QStringLiteral("emb_descricao"), t); });
    m_grade->setCampoLocalizar(m_localizar);
    defineLista(m_grade, QStringLiteral("emb_codigo"), Leitura::Paginas);
    ocioso();
}

void TFrmCadEmbalagem::aoVirarSeletor()
{
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w)) {
            w->hide();
        }
    }
}

void TFrmCadEmbalagem::aoMostrar()
{
    limpa();
    ocioso();
    DM->Qr_Embalagem.setSQL({QStringLiteral("Select * from embalagem order by emb_descricao")});
    reabreLista();
}

void TFrmCadEmbalagem::limpa()
{
    LimpaCampos(this, m_localizar); // the search text stays, and the list keeps its row
}

void TFrmCadEmbalagem::ocioso()
{
    HabilitaCampos(this, 3);
    m_ativa->setEnabled(false);
}

void TFrmCadEmbalagem::reabreLista()
{
    abreLista();
}

void TFrmCadEmbalagem::regraSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    BtnSalvar->setEnabled(!m_codigo->maskText().trimmed().isEmpty() &&
                          !m_descricao->text().trimmed().isEmpty());
}

void TFrmCadEmbalagem::BtnNovoClick()
{
    int codigo = 0;
    try {
        codigo = CadastroEmbalagem::proximoCodigo(*DM);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return;
    }
    limpa();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    m_ativa->setEnabled(true);
    m_ativa->setChecked(true); // "Embalagem Ativa" is ticked by default
    m_codigo->setText(QString::number(codigo));
    regraSalvar();
    m_descricao->setFocus();
}

void TFrmCadEmbalagem::abreRegistro()
{
    if (EstadoCadastro != 3 || DM->Qr_Embalagem.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    TQuery& q = DM->Qr_Embalagem;
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    m_ativa->setEnabled(true);
    m_codigo->setText(q.AsString(QStringLiteral("emb_codigo")));
    m_descricao->setText(q.AsString(QStringLiteral("emb_descricao")));
    m_ativa->setChecked(q.AsInteger(QStringLiteral("emb_ativa")) == 1);
    m_codigo->setEnabled(false);
    regraSalvar();
    m_descricao->setFocus();
}

void TFrmCadEmbalagem::BtnSalvarClick()
{
    if (!MensagensCadastro::grava([this] {
            CadastroEmbalagem::salvar(*DM, m_codigo->maskText().trimmed().toInt(), m_descricao->text(),
                                      m_ativa->isChecked(), EstadoCadastro == 0);
        })) {
        return;
    }
    limpa();
    TFrmPadrao::BtnSalvarClick();
    ocioso();
    reabreLista();
}

void TFrmCadEmbalagem::BtnCancelarClick()
{
    limpa();
    TFrmPadrao::BtnCancelarClick();
    ocioso();
}

void TFrmCadEmbalagem::btnExcluirClick()
{
    if (comoSeletor() || DM->Qr_Embalagem.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    try {
        CadastroEmbalagem::excluir(*DM, DM->Qr_Embalagem.AsInteger(QStringLiteral("emb_codigo")));
        reabreLista();
        MensagensCadastro::avisaSucesso();
    } catch (const ErroBanco&) {
        MensagensCadastro::avisaEmUso();
    }
}

void TFrmCadEmbalagem::btnSairClick()
{
    // an empty list closes without the usual question
    if (!DM->Qr_Embalagem.Active() || DM->Qr_Embalagem.IsEmpty()) {
        close();
        return;
    }
    TFrmPadrao::btnSairClick();
}
