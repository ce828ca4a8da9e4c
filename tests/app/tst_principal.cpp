// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "ChaveAuditoria.h"
#include "Comandos.h"
#include "DialogosRoteiro.h"
#include "Esquema.h"
#include "Operador.h"
#include "PastaDados.h"
#include "SessaoAtual.h"
#include "TFrmAtualizar.h"
#include "TFrmCadastrao.h"
#include "TFrmLogin.h"
#include "TFrmMain.h"
#include "TFrmSobreArdeno.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QtTest>
#include <unistd.h>

namespace
{

void entrarComo(const QString& login, const QString& senha)
{
    Operador::quandoAbrir<TFrmLogin>([login, senha](TFrmLogin* j) {
        QTest::keyClicks(j->findChild<QLineEdit*>("EdtLogin"), login);
        QTest::keyClicks(j->findChild<QLineEdit*>("EdtSenha"), senha);
        QTest::mouseClick(j->findChild<QPushButton*>("BtnOK"), Qt::LeftButton);
    });
}

void cadastraEmissor(BancoTeste& b)
{
    b.exec("insert into cidade (cid_codigo, cid_descricao, cid_uf) values (1, 'CASCAVEL', 'PR')");
    b.exec("insert into cadastrao (cad_codigo, cad_tipo, cad_pessoa, cad_razao, cid_codigo) values "
           "(1, 1, 1, 'CEREALISTA EXEMPLO LTDA', 1)");
}

// Runs the start sequence as the program does and waits for it to finish.
void inicia(TFrmMain& m)
{
    m.show();
    QTRY_VERIFY_WITH_TIMEOUT(m.encerrado() || !m.painel(1)->text().isEmpty(), 15000);
}

} // namespace

