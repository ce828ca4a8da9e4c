#include "TFrmCadProdutos.h"

#include "Conversao.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "LeConfig.h"
#include "MensagensCadastro.h"
#include "NumeroDigitado.h"
#include "Produto.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmConversao.h"
#include "TFrmSelEmbalagem.h"
#include "TMaskEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace
{

QLineEdit* campoNumerico(QWidget* pai, const QString& nome, int tamanho = 10)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setMaxLength(tamanho);
    FiltroNumerico(e);
    return e;
}

} // namespace

TFrmCadProdutos::TFrmCadProdutos(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Cadastro de Produtos"));
    auto* campos = new QGridLayout;
    FlatMaskEdit1 = new TMaskEdit(QStringLiteral("9999999999999;1;_"), this);
    FlatMaskEdit1->setObjectName(QStringLiteral("FlatMaskEdit1"));
    campos->addWidget(Rotulo(QStringLiteral("Código:"), FlatMaskEdit1), 0, 0);
    campos->addWidget(FlatMaskEdit1, 0, 1);
    FlatEdit1 = new QLineEdit(this);
    FlatEdit1->setObjectName(QStringLiteral("FlatEdit1"));
    FlatEdit1->setMaxLength(100);
    ForcaMaiusculas(FlatEdit1);
    campos->addWidget(Rotulo(QStringLiteral("Produto:"), FlatEdit1), 1, 0);
    campos->addWidget(FlatEdit1, 1, 1, 1, 3);
    FlatEdit2 = campoNumerico(this, QStringLiteral("FlatEdit2"));
    m_rotDensidade = Rotulo(QStringLiteral("Densidade:"), FlatEdit2);
    campos->addWidget(m_rotDensidade, 2, 0);
    campos->addWidget(FlatEdit2, 2, 1);
    FlatEdit3 = campoNumerico(this, QStringLiteral("FlatEdit3"));
    m_rotVlrTonelada = Rotulo(QStringLiteral("Vlr. T.:"), FlatEdit3);
    campos->addWidget(m_rotVlrTonelada, 2, 2);
    campos->addWidget(FlatEdit3, 2, 3);
    corpo()->addLayout(campos);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* grupo = new QGridLayout(GroupBox1);
    for (int i = 0; i < 6; ++i) {
        Fatores[size_t(i)] = campoNumerico(GroupBox1, QStringLiteral("FlatEdit%1").arg(i + 4));
        QLabel* l =
            Rotulo(QStringLiteral("Fator %1").arg(i + 1, 2, 10, QLatin1Char('0')), Fatores[size_t(i)]);
        m_rotFatores << l;
        grupo->addWidget(l, 0, i);
        grupo->addWidget(Fatores[size_t(i)], 1, i);
    }
    FlatEdit10 = new QLineEdit(GroupBox1);
    FlatEdit10->setObjectName(QStringLiteral("FlatEdit10"));
    FlatEdit10->setReadOnly(true);
    FlatEdit10->setFocusPolicy(Qt::NoFocus);
    grupo->addWidget(Rotulo(QStringLiteral("Fator de Correção:"), FlatEdit10), 2, 0, 1, 2);
    grupo->addWidget(FlatEdit10, 2, 2);
    FlatMaskEdit2 = new QLineEdit(GroupBox1);
    FlatMaskEdit2->setObjectName(QStringLiteral("FlatMaskEdit2"));
    FiltroDigitos(FlatMaskEdit2, 6);
    SpeedButton1 = BotaoPesquisa(GroupBox1, QStringLiteral("SpeedButton1"),
                                 QStringLiteral("Pesquisar conversão de umidade"));
    FlatEdit11 = new QLineEdit(GroupBox1);
    FlatEdit11->setObjectName(QStringLiteral("FlatEdit11"));
    FlatEdit11->setReadOnly(true);
    FlatEdit11->setFocusPolicy(Qt::NoFocus);
    grupo->addWidget(Rotulo(QStringLiteral("Umidade:"), FlatMaskEdit2), 3, 0);
    grupo->addWidget(FlatMaskEdit2, 3, 1);
    grupo->addWidget(SpeedButton1, 3, 2);
    grupo->addWidget(FlatEdit11, 3, 3, 1, 3);
    corpo()->addWidget(GroupBox1);

    auto* busca = new QHBoxLayout;
    FlatEdit12 = new QLineEdit(this);
    FlatEdit12->setObjectName(QStringLiteral("FlatEdit12"));
    FlatEdit12->setMaxLength(100);
    ForcaMaiusculas(FlatEdit12);
    setTag(FlatEdit12, 1);
    busca->addWidget(Rotulo(QStringLiteral("&Localizar:"), FlatEdit12));
    busca->addWidget(FlatEdit12, 1);
    BtnEmbalagens = new QPushButton(QStringLiteral("Em&balagens"), this);
    BtnEmbalagens->setObjectName(QStringLiteral("BtnEmbalagens"));
    busca->addWidget(BtnEmbalagens);
    corpo()->addLayout(busca);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setTabKeyNavigation(false); // Tab leaves the list
    corpo()->addWidget(DBGrid1, 1);

    AoSair(FlatMaskEdit1, [this] { saiCodigo(); });
    for (QLineEdit* f : Fatores) {
        AoSair(f, [this] { saiFator(); });
    }
    AoSair(FlatEdit3, [this] { saiVlrTonelada(); });
    AoSair(FlatMaskEdit2, [this] { buscaConversao(); });
    for (QLineEdit* e : {static_cast<QLineEdit*>(FlatMaskEdit1), FlatEdit1, FlatMaskEdit2, FlatEdit11}) {
        connect(e, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    }
    connect(FlatEdit12, &QLineEdit::textChanged, this,
            [this](const QString& t) { DBGrid1->localizar(QStringLiteral("prd_descricao"), t); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { escolheConversao(); });
    connect(BtnEmbalagens, &QPushButton::clicked, this, [this] { abreEmbalagens(); });
    defineLista(DBGrid1, QStringLiteral("prd_codigo"));
    configura();
    limpa();
    ocioso();
}

void TFrmCadProdutos::configura()
{
    LeConfig cfg(*DM);
    m_alfa = cfg.inteiro(QStringLiteral("CFG_PRDALFA")) == 1;
    m_casas = cfg.inteiro(QStringLiteral("CFG_CASASDECIMAIS"));
    const bool metros = cfg.inteiro(QStringLiteral("CFG_METROSCUBICOS")) == 1;
    const bool vlrTonelada = cfg.inteiro(QStringLiteral("CFG_VLRTONELADA")) == 1 && !metros;
    const bool umidade = cfg.inteiro(QStringLiteral("CFG_UMIDADE")) != 0;
    const bool embalagem = cfg.inteiro(QStringLiteral("CFG_CADEMBALAGEM")) == 1;
    if (m_alfa) {
        FlatMaskEdit1->setMascara(QString());
        FlatMaskEdit1->setMaxLength(13);
    }
    QStringList nomes;
    for (int i = 0; i < 6; ++i) {
        QString nome = cfg.texto(QStringLiteral("CFG_FATOR%1").arg(i + 1)).trimmed();
        if (nome.isEmpty()) {
            nome = QStringLiteral("Fator %1").arg(i + 1, 2, 10, QLatin1Char('0'));
        }
        nomes << nome;
        m_rotFatores[i]->setText(nome);
        Fatores[size_t(i)]->setAccessibleName(nome);
    }
    m_rotDensidade->setVisible(metros);
    FlatEdit2->setVisible(metros);
    m_rotVlrTonelada->setVisible(vlrTonelada);
    FlatEdit3->setVisible(vlrTonelada);
    GroupBox1->setVisible(umidade);
    BtnEmbalagens->setVisible(embalagem);

    const int casas = m_casas;
    auto numero = [casas](const QVariant& v) {
        return v.isNull() ? QString() : Decimal::fromVariant(v).toString(casas);
    };
    QList<ModeloConsulta::Coluna> colunas{{QStringLiteral("prd_codigo"), QStringLiteral("Código"), 110},
                                          {QStringLiteral("prd_descricao"), QStringLiteral("Produto"), 280}};
    if (umidade) {
        for (int i = 0; i < 6; ++i) {
            colunas.append({QStringLiteral("prd_fator%1").arg(i + 1), nomes[i], 70, QColor(), numero});
        }
    }
    if (metros) {
        colunas.append({QStringLiteral("prd_densidade"), QStringLiteral("Densidade"), 80, QColor(), numero});
    }
    if (vlrTonelada) {
        colunas.append({QStringLiteral("prd_vlrtonelada"), QStringLiteral("Vlr. T."), 80, QColor(), numero});
    }
    if (umidade) {
        colunas.append({QStringLiteral("tab_codigo"), QStringLiteral("Umidade"), 70});
    }
    DBGrid1->setConsulta(&DM->QR_Produto, colunas);
}

void TFrmCadProdutos::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    if (m_mostrada) {
        return;
    }
    m_mostrada = true;
    reabreLista();
}

void TFrmCadProdutos::reabreLista()
{
    try {
        DM->QR_Produto.Open();
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
    DBGrid1->recarregar();
}

void TFrmCadProdutos::limpa()
{
    // the search text stays, and the list keeps its row
    const QSignalBlocker bloqueio(FlatEdit12);
    const QString busca = FlatEdit12->text();
    LimpaCampos(this);
    FlatEdit12->setText(busca);
}

void TFrmCadProdutos::ocioso()
{
    HabilitaCampos(this, 3);
    FlatMaskEdit1->setEnabled(false);
}

void TFrmCadProdutos::regraSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    const bool conversaoOk =
        FlatMaskEdit2->text().trimmed().isEmpty() || FlatEdit11->text() != MensagensCadastro::naoCadastrado();
    BtnSalvar->setEnabled(!FlatMaskEdit1->maskText().trimmed().isEmpty() &&
                          !FlatEdit1->text().trimmed().isEmpty() && conversaoOk);
}

void TFrmCadProdutos::saiCodigo()
{
    const QString codigo = FlatMaskEdit1->maskText().trimmed();
    if (EstadoCadastro != 0 || codigo.isEmpty()) {
        return;
    }
    try {
        if (CadastroProduto::existe(*DM, codigo)) {
            Mensagem(QStringLiteral("O registro não pode ser inserido pois está sendo utilizado!"),
                     QStringLiteral("Informação"), Msg::Informacao);
            FlatMaskEdit1->clear();
            FlatMaskEdit1->setFocus();
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
}

void TFrmCadProdutos::mostraCorrecao()
{
    QStringList textos;
    for (QLineEdit* f : Fatores) {
        textos << f->text();
    }
    const auto c = CadastroProduto::correcaoCombinada(textos);
    FlatEdit10->setText(c ? c->toString(2) : QString());
}

void TFrmCadProdutos::saiFator()
{
    if (EstadoCadastro == 3) {
        return;
    }
    QStringList textos;
    for (QLineEdit* f : Fatores) {
        if (!NumeroDigitado(f->text())) {
            f->setText(QStringLiteral("0,00"));
        }
        textos << f->text();
    }
    const auto c = CadastroProduto::correcaoCombinada(textos);
    if (c) {
        FlatEdit10->setText(c->toString(2));
        return;
    }
    Mensagem(QStringLiteral("A soma dos campos passou de 100% por favor redigite os valores!"),
             QStringLiteral("Informação"), Msg::Informacao);
    for (QLineEdit* f : Fatores) {
        f->setText(QStringLiteral("0,00"));
    }
    FlatEdit10->setText(Decimal::fromInt(1).toString(2));
    Fatores[0]->setFocus();
}

void TFrmCadProdutos::saiVlrTonelada()
{
    if (const auto v = NumeroDigitado(FlatEdit3->text())) {
        FlatEdit3->setText(v->toString(m_casas));
    }
}

void TFrmCadProdutos::buscaConversao()
{
    const QString codigo = FlatMaskEdit2->text().trimmed();
    if (codigo.isEmpty()) {
        FlatEdit11->clear();
        return;
    }
    try {
        FlatEdit11->setText(
            CadastroConversao::descricao(*DM, codigo.toInt()).value_or(MensagensCadastro::naoCadastrado()));
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
}

void TFrmCadProdutos::escolheConversao()
{
    if (EstadoCadastro == 3) {
        return;
    }
    TFrmConversao conversoes(this);
    const auto e = conversoes.escolher();
    FlatMaskEdit2->setText(e ? QString::number(e->codigo) : QString());
    FlatEdit11->setText(e ? e->texto(QStringLiteral("tab_descricao")) : QString());
    FlatMaskEdit2->setFocus();
}

void TFrmCadProdutos::BtnNovoClick()
{
    QString codigo;
    if (!m_alfa) {
        try {
            codigo = QString::number(CadastroProduto::proximoCodigo(*DM));
        } catch (const ErroBanco& e) {
            MensagensCadastro::avisaErro(e);
            return;
        }
    }
    limpa();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    FlatMaskEdit1->setEnabled(true);
    FlatMaskEdit1->setText(codigo);
    regraSalvar();
    FlatEdit1->setFocus();
}

void TFrmCadProdutos::abreRegistro()
{
    TQuery& q = DM->QR_Produto;
    if (EstadoCadastro != 3 || q.IsEmpty() || DBGrid1->linhaAtual() < 0) {
        return;
    }
    auto numero = [&q, this](const QString& campo) {
        return q.IsNull(campo) ? QString() : q.AsDecimal(campo).toString(m_casas);
    };
    limpa();
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    FlatMaskEdit1->setText(q.AsString(QStringLiteral("prd_codigo")));
    FlatEdit1->setText(q.AsString(QStringLiteral("prd_descricao")));
    for (int i = 0; i < 6; ++i) {
        Fatores[size_t(i)]->setText(numero(QStringLiteral("prd_fator%1").arg(i + 1)));
    }
    FlatEdit2->setText(numero(QStringLiteral("prd_densidade")));
    FlatEdit3->setText(numero(QStringLiteral("prd_vlrtonelada")));
    FlatMaskEdit2->setText(q.AsString(QStringLiteral("tab_codigo")));
    buscaConversao();
    FlatMaskEdit1->setEnabled(false);
    mostraCorrecao();
    regraSalvar();
    FlatEdit1->setFocus();
}

void TFrmCadProdutos::BtnSalvarClick()
{
    const QString codigo = FlatMaskEdit1->maskText().trimmed();
    const bool insercao = EstadoCadastro == 0;
    DadosProduto p;
    p.codigo = codigo;
    p.descricao = FlatEdit1->text();
    for (int i = 0; i < 6; ++i) {
        p.fatores[size_t(i)] = Fatores[size_t(i)]->text();
    }
    p.densidade = FlatEdit2->text();
    p.vlrTonelada = FlatEdit3->text();
    p.tabCodigo = FlatMaskEdit2->text().trimmed();
    try {
        // the moisture table is checked again: it may have been typed without leaving the field
        buscaConversao();
        if (!p.tabCodigo.isEmpty() && FlatEdit11->text() == MensagensCadastro::naoCadastrado()) {
            FlatMaskEdit2->setFocus();
            return;
        }
        if (insercao && CadastroProduto::existe(*DM, codigo)) {
            Mensagem(QStringLiteral("Código ja esta sendo utilizado."), QStringLiteral("Informação"),
                     Msg::Ok);
            DBGrid1->localizar(QStringLiteral("prd_codigo"), codigo);
            FlatMaskEdit1->clear();
            FlatMaskEdit1->setFocus();
            return;
        }
        CadastroProduto::salvar(*DM, p, insercao, m_alfa);
    } catch (const ErroBanco& e) {
        // nothing was written: the entries stay for the operator to correct or cancel
        MensagensCadastro::avisaErro(e);
        return;
    }
    MensagensCadastro::avisaSucesso();
    limpa();
    TFrmPadrao::BtnSalvarClick();
    ocioso();
    reabreLista();
    DBGrid1->localizar(QStringLiteral("prd_codigo"), codigo);
}

void TFrmCadProdutos::BtnCancelarClick()
{
    limpa();
    TFrmPadrao::BtnCancelarClick();
    ocioso();
}

void TFrmCadProdutos::btnExcluirClick()
{
    TQuery& q = DM->QR_Produto;
    if (q.IsEmpty() || DBGrid1->linhaAtual() < 0) {
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    try {
        CadastroProduto::excluir(*DM, q.AsString(QStringLiteral("prd_codigo")));
    } catch (const ErroBanco&) {
        MensagensCadastro::avisaEmUso();
        return;
    }
    reabreLista();
    MensagensCadastro::avisaSucesso();
}

void TFrmCadProdutos::abreEmbalagens()
{
    TQuery& q = DM->QR_Produto;
    if (q.IsEmpty() || DBGrid1->linhaAtual() < 0 ||
        q.AsString(QStringLiteral("prd_codigo")).trimmed().isEmpty()) {
        return;
    }
    auto* f = new TFrmSelEmbalagem(this);
    f->setProduto(q.AsString(QStringLiteral("prd_codigo")), q.AsString(QStringLiteral("prd_descricao")));
    f->exec();
    delete f;
}

bool TFrmCadProdutos::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (alvo == FlatMaskEdit2 && e->key() == Qt::Key_F2) {
        escolheConversao();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}
