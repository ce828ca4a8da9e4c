// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmUmidade.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "FatorCorrecao.h"
#include "FiltrosCampo.h"
#include "LeConfig.h"
#include "MensagensCadastro.h"
#include "NumeroDigitado.h"
#include "Produto.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmCadProdutos.h"
#include "TMaskEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TFrmUmidade::TFrmUmidade(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Cadastro dos Fatores de Correção da Pesagem"));
    auto* campos = new QGridLayout;
    m_produto = new TMaskEdit(QStringLiteral("9999999999999"), this); // an EAN-13 code whole
    m_produto->setObjectName(QStringLiteral("FlatMaskEdit1"));
    if (LeConfig(*DM).inteiro(QStringLiteral("CFG_PRDALFA")) == 1) {
        // alphanumeric product codes cannot go through a digits mask
        m_produto->setMascara(QString());
        m_produto->setMaxLength(13);
    }
    m_btnProdutos = BotaoPesquisa(this, QStringLiteral("SpeedButton1"), QStringLiteral("Pesquisar produto"));
    m_descricaoProduto = CampoNomeDoCodigo(this, QStringLiteral("FlatEdit1"));
    campos->addWidget(Rotulo(QStringLiteral("Produto:"), m_produto), 0, 0);
    campos->addWidget(m_produto, 0, 1);
    campos->addWidget(m_btnProdutos, 0, 2);
    campos->addWidget(m_descricaoProduto, 0, 3, 1, 2);
    m_valor = CampoNumero(this, QStringLiteral("FlatMaskEdit2"), 6);
    campos->addWidget(Rotulo(QStringLiteral("Fator:"), m_valor), 1, 0);
    campos->addWidget(m_valor, 1, 1);
    campos->addWidget(new QLabel(QStringLiteral("%"), this), 1, 2);
    m_tipo = new QComboBox(this);
    m_tipo->setObjectName(QStringLiteral("ComboBox1"));
    m_tipo->addItems({QStringLiteral("Fator 7"), QStringLiteral("Fator 8"), QStringLiteral("Fator 9"),
                      QStringLiteral("Fator 10")});
    setTag(m_tipo, 1); // the list follows the type in every state
    campos->addWidget(Rotulo(QStringLiteral("Tipo:"), m_tipo), 1, 3);
    campos->addWidget(m_tipo, 1, 4);
    corpo()->addLayout(campos);

    m_grade = new TDBGrid(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    m_grade->setTabKeyNavigation(false); // Tab leaves the list
    m_grade->setConsulta(
        &DM->QR_Umidade,
        {{QStringLiteral("prd_codigo"), QStringLiteral("Código"), 110},
         {QStringLiteral("prd_descricao"), QStringLiteral("Produto"), 280},
         {QStringLiteral("umi_umidade"), QStringLiteral("Fator"), 80, QColor(),
          [](const QVariant& v) { return v.isNull() ? QString() : Decimal::fromVariant(v).toString(2); }}});
    corpo()->addWidget(m_grade, 1);

    AoSair(m_produto, [this] { buscaProduto(); });
    AoSair(m_valor, [this] { saiValor(); });
    defineLista(m_grade, QStringLiteral("prd_codigo"));
    AoSair(m_grade, [this] {
        if (comoSeletor()) {
            close(); // leaving the list closes the selection
        }
    });
    connect(m_tipo, &QComboBox::activated, this, [this] { buscaProduto(); });
    connect(m_btnProdutos, &QToolButton::clicked, this, [this] { escolheProduto(); });
    for (QLineEdit* e : {static_cast<QLineEdit*>(m_produto), m_descricaoProduto, m_valor}) {
        connect(e, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    }
    ocioso();
}

void TFrmUmidade::setSelecao(const QString& prdCodigo, int fator)
{
    m_fatorSel = qBound(7, fator, 10);
    m_produto->setText(prdCodigo.trimmed());
    abrirComoSeletor();
}

void TFrmUmidade::aoVirarSeletor()
{
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->parentWidget() == this && w != m_grade &&
            (qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) ||
             qobject_cast<QToolButton*>(w))) {
            w->setVisible(false);
            w->setFocusPolicy(Qt::NoFocus);
        }
    }
}

void TFrmUmidade::aoMostrar()
{
    LeConfig cfg(*DM);
    for (int i = 0; i < 4; ++i) {
        const QString nome = cfg.texto(QStringLiteral("CFG_FATOR%1").arg(i + 7)).trimmed();
        if (!nome.isEmpty()) {
            m_tipo->setItemText(i, nome);
        }
    }
    m_tipo->setCurrentIndex(comoSeletor() ? m_fatorSel - 7 : 0);
    buscaProduto();
}

void TFrmUmidade::ocioso()
{
    HabilitaCampos(this, 3);
}

void TFrmUmidade::reabreLista(const QString& prdCodigo)
{
    TQuery& q = DM->QR_Umidade;
    q.setParam(QStringLiteral("prd_codigo"), prdCodigo);
    q.setParam(QStringLiteral("tipo"), tipo());
    abreLista();
}

