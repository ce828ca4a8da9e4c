// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "ConsultaPesagem.h"
#include "DialogosRoteiro.h"
#include "Evidencia.h"
#include "FalhaBanco.h"
#include "FixturePesagem.h"
#include "IndicadorPty.h"
#include "Operador.h"
#include "Relogio.h"
#include "SalvaPesagem.h"
#include "ServidorPg.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TFrmCadastrao.h"
#include "TFrmImpCopias.h"
#include "TFrmMain.h"
#include "TFrmPesagem.h"
#include "TFrmUmidade.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"
#include "TstrGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

using namespace FixturePesagem;

namespace
{

const QDateTime agora(QDate(2026, 12, 10), QTime(8, 15, 0));
const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");

void abrir(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// An operator with the weighing rights but none of the others.
void operador(std::function<void(TSessao&)> direitos = {})
{
    SessaoAtual = TSessao();
    SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
    SessaoAtual.PesagemEntrada = 1;
    SessaoAtual.PesagemSaida = 1;
    SessaoAtual.LoginEfetuado = true;
    if (direitos) {
        direitos(SessaoAtual);
    }
}

// Types into the field that has the focus and leaves it with Enter; checks
// that the Enter order brought the operator to `esperado`.
void digitaEnter(QWidget& w, const char* esperado, const QString& texto)
{
    QWidget* f = w.focusWidget();
    QVERIFY2(
        f && f->objectName() == QLatin1String(esperado),
        qPrintable(QStringLiteral("foco em %1, esperado %2").arg(f ? f->objectName() : "nada", esperado)));
    if (auto* e = qobject_cast<QLineEdit*>(f); e && !texto.isEmpty()) {
        if (!e->inputMask().isEmpty() || qobject_cast<TMaskEdit*>(e)) {
            e->clear();
            e->home(false);
        }
        QTest::keyClicks(e, texto);
    }
    QTest::keyClick(f, Qt::Key_Return);
}

// Space on a row of the weighing list, as the operator picks a weighing.
void abreDaLista(TFrmPesagem& w, int linha)
{
    w.listaPesagens->setFocus();
    w.listaPesagens->selecionar(linha);
    QTest::keyClick(w.listaPesagens, Qt::Key_Space);
}

// Focuses a field and types into it from its start.
void digita(QLineEdit* e, const QString& texto)
{
    e->setFocus();
    e->clear();
    e->home(false);
    QTest::keyClicks(e, texto);
}

// Answers the ticket question when it comes.
void respondeTicket(bool sim, const QString& copias = {})
{
    Operador::quandoAbrir<TFrmImpCopias>([sim, copias](TFrmImpCopias* d) {
        if (!copias.isEmpty()) {
            d->campoCopias()->setFocus();
            d->campoCopias()->home(false);
            QTest::keyClicks(d->campoCopias(), copias);
        }
        QTest::mouseClick(
            d->findChild<QPushButton*>(sim ? QStringLiteral("BtnSim") : QStringLiteral("BtnNao")),
            Qt::LeftButton);
    });
}

// A database with the registries, the scale on COM1 (model AR, whole kilograms).
struct Balcao {
    BancoTeste b;
    DialogosRoteiro d;
    IndicadorPty indicador{b.pasta()};
    explicit Balcao(const QString& config = {})
    {
        cadastros(b);
        b.exec(QStringLiteral(
            "update config set cfg_porta=0, cfg_portasaida=0, cfg_modeloplaca=0, cfg_divisao=0, "
            "cfg_casasdecimais=0, cfg_alteradatahora=0"));
        if (!config.isEmpty()) {
            b.exec(QStringLiteral("update config set ") + config);
        }
    }
};

// An open weighing of client 1, product 10, entry 12000 kg, stored by the save itself.
void pesagemAberta(TDM& dm, qint64 codigo, const QString& placa = QStringLiteral("ABC1234"),
                   const QString& peso = QStringLiteral("12000"))
{
    PesagemTela p;
    p.estado = 0;
    p.codigo = QString::number(codigo);
    p.placa = placa;
    p.motorista = QStringLiteral("JOSE");
    p.cadCodigo = QStringLiteral("1");
    p.cadRazao = QStringLiteral("CLIENTE UM");
    p.prdCodigo = QStringLiteral("10");
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("07:00:00");
    p.pesoEntrada = peso;
    p.fatorVisivel = {true, true, true, true};
    p.fatores = {QStringLiteral("1"), {}, {}, {}};
    SalvaPesagem::salvar(dm, p, ConfigPesagem::ler(dm), false);
}
void pesagemAberta(BancoTeste& b, qint64 codigo, const QString& placa = QStringLiteral("ABC1234"),
                   const QString& peso = QStringLiteral("12000"))
{
    pesagemAberta(b.dm(), codigo, placa, peso);
}

// Watches for the ticket question while a save runs: says whether it came
// (and answers No when it does).
struct VigiaPergunta {
    bool perguntou = false;
    QTimer timer;
    VigiaPergunta()
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<TFrmImpCopias*>(w); d && d->isVisible()) {
                    perguntou = true;
                    d->reject();
                }
            }
        });
        timer.start();
    }
};

} // namespace

