#include "DialogosRoteiro.h"
#include "Operador.h"
#include "Relogio.h"
#include "TFrmCalendario.h"
#include "TFrmPadrao.h"
#include "TMaskEdit.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace
{

// A registry window with two fields, as the registry windows are built.
class JanelaExemplo : public TFrmPadrao
{
public:
    JanelaExemplo()
    {
        primeiro = new QLineEdit(this);
        primeiro->setObjectName("primeiro");
        segundo = new TMaskEdit("99/99/9999;1;_", this);
        segundo->setObjectName("segundo");
        corpo()->addWidget(primeiro);
        corpo()->addWidget(segundo);
    }
    void BtnNovoClick() override
    {
        TFrmPadrao::BtnNovoClick();
        primeiro->setFocus();
    }
    QLineEdit* primeiro;
    TMaskEdit* segundo;
};

} // namespace

class TstJanelas : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mascaraDeData()
    {
        TMaskEdit e("99/99/9999;1;_");
        QCOMPARE(e.maskText(), QString("  /  /    "));
        QVERIFY(e.vazio());
        e.show();
        e.setFocus();
        e.home(false);
        QTest::keyClicks(&e, "09122026");
        QCOMPARE(e.maskText(), QString("09/12/2026"));
        QVERIFY(!e.vazio());
        TMaskEdit cpf("999.999.999-99;0;_");
        cpf.setText("12345678909");
        QCOMPARE(cpf.maskText(), QString("12345678909"));
    }

    void estadosDosBotoes()
    {
        DialogosRoteiro d;
        JanelaExemplo j;
        j.show();
        QVERIFY(QTest::qWaitForWindowExposed(&j));
        QCOMPARE(j.EstadoCadastro, 3);
        QVERIFY(j.BtnNovo->isEnabled() && j.btnExcluir->isEnabled() && j.btnSair->isEnabled());
        QVERIFY(!j.BtnSalvar->isEnabled() && !j.BtnCancelar->isEnabled());
        QVERIFY(j.BtnNovo->hasFocus());
        QTest::mouseClick(j.BtnNovo, Qt::LeftButton);
        QCOMPARE(j.EstadoCadastro, 0);
        QVERIFY(!j.BtnNovo->isEnabled() && !j.btnSair->isEnabled());
        QVERIFY(j.BtnSalvar->isEnabled() && j.BtnCancelar->isEnabled());
        // Enter moves to the next control
        QVERIFY(j.primeiro->hasFocus());
        QTest::keyClick(j.primeiro, Qt::Key_Return);
        QVERIFY(j.segundo->hasFocus());
        QTest::mouseClick(j.BtnCancelar, Qt::LeftButton);
        QCOMPARE(j.EstadoCadastro, 3);
        QVERIFY(j.BtnNovo->hasFocus());
        QVERIFY(d.mostradas.isEmpty());
    }

    void sairPergunta()
    {
        DialogosRoteiro d;
        JanelaExemplo j;
        j.show();
        d.responder(Msg::RespNao);
        QTest::mouseClick(j.btnSair, Qt::LeftButton);
        QVERIFY(j.isVisible());
        QCOMPARE(d.mostradas.size(), 1);
        QCOMPARE(d.mostradas[0].texto, QString("Deseja realmente sair ?"));
        QCOMPARE(d.mostradas[0].titulo, QString("Pergunta"));
        QTest::mouseClick(j.btnSair, Qt::LeftButton);
        QVERIFY(!j.isVisible());
        // another caption or a tag closes at once
        JanelaExemplo k;
        k.show();
        k.btnSair->setText("&Fechar");
        QTest::mouseClick(k.btnSair, Qt::LeftButton);
        QVERIFY(!k.isVisible());
        QCOMPARE(d.mostradas.size(), 2);
    }

    void escFechaSemPerguntar()
    {
        DialogosRoteiro d;
        JanelaExemplo j;
        j.show();
        QTest::keyClick(j.BtnNovo, Qt::Key_Escape);
        QVERIFY(!j.isVisible());
        QVERIFY(d.mostradas.isEmpty());
    }

    void habilitaELimpa()
    {
        JanelaExemplo j;
        j.primeiro->setText("x");
        j.segundo->setText("01012026");
        setTag(j.segundo, 1);
        HabilitaCampos(&j, 3);
        QVERIFY(!j.primeiro->isEnabled());
        QVERIFY(j.segundo->isEnabled());
        HabilitaCampos(&j, 0);
        QVERIFY(j.primeiro->isEnabled());
        LimpaCampos(&j);
        QVERIFY(j.primeiro->text().isEmpty());
        QCOMPARE(j.segundo->maskText(), QString("  /  /    "));
    }

    void calendario()
    {
        Relogio::fixar(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
        Operador::quandoAbrir<TFrm_Calendario>([](TFrm_Calendario* c) {
            QCOMPARE(c->windowTitle(), QString("Calendário"));
            QCOMPARE(c->calendario()->selectedDate(), QDate(2026, 12, 9));
            c->calendario()->setSelectedDate(QDate(2026, 12, 24));
            QTest::mouseClick(c->findChild<QPushButton*>("BtnFechar"), Qt::LeftButton);
        });
        QCOMPARE(AbrirCalendario(), QString("24/12/2026"));
        Relogio::fixar(QDateTime());
    }
};

QTEST_MAIN(TstJanelas)
#include "tst_janelas.moc"
