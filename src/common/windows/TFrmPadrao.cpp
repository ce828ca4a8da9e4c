// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmPadrao.h"

#include "Dialogos.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
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
    for (QPushButton* b : {BtnCancelar, btnExcluir, btnSair}) {
        MarcaDestrutivo(b);
    }

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
    BtnNovo->setEnabled(navegando && !m_seletor);
    btnExcluir->setEnabled(navegando && !m_seletor);
    btnSair->setEnabled(navegando);
    BtnSalvar->setEnabled(!navegando && !m_seletor);
    BtnCancelar->setEnabled(!navegando && !m_seletor);
}

void TFrmPadrao::registraLista(QTableView* grade, std::function<std::optional<Escolha>()> leLinha,
                               std::function<void()> abre, std::function<void()> fecha)
{
    m_lista = grade;
    m_leLinha = std::move(leLinha);
    m_abreLista = std::move(abre);
    m_fechaLista = std::move(fecha);
}

void TFrmPadrao::abrirComoSeletor()
{
    m_seletor = true;
    for (QPushButton* b : {BtnNovo, BtnSalvar, BtnCancelar, btnExcluir}) {
        b->hide();
        b->setEnabled(false);
    }
    btnSair->setText(QStringLiteral("&OK"));
    btnSair->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    // OK hands the row back: nothing is thrown away
    btnSair->setProperty("destrutivo", false);
    aoVirarSeletor();
}

std::optional<Escolha> TFrmPadrao::escolher()
{
    abrirComoSeletor();
    exec();
    return m_escolha;
}

void TFrmPadrao::escolhe()
{
    accept();
}

namespace
{

// A list wide enough for every column title (up to most of the screen) and
// tall enough for about ten rows.
void dimensiona(QTableView* t, int linhas)
{
    QHeaderView* titulos = t->horizontalHeader();
    int largura = 0;
    for (int c = 0; c < titulos->count(); ++c) {
        if (t->isColumnHidden(c)) {
            continue;
        }
        const int w = qMax(t->columnWidth(c), titulos->sectionSizeHint(c));
        t->setColumnWidth(c, w);
        largura += w;
    }
    const int moldura = 2 * t->frameWidth();
    largura += moldura + t->verticalScrollBar()->sizeHint().width();
    if (t->verticalHeader()->isVisible()) {
        largura += t->verticalHeader()->sizeHint().width();
    }
    const int altura = titulos->sizeHint().height() + linhas * t->verticalHeader()->defaultSectionSize() +
                       moldura + t->horizontalScrollBar()->sizeHint().height();
    int limite = 1000;
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        limite = qMax(400, tela->availableGeometry().width() * 9 / 10 - 40);
    }
    t->setMinimumSize(qMin(largura, limite), altura);
}

} // namespace

void TFrmPadrao::dimensionaLista(QTableView* lista, int linhas)
{
    dimensiona(lista, linhas);
}

void TFrmPadrao::setVisible(bool visivel)
{
    if (visivel && !isVisible()) {
        m_listaFechada = false;
        if (!m_mostrada && m_lista) {
            dimensionaLista(m_lista, 10);
        }
    }
    TJanela::setVisible(visivel);
}

void TFrmPadrao::showEvent(QShowEvent* e)
{
    TJanela::showEvent(e);
    if (!m_mostrada) {
        m_mostrada = true;
        ajustaBotoes(3);
        if (m_seletor && m_lista) {
            m_lista->setFocus();
        } else {
            BtnNovo->setFocus();
        }
        aoMostrar();
    }
}

bool TFrmPadrao::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (m_lista && e->key() == Qt::Key_G && e->modifiers() == Qt::AltModifier) {
        m_lista->setFocus();
        return true;
    }
    if (m_seletor && alvo == m_lista && e->modifiers() == Qt::NoModifier &&
        (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space)) {
        escolhe();
        return true;
    }
    return TJanela::teclaPrevia(alvo, e);
}

void TFrmPadrao::done(int r)
{
    // captured once per showing: the list is closed right after
    if (m_lista && !m_listaFechada) {
        m_escolha = m_leLinha();
        m_fechaLista();
        m_listaFechada = true;
    }
    TJanela::done(r);
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
             Msg::SimNao | Msg::Pergunta | Msg::PadraoNao);
}

void TFrmPadrao::btnSairClick()
{
    if (m_seletor || tagDe(btnSair) != 0 || btnSair->text() != QLatin1String("&Sair")) {
        close();
        return;
    }
    if (Mensagem(QStringLiteral("Deseja realmente sair ?"), QStringLiteral("Pergunta"),
                 Msg::SimNao | Msg::Pergunta) == Msg::RespSim) {
        close();
    }
}
