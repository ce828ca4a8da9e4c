// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmRelCli.h"

#include "Cidades.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "Listagens.h"
#include "MensagensCadastro.h"
#include "TDM.h"
#include "TFrmCadCidade.h"
#include "TFrmCadastrao.h"
#include "TMaskEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
QToolButton* botao(QWidget* pai, const QString& nome)
{
    auto* b = new QToolButton(pai);
    b->setObjectName(nome);
    b->setText(QStringLiteral("..."));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// "Tela", "&Imprimir" and "&Sair" under the fields.
void botoes(QWidget* janela, QFormLayout* form, QCheckBox*& tela, QPushButton*& imprimir, QPushButton*& sair)
{
    tela = new QCheckBox(QStringLiteral("Tela"), janela);
    tela->setObjectName(QStringLiteral("chkTela"));
    tela->setChecked(true);
    form->addRow(QString(), tela);
    imprimir = new QPushButton(QStringLiteral("&Imprimir"), janela);
    imprimir->setObjectName(QStringLiteral("BtnImprimir"));
    sair = new QPushButton(QStringLiteral("&Sair"), janela);
    MarcaDestrutivo(sair);
    sair->setObjectName(QStringLiteral("BtnSair"));
    imprimir->setAutoDefault(false);
    sair->setAutoDefault(false);
    auto* h = new QHBoxLayout;
    h->addStretch();
    h->addWidget(imprimir);
    h->addWidget(sair);
    static_cast<QVBoxLayout*>(janela->layout())->addLayout(h);
}

template <class F> void executa(QPushButton* botao, F f)
{
    botao->setEnabled(false);
    try {
        if (!f())
            Mensagem(QStringLiteral("Não há dados para imprimir"), QStringLiteral("Informação"),
                     Msg::Informacao);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e.texto());
    }
    botao->setEnabled(true);
}
} // namespace

TFrmRelCli::TFrmRelCli(QWidget* parent) : TJanela(parent)
{
    setObjectName(QStringLiteral("FrmRelCli"));
    setWindowTitle(QStringLiteral("Listagem de Cadastros"));
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    v->addLayout(form);

    edtCodigo1 = new TMaskEdit(QStringLiteral("999999;0;_"), this);
    edtCodigo1->setObjectName(QStringLiteral("edtCodigo1"));
    edtCodigo2 = new TMaskEdit(QStringLiteral("999999;0;_"), this);
    edtCodigo2->setObjectName(QStringLiteral("edtCodigo2"));
    auto* b1 = botao(this, QStringLiteral("btnCodigo1"));
    auto* b2 = botao(this, QStringLiteral("btnCodigo2"));
    auto* h = new QHBoxLayout;
    h->addWidget(edtCodigo1);
    h->addWidget(b1);
    h->addWidget(Rotulo(QStringLiteral("a"), edtCodigo2));
    h->addWidget(edtCodigo2);
    h->addWidget(b2);
    h->addStretch();
    form->addRow(Rotulo(QStringLiteral("Código:"), edtCodigo1), h);

    cbTipo = new QComboBox(this);
    cbTipo->setObjectName(QStringLiteral("cbTipo"));
    cbTipo->addItems(ListagemCadastros::tipos());
    cbTipo->setCurrentIndex(1);
    form->addRow(Rotulo(QStringLiteral("Tipo:"), cbTipo), cbTipo);

    edtCidade = new TMaskEdit(QStringLiteral("999999;1;_"), this);
    edtCidade->setObjectName(QStringLiteral("edtCidade"));
    auto* bc = botao(this, QStringLiteral("btnCidade"));
    auto* hc = new QHBoxLayout;
    hc->addWidget(edtCidade);
    hc->addWidget(bc);
    hc->addStretch();
    form->addRow(Rotulo(QStringLiteral("Cidade:"), edtCidade), hc);

    cbEstado = new QComboBox(this);
    cbEstado->setObjectName(QStringLiteral("cbEstado"));
    cbEstado->addItems(Cidades::ufs());
    cbEstado->setCurrentIndex(-1);
    form->addRow(Rotulo(QStringLiteral("Estado:"), cbEstado), cbEstado);

    cbOrdem = new QComboBox(this);
    cbOrdem->setObjectName(QStringLiteral("cbOrdem"));
    cbOrdem->addItems(ListagemCadastros::ordens());
    form->addRow(Rotulo(QStringLiteral("Ordem:"), cbOrdem), cbOrdem);

    botoes(this, form, chkTela, BtnImprimir, BtnSair);
    connect(b1, &QToolButton::clicked, this, [this] { escolheParte(edtCodigo1); });
    connect(b2, &QToolButton::clicked, this, [this] { escolheParte(edtCodigo2); });
    connect(bc, &QToolButton::clicked, this, [this] { escolheCidade(); });
    connect(BtnImprimir, &QPushButton::clicked, this, [this] { imprimir(); });
    connect(BtnSair, &QPushButton::clicked, this, &QDialog::close);
    edtCodigo1->setFocus();
}

