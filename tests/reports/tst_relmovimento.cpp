// SPDX-License-Identifier: GPL-3.0-or-later
// The movement report of clients and suppliers: its pages, totals and export
// file on a fixed data set, and its window as the operator uses it.
#include "DadosRelatorios.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "PastaDados.h"
#include "RelatorioMovimento.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TFrmCadastrao.h"
#include "TFrmRelMovClientes.h"
#include "TMaskEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
void configura(BancoTeste& b, const QString& ajustes)
{
    if (!ajustes.isEmpty()) b.exec(QStringLiteral("update config set ") + ajustes);
}
} // namespace

class TstRelMovimento : public QObject
{
    Q_OBJECT

    ServicosTeste* m_servicos = nullptr;

private Q_SLOTS:
    // A client's load still open has a negative net (S - E' with no exit
    // weight); its value per tonne is taken on the absolute net, as the
    // window and ticket show it: 80 x 15000 / 1000 = 1200,00, never -1200,00.
    void valorToneladaDeCargaAberta()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        configura(banco, QStringLiteral("CFG_VLRTONELADA=1"));
        banco.exec(QStringLiteral("update pesagemproduto set prd_codigo='3' where pes_codigo=106"));
        FiltroMovimento f;
        f.tipo = 0;
        f.produto = QStringLiteral("3");
        RelatorioMovimento rel(banco.dm());
        QVERIFY(rel.imprimir(f, true));
        const QString texto = QString::fromUtf8(paginasComoTexto(*m_servicos, VersaoArquivo()));
        const QString linha = texto.split(u'\n').filter(QStringLiteral("-15000,00")).value(0);
        QVERIFY2(linha.startsWith(QStringLiteral("05/11/2026")), qPrintable(texto));
        QVERIFY2(linha.contains(QStringLiteral(" 1200,00")), qPrintable(linha));
        QVERIFY2(!linha.contains(QStringLiteral("-1200,00")), qPrintable(linha));
    }

    void init() { m_servicos = iniciaRelatorios(); }
    void cleanup() { encerraRelatorios(m_servicos); }

    // Each report type on the fixed data set, with the configuration switches
    // that change its layout; the pages compared with their golden file and the
    // grand totals with independent sums of the database.
    void paginas_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("produto");
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fim");
        QTest::addColumn<bool>("somenteComSaida");
        QTest::addColumn<QString>("golden");
        QTest::newRow("clientes") << 0 << QString() << QString() << QDate() << QDate() << false
                                  << "movimento_clientes.txt";
        QTest::newRow("fornecedores com fatores e cabecalho")
            << 1 << "CFG_UMIDADE=1, CFG_CABECA=1, CFG_CASASDECIMAIS=2" << QString() << QDate(2026, 11, 2)
            << QDate(2026, 11, 5) << true << "movimento_fornecedores_fc.txt";
        QTest::newRow("clientes com frete, valor e valor por tonelada")
            << 0 << "CFG_FRETE=1, CFG_TIPOVEICULO=1, CFG_VLRTONELADA=1" << QString() << QDate() << QDate()
            << true << "movimento_clientes_frete.txt";
        QTest::newRow("clientes com embalagem, um produto")
            << 0 << "CFG_PESOEMBALAGEM=1"
            << "1" << QDate() << QDate() << false << "movimento_clientes_emb.txt";
        QTest::newRow("analitico clientes") << 2 << QString() << QString() << QDate() << QDate() << false
                                            << "movimento_analitico_clientes.txt";
        QTest::newRow("analitico fornecedores com frete")
            << 3 << "CFG_FRETE=1" << QString() << QDate() << QDate(2026, 11, 3) << false
            << "movimento_analitico_fornecedores_frete.txt";
        QTest::newRow("analitico clientes com valor")
            << 2 << "CFG_TIPOVEICULO=1" << QString() << QDate() << QDate() << true
            << "movimento_analitico_clientes_valor.txt";
    }
    void paginas()
    {
        QFETCH(int, tipo);
        QFETCH(QString, config);
        QFETCH(QString, produto);
        QFETCH(QDate, inicio);
        QFETCH(QDate, fim);
        QFETCH(bool, somenteComSaida);
        QFETCH(QString, golden);
        BancoTeste banco;
        dadosRelatorios(banco);
        configura(banco, config);
        FiltroMovimento f;
        f.tipo = tipo;
        f.produto = produto;
        f.inicio = inicio;
        f.fim = fim;
        f.somenteComSaida = somenteComSaida;
        RelatorioMovimento rel(banco.dm());
        QVERIFY(rel.imprimir(f, true));
        QCOMPARE(m_servicos->previews, 1);
        QVERIFY(confereGolden(paginasComoTexto(*m_servicos, VersaoArquivo()), golden));
        QCOMPARE(m_servicos->titulos.size(), 1);
        QVERIFY2(m_servicos->titulos.first().startsWith(QStringLiteral("Relatorio de ")),
                 qPrintable(m_servicos->titulos.first()));
        QVERIFY(!banco.dm().QR_TEMP.Active());

        // Independent sums of the same selection.
        QString onde = QStringLiteral(" from pesagem b join pesagemproduto c on c.pes_codigo=b.pes_codigo "
                                      "where b.cad_tipo=%1")
                           .arg(RelatorioMovimento::tipoParte(tipo));
        if (!produto.isEmpty()) onde += QStringLiteral(" and c.prd_codigo='%1'").arg(produto);
        if (somenteComSaida) onde += QStringLiteral(" and b.pes_datasaida is not null");
        if (inicio.isValid())
            onde += QStringLiteral(" and b.pes_dataentrada >= '%1'").arg(inicio.toString(Qt::ISODate));
        if (fim.isValid())
            onde += QStringLiteral(" and b.pes_dataentrada <= '%1'").arg(fim.toString(Qt::ISODate));
        auto soma = [&](const QString& expr) {
            return Decimal::fromVariant(
                banco.valor(QStringLiteral("select coalesce(sum(%1),0)").arg(expr) + onde));
        };
        const auto& t = rel.totalGeral();
        QCOMPARE(t.entrada, soma(QStringLiteral("b.pes_pesoentrada")));
        QCOMPARE(t.saida, soma(QStringLiteral("b.pes_pesosaida")));
        const QString entradaFc =
            QStringLiteral("b.pes_pesoentrada*(100-c.pes_fator7e-coalesce(c.pes_fator8e,0))/100");
        QCOMPARE(t.entradaFc, soma(entradaFc));
        const bool fornecedor = RelatorioMovimento::tipoParte(tipo) == 4;
        const bool embalagem = config.contains(QLatin1String("CFG_PESOEMBALAGEM=1"));
        QString liquido = fornecedor ? QStringLiteral("(%1 - coalesce(b.pes_pesosaida,0))").arg(entradaFc)
                                     : QStringLiteral("(coalesce(b.pes_pesosaida,0) - %1)").arg(entradaFc);
        if (embalagem) liquido += QStringLiteral(" - coalesce(b.pes_pesoembalagem,0)");
        QCOMPARE(t.liquido, soma(liquido));
        QCOMPARE(t.frete, soma(QStringLiteral("b.pes_frete")));
        QCOMPARE(t.valor, soma(QStringLiteral("b.pes_valor")));
    }

    // Records of one party stay together whatever order they were stored in:
    // one group header and one footer per party.
    void umGrupoPorParte()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        FiltroMovimento f;
        f.tipo = 1;
        RelatorioMovimento rel(banco.dm());
        QVERIFY(rel.imprimir(f, true));
        const QString texto = QString::fromUtf8(paginasComoTexto(*m_servicos, VersaoArquivo()));
        QCOMPARE(texto.count(QStringLiteral("Fornecedor: 20-JOAO DA SILVA")), 1);
        QCOMPARE(texto.count(QStringLiteral("Fornecedor: 21-SITIO BOA VISTA")), 1);
        QCOMPARE(texto.count(QStringLiteral("Total Fornecedor")), 2);
    }

    // The export file: its name from the clock, one fixed-width line per record.
    void exportacao()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        QTemporaryDir pasta;
        FiltroMovimento f;
        f.tipo = 0;
        RelatorioMovimento rel(banco.dm());
        const QString arquivo = rel.exportar(f, pasta.path());
        QCOMPARE(arquivo, QDir(pasta.path()).filePath(QStringLiteral("RelExp081220261405.txt")));
        QFile lido(arquivo);
        QVERIFY(lido.open(QIODevice::ReadOnly));
        QVERIFY(confereGolden(lido.readAll(), QStringLiteral("exportacao_clientes.txt")));

        // In UTF-8, as every text file the system exports; widths count characters.
        banco.exec(
            QStringLiteral("UPDATE Cadastrao SET cad_razao = 'ARMAZÉM SÃO JOÃO' WHERE cad_codigo = 10"));
        QFile novo(rel.exportar(f, pasta.path()));
        QVERIFY(novo.open(QIODevice::ReadOnly));
        const QByteArray bytes = novo.readAll();
        QVERIFY(bytes.contains(" ARMAZ\xC3\x89M S\xC3\x83O JO\xC3\x83O "));
        QStringDecoder utf8(QStringConverter::Utf8);
        const QString texto = utf8(bytes);
        QVERIFY(!utf8.hasError());
        const QString armazem = texto.split(QStringLiteral("\r\n")).first();
        // the party's name right-aligned in its 151 characters after the code and the kind
        QCOMPARE(armazem.mid(22, 151), QString(135, u' ') + QStringLiteral("ARMAZÉM SÃO JOÃO"));
        f.codigo = QStringLiteral("99");
        QVERIFY(rel.exportar(f, pasta.path()).isEmpty());
    }

    // The window as the operator meets it: the Enter order from the first field,
    // the look-ups with "NÃO CADASTRADO" keeping "&Imprimir" disabled, a wrong date
    // keeping the focus, and the empty-selection messages.
    void janela()
    {
        BancoTeste banco;
        dadosRelatorios(banco);
        DialogosRoteiro dialogos;
        TFrmRelMovClientes w;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), w.edtCodigo);
        const QList<QWidget*> ordem{w.edtCodigo, w.comboTipoParte,  w.edtData1,    w.edtData2, w.edtProduto,
                                    w.edtPlaca,  w.chkSomenteSaida, w.chkExportar, w.chkTela,  w.BtnImprimir};
        for (int i = 1; i < ordem.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), ordem[i]);
        }

        // A client code that does not exist, then the same code as supplier.
        w.edtCodigo->setFocus();
        QTest::keyClicks(w.edtCodigo, QStringLiteral("20"));
        QTest::keyClick(w.edtCodigo, Qt::Key_Return);
        QCOMPARE(w.edtRazao->text(), QStringLiteral("NÃO CADASTRADO"));
        QVERIFY(!w.BtnImprimir->isEnabled());
        w.comboTipoParte->setCurrentIndex(1);
        QCOMPARE(w.edtRazao->text(), QStringLiteral("JOAO DA SILVA"));
        QVERIFY(w.BtnImprimir->isEnabled());

        // F2 in the code field opens the suppliers as a picker; closing it hands back its current row.
        w.edtCodigo->setFocus();
        w.edtCodigo->clear();
        Operador::quandoAbrir<TFrmCadastrao>([](TFrmCadastrao* j) {
            QCOMPARE(j->tipo(), 4);
            j->close();
        });
        QTest::keyClick(w.edtCodigo, Qt::Key_F2);
        QCOMPARE(w.edtCodigo->maskText().trimmed(), QStringLiteral("20"));
        QCOMPARE(w.edtRazao->text(), QStringLiteral("JOAO DA SILVA"));
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // A wrong date keeps the focus; a valid one is rewritten.
        w.edtData1->setFocus();
        QTest::keyClicks(w.edtData1, QStringLiteral("31022026"));
        QTest::keyClick(w.edtData1, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), w.edtData1);
        QVERIFY(!w.BtnImprimir->isEnabled());
        w.edtData1->clear();
        w.edtData1->setFocus();
        QTest::keyClicks(w.edtData1, QStringLiteral("03112026"));
        QTest::keyClick(w.edtData1, Qt::Key_Return);
        QCOMPARE(w.edtData1->maskText(), QStringLiteral("03/11/2026"));
        QVERIFY(w.BtnImprimir->isEnabled());

        // Product that does not exist.
        w.edtProduto->setFocus();
        QTest::keyClicks(w.edtProduto, QStringLiteral("x9"));
        QTest::keyClick(w.edtProduto, Qt::Key_Return);
        QCOMPARE(w.edtProduto->text(), QStringLiteral("X9"));
        QCOMPARE(w.edtDescProduto->text(), QStringLiteral("NÃO CADASTRADO"));
        QVERIFY(!w.BtnImprimir->isEnabled());
        w.edtProduto->setFocus();
        w.edtProduto->clear();
        QTest::keyClicks(w.edtProduto, QStringLiteral("1"));
        QTest::keyClick(w.edtProduto, Qt::Key_Return);
        QCOMPARE(w.edtDescProduto->text(), QStringLiteral("SOJA EM GRAOS"));

        // Supplier 20 with soy from 03/11: weighing 104 only.
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        QCOMPARE(m_servicos->previews, 1);
        const QString texto = QString::fromUtf8(paginasComoTexto(*m_servicos, VersaoArquivo()));
        QVERIFY(texto.contains(QStringLiteral("Codigo : 20")));
        QVERIFY(texto.contains(QStringLiteral("Entrada: 03/11/2026 a ")));
        QVERIFY(texto.contains(QStringLiteral("Produto: SOJA EM GRAOS")));
        QCOMPARE(texto.count(QStringLiteral("03/11/2026 03/11/2026")), 1);
        QVERIFY(dialogos.mostradas.isEmpty());

        // Nothing for this plate: no preview, the message instead; same for the export.
        w.edtPlaca->setFocus();
        QTest::keyClicks(w.edtPlaca, QStringLiteral("zzz9999"));
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        QCOMPARE(m_servicos->previews, 1);
        QCOMPARE(dialogos.textos(), QStringList{QStringLiteral("Não há dados para imprimir")});
        QCOMPARE(dialogos.mostradas.last().titulo, QStringLiteral("Informação"));
        w.chkExportar->setChecked(true);
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        QCOMPARE(dialogos.ultimo(), QStringLiteral("Não há dados para exportar"));
        QVERIFY(QDir(banco.pasta()).entryList({QStringLiteral("RelExp*")}).isEmpty());

        // With the plate cleared the export writes its file in the data folder.
        w.edtPlaca->clear();
        QTest::mouseClick(w.BtnImprimir, Qt::LeftButton);
        const QString nome = QDir(PastaDados::caminho()).filePath(QStringLiteral("RelExp081220261405.txt"));
        QCOMPARE(dialogos.ultimo(), QStringLiteral("Arquivo exportado com sucesso.\rDiretorio:") + nome);
        QVERIFY(QFile::exists(nome));
        QVERIFY(w.BtnImprimir->isEnabled());
    }
};

QTEST_MAIN(TstRelMovimento)
#include "tst_relmovimento.moc"
