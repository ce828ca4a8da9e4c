// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's evidence as the operator meets it: the stability
// rule's wait on an indicator that wobbles, the raw frame stored with the
// saved weight, and the cameras' snapshots (GStreamer's test source, and one
// camera that never answers).
#include "DialogosRoteiro.h"
#include "Evidencia.h"
#include "FixturePesagem.h"
#include "IndicadorPty.h"
#include "Operador.h"
#include "Relogio.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TFrmHistoricoPesagem.h"
#include "TFrmImpCopias.h"
#include "TFrmPesagem.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

using namespace FixturePesagem;

namespace
{

const QDateTime agora(QDate(2026, 12, 10), QTime(8, 15, 0));
const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");
// GStreamer's test source for a camera, and one whose pictures never come out.
const QString viva = QStringLiteral("gst:videotestsrc is-live=true ! video/x-raw,width=320,height=240");
const QString muda = QStringLiteral("gst:videotestsrc is-live=true ! valve drop=true");

// A database with the registries, the scale on COM1 (model AR, whole
// kilograms) and the given viga.ini entries.
struct Balcao {
    BancoTeste b;
    DialogosRoteiro d;
    IndicadorPty indicador{b.pasta()};
    explicit Balcao(const QMap<QString, QString>& ini = {})
    {
        cadastros(b);
        b.exec(QStringLiteral("update config set cfg_porta=0, cfg_portasaida=0, cfg_modeloplaca=0, "
                              "cfg_divisao=0, cfg_casasdecimais=0, cfg_alteradatahora=0"));
        QSettings s(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
        for (auto it = ini.cbegin(); it != ini.cend(); ++it) {
            s.setValue(it.key(), it.value());
        }
    }
};

void abrir(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// Types into the focused field and leaves it with Enter, checking the Enter order.
void digitaEnter(QWidget& w, const char* esperado, const QString& texto)
{
    QWidget* f = w.focusWidget();
    QVERIFY2(
        f && f->objectName() == QLatin1String(esperado),
        qPrintable(QStringLiteral("foco em %1, esperado %2").arg(f ? f->objectName() : "nada", esperado)));
    if (auto* e = qobject_cast<QLineEdit*>(f); e && !texto.isEmpty()) {
        if (qobject_cast<TMaskEdit*>(e)) {
            e->clear();
            e->home(false);
        }
        QTest::keyClicks(e, texto);
    }
    QTest::keyClick(f, Qt::Key_Return);
}

// The entry after the invoice number: driver "jose", client 1, product 10.
void restoDaEntrada(TFrmPesagem& w)
{
    digitaEnter(w, "FlatEdit7", QString());
    digitaEnter(w, "FlatEdit24", QString());
    digitaEnter(w, "FlatEdit5", QStringLiteral("jose"));
    digitaEnter(w, "ComboBox1", QString());
    digitaEnter(w, "FlatMaskEdit7", QStringLiteral("1"));
    digitaEnter(w, "FlatMaskEdit6", QString());
    digitaEnter(w, "FlatMaskEdit3", QStringLiteral("10"));
}

// "Novo" and the entry of a client's truck, from the first field, up to the weight.
void novaEntrada(TFrmPesagem& w)
{
    QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
    digitaEnter(w, "FlatEdit3", QStringLiteral("abc1234"));
    digitaEnter(w, "FlatEdit4", QString());
    digitaEnter(w, "FlatMaskEdit10", QString());
    digitaEnter(w, "FlatEdit6", QString());
    restoDaEntrada(w);
}

// Client 1 with a tax number, and the entry window on "Novo".
void novaComCliente(Balcao& c, TFrmPesagem& w, const QString& cnpj)
{
    c.b.exec(QStringLiteral("update cadastrao set cad_cpfcgc='%1' where cad_codigo=1").arg(cnpj));
    abrir(w);
    QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
}

void salvaSemTicket(TFrmPesagem& w)
{
    Operador::quandoAbrir<TFrmImpCopias>([](TFrmImpCopias* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BtnNao")), Qt::LeftButton);
    });
    QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
}

} // namespace

class TstEvidenciaJanela : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Relogio::fixar(agora);
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
        SessaoAtual.PesagemEntrada = 1;
        SessaoAtual.PesagemSaida = 1;
        SessaoAtual.LoginEfetuado = true;
    }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // EstavelMs=1500: a stable reading keeps the lamp yellow and Save off
    // until it has stayed the same that long; a wobbling one never settles.
    // The saved weight's frame is stored exactly as the indicator sent it.
    void estabilidadeEQuadro()
    {
        Balcao c({{QStringLiteral("balanca/EstavelMs"), QStringLiteral("1500")}});
        QVERIFY(c.indicador.ok());
        TFrmPesagem w(1);
        abrir(w);
        novaEntrada(w);

        c.indicador.quadro("D012000\r");
        QTRY_COMPARE(w.campoPesoEntrada->text(), QStringLiteral("12000"));
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Amarela);
        QVERIFY(!w.BtnSalvar->isEnabled());
        QVERIFY(
            w.lampadaBalanca->toolTip().startsWith(QStringLiteral("Aguardando o peso estável por 1,5 s")));