bool TFrmRelCli::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->key() == Qt::Key_F2 && e->modifiers() == Qt::NoModifier) {
        if (alvo == edtCodigo1 || alvo == edtCodigo2) {
            escolheParte(static_cast<TMaskEdit*>(alvo));
            return true;
        }
        if (alvo == edtCidade) {
            escolheCidade();
            return true;
        }
    }
    return TJanela::teclaPrevia(alvo, e);
}

void TFrmRelCli::escolheParte(TMaskEdit* campo)
{
    std::optional<Escolha> escolhida;
    {
        TFrmCadastrao partes(cbTipo->currentIndex() + 2, this);
        escolhida = partes.escolher();
    }
    if (escolhida) campo->setText(QString::number(escolhida->codigo));
    campo->setFocus();
}

void TFrmRelCli::escolheCidade()
{
    std::optional<Escolha> escolhida;
    {
        TFrmCadCidade cidades(this);
        escolhida = cidades.escolher();
    }
    if (escolhida) edtCidade->setText(QString::number(escolhida->codigo));
    edtCidade->setFocus();
}

void TFrmRelCli::imprimir()
{
    FiltroCadastros f;
    f.tipo = cbTipo->currentIndex();
    f.codigoInicial = edtCodigo1->maskText().trimmed();
    f.codigoFinal = edtCodigo2->maskText().trimmed();
    f.cidade = edtCidade->maskText().trimmed();
    f.uf = cbEstado->currentText();
    f.ordem = cbOrdem->currentIndex();
    executa(BtnImprimir, [&] {
        ListagemCadastros listagem(*DM);
        return listagem.imprimir(f, chkTela->isChecked());
    });
}

TFrmProdutos::TFrmProdutos(QWidget* parent) : TJanela(parent)
{
    setObjectName(QStringLiteral("FrmProdutos"));
    setWindowTitle(QStringLiteral("Listagem de Produtos"));
    auto* v = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    v->addLayout(form);
    cbOrdem = new QComboBox(this);
    cbOrdem->setObjectName(QStringLiteral("cbOrdem"));
    cbOrdem->addItems({QStringLiteral("Código"), QStringLiteral("Produto")});
    form->addRow(Rotulo(QStringLiteral("Ordem:"), cbOrdem), cbOrdem);
    botoes(this, form, chkTela, BtnImprimir, BtnSair);
    connect(BtnImprimir, &QPushButton::clicked, this, [this] { imprimir(); });
    connect(BtnSair, &QPushButton::clicked, this, &QDialog::close);
    cbOrdem->setFocus();
}

void TFrmProdutos::imprimir()
{
    const int ordem = cbOrdem->currentIndex();
    executa(BtnImprimir, [&] {
        ListagemProdutos listagem(*DM);
        return listagem.imprimir(ordem, chkTela->isChecked());
    });
}
