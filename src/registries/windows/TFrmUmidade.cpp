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

namespace
{
const QString naoCadastrado = QStringLiteral("NÃO CADASTRADO");
}

TFrmUmidade::TFrmUmidade(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Cadastro dos Fatores de Correção da Pesagem"));
    auto* campos = new QGridLayout;
    FlatMaskEdit1 = new TMaskEdit(QStringLiteral("9999999999999"), this);
    FlatMaskEdit1->setObjectName(QStringLiteral("FlatMaskEdit1"));
    if (LeConfig(*DM).inteiro(QStringLiteral("CFG_PRDALFA")) == 1) {
        // alphanumeric product codes cannot go through a digits mask
        FlatMaskEdit1->setMascara(QString());
        FlatMaskEdit1->setMaxLength(13);
    }
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    FlatEdit1 = new QLineEdit(this);
    FlatEdit1->setObjectName(QStringLiteral("FlatEdit1"));
    FlatEdit1->setReadOnly(true);
    FlatEdit1->setFocusPolicy(Qt::NoFocus);
    campos->addWidget(Rotulo(QStringLiteral("Produto:"), FlatMaskEdit1), 0, 0);
    campos->addWidget(FlatMaskEdit1, 0, 1);
    campos->addWidget(SpeedButton1, 0, 2);
    campos->addWidget(FlatEdit1, 0, 3, 1, 2);
    FlatMaskEdit2 = new QLineEdit(this);
    FlatMaskEdit2->setObjectName(QStringLiteral("FlatMaskEdit2"));
    FlatMaskEdit2->setMaxLength(6);
    FiltroNumerico(FlatMaskEdit2);
    campos->addWidget(Rotulo(QStringLiteral("Fator:"), FlatMaskEdit2), 1, 0);
    campos->addWidget(FlatMaskEdit2, 1, 1);
    campos->addWidget(new QLabel(QStringLiteral("%"), this), 1, 2);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Fator 7"), QStringLiteral("Fator 8"), QStringLiteral("Fator 9"),
                         QStringLiteral("Fator 10")});
    setTag(ComboBox1, 1); // the list follows the type in every state
    campos->addWidget(Rotulo(QStringLiteral("Tipo:"), ComboBox1), 1, 3);
    campos->addWidget(ComboBox1, 1, 4);
    corpo()->addLayout(campos);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setTabKeyNavigation(false); // Tab leaves the list
    DBGrid1->setConsulta(
        &DM->QR_Umidade,
        {{QStringLiteral("prd_codigo"), QStringLiteral("Código"), 110},
         {QStringLiteral("prd_descricao"), QStringLiteral("Produto"), 280},
         {QStringLiteral("umi_umidade"), QStringLiteral("Fator"), 80, QColor(),
          [](const QVariant& v) { return v.isNull() ? QString() : Decimal::fromVariant(v).toString(2); }}});
    corpo()->addWidget(DBGrid1, 1);

    AoSair(FlatMaskEdit1, [this] { buscaProduto(); });
    AoSair(FlatMaskEdit2, [this] { saiValor(); });
    AoSair(DBGrid1, [this] {
        if (m_selecao) {
            close(); // leaving the list closes the selection
        }
    });
    connect(ComboBox1, &QComboBox::activated, this, [this] { buscaProduto(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { escolheProduto(); });
    for (QLineEdit* e : {static_cast<QLineEdit*>(FlatMaskEdit1), FlatEdit1, FlatMaskEdit2}) {
        connect(e, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    }
    ocioso();
}

void TFrmUmidade::setSelecao(const QString& prdCodigo, int fator)
{
    m_selecao = true;
    m_fatorSel = qBound(7, fator, 10);
    FlatMaskEdit1->setText(prdCodigo.trimmed());
    for (QPushButton* b : {BtnNovo, BtnSalvar, btnExcluir, BtnCancelar}) {
        b->setVisible(false);
        b->setEnabled(false);
    }
    btnSair->setText(QStringLiteral("&OK"));
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w->parentWidget() == this && w != DBGrid1 &&
            (qobject_cast<QLineEdit*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QComboBox*>(w) ||
             qobject_cast<QToolButton*>(w))) {
            w->setVisible(false);
            w->setFocusPolicy(Qt::NoFocus);
        }
    }
}

void TFrmUmidade::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    if (m_mostrada) {
        return;
    }
    m_mostrada = true;
    LeConfig cfg(*DM);
    for (int i = 0; i < 4; ++i) {
        const QString nome = cfg.texto(QStringLiteral("CFG_FATOR%1").arg(i + 7)).trimmed();
        if (!nome.isEmpty()) {
            ComboBox1->setItemText(i, nome);
        }
    }
    ComboBox1->setCurrentIndex(m_selecao ? m_fatorSel - 7 : 0);
    buscaProduto();
    if (m_selecao) {
        for (QPushButton* b : {BtnNovo, BtnSalvar, btnExcluir, BtnCancelar}) {
            b->setEnabled(false);
        }
        DBGrid1->setFocus();
    }
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
    try {
        q.Open();
    } catch (const ErroBanco& e) {
        Mensagem(MensagensCadastro::erroOperacao(e.texto()), QStringLiteral("Erro"), Msg::Erro);
    }
    DBGrid1->recarregar();
}

void TFrmUmidade::buscaProduto()
{
    const QString codigo = FlatMaskEdit1->maskText().trimmed();
    if (codigo.isEmpty()) {
        FlatEdit1->clear();
        reabreLista(codigo);
        return;
    }
    try {
        const auto d = CadastroProduto::descricao(*DM, codigo);
        FlatEdit1->setText(d.value_or(naoCadastrado));
    } catch (const ErroBanco& e) {
        Mensagem(MensagensCadastro::erroOperacao(e.texto()), QStringLiteral("Erro"), Msg::Erro);
    }
    reabreLista(codigo);
}

