// SPDX-License-Identifier: GPL-3.0-or-later
// The template editor as the operator meets it: a template loaded, edited,
// stored back whole when the window closes; insertion from the tree at the
// remembered caret; F1; export and import of ".ctp" files.
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "EdicaoTemplate.h"
#include "ErroBanco.h"
#include "FalhaBanco.h"
#include "Operador.h"
#include "TFrmConfTempl.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace
{

QStringList guardadas(BancoTeste& b, int codigo)
{
    QStringList r;
    QSqlQuery q(b.dm().DataBase1());
    q.exec(QStringLiteral(
               "select lin_codigo, lin_texto from linhastempl where tem_codigo=%1 order by lin_codigo")
               .arg(codigo));
    while (q.next())
        r << q.value(0).toString() + u'=' + q.value(1).toString();
    return r;
}

QTreeWidgetItem* no(QTreeWidget* t, const QString& texto)
{
    const auto achados = t->findItems(texto, Qt::MatchExactly | Qt::MatchRecursive);
    return achados.isEmpty() ? nullptr : achados.first();
}

} // namespace

class TstTemplateEditor : public QObject
{
    Q_OBJECT

    std::unique_ptr<BancoTeste> m_banco;
    QTemporaryDir m_dir;

private Q_SLOTS:
    void init()
    {
        m_banco = std::make_unique<BancoTeste>();
        for (const char* l :
             {"(7, 0, 'PRIMEIRA')", "(7, 1, 'SEGUNDA')", "(7, 2, 'TERCEIRA')", "(8, 0, 'OUTRO')"})
            m_banco->exec(
                QStringLiteral("insert into linhastempl (tem_codigo, lin_codigo, lin_texto) values ") +
                QLatin1String(l));
    }
    void cleanup() { m_banco.reset(); }

    // The stored lines shown; a middle line deleted and a quote and an escaped
    // accent typed: stored renumbered and cleaned; reopening shows the quotes.
    void gravaERele()
    {
        DialogosRoteiro d;
        QString mostrado;
        Operador::quandoAbrir<TFrmConfTempl>([&](TFrmConfTempl* j) {
            mostrado = j->texto()->toPlainText();
            j->texto()->setPlainText(QStringLiteral("PRIMEIRA\nTERCEIRA D'AGUA\nBALAN\\'C7A"));
            j->close();
        });
        TFrmConfTempl::editar(nullptr, QStringLiteral(" 7 "));
        QCOMPARE(mostrado, QStringLiteral("PRIMEIRA\nSEGUNDA\nTERCEIRA"));
        QCOMPARE(guardadas(*m_banco, 7),
                 (QStringList{"0=PRIMEIRA", "1=TERCEIRA D\"AGUA", QStringLiteral("2=BALANÇA")}));
        QCOMPARE(guardadas(*m_banco, 8), QStringList{"0=OUTRO"});
        QCOMPARE(d.textos(),
                 (QStringList{"Gravar as alterações do template?", "Operação efetuada com sucesso."}));
        QCOMPARE(d.mostradas[1].titulo, QStringLiteral("Sucesso"));

        Operador::quandoAbrir<TFrmConfTempl>([&](TFrmConfTempl* j) {
            mostrado = j->texto()->toPlainText();
            j->texto()->clear();
            j->close();
        });
        TFrmConfTempl::editar(nullptr, QStringLiteral("7"));
        QCOMPARE(mostrado, QStringLiteral("PRIMEIRA\nTERCEIRA D\"AGUA\nBALANÇA"));
        // An empty text area leaves an empty template.
        QCOMPARE(guardadas(*m_banco, 7), QStringList{});
    }

