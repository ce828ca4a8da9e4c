// SPDX-License-Identifier: GPL-3.0-or-later
// The print job: bytes of every printer model, the page rules, the built-in
// header, the preview's page lists, deliveries and messages.
#include "Relogio.h"
#include "ServicosTeste.h"

#include <QMetaEnum>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

namespace
{

const char* const nomesModelos[] = {
    "rvPadraoIBM", "rvDeskjet500",    "rvDeskjet600",   "rvRima",          "rvEpson9pinos",
    "rvEmiliaPS",  "rvEpsonStylusC2", "rvCanonBJC4000", "rvEpson24pinos",  "rvHPThinkJet",
    "rvCanonF60",  "rvCanonLaser",    "rvIBMColorJet",  "rvIBMPCGraphics", "rvIBMProPrinter",
    "rvNEC3500",   "rvNECPinWriter",  "rvMP20mi",       "rvHPLaserJet",
};

const QString acentos = QStringLiteral("áÁãÃâÂäÄàÀéÉêÊëËíÍîÎïÏóÓõÕôÔöÖúÚûÛüÜçÇºñÑª");

} // namespace

class TstRelevo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ServicosTeste* m_servicos = nullptr;

    QString saida(const QString& nome) const { return m_dir.filePath(nome); }

private Q_SLOTS:
    void init()
    {
        qputenv("VIGA_HOME", m_dir.path().toUtf8());
        Relogio::fixar(QDateTime(QDate(2026, 12, 8), QTime(14, 30, 12, 520)));
        m_servicos = new ServicosTeste;
    }
    void cleanup()
    {
        delete m_servicos;
        Relogio::fixar(QDateTime());
    }

    void modelos_data()
    {
        QTest::addColumn<int>("modelo");
        for (int i = 0; i < QuantidadeModelos; ++i)
            QTest::newRow(nomesModelos[i]) << i;
    }
    // Every code pair, the line spacings, the accents, two page overflows with a form
    // feed after the last row of each page, and text placed left of the current column.
    void modelos()
    {
        QFETCH(int, modelo);
        TRelevo r;
        r.PrinterName = TPrinterName(modelo);
        r.PageHeader = false;
        r.QtLines = 8;
        r.EjetaQuebra = true;
        r.LinhasPolegada = l8LinPol;
        jobParaArquivo(r, saida(QStringLiteral("modelo.prn")));
        QVERIFY(r.BeginDoc());
        const TCodigosImpressora& c = TRelevo::CodigosAtivos();
        const QList<QPair<QByteArray, QByteArray>> pares = {
            {c.Compr175On, c.Compr175Off}, {c.Compr20On, c.Compr20Off}, {c.Elite12On, c.Elite12Off},
            {c.NegritoOn, c.NegritoOff},   {c.ExpandOn, c.ExpandOff},
        };
        for (const auto& par : pares) {
            r.WriteText(par.first, QStringLiteral("Ligado"), 2, false);
            r.WriteText(par.second, QStringLiteral("desligado"), 12, true);
        }
        r.SendCommand(c.Lpi6);
        r.WriteText({}, acentos, 0, true);
        for (int i = 1; i <= 10; ++i)
            r.WriteText({}, QStringLiteral("Linha %1").arg(i), 4, true);
        r.WriteText({}, QStringLiteral("ab"), 10, false);
        r.WriteText({}, QStringLiteral("cd"), 3, true);
        r.EndDoc();
        QVERIFY(m_servicos->mensagens.isEmpty());
        QVERIFY(confereGolden(lerArquivo(saida(QStringLiteral("modelo.prn"))),
                              QStringLiteral("modelo_%1.prn").arg(QLatin1String(nomesModelos[modelo]))));
    }

    void acentuacao_data()
    {
        QTest::addColumn<int>("modelo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("epson ã Ã") << int(rvEpson9pinos) << QStringLiteral("ãÃ") << QByteArray("\xC6\xC7");
        QTest::newRow("deskjet 500 ã Ã")
            << int(rvDeskjet500) << QStringLiteral("ãÃ") << QByteArray("\x84\x8E");
        QTest::newRow("deskjet 600 ã Ã")
            << int(rvDeskjet600) << QStringLiteral("ãÃ") << QByteArray("\x84\x8E");
        QTest::newRow("ordinal") << int(rvEpson9pinos) << QStringLiteral("nº ª") << QByteArray("n\xF8 \xA6");
        QTest::newRow("Ó once") << int(rvEpson9pinos) << QStringLiteral("Ó") << QByteArray("\xE0");
        QTest::newRow("plain") << int(rvEpson9pinos) << QStringLiteral("Pesagem 12")
                               << QByteArray("Pesagem 12");
    }
    void acentuacao()
    {
        QFETCH(int, modelo);
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QCOMPARE(ConvertAccents(ParaWin1252(texto), TPrinterName(modelo)), bytes);
    }

    void tamanhoPagina()
    {
        TRelevo r;
        QCOMPARE(r.QtLines, 62);
        r.setPageSize(pzA4);
        QCOMPARE(r.QtLines, 70);
        r.QtLines = 40;
        r.setPageSize(pzA4); // the same value again changes nothing
        QCOMPARE(r.QtLines, 40);
        r.setPageSize(pzCustom);
        QCOMPARE(r.QtLines, 40);
        r.setPageSize(pzCoupon);
        QCOMPARE(r.QtLines, 0);
        const QList<QPair<TPageSize, int>> tabela = {
            {pzContinous, 66},  {pzLegal, 84},      {pzTabloid, 102},   {pzStatement, 51},
            {pzExecutive, 63},  {pzA3, 99},         {pzA5, 50},         {pzB5, 61},
            {pzFolio, 78},      {pzEnv9, 53},       {pzEnv14, 69},      {pzEnvC3, 108},
            {pzEnvC6, 38},      {pzEnvB6, 30},      {pzEnvMonarch, 45}, {pzEnvPersonal, 39},
            {pzFanFoldSTD, 72}, {pzFanFoldLgl, 78}, {pzEnvC65, 54},     {pzEnvB4, 83},
        };
        for (const auto& [tamanho, linhas] : tabela)
            QCOMPARE(LinesForPageSize(tamanho, 1), linhas);
    }

    // A page of 66 lines carries rows 1-65; row 65 ends with CR LF like every row, then a
    // form feed with EjetaQuebra, or one more line end without it, so that the page fills
    // its 66-line form and the next page starts at the top of the next form.
    void paginaDe66Linhas_data()
    {
        QTest::addColumn<bool>("ejeta");
        QTest::newRow("sem EjetaQuebra") << false;
        QTest::newRow("com EjetaQuebra") << true;
    }
    void paginaDe66Linhas()
    {
        QFETCH(bool, ejeta);
        TRelevo r;
        r.PageHeader = false;
        r.QtLines = 66;
        r.EjetaQuebra = ejeta;
        jobParaArquivo(r, saida(QStringLiteral("p66.prn")));
        QVERIFY(r.BeginDoc());
        for (int i = 1; i <= 66; ++i) {
            QCOMPARE(r.PRow(), i); // the 66th write overflows to row 1 of the next page
            r.WriteText({}, QStringLiteral("L%1").arg(i), 0, true);
        }
        QCOMPARE(r.PRow(), 2);
        r.EndDoc();
        // the page length (66), sent at once and again with the first line
        QByteArray esperado = QByteArray("\x1B\x43\x42\x1B\x43\x42");
        for (int i = 1; i <= 64; ++i)
            esperado += "L" + QByteArray::number(i) + "\r\n";
        esperado += "L65\r\n";
        esperado += ejeta ? "\x0C" : "\r\n";
        esperado += "L66\r\n";
        QCOMPARE(lerArquivo(saida(QStringLiteral("p66.prn"))), esperado);
    }

    // Page boundaries on every model: each row ends with CR LF; with EjetaQuebra the form
    // is ejected after the last row, without it line ends carry the paper to the top of
    // the next form (the page length sent at the start), so page N starts on form N.
    void fronteiraDePagina_data()
    {
        QTest::addColumn<int>("modelo");
        QTest::addColumn<bool>("ejeta");
        QTest::addColumn<int>("pageSize");
        for (int i = 0; i < QuantidadeModelos; ++i) {
            QTest::addRow("%s sem EjetaQuebra", nomesModelos[i]) << i << false << int(pzCustom);
            QTest::addRow("%s com EjetaQuebra", nomesModelos[i]) << i << true << int(pzCustom);
        }
        // A form longer than the page: the rest of the form is fed.
        QTest::newRow("A4 form, 66-line pages") << int(rvEpson9pinos) << false << int(pzA4);
    }
    void fronteiraDePagina()
    {
        QFETCH(int, modelo);
        QFETCH(bool, ejeta);
        QFETCH(int, pageSize);
        TRelevo r;
        r.PrinterName = TPrinterName(modelo);
        r.PageHeader = false;
        r.setPageSize(TPageSize(pageSize));
        const int linhas = pageSize == pzCustom ? 5 : 66;
        r.QtLines = linhas;
        r.EjetaQuebra = ejeta;
        jobParaArquivo(r, saida(QStringLiteral("fronteira.prn")));
        QVERIFY(r.BeginDoc());
        const int total = 2 * (linhas - 1) + 1;
        for (int i = 1; i <= total; ++i)
            r.WriteText({}, QStringLiteral("L%1").arg(i), 0, true);
        r.EndDoc();
        QByteArray job = lerArquivo(saida(QStringLiteral("fronteira.prn")));
        job = job.mid(job.indexOf("L1\r\n")); // after the set-up codes
        const int formulario = qMax(LinesForPageSize(TPageSize(pageSize), linhas), linhas);
        QByteArray esperado;
        for (int i = 1; i <= total; ++i) {
            esperado += "L" + QByteArray::number(i) + "\r\n";
            if (i % (linhas - 1) == 0)
                esperado +=
                    ejeta ? QByteArray("\x0C") : QByteArray("\r\n").repeated(formulario - (linhas - 1));
        }
        QCOMPARE(job, esperado);
    }

    // Two pages and a half of a report with the built-in header: title centred, page
    // number, left and right texts, column headings, the rule; the overflowing page gets
    // no form feed.
    void cabecalhoInterno()
    {
        TRelevo r;
        r.QtLines = 12;
        r.PageWidth = 60;
        r.HeaderData.Title1 = QStringLiteral("RELATÓRIO DE PESAGENS");
        r.HeaderData.Title2 = QStringLiteral("Período");
        r.HeaderData.Left2 = QStringLiteral("Balança 1");
        r.HeaderData.Right2 = QStringLiteral("Usuário ADMIN");
        r.HeaderData.Right3 = QStringLiteral("Filial");
        r.HeaderData.ColHeader1 = QStringLiteral("Placa,0;Produto,10;Peso, líquido,40");
        r.HeaderData.FirstPage = 7;
        jobParaArquivo(r, saida(QStringLiteral("cab.prn")));
        r.PageHeader = true;
        QVERIFY(r.BeginDoc());
        for (int i = 1; i <= 12; ++i) {
            r.WriteText({}, QStringLiteral("ABC-%1").arg(i, 4, 10, QChar(u'0')), 0, false);
            r.WriteText({}, QStringLiteral("SOJA"), 10, false);
            r.WriteText({}, QStringLiteral("%1,00").arg(i * 1000), 40, true);
        }
        QCOMPARE(r.PageNo(), 9);
        r.EndDoc();
        QVERIFY(confereGolden(lerArquivo(saida(QStringLiteral("cab.prn"))), QStringLiteral("cabecalho.prn")));
    }

    // While previewing, a page shorter than its own header still ends: the header runs on
    // and never starts another page.
    void cabecalhoMaiorQueAPagina()
    {
        TRelevo r;
        r.QtLines = 4;
        r.Preview.ShowPreview = true;
        r.HeaderData.Title1 = QStringLiteral("T");
        QVERIFY(r.BeginDoc());
        for (int i = 0; i < 5; ++i)
            r.WriteText({}, QStringLiteral("x%1").arg(i), 0, true);
        r.EndDoc();
        QCOMPARE(m_servicos->previews, 1);
        int linhas = 0;
        QStringList tudo;
        for (const auto& p : m_servicos->paginasExibidas) {
            linhas += int(p.size());
            tudo += p;
        }
        QVERIFY(tudo.contains(QStringLiteral("x4")));
        QVERIFY(linhas < 60);
    }

    // Previewing: a NewPage leaves "<ff>" at the end of its page in both lists; display
    // lines keep the accents, printer lines carry the converted bytes and the codes.
    void listasDoPreview()
    {
        TRelevo r;
        r.PageHeader = false;
        r.QtLines = 5;
        r.Preview.ShowPreview = true;
        r.PrinterPort = QStringLiteral("lpt1");
        QVERIFY(r.BeginDoc());
        const TCodigosImpressora& c = TRelevo::CodigosAtivos();
        r.WriteText(c.ExpandOn, QStringLiteral("Pesagem"), 0, false);
        r.WriteText(c.ExpandOff, QStringLiteral("Nº 1"), 10, true);
        r.WriteText({}, QStringLiteral("Ação"), 0, true);
        r.NewPage();
        for (int i = 1; i <= 5; ++i)
            r.WriteText({}, QStringLiteral("L%1").arg(i), 0, true);
        r.EndDoc();
        QCOMPARE(m_servicos->previews, 1);
        const auto& e = m_servicos->paginasExibidas;
        const auto& p = m_servicos->paginasImpressora;
        QCOMPARE(e.size(), 3);
        QCOMPARE(e[0], QStringList({QStringLiteral("<e>Pesagem</e>   Nº 1"), QStringLiteral("Ação"),
                                    QStringLiteral("<ff>")}));
        QCOMPARE(p[0], QList<QByteArray>({QByteArray("\x1B\x43\x05<e>Pesagem</e>   N\xF8 1"),
                                          QByteArray("A\x87\xC6o"), QByteArray("<ff>")}));
        QCOMPARE(e[1], QStringList({QStringLiteral("L1"), QStringLiteral("L2"), QStringLiteral("L3"),
                                    QStringLiteral("L4")}));
        QCOMPARE(e[2], QStringList({QStringLiteral("L5")}));
        QVERIFY(!QFile::exists(r.arquivoJob()));
    }

    void canceladoNaoMostraPreview()
    {
        TRelevo r;
        r.Preview.ShowPreview = true;
        QVERIFY(r.BeginDoc());
        r.WriteText({}, QStringLiteral("x"), 0, true);
        r.Cancelled = true;
        r.EndDoc();
        QCOMPARE(m_servicos->previews, 0);
    }

    // E-mail is offered by a job exactly when the site has set a mail server.
    void emailDoSite()
    {
        TRelevo r;
        r.usarEmail(ConfigEmail());
        QVERIFY(!r.eMail);
        ConfigEmail c;
        c.servidor = QStringLiteral("smtp.exemplo.com.br");
        c.porta = 465;
        c.seguranca = ConfigEmail::Tls;
        c.usuario = QStringLiteral("balanca");
        c.senha = QStringLiteral("s3nha");
        c.remetente = QStringLiteral("balanca@exemplo.com.br");
        r.usarEmail(c);
        QVERIFY(r.eMail);
        QCOMPARE(r.eMailHost, QStringLiteral("smtp.exemplo.com.br:465"));
        QCOMPARE(r.eMailSeguranca, int(ConfigEmail::Tls));
        TRelevo doPreview;
        r.configurarJobDoPreview(doPreview);
        QVERIFY(doPreview.eMail);
        QCOMPARE(doPreview.eMailPassword, QStringLiteral("s3nha"));
        QCOMPARE(doPreview.eMailSeguranca, int(ConfigEmail::Tls));
    }

    void formatNumber_data()
    {
        QTest::addColumn<QString>("mascara");
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("two blanks") << QStringLiteral("###,##0.00") << 1234.5 << QStringLiteral("  1.234,50");
        QTest::newRow("longer than mask")
            << QStringLiteral("0.00") << 123456.0 << QStringLiteral("123456,00");
        QTest::newRow("integer") << QStringLiteral("#####0") << 42.4 << QStringLiteral("    42");
        QTest::newRow("negative, half to even")
            << QStringLiteral("#,##0.0") << -1500.25 << QStringLiteral("-1.500,2");
        QTest::newRow("half to even, down") << QStringLiteral("0") << 2.5 << QStringLiteral("2");
        QTest::newRow("half to even, up") << QStringLiteral("0") << 3.5 << QStringLiteral("4");
        QTest::newRow("0,125") << QStringLiteral("0.00") << 0.125 << QStringLiteral("0,12");
        QTest::newRow("0,135") << QStringLiteral("0.00") << 0.135 << QStringLiteral("0,14");
        QTest::newRow("above half") << QStringLiteral("0.00") << 0.1251 << QStringLiteral("0,13");
        QTest::newRow("decimal intent 2,675") << QStringLiteral("0.00") << 2.675 << QStringLiteral("2,68");
        QTest::newRow("carry") << QStringLiteral("0.00") << 9.995 << QStringLiteral("10,00");
        QTest::newRow("no minus zero") << QStringLiteral("0") << -0.5 << QStringLiteral("0");
        QTest::newRow("optional decimals") << QStringLiteral("0.##") << 2.5 << QStringLiteral(" 2,5");
        QTest::newRow("zero") << QStringLiteral("#0.000") << 0.0 << QStringLiteral(" 0,000");
    }
    void formatNumber()
    {
        QFETCH(QString, mascara);
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(TRelevo::FormatNumber(mascara, valor), texto);
    }

    void replicate()
    {
        QCOMPARE(TRelevo::Replicate(QStringLiteral("-"), 0), QString());
        QCOMPARE(TRelevo::Replicate(QStringLiteral("-"), -3), QString());
        QCOMPARE(TRelevo::Replicate(QStringLiteral("=-"), 3), QStringLiteral("=-=-=-"));
    }

    // Straight to the port: the bytes reach the file at once; a code sent with
    // SendCommand travels once at once and once with its line.
    void direto()
    {
        const QString porta = saida(QStringLiteral("porta.prn"));
        TRelevo r;
        r.PageHeader = false;
        r.PrinterPort = porta;
        r.setPageSize(pzA4);
        QVERIFY(r.BeginDoc());
        r.SendCommand(r.codigos().NegritoOn);
        r.WriteText({}, QStringLiteral("x"), 0, true);
        r.EndDoc();
        QCOMPARE(lerArquivo(porta), QByteArray("\x1B\x43\x46\x1B\x45\x1B\x43\x46\x1B\x45x\r\n"));
    }

    void mensagens_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<bool>("ingles");
        QTest::addColumn<QString>("texto");
        QTest::newRow("porta pt") << 0 << false << QStringLiteral("Impressora em uso ou não pronta.");
        QTest::newRow("porta en") << 0 << true << QStringLiteral("Printer in use or not ready");
        QTest::newRow("pasta pt") << 1 << false << QStringLiteral("Diretório não configurado");
        QTest::newRow("spool pt") << 2 << false
                                  << QStringLiteral("Você não possuí permissão para Imprimir o relatório");
        QTest::newRow("spool en") << 2 << true << QStringLiteral("You are not allowed to print the report");
        QTest::newRow("salvar pt") << 3 << false << QStringLiteral("Não foi possivel Salvar arquivo");
    }
    void mensagens()
    {
        QFETCH(int, caso);
        QFETCH(bool, ingles);
        QFETCH(QString, texto);
        TRelevo r;
        r.LanguageMessages = ingles ? lmEnglish : lmPortuguese;
        r.PrinterPort = QStringLiteral("lpt1");
        switch (caso) {
        case 0:
            r.PrinterPort = saida(QStringLiteral("não/existe/porta"));
            QVERIFY(!r.BeginDoc());
            break;
        case 1:
            r.SaveFile = true;
            break;
        case 2:
            r.PrintToSpool = true;
            r.pImprimir = false;
            break;
        case 3:
            r.SaveFile = true;
            r.SaveFileDir = saida(QStringLiteral("não/existe/arquivo.prn"));
            break;
        }
        if (caso != 0) {
            QVERIFY(r.BeginDoc());
            r.WriteText({}, QStringLiteral("x"), 0, true);
            const QString job = r.arquivoJob();
            r.EndDoc();
            QVERIFY(!QFile::exists(job));
        }
        QCOMPARE(m_servicos->textos().size(), 1);
        QVERIFY2(m_servicos->textos().first().startsWith(texto), qPrintable(m_servicos->textos().first()));
    }

    // A job that cannot be written whole (a full disk, a device that refuses
    // the bytes) is told, nothing is reported as printed or saved, and no
    // half job is left behind, not even under the port's file name. The reason is
    // the system's, in words.
    void falhaDeGravacao_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("/dev/full como porta") << QStringLiteral("devfull") << QStringLiteral("disco cheio");
        QTest::newRow("arquivo num disco cheio") << QStringLiteral("disco") << QStringLiteral("disco cheio");
        QTest::newRow("arquivo num disco somente leitura")
            << QStringLiteral("somente-leitura") << QStringLiteral("o disco é somente para leitura");
        QTest::newRow("salvar num disco cheio") << QStringLiteral("salvar") << QString();
    }
    void falhaDeGravacao()
    {
        QFETCH(QString, caso);
        QFETCH(QString, motivo);
        const QString pequeno = saida(QStringLiteral("pequeno"));
        QDir().mkpath(pequeno);
        struct Desmonta {
            QString ponto;
            ~Desmonta()
            {
                if (!ponto.isEmpty()) QProcess::execute(QStringLiteral("umount"), {ponto});
            }
        } desmonta;
        if (caso != QLatin1String("devfull")) {
            if (QProcess::execute(QStringLiteral("mount"),
                                  {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                   caso == QLatin1String("somente-leitura") ? QStringLiteral("ro,size=16k")
                                                                            : QStringLiteral("size=16k"),
                                   QStringLiteral("tmpfs"), pequeno}) != 0)
                QSKIP("sem permissão para montar um sistema de arquivos de teste");
            desmonta.ponto = pequeno;
        }
        const QString destino = QDir(pequeno).filePath(QStringLiteral("ticket.prn"));
        TRelevo r;
        r.PageHeader = false;
        if (caso == QLatin1String("devfull")) {
            r.PrinterPort = QStringLiteral("/dev/full");
        } else if (caso != QLatin1String("salvar")) {
            r.PrinterPort = destino;
        } else {
            jobParaArquivo(r, destino);
        }
        const bool comecou = r.BeginDoc();
        QCOMPARE(comecou, caso != QLatin1String("somente-leitura"));
        const QString job = r.arquivoJob();
        for (int i = 0; i < 2000; ++i)
            r.WriteText({}, QStringLiteral("Linha %1 de um ticket que não cabe no disco").arg(i), 0, true);
        r.EndDoc();
        QCOMPARE(m_servicos->mensagens.size(), 1);
        const QString texto = m_servicos->mensagens.first().texto;
        QVERIFY2(texto.startsWith(QStringLiteral("Impressora em uso ou não pronta.")) ||
                     texto.startsWith(QStringLiteral("Não foi possivel Salvar arquivo")),
                 qPrintable(texto));
        if (!motivo.isEmpty())
            QVERIFY2(texto.contains(QStringLiteral("Erro retornado: ") + motivo), qPrintable(texto));
        QVERIFY(!QFile::exists(job));
        QVERIFY(!QFile::exists(destino));
    }

    // LPTn and COMn name devices: one that does not exist is refused, and
    // no regular file is ever made in its place.
    void portaSemDispositivo_data()
    {
        QTest::addColumn<QString>("porta");
        QTest::newRow("LPT3") << QStringLiteral("LPT3");
        QTest::newRow("COM5") << QStringLiteral("com5");
    }
    void portaSemDispositivo()
    {
        QFETCH(QString, porta);
        const QString lp = saida(QStringLiteral("lp-ausente"));
        const QString tty = saida(QStringLiteral("tty-ausente"));
        QFile ini(m_dir.filePath(QStringLiteral("viga.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write(QStringLiteral("[printer]\nLPT3=%1\n[serial]\nCOM5=%2\n").arg(lp, tty).toUtf8());
        ini.close();
        TRelevo r;
        r.PageHeader = false;
        r.PrinterPort = porta;
        QVERIFY(!r.BeginDoc());
        r.WriteText({}, QStringLiteral("x"), 0, true);
        r.EndDoc();
        QVERIFY(!QFile::exists(lp));
        QVERIFY(!QFile::exists(tty));
        QCOMPARE(m_servicos->mensagens.size(), 1);
        // the first day's print on a PC without that port: what is missing and what to set up instead
        const QString texto = m_servicos->textos().first();
        QVERIFY2(
            texto.startsWith(QStringLiteral("A impressora não foi encontrada: a porta %1 aponta para %2, que "
                                            "não existe neste computador.\r")
                                 .arg(porta, porta.startsWith(u'L') ? lp : tty)),
            qPrintable(texto));
        QVERIFY2(texto.contains(QStringLiteral("\"Imprimir em:\"")) &&
                     texto.contains(QStringLiteral("\\\\localhost\\ticket")) &&
                     texto.contains(QStringLiteral("/usr/share/doc/viga/guia.md.gz")),
                 qPrintable(texto));
        QCOMPARE(m_servicos->mensagens[0].titulo, QStringLiteral("Atenção"));
    }

    // Jobs live in a folder of this user only, under names nobody can guess:
    // a folder left open is closed, one that is a link or someone else's is
    // refused and nothing is written through it.
    void pastaDosJobs_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("aceita");
        QTest::newRow("nova") << QStringLiteral("nova") << true;
        QTest::newRow("aberta 0777") << QStringLiteral("aberta") << true;
        QTest::newRow("link para outra pasta") << QStringLiteral("link") << false;
        QTest::newRow("de outro usuário") << QStringLiteral("alheia") << false;
    }
    void pastaDosJobs()
    {
        QFETCH(QString, caso);
        QFETCH(bool, aceita);
        QTemporaryDir runtime;
        QVERIFY(
            QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray antes = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        struct Restaura {
            QByteArray valor;
            ~Restaura() { qputenv("XDG_RUNTIME_DIR", valor); }
        } restaura{antes};
        const QString pasta = QDir(runtime.path()).filePath(QStringLiteral("viga-relevo"));
        const QString alvo = saida(QStringLiteral("alvo-do-link"));
        QDir().mkpath(alvo);
        if (caso == QLatin1String("aberta")) {
            QVERIFY(QDir().mkpath(pasta));
            QVERIFY(QFile::setPermissions(pasta, QFile::Permissions(0x7777)));
        } else if (caso == QLatin1String("link")) {
            QVERIFY(QFile::link(alvo, pasta));
        } else if (caso == QLatin1String("alheia")) {
            if (::geteuid() != 0) QSKIP("só root entrega uma pasta a outro usuário");
            QVERIFY(QDir().mkpath(pasta));
            QVERIFY(::chown(QFile::encodeName(pasta).constData(), 65534, 65534) == 0);
        }
        TRelevo r;
        r.PageHeader = false;
        const QString porta = saida(QStringLiteral("porta.prn"));
        r.PrinterPort = porta;
        r.Preview.ShowPreview = true; // the job file is where the lines go
        QCOMPARE(r.BeginDoc(), aceita);
        if (!aceita) {
            QCOMPARE(m_servicos->mensagens.size(), 1);
            QVERIFY2(m_servicos->textos().first().startsWith(
                         QStringLiteral("Não foi possível preparar a impressão")),
                     qPrintable(m_servicos->textos().first()));
            QVERIFY(QDir(alvo).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
            return;
        }
        const QString job = r.arquivoJob();
        QCOMPARE(QFileInfo(job).absolutePath(), pasta);
        const QFileInfo info(pasta);
        QCOMPARE(info.ownerId(), uint(::geteuid()));
        QCOMPARE(int(info.permissions() & 0x0077), 0);
        QCOMPARE(int(QFileInfo(job).permissions() & 0x0077), 0);
        // a second job of the same second, while the first is open, has a
        // name of its own
        TRelevo outro;
        outro.PageHeader = false;
        outro.PrinterPort = porta;
        outro.Preview.ShowPreview = true;
        QVERIFY(outro.BeginDoc());
        QVERIFY(outro.arquivoJob() != job);
        QVERIFY(QFileInfo(job).fileName().startsWith(QStringLiteral("RV081430")));
        QVERIFY(QFileInfo(job).fileName().endsWith(QStringLiteral(".T12")));
        r.EndDoc();
        outro.EndDoc();
    }

    // Without a runtime folder (cron, su) a ticket still prints: its job is
    // composed in a private folder of the user's cache, never in a shared one.
    void semPastaDeSessao()
    {
        QTemporaryDir cache;
        const QByteArray antes = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        struct Restaura {
            QByteArray valor;
            ~Restaura()
            {
                qputenv("XDG_RUNTIME_DIR", valor);
                qunsetenv("XDG_CACHE_HOME");
            }
        } restaura{antes};
        TRelevo r;
        r.PageHeader = false;
        const QString porta = saida(QStringLiteral("sem-sessao.prn"));
        r.PrinterPort = porta;
        QVERIFY(r.BeginDoc());
        const QString pasta = QDir(cache.path()).filePath(QStringLiteral("viga-execucao/viga-relevo"));
        QCOMPARE(QFileInfo(r.arquivoJob()).absolutePath(), pasta);
        QCOMPARE(int(QFileInfo(pasta).permissions() & 0x0077), 0);
        r.WriteText({}, QStringLiteral("TICKET"), 0, true);
        r.EndDoc();
        QVERIFY2(m_servicos->mensagens.isEmpty(), qPrintable(m_servicos->textos().join(u'\n')));
        QVERIFY(lerArquivo(porta).contains("TICKET"));
    }

    void portas_data()
    {
        QTest::addColumn<QString>("porta");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("caminho");
        QTest::newRow("lpt1") << QStringLiteral("lpt1") << int(DestinoPorta::Arquivo)
                              << QStringLiteral("/dev/lp0");
        QTest::newRow("LPT2: mapped")
            << QStringLiteral("LPT2:") << int(DestinoPorta::Arquivo) << QStringLiteral("/dev/usb/lp0");
        QTest::newRow("COM1") << QStringLiteral("COM1") << int(DestinoPorta::Arquivo)
                              << QStringLiteral("/dev/ttyS0");
        QTest::newRow("COM3 mapped") << QStringLiteral("com3") << int(DestinoPorta::Arquivo)
                                     << QStringLiteral("/dev/ttyUSB0");
        QTest::newRow("shared") << QStringLiteral("\\\\balanca\\matricial") << int(DestinoPorta::FilaCups)
                                << QStringLiteral("matricial");
        QTest::newRow("default") << QString() << int(DestinoPorta::FilaCups) << QString();
        QTest::newRow("file") << QStringLiteral("/tmp/saida.txt") << int(DestinoPorta::Arquivo)
                              << QStringLiteral("/tmp/saida.txt");
    }
    void portas()
    {
        QFETCH(QString, porta);
        QFETCH(int, tipo);
        QFETCH(QString, caminho);
        QFile ini(m_dir.filePath(QStringLiteral("viga.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write("[printer]\nLPT2=/dev/usb/lp0\n[serial]\nCOM3=/dev/ttyUSB0\n");
        ini.close();
        const DestinoPorta d = ResolvePorta(porta);
        QCOMPARE(int(d.tipo), tipo);
        QCOMPARE(d.caminho, caminho);
    }

    void statusParalela_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("codigo");
        QTest::newRow("ready") << 0x90 << 0;
        QTest::newRow("ready, acknowledge") << 0xD0 << 0;
        QTest::newRow("not ready") << 0x18 << 1;
        QTest::newRow("no paper") << 0x38 << 2;
        QTest::newRow("offline 30") << 0x30 << 3;
        QTest::newRow("offline 20") << 0x20 << 3;
        QTest::newRow("other") << 0x80 << 4;
    }
    void statusParalela()
    {
        QFETCH(int, status);
        QFETCH(int, codigo);
        QCOMPARE(CodigoStatusParalela(status), codigo);
    }

    // The command-script route copies the job to the port with a shell script
    // and says it printed once the script has ended well; the job file and
    // the script are removed.
    void rotaScript()
    {
        const QString porta = saida(QStringLiteral("termica.prn"));
        TRelevo r;
        r.PageHeader = false;
        r.PrinterTermic = true;
        r.PrinterPort = porta;
        QVERIFY(r.BeginDoc());
        r.WriteText({}, QStringLiteral("Cupom"), 0, true);
        const QString job = r.arquivoJob();
        r.EndDoc();
        QCOMPARE(m_servicos->textos(), QStringList{QStringLiteral("Impressão finalizada")});
        QCOMPARE(lerArquivo(porta), QByteArray("\x1B\x43\x3E\x1B\x43\x3E"
                                               "Cupom\r\n"));
        QVERIFY(!QFile::exists(job));
        QVERIFY(!QFile::exists(job.left(job.lastIndexOf(u'.') + 1) + QStringLiteral("sh")));
    }

    // A script that fails (the port's line settings refused, exit 1; the
    // port cannot be written) is the printing failure every route reports:
    // nothing is said printed, nothing reaches the port, nothing is left behind.
    void rotaScriptFalha_data()
    {
        QTest::addColumn<QString>("porta");
        QTest::addColumn<QString>("motivo");
        // the reason: the failing command's own words, which name it
        QTest::newRow("stty recusado") << QStringLiteral("COM3") << QStringLiteral("stty: ");
        QTest::newRow("porta em pasta inexistente")
            << QStringLiteral("sem-pasta/termica.prn") << QStringLiteral("sem-pasta/termica.prn");
    }
    void rotaScriptFalha()
    {
        QFETCH(QString, porta);
        QFETCH(QString, motivo);
        // COM3 is a regular file: the port settings (stty) refuse it.
        const QString falsa = saida(QStringLiteral("ttyFalsa"));
        {
            QFile f(falsa);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QFile ini(saida(QStringLiteral("viga.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ini.write("[serial]\nCOM3=" + falsa.toUtf8() + "\n");
        }
        TRelevo r;
        r.PageHeader = false;
        r.PrinterTermic = true;
        r.PrinterPort = porta.startsWith(QLatin1String("COM")) ? porta : saida(porta);
        QVERIFY(r.BeginDoc());
        r.WriteText({}, QStringLiteral("Cupom"), 0, true);
        const QString job = r.arquivoJob();
        r.EndDoc();
        QCOMPARE(m_servicos->mensagens.size(), 1);
        const auto& m = m_servicos->mensagens[0];
        QVERIFY2(m.texto.startsWith(QStringLiteral("Impressora em uso ou não pronta.\rErro retornado: ")),
                 qPrintable(m.texto));
        QVERIFY2(m.texto.contains(motivo), qPrintable(m.texto));
        QCOMPARE(m.titulo, QStringLiteral("Atenção"));
        QCOMPARE(lerArquivo(falsa), QByteArray());
        QVERIFY(!QFile::exists(job));
        QVERIFY(!QFile::exists(job.left(job.lastIndexOf(u'.') + 1) + QStringLiteral("sh")));
        QFile::remove(saida(QStringLiteral("viga.ini")));
    }
};

QTEST_GUILESS_MAIN(TstRelevo)
#include "tst_relevo.moc"
