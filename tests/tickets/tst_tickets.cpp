// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in ticket layouts: the job bytes of every form on a fixed set of
// weighings (client with factors and a carrier, supplier without factors,
// three products), the same bytes on every engine.
#include "../engine/ServicosTeste.h"
#include "AjusteLinha.h"
#include "Auditoria.h"
#include "ChaveAuditoria.h"
#include "CodigoQR.h"
#include "ConsultaTicket.h"
#include "EdicaoTemplate.h"
#include "FixtureTicket.h"
#include "ImpressaoTicket.h"
#include "PreviewRelevo.h"
#include "TPrintPDF.h"
#include "TPrnTemplate.h"
#include "TQuery.h"

#include <QSqlQuery>
#include <QTemporaryDir>

using FixtureTicket::pesagens;

namespace
{
// The printed lines of an Epson job, without its control codes.
QList<QByteArray> linhasImpressas(const QByteArray& job)
{
    QByteArray texto;
    for (qsizetype i = 0; i < job.size(); ++i) {
        const char c = job[i];
        if (c == '\x1B') {
            const char cmd = i + 1 < job.size() ? job[i + 1] : 0;
            i += (cmd == 'C' || cmd == 'W') ? 2 : 1; // these carry one more byte
            continue;
        }
        if (uchar(c) < 0x20 && c != '\r' && c != '\n') continue;
        texto += c;
    }
    return texto.split('\n');
}
// Weighing `numero` as the log's first entry (the save's transaction).
void registraNaAuditoria(BancoTeste& b, qint64 numero)
{
    Transacao tr(&b.dm());
    Auditoria::registra(b.dm(), QStringLiteral("JOAO"), Auditoria::TabelaPesagem, numero, QString(),
                        Auditoria::estadoPesagem(b.dm(), numero));
    tr.commit();
}
} // namespace

class TstTickets : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // The job bytes of the tickets of weighing `codigo`, delivered to a file.
    QByteArray imprime(BancoTeste& b, qint64 codigo, bool saida, int copias = 1)
    {
        ServicosTeste servicos;
        TRelevo job;
        jobParaArquivo(job, m_dir.filePath(QStringLiteral("ticket.prn")));
        QFile::remove(job.SaveFileDir);
        job.PrinterName = rvEpson9pinos;
        job.QtLines = 0;
        ImpressaoTicket::Pedido p;
        p.codigo = codigo;
        p.saida = saida;
        p.copias = copias;
        p.usuario = QStringLiteral("OPERADOR");
        p.versao = QStringLiteral("3.1.0.7");
        if (!ImpressaoTicket::imprime(b.dm(), job, p)) return "<sem pesagem>";
        if (!servicos.mensagens.isEmpty()) return servicos.textos().join(u'\n').toUtf8();
        return lerArquivo(job.SaveFileDir);
    }

