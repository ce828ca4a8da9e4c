#include "TFrmMain.h"

#include "Atualizacao.h"
#include "CopiaSeguranca.h"
#include "Dialogos.h"
#include "Emissor.h"
#include "LeConfig.h"
#include "PastaDados.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TDM.h"
#include "TFrmAtualizar.h"
#include "TFrmSobreArdeno.h"
#include "Telas.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace
{
const QString tituloPrincipal = QStringLiteral("VIGA - Gestão de Balança Rodoviária");
const QString restrito = QStringLiteral("Módulo com acesso restrito.");
} // namespace

TFrmMain::TFrmMain(TDM& dm, QWidget* parent) : QMainWindow(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(tituloPrincipal);
    aoEncerrar = [] { QCoreApplication::exit(0); };

    m_areaFundo = new QLabel(this);
    m_areaFundo->setObjectName(QStringLiteral("Image1"));
    m_areaFundo->setAlignment(Qt::AlignCenter);
    m_areaFundo->setContextMenuPolicy(Qt::CustomContextMenu);
    m_areaFundo->setMinimumSize(1, 1);
    setCentralWidget(m_areaFundo);
    m_fundo = ImagemPadrao();

    criaAcoes();
    criaMenus();
    criaBarraFerramentas();
    criaBarraStatus();
    connect(m_areaFundo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_popupFundo->popup(m_areaFundo->mapToGlobal(p)); });
    qApp->installEventFilter(this);
    mostraFundo();
}

// ---------------------------------------------------------------- actions

void TFrmMain::criaAcoes()
{
    auto nova = [this](const char* nome, const QString& texto, std::function<void()> f) {
        auto* a = new QAction(texto, this);
        a->setObjectName(QLatin1String(nome));
        connect(a, &QAction::triggered, this, [f] { f(); });
        m_acoes.insert(QLatin1String(nome), a);
        return a;
    };
    // Cadastros
    nova("CadCliente", QStringLiteral("C&liente"), [this] { cadastroParte(3); });
    nova("CadFornecedor", QStringLiteral("&Fornecedor"), [this] { cadastroParte(4); });
    nova("CadTransp", QStringLiteral("&Transportadora"), [this] { cadastroParte(2); });
    nova("CadMotorista", QStringLiteral("&Motorista"), [this] { cadastroParte(5); });
    for (const char* n : {"CadProduto", "cadcidade", "CadVeiculo", "cadEmbalagem", "Umidade", "ConvUmidade",
                          "CadUsuario", "PesEntrada", "PesSaida", "PesTicket", "Produto", "RelCadastros",
                          "MvtoCadastro", "MvtoData", "MvtoAgrupado", "ConSerial"}) {
        nova(n, QString(), [this, n] { comando(QLatin1String(n)); });
    }
    acao(QStringLiteral("CadProduto"))->setText(QStringLiteral("&Produto"));
    acao(QStringLiteral("cadcidade"))->setText(QStringLiteral("&Cidade"));
    acao(QStringLiteral("CadVeiculo"))->setText(QStringLiteral("T&ipo de Veículo"));
    acao(QStringLiteral("cadEmbalagem"))->setText(QStringLiteral("Embalagem"));
    acao(QStringLiteral("Umidade"))->setText(QStringLiteral("F&ator de Correção"));
    acao(QStringLiteral("ConvUmidade"))->setText(QStringLiteral("C&onversão de Umidade"));
    acao(QStringLiteral("CadUsuario"))->setText(QStringLiteral("&Usuário"));
    nova("Sair", QStringLiteral("&Sair"), [this] { close(); });
    // Pesagem
    acao(QStringLiteral("PesEntrada"))->setText(QStringLiteral("&Entrada"));
    acao(QStringLiteral("PesSaida"))->setText(QStringLiteral("&Saída"));
    acao(QStringLiteral("PesTicket"))->setText(QStringLiteral("&Imprimir Ticket"));
    // Relatórios
    acao(QStringLiteral("Produto"))->setText(QStringLiteral("&Listagem de Produtos"));
    acao(QStringLiteral("RelCadastros"))->setText(QStringLiteral("L&istagem de Cadastros"));
    acao(QStringLiteral("MvtoCadastro"))
        ->setText(QStringLiteral("M&ovimentação de Produtos X Cliente/Fornecedor"));
    acao(QStringLiteral("MvtoData"))->setText(QStringLiteral("&Movimentação de Produtos - Fluxo Diário"));
    acao(QStringLiteral("MvtoAgrupado"))->setText(QStringLiteral("Mo&vimentação de Produtos - Agrupado"));
    // Utilitários
    acao(QStringLiteral("ConSerial"))->setText(QStringLiteral("&Configurações"));
    nova("ConDados", QStringLiteral("&Dados Cadastrais"), [this] {
        if (confere(SessaoAtual.pode(SessaoAtual.Cadastros))) {
            cadastroEmissor(false);
        }
    });
    nova("Action1", QStringLiteral("Có&pia de Segurança"), [this] { copiaSeguranca(); });
    // Sobre
    nova("Ardeno", QStringLiteral("&ARDENO"), [this] { sobre(); });
    nova("SobArdeno", QStringLiteral("ARDENO &Home Page"), [this] { paginaInicial(); });
    // Pop-ups
    nova("PopCliente", QStringLiteral("&Cliente"), [this] { acao(QStringLiteral("CadCliente"))->trigger(); });
    nova("PopFornecedor", QStringLiteral("&Fornecedor"),
         [this] { acao(QStringLiteral("CadFornecedor"))->trigger(); });
    nova("PopTransportadora", QStringLiteral("&Transportadora"),
         [this] { acao(QStringLiteral("CadTransp"))->trigger(); });
    nova("PopMotorista", QStringLiteral("Motorista"),
         [this] { acao(QStringLiteral("CadMotorista"))->trigger(); });
    nova("ImagemFundo", QStringLiteral("Imagem de fundo"), [this] { imagemDeFundo(); });
    nova("RemoverFundo", QStringLiteral("Remover imagem de fundo"), [this] { removeImagemDeFundo(); });
}

