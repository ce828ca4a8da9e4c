// SPDX-License-Identifier: GPL-3.0-or-later
// viga-relatorio end to end: the program run as cron would run it, on the
// reports' data set, its files read back (PDF through pdftotext, CSV as bytes,
// xlsx through its XML) and its failures checked by exit status and message.
#include "BancoTeste.h"
#include "DadosRelatorios.h"

#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

struct Execucao {
    int status = -1;
    QString saida, erros;
};

Execucao roda(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(VIGA_RELATORIO), args);
    Execucao e;
    if (!p.waitForFinished(120000)) return e;
    e.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.saida = QString::fromUtf8(p.readAllStandardOutput());
    e.erros = QString::fromUtf8(p.readAllStandardError());
    return e;
}

QString pdfTexto(const QString& arquivo)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), arquivo, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Cells of an xlsx: "ref" -> (type, value, format).
struct CelulaLida {
    QString tipo, valor, formato;
};
QHash<QString, CelulaLida> celulasXlsx(const QString& arquivo)
{
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral(LE_XLSX), arquivo});
    p.waitForFinished(60000);
    QHash<QString, CelulaLida> r;
    for (const QString& l : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList c = l.split(u'\t');
        if (c.size() == 5) r.insert(c[0] + u'!' + c[1], {c[2], c[3], c[4]});
    }
    return r;
}

} // namespace

class TstRelComando : public QObject
{
    Q_OBJECT
    std::unique_ptr<BancoTeste> m_banco;
    QTemporaryDir m_saida;

private Q_SLOTS:
    void init()
    {
        m_banco = std::make_unique<BancoTeste>();
        dadosRelatorios(*m_banco);
    }
    void cleanup() { m_banco.reset(); }

    void pdfDoMovimento()
    {
        const QString arquivo = m_saida.filePath(QStringLiteral("movimento.pdf"));
        const Execucao e = roda({"movimento", "--tipo", "clientes", "--de", "01/11/2026", "--ate",
                                 "30/11/2026", "--saida", arquivo});
        QVERIFY2(!e.erros.contains(QStringLiteral("viga-relatorio:")), qPrintable(e.erros));
        QCOMPARE(e.status, 0);
        const QString texto = pdfTexto(arquivo);
        QVERIFY2(texto.contains(QStringLiteral("Cliente: 10-ARMAZEM CENTRAL LTDA")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("CEREALISTA BOA SAFRA LTDA")));
        // The grand total line, as the preview shows it.
        QRegularExpression total(
            QStringLiteral("Total Geral Movimentado\\s+56500,00\\s+119500,00\\s+63000,00"));
        QVERIFY2(total.match(texto).hasMatch(), qPrintable(texto));
    }

    void csvDoAgrupado()
    {
        const QString arquivo = m_saida.filePath(QStringLiteral("agrupado.csv"));
        const Execucao e =
            roda({"agrupado", "--de", "01/11/2026", "--ate", "30/11/2026", "--saida", arquivo});
        QCOMPARE(e.status, 0);
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList linhas = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
        // The report's own columns: one cell per title and per figure, each title
        // over its figures (the suppliers' sums of soybeans), every balance under
        // "Peso Liquido".
        QVERIFY2(
            linhas.contains(QStringLiteral("Movimento Fornecedor:;Peso Entrada;Peso Saida;Peso Liquido")),
            qPrintable(linhas.join(u'\n')));
        QVERIFY(linhas.contains(QStringLiteral(";62000,00;24500,00;36410,00")));
        QVERIFY(linhas.contains(QStringLiteral("Saldo Anterior:;;;0,00")));
        QVERIFY(linhas.contains(QStringLiteral("Saldo Movimento:;;;9410,00")));
        QVERIFY(linhas.filter(QRegularExpression(QStringLiteral("^Saldo Produto:;;;-51000,00;"))).size() ==
                1);
        QVERIFY(linhas.contains(QStringLiteral("1 - SOJA EM GRAOS")));
    }

