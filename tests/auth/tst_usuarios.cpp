// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "FalhaBanco.h"
#include "Operador.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmUsuarios.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");
const char* colunasDireitos = "usr_cadastros, usr_relatorios, usr_pesoinferior, usr_editapesagem, "
                              "usr_pesagemsaida, usr_altpeso, usr_pesagem, usr_altpesoent";

// The eight boxes in their tab order.
QList<QCheckBox*> caixas(TFrmUsuarios& w)
{
    return {w.chkCadastros,    w.chkRelatorios,  w.chkPesoInferior,   w.chkEditarPesagens,
            w.chkPesagemSaida, w.chkManualSaida, w.chkPesagemEntrada, w.chkManualEntrada};
}

// The stored rights, in the tab order of the boxes, as "10110001".
QString direitosGravados(BancoTeste& b, const QString& login)
{
    QString r;
    for (const QString& c : QString::fromLatin1(colunasDireitos).split(QStringLiteral(", "))) {
        const QVariant v =
            b.valor(QStringLiteral("select %1 from usuarios where usr_login='%2'").arg(c, login));
        r += v.isNull() ? QStringLiteral("N") : QString::number(v.toInt());
    }
    return r;
}

void marca(QCheckBox* c)
{
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

// Puts the list on the row of a login and presses Space.
void abreLinha(TFrmUsuarios& w, const QString& login)
{
    QVERIFY(w.DBGrid1->localizar(QStringLiteral("USR_LOGIN"), login));
    w.DBGrid1->setFocus();
    QTest::keyClick(w.DBGrid1, Qt::Key_Space);
}

void insereJose(BancoTeste& b)
{
    b.exec(QStringLiteral("insert into usuarios (usr_login, usr_nome, usr_senha, %1) values "
                          "('JOSE', 'JOSE SILVA', 'abc', 1, 0, 1, 0, 1, 0, 1, 0)")
               .arg(QLatin1String(colunasDireitos)));
}

} // namespace

