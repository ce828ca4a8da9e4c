// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmAtualizar.h"

#include "Atualizacao.h"
#include "Dialogos.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TFrmAtualizar::TFrmAtualizar(TDM& dm, QWidget* parent) : TJanela(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FrmAtualizar"));
    setWindowTitle(QStringLiteral("Atualização do Banco de Dados"));
    auto* l = new QGridLayout(this);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    l->addWidget(ProgressBar1, 0, 0, 1, 2);
    l->addWidget(new QLabel(QStringLiteral("Ocorrência:"), this), 1, 0);
    lblOcorrencia = new QLabel(QStringLiteral("x071004"), this);
    lblOcorrencia->setObjectName(QStringLiteral("lblOcorrencia"));
    l->addWidget(lblOcorrencia, 1, 1);
    auto* botoes = new QHBoxLayout;
    BtnAtualizar = new QPushButton(QStringLiteral("&Atualizar"), this);
    BtnAtualizar->setObjectName(QStringLiteral("BtnAtualizar"));
    BtnSair = new QPushButton(QStringLiteral("&Sair"), this);
    MarcaDestrutivo(BtnSair);
    BtnSair->setObjectName(QStringLiteral("BtnSair"));
    botoes->addStretch(1);
    botoes->addWidget(BtnAtualizar);
    botoes->addWidget(BtnSair);
    l->addLayout(botoes, 2, 0, 1, 2);
    setFixedSize(sizeHint().expandedTo(QSize(420, 120)));
    connect(BtnAtualizar, &QPushButton::clicked, this, [this] { BtnAtualizarClick(); });
    connect(BtnSair, &QPushButton::clicked, this, &QDialog::close);
}

void TFrmAtualizar::BtnAtualizarClick()
{
    ProgressBar1->setValue(0);
    BtnAtualizar->setEnabled(false);
    Atualizacao a(m_dm);
    QString tag, erro;
    const bool ok = a.executar(
        [this](int pct, const QString& t) {
            ProgressBar1->setValue(pct);
            if (!t.isEmpty()) {
                lblOcorrencia->setText(t);
            }
            repaint();
        },
        &tag, &erro);
    ProgressBar1->setValue(100);
    BtnAtualizar->setEnabled(true);
    if (ok) {
        m_resultado = 1;
        Mensagem(QStringLiteral("Operação efetuada com sucesso."), QStringLiteral("Sucesso"),
                 Msg::Informacao);
    } else {
        lblOcorrencia->setText(tag);
        Mensagem(QStringLiteral("Informe a TDX registrando o número da ocorrência:") + tag + u'\r' + erro,
                 QStringLiteral("Erro"), Msg::Erro);
    }
}
