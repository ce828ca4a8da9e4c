// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmCadTipoVeiculo.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "Listagens.h"
#include "MensagensCadastro.h"
#include "TDM.h"
#include "TiposVeiculo.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

TFrmCadTipoVeiculo::TFrmCadTipoVeiculo(QWidget* parent)
    : TFrmCadastroSimples(DM->Qr_TPVeiculo, QStringLiteral("TPV_CODIGO"), QStringLiteral("TPV_DESCRICAO"),
                          QStringLiteral("Tipo:"), 50, parent)
{
    setObjectName(QStringLiteral("FrmCadTipoVeiculo"));
    setWindowTitle(QStringLiteral("Cadastro de tipo de veículo"));
    m_valor = CampoNumero(campoNome()->parentWidget(), QStringLiteral("edtValor"), 30);
    adicionaCampo(QStringLiteral("Valor:"), m_valor);

    BtnImprimir = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                  QStringLiteral("&Imprimir"), this);
    BtnImprimir->setObjectName(QStringLiteral("BtnImprimir"));
    BtnImprimir->setIconSize(QSize(32, 32));
    barraBotoes()->insertWidget(barraBotoes()->indexOf(btnSair), BtnImprimir);
    connect(BtnImprimir, &QPushButton::clicked, this, [] {
        try {
            ListagemTiposVeiculo listagem(*DM);
            if (!listagem.imprimir())
                Mensagem(QStringLiteral("Não há dados para imprimir"), QStringLiteral("Informação"),
                         Msg::Informacao);
        } catch (const ErroBanco& e) {
            MensagensCadastro::avisaErro(e.texto());
        }
    });
    montar(QStringLiteral("Descrição"));
}

void TFrmCadTipoVeiculo::limpaExtra()
{
    m_valor->clear();
}

void TFrmCadTipoVeiculo::carregaExtra(TQuery& lista)
{
    const QString campo = QStringLiteral("TPV_VALOR");
    m_valor->setText(lista.IsNull(campo) ? QString() : lista.AsDecimal(campo).toShortString());
}

void TFrmCadTipoVeiculo::salvarRegistro(bool inserir, int codigo)
{
    TiposVeiculo::salvar(*DM, inserir, codigo, campoNome()->text(), m_valor->text());
}

void TFrmCadTipoVeiculo::excluirRegistro(int codigo)
{
    TiposVeiculo::excluir(*DM, codigo);
}
