#include "TFrmImpCopias.h"

#include "TMaskEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFrmImpCopias::TFrmImpCopias(QWidget* parent) : TJanela(parent)
{
    setWindowTitle(QStringLiteral("Pergunta"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(QStringLiteral("Deseja imprimir ticket"), this));
    auto* linha = new QHBoxLayout;
    edtCopias = new TMaskEdit(QStringLiteral("99;1;_"), this);
    edtCopias->setObjectName(QStringLiteral("edtCopias"));
    linha->addWidget(Rotulo(QStringLiteral("&Cópias:"), edtCopias));
    linha->addWidget(edtCopias);
    l->addLayout(linha);
    auto* botoes = new QHBoxLayout;
    BtnSim = new QPushButton(QStringLiteral("&Sim"), this);
    BtnSim->setObjectName(QStringLiteral("BtnSim"));
    BtnNao = new QPushButton(QStringLiteral("&Não"), this);
    BtnNao->setObjectName(QStringLiteral("BtnNao"));
    botoes->addWidget(BtnSim);
    botoes->addWidget(BtnNao);
    l->addLayout(botoes);
    connect(BtnSim, &QPushButton::clicked, this, [this] {
        m_sim = true;
        bool ok = false;
        const int n = edtCopias->maskText().trimmed().toInt(&ok);
        if (ok) {
            m_copias = n;
        }
        accept();
    });
    connect(BtnNao, &QPushButton::clicked, this, [this] {
        m_sim = false;
        reject();
    });
}
