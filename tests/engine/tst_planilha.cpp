// SPDX-License-Identifier: GPL-3.0-or-later
// A report line cut into typed spreadsheet cells, and the CSV a spreadsheet in
// Brazil opens: what the user finds in each cell.
#include "PlanilhaRelatorio.h"
#include "TRelevo.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using PlanilhaRelatorio::Celula;

class TstPlanilha : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void celulas_data()
    {
        QTest::addColumn<QString>("linha");
        // Each cell as type letter + ':' + text (T text, N number, D date).
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("figuras de uma linha")
            << "02/11/2026 02/11/2026 SOJA EM GRAOS              32000,00             12000,00     -20000,50"
            << QStringList{"D:02/11/2026", "D:02/11/2026", "T:SOJA EM GRAOS",
                           "N:32000,00",   "N:12000,00",   "N:-20000,50"};
        QTest::newRow("texto com um branco fica junto")
            << "Total Geral Movimentado    56500,00"
            << QStringList{"T:Total Geral Movimentado", "N:56500,00"};
        QTest::newRow("codigo com zeros fica texto")
            << "000123  ABC1234  0  0,5" << QStringList{"T:000123", "T:ABC1234", "N:0", "N:0,5"};
        QTest::newRow("inteiro junto de texto fica no texto")
            << "1 - SOJA EM GRAOS  PRODUTO 1 12,5"
            << QStringList{"T:1 - SOJA EM GRAOS", "T:PRODUTO 1", "N:12,5"};
        QTest::newRow("data impossivel fica texto") << "31/02/2026" << QStringList{"T:31/02/2026"};
        QTest::newRow("regua vira linha vazia") << QString(125, u'-') << QStringList{};
        QTest::newRow("marcadores saem")
            << "<ng><e>Cliente: 10-ARMAZEM</e>  12" << QStringList{"T:Cliente: 10-ARMAZEM", "N:12"};
        QTest::newRow("linha vazia") << "   " << QStringList{};
    }
    void celulas()
    {
        QFETCH(QString, linha);
        QFETCH(QStringList, esperado);
        QStringList obtido;
        for (const Celula& c : PlanilhaRelatorio::celulas(linha)) {
            const char tipo = c.tipo == Celula::Numero ? 'N' : c.tipo == Celula::Data ? 'D' : 'T';
            obtido << QString(QLatin1Char(tipo)) + u':' + c.texto;
        }
        QCOMPARE(obtido, esperado);
        // Numbers keep their value and decimals as printed.
        for (const Celula& c : PlanilhaRelatorio::celulas(linha)) {
            if (c.tipo == Celula::Numero)
                QCOMPARE(QString::number(c.numero, 'f', c.casas).replace(u'.', u','), c.texto);
        }
    }

    void csvComAspasEFormulas()
    {
        QTemporaryDir dir;
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 10;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        job.WriteText({}, QStringLiteral("=HYPERLINK(\"x\")"), 0, false);
        job.WriteText({}, QStringLiteral("SILVA; FILHOS"), 20, false);
        job.WriteText({}, QStringLiteral("1,5"), 40, true);
        job.WriteText({}, QStringLiteral("Ação"), 0, true);
        job.EndDoc();
        const QString arquivo = dir.filePath(QStringLiteral("r.csv"));
        QString erro;
        QVERIFY2(PlanilhaRelatorio::salvaCsv(job, arquivo, &erro), qPrintable(erro));
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\xEF\xBB\xBF"
                                         "\"'=HYPERLINK(\"\"x\"\")\";\"SILVA; FILHOS\";1,5\r\n"
                                         "A\xC3\xA7\xC3\xA3o\r\n"));
    }

    // The cells come from the report's own columns: each text the report wrote is
    // one cell, each title stands over its figures (a title of several words, a
    // figure with its unit, a column left empty on one line), whatever the blanks
    // of the printed line.
    void colunasDoRelatorio()
    {
        QTemporaryDir dir;
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 20;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        const QList<int> colunas{0, 11, 22, 45, 58};
        auto linha = [&](const QStringList& textos) {
            for (int i = 0; i < textos.size(); ++i)
                if (!textos[i].isNull()) job.WriteText({}, textos[i], colunas[i], false);
            job.WriteText({}, QString(), 0, true);
        };
        linha({"Entrada", "Saida", "Produto", "Peso Entrada", "FC"});
        linha({"01/11/2026", "02/11/2026", "SOJA EM GRAOS TIPO UM", "    15000,50", "0,9750"});
        linha({"Total:", QString(), QString(), "  15000,50 kg", QString()});
        job.EndDoc();
        const QString arquivo = dir.filePath(QStringLiteral("r.csv"));
        QString erro;
        QVERIFY2(PlanilhaRelatorio::salvaCsv(job, arquivo, &erro), qPrintable(erro));
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll().mid(3)).split(QStringLiteral("\r\n")),
                 QStringList({"Entrada;Saida;Produto;Peso Entrada;FC",
                              "01/11/2026;02/11/2026;SOJA EM GRAOS TIPO UM;15000,50;0,9750",
                              "Total:;;;15000,50", ""}));
    }

    void arquivoQueNaoPodeSerGravado()
    {
        TRelevo job;
        job.PageHeader = false;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        job.WriteText({}, QStringLiteral("1,5"), 0, true);
        job.EndDoc();
        QString erro;
        QVERIFY(!PlanilhaRelatorio::salvaXlsx(job, QStringLiteral("/nao/existe/r.xlsx"), &erro));
        QVERIFY(!erro.isEmpty());
        QVERIFY(!PlanilhaRelatorio::salvaCsv(job, QStringLiteral("/nao/existe/r.csv"), &erro));
    }
};

QTEST_GUILESS_MAIN(TstPlanilha)
#include "tst_planilha.moc"
