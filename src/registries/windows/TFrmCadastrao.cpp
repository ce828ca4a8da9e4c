// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmCadastrao.h"

#include "Cadastros.h"
#include "Cidades.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "LeConfig.h"
#include "MensagensCadastro.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmCadCidade.h"
#include "TFrmCalendario.h"
#include "TMaskEdit.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

const QString mascaraCpf = QStringLiteral("999.999.999-99;1;_");
const QString mascaraCnpj = QStringLiteral("99.999.999/9999-99;1;_");

void renomeia(QLabel* rotulo, const QString& texto)
{
    rotulo->setText(texto);
    if (QWidget* campo = rotulo->buddy()) {
        QString nome = texto;
        campo->setAccessibleName(nome.remove(u'&').trimmed());
    }
}

} // namespace

TFrmCadastrao::TFrmCadastrao(int tipo, QWidget* parent) : TFrmPadrao(parent), m_tipo(tipo)
{
    setObjectName(QStringLiteral("FrmCadastrao"));
    bool navio = false;
    try {
        navio = LeConfig(*DM).inteiro(QStringLiteral("CFG_NAVIO")) == 1;
    } catch (const ErroBanco&) {
    }
    setWindowTitle(Cadastros::tituloJanela(tipo, navio));
    montaCampos();

    // Kinds 2 and 3 may number their parties by hand when the site allows it.
    bool codigoLivre = false;
    if (tipo == Cadastros::Transportadora || tipo == Cadastros::Cliente) {
        try {
            codigoLivre = LeConfig(*DM).inteiro(QStringLiteral("CFG_ALTERACODIGO")) == 1;
        } catch (const ErroBanco&) {
        }
    }
    m_codigo->setReadOnly(!codigoLivre);

    const bool motorista = tipo == Cadastros::Motorista;
    m_lblPlaca->setVisible(motorista);
    m_placa->setVisible(motorista);
    m_lblTara->setVisible(motorista);
    m_tara->setVisible(motorista);
    if (motorista) {
        m_lblInsRg->setStyleSheet(QStringLiteral("color: blue;"));
    }

    limpa();
    HabilitaCampos(this, 3);
    ajustaBotoes(3);
    carregaLista();
    setTag(btnSair, DM->QR_Cadastrao.IsEmpty() ? 1 : 0);
}