QAction* TFrmMain::acao(const QString& nome) const
{
    return m_acoes.value(nome);
}

void TFrmMain::criaMenus()
{
    auto* barra = menuBar();
    m_menuCadastros = barra->addMenu(QStringLiteral("&Cadastros"));
    m_menuCadastros->setObjectName(QStringLiteral("MenuCadastros"));
    for (const char* n :
         {"CadCliente", "CadFornecedor", "CadTransp", "CadMotorista", "CadProduto", "cadcidade", "CadVeiculo",
          "cadEmbalagem", "Umidade", "ConvUmidade", "CadUsuario"}) {
        m_menuCadastros->addAction(acao(QLatin1String(n)));
    }
    m_menuCadastros->addSeparator();
    m_menuCadastros->addAction(acao(QStringLiteral("Sair")));

    auto* pesagem = barra->addMenu(QStringLiteral("&Pesagem"));
    pesagem->setObjectName(QStringLiteral("MenuPesagem"));
    for (const char* n : {"PesEntrada", "PesSaida", "PesTicket"}) {
        pesagem->addAction(acao(QLatin1String(n)));
    }
    auto* relatorios = barra->addMenu(QStringLiteral("&Relatórios"));
    relatorios->setObjectName(QStringLiteral("MenuRelatorios"));
    for (const char* n : {"Produto", "RelCadastros", "MvtoCadastro", "MvtoData", "MvtoAgrupado"}) {
        relatorios->addAction(acao(QLatin1String(n)));
    }
    auto* utilitarios = barra->addMenu(QStringLiteral("&Utilitários"));
    utilitarios->setObjectName(QStringLiteral("MenuUtilitarios"));
    for (const char* n : {"ConSerial", "ConDados", "Action1"}) {
        utilitarios->addAction(acao(QLatin1String(n)));
    }
    auto* sobre = barra->addMenu(QStringLiteral("&Sobre"));
    sobre->setObjectName(QStringLiteral("MenuSobre"));
    sobre->addAction(acao(QStringLiteral("Ardeno")));
    sobre->addAction(acao(QStringLiteral("SobArdeno")));

    m_popupCadastros = new QMenu(this);
    m_popupCadastros->setObjectName(QStringLiteral("PopupCadastros"));
    for (const char* n : {"PopCliente", "PopFornecedor", "PopTransportadora", "PopMotorista"}) {
        m_popupCadastros->addAction(acao(QLatin1String(n)));
    }
    m_popupFundo = new QMenu(this);
    m_popupFundo->setObjectName(QStringLiteral("PopupFundo"));
    m_popupFundo->addAction(acao(QStringLiteral("ImagemFundo")));
    m_popupFundo->addAction(acao(QStringLiteral("RemoverFundo")));
}

