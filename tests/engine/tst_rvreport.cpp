// SPDX-License-Identifier: GPL-3.0-or-later
// The banded report driver: groups, page header and footer, column headings,
// alignment, masks, effects, copies; the issuer header block.
#include "RVDataSet.h"
#include "Relogio.h"
#include "ServicosTeste.h"
#include "TRVBand.h"
#include "TRVColumn.h"
#include "TRVReport.h"

#include <QTemporaryDir>

namespace
{

// Weighings of two clients, two products each.
RVDataSetMemoria* pesagens(QObject* dono = nullptr)
{
    Q_UNUSED(dono);
    auto* d = new RVDataSetMemoria({QStringLiteral("cliente"), QStringLiteral("produto"),
                                    QStringLiteral("placa"), QStringLiteral("peso")});
    const QList<QStringList> linhas = {
        {"AGRO SUL", "MILHO", "ABC1234", "12500,5"},    {"AGRO SUL", "MILHO", "DEF5678", "13000"},
        {"AGRO SUL", "SOJA", "GHI9012", "9800,25"},     {"AGRO SUL", "SOJA", "JKL3456", "10100"},
        {"AGRO SUL", "SOJA", "MNO7890", "11111,1"},     {"COOPERATIVA", "MILHO", "PQR1111", "8000"},
        {"COOPERATIVA", "TRIGO", "STU2222", "7500,75"}, {"COOPERATIVA", "TRIGO", "VWX3333", "7600"},
        {"COOPERATIVA", "TRIGO", "YZA4444", "abc"},
    };
    for (const QStringList& l : linhas)
        d->append(l);
    return d;
}

// A parallel printer that is not ready for the first `leiturasRuins` reads.
int leiturasRuins = 0;
int statusDeTeste(const QString&)
{
    return leiturasRuins-- > 0 ? 0x18 : 0x90;
}

} // namespace

class TstRVReport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ServicosTeste* m_servicos = nullptr;

