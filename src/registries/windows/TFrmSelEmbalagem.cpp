#include "TFrmSelEmbalagem.h"

#include "Dialogos.h"
#include "Embalagem.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "NumeroDigitado.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmCadEmbalagem.h"
#include "TMaskEdit.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TFrmSelEmbalagem::TFrmSelEmbalagem(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Seleção de Embalagens"));
    auto* campos = new QGridLayout;
    FlatEdit1 = new QLineEdit(this);
    FlatEdit1->setObjectName(QStringLiteral("FlatEdit1"));
    FlatEdit1->setReadOnly(true);
    setTag(FlatEdit1, 1);
    FlatEdit2 = new QLineEdit(this);
    FlatEdit2->setObjectName(QStringLiteral("FlatEdit2"));
    FlatEdit2->setReadOnly(true);
    setTag(FlatEdit2, 1);
    campos->addWidget(Rotulo(QStringLiteral("&Produto:"), FlatEdit1), 0, 0);
    campos->addWidget(FlatEdit1, 0, 1);
    campos->addWidget(FlatEdit2, 0, 2, 1, 2);

    FlatMaskEdit10 = new TMaskEdit(QStringLiteral("9999999;1;_"), this);
    FlatMaskEdit10->setObjectName(QStringLiteral("FlatMaskEdit10"));
    FlatMaskEdit10->setToolTip(
        QStringLiteral("Pressione F2 para localizar as Embalagens disponíveis para este produto."));
    SpeedButton1 = BotaoPesquisa(this, QStringLiteral("SpeedButton1"), QStringLiteral("Pesquisar embalagem"));
    FlatEdit3 = new QLineEdit(this);
    FlatEdit3->setObjectName(QStringLiteral("FlatEdit3"));
    FlatEdit3->setReadOnly(true);
    FlatEdit3->setFocusPolicy(Qt::NoFocus);
    campos->addWidget(Rotulo(QStringLiteral("Embalagem:"), FlatMaskEdit10), 1, 0);
    campos->addWidget(FlatMaskEdit10, 1, 1);
    campos->addWidget(SpeedButton1, 1, 2);
    campos->addWidget(FlatEdit3, 1, 3);

    FlatMaskEdit6 = new QLineEdit(this);
    FlatMaskEdit6->setObjectName(QStringLiteral("FlatMaskEdit6"));
    FlatMaskEdit6->setMaxLength(10);
    FiltroNumerico(FlatMaskEdit6);
    campos->addWidget(Rotulo(QStringLiteral("Peso:"), FlatMaskEdit6), 2, 0);
    campos->addWidget(FlatMaskEdit6, 2, 1);
    corpo()->addLayout(campos);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setTabKeyNavigation(false); // Tab leaves the list
    DBGrid1->setConsulta(&DM->Qr_ProdEmb,
                         {{QStringLiteral("emb_descricao"), QStringLiteral("Embalagem"), 300},
                          {QStringLiteral("pre_peso"), QStringLiteral("Peso"), 100}});
    corpo()->addWidget(DBGrid1, 1);

    AoSair(FlatMaskEdit10, [this] { buscaEmbalagem(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { escolheEmbalagem(); });
    connect(FlatEdit3, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(FlatMaskEdit10, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(FlatMaskEdit6, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    defineLista(DBGrid1, QStringLiteral("emb_codigo"));
    HabilitaCampos(this, 3);
}

void TFrmSelEmbalagem::setProduto(const QString& codigo, const QString& descricao)
{
    FlatEdit1->setText(codigo.trimmed());
    FlatEdit2->setText(descricao);
}

void TFrmSelEmbalagem::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    if (m_mostrada) {
        return;
    }
    m_mostrada = true;
    HabilitaCampos(this, 3);
    reabreLista();
}

void TFrmSelEmbalagem::reabreLista()
{
    TQuery& q = DM->Qr_ProdEmb;
    q.Clear();
    q.Add(QStringLiteral("select PE.*, e.emb_descricao from produto_embalagem PE"));
    q.Add(QStringLiteral("left join Embalagem E on E.emb_codigo=pe.emb_codigo"));
    q.Add(QStringLiteral("where prd_codigo=:prd"));
    q.Add(QStringLiteral("order by emb_descricao"));
    q.setParam(QStringLiteral("prd"), FlatEdit1->text().trimmed());
    try {
        q.Open();
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
    DBGrid1->recarregar();
}

void TFrmSelEmbalagem::buscaEmbalagem()
{
    const QString codigo = FlatMaskEdit10->maskText().trimmed();
    if (codigo.isEmpty()) {
        FlatEdit3->clear();
        return;
    }
    try {
        FlatEdit3->setText(
            CadastroEmbalagem::descricaoAtiva(*DM, codigo).value_or(MensagensCadastro::naoCadastrado()));
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
}

void TFrmSelEmbalagem::escolheEmbalagem()
{
    if (EstadoCadastro != 0) {
        return; // the packaging of an open row stays
    }
    TFrmCadEmbalagem embalagens(this);
    const auto e = embalagens.escolher();
    FlatMaskEdit10->setText(e ? QString::number(e->codigo) : QString());
    // an inactive type chosen from the list still cannot be assigned
    buscaEmbalagem();
    FlatMaskEdit6->setFocus();
}

void TFrmSelEmbalagem::regraSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    BtnSalvar->setEnabled(!FlatMaskEdit10->maskText().trimmed().isEmpty() &&
                          FlatEdit3->text() != MensagensCadastro::naoCadastrado() &&
                          NumeroDigitado(FlatMaskEdit6->text()).has_value());
}

void TFrmSelEmbalagem::limpa()
{
    FlatMaskEdit10->clear();
    FlatEdit3->clear();
    FlatMaskEdit6->clear();
}

void TFrmSelEmbalagem::BtnNovoClick()
{
    limpa();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    regraSalvar();
    FlatMaskEdit10->setFocus();
}

void TFrmSelEmbalagem::abreRegistro()
{
    TQuery& q = DM->Qr_ProdEmb;
    if (EstadoCadastro != 3 || q.IsEmpty() || DBGrid1->linhaAtual() < 0) {
        return;
    }
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    FlatMaskEdit10->setText(q.AsString(QStringLiteral("emb_codigo")));
    FlatEdit3->setText(q.AsString(QStringLiteral("emb_descricao")));
    FlatMaskEdit6->setText(q.AsDecimal(QStringLiteral("pre_peso")).toShortString());
    FlatMaskEdit10->setEnabled(false);
    SpeedButton1->setEnabled(false);
    regraSalvar();
    FlatMaskEdit6->setFocus();
}

void TFrmSelEmbalagem::BtnSalvarClick()
{
    const QString codigo = FlatMaskEdit10->maskText().trimmed();
    const auto peso = NumeroDigitado(FlatMaskEdit6->text());
    if (codigo.isEmpty() || !peso) {
        return;
    }
    try {
        // looked up again: the type may have been made inactive meanwhile
        if (EstadoCadastro == 0 && !CadastroEmbalagem::descricaoAtiva(*DM, codigo)) {
            FlatEdit3->setText(MensagensCadastro::naoCadastrado());
            FlatMaskEdit10->setFocus();
            return;
        }
        CadastroEmbalagem::salvarDoProduto(*DM, FlatEdit1->text(), codigo.toInt(), *peso,
                                           EstadoCadastro == 0);
        MensagensCadastro::avisaSucesso();
    } catch (const ErroBanco& e) {
        // nothing was written: the entries stay for the operator to correct or cancel
        MensagensCadastro::avisaErro(e);
        return;
    }
    limpa();
    TFrmPadrao::BtnSalvarClick();
    HabilitaCampos(this, 3);
    reabreLista();
    regraSalvar();
}

void TFrmSelEmbalagem::BtnCancelarClick()
{
    limpa();
    TFrmPadrao::BtnCancelarClick();
    HabilitaCampos(this, 3);
}

void TFrmSelEmbalagem::btnExcluirClick()
{
    TQuery& q = DM->Qr_ProdEmb;
    if (q.IsEmpty() || DBGrid1->linhaAtual() < 0) {
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    try {
        CadastroEmbalagem::excluirDoProduto(*DM, FlatEdit1->text(),
                                            q.AsInteger(QStringLiteral("emb_codigo")));
        reabreLista();
        MensagensCadastro::avisaSucesso();
    } catch (const ErroBanco&) {
        MensagensCadastro::avisaEmUso();
    }
}

bool TFrmSelEmbalagem::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    // the hint of the packaging code promises the list on F2
    if (alvo == FlatMaskEdit10 && e->key() == Qt::Key_F2) {
        escolheEmbalagem();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}
