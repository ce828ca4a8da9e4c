// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmConversao.h"

#include "Conversao.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "LeConfig.h"
#include "MensagensCadastro.h"
#include "NumeroDigitado.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TMaskEdit.h"
#include "TstrGrid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{

QLineEdit* campoPercentual(QWidget* pai, const char* nome)
{
    return CampoNumero(pai, QLatin1String(nome), 6);
}

void pintaRotulo(QLabel* l, bool obrigatorio)
{
    l->setStyleSheet(obrigatorio ? QStringLiteral("color: blue") : QStringLiteral("color: black"));
}

} // namespace

TFrmConversao::TFrmConversao(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Cadastro de Conversão da Umidade"));
    m_casas = LeConfig(*DM).inteiro(QStringLiteral("CFG_CASASUMIDADE"));

    auto* campos = new QGridLayout;
    m_codigo = new TMaskEdit(QStringLiteral("999999;1;_"), this);
    m_codigo->setObjectName(QStringLiteral("FlatMaskEdit1"));
    m_codigo->setReadOnly(true);
    campos->addWidget(Rotulo(QStringLiteral("Código:"), m_codigo), 0, 0);
    campos->addWidget(m_codigo, 0, 1);

    m_descricao = CampoMaiusculo(this, QStringLiteral("FlatEdit1"), 100);
    campos->addWidget(Rotulo(QStringLiteral("Descrição:"), m_descricao), 1, 0);
    campos->addWidget(m_descricao, 1, 1, 1, 3);

    m_formula = new QCheckBox(QStringLiteral("Fórmula ((U.I. - U.F) * 100) / (100 - U.F.)"), this);
    m_formula->setObjectName(QStringLiteral("CheckBox1"));
    campos->addWidget(m_formula, 2, 0, 1, 2);
    m_umidadeFinalFormula = campoPercentual(this, "FlatMaskEdit4");
    m_rotFinal = Rotulo(QStringLiteral("Umidade Final:"), m_umidadeFinalFormula);
    campos->addWidget(m_rotFinal, 2, 2);
    campos->addWidget(m_umidadeFinalFormula, 2, 3);
    campos->addWidget(new QLabel(QStringLiteral("%"), this), 2, 4);
    corpo()->addLayout(campos);

    m_grupoFaixas = new QGroupBox(QStringLiteral("Tabela de Desconto de Umidade"), this);
    m_grupoFaixas->setObjectName(QStringLiteral("GroupBox1"));
    auto* faixa = new QGridLayout(m_grupoFaixas);
    m_faixaInicial = campoPercentual(m_grupoFaixas, "FlatMaskEdit2");
    m_faixaFinal = campoPercentual(m_grupoFaixas, "FlatMaskEdit3");
    m_faixaDesconto = campoPercentual(m_grupoFaixas, "FlatMaskEdit5");
    int col = 0;
    for (auto [texto, campo] : {std::pair{QStringLiteral("Umidade Inicial:"), m_faixaInicial},
                                std::pair{QStringLiteral("Umidade Final:"), m_faixaFinal},
                                std::pair{QStringLiteral("Desconto:"), m_faixaDesconto}}) {
        QLabel* l = Rotulo(texto, campo);
        m_rotFaixas << l;
        faixa->addWidget(l, 0, col++);
        faixa->addWidget(campo, 0, col++);
        faixa->addWidget(new QLabel(QStringLiteral("%"), m_grupoFaixas), 0, col++);
    }
    m_btnAdicionaFaixa = new QPushButton(QStringLiteral("&OK"), m_grupoFaixas);
    m_btnAdicionaFaixa->setObjectName(QStringLiteral("BtnOK"));
    faixa->addWidget(m_btnAdicionaFaixa, 0, col);
    m_faixas = new TstrGrid(m_grupoFaixas);
    m_faixas->setObjectName(QStringLiteral("strGrid1"));
    m_faixas->setColCount(3);
    m_faixas->setFixedCols(0);
    faixa->addWidget(m_faixas, 1, 0, 1, col + 1);
    corpo()->addWidget(m_grupoFaixas);

    m_grade = new TDBGrid(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    m_grade->setTabKeyNavigation(false); // Tab leaves the list
    const int casas = m_casas;
    m_grade->setConsulta(&DM->QR_Conversao,
                         {{QStringLiteral("tab_codigo"), QStringLiteral("Código"), 60},
                          {QStringLiteral("tab_descricao"), QStringLiteral("Descrição"), 300},
                          {QStringLiteral("tab_final"), QStringLiteral("Umid. Final"), 90, QColor(),
                           [casas](const QVariant& v) {
                               return v.isNull() ? QString() : Decimal::fromVariant(v).toString(casas);
                           }}});
    corpo()->addWidget(m_grade, 1);

    connect(m_formula, &QCheckBox::toggled, this, [this] { aplicaFormula(); });
    connect(m_descricao, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(m_umidadeFinalFormula, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    AoSair(m_umidadeFinalFormula, [this] {
        const auto final = NumeroDigitado(m_umidadeFinalFormula->text());
        if (final && *final > Decimal::fromInt(100)) {
            m_umidadeFinalFormula->clear();
            Refoca(m_umidadeFinalFormula);
        }
    });
    connect(m_faixas, &TstrGrid::alterada, this, [this] { regraSalvar(); });
    connect(m_btnAdicionaFaixa, &QPushButton::clicked, this, [this] { adicionaFaixa(); });
    defineLista(m_grade, QStringLiteral("tab_codigo"), Leitura::Paginas);

    LimpaCampos(this);
    estadoOcioso();
}

void TFrmConversao::aoVirarSeletor()
{
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != m_grade && (qobject_cast<QLineEdit*>(w) || qobject_cast<QCheckBox*>(w) ||
                             qobject_cast<QLabel*>(w) || w == m_grupoFaixas)) {
            w->hide();
        }
    }
}

void TFrmConversao::aoMostrar()
{
    m_faixas->SetTitles(
        {QStringLiteral("Umid. Inicial"), QStringLiteral("Umid. Final"), QStringLiteral("Desconto")});
    reabreLista();
    aplicaFormula();
    verificaCodigo();
}

void TFrmConversao::reabreLista()
{
    abreLista();
}

void TFrmConversao::estadoOcioso()
{
    HabilitaCampos(this, 3);
    m_formula->setEnabled(false);
    m_btnAdicionaFaixa->setEnabled(false);
    m_codigo->setReadOnly(true);
}

void TFrmConversao::aplicaFormula()
{
    const bool editando = EstadoCadastro < 2;
    const bool formula = m_formula->isChecked();
    m_umidadeFinalFormula->setEnabled(editando && formula);
    pintaRotulo(m_rotFinal, formula);
    for (QLineEdit* e : {m_faixaInicial, m_faixaFinal, m_faixaDesconto}) {
        e->setEnabled(editando && !formula);
    }
    m_btnAdicionaFaixa->setEnabled(editando && !formula);
    for (QLabel* l : m_rotFaixas) {
        pintaRotulo(l, !formula);
    }
    regraSalvar();
}

void TFrmConversao::regraSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    // a final moisture above 100 never saves; leaving the field clears it
    // (clearing it here, while typed, would turn "150,5" into ",5")
    auto final = NumeroDigitado(m_umidadeFinalFormula->text());
    if (final && *final > Decimal::fromInt(100)) {
        final.reset();
    }
    const bool base = !m_codigo->maskText().trimmed().isEmpty() && !m_descricao->text().trimmed().isEmpty();
    if (m_formula->isChecked()) {
        BtnSalvar->setEnabled(base && final.has_value());
    } else {
        BtnSalvar->setEnabled(base && !m_faixas->IsEmpty());
    }
}

