// SPDX-License-Identifier: GPL-3.0-or-later
#include "Relogio.h"
#include "TPrintPDF.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// Checks the file's own bookkeeping against its bytes: every cross-reference
// entry points at the line "k 0 obj" of object k, startxref at the line
// "xref", every stream is exactly as long as its length object says.
void verificaEstrutura(const QByteArray& pdf, int paginas)
{
    const int objetos = 3 * paginas + 19;
    const qsizetype posStart = pdf.lastIndexOf("startxref\r\n");
    QVERIFY(posStart > 0);
    const qsizetype fimNumero = pdf.indexOf("\r\n", posStart + 11);
    const qint64 xref = pdf.mid(posStart + 11, fimNumero - posStart - 11).toLongLong();
    QCOMPARE(pdf.mid(xref, 6), QByteArray("xref\r\n"));
    const QByteArray cabecalho = "xref\r\n0 " + QByteArray::number(objetos + 1) + "\r\n";
    QCOMPARE(pdf.mid(xref, cabecalho.size()), cabecalho);
    qsizetype entrada = xref + cabecalho.size();
    QCOMPARE(pdf.mid(entrada, 20), QByteArray("0000000000 65535 f\r\n"));
    QList<qint64> offsets{0};
    for (int k = 1; k <= objetos; ++k) {
        entrada += 20;
        const QByteArray e = pdf.mid(entrada, 20);
        QVERIFY2(QRegularExpression("^\\d{10} 00000 n\r\n$").match(QString::fromLatin1(e)).hasMatch(),
                 e.constData());
        const qint64 off = e.left(10).toLongLong();
        const QByteArray esperado = QByteArray::number(k) + " 0 obj\r\n";
        QVERIFY2(pdf.mid(off, esperado.size()) == esperado, qPrintable(QStringLiteral("objeto %1").arg(k)));
        offsets << off;
    }
    QCOMPARE(pdf.mid(entrada + 20, 9), QByteArray("trailer\r\n"));
    QVERIFY(pdf.endsWith("%%EOF\r\n"));
    // Content streams 2, 4 … and their lengths 3, 5 ….
    for (int p = 1; p <= paginas; ++p) {
        const qint64 inicio = pdf.indexOf("stream\r\n", offsets[2 * p]) + 8;
        const qint64 fim = pdf.indexOf("endstream\r\n", inicio);
        const QByteArray objLen = pdf.mid(offsets[2 * p + 1], offsets[2 * p + 2] - offsets[2 * p + 1]);
        const QList<QByteArray> linhas = objLen.split('\n');
        QCOMPARE(linhas.value(1).trimmed().toLongLong(), fim - inicio);
        QVERIFY(pdf.mid(offsets[2 * p], 40).contains("/Length " + QByteArray::number(2 * p + 1) + " 0 R"));
    }
}

QList<QStringList> relatorio(int paginas, int linhasPorPagina)
{
    QList<QStringList> r;
    for (int p = 1; p <= paginas; ++p) {
        QStringList pag;
        pag << QStringLiteral("RELATÓRIO DE MOVIMENTO POR CLIENTE                     Página %1").arg(p);
        for (int l = 2; l <= linhasPorPagina; ++l) {
            pag << QStringLiteral("%1/%2 AÇÚCAR CRISTAL  Total (kg)  %3,50  C:\\pesagens")
                       .arg(p, 3, 10, QChar('0'))
                       .arg(l, 2, 10, QChar('0'))
                       .arg(p * 1000 + l);
        }
        r << pag;
    }
    return r;
}

QString executa(const QString& programa, const QStringList& args, int* codigo)
{
    QProcess proc;
    proc.start(programa, args);
    proc.waitForFinished(60000);
    *codigo = proc.exitStatus() == QProcess::NormalExit ? proc.exitCode() : -1;
    return QString::fromUtf8(proc.readAllStandardOutput() + proc.readAllStandardError());
}

} // namespace

