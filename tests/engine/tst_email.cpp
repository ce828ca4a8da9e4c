// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigEmail.h"
#include "EnvioEmail.h"
#include "Relogio.h"
#include "ServidorSmtp.h"
#include "TPrintPDF.h"

#include <QThread>
#include <QtTest>

namespace
{

EnvioEmail mensagemDeTeste(const ServidorSmtp& s, const QString& anexo)
{
    EnvioEmail e;
    e.servidor = s.endereco();
    e.usuario = "balanca";
    e.senha = "s3nha";
    e.remetente = "balanca@cooperativa.com.br";
    e.para = "gerente@cooperativa.com.br, fiscal@cooperativa.com.br";
    e.comCopia = "contador@escritorio.com.br";
    e.comCopiaOculta = "diretoria@cooperativa.com.br";
    e.assunto = "Relatório de Movimento (kg) – dezembro";
    e.mensagem = "Segue o relatório.\n.linha com ponto\nAtenção: conferir pesagens.";
    e.anexo = anexo;
    e.certificadosConfiaveis = s.certificado(); // the test server's own authority
    return e;
}

QString decodificaAssunto(const QByteArray& valor)
{
    QString r;
    const QRegularExpression palavra("=\\?UTF-8\\?B\\?([^?]*)\\?=");
    auto it = palavra.globalMatch(QString::fromLatin1(valor));
    while (it.hasNext()) {
        r += QString::fromUtf8(QByteArray::fromBase64(it.next().captured(1).toLatin1()));
    }
    return r;
}

} // namespace

class TstEmail : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_pdf;

