// SPDX-License-Identifier: GPL-3.0-or-later
#include "Autenticacao.h"
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "SessaoAtual.h"
#include "TFrmLogin.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace
{

const QString incorreta = QStringLiteral("Login ou senha incorreta.");
const QString finalizado = QStringLiteral("Login ou senha incorreta.\rO Sistema será finalizado.");

// Types login and password as the operator does: Enter after each.
void tenta(TFrmLogin& w, const QString& login, const QString& senha)
{
    w.edtLogin->setFocus();
    QTest::keyClicks(w.edtLogin, login);
    QTest::keyClick(w.edtLogin, Qt::Key_Return);
    QTest::keyClicks(w.edtSenha, senha);
    QTest::keyClick(w.edtSenha, Qt::Key_Return);
}

} // namespace

class TstLogin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { SessaoAtual = TSessao{}; }

    void janela()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmLogin w;
        const auto m =
            QRegularExpression(QStringLiteral("^Controle de acesso \\((\\d+)\\)$")).match(w.windowTitle());
        QVERIFY2(m.hasMatch(), qPrintable(w.windowTitle()));
        QVERIFY(m.captured(1).toInt() >= 0 && m.captured(1).toInt() <= 99);
        QCOMPARE(w.edtLogin->maxLength(), 12);
        QCOMPARE(w.edtSenha->maxLength(), 12);
        QCOMPARE(w.edtSenha->echoMode(), QLineEdit::Password);
        QCOMPARE(w.BtnOK->text(), QStringLiteral("&OK"));
        QCOMPARE(w.BtnCancelar->text(), QStringLiteral("&Cancelar"));
        QCOMPARE(w.edtLogin->accessibleName(), QStringLiteral("Login:"));
        QCOMPARE(w.edtSenha->accessibleName(), QStringLiteral("Senha:"));
    }

    void tentativa_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<bool>("entra");
        QTest::newRow("login digitado em minúsculas") << "admin"
                                                      << "ADMIN" << true;
        QTest::newRow("senha com brancos em volta") << "ADMIN"
                                                    << "  ADMIN " << true;
        QTest::newRow("login com brancos em volta") << " ADMIN "
                                                    << "ADMIN" << true;
        QTest::newRow("senha distingue maiúsculas") << "ADMIN"
                                                    << "admin" << false;
        QTest::newRow("senha errada") << "ADMIN"
                                      << "ADMIN2" << false;
        QTest::newRow("usuário inexistente") << "NINGUEM"
                                             << "ADMIN" << false;
        QTest::newRow("login vazio") << ""
                                     << "ADMIN" << false;
        QTest::newRow("senha só de brancos") << "ADMIN"
                                             << "   " << false;
        QTest::newRow("apóstrofo não altera a consulta") << "X' OR '1'='1"
                                                         << "X' OR '1'='1" << false;
    }
    // One attempt: in, or the first failure message with the fields cleared
    // and the focus back on the login.
    void tentativa()
    {
        QFETCH(QString, login);
        QFETCH(QString, senha);
        QFETCH(bool, entra);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        tenta(w, login, senha);
        QCOMPARE(w.sucesso(), entra);
        QVERIFY(!w.encerrar());
        QCOMPARE(SessaoAtual.LoginEfetuado, entra);
        if (entra) {
            QVERIFY(d.mostradas.isEmpty());
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Accepted));
            QCOMPARE(SessaoAtual.UsuarioLogado, QStringLiteral("ADMIN"));
        } else {
            QCOMPARE(d.textos(), QStringList{incorreta});
            QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Informação"));
            QVERIFY(w.isVisible());
            QVERIFY(w.edtLogin->text().isEmpty());
            QVERIFY(w.edtSenha->text().isEmpty());
            QCOMPARE(QApplication::focusWidget(), w.edtLogin);
            QVERIFY(SessaoAtual.UsuarioLogado.isEmpty());
        }
    }

    void direitos_data()
    {
        QTest::addColumn<QString>("linha");
        QTest::addColumn<QList<int>>("direitos");
        QTest::addColumn<int>("administrador");
        // cadastros, relatorios, altpeso, altpesoent, pesagem, pesagemsaida, editapesagem, pesoinferior
        QTest::newRow("operador com alguns direitos")
            << "'JOSE', 'JOSE SILVA', 'segredo', 1, 0, 1, 0, 1, 0, 1, 0" << QList<int>{1, 0, 1, 0, 1, 0, 1, 0}
            << 2;
        QTest::newRow("operador sem direitos, colunas nulas")
            << "'JOSE', 'JOSE SILVA', 'segredo', 0, NULL, 0, NULL, 0, 0, NULL, NULL"
            << QList<int>{0, 0, 0, 0, 0, 0, 0, 0} << 2;
        QTest::newRow("operador com os outros direitos")
            << "'JOSE', 'JOSE SILVA', 'segredo', 0, 1, 0, 1, 0, 1, 0, 1" << QList<int>{0, 1, 0, 1, 0, 1, 0, 1}
            << 2;
    }
    void direitos()
    {
        QFETCH(QString, linha);
        QFETCH(QList<int>, direitos);
        QFETCH(int, administrador);
        BancoTeste b;
        b.exec("insert into usuarios (usr_login, usr_nome, usr_senha, usr_cadastros, usr_relatorios, "
               "usr_altpeso, "
               "usr_altpesoent, usr_pesagem, usr_pesagemsaida, usr_editapesagem, usr_pesoinferior) values (" +
               linha + ")");
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        tenta(w, "jose", "segredo");
        QVERIFY(w.sucesso());
        const TSessao& s = SessaoAtual;
        QCOMPARE(s.UsuarioLogado, QStringLiteral("JOSE"));
        QCOMPARE((QList<int>{s.Cadastros, s.Relatorios, s.PesagemManualSaida, s.PesagemManualEntrada,
                             s.PesagemEntrada, s.PesagemSaida, s.EditarPesagens, s.PesoInferiorSaida}),
                 direitos);
        QCOMPARE(s.Administrador, administrador);
        QVERIFY(!s.ehAdmin());
        QCOMPARE(s.pode(s.Relatorios), direitos[1] != 0);
    }

    void administrador()
    {
        BancoTeste b;
        b.exec("update usuarios set usr_cadastros=0, usr_relatorios=0 where usr_login='ADMIN'");
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        tenta(w, "admin", "ADMIN");
        QVERIFY(w.sucesso());
        QCOMPARE(SessaoAtual.Administrador, 1);
        // the administrator passes every rights test, whatever its row says
        QVERIFY(SessaoAtual.pode(SessaoAtual.Cadastros));
        QVERIFY(SessaoAtual.pode(SessaoAtual.Relatorios));
    }

    // What the users window stored for a login and password typed with
    // apostrophes (blanks in their place) logs in typed the same way.
    void apostrofosComoGravados()
    {
        BancoTeste b;
        b.exec("insert into usuarios (usr_login, usr_nome, usr_senha) values ('D AVILA', 'D AVILA', 'a b')");
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        tenta(w, "d'avila", "a'b");
        QVERIFY(w.sucesso());
        QCOMPARE(SessaoAtual.UsuarioLogado, QStringLiteral("D AVILA"));
    }

    void tresFalhasEncerram()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        tenta(w, "ADMIN", "x");
        tenta(w, "ADMIN", "y");
        QVERIFY(w.isVisible());
        tenta(w, "ADMIN", "z");
        QCOMPARE(d.textos(), (QStringList{incorreta, incorreta, finalizado}));
        for (const auto& m : d.mostradas) {
            QCOMPARE(m.titulo, QStringLiteral("Informação"));
        }
        QVERIFY(!w.isVisible());
        QVERIFY(w.encerrar());
        QVERIFY(!w.sucesso());
        QVERIFY(!SessaoAtual.LoginEfetuado);
    }

    void duasFalhasEUmAcerto()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        tenta(w, "ADMIN", "x");
        tenta(w, "NINGUEM", "ADMIN");
        tenta(w, "admin", "ADMIN");
        QCOMPARE(d.textos(), (QStringList{incorreta, incorreta}));
        QVERIFY(w.sucesso());
        QVERIFY(!w.encerrar());
        QVERIFY(!w.isVisible());
        QVERIFY(SessaoAtual.LoginEfetuado);
    }

    // Close box, Alt+F4 and Esc do not leave the window before the login.
    void naoFechaSemLogin()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QTest::keyClick(w.edtLogin, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QVERIFY(!w.encerrar());
        QVERIFY(d.mostradas.isEmpty());
    }

    void cancelarEncerra()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        QTest::keyClicks(w.edtLogin, "ADMIN");
        QTest::mouseClick(w.BtnCancelar, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QVERIFY(w.encerrar());
        QVERIFY(!w.sucesso());
        QVERIFY(!SessaoAtual.LoginEfetuado);
        QVERIFY(d.mostradas.isEmpty());
    }

    // A database that cannot answer: the error is shown and the attempt counts.
    void erroDoBancoContaComoTentativa()
    {
        BancoTeste b;
        b.exec("drop table usuarios");
        DialogosRoteiro d;
        TFrmLogin w;
        QVERIFY(Operador::abrir(w));
        tenta(w, "ADMIN", "ADMIN");
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY(
            d.mostradas[0].texto.startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")));
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Erro"));
        QVERIFY(w.isVisible());
        tenta(w, "ADMIN", "ADMIN");
        tenta(w, "ADMIN", "ADMIN");
        QCOMPARE(d.ultimo(), finalizado);
        QVERIFY(w.encerrar());
        QVERIFY(!SessaoAtual.LoginEfetuado);
    }

    // The check alone, as the start sequence of a later tool may call it.
    void autenticacaoSemJanela()
    {
        BancoTeste b;
        TSessao s;
        QVERIFY(!Autenticacao::entrar(b.dm(), "ADMIN", "", s));
        QVERIFY(!s.LoginEfetuado);
        QVERIFY(Autenticacao::entrar(b.dm(), "ADMIN", "ADMIN", s));
        QVERIFY(s.LoginEfetuado);
        QCOMPARE(s.Administrador, 1);
        QVERIFY(!SessaoAtual.LoginEfetuado); // only the given record is filled
    }
};

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