void TFrmCadastrao::montaCampos()
{
    m_painel = new QWidget(this);
    m_painel->setObjectName(QStringLiteral("PainelCampos"));
    auto* g = new QGridLayout(m_painel);
    g->setContentsMargins(0, 0, 0, 0);
    int linha = 0;
    auto par = [&](QLabel* rotulo, QWidget* campo, int coluna) {
        g->addWidget(rotulo, linha, coluna * 2);
        g->addWidget(campo, linha, coluna * 2 + 1);
    };
    auto edit = [this](const char* nome, int tamanho) {
        return CampoTexto(m_painel, QLatin1String(nome), tamanho);
    };
    auto mascara = [this](const char* nome, const QString& m) {
        auto* e = new TMaskEdit(m, m_painel);
        e->setObjectName(QLatin1String(nome));
        return e;
    };

    m_codigo = mascara("edtCodigo", QStringLiteral("999999;1;_"));
    par(Rotulo(QStringLiteral("Código:"), m_codigo), m_codigo, 0);
    m_pessoa = new QComboBox(m_painel);
    m_pessoa->setObjectName(QStringLiteral("cbPessoa"));
    m_pessoa->addItems({QStringLiteral("Físico"), QStringLiteral("Jurídico")});
    m_pessoa->setCurrentIndex(Cadastros::Juridico);
    m_pessoa->setAccessibleName(QStringLiteral("Pessoa"));
    g->addWidget(m_pessoa, linha, 2, 1, 2);
    ++linha;

    m_razao = edit("edtRazao", 150);
    ForcaMaiusculas(m_razao);
    m_lblRazao = Rotulo(QStringLiteral("Razão:"), m_razao);
    par(m_lblRazao, m_razao, 0);
    m_fantasia = edit("edtFantasia", 100);
    ForcaMaiusculas(m_fantasia);
    m_lblFantasia = Rotulo(QStringLiteral("Fantasia:"), m_fantasia);
    par(m_lblFantasia, m_fantasia, 1);
    ++linha;

    m_cpfCgc = mascara("edtCpfCgc", mascaraCnpj);
    m_lblCpfCgc = Rotulo(QStringLiteral("CNPJ:"), m_cpfCgc);
    par(m_lblCpfCgc, m_cpfCgc, 0);
    m_insRg = edit("edtInsRg", 14);
    m_lblInsRg = Rotulo(QStringLiteral("Inscrição:"), m_insRg);
    par(m_lblInsRg, m_insRg, 1);
    ++linha;

    m_cep = mascara("edtCep", QStringLiteral("99999-999;1;_"));
    par(Rotulo(QStringLiteral("CEP:"), m_cep), m_cep, 0);
    m_endereco = edit("edtEndereco", 100);
    ForcaMaiusculas(m_endereco);
    par(Rotulo(QStringLiteral("Endereço:"), m_endereco), m_endereco, 1);
    ++linha;

    m_bairro = edit("edtBairro", 100);
    ForcaMaiusculas(m_bairro);
    par(Rotulo(QStringLiteral("Bairro:"), m_bairro), m_bairro, 0);
    m_cidade = mascara("edtCidade", QStringLiteral("999999;1;_"));
    m_btnCidade = BotaoPesquisa(m_painel, QStringLiteral("btnCidade"), QStringLiteral("Pesquisar cidade"));
    m_nomeCidade = CampoNomeDoCodigo(m_painel, QStringLiteral("edtNomeCidade"));
    m_nomeCidade->setAccessibleName(QStringLiteral("Nome da cidade"));
    auto* cidade = new QHBoxLayout;
    cidade->addWidget(m_cidade);
    cidade->addWidget(m_btnCidade);
    cidade->addWidget(m_nomeCidade, 1);
    g->addWidget(Rotulo(QStringLiteral("Cidade:"), m_cidade), linha, 2);
    g->addLayout(cidade, linha, 3);
    ++linha;

    m_fone = edit("edtFone", 15);
    par(Rotulo(QStringLiteral("Fone:"), m_fone), m_fone, 0);
    m_fax = edit("edtFax", 15);
    par(Rotulo(QStringLiteral("Fax:"), m_fax), m_fax, 1);
    ++linha;

    m_contato = edit("edtContato", 100);
    ForcaMaiusculas(m_contato);
    par(Rotulo(QStringLiteral("Contato:"), m_contato), m_contato, 0);
    m_data = mascara("edtData", QStringLiteral("99/99/9999"));
    par(Rotulo(QStringLiteral("Data:"), m_data), m_data, 1);
    ++linha;

    m_email = edit("edtEmail", 200);
    ForcaMinusculas(m_email);
    par(Rotulo(QStringLiteral("Email:"), m_email), m_email, 0);
    m_site = edit("edtSite", 200);
    ForcaMinusculas(m_site);
    par(Rotulo(QStringLiteral("Site:"), m_site), m_site, 1);
    ++linha;

    m_placa = edit("edtPlaca", 7);
    ForcaMaiusculas(m_placa);
    m_lblPlaca = Rotulo(QStringLiteral("Placa:"), m_placa);
    par(m_lblPlaca, m_placa, 0);
    m_tara = edit("edtTara", 7);
    FiltroNumerico(m_tara);
    m_lblTara = Rotulo(QStringLiteral("Tara:"), m_tara);
    par(m_lblTara, m_tara, 1);
    ++linha;

    m_inativo = new QComboBox(m_painel);
    m_inativo->setObjectName(QStringLiteral("cbInativo"));
    m_inativo->addItems({QStringLiteral("Não"), QStringLiteral("Sim")});
    par(Rotulo(QStringLiteral("Inativo:"), m_inativo), m_inativo, 0);
    ++linha;

    m_obs = new QPlainTextEdit(m_painel);
    m_obs->setObjectName(QStringLiteral("memObs"));
    EnterSaiDoMemo(m_obs);
    m_obs->setMaximumHeight(70);
    g->addWidget(Rotulo(QStringLiteral("Observação"), m_obs), linha, 0);
    g->addWidget(m_obs, linha, 1, 1, 3);
    corpo()->addWidget(m_painel);

    auto* busca = new QHBoxLayout;
    m_localizar = CampoLocalizar(this, QStringLiteral("edtLocalizar"));
    m_lblLocalizar = Rotulo(QStringLiteral("&Localizar:"), m_localizar);
    busca->addWidget(m_lblLocalizar);
    busca->addWidget(m_localizar, 1);
    corpo()->addLayout(busca);

    m_grade = new TDBGrid(this);
    m_grade->setObjectName(QStringLiteral("DBGrid1"));
    corpo()->addWidget(m_grade, 1);
    m_grade->setConsulta(&DM->QR_Cadastrao,
                         {{QStringLiteral("CAD_CODIGO"), QStringLiteral("Código"), 60},
                          {QStringLiteral("CAD_RAZAO"), QStringLiteral("Razão/Nome"), 250},
                          {QStringLiteral("CAD_FANTASIA"), QStringLiteral("Fantasia/Apelido"), 150},
                          {QStringLiteral("CAD_ENDERECO"), QStringLiteral("Endereço"), 200},
                          {QStringLiteral("CAD_PLACA"), QStringLiteral("Placa"), 70},
                          {QStringLiteral("CAD_BAIRRO"), QStringLiteral("Bairro"), 120},
                          {QStringLiteral("CAD_CEP"), QStringLiteral("CEP"), 80},
                          {QStringLiteral("CAD_FONE"), QStringLiteral("Fone"), 100},
                          {QStringLiteral("CAD_FAX"), QStringLiteral("Fax"), 100},
                          {QStringLiteral("CAD_CONTATO"), QStringLiteral("Contato"), 120},
                          {QStringLiteral("CAD_EMAIL"), QStringLiteral("Email"), 150},
                          {QStringLiteral("CAD_SITE"), QStringLiteral("Site"), 150},
                          {QStringLiteral("CAD_DTCADASTRO"), QStringLiteral("Data Cadastro"), 90},
                          {QStringLiteral("CAD_OBS"), QStringLiteral("Observação"), 200}});

    connect(m_pessoa, &QComboBox::currentIndexChanged, this, &TFrmCadastrao::aplicaPessoa);
    for (QLineEdit* e : {static_cast<QLineEdit*>(m_codigo), m_razao, static_cast<QLineEdit*>(m_cidade),
                         m_nomeCidade, m_insRg}) {
        connect(e, &QLineEdit::textChanged, this, &TFrmCadastrao::ajustaSalvar);
    }
    // A changed code no longer names the city shown; the look-up runs on leaving.
    connect(m_cidade, &QLineEdit::textEdited, m_nomeCidade, &QLineEdit::clear);
    connect(m_btnCidade, &QToolButton::clicked, this, [this] { abreCidades(true); });
    connect(m_obs, &QPlainTextEdit::textChanged, this, [this] {
        const QString t = m_obs->toPlainText();
        if (t.size() > 500) {
            m_obs->setPlainText(t.left(500));
            m_obs->moveCursor(QTextCursor::End);
        }
    });
    connect(m_localizar, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_grade->localizar(m_buscaPlaca ? QStringLiteral("CAD_PLACA") : QStringLiteral("CAD_RAZAO"), t);
    });
    m_grade->setCampoLocalizar(m_localizar);
    defineLista(m_grade, QStringLiteral("CAD_CODIGO"), Leitura::Paginas);
    connect(m_grade, &TDBGrid::tituloClicado, this, &TFrmCadastrao::tituloClicado);
    aplicaPessoa(Cadastros::Juridico);
}