void TFrmUmidade::saiValor()
{
    if (EstadoCadastro == 3 || m_selecao) {
        return;
    }
    const QString erro = CadastroFator::validaValor(FlatMaskEdit2->text());
    if (!erro.isEmpty()) {
        FlatMaskEdit2->clear();
        Mensagem(erro, QStringLiteral("Informação"), Msg::Informacao);
        return;
    }
    const Decimal valor = *NumeroDigitado(FlatMaskEdit2->text());
    try {
        if (CadastroFator::existe(*DM, FlatMaskEdit1->maskText().trimmed(), valor, tipo())) {
            FlatMaskEdit1->clear();
            FlatMaskEdit2->clear();
            Mensagem(QStringLiteral("Fator de Correção já cadastrado!"), QStringLiteral("Informação"),
                     Msg::Informacao);
            FlatMaskEdit1->setFocus();
            return;
        }
    } catch (const ErroBanco& e) {
        Mensagem(MensagensCadastro::erroOperacao(e.texto()), QStringLiteral("Erro"), Msg::Erro);
        return;
    }
    FlatMaskEdit2->setText(valor.toString(2));
}

void TFrmUmidade::regraSalvar()
{
    if (EstadoCadastro == 3 || m_selecao) {
        return;
    }
    // 100 or more never saves; leaving the field clears it with its message
    // (clearing it here, while typed, would turn "150,5" into ",5")
    const auto valor = NumeroDigitado(FlatMaskEdit2->text());
    const QString descricao = FlatEdit1->text();
    BtnSalvar->setEnabled(!FlatMaskEdit1->maskText().trimmed().isEmpty() && !descricao.isEmpty() &&
                          descricao != naoCadastrado && valor.has_value() && *valor < Decimal::fromInt(100));
}

void TFrmUmidade::escolheProduto()
{
    if (m_selecao || EstadoCadastro == 3) {
        return;
    }
    auto* f = new TFrmCadProdutos(this);
    f->setModoSelecao(true);
    f->exec();
    FlatMaskEdit1->setText(f->codigoSelecionado());
    FlatEdit1->setText(f->descricaoSelecionada());
    delete f;
    reabreLista(FlatMaskEdit1->maskText().trimmed());
    FlatMaskEdit2->setFocus();
}

void TFrmUmidade::BtnNovoClick()
{
    FlatMaskEdit2->clear();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    regraSalvar();
    FlatMaskEdit1->setFocus();
}

void TFrmUmidade::BtnSalvarClick()
{
    if (EstadoCadastro != 0) {
        Mensagem(QStringLiteral("Alteração sem permissão"), QStringLiteral("Erro"), Msg::Erro);
    } else {
        const QString produto = FlatMaskEdit1->maskText().trimmed();
        const auto valor = NumeroDigitado(FlatMaskEdit2->text());
        if (produto.isEmpty() || !valor) {
            return;
        }
        try {
            CadastroFator::inserir(*DM, produto, *valor, tipo());
            Mensagem(MensagensCadastro::sucesso(), QStringLiteral("Sucesso"), Msg::Informacao);
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
    FlatMaskEdit2->clear();
    TFrmPadrao::BtnSalvarClick();
    ocioso();
    FlatMaskEdit1->setFocus();
    buscaProduto();
}

void TFrmUmidade::BtnCancelarClick()
{
    FlatMaskEdit1->clear();
    FlatEdit1->clear();
    FlatMaskEdit2->clear();
    TFrmPadrao::BtnCancelarClick();
    ocioso();
}

void TFrmUmidade::btnExcluirClick()
{
    TQuery& q = DM->QR_Umidade;
    if (!q.Active() || q.IsEmpty() || DBGrid1->linhaAtual() < 0) {
        return;
    }
    if (Mensagem(MensagensCadastro::confirmaExclusao(), QStringLiteral("Pergunta"),
                 Msg::SimNao | Msg::Pergunta) == Msg::RespNao) {
        return;
    }
    const QString produto = q.AsString(QStringLiteral("prd_codigo"));
    try {
        CadastroFator::excluir(*DM, produto, q.AsDecimal(QStringLiteral("umi_umidade")),
                               q.AsInteger(QStringLiteral("umi_tipo")));
        Mensagem(MensagensCadastro::sucesso(), QStringLiteral("Sucesso"), Msg::Informacao);
    } catch (const ErroBanco&) {
        Mensagem(MensagensCadastro::emUso(), QStringLiteral("Informação"), Msg::Informacao);
    }
    reabreLista(produto);
}

bool TFrmUmidade::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->key() == Qt::Key_G && e->modifiers() == Qt::AltModifier) {
        DBGrid1->setFocus();
        return true;
    }
    if (alvo == FlatMaskEdit1 && e->key() == Qt::Key_F2) {
        escolheProduto();
        return true;
    }
    if (m_selecao && alvo == DBGrid1 && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        close();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}

void TFrmUmidade::done(int r)
{
    m_valorSel.clear();
    TQuery& q = DM->QR_Umidade;
    if (q.Active() && !q.IsEmpty() && DBGrid1->linhaAtual() >= 0 &&
        !q.IsNull(QStringLiteral("umi_umidade"))) {
        m_valorSel = q.AsDecimal(QStringLiteral("umi_umidade")).toString(2);
    }
    q.Close();
    DBGrid1->recarregar();
    TFrmPadrao::done(r);
}

int TFrmUmidade::tipo() const
{
    return ComboBox1->currentIndex() + 7;
}
