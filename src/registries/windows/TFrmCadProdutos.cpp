// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QToolButton>

namespace
{

QLineEdit* campoNumerico(QWidget* pai, const QString& nome)
{
    return CampoNumero(pai, nome, 10);
}

} // namespace

TFrmCadProdutos::TFrmCadProdutos(QWidget* parent) : TFrmPadrao(parent)
{
    setWindowTitle(QStringLiteral("Cadastro de Produtos"));
    auto* campos = new QGridLayout;
    m_codigo = new TMaskEdit(QStringLiteral("9999999999999;1;_"), this);
    m_codigo->setObjectName(QStringLiteral("FlatMaskEdit1"));
    campos->addWidget(Rotulo(QStringLiteral("Código:"), m_codigo), 0, 0);
    campos->addWidget(m_codigo, 0, 1);
    m_descricao = CampoMaiusculo(this, QStringLiteral("FlatEdit1"), 100);
    campos->addWidget(Rotulo(QStringLiteral("Produto:"), m_descricao), 1, 0);
    campos->addWidget(m_descricao, 1, 1, 1, 3);
    m_densidade = campoNumerico(this, QStringLiteral("FlatEdit2"));
    m_rotDensidade = Rotulo(QStringLiteral("Densidade:"), m_densidade);
    campos->addWidget(m_rotDensidade, 2, 0);
    campos->addWidget(m_densidade, 2, 1);
    m_vlrTonelada = campoNumerico(this, QStringLiteral("FlatEdit3"));
    m_rotVlrTonelada = Rotulo(QStringLiteral("Vlr. T.:"), m_vlrTonelada);
    campos->addWidget(m_rotVlrTonelada, 2, 2);
    campos->addWidget(m_vlrTonelada, 2, 3);
    corpo()->addLayout(campos);

    m_grupoFatores = new QGroupBox(this);
    m_grupoFatores->setObjectName(QStringLiteral("GroupBox1"));
    auto* grupo = new QGridLayout(m_grupoFatores);
    for (int i = 0; i < 6; ++i) {
        m_fatores[size_t(i)] = campoNumerico(m_grupoFatores, QStringLiteral("FlatEdit%1").arg(i + 4));
        QLabel* l =
            Rotulo(QStringLiteral("Fator %1").arg(i + 1, 2, 10, QLatin1Char('0')), m_fatores[size_t(i)]);
        m_rotFatores << l;
        grupo->addWidget(l, 0, i);
        grupo->addWidget(m_fatores[size_t(i)], 1, i);
    }
    m_correcao = CampoNomeDoCodigo(m_grupoFatores, QStringLiteral("FlatEdit10")); // a result, not typed
    grupo->addWidget(Rotulo(QStringLiteral("Fator de Correção:"), m_correcao), 2, 0, 1, 2);
    grupo->addWidget(m_correcao, 2, 2);
    m_conversao = CampoTexto(m_grupoFatores, QStringLiteral("FlatMaskEdit2"), 6);
    FiltroDigitos(m_conversao, 6);
    m_btnConversao = BotaoPesquisa(m_grupoFatores, QStringLiteral("SpeedButton1"),
                                   QStringLiteral("Pesquisar conversão de umidade"));
    m_nomeConversao = CampoNomeDoCodigo(m_grupoFatores, QStringLiteral("FlatEdit11"));
    grupo->addWidget(Rotulo(QStringLiteral("Umidade:"), m_conversao), 3, 0);
    grupo->addWidget(m_conversao, 3, 1);
    grupo->addWidget(m_btnConversao, 3, 2);
    grupo->addWidget(m_nomeConversao, 3, 3, 1, 3);
    corpo()->addWidget(m_grupoFatores);

    auto* busca = new QHBoxLayout;
    m_localizar = CampoLocalizar(this, QStringLiteral("FlatEdit12"), 100);
    busca->addWidget(Rotulo(QStringLiteral("&Localizar:"), m_localizar));
    busca->addWidget(m_localizar, 1);
    m_btnEmbalagens = new QPushButton(QStringLiteral("Em&balagens"), this);
    m_btnEmbalagens->setObjectName(QStringLiteral("BtnEmbalagens"));
    busca->addWidget(m_btnEmbalagens);
    corpo()->addLayout(busca);

    m_grade = new TDBGrid(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    m_grade->setTabKeyNavigation(false); // Tab leaves the list
    corpo()->addWidget(m_grade, 1);

    AoSair(m_codigo, [this] { saiCodigo(); });
    for (QLineEdit* f : m_fatores) {
        AoSair(f, [this] { saiFator(); });
    }
    AoSair(m_vlrTonelada, [this] { saiVlrTonelada(); });
    AoSair(m_conversao, [this] { buscaConversao(); });
    for (QLineEdit* e : {static_cast<QLineEdit*>(m_codigo), m_descricao, m_conversao, m_nomeConversao}) {
        connect(e, &QLineEdit::textChanged, this, [this] { regraSalvar(); });
    }
    connect(m_localizar, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_grade->localizar(QStringLiteral("prd_descricao"), t); });
    connect(m_btnConversao, &QToolButton::clicked, this, [this] { escolheConversao(); });
    connect(m_btnEmbalagens, &QPushButton::clicked, this, [this] { abreEmbalagens(); });
    m_grade->setCampoLocalizar(m_localizar);
    defineLista(m_grade, QStringLiteral("prd_codigo"), Leitura::Paginas);
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
        m_codigo->setMascara(QString());
        m_codigo->setMaxLength(13);
    }
    QStringList nomes;
    for (int i = 0; i < 6; ++i) {
        QString nome = cfg.texto(QStringLiteral("CFG_FATOR%1").arg(i + 1)).trimmed();
        if (nome.isEmpty()) {
            nome = QStringLiteral("Fator %1").arg(i + 1, 2, 10, QLatin1Char('0'));
        }
        nomes << nome;
        m_rotFatores[i]->setText(nome);
        m_fatores[size_t(i)]->setAccessibleName(nome);
    }
    m_rotDensidade->setVisible(metros);
    m_densidade->setVisible(metros);
    m_rotVlrTonelada->setVisible(vlrTonelada);
    m_vlrTonelada->setVisible(vlrTonelada);
    m_grupoFatores->setVisible(umidade);
    m_btnEmbalagens->setVisible(embalagem);

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
    m_grade->setConsulta(&DM->QR_Produto, colunas);
}