void TFrmCadastrao::carregaLista(const QString& ordem)
{
    TQuery& q = DM->QR_Cadastrao;
    q.setSQL({QStringLiteral("Select *"), QStringLiteral("From Cadastrao"),
              QStringLiteral("Where cad_tipo=:tipo"), ordem});
    q.setParam(QStringLiteral("tipo"), m_tipo);
    abreLista();
}

void TFrmCadastrao::tituloClicado(int coluna, const QString& campo)
{
    QString ordem;
    if (campo == QLatin1String("CAD_CODIGO")) {
        ordem = QStringLiteral("order by cad_codigo");
    } else if (campo == QLatin1String("CAD_RAZAO")) {
        ordem = QStringLiteral("order by cad_razao");
    } else {
        return;
    }
    carregaLista(ordem);
    for (int c = 0; c < m_grade->modelo()->columnCount(); ++c) {
        m_grade->modelo()->setCorTitulo(c, c == coluna ? QColor(Qt::cyan) : QColor());
    }
}

void TFrmCadastrao::aplicaPessoa(int pessoa)
{
    const bool fisico = pessoa == Cadastros::Fisico;
    renomeia(m_lblRazao, fisico ? QStringLiteral("Nome:") : QStringLiteral("Razão:"));
    renomeia(m_lblFantasia, fisico ? QStringLiteral("Apelido:") : QStringLiteral("Fantasia:"));
    renomeia(m_lblCpfCgc, fisico ? QStringLiteral("CPF:") : QStringLiteral("CNPJ:"));
    renomeia(m_lblInsRg, fisico ? QStringLiteral("RG:") : QStringLiteral("Inscrição:"));
    const QString mascara = fisico ? mascaraCpf : mascaraCnpj;
    if (m_cpfCgc->mascara() != mascara) {
        m_cpfCgc->setMascara(mascara);
        m_cpfCgc->clear();
    }
    m_checkDoc.setMode(fisico ? TCheckDoc::moCPF : TCheckDoc::moCGC);
}

