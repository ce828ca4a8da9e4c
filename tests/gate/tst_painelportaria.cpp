// SPDX-License-Identifier: GPL-3.0-or-later
// The gate's manual panel in the weighing window as the operator meets it:
// Ctrl+1 ... Ctrl+6 force the outputs of viga-io-sim, each press logged;
// Enter in the window's fields never presses one of its buttons.
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "FixturePesagem.h"
#include "IndicadorPty.h"
#include "Operador.h"
#include "PainelPortaria.h"
#include "Portaria.h"
#include "Relogio.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "SimuladorIo.h"
#include "TDBGrid.h"
#include "TFrmImpCopias.h"
#include "TFrmPesagem.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace
{

const QDateTime kInicio(QDate(2026, 12, 11), QTime(10, 0, 0));

// A workstation with its scale on COM1 (model AR, whole kilograms), the six
// outputs of viga-io-sim wired in order, and the gate of its session.
struct Guarita {
    Simulador sim;
    BancoTeste b;
    DialogosRoteiro d;
    std::unique_ptr<IndicadorPty> indicador;
    std::unique_ptr<Portaria> portaria;
    bool pronta = false;

    Guarita()
    {
        if (!sim.pronto()) {
            return;
        }
        FixturePesagem::cadastros(b);
        b.exec(QStringLiteral("update config set cfg_porta=0, cfg_portasaida=0, cfg_modeloplaca=0, "
                              "cfg_divisao=0, cfg_casasdecimais=0, cfg_alteradatahora=0"));
        indicador = std::make_unique<IndicadorPty>(b.pasta());
        {
            QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("portaria/Modulo"), sim.endereco());
            ini.setValue(QStringLiteral("portaria/PulsoMs"), 300);
            const char* saidas[] = {"SinalEntradaVermelho", "SinalEntradaVerde", "SinalSaidaVermelho",
                                    "SinalSaidaVerde",      "CancelaEntrada",    "CancelaSaida"};
            for (int i = 0; i < 6; ++i) {
                ini.setValue(QStringLiteral("portaria/") + QLatin1String(saidas[i]), i);
            }
        }
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
        SessaoAtual.PesagemEntrada = 1;
        SessaoAtual.LoginEfetuado = true;
        portaria.reset(Portaria::daSessao(b.dm(), nullptr, nullptr));
        pronta = indicador->ok() &&
                 QTest::qWaitFor([this] { return portaria->modulo().respondendo(); }, 10000) &&
                 QTest::qWaitFor(
                     [this] {
                         return sim.bobinas() == QStringList({"bobina 0 ligada", "bobina 2 ligada"});
                     },
                     10000);
        sim.bobinas().clear();
    }
    // One frame at `ms` on the clock; returns once the window's box shows it.
    bool quadro(QLineEdit* caixa, qint64 ms, int kg)
    {
        Relogio::fixar(kInicio.addMSecs(ms));
        indicador->quadro(QStringLiteral("D%1\r").arg(kg, 6, 10, QChar(u'0')).toLatin1());
        // (the same weight again shows nothing new: a few polls of the port are let pass)
        QTest::qWait(150);
        return QTest::qWaitFor([&] { return caixa->text() == QString::number(kg); }, 5000);
    }
};

// Types into the field that has the focus and leaves it with Enter.
void digitaEnter(QWidget& w, const QString& texto)
{
    QWidget* f = w.focusWidget();
    if (auto* e = qobject_cast<QLineEdit*>(f); e && !texto.isEmpty()) {
        QTest::keyClicks(e, texto);
    }
    QTest::keyClick(f, Qt::Key_Return);
}

} // namespace

