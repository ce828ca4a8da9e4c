// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "TDBGrid.h"
#include "TFrmCadCidade.h"
#include "TMaskEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

QString sucesso()
{
    return QStringLiteral("Operação efetuada com sucesso.");
}

} // namespace

class TstCidades : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void novaCidade_data()
    {
        QTest::addColumn<QStringList>("existentes");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<int>("codigoEsperado");
        QTest::addColumn<QString>("gravado");
        QTest::newRow("tabela vazia") << QStringList{} << "curitiba" << 1 << "CURITIBA";
        QTest::newRow("maior código mais 1") << QStringList{"1", "5"} << "Londrina" << 6 << "LONDRINA";
        QTest::newRow("apóstrofo vira branco") << QStringList{"3"} << "pau d'alho" << 4 << "PAU D ALHO";
        QTest::newRow("espaços aparados") << QStringList{} << "  maringa  " << 1 << "MARINGA";
    }
    void novaCidade()
    {
        QFETCH(QStringList, existentes);
        QFETCH(QString, digitado);
        QFETCH(int, codigoEsperado);
        QFETCH(QString, gravado);
        BancoTeste b;
        for (const QString& c : existentes) {
            b.exec(QStringLiteral("insert into cidade values (%1, 'X%1', 'SP')").arg(c));
        }
        DialogosRoteiro d;
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Cadastro de Cidades"));
        QVERIFY(!w.BtnSalvar->isEnabled());
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.EstadoCadastro, 0);
        QCOMPARE(w.campoCodigo()->maskText().trimmed().toInt(), codigoEsperado);
        QCOMPARE(w.campoUf()->currentText(), QStringLiteral("PR"));
        QCOMPARE(w.campoUf()->count(), 27);
        QVERIFY(w.campoNome()->hasFocus());
        QVERIFY(!w.BtnSalvar->isEnabled());
        QTest::keyClicks(w.campoNome(), digitado);
        QVERIFY(w.BtnSalvar->isEnabled());
        w.campoUf()->setCurrentIndex(w.campoUf()->findText(QStringLiteral("SC")));
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);

        QCOMPARE(d.textos(), QStringList{sucesso()});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Sucesso"));
        QCOMPARE(
            b.valor(
                 QStringLiteral("select cid_descricao from cidade where cid_codigo=%1").arg(codigoEsperado))
                .toString(),
            gravado);
        QCOMPARE(b.valor(QStringLiteral("select cid_uf from cidade where cid_codigo=%1").arg(codigoEsperado))
                     .toString(),
                 QStringLiteral("SC"));
        // Back to browsing, fields cleared and the new city in the list.
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(w.campoNome()->text().isEmpty());
        QVERIFY(!w.campoNome()->isEnabled());
        QCOMPARE(w.grade()->model()->rowCount(), existentes.size() + 1);
    }

    void editarMantemCodigo()
    {
        BancoTeste b;
        b.exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
        b.exec("insert into cidade values (2, 'JOINVILE', 'SC')");
        DialogosRoteiro d;
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        w.grade()->setFocus();
        w.grade()->selecionar(1);
        QTest::keyClick(w.grade(), Qt::Key_Space);
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(w.campoNome()->text(), QStringLiteral("JOINVILE"));
        QCOMPARE(w.campoUf()->currentText(), QStringLiteral("SC"));
        QVERIFY(!w.campoCodigo()->isEnabled());
        w.campoNome()->selectAll();
        QTest::keyClicks(w.campoNome(), "joinville");
        w.campoUf()->setCurrentIndex(w.campoUf()->findText(QStringLiteral("RS")));
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{sucesso()});
        QCOMPARE(b.contar("select count(*) from cidade"), 2);
        QCOMPARE(b.valor("select cid_descricao || cid_uf from cidade where cid_codigo=2").toString(),
                 QStringLiteral("JOINVILLERS"));
        QCOMPARE(b.valor("select cid_descricao from cidade where cid_codigo=1").toString(),
                 QStringLiteral("CASCAVEL"));
    }

    void cancelarNaoGrava()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.campoNome(), "TOLEDO");
        QTest::mouseClick(w.BtnCancelar, Qt::LeftButton);
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(w.campoNome()->text().isEmpty());
        QCOMPARE(b.contar("select count(*) from cidade"), 0);
        QVERIFY(d.mostradas.isEmpty());
    }

    void excluir_data()
    {
        QTest::addColumn<bool>("usada");
        QTest::addColumn<int>("resposta");
        QTest::addColumn<QStringList>("mensagens");
        QTest::addColumn<int>("restantes");
        const QString pergunta = QStringLiteral("Confirma exclusão do registro?");
        QTest::newRow("livre, sim") << false << int(Msg::RespSim) << QStringList{pergunta, sucesso()} << 0;
        QTest::newRow("livre, não") << false << int(Msg::RespNao) << QStringList{pergunta} << 1;
        QTest::newRow("usada por um cadastro")
            << true << int(Msg::RespSim)
            << QStringList{pergunta,
                           QStringLiteral("O registro não pode ser excluído pois está sendo utilizado!")}
            << 1;
    }
    void excluir()
    {
        QFETCH(bool, usada);
        QFETCH(int, resposta);
        QFETCH(QStringList, mensagens);
        QFETCH(int, restantes);
        BancoTeste b;
        b.exec("insert into cidade values (7, 'CASTRO', 'PR')");
        if (usada) {
            b.exec(
                "insert into cadastrao (cad_codigo, cad_tipo, cad_razao, cid_codigo) values (1, 3, 'A', 7)");
        }
        DialogosRoteiro d;
        d.responder(resposta);
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(d.textos(), mensagens);
        QCOMPARE(d.mostradas.last().titulo,
                 mensagens.size() == 1 ? QStringLiteral("Pergunta")
                                       : (usada ? QStringLiteral("Informação") : QStringLiteral("Sucesso")));
        QCOMPARE(b.contar("select count(*) from cidade"), restantes);
        QCOMPARE(w.grade()->model()->rowCount(), restantes);
        // The refused delete left no transaction open: a save still works.
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.campoNome(), "PONTA GROSSA");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.contar("select count(*) from cidade where cid_descricao='PONTA GROSSA'"), 1);
    }

    void excluirListaVaziaNaoPergunta()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QVERIFY(d.mostradas.isEmpty());
    }

    // Typed in "Localizar:", or on the list itself: what is typed on the
    // list goes on in the field, where the operator sees it.
    void localizar_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("naLista");
        QTest::addColumn<QString>("achada");
        QTest::newRow("início") << "cu" << false << "CURITIBA";
        QTest::newRow("maiúsculas") << "CAS" << false << "CASCAVEL";
        QTest::newRow("mais letras") << "cast" << false << "CASTRO";
        QTest::newRow("digitado na lista") << "cast" << true << "CASTRO";
        QTest::newRow("uma letra na lista") << "c" << true << "CASCAVEL";
    }
    void localizar()
    {
        QFETCH(QString, texto);
        QFETCH(bool, naLista);
        QFETCH(QString, achada);
        BancoTeste b;
        b.exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
        b.exec("insert into cidade values (2, 'CURITIBA', 'PR')");
        b.exec("insert into cidade values (3, 'CASTRO', 'PR')");
        DialogosRoteiro d;
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(w.campoLocalizar()->isEnabled());
        if (naLista) {
            w.grade()->setFocus();
            QTest::keyClick(w.grade(), Qt::Key_Down);
            for (const QChar c : texto) { // each key to where the focus is, as the operator types
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            }
            QVERIFY(w.campoLocalizar()->hasFocus());
            QCOMPARE(w.campoLocalizar()->text(), texto.toUpper());
        } else {
            QTest::keyClicks(w.campoLocalizar(), texto);
        }
        const int linha = w.grade()->linhaAtual();
        QCOMPARE(w.grade()->model()->index(linha, 1).data().toString(), achada);
        QVERIFY(d.mostradas.isEmpty());
    }

    void sair_data()
    {
        QTest::addColumn<bool>("comLinhas");
        QTest::addColumn<int>("perguntas");
        QTest::newRow("lista vazia fecha sem perguntar") << false << 0;
        QTest::newRow("com registros pergunta") << true << 1;
    }
    void sair()
    {
        QFETCH(bool, comLinhas);
        QFETCH(int, perguntas);
        BancoTeste b;
        if (comLinhas) {
            b.exec("insert into cidade values (1, 'CASCAVEL', 'PR')");
        }
        DialogosRoteiro d;
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.btnSair, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), perguntas);
        if (perguntas) {
            QCOMPARE(d.ultimo(), QStringLiteral("Deseja realmente sair ?"));
        }
        QVERIFY(!w.isVisible());
    }

    // Enter goes from the name to the state list, before the search field: a
    // letter typed there picks the state, and the city is saved with it.
    void enterPeloEstado()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmCadCidade w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QVERIFY(w.campoNome()->hasFocus());
        QTest::keyClicks(w.campoNome(), "toledo");
        QCOMPARE(Operador::caminhoDoEnter(1), QStringList{"cbUF"});
        QTest::keyClicks(w.campoUf(), "sp");
        QCOMPARE(w.campoUf()->currentText(), QStringLiteral("SP"));
        QVERIFY(w.campoLocalizar()->text().isEmpty());
        QCOMPARE(Operador::caminhoDoEnter(1), QStringList{"edtLocalizar"});
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.valor("select cid_uf from cidade where cid_descricao='TOLEDO'").toString(),
                 QStringLiteral("SP"));
    }
};

QTEST_MAIN(TstCidades)
#include "tst_cidades.moc"
