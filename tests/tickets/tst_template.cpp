// SPDX-License-Identifier: GPL-3.0-or-later
// The template engine: template lines and their expansions against a fixed
// row, and the print of a whole template into a job (copies, page variables,
// previewed or not).
#include "../engine/ServicosTeste.h"
#include "RVDataSet.h"
#include "Relogio.h"
#include "TPrnTemplate.h"

#include <QTemporaryDir>

namespace
{

// A client's row (fornecedor false) or a supplier's.
RVDataSetMemoria registro(bool fornecedor)
{
    RVDataSetMemoria d({"pes_codigo", "pes_placa", "cad_tipo", "pes_nf", "pes_pesoentrada", "Pes_VALOR",
                        "pes_dataentrada", "CAD_EMAIL", "SIT_CODIGO", "cad_razao"});
    d.append({"17", "ABC1D23", fornecedor ? "4" : "3", fornecedor ? "123" : "", "15000", "1234,56",
              "08/03/2026", "Fulano@Exemplo.COM", "7", "  CLIENTE UM  "});
    return d;
}

// {N}/{n} bold on/off, {C}/{c} 17.5 cpi, {V}/{v} 20 cpi, {F} form feed of the job's model.
QString comCodigos(QString t, const TCodigosImpressora& c)
{
    t.replace(QStringLiteral("{N}"), QString::fromLatin1(c.NegritoOn));
    t.replace(QStringLiteral("{n}"), QString::fromLatin1(c.NegritoOff));
    t.replace(QStringLiteral("{C}"), QString::fromLatin1(c.Compr175On));
    t.replace(QStringLiteral("{c}"), QString::fromLatin1(c.Compr175Off));
    t.replace(QStringLiteral("{V}"), QString::fromLatin1(c.Compr20On));
    t.replace(QStringLiteral("{v}"), QString::fromLatin1(c.Compr20Off));
    t.replace(QStringLiteral("{F}"), QString::fromLatin1(c.FormFeed));
    return t;
}

const QString recuo = QString::fromLatin1(QByteArray("\x1bj\x01"));

} // namespace

