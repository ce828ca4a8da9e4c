// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmSerial.h"

#include "ArquivoIni.h"
#include "ConfiguraBalanca.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "TDM.h"

#include "PastaDados.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace
{

void indice(QComboBox* lista, int valor)
{
    if (valor >= 0 && valor < lista->count()) {
        lista->setCurrentIndex(valor);
    }
}

} // namespace

TFrmSerial::TFrmSerial(QWidget* parent) : TJanela(parent)
{
    setObjectName(QStringLiteral("FrmSerial"));
    setWindowTitle(QStringLiteral("Configurações"));

    auto* painel = new QWidget(this);
    painel->setObjectName(QStringLiteral("Panel1"));
    auto* colunas = new QHBoxLayout(painel);

    auto lista = [painel](const char* nome, const QStringList& itens) {
        auto* c = new QComboBox(painel);
        c->setObjectName(QLatin1String(nome));
        c->addItems(itens);
        return c;
    };
    auto texto = [painel](const char* nome, int tamanho) {
        auto* e = new QLineEdit(painel);
        e->setObjectName(QLatin1String(nome));
        e->setMaxLength(tamanho);
        return e;
    };
    auto digitos = [&texto](const char* nome) {
        auto* e = texto(nome, 3);
        FiltroDigitos(e, 3);
        return e;
    };
    auto caixa = [painel](const char* nome, const QString& rotulo) {
        auto* c = new QCheckBox(rotulo, painel);
        c->setObjectName(QLatin1String(nome));
        return c;
    };
    auto linha = [](QFormLayout* f, const QString& rotulo, QWidget* campo) {
        f->addRow(Rotulo(rotulo, campo), campo);
    };
    const QStringList casas = {QStringLiteral("Sem Decimais"), QStringLiteral("1 Decimal"),
                               QStringLiteral("2 Decimais"), QStringLiteral("3 Decimais")};
    QStringList portas;
    for (int i = 1; i <= 8; ++i) {
        portas << QStringLiteral("COM%1").arg(i);
    }

    // serial line and indicator
    auto* serial = new QFormLayout;
    cbPorta = lista("cbPorta", portas);
    linha(serial, QStringLiteral("Porta balança entrada:"), cbPorta);
    cbPortaSaida = lista("cbPortaSaida", portas);
    linha(serial, QStringLiteral("Porta balança saída:"), cbPortaSaida);
    cbBaud = lista("cbBaud", {QStringLiteral("600"), QStringLiteral("1200"), QStringLiteral("2400"),
                              QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200")});
    linha(serial, QStringLiteral("Baud Rate:"), cbBaud);
    cbBits =
        lista("cbBits", {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8")});
    linha(serial, QStringLiteral("Data bits:"), cbBits);
    cbParidade = lista("cbParidade", {QStringLiteral("Even"), QStringLiteral("Mark"), QStringLiteral("None"),
                                      QStringLiteral("Odd"), QStringLiteral("Space")});
    linha(serial, QStringLiteral("Paridade:"), cbParidade);
    cbStop = lista("cbStop", {QStringLiteral("1"), QStringLiteral("1HALF"), QStringLiteral("2")});
    cbStop->setToolTip(
        QStringLiteral("No Linux não existe 1,5 stop bit: com \"1HALF\" são usados 2 stop bits."));
    linha(serial, QStringLiteral("Stop bits:"), cbStop);
    cbFluxoHard =
        lista("cbFluxoHard", {QStringLiteral("None"), QStringLiteral("RTS on"), QStringLiteral("RTS CTS")});
    linha(serial, QStringLiteral("Fluxo Hardware:"), cbFluxoHard);
    cbFluxoSoft = lista("cbFluxoSoft", {QStringLiteral("None"), QStringLiteral("XonXoff")});
    linha(serial, QStringLiteral("Fluxo Software:"), cbFluxoSoft);
    cbModelo = lista("cbModelo", {QStringLiteral("AR"), QStringLiteral("AR-N 5 Dígitos"),
                                  QStringLiteral("AR-N 6 Dígitos")});
    linha(serial, QStringLiteral("Indicador Modelo:"), cbModelo);
    cbDivisao = lista("cbDivisao",
                      {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    linha(serial, QStringLiteral("Divisão Somente(AR):"), cbDivisao);
    cbInterface = lista("cbInterface", {QStringLiteral("Pesagem"), QStringLiteral("Demanda")});
    linha(serial, QStringLiteral("Interface Serial:"), cbInterface);
    cbCasasDecimais = lista("cbCasasDecimais", casas);
    linha(serial, QStringLiteral("Casas Decimais:"), cbCasasDecimais);
    cbCasasUmidade = lista("cbCasasUmidade", casas);
    linha(serial, QStringLiteral("Casas Umidade:"), cbCasasUmidade);

    // the mail server the reports are sent through
    auto* grupoEmail = new QGroupBox(QStringLiteral("E-mail (SMTP)"), painel);
    grupoEmail->setObjectName(QStringLiteral("grpEmail"));
    auto* email = new QFormLayout(grupoEmail);
    edtEmailServidor = texto("edtEmailServidor", 100);
    edtEmailServidor->setToolTip(QStringLiteral("Em branco: os relatórios não são enviados por e-mail."));
    linha(email, QStringLiteral("Servidor:"), edtEmailServidor);
    edtEmailPorta = texto("edtEmailPorta", 5);
    FiltroDigitos(edtEmailPorta, 5);
    linha(email, QStringLiteral("Porta:"), edtEmailPorta);
    cbEmailSeguranca =
        lista("cbEmailSeguranca", {QStringLiteral("STARTTLS (exigido)"), QStringLiteral("TLS direto (SMTPS)"),
                                   QStringLiteral("Nenhuma (servidor sem criptografia)")});
    linha(email, QStringLiteral("Segurança:"), cbEmailSeguranca);
    edtEmailUsuario = texto("edtEmailUsuario", 100);
    linha(email, QStringLiteral("Usuário:"), edtEmailUsuario);
    edtEmailSenha = texto("edtEmailSenha", 100);
    edtEmailSenha->setEchoMode(QLineEdit::Password);
    linha(email, QStringLiteral("Senha:"), edtEmailSenha);
    edtEmailRemetente = texto("edtEmailRemetente", 100);
    linha(email, QStringLiteral("Remetente:"), edtEmailRemetente);
    serial->addRow(grupoEmail);

    // printing and tickets
    auto* impressao = new QFormLayout;
    cbImpressora =
        lista("cbImpressora",
              {QStringLiteral("PadraoIBM"), QStringLiteral("Deskjet500"), QStringLiteral("Deskjet600"),
               QStringLiteral("Rima"), QStringLiteral("Epson9pinos"), QStringLiteral("EmiliaPS"),
               QStringLiteral("EpsonStylusC2"), QStringLiteral("CanonBJC4000"),
               QStringLiteral("Epson24pinos"), QStringLiteral("HPThinkJet"), QStringLiteral("CanonF60"),
               QStringLiteral("CanonLaser"), QStringLiteral("IBMColorJet"), QStringLiteral("IBMPCGraphics"),
               QStringLiteral("IBMProPrinter"), QStringLiteral("NEC3500"), QStringLiteral("NECPinWriter"),
               QStringLiteral("MP20mi"), QStringLiteral("HPLaserJet")});
    linha(impressao, QStringLiteral("Modelo Impressora:"), cbImpressora);
    edtImprimirEm = texto("edtImprimirEm", 50);
    linha(impressao, QStringLiteral("Imprimir em:"), edtImprimirEm);
    chkImpressaoWindows =
        caixa("chkImpressaoWindows", QStringLiteral("Impressão Windows (Relatório/Ticket)"));
    impressao->addRow(chkImpressaoWindows);
    edtEspacoLinhas = digitos("edtEspacoLinhas");
    linha(impressao, QStringLiteral("Espaço entre linhas (For Windows):"), edtEspacoLinhas);
    edtFonte = texto("edtFonte", 20); // the column's width
    edtFonte->setReadOnly(true);
    // wide enough for the whole name it holds
    edtFonte->setMinimumWidth(
        edtFonte->fontMetrics().horizontalAdvance(QString(edtFonte->maxLength(), u'W')));
    BtnFonte = new QPushButton(QStringLiteral("..."), painel);
    BtnFonte->setObjectName(QStringLiteral("BtnFonte"));
    BtnFonte->setAccessibleName(QStringLiteral("Escolher fonte"));
    // Enter walking the fields never lands on it: it would open the font
    // chooser and the next Enter would accept a font nobody chose.
    BtnFonte->setFocusPolicy(Qt::NoFocus);
    auto* fonte = new QHBoxLayout;
    fonte->addWidget(edtFonte, 1);
    fonte->addWidget(BtnFonte);
    impressao->addRow(Rotulo(QStringLiteral("Fonte (For Windows):"), edtFonte), fonte);
    edtTamanhoFonte = digitos("edtTamanhoFonte");
    linha(impressao, QStringLiteral("Tamanho da Fonte (For Windows):"), edtTamanhoFonte);
    edtLinhasTicket = digitos("edtLinhasTicket");
    linha(impressao, QStringLiteral("Numero de Linhas do Ticket:"), edtLinhasTicket);
    chkTicketSintetico = caixa("chkTicketSintetico", QStringLiteral("Ticket Sintético"));
    impressao->addRow(chkTicketSintetico);
    chkTicket40 = caixa("chkTicket40", QStringLiteral("Ticket 40 Colunas"));
    impressao->addRow(chkTicket40);
    chkTransportadora = caixa("chkTransportadora", QStringLiteral("Transportadora"));
    impressao->addRow(chkTransportadora);
    chkSupervisor = caixa("chkSupervisor", QStringLiteral("Imprimir linha supervisor no ticket"));
    impressao->addRow(chkSupervisor);
    edtDescricaoItem = texto("edtDescricaoItem", 20);
    linha(impressao, QStringLiteral("Descrição Item:"), edtDescricaoItem);
    chkTemplate = caixa("chkTemplate", QStringLiteral("Utilizar template para Impressão"));
    impressao->addRow(chkTemplate);
    auto modelo = [&](const char* nomeCampo, const char* nomeBotao, const QString& rotulo, QLineEdit*& campo,
                      QPushButton*& botao) {
        campo = digitos(nomeCampo);
        botao = new QPushButton(QStringLiteral("Editar"), painel);
        botao->setObjectName(QLatin1String(nomeBotao));
        botao->setAccessibleName(QStringLiteral("Editar template ") + rotulo);
        auto* h = new QHBoxLayout;
        h->addWidget(campo, 1);
        h->addWidget(botao);
        impressao->addRow(Rotulo(rotulo, campo), h);
    };
    modelo("edtTemplateEntrada", "BtnTemplateEntrada", QStringLiteral("Entrada"), edtTemplateEntrada,
           BtnTemplateEntrada);
    modelo("edtTemplateSaida", "BtnTemplateSaida", QStringLiteral("Saída"), edtTemplateSaida,
           BtnTemplateSaida);
    chkCabecalho = caixa("chkCabecalho", QStringLiteral("Imprimir cabeçalho padrão rel."));
    impressao->addRow(chkCabecalho);

    // weighing: product grid and correction factors
    auto* fatores = new QFormLayout;
    chkGradeProdutos = caixa("chkGradeProdutos", QStringLiteral("Utilizar Grade de Produtos (Pesagem)"));
    fatores->addRow(chkGradeProdutos);
    chkClienteProdutoGrade = caixa("chkClienteProdutoGrade", QStringLiteral("Cliente/Produto grade pesagem"));
    fatores->addRow(chkClienteProdutoGrade);
    const QStringList tipos = {QStringLiteral("Variável"), QStringLiteral("Fixo")};
    chkFatorSaida = caixa("chkFatorSaida", QStringLiteral("Utilizar Fator de Correção (Saída)"));
    fatores->addRow(chkFatorSaida);
    cbTipoFatorSaida = lista("cbTipoFatorSaida", tipos);
    linha(fatores, QStringLiteral("Fator (7/8/9/10):"), cbTipoFatorSaida);
    chkFatorEntrada = caixa("chkFatorEntrada", QStringLiteral("Utilizar Fator de Correção (Entrada)"));
    fatores->addRow(chkFatorEntrada);
    cbTipoFatorEntrada = lista("cbTipoFatorEntrada", tipos);
    linha(fatores, QStringLiteral("Fator (7/8/9/10):"), cbTipoFatorEntrada);
    chkSomenteFator7 = caixa("chkSomenteFator7", QStringLiteral("Exibir apenas Fator de Correção 7"));
    fatores->addRow(chkSomenteFator7);
    auto* descricoes = new QGroupBox(QStringLiteral("Descrição dos Fatores"), painel);
    descricoes->setObjectName(QStringLiteral("grpFatores"));
    auto* nomes = new QFormLayout(descricoes);
    for (int i = 0; i < 10; ++i) {
        auto* e = new QLineEdit(descricoes);
        e->setObjectName(QStringLiteral("edtFator%1").arg(i + 1));
        e->setMaxLength(i < 6 ? 10 : 8);
        edtFatores[size_t(i)] = e;
        lblFatores[size_t(i)] = Rotulo(QStringLiteral("Fator %1:").arg(i + 1), e);
        nomes->addRow(lblFatores[size_t(i)], e);
    }
    fatores->addRow(descricoes);

    // weighing: options
    auto* opcoes = new QVBoxLayout;
    auto opcao = [&](const char* nome, const QString& rotulo) {
        QCheckBox* c = caixa(nome, rotulo);
        opcoes->addWidget(c);
        return c;
    };
    chkAlteraDataHora = opcao("chkAlteraDataHora", QStringLiteral("Alterar Dt/Hr. Pesagem"));
    chkExibePesagens = opcao("chkExibePesagens", QStringLiteral("Exibir todas pesagens na saída"));
    chkSomenteProduto = opcao("chkSomenteProduto", QStringLiteral("Somente Produto Obrigatório"));
    chkProdutoOpcional = opcao("chkProdutoOpcional", QStringLiteral("Produto opcional na pesagem"));
    chkEditarSaida = opcao("chkEditarSaida", QStringLiteral("Permitir editar pesagem saída"));
    chkAlteraCodigo = opcao("chkAlteraCodigo", QStringLiteral("Permitir informar código cliente"));
    chkNavio = opcao("chkNavio", QStringLiteral("Utilizar cadastro Navio"));
    chkTaraPesagem = opcao("chkTaraPesagem", QStringLiteral("Informar Tara na pesagem"));
    chkPesagemVagao = opcao("chkPesagemVagao", QStringLiteral("Pesagem Vagão"));
    chkCadEmbalagem = opcao("chkCadEmbalagem", QStringLiteral("Utilizar Cadastro Embalagem"));
    chkPesoEmbalagem = opcao("chkPesoEmbalagem", QStringLiteral("Descontar Peso Embalagem"));
    chkCadMotorista = opcao("chkCadMotorista", QStringLiteral("Utilizar Cadastro de Motorista"));
    chkFrete = opcao("chkFrete", QStringLiteral("Frete e KM na pesagem"));
    chkProdutoAlfa = opcao("chkProdutoAlfa", QStringLiteral("Código do produto Alfanumérico"));
    chkSomenteSaida = opcao("chkSomenteSaida", QStringLiteral("Permitir somente saída"));
    chkMetrosCubicos = opcao("chkMetrosCubicos", QStringLiteral("Calcular m³"));
    chkValorTonelada = opcao("chkValorTonelada", QStringLiteral("Valor Tonelada Cad. Produto"));
    chkSelecionaBalanca = opcao("chkSelecionaBalanca", QStringLiteral("Selecionar Balança Entrada/Saída"));
    chkTipoVeiculo = opcao("chkTipoVeiculo", QStringLiteral("Utilizar cadastro tipo veículo"));
    chkPesagemObs = opcao("chkPesagemObs", QStringLiteral("Observação na Pesagem"));
    chkChecaZero = opcao("chkChecaZero", QStringLiteral("Balança deve voltar a zero entre pesagens"));
    edtTaraFixa = texto("edtTaraFixa", 20);
    FiltroNumerico(edtTaraFixa);
    auto* taraRotulo = Rotulo(QStringLiteral("Tara Fixa:"), edtTaraFixa);
    opcoes->addWidget(taraRotulo);
    opcoes->addWidget(edtTaraFixa);
    taraRotulo->hide();
    edtTaraFixa->hide();
    opcoes->addStretch(1);

    colunas->addLayout(serial);
    colunas->addLayout(impressao);
    colunas->addLayout(fatores);
    colunas->addLayout(opcoes);

    BtnTesteConexao = new QPushButton(QStringLiteral("Teste Conexão"), this);
    BtnTesteConexao->setObjectName(QStringLiteral("BtnTesteConexao"));
    BtnSalvar = new QPushButton(QStringLiteral("Sal&var"), this);
    BtnSalvar->setObjectName(QStringLiteral("BtnSalvar"));
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(BtnTesteConexao);
    botoes->addStretch(1);
    botoes->addWidget(BtnSalvar);

    // The settings scroll inside the window; "Salvar" stays below them, in
    // sight on the smallest screens of the gatehouse (1366×768).
    auto* rolagem = new QScrollArea(this);
    rolagem->setObjectName(QStringLiteral("ScrollConfiguracoes"));
    rolagem->setWidgetResizable(true);
    rolagem->setFrameShape(QFrame::NoFrame);
    rolagem->setWidget(painel);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(rolagem, 1);
    raiz->addLayout(botoes);
    // The field reached by Enter or Tab is scrolled into sight.
    connect(qApp, &QApplication::focusChanged, this, [rolagem, painel](QWidget*, QWidget* agora) {
        if (agora && painel->isAncestorOf(agora)) rolagem->ensureWidgetVisible(agora);
    });
    // As large as its settings ask, as far as the screen's free area allows.
    const QSize pedido =
        painel->sizeHint() +
        QSize(raiz->contentsMargins().left() * 2 + rolagem->verticalScrollBar()->sizeHint().width(),
              BtnSalvar->sizeHint().height() + raiz->spacing() + raiz->contentsMargins().top() * 2);
    const QRect livre = screen() ? screen()->availableGeometry() : QRect(0, 0, 1366, 768);
    // room for the frame the window manager draws around the window
    resize(qMin(pedido.width(), livre.width() - 16), qMin(pedido.height(), livre.height() - 48));

    for (QCheckBox* c : {chkFatorSaida, chkFatorEntrada, chkSomenteFator7}) {
        connect(c, &QCheckBox::toggled, this, &TFrmSerial::mostraFatores);
    }
    for (QLineEdit* e : edtFatores) {
        connect(e, &QLineEdit::textChanged, this, &TFrmSerial::ajustaSalvar);
    }
    connect(chkMetrosCubicos, &QCheckBox::toggled, this, [this](bool ligado) {
        if (ligado) {
            chkValorTonelada->setChecked(false);
        }
    });
    connect(chkValorTonelada, &QCheckBox::toggled, this, [this](bool ligado) {
        if (ligado) {
            chkMetrosCubicos->setChecked(false);
        }
    });
    for (QLineEdit* e : {edtLinhasTicket, edtTemplateEntrada, edtTemplateSaida}) {
        AoSair(e, [this] { ajustaLinhasTicket(); });
    }
    connect(BtnFonte, &QPushButton::clicked, this, &TFrmSerial::BtnFonteClick);
    connect(BtnTemplateEntrada, &QPushButton::clicked, this,
            [this] { BtnTemplateClick(edtTemplateEntrada); });
    connect(BtnTemplateSaida, &QPushButton::clicked, this, [this] { BtnTemplateClick(edtTemplateSaida); });
    connect(BtnTesteConexao, &QPushButton::clicked, this, &TFrmSerial::BtnTesteConexaoClick);
    connect(BtnSalvar, &QPushButton::clicked, this, &TFrmSerial::BtnSalvarClick);

    TValoresConfig v;
    try {
        SalvaConfiguracao::ler(*DM, v);
    } catch (const ErroBanco& e) {
        m_configLida = false;
        MensagensCadastro::avisaErro(e);
    }
    mostra(v);
    QString erroEmail;
    const ConfigEmail configEmail = ConfigEmail::ler(&erroEmail);
    // A setting that cannot be used is shown as it stands, and said.
    const ArquivoIni ini(PastaDados::ini());
    edtEmailServidor->setText(
        ini.valor(QStringLiteral("email"), QStringLiteral("Servidor")).toString().trimmed());
    edtEmailPorta->setText(erroEmail.isEmpty()
                               ? QString::number(configEmail.porta)
                               : ini.valor(QStringLiteral("email"), QStringLiteral("Porta")).toString());
    cbEmailSeguranca->setCurrentIndex(int(configEmail.seguranca));
    edtEmailUsuario->setText(configEmail.usuario);
    edtEmailSenha->setText(configEmail.senha);
    edtEmailRemetente->setText(configEmail.remetente);
    m_certificadosEmail = configEmail.certificados;
    if (!erroEmail.isEmpty()) Mensagem(erroEmail, QStringLiteral("Atenção"), Msg::Aviso);
    ajustaSalvar();
}

void TFrmSerial::mostra(const TValoresConfig& v)
{
    indice(cbPorta, v.porta);
    indice(cbPortaSaida, v.portaSaida);
    indice(cbBaud, v.baud);
    indice(cbBits, v.bits);
    indice(cbParidade, v.paridade);
    indice(cbStop, v.stop);
    indice(cbFluxoHard, v.fluxoHard);
    indice(cbFluxoSoft, v.fluxoSoft);
    indice(cbModelo, v.modeloPlaca);
    indice(cbDivisao, v.divisao);
    indice(cbInterface, v.interfaceSerial);
    indice(cbCasasDecimais, v.casasDecimais);
    indice(cbCasasUmidade, v.casasUmidade);
    indice(cbImpressora, v.impressora);

    edtImprimirEm->setText(v.portaRede);
    chkImpressaoWindows->setChecked(v.impressaoWindows);
    edtEspacoLinhas->setText(v.espacoLinhas);
    edtFonte->setText(v.fontePadrao);
    edtTamanhoFonte->setText(v.tamanhoFonte);
    edtLinhasTicket->setText(v.linhasTicket);
    chkTicketSintetico->setChecked(v.ticketSintetico);
    chkTicket40->setChecked(v.ticket40);
    chkTransportadora->setChecked(v.transportadora);
    chkSupervisor->setChecked(v.supervisor);
    edtDescricaoItem->setText(v.descricaoItem);
    chkTemplate->setChecked(v.usaTemplate);
    edtTemplateEntrada->setText(v.templateEntrada);
    edtTemplateSaida->setText(v.templateSaida);
    chkCabecalho->setChecked(v.cabecalho);

    chkGradeProdutos->setChecked(v.gradeProdutos);
    chkClienteProdutoGrade->setChecked(v.clienteProdutoGrade);
    chkFatorSaida->setChecked(v.fatorSaida);
    indice(cbTipoFatorSaida, v.tipoFatorSaida);
    chkFatorEntrada->setChecked(v.fatorEntrada);
    indice(cbTipoFatorEntrada, v.tipoFatorEntrada);
    chkSomenteFator7->setChecked(v.somenteFator7);
    for (size_t i = 0; i < edtFatores.size(); ++i) {
        edtFatores[i]->setText(v.fatores[i]);
    }
    chkAlteraDataHora->setChecked(v.alteraDataHora);
    chkExibePesagens->setChecked(v.exibePesagens);
    chkSomenteProduto->setChecked(v.somenteProduto);
    chkProdutoOpcional->setChecked(v.produtoOpcional);
    chkEditarSaida->setChecked(v.editarSaida);
    chkAlteraCodigo->setChecked(v.alteraCodigo);
    chkNavio->setChecked(v.navio);
    chkTaraPesagem->setChecked(v.taraPesagem);
    chkPesagemVagao->setChecked(v.pesagemVagao);
    chkCadEmbalagem->setChecked(v.cadEmbalagem);
    chkPesoEmbalagem->setChecked(v.pesoEmbalagem);
    chkCadMotorista->setChecked(v.cadMotorista);
    chkFrete->setChecked(v.frete);
    chkProdutoAlfa->setChecked(v.produtoAlfa);
    chkSomenteSaida->setChecked(v.somenteSaida);
    // both can be on in an old row; shown as stored, the next tick clears the other
    chkMetrosCubicos->blockSignals(true);
    chkValorTonelada->blockSignals(true);
    chkMetrosCubicos->setChecked(v.metrosCubicos);
    chkValorTonelada->setChecked(v.valorTonelada);
    chkMetrosCubicos->blockSignals(false);
    chkValorTonelada->blockSignals(false);
    chkSelecionaBalanca->setChecked(v.selecionaBalanca);
    chkTipoVeiculo->setChecked(v.tipoVeiculo);
    chkPesagemObs->setChecked(v.pesagemObs);
    chkChecaZero->setChecked(v.checaZero);
    edtTaraFixa->setText(v.taraFixa);
    mostraFatores();
}

TValoresConfig TFrmSerial::valores() const
{
    TValoresConfig v;
    v.porta = cbPorta->currentIndex();
    v.portaSaida = cbPortaSaida->currentIndex();
    v.baud = cbBaud->currentIndex();
    v.bits = cbBits->currentIndex();
    v.paridade = cbParidade->currentIndex();
    v.stop = cbStop->currentIndex();
    v.fluxoHard = cbFluxoHard->currentIndex();
    v.fluxoSoft = cbFluxoSoft->currentIndex();
    v.modeloPlaca = cbModelo->currentIndex();
    v.divisao = cbDivisao->currentIndex();
    v.interfaceSerial = cbInterface->currentIndex();
    v.casasDecimais = cbCasasDecimais->currentIndex();
    v.casasUmidade = cbCasasUmidade->currentIndex();
    v.impressora = cbImpressora->currentIndex();

    v.portaRede = edtImprimirEm->text();
    v.impressaoWindows = chkImpressaoWindows->isChecked();
    v.espacoLinhas = edtEspacoLinhas->text();
    v.fontePadrao = edtFonte->text();
    v.tamanhoFonte = edtTamanhoFonte->text();
    v.linhasTicket = edtLinhasTicket->text();
    v.ticketSintetico = chkTicketSintetico->isChecked();
    v.ticket40 = chkTicket40->isChecked();
    v.transportadora = chkTransportadora->isChecked();
    v.supervisor = chkSupervisor->isChecked();
    v.descricaoItem = edtDescricaoItem->text();
    v.usaTemplate = chkTemplate->isChecked();
    v.templateEntrada = edtTemplateEntrada->text();
    v.templateSaida = edtTemplateSaida->text();
    v.cabecalho = chkCabecalho->isChecked();

    v.gradeProdutos = chkGradeProdutos->isChecked();
    v.clienteProdutoGrade = chkClienteProdutoGrade->isChecked();
    v.fatorSaida = chkFatorSaida->isChecked();
    v.tipoFatorSaida = cbTipoFatorSaida->currentIndex();
    v.fatorEntrada = chkFatorEntrada->isChecked();
    v.tipoFatorEntrada = cbTipoFatorEntrada->currentIndex();
    v.somenteFator7 = chkSomenteFator7->isChecked();
    for (size_t i = 0; i < edtFatores.size(); ++i) {
        v.fatores[i] = edtFatores[i]->text();
    }
    v.alteraDataHora = chkAlteraDataHora->isChecked();
    v.exibePesagens = chkExibePesagens->isChecked();
    v.somenteProduto = chkSomenteProduto->isChecked();
    v.produtoOpcional = chkProdutoOpcional->isChecked();
    v.editarSaida = chkEditarSaida->isChecked();
    v.alteraCodigo = chkAlteraCodigo->isChecked();
    v.navio = chkNavio->isChecked();
    v.taraPesagem = chkTaraPesagem->isChecked();
    v.pesagemVagao = chkPesagemVagao->isChecked();
    v.cadEmbalagem = chkCadEmbalagem->isChecked();
    v.pesoEmbalagem = chkPesoEmbalagem->isChecked();
    v.cadMotorista = chkCadMotorista->isChecked();
    v.frete = chkFrete->isChecked();
    v.produtoAlfa = chkProdutoAlfa->isChecked();
    v.somenteSaida = chkSomenteSaida->isChecked();
    v.metrosCubicos = chkMetrosCubicos->isChecked();
    v.valorTonelada = chkValorTonelada->isChecked();
    v.selecionaBalanca = chkSelecionaBalanca->isChecked();
    v.tipoVeiculo = chkTipoVeiculo->isChecked();
    v.pesagemObs = chkPesagemObs->isChecked();
    v.checaZero = chkChecaZero->isChecked();
    v.taraFixa = edtTaraFixa->text();
    return v;
}

void TFrmSerial::mostraFatores()
{
    const bool usa = SalvaConfiguracao::usaFatores(valores());
    for (size_t i = 0; i < edtFatores.size(); ++i) {
        QPalette p = lblFatores[i]->palette();
        p.setColor(QPalette::WindowText, usa ? QColor(Qt::blue) : QColor(Qt::black));
        lblFatores[i]->setPalette(p);
        edtFatores[i]->setEnabled(usa);
    }
    ajustaSalvar();
}

void TFrmSerial::ajustaSalvar()
{
    BtnSalvar->setEnabled(m_configLida && SalvaConfiguracao::podeSalvar(valores()));
}

void TFrmSerial::ajustaLinhasTicket()
{
    edtLinhasTicket->setText(SalvaConfiguracao::ajustaLinhasTicket(edtLinhasTicket->text()));
}

void TFrmSerial::BtnFonteClick()
{
    QFont atual(edtFonte->text());
    if (const int tamanho = edtTamanhoFonte->text().toInt(); tamanho > 0) {
        atual.setPointSize(tamanho);
    }
    const auto escolhida = Dialogos::atual().escolherFonte(atual);
    if (!escolhida) {
        return;
    }
    edtFonte->setText(escolhida->family());
    if (escolhida->pointSize() > 0) {
        edtTamanhoFonte->setText(QString::number(escolhida->pointSize()));
    }
}

void TFrmSerial::BtnTemplateClick(QLineEdit* codigo)
{
    if (codigo->text().trimmed().isEmpty()) {
        Mensagem(QStringLiteral("Informar código template."), QStringLiteral("Informação"), Msg::Informacao);
        return;
    }
    Q_EMIT editarTemplate(codigo->text().trimmed().toInt());
}

void TFrmSerial::BtnTesteConexaoClick()
{
    TIndicesTeste indices;
    indices.porta = cbPorta->currentIndex();
    indices.baud = cbBaud->currentIndex();
    indices.bits = cbBits->currentIndex();
    indices.paridade = cbParidade->currentIndex();
    indices.stop = cbStop->currentIndex();
    indices.fluxoHard = cbFluxoHard->currentIndex();
    indices.fluxoSoft = cbFluxoSoft->currentIndex();
    if (TesteConexao(indices)) {
        Mensagem(QStringLiteral("Conexão realizada com sucesso"), QStringLiteral("Aviso"), Msg::Informacao);
    } else {
        Mensagem(QStringLiteral("Erro ao conectar a porta"), QStringLiteral("Erro"), Msg::Erro);
    }
}

void TFrmSerial::BtnSalvarClick()
{
    if (!m_configLida || !BtnSalvar->isEnabled()) {
        return;
    }
    const int porta = edtEmailPorta->text().trimmed().toInt();
    if (!edtEmailServidor->text().trimmed().isEmpty() && (porta <= 0 || porta > 65535)) {
        Mensagem(QStringLiteral("Porta do servidor de e-mail inválida."), QStringLiteral("Atenção"),
                 Msg::Aviso);
        edtEmailPorta->setFocus();
        return;
    }
    TValoresConfig v = valores();
    const auto regra = SalvaConfiguracao::corrige(v);
    if (regra != SalvaConfiguracao::Consistente) {
        // the options are corrected and the dialog waits for a second "Salvar"
        Mensagem(SalvaConfiguracao::mensagem(regra), QStringLiteral("Aviso"), Msg::Informacao);
        chkFatorSaida->setChecked(v.fatorSaida);
        chkFatorEntrada->setChecked(v.fatorEntrada);
        chkSomenteFator7->setChecked(v.somenteFator7);
        return;
    }
    try {
        SalvaConfiguracao::montarGravacao(*DM, v);
        if (DM->rastreioSql) {
            Mensagem(DM->QR_EXEC.TraceText(), QStringLiteral("Informação"), Msg::Informacao);
        }
        SalvaConfiguracao::gravar(*DM, v);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        reject();
        return;
    }
    if (!email().gravar()) {
        Mensagem(QStringLiteral("Não foi possível gravar as configurações de e-mail em %1.")
                     .arg(PastaDados::ini()),
                 QStringLiteral("Erro"), Msg::Erro);
        return;
    }
    Mensagem(QStringLiteral("Operação efetuada com sucesso."), QStringLiteral("Sucesso"), Msg::Informacao);
    Mensagem(QStringLiteral("O sistema deve ser reiniciado para que todas alterações entrem em vigor."),
             QStringLiteral("Informação"), Msg::Informacao);
    accept();
}

ConfigEmail TFrmSerial::email() const
{
    ConfigEmail c;
    c.servidor = edtEmailServidor->text().trimmed();
    const int porta = edtEmailPorta->text().trimmed().toInt();
    c.seguranca = ConfigEmail::Seguranca(qMax(0, cbEmailSeguranca->currentIndex()));
    c.porta = porta > 0 ? porta : (c.seguranca == ConfigEmail::Tls ? 465 : 587);
    c.usuario = edtEmailUsuario->text().trimmed();
    c.senha = edtEmailSenha->text();
    c.remetente = edtEmailRemetente->text().trimmed();
    c.certificados = m_certificadosEmail;
    return c;
}

void TFrmSerial::done(int r)
{
    DM->QR_Configuracao.Close();
    TJanela::done(r);
}