    // The movement report as a spreadsheet: the group's titles are cells of their
    // own, each over its figures, whatever the blanks between them in print.
    void csvDoMovimento()
    {
        const QString arquivo = m_saida.filePath(QStringLiteral("movimento.csv"));
        const Execucao e = roda({"movimento", "--tipo", "clientes", "--de", "01/11/2026", "--ate",
                                 "30/11/2026", "--saida", arquivo});
        QCOMPARE(e.status, 0);
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList linhas = QString::fromUtf8(f.readAll().mid(3)).split(QStringLiteral("\r\n"));
        const int titulo = int(linhas.indexOf(QRegularExpression(QStringLiteral("^Entrada;Saida;.*"))));
        const int pesagem =
            int(linhas.indexOf(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4};.*")), titulo));
        QVERIFY2(titulo >= 0 && pesagem > titulo, qPrintable(linhas.join(u'\n')));
        const QStringList titulos = linhas[titulo].split(u';');
        const QStringList figuras = linhas[pesagem].split(u';');
        QVERIFY2(titulos.mid(0, 5) ==
                     QStringList({"Entrada", "Saida", "Produto", "Peso Entrada", "Peso Saida"}),
                 qPrintable(linhas[titulo]));
        QVERIFY2(figuras.size() >= 5 && figuras[0].contains(u'/') && figuras[1].contains(u'/'),
                 qPrintable(linhas[pesagem]));
        for (int i : {3, 4})
            QVERIFY2(figuras[i].contains(u','), qPrintable(linhas[pesagem]));
        const int liquido = int(titulos.indexOf(QStringLiteral("Peso Liquido")));
        QVERIFY(liquido > 4 && figuras.value(liquido).contains(u','));
    }

    void xlsxDoFluxo()
    {
        const QString arquivo = m_saida.filePath(QStringLiteral("fluxo.xlsx"));
        const Execucao e = roda(
            {"fluxo", "--de", "01/11/2026", "--ate", "30/11/2026", "--produto", "2", "--saida", arquivo});
        QCOMPARE(e.status, 0);
        const auto celulas = celulasXlsx(arquivo);
        QVERIFY(!celulas.isEmpty());
        // Find the first day's dates and a weight: typed as dates and numbers.
        bool achouData = false, achouPeso = false;
        for (auto it = celulas.cbegin(); it != celulas.cend(); ++it) {
            if (it->tipo == QLatin1String("n") && it->formato == QLatin1String("dd/mm/yyyy") &&
                it->valor == QLatin1String("46329"))
                achouData = true; // 03/11/2026, the maize's first day
            if (it->tipo == QLatin1String("n") && it->formato == QLatin1String("0.00") &&
                it->valor == QLatin1String("28500"))
                achouPeso = true;
            QVERIFY2(!(it->tipo == QLatin1String("s") && it->valor.contains(QLatin1String("28500,00"))),
                     qPrintable(it.key() + u' ' + it->valor));
        }
        QVERIFY(achouData);
        QVERIFY(achouPeso);
        QCOMPARE(celulas.value(QStringLiteral("sheet1.xml!A2")).valor,
                 QStringLiteral("Relatorio de Movimentacao de Produtos - Fluxo Diario"));
    }

    // The passages without a weighing that began in the period: the one under
    // way and the one of another day are left out.
    void txtDasPassagens()
    {
        m_banco->exec(
            "insert into passagem (pas_codigo, pas_estacao, pas_inicio, pas_fim, pas_pesomaximo, "
            "pas_pesoestavel, pas_situacao) values "
            "(1, 'balanca-1', '2026-11-05 08:00:00.000', '2026-11-05 08:00:19.450', 28100, 27340, 1), "
            "(2, 'balanca-1', '2026-11-05 09:10:00.000', null, 15000, null, 2), "
            "(3, 'balanca-1', '2026-11-05 10:00:00.000', null, 9000, null, 0), "
            "(4, 'balanca-1', '2026-11-06 07:00:00.000', '2026-11-06 07:01:00.000', 500, 480, 1)");
        const QString arquivo = m_saida.filePath(QStringLiteral("passagens.txt"));
        const Execucao e =
            roda({"passagens", "--de", "05/11/2026", "--ate", "05/11/2026", "--saida", arquivo});
        QVERIFY2(!e.erros.contains(QStringLiteral("viga-relatorio:")), qPrintable(e.erros));
        QCOMPARE(e.status, 0);
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString texto = QString::fromUtf8(f.readAll());
        QVERIFY2(texto.contains(QStringLiteral("Passagens sem pesagem")), qPrintable(texto));
        QVERIFY(texto.contains(QStringLiteral("Periodo: 05/11/2026 a 05/11/2026")));
        const QRegularExpression primeira(
            QStringLiteral("05/11/2026 08:00:00\\s+05/11/2026 08:00:19\\s+28100,00\\s+27340,00\\s+Sem "
                           "pesagem\\s+balanca-1"));
        QVERIFY2(primeira.match(texto).hasMatch(), qPrintable(texto));
        const QRegularExpression segunda(QStringLiteral(
            "05/11/2026 09:10:00\\s+-\\s+15000,00\\s+-\\s+Interrompida \\(VIGA fechado\\)\\s+balanca-1"));
        QVERIFY2(segunda.match(texto).hasMatch(), qPrintable(texto));
        QVERIFY(!texto.contains(QStringLiteral("10:00:00")));
        QVERIFY(!texto.contains(QStringLiteral("06/11/2026")));
        QVERIFY(texto.contains(QStringLiteral("Total de Passagens: 2")));
        // no passage in the period: said, nothing written
        const Execucao vazio =
            roda({"passagens", "--de", "01/12/2026", "--ate", "31/12/2026", "--saida", arquivo + ".pdf"});
        QCOMPARE(vazio.status, 1);
        QVERIFY(vazio.erros.contains(QStringLiteral("Não há dados para imprimir")));
    }

    void falhas_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<bool>("gravou");
        const QString s = QStringLiteral("saida.txt");
        QTest::newRow("opcao desconhecida") << QStringList{"fluxo", "--inicio", "01/11/2026", "--saida", s}
                                            << 2 << "opção desconhecida: --inicio" << false;
        QTest::newRow("data invalida")
            << QStringList{"fluxo", "--de", "31/02/2026", "--ate", "01/03/2026", "--saida", s} << 2
            << "data inválida em --de: 31/02/2026" << false;
        QTest::newRow("passagens sem datas")
            << QStringList{"passagens", "--saida", s} << 2 << "faltam as datas" << false;
        QTest::newRow("passagens por produto")
            << QStringList{"passagens", "--de", "01/11/2026", "--ate", "30/11/2026",
                           "--produto", "1",    "--saida",    s}
            << 2 << "a opção --produto não serve ao relatório passagens" << false;
        QTest::newRow("sem datas") << QStringList{"agrupado", "--saida", s} << 2 << "faltam as datas"
                                   << false;
        QTest::newRow("tipo do movimento")
            << QStringList{"movimento", "--de", "01/11/2026", "--ate", "30/11/2026", "--saida", s} << 2
            << "falta --tipo clientes|fornecedores" << false;
        QTest::newRow("extensao") << QStringList{"produtos", "--saida", "x.doc"} << 2
                                  << "extensão do arquivo de saída não reconhecida" << false;
        QTest::newRow("relatorio desconhecido")
            << QStringList{"balanco", "--saida", s} << 2 << "relatório desconhecido: balanco" << false;
        QTest::newRow("sem dados") << QStringList{"movimento",  "--tipo",     "fornecedores",
                                                  "--de",       "01/01/2020", "--ate",
                                                  "31/01/2020", "--saida",    s}
                                   << 1 << "Não há dados para imprimir" << false;
        // said before anything is composed (this period would have no data)
        QTest::newRow("pasta inexistente")
            << QStringList{"movimento",  "--tipo",  "fornecedores",        "--de", "01/01/2020", "--ate",
                           "31/01/2020", "--saida", "nao-existe/saida.txt"}
            << 1 << "não existe" << false;
        QTest::newRow("e-mail sem servidor")
            << QStringList{"produtos", "--saida", s, "--email", "gerente@exemplo.com.br"} << 1
            << "servidor de e-mail não configurado" << true;
    }
    void falhas()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, mensagem);
        QFETCH(bool, gravou);
        const QString saida = m_saida.filePath(QStringLiteral("saida.txt"));
        QFile::remove(saida);
        for (QString& a : args) {
            if (a == QLatin1String("saida.txt")) a = saida;
            if (a == QLatin1String("nao-existe/saida.txt")) a = m_saida.filePath(a);
        }
        const Execucao e = roda(args);
        QCOMPARE(e.status, status);
        QVERIFY2(e.erros.contains(mensagem), qPrintable(e.erros));
        QVERIFY2(!e.erros.contains("Não há dados") || mensagem.startsWith("Não há dados"),
                 qPrintable(e.erros));
        QCOMPARE(QFile::exists(saida), gravou);
    }

    void ajudaEmPortugues()
    {
        const Execucao e = roda({"--help"});
        QCOMPARE(e.status, 0);
        QVERIFY(e.saida.startsWith(QStringLiteral("Uso: viga-relatorio COMANDO [OPÇÕES]\n  viga-relatorio "
                                                  "movimento --tipo clientes|fornecedores")));
        QVERIFY(e.saida.contains(QStringLiteral("--email ENDERECO")));
    }
};

QTEST_GUILESS_MAIN(TstRelComando)
#include "tst_relcomando.moc"
