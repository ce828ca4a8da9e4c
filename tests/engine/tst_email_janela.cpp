// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigEmail.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "ServidorSmtp.h"
#include "TFrmMailRV.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace
{

const QString enviado = QStringLiteral("Email enviado com sucesso!");
const QString naoEnviado = QStringLiteral("Não foi possível enviar o email!");

ParametrosEmail parametros(const QString& servidor, const QString& anexo = QString())
{
    ParametrosEmail p;
    p.servidor = servidor;
    p.seguranca = ConfigEmail::Nenhuma; // the plain test server, explicitly allowed
    p.usuario = "balanca";
    p.senha = "s3nha";
    p.remetente = "balanca@cooperativa.com.br";
    p.para = "Gerente@Cooperativa.com.br";
    p.comCopia = "contador@escritorio.com.br";
    p.comCopiaOculta = "";
    p.assunto = "Movimento por Cliente";
    p.anexo = anexo;
    return p;
}

template <class T> T* campo(QWidget& w, const char* nome)
{
    T* c = w.findChild<T*>(QLatin1String(nome));
    if (!c) {
        qFatal("campo %s ausente", nome);
    }
    return c;
}

void abrir(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

const QList<QStringList> paginas{
    {"MOVIMENTO POR CLIENTE", "Placa    Líquido (kg)", "ABC1D23  12.340"},
    {"Total (kg)  12.340"},
};

} // namespace

class TstEmailJanela : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The operator completes the message and sends it twice; the window stays open.
    void enviarComoOperador()
    {
        ServidorSmtp servidor;
        QTemporaryDir dir;
        const QString anexo = dir.filePath("Relatorio.txt");
        QFile f(anexo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("linha 1\r\nlinha 2\r\n");
        f.close();
        DialogosRoteiro d;
        TFrmMailRV w(parametros(servidor.endereco(), anexo));
        abrir(w);

        QCOMPARE(w.windowTitle(), QString("Enviar E-mail"));
        QCOMPARE(campo<QLineEdit>(w, "edtPara")->text(), QString("gerente@cooperativa.com.br"));
        QCOMPARE(campo<QLineEdit>(w, "edtCc")->text(), QString("contador@escritorio.com.br"));
        QCOMPARE(campo<QLineEdit>(w, "edtCco")->text(), QString());
        QCOMPARE(campo<QLineEdit>(w, "edtAssunto")->text(), QString("Movimento por Cliente"));
        QCOMPARE(campo<QComboBox>(w, "cbPrioridade")->currentText(), QString("ALTA"));
        QVERIFY(!campo<QCheckBox>(w, "chkConfirmacao")->isChecked());
        QCOMPARE(campo<QListWidget>(w, "lstAnexos")->item(0)->text(), QString("Relatorio.txt"));
        auto* mensagem = campo<QPlainTextEdit>(w, "memMensagem");
        QTRY_COMPARE(QApplication::focusWidget(), mensagem);

        QTest::keyClicks(mensagem, "Bom dia,");
        QTest::keyClick(mensagem, Qt::Key_Return);
        QTest::keyClicks(mensagem, "segue o relatorio.");
        QCOMPARE(QApplication::focusWidget(), mensagem);
        auto* cco = campo<QLineEdit>(w, "edtCco");
        cco->setFocus();
        QTest::keyClicks(cco, "Diretoria@Cooperativa.COM.BR");
        QCOMPARE(cco->text(), QString("diretoria@cooperativa.com.br"));
        auto* prioridade = campo<QComboBox>(w, "cbPrioridade");
        prioridade->setFocus();
        QTest::keyClick(prioridade, Qt::Key_Down);
        QTest::keyClick(prioridade, Qt::Key_Down);
        QCOMPARE(prioridade->currentText(), QString("BAIXA"));
        QTest::mouseClick(campo<QCheckBox>(w, "chkConfirmacao"), Qt::LeftButton, {}, QPoint(6, 8));

        QTest::mouseClick(campo<QPushButton>(w, "btnEnviar"), Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 1);
        QCOMPARE(d.mostradas[0].texto, enviado);
        QCOMPARE(d.mostradas[0].titulo, QString("Confirmação"));
        QCOMPARE(d.mostradas[0].flags, int(Msg::Informacao));
        QVERIFY(w.isVisible());
        QTest::mouseClick(campo<QPushButton>(w, "btnEnviar"), Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList({enviado, enviado}));

        const auto recebidas = servidor.recebidas();
        QCOMPARE(recebidas.size(), 2);
        QCOMPARE(recebidas[0].para, QStringList({"gerente@cooperativa.com.br", "contador@escritorio.com.br",
                                                 "diretoria@cooperativa.com.br"}));
        const MensagemMime m(recebidas[1].dados);
        QCOMPARE(m.cabecalho("To"), QByteArray("gerente@cooperativa.com.br"));
        QCOMPARE(m.cabecalho("Subject"), QByteArray("Movimento por Cliente"));
        QCOMPARE(m.cabecalho("X-Priority"), QByteArray("5 (Lowest)"));
        QCOMPARE(m.cabecalho("Disposition-Notification-To"), QByteArray("balanca@cooperativa.com.br"));
        const auto partes = m.partes();
        QCOMPARE(partes.size(), 2);
        QCOMPARE(QString::fromUtf8(partes[0].conteudo()), QString("Bom dia,\r\nsegue o relatorio."));
        QCOMPARE(partes[1].conteudo(), QByteArray("linha 1\r\nlinha 2\r\n"));

        QTest::mouseClick(campo<QPushButton>(w, "btnSair"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    // Enter walks the fields in order; in the message text it starts a new line.
    void ordemDoEnter()
    {
        DialogosRoteiro d;
        TFrmMailRV w(parametros("127.0.0.1:1"));
        abrir(w);
        auto* para = campo<QLineEdit>(w, "edtPara");
        para->setFocus();
        const QList<QWidget*> ordem{
            campo<QLineEdit>(w, "edtCc"),           campo<QLineEdit>(w, "edtCco"),
            campo<QLineEdit>(w, "edtAssunto"),      campo<QComboBox>(w, "cbPrioridade"),
            campo<QCheckBox>(w, "chkConfirmacao"),  campo<QListWidget>(w, "lstAnexos"),
            campo<QPlainTextEdit>(w, "memMensagem")};
        for (QWidget* proximo : ordem) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), proximo);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), ordem.last());
        QCOMPARE(campo<QPlainTextEdit>(w, "memMensagem")->toPlainText(), QString("\n"));
        QVERIFY(d.mostradas.isEmpty());
    }

    void falhaNoEnvio()
    {
        QString endereco;
        {
            ServidorSmtp parado;
            endereco = parado.endereco();
        }
        DialogosRoteiro d;
        TFrmMailRV w(parametros(endereco));
        abrir(w);
        QTest::mouseClick(campo<QPushButton>(w, "btnEnviar"), Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 1);
        // the message says why
        QVERIFY2(d.mostradas[0].texto.startsWith(naoEnviado + "\n\n") &&
                     d.mostradas[0].texto.contains("Couldn't connect to server"),
                 qPrintable(d.mostradas[0].texto));
        QCOMPARE(d.mostradas[0].titulo, QString("Confirmação"));
        QCOMPARE(d.mostradas[0].flags, int(Msg::Informacao));
        QVERIFY(w.isVisible());
    }

    // TLS is required unless the site allows a plain server: over STARTTLS (the site's
    // own authority trusted) the message goes; to a plain server it does not.
    void tlsExigido()
    {
        ServidorSmtp comTls(true);
        ServidorSmtp semTls;
        DialogosRoteiro d;
        ParametrosEmail p = parametros(comTls.endereco());
        p.seguranca = ConfigEmail::StartTls;
        p.certificados = comTls.certificado();
        TFrmMailRV w(p);
        abrir(w);
        QTest::mouseClick(campo<QPushButton>(w, "btnEnviar"), Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{enviado});
        QCOMPARE(comTls.recebidas().size(), 1);
        QVERIFY(comTls.recebidas()[0].tls);

        p.servidor = semTls.endereco();
        TFrmMailRV w2(p);
        abrir(w2);
        QTest::mouseClick(campo<QPushButton>(w2, "btnEnviar"), Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 2);
        QCOMPARE(d.mostradas[1].texto,
                 naoEnviado + "\n\nO servidor não oferece conexão segura (STARTTLS); nada foi enviado.");
        QVERIFY(semTls.recebidas().isEmpty());
    }

    // The window keeps answering while it sends: "Cancelar" stops a send to a server
    // that never answers, and the window is usable again.
    void cancelarEnvio()
    {
        ServidorMudo mudo;
        QVERIFY(mudo.porta() > 0);
        DialogosRoteiro d;
        TFrmMailRV w(parametros(mudo.endereco()));
        abrir(w);
        auto* cancelar = campo<QPushButton>(w, "btnCancelarEnvio");
        QVERIFY(!cancelar->isVisible());
        bool visivelDurante = false, enviarDesligado = false;
        QTimer::singleShot(300, &w, [&] {
            visivelDurante = cancelar->isVisible() && w.enviando();
            enviarDesligado = !campo<QPushButton>(w, "btnEnviar")->isEnabled();
            QTest::mouseClick(cancelar, Qt::LeftButton);
        });
        QTest::mouseClick(campo<QPushButton>(w, "btnEnviar"), Qt::LeftButton);
        QVERIFY(visivelDurante);
        QVERIFY(enviarDesligado);
        QCOMPARE(d.textos(), QStringList{"Envio do e-mail cancelado."});
        QVERIFY(!w.enviando());
        QVERIFY(!cancelar->isVisible());
        QVERIFY(campo<QPushButton>(w, "btnEnviar")->isEnabled());
        QVERIFY(w.isVisible());
    }

    void verificacoesDoPreview_data()
    {
        QTest::addColumn<bool>("pEmail");
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<bool>("abre");
        QTest::newRow("sem permissao") << false << "smtp.x.com"
                                       << "u"
                                       << "s"
                                       << "Você não possuí permissão para enviar por e-mail o relatório"
                                       << "Informação" << false;
        QTest::newRow("sem parametros") << true << " "
                                        << ""
                                        << "  "
                                        << "Os paramêtros não estão configurados!!!"
                                        << "Atenção" << false;
        QTest::newRow("so o servidor em branco") << true << ""
                                                 << "u"
                                                 << "s"
                                                 << ""
                                                 << "" << true;
    }
    void verificacoesDoPreview()
    {
        QFETCH(bool, pEmail);
        QFETCH(QString, servidor);
        QFETCH(QString, usuario);
        QFETCH(QString, senha);
        QFETCH(QString, mensagem);
        QFETCH(QString, titulo);
        QFETCH(bool, abre);
        for (bool pdf : {false, true}) {
            DialogosRoteiro d;
            ParametrosEmail p = parametros(servidor);
            p.usuario = usuario;
            p.senha = senha;
            bool abriu = false;
            if (abre) {
                Operador::quandoAbrir<TFrmMailRV>([&abriu](TFrmMailRV* w) {
                    abriu = true;
                    w->close();
                });
            }
            if (pdf) {
                TFrmMailRV::EnviarPdf(paginas, "Courier", 10, p, pEmail);
            } else {
                TFrmMailRV::EnviarTexto(paginas, p, pEmail);
            }
            QCOMPARE(abriu, abre);
            QCOMPARE(d.textos(), mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
            if (!mensagem.isEmpty()) {
                QCOMPARE(d.mostradas[0].titulo, titulo);
            }
        }
    }

    // The preview's commands attach the report, as text or as PDF, and delete
    // the file once the window has closed.
    void relatorioDoPreview()
    {
        ServidorSmtp servidor;
        for (bool pdf : {false, true}) {
            DialogosRoteiro d;
            QString anexo;
            Operador::quandoAbrir<TFrmMailRV>([&anexo](TFrmMailRV* w) {
                anexo = w->mensagemAtual().anexo;
                QVERIFY(QFile::exists(anexo));
                QTest::mouseClick(w->findChild<QPushButton*>("btnEnviar"), Qt::LeftButton);
                w->close();
            });
            const ParametrosEmail p = parametros(servidor.endereco());
            if (pdf) {
                TFrmMailRV::EnviarPdf(paginas, "Courier", 10, p, true);
            } else {
                TFrmMailRV::EnviarTexto(paginas, p, true);
            }
            QCOMPARE(d.textos(), QStringList{enviado});
            QVERIFY(!anexo.isEmpty());
            QVERIFY(!QFile::exists(anexo));
        }
        const auto recebidas = servidor.recebidas();
        QCOMPARE(recebidas.size(), 2);

        const auto texto = MensagemMime(recebidas[0].dados).partes();
        QVERIFY(texto[1].cabecalho("Content-Disposition").contains("filename=\"Relatorio.txt\""));
        QCOMPARE(QString::fromUtf8(texto[1].conteudo()),
                 QString("MOVIMENTO POR CLIENTE\r\nPlaca    Líquido (kg)\r\nABC1D23  12.340\r\nTotal (kg)  "
                         "12.340\r\n"));

        const auto pdf = MensagemMime(recebidas[1].dados).partes();
        QVERIFY(pdf[1].cabecalho("Content-Disposition").contains("filename=\"Relatorio.pdf\""));
        const QByteArray bytes = pdf[1].conteudo();
        QVERIFY(bytes.startsWith("%PDF-1.4\r\n"));
        QVERIFY(bytes.contains("/Title (Movimento por Cliente)"));
        QVERIFY(bytes.contains("/Count 2\r\n"));
        QVERIFY(bytes.contains("(Total [kg]  12.340 ) Tj"));
    }
};

QTEST_MAIN(TstEmailJanela)
#include "tst_email_janela.moc"