void TFrmMain::criaBarraFerramentas()
{
    auto* barra = addToolBar(QStringLiteral("Ferramentas"));
    barra->setObjectName(QStringLiteral("ToolBar1"));
    barra->setMovable(false);
    barra->setIconSize(QSize(32, 32));
    barra->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto botao = [this, barra](const char* nome, const QString& texto, QStyle::StandardPixmap icone,
                               std::function<void()> f) {
        auto* a = new QAction(style()->standardIcon(icone), texto, this);
        a->setObjectName(QLatin1String(nome));
        connect(a, &QAction::triggered, this, [f] { f(); });
        barra->addAction(a);
        m_acoes.insert(QLatin1String(nome), a);
    };
    botao("BtnCadastros", QStringLiteral("Cadastros"), QStyle::SP_DirIcon, [this, barra] {
        if (!confere(SessaoAtual.pode(SessaoAtual.Cadastros))) {
            return;
        }
        QWidget* w = barra->widgetForAction(acao(QStringLiteral("BtnCadastros")));
        m_popupCadastros->popup(w ? w->mapToGlobal(QPoint(0, w->height())) : QCursor::pos());
    });
    botao("BtnProdutos", QStringLiteral("Produtos"), QStyle::SP_FileDialogDetailedView,
          [this] { acao(QStringLiteral("CadProduto"))->trigger(); });
    botao("BtnEntrada", QStringLiteral("Entrada"), QStyle::SP_ArrowDown,
          [this] { acao(QStringLiteral("PesEntrada"))->trigger(); });
    botao("BtnSaida", QStringLiteral("Saída"), QStyle::SP_ArrowUp,
          [this] { acao(QStringLiteral("PesSaida"))->trigger(); });
    botao("BtnTicket", QStringLiteral("Ticket"), QStyle::SP_FileIcon,
          [this] { acao(QStringLiteral("PesTicket"))->trigger(); });
    botao("BtnConfiguracoes", QStringLiteral("Configurações"), QStyle::SP_ComputerIcon,
          [this] { acao(QStringLiteral("ConSerial"))->trigger(); });
    botao("BtnUsuarios", QStringLiteral("Usuários"), QStyle::SP_DirHomeIcon,
          [this] { acao(QStringLiteral("CadUsuario"))->trigger(); });
    botao("BtnSair", QStringLiteral("Sair"), QStyle::SP_DialogCloseButton, [this] { close(); });
}