class TstPrincipal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TFrmSobreArdeno::duracaoMs = 1; }
    void init() { SessaoAtual = TSessao(); }

    void inicioCompleto()
    {
        BancoTeste b;
        cadastraEmissor(b);
        b.exec("update config set cfg_cadmotorista=1, cfg_navio=1");
        DialogosRoteiro d;
        TFrmMain m(b.dm());
        bool fim = false;
        m.aoEncerrar = [&] { fim = true; };
        entrarComo("admin", "ADMIN");
        inicia(m);
        QVERIFY(!fim);
        QCOMPARE(m.windowTitle(), QString("VIGA - Gestão de Balança Rodoviária"));
        QCOMPARE(m.painel(0)->text(), QString("  Login:"));
        QCOMPARE(m.painel(1)->text(), QString(" ADMIN"));
        QCOMPARE(m.painel(3)->text(), QString("CEREALISTA EXEMPLO LTDA"));
        QVERIFY(m.painel(4)->text().startsWith(" Versão: "));
        QCOMPARE(SessaoAtual.NomeEmissor, QString("CEREALISTA EXEMPLO LTDA"));
        QVERIFY(m.acao("CadMotorista")->isVisible());
        QVERIFY(!m.acao("CadVeiculo")->isVisible());
        QVERIFY(!m.acao("cadEmbalagem")->isVisible());
        QCOMPARE(m.acao("CadTransp")->text(), QString("Navio"));
        QCOMPARE(m.acao("PopTransportadora")->text(), QString("Navio"));
        QVERIFY(d.mostradas.isEmpty());
        // closing asks; No keeps the program
        d.responder(Msg::RespNao);
        m.close();
        QVERIFY(m.isVisible());
        QCOMPARE(d.ultimo(), QString("Deseja realmente sair ?"));
        m.close();
        QVERIFY(!m.isVisible());
        QVERIFY(fim);
    }

    // A workstation without the audit key is told before anyone types a
    // weighing it could not save; the program goes on (registries, reports).
    void semChaveDaAuditoriaAvisaAoIniciar()
    {
        BancoTeste b;
        cadastraEmissor(b);
        QVERIFY(QFile::remove(ChaveAuditoria::caminho()));
        DialogosRoteiro d;
        TFrmMain m(b.dm());
        entrarComo("admin", "ADMIN");
        inicia(m);
        QCOMPARE(m.painel(1)->text(), QString(" ADMIN"));
        QCOMPARE(d.mostradas.size(), 1);
        QCOMPARE(d.mostradas[0].titulo, QString("Aviso"));
        QVERIFY2(d.mostradas[0].texto.startsWith("Esta estação não tem a chave da auditoria (" +
                                                 ChaveAuditoria::caminho() + ")"),
                 qPrintable(d.mostradas[0].texto));
        QVERIFY(!QFile::exists(ChaveAuditoria::caminho())); // never made behind the administrator's back
    }

    void atualizacaoObrigatoria()
    {
        BancoTeste b(BancoTeste::Tipo::Antigo);
        DialogosRoteiro d;
        TFrmMain m(b.dm());
        bool fim = false;
        m.aoEncerrar = [&] { fim = true; };
        Operador::quandoAbrir<TFrmAtualizar>(
            [](TFrmAtualizar* j) { QTest::mouseClick(j->BtnSair, Qt::LeftButton); });
        inicia(m);
        QVERIFY(fim);
        QCOMPARE(d.ultimo(), QString("Atualização do banco de dados Obrigatória"));
        QCOMPARE(m.tag, 1);
        QVERIFY(!m.isVisible());
    }

    void atualizaEEntra()
    {
        BancoTeste b(BancoTeste::Tipo::Antigo);
        cadastraEmissor(b);
        DialogosRoteiro d;
        TFrmMain m(b.dm());
        m.aoEncerrar = [] {};
        Operador::quandoAbrir<TFrmAtualizar>([](TFrmAtualizar* j) {
            QTest::mouseClick(j->BtnAtualizar, Qt::LeftButton);
            QCOMPARE(j->lblOcorrencia->text(), QString("070611b"));
            QTest::mouseClick(j->BtnSair, Qt::LeftButton);
            entrarComo("ADMIN", "ADMIN");
        });
        inicia(m);
        QVERIFY(!m.encerrado());
        QCOMPARE(d.textos(), QStringList{"Operação efetuada com sucesso."});
        QCOMPARE(b.contar("select count(*) from logatualiza"), 50);
    }

    void semEmissorEncerra()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmMain m(b.dm());
        bool fim = false;
        m.aoEncerrar = [&] { fim = true; };
        entrarComo("ADMIN", "ADMIN");
        QTimer::singleShot(0, [] {
            Operador::quandoAbrir<TFrmCadastrao>([](TFrmCadastrao* j) {
                QCOMPARE(j->windowTitle(), QString("Cadastro de Emissor"));
                QVERIFY(!j->btnExcluir->isVisible());
                j->close();
            });
        });
        m.show();
        QTRY_VERIFY_WITH_TIMEOUT(fim, 15000);
        QCOMPARE(m.tag, 1);
        QVERIFY(!d.textos().contains("Deseja realmente sair ?"));
    }

    void loginCanceladoEncerra()
    {
        BancoTeste b;
        cadastraEmissor(b);
        DialogosRoteiro d;
        TFrmMain m(b.dm());
        bool fim = false;
        m.aoEncerrar = [&] { fim = true; };
        Operador::quandoAbrir<TFrmLogin>([](TFrmLogin* j) {
            QTest::mouseClick(j->findChild<QPushButton*>("BtnCancelar"), Qt::LeftButton);
        });
        m.show();
        QTRY_VERIFY_WITH_TIMEOUT(fim, 15000);
        QVERIFY(m.painel(1)->text().isEmpty());
    }

    void direitos_data()
    {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<int>("cadastros");
        QTest::addColumn<int>("morProduto");
        QTest::addColumn<int>("umidade");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("cliente sem direito") << "CadCliente" << 0 << 0 << 0 << "Módulo com acesso restrito.";
        QTest::newRow("produto sem direito") << "CadProduto" << 0 << 0 << 0 << "Módulo com acesso restrito.";
        QTest::newRow("usuarios so admin") << "CadUsuario" << 1 << 0 << 0 << "Módulo com acesso restrito.";
        QTest::newRow("configuracoes so admin")
            << "ConSerial" << 1 << 0 << 0 << "Módulo com acesso restrito.";
        QTest::newRow("entrada sem direito") << "PesEntrada" << 1 << 0 << 0 << "Módulo com acesso restrito.";
        QTest::newRow("fluxo com grade")
            << "MvtoData" << 1 << 1 << 0 << "Relatório indisponível devido a grade de produtos!";
        QTest::newRow("agrupado com grade")
            << "MvtoAgrupado" << 1 << 1 << 0 << "Relatório indisponível devido a grade de produtos!";
        QTest::newRow("fator sem configuracao")
            << "Umidade" << 1 << 0 << 0
            << "Cadastro do Fator de Correção Fixo indisponível conforme configurações !";
        QTest::newRow("conversao sem configuracao")
            << "ConvUmidade" << 1 << 0 << 0
            << "Cadastro de Correção de Umidade indisponível conforme configurações !";
        QTest::newRow("relatorio sem direito") << "Produto" << 1 << 0 << 0 << "Módulo com acesso restrito.";
        QTest::newRow("barra cadastros") << "BtnCadastros" << 0 << 0 << 0 << "Módulo com acesso restrito.";
    }
    void direitos()
    {
        QFETCH(QString, acao);
        QFETCH(int, cadastros);
        QFETCH(int, morProduto);
        QFETCH(int, umidade);
        QFETCH(QString, mensagem);
        BancoTeste b;
        b.exec(QString("update config set cfg_morproduto=%1, cfg_umidade=%2").arg(morProduto).arg(umidade));
        DialogosRoteiro d;
        SessaoAtual.UsuarioLogado = "JOSE";
        SessaoAtual.Cadastros = cadastros;
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        m.show();
        m.acao(acao)->trigger();
        QCOMPARE(d.textos(), QStringList{mensagem});
        QCOMPARE(d.mostradas[0].titulo, QString("Informação"));
    }

    // The administrator passes the rights, but not the product grid rule.
    void administrador()
    {
        BancoTeste b;
        b.exec("update config set cfg_morproduto=1");
        DialogosRoteiro d;
        SessaoAtual.UsuarioLogado = "ADMIN";
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        m.show();
        m.acao("MvtoData")->trigger();
        QCOMPARE(d.textos(), QStringList{"Relatório indisponível devido a grade de produtos!"});
        d.limpar();
        Operador::quandoAbrir<QDialog>([](QDialog* j) { j->close(); });
        m.acao("cadcidade")->trigger();
        QVERIFY(d.mostradas.isEmpty());
    }

    // Each report command opens its window for an operator with the reports right.
    void relatoriosAbrem_data()
    {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("janela");
        QTest::newRow("produtos") << "Produto"
                                  << "Listagem de Produtos";
        QTest::newRow("cadastros") << "RelCadastros"
                                   << "Listagem de Cadastros";
        QTest::newRow("movimento") << "MvtoCadastro"
                                   << "Movimentação de Produto X Cliente/Fornecedor";
        QTest::newRow("fluxo") << "MvtoData"
                               << "Movimentação de Produtos - Fluxo Diário";
        QTest::newRow("agrupado") << "MvtoAgrupado"
                                  << "Movimentação de Produtos - Agrupado";
    }
    void relatoriosAbrem()
    {
        QFETCH(QString, acao);
        QFETCH(QString, janela);
        BancoTeste b;
        DialogosRoteiro d;
        SessaoAtual.UsuarioLogado = "JOSE";
        SessaoAtual.Relatorios = 1;
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        m.show();
        QString aberta;
        Operador::quandoAbrir<QDialog>([&aberta](QDialog* j) {
            aberta = j->windowTitle();
            j->close();
        });
        m.acao(acao)->trigger();
        QCOMPARE(aberta, janela);
        QVERIFY(d.mostradas.isEmpty());
    }

    // Every action of the menus is a command of the table or one of the
    // main window's own; a name outside the table finds nothing.
    void tabelaDeComandos()
    {
        BancoTeste b;
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        for (const Comandos::Comando& c : Comandos::tabela()) {
            QVERIFY2(m.acao(c.acao), c.acao);
            QCOMPARE(m.acao(c.acao)->text(), QString::fromUtf8(c.texto));
        }
        QVERIFY(!Comandos::busca("NaoExiste"));
        QCOMPARE(Comandos::busca("cadcidade")->tela, Comandos::Tela::Cidades);
    }

    // A database error in a command is reported and the program carries on.
    void erroDeBancoNoComando_data()
    {
        QTest::addColumn<QString>("acao");
        QTest::addColumn<QString>("depois");
        QTest::addColumn<QString>("janela");
        QTest::newRow("fator de correção")
            << "Umidade"
            << "Cadastro do Fator de Correção Fixo indisponível conforme configurações !"
            << "";
        QTest::newRow("relatório com grade") << "MvtoData"
                                             << ""
                                             << "Movimentação de Produtos - Fluxo Diário";
        QTest::newRow("título da transportadora") << "CadTransp"
                                                  << ""
                                                  << "Cadastro de Transportadora";
    }
    void erroDeBancoNoComando()
    {
        QFETCH(QString, acao);
        QFETCH(QString, depois);
        QFETCH(QString, janela);
        BancoTeste b;
        DialogosRoteiro d;
        SessaoAtual.UsuarioLogado = "ADMIN";
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        m.aoEncerrar = [] { QFAIL("o programa terminou"); };
        m.show();
        b.exec("alter table config rename to config_guardada");
        m.acao(acao)->trigger();
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY2(d.ultimo().startsWith("Erro ao efetuar a operação\rErro retornado: "),
                 qPrintable(d.ultimo()));
        QVERIFY(d.ultimo().size() > QString("Erro ao efetuar a operação\rErro retornado: ").size());
        QCOMPARE(d.mostradas[0].titulo, QString("Erro"));
        QVERIFY(m.isVisible());
        b.exec("alter table config_guardada rename to config");
        d.limpar();
        QString aberta;
        if (!janela.isEmpty()) {
            Operador::quandoAbrir<QDialog>([&aberta](QDialog* j) {
                aberta = j->windowTitle();
                j->close();
            });
        }
        m.acao(acao)->trigger();
        QCOMPARE(d.textos(), depois.isEmpty() ? QStringList{} : QStringList{depois});
        QCOMPARE(aberta, janela);
    }

    // The server stops under the running program: the next command reports
    // it; once the server is back, the next command opens the connection
    // again by itself.
    void servidorReiniciado()
    {
        if (!BancoTeste::usandoPostgres()) {
            QSKIP("servidor PostgreSQL");
        }
        const QString script = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../scripts/pg.sh");
        const QString pasta = QStringLiteral("/tmp/viga-pg-reinicio-%1").arg(getpid());
        QProcess inicio;
        inicio.start("bash", {script, "start", pasta});
        QVERIFY(inicio.waitForFinished(120000));
        const int porta = QString::fromLatin1(inicio.readAllStandardOutput()).trimmed().toInt();
        QVERIFY2(porta > 0, inicio.readAllStandardError().constData());
        struct Cluster {
            QString script, pasta;
            ~Cluster() { QProcess::execute("bash", {script, "stop", pasta}); }
        } cluster{script, pasta};

        QTemporaryDir home;
        qputenv("VIGA_HOME", home.path().toLocal8Bit());
        Conexao c;
        c.driver = "QPSQL";
        c.host = "127.0.0.1";
        c.porta = porta;
        c.usuario = "viga";
        c.nome = "postgres";
        TDM dm(c);
        QString erro;
        QVERIFY2(Esquema::abreBanco(dm, &erro), qPrintable(erro));
        DialogosRoteiro d;
        SessaoAtual.UsuarioLogado = "ADMIN";
        TFrmMain m(dm);
        m.iniciarAoMostrar = false;
        m.aoEncerrar = [] { QFAIL("o programa terminou"); };
        m.show();
        const QString indisponivel =
            "Cadastro do Fator de Correção Fixo indisponível conforme configurações !";
        m.acao("Umidade")->trigger();
        QCOMPARE(d.textos(), QStringList{indisponivel});

        QCOMPARE(QProcess::execute("bash", {script, "halt", pasta}), 0);
        d.limpar();
        m.acao("Umidade")->trigger();
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY2(d.ultimo().startsWith("Erro ao efetuar a operação\rErro retornado: "),
                 qPrintable(d.ultimo()));
        QCOMPARE(d.mostradas[0].titulo, QString("Erro"));
        QVERIFY(m.isVisible());

        QCOMPARE(QProcess::execute("bash", {script, "resume", pasta}), 0);
        d.limpar();
        m.acao("Umidade")->trigger();
        QCOMPARE(d.textos(), QStringList{indisponivel});
        QVERIFY(dm.Conectado());
    }

    void rastreioSql()
    {
        BancoTeste b;
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        m.show();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        QTest::keyClick(&m, Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!m.modoSql());
        QTest::keyClick(&m, Qt::Key_F1, Qt::AltModifier);
        QVERIFY(m.modoSql());
        QCOMPARE(m.painel(2)->text(), QString("SQL"));
        QVERIFY(b.dm().rastreioSql);
        QTest::keyClick(&m, Qt::Key_F1, Qt::AltModifier);
        QTRY_VERIFY_WITH_TIMEOUT(!m.modoSql(), 3000);
        QVERIFY(!b.dm().rastreioSql);
        QVERIFY(m.painel(2)->text().contains(':'));
    }

    void copiaDeSeguranca()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        m.acao("Action1")->trigger();
        QCOMPARE(d.ultimo(),
                 QString("Cópia de Segurança gerada com sucesso.\rNão esqueça de transferir a Cópia de "
                         "Segurança para um local seguro."));
        m.acao("Action1")->trigger(); // the same minute
        QVERIFY(d.ultimo().startsWith("Cópia de Segurança não foi gerada: já existe o arquivo") ||
                d.ultimo().startsWith("Cópia de Segurança gerada"));
        QVERIFY(b.dm().Conectado());
    }

    void imagemDeFundo()
    {
        BancoTeste b;
        DialogosRoteiro d;
        QSettings(PastaDados::ini(), QSettings::IniFormat).setValue("ui/wall", "/nao/existe.jpg");
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        const QImage padrao = m.imagemFundo().toImage();
        m.carregaFundo("/nao/existe.jpg");
        QCOMPARE(m.imagemFundo().toImage(), padrao);
        // cancelled: nothing changes
        m.acao("ImagemFundo")->trigger();
        QCOMPARE(d.filtrosPedidos.last(),
                 QString("Todas as imagens|*.jpg;*.jpeg;*.bmp|JPEG Image File (*.jpg)|*.jpg|"
                         "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp"));
        QCOMPARE(m.imagemFundo().toImage(), padrao);
        // a JPEG and a BMP
        for (const char* ext : {"jpg", "bmp"}) {
            const QString arquivo = QDir(b.pasta()).filePath(QString("fundo.") + ext);
            QImage img(40, 20, QImage::Format_RGB32);
            img.fill(Qt::darkGreen);
            QVERIFY(img.save(arquivo));
            d.arquivo(arquivo);
            m.acao("ImagemFundo")->trigger();
            QCOMPARE(m.imagemFundo().size(), QSize(40, 20));
            QCOMPARE(QSettings(PastaDados::ini(), QSettings::IniFormat).value("ui/wall").toString(), arquivo);
        }
        m.acao("RemoverFundo")->trigger();
        QVERIFY(m.imagemFundo().isNull());
        QCOMPARE(QSettings(PastaDados::ini(), QSettings::IniFormat).value("ui/wall").toString(),
                 QString("none"));
    }

    // viga.ini is edited by hand: the picture is found whatever the case of
    // [ui] and wall=, and a new choice replaces that entry (no second one).
    void fundoSemDistinguirCaixa_data()
    {
        QTest::addColumn<QString>("secao");
        QTest::addColumn<QString>("chave");
        QTest::newRow("ui wall") << "ui"
                                 << "wall";
        QTest::newRow("UI wall") << "UI"
                                 << "wall";
        QTest::newRow("ui Wall") << "ui"
                                 << "Wall";
        QTest::newRow("Ui WALL") << "Ui"
                                 << "WALL";
    }
    void fundoSemDistinguirCaixa()
    {
        QFETCH(QString, secao);
        QFETCH(QString, chave);
        BancoTeste b;
        DialogosRoteiro d;
        auto imagem = [&](const char* nome, int largura) {
            const QString arquivo = QDir(b.pasta()).filePath(QString::fromLatin1(nome));
            QImage img(largura, 20, QImage::Format_RGB32);
            img.fill(Qt::darkGreen);
            img.save(arquivo);
            return arquivo;
        };
        const QString primeira = imagem("fundo.jpg", 40);
        {
            QFile ini(PastaDados::ini());
            QVERIFY(ini.open(QIODevice::Append));
            ini.write(QStringLiteral("\n[%1]\n%2=%3\n").arg(secao, chave, primeira).toUtf8());
        }
        TFrmMain m(b.dm());
        m.iniciarAoMostrar = false;
        m.carregaFundoConfigurado();
        QCOMPARE(m.imagemFundo().size(), QSize(40, 20));

        const QString segunda = imagem("outro.jpg", 60);
        d.arquivo(segunda);
        m.acao("ImagemFundo")->trigger();
        QCOMPARE(m.imagemFundo().size(), QSize(60, 20));
        QFile ini(PastaDados::ini());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString texto = QString::fromUtf8(ini.readAll());
        QCOMPARE(texto.count(QStringLiteral("wall="), Qt::CaseInsensitive), 1);
        QVERIFY2(texto.contains(chave + u'=' + segunda), qPrintable(texto));
        TFrmMain depois(b.dm());
        depois.iniciarAoMostrar = false;
        depois.carregaFundoConfigurado();
        QCOMPARE(depois.imagemFundo().size(), QSize(60, 20));
        QVERIFY(d.mostradas.isEmpty());
    }
};

QTEST_MAIN(TstPrincipal)
#include "tst_principal.moc"
