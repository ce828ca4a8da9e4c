// SPDX-License-Identifier: GPL-3.0-or-later
// The ticket window and the copies question as the operator meets them: the
// main window's command, the messages of the print command, copies, the
// look-up's rights, the print after a weighing.
#include "../engine/ServicosTeste.h"
#include "DialogosRoteiro.h"
#include "FixtureTicket.h"
#include "Operador.h"
#include "ServicosRelevoJanelas.h"
#include "SessaoAtual.h"
#include "TFrmConfTempl.h"
#include "TFrmImpCopias.h"
#include "TFrmMain.h"
#include "TFrmSerial.h"
#include "TFrmTicket.h"
#include "TMaskEdit.h"
#include "TRVPreview.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace
{

// How many tickets of a kind the last preview holds.
int tickets(const ServicosTeste& s, const QString& titulo)
{
    int n = 0;
    for (const QStringList& pagina : s.paginasExibidas)
        for (const QString& l : pagina)
            n += l.contains(titulo) ? 1 : 0;
    return n;
}

const QString saida = QStringLiteral("TICKET  DE  SAIDA");
const QString entrada = QStringLiteral("TICKET DE ENTRADA");

} // namespace

class TstTicketJanela : public QObject
{
    Q_OBJECT

    std::unique_ptr<BancoTeste> m_banco;

private Q_SLOTS:
    void init()
    {
        m_banco = std::make_unique<BancoTeste>();
        FixtureTicket::pesagens(*m_banco);
        // Weighing 4 is still inside: no exit yet.
        m_banco->exec(QStringLiteral(
            "insert into pesagem (pes_codigo, pes_tipo, pes_dataentrada, pes_horaentrada, pes_pesoentrada, "
            "pes_placa, cad_codigo, cad_tipo) values (4, 1, '2026-12-10', '08:00:00', 9000, 'DEN4T40', 1, "
            "3)"));
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("OPERADOR");
        TFrmTicket::ConsultaPesagens = nullptr;
    }
    void cleanup()
    {
        m_banco.reset();
        SessaoAtual = TSessao();
    }

    // "&Imprimir Ticket" opens the window with the most recent weighing ready to print.
    void abreDoPrincipal()
    {
        DialogosRoteiro d;
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        TFrmMain m(m_banco->dm());
        m.iniciarAoMostrar = false;
        QString codigo;
        bool imprimir = false;
        QString titulo;
        Operador::quandoAbrir<TFrmTicket>([&](TFrmTicket* j) {
            codigo = j->campoCodigo()->maskText().trimmed();
            imprimir = j->botaoImprimir()->isEnabled();
            titulo = j->windowTitle();
            j->close();
        });
        m.acao(QStringLiteral("PesTicket"))->trigger();
        QCOMPARE(codigo, QStringLiteral("4"));
        QVERIFY(imprimir);
        QCOMPARE(titulo, QStringLiteral("Imprimir Ticket"));
        QVERIFY(d.mostradas.isEmpty());
    }

