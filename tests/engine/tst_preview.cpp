// SPDX-License-Identifier: GPL-3.0-or-later
// The preview window as the operator meets it: pages, keys, go to page, printing
// by replaying the printer lines, page printing on the system printer (checked on
// QPrinter's PDF), saving as text, HTML and Excel; the page-selection dialog and
// the progress window's cancel.
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "PreviewRelevo.h"
#include "RVDataSet.h"
#include "Relogio.h"
#include "ServicosRelevoJanelas.h"
#include "ServicosTeste.h"
#include "TFrmProgress.h"
#include "TFrmSelPage.h"
#include "TRVBand.h"
#include "TRVColumn.h"
#include "TRVPreview.h"
#include "TRVReport.h"
#include "TRelevo.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace
{

QString textoDoPdf(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

template <class T> T* filho(QWidget* w, const char* nome)
{
    return w->findChild<T*>(QString::fromLatin1(nome));
}

// The windows' services, counting the previews shown (until closed) at the end of their job.
class ServicosContados : public ServicosRelevoJanelas
{
public:
    int exibidos = 0;

protected:
    void exibir(TRVPreview& janela) override
    {
        ++exibidos;
        ServicosRelevoJanelas::exibir(janela);
    }
};

// A report of `registros` records "0", "1" ... one per row on pages of 66 rows
// (65 printed), previewed; `feitos` counts the records printed.
struct RelatorioLongo {
    RVDataSetMemoria dados{{QStringLiteral("n")}};
    TRelevo job;
    TRVReport rel;
    TRVBand det;
    TRVColumn col;
    int feitos = 0;
    int registros;

    explicit RelatorioLongo(int n) : registros(n)
    {
        for (int i = 0; i < n; ++i)
            dados.append({QString::number(i)});
        job.PageHeader = false;
        job.QtLines = 66;
        job.Preview.ShowPreview = true;
        rel.Relevo = &job;
        rel.DataSet = &dados;
        col.Expression = QStringLiteral("n");
        col.ColWidth = 6;
        det.SetColumn(0, &col);
        det.OnAfterPrint = [this](TRVBand*) { ++feitos; };
        rel.SetDetailBand(0, &det);
    }
};

} // namespace

class TstPreview : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    DialogosRoteiro* m_dialogos = nullptr;
    ServicosContados m_servicos;

    // A previewed job of `linhas` lines "L1" ... on pages of QtLines 5 (4 rows each).
    void jobSimples(TRelevo& job, int linhas)
    {
        job.PageHeader = false;
        job.QtLines = 5;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        for (int i = 1; i <= linhas; ++i)
            job.WriteText({}, QStringLiteral("L%1").arg(i), 0, true);
    }

    static QString status(TRVPreview* w) { return filho<QStatusBar>(w, "StatusBar1")->currentMessage(); }
    // The preview says it is still receiving pages: its "Cancelar" is there.
    static bool gerando(TRVPreview* w)
    {
        auto* b = filho<QPushButton>(w, "BtnCancelar");
        return b && b->isVisible();
    }

private Q_SLOTS:
    void init()
    {
        qputenv("VIGA_HOME", m_dir.path().toUtf8());
        Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0)));
        m_dialogos = new DialogosRoteiro;
        ServicosRelevo::instalar(&m_servicos);
        m_servicos.saidaPdf.clear();
        m_servicos.exibidos = 0;
    }
    void cleanup()
    {
        ServicosRelevo::instalar(nullptr);
        delete m_dialogos;
        Relogio::fixar(QDateTime());
    }

    void navegacao()
    {
        TRelevo job;
        job.ReportTitle = QStringLiteral("Pesagens do dia");
        jobSimples(job, 28);
        QStringList vistos;
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            QCOMPARE(w->windowTitle(), QStringLiteral("Pesagens do dia"));
            vistos << status(w);
            QCOMPARE(filho<QPlainTextEdit>(w, "Memo1")->toPlainText(), QStringLiteral(" \nL1\nL2\nL3\nL4"));
            auto* memo = filho<QPlainTextEdit>(w, "Memo1");
            QTest::keyClick(memo, Qt::Key_PageUp); // nothing before the first page
            vistos << status(w);
            QTest::keyClick(memo, Qt::Key_PageDown);
            QTest::keyClick(filho<QCheckBox>(w, "CheckBox1"), Qt::Key_PageDown);
            vistos << status(w);
            QCOMPARE(filho<QPlainTextEdit>(w, "Memo1")->toPlainText(),
                     QStringLiteral(" \nL9\nL10\nL11\nL12"));
            filho<QToolButton>(w, "BtnUltima")->click();
            QTest::keyClick(memo, Qt::Key_PageDown); // nothing after the last
            vistos << status(w);
            filho<QToolButton>(w, "BtnPrimeira")->click();
            vistos << status(w);
            auto* edt = filho<QLineEdit>(w, "edtPagina");
            for (const char* t : {"0", "8", "5"}) {
                edt->clear();
                QTest::keyClicks(edt, QLatin1String(t));
                filho<QPushButton>(w, "BtnIrPara")->click();
            }
            QTest::keyClicks(edt, QStringLiteral("x"));
            QCOMPARE(edt->text(), QStringLiteral("5"));
            vistos << status(w);
            w->close();
        });
        job.EndDoc();
        QCOMPARE(vistos, QStringList({"Página 1 de 7", "Página 1 de 7", "Página 3 de 7", "Página 7 de 7",
                                      "Página 1 de 7", "Página 5 de 7"}));
        QCOMPARE(m_dialogos->textos(), QStringList(2, QStringLiteral("Número de Página fora dos limites")));
    }

    void emIngles()
    {
        TRelevo job;
        job.LanguageMessages = lmEnglish;
        jobSimples(job, 6);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            QCOMPARE(status(w), QStringLiteral("Page 1 of 2"));
            QCOMPARE(filho<QToolButton>(w, "BtnImprimir")->toolTip(), QStringLiteral("Print (Ctrl+P)"));
            QCOMPARE(filho<QCheckBox>(w, "CheckBox1")->text(), QStringLiteral("Print for &Windows"));
            QTest::keyClicks(filho<QLineEdit>(w, "edtPagina"), QStringLiteral("3"));
            filho<QPushButton>(w, "BtnIrPara")->click();
            w->close();
        });
        job.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList{QStringLiteral("Page Number out of bounds")});
    }

    // The font chosen becomes the font of the text area.
    void fonte()
    {
        TRelevo job;
        jobSimples(job, 2);
        m_dialogos->fonte(QFont(QStringLiteral("Courier New"), 14));
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            QCOMPARE(filho<QPlainTextEdit>(w, "Memo1")->font().pointSize(), 8);
            filho<QToolButton>(w, "BtnFonte")->click();
            QCOMPARE(filho<QPlainTextEdit>(w, "Memo1")->font().pointSize(), 14);
            QCOMPARE(w->job().Windows.Font.pointSize(), 14);
            w->close();
        });
        job.EndDoc();
        // the dialog opened on the font in use, a monospaced family it can show
        QCOMPARE(m_dialogos->fontesIniciais.size(), 1);
        QVERIFY(QFontInfo(FonteInstalada(m_dialogos->fontesIniciais.first())).fixedPitch());
    }

    // A preview without pages asks "Impressora selecionada"; Yes begins and ends a job
    // without lines.
    void imprimirSemPaginas()
    {
        const QString porta = m_dir.filePath(QStringLiteral("vazio.prn"));
        TRelevo job;
        job.PrinterName = rvDeskjet500; // no page-length code: nothing at all is written
        job.PageHeader = false;
        job.PrinterPort = porta;
        job.Preview.ShowPreview = true;
        job.Preview.SelectPagesToPrint = false;
        QVERIFY(job.BeginDoc());
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            QCOMPARE(w->totalPaginas(), 0);
            filho<QToolButton>(w, "BtnImprimir")->click();
            w->close();
        });
        job.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList{QStringLiteral("Impressora selecionada")});
        QCOMPARE(m_dialogos->mostradas[0].titulo, QStringLiteral("Pergunta"));
        QVERIFY(QFile::exists(porta));
        QCOMPARE(lerArquivo(porta), QByteArray());
    }

    // "Salvar Formato PDF": the display lines as PDF text, parentheses as brackets.
    void salvarPdf_data()
    {
        QTest::addColumn<bool>("pSalvar");
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("gerado") << true << "relatorio.pdf"
                                << "Documento PDF gerado com sucesso!";
        QTest::newRow("sem extensão") << true << "relatorio"
                                      << "Documento PDF gerado com sucesso!";
        QTest::newRow("pasta inexistente") << true << "nao/existe/r.pdf"
                                           << "Ocorreu um erro ao gerar Documento PDF!";
        QTest::newRow("sem permissão") << false << "r.pdf"
                                       << "Você não possuí permissão para salvar o relatório";
    }
    void salvarPdf()
    {
        QFETCH(bool, pSalvar);
        QFETCH(QString, arquivo);
        QFETCH(QString, mensagem);
        const QString caminho = m_dir.filePath(arquivo);
        TRelevo job;
        job.pSalvar = pSalvar;
        job.ReportTitle = QStringLiteral("Pesagens");
        jobSimples(job, 6);
        job.WriteText({}, QStringLiteral("Total (kg)"), 0, true);
        m_dialogos->arquivo(caminho);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); });
            filho<QToolButton>(w, "BtnPdf")->click();
        });
        job.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList{mensagem});
        if (mensagem.startsWith(QStringLiteral("Documento"))) {
            const QString pdf =
                caminho.endsWith(QStringLiteral(".pdf")) ? caminho : caminho + QStringLiteral(".pdf");
            const QStringList paginas = textoDoPdf(pdf).split(u'\f', Qt::SkipEmptyParts);
            QCOMPARE(paginas.size(), 2);
            QVERIFY(paginas[0].contains(QStringLiteral("L4")));
            QVERIFY(paginas[1].contains(QStringLiteral("Total [kg]")));
        }
    }

    // The two e-mail commands check the right and the settings before anything is sent.
    void email_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<bool>("pEmail");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("texto sem permissão")
            << "BtnEmail" << false << "Você não possuí permissão para enviar por e-mail o relatório";
        QTest::newRow("texto sem parâmetros")
            << "BtnEmail" << true << "Os paramêtros não estão configurados!!!";
        QTest::newRow("pdf sem parâmetros")
            << "BtnEmailPdf" << true << "Os paramêtros não estão configurados!!!";
    }
    void email()
    {
        QFETCH(QString, botao);
        QFETCH(bool, pEmail);
        QFETCH(QString, mensagem);
        TRelevo job;
        job.eMail = true;
        job.pEmail = pEmail;
        jobSimples(job, 2);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); });
            auto* b = w->findChild<QToolButton*>(botao);
            QVERIFY(b->isEnabled());
            b->click();
        });
        job.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList{mensagem});
    }

    void parsePageList_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QList<int>>("paginas");
        QTest::newRow("list") << "1;3-4" << QList<int>{0, 2, 3};
        QTest::newRow("reversed range") << "5-2" << QList<int>{1, 2, 3, 4};
        QTest::newRow("open start") << "-2" << QList<int>{0, 1};
        QTest::newRow("open end") << "3-" << QList<int>{2, 3, 4, 5, 6};
        QTest::newRow("blanks and repeats") << " 2 ; 2;x9" << QList<int>{1, 1};
        QTest::newRow("beyond") << "8;0" << QList<int>{};
    }
    void parsePageList()
    {
        QFETCH(QString, texto);
        QFETCH(QList<int>, paginas);
        QCOMPARE(ParsePageList(texto, 1, 7), paginas);
    }

    void reverseFeed()
    {
        QCOMPARE(ReverseFeedCode(QStringLiteral("<ms>:1")), QByteArray("\x1B\x6A\x01", 3).repeated(28));
        QCOMPARE(ReverseFeedCode(QStringLiteral("<ms>:7")), QByteArray("\x1B\x6A\x01", 3).repeated(4));
        QCOMPARE(ReverseFeedCode(QStringLiteral("<ms>:9")), QByteArray("\x1B\x6A\x01", 3).repeated(4));
        QCOMPARE(ReverseFeedCode(QStringLiteral("<ms>")), QByteArray("\x1B\x6A\x01", 3).repeated(28));
    }

    // Printing from the preview replays the printer lines through the window's own job
    // straight to the port: accents converted once, expanded markers back to codes, the
    // reverse feed, a form feed after a short page, none after the last selected page.
    void imprimirRepetindoLinhas_data()
    {
        QTest::addColumn<QString>("escolha");
        QTest::addColumn<QString>("golden");
        QTest::newRow("todos") << QString() << QStringLiteral("replay_todas.prn");
        QTest::newRow("intervalo") << QStringLiteral("3;1") << QStringLiteral("replay_3_1.prn");
    }
    void imprimirRepetindoLinhas()
    {
        QFETCH(QString, escolha);
        QFETCH(QString, golden);
        const QString porta = m_dir.filePath(QStringLiteral("porta.prn"));
        QFile::remove(porta);
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 10;
        job.EjetaQuebra = true;
        job.PrinterPort = porta;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        const TCodigosImpressora& c = TRelevo::CodigosAtivos();
        job.WriteText(c.ExpandOn, QStringLiteral("TICKET"), 2, false);
        job.WriteText(c.ExpandOff, QStringLiteral("Nº 15"), 12, true);
        job.WriteText({}, QStringLiteral("AÇÃO Ó é"), 0, true);
        job.WriteText({}, QStringLiteral("volta<ms>:2"), 0, true);
        job.NewPage();
        for (int i = 1; i <= 12; ++i)
            job.WriteText({}, QStringLiteral("Linha %1").arg(i), 0, true);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            QCOMPARE(w->totalPaginas(), 3);
            Operador::quandoAbrir<TFrmSelPage>([&](TFrmSelPage* s) {
                if (!escolha.isEmpty()) QTest::keyClicks(filho<QLineEdit>(s, "edtPaginas"), escolha);
                filho<QPushButton>(s, "BtnOk")->click();
            });
            QTest::keyClick(filho<QPlainTextEdit>(w, "Memo1"), Qt::Key_P, Qt::ControlModifier);
            w->close();
        });
        job.EndDoc();
        const QByteArray bytes = lerArquivo(porta);
        QVERIFY(bytes.contains("\xE0 \x82")); // Ó and é converted once
        QVERIFY(!bytes.contains('\x85'));
        QVERIFY(confereGolden(bytes, golden));
    }

    // A code sent just before a new page travels with the page marker: printed from the
    // preview, the code goes out and the page breaks; the marker is never printed as text.
    void codigoAntesDaNovaPagina()
    {
        const QString porta = m_dir.filePath(QStringLiteral("porta_ff.prn"));
        QFile::remove(porta);
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 10;
        job.PrinterPort = porta;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        const TCodigosImpressora& c = TRelevo::CodigosAtivos();
        job.WriteText({}, QStringLiteral("Primeira"), 0, true);
        job.SendCommand(c.NegritoOn);
        job.NewPage();
        job.WriteText({}, QStringLiteral("Segunda"), 0, true);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); });
            QCOMPARE(w->totalPaginas(), 2);
            Operador::quandoAbrir<TFrmSelPage>(
                [&](TFrmSelPage* s) { filho<QPushButton>(s, "BtnOk")->click(); });
            QTest::keyClick(filho<QPlainTextEdit>(w, "Memo1"), Qt::Key_P, Qt::ControlModifier);
        });
        job.EndDoc();
        const QByteArray bytes = lerArquivo(porta);
        QVERIFY2(!bytes.contains("<ff>"), bytes.constData());
        const qsizetype primeira = bytes.indexOf("Primeira\r\n");
        const qsizetype negrito = bytes.indexOf(c.NegritoOn, primeira);
        const qsizetype salto = bytes.indexOf('\x0C', primeira);
        const qsizetype segunda = bytes.indexOf("Segunda\r\n");
        QVERIFY(primeira >= 0 && negrito > primeira && salto > negrito && segunda > salto);
    }

    void salvar_data()
    {
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QByteArray>("conteudo");
        // Every text file in UTF-8; the HTML says so, and its text is never taken for markup.
        const QByteArray texto = "A  B\r\nA\xC3\xA7\xC3\xA3o (kg)\r\nfim\r\nM&M <\"S\xC3\xA3o\">\r\n";
        QTest::newRow("texto") << "r.txt" << texto;
        QTest::newRow("sem extensao") << "r" << texto;
        const QByteArray td = "<tr><td><font face=\"Courier New\" size=\"2\">";
        QTest::newRow("html") << "r.htm"
                              << QByteArray("<head>\r\n<title>Sem titulo</title>\r\n"
                                            "<meta name=\"GENERATOR\" content=\"TDX Relevo Report\">\r\n"
                                            "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                            "charset=utf-8\">\r\n</head>\r\n<html>\r\n"
                                            "<body bgcolor=\"#FFFFFF\">\r\n<table border=\"0\">\r\n") +
                                     td + "A&nbsp;&nbsp;B</font></td>\r\n" + td +
                                     "A\xC3\xA7\xC3\xA3o&nbsp;(kg)</font></td>\r\n" + td +
                                     "fim</font></td>\r\n" + td +
                                     "M&amp;M&nbsp;&lt;&quot;S\xC3\xA3o&quot;&gt;</font></td>\r\n" +
                                     "</table>\r\n</body>\r\n</html>\r\n";
        QTest::newRow("csv")
            << "r.csv"
            << QByteArray("\xEF\xBB\xBF"
                          "A;B\r\nA\xC3\xA7\xC3\xA3o (kg)\r\nfim\r\n\"M&M <\"\"S\xC3\xA3o\"\">\"\r\n");
    }
    void salvar()
    {
        QFETCH(QString, arquivo);
        QFETCH(QByteArray, conteudo);
        const QString caminho = m_dir.filePath(arquivo);
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 3;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        job.WriteText({}, QStringLiteral("A"), 0, false);
        job.WriteText({}, QStringLiteral("B"), 3, true);
        job.WriteText({}, QStringLiteral("Ação (kg)"), 0, true);
        job.WriteText({}, QStringLiteral("fim"), 0, true);
        job.WriteText({}, QStringLiteral("M&M <\"São\">"), 0, true);
        m_dialogos->arquivo(caminho);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            filho<QToolButton>(w, "BtnSalvar")->click();
            w->close();
        });
        job.EndDoc();
        QCOMPARE(
            m_dialogos->filtrosPedidos,
            QStringList{QStringLiteral(
                "Text (*.txt)|*.txt|HTML (*.htm)|*.htm;*.html|Excel (*.xlsx)|*.xlsx|CSV (*.csv)|*.csv")});
        QCOMPARE(lerArquivo(arquivo == QStringLiteral("r") ? caminho + QStringLiteral(".txt") : caminho),
                 conteudo);
    }

    void permissoes()
    {
        TRelevo job;
        job.pImprimir = false;
        job.pSalvar = false;
        jobSimples(job, 2);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            filho<QToolButton>(w, "BtnImprimir")->click();
            filho<QToolButton>(w, "BtnSalvar")->click();
            filho<QToolButton>(w, "BtnConfigurar")->click();
            w->close();
        });
        job.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList({"Você não possuí permissão para Imprimir o relatório",
                                                    "Você não possuí permissão para salvar o relatório",
                                                    "Você não possuí permissão para Imprimir o relatório"}));
    }

    // "Imprimir para Windows" draws the display lines of the selected pages, one printed
    // page per preview page, bold where a line starts with "<ng>".
    void imprimirPaginasNaImpressora()
    {
        m_servicos.saidaPdf = m_dir.filePath(QStringLiteral("paginas.pdf"));
        TRelevo job;
        jobSimples(job, 6);
        job.WriteText(QByteArrayLiteral("<ng>"), QStringLiteral("TOTAL"), 0, true);
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            const auto fecha = qScopeGuard([w] { w->close(); }); // also when a check fails
            filho<QCheckBox>(w, "CheckBox1")->setChecked(true);
            Operador::quandoAbrir<TFrmSelPage>(
                [](TFrmSelPage* s) { s->close(); }); // the close box answers "Todos"
            filho<QToolButton>(w, "BtnImprimir")->click();
            w->close();
        });
        job.EndDoc();
        const QStringList paginas = textoDoPdf(m_servicos.saidaPdf).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(paginas.size(), 2);
        QCOMPARE(paginas[0].split(u'\n', Qt::SkipEmptyParts).size(), 4);
        QVERIFY(paginas[1].contains(QStringLiteral("L6")));
        QVERIFY(paginas[1].contains(QStringLiteral("TOTAL")));
        QVERIFY(!paginas[1].contains(QStringLiteral("<ng>")));
    }

    // A job printed on the system printer: a page per page of the job, accents intact.
    void jobNaImpressora()
    {
        m_servicos.saidaPdf = m_dir.filePath(QStringLiteral("job.pdf"));
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 5;
        job.Windows.PrintForWindows = true;
        job.Windows.LineSpace = 40;
        job.Windows.Font = QFont(QStringLiteral("Courier New"), 10);
        QVERIFY(job.BeginDoc());
        for (int i = 1; i <= 9; ++i)
            job.WriteText({}, QStringLiteral("Pesagem %1 balança").arg(i), 0, true);
        job.EndDoc();
        QVERIFY(m_dialogos->mostradas.isEmpty());
        const QStringList paginas = textoDoPdf(m_servicos.saidaPdf).split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(paginas.size(), 3);
        QVERIFY(paginas[0].contains(QStringLiteral("Pesagem 4 balança")));
        QVERIFY(!paginas[0].contains(QStringLiteral("Pesagem 5")));
        QVERIFY(paginas[2].contains(QStringLiteral("Pesagem 9")));
    }

    // A wide report on the system printer with a pitch smaller than its type (12 pt on
    // 7 units): landscape and a type that fits, lines that never overlap, nothing beyond
    // the page; measured with pdftotext -bbox.
    void relatorioLargoNaImpressora()
    {
        m_servicos.saidaPdf = m_dir.filePath(QStringLiteral("largo.pdf"));
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 67;
        job.Windows.PrintForWindows = true;
        job.Windows.LineSpace = 7;
        job.Windows.Font = QFont(QStringLiteral("Courier New"), 12);
        QVERIFY(job.BeginDoc());
        for (int i = 1; i <= 132; ++i) {
            QString linha = QStringLiteral("L%1").arg(i, 3, 10, QChar(u'0'));
            while (linha.size() < 150)
                linha += QStringLiteral(" 12345,67");
            job.WriteText({}, linha.left(150) + QStringLiteral(" FIM%1").arg(i, 3, 10, QChar(u'0')), 0, true);
        }
        job.EndDoc();
        QProcess pdf;
        pdf.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), m_servicos.saidaPdf, QStringLiteral("-")});
        QVERIFY(pdf.waitForFinished(20000));
        const QString html = QString::fromUtf8(pdf.readAllStandardOutput());
        const QStringList paginas = html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1);
        QCOMPARE(paginas.size(), 2);
        const QRegularExpression tamanho(QStringLiteral(R"re(width="([\d.]+)" height="([\d.]+)")re"));
        const QRegularExpression palavra(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        int fins = 0;
        for (const QString& pagina : paginas) {
            const auto t = tamanho.match(pagina);
            QVERIFY(t.hasMatch());
            QVERIFY(t.captured(1).toDouble() > t.captured(2).toDouble()); // landscape
            QMap<double, double> linhas;                                  // top -> bottom
            for (auto it = palavra.globalMatch(pagina); it.hasNext();) {
                const auto m = it.next();
                QVERIFY2(m.captured(3).toDouble() <= t.captured(1).toDouble() &&
                             m.captured(4).toDouble() <= t.captured(2).toDouble(),
                         qPrintable(m.captured(5)));
                linhas[m.captured(2).toDouble()] = m.captured(4).toDouble();
                if (m.captured(5).startsWith(QStringLiteral("FIM"))) ++fins;
            }
            QCOMPARE(linhas.size(), 66);
            const QList<double> topos = linhas.keys();
            for (int k = 1; k < topos.size(); ++k)
                QVERIFY2(linhas[topos[k - 1]] <= topos[k] + 0.01, "linhas sobrepostas");
        }
        QCOMPARE(fins, 132);
    }

    void selecaoDePaginas()
    {
        TFrmSelPage janela(false);
        auto* edt = filho<QLineEdit>(&janela, "edtPaginas");
        QVERIFY(filho<QRadioButton>(&janela, "rbTodos")->isChecked());
        QTest::keyClicks(edt, QStringLiteral("2-3"));
        QVERIFY(filho<QRadioButton>(&janela, "rbIntervalo")->isChecked());
        QCOMPARE(janela.selecao().paginas, QStringLiteral("2-3"));
        edt->clear();
        QVERIFY(filho<QRadioButton>(&janela, "rbTodos")->isChecked());
        Operador::quandoAbrir<TFrmSelPage>(
            [](TFrmSelPage* s) { filho<QPushButton>(s, "BtnCancelar")->click(); });
        QVERIFY(!TFrmSelPage::Executar(false).has_value());
        Operador::quandoAbrir<TFrmSelPage>([](TFrmSelPage* s) {
            filho<QRadioButton>(s, "rbAtual")->setChecked(true);
            s->close();
        });
        const auto sel = TFrmSelPage::Executar(false);
        QVERIFY(sel.has_value());
        QCOMPARE(int(sel->escolha), int(TFrmSelPage::PaginaAtual));
        // From the keyboard: the dialog opens on "Todos" and Enter answers it.
        bool ficouAberta = false;
        QString foco;
        Operador::quandoAbrir<TFrmSelPage>([&](TFrmSelPage* s) {
            foco = Operador::nomeDe(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            ficouAberta = s->isVisible();
            if (ficouAberta) {
                filho<QPushButton>(s, "BtnCancelar")->click();
            }
        });
        const auto todos = TFrmSelPage::Executar(false);
        QCOMPARE(foco, QStringLiteral("rbTodos"));
        QVERIFY(!ficouAberta);
        QVERIFY(todos.has_value());
        QCOMPARE(int(todos->escolha), int(TFrmSelPage::Todos));
    }

    // A long report opens its preview as soon as its first page is composed: page 1 is
    // there while the run goes on, the count of pages grows to the final number, and
    // printing waits for the last page (then prints them all).
    void previewAbreNaPrimeiraPagina()
    {
        RelatorioLongo r(40000);
        const QString impresso = m_dir.filePath(QStringLiteral("impresso.prn"));
        r.job.PrinterPort = impresso;
        r.job.Preview.SelectPagesToPrint = false;
        struct Visto {
            int feitos;
            QString status;
            bool imprimir;
        };
        QList<Visto> vistos;
        QString primeiraLinha;
        bool progressoEscondido = false, nadaImpressoAntes = false, tudoImpresso = false;
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            primeiraLinha = filho<QPlainTextEdit>(w, "Memo1")->toPlainText().section(u'\n', 1, 1).trimmed();
            progressoEscondido = Operador::janelaAberta<TFrmProgress>() == nullptr;
            // Ctrl+P while the pages are still coming prints nothing
            QTest::keyClick(filho<QPlainTextEdit>(w, "Memo1"), Qt::Key_P, Qt::ControlModifier);
            nadaImpressoAntes = !QFile::exists(impresso);
            auto* amostra = new QTimer(w);
            auto observa = [&, w, amostra] {
                vistos << Visto{r.feitos, status(w), filho<QToolButton>(w, "BtnImprimir")->isEnabled()};
                if (gerando(w)) return;
                amostra->stop();
                QTest::keyClick(filho<QPlainTextEdit>(w, "Memo1"), Qt::Key_P, Qt::ControlModifier);
                tudoImpresso = lerArquivo(impresso).trimmed().endsWith("39999");
                w->close();
            };
            observa();
            QObject::connect(amostra, &QTimer::timeout, w, observa);
            amostra->start(5);
        });
        r.rel.Print();

        QCOMPARE(primeiraLinha, QStringLiteral("0"));
        QVERIFY(progressoEscondido);
        QVERIFY(nadaImpressoAntes);
        QVERIFY(vistos.size() >= 2);
        const int total = r.job.PreviewPages().size();
        QCOMPARE(total, (40000 + 64) / 65);
        // first seen with the run under way, page 1 of fewer pages than the report has
        QVERIFY(vistos.first().feitos < r.registros);
        const QRegularExpression pagina(QStringLiteral("^Página 1 de (\\d+)$"));
        int anterior = 0;
        for (const Visto& v : std::as_const(vistos)) {
            const auto m = pagina.match(v.status);
            QVERIFY2(m.hasMatch(), qPrintable(v.status));
            const int n = m.captured(1).toInt();
            QVERIFY(n >= anterior && n >= 1);
            anterior = n;
        }
        QVERIFY(pagina.match(vistos.first().status).captured(1).toInt() < total);
        QVERIFY(!vistos.first().imprimir);
        QCOMPARE(vistos.last().status, QStringLiteral("Página 1 de %1").arg(total));
        QVERIFY(vistos.last().imprimir);
        QVERIFY(tudoImpresso);
        QCOMPARE(m_servicos.exibidos, 1);
        QVERIFY(m_dialogos->textos().isEmpty());
    }

    // Leaving the preview while the report still runs asks first; "Sim" stops the run,
    // and nothing more is shown or printed; "Não" lets it go on to the end.
    void cancelarNoPreviewAberto_data()
    {
        QTest::addColumn<QString>("como");
        QTest::addColumn<int>("resposta");
        QTest::newRow("Cancelar, Sim") << "BtnCancelar" << int(Msg::RespSim);
        QTest::newRow("Esc, Sim") << "Esc" << int(Msg::RespSim);
        QTest::newRow("Sair, Sim") << "BtnSair" << int(Msg::RespSim);
        QTest::newRow("Esc, Não") << "Esc" << int(Msg::RespNao);
        QTest::newRow("Cancelar, Enter") << "BtnCancelar" << int(DialogosRoteiro::Enter);
    }
    void cancelarNoPreviewAberto()
    {
        QFETCH(QString, como);
        QFETCH(int, resposta);
        RelatorioLongo r(200000);
        const QString impresso = m_dir.filePath(QStringLiteral("cancelado.prn"));
        QFile::remove(impresso);
        r.job.PrinterPort = impresso;
        r.rel.PrintSummary = true;
        TRVBand resumo;
        resumo.Lines = QStringList{QStringLiteral("RESUMO")};
        r.rel.Summary = &resumo;
        if (resposta == DialogosRoteiro::Enter)
            m_dialogos->responderEnter();
        else
            m_dialogos->responder(resposta);
        int feitosAoCancelar = -1;
        bool fechou = false;
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            auto* botao = filho<QAbstractButton>(w, como.toLatin1().constData());
            QVERIFY(botao || como == QLatin1String("Esc"));
            if (botao)
                botao->click();
            else
                QTest::keyClick(filho<QPlainTextEdit>(w, "Memo1"), Qt::Key_Escape);
            feitosAoCancelar = r.feitos;
            fechou = !w->isVisible();
            if (!fechou) {
                // still open and still running: closed by the operator once every page is there
                auto* espera = new QTimer(w);
                QObject::connect(espera, &QTimer::timeout, w, [w, espera] {
                    if (gerando(w)) return;
                    espera->stop();
                    w->close();
                });
                espera->start(10);
            }
        });
        r.rel.Print();

        QCOMPARE(m_dialogos->textos(),
                 QStringList{QStringLiteral("Deseja realmente cancelar este relatório?")});
        QCOMPARE(m_dialogos->mostradas[0].titulo, QStringLiteral("Abortar relatório"));
        QVERIFY(m_dialogos->mostradas[0].flags & Msg::PadraoNao);
        QVERIFY(Operador::janelaAberta<TRVPreview>() == nullptr);
        QVERIFY(Operador::janelaAberta<TFrmProgress>() == nullptr);
        QVERIFY(!QFile::exists(impresso));
        if (resposta == Msg::RespSim) {
            QVERIFY(fechou);
            QVERIFY(r.job.Cancelled);
            // the run stopped at once: not one more record after the answer
            QCOMPARE(r.feitos, feitosAoCancelar);
            QVERIFY(r.feitos < r.registros);
            QCOMPARE(m_servicos.exibidos, 0);
        } else {
            QVERIFY(!fechou);
            QVERIFY(!r.job.Cancelled);
            QCOMPARE(r.feitos, r.registros);
            QCOMPARE(m_servicos.exibidos, 1);
        }
    }

    // Cancelling from the progress window stops the records; the summary and the last
    // page footer still print and what was written is delivered.
    void cancelarNoProgresso()
    {
        RVDataSetMemoria dados({QStringLiteral("n")});
        for (int i = 0; i < 200000; ++i)
            dados.append({QString::number(i)});
        const QString arquivo = m_dir.filePath(QStringLiteral("cancelado.prn"));
        TRelevo job;
        jobParaArquivo(job, arquivo);
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = &dados;
        rel.PrintSummary = true;
        TRVBand det, resumo;
        resumo.Lines = QStringList{QStringLiteral("RESUMO")};
        TRVColumn col;
        col.Expression = QStringLiteral("n");
        col.ColWidth = 6;
        det.SetColumn(0, &col);
        rel.SetDetailBand(0, &det);
        rel.Summary = &resumo;
        m_dialogos->responder(Msg::RespSim);
        Operador::quandoAbrir<TFrmProgress>([](TFrmProgress* p) {
            QCOMPARE(p->windowTitle(), QStringLiteral("Progresso..."));
            filho<QPushButton>(p, "BtnCancelar")->click();
        });
        rel.Print();
        QCOMPARE(m_dialogos->textos(),
                 QStringList{QStringLiteral("Deseja realmente cancelar este relatório?")});
        QCOMPARE(m_dialogos->mostradas[0].titulo, QStringLiteral("Abortar relatório"));
        const QByteArray bytes = lerArquivo(arquivo);
        // the summary is the last line (without its line end when it fell on the page's last row)
        QVERIFY(bytes.trimmed().endsWith("RESUMO"));
        QVERIFY(bytes.count("\r\n") < 200000);
    }

    // A long report run from a (modal) report window: the progress window is modal over
    // it, so it is on top and takes the input; Esc there asks, and "Sim" stops the run
    // with nothing previewed.
    void escNoProgressoDeUmaJanelaModal()
    {
        RVDataSetMemoria dados({QStringLiteral("n")});
        for (int i = 0; i < 200000; ++i)
            dados.append({QString::number(i)});
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 0; // a coupon: no page ends, so the preview waits for the end of the run
        job.Preview.ShowPreview = true;
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = &dados;
        TRVBand det;
        TRVColumn col;
        col.Expression = QStringLiteral("n");
        col.ColWidth = 6;
        det.SetColumn(0, &col);
        rel.SetDetailBand(0, &det);
        m_dialogos->responder(Msg::RespSim);
        QDialog janela;
        janela.setObjectName(QStringLiteral("janelaDoRelatorio"));
        bool noTopo = false, previewAbriu = false;
        Operador::quandoAbrir<TRVPreview>([&](TRVPreview* w) {
            previewAbriu = true;
            w->close();
        });
        Operador::quandoAbrir<TFrmProgress>([&](TFrmProgress* p) {
            noTopo = p->parentWidget() == &janela && QApplication::activeModalWidget() == p;
            QTest::keyClick(p, Qt::Key_Escape);
        });
        QTimer::singleShot(0, &janela, [&] {
            rel.Print();
            janela.accept();
        });
        janela.exec();
        QVERIFY(noTopo);
        QCOMPARE(m_dialogos->textos(),
                 QStringList{QStringLiteral("Deseja realmente cancelar este relatório?")});
        QVERIFY(job.Cancelled);
        QVERIFY(!previewAbriu);
    }
};

QTEST_MAIN(TstPreview)
#include "tst_preview.moc"