    // From the keyboard: the editor opens with the caret in the text, where a
    // typed space is a space; Tab leaves the text (no tab lands in it);
    // "&Importar" and "&Exportar" are in the Tab order; Esc after a change
    // asks, and "Não" keeps the stored template.
    void peloTeclado()
    {
        DialogosRoteiro d;
        QString texto;
        QStringList ordem;
        Operador::quandoAbrir<TFrmConfTempl>([&](TFrmConfTempl* j) {
            QTRY_VERIFY(j->texto()->hasFocus());
            QTest::keyClick(j->texto(), Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(j->texto(), QStringLiteral(" X"));
            QTest::keyClick(j->texto(), Qt::Key_Tab);
            texto = j->texto()->toPlainText();
            for (int i = 0; i < 3; ++i) {
                ordem << Operador::nomeDe(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            for (const char* b : {"BtnImportar", "BtnExportar"}) {
                auto* botao = j->findChild<QPushButton*>(QLatin1String(b));
                QVERIFY(botao && botao->text().startsWith(u'&') && (botao->focusPolicy() & Qt::TabFocus));
            }
            d.responder(Msg::RespNao);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        TFrmConfTempl::editar(nullptr, QStringLiteral("7"));
        QCOMPARE(texto, QStringLiteral("PRIMEIRA\nSEGUNDA\nTERCEIRA X"));
        QVERIFY2(!ordem.contains(QStringLiteral("RichEdit1")), qPrintable(ordem.join(u',')));
        QVERIFY2(ordem.contains(QStringLiteral("BtnImportar")) &&
                     ordem.contains(QStringLiteral("BtnExportar")),
                 qPrintable(ordem.join(u',')));
        QCOMPARE(d.textos(), QStringList{"Gravar as alterações do template?"});
        QCOMPARE(guardadas(*m_banco, 7), (QStringList{"0=PRIMEIRA", "1=SEGUNDA", "2=TERCEIRA"}));
    }

    void semNumero()
    {
        DialogosRoteiro d;
        TFrmConfTempl::editar(nullptr, QStringLiteral("   "));
        QCOMPARE(d.textos(), QStringList{"Informar código template."});
        QVERIFY(!Operador::janelaAberta<TFrmConfTempl>());
    }

    // A failed store is reported and the template keeps its lines.
    void falhaAoGravar()
    {
        falharEm(*m_banco, QStringLiteral("linhastempl"), QStringLiteral("INSERT"),
                 QStringLiteral("sem espaço"));
        DialogosRoteiro d;
        Operador::quandoAbrir<TFrmConfTempl>([&](TFrmConfTempl* j) {
            j->texto()->setPlainText(QStringLiteral("NOVA"));
            j->close();
        });
        TFrmConfTempl::editar(nullptr, QStringLiteral("7"));
        QCOMPARE(d.mostradas.size(), 2);
        QVERIFY2(d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado: \r")),
                 qPrintable(d.ultimo()));
        QVERIFY(d.ultimo().contains(QStringLiteral("sem espaço")));
        QCOMPARE(d.mostradas[1].titulo, QStringLiteral("Erro"));
        QCOMPARE(guardadas(*m_banco, 7), (QStringList{"0=PRIMEIRA", "1=SEGUNDA", "2=TERCEIRA"}));
    }

    // Text the database cannot hold (a NUL character, more lines than a
    // template numbers) is refused when the editor closes: the editor stays
    // open with the text as typed, and once it is mended the template is
    // stored on either engine.
    void textoQueNaoCabe_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("caractere nulo")
            << QStringLiteral("PRIMEIRA\nCOM") + QChar(u'\0') + QStringLiteral("NULO")
            << QStringLiteral("A linha 2 do template tem um caractere nulo");
        QTest::newRow("linhas demais") << QStringLiteral("L\n").repeated(40000)
                                       << QStringLiteral("O template tem 40001 linhas; o máximo é 32767.");
    }
    void textoQueNaoCabe()
    {
        QFETCH(QString, texto);
        QFETCH(QString, aviso);
        DialogosRoteiro d;
        bool continuouAberto = false;
        QString textoMantido;
        Operador::quandoAbrir<TFrmConfTempl>([&](TFrmConfTempl* j) {
            j->texto()->setPlainText(texto);
            j->close();
            continuouAberto = j->isVisible();
            textoMantido = j->texto()->toPlainText();
            j->texto()->setPlainText(QStringLiteral("CORRIGIDA\nTEMPLATE"));
            j->close();
        });
        TFrmConfTempl::editar(nullptr, QStringLiteral("7"));
        QVERIFY(continuouAberto);
        QCOMPARE(textoMantido, texto);
        // Asked on each close; the first answer "Sim" meets the refusal.
        QCOMPARE(d.textos().value(0), QStringLiteral("Gravar as alterações do template?"));
        QVERIFY2(d.textos().value(1).startsWith(aviso), qPrintable(d.textos().value(1)));
        QCOMPARE(d.textos().value(2), QStringLiteral("Gravar as alterações do template?"));
        QCOMPARE(d.textos().value(3), QStringLiteral("Operação efetuada com sucesso."));
        QCOMPARE(guardadas(*m_banco, 7), (QStringList{"0=CORRIGIDA", "1=TEMPLATE"}));
    }

    // Text that cannot be stored never traps the operator: "Não" to the
    // question leaves the editor, and nothing is stored.
    void descartaTextoQueNaoCabe()
    {
        DialogosRoteiro d;
        bool fechou = false;
        Operador::quandoAbrir<TFrmConfTempl>([&](TFrmConfTempl* j) {
            j->texto()->setPlainText(QStringLiteral("COM") + QChar(u'\0') + QStringLiteral("NULO"));
            d.responder(Msg::RespNao);
            j->close();
            fechou = !j->isVisible();
            if (!fechou) { // leave anyway, so that a failure does not hang the run
                j->texto()->setPlainText(QStringLiteral("PRIMEIRA\nSEGUNDA\nTERCEIRA"));
                j->close();
            }
        });
        TFrmConfTempl::editar(nullptr, QStringLiteral("7"));
        QVERIFY(fechou);
        QCOMPARE(d.textos(), QStringList{"Gravar as alterações do template?"});
        QCOMPARE(guardadas(*m_banco, 7), (QStringList{"0=PRIMEIRA", "1=SEGUNDA", "2=TERCEIRA"}));
    }

    // Whatever the editor lets through is stored on both engines: the most
    // lines a template holds, and characters beyond Latin-1.
    void maiorTemplate()
    {
        QStringList linhas;
        for (int i = 0; i < EdicaoTemplate::MaximoLinhas; ++i)
            linhas << QStringLiteral("LINHA %1 — ção ✓").arg(i);
        QVERIFY(EdicaoTemplate::problema(linhas).isEmpty());
        EdicaoTemplate::gravar(m_banco->dm(), 9, linhas);
        QCOMPARE(m_banco->contar(QStringLiteral("select count(*) from linhastempl where tem_codigo=9")),
                 EdicaoTemplate::MaximoLinhas);
        const QStringList lidas = EdicaoTemplate::carregar(m_banco->dm(), 9);
        QCOMPARE(lidas.size(), EdicaoTemplate::MaximoLinhas);
        QCOMPARE(lidas.last(), linhas.last());
        QVERIFY_THROWS_EXCEPTION(ErroBanco,
                                 EdicaoTemplate::gravar(m_banco->dm(), 9, linhas << QStringLiteral("X")));
        QCOMPARE(m_banco->contar(QStringLiteral("select count(*) from linhastempl where tem_codigo=9")),
                 EdicaoTemplate::MaximoLinhas);
    }

    // Alt+G remembers the caret; "Hora" double-clicked inserts [Time] there;
    // Space on a field inserts it; the tree offers the query's fields.
    void insercao()
    {
        DialogosRoteiro d;
        TFrmConfTempl j;
        j.setLinhas({QStringLiteral("Hora: ")});
        j.show();
        QVERIFY(QTest::qWaitForWindowActive(&j));
        QTest::keyClick(j.texto(), Qt::Key_End);
        QTest::keyClick(j.texto(), Qt::Key_G, Qt::AltModifier);
        QVERIFY(j.arvore()->hasFocus());
        QApplication::clipboard()->setText(QStringLiteral("antigo"));
        QTreeWidgetItem* hora = no(j.arvore(), QStringLiteral("Hora"));
        QVERIFY(hora);
        Q_EMIT j.arvore()->itemDoubleClicked(hora, 0);
        QCOMPARE(j.texto()->toPlainText(), QStringLiteral("Hora: [Time]"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("[Time]"));
        QVERIFY(j.texto()->hasFocus());

        QTest::keyClick(j.texto(), Qt::Key_Home);
        QTest::keyClick(j.texto(), Qt::Key_G, Qt::AltModifier);
        j.arvore()->setCurrentItem(no(j.arvore(), QStringLiteral("<! - Abre Negrito")));
        QTest::keyClick(j.arvore(), Qt::Key_Space);
        QCOMPARE(j.texto()->toPlainText(), QStringLiteral("<!Hora: [Time]"));

        QVERIFY2(d.mostradas.isEmpty(), qPrintable(d.ultimo()));
        for (const char* c :
             {"pes_placa", "Pes_PesoNota", "transportadora", "trans_CPDCGC", "PesoFator7e", "pes_fator11u",
              "tpv_valor", "Usuario", "TotalDescontoSaida", "VlrTotalTonelada"})
            QVERIFY2(no(j.arvore(), QLatin1String(c)), c);
        QVERIFY(!no(j.arvore(), QStringLiteral("p.pes_placa")));
        QCOMPARE(TFrmConfTempl::textoDoNo(no(j.arvore(), QStringLiteral("pes_placa"))),
                 QStringLiteral("[pes_placa]"));
        QCOMPARE(TFrmConfTempl::textoDoNo(no(j.arvore(), QStringLiteral("Comandos"))), QString());
        QCOMPARE(TFrmConfTempl::textoDoNo(no(j.arvore(), QStringLiteral("PESAGEM"))),
                 QStringLiteral("[PESAGEM]"));

        QTest::keyClick(j.texto(), Qt::Key_F1);
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY(d.ultimo().contains(QStringLiteral("Fixar tamanho e casas decimais   -   [CAMPO:N10;2]")));
        QVERIFY(d.mostradas[0].titulo == QStringLiteral("Informação"));
        QVERIFY(d.filtrosPedidos.isEmpty());
    }

    // Export then import gives back the same lines; a Windows-1252 file of an
    // older installation imports with its accents; an unwritable file says so.
    void arquivos()
    {
        DialogosRoteiro d;
        TFrmConfTempl j;
        const QStringList linhas{QStringLiteral("<!BALANÇA [pes_placa]!>"), QString(),
                                 QStringLiteral("fim ção")};
        j.setLinhas(linhas);
        const QString arquivo = m_dir.filePath(QStringLiteral("ticket.ctp"));
        d.arquivo(arquivo);
        j.acaoExportar()->trigger();
        QCOMPARE(d.textos(), QStringList{"Exportação concluida com sucesso."});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Aviso"));
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QStringLiteral("<!BALANÇA [pes_placa]!>\r\n\r\nfim ção\r\n").toUtf8());
        j.setLinhas({});
        d.arquivo(arquivo);
        j.acaoImportar()->trigger();
        QCOMPARE(j.linhas(), linhas);

        const QString antigo = m_dir.filePath(QStringLiteral("antigo.ctp"));
        QFile a(antigo);
        QVERIFY(a.open(QIODevice::WriteOnly));
        a.write("Balan\xe7"
                "a [pes_placa]\r\nOpera\xe7\xe3o\r\n");
        a.close();
        d.arquivo(antigo);
        j.acaoImportar()->trigger();
        QCOMPARE(j.linhas(),
                 (QStringList{QStringLiteral("Balança [pes_placa]"), QStringLiteral("Operação")}));

        // A file that does not exist changes nothing.
        d.arquivo(m_dir.filePath(QStringLiteral("nenhum.ctp")));
        j.acaoImportar()->trigger();
        QCOMPARE(j.linhas().size(), 2);

        d.limpar();
        d.arquivo(m_dir.filePath(QStringLiteral("sem/pasta/x.ctp")));
        j.acaoExportar()->trigger();
        QCOMPARE(d.textos(), QStringList{"Exportação não realizada."});
    }
};

QTEST_MAIN(TstTemplateEditor)
#include "tst_template_editor.moc"