void TFrmMain::criaBarraStatus()
{
    const int larguras[] = {50, 100, 80, 450, 50};
    for (int i = 0; i < 5; ++i) {
        auto* p = new QLabel(this);
        p->setObjectName(QStringLiteral("Panel%1").arg(i));
        p->setMinimumWidth(larguras[i]);
        p->setFrameShape(QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
        if (i == 3) {
            statusBar()->addWidget(p, 1);
        } else {
            statusBar()->addWidget(p);
        }
        m_paineis << p;
    }
    m_paineis[0]->setText(QStringLiteral("  Login:"));
    m_relogio = new QTimer(this);
    m_relogio->setInterval(1000);
    connect(m_relogio, &QTimer::timeout, this, [this] { tique(); });
    m_relogio->start();
    tique();
}

void TFrmMain::tique()
{
    m_paineis[2]->setText(u' ' + Relogio::horaAtual().toString(QStringLiteral("hh:mm:ss")));
    m_dm.rastreioSql = false;
}

bool TFrmMain::modoSql() const
{
    return m_paineis[2]->text() == QLatin1String("SQL");
}

void TFrmMain::alternaSql()
{
    if (!modoSql()) {
        m_relogio->stop();
        m_paineis[2]->setText(QStringLiteral("SQL"));
        m_dm.rastreioSql = true;
    } else {
        // the next tick overwrites the panel, which ends the mode
        m_relogio->start();
    }
}

bool TFrmMain::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && isActiveWindow() && QApplication::activeModalWidget() == nullptr) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_F1 && k->modifiers() == Qt::AltModifier && !k->isAutoRepeat()) {
            alternaSql();
            return true;
        }
    }
    return QMainWindow::eventFilter(o, e);
}