void TFrmCadProdutos::aoMostrar()
{
    reabreLista();
}

void TFrmCadProdutos::reabreLista()
{
    abreLista();
}

void TFrmCadProdutos::limpa()
{
    LimpaCampos(this, m_localizar); // the search text stays, and the list keeps its row
}

void TFrmCadProdutos::ocioso()
{
    HabilitaCampos(this, 3);
    m_codigo->setEnabled(false);
}

void TFrmCadProdutos::regraSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    const bool conversaoOk = m_conversao->text().trimmed().isEmpty() ||
                             m_nomeConversao->text() != MensagensCadastro::naoCadastrado();
    BtnSalvar->setEnabled(!m_codigo->maskText().trimmed().isEmpty() &&
                          !m_descricao->text().trimmed().isEmpty() && conversaoOk);
}

void TFrmCadProdutos::saiCodigo()
{
    const QString codigo = m_codigo->maskText().trimmed();
    if (EstadoCadastro != 0 || codigo.isEmpty()) {
        return;
    }
    try {
        if (CadastroProduto::existe(*DM, codigo)) {
            Mensagem(QStringLiteral("O registro não pode ser inserido pois está sendo utilizado!"),
                     QStringLiteral("Informação"), Msg::Informacao);
            m_codigo->clear();
            Refoca(m_codigo);
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
}

void TFrmCadProdutos::mostraCorrecao()
{
    QStringList textos;
    for (QLineEdit* f : m_fatores) {
        textos << f->text();
    }
    const auto c = CadastroProduto::correcaoCombinada(textos);
    m_correcao->setText(c ? c->toString(2) : QString());
}

void TFrmCadProdutos::saiFator()
{
    if (EstadoCadastro == 3) {
        return;
    }
    QStringList textos;
    for (QLineEdit* f : m_fatores) {
        if (!NumeroDigitado(f->text())) {
            f->setText(QStringLiteral("0,00"));
        }
        textos << f->text();
    }
    const auto c = CadastroProduto::correcaoCombinada(textos);
    if (c) {
        m_correcao->setText(c->toString(2));
        return;
    }
    Mensagem(QStringLiteral("A soma dos campos passou de 100% por favor redigite os valores!"),
             QStringLiteral("Informação"), Msg::Informacao);
    for (QLineEdit* f : m_fatores) {
        f->setText(QStringLiteral("0,00"));
    }
    m_correcao->setText(Decimal::fromInt(1).toString(2));
    Refoca(m_fatores[0]);
}

void TFrmCadProdutos::saiVlrTonelada()
{
    if (const auto v = NumeroDigitado(m_vlrTonelada->text())) {
        m_vlrTonelada->setText(v->toString(m_casas));
    }
}

void TFrmCadProdutos::buscaConversao()
{
    const QString codigo = m_conversao->text().trimmed();
    if (codigo.isEmpty()) {
        m_nomeConversao->clear();
        return;
    }
    try {
        m_nomeConversao->setText(
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
    m_conversao->setText(e ? QString::number(e->codigo) : QString());
    m_nomeConversao->setText(e ? e->texto(QStringLiteral("tab_descricao")) : QString());
    m_conversao->setFocus();
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
    m_codigo->setEnabled(true);
    m_codigo->setText(codigo);
    regraSalvar();
    m_descricao->setFocus();
}

void TFrmCadProdutos::abreRegistro()
{
    TQuery& q = DM->QR_Produto;
    if (EstadoCadastro != 3 || q.IsEmpty() || m_grade->linhaAtual() < 0) {
        return;
    }
    auto numero = [&q, this](const QString& campo) {
        return q.IsNull(campo) ? QString() : q.AsDecimal(campo).toString(m_casas);
    };
    limpa();
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    m_codigo->setText(q.AsString(QStringLiteral("prd_codigo")));
    m_descricao->setText(q.AsString(QStringLiteral("prd_descricao")));
    for (int i = 0; i < 6; ++i) {
        m_fatores[size_t(i)]->setText(numero(QStringLiteral("prd_fator%1").arg(i + 1)));
    }
    m_densidade->setText(numero(QStringLiteral("prd_densidade")));
    m_vlrTonelada->setText(numero(QStringLiteral("prd_vlrtonelada")));
    m_conversao->setText(q.AsString(QStringLiteral("tab_codigo")));
    buscaConversao();
    m_codigo->setEnabled(false);
    mostraCorrecao();
    regraSalvar();
    m_descricao->setFocus();
}

void TFrmCadProdutos::BtnSalvarClick()
{
    const QString codigo = m_codigo->maskText().trimmed();
    const bool insercao = EstadoCadastro == 0;
    DadosProduto p;
    p.codigo = codigo;
    p.descricao = m_descricao->text();
    for (int i = 0; i < 6; ++i) {
        p.fatores[size_t(i)] = m_fatores[size_t(i)]->text();
    }
    p.densidade = m_densidade->text();
    p.vlrTonelada = m_vlrTonelada->text();
    p.tabCodigo = m_conversao->text().trimmed();
    try {
        // the moisture table is checked again: it may have been typed without leaving the field
        buscaConversao();
        if (!p.tabCodigo.isEmpty() && m_nomeConversao->text() == MensagensCadastro::naoCadastrado()) {
            m_conversao->setFocus();
            return;
        }
        if (insercao && CadastroProduto::existe(*DM, codigo)) {
            Mensagem(QStringLiteral("Código ja esta sendo utilizado."), QStringLiteral("Informação"),
                     Msg::Ok);
            m_grade->localizar(QStringLiteral("prd_codigo"), codigo);
            m_codigo->clear();
            m_codigo->setFocus();
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
    m_grade->localizar(QStringLiteral("prd_codigo"), codigo);
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
    if (q.IsEmpty() || m_grade->linhaAtual() < 0) {
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
    if (q.IsEmpty() || m_grade->linhaAtual() < 0 ||
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
    if (alvo == m_conversao && e->key() == Qt::Key_F2) {
        escolheConversao();
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}