void TFrmCadastrao::setBuscaPorPlaca(bool placa)
{
    m_buscaPlaca = placa;
    renomeia(m_lblLocalizar, placa ? QStringLiteral("Placa:") : QStringLiteral("&Localizar:"));
}

void TFrmCadastrao::aoVirarSeletor()
{
    m_painel->hide();
}

void TFrmCadastrao::modoEmissor(ArranjoEmissor arranjo)
{
    m_emissor = arranjo;
    QHBoxLayout* barra = barraBotoes();
    // Every button after one stretch: they sit together on the right.
    while (QLayoutItem* item = barra->takeAt(0)) {
        delete item;
    }
    barra->addStretch(1);
    for (QPushButton* b : {BtnNovo, BtnSalvar, BtnCancelar, btnExcluir, btnSair}) {
        barra->addWidget(b);
    }
    aplicaModo();
}

// Hidden buttons stay disabled whatever the state says.
void TFrmCadastrao::aplicaModo()
{
    QList<QPushButton*> fora;
    if (m_emissor == ArranjoEmissor::Inicio) {
        fora = {btnExcluir};
    } else if (m_emissor == ArranjoEmissor::DadosCadastrais) {
        fora = {BtnNovo, btnExcluir};
    }
    for (QPushButton* b : fora) {
        b->hide();
        b->setEnabled(false);
    }
}

void TFrmCadastrao::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    aplicaModo();
}

int TFrmCadastrao::codigo() const
{
    return m_codigo->maskText().trimmed().toInt();
}

void TFrmCadastrao::limpa()
{
    LimpaCampos(m_painel);
    m_inativo->setCurrentIndex(0);
    if (m_tipo == Cadastros::Motorista) {
        m_pessoa->setCurrentIndex(Cadastros::Fisico);
    }
}

void TFrmCadastrao::voltaNavegacao()
{
    limpa();
    ajustaBotoes(3);
    HabilitaCampos(this, 3);
    aplicaModo();
    BtnNovo->setFocus();
}