class TstUsuarios : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void janela()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Cadastro de Usuários e Acessos"));
        QCOMPARE(w.edtLogin->accessibleName(), QStringLiteral("Login:"));
        QCOMPARE(w.edtSenha->accessibleName(), QStringLiteral("Senha:"));
        QCOMPARE(w.edtNome->accessibleName(), QStringLiteral("Usuário:"));
        QCOMPARE(w.edtLogin->maxLength(), 12);
        QCOMPARE(w.edtSenha->maxLength(), 12);
        QCOMPARE(w.edtNome->maxLength(), 80);
        QCOMPARE(w.edtSenha->echoMode(), QLineEdit::Password);
        QCOMPARE(w.grpAcessos->title(), QStringLiteral("Acessos"));
        const QStringList titulos = {
            "Cadastros",     "Relatórios",           "Peso Inferior Saída", "Editar Pesagens",
            "Pesagem Saída", "Pesagem Manual Saída", "Pesagem Entrada",     "Pesagem Manual Entrada"};
        QStringList vistos;
        QStringList ordem;
        for (QCheckBox* c : caixas(w)) {
            vistos << c->text();
        }
        QCOMPARE(vistos, titulos);
        // Tab walks the boxes in that order, after the three fields
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w.edtLogin);
        for (int i = 0; i < 11; ++i) {
            QWidget* f = QApplication::focusWidget();
            if (auto* c = qobject_cast<QCheckBox*>(f)) {
                ordem << c->text();
            }
            QTest::keyClick(f, Qt::Key_Tab);
        }
        QCOMPARE(ordem, titulos);
        auto* m = w.DBGrid1->model();
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Login"));
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Usuário"));
        QCOMPARE(m->rowCount(), 1);
    }

    void novoUsuario_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QList<int>>("ticadas"); // box positions in tab order
        QTest::addColumn<QString>("loginGravado");
        QTest::addColumn<QString>("senhaGravada");
        QTest::addColumn<QString>("nomeGravado");
        QTest::addColumn<QString>("direitos");
        QTest::newRow("minúsculas viram maiúsculas") << "maria"
                                                     << "Se7ha"
                                                     << "maria souza" << QList<int>{0, 3, 7} << "MARIA"
                                                     << "Se7ha"
                                                     << "MARIA SOUZA"
                                                     << "10010001";
        QTest::newRow("brancos em volta") << "  ANA "
                                          << " x1 "
                                          << "  ana lima  " << QList<int>{} << "ANA"
                                          << "x1"
                                          << "ANA LIMA"
                                          << "00000000";
        QTest::newRow("apóstrofos viram brancos")
            << "d'avila"
            << "a'b"
            << "joao d'avila" << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << "D AVILA"
            << "a b"
            << "JOAO D AVILA"
            << "11111111";
    }
    void novoUsuario()
    {
        QFETCH(QString, login);
        QFETCH(QString, senha);
        QFETCH(QString, nome);
        QFETCH(QList<int>, ticadas);
        QFETCH(QString, loginGravado);
        QFETCH(QString, senhaGravada);
        QFETCH(QString, nomeGravado);
        QFETCH(QString, direitos);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.EstadoCadastro, 0);
        QVERIFY(w.grpAcessos->isEnabled());
        QTest::keyClicks(w.edtLogin, login);
        QTest::keyClick(w.edtLogin, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.edtSenha);
        QTest::keyClicks(w.edtSenha, senha);
        QTest::keyClick(w.edtSenha, Qt::Key_Return);
        QTest::keyClicks(w.edtNome, nome);
        for (int i : ticadas) {
            marca(caixas(w)[i]);
        }
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Sucesso"));
        QCOMPARE(b.contar("select count(*) from usuarios"), 2);
        const QString onde = QStringLiteral(" from usuarios where usr_login='%1'").arg(loginGravado);
        QCOMPARE(b.valor("select usr_senha" + onde).toString(), senhaGravada);
        QCOMPARE(b.valor("select usr_nome" + onde).toString(), nomeGravado);
        QCOMPARE(direitosGravados(b, loginGravado), direitos);
        // back to browsing, cleared, the list shows the new user
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(w.edtLogin->text().isEmpty() && w.edtSenha->text().isEmpty() && w.edtNome->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.BtnNovo);
        QCOMPARE(w.DBGrid1->model()->rowCount(), 2);
    }

    void salvarSoComOsTresCampos_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("habilitado");
        QTest::newRow("os três") << "ANA"
                                 << "1"
                                 << "ANA" << true;
        QTest::newRow("sem login") << ""
                                   << "1"
                                   << "ANA" << false;
        QTest::newRow("senha em branco") << "ANA"
                                         << "   "
                                         << "ANA" << false;
        QTest::newRow("sem nome") << "ANA"
                                  << "1"
                                  << "" << false;
    }
    void salvarSoComOsTresCampos()
    {
        QFETCH(QString, login);
        QFETCH(QString, senha);
        QFETCH(QString, nome);
        QFETCH(bool, habilitado);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(!w.BtnSalvar->isEnabled());
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QVERIFY(!w.BtnSalvar->isEnabled());
        QTest::keyClicks(w.edtNome, nome);
        QTest::keyClicks(w.edtSenha, senha);
        QTest::keyClicks(w.edtLogin, login);
        QCOMPARE(w.BtnSalvar->isEnabled(), habilitado);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.contar("select count(*) from usuarios"), habilitado ? 2 : 1);
    }

    // Leaving the login field with a login in use: refused at once.
    void loginRepetido()
    {
        BancoTeste b;
        insereJose(b);
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.edtLogin, "jose");
        QTest::keyClick(w.edtLogin, Qt::Key_Return);
        QCOMPARE(d.textos(), QStringList{QStringLiteral("Código já existente!")});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Informação!"));
        QCOMPARE(d.mostradas[0].flags, 32);
        QVERIFY(w.edtLogin->text().isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), w.edtLogin);
        // a free login passes
        QTest::keyClicks(w.edtLogin, "joana");
        QTest::keyClick(w.edtLogin, Qt::Key_Return);
        QCOMPARE(d.mostradas.size(), 1);
        QCOMPARE(QApplication::focusWidget(), w.edtSenha);
    }

    void editarUsuario()
    {
        BancoTeste b;
        insereJose(b);
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        abreLinha(w, "JOSE");
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(w.edtLogin->text(), QStringLiteral("JOSE"));
        QCOMPARE(w.edtSenha->text(), QStringLiteral("abc"));
        QCOMPARE(w.edtNome->text(), QStringLiteral("JOSE SILVA"));
        QString vistos;
        for (QCheckBox* c : caixas(w)) {
            vistos += c->isChecked() ? u'1' : u'0';
        }
        QCOMPARE(vistos, QStringLiteral("10101010"));
        QVERIFY(w.edtLogin->isEnabled());
        QVERIFY(w.grpAcessos->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.edtNome);
        // leaving the login of the row being edited is no duplicate
        w.edtLogin->setFocus();
        QTest::keyClick(w.edtLogin, Qt::Key_Return);
        QVERIFY(d.mostradas.isEmpty());
        QCOMPARE(w.edtLogin->text(), QStringLiteral("JOSE"));

        w.edtNome->selectAll();
        QTest::keyClicks(w.edtNome, "jose o'neil");
        w.edtSenha->selectAll();
        QTest::keyClicks(w.edtSenha, "Nova ");
        marca(w.chkCadastros);
        marca(w.chkRelatorios);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(b.contar("select count(*) from usuarios"), 2);
        QCOMPARE(b.valor("select usr_nome from usuarios where usr_login='JOSE'").toString(),
                 QStringLiteral("JOSE O NEIL"));
        QCOMPARE(b.valor("select usr_senha from usuarios where usr_login='JOSE'").toString(),
                 QStringLiteral("Nova"));
        QCOMPARE(direitosGravados(b, "JOSE"), QStringLiteral("01101010"));
        QCOMPARE(direitosGravados(b, "ADMIN"), QStringLiteral("11111111"));
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(w.edtNome->text().isEmpty());
    }

    // The administrator: login and rights locked, "Editar Pesagens" shown
    // and stored as 1 even when its column was 0.
    void administrador()
    {
        BancoTeste b;
        b.exec("update usuarios set usr_editapesagem=0, usr_relatorios=0 where usr_login='ADMIN'");
        insereJose(b);
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        abreLinha(w, "ADMIN");
        QCOMPARE(w.EstadoCadastro, 1);
        QVERIFY(!w.edtLogin->isEnabled());
        QVERIFY(!w.grpAcessos->isEnabled());
        QVERIFY(w.chkEditarPesagens->isChecked());
        QVERIFY(!w.chkRelatorios->isChecked());
        QCOMPARE(QApplication::focusWidget(), w.edtNome);
        w.edtNome->selectAll();
        QTest::keyClicks(w.edtNome, "chefe");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso});
        QCOMPARE(direitosGravados(b, "ADMIN"), QStringLiteral("10111111"));
        QCOMPARE(b.valor("select usr_nome from usuarios where usr_login='ADMIN'").toString(),
                 QStringLiteral("CHEFE"));
        // another user afterwards has its fields open again
        abreLinha(w, "JOSE");
        QVERIFY(w.edtLogin->isEnabled());
        QVERIFY(w.grpAcessos->isEnabled());
        QVERIFY(!w.chkEditarPesagens->isChecked()); // the administrator's forced tick does not carry over
    }

    void excluir()
    {
        BancoTeste b;
        insereJose(b);
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(w.DBGrid1->localizar(QStringLiteral("USR_LOGIN"), "ADMIN"));
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{QStringLiteral("Administrador não pode ser excluído.")});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Informação"));
        QCOMPARE(b.contar("select count(*) from usuarios"), 2);

        d.limpar();
        QVERIFY(w.DBGrid1->localizar(QStringLiteral("USR_LOGIN"), "JOSE"));
        d.responder(Msg::RespNao);
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{QStringLiteral("Confirma exclusão do registro?")});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Pergunta"));
        QCOMPARE(b.contar("select count(*) from usuarios"), 2);

        d.limpar();
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.textos(), (QStringList{QStringLiteral("Confirma exclusão do registro?"), sucesso}));
        QCOMPARE(b.contar("select count(*) from usuarios where usr_login='JOSE'"), 0);
        QCOMPARE(b.contar("select count(*) from usuarios"), 1);
        QCOMPARE(w.DBGrid1->model()->rowCount(), 1);
    }

    void excluirComErroDoBanco()
    {
        BancoTeste b;
        insereJose(b);
        falharEm(b, "usuarios", "DELETE", "exclusao recusada");
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(w.DBGrid1->localizar(QStringLiteral("USR_LOGIN"), "JOSE"));
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 2);
        QVERIFY(d.ultimo().startsWith(QStringLiteral("Erro ao excluir\rErro retornado:")));
        QVERIFY(d.ultimo().contains(QStringLiteral("exclusao recusada")));
        QCOMPARE(d.mostradas[1].titulo, QStringLiteral("Erro"));
        QVERIFY(!b.dm().InTransaction());
        QCOMPARE(b.contar("select count(*) from usuarios"), 2);
    }

    // A save the database refuses: rolled back, reported, and what the
    // operator typed is still there to correct.
    void salvarComErroDoBanco()
    {
        BancoTeste b;
        falharEm(b, "usuarios", "INSERT", "gravacao recusada");
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.edtLogin, "ana");
        QTest::keyClicks(w.edtSenha, "1");
        QTest::keyClicks(w.edtNome, "ana");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY(d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")));
        QVERIFY(d.ultimo().contains(QStringLiteral("gravacao recusada")));
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Erro"));
        QVERIFY(!b.dm().InTransaction());
        QCOMPARE(b.contar("select count(*) from usuarios"), 1);
        QCOMPARE(w.EstadoCadastro, 0);
        QCOMPARE(w.edtLogin->text(), QStringLiteral("ANA"));
        QCOMPARE(w.edtNome->text(), QStringLiteral("ANA"));
    }

    void cancelarEAltG()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.edtLogin, "ana");
        marca(w.chkCadastros);
        QTest::keyClick(w.edtLogin, Qt::Key_G, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w.DBGrid1);
        QTest::mouseClick(w.BtnCancelar, Qt::LeftButton);
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(w.edtLogin->text().isEmpty());
        QVERIFY(!w.chkCadastros->isChecked());
        QVERIFY(!w.edtLogin->isEnabled());
        QCOMPARE(b.contar("select count(*) from usuarios"), 1);
        QVERIFY(d.mostradas.isEmpty());
    }

    // With the SQL trace on, the statement shows its values before it runs.
    void rastreio()
    {
        BancoTeste b;
        DialogosRoteiro d;
        b.dm().rastreioSql = true;
        TFrmUsuarios w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.edtLogin, "ana");
        QTest::keyClicks(w.edtSenha, "1");
        QTest::keyClicks(w.edtNome, "ana");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 2);
        QVERIFY(d.mostradas[0].texto.startsWith(QStringLiteral("INSERT INTO USUARIOS (USR_LOGIN")));
        QVERIFY(d.mostradas[0].texto.contains(QStringLiteral("ANA")));
        QCOMPARE(d.ultimo(), sucesso);
    }
};

QTEST_MAIN(TstUsuarios)
#include "tst_usuarios.moc"