class TstPdf : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Relogio::fixar(QDateTime(QDate(2026, 12, 9), QTime(14, 35, 7))); }

    // A small report saved as the preview saves it, byte for byte.
    void arquivoPequenoIgualAoGuardado()
    {
        QTemporaryDir dir;
        const QString arq = dir.filePath("pequeno.pdf");
        const QList<QStringList> paginas{
            {"PESAGENS DO DIA 09/12/2026", "Placa    Produto          Líquido (kg)",
             "ABC1D23  SOJA EM GRÃO      12.340"},
            {"Total (kg)               12.340"},
        };
        QVERIFY(GravaPdfPaginas(paginas, arq, QStringLiteral("Pesagens (dia)"), "Courier 10 Pitch", 10));
        QFile gerado(arq);
        QVERIFY(gerado.open(QIODevice::ReadOnly));
        QFile guardado(QStringLiteral(GOLDEN_DIR "/pdf_pequeno.pdf"));
        QVERIFY(guardado.open(QIODevice::ReadOnly));
        QCOMPARE(gerado.readAll(), guardado.readAll());
    }

    void umaPaginaVazia()
    {
        QTemporaryDir dir;
        TPrintPDF pdf;
        pdf.FileName = dir.filePath("vazio.pdf");
        pdf.BeginDoc();
        QCOMPARE(pdf.PageNumber(), 1);
        QVERIFY(pdf.EndDoc());
        const QByteArray b = pdf.Documento();
        QVERIFY(b.startsWith("%PDF-1.4\r\n1 0 obj\r\n"));
        QVERIFY(b.contains("\r\n3 0 obj\r\n0\r\nendobj\r\n"));
        QVERIFY(b.contains("\r\n4 0 obj\r\n<< /Type /Outlines\r\n"));
        QVERIFY(b.contains(
            "\r\n5 0 obj\r\n<< /Type /Font\r\n/Subtype /Type1\r\n/Name /F1\r\n/BaseFont /Helvetica\r\n"));
        QVERIFY(b.contains("\r\n18 0 obj\r\n<< /Type /Font\r\n/Subtype /Type1\r\n/Name /F14\r\n/BaseFont "
                           "/ZapfDingbats\r\n"));
        QVERIFY(b.contains("\r\n19 0 obj\r\n<< /Type /Pages\r\n/Kids [\r\n21 0 R\r\n]\r\n/Count 1\r\n"));
        QVERIFY(b.contains("\r\n20 0 obj\r\n<< /ProcSet [ /PDF /Text /ImageC]\r\n/XObject << \r\n>>\r\n/Font "
                           "<< \r\n/F1 5 0 R \r\n"));
        QVERIFY(b.contains("\r\n21 0 obj\r\n<< /Type /Page\r\n/Parent 19 0 R\r\n/MediaBox [ 0 0 612 "
                           "792]\r\n/Contents 2 0 R\r\n/Resources 20 0 R\r\n"));
        QVERIFY(b.contains("\r\n22 0 obj\r\n<< /Type /Catalog\r\n/Pages 19 0 R\r\n/Outlines 4 0 R\r\n"));
        QVERIFY(b.contains("\r\nxref\r\n0 23\r\n0000000000 65535 f\r\n0000000010 00000 n\r\n"));
        QVERIFY(b.contains("trailer\r\n<< /Size 23\r\n/Root 22 0 R\r\n/Info 1 0 R\r\n>>\r\nstartxref\r\n"));
        QVERIFY(b.contains("/CreationDate (D:20261209143507)\r\n"));
        verificaEstrutura(b, 1);
    }

    void objetoDeTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("escrito");
        QTest::newRow("simples") << "Total" << QByteArray("(Total ) Tj");
        QTest::newRow("parentese aberto") << "a(b" << QByteArray("(a\\(b ) Tj");
        QTest::newRow("parenteses") << "(x)" << QByteArray("(\\(x\\) ) Tj");
        QTest::newRow("barra") << "C:\\dados\\" << QByteArray("(C:\\\\dados\\\\ ) Tj");
        QTest::newRow("acentos") << "AÇÚCAR €"
                                 << QByteArray("(A\xC7\xDA"
                                               "CAR \x80 ) Tj");
        QTest::newRow("fora do 1252") << "x✓y" << QByteArray("(x?y ) Tj");
    }
    void objetoDeTexto()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, escrito);
        QTemporaryDir dir;
        TPrintPDF pdf;
        pdf.FileName = dir.filePath("t.pdf");
        pdf.PageHeight = 1020;
        pdf.BeginDoc();
        pdf.PdfTextOut(1, 10, texto);
        QVERIFY(pdf.EndDoc());
        QVERIFY2(pdf.Documento().contains("stream\r\nBT\r\n/F5 12 Tf\r\n1 1010 Td\r\n" + escrito +
                                          "\r\nET\r\nendstream\r\n"),
                 pdf.Documento().constData());
        verificaEstrutura(pdf.Documento(), 1);
        // A real reader gets the text back whole.
        int codigo = 0;
        const QString txt = executa("pdftotext", {"-enc", "UTF-8", dir.filePath("t.pdf"), "-"}, &codigo);
        QCOMPARE(codigo, 0);
        QCOMPARE(txt.trimmed(), QString(texto).replace(QChar(0x2713), QChar('?')));
    }

    // The title is read back as typed, whatever its characters.
    void titulo_data()
    {
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QByteArray>("escrito");
        QTest::newRow("parenteses") << "Pesagens (dia)" << QByteArray("/Title (Pesagens \\(dia\\))\r\n");
        QTest::newRow("acentos") << "Relatório Mês" << QByteArray("/Title (Relat\xF3rio M\xEAs)\r\n");
        QTest::newRow("travessao") << "Movimento – dezembro" << QByteArray("/Title (\xFE\xFF");
    }
    void titulo()
    {
        QFETCH(QString, titulo);
        QFETCH(QByteArray, escrito);
        QTemporaryDir dir;
        TPrintPDF pdf;
        pdf.FileName = dir.filePath("t.pdf");
        pdf.TITLE = titulo;
        pdf.BeginDoc();
        QVERIFY(pdf.EndDoc());
        QVERIFY(pdf.Documento().contains(escrito));
        verificaEstrutura(pdf.Documento(), 1);
        int codigo = 0;
        const QString info = executa("pdfinfo", {"-enc", "UTF-8", pdf.FileName}, &codigo);
        QCOMPARE(codigo, 0);
        const QString linhaTitulo = info.split('\n').filter(QRegularExpression("^Title:")).value(0);
        QCOMPARE(linhaTitulo.mid(6).trimmed(), titulo);
    }

    void fonteDoPreview_data()
    {
        QTest::addColumn<QString>("familia");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QByteArray>("selecao");
        QTest::newRow("courier") << "Courier New" << 10 << QByteArray("/F5 10 Tf");
        QTest::newRow("helvetica") << "Helvetica" << 9 << QByteArray("/F1 9 Tf");
        QTest::newRow("times") << "Times New Roman" << 11 << QByteArray("/F9 11 Tf");
        QTest::newRow("a ultima vence") << "Helvetica Times" << 8 << QByteArray("/F9 8 Tf");
        QTest::newRow("outra familia") << "DejaVu Sans Mono" << 12 << QByteArray("/F5 12 Tf");
        QTest::newRow("sem tamanho") << "Courier" << -1 << QByteArray("/F5 12 Tf");
    }
    void fonteDoPreview()
    {
        QFETCH(QString, familia);
        QFETCH(int, tamanho);
        QFETCH(QByteArray, selecao);
        QTemporaryDir dir;
        const QString arq = dir.filePath("f.pdf");
        QVERIFY(GravaPdfPaginas({{"linha"}}, arq, "T", familia, tamanho));
        QFile f(arq);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("BT\r\n" + selecao + "\r\n1 1010 Td\r\n(linha ) Tj\r\n"));
    }

    // A report of many pages read back by real tools: qpdf finds no fault, and
    // pdftotext gives back every page with its lines in order.
    void relatorioDeVariasPaginas()
    {
        const int paginas = 25;
        const int linhas = 80;
        QTemporaryDir dir;
        const QString arq = dir.filePath("relatorio.pdf");
        const QList<QStringList> rel = relatorio(paginas, linhas);
        QString erro;
        QVERIFY2(GravaPdfPaginas(rel, arq, QStringLiteral("Movimento (por cliente)"), "Courier", 8, &erro),
                 qPrintable(erro));

        QFile f(arq);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        verificaEstrutura(bytes, paginas);
        QVERIFY(bytes.contains("\r\n(001/02 A\xC7\xDA"
                               "CAR CRISTAL  Total [kg]  1002,50  C:\\\\pesagens ) Tj\r\n"));

        int codigo = 0;
        const QString check = executa("qpdf", {"--check", arq}, &codigo);
        QVERIFY2(codigo == 0, qPrintable(check));
        QVERIFY2(check.contains("No syntax or stream encoding errors found"), qPrintable(check));
        QVERIFY2(!check.contains("WARNING"), qPrintable(check));

        const QString texto = executa("pdftotext", {"-layout", "-enc", "UTF-8", arq, "-"}, &codigo);
        QCOMPARE(codigo, 0);
        QStringList lidas = texto.split(QChar('\f'));
        if (lidas.last().trimmed().isEmpty()) {
            lidas.removeLast();
        }
        QCOMPARE(lidas.size(), paginas);
        for (int p = 0; p < paginas; ++p) {
            QStringList linhasLidas;
            for (const QString& l : lidas[p].split('\n')) {
                if (!l.trimmed().isEmpty()) {
                    linhasLidas << l.trimmed().simplified();
                }
            }
            QStringList esperadas;
            for (QString l : rel[p]) {
                esperadas << l.replace('(', '[').replace(')', ']').simplified();
            }
            QCOMPARE(linhasLidas, esperadas);
        }
    }

    void arquivoQueNaoPodeSerGravado()
    {
        TPrintPDF pdf;
        pdf.FileName = "/nao/existe/pasta/relatorio.pdf";
        pdf.BeginDoc();
        pdf.PdfTextOut(1, 10, "x");
        QString erro;
        QVERIFY(!pdf.EndDoc(&erro));
        QVERIFY(!erro.isEmpty());
        QVERIFY(!QFile::exists(pdf.FileName));
    }

    // A wide report (163 columns, 66 lines a page) in 8 pt, as the movement report with
    // freight: every word lies inside its page and no line overlaps the next, measured
    // on the file with pdftotext -bbox; the last column (the page number) is there.
    void relatorioLargoCabeNaPagina_data()
    {
        QTest::addColumn<int>("colunas");
        QTest::addColumn<int>("linhas");
        QTest::newRow("80 colunas") << 80 << 66;
        QTest::newRow("163 colunas") << 163 << 66;
        QTest::newRow("250 colunas") << 250 << 66;
        QTest::newRow("100 linhas") << 100 << 100;
    }
    void relatorioLargoCabeNaPagina()
    {
        QFETCH(int, colunas);
        QFETCH(int, linhas);
        QTemporaryDir dir;
        QList<QStringList> paginas;
        for (int p = 1; p <= 2; ++p) {
            QStringList pag;
            for (int l = 1; l <= linhas; ++l) {
                QString linha = QStringLiteral("L%1").arg(l, 3, 10, QChar('0'));
                while (linha.size() < colunas - 12)
                    linha += QStringLiteral(" 12345,67");
                linha = linha.left(colunas - 13).leftJustified(colunas - 12) +
                        QStringLiteral("Pagina:%1").arg(p, 4, 10, QChar('0'));
                pag << linha;
            }
            paginas << pag;
        }
        const QString arq = dir.filePath("largo.pdf");
        QVERIFY(GravaPdfPaginas(paginas, arq, QStringLiteral("Movimento"), "Courier New", 8));
        int codigo = 0;
        const QString html = executa("pdftotext", {"-bbox", arq, "-"}, &codigo);
        QCOMPARE(codigo, 0);
        const QRegularExpression pagina(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
        const QRegularExpression palavra(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        const QStringList porPagina = html.split(QStringLiteral("<page "));
        QCOMPARE(porPagina.size(), 3); // what comes before the first page, and two pages
        for (int p = 1; p <= 2; ++p) {
            const auto mp = pagina.match(QStringLiteral("<page ") + porPagina[p]);
            QVERIFY(mp.hasMatch());
            const double largura = mp.captured(1).toDouble(), altura = mp.captured(2).toDouble();
            QMap<double, QPair<double, double>> linhasY; // top -> (top, bottom)
            int numeros = 0;
            for (auto it = palavra.globalMatch(porPagina[p]); it.hasNext();) {
                const auto m = it.next();
                const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
                const double x1 = m.captured(3).toDouble(), y1 = m.captured(4).toDouble();
                QVERIFY2(x0 >= 0 && x1 <= largura && y0 >= 0 && y1 <= altura,
                         qPrintable(m.captured(5) + QStringLiteral(" fora da página")));
                linhasY[y0] = {y0, y1};
                if (m.captured(5) == QStringLiteral("Pagina:%1").arg(p, 4, 10, QChar('0'))) ++numeros;
            }
            QCOMPARE(numeros, linhas);
            QCOMPARE(linhasY.size(), linhas);
            const auto valores = linhasY.values();
            for (int k = 1; k < valores.size(); ++k)
                QVERIFY2(valores[k - 1].second <= valores[k].first + 0.01, "linhas sobrepostas");
        }
    }
};

QTEST_GUILESS_MAIN(TstPdf)
#include "tst_pdf.moc"
