// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmImpCopias.h"

#include "TMaskEdit.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TFrmImpCopias::TFrmImpCopias(QWidget* parent) : TJanela(parent)
{
    setObjectName(QStringLiteral("FrmImpCopias"));
    setWindowTitle(QStringLiteral("Pergunta"));
    auto* g = new QGridLayout(this);
    auto* icone = new QLabel(this);
    icone->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    g->addWidget(icone, 0, 0, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Deseja imprimir ticket"), this), 0, 1, 1, 3);
    m_campoCopias = new TMaskEdit(QStringLiteral("99;1;_"), this);
    m_campoCopias->setObjectName(QStringLiteral("FlatMaskEdit1"));
    g->addWidget(Rotulo(QStringLiteral("&Cópias:"), m_campoCopias), 1, 1);
    g->addWidget(m_campoCopias, 1, 2);
    auto* sim = new QPushButton(QStringLiteral("&Sim"), this);
    sim->setObjectName(QStringLiteral("BtnSim"));
    auto* nao = new QPushButton(QStringLiteral("&Não"), this);
    nao->setObjectName(QStringLiteral("BtnNao"));
    // two answers of one size, side by side under the question
    auto* botoes = new QHBoxLayout;
    const int largura = qMax(sim->sizeHint().width(), nao->sizeHint().width());
    for (QPushButton* b : {sim, nao}) {
        b->setFixedWidth(qMax(largura, 80));
        botoes->addWidget(b);
    }
    botoes->addStretch(1);
    g->addLayout(botoes, 2, 1, 1, 3);
    connect(sim, &QPushButton::clicked, this, [this] { BtnSimClick(); });
    connect(nao, &QPushButton::clicked, this, [this] {
        m_sim = false;
        reject();
    });
}

void TFrmImpCopias::showEvent(QShowEvent* e)
{
    m_sim = false;
    m_copias = 1;
    TJanela::showEvent(e);
    m_campoCopias->setFocus();
}

void TFrmImpCopias::BtnSimClick()
{
    m_sim = true;
    bool ok = false;
    const int n = m_campoCopias->maskText().trimmed().toInt(&ok);
    if (ok) m_copias = n;
    accept();
}

int TFrmImpCopias::pergunta(QWidget* parent)
{
    TFrmImpCopias janela(parent);
    janela.exec();
    return janela.sim() ? qMax(1, janela.copias()) : 0;
}