private Q_SLOTS:
    void initTestCase() { qputenv("VIGA_HOME", m_dir.path().toUtf8()); }

    // A ticket line fitted to its paper: padding goes first, then words of a text at a
    // word boundary; figures are never cut and never run together.
    void ajusteDeLinha_data()
    {
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QList<int>>("colunas");
        QTest::addColumn<int>("largura");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("fits, unchanged")
            << QStringList{"Placa", "Carreta"} << QList<int>{0, 10} << 40 << QStringList{"Placa     Carreta"};
        QTest::newRow("caption and value touch by design")
            << QStringList{"Produto.......:", "20"} << QList<int>{0, 15} << 40
            << QStringList{"Produto.......:20"};
        QTest::newRow("40-column result, wide figures")
            << QStringList{"999998,500", "999999,000", "0,500", "999998,500"} << QList<int>{0, 10, 20, 30}
            << 40 << QStringList{"999998,500 999999,000 0,500   999998,500"};
        // The figure moved down keeps its column as far as the paper allows.
        QTest::newRow("figures too wide for one line move down")
            << QStringList{"9999998,500", "9999999,000", "9999990,500", "9999998,500"}
            << QList<int>{0, 10, 20, 30} << 40
            << QStringList{"9999998,500 9999999,000 9999990,500", QString(29, u' ') + "9999998,500"};
        QTest::newRow("a figure moved down stays under its caption, 80 columns")
            << QStringList{"-9999999999999,000 kg", "9999999999999,000 kg", "9999999999999,000 kg",
                           "9999999999999,000 kg"}
            << QList<int>{0, 20, 40, 60} << 80
            << QStringList{"-9999999999999,000 kg 9999999999999,000 kg 9999999999999,000 kg",
                           QString(60, u' ') + "9999999999999,000 kg"};
        QTest::newRow("gaps shrink first")
            << QStringList{"-99,750 kg", "38000,500 kg", "14000,000 kg", "350,000 kg", "999999,500 kg"}
            << QList<int>{0, 20, 40, 55, 69} << 80
            << QStringList{
                   "-99,750 kg        38000,500 kg        14000,000 kg   350,000 kg    999999,500 kg"};
        QTest::newRow("description cut at a word boundary")
            << QStringList{"Produto:", "1234",
                           " - SOJA EM GRAOS TIPO EXPORTACAO PADRAO UM CLASSIFICADA NO PORTO DE SANTOS"}
            << QList<int>{0, 15, 28} << 80
            << QStringList{
                   "Produto: 1234 - SOJA EM GRAOS TIPO EXPORTACAO PADRAO UM CLASSIFICADA NO PORTO DE"};
        QTest::newRow("a caption loses words, its figure stays")
            << QStringList{"(FCV) Fatores de Correcao Variaveis: 0,9650"} << QList<int>{0} << 40
            << QStringList{"(FCV) Fatores de Correcao: 0,9650"};
        QTest::newRow("padding inside a text")
            << QStringList{"Forma de Pesagem - Entrada   : Automatico"} << QList<int>{0} << 40
            << QStringList{"Forma de Pesagem - Entrada  : Automatico"};
        QTest::newRow("trailing blanks")
            << QStringList{"Obs:___________________________________ "} << QList<int>{0} << 39
            << QStringList{"Obs:___________________________________"};
    }
    void ajusteDeLinha()
    {
        QFETCH(QStringList, textos);
        QFETCH(QList<int>, colunas);
        QFETCH(int, largura);
        QFETCH(QStringList, esperado);
        QList<PecaLinha> pecas;
        for (int i = 0; i < textos.size(); ++i)
            pecas << PecaLinha{textos[i], colunas[i]};
        const QStringList linhas = ComporLinha(pecas, largura);
        QCOMPARE(linhas, esperado);
        for (const QString& l : linhas)
            QVERIFY(l.size() <= largura);
    }

    // Plates and invoice numbers on the 40-column ticket are never cut: whatever the
    // invoice number, every copy shows the whole plate, trailer plate and number at
    // their columns, and the invoice weight moves whole to the next line, under its
    // caption.
    void identificadoresInteiros_data()
    {
        QTest::addColumn<QString>("nf");
        QTest::addColumn<QStringList>("linhas");
        const QString peso = QString(30, u' ') + "37350,5 kg";
        QTest::newRow("14 dígitos") << "12345678901234"
                                    << QStringList{"ABC1D23   XYZ9A87   12345678901234", peso};
        QTest::newRow("16 dígitos") << "1234567890123456"
                                    << QStringList{"ABC1D23   XYZ9A87   1234567890123456", peso};
        QTest::newRow("20 dígitos") << "12345678901234567890"
                                    << QStringList{"ABC1D23   XYZ9A87   12345678901234567890", peso};
        QTest::newRow("com hífen") << "123456789012-1"
                                   << QStringList{"ABC1D23   XYZ9A87   123456789012-1", peso};
    }
    void identificadoresInteiros()
    {
        QFETCH(QString, nf);
        QFETCH(QStringList, linhas);
        BancoTeste b;
        pesagens(b);
        b.exec("update config set cfg_ticket40=1");
        b.exec("update configticket set cfg_showcodigo=1");
        b.exec("update pesagem set pes_nf='" + nf +
               "', pes_pesonota=37350.5, pes_placacarreta='XYZ9A87' "
               "where pes_codigo=1");
        const QByteArray job = imprime(b, 1, true, 3);
        QByteArrayList impressas;
        for (QByteArray l : linhasImpressas(job))
            impressas << l.chopped(l.endsWith('\r') ? 1 : 0);
        const QByteArray esperado = linhas.join(u'\n').toLatin1();
        QCOMPARE(impressas.join('\n').count(esperado), 3);
        QCOMPARE(job.count("ABC1D23"), 3);
    }

    void layouts_data()
    {
        QTest::addColumn<QString>("golden");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<bool>("saida");
        QTest::addColumn<int>("copias");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("campos");
        const QString todos = QStringLiteral("cfg_showcodigo=1");
        QTest::newRow("80 completo saída cliente fatores")
            << "80_completo_saida_cliente.prn" << 1 << true << 1 << "cfg_umidade=1" << todos;
        QTest::newRow("80 completo entrada cliente fatores")
            << "80_completo_entrada_cliente.prn" << 1 << false << 1 << "cfg_umidade=1" << todos;
        QTest::newRow("80 completo saída navio, metros cúbicos, supervisor, 2 cópias")
            << "80_completo_saida_navio_2copias.prn" << 1 << true << 2
            << "cfg_umidade=1, cfg_navio=1, cfg_metroscubicos=1, cfg_supervisor=1, cfg_pesagemobs=1, "
               "cfg_casasdecimais=2"
            << todos;
        QTest::newRow("80 completo saída fornecedor embalagem")
            << "80_completo_saida_fornecedor.prn" << 2 << true << 1
            << "cfg_pesoembalagem=1, cfg_casasdecimais=3" << todos;
        QTest::newRow("80 sintético saída fornecedor")
            << "80_sintetico_saida_fornecedor.prn" << 2 << true << 1
            << "cfg_ticketsintetico=1, cfg_pesagemobs=1" << todos;
        QTest::newRow("80 sintético entrada cliente, sem campos")
            << "80_sintetico_entrada_cliente_sem_campos.prn" << 1 << false << 1 << "cfg_ticketsintetico=1"
            << "cfg_showcodigo=0, cfg_showplaca=0, cfg_showplacacarreta=0, cfg_shownf=0, cfg_showmotorista=0";
        QTest::newRow("80 completo entrada sem número")
            << "80_completo_entrada_sem_numero.prn" << 2 << false << 1 << "cfg_casasdecimais=1"
            << "cfg_showcodigo=0";
        QTest::newRow("80 lista de produtos saída")
            << "80_lista_produtos_saida.prn" << 3 << true << 1 << "cfg_morproduto=1, cfg_umidade=1" << todos;
        QTest::newRow("80 três produtos sem lista")
            << "80_tres_produtos_saida.prn" << 3 << true << 1 << "cfg_umidade=0" << todos;
        QTest::newRow("40 completo saída cliente fatores")
            << "40_completo_saida_cliente.prn" << 1 << true << 1
            << "cfg_ticket40=1, cfg_umidade=1, cfg_supervisor=1, cfg_itemdesc='Produto:'" << todos;
        QTest::newRow("40 completo entrada cliente fatores")
            << "40_completo_entrada_cliente.prn" << 1 << false << 1 << "cfg_ticket40=1, cfg_umidade=1"
            << todos;
        QTest::newRow("40 umidade única saída") << "40_umidade_unica_saida.prn" << 1 << true << 1
                                                << "cfg_ticket40=1, cfg_umidadeunica=1" << todos;
        QTest::newRow("40 sintético saída fornecedor")
            << "40_sintetico_saida_fornecedor.prn" << 2 << true << 1
            << "cfg_ticket40=1, cfg_ticketsintetico=1, cfg_casasdecimais=2" << todos;
        QTest::newRow("40 sintético entrada fornecedor sem placa")
            << "40_sintetico_entrada_fornecedor.prn" << 2 << false << 1
            << "cfg_ticket40=1, cfg_ticketsintetico=1"
            << "cfg_showplaca=0";
        QTest::newRow("40 lista de produtos entrada")
            << "40_lista_produtos_entrada.prn" << 3 << false << 1
            << "cfg_ticket40=1, cfg_morproduto=1, cfg_itemdesc='Itens:'" << todos;
    }
    // Every line of each form, byte for byte, on every engine.
    void layouts()
    {
        QFETCH(QString, golden);
        QFETCH(int, codigo);
        QFETCH(bool, saida);
        QFETCH(int, copias);
        QFETCH(QString, config);
        QFETCH(QString, campos);
        BancoTeste b;
        pesagens(b);
        b.exec(QStringLiteral("update config set ") + config);
        b.exec(QStringLiteral("update configticket set ") + campos);
        const QByteArray job = imprime(b, codigo, saida, copias);
        QVERIFY(confereGolden(job, golden));
        // Every row ends with CR LF and fits the paper: the printer never wraps a line.
        const int largura = config.contains(QLatin1String("cfg_ticket40=1")) ? 40 : 80;
        const QList<QByteArray> linhas = linhasImpressas(job);
        QVERIFY(linhas.last().isEmpty()); // the job ends with a line end
        for (QByteArray l : linhas.mid(0, linhas.size() - 1)) {
            QVERIFY2(l.endsWith('\r'), l.constData());
            l.chop(1);
            QVERIFY2(l.size() <= largura,
                     qPrintable(QStringLiteral("%1 colunas: %2").arg(l.size()).arg(QString::fromLatin1(l))));
        }
    }

    // The invoice's access key prints under the invoice number, in groups of
    // four, whole on both widths; not when the invoice number is not printed.
    void chaveDaNota_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("campos");
        QTest::addColumn<QStringList>("esperadas");
        const QString grupos = QStringLiteral("3526 1212 3456 7800 0195 5500 1000 0123 4511 2345 6782");
        QTest::newRow("80 colunas") << "cfg_ticket40=0"
                                    << "cfg_shownf=1" << QStringList{"Chave de acesso da N.F.: " + grupos};
        QTest::newRow("40 colunas") << "cfg_ticket40=1"
                                    << "cfg_shownf=1"
                                    << QStringList{"Chave de acesso da N.F.: 3526 1212 3456",
                                                   "7800 0195 5500 1000 0123 4511 2345 6782"};
        QTest::newRow("sem o número da nota") << "cfg_ticket40=0"
                                              << "cfg_shownf=0" << QStringList{};
    }
    void chaveDaNota()
    {
        QFETCH(QString, config);
        QFETCH(QString, campos);
        QFETCH(QStringList, esperadas);
        BancoTeste b;
        pesagens(b);
        b.exec(
            QStringLiteral("update pesagem set pes_chavenfe='35261212345678000195550010000123451123456782' "
                           "where pes_codigo=1"));
        b.exec(QStringLiteral("update config set ") + config);
        b.exec(QStringLiteral("update configticket set ") + campos);
        const int largura = config.contains(QLatin1String("cfg_ticket40=1")) ? 40 : 80;
        QStringList impressas;
        for (QByteArray l : linhasImpressas(imprime(b, 1, true))) {
            l.replace('\0', "").replace('\r', "");
            QVERIFY2(l.size() <= largura, l.constData());
            impressas << QString::fromLatin1(l).trimmed();
        }
        QStringList chave;
        for (const QString& l : impressas) {
            if (l.startsWith(QLatin1String("Chave de acesso")) ||
                (!chave.isEmpty() && chave.size() < esperadas.size())) {
                chave << l;
            }
        }
        QCOMPARE(chave, esperadas);
    }

    // The figures an operator checks on the exit ticket: the corrected entry
    // weight, gross and tare by party kind, the corrected net, always positive.
    void figuras_data()
    {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QStringList>("linhas");
        // E 15000 x FCV(entry) 0,975 = 14625; S 42350; net 27725; invoice 27000;
        // |(14625 - 42350) x 0,9475| = 26269,4375.
        QTest::newRow("cliente com fatores")
            << 1 << "cfg_umidade=1"
            << QStringList{"725 kg 42350 kg 14625 kg 27725 kg",
                           "(FCV) Fatores de Correcao Variaveis : 0,9750",
                           "(FCF) Fatores de Correcao Fixos : 0,9825",
                           "(FCV) Fatores de Correcao Variaveis: 0,9650", "(FCF) e (FCV) : 26269 kg"};
        // Supplier: gross is the entry, tare the exit; 38000,5 - 14000 = 24000,5.
        QTest::newRow("fornecedor sem fatores")
            << 2 << "cfg_casasdecimais=1" << QStringList{"-99,8 kg 38000,5 kg 14000,0 kg 24000,5 kg"};
        // A product list still corrects the entry weight, by its last row (30,
        // 1,5 % at entry): 12000 x 0,985 = 11820, net 18180.
        QTest::newRow("lista de produtos com fatores")
            << 3 << "cfg_morproduto=1, cfg_umidade=1"
            << QStringList{"30000 kg 11820 kg 18180 kg", "(FCF) e (FCV) : 18180 kg"};
    }
    void figuras()
    {
        QFETCH(int, codigo);
        QFETCH(QString, config);
        QFETCH(QStringList, linhas);
        BancoTeste b;
        pesagens(b);
        b.exec(QStringLiteral("update config set ") + config);
        // Columns are the goldens' business: here blanks are collapsed.
        const QString texto = QString::fromLatin1(imprime(b, codigo, true)).remove(QChar(0));
        const QString simples = texto.simplified();
        for (const QString& l : linhas)
            QVERIFY2(simples.contains(l), qPrintable(l + QStringLiteral("\n---\n") + texto));
    }

    // A driver's name holding printer commands and a NUL (an import, another program):
    // the printer gets the name without them, on the built-in layout and through a
    // template, so it never resets or turns bold in the middle of a ticket.
    void controlesNosCampos_data()
    {
        QTest::addColumn<bool>("porTemplate");
        QTest::newRow("layout") << false;
        QTest::newRow("template") << true;
    }
    void controlesNosCampos()
    {
        QFETCH(bool, porTemplate);
        BancoTeste b;
        pesagens(b);
        QString nome = QStringLiteral("JOSE\x1B@ DA\x1B"
                                      "E SILVA\x07\tNETO");
        if (!b.postgres()) nome += QChar(0); // PostgreSQL texts cannot hold a NUL
        QSqlQuery q(b.dm().DataBase1());
        QVERIFY(q.prepare("update pesagem set pes_motorista=? where pes_codigo=1"));
        q.addBindValue(nome + "X");
        QVERIFY(q.exec());
        if (porTemplate) {
            b.exec("insert into linhastempl (tem_codigo, lin_codigo, lin_texto) values (5, 0, "
                   "'Motorista.....:[pes_motorista]')");
            b.exec("update config set cfg_template=1, cfg_templatesaida=5");
        }
        const QByteArray job = imprime(b, 1, true);
        const qsizetype inicio = job.indexOf("Motorista.....:");
        QVERIFY(inicio >= 0);
        const QByteArray linha = job.mid(inicio, job.indexOf('\r', inicio) - inicio);
        QCOMPARE(linha, QByteArray("Motorista.....:JOSE@ DAE SILVA NETOX"));
    }

    // A site printing from templates: the exit template of the weighing, its
    // fields in one form on every engine, two copies; a broken template stops
    // the print with ErroTemplate.
    void template_()
    {
        BancoTeste b;
        pesagens(b);
        const QStringList linhas{
            "<!TICKET [pes_codigo]!> [cad_tipo=4,FORNECEDOR,CLIENTE]: [cad_razao]",
            "Entrada [pes_dataentrada] [pes_horaentrada] [pes_pesoentrada:N10;0] kg",
            "Saida   [pes_datasaida:DIA]/[pes_datasaida:MES_EXTENSO] [pes_pesosaida:F10;1] kg",
            "Nota [pes_nf=<NULL>,SEM NOTA,pes_nf] [Pes_PesoNota] Liquido [pesoLiquido] Dif [diferencaPesoNF]",
            "[transportadora] [PesoFator2] [TotalPESODescontoSaida] [prd_descricao] [Usuario] [PAGINA]",
        };
        for (int i = 0; i < linhas.size(); ++i)
            b.exec(QStringLiteral(
                       "insert into linhastempl (tem_codigo, lin_codigo, lin_texto) values (5, %1, '%2')")
                       .arg(i)
                       .arg(linhas[i]));
        b.exec(
            QStringLiteral("update config set cfg_template=1, cfg_templateentrada=4, cfg_templatesaida=5"));
        QVERIFY(confereGolden(imprime(b, 1, true, 2), QStringLiteral("template_saida_2copias.prn")));
        // The entry template has no lines: a job with the printer's set-up codes only.
        QVERIFY(confereGolden(imprime(b, 1, false), QStringLiteral("template_sem_linhas.prn")));

        b.exec(QStringLiteral("insert into linhastempl (tem_codigo, lin_codigo, lin_texto) values (4, 0, "
                              "'[pes_placa:x,3]')"));
        ImpressaoTicket::Pedido p;
        p.codigo = 1;
        TRelevo job;
        jobParaArquivo(job, m_dir.filePath(QStringLiteral("erro.prn")));
        QVERIFY_THROWS_EXCEPTION(ErroTemplate, ImpressaoTicket::imprime(b.dm(), job, p));
        QVERIFY(!b.dm().QR_TEMP.Active());
    }

    // The verification code: a weighing saved through the log prints the
    // code of its latest entry, on the 80- and 40-column layouts and through
    // the template field, and that code checks against the log; a weighing
    // the log does not know says so.
    void codigoDeVerificacao()
    {
        BancoTeste b;
        pesagens(b);
        registraNaAuditoria(b, 1);
        const QString codigo = Auditoria::codigoDaPesagem(b.dm(), 1);
        QVERIFY(Auditoria::confereTicket(b.dm(), 1, codigo, ChaveAuditoria::le()).confere);
        const QByteArray linha = "Codigo de verificacao: " + codigo.toLatin1() + "\r";
        QVERIFY(linhasImpressas(imprime(b, 1, true)).contains(linha));
        QVERIFY(linhasImpressas(imprime(b, 2, true)).contains("Codigo de verificacao: (sem auditoria)\r"));
        b.exec(QStringLiteral("update config set cfg_ticket40=1"));
        QVERIFY(linhasImpressas(imprime(b, 1, false)).contains(linha));
        b.exec(QStringLiteral("insert into linhastempl (tem_codigo, lin_codigo, lin_texto) values (5, 0, "
                              "'Ticket [pes_codigo] codigo [CODIGO_VERIFICACAO]')"));
        b.exec(QStringLiteral("update config set cfg_template=1, cfg_templatesaida=5"));
        QVERIFY(imprime(b, 1, true).contains("Ticket 1 codigo " + codigo.toLatin1()));
    }

    // On a site that prints on the system printer the ticket also carries a
    // QR code of its number and code: a real QR symbol (its three finder
    // patterns), beside the code line and the four lines left blank under
    // it, on the drawn pages and in the PDF; a raw printer gets the text only.
    void codigoQR()
    {
        const CodigoQR qr = CodigoQR::gera(QStringLiteral("VIGA 1 ABCDE-FGHIJ"));
        QCOMPARE(qr.lado(), 21);
        for (const auto& [x0, y0] : {std::pair{0, 0}, {14, 0}, {0, 14}}) {
            for (int y = 0; y < 7; ++y) {
                for (int x = 0; x < 7; ++x) {
                    const bool anel = x == 0 || y == 0 || x == 6 || y == 6;
                    const bool centro = x >= 2 && x <= 4 && y >= 2 && y <= 4;
                    QCOMPARE(qr.escuro(x0 + x, y0 + y), anel || centro);
                }
            }
        }

        BancoTeste b;
        pesagens(b);
        registraNaAuditoria(b, 1);
        const QString codigo = Auditoria::codigoDaPesagem(b.dm(), 1);
        const QString linhaCodigo = QStringLiteral("Codigo de verificacao: ") + codigo;
        ServicosTeste servicos;
        TRelevo job;
        job.Windows.PrintForWindows = true;
        job.Preview.ShowPreview = true;
        job.QtLines = 0;
        ImpressaoTicket::Pedido p;
        p.codigo = 1;
        p.saida = true;
        p.copias = 2;
        QVERIFY(ImpressaoTicket::imprime(b.dm(), job, p));
        QCOMPARE(job.CodigosQR.size(), 1);
        QCOMPARE(job.CodigosQR[0].conteudo, QStringLiteral("VIGA 1 ") + codigo);
        QList<int> todas;
        for (int i = 0; i < job.PreviewPages().size(); ++i)
            todas << i;
        const QList<PaginaDesenho> desenho = PaginasExibidas(job, todas);
        int marcadas = 0;
        QList<QStringList> paginas;
        for (const PaginaDesenho& pagina : desenho) {
            paginas << QStringList();
            for (int i = 0; i < pagina.size(); ++i) {
                paginas.last() << pagina[i].texto;
                if (!pagina[i].qr) continue;
                ++marcadas; // one per copy
                QCOMPARE(pagina[i].texto.trimmed(), linhaCodigo);
                for (int k = 1; k < 5; ++k)
                    QVERIFY(pagina.value(i + k).texto.trimmed().isEmpty());
            }
        }
        QCOMPARE(marcadas, 2);
        QTemporaryDir pasta;
        const QString pdf = pasta.filePath(QStringLiteral("ticket.pdf"));
        QVERIFY(GravaPdfPaginas(paginas, pdf, QStringLiteral("Ticket"), QStringLiteral("Courier"), 10,
                                nullptr, job.CodigosQR));
        const int retangulos = int(CodigoQR::gera(job.CodigosQR[0].conteudo).retangulos({}, 50).size());
        QCOMPARE(int(lerArquivo(pdf).count(" re f")), 2 * retangulos);
        QVERIFY(GravaPdfPaginas(paginas, pdf, QStringLiteral("Ticket"), QStringLiteral("Courier"), 10));
        QCOMPARE(int(lerArquivo(pdf).count(" re f")), 0);

        // A raw printer: the code line, no QR and nothing left blank for it.
        const QList<QByteArray> linhas = linhasImpressas(imprime(b, 1, true));
        const qsizetype i = linhas.indexOf(linhaCodigo.toLatin1() + "\r");
        QVERIFY(i > 0);
        QCOMPARE(linhas.value(i + 2),
                 QByteArray("Operador da Balanca...:________________________ Motorista:  "
                            "____________________\r"));
    }

    // The query's fields that templates read: the net and factor shares by
    // party kind, the user, one row per product row in product order.
    void consulta()
    {
        BancoTeste b;
        pesagens(b);
        auto p = ConsultaTicket::pesagem(b.dm(), 2);
        QVERIFY(p && p->fornecedor && p->temParte && !p->temTransportadora && !p->temTipoVeiculo);
        QVERIFY(!ConsultaTicket::pesagem(b.dm(), 99));
        TQuery& q = b.dm().QR_TEMP;
        ConsultaTicket::abrir(q, *p, QStringLiteral("O'BRIEN"));
        QCOMPARE(q.AsDecimal("pesoLiquido").toShortString(), QStringLiteral("24000,5"));
        QCOMPARE(q.AsDecimal("diferencaPesoNF").toShortString(), QStringLiteral("-99,75"));
        QCOMPARE(q.AsString("Usuario"), QStringLiteral("O'BRIEN"));
        QVERIFY(q.FindField("TotalDescontoEntrada"));
        q.Close();

        b.exec(
            QStringLiteral("update pesagem set pes_chavenfe='35260312345678000195550010000123451123456783' "
                           "where pes_codigo=1"));
        p = ConsultaTicket::pesagem(b.dm(), 1);
        ConsultaTicket::abrir(q, *p, QStringLiteral("X"));
        QCOMPARE(q.AsString("transportadora"), QStringLiteral("TRANSPORTES TRES"));
        // the invoice's whole access key, a field of the templates
        QCOMPARE(q.AsString("pes_chavenfe"), QStringLiteral("35260312345678000195550010000123451123456783"));
        QVERIFY(EdicaoTemplate::campos().contains(QStringLiteral("pes_chavenfe")));
        // 0,5 % and 0,25 % of 27350 (the stored weights' net)
        QCOMPARE(q.AsDecimal("PesoFator2").toShortString(), QStringLiteral("136,75"));
        QCOMPARE(q.AsDecimal("PesoFator6").toShortString(), QStringLiteral("68,375"));
        // f1 1 + f2 0,5 + f6 0,25 + f7e 2 + f10e 0,5 + f7 2 + f11 1,5 = 7,75 % of 27350
        QCOMPARE(q.AsDecimal("TotalDescontoSaida").toShortString(), QStringLiteral("2119,625"));
        QCOMPARE(q.AsDecimal("TotalPESODescontoSaida").toShortString(), QStringLiteral("25230,375"));
        q.Close();

        p = ConsultaTicket::pesagem(b.dm(), 3);
        ConsultaTicket::abrir(q, *p, QStringLiteral("X"));
        QStringList produtos;
        for (q.First(); !q.Eof(); q.Next())
            produtos << q.AsString("prd_codigo") + u'=' + q.AsString("prd_descricao");
        QCOMPARE(produtos, (QStringList{"10=SOJA", "20=MILHO", "30=TRIGO"}));
        q.Close();
    }
};

QTEST_MAIN(TstTickets)
#include "tst_tickets.moc"
