// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on the gatehouse's smallest screen (1366×768), walked with the
// keyboard: the settings fit with "Salvar" in sight, the control Enter reaches
// shows its focus, repeated Returns print a ticket once, Enter leaves an
// observation, the template editor's question can go back to the edits.
#include "../tickets/FixtureTicket.h"
#include "BancoTeste.h"
#include "Cadastros.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "Relogio.h"
#include "SalvaPesagem.h"
#include "ServicosRelevoJanelas.h"
#include "SessaoAtual.h"
#include "TFrmCadastrao.h"
#include "TFrmConfTempl.h"
#include "TFrmHistoricoPesagem.h"
#include "TFrmPesagem.h"
#include "TFrmSelPage.h"
#include "TFrmSerial.h"
#include "TFrmTicket.h"
#include "TMaskEdit.h"
#include "TRVPreview.h"
#include "Tela1366.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace
{

// The part of a control the operator sees (clipped by scroll areas and the window).
bool emVista(QWidget* w)
{
    return w && w->isVisible() && !w->visibleRegion().isEmpty() &&
           w->window()->rect().contains(QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()));
}

} // namespace

class TstAcabamento : public QObject
{
    Q_OBJECT
    std::unique_ptr<BancoTeste> m_banco;

private Q_SLOTS:
    void init()
    {
        m_banco = std::make_unique<BancoTeste>();
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        SessaoAtual.LoginEfetuado = true;
    }
    void cleanup()
    {
        m_banco.reset();
        SessaoAtual = TSessao();
    }

