// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmCadCidade.h"

#include "Cidades.h"
#include "TDM.h"

#include <QComboBox>
#include <QLineEdit>

TFrmCadCidade::TFrmCadCidade(QWidget* parent)
    : TFrmCadastroSimples(DM->QR_Cidade, QStringLiteral("CID_CODIGO"), QStringLiteral("CID_DESCRICAO"),
                          QStringLiteral("Cidade:"), 100, parent)
{
    setObjectName(QStringLiteral("FrmCadCidade"));
    setWindowTitle(QStringLiteral("Cadastro de Cidades"));
    m_uf = new QComboBox(campoNome()->parentWidget());
    m_uf->setObjectName(QStringLiteral("cbUF"));
    m_uf->addItems(Cidades::ufs());
    adicionaCampo(QStringLiteral("UF"), m_uf);
    montar(QStringLiteral("Cidade"));
}

void TFrmCadCidade::limpaExtra()
{
    m_uf->setCurrentIndex(Cidades::indiceUfInicial());
}

void TFrmCadCidade::carregaExtra(TQuery& lista)
{
    const int i = m_uf->findText(lista.AsString(QStringLiteral("CID_UF")).trimmed());
    m_uf->setCurrentIndex(i >= 0 ? i : Cidades::indiceUfInicial());
}

void TFrmCadCidade::salvarRegistro(bool inserir, int codigo)
{
    Cidades::salvar(*DM, inserir, codigo, campoNome()->text(), m_uf->currentText());
}

void TFrmCadCidade::excluirRegistro(int codigo)
{
    Cidades::excluir(*DM, codigo);
}