class TstPesagem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Relogio::fixar(agora);
        operador();
    }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // An automatic entry typed from the first field with Enter: a weight in
    // motion keeps Save disabled, the settled one enables it.
    void entradaAutomatica()
    {
        Balcao c;
        QVERIFY(c.indicador.ok());
        TFrmPesagem w(1);
        abrir(w);
        QCOMPARE(w.windowTitle(), QStringLiteral("Pesagem Entrada"));
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Branca && w.lampadaBalanca->contornoPontilhado());
        QVERIFY(!w.listaPesagens->isVisible());
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.campoCodigoPesagem->maskText().trimmed(), QStringLiteral("1"));
        QCOMPARE(w.campoDataEntrada->maskText(), QStringLiteral("10/12/2026"));
        QCOMPARE(w.campoHoraEntrada->maskText(), QStringLiteral("08:15:00"));
        QVERIFY(w.fluxo().lendo());
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Vermelha);
        QVERIFY(!w.comboModoEntrada->isEnabled()); // no right to weigh by hand
        QVERIFY(w.campoPesoEntrada->isReadOnly());

        digitaEnter(w, "FlatEdit3", "abc1234");
        digitaEnter(w, "FlatEdit4", "xyz9876");
        digitaEnter(w, "FlatMaskEdit10", "15000");
        digitaEnter(w, "FlatEdit6", "nf 77");
        digitaEnter(w, "FlatEdit7", "");
        digitaEnter(w, "FlatEdit24", "12345");
        digitaEnter(w, "FlatEdit5", "jose motorista");
        digitaEnter(w, "ComboBox1", "");
        digitaEnter(w, "FlatMaskEdit7", "1");
        QCOMPARE(w.campoNomeParte->text(), QStringLiteral("CLIENTE UM"));
        digitaEnter(w, "FlatMaskEdit6", "3");
        QCOMPARE(w.campoNomeTransportadora->text(), QStringLiteral("TRANSPORTES TRES"));
        digitaEnter(w, "FlatMaskEdit3", "10");
        QCOMPARE(w.campoDescricaoProduto->text(), QStringLiteral("SOJA"));
        QVERIFY(!w.BtnSalvar->isEnabled());

        c.indicador.quadro("C011990\r");
        QTRY_COMPARE(w.campoPesoEntrada->text(), QStringLiteral("11990"));
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Amarela);
        QTest::qWait(300);
        QVERIFY(!w.BtnSalvar->isEnabled());
        c.indicador.quadro("D012000\r");
        QTRY_COMPARE(w.campoPesoEntrada->text(), QStringLiteral("12000"));
        QTRY_VERIFY(w.lampadaBalanca->cor() == TLampada::Verde);
        QVERIFY(w.BtnSalvar->isEnabled());

        respondeTicket(false);
        QTest::keyClick(w.campoCodigoProduto, Qt::Key_F10);
        QCOMPARE(c.d.ultimo(), sucesso);
        QCOMPARE(c.d.mostradas.last().titulo, QStringLiteral("Sucesso"));
        QVERIFY(!w.fluxo().lendo());
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Branca);
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(w.campoPlaca->text().isEmpty());

        auto esperado = pesagem(c.b, 1);
        QVERIFY(confere(pesagem(c.b, 1), {{"PES_CODIGO", "1"},
                                          {"PES_TIPO", "1"},
                                          {"PES_TKENTRADA", "1"},
                                          {"PES_TKSAIDA", "NULL"},
                                          {"PES_DATAENTRADA", "10/12/2026"},
                                          {"PES_HORAENTRADA", "08:15:00"},
                                          {"PES_PESOENTRADA", "12000"},
                                          {"PES_DATASAIDA", "NULL"},
                                          {"PES_HORASAIDA", "NULL"},
                                          {"PES_PESOSAIDA", "NULL"},
                                          {"PES_TKTMANUALENTRADA", "1"},
                                          {"PES_TKTMANUALSAIDA", "1"},
                                          {"PES_PLACA", "ABC1234"},
                                          {"PES_PLACACARRETA", "XYZ9876"},
                                          {"PES_MOTORISTA", "JOSE MOTORISTA"},
                                          {"PES_NF", "NF 77"},
                                          {"PES_PESONOTA", "15000"},
                                          {"PES_PESOEMBALAGEM", "0"},
                                          {"PES_MENSAGEM", "PESO BRUTO MAIOR QUE ZERO."},
                                          {"PES_MENSAGEMSAIDA", "NULL"},
                                          {"CAD_CODIGO", "1"},
                                          {"CAD_TIPO", "3"},
                                          {"CAD_CODIGOEMIS", "1"},
                                          {"CAD_TIPOEMIS", "1"},
                                          {"CAD_CODIGOTRA", "3"},
                                          {"CAD_TIPOTRA", "2"},
                                          {"PES_RGMOTORISTA", "12345"},
                                          {"PES_FRETE", "NULL"},
                                          {"PES_KM", "NULL"},
                                          {"TPV_CODIGO", "NULL"},
                                          {"PES_VALOR", "NULL"},
                                          {"PES_PERCDESC", "NULL"},
                                          {"PES_OBS", "NULL"},
                                          {"PES_OBSSAIDA", "NULL"},
                                          {"PES_TARAPESAGEM", "NULL"},
                                          {"PES_CHAVENFE", "NULL"}}));
        QVERIFY(confere(produtos(c.b, 1).value(0), linhaProduto(1, "10")));
    }

    // With the right, the operator switches to manual and types the weight.
    // Without it, the list stays on automatic and the box takes no typing.
    void entradaManual_data()
    {
        QTest::addColumn<bool>("direito");
        QTest::newRow("com direito") << true;
        QTest::newRow("sem direito") << false;
    }
    void entradaManual()
    {
        QFETCH(bool, direito);
        Balcao c(QStringLiteral("cfg_produtoopcional=1"));
        operador([direito](TSessao& s) { s.PesagemManualEntrada = direito ? 1 : 0; });
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.comboModoEntrada->isEnabled(), direito);
        w.campoPlaca->setFocus();
        QTest::keyClicks(w.campoPlaca, "MAN0001");
        w.campoNomeMotorista->setFocus();
        QTest::keyClicks(w.campoNomeMotorista, "ANA");
        digita(w.campoCodigoParte, "1");
        QTest::keyClick(w.campoCodigoParte, Qt::Key_Return);
        if (!direito) {
            QVERIFY(w.campoPesoEntrada->isReadOnly());
            return;
        }
        w.comboModoEntrada->setFocus();
        QTest::keyClick(w.comboModoEntrada, Qt::Key_Up); // "Pesagem Manual"
        QCOMPARE(w.comboModoEntrada->currentIndex(), 0);
        QVERIFY(!w.fluxo().lendo());
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Verde);
        QVERIFY(!w.campoPesoEntrada->isReadOnly());
        w.campoPesoEntrada->setFocus();
        QTest::keyClicks(w.campoPesoEntrada, "15000,7");
        QTest::keyClick(w.campoPesoEntrada, Qt::Key_Tab);
        QCOMPARE(w.campoPesoEntrada->text(),
                 QStringLiteral("15001")); // shown with the configured decimals (none)
        QVERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(true);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        const auto r = pesagem(c.b, 1);
        QCOMPARE(r["PES_PESOENTRADA"], QStringLiteral("15001"));
        QCOMPARE(r["PES_TKTMANUALENTRADA"], QStringLiteral("0"));
        QCOMPARE(r["PES_TKENTRADA"], QStringLiteral("0")); // ticket asked for
        QCOMPARE(r["PES_MENSAGEM"], QStringLiteral(""));
        QVERIFY(w.pedidoImpressao());
        QCOMPARE(produtos(c.b, 1).size(), 0);
    }

    // The exit picked from the list, with the ticket and two copies; the
    // weighing leaves the list.
    void saidaDaLista()
    {
        Balcao c;
        pesagemAberta(c.b, 1);
        pesagemAberta(c.b, 2, QStringLiteral("OUT0002"));
        TFrmPesagem w(2);
        qint64 impresso = 0;
        int copias = 0;
        w.imprimeTicket = [&](qint64 codigo, int modo, int n) {
            impresso = codigo;
            copias = n;
            QCOMPARE(modo, 2);
        };
        abrir(w);
        QCOMPARE(w.windowTitle(), QStringLiteral("Pesagem Saída"));
        QVERIFY(!w.BtnNovo->isVisible());
        QCOMPARE(w.listaPesagens->model()->rowCount(), 2);
        QTest::keyClicks(w.campoLocalizarPlaca, "out");
        QCOMPARE(w.listaPesagens->linhaAtual(), 1);
        QTest::keyClick(w.campoLocalizarPlaca, Qt::Key_G, Qt::AltModifier);
        QVERIFY(w.listaPesagens->hasFocus());
        w.listaPesagens->selecionar(0);
        QTest::keyClick(w.listaPesagens, Qt::Key_Space);
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("ABC1234"));
        QCOMPARE(w.campoPesoEntrada->text(), QStringLiteral("12000"));
        QCOMPARE(w.campoDataSaida->maskText(), QStringLiteral("10/12/2026"));
        QCOMPARE(w.campoHoraSaida->maskText(), QStringLiteral("08:15:00"));
        QVERIFY(!w.campoPlaca->isEnabled());
        QVERIFY(w.fluxo().lendo());

        c.indicador.quadro("D030000\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("30000"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(true, QStringLiteral("2"));
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        QCOMPARE(impresso, 1);
        QCOMPARE(copias, 2);
        QCOMPARE(w.listaPesagens->model()->rowCount(), 1);

        const auto r = pesagem(c.b, 1);
        QCOMPARE(r["PES_TIPO"], QStringLiteral("2"));
        QCOMPARE(r["PES_TKSAIDA"], QStringLiteral("1"));
        QCOMPARE(r["PES_DATASAIDA"], QStringLiteral("10/12/2026"));
        QCOMPARE(r["PES_HORASAIDA"], QStringLiteral("08:15:00"));
        QCOMPARE(r["PES_PESOSAIDA"], QStringLiteral("30000"));
        QCOMPARE(r["PES_PESOENTRADA"], QStringLiteral("12000"));
        QCOMPARE(r["PES_MENSAGEMSAIDA"], QStringLiteral("PESO BRUTO MAIOR QUE ZERO."));
        QCOMPARE(r["PES_TKTMANUALSAIDA"], QStringLiteral("1"));
        // The product's fixed factors at the exit, the entry factor kept.
        QVERIFY(confere(
            produtos(c.b, 1).value(0),
            linhaProduto(1, "10", {"PES_FATOR1=1", "PES_FATOR2=0,5", "PES_FATOR6=0,25", "PES_FATOR7E=1"})));
    }

    // A completed weighing is changed only by the administrator.
    void saidaConfirmada()
    {
        Balcao c(QStringLiteral("cfg_exibepesagens=1"));
        pesagemAberta(c.b, 1);
        c.b.exec(QStringLiteral("update pesagem set pes_datasaida='2026-12-10', pes_pesosaida=30000"));
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        QCOMPARE(c.d.ultimo(),
                 QStringLiteral("Pesagem com saída confirmada. Será alterado somente pelo administrador."));
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(w.campoPlaca->text().isEmpty());
    }

    // Exit-only: the driver's registered tare fills the entry weight.
    void somenteSaidaComTara()
    {
        Balcao c(QStringLiteral("cfg_somentesaida=1, cfg_cadmotorista=1, cfg_produtoopcional=1"));
        TFrmPesagem w(2);
        abrir(w);
        QVERIFY(w.BtnNovo->isVisible());
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.comboModoEntrada->currentIndex(), 0);
        QVERIFY(!w.campoPesoEntrada->isReadOnly());
        QVERIFY(!w.campoPesoEmbalagem->isEnabled()); // packaging weight only with CFG_PESOEMBALAGEM
        QCOMPARE(w.campoDataSaida->maskText(), QStringLiteral("10/12/2026"));
        w.campoRgMotorista->setFocus();
        QTest::keyClicks(w.campoRgMotorista, "12345");
        QTest::keyClick(w.campoRgMotorista, Qt::Key_Return);
        QCOMPARE(w.campoNomeMotorista->text(), QStringLiteral("JOSE MOTORISTA"));
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("DRV1234"));
        QCOMPARE(w.campoPesoEntrada->text(), QStringLiteral("11000"));
        digita(w.campoCodigoParte, "1");
        QTest::keyClick(w.campoCodigoParte, Qt::Key_Return);
        c.indicador.quadro("D029500\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("29500"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(false);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        const auto r = pesagem(c.b, 1);
        QCOMPARE(r["PES_PESOENTRADA"], QStringLiteral("11000"));
        QCOMPARE(r["PES_PESOSAIDA"], QStringLiteral("29500"));
        QCOMPARE(r["PES_TKSAIDA"], QStringLiteral("1"));
        QCOMPARE(r["PES_TKENTRADA"], QStringLiteral("NULL"));
        QCOMPARE(r["PES_PLACA"], QStringLiteral("DRV1234"));
        QCOMPARE(r["PES_TKTMANUALENTRADA"], QStringLiteral("0"));
        QCOMPARE(r["PES_DATASAIDA"], QStringLiteral("10/12/2026"));
        QCOMPARE(r["PES_RGMOTORISTA"], QStringLiteral("12345"));
    }

    // The product grid: a product joins once, Del removes it after the question.
    void gradeDeProdutos()
    {
        Balcao c(QStringLiteral("cfg_morproduto=1"));
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        for (const char* p : {"10", "20", "10", "99", "30"}) {
            w.campoCodigoProduto->setFocus();
            w.campoCodigoProduto->clear();
            QTest::keyClicks(w.campoCodigoProduto, p);
            QTest::keyClick(w.campoCodigoProduto, Qt::Key_Tab);
            QTest::mouseClick(w.botaoIncluiProduto, Qt::LeftButton);
        }
        QCOMPARE(c.d.ultimo(), QStringLiteral("NÃO CADASTRADO"));
        QCOMPARE(w.gradeDeProdutos->RowCount(), 4);
        w.campoCodigoProduto->clear();
        w.campoDescricaoProduto->clear();
        w.gradeDeProdutos->setFocus();
        w.gradeDeProdutos->setRow(2);
        c.d.responder(Msg::RespSim);
        QTest::keyClick(w.gradeDeProdutos, Qt::Key_Delete);
        QCOMPARE(c.d.ultimo(), QStringLiteral("Deseja deletar esse Produto da Grade ?"));
        QCOMPARE(w.gradeDeProdutos->RowCount(), 3);
        QCOMPARE(w.gradeDeProdutos->Cells(0, 2), QStringLiteral("30"));

        w.campoPlaca->setFocus();
        QTest::keyClicks(w.campoPlaca, "GRD0001");
        w.campoNomeMotorista->setFocus();
        QTest::keyClicks(w.campoNomeMotorista, "ANA");
        digita(w.campoCodigoParte, "1");
        QTest::keyClick(w.campoCodigoParte, Qt::Key_Tab);
        c.indicador.quadro("D012000\r");
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(false);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        const auto prd = produtos(c.b, 1);
        QCOMPARE(prd.size(), 2);
        QCOMPARE(prd[0]["PRD_CODIGO"], QStringLiteral("10"));
        QCOMPARE(prd[1]["PRD_CODIGO"], QStringLiteral("30"));
        QCOMPARE(prd[1]["PES_FATOR1"], QStringLiteral("NULL"));
    }

    // Exit with fixed factors and moisture: the sum of 100 is refused, an
    // unknown factor 10 clears the four, the moisture gives its discount.
    void fatoresEUmidade()
    {
        Balcao c(QStringLiteral("cfg_umidade=1, cfg_casasdecimais=2, cfg_casasumidade=2"));
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        QVERIFY(w.Fatores[0]->isVisible() && w.campoUmidade->isVisible());
        const auto fatores = [&](const QStringList& v) {
            for (int i = 0; i < 4; ++i) {
                w.Fatores[size_t(i)]->setFocus();
                w.Fatores[size_t(i)]->clear();
                QTest::keyClicks(w.Fatores[size_t(i)], v[i]);
            }
            QTest::keyClick(w.Fatores[3], Qt::Key_Tab);
        };
        fatores({"25", "25", "25", "25"});
        QCOMPARE(c.d.ultimo(), QStringLiteral("Fator de Correção inválido!"));
        QVERIFY(w.Fatores[0]->text().isEmpty() && w.Fatores[3]->text().isEmpty());
        fatores({"2", "0", "0", "1"});
        QCOMPARE(c.d.ultimo(), QStringLiteral("Fator de Correção não cadastrado."));
        QVERIFY(w.Fatores[0]->text().isEmpty());
        fatores({"2", "0", "0", "0,5"});
        QCOMPARE(w.Fatores[0]->text(), QStringLiteral("2,00"));
        QCOMPARE(w.Fatores[3]->text(), QStringLiteral("0,50"));
        w.campoUmidade->setFocus();
        QTest::keyClicks(w.campoUmidade, "18");
        QTest::keyClick(w.campoUmidade, Qt::Key_Tab);
        QCOMPARE(w.campoFatorDescontoUmidade->text(), QStringLiteral("4,65"));

        c.indicador.quadro("D030000\r");
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(false);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        QVERIFY(confere(
            produtos(c.b, 1).value(0),
            linhaProduto(1, "10",
                         {"PES_FATOR1=1", "PES_FATOR2=0,5", "PES_FATOR6=0,25", "PES_FATOR7E=1",
                          "PES_FATOR7=2", "PES_FATOR10=0,5", "PES_FATOR11=4,65", "PES_FATOR11U=18"})));
    }

    // A client leaving lighter than it came: refused without the right,
    // confirmed with it.
    void ordemDosPesos_data()
    {
        QTest::addColumn<bool>("direito");
        QTest::addColumn<int>("resposta");
        QTest::newRow("sem direito") << false << 0;
        QTest::newRow("com direito, não") << true << int(Msg::RespNao);
        QTest::newRow("com direito, sim") << true << int(Msg::RespSim);
    }
    void ordemDosPesos()
    {
        QFETCH(bool, direito);
        QFETCH(int, resposta);
        Balcao c;
        operador([direito](TSessao& s) { s.PesoInferiorSaida = direito ? 1 : 0; });
        pesagemAberta(c.b, 1, QStringLiteral("ABC1234"), QStringLiteral("30000"));
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        c.indicador.quadro("D012000\r");
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        c.indicador.quadro({});
        QTest::qWait(200);
        if (resposta) {
            c.d.responder(resposta);
        }
        if (resposta == Msg::RespSim) {
            respondeTicket(false);
        }
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        const QStringList textos = c.d.textos();
        if (!direito) {
            QVERIFY(textos.contains(
                QStringLiteral("Usuário sem permissão para efetuar pesagem de Cliente\rcom peso de "
                               "Saída inferior ao peso de Entrada")));
        } else {
            QVERIFY(textos.contains(QStringLiteral(
                "Confirma pesagem de Cliente com peso de Saída inferior ao peso de Entrada?")));
        }
        const auto r = pesagem(c.b, 1);
        if (resposta == Msg::RespSim) {
            QCOMPARE(c.d.ultimo(), sucesso);
            QCOMPARE(r["PES_PESOSAIDA"], QStringLiteral("12000"));
        } else {
            QCOMPARE(r["PES_PESOSAIDA"], QStringLiteral("NULL"));
            QCOMPARE(w.EstadoCadastro, 1); // the weighing stays on screen
            QVERIFY(w.campoPesoSaida->text().isEmpty());
            QVERIFY(!w.BtnSalvar->isEnabled());
        }
    }

    // On demand: a reading out of range never saves; a settled one saves at once.
    void demanda()
    {
        Balcao c(QStringLiteral("cfg_interface=1, cfg_modeloplaca=1"));
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        c.indicador.quadro("P30000.\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("30000"));
        QTest::qWait(300);
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Amarela);
        QVERIFY(!w.BtnSalvar->isEnabled());
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("NULL"));

        respondeTicket(false);
        c.indicador.quadro("D30010.\r");
        QTRY_COMPARE(c.d.ultimo(), sucesso);
        c.indicador.quadro({});
        const auto r = pesagem(c.b, 1);
        QCOMPARE(r["PES_PESOSAIDA"], QStringLiteral("30010"));
        // The status text started empty with this weighing; on demand it is only appended to.
        QVERIFY(r["PES_MENSAGEMSAIDA"].startsWith(QStringLiteral("FORA DE FAIXA")));
        QVERIFY(!r["PES_MENSAGEMSAIDA"].contains(QStringLiteral("PESO")));
        QCOMPARE(w.EstadoCadastro, 3);
    }

    // The indicator stops sending after a settled reading (a cable pulled, the
    // indicator switched off): after the silence time set in viga.ini the
    // weight is no longer offered, the lamp turns yellow and Save is
    // disabled; when frames return the reading is live again.
    void indicadorEmSilencio()
    {
        Balcao c;
        QVERIFY(c.indicador.ok());
        {
            QSettings ini(c.b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("serial/Silencio"), QStringLiteral("1,5"));
        }
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        QVERIFY(w.fluxo().lendo());
        c.indicador.quadro("D022000\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("22000"));
        QTRY_VERIFY(w.lampadaBalanca->cor() == TLampada::Verde);
        QVERIFY(w.BtnSalvar->isEnabled());

        c.indicador.quadro({});
        QTest::qWait(800); // within the silence time nothing changes
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Verde);
        QVERIFY(w.BtnSalvar->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(w.lampadaBalanca->cor() == TLampada::Amarela, 3000);
        QVERIFY(!w.BtnSalvar->isEnabled());
        QVERIFY(w.campoPesoSaida->text().isEmpty());
        QCOMPARE(w.campoPesoSaida->placeholderText(), QStringLiteral("SEM LEITURA"));
        // F10 saves nothing while the reading is stale
        QTest::keyClick(&w, Qt::Key_F10);
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("NULL"));

        c.indicador.quadro("D022040\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("22040"));
        QTRY_VERIFY(w.lampadaBalanca->cor() == TLampada::Verde);
        QVERIFY(w.BtnSalvar->isEnabled());
        QVERIFY(c.d.mostradas.isEmpty());
    }

    // A typed number of a stored weighing: "Realizar nova Pesagem?" No keeps
    // the stored weight by hand; Yes weighs again and stores the new weight.
    void numeroDigitado_data()
    {
        QTest::addColumn<bool>("novaPesagem");
        QTest::newRow("não") << false;
        QTest::newRow("sim") << true;
    }
    void numeroDigitado()
    {
        QFETCH(bool, novaPesagem);
        Balcao c;
        operador([](TSessao& s) { s.EditarPesagens = 1; });
        pesagemAberta(c.b, 1);
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QVERIFY(w.campoCodigoPesagem->hasFocus());
        QCOMPARE(w.campoCodigoPesagem->maskText().trimmed(), QStringLiteral("2"));
        c.d.responder(novaPesagem ? Msg::RespSim : Msg::RespNao);
        digitaEnter(w, "FlatMaskEdit1", "1");
        QCOMPARE(c.d.ultimo(), QStringLiteral("Realizar nova Pesagem?"));
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("ABC1234"));
        QCOMPARE(w.campoNomeParte->text(), QStringLiteral("CLIENTE UM"));
        QCOMPARE(w.campoDescricaoProduto->text(), QStringLiteral("SOJA"));
        if (novaPesagem) {
            QVERIFY(w.fluxo().lendo());
            c.indicador.quadro("D012500\r");
            QTRY_COMPARE(w.campoPesoEntrada->text(), QStringLiteral("12500"));
        } else {
            QCOMPARE(w.campoPesoEntrada->text(), QStringLiteral("12000"));
            QCOMPARE(w.comboModoEntrada->currentIndex(), 0);
            QVERIFY(!w.fluxo().lendo());
            QVERIFY(!w.campoPesoEntrada->isEnabled());
        }
        digita(w.campoNomeMotorista, QStringLiteral("OUTRO MOTORISTA"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton); // an entry update asks no ticket question
        QCOMPARE(c.d.ultimo(), sucesso);
        const auto r = pesagem(c.b, 1);
        QCOMPARE(r["PES_PESOENTRADA"], novaPesagem ? QStringLiteral("12500") : QStringLiteral("12000"));
        QCOMPARE(r["PES_MOTORISTA"], QStringLiteral("OUTRO MOTORISTA"));
        QCOMPARE(r["PES_TKENTRADA"], QStringLiteral("1"));
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagem")), 1);
    }

    // A database error during the save: the message, nothing stored, the
    // entries still on screen; the SQL trace showed the statement first.
    void falhaNaGravacao()
    {
        Balcao c(QStringLiteral("cfg_produtoopcional=1"));
        operador([](TSessao& s) { s.PesagemManualEntrada = 1; });
        falharEm(c.b, QStringLiteral("PESAGEMPRODUTO"), QStringLiteral("INSERT"),
                 QStringLiteral("disco cheio"));
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digita(w.campoPlaca, QStringLiteral("FAL0001"));
        digita(w.campoNomeMotorista, QStringLiteral("ANA"));
        digita(w.campoCodigoParte, QStringLiteral("1"));
        digita(w.campoCodigoProduto, QStringLiteral("10"));
        w.comboModoEntrada->setFocus();
        QTest::keyClick(w.comboModoEntrada, Qt::Key_Up);
        digita(w.campoPesoEntrada, QStringLiteral("14000"));
        QTest::keyClick(w.campoPesoEntrada, Qt::Key_Tab);
        QVERIFY(w.BtnSalvar->isEnabled());
        c.b.dm().rastreioSql = true;
        respondeTicket(false);
        c.d.limpar();
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        c.b.dm().rastreioSql = false;
        QCOMPARE(c.d.mostradas.size(), 2);
        QVERIFY(c.d.mostradas[0].texto.startsWith(QStringLiteral("INSERT INTO PESAGEM (PES_CODIGO")));
        QVERIFY(c.d.mostradas[0].texto.contains(QStringLiteral("'FAL0001'")));
        QVERIFY(c.d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")));
        QVERIFY(c.d.ultimo().contains(QStringLiteral("disco cheio")));
        QCOMPARE(c.d.mostradas.last().titulo, QStringLiteral("Erro"));
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagem")), 0);
        QCOMPARE(w.EstadoCadastro, 0);
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("FAL0001"));
        QCOMPARE(w.campoPesoEntrada->text(), QStringLiteral("14000"));
        QVERIFY(w.BtnSalvar->isEnabled());
    }

    // F2 on the party code opens the clients as a picker; F3 needs the
    // registries right.
    void seletores()
    {
        Balcao c;
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        bool picker = false;
        Operador::quandoAbrir<TFrmCadastrao>([&picker](TFrmCadastrao* p) {
            picker = p->comoSeletor() && p->tipo() == 3;
            p->grade()->selecionar(0);
            p->close();
        });
        w.campoCodigoParte->setFocus();
        QTest::keyClick(w.campoCodigoParte, Qt::Key_F2);
        QVERIFY(picker);
        QCOMPARE(w.campoCodigoParte->maskText().trimmed(), QStringLiteral("1"));
        QCOMPARE(w.campoNomeParte->text(), QStringLiteral("CLIENTE UM"));
        QTest::keyClick(w.campoCodigoParte, Qt::Key_F3);
        QCOMPARE(c.d.ultimo(), QStringLiteral("Módulo com acesso restrito."));
        QVERIFY(!Operador::janelaAberta<TFrmCadastrao>());
    }

    // The main window's "&Entrada" and "&Saída" open the window in its mode.
    void comandosDaJanelaPrincipal()
    {
        Balcao c;
        TFrmMain m(c.b.dm());
        m.iniciarAoMostrar = false;
        m.show();
        for (const char* acao : {"PesEntrada", "PesSaida"}) {
            QString titulo;
            Operador::quandoAbrir<TFrmPesagem>([&titulo](TFrmPesagem* w) {
                titulo = w->windowTitle();
                w->close();
            });
            m.acao(QString::fromLatin1(acao))->trigger();
            QCOMPARE(titulo, QString::fromLatin1(acao) == QLatin1String("PesEntrada")
                                 ? QStringLiteral("Pesagem Entrada")
                                 : QStringLiteral("Pesagem Saída"));
        }
        QVERIFY(c.d.mostradas.isEmpty());
    }

    // With dates and times editable, the exit checks refuse what comes before the entry.
    void datasDaSaida()
    {
        Balcao c(QStringLiteral("cfg_alteradatahora=1"));
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        digita(w.campoDataSaida, QStringLiteral("09122026"));
        QTest::keyClick(w.campoDataSaida, Qt::Key_Tab);
        QCOMPARE(c.d.ultimo(), QStringLiteral("Data de Saída não pode ser menor que data de Entrada!"));
        QCOMPARE(c.d.mostradas.last().titulo, QStringLiteral("Informação!"));
        QVERIFY(w.campoDataSaida->vazio());
        QVERIFY(w.campoDataSaida->hasFocus());
        QVERIFY(!w.BtnSalvar->isEnabled());
        digita(w.campoDataSaida, QStringLiteral("10122026"));
        QTest::keyClick(w.campoDataSaida, Qt::Key_Tab);
        digita(w.campoHoraSaida, QStringLiteral("065959"));
        QTest::keyClick(w.campoHoraSaida, Qt::Key_Tab);
        QCOMPARE(c.d.ultimo(), QStringLiteral("Hora de Saída não pode ser menor que Hora de Entrada!"));
        QVERIFY(w.campoHoraSaida->vazio());
        w.campoHoraSaida->setFocus();
        QTest::keyClick(w.campoHoraSaida, Qt::Key_F2);
        QCOMPARE(w.campoHoraSaida->maskText(), QStringLiteral("08:15:00"));
    }

    // With the scale simulator of "make run": the weight moves, settles,
    // turns the lamp green and enables Save.
    void simulador()
    {
        BancoTeste b;
        cadastros(b);
        DialogosRoteiro d;
        b.exec(QStringLiteral(
            "update config set cfg_porta=0, cfg_modeloplaca=0, cfg_divisao=0, cfg_casasdecimais=0, "
            "cfg_produtoopcional=1"));
        QProcess sim;
        sim.start(QStringLiteral(VIGA_SCALE_SIM), {QStringLiteral("--peso"), QStringLiteral("27340")});
        QVERIFY(sim.waitForReadyRead(10000));
        const QString pty = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY2(pty.startsWith(QLatin1String("/dev/")), qPrintable(pty));
        {
            QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("serial/COM1"), pty);
        }
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digita(w.campoPlaca, QStringLiteral("SIM0001"));
        digita(w.campoNomeMotorista, QStringLiteral("ANA"));
        digita(w.campoCodigoParte, QStringLiteral("1"));
        QTest::keyClick(w.campoCodigoParte, Qt::Key_Tab);
        QTRY_VERIFY_WITH_TIMEOUT(w.lampadaBalanca->cor() == TLampada::Amarela, 30000);
        QVERIFY(!w.BtnSalvar->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(w.BtnSalvar->isEnabled(), 30000);
        QCOMPARE(w.campoPesoEntrada->text(), QStringLiteral("27340"));
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Verde);
        sim.kill();
        sim.waitForFinished();
    }

    // "Cancelar" drops the weighing on screen: nothing stored, idle again.
    void cancelar()
    {
        Balcao c;
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        QVERIFY(w.fluxo().lendo());
        QVERIFY(!w.btnExcluir->isEnabled());
        QTest::mouseClick(w.BtnCancelar, Qt::LeftButton);
        QCOMPARE(w.EstadoCadastro, 3);
        QVERIFY(!w.fluxo().lendo());
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Branca && w.lampadaBalanca->contornoPontilhado());
        QVERIFY(w.campoPlaca->text().isEmpty() && !w.campoPlaca->isEnabled());
        QVERIFY(w.btnExcluir->isEnabled());
        QVERIFY(w.campoLocalizarPlaca->isEnabled()); // "Localizar Placa:" is never disabled
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("NULL"));
    }

    // Entry factors and moisture typed at the entry land in the entry columns.
    void fatoresDaEntrada()
    {
        Balcao c(QStringLiteral("cfg_umidadee=1, cfg_casasumidade=2, cfg_fator7='Impureza'"));
        operador([](TSessao& s) { s.PesagemManualEntrada = 1; });
        TFrmPesagem w(1);
        abrir(w);
        QVERIFY(w.Fatores[3]->isVisible() && w.campoUmidade->isVisible());
        QCOMPARE(w.Fatores[0]->accessibleName(), QStringLiteral("Impureza"));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        digita(w.campoPlaca, QStringLiteral("FAT0001"));
        digita(w.campoNomeMotorista, QStringLiteral("ANA"));
        digita(w.campoCodigoParte, QStringLiteral("1"));
        digita(w.campoCodigoProduto, QStringLiteral("20"));
        QTest::keyClick(w.campoCodigoProduto, Qt::Key_Tab);
        digita(w.Fatores[0], QStringLiteral("1,5"));
        digita(w.Fatores[1], QStringLiteral("0,5"));
        digita(w.campoUmidade, QStringLiteral("12"));
        QTest::keyClick(w.campoUmidade, Qt::Key_Tab);
        QCOMPARE(w.campoFatorDescontoUmidade->text(),
                 QStringLiteral("1,00")); // range 10-12 of MILHO, bound included
        w.comboModoEntrada->setFocus();
        QTest::keyClick(w.comboModoEntrada, Qt::Key_Up);
        digita(w.campoPesoEntrada, QStringLiteral("13000"));
        QTest::keyClick(w.campoPesoEntrada, Qt::Key_Tab);
        QVERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(false);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        QVERIFY(confere(produtos(c.b, 1).value(0), linhaProduto(1, "20",
                                                                {"PES_FATOR7E=1,5", "PES_FATOR8E=0,5",
                                                                 "PES_FATOR11=1", "PES_FATOR11U=12"})));
    }

    // What the configuration shows and hides.
    void exibicao_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QStringList>("visiveis");
        QTest::addColumn<QStringList>("ocultos");
        QTest::newRow("entrada padrão")
            << 1 << "" << QStringList{"FlatEdit3", "FlatMaskEdit3"}
            << QStringList{"FlatEdit28", "DBComboTipo", "FlatEdit25",    "FlatEdit29",
                           "FlatEdit10", "FlatEdit22",  "strGrid1",      "BtnOK",
                           "DBGrid1",    "FlatEdit9",   "FlatComboBox3", "btnExcluir"};
        QTest::newRow("observação, frete, tara, balança")
            << 1 << "cfg_pesagemobs=1, cfg_frete=1, cfg_tarapesagem=1, cfg_selecionabal=1"
            << QStringList{"FlatEdit28", "FlatEdit25", "FlatEdit26", "FlatEdit29", "FlatComboBox3"}
            << QStringList{"DBComboTipo", "FlatEdit27"};
        QTest::newRow("tipo de veículo")
            << 1 << "cfg_tipoveiculo=1" << QStringList{"DBComboTipo", "FlatEdit26", "FlatEdit27"}
            << QStringList{"FlatEdit25"};
        QTest::newRow("fator único na entrada") << 1 << "cfg_umidadeunica=1" << QStringList{"FlatEdit10"}
                                                << QStringList{"FlatEdit19", "FlatEdit22"};
        QTest::newRow("grade na entrada")
            << 1 << "cfg_morproduto=1, cfg_umidadee=1" << QStringList{"strGrid1", "BtnOK"}
            << QStringList{"FlatEdit10", "FlatEdit22"};
        QTest::newRow("saída com fatores")
            << 2 << "cfg_umidade=1"
            << QStringList{"FlatEdit10", "FlatEdit21", "FlatEdit22", "DBGrid1", "FlatEdit9", "btnExcluir"}
            << QStringList{"BtnNovo", "strGrid1"};
        QTest::newRow("saída com grade")
            << 2 << "cfg_umidade=1, cfg_morproduto=1, cfg_somentesaida=1"
            << QStringList{"strGrid1", "BtnNovo"} << QStringList{"FlatEdit10", "FlatEdit22"};
    }
    void exibicao()
    {
        QFETCH(int, modo);
        QFETCH(QString, config);
        QFETCH(QStringList, visiveis);
        QFETCH(QStringList, ocultos);
        BancoTeste b;
        DialogosRoteiro d;
        if (!config.isEmpty()) {
            b.exec(QStringLiteral("update config set ") + config);
        }
        TFrmPesagem w(modo);
        abrir(w);
        for (const QString& n : visiveis) {
            auto* c = w.findChild<QWidget*>(n);
            QVERIFY2(c && c->isVisible(), qPrintable(n));
        }
        for (const QString& n : ocultos) {
            auto* c = w.findChild<QWidget*>(n);
            QVERIFY2(c && !c->isVisible(), qPrintable(n));
        }
        QVERIFY(d.mostradas.isEmpty());
    }

    // The "Balança" selector takes the exit scale's port; a port that cannot
    // open is reported and the lamp turns red.
    void seletorDeBalanca()
    {
        Balcao c(QStringLiteral("cfg_selecionabal=1, cfg_portasaida=2"));
        {
            QSettings ini(c.b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("serial/COM3"), QStringLiteral("/dev/null/sem-balanca"));
        }
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QVERIFY(w.fluxo().lendo());
        w.comboBalanca->setFocus();
        QTest::keyClick(w.comboBalanca, Qt::Key_Down); // "Balança 2": COM3, a device that does not exist
        QCOMPARE(w.comboBalanca->currentIndex(), 1);
        QCOMPARE(c.d.ultimo(), QStringLiteral("Erro ao conectar a balança"));
        QCOMPARE(c.d.mostradas.last().titulo, QStringLiteral("Erro"));
        QVERIFY(!w.fluxo().lendo());
        QVERIFY(w.lampadaBalanca->cor() == TLampada::Vermelha);
        QVERIFY(!w.BtnSalvar->isEnabled());
    }

    // F2 on a factor lists the product's allowed values of that factor.
    void fatorPeloSeletor()
    {
        Balcao c(QStringLiteral("cfg_umidade=1, cfg_casasdecimais=2"));
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        QString produto;
        Operador::quandoAbrir<TFrmUmidade>([&produto](TFrmUmidade* u) {
            produto = u->comoSeletor()
                          ? u->findChild<QLineEdit*>(QStringLiteral("FlatMaskEdit1"))->text().trimmed()
                          : QString();
            u->findChild<TDBGrid*>()->selecionar(0);
            u->close();
        });
        w.Fatores[3]->setFocus();
        QTest::keyClick(w.Fatores[3], Qt::Key_F2);
        QCOMPARE(produto, QStringLiteral("10"));
        QCOMPARE(w.Fatores[3]->text(), QStringLiteral("0,50"));
    }

    // The plate of a truck still inside is refused at the entry.
    void placaComPesagemAberta()
    {
        Balcao c;
        pesagemAberta(c.b, 1, QStringLiteral("ABC1234"));
        TFrmPesagem w(1);
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.campoCodigoPesagem->maskText().trimmed(), QStringLiteral("2"));
        digitaEnter(w, "FlatEdit3", "ABC1234");
        QCOMPARE(c.d.ultimo(), QStringLiteral("Caminhão com pesagem de entrada e sem pesagem de saída."));
        QVERIFY(w.campoPlaca->text().isEmpty());
        QVERIFY(w.campoPlaca->hasFocus());
    }

    // Only the administrator deletes, after the question.
    void exclusao()
    {
        Balcao c;
        pesagemAberta(c.b, 1);
        pesagemAberta(c.b, 2, QStringLiteral("OUT0002"));
        {
            TFrmPesagem w(2);
            abrir(w);
            QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
            QCOMPARE(c.d.ultimo(), QStringLiteral("Exclusão com acesso restrito ao Administrador."));
            QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagem")), 2);
        }
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        TFrmPesagem w(2);
        abrir(w);
        w.listaPesagens->selecionar(1);
        c.d.responder(Msg::RespSim);
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagem")), 1);
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagemproduto")), 1);
        QCOMPARE(w.listaPesagens->model()->rowCount(), 1);
    }

    // Enter walks the window and never deletes, discards or leaves: the exit
    // window starts on its list (Enter opens the row), the entry window keeps
    // what was typed while Save is disabled, "&OK" of the product grid with no
    // product typed lets Enter go on. Every question met is answered with Enter.
    void enterSeguro_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("preparo");
        QTest::addColumn<int>("vezes");
        QTest::newRow("saída: lista, Enter, Enter") << 2 << QString() << "lista" << 2;
        QTest::newRow("saída carregada: Enter ×20") << 2 << QString() << "carregada" << 20;
        QTest::newRow("entrada: placa, peso em movimento, Enter ×20") << 1 << QString() << "placa" << 20;
        QTest::newRow("grade: produto vazio, Enter ×20") << 1 << "cfg_morproduto=1"
                                                         << "produto" << 20;
    }
    void enterSeguro()
    {
        QFETCH(int, modo);
        QFETCH(QString, config);
        QFETCH(QString, preparo);
        QFETCH(int, vezes);
        Balcao c(config);
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN"); // the one allowed to delete
        pesagemAberta(c.b, 1);
        pesagemAberta(c.b, 2, QStringLiteral("OUT0002"));
        const auto antes = linhas(c.b, QStringLiteral("select * from pesagem order by pes_codigo"));
        TFrmPesagem w(modo);
        abrir(w);
        if (modo == 2) {
            QCOMPARE(Operador::nomeDe(w.focusWidget()), QStringLiteral("DBGrid1"));
        }
        if (preparo == QLatin1String("carregada")) {
            w.listaPesagens->selecionar(0);
            QTest::keyClick(w.listaPesagens, Qt::Key_Return);
            QCOMPARE(w.EstadoCadastro, 1);
            QVERIFY(!w.campoPlaca->text().isEmpty());
        } else if (preparo != QLatin1String("lista")) {
            QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
            w.campoPlaca->setFocus();
            QTest::keyClicks(w.campoPlaca, QStringLiteral("NOV0001"));
            if (preparo == QLatin1String("produto")) {
                w.campoCodigoProduto->setFocus();
            }
        }
        for (int i = 0; i < 3 * vezes; ++i) {
            c.d.responderEnter();
        }
        const Operador::Caminhada walk = Operador::caminhaComEnter(w, vezes);
        QVERIFY2(walk.segura(), qPrintable(walk.relato()));
        QVERIFY2(!walk.caminho.join(u',').contains(QStringLiteral("BtnOK,BtnOK")), qPrintable(walk.relato()));
        QVERIFY(w.isVisible());
        QCOMPARE(linhas(c.b, QStringLiteral("select * from pesagem order by pes_codigo")), antes);
        if (preparo == QLatin1String("placa") || preparo == QLatin1String("produto")) {
            QCOMPARE(w.EstadoCadastro, 0);
            QCOMPARE(w.campoPlaca->text(), QStringLiteral("NOV0001"));
        }
        if (preparo == QLatin1String("produto")) {
            QVERIFY2(walk.caminho.first() == QLatin1String("BtnOK") &&
                         walk.caminho.at(1) != QLatin1String("BtnOK"),
                     qPrintable(walk.relato()));
        }
    }

    // The delete question: Enter on it answers "Não"; after a delete the focus
    // is back on the list, never on "&Excluir".
    void exclusaoPadraoNao()
    {
        Balcao c;
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        pesagemAberta(c.b, 1);
        pesagemAberta(c.b, 2, QStringLiteral("OUT0002"));
        TFrmPesagem w(2);
        abrir(w);
        w.listaPesagens->selecionar(0);
        c.d.responderEnter();
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), QStringLiteral("Confirma exclusão do registro?"));
        QVERIFY(c.d.mostradas.last().flags & Msg::PadraoNao);
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagem")), 2);
        c.d.responder(Msg::RespSim);
        w.btnExcluir->setFocus();
        QTest::mouseClick(w.btnExcluir, Qt::LeftButton);
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagem")), 1);
        QVERIFY(w.listaPesagens->hasFocus());
    }

    // The ticket window's look-up: the exit window as a picker, on its list;
    // Enter takes the row and nothing is deleted.
    void seletorDaSaida()
    {
        Balcao c;
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        pesagemAberta(c.b, 1);
        pesagemAberta(c.b, 2, QStringLiteral("OUT0002"));
        TFrmPesagem w(2);
        w.abrirComoSeletor();
        abrir(w);
        QVERIFY(w.listaPesagens->hasFocus());
        QVERIFY(!w.btnExcluir->isVisible());
        QVERIFY(w.btnSair->icon().cacheKey() != QIcon().cacheKey());
        w.listaPesagens->selecionar(1);
        const QString esperado = w.listaPesagens->model()->index(1, 0).data().toString().trimmed();
        QTest::keyClick(w.listaPesagens, Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.ultimoCodigo().trimmed(), esperado);
        QCOMPARE(c.b.contar(QStringLiteral("select count(*) from pesagem")), 2);
    }

    // Fields the settings hide keep what the weighing stored: re-saving from
    // the entry window with the observation, vehicle type and factors hidden
    // writes them back unchanged.
    void camposOcultosGuardados()
    {
        Balcao c(QStringLiteral("cfg_pesagemobs=0, cfg_umidadee=0, cfg_umidadeunica=0"));
        operador([](TSessao& s) { s.EditarPesagens = 1; });
        pesagemAberta(c.b, 1);
        c.b.exec(QStringLiteral("insert into tipoveiculo (tpv_codigo, tpv_descricao) values (1, 'TRUCK')"));
        c.b.exec(
            QStringLiteral("update pesagem set pes_obs='LONA RASGADA', tpv_codigo=1 where pes_codigo=1"));
        c.b.exec(QStringLiteral("update pesagemproduto set pes_fator7e=1 where pes_codigo=1"));
        const auto antes = pesagem(c.b, 1);
        const auto produtosAntes = produtos(c.b, 1);
        QCOMPARE(antes["PES_OBS"], QStringLiteral("LONA RASGADA"));
        TFrmPesagem w(1);
        abrir(w);
        QVERIFY(!w.campoObservacao->isVisibleTo(&w));
        QVERIFY(!w.Fatores[0]->isVisibleTo(&w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        c.d.responder(Msg::RespNao);
        digitaEnter(w, "FlatMaskEdit1", "1");
        QCOMPARE(c.d.ultimo(), QStringLiteral("Realizar nova Pesagem?"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        QTest::keyClick(w.focusWidget(), Qt::Key_F10);
        QCOMPARE(c.d.ultimo(), sucesso);
        const auto depois = pesagem(c.b, 1);
        QCOMPARE(depois["PES_OBS"], QStringLiteral("LONA RASGADA"));
        QCOMPARE(depois["TPV_CODIGO"], antes["TPV_CODIGO"]);
        QCOMPARE(produtos(c.b, 1), produtosAntes);
    }

    // "Novo" proposed 2; another workstation stored weighing 2 meanwhile.
    // Leaving the untouched number loads nothing; the typing stays this
    // weighing's and it is stored under 3, which the message and ticket use.
    void numeroPropostoOcupado()
    {
        Balcao c(QStringLiteral("cfg_produtoopcional=1"));
        operador([](TSessao& s) {
            s.EditarPesagens = 1;
            s.PesagemManualEntrada = 1;
        });
        pesagemAberta(c.b, 1);
        TFrmPesagem w(1);
        qint64 impresso = 0;
        w.imprimeTicket = [&](qint64 codigo, int, int) { impresso = codigo; };
        abrir(w);
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QCOMPARE(w.campoCodigoPesagem->maskText().trimmed(), QStringLiteral("2"));
        {
            TDM outra(c.b.conexao());
            QString erro;
            QVERIFY2(outra.Conectar(&erro), qPrintable(erro));
            PesagemTela deOutra;
            deOutra.estado = 0;
            deOutra.codigo = QStringLiteral("2");
            deOutra.placa = QStringLiteral("BBB2B22");
            deOutra.motorista = QStringLiteral("MARIA");
            deOutra.cadCodigo = QStringLiteral("1");
            deOutra.dataEntrada = QStringLiteral("10/12/2026");
            deOutra.horaEntrada = QStringLiteral("08:00:00");
            deOutra.pesoEntrada = QStringLiteral("31000");
            SalvaPesagem::salvar(outra, deOutra, ConfigPesagem::ler(outra), false);
        }
        c.d.limpar();
        QTest::keyClick(w.campoCodigoPesagem, Qt::Key_Return);
        QVERIFY(c.d.mostradas.isEmpty()); // no "Realizar nova Pesagem?"
        QCOMPARE(w.EstadoCadastro, 0);
        QVERIFY(w.campoPlaca->text().isEmpty());
        digita(w.campoPlaca, QStringLiteral("CCC3C33"));
        digita(w.campoNomeMotorista, QStringLiteral("DO TESTE"));
        digita(w.campoCodigoParte, QStringLiteral("1"));
        QTest::keyClick(w.campoCodigoParte, Qt::Key_Return);
        w.comboModoEntrada->setFocus();
        QTest::keyClick(w.comboModoEntrada, Qt::Key_Up);
        digita(w.campoPesoEntrada, QStringLiteral("10230"));
        QTest::keyClick(w.campoPesoEntrada, Qt::Key_Tab);
        QVERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(true);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso + QStringLiteral("\rPesagem gravada com o número 3."));
        QCOMPARE(impresso, 3);
        QCOMPARE(pesagem(c.b, 2)["PES_MOTORISTA"], QStringLiteral("MARIA"));
        QCOMPARE(pesagem(c.b, 2)["PES_PESOENTRADA"], QStringLiteral("31000"));
        QCOMPARE(pesagem(c.b, 3)["PES_MOTORISTA"], QStringLiteral("DO TESTE"));
        QCOMPARE(pesagem(c.b, 3)["PES_PESOENTRADA"], QStringLiteral("10230"));
    }

    // The exit list shows what another workstation saved, without reopening.
    void listaSegueOutrasEstacoes()
    {
        Balcao c;
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        QCOMPARE(w.listaPesagens->model()->rowCount(), 1);
        auto* timer = w.findChild<QTimer*>(QStringLiteral("timerLista"));
        QVERIFY(timer && timer->isActive());
        timer->setInterval(20);
        TDM outra(c.b.conexao());
        QString erro;
        QVERIFY2(outra.Conectar(&erro), qPrintable(erro));
        PesagemTela p;
        p.estado = 0;
        p.codigo = QStringLiteral("2");
        p.placa = QStringLiteral("OUT0002");
        p.cadCodigo = QStringLiteral("1");
        p.dataEntrada = QStringLiteral("10/12/2026");
        p.horaEntrada = QStringLiteral("08:00:00");
        p.pesoEntrada = QStringLiteral("15000");
        SalvaPesagem::salvar(outra, p, ConfigPesagem::ler(outra), false);
        QTRY_COMPARE(w.listaPesagens->model()->rowCount(), 2);
        auto s = ConsultaPesagem::carregar(outra, 1, 2, ConfigPesagem::ler(outra), true, agora);
        s->pesoSaida = QStringLiteral("30000");
        SalvaPesagem::salvar(outra, *s, ConfigPesagem::ler(outra), false);
        QTRY_COMPARE(w.listaPesagens->model()->rowCount(), 1);
        QCOMPARE(w.listaPesagens->model()->index(0, 1).data().toString(), QStringLiteral("OUT0002"));
    }

    // Another workstation records the exit while this one has the weighing
    // on screen: the save writes nothing and says so; the list is read again.
    void saidaComListaVelha_data()
    {
        QTest::addColumn<bool>("antesDeCarregar");
        QTest::newRow("depois de carregar") << false;
        QTest::newRow("antes de carregar") << true;
    }
    void saidaComListaVelha()
    {
        QFETCH(bool, antesDeCarregar);
        Balcao c;
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        TDM outra(c.b.conexao());
        QString erro;
        QVERIFY2(outra.Conectar(&erro), qPrintable(erro));
        auto registraSaidaNaOutra = [&] {
            auto s = ConsultaPesagem::carregar(outra, 1, 2, ConfigPesagem::ler(outra), true, agora);
            s->pesoSaida = QStringLiteral("31000");
            SalvaPesagem::salvar(outra, *s, ConfigPesagem::ler(outra), true);
        };
        if (antesDeCarregar) {
            registraSaidaNaOutra();
        }
        QCOMPARE(w.listaPesagens->model()->rowCount(), 1); // not polled yet
        abreDaLista(w, 0);
        const QString confirmada =
            QStringLiteral("Pesagem com saída confirmada. Será alterado somente pelo administrador.");
        if (antesDeCarregar) {
            QCOMPARE(c.d.ultimo(), confirmada);
            QCOMPARE(w.EstadoCadastro, 3);
            QVERIFY(w.campoPlaca->text().isEmpty());
            QCOMPARE(w.listaPesagens->model()->rowCount(), 0);
            return;
        }
        QCOMPARE(w.EstadoCadastro, 1);
        registraSaidaNaOutra();
        c.indicador.quadro("D030000\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("30000"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        VigiaPergunta pergunta;
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        // every operator is told what happened, before any question
        QVERIFY(!pergunta.perguntou);
        QCOMPARE(c.d.ultimo(), PesagemAlterada::textoDe(PesagemAlterada::Concluida));
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("31000"));
        QCOMPARE(pesagem(c.b, 1)["PES_TKSAIDA"], QStringLiteral("1"));
        QCOMPARE(w.EstadoCadastro, 3);
        QCOMPARE(w.listaPesagens->model()->rowCount(), 0);
    }

    // Another workstation changed the weighing on screen (still open): the
    // save writes nothing, says so before any question, and the weighing
    // really is on screen again as stored.
    void alteradaEmOutraEstacao()
    {
        Balcao c;
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("ABC1234"));
        TDM outra(c.b.conexao());
        QString erro;
        QVERIFY2(outra.Conectar(&erro), qPrintable(erro));
        auto e = ConsultaPesagem::carregar(outra, 1, 1, ConfigPesagem::ler(outra), false, agora);
        QVERIFY(e);
        e->placa = QStringLiteral("NOV0001");
        SalvaPesagem::salvar(outra, *e, ConfigPesagem::ler(outra), false);

        c.indicador.quadro("D030000\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("30000"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        c.d.limpar();
        {
            VigiaPergunta pergunta;
            QTest::keyClick(w.focusWidget(), Qt::Key_F10);
            QVERIFY(!pergunta.perguntou);
        }
        QCOMPARE(c.d.textos(),
                 QStringList{PesagemAlterada::textoDe(PesagemAlterada::Alterada) +
                             QStringLiteral("\rA pesagem foi carregada novamente como está gravada.")});
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("NULL"));
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("NOV0001"));
        // and the weighing as stored now saves
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("30000"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(false);
        QTest::keyClick(w.focusWidget(), Qt::Key_F10);
        QCOMPARE(c.d.ultimo(), sucesso);
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("30000"));
        QCOMPARE(pesagem(c.b, 1)["PES_PLACA"], QStringLiteral("NOV0001"));
    }

    // F10 takes the weight and how it was read: the indicator falling silent
    // while the ticket question is open loses nothing, and the box keeps the
    // weight being saved meanwhile.
    void evidenciaComRespostaTardia()
    {
        Balcao c;
        {
            QSettings ini(c.b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("serial/Silencio"), QStringLiteral("1"));
        }
        pesagemAberta(c.b, 1);
        TFrmPesagem w(2);
        abrir(w);
        abreDaLista(w, 0);
        c.indicador.quadro("D030000\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("30000"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        QString caixaNaPergunta;
        bool sairNaPergunta = true;
        Operador::quandoAbrir<TFrmImpCopias>([&](TFrmImpCopias* d) {
            c.indicador.quadro({});
            QTest::qWait(1600); // past the silence time, the question still open
            caixaNaPergunta = w.campoPesoSaida->text();
            sairNaPergunta = w.btnSair->isEnabled();
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BtnNao")), Qt::LeftButton);
        });
        QTest::keyClick(w.focusWidget(), Qt::Key_F10);
        QCOMPARE(caixaNaPergunta, QStringLiteral("30000"));
        QVERIFY(!sairNaPergunta);
        QCOMPARE(c.d.ultimo(), sucesso);
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("30000"));
        const Evidencia::Linha ev = Evidencia::le(c.b.dm(), 1, 2);
        QVERIFY(ev.existe);
        QVERIFY(!ev.manual);
        QCOMPARE(ev.peso, QStringLiteral("30000"));
        QVERIFY2(ev.quadro.contains("030000"), ev.quadro.constData());
    }

    // PostgreSQL stopped and started again under an idle exit window: the
    // status bar says so while it is tried again, and the list comes back by
    // itself, with no operator action and no message.
    void listaVoltaSozinha()
    {
        if (!BancoTeste::usandoPostgres()) {
            QSKIP("servidor PostgreSQL");
        }
        ServidorPg servidor;
        QVERIFY(servidor.porta() > 0);
        BancoTeste b(BancoTeste::Tipo::Novo, servidor.porta());
        DialogosRoteiro d;
        cadastros(b);
        pesagemAberta(b.dm(), 1);
        pesagemAberta(b.dm(), 2, QStringLiteral("OUT0002"));
        TFrmMain principal(b.dm());
        principal.iniciarAoMostrar = false;
        TFrmPesagem w(2);
        abrir(w);
        QCOMPARE(w.listaPesagens->model()->rowCount(), 2);
        w.findChild<QTimer*>(QStringLiteral("timerLista"))->setInterval(200);
        const QString aviso = QStringLiteral("Sem conexão com o banco de dados — tentando novamente");

        QVERIFY(servidor.para());
        QTRY_COMPARE_WITH_TIMEOUT(principal.statusBar()->currentMessage(), aviso, 5000);
        QCOMPARE(b.dm().avisoConexao(), aviso);
        QTest::qWait(5000);
        QVERIFY(servidor.retoma());
        QTRY_COMPARE_WITH_TIMEOUT(w.listaPesagens->model()->rowCount(), 2, 15000);
        QVERIFY(principal.statusBar()->currentMessage().isEmpty());
        QVERIFY2(d.mostradas.isEmpty(), qPrintable(d.ultimo()));
        abreDaLista(w, 1);
        QVERIFY2(d.mostradas.isEmpty(), qPrintable(d.ultimo()));
        QCOMPARE(w.EstadoCadastro, 1);
    }

    // PostgreSQL restarted under an open exit window (its connection ended by
    // the server): the list, the load and the save work from the same window.
    void servidorReiniciado()
    {
        Balcao c;
        if (!c.b.postgres()) {
            QSKIP("uma conexão com um arquivo SQLite não se perde");
        }
        pesagemAberta(c.b, 1);
        pesagemAberta(c.b, 2, QStringLiteral("OUT0002"));
        TFrmPesagem w(2);
        abrir(w);
        TDM outra(c.b.conexao());
        QString erro;
        QVERIFY2(outra.Conectar(&erro), qPrintable(erro));
        auto encerra = [&] {
            const int pid = c.b.valor(QStringLiteral("select pg_backend_pid()")).toInt();
            QSqlQuery q(outra.DataBase1());
            QVERIFY(q.exec(QStringLiteral("select pg_terminate_backend(%1)").arg(pid)));
            QTest::qWait(200);
        };
        encerra();
        c.d.limpar();
        abreDaLista(w, 0);
        QVERIFY2(c.d.mostradas.isEmpty(), qPrintable(c.d.ultimo()));
        QCOMPARE(w.EstadoCadastro, 1);
        QCOMPARE(w.campoPlaca->text(), QStringLiteral("ABC1234"));
        encerra();
        c.indicador.quadro("D030000\r");
        QTRY_COMPARE(w.campoPesoSaida->text(), QStringLiteral("30000"));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        respondeTicket(false);
        c.d.limpar();
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(c.d.ultimo(), sucesso);
        QCOMPARE(pesagem(c.b, 1)["PES_PESOSAIDA"], QStringLiteral("30000"));
        QCOMPARE(w.listaPesagens->model()->rowCount(), 1);
    }
};

QTEST_MAIN(TstPesagem)
#include "tst_pesagem.moc"