void TFrmCadastrao::ajustaSalvar()
{
    if (EstadoCadastro == 3 || comoSeletor()) {
        return;
    }
    const QString nomeCidade = m_nomeCidade->text().trimmed();
    bool pode = !m_codigo->maskText().trimmed().isEmpty() && !m_razao->text().trimmed().isEmpty() &&
                !m_cidade->maskText().trimmed().isEmpty() && !nomeCidade.isEmpty() &&
                nomeCidade != MensagensCadastro::naoCadastrado();
    if (m_tipo == Cadastros::Motorista) {
        pode = pode && !m_insRg->text().trimmed().isEmpty();
    }
    BtnSalvar->setEnabled(pode);
}

void TFrmCadastrao::BtnNovoClick()
{
    limpa();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    int proximo = 1;
    try {
        proximo = Cadastros::proximoCodigo(*DM, m_tipo);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        voltaNavegacao();
        return;
    }
    if (m_tipo == Cadastros::Emissor && proximo > 1) {
        MensagensCadastro::informa(
            QStringLiteral("Você não pode incluir mais de um emissor, somente alterar as informações que "
                           "estão disponíveis!"));
        voltaNavegacao();
        return;
    }
    m_codigo->setText(QString::number(proximo));
    m_data->setText(Relogio::hoje().toString(QStringLiteral("dd/MM/yyyy")));
    m_pessoa->setCurrentIndex(m_tipo == Cadastros::Motorista ? Cadastros::Fisico : Cadastros::Juridico);
    ajustaSalvar();
    m_pessoa->setFocus();
}

void TFrmCadastrao::abreRegistro()
{
    TQuery& q = DM->QR_Cadastrao;
    if (EstadoCadastro != 3 || q.IsEmpty() || q.Eof()) {
        return;
    }
    limpa();
    m_pessoa->setCurrentIndex(q.AsInteger(QStringLiteral("CAD_PESSOA")) == Cadastros::Fisico
                                  ? Cadastros::Fisico
                                  : Cadastros::Juridico);
    m_codigo->setText(q.AsString(QStringLiteral("CAD_CODIGO")));
    m_cpfCgc->setText(q.AsString(QStringLiteral("CAD_CPFCGC")));
    m_insRg->setText(q.AsString(QStringLiteral("CAD_INSRG")));
    m_razao->setText(q.AsString(QStringLiteral("CAD_RAZAO")));
    m_fantasia->setText(q.AsString(QStringLiteral("CAD_FANTASIA")));
    m_endereco->setText(q.AsString(QStringLiteral("CAD_ENDERECO")));
    m_bairro->setText(q.AsString(QStringLiteral("CAD_BAIRRO")));
    m_cep->setText(q.AsString(QStringLiteral("CAD_CEP")));
    m_fone->setText(q.AsString(QStringLiteral("CAD_FONE")));
    m_fax->setText(q.AsString(QStringLiteral("CAD_FAX")));
    m_contato->setText(q.AsString(QStringLiteral("CAD_CONTATO")));
    m_email->setText(q.AsString(QStringLiteral("CAD_EMAIL")));
    m_site->setText(q.AsString(QStringLiteral("CAD_SITE")));
    const QDate data = q.AsDate(QStringLiteral("CAD_DTCADASTRO"));
    if (data.isValid()) {
        m_data->setText(data.toString(QStringLiteral("dd/MM/yyyy")));
    }
    m_placa->setText(q.AsString(QStringLiteral("CAD_PLACA")));
    m_tara->setText(q.IsNull(QStringLiteral("CAD_TARA"))
                        ? QString()
                        : q.AsDecimal(QStringLiteral("CAD_TARA")).toShortString());
    m_inativo->setCurrentIndex(q.AsInteger(QStringLiteral("CAD_INATIVO")) == 1 ? 1 : 0);
    m_obs->setPlainText(q.AsString(QStringLiteral("CAD_OBS")));
    const int cidade = q.AsInteger(QStringLiteral("CID_CODIGO"));
    if (!q.IsNull(QStringLiteral("CID_CODIGO"))) {
        m_cidade->setText(QString::number(cidade));
        saiCidade();
    }
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    m_codigo->setEnabled(false);
    ajustaSalvar();
    m_razao->setFocus();
}