void TFrmMain::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1 && e->modifiers() == Qt::AltModifier) {
        alternaSql();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

// ------------------------------------------------------------- background

void TFrmMain::mostraFundo()
{
    if (!m_fundoVisivel || m_fundo.isNull()) {
        m_areaFundo->clear();
        return;
    }
    m_areaFundo->setPixmap(
        m_fundo.scaled(m_areaFundo->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void TFrmMain::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    mostraFundo();
}

void TFrmMain::carregaFundo(const QString& arquivo)
{
    const QString a = arquivo.trimmed();
    if (a.isEmpty() || a == QLatin1String("none") || !QFileInfo::exists(a)) {
        return;
    }
    QPixmap p;
    if (p.load(a)) {
        m_fundo = p;
        mostraFundo();
    }
}

void TFrmMain::imagemDeFundo()
{
    const QString arquivo =
        Dialogos::atual().abrirArquivo(QStringLiteral("Imagem de fundo"),
                                       QStringLiteral("Todas as imagens|*.jpg;*.jpeg;*.bmp|JPEG Image File "
                                                      "(*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps "
                                                      "(*.bmp)|*.bmp"));
    if (arquivo.isEmpty()) {
        return;
    }
    QPixmap p;
    if (!p.load(arquivo)) {
        Mensagem(QStringLiteral("Não foi possível abrir a imagem ") + arquivo, QStringLiteral("Erro"),
                 Msg::Erro);
        return;
    }
    m_fundo = p;
    mostraFundo();
    QSettings ini(PastaDados::ini(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("ui/wall"), QFileInfo(arquivo).absoluteFilePath());
}

void TFrmMain::removeImagemDeFundo()
{
    QSettings ini(PastaDados::ini(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("ui/wall"), QStringLiteral("none"));
    m_fundo = QPixmap();
    mostraFundo();
}

// --------------------------------------------------------- start sequence

void TFrmMain::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!m_iniciado && iniciarAoMostrar) {
        m_iniciado = true;
        QTimer::singleShot(0, this, [this] { iniciar(); });
    }
}

void TFrmMain::encerrar()
{
    m_encerrado = true;
    tag = 1;
    close();
    if (aoEncerrar) {
        aoEncerrar();
    }
}

void TFrmMain::iniciar()
{
    // 1. splash
    {
        TFrmSobreArdeno splash(m_fundo, TFrmSobreArdeno::Modo::Abertura, this);
        splash.exec();
    }
    // 2. background picture
    {
        QSettings ini(PastaDados::ini(), QSettings::IniFormat);
        carregaFundo(ini.value(QStringLiteral("ui/wall")).toString());
    }
    // 3. upgrade log bootstrap
    Atualizacao atualizacao(m_dm);
    const QString erro = atualizacao.bootstrap();
    if (!erro.isEmpty()) {
        Mensagem(erro, tituloPrincipal, Msg::Ok);
    }
    // 4. mandatory upgrade
    if (!atualizacao.atualizado()) {
        TFrmAtualizar janela(m_dm, this);
        janela.exec();
        if (janela.resultado() != 1) {
            Mensagem(QStringLiteral("Atualização do banco de dados Obrigatória"), QStringLiteral("Aviso"),
                     Msg::Aviso);
            encerrar();
            return;
        }
    }
    // a database upgraded before codes were 64-bit is widened
    if (const QString e = atualizacao.alargaCodigos(); !e.isEmpty()) {
        Mensagem(e, tituloPrincipal, Msg::Ok);
    }
    // 5. login
    if (!Telas::login(this)) {
        encerrar();
        return;
    }
    m_paineis[1]->setText(u' ' + SessaoAtual.UsuarioLogado);
    m_paineis[4]->setText(QStringLiteral(" Versão: ") + VersaoArquivo());
    // 6-8. the issuing company
    QString nome;
    bool temEmissor = false;
    try {
        temEmissor = Emissor::ler(m_dm, &nome);
        if (!temEmissor) {
            cadastroEmissor(true);
            temEmissor = Emissor::ler(m_dm, &nome);
        }
    } catch (const std::exception&) {
        temEmissor = false;
    }
    if (!temEmissor) {
        encerrar();
        return;
    }
    tag = 0;
    SessaoAtual.NomeEmissor = nome;
    if (!nome.isEmpty()) {
        m_paineis[3]->setText(nome);
    }
    // 9. menus adapted to the configuration, once per start
    adaptaMenus();
}

void TFrmMain::adaptaMenus()
{
    m_menus = MenusConfig::ler(m_dm);
    acao(QStringLiteral("CadMotorista"))->setVisible(m_menus.motorista);
    acao(QStringLiteral("CadVeiculo"))->setVisible(m_menus.tipoVeiculo);
    acao(QStringLiteral("cadEmbalagem"))->setVisible(m_menus.embalagem);
    acao(QStringLiteral("PopMotorista"))->setVisible(m_menus.motorista);
    if (m_menus.navio) {
        acao(QStringLiteral("CadTransp"))->setText(QStringLiteral("Navio"));
        acao(QStringLiteral("PopTransportadora"))->setText(QStringLiteral("Navio"));
    }
}

void TFrmMain::closeEvent(QCloseEvent* e)
{
    if (tag != 0) {
        e->accept();
        return;
    }
    if (Mensagem(QStringLiteral("Deseja realmente sair ?"), QStringLiteral("Pergunta"),
                 Msg::SimNao | Msg::Pergunta) == Msg::RespSim) {
        e->accept();
        if (aoEncerrar) {
            m_encerrado = true;
            aoEncerrar();
        }
    } else {
        e->ignore();
    }
}

// --------------------------------------------------------------- commands

bool TFrmMain::confere(bool permitido)
{
    if (!permitido) {
        Mensagem(restrito, QStringLiteral("Informação"), Msg::Informacao);
    }
    return permitido;
}

void TFrmMain::abre(const std::function<void()>& janela)
{
    m_fundoVisivel = false;
    mostraFundo();
    janela();
    m_fundoVisivel = true;
    mostraFundo();
}

void TFrmMain::cadastroParte(int tipo)
{
    if (!confere(SessaoAtual.pode(SessaoAtual.Cadastros))) {
        return;
    }
    QString titulo;
    switch (tipo) {
    case 2:
        titulo = LeConfig(m_dm).inteiro(QStringLiteral("CFG_NAVIO")) == 1
                     ? QStringLiteral("Cadastro de Navio")
                     : QStringLiteral("Cadastro de Transportadora");
        break;
    case 3:
        titulo = QStringLiteral("Cadastro de Cliente");
        break;
    case 4:
        titulo = QStringLiteral("Cadastro de Fornecedor");
        break;
    case 5:
        titulo = QStringLiteral("Cadastro de Motorista");
        break;
    default:
        return;
    }
    abre([&] { Telas::cadastro(this, tipo, titulo); });
}

void TFrmMain::cadastroEmissor(bool inicial)
{
    abre([&] { Telas::emissor(this, inicial); });
}

void TFrmMain::comando(const QString& nome)
{
    const TSessao& s = SessaoAtual;
    if (nome == QLatin1String("CadProduto") || nome == QLatin1String("cadcidade")) {
        if (confere(s.pode(s.Cadastros))) {
            abre([&] { Telas::abrir(this, nome); });
        }
    } else if (nome == QLatin1String("CadVeiculo") || nome == QLatin1String("cadEmbalagem") ||
               nome == QLatin1String("PesTicket")) {
        abre([&] { Telas::abrir(this, nome); });
    } else if (nome == QLatin1String("Umidade") || nome == QLatin1String("ConvUmidade")) {
        LeConfig c(m_dm);
        if (c.inteiro(QStringLiteral("CFG_UMIDADE")) == 0 &&
            c.inteiro(QStringLiteral("CFG_UMIDADEUNICA")) == 0) {
            Mensagem(
                nome == QLatin1String("Umidade")
                    ? QStringLiteral(
                          "Cadastro do Fator de Correção Fixo indisponível conforme configurações !")
                    : QStringLiteral("Cadastro de Correção de Umidade indisponível conforme configurações !"),
                QStringLiteral("Informação"), Msg::Informacao);
            return;
        }
        if (confere(s.pode(s.Cadastros))) {
            abre([&] { Telas::abrir(this, nome); });
        }
    } else if (nome == QLatin1String("CadUsuario") || nome == QLatin1String("ConSerial")) {
        if (confere(s.ehAdmin())) {
            abre([&] { Telas::abrir(this, nome); });
        }
    } else if (nome == QLatin1String("PesEntrada")) {
        if (confere(s.pode(s.PesagemEntrada))) {
            abre([&] { Telas::abrir(this, nome); });
        }
    } else if (nome == QLatin1String("PesSaida")) {
        if (confere(s.pode(s.PesagemSaida))) {
            abre([&] { Telas::abrir(this, nome); });
        }
    } else if (nome == QLatin1String("MvtoData") || nome == QLatin1String("MvtoAgrupado")) {
        if (LeConfig(m_dm).inteiro(QStringLiteral("CFG_MORPRODUTO")) != 0) {
            Mensagem(QStringLiteral("Relatório indisponível devido a grade de produtos!"),
                     QStringLiteral("Informação"), Msg::Informacao);
            return;
        }
        if (confere(s.pode(s.Relatorios))) {
            abre([&] { Telas::abrir(this, nome); });
        }
    } else if (nome == QLatin1String("Produto") || nome == QLatin1String("RelCadastros") ||
               nome == QLatin1String("MvtoCadastro")) {
        if (confere(s.pode(s.Relatorios))) {
            abre([&] { Telas::abrir(this, nome); });
        }
    }
}

void TFrmMain::copiaSeguranca()
{
    QString arquivo, detalhe, erroReconexao;
    const auto r = CopiaSeguranca::executar(m_dm, &arquivo, &detalhe, &erroReconexao);
    Mensagem(CopiaSeguranca::mensagem(r, arquivo, detalhe), CopiaSeguranca::titulo(r),
             r == CopiaSeguranca::Resultado::Gerada ? Msg::Informacao : Msg::Erro);
    if (!erroReconexao.isEmpty()) {
        Mensagem(CopiaSeguranca::mensagemReconexao(erroReconexao), QStringLiteral("Erro"), Msg::Erro);
    }
}

void TFrmMain::sobre()
{
    TFrmSobreArdeno janela(m_fundo, TFrmSobreArdeno::Modo::Sobre, this);
    janela.exec();
}

void TFrmMain::paginaInicial()
{
    QSettings ini(PastaDados::ini(), QSettings::IniFormat);
    const QString endereco =
        ini.value(QStringLiteral("ui/HomePage"), QStringLiteral("https://viga.example.com.br/")).toString();
    QDesktopServices::openUrl(QUrl(endereco));
}