    // "Configurações" opens within the screen, "Salvar" in sight; every field
    // Enter reaches is scrolled into sight.
    void configuracoesCabemNaTela()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), Tela1366::tela);
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QVERIFY2(w.frameGeometry().width() <= Tela1366::tela.width() &&
                     w.frameGeometry().height() <= Tela1366::tela.height(),
                 qPrintable(
                     QStringLiteral("%1×%2").arg(w.frameGeometry().width()).arg(w.frameGeometry().height())));
        QVERIFY(emVista(w.BtnSalvar));
        w.cbPorta->setFocus();
        QStringList foraDeVista;
        for (int i = 0; i < 60; ++i) {
            QWidget* atual = QApplication::focusWidget();
            if (atual == w.BtnSalvar || atual == w.BtnTesteConexao) break;
            QTest::keyClick(atual, Qt::Key_Return);
            QCoreApplication::processEvents();
            QWidget* agora = QApplication::focusWidget();
            if (!emVista(agora)) foraDeVista << Operador::nomeDe(agora);
            QVERIFY(emVista(w.BtnSalvar));
        }
        QVERIFY2(foraDeVista.isEmpty(), qPrintable(foraDeVista.join(u',')));
    }

    // A combo box and a button reached by Enter are drawn with their focus
    // frame (as after Tab): the operator sees where Enter went.
    void enterMostraOFoco()
    {
        DialogosRoteiro d;
        TFrmTicket j;
        QVERIFY(Operador::abrir(j));
        j.campoCodigo()->setFocus();
        QTest::keyClicks(j.campoCodigo(), "1");
        auto* combo = j.movimento();
        auto* imprimir = j.botaoImprimir();
        const QImage comboSemFoco = combo->grab().toImage();
        const QImage imprimirSemFoco = imprimir->grab().toImage();
        QTest::keyClick(j.campoCodigo(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), combo);
        QVERIFY(combo->grab().toImage() != comboSemFoco);
        QTest::keyClick(combo, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), imprimir);
        QVERIFY(imprimir->grab().toImage() != imprimirSemFoco);
    }

    // Return pressed ten times from the ticket number: the 4th opens the
    // preview, the next ones reach its "Imprimir" and the page choice, and the
    // ticket prints; the preview closes back to the ticket window with the
    // focus on the number, and the Returns after it print nothing more.
    void returnRepetidoImprimeUmaVez()
    {
        FixtureTicket::pesagens(*m_banco);
        const QString porta = m_banco->pasta() + QStringLiteral("/t.prn");
        m_banco->exec(
            QStringLiteral("update config set cfg_portarede='%1', cfg_impressaoforwindows=0").arg(porta));
        DialogosRoteiro d;
        ServicosRelevoJanelas servicos;
        ServicosRelevo::instalar(&servicos);
        const auto restaura = qScopeGuard([] { ServicosRelevo::instalar(nullptr); });

        TFrmTicket j;
        j.campoCodigo()->setText(QStringLiteral("1"));
        int impressos = 0;
        int returns = 0;
        int aposImprimir = -1;
        QStringList caminho;
        std::function<void()> passo = [&] {
            if (QFile::exists(porta)) {
                ++impressos;
                aposImprimir = int(caminho.size());
                QFile::remove(porta);
            }
            if (returns == 10) {
                if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &j) modal->close();
                caminho << Operador::nomeDe(j.focusWidget());
                j.close();
                return;
            }
            ++returns;
            // the key goes to the window on top, activated as the window manager does
            QWidget* topo = QApplication::activeModalWidget();
            if (topo && QApplication::activeWindow() != topo) QApplication::setActiveWindow(topo);
            QWidget* foco = topo ? topo->focusWidget() : QApplication::focusWidget();
            caminho << Operador::nomeDe(foco);
            QTimer::singleShot(60, passo);
            if (foco) QTest::keyClick(foco, Qt::Key_Return);
        };
        QTimer::singleShot(100, passo);
        j.exec();
        QVERIFY2(impressos == 1,
                 qPrintable(QStringLiteral("%1 impressões: ").arg(impressos) + caminho.join(u',')));
        // back from the preview: the ticket number has the focus, and the Returns walk the fields again
        QVERIFY2(caminho.value(aposImprimir) == QLatin1String("FlatMaskEdit1"),
                 qPrintable(caminho.join(u',')));
        QVERIFY(returns == 10);
        QVERIFY(!Operador::janelaAberta<TRVPreview>());
    }

    // Enter leaves the observation as it leaves any field, however often it is
    // pressed; Ctrl+Enter and Shift+Enter start a new line in it.
    void enterSaiDaObservacao()
    {
        DialogosRoteiro d;
        TFrmCadastrao w(Cadastros::Cliente);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        auto* obs = w.findChild<QPlainTextEdit*>(QStringLiteral("memObs"));
        QVERIFY(obs);
        obs->setFocus();
        QTest::keyClicks(obs, "linha 1");
        QTest::keyClick(obs, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(obs, "linha 2");
        QTest::keyClick(obs, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QTest::keyClicks(obs, "linha 3");
        QCOMPARE(obs->toPlainText(), QStringLiteral("linha 1\nlinha 2\nlinha 3"));
        QTest::keyClick(obs, Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() != obs);
        QVERIFY(emVista(QApplication::focusWidget()));
        QCOMPARE(obs->toPlainText(), QStringLiteral("linha 1\nlinha 2\nlinha 3"));
        QVERIFY(emVista(obs));
    }

    // The history window by keyboard alone: Alt+P to the number, Alt+C to the
    // query; every column title in sight, the changes by the fields' captions.
    void historicoPeloTeclado()
    {
        Relogio::fixar(QDateTime(QDate(2026, 12, 10), QTime(8, 15, 0)));
        const auto relogio = qScopeGuard([] { Relogio::fixar(QDateTime()); });
        FixturePesagem::cadastros(*m_banco);
        PesagemTela p;
        p.estado = 0;
        p.codigo = QStringLiteral("3");
        p.placa = QStringLiteral("ABC1234");
        p.cadCodigo = QStringLiteral("1");
        p.prdCodigo = QStringLiteral("10");
        p.dataEntrada = QStringLiteral("10/12/2026");
        p.pesoEntrada = QStringLiteral("12000");
        SalvaPesagem::salvar(m_banco->dm(), p, ConfigPesagem::ler(m_banco->dm()), false);
        p.estado = 1;
        p.placa = QStringLiteral("XYZ9876");
        p.pesoNota = QStringLiteral("11900");
        SalvaPesagem::salvar(m_banco->dm(), p, ConfigPesagem::ler(m_banco->dm()), false);

        DialogosRoteiro d;
        TFrmHistoricoPesagem w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(w.frameGeometry().width() <= Tela1366::tela.width());
        QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w.campoCodigo);
        QTest::keyClicks(w.campoCodigo, "3");
        QTest::keyClick(w.campoCodigo, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(w.campoCodigo->text(), QStringLiteral("3"));
        QTRY_COMPARE(w.tabela->rowCount(), 3);
        QCOMPARE(w.tabela->item(2, 1)->text(), QStringLiteral("10/12/2026 08:15:00"));
        const QString alteracoes = w.tabela->item(2, 5)->text();
        QVERIFY2(alteracoes.contains(QStringLiteral("Placa: ABC1234 → XYZ9876")), qPrintable(alteracoes));
        QVERIFY2(alteracoes.contains(QStringLiteral("Peso Nota Fiscal: ")), qPrintable(alteracoes));
        QVERIFY2(!alteracoes.contains(QStringLiteral("pes_")), qPrintable(alteracoes));
        QHeaderView* cabecalho = w.tabela->horizontalHeader();
        for (int c = 0; c < w.tabela->columnCount(); ++c) {
            const QString titulo = w.tabela->horizontalHeaderItem(c)->text();
            const int x = cabecalho->sectionViewportPosition(c);
            QVERIFY2(x >= 0 && x + cabecalho->fontMetrics().horizontalAdvance(titulo) <=
                                   cabecalho->viewport()->width(),
                     qPrintable(titulo));
        }
        QVERIFY(d.mostradas.isEmpty());
    }

    // The exit window with moisture tables: each correction factor, the moisture
    // and its discount are followed by "%"; without them no "%" is left behind.
    void porcentoNosFatores_data()
    {
        QTest::addColumn<int>("umidade");
        QTest::addColumn<int>("porcentos");
        QTest::newRow("com umidade") << 1 << 6;
        QTest::newRow("sem umidade") << 0 << 0;
    }
    void porcentoNosFatores()
    {
        QFETCH(int, umidade);
        QFETCH(int, porcentos);
        m_banco->exec(QStringLiteral("update config set cfg_umidade=%1, cfg_morproduto=0").arg(umidade));
        DialogosRoteiro d;
        TFrmPesagem w(2);
        QVERIFY(Operador::abrir(w));
        QVERIFY(w.frameGeometry().width() <= Tela1366::tela.width());
        int vistos = 0;
        for (QLabel* l : w.findChildren<QLabel*>()) {
            if (l->text() != QLatin1String("%") || !l->isVisible()) continue;
            ++vistos;
            // right after a visible field of the same row
            const QRect r(l->mapTo(&w, QPoint(0, 0)), l->size());
            bool aposCampo = false;
            for (QLineEdit* e : w.findChildren<QLineEdit*>()) {
                const QRect c(e->mapTo(&w, QPoint(0, 0)), e->size());
                aposCampo |= e->isVisible() && c.right() < r.left() && r.left() - c.right() <= 20 &&
                             c.top() <= r.center().y() && r.center().y() <= c.bottom();
            }
            QVERIFY2(aposCampo, qPrintable(QStringLiteral("\"%\" nº %1 sem campo antes").arg(vistos)));
        }
        QCOMPARE(vistos, porcentos);
    }

    // Esc on a changed template asks "Sim", "Não" or "Cancelar"; Esc on the
    // question is "Cancelar": the editor stays with the edits; "Não" then leaves.
    void perguntaDoTemplateTemCancelar()
    {
        m_banco->exec(
            QStringLiteral("insert into linhastempl (tem_codigo, lin_codigo, lin_texto) values (7, 0, "
                           "'PRIMEIRA')"));
        QStringList botoes;
        bool aberto = false;
        QString texto;
        Operador::quandoAbrir<TFrmConfTempl>([&](TFrmConfTempl* j) {
            QVERIFY(j->frameGeometry().width() <= Tela1366::tela.width());
            QTest::keyClick(j->texto(), Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(j->texto(), " X");
            Operador::quandoAbrir<QMessageBox>([&](QMessageBox* m) {
                for (QAbstractButton* b : m->buttons())
                    botoes << b->text();
                QTest::keyClick(m, Qt::Key_Escape);
            });
            QTest::keyClick(j->texto(), Qt::Key_Escape);
            aberto = j->isVisible();
            texto = j->texto()->toPlainText();
            QCOMPARE(j->focusWidget(), j->texto());
            Operador::quandoAbrir<QMessageBox>([&](QMessageBox* m) {
                for (QAbstractButton* b : m->buttons())
                    if (b->text() == QStringLiteral("&Não")) b->click();
            });
            QTest::keyClick(j->texto(), Qt::Key_Escape);
        });
        TFrmConfTempl::editar(nullptr, QStringLiteral("7"));
        botoes.sort();
        QCOMPARE(botoes, (QStringList{"&Não", "&Sim", "Cancelar"}));
        QVERIFY(aberto);
        QCOMPARE(texto, QStringLiteral("PRIMEIRA X"));
        QVERIFY(!Operador::janelaAberta<TFrmConfTempl>());
        QCOMPARE(
            m_banco->valor(QStringLiteral("select lin_texto from linhastempl where tem_codigo=7")).toString(),
            QStringLiteral("PRIMEIRA"));
    }
};

VIGA_TESTE_TELA_1366(TstAcabamento)
#include "tst_acabamento.moc"
