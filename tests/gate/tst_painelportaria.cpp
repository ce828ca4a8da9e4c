// SPDX-License-Identifier: GPL-3.0-or-later
// The gate's manual panel in the weighing window as the operator meets it:
// Ctrl+1 ... Ctrl+6 force the outputs of viga-io-sim, each press logged;
// Enter in the window's fields never presses one of its buttons.
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "FixturePesagem.h"
#include "IndicadorPty.h"
#include "PainelPortaria.h"
#include "Portaria.h"
#include "SessaoAtual.h"
#include "SimuladorIo.h"
#include "TFrmPesagem.h"

#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TstPainelPortaria : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aceleradores()
    {
        Simulador sim;
        QVERIFY(sim.pronto());
        BancoTeste b;
        DialogosRoteiro d;
        FixturePesagem::cadastros(b);
        b.exec(QStringLiteral("update config set cfg_porta=0, cfg_portasaida=0, cfg_modeloplaca=0, "
                              "cfg_divisao=0, cfg_casasdecimais=0"));
        IndicadorPty indicador{b.pasta()};
        QVERIFY(indicador.ok());
        {
            QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
            ini.setValue(QStringLiteral("portaria/Modulo"), sim.endereco());
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
        std::unique_ptr<Portaria> portaria(Portaria::daSessao(b.dm(), nullptr, nullptr));
        QTRY_VERIFY(portaria->modulo().respondendo());
        QTRY_COMPARE(sim.bobinas(), QStringList({"bobina 0 ligada", "bobina 2 ligada"}));
        sim.bobinas().clear();
        QSignalSpy registro(portaria.get(), &Portaria::registrado);

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
};

QTEST_MAIN(TstPainelPortaria)
#include "tst_painelportaria.moc"