bool TFrmCadastrao::saiCidade()
{
    const QString texto = m_cidade->maskText().trimmed();
    if (texto.isEmpty()) {
        return true;
    }
    try {
        const auto nome = Cidades::nome(*DM, texto.toInt());
        m_nomeCidade->setText(nome ? *nome : MensagensCadastro::naoCadastrado());
        return bool(nome);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return false;
    }
}

bool TFrmCadastrao::saiDocumento()
{
    if (m_cpfCgc->vazio()) {
        return true;
    }
    const QString numero = m_cpfCgc->maskText();
    m_checkDoc.setInput(numero);
    if (!m_checkDoc.Result()) {
        MensagensCadastro::informa(QStringLiteral("C.P.F./C.N.P.J. inválido!"));
        m_cpfCgc->clear();
        Refoca(m_cpfCgc);
        return false;
    }
    try {
        if (Cadastros::documentoEmUso(*DM, numero, codigo(), m_tipo)) {
            MensagensCadastro::informa(QStringLiteral("C.P.F./C.N.P.J. já Cadastrado!"));
            m_cpfCgc->clear();
            Refoca(m_cpfCgc);
            return false;
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return false;
    }
    return true;
}

bool TFrmCadastrao::saiInsRg()
{
    const QString numero = m_insRg->text().trimmed();
    if (numero.isEmpty()) {
        return true;
    }
    try {
        if (Cadastros::rgEmUso(*DM, numero, m_pessoa->currentIndex(), codigo(), m_tipo)) {
            Mensagem(QStringLiteral("Numero do documento já utilizado em outro cadastro."), QString(),
                     Msg::Ok);
            m_insRg->clear();
            Refoca(m_insRg);
            return false;
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return false;
    }
    return true;
}

void TFrmCadastrao::saiCep()
{
    if (m_cep->vazio()) {
        return;
    }
    try {
        if (const auto e = Cadastros::enderecoDoCep(*DM, m_cep->maskText())) {
            m_endereco->setText(e->endereco);
            m_bairro->setText(e->bairro);
            m_cidade->setText(QString::number(e->cidade));
            m_nomeCidade->setText(e->nomeCidade);
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
    }
}

bool TFrmCadastrao::saiData()
{
    const QString texto = m_data->maskText();
    if (DataVazia(texto)) {
        return true;
    }
    if (!EhData(texto)) {
        Refoca(m_data);
        return false;
    }
    m_data->setText(FormataData(texto));
    return true;
}

bool TFrmCadastrao::eventFilter(QObject* obj, QEvent* ev)
{
    if (ev->type() == QEvent::FocusOut && !m_verificando && EstadoCadastro != 3) {
        const auto motivo = static_cast<QFocusEvent*>(ev)->reason();
        // A message box or a pop-up taking the focus is not the operator leaving the field.
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason) {
            m_verificando = true;
            if (obj == m_cidade) {
                saiCidade();
            } else if (obj == m_cpfCgc) {
                saiDocumento();
            } else if (obj == m_insRg) {
                saiInsRg();
            } else if (obj == m_cep) {
                saiCep();
            } else if (obj == m_data) {
                saiData();
            }
            m_verificando = false;
        }
    }
    return TFrmPadrao::eventFilter(obj, ev);
}

bool TFrmCadastrao::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->modifiers() == Qt::NoModifier && (e->key() == Qt::Key_F2 || e->key() == Qt::Key_F3)) {
        if (alvo == m_cidade) {
            abreCidades(e->key() == Qt::Key_F2);
            return true;
        }
        if (alvo == m_data && e->key() == Qt::Key_F2) {
            if (const QString d = AbrirCalendario(this, m_data->text()); !d.isEmpty()) {
                m_data->setText(d);
            }
            return true;
        }
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}

void TFrmCadastrao::abreCidades(bool selecao)
{
    if (!selecao && !SessaoAtual.pode(SessaoAtual.Cadastros)) {
        MensagensCadastro::informa(QStringLiteral("Módulo com acesso restrito."));
        return;
    }
    // The picker form serves a window that already lists parties; otherwise the full registry opens.
    const bool picker = selecao && !DM->QR_Cadastrao.IsEmpty();
    std::optional<Escolha> escolhida;
    {
        TFrmCadCidade cidades(this);
        if (picker) {
            escolhida = cidades.escolher();
        } else {
            cidades.exec();
            escolhida = cidades.escolha();
        }
    }
    if (selecao && escolhida) {
        m_cidade->setText(QString::number(escolhida->codigo));
        m_nomeCidade->setText(escolhida->texto(QStringLiteral("CID_DESCRICAO")));
    } else {
        saiCidade();
    }
    m_cidade->setFocus();
}

void TFrmCadastrao::BtnSalvarClick()
{
    if (EstadoCadastro == 3 || !BtnSalvar->isEnabled()) {
        return;
    }
    // A click on "Sal&var" may come before the field being typed was left: its checks run here too.
    m_verificando = true;
    const bool ok = saiCidade() && saiDocumento() && saiInsRg();
    m_verificando = false;
    ajustaSalvar();
    if (!ok || !BtnSalvar->isEnabled()) {
        return;
    }
    if (!DataVazia(m_data->maskText()) && !EhData(m_data->maskText())) {
        MensagensCadastro::informa(QStringLiteral("Data inválida!"));
        Refoca(m_data);
        return;
    }

    Cadastros::Ficha f;
    f.codigo = codigo();
    f.tipo = m_tipo;
    f.pessoa = m_pessoa->currentIndex();
    f.cpfCgc = m_cpfCgc->vazio() ? QString() : m_cpfCgc->maskText();
    f.insRg = m_insRg->text();
    f.razao = m_razao->text();
    f.fantasia = m_fantasia->text();
    f.endereco = m_endereco->text();
    f.bairro = m_bairro->text();
    f.cep = m_cep->vazio() ? QString() : m_cep->maskText();
    f.fone = m_fone->text();
    f.fax = m_fax->text();
    f.contato = m_contato->text();
    f.email = m_email->text();
    f.site = m_site->text();
    f.data = DataVazia(m_data->maskText()) ? QString() : m_data->maskText();
    f.cidade = m_cidade->maskText().trimmed().toInt();
    f.inativo = m_inativo->currentIndex() == 1;
    f.placa = m_placa->text();
    f.tara = m_tara->text();
    f.obs = m_obs->toPlainText();

    const bool gravou = MensagensCadastro::grava([this, &f] {
        Cadastros::montarGravacao(*DM, f, EstadoCadastro == 0);
        MensagensCadastro::mostraRastreio(DM->rastreioSql, DM->QR_EXEC.TraceText());
        Cadastros::gravar(*DM);
    });
    if (!gravou) {
        return; // rolled back; the operator keeps what was typed and may correct it
    }
    voltaNavegacao();
    carregaLista();
}

void TFrmCadastrao::BtnCancelarClick()
{
    voltaNavegacao();
}

void TFrmCadastrao::btnExcluirClick()
{
    if (m_tipo == Cadastros::Emissor) {
        MensagensCadastro::informa(
            QStringLiteral("Você não pode excluir o emissor, somente alterar as informações!"));
        return;
    }
    TQuery& q = DM->QR_Cadastrao;
    if (q.IsEmpty() || q.Eof()) {
        MensagensCadastro::informa(QStringLiteral("Não há registros para excluir!"));
        return;
    }
    const int alvo = q.AsInteger(QStringLiteral("CAD_CODIGO"));
    try {
        if (Cadastros::pesagensDoCadastro(*DM, alvo, m_tipo) > 0) {
            MensagensCadastro::avisaEmUso();
            return;
        }
        if (!MensagensCadastro::confirmaExclusaoSim()) {
            return;
        }
        Cadastros::excluir(*DM, alvo, m_tipo);
    } catch (const RegistroEmUso& e) {
        MensagensCadastro::informa(e.texto());
        return;
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErroExclusao(e);
        return;
    }
    carregaLista();
    MensagensCadastro::avisaSucesso();
}