    void mensagens_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<int>("movimento");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("tickets");
        QTest::newRow("não existe") << "99" << 0 << "Ticket não existe."
                                    << "Informação" << 0;
        QTest::newRow("sem saída") << "4" << 1 << "Este Ticket ainda não teve saída."
                                   << "Informação" << 0;
        QTest::newRow("entrada de quem está dentro") << "4" << 0 << ""
                                                     << "" << 1;
        QTest::newRow("saída") << "1" << 1 << ""
                               << "" << 1;
    }
    // Typing a code, choosing the movement and pressing "&Imprimir".
    void mensagens()
    {
        QFETCH(QString, codigo);
        QFETCH(int, movimento);
        QFETCH(QString, mensagem);
        QFETCH(QString, titulo);
        QFETCH(int, tickets);
        DialogosRoteiro d;
        ServicosTeste s;
        TFrmTicket j;
        j.show();
        QVERIFY(!j.botaoImprimir()->isEnabled());
        QTest::keyClicks(j.campoCodigo(), codigo);
        QVERIFY(j.botaoImprimir()->isEnabled());
        j.movimento()->setCurrentIndex(movimento);
        QTest::mouseClick(j.botaoImprimir(), Qt::LeftButton);
        QCOMPARE(d.textos(), mensagem.isEmpty() ? QStringList{} : QStringList{mensagem});
        if (!mensagem.isEmpty()) QCOMPARE(d.mostradas[0].titulo, titulo);
        QCOMPARE(s.previews, tickets ? 1 : 0);
        QCOMPARE(::tickets(s, movimento ? saida : entrada), tickets);
        if (tickets) {
            // Printed: the code field is cleared for the next one.
            QVERIFY(j.campoCodigo()->vazio());
        }
    }

    // The ticket's preview shows the weighing's camera snapshots beside the
    // pages (an exit ticket: both sides'); a weighing without pictures shows
    // none; the printed bytes are the same with or without them.
    void fotosNoPreview_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<int>("movimento");
        QTest::addColumn<QStringList>("legendas");
        QTest::newRow("saída: os dois lados")
            << "1" << 1 << QStringList{"Entrada - Frente", "Saída - Frente", "Saída - Traseira"};
        QTest::newRow("entrada: só a entrada") << "1" << 0 << QStringList{"Entrada - Frente"};
        QTest::newRow("sem fotos") << "2" << 1 << QStringList{};
    }
    void fotosNoPreview()
    {
        QFETCH(QString, codigo);
        QFETCH(int, movimento);
        QFETCH(QStringList, legendas);
        QVERIFY(QDir(m_banco->pasta()).mkpath(QStringLiteral("fotos")));
        QImage imagem(320, 240, QImage::Format_RGB32);
        imagem.fill(Qt::darkGreen);
        for (const char* f : {"1-entrada-frente", "1-saida-frente", "1-saida-traseira"})
            QVERIFY(imagem.save(m_banco->pasta() + QStringLiteral("/fotos/%1.jpg").arg(QLatin1String(f))));

        DialogosRoteiro d;
        QStringList vistas;
        int miniaturas = 0;
        bool painel = false;
        {
            ServicosRelevoJanelas servicos;
            ServicosRelevo::instalar(&servicos);
            const auto restaura = qScopeGuard([] { ServicosRelevo::instalar(nullptr); });
            Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
                const auto fecha = qScopeGuard([w] { w->close(); });
                painel = w->findChild<QWidget*>(QStringLiteral("PainelFotos")) != nullptr;
                for (int i = 1;; ++i) {
                    auto* foto = w->findChild<QLabel*>(QStringLiteral("Foto%1").arg(i));
                    if (!foto) break;
                    vistas << foto->accessibleName();
                    miniaturas += foto->pixmap().isNull() ? 0 : 1;
                }
            });
            TFrmTicket j;
            j.show();
            QTest::keyClicks(j.campoCodigo(), codigo);
            j.movimento()->setCurrentIndex(movimento);
            QTest::mouseClick(j.botaoImprimir(), Qt::LeftButton);
        }
        QCOMPARE(vistas, legendas);
        QCOMPARE(miniaturas, legendas.size());
        QCOMPARE(painel, !legendas.isEmpty());
        QVERIFY(d.mostradas.isEmpty());

        // The printer lines of the ticket, with the pictures and without them.
        auto linhas = [&] {
            ServicosTeste s;
            TFrmTicket j;
            j.campoCodigo()->setText(codigo);
            j.movimento()->setCurrentIndex(movimento);
            j.FlatButton2Click();
            return s.paginasImpressora;
        };
        const auto comFotos = linhas();
        QVERIFY(QDir(m_banco->pasta() + QStringLiteral("/fotos")).removeRecursively());
        const auto semFotos = linhas();
        QVERIFY(!comFotos.isEmpty());
        QCOMPARE(comFotos, semFotos);
    }

    // Three copies typed: three tickets in one preview; the copies of a weighing's
    // question hold while the field is blank.
    void copias()
    {
        DialogosRoteiro d;
        ServicosTeste s;
        TFrmTicket j;
        j.show();
        QTest::keyClicks(j.campoCodigo(), "1");
        j.movimento()->setCurrentIndex(1);
        QTest::keyClicks(j.campoCopias(), "3");
        QTest::mouseClick(j.botaoImprimir(), Qt::LeftButton);
        QCOMPARE(s.previews, 1);
        QCOMPARE(tickets(s, saida), 3);

        TFrmTicket::imprimeAposPesagem(nullptr, 1, 2, 2);
        QCOMPARE(s.previews, 2);
        QCOMPARE(tickets(s, saida), 2);
        QVERIFY(d.mostradas.isEmpty());
    }

    // After an entry weighing's print the look-up stays disabled; after an
    // exit weighing's it is enabled again.
    void aposPesagem()
    {
        ServicosTeste s;
        TFrmTicket j;
        j.modoAbertura = 1;
        j.campoCodigo()->setText("4");
        j.FlatButton2Click();
        QVERIFY(!j.botaoConsulta()->isEnabled());
        QCOMPARE(tickets(s, entrada), 1);
        TFrmTicket k;
        k.modoAbertura = 2;
        k.movimento()->setCurrentIndex(1);
        k.campoCodigo()->setText("1");
        k.FlatButton2Click();
        QVERIFY(k.botaoConsulta()->isEnabled());
    }

    // The look-up (F2 or the button) follows the rights of the movement chosen.
    void consulta_data()
    {
        QTest::addColumn<int>("direitoEntrada");
        QTest::addColumn<int>("direitoSaida");
        QTest::addColumn<int>("movimento");
        QTest::addColumn<bool>("abre");
        QTest::newRow("saída sem direito") << 1 << 0 << 1 << false;
        QTest::newRow("saída com direito") << 0 << 1 << 1 << true;
        QTest::newRow("entrada com direito") << 1 << 0 << 0 << true;
        QTest::newRow("entrada sem direito") << 0 << 1 << 0 << false;
    }
    void consulta()
    {
        QFETCH(int, direitoEntrada);
        QFETCH(int, direitoSaida);
        QFETCH(int, movimento);
        QFETCH(bool, abre);
        SessaoAtual.PesagemEntrada = direitoEntrada;
        SessaoAtual.PesagemSaida = direitoSaida;
        int aberturas = 0;
        TFrmTicket::ConsultaPesagens = [&](QWidget*) {
            ++aberturas;
            return QStringLiteral("2");
        };
        TFrmTicket j;
        j.show();
        j.movimento()->setCurrentIndex(movimento);
        QTest::keyClick(j.campoCodigo(), Qt::Key_F2);
        QCOMPARE(aberturas, abre ? 1 : 0);
        QCOMPARE(j.campoCodigo()->maskText().trimmed(), abre ? QStringLiteral("2") : QString());
        // Without the look-up a code can still be typed and printed.
        TFrmTicket::ConsultaPesagens = nullptr;
    }

    // A template that cannot be printed says so, titled "ERRO".
    void erroDeTemplate()
    {
        m_banco->exec(QStringLiteral("insert into linhastempl (tem_codigo, lin_codigo, lin_texto) values "
                                     "(2, 0, '[pes_placa:x,3]')"));
        m_banco->exec(QStringLiteral("update config set cfg_template=1, cfg_templateentrada=2"));
        DialogosRoteiro d;
        ServicosTeste s;
        TFrmTicket j;
        j.show();
        QTest::keyClicks(j.campoCodigo(), "1");
        QTest::mouseClick(j.botaoImprimir(), Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{"Template  não configurada corretamente."});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("ERRO"));
        QCOMPARE(d.mostradas[0].flags, int(Msg::Erro));
    }

    // The settings dialog's "Entrada" template button opens the editor on that
    // template, which is stored when the editor closes.
    void editorPelasConfiguracoes()
    {
        DialogosRoteiro d;
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        TFrmMain m(m_banco->dm());
        m.iniciarAoMostrar = false;
        bool abriu = false;
        Operador::quandoAbrir<TFrmSerial>([&](TFrmSerial* s) {
            Operador::quandoAbrir<TFrmConfTempl>([&, s](TFrmConfTempl* e) {
                abriu = true;
                e->texto()->setPlainText(QStringLiteral("[pes_placa]"));
                e->close();
                QTimer::singleShot(0, s, [s] { s->close(); });
            });
            auto* codigo = s->findChild<QLineEdit*>(QStringLiteral("edtTemplateEntrada"));
            codigo->setText(QStringLiteral("12"));
            QTest::mouseClick(s->findChild<QPushButton*>(QStringLiteral("BtnTemplateEntrada")),
                              Qt::LeftButton);
        });
        m.acao(QStringLiteral("ConSerial"))->trigger();
        QVERIFY(abriu);
        QCOMPARE(m_banco->valor(QStringLiteral("select lin_texto from linhastempl where tem_codigo=12"))
                     .toString(),
                 QStringLiteral("[pes_placa]"));
        QVERIFY(d.textos().contains(QStringLiteral("Operação efetuada com sucesso.")));
    }

    void pergunta_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("botao");
        QTest::addColumn<int>("copias");
        QTest::newRow("sim com 2") << "2"
                                   << "BtnSim" << 2;
        QTest::newRow("sim em branco") << ""
                                       << "BtnSim" << 1;
        QTest::newRow("não") << "5"
                             << "BtnNao" << 0;
        QTest::newRow("fechada") << ""
                                 << "" << 0;
    }
    // "Deseja imprimir ticket": the copies when "&Sim", none otherwise.
    void pergunta()
    {
        QFETCH(QString, digitado);
        QFETCH(QString, botao);
        QFETCH(int, copias);
        Operador::quandoAbrir<TFrmImpCopias>([&](TFrmImpCopias* j) {
            QCOMPARE(j->windowTitle(), QStringLiteral("Pergunta"));
            QTest::keyClicks(j->campoCopias(), digitado);
            if (botao.isEmpty())
                QTest::keyClick(j, Qt::Key_Escape);
            else
                QTest::mouseClick(j->findChild<QPushButton*>(botao), Qt::LeftButton);
        });
        QCOMPARE(TFrmImpCopias::pergunta(nullptr), copias);
    }
};

QTEST_MAIN(TstTicketJanela)
#include "tst_ticket_janela.moc"
