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
#include <QSignalBlocker>

TFrmCadEmbalagem::TFrmCadEmbalagem(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Cadastro de Embalagens"));
    auto* campos = new QGridLayout;
    FlatMaskEdit1 = new TMaskEdit(QStringLiteral("9999999;1;_"), this);
    FlatMaskEdit1->setObjectName(QStringLiteral("FlatMaskEdit1"));
    FlatMaskEdit1->setReadOnly(true);
    campos->addWidget(Rotulo(QStringLiteral("Código:"), FlatMaskEdit1), 0, 0);
    campos->addWidget(FlatMaskEdit1, 0, 1);
    FlatEdit1 = new QLineEdit(this);
    FlatEdit1->setObjectName(QStringLiteral("FlatEdit1"));
    FlatEdit1->setMaxLength(100);
    ForcaMaiusculas(FlatEdit1);
    campos->addWidget(Rotulo(QStringLiteral("Embalagem:"), FlatEdit1), 1, 0);
    campos->addWidget(FlatEdit1, 1, 1, 1, 2);
    CheckBox1 = new QCheckBox(QStringLiteral("Embalagem Ativa"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    campos->addWidget(CheckBox1, 2, 1);
    FlatEdit2 = new QLineEdit(this);
    FlatEdit2->setObjectName(QStringLiteral("FlatEdit2"));
    FlatEdit2->setMaxLength(50);
    ForcaMaiusculas(FlatEdit2);
    setTag(FlatEdit2, 1);
    campos->addWidget(Rotulo(QStringLiteral("&Localizar:"), FlatEdit2), 3, 0);
    campos->addWidget(FlatEdit2, 3, 1, 1, 2);
    corpo()->addLayout(campos);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setTabKeyNavigation(false); // Tab leaves the list
    DBGrid1->setConsulta(&DM->Qr_Embalagem,
                         {{QStringLiteral("emb_codigo"), QStringLiteral("Código"), 70},
                          {QStringLiteral("emb_descricao"), QStringLiteral("Embalagem"), 300},
                          {QStringLiteral("emb_ativa"), QStringLiteral("Ativa"), 50}});
    corpo()->addWidget(DBGrid1, 1);

    connect(FlatEdit1, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(FlatEdit2, &QLineEdit::textChanged, this,
            [this](const QString& t) { DBGrid1->localizar(QStringLiteral("emb_descricao"), t); });
    defineLista(DBGrid1, QStringLiteral("emb_codigo"));
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

void TFrmCadEmbalagem::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    if (m_mostrada) {
        return;
    }
    m_mostrada = true;
    limpa();
    ocioso();
    DM->Qr_Embalagem.setSQL({QStringLiteral("Select * from embalagem order by emb_descricao")});
    reabreLista();
}

void TFrmCadEmbalagem::limpa()
{
    // the search text stays, and the list keeps its row
    const QSignalBlocker bloqueio(FlatEdit2);
    const QString busca = FlatEdit2->text();
    LimpaCampos(this);
    FlatEdit2->setText(busca);
}

void TFrmCadEmbalagem::ocioso()
{
    HabilitaCampos(this, 3);
    CheckBox1->setEnabled(false);
}

void TFrmCadEmbalagem::reabreLista()
{
    try {
        DM->Qr_Embalagem.Open();
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
    DBGrid1->recarregar();
}

void TFrmCadEmbalagem::regraSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    BtnSalvar->setEnabled(!FlatMaskEdit1->maskText().trimmed().isEmpty() &&
                          !FlatEdit1->text().trimmed().isEmpty());
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
    CheckBox1->setEnabled(true);
    CheckBox1->setChecked(true); // "Embalagem Ativa" is ticked by default
    FlatMaskEdit1->setText(QString::number(codigo));
    regraSalvar();
    FlatEdit1->setFocus();
}

void TFrmCadEmbalagem::abreRegistro()
{
    if (EstadoCadastro != 3 || DM->Qr_Embalagem.IsEmpty() || DBGrid1->linhaAtual() < 0) {
        return;
    }
    TQuery& q = DM->Qr_Embalagem;
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    CheckBox1->setEnabled(true);
    FlatMaskEdit1->setText(q.AsString(QStringLiteral("emb_codigo")));
    FlatEdit1->setText(q.AsString(QStringLiteral("emb_descricao")));
    CheckBox1->setChecked(q.AsInteger(QStringLiteral("emb_ativa")) == 1);
    FlatMaskEdit1->setEnabled(false);
    regraSalvar();
    FlatEdit1->setFocus();
}

void TFrmCadEmbalagem::BtnSalvarClick()
{
    try {
        CadastroEmbalagem::salvar(*DM, FlatMaskEdit1->maskText().trimmed().toInt(), FlatEdit1->text(),
                                  CheckBox1->isChecked(), EstadoCadastro == 0);
        MensagensCadastro::avisaSucesso();
    } catch (const ErroBanco& e) {
        // nothing was written: the entries stay for the operator to correct or cancel
        MensagensCadastro::avisaErro(e);
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
    if (comoSeletor() || DM->Qr_Embalagem.IsEmpty() || DBGrid1->linhaAtual() < 0) {
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