void TFrmConversao::adicionaFaixa()
{
    const QString erro =
        CadastroConversao::validaFaixa(m_faixaInicial->text(), m_faixaFinal->text(), m_faixaDesconto->text());
    if (!erro.isEmpty()) {
        MensagensCadastro::informa(erro);
        m_faixaInicial->setFocus();
        return;
    }
    auto mostra = [this](QLineEdit* e) { return NumeroDigitado(e->text())->toString(m_casas); };
    m_faixas->AddRow({mostra(m_faixaInicial), mostra(m_faixaFinal), mostra(m_faixaDesconto)});
    m_faixaInicial->setFocus(); // the next range
}

bool TFrmConversao::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (alvo == m_faixas && e->key() == Qt::Key_Delete && EstadoCadastro < 2) {
        const int r = m_faixas->Row();
        if (!m_faixas->IsEmpty() && !m_faixas->Cells(0, r).trimmed().isEmpty() &&
            Mensagem(QStringLiteral("Deseja deletar esse Desconto da Tabela de Umidade ?"),
                     QStringLiteral("Pergunta"),
                     Msg::SimNao | Msg::Pergunta | Msg::PadraoNao) == Msg::RespSim) {
            m_faixas->DeleteRow(r);
        }
        regraSalvar();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}

void TFrmConversao::verificaCodigo()
{
    const QString codigo = m_codigo->maskText().trimmed();
    if (EstadoCadastro != 0 || codigo.isEmpty()) {
        return;
    }
    try {
        if (CadastroConversao::existe(*DM, codigo.toInt())) {
            Mensagem(QStringLiteral("Código de Conversão já cadastrado !"), QStringLiteral("Informação"),
                     Msg::Informacao);
            m_codigo->clear();
            m_codigo->setFocus();
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
}

void TFrmConversao::BtnNovoClick()
{
    LimpaCampos(this);
    int codigo = 0;
    try {
        codigo = CadastroConversao::proximoCodigo(*DM);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return;
    }
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    m_formula->setEnabled(true);
    m_formula->setChecked(false);
    m_codigo->setText(QString::number(codigo));
    aplicaFormula();
    m_descricao->setFocus();
}

void TFrmConversao::abreRegistro()
{
    if (EstadoCadastro != 3 || DM->QR_Conversao.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    const int codigo = DM->QR_Conversao.AsInteger(QStringLiteral("tab_codigo"));
    std::optional<TabelaConversao> t;
    try {
        t = CadastroConversao::carregar(*DM, codigo);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return;
    }
    if (!t) {
        reabreLista(); // removed meanwhile by another workstation
        return;
    }
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    m_formula->setEnabled(true);
    m_codigo->setText(QString::number(t->codigo));
    m_descricao->setText(t->descricao);
    m_faixas->Clear();
    m_umidadeFinalFormula->clear();
    m_formula->setChecked(t->formula);
    if (t->formula) {
        m_umidadeFinalFormula->setText(t->umidadeFinal.toString(m_casas));
    } else {
        for (const FaixaUmidade& f : t->faixas) {
            m_faixas->AddRow(
                {f.inicial.toString(m_casas), f.final.toString(m_casas), f.desconto.toString(m_casas)});
        }
    }
    aplicaFormula();
    m_codigo->setReadOnly(true);
    m_descricao->setFocus();
}

void TFrmConversao::BtnSalvarClick()
{
    TabelaConversao t;
    t.codigo = m_codigo->maskText().trimmed().toInt();
    t.descricao = m_descricao->text();
    t.formula = m_formula->isChecked();
    if (t.formula) {
        t.umidadeFinal = NumeroDigitado(m_umidadeFinalFormula->text()).value_or(Decimal());
    } else {
        for (int r = 1; r < m_faixas->RowCount(); ++r) {
            if (m_faixas->IsRowEmpty(r)) {
                continue;
            }
            t.faixas.append({Decimal::fromText(m_faixas->Cells(0, r)),
                             Decimal::fromText(m_faixas->Cells(1, r)),
                             Decimal::fromText(m_faixas->Cells(2, r))});
        }
    }
    const bool insercao = EstadoCadastro == 0;
    try {
        CadastroConversao::salvar(*DM, t, insercao);
        MensagensCadastro::avisaSucesso();
    } catch (const ErroBanco& e) {
        bool duplicada = false;
        try {
            duplicada = insercao && CadastroConversao::existe(*DM, t.codigo);
        } catch (const ErroBanco&) {
        }
        Mensagem(duplicada ? QStringLiteral("Erro ao efetuar a operação\rConversão de Umidade já cadastrada.")
                           : MensagensCadastro::erroOperacao(e.texto()),
                 QStringLiteral("Erro"), Msg::Erro);
        if (!duplicada) {
            return; // nothing was written: the entries stay for the operator to correct or cancel
        }
    }
    reabreLista();
    TFrmPadrao::BtnSalvarClick();
    LimpaCampos(this);
    estadoOcioso();
    aplicaFormula();
    verificaCodigo();
}

void TFrmConversao::BtnCancelarClick()
{
    TFrmPadrao::BtnCancelarClick();
    LimpaCampos(this);
    estadoOcioso();
    aplicaFormula();
}

void TFrmConversao::btnExcluirClick()
{
    if (DM->QR_Conversao.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    const int codigo = DM->QR_Conversao.AsInteger(QStringLiteral("tab_codigo"));
    try {
        CadastroConversao::excluir(*DM, codigo);
        reabreLista();
        MensagensCadastro::avisaSucesso();
    } catch (const ErroBanco&) {
        MensagensCadastro::avisaEmUso();
        reabreLista();
    }
}
