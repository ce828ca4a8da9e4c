// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmCadastroSimples.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "ProximoCodigo.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TMaskEdit.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrmCadastroSimples::TFrmCadastroSimples(TQuery& lista, const QString& colunaCodigo,
                                         const QString& colunaNome, const QString& rotuloNome,
                                         int tamanhoNome, QWidget* parent)
    : TFrmPadrao(parent), m_lista(lista), m_campoCodigo(colunaCodigo), m_campoNome(colunaNome)
{
    m_painel = new QWidget(this);
    m_painel->setObjectName(QStringLiteral("PainelCampos"));
    m_campos = new QFormLayout(m_painel);
    m_campos->setContentsMargins(0, 0, 0, 0);

    m_codigo = new TMaskEdit(QStringLiteral("999999;1;_"), m_painel);
    m_codigo->setObjectName(QStringLiteral("edtCodigo"));
    m_codigo->setReadOnly(true);
    m_campos->addRow(Rotulo(QStringLiteral("Código:"), m_codigo), m_codigo);

    m_nome = CampoMaiusculo(m_painel, QStringLiteral("edtNome"), tamanhoNome);
    m_campos->addRow(Rotulo(rotuloNome, m_nome), m_nome);
    m_ultimoCampo = m_nome;
    corpo()->addWidget(m_painel);

    auto* busca = new QFormLayout;
    m_localizar = CampoLocalizar(this, QStringLiteral("edtLocalizar"));
    busca->addRow(Rotulo(QStringLiteral("&Localizar:"), m_localizar), m_localizar);
    corpo()->addLayout(busca);

    m_grade = new TDBGrid(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    corpo()->addWidget(m_grade, 1);

    connect(m_codigo, &QLineEdit::textChanged, this, &TFrmCadastroSimples::ajustaSalvar);
    connect(m_nome, &QLineEdit::textChanged, this, &TFrmCadastroSimples::ajustaSalvar);
    connect(m_localizar, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_grade->localizar(m_campoNome, t); });
    m_grade->setCampoLocalizar(m_localizar);
    defineLista(m_grade, colunaCodigo, Leitura::Paginas);
}

void TFrmCadastroSimples::adicionaCampo(const QString& rotulo, QWidget* campo)
{
    m_campos->addRow(Rotulo(rotulo, campo), campo);
    // Enter goes through the fields in the order they are shown, before the search and the list.
    QWidget::setTabOrder(m_ultimoCampo, campo);
    m_ultimoCampo = campo;
}

void TFrmCadastroSimples::montar(const QString& tituloNome)
{
    m_grade->setConsulta(&m_lista,
                         {{m_campoCodigo, QStringLiteral("Código"), 70}, {m_campoNome, tituloNome, 300}});
    limpa();
    HabilitaCampos(this, 3);
    ajustaBotoes(3);
    carregaLista();
    // An empty list leaves nothing to lose: "&Sair" closes without asking.
    setTag(btnSair, m_lista.IsEmpty() ? 1 : 0);
}

void TFrmCadastroSimples::carregaLista()
{
    abreLista();
}

void TFrmCadastroSimples::aoVirarSeletor()
{
    m_painel->hide();
}

int TFrmCadastroSimples::codigo() const
{
    return m_codigo->maskText().trimmed().toInt();
}

void TFrmCadastroSimples::ajustaSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    BtnSalvar->setEnabled(!m_codigo->maskText().trimmed().isEmpty() && !m_nome->text().trimmed().isEmpty());
}

void TFrmCadastroSimples::limpa()
{
    LimpaCampos(m_painel);
    limpaExtra();
}

void TFrmCadastroSimples::BtnNovoClick()
{
    limpa();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    try {
        m_codigo->setText(QString::number(ProximoCodigo(*DM, m_campoCodigo, tabela())));
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
    ajustaSalvar();
    m_nome->setFocus();
}

void TFrmCadastroSimples::abreRegistro()
{
    if (m_lista.IsEmpty() || m_lista.Eof() || EstadoCadastro != 3) {
        return;
    }
    limpa();
    m_codigo->setText(m_lista.AsString(m_campoCodigo));
    m_nome->setText(m_lista.AsString(m_campoNome));
    carregaExtra(m_lista);
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    m_codigo->setEnabled(false);
    ajustaSalvar();
    m_nome->setFocus();
}

void TFrmCadastroSimples::BtnSalvarClick()
{
    if (EstadoCadastro == 3 || !BtnSalvar->isEnabled()) {
        return;
    }
    if (!MensagensCadastro::grava([this] { salvarRegistro(EstadoCadastro == 0, codigo()); })) {
        return;
    }
    limpa();
    TFrmPadrao::BtnSalvarClick();
    HabilitaCampos(this, 3);
    carregaLista();
}

void TFrmCadastroSimples::BtnCancelarClick()
{
    limpa();
    TFrmPadrao::BtnCancelarClick();
    HabilitaCampos(this, 3);
}

void TFrmCadastroSimples::btnExcluirClick()
{
    if (m_lista.IsEmpty() || m_lista.Eof()) {
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    const int alvo = m_lista.AsInteger(m_campoCodigo);
    try {
        excluirRegistro(alvo);
    } catch (const ErroBanco&) {
        MensagensCadastro::avisaEmUso();
        return;
    }
    carregaLista();
    MensagensCadastro::avisaSucesso();
}