class TstPainelPortaria : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Relogio::fixar(QDateTime()); }

    void aceleradores()
    {
        Guarita g;
        QVERIFY(g.pronta);
        Simulador& sim = g.sim;
        QSignalSpy registro(g.portaria.get(), &Portaria::registrado);

        TFrmPesagem w(1);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto* painel = w.findChild<PainelPortaria*>(QStringLiteral("PainelPortaria"));
        QVERIFY(painel && painel->isVisible());
        QPushButton* verde = painel->botao(SaidaPortaria::SinalEntradaVerde);
        QCOMPARE(verde->text(), QStringLiteral("Entrada verde (Ctrl+2)"));
        QCOMPARE(verde->focusPolicy(), Qt::NoFocus);

        // a new weighing typed with Enter from field to field: no output moves
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QTest::qWait(300);
        QCOMPARE(registro.count(), 0);
        QVERIFY(sim.bobinas().isEmpty());

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 1 ligada"}));
        QVERIFY(verde->isChecked());
        QCOMPARE(registro.count(), 1);
        QVERIFY2(registro.at(0).at(0).toString().endsWith(
                     QStringLiteral("Sinal da entrada verde ligado manualmente por JOAO")),
                 qPrintable(registro.at(0).at(0).toString()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_6, Qt::ControlModifier);
        QTRY_COMPARE(sim.bobinas(),
                     QStringList({"bobina 1 ligada", "bobina 1 desligada", "bobina 5 ligada"}));
        QVERIFY(!verde->isChecked());
        QVERIFY(painel->botao(SaidaPortaria::CancelaSaida)->isChecked());
        QCOMPARE(registro.count(), 3);
    }

    // An entry saved from the window: with the deck not back to zero F10 is
    // refused with the system's warning and nothing is stored; after the
    // deck read zero the same weighing is saved, the exit light turns green
    // and the exit barrier opens for its pulse.
    void entradaPelaJanela()
    {
        Guarita g;
        QVERIFY(g.pronta);
        TFrmPesagem w(1);
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QVERIFY(w.fluxo().lendo());
        for (const char* texto :
             {"abc1234", "xyz9876", "15000", "nf 77", "", "12345", "jose motorista", "", "1", "3", "10"}) {
            digitaEnter(w, QString::fromUtf8(texto));
        }
        QCOMPARE(w.campoNomeParte->text(), QStringLiteral("CLIENTE UM"));
        QCOMPARE(w.campoDescricaoProduto->text(), QStringLiteral("SOJA"));

        QVERIFY(g.quadro(w.campoPesoEntrada, 0, 60));
        QVERIFY(g.quadro(w.campoPesoEntrada, 1000, 60));
        QVERIFY(g.quadro(w.campoPesoEntrada, 2500, 60));
        QVERIFY(g.quadro(w.campoPesoEntrada, 3000, 12000));
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        g.sim.bobinas().clear();
        QTest::keyClick(w.campoCodigoProduto, Qt::Key_F10);
        QCOMPARE(g.d.ultimo(),
                 QStringLiteral("A balança não voltou a zero desde a última pesagem (última leitura "
                                "vazia: 60 kg). Verifique a plataforma."));
        QCOMPARE(g.d.mostradas.last().titulo, QStringLiteral("Aviso"));
        QCOMPARE(g.b.contar(QStringLiteral("select count(*) from pesagem")), 0);
        QCOMPARE(w.EstadoCadastro, 0);

        for (qint64 ms = 4000; ms <= 6000; ms += 500) {
            QVERIFY(g.quadro(w.campoPesoEntrada, ms, 0));
        }
        QTRY_COMPARE(g.sim.bobinas(), QStringList({"bobina 1 ligada", "bobina 0 desligada"}));
        g.sim.bobinas().clear();
        QVERIFY(g.quadro(w.campoPesoEntrada, 7000, 12000));
        QTRY_COMPARE(g.sim.bobinas(), QStringList({"bobina 0 ligada", "bobina 1 desligada"}));
        g.sim.bobinas().clear();
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        Operador::quandoAbrir<TFrmImpCopias>([](TFrmImpCopias* d) {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BtnNao")), Qt::LeftButton);
        });
        QTest::keyClick(w.campoCodigoProduto, Qt::Key_F10);
        QCOMPARE(g.d.ultimo(), QStringLiteral("Operação efetuada com sucesso."));
        QCOMPARE(g.b.contar(QStringLiteral("select count(*) from pesagem")), 1);
        QTRY_COMPARE(g.sim.bobinas(), QStringList({"bobina 3 ligada", "bobina 2 desligada", "bobina 5 ligada",
                                                   "bobina 5 desligada"}));
    }

    // The exit of a pending weighing picked from the list and saved from the
    // window: the exit light green and the exit barrier pulsed.
    void saidaPelaJanela()
    {
        Guarita g;
        QVERIFY(g.pronta);
        SessaoAtual.PesagemSaida = 1;
        PesagemTela p;
        p.estado = 0;
        p.codigo = QStringLiteral("1");
        p.placa = QStringLiteral("ABC1234");
        p.motorista = QStringLiteral("JOSE");
        p.cadCodigo = QStringLiteral("1");
        p.prdCodigo = QStringLiteral("30");
        p.dataEntrada = QStringLiteral("11/12/2026");
        p.horaEntrada = QStringLiteral("07:00:00");
        p.pesoEntrada = QStringLiteral("12000");
        SalvaPesagem::salvar(g.b.dm(), p, ConfigPesagem::ler(g.b.dm()), false);

        TFrmPesagem w(2);
        QVERIFY(Operador::abrir(w));
        w.listaPesagens->setFocus();
        w.listaPesagens->selecionar(0);
        QTest::keyClick(w.listaPesagens, Qt::Key_Space);
        QTRY_VERIFY(w.fluxo().lendo());
        for (qint64 ms = 0; ms <= 2000; ms += 500) {
            QVERIFY(g.quadro(w.campoPesoSaida, ms, 0));
        }
        QTRY_COMPARE(g.sim.bobinas(), QStringList({"bobina 1 ligada", "bobina 0 desligada"}));
        g.sim.bobinas().clear();
        QVERIFY(g.quadro(w.campoPesoSaida, 3000, 31000));
        QTRY_COMPARE(g.sim.bobinas(), QStringList({"bobina 0 ligada", "bobina 1 desligada"}));
        g.sim.bobinas().clear();
        QTRY_VERIFY(w.BtnSalvar->isEnabled());
        Operador::quandoAbrir<TFrmImpCopias>([](TFrmImpCopias* d) {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BtnNao")), Qt::LeftButton);
        });
        QTest::keyClick(w.listaPesagens, Qt::Key_F10);
        QCOMPARE(g.d.ultimo(), QStringLiteral("Operação efetuada com sucesso."));
        QCOMPARE(
            g.b.valor(QStringLiteral("select pes_pesosaida from pesagem where pes_codigo = 1")).toDouble(),
            31000.0);
        QTRY_COMPARE(g.sim.bobinas(), QStringList({"bobina 3 ligada", "bobina 2 desligada", "bobina 5 ligada",
                                                   "bobina 5 desligada"}));
    }
};

QTEST_MAIN(TstPainelPortaria)
#include "tst_painelportaria.moc"
