// SPDX-License-Identifier: GPL-3.0-or-later
// Raw jobs through a real CUPS server (started by scripts/test.sh): the spooler
// route, a direct job to a shared queue, the preview's page spooling and the
// command-script route; the bytes are those the queue's printer received.
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "Relogio.h"
#include "ServicosRelevoJanelas.h"
#include "TRVPreview.h"
#include "TRelevo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cups/cups.h>

class TstCups : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    DialogosRoteiro* m_dialogos = nullptr;
    ServicosRelevoJanelas m_servicos;
    QString m_jobs;
    QString m_fila;

    int quantosJobs() const
    {
        return int(QDir(m_jobs).entryList({QStringLiteral("job-*.prn")}, QDir::Files).size());
    }
    // The bytes of job number `n` as the printer received them (waits for it).
    QByteArray job(int n)
    {
        const QString caminho = QDir(m_jobs).filePath(QStringLiteral("job-%1.prn").arg(n));
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(caminho) && t.elapsed() < 30000)
            QTest::qWait(50);
        QFile f(caminho);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("VIGA_TEST_CUPS_SERVER")) {
            QSKIP("no test CUPS server (scripts/test.sh starts one)");
        }
        qputenv("CUPS_SERVER", qgetenv("VIGA_TEST_CUPS_SERVER"));
        m_jobs = qEnvironmentVariable("VIGA_TEST_CUPS_JOBS");
        m_fila = qEnvironmentVariable("VIGA_TEST_CUPS_QUEUE");
    }
    void init()
    {
        qputenv("VIGA_HOME", m_dir.path().toUtf8());
        m_dialogos = new DialogosRoteiro;
        ServicosRelevo::instalar(&m_servicos);
    }
    void cleanup()
    {
        ServicosRelevo::instalar(nullptr);
        delete m_dialogos;
    }

    void impressoraPadrao()
    {
        const TImpressora i = GetDefaultPrinter();
        QCOMPARE(i.nome, m_fila);
        QCOMPARE(i.porta, QStringLiteral("\\\\localhost\\") + m_fila);
    }

    // PrintToSpool goes to the default destination as a raw job titled "Relevo document";
    // a direct job to "\\host\queue" goes to that queue. The printer gets the job's bytes.
    void jobBruto_data()
    {
        QTest::addColumn<bool>("spool");
        QTest::addColumn<QString>("porta");
        QTest::newRow("spool") << true << QStringLiteral("lpt1");
        QTest::newRow("fila compartilhada") << false << QStringLiteral("\\\\balanca\\viga-teste");
        QTest::newRow("porta vazia: impressora padrão") << false << QString();
    }
    void jobBruto()
    {
        QFETCH(bool, spool);
        QFETCH(QString, porta);
        const int antes = quantosJobs();
        TRelevo r;
        r.PageHeader = false;
        r.QtLines = 4;
        r.EjetaQuebra = true;
        r.PrintToSpool = spool;
        r.PrinterPort = porta;
        QVERIFY(r.BeginDoc());
        r.WriteText(r.codigos().NegritoOn, QStringLiteral("Pesagem nº 7"), 0, true);
        for (int i = 1; i <= 3; ++i)
            r.WriteText({}, QStringLiteral("Linha %1 ação").arg(i), 2, true);
        r.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList());
        QCOMPARE(job(antes + 1),
                 QByteArray("\x1B\x43\x04\x1B\x43\x04\x1B\x45Pesagem n\xF8 7\r\n"
                            "  Linha 1 a\x87\xC6o\r\n  Linha 2 a\x87\xC6o\r\n\x0C  Linha 3 a\x87\xC6o\r\n"));
        if (spool) {
            cups_job_t* jobs = nullptr;
            const int n =
                cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, m_fila.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
            QVERIFY(n > 0);
            QStringList titulos;
            for (int i = 0; i < n; ++i)
                titulos << QString::fromUtf8(jobs[i].title);
            cupsFreeJobs(n, jobs);
            QVERIFY(titulos.contains(QStringLiteral("Relevo document")));
        }
    }

    void filaInexistente()
    {
        TRelevo r;
        r.PrinterPort = QStringLiteral("\\\\balanca\\nao-existe");
        QVERIFY(r.BeginDoc());
        r.WriteText({}, QStringLiteral("x"), 0, true);
        const QString arquivo = r.arquivoJob();
        r.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList{QStringLiteral("Erro selecionando impressora")});
        QVERIFY(!QFile::exists(arquivo));
    }

    // The preview's print with the spooler route: printer lines of every page with CR LF
    // and a form feed after each page, in one raw job.
    void paginasDoPreview()
    {
        const int antes = quantosJobs();
        TRelevo r;
        r.PageHeader = false;
        r.QtLines = 3;
        r.PrintToSpool = true;
        r.Preview.ShowPreview = true;
        r.Preview.SelectPagesToPrint = false;
        QVERIFY(r.BeginDoc());
        for (const char* t : {"um", "dois", "três"})
            r.WriteText({}, QString::fromUtf8(t), 0, true);
        Operador::quandoAbrir<TRVPreview>([](TRVPreview* w) {
            w->findChild<QToolButton*>(QStringLiteral("BtnImprimir"))->click();
            w->close();
        });
        r.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList());
        QCOMPARE(job(antes + 1), QByteArray("\x1B\x43\x03um\r\ndois\r\n\x0Ctr\x88s\r\n\x0C"));
    }

    // The command-script route to a shared queue hands the job to lp.
    void rotaScript()
    {
        const int antes = quantosJobs();
        TRelevo r;
        r.PageHeader = false;
        r.PrinterTermic = true;
        r.PrinterPort = QStringLiteral("\\\\balanca\\") + m_fila;
        QVERIFY(r.BeginDoc());
        r.WriteText({}, QStringLiteral("Cupom 1"), 0, true);
        r.EndDoc();
        QCOMPARE(m_dialogos->textos(), QStringList{QStringLiteral("Impressão finalizada")});
        QCOMPARE(job(antes + 1), QByteArray("\x1B\x43\x3E\x1B\x43\x3E"
                                            "Cupom 1\r\n"));
    }
};

QTEST_MAIN(TstCups)
#include "tst_cups.moc"