private Q_SLOTS:
    void initTestCase()
    {
        Relogio::fixar(QDateTime(QDate(2026, 12, 9), QTime(14, 35, 7)));
        m_pdf = m_dir.filePath("Relatorio.pdf");
        QList<QStringList> paginas;
        for (int p = 0; p < 3; ++p) {
            paginas << QStringList{QStringLiteral("PÁGINA %1").arg(p + 1), "SOJA      12.340"};
        }
        QVERIFY(GravaPdfPaginas(paginas, m_pdf, "Movimento", "Courier", 10));
    }

    // The whole message as the server received it: envelope, headers, body and
    // the attachment decoded back to the very bytes of the file.
    void mensagemCompleta()
    {
        ServidorSmtp servidor(true);
        QVERIFY(servidor.porta() > 0);
        EnvioEmail e = mensagemDeTeste(servidor, m_pdf);
        e.prioridade = EnvioEmail::Baixa;
        e.confirmacaoLeitura = true;
        QVERIFY2(e.enviar(), qPrintable(e.erro()));
        QVERIFY(e.erro().isEmpty());

        const auto recebidas = servidor.recebidas();
        QCOMPARE(recebidas.size(), 1);
        const auto& r = recebidas[0];
        QCOMPARE(r.usuario, QString("balanca"));
        QVERIFY(!r.mecanismo.isEmpty());
        QVERIFY(r.tls);
        QCOMPARE(r.de, QString("balanca@cooperativa.com.br"));
        QCOMPARE(r.para, QStringList({"gerente@cooperativa.com.br", "fiscal@cooperativa.com.br",
                                      "contador@escritorio.com.br", "diretoria@cooperativa.com.br"}));

        const MensagemMime m(r.dados);
        QCOMPARE(m.cabecalho("From"), QByteArray("balanca@cooperativa.com.br"));
        QCOMPARE(m.cabecalho("Reply-To"), QByteArray("balanca@cooperativa.com.br"));
        QCOMPARE(m.cabecalho("To"), QByteArray("gerente@cooperativa.com.br, fiscal@cooperativa.com.br"));
        QCOMPARE(m.cabecalho("Cc"), QByteArray("contador@escritorio.com.br"));
        // The blind copy travels only in the envelope.
        QVERIFY(m.cabecalhos("Bcc").isEmpty());
        QVERIFY(!r.dados.contains("diretoria"));
        QCOMPARE(decodificaAssunto(m.cabecalho("Subject")),
                 QString("Relatório de Movimento (kg) – dezembro"));
        QCOMPARE(m.cabecalho("X-Priority"), QByteArray("5 (Lowest)"));
        QCOMPARE(m.cabecalho("Disposition-Notification-To"), QByteArray("balanca@cooperativa.com.br"));
        QCOMPARE(m.cabecalho("Date"),
                 QDateTime(QDate(2026, 12, 9), QTime(14, 35, 7)).toString(Qt::RFC2822Date).toLatin1());
        QCOMPARE(m.cabecalhos("MIME-Version").size(), 1);
        QVERIFY(m.cabecalho("Content-Type").startsWith("multipart/mixed"));

        const auto partes = m.partes();
        QCOMPARE(partes.size(), 2);
        QVERIFY(partes[0].cabecalho("Content-Type").startsWith("text/plain"));
        QCOMPARE(QString::fromUtf8(partes[0].conteudo()),
                 QString("Segue o relatório.\r\n.linha com ponto\r\nAtenção: conferir pesagens."));
        QCOMPARE(partes[1].cabecalho("Content-Type"), QByteArray("application/pdf"));
        QCOMPARE(partes[1].cabecalho("Content-Transfer-Encoding"), QByteArray("base64"));
        QVERIFY(partes[1].cabecalho("Content-Disposition").contains("filename=\"Relatorio.pdf\""));
        QFile pdf(m_pdf);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(partes[1].conteudo(), pdf.readAll());
    }

    void prioridadeECopias_data()
    {
        QTest::addColumn<int>("prioridade");
        QTest::addColumn<QByteArray>("xPriority");
        QTest::addColumn<QString>("cc");
        QTest::addColumn<QString>("cco");
        QTest::addColumn<int>("destinatarios");
        QTest::newRow("alta sem copias") << int(EnvioEmail::Alta) << QByteArray("1 (Highest)") << ""
                                         << "" << 2;
        QTest::newRow("normal com cco") << int(EnvioEmail::Normal) << QByteArray("3 (Normal)") << " "
                                        << "Diretor <a@b.com>; c@d.com" << 4;
        QTest::newRow("baixa com cc") << int(EnvioEmail::Baixa) << QByteArray("5 (Lowest)") << "x@y.com,,"
                                      << "" << 3;
    }
    void prioridadeECopias()
    {
        QFETCH(int, prioridade);
        QFETCH(QByteArray, xPriority);
        QFETCH(QString, cc);
        QFETCH(QString, cco);
        QFETCH(int, destinatarios);
        ServidorSmtp servidor(true);
        EnvioEmail e = mensagemDeTeste(servidor, m_pdf);
        e.prioridade = static_cast<EnvioEmail::Prioridade>(prioridade);
        e.comCopia = cc;
        e.comCopiaOculta = cco;
        QVERIFY2(e.enviar(), qPrintable(e.erro()));
        const auto r = servidor.recebidas();
        QCOMPARE(r.size(), 1);
        QCOMPARE(r[0].para.size(), destinatarios);
        for (const QString& d : r[0].para) {
            QVERIFY2(QRegularExpression("^[a-z.]+@[a-z.]+$").match(d).hasMatch(), qPrintable(d));
        }
        const MensagemMime m(r[0].dados);
        QCOMPARE(m.cabecalho("X-Priority"), xPriority);
        QCOMPARE(m.cabecalhos("Cc").isEmpty(), EnvioEmail::enderecos(cc).isEmpty());
        QVERIFY(m.cabecalhos("Disposition-Notification-To").isEmpty());
    }

    // STARTTLS is used when the server offers it; a certificate that cannot be
    // verified stops the send instead of falling back to plain text.
    void starttls()
    {
        ServidorSmtp servidor(true);
        QVERIFY(servidor.porta() > 0);
        EnvioEmail e = mensagemDeTeste(servidor, m_pdf);
        e.certificadosConfiaveis.clear();
        QVERIFY(!e.enviar());
        QVERIFY(servidor.recebidas().isEmpty());

        e.certificadosConfiaveis = servidor.certificado();
        QVERIFY2(e.enviar(), qPrintable(e.erro()));
        const auto r = servidor.recebidas();
        QCOMPARE(r.size(), 1);
        QVERIFY(r[0].tls);
        QCOMPARE(r[0].usuario, QString("balanca"));
    }

    // A server without STARTTLS: refused unless the site allows a plain server, and
    // then nothing (the password above all) is sent before the refusal.
    void servidorSemStarttls_data()
    {
        QTest::addColumn<int>("seguranca");
        QTest::addColumn<bool>("envia");
        QTest::newRow("STARTTLS exigido") << int(ConfigEmail::StartTls) << false;
        QTest::newRow("TLS direto") << int(ConfigEmail::Tls) << false;
        QTest::newRow("servidor sem criptografia permitido") << int(ConfigEmail::Nenhuma) << true;
    }
    void servidorSemStarttls()
    {
        QFETCH(int, seguranca);
        QFETCH(bool, envia);
        ServidorSmtp servidor;
        EnvioEmail e = mensagemDeTeste(servidor, m_pdf);
        e.seguranca = seguranca;
        QCOMPARE(e.enviar(), envia);
        const auto r = servidor.recebidas();
        QCOMPARE(r.size(), envia ? 1 : 0);
        if (envia) {
            QVERIFY(!r[0].tls);
            QCOMPARE(r[0].usuario, QString("balanca"));
        } else if (seguranca == ConfigEmail::StartTls) {
            QCOMPARE(e.erro(),
                     QString("O servidor não oferece conexão segura (STARTTLS); nada foi enviado."));
        }
        QVERIFY(!e.erro().contains("s3nha"));
    }

    // A send under way stops when asked to (a server that never answers).
    void cancelamento()
    {
        ServidorMudo mudo;
        QVERIFY(mudo.porta() > 0);
        EnvioEmail e;
        e.servidor = mudo.endereco();
        e.remetente = "balanca@cooperativa.com.br";
        e.para = "gerente@cooperativa.com.br";
        bool ok = true;
        QThread* t = QThread::create([&] { ok = e.enviar(); });
        t->start();
        QTest::qWait(300);
        QVERIFY(!t->isFinished());
        e.cancelar = true;
        QVERIFY(t->wait(10000));
        delete t;
        QVERIFY(!ok);
        QVERIFY(e.cancelado());
        QCOMPARE(e.erro(), QString("Envio cancelado."));
    }

    void falhas()
    {
        ServidorSmtp servidor(true);
        EnvioEmail e = mensagemDeTeste(servidor, m_pdf);
        e.senha = "errada";
        QVERIFY(!e.enviar());
        // why, in the server's own words, and never the password
        QVERIFY2(e.erro().contains("Resposta do servidor: 535"), qPrintable(e.erro()));
        QVERIFY(!e.erro().contains("errada"));

        e = mensagemDeTeste(servidor, m_dir.filePath("nao-existe.pdf"));
        QVERIFY(!e.enviar());

        e = mensagemDeTeste(servidor, m_pdf);
        e.para = e.comCopia = e.comCopiaOculta = " , ";
        QVERIFY(!e.enviar());
        QVERIFY(servidor.recebidas().isEmpty());

        // Nobody listening any more on the port of a server that has stopped.
        e = mensagemDeTeste(servidor, m_pdf);
        {
            ServidorSmtp outro;
            e.servidor = outro.endereco();
        }
        QVERIFY(!e.enviar());
        // said in Portuguese; the library's own words only after "Detalhe:", on a line of their own
        const QStringList linhas = e.erro().split(u'\n');
        QCOMPARE(linhas.value(0),
                 QString("O servidor de e-mail não respondeu (desligado, porta errada ou fora da rede)."));
        QVERIFY2(linhas.size() == 2 && linhas[1].startsWith("Detalhe: "), qPrintable(e.erro()));
    }

    // A line break typed into a header field cannot add a header.
    void quebraDeLinhaNoCabecalho()
    {
        ServidorSmtp servidor(true);
        EnvioEmail e = mensagemDeTeste(servidor, m_pdf);
        e.assunto = "Relatorio\r\nBcc: intruso@fora.com";
        QVERIFY2(e.enviar(), qPrintable(e.erro()));
        const auto r = servidor.recebidas();
        QCOMPARE(r.size(), 1);
        const MensagemMime m(r[0].dados);
        QVERIFY(m.cabecalhos("Bcc").isEmpty());
        QCOMPARE(m.cabecalho("Subject"), QByteArray("Relatorio  Bcc: intruso@fora.com"));
        QCOMPARE(r[0].para.size(), 4);
    }
};

QTEST_GUILESS_MAIN(TstEmail)
#include "tst_email.moc"