private Q_SLOTS:
    void init()
    {
        qputenv("VIGA_HOME", m_dir.path().toUtf8());
        Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7)));
        m_servicos = new ServicosTeste;
    }
    void cleanup()
    {
        delete m_servicos;
        Relogio::fixar(QDateTime());
    }

    void alignText_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("alinhamento");
        QTest::addColumn<int>("largura");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("left") << "ab" << int(taLeftJustify) << 5 << "ab   ";
        QTest::newRow("right") << "ab" << int(taRightJustify) << 5 << "   ab";
        QTest::newRow("centre") << "ab" << int(taCenter) << 5 << " ab  ";
        QTest::newRow("full two words") << "a b" << int(taFullJustify) << 6 << "a    b";
        QTest::newRow("full remainder") << "um dois tres" << int(taFullJustify) << 15 << "um   dois  tres";
        QTest::newRow("full one word") << "peso" << int(taFullJustify) << 6 << "peso  ";
        QTest::newRow("trimmed") << "  ab " << int(taRightJustify) << 4 << "  ab";
        QTest::newRow("longer") << "abcdef" << int(taCenter) << 3 << "abcdef";
    }
    void alignText()
    {
        QFETCH(QString, texto);
        QFETCH(int, alinhamento);
        QFETCH(int, largura);
        QFETCH(QString, resultado);
        QCOMPARE(AlignText(texto, TRVAlignment(alinhamento), largura), resultado);
    }

    void listasDeBandas()
    {
        TRVReport rel;
        TRVBand a, b;
        rel.SetGroupHeader(1, &b);
        QCOMPARE(rel.GroupHeaders().size(), 2);
        QVERIFY(rel.GroupHeaders()[0].isNull());
        rel.SetGroupHeader(0, &a);
        QCOMPARE(rel.GroupHeaders().size(), 1);
        QCOMPARE(rel.GroupHeaders()[0].data(), &a);
    }

    void propriedadesDaBanda()
    {
        TRVBand band;
        band.setExpression(QStringLiteral("cliente"));
        band.setForceNewPage(true);
        band.setBandType(rvDetail);
        QCOMPARE(band.Expression(), QString());
        QVERIFY(!band.ForceNewPage());
        QVERIFY(m_servicos->mensagens.isEmpty());
        band.setExpression(QStringLiteral("cliente"));
        band.setForceNewPage(true);
        QCOMPARE(band.Expression(), QString());
        QVERIFY(!band.ForceNewPage());
        QCOMPARE(m_servicos->textos(), QStringList(2, QStringLiteral("Invalid Property Value")));
        QCOMPARE(m_servicos->mensagens[0].titulo, QStringLiteral("Error"));
    }

    // The order of the bands with two group levels: a change at level 0 prints the
    // level-1 footer, then the level-0 footer; the level-1 header prints again for the
    // next record; at the end every footer prints, innermost first, before the summary.
    void ordemDosGrupos()
    {
        QStringList eventos;
        std::unique_ptr<RVDataSetMemoria> dados(pesagens());
        TRelevo job;
        job.PageHeader = false;
        job.Preview.ShowPreview = true;
        job.QtLines = 200;
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = dados.get();
        rel.ShowProgress = false;
        TRVBand gh0, gh1, gf0, gf1, det, resumo;
        gh0.setExpression(QStringLiteral("cliente"));
        gh1.setExpression(QStringLiteral("produto"));
        auto registra = [&eventos, &dados](const QString& nome) {
            return [&eventos, &dados, nome](TRVBand*, QStringList&) {
                eventos << nome + u':' + dados->AsString(QStringLiteral("placa"));
            };
        };
        gh0.OnBeforePrint = registra(QStringLiteral("GH0"));
        gh1.OnBeforePrint = registra(QStringLiteral("GH1"));
        gf0.OnBeforePrint = registra(QStringLiteral("GF0"));
        gf1.OnBeforePrint = registra(QStringLiteral("GF1"));
        det.OnBeforePrint = registra(QStringLiteral("D"));
        resumo.OnBeforePrint = registra(QStringLiteral("S"));
        rel.SetGroupHeader(0, &gh0);
        rel.SetGroupHeader(1, &gh1);
        rel.SetGroupFooter(0, &gf0);
        rel.SetGroupFooter(1, &gf1);
        rel.SetDetailBand(0, &det);
        rel.Summary = &resumo;
        rel.PrintSummary = true;
        rel.Print();
        QCOMPARE(eventos.join(u' '),
                 QStringLiteral("GH0:ABC1234 GH1:ABC1234 D:ABC1234 D:DEF5678 GF1:GHI9012 "
                                "GH1:GHI9012 D:GHI9012 D:JKL3456 D:MNO7890 GF1:PQR1111 GF0:PQR1111 "
                                "GH0:PQR1111 GH1:PQR1111 D:PQR1111 GF1:STU2222 "
                                "GH1:STU2222 D:STU2222 D:VWX3333 D:YZA4444 GF1: GF0: S:"));
        QCOMPARE(m_servicos->previews, 1);
    }

    // A report of two group levels over several pages: page header band with column
    // headings, page footer of two lines at the bottom of every page, group footers with
    // totals in bold, masked and aligned columns, summary. Bytes compared with the golden file.
    void relatorioAgrupado()
    {
        std::unique_ptr<RVDataSetMemoria> dados(pesagens());
        const QString arquivo = m_dir.filePath(QStringLiteral("agrupado.prn"));
        TRelevo job;
        jobParaArquivo(job, arquivo);
        job.QtLines = 16;
        job.PrinterName = rvEpson9pinos;
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = dados.get();
        rel.ShowProgress = false;
        rel.PrintPageHeader = rel.PrintPageFooter = rel.PrintSummary = rel.PrintTitle = true;
        rel.LinesFooter = 2;
        TRVBand titulo, cabecalho, rodape, resumo, gh0, gh1, gf0, gf1, det;
        titulo.Lines = QStringList{QStringLiteral("MOVIMENTAÇÃO POR CLIENTE")};
        cabecalho.OnBeforePrint = [&rel](TRVBand*, QStringList& l) {
            l << QStringLiteral("VIGA - Pesagens            Página %1").arg(rel.PageNumber());
        };
        rodape.OnBeforePrint = [&rel](TRVBand*, QStringList& l) {
            l << QStringLiteral("----------------------------------------")
              << QStringLiteral("Rodapé da página %1").arg(rel.PageNumber());
        };
        double total0 = 0, total1 = 0, geral = 0;
        det.OnAfterPrint = [&](TRVBand*) {
            const double p = dados->AsString(QStringLiteral("peso")).replace(u',', u'.').toDouble();
            total0 += p;
            total1 += p;
            geral += p;
        };
        gh0.setExpression(QStringLiteral("cliente"));
        gh0.OnBeforePrint = [&](TRVBand*, QStringList& l) {
            l << QStringLiteral("Cliente: ") + dados->AsString(QStringLiteral("cliente"));
            total0 = 0;
        };
        gh1.setExpression(QStringLiteral("produto"));
        gh1.LeftMargin = 2;
        gh1.OnBeforePrint = [&](TRVBand*, QStringList& l) {
            l << QStringLiteral("Produto: ") + dados->AsString(QStringLiteral("produto"));
            total1 = 0;
        };
        gf1.LeftMargin = 2;
        gf1.OnBeforePrint = [&](TRVBand*, QStringList& l) {
            l << QStringLiteral("Total do produto: ") +
                     TRelevo::FormatNumber(QStringLiteral("###,##0.00"), total1);
        };
        gf0.HowPrint = rvNegrito;
        gf0.OnBeforePrint = [&](TRVBand*, QStringList& l) {
            l << QStringLiteral("Total do cliente: ") +
                     TRelevo::FormatNumber(QStringLiteral("###,##0.00"), total0);
        };
        resumo.OnBeforePrint = [&](TRVBand*, QStringList& l) {
            l << QStringLiteral("Total geral: ") +
                     TRelevo::FormatNumber(QStringLiteral("#,###,##0.00"), geral);
        };
        TRVColumn placa, peso, obs;
        placa.Expression = QStringLiteral("placa");
        placa.ColWidth = 8;
        placa.ColHeader = QStringLiteral("Placa");
        peso.Expression = QStringLiteral("peso");
        peso.ColWidth = 12;
        peso.Mask = QStringLiteral("###,##0.00");
        peso.Alignment = taRightJustify;
        peso.ColHeader = QStringLiteral("Peso (kg)");
        obs.Expression = QStringLiteral("conferido");
        obs.ColWidth = 11;
        obs.Alignment = taCenter;
        obs.ColHeader = QStringLiteral("Obs");
        det.LeftMargin = 4;
        det.SetColumn(0, &placa);
        det.SetColumn(1, &peso);
        det.SetColumn(2, &obs);
        rel.Title = &titulo;
        rel.PageHeader = &cabecalho;
        rel.PageFooter = &rodape;
        rel.Summary = &resumo;
        rel.SetGroupHeader(0, &gh0);
        rel.SetGroupHeader(1, &gh1);
        rel.SetGroupFooter(0, &gf0);
        rel.SetGroupFooter(1, &gf1);
        rel.SetDetailBand(0, &det);
        rel.Print();
        QVERIFY(m_servicos->mensagens.isEmpty());
        const QByteArray bytes = lerArquivo(arquivo);
        QVERIFY(bytes.contains("Total geral:    79.612,60"));
        QVERIFY(confereGolden(bytes, QStringLiteral("relatorio_agrupado.prn")));
    }

    // Previewing with the built-in header and the report's page header over many pages:
    // the header lines never start another page, every page begins with the report's
    // header and then the built-in one, and the job ends.
    void cabecalhosNoPreview()
    {
        RVDataSetMemoria dados({QStringLiteral("n")});
        for (int i = 0; i < 30; ++i)
            dados.append({QString::number(i)});
        TRelevo job;
        job.QtLines = 10;
        job.PageWidth = 40;
        job.Preview.ShowPreview = true;
        job.HeaderData.Title1 = QStringLiteral("PESAGENS");
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = &dados;
        rel.ShowProgress = false;
        rel.PrintPageHeader = true;
        TRVBand cabecalho, det;
        cabecalho.Lines = QStringList{QStringLiteral("Relatório")};
        TRVColumn col;
        col.Expression = QStringLiteral("n");
        col.ColWidth = 4;
        det.SetColumn(0, &col);
        rel.PageHeader = &cabecalho;
        rel.SetDetailBand(0, &det);
        rel.Print();
        QCOMPARE(m_servicos->previews, 1);
        const auto& paginas = m_servicos->paginasExibidas;
        QCOMPARE(paginas.size(), 8);
        int detalhes = 0;
        for (int p = 0; p < paginas.size(); ++p) {
            QCOMPARE(paginas[p][0], QStringLiteral("Relatório"));
            QVERIFY(paginas[p][1].startsWith(QStringLiteral("08/12/2026 09:05:07")));
            QVERIFY(paginas[p][1].endsWith(QStringLiteral("%1").arg(p + 1, 4, 10, QChar(u'0'))));
            QCOMPARE(paginas[p][4], QString(40, u'-'));
            detalhes += int(paginas[p].size()) - 5;
        }
        QCOMPARE(detalhes, 30);
    }

    // The printer is not ready when the job begins: the report asks whether to cancel;
    // No tries again (and prints once the printer is ready), Yes ends the run.
    void impressoraNaoPronta_data()
    {
        QTest::addColumn<int>("resposta");
        QTest::newRow("tenta de novo") << int(MsgRelevo::RespNao);
        QTest::newRow("cancela") << int(MsgRelevo::RespSim);
    }
    void impressoraNaoPronta()
    {
        QFETCH(int, resposta);
        RVDataSetMemoria dados({QStringLiteral("n")});
        dados.append({QStringLiteral("1")});
        const QString arquivo = m_dir.filePath(QStringLiteral("status.prn"));
        QFile::remove(arquivo);
        TRelevo::LeituraStatus = statusDeTeste;
        leiturasRuins = 4;
        TRelevo job;
        jobParaArquivo(job, arquivo);
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = &dados;
        rel.ShowProgress = false;
        TRVBand det;
        TRVColumn col;
        col.Expression = QStringLiteral("n");
        col.ColWidth = 1;
        det.SetColumn(0, &col);
        rel.SetDetailBand(0, &det);
        m_servicos->respostas << resposta;
        rel.Print();
        TRelevo::LeituraStatus = LeStatusParalela;
        QCOMPARE(m_servicos->textos(),
                 QStringList{QStringLiteral("Impressora näo está pronta\n\r Cancelar ?")});
        QCOMPARE(m_servicos->mensagens[0].titulo, QStringLiteral("Erro"));
        if (resposta == MsgRelevo::RespSim) {
            QVERIFY(!QFile::exists(arquivo));
        } else {
            QCOMPARE(lerArquivo(arquivo), QByteArray("\x1B\x43\x3E\x1B\x43\x3E"
                                                     "1\r\n"));
        }
    }

    // With LinesFooter 3 on a page of 66 lines the footer occupies rows 63-65.
    void rodapeNasUltimasLinhas()
    {
        RVDataSetMemoria dados({QStringLiteral("n")});
        for (int i = 0; i < 80; ++i)
            dados.append({QString::number(i)});
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 66;
        job.Preview.ShowPreview = true;
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = &dados;
        rel.ShowProgress = false;
        rel.PrintPageFooter = true;
        rel.LinesFooter = 3;
        TRVBand rodape, det;
        QList<int> linhas;
        rodape.OnBeforePrint = [&](TRVBand*, QStringList& l) {
            linhas << job.PRow();
            l << QStringLiteral("r1") << QStringLiteral("r2") << QStringLiteral("r3");
        };
        TRVColumn col;
        col.Expression = QStringLiteral("n");
        col.ColWidth = 3;
        det.SetColumn(0, &col);
        rel.PageFooter = &rodape;
        rel.SetDetailBand(0, &det);
        rel.Print();
        QCOMPARE(linhas, QList<int>({63, 63}));
        QCOMPARE(m_servicos->paginasExibidas.size(), 2);
        const QStringList p0 = m_servicos->paginasExibidas[0];
        QCOMPARE(p0.size(), 65);
        QCOMPARE(p0.mid(62), QStringList({QStringLiteral("r1"), QStringLiteral("r2"), QStringLiteral("r3")}));
        QCOMPARE(p0[61], QStringLiteral("61 "));
        QCOMPARE(m_servicos->paginasExibidas[1].last(), QStringLiteral("r3"));
    }

    // Copias = 0 opens and closes the job without a record; two copies repeat the pass.
    void copias_data()
    {
        QTest::addColumn<int>("copias");
        QTest::newRow("0") << 0;
        QTest::newRow("2") << 2;
    }
    void copias()
    {
        QFETCH(int, copias);
        std::unique_ptr<RVDataSetMemoria> dados(pesagens());
        const QString arquivo = m_dir.filePath(QStringLiteral("copias.prn"));
        TRelevo job;
        jobParaArquivo(job, arquivo);
        TRVReport rel;
        rel.Relevo = &job;
        rel.DataSet = dados.get();
        rel.ShowProgress = false;
        rel.Copias = copias;
        TRVBand det;
        det.OnBeforePrint = [](TRVBand*, QStringList& l) { l << QStringLiteral("descartada"); };
        TRVColumn col;
        col.Expression = QStringLiteral("placa");
        col.ColWidth = 7;
        det.SetColumn(0, &col);
        rel.SetDetailBand(0, &det);
        rel.Print();
        const QByteArray bytes = lerArquivo(arquivo);
        QCOMPARE(bytes.count("ABC1234\r\n"), copias);
        // with no record the pending line holding the page-length code still ends the job
        QCOMPARE(bytes.count("\r\n"), copias == 0 ? 1 : 9 * copias);
        QVERIFY(!bytes.contains("descartada"));
        QVERIFY(bytes.startsWith("\x1B\x43\x3E\x1B\x43\x3E"));
    }
};

QTEST_GUILESS_MAIN(TstRVReport)
#include "tst_rvreport.moc"