        // The indicator wobbles between two stable readings.
        for (int i = 0; i < 16; ++i) {
            c.indicador.quadro(i % 2 ? "D012000\r" : "D012020\r");
            QTest::qWait(150);
            QVERIFY2(w.lampadaBalanca->cor() != TLampada::Verde, qPrintable(QString::number(i)));
            QVERIFY(!w.BtnSalvar->isEnabled());
        }
        c.indicador.quadro("D012040\r");
        QTRY_VERIFY_WITH_TIMEOUT(w.lampadaBalanca->cor() == TLampada::Verde, 8000);
        QCOMPARE(w.campoPesoEntrada->text(), QStringLiteral("12040"));
        QVERIFY(w.BtnSalvar->isEnabled());

        salvaSemTicket(w);
        QCOMPARE(c.d.ultimo(), sucesso);
        c.indicador.quadro({});
        QCOMPARE(pesagem(c.b, 1)["PES_PESOENTRADA"], QStringLiteral("12040"));
        const Evidencia::Linha e = Evidencia::le(c.b.dm(), 1, 1);
        QVERIFY(e.existe);
        QCOMPARE(e.quadro, QByteArray("D012040\r"));
        QCOMPARE(e.peso, QStringLiteral("12040"));
        QVERIFY(!e.manual);
        QCOMPARE(e.modelo, QStringLiteral("AR"));
        QCOMPARE(e.interface, QStringLiteral("Pesagem"));
        QCOMPARE(e.porta, QSettings(c.b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat)
                              .value(QStringLiteral("serial/COM1"))
                              .toString());
        QVERIFY2(e.estavelMs >= 1500, qPrintable(QString::number(e.estavelMs)));
        QCOMPARE(e.usuario, QStringLiteral("JOAO"));
        QVERIFY(e.cameras.isEmpty());
    }

    // A setting that is not a number is said; the rule stays off.
    void estavelInvalido()
    {
        Balcao c({{QStringLiteral("balanca/EstavelMs"), QStringLiteral("dois segundos")}});
        TFrmPesagem w(1);
        QCOMPARE(c.d.ultimo(),
                 QStringLiteral("Valor inválido em viga.ini: [balanca] EstavelMs=dois segundos. "
                                "Use um número de milissegundos (0 desliga a regra); a regra fica "
                                "desligada."));
        abrir(w);
        novaEntrada(w);
        c.indicador.quadro("D012000\r");
        QTRY_VERIFY(w.lampadaBalanca->cor() == TLampada::Verde);
        c.indicador.quadro({});
    }

    // Two cameras, the rear one silent. The save does not wait for them:
    // right after it the row says the pictures are awaited and the window
    // takes the operator's next weighing; the front picture then comes and
    // is stored and shown, and after 2 s the row says the rear one did not answer.
    void cameras()
    {
        Balcao c({{QStringLiteral("cameras/Frente"), viva}, {QStringLiteral("cameras/Traseira"), muda}});
        TFrmPesagem w(1);
        abrir(w);
        auto* painel = w.findChild<QWidget*>(QStringLiteral("PainelFotos"));
        QVERIFY(painel && painel->isVisible());
        novaEntrada(w);
        c.indicador.quadro("D012000\r");
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        salvaSemTicket(w);
        QCOMPARE(c.d.ultimo(), sucesso);
        c.indicador.quadro({});
        QVERIFY2(
            Evidencia::le(c.b.dm(), 1, 1).cameras.endsWith(QStringLiteral("Traseira: aguardando a câmera")),
            qPrintable(Evidencia::le(c.b.dm(), 1, 1).cameras));

        // The next truck, typed while the rear camera is still awaited.
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digitaEnter(w, "FlatEdit3", QStringLiteral("def5678"));
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("DEF5678"));
        QVERIFY(Evidencia::le(c.b.dm(), 1, 1).cameras.contains(QStringLiteral("aguardando a câmera")));

        QTRY_COMPARE_WITH_TIMEOUT(
            Evidencia::le(c.b.dm(), 1, 1).cameras,
            QStringLiteral("Frente: fotos/1-entrada-frente.jpg; Traseira: câmera não respondeu em 2 s"),
            8000);
        QVERIFY(QFile::exists(c.b.pasta() + QStringLiteral("/fotos/1-entrada-frente.jpg")));
        QVERIFY(!QFile::exists(c.b.pasta() + QStringLiteral("/fotos/1-entrada-traseira.jpg")));
        // The panel shows the weighing on screen: the new one has no pictures yet.
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("FotoFrente"))->text(), QStringLiteral("sem foto"));
        QTest::mouseClick(w.BtnCancelar, Qt::LeftButton);
        w.close();

        // The exit window shows the entry's pictures of the truck it loads.
        TFrmPesagem s(2);
        abrir(s);
        s.listaPesagens->setFocus();
        s.listaPesagens->selecionar(0);
        QTest::keyClick(s.listaPesagens, Qt::Key_Space);
        QCOMPARE(s.campoPlaca->text(), QStringLiteral("ABC1234"));
        QVERIFY(!s.findChild<QLabel*>(QStringLiteral("FotoFrente"))->pixmap().isNull());
        QCOMPARE(s.findChild<QLabel*>(QStringLiteral("FotoTraseira"))->text(), QStringLiteral("sem foto"));
    }

    // A ticket asked for comes once the pictures are stored, so that its
    // preview shows them; the window is closed while they are awaited: the
    // ticket comes at the close and the pictures are still stored after it.
    void ticketAguardaFotos_data()
    {
        QTest::addColumn<bool>("fechaAntes");
        QTest::newRow("janela aberta") << false;
        QTest::newRow("janela fechada antes das fotos") << true;
    }
    void ticketAguardaFotos()
    {
        QFETCH(bool, fechaAntes);
        Balcao c({{QStringLiteral("cameras/Frente"), viva}, {QStringLiteral("cameras/Traseira"), muda}});
        auto w = std::make_unique<TFrmPesagem>(1);
        QList<qint64> tickets;
        bool frenteGravada = false;
        w->imprimeTicket = [&](qint64 numero, int, int) {
            tickets << numero;
            frenteGravada = QFile::exists(c.b.pasta() + QStringLiteral("/fotos/1-entrada-frente.jpg"));
        };
        abrir(*w);
        novaEntrada(*w);
        c.indicador.quadro("D012000\r");
        QTRY_VERIFY(w->BtnSalvar->isEnabled());
        Operador::quandoAbrir<TFrmImpCopias>([](TFrmImpCopias* d) {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BtnSim")), Qt::LeftButton);
        });
        QTest::mouseClick(w->BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        c.indicador.quadro({});
        QVERIFY(tickets.isEmpty()); // the rear camera is still awaited
        if (fechaAntes) {
            w->close();
            QCOMPARE(tickets, QList<qint64>{1});
            w.reset();
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(tickets, QList<qint64>{1}, 8000);
            QVERIFY(frenteGravada);
        }
        QTRY_COMPARE_WITH_TIMEOUT(
            Evidencia::le(c.b.dm(), 1, 1).cameras,
            QStringLiteral("Frente: fotos/1-entrada-frente.jpg; Traseira: câmera não respondeu em 2 s"),
            8000);
    }

    // The administrator's history of one weighing: typed number, Enter to
    // the button, Enter; each change with who, when and what changed, and
    // how each side's weight was taken.
    void historico()
    {
        BancoTeste b;
        DialogosRoteiro d;
        cadastros(b);
        PesagemTela p;
        p.estado = 0;
        p.codigo = QStringLiteral("3");
        p.placa = QStringLiteral("ABC1234");
        p.cadCodigo = QStringLiteral("1");
        p.prdCodigo = QStringLiteral("10");
        p.dataEntrada = QStringLiteral("10/12/2026");
        p.pesoEntrada = QStringLiteral("12000");
        p.pesoNota = QStringLiteral("11900");
        p.pesoEmbalagem = QStringLiteral("5");
        EvidenciaPesagem ev;
        ev.peso = p.pesoEntrada;
        ev.quadro = "D012000\r";
        ev.modelo = QStringLiteral("AR");
        ev.interface = QStringLiteral("Pesagem");
        ev.porta = QStringLiteral("/dev/ttyUSB0");
        ev.estavelMs = 2300;
        ev.usuario = QStringLiteral("JOAO");
        SalvaPesagem::salvar(b.dm(), p, ConfigPesagem::ler(b.dm()), false, {}, &ev);
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        p.estado = 1;
        p.placa = QStringLiteral("XYZ9876");
        SalvaPesagem::salvar(b.dm(), p, ConfigPesagem::ler(b.dm()), false);

        TFrmHistoricoPesagem w;
        abrir(w);
        QCOMPARE(w.focusWidget(), w.campoCodigo);
        QTest::keyClicks(w.campoCodigo, QStringLiteral("3"));
        QTest::keyClick(w.campoCodigo, Qt::Key_Return);
        QCOMPARE(w.focusWidget(), w.botaoConsulta);
        QTest::keyClick(w.botaoConsulta, Qt::Key_Return);
        QCOMPARE(w.tabela->rowCount(), 3);
        QCOMPARE(w.tabela->item(0, 2)->text(), QStringLiteral("JOAO"));
        QCOMPARE(w.tabela->item(0, 4)->text(), QStringLiteral("Inclusão"));
        QCOMPARE(w.tabela->item(1, 4)->text(), QStringLiteral("Inclusão (produtos)"));
        QCOMPARE(w.tabela->item(2, 1)->text(), QStringLiteral("10/12/2026 08:15:00"));
        QCOMPARE(w.tabela->item(2, 2)->text(), QStringLiteral("ADMIN"));
        QCOMPARE(w.tabela->item(2, 4)->text(), QStringLiteral("Alteração"));
        QCOMPARE(w.tabela->item(2, 5)->text(), QStringLiteral("Placa: ABC1234 → XYZ9876"));
        QVERIFY2(
            w.evidencia->text().contains(QStringLiteral("Entrada: 12000 kg lido do indicador AR (Pesagem) em "
                                                        "/dev/ttyUSB0, estável há 2,3 s, quadro 44 30 31 32 "
                                                        "30 30 30 0d")),
            qPrintable(w.evidencia->text()));
        QVERIFY(w.evidencia->text().contains(QStringLiteral("Saída: sem evidência registrada")));
        QVERIFY(d.mostradas.isEmpty());
    }
    // The invoice's access key scanned into "Nº da N. F.:": a wrong check
    // digit is refused and nothing changes; a valid key becomes the invoice
    // number, its summary is shown and the whole key is stored with the
    // weighing, and kept by the exit, whose window does not edit it.
    void chaveDaNotaFiscal()
    {
        Balcao c;
        TFrmPesagem w(1);
        novaComCliente(c, w, QStringLiteral("12.345.678/0001-95"));
        digitaEnter(w, "FlatEdit3", QStringLiteral("abc1234"));
        digitaEnter(w, "FlatEdit4", QString());
        digitaEnter(w, "FlatMaskEdit10", QString());
        const QString errada = QStringLiteral("35261212345678000195550010000123451123456783");
        digitaEnter(w, "FlatEdit6", errada);
        QCOMPARE(c.d.ultimo(), QStringLiteral("Chave de acesso inválida: o dígito verificador não confere. "
                                              "Confira a chave ou leia o código de barras de novo."));
        QCOMPARE(w.campoNumeroNotaFiscal->text(), errada);
        QVERIFY(w.campoNumeroNotaFiscal->hasFocus());
        auto* resumo = w.findChild<QLabel*>(QStringLiteral("resumoChaveNfe"));
        QVERIFY(resumo && !resumo->isVisible());

        // Typed again as the printed copy groups it.
        const QString chave = QStringLiteral("35261212345678000195550010000123451123456782");
        const int mostradas = c.d.mostradas.size();
        w.campoNumeroNotaFiscal->clear();
        digitaEnter(w, "FlatEdit6", QStringLiteral("3526 1212 3456 7800 0195 5500 1000 0123 4511 2345 6782"));
        QCOMPARE(w.campoNumeroNotaFiscal->text(), QStringLiteral("12345"));
        QVERIFY(resumo->isVisible());
        QCOMPARE(resumo->text(), QStringLiteral("Chave da N. F.: SP, 12/2026, CNPJ 12.345.678/0001-95"));
        QCOMPARE(c.d.mostradas.size(), mostradas); // the issuer is the client: nothing to warn
        restoDaEntrada(w);
        c.indicador.quadro("D012000\r");
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        salvaSemTicket(w);
        QCOMPARE(c.d.ultimo(), sucesso);
        QCOMPARE(pesagem(c.b, 1)["PES_NF"], QStringLiteral("12345"));
        QCOMPARE(pesagem(c.b, 1)["PES_CHAVENFE"], chave);

        TFrmPesagem saida(2);
        abrir(saida);
        saida.listaPesagens->setFocus();
        saida.listaPesagens->selecionar(0);
        QTest::keyClick(saida.listaPesagens, Qt::Key_Space);
        QVERIFY(!saida.campoNumeroNotaFiscal->isEnabled());
        c.indicador.quadro("D030000\r");
        QTRY_VERIFY(saida.BtnSalvar->isEnabled());
        salvaSemTicket(saida);
        QCOMPARE(c.d.ultimo(), sucesso);
        c.indicador.quadro({});
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("30000"));
        QCOMPARE(pesagem(c.b, 1)["PES_CHAVENFE"], chave);
    }

    // A key of another issuer, or months old, is taken with a warning; a
    // number typed over the key's number drops the key.
    void chaveComAvisos()
    {
        Balcao c;
        TFrmPesagem w(1);
        novaComCliente(c, w, QStringLiteral("98.765.432/0001-98"));
        w.campoCodigoParte->setFocus();
        w.campoCodigoParte->home(false);
        QTest::keyClicks(w.campoCodigoParte, "1");
        w.campoNumeroNotaFiscal->setFocus();
        QTest::keyClicks(w.campoNumeroNotaFiscal, "35260312345678000195550010000123451123456783");
        QTest::keyClick(w.campoNumeroNotaFiscal, Qt::Key_Tab);
        QCOMPARE(c.d.ultimo(), QStringLiteral("O CNPJ do emitente da nota (12.345.678/0001-95) não é o do "
                                              "cadastro selecionado.\rA nota foi emitida em 03/2026, há "
                                              "mais de dois meses."));
        QCOMPARE(c.d.mostradas.last().titulo, QStringLiteral("Aviso"));
        QCOMPARE(w.campoNumeroNotaFiscal->text(), QStringLiteral("12345"));
        QCOMPARE(w.pesagem().chaveNfe, QStringLiteral("35260312345678000195550010000123451123456783"));
        w.campoNumeroNotaFiscal->setFocus();
        QTest::keyClick(w.campoNumeroNotaFiscal, Qt::Key_Backspace);
        QTest::keyClick(w.campoNumeroNotaFiscal, Qt::Key_Tab);
        QCOMPARE(w.campoNumeroNotaFiscal->text(), QStringLiteral("1234"));
        QVERIFY(w.pesagem().chaveNfe.isEmpty());
        QVERIFY(!w.findChild<QLabel*>(QStringLiteral("resumoChaveNfe"))->isVisible());
    }
    // The front camera is a still picture of a truck: at "Novo" its plate is
    // read off the window's thread and proposed, selected, in the plate
    // field. Enter keeps it; typing replaces it. The evidence keeps the
    // reading, its confidence, its picture and whether the plate was kept.
    void placaProposta_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("gravada");
        QTest::newRow("aceita com Enter") << QString() << "AAU3Q05";
        QTest::newRow("trocada digitando") << "xyz9876"
                                           << "XYZ9876";
    }
    void placaProposta()
    {
        QFETCH(QString, digitado);
        QFETCH(QString, gravada);
        Balcao c({{QStringLiteral("cameras/Frente"),
                   QStringLiteral(VIGA_FOTOS_PLACAS "/00049_AAU3Q05_limpa.jpg")}});
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QVERIFY(w.campoPlaca->hasFocus());
        QTRY_COMPARE_WITH_TIMEOUT(w.campoPlaca->text(), QStringLiteral("AAU3Q05"), 30000);
        QCOMPARE(w.campoPlaca->selectedText(), QStringLiteral("AAU3Q05"));
        auto* lida = w.findChild<QLabel*>(QStringLiteral("placaLida"));
        QVERIFY(lida->isVisible());
        QVERIFY2(lida->text().startsWith(QStringLiteral("Placa lida pela câmera: AAU3Q05 (confiança ")),
                 qPrintable(lida->text()));
        digitaEnter(w, "FlatEdit3", digitado);
        QCOMPARE(w.campoPlaca->text(), gravada);
        digitaEnter(w, "FlatEdit4", QString());
        digitaEnter(w, "FlatMaskEdit10", QString());
        digitaEnter(w, "FlatEdit6", QString());
        restoDaEntrada(w);
        c.indicador.quadro("D012000\r");
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        salvaSemTicket(w);
        QCOMPARE(c.d.ultimo(), sucesso);
        c.indicador.quadro({});

        QCOMPARE(pesagem(c.b, 1)["PES_PLACA"], gravada);
        const Evidencia::Linha e = Evidencia::le(c.b.dm(), 1, 1);
        QVERIFY(e.placaLida);
        QCOMPARE(e.placaLida->placa, QStringLiteral("AAU3Q05"));
        QVERIFY2(e.placaLida->confianca >= 0.85 && e.placaLida->confianca <= 1,
                 qPrintable(QString::number(e.placaLida->confianca)));
        QVERIFY2(lida->text().contains(
                     QStringLiteral("(confiança %1 %)").arg(qRound(e.placaLida->confianca * 100))),
                 qPrintable(lida->text()));
        QCOMPARE(e.placaLida->aceita, digitado.isEmpty());
        QVERIFY2(e.placaLida->foto.startsWith(QStringLiteral("fotos/placa-")), qPrintable(e.placaLida->foto));
        QVERIFY(QFile::exists(c.b.pasta() + u'/' + e.placaLida->foto));
        // The save's own picture is stored before the database goes.
        QTRY_COMPARE(Evidencia::le(c.b.dm(), 1, 1).cameras,
                     QStringLiteral("Frente: fotos/1-entrada-frente.jpg"));
    }
};

QTEST_MAIN(TstEvidenciaJanela)
#include "tst_evidencia_janela.moc"
