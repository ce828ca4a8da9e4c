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
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    e->setMaxLength(6);
    FiltroNumerico(e);
    return e;
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
    FlatMaskEdit1 = new TMaskEdit(QStringLiteral("999999;1;_"), this);
    FlatMaskEdit1->setObjectName(QStringLiteral("FlatMaskEdit1"));
    FlatMaskEdit1->setReadOnly(true);
    campos->addWidget(Rotulo(QStringLiteral("Código:"), FlatMaskEdit1), 0, 0);
    campos->addWidget(FlatMaskEdit1, 0, 1);

    FlatEdit1 = new QLineEdit(this);
    FlatEdit1->setObjectName(QStringLiteral("FlatEdit1"));
    FlatEdit1->setMaxLength(100);
    ForcaMaiusculas(FlatEdit1);
    campos->addWidget(Rotulo(QStringLiteral("Descrição:"), FlatEdit1), 1, 0);
    campos->addWidget(FlatEdit1, 1, 1, 1, 3);

    CheckBox1 = new QCheckBox(QStringLiteral("Fórmula ((U.I. - U.F) * 100) / (100 - U.F.)"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    campos->addWidget(CheckBox1, 2, 0, 1, 2);
    FlatMaskEdit4 = campoPercentual(this, "FlatMaskEdit4");
    m_rotFinal = Rotulo(QStringLiteral("Umidade Final:"), FlatMaskEdit4);
    campos->addWidget(m_rotFinal, 2, 2);
    campos->addWidget(FlatMaskEdit4, 2, 3);
    campos->addWidget(new QLabel(QStringLiteral("%"), this), 2, 4);
    corpo()->addLayout(campos);

    GroupBox1 = new QGroupBox(QStringLiteral("Tabela de Desconto de Umidade"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* faixa = new QGridLayout(GroupBox1);
    FlatMaskEdit2 = campoPercentual(GroupBox1, "FlatMaskEdit2");
    FlatMaskEdit3 = campoPercentual(GroupBox1, "FlatMaskEdit3");
    FlatMaskEdit5 = campoPercentual(GroupBox1, "FlatMaskEdit5");
    int col = 0;
    for (auto [texto, campo] : {std::pair{QStringLiteral("Umidade Inicial:"), FlatMaskEdit2},
                                std::pair{QStringLiteral("Umidade Final:"), FlatMaskEdit3},
                                std::pair{QStringLiteral("Desconto:"), FlatMaskEdit5}}) {
        QLabel* l = Rotulo(texto, campo);
        m_rotFaixas << l;
        faixa->addWidget(l, 0, col++);
        faixa->addWidget(campo, 0, col++);
        faixa->addWidget(new QLabel(QStringLiteral("%"), GroupBox1), 0, col++);
    }
    BtnOK = new QPushButton(QStringLiteral("&OK"), GroupBox1);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    faixa->addWidget(BtnOK, 0, col);
    strGrid1 = new TstrGrid(GroupBox1);
    strGrid1->setObjectName(QStringLiteral("strGrid1"));
    strGrid1->setColCount(3);
    strGrid1->setFixedCols(0);
    faixa->addWidget(strGrid1, 1, 0, 1, col + 1);
    corpo()->addWidget(GroupBox1);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setTabKeyNavigation(false); // Tab leaves the list
    const int casas = m_casas;
    DBGrid1->setConsulta(&DM->QR_Conversao,
                         {{QStringLiteral("tab_codigo"), QStringLiteral("Código"), 60},
                          {QStringLiteral("tab_descricao"), QStringLiteral("Descrição"), 300},
                          {QStringLiteral("tab_final"), QStringLiteral("Umid. Final"), 90, QColor(),
                           [casas](const QVariant& v) {
                               return v.isNull() ? QString() : Decimal::fromVariant(v).toString(casas);
                           }}});
    corpo()->addWidget(DBGrid1, 1);

    connect(CheckBox1, &QCheckBox::toggled, this, [this] { aplicaFormula(); });
    connect(FlatEdit1, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    connect(FlatMaskEdit4, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    AoSair(FlatMaskEdit4, [this] {
        const auto final = NumeroDigitado(FlatMaskEdit4->text());
        if (final && *final > Decimal::fromInt(100)) {
            FlatMaskEdit4->clear();
            Refoca(FlatMaskEdit4);
        }
    });
    connect(strGrid1, &TstrGrid::alterada, this, [this] { regraSalvar(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { adicionaFaixa(); });
    defineLista(DBGrid1, QStringLiteral("tab_codigo"));

    LimpaCampos(this);
    estadoOcioso();
}

void TFrmConversao::aoVirarSeletor()
{
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w != DBGrid1 && (qobject_cast<QLineEdit*>(w) || qobject_cast<QCheckBox*>(w) ||
                             qobject_cast<QLabel*>(w) || w == GroupBox1)) {
            w->hide();
        }
    }
}

void TFrmConversao::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    if (m_mostrada) {
        return;
    }
    m_mostrada = true;
    strGrid1->SetTitles(
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
    CheckBox1->setEnabled(false);
    BtnOK->setEnabled(false);
    FlatMaskEdit1->setReadOnly(true);
}

void TFrmConversao::aplicaFormula()
{
    const bool editando = EstadoCadastro < 2;
    const bool formula = CheckBox1->isChecked();
    FlatMaskEdit4->setEnabled(editando && formula);
    pintaRotulo(m_rotFinal, formula);
    for (QLineEdit* e : {FlatMaskEdit2, FlatMaskEdit3, FlatMaskEdit5}) {
        e->setEnabled(editando && !formula);
    }
    BtnOK->setEnabled(editando && !formula);
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
    auto final = NumeroDigitado(FlatMaskEdit4->text());
    if (final && *final > Decimal::fromInt(100)) {
        final.reset();
    }
    const bool base =
        !FlatMaskEdit1->maskText().trimmed().isEmpty() && !FlatEdit1->text().trimmed().isEmpty();
    if (CheckBox1->isChecked()) {
        BtnSalvar->setEnabled(base && final.has_value());
    } else {
        BtnSalvar->setEnabled(base && !strGrid1->IsEmpty());
    }
}

void TFrmConversao::adicionaFaixa()
{
    const QString erro =
        CadastroConversao::validaFaixa(FlatMaskEdit2->text(), FlatMaskEdit3->text(), FlatMaskEdit5->text());
    if (!erro.isEmpty()) {
        MensagensCadastro::informa(erro);
        FlatMaskEdit2->setFocus();
        return;
    }
    auto mostra = [this](QLineEdit* e) { return NumeroDigitado(e->text())->toString(m_casas); };
    strGrid1->AddRow({mostra(FlatMaskEdit2), mostra(FlatMaskEdit3), mostra(FlatMaskEdit5)});
    FlatMaskEdit2->setFocus(); // the next range
}

bool TFrmConversao::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (alvo == strGrid1 && e->key() == Qt::Key_Delete && EstadoCadastro < 2) {
        const int r = strGrid1->Row();
        if (!strGrid1->IsEmpty() && !strGrid1->Cells(0, r).trimmed().isEmpty() &&
            Mensagem(QStringLiteral("Deseja deletar esse Desconto da Tabela de Umidade ?"),
                     QStringLiteral("Pergunta"), Msg::SimNao | Msg::Pergunta) == Msg::RespSim) {
            strGrid1->DeleteRow(r);
        }
        regraSalvar();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}

void TFrmConversao::verificaCodigo()
{
    const QString codigo = FlatMaskEdit1->maskText().trimmed();
    if (EstadoCadastro != 0 || codigo.isEmpty()) {
        return;
    }
    try {
        if (CadastroConversao::existe(*DM, codigo.toInt())) {
            Mensagem(QStringLiteral("Código de Conversão já cadastrado !"), QStringLiteral("Informação"),
                     Msg::Informacao);
            FlatMaskEdit1->clear();
            FlatMaskEdit1->setFocus();
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
    CheckBox1->setEnabled(true);
    CheckBox1->setChecked(false);
    FlatMaskEdit1->setText(QString::number(codigo));
    aplicaFormula();
    FlatEdit1->setFocus();
}

void TFrmConversao::abreRegistro()
{
    if (EstadoCadastro != 3 || DM->QR_Conversao.IsEmpty() || DBGrid1->linhaAtual() < 0) {
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
    CheckBox1->setEnabled(true);
    FlatMaskEdit1->setText(QString::number(t->codigo));
    FlatEdit1->setText(t->descricao);
    strGrid1->Clear();
    FlatMaskEdit4->clear();
    CheckBox1->setChecked(t->formula);
    if (t->formula) {
        FlatMaskEdit4->setText(t->umidadeFinal.toString(m_casas));
    } else {
        for (const FaixaUmidade& f : t->faixas) {
            strGrid1->AddRow(
                {f.inicial.toString(m_casas), f.final.toString(m_casas), f.desconto.toString(m_casas)});
        }
    }
    aplicaFormula();
    FlatMaskEdit1->setReadOnly(true);
    FlatEdit1->setFocus();
}

void TFrmConversao::BtnSalvarClick()
{
    TabelaConversao t;
    t.codigo = FlatMaskEdit1->maskText().trimmed().toInt();
    t.descricao = FlatEdit1->text();
    t.formula = CheckBox1->isChecked();
    if (t.formula) {
        t.umidadeFinal = NumeroDigitado(FlatMaskEdit4->text()).value_or(Decimal());
    } else {
        for (int r = 1; r < strGrid1->RowCount(); ++r) {
            if (strGrid1->IsRowEmpty(r)) {
                continue;
            }
            t.faixas.append({Decimal::fromText(strGrid1->Cells(0, r)),
                             Decimal::fromText(strGrid1->Cells(1, r)),
                             Decimal::fromText(strGrid1->Cells(2, r))});
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
    if (DM->QR_Conversao.IsEmpty() || DBGrid1->linhaAtual() < 0) {
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