class TstTemplate : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("VIGA_HOME", m_dir.path().toUtf8());
        Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(14, 30, 12)));
    }
    void cleanupTestCase() { Relogio::fixar(QDateTime()); }

    void expansao_data()
    {
        QTest::addColumn<QString>("linha");
        QTest::addColumn<bool>("fornecedor");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<QString>("esperado");
        auto caso = [](const char* nome, const QString& l, const QString& e, bool fornecedor = false,
                       bool preview = false) { QTest::newRow(nome) << l << fornecedor << preview << e; };
        caso("texto puro", "Ticket de pesagem", "Ticket de pesagem");
        caso("campo", "Placa: [pes_placa]", "Placa: ABC1D23");
        caso("campo em maiúsculas", "[PES_PLACA]", "ABC1D23");
        caso("campo inexistente", "[placa errada]", "placa errada");
        caso("campo sem aparar", "<[cad_razao]>", "<  CLIENTE UM  >");
        caso("e-mail em minúsculas", "[CAD_EMAIL]", "fulano@exemplo.com");
        caso("código com zeros", "[SIT_CODIGO]", "007");
        caso("dois grupos iguais", "[pes_placa] e [pes_placa]", "ABC1D23 e ABC1D23");
        caso("grupo vazio", "a[]b", "ab");
        caso("grupo aberto", "x [pes_placa sem fim", "x [pes_placa sem fim");
        caso("condição cliente", "[cad_tipo=4,FORNECEDOR,CLIENTE]", "CLIENTE");
        caso("condição fornecedor", "[cad_tipo=4,FORNECEDOR,CLIENTE]", "FORNECEDOR", true);
        caso("NULL vazio", "[pes_nf=<NULL>,SEM NOTA,pes_nf]", "SEM NOTA");
        caso("NULL preenchido", "[pes_nf=<NULL>,SEM NOTA,pes_nf]", "123", true);
        caso("brancos depois das vírgulas", "[pes_nf=<NULL>, SEM NOTA, pes_nf]", " SEM NOTA");
        caso("diferente", "[pes_pesoentrada<>15000,DIF,IGUAL]", "IGUAL");
        caso("comparação de textos", "[pes_pesoentrada>=2,MAIOR,MENOR]", "MENOR");
        caso("menor ou igual", "[cad_tipo<=3,ATE3,ACIMA]", "ATE3");
        caso("variável na condição", "[PAGINA=0,ZERO,OUTRO]", "ZERO");
        caso("condição aninhada", "[pes_placa=ABC1D23,[cad_tipo=3,SIM,NAO],Z]", "SIM");
        caso("condição com campo inexistente", "[xyz=1,A,B]", "[xyz=1,A,B]");
        caso("número com milhares", "[pes_pesoentrada:N10;0]", "    15.000");
        caso("número fixo", "[pes_pesoentrada:F9;1]", "  15000,0");
        caso("moeda", "[Pes_VALOR:C14]", "   R$ 1.234,56");
        caso("número de texto", "[pes_placa:N10]", "pes_placa");
        caso("trecho", "[pes_placa:1,3]", "ABC");
        caso("trecho preenchido", "[pes_placa:5,5]|", "D23  |");
        caso("mês por extenso", "[pes_dataentrada:MES_EXTENSO]", "    MARÇO");
        caso("partes da data", "[pes_dataentrada:DIA]/[pes_dataentrada:mes]/[pes_dataentrada: ANO]",
             "08/03/26");
        caso("data que não é data", "[pes_placa:DIA]", "pes_placa");
        caso("hoje", "[DATE] [time] [Dia]-[MES]-[ANO] [MES_EXTENSO]",
             "08/12/2026 14:30:12 08-12-26  DEZEMBRO");
        caso("extenso linha 1", "[Pes_VALOR,1,30,30]", "um mil duzentos e trinta e****");
        // The second line begins where the first ended and holds the rest, past its
        // width when the words need it: the amount is never cut short.
        caso("extenso linha 2", "[Pes_VALOR,2,30,30]", "quatro reais e cinquenta e seis centavos");
        caso("extenso em 40 e 40, linha 2", "[Pes_VALOR,2,40,40]",
             "e cinquenta e seis centavos*************");
        caso("extenso numa palavra maior que a linha", "[Pes_VALOR,1,4,30]", "um**");
        caso("extenso, segunda linha após palavra longa", "[Pes_VALOR,2,4,10]",
             "mil duzentos e trinta e quatro reais e cinquenta e seis centavos");
        caso("extenso sem valor", "[placa,1,5,5]", "*****");
        caso("negrito", "<!TICKET!> <!", "{N}TICKET{n} <!");
        caso("condensados e salto", "<#a#><%b%><ff>", "{C}a{c}{V}b{v}{F}");
        caso("marcas removidas", "$>a<?b?>c<*d*>e<@f@>g<^h^>i<(j)>", "abcdefghij");
        caso("marcas mantidas", "<$ <& $>", "<$ <& ");
        caso("recuo 7", "<ms>=7", recuo.repeated(4));
        caso("recuo sem número", "<ms>", recuo.repeated(28));
        caso("recuo 9 limitado", "<ms>=9", recuo.repeated(4));
        caso("recuo no preview", "<ms>=7", "<ms>=7", false, true);
    }
    void expansao()
    {
        QFETCH(QString, linha);
        QFETCH(bool, fornecedor);
        QFETCH(bool, preview);
        QFETCH(QString, esperado);
        TRelevo job;
        job.PrinterName = rvEpson9pinos;
        job.Preview.ShowPreview = preview;
        RVDataSetMemoria dados = registro(fornecedor);
        TPrnTemplate t;
        t.Relevo = &job;
        QCOMPARE(t.ExpandirLinha(linha, dados), comCodigos(esperado, job.codigos()));
    }

    // A selector, position or width that is not a number stops the whole print.
    void erros_data()
    {
        QTest::addColumn<QString>("linha");
        QTest::newRow("linha do extenso") << "[Pes_VALOR,x,30,30]";
        QTest::newRow("largura do extenso") << "[Pes_VALOR,1,a,30]";
        QTest::newRow("posição do trecho") << "[pes_placa:a,3]";
        QTest::newRow("largura do número") << "[pes_pesoentrada:Nxx]";
        QTest::newRow("largura maior que uma linha") << "[Pes_VALOR,1,2000000000,30]";
    }
    void erros()
    {
        QFETCH(QString, linha);
        RVDataSetMemoria dados = registro(false);
        TPrnTemplate t;
        QVERIFY_THROWS_EXCEPTION(ErroTemplate, t.ExpandirLinha(linha, dados));
    }

    // Two copies: the page variables, <zv>, the line spacing codes around the
    // job and every line at column 0.
    void impressao()
    {
        ServicosTeste servicos;
        TRelevo job;
        jobParaArquivo(job, m_dir.filePath(QStringLiteral("t.prn")));
        job.PrinterName = rvEpson9pinos;
        RVDataSetMemoria dados = registro(false);
        TPrnTemplate t;
        t.Relevo = &job;
        t.DataSet = &dados;
        t.Copias = 2;
        t.Imprimir({QStringLiteral("<!TICKET [pes_codigo]!> pagina [PAGINA] de [PAGINAS]"),
                    QStringLiteral("<zv>[PAGINAS]"), QStringLiteral("[PAGINAS]/[pagina]"),
                    QStringLiteral("<ms>=7")});
        QVERIFY(servicos.mensagens.isEmpty());
        QVERIFY(dados.Eof());
        const TCodigosImpressora& c = job.codigos();
        const QByteArray copia = c.NegritoOn + "TICKET 17" + c.NegritoOff + " pagina 1 de 1\r\n" + "1\r\n" +
                                 "0/1\r\n" + QByteArray("\x1bj\x01").repeated(4) + "\r\n";
        const QByteArray bytes = lerArquivo(job.SaveFileDir);
        QVERIFY2(bytes.contains(copia + copia), bytes.toHex(' ').constData());
        QVERIFY(bytes.startsWith(c.Lpi8));
        QVERIFY(bytes.endsWith(c.Lpi6) || bytes.contains(c.Lpi6));
    }

    // A line that cannot be expanded, anywhere in the template: the print
    // stops whole; nothing reaches the printer and no preview opens with a
    // part of the ticket.
    void falhaNaoImprimeNada_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("impressora") << false;
        QTest::newRow("visualização") << true;
    }
    void falhaNaoImprimeNada()
    {
        QFETCH(bool, preview);
        ServicosTeste servicos;
        TRelevo job;
        const QString porta = m_dir.filePath(QStringLiteral("quebrado.prn"));
        QFile::remove(porta);
        job.PageHeader = false;
        job.PrinterPort = porta;
        job.Preview.ShowPreview = preview;
        RVDataSetMemoria dados = registro(false);
        TPrnTemplate t;
        t.Relevo = &job;
        t.DataSet = &dados;
        t.Copias = 2;
        QVERIFY_THROWS_EXCEPTION(ErroTemplate, t.Imprimir({QStringLiteral("TICKET [pes_codigo]"),
                                                           QStringLiteral("PLACA [pes_placa]"),
                                                           QStringLiteral("[pes_pesoentrada:Nxx]")}));
        QCOMPARE(servicos.previews, 0);
        QVERIFY(lerArquivo(porta).isEmpty());
        QVERIFY(servicos.mensagens.isEmpty());
    }

    // No rows: nothing printed, not even an empty job.
    void semLinhas()
    {
        TRelevo job;
        jobParaArquivo(job, m_dir.filePath(QStringLiteral("vazio.prn")));
        RVDataSetMemoria dados({"pes_codigo"});
        TPrnTemplate t;
        t.Relevo = &job;
        t.DataSet = &dados;
        t.Imprimir({QStringLiteral("nada")});
        QVERIFY(!QFile::exists(job.SaveFileDir));
    }
};

QTEST_MAIN(TstTemplate)
#include "tst_template.moc"
