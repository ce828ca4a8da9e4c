// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmMain.h"

#include "ArquivoIni.h"
#include "Atualizacao.h"
#include "BalancaSessao.h"
#include "ChaveAuditoria.h"
#include "CopiaSeguranca.h"
#include "Dialogos.h"
#include "Emissor.h"
#include "ErroBanco.h"
#include "MensagensCadastro.h"
#include "PastaDados.h"
#include "Portaria.h"
#include "RegistroPassagens.h"
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
// The background picture's setting ([ui] wall=), written where viga.ini has
// it, whatever the case of its names, so that the value read is the one written.
void gravaFundo(const QString& valor)
{
    ArquivoIni ini(PastaDados::ini());
    ini.definir(QStringLiteral("ui"), QStringLiteral("wall"), valor);
    if (!ini.gravar()) {
        Mensagem(QStringLiteral("Não foi possível gravar a imagem de fundo em ") + PastaDados::ini() +
                     QStringLiteral("."),
                 QStringLiteral("Erro"), Msg::Erro);
    }
}

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
    // the commands that open windows, from their table
    for (const Comandos::Comando& c : Comandos::tabela()) {
        nova(c.acao, QString::fromUtf8(c.texto), [this, &c] { executa(c); });
    }
    nova("Sair", QStringLiteral("&Sair"), [this] { close(); });
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
    const auto menu = [barra](const QString& titulo, const char* nome) {
        QMenu* m = barra->addMenu(titulo);
        m->setObjectName(QLatin1String(nome));
        return m;
    };
    m_menuCadastros = menu(QStringLiteral("&Cadastros"), "MenuCadastros");
    QMenu* pesagem = menu(QStringLiteral("&Pesagem"), "MenuPesagem");
    QMenu* relatorios = menu(QStringLiteral("&Relatórios"), "MenuRelatorios");
    QMenu* utilitarios = menu(QStringLiteral("&Utilitários"), "MenuUtilitarios");
    for (const Comandos::Comando& c : Comandos::tabela()) {
        switch (c.menu) {
        case Comandos::Menu::Cadastros:
            m_menuCadastros->addAction(acao(QLatin1String(c.acao)));
            break;
        case Comandos::Menu::Pesagem:
            pesagem->addAction(acao(QLatin1String(c.acao)));
            break;
        case Comandos::Menu::Relatorios:
            relatorios->addAction(acao(QLatin1String(c.acao)));
            break;
        case Comandos::Menu::Utilitarios:
            utilitarios->addAction(acao(QLatin1String(c.acao)));
            break;
        }
    }
    m_menuCadastros->addSeparator();
    m_menuCadastros->addAction(acao(QStringLiteral("Sair")));
    utilitarios->addAction(acao(QStringLiteral("Action1")));
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
    // the deck and the gate's module, once the gate runs
    m_painelPortaria = new QLabel(this);
    m_painelPortaria->setObjectName(QStringLiteral("painelPortaria"));
    m_painelPortaria->setFrameShape(QFrame::Panel);
    m_painelPortaria->setFrameShadow(QFrame::Sunken);
    m_painelPortaria->hide();
    statusBar()->addPermanentWidget(m_painelPortaria);
    // A lost database connection is said here while it is tried again.
    connect(&m_dm, &TDM::situacaoConexao, this, [this](bool perdida, const QString& aviso) {
        if (perdida) {
            statusBar()->showMessage(aviso);
        } else {
            statusBar()->clearMessage();
        }
    });
    m_relogio = new QTimer(this);
    m_relogio->setInterval(1000);
    connect(m_relogio, &QTimer::timeout, this, [this] { tique(); });
    m_relogio->start();
    tique();
}

