// SPDX-License-Identifier: GPL-3.0-or-later
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
    m_produtoCodigo = new QLineEdit(this);
    m_produtoCodigo->setObjectName(QStringLiteral("FlatEdit1"));
    m_produtoCodigo->setReadOnly(true);
    setTag(m_produtoCodigo, 1);
    m_produtoDescricao = new QLineEdit(this);
    m_produtoDescricao->setObjectName(QStringLiteral("FlatEdit2"));
    m_produtoDescricao->setReadOnly(true);
    setTag(m_produtoDescricao, 1);
    campos->addWidget(Rotulo(QStringLiteral("&Produto:"), m_produtoCodigo), 0, 0);
    campos->addWidget(m_produtoCodigo, 0, 1);
    campos->addWidget(m_produtoDescricao, 0, 2, 1, 2);

    m_embalagem = new TMaskEdit(QStringLiteral("9999999;1;_"), this);
    m_embalagem->setObjectName(QStringLiteral("FlatMaskEdit10"));
    m_embalagem->setToolTip(
        QStringLiteral("Pressione F2 para localizar as Embalagens disponíveis para este produto."));
    m_btnEmbalagens =
        BotaoPesquisa(this, QStringLiteral("SpeedButton1"), QStringLiteral("Pesquisar embalagem"));
    m_embalagemDescricao = CampoNomeDoCodigo(this, QStringLiteral("FlatEdit3"));
    campos->addWidget(Rotulo(QStringLiteral("Embalagem:"), m_embalagem), 1, 0);
    campos->addWidget(m_embalagem, 1, 1);
    campos->addWidget(m_btnEmbalagens, 1, 2);
    campos->addWidget(m_embalagemDescricao, 1, 3);

    m_peso = CampoNumero(this, QStringLiteral("FlatMaskEdit6"), 10);
    campos->addWidget(Rotulo(QStringLiteral("Peso:"), m_peso), 2, 0);
    campos->addWidget(m_peso, 2, 1);
    corpo()->addLayout(campos);

    m_grade = new TDBGrid(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    m_grade->setTabKeyNavigation(false); // Tab leaves the list
    m_grade->setConsulta(&DM->Qr_ProdEmb,
                         {{QStringLiteral("emb_descricao"), QStringLiteral("Embalagem"), 300},
                          {QStringLiteral("pre_peso"), QStringLiteral("Peso"), 100}});
    corpo()->addWidget(m_grade, 1);

    AoSair(m_embalagem, [this] { buscaEmbalagem(); });
    connect(m_btnEmbalagens, &QToolButton::clicked, this, [this] { escolheEmbalagem(); });
    connect(m_embalagemDescricao, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(m_embalagem, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(m_peso, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    defineLista(m_grade, QStringLiteral("emb_codigo"));
    HabilitaCampos(this, 3);
}

void TFrmSelEmbalagem::setProduto(const QString& codigo, const QString& descricao)
{
    m_produtoCodigo->setText(codigo.trimmed());
    m_produtoDescricao->setText(descricao);
}

void TFrmSelEmbalagem::aoMostrar()
{
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
    q.setParam(QStringLiteral("prd"), m_produtoCodigo->text().trimmed());
    abreLista();
}

void TFrmSelEmbalagem::buscaEmbalagem()
{
    const QString codigo = m_embalagem->maskText().trimmed();
    if (codigo.isEmpty()) {
        m_embalagemDescricao->clear();
        return;
    }
    try {
        m_embalagemDescricao->setText(
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
    m_embalagem->setText(e ? QString::number(e->codigo) : QString());
    // an inactive type chosen from the list still cannot be assigned
    buscaEmbalagem();
    m_peso->setFocus();
}

void TFrmSelEmbalagem::regraSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    BtnSalvar->setEnabled(!m_embalagem->maskText().trimmed().isEmpty() &&
                          m_embalagemDescricao->text() != MensagensCadastro::naoCadastrado() &&
                          NumeroDigitado(m_peso->text()).has_value());
}

void TFrmSelEmbalagem::limpa()
{
    m_embalagem->clear();
    m_embalagemDescricao->clear();
    m_peso->clear();
}

void TFrmSelEmbalagem::BtnNovoClick()
{
    limpa();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    regraSalvar();
    m_embalagem->setFocus();
}

void TFrmSelEmbalagem::abreRegistro()
{
    TQuery& q = DM->Qr_ProdEmb;
    if (EstadoCadastro != 3 || q.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    m_embalagem->setText(q.AsString(QStringLiteral("emb_codigo")));
    m_embalagemDescricao->setText(q.AsString(QStringLiteral("emb_descricao")));
    m_peso->setText(q.AsDecimal(QStringLiteral("pre_peso")).toShortString());
    m_embalagem->setEnabled(false);
    m_btnEmbalagens->setEnabled(false);
    regraSalvar();
    m_peso->setFocus();
}

void TFrmSelEmbalagem::BtnSalvarClick()
{
    const QString codigo = m_embalagem->maskText().trimmed();
    const auto peso = NumeroDigitado(m_peso->text());
    if (codigo.isEmpty() || !peso) {
        return;
    }
    try {
        // looked up again: the type may have been made inactive meanwhile
        if (EstadoCadastro == 0 && !CadastroEmbalagem::descricaoAtiva(*DM, codigo)) {
            m_embalagemDescricao->setText(MensagensCadastro::naoCadastrado());
            m_embalagem->setFocus();
            return;
        }
        CadastroEmbalagem::salvarDoProduto(*DM, m_produtoCodigo->text(), codigo.toInt(), *peso,
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
    if (q.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    try {
        CadastroEmbalagem::excluirDoProduto(*DM, m_produtoCodigo->text(),
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
    if (alvo == m_embalagem && e->key() == Qt::Key_F2) {
        escolheEmbalagem();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}