void TFrmUmidade::buscaProduto()
{
    const QString codigo = m_produto->maskText().trimmed();
    if (codigo.isEmpty()) {
        m_descricaoProduto->clear();
        reabreLista(codigo);
        return;
    }
    try {
        const auto d = CadastroProduto::descricao(*DM, codigo);
        m_descricaoProduto->setText(d.value_or(MensagensCadastro::naoCadastrado()));
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
    reabreLista(codigo);
}

void TFrmUmidade::saiValor()
{
    if (EstadoCadastro == 3 || comoSeletor()) {
        return;
    }
    const QString erro = CadastroFator::validaValor(m_valor->text());
    if (!erro.isEmpty()) {
        m_valor->clear();
        MensagensCadastro::informa(erro);
        Refoca(m_valor);
        return;
    }
    const Decimal valor = *NumeroDigitado(m_valor->text());
    try {
        if (CadastroFator::existe(*DM, m_produto->maskText().trimmed(), valor, tipo())) {
            m_produto->clear();
            m_valor->clear();
            Mensagem(QStringLiteral("Fator de Correção já cadastrado!"), QStringLiteral("Informação"),
                     Msg::Informacao);
            Refoca(m_produto);
            return;
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return;
    }
    m_valor->setText(valor.toString(2));
}

void TFrmUmidade::regraSalvar()
{
    if (EstadoCadastro == 3 || comoSeletor()) {
        return;
    }
    // 100 or more never saves; leaving the field clears it with its message
    // (clearing it here, while typed, would turn "150,5" into ",5")
    const auto valor = NumeroDigitado(m_valor->text());
    const QString descricao = m_descricaoProduto->text();
    BtnSalvar->setEnabled(!m_produto->maskText().trimmed().isEmpty() && !descricao.isEmpty() &&
                          descricao != MensagensCadastro::naoCadastrado() && valor.has_value() &&
                          *valor < Decimal::fromInt(100));
}

void TFrmUmidade::escolheProduto()
{
    if (comoSeletor() || EstadoCadastro == 3) {
        return;
    }
    TFrmCadProdutos produtos(this);
    const auto e = produtos.escolher();
    m_produto->setText(e ? e->texto(QStringLiteral("prd_codigo")) : QString());
    m_descricaoProduto->setText(e ? e->texto(QStringLiteral("prd_descricao")) : QString());
    reabreLista(m_produto->maskText().trimmed());
    m_valor->setFocus();
}

void TFrmUmidade::BtnNovoClick()
{
    m_valor->clear();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    regraSalvar();
    m_produto->setFocus();
}

void TFrmUmidade::BtnSalvarClick()
{
    if (EstadoCadastro != 0) {
        Mensagem(QStringLiteral("Alteração sem permissão"), QStringLiteral("Erro"), Msg::Erro);
    } else {
        const QString produto = m_produto->maskText().trimmed();
        const auto valor = NumeroDigitado(m_valor->text());
        if (produto.isEmpty() || !valor) {
            return;
        }
        try {
            CadastroFator::inserir(*DM, produto, *valor, tipo());
            MensagensCadastro::avisaSucesso();
        } catch (const ErroBanco& e) {
            bool duplicado = false;
            try {
                duplicado = CadastroFator::existe(*DM, produto, *valor, tipo());
            } catch (const ErroBanco&) {
            }
            Mensagem(duplicado
                         ? QStringLiteral("Erro ao efetuar a operação\rFator de correção já cadastrado.")
                         : MensagensCadastro::erroOperacao(e.texto()),
                     QStringLiteral("Erro"), Msg::Erro);
            if (!duplicado) {
                return; // nothing was written: the entries stay for the operator to correct or cancel
            }
        }
    }
    m_valor->clear();
    TFrmPadrao::BtnSalvarClick();
    ocioso();
    m_produto->setFocus();
    buscaProduto();
}

void TFrmUmidade::BtnCancelarClick()
{
    m_produto->clear();
    m_descricaoProduto->clear();
    m_valor->clear();
    TFrmPadrao::BtnCancelarClick();
    ocioso();
}

void TFrmUmidade::btnExcluirClick()
{
    TQuery& q = DM->QR_Umidade;
    if (!q.Active() || q.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    const QString produto = q.AsString(QStringLiteral("prd_codigo"));
    try {
        CadastroFator::excluir(*DM, produto, q.AsDecimal(QStringLiteral("umi_umidade")),
                               q.AsInteger(QStringLiteral("umi_tipo")));
        MensagensCadastro::avisaSucesso();
    } catch (const ErroBanco&) {
        MensagensCadastro::avisaEmUso();
    }
    reabreLista(produto);
}

bool TFrmUmidade::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (alvo == m_produto && e->key() == Qt::Key_F2) {
        escolheProduto();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}

QString TFrmUmidade::valorSelecionado() const
{
    const auto e = escolha();
    if (!e || e->valor(QStringLiteral("umi_umidade")).isNull()) {
        return QString();
    }
    return Decimal::fromVariant(e->valor(QStringLiteral("umi_umidade"))).toString(2);
}

int TFrmUmidade::tipo() const
{
    return m_tipo->currentIndex() + 7;
}