// The gate of this workstation for the session: passages left under way by
// a VIGA that was closed are stored as interrupted, then the deck is watched
// until the program ends; its state is shown in the status bar.
void TFrmMain::iniciaPortaria()
{
    try {
        RegistroPassagens::aoIniciar(m_dm);
        QStringList avisos;
        delete m_portaria;
        m_portaria = Portaria::daSessao(m_dm, &avisos, this);
        for (const QString& aviso : std::as_const(avisos)) {
            Mensagem(aviso, QStringLiteral("Aviso"), Msg::Aviso);
        }
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return;
    }
    auto mostra = [this] { m_painelPortaria->setText(u' ' + m_portaria->textoStatus() + u' '); };
    connect(m_portaria, &Portaria::statusMudou, m_painelPortaria, mostra);
    mostra();
    m_painelPortaria->show();
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

void TFrmMain::carregaFundoConfigurado()
{
    carregaFundo(ArquivoIni::ler(QStringLiteral("ui"), QStringLiteral("wall")).toString());
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
    gravaFundo(QFileInfo(arquivo).absoluteFilePath());
}

void TFrmMain::removeImagemDeFundo()
{
    gravaFundo(QStringLiteral("none"));
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
    carregaFundoConfigurado();
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
    if (const QString e = atualizacao.garanteEvidencia(); !e.isEmpty()) {
        Mensagem(e, tituloPrincipal, Msg::Ok);
    }
    // a workstation that could not save a weighing is told now, not at the
    // first save of the day
    if (const QString aviso = ChaveAuditoria::avisoSemChave(); !aviso.isEmpty()) {
        Mensagem(aviso, QStringLiteral("Aviso"), Msg::Aviso);
    }
    iniciaPortaria();
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
    try {
        m_menus = MenusConfig::ler(m_dm);
    } catch (const ErroBanco& e) {
        // the menus keep their full form; the program carries on
        MensagensCadastro::avisaErro(e);
        m_menus = MenusConfig();
    }
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
    // the picture comes back however the window ends
    struct Fundo {
        TFrmMain* m;
        ~Fundo()
        {
            m->m_fundoVisivel = true;
            m->mostraFundo();
        }
    } volta{this};
    m_fundoVisivel = false;
    mostraFundo();
    janela();
}

void TFrmMain::cadastroEmissor(bool inicial)
{
    abre([&] { Telas::emissor(this, inicial); });
}

void TFrmMain::executa(const Comandos::Comando& c)
{
    // A database error never ends the program: it is reported and the
    // program carries on. A connection that was lost (a server restarted) is
    // opened again once, and the command tried again, before that.
    for (bool reconectou = false;; reconectou = true) {
        try {
            if (const QString r = Comandos::recusa(c, m_dm, SessaoAtual); !r.isEmpty()) {
                Mensagem(r, QStringLiteral("Informação"), Msg::Informacao);
                return;
            }
            const QString titulo =
                c.tela == Comandos::Tela::Cadastro ? Comandos::tituloCadastro(c, m_dm) : QString();
            bool existe = true;
            abre([&] { existe = Telas::abrir(this, c, titulo); });
            if (c.tela == Comandos::Tela::Configuracoes && m_portaria) {
                // the scale's port may have changed: the deck is read on the one configured now
                for (const QString& aviso : BalancaSessao::instancia().vigia(m_dm)) {
                    Mensagem(aviso, QStringLiteral("Aviso"), Msg::Aviso);
                }
            }
            if (!existe) {
                Mensagem(QStringLiteral("Módulo não disponível nesta versão."), QStringLiteral("Informação"),
                         Msg::Informacao);
            }
            return;
        } catch (const ErroBanco& e) {
            // the data module decides whether the connection was lost and opens it again
            if (!reconectou && !m_dm.InTransaction() && m_dm.ReconectaAposFalha()) {
                continue;
            }
            MensagensCadastro::avisaErro(e);
            return;
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
    const QString endereco = ArquivoIni::ler(QStringLiteral("ui"), QStringLiteral("HomePage"),
                                             QStringLiteral("https://viga.example.com.br/"))
                                 .toString();
    QDesktopServices::openUrl(QUrl(endereco));
}
