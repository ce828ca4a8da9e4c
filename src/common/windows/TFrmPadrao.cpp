#include "TFrmPadrao.h"

#include "Dialogos.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TFrmPadrao::TFrmPadrao(QWidget* parent) : TJanela(parent)
{
    auto* raiz = new QVBoxLayout(this);
    m_corpo = new QVBoxLayout;
    raiz->addLayout(m_corpo, 1);
    m_barra = new QHBoxLayout;
    raiz->addLayout(m_barra);

    auto botao = [this](const char* nome, const QString& texto, QStyle::StandardPixmap icone) {
        auto* b = new QPushButton(style()->standardIcon(icone), texto, this);
        b->setObjectName(QLatin1String(nome));
        b->setIconSize(QSize(32, 32));
        b->setAutoDefault(false);
        m_barra->addWidget(b);
        return b;
    };
    BtnNovo = botao("BtnNovo", QStringLiteral("&Novo"), QStyle::SP_FileIcon);
    BtnSalvar = botao("BtnSalvar", QStringLiteral("Sal&var"), QStyle::SP_DialogSaveButton);
    BtnCancelar = botao("BtnCancelar", QStringLiteral("&Cancelar"), QStyle::SP_DialogCancelButton);
    btnExcluir = botao("btnExcluir", QStringLiteral("&Excluir"), QStyle::SP_TrashIcon);
    btnSair = botao("btnSair", QStringLiteral("&Sair"), QStyle::SP_DialogCloseButton);
    m_barra->addStretch(1);

    connect(BtnNovo, &QPushButton::clicked, this, [this] { BtnNovoClick(); });
    connect(BtnSalvar, &QPushButton::clicked, this, [this] { BtnSalvarClick(); });
    connect(BtnCancelar, &QPushButton::clicked, this, [this] { BtnCancelarClick(); });
    connect(btnExcluir, &QPushButton::clicked, this, [this] { btnExcluirClick(); });
    connect(btnSair, &QPushButton::clicked, this, [this] { btnSairClick(); });
    ajustaBotoes(3);
}

void TFrmPadrao::ajustaBotoes(int estado)
{
    EstadoCadastro = estado;
    const bool navegando = estado == 3;
    BtnNovo->setEnabled(navegando);
    btnExcluir->setEnabled(navegando);
    btnSair->setEnabled(navegando);
    BtnSalvar->setEnabled(!navegando);
    BtnCancelar->setEnabled(!navegando);
}

void TFrmPadrao::showEvent(QShowEvent* e)
{
    TJanela::showEvent(e);
    if (!m_mostrada) {
        m_mostrada = true;
        ajustaBotoes(3);
        BtnNovo->setFocus();
    }
}

void TFrmPadrao::BtnNovoClick()
{
    ajustaBotoes(0);
}

void TFrmPadrao::BtnSalvarClick()
{
    ajustaBotoes(3);
    BtnNovo->setFocus();
}

void TFrmPadrao::BtnCancelarClick()
{
    ajustaBotoes(3);
    BtnNovo->setFocus();
}

void TFrmPadrao::btnExcluirClick()
{
    Mensagem(QStringLiteral("Confirma exclusão do registro?"), QStringLiteral("Pergunta"),
             Msg::SimNao | Msg::Pergunta);
}

void TFrmPadrao::btnSairClick()
{
    if (tagDe(btnSair) != 0 || btnSair->text() != QLatin1String("&Sair")) {
        close();
        return;
    }
    if (Mensagem(QStringLiteral("Deseja realmente sair ?"), QStringLiteral("Pergunta"),
                 Msg::SimNao | Msg::Pergunta) == Msg::RespSim) {
        close();
    }
}
