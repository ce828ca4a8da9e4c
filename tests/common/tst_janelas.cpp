// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogosRoteiro.h"
#include "FiltrosCampo.h"
#include "Operador.h"
#include "Relogio.h"
#include "TFrmCalendario.h"
#include "TFrmPadrao.h"
#include "TMaskEdit.h"
#include "Traducoes.h"

#include <QAbstractProxyModel>
#include <QCalendarWidget>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCharFormat>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

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

// Sends its parent a focus-out when it is destroyed with it.
class SondaFocoNaDestruicao : public QWidget
{
public:
    using QWidget::QWidget;
    ~SondaFocoNaDestruicao() override
    {
        QFocusEvent saida(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(parentWidget(), &saida);
    }
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

    // A field that loses the focus while it is being destroyed (a window
    // that ran modally, closed with the focus in its date field and destroyed
    // before the window system said it was inactive) must not run its leave
    // check: it would read the field, and the window, already half gone.
    void campoDestruidoNaoConfere()
    {
        int conferidas = 0;
        auto* data = new TMaskEdit("99/99/9999;1;_");
        // a child of the field, destroyed with it after the field's own parts:
        // it hands the field the focus-out Qt sends from there
        new SondaFocoNaDestruicao(data);
        AoSair(data, [&conferidas, data] {
            ++conferidas;
            (void)data->maskText();
        });
        QFocusEvent saida(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(data, &saida);
        QCOMPARE(conferidas, 1); // leaving the field checks it
        delete data;
        QCOMPARE(conferidas, 1);
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

    // From the keyboard: the calendar opens on the field's date, Enter
    // chooses the marked day, Esc gives nothing back (the field keeps its
    // typed date); a field with no date opens it on today.
    void calendarioPeloTeclado_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<int>("tecla");
        QTest::addColumn<QDate>("abreEm");
        QTest::addColumn<QString>("devolve");
        QTest::newRow("Enter no dia digitado")
            << "15/03/2025" << int(Qt::Key_Return) << QDate(2025, 3, 15) << "16/03/2025";
        QTest::newRow("Esc mantém o digitado")
            << "15/03/2025" << int(Qt::Key_Escape) << QDate(2025, 3, 15) << "";
        QTest::newRow("campo vazio: hoje")
            << "  /  /    " << int(Qt::Key_Return) << QDate(2026, 12, 9) << "10/12/2026";
    }
    void calendarioPeloTeclado()
    {
        QFETCH(QString, campo);
        QFETCH(int, tecla);
        QFETCH(QDate, abreEm);
        QFETCH(QString, devolve);
        Relogio::fixar(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
        QDate aberto;
        bool focoNoCalendario = false;
        bool ficouAberto = false;
        Operador::quandoAbrir<TFrm_Calendario>([&](TFrm_Calendario* c) {
            const bool ativa = QTest::qWaitForWindowActive(c);
            Q_UNUSED(ativa); // the focus check below tells
            aberto = c->calendario()->selectedDate();
            QWidget* foco = QApplication::focusWidget();
            focoNoCalendario = foco && (foco == c->calendario() || c->calendario()->isAncestorOf(foco));
            QTest::keyClick(foco ? foco : c->calendario(), Qt::Key_Right); // the next day
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(tecla));
            ficouAberto = c->isVisible();
            if (ficouAberto) {
                c->reject();
            }
        });
        QCOMPARE(AbrirCalendario(nullptr, campo), devolve);
        QVERIFY(focoNoCalendario);
        QVERIFY(!ficouAberto);
        QCOMPARE(aberto, abreEm);
        QVERIFY(!Operador::janelaAberta<TFrm_Calendario>());
        Relogio::fixar(QDateTime());
    }

    // Enter on a question answers its default button: "Não" where the answer
    // "Sim" deletes or discards, "Sim" elsewhere (the real message box).
    void padraoDasPerguntas_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("resposta");
        QTest::newRow("exclusão") << int(Msg::SimNao | Msg::Pergunta | Msg::PadraoNao) << int(Msg::RespNao);
        QTest::newRow("sair") << int(Msg::SimNao | Msg::Pergunta) << int(Msg::RespSim);
    }
    void padraoDasPerguntas()
    {
        QFETCH(int, flags);
        QFETCH(int, resposta);
        Operador::quandoAbrir<QMessageBox>([](QMessageBox* m) {
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m, Qt::Key_Return);
        });
        QCOMPARE(
            Mensagem(QStringLiteral("Confirma exclusão do registro?"), QStringLiteral("Pergunta"), flags),
            resposta);
    }

    // The file chooser: Portuguese type names and dates, each filter written
    // once, opening in the data folder whatever folder the caller suggested.
    void dialogoDeArquivo()
    {
        QTemporaryDir pasta;
        QVERIFY(QDir(pasta.path()).mkdir(QStringLiteral("bkp")));
        qputenv("VIGA_HOME", pasta.path().toLocal8Bit());
        std::unique_ptr<QFileDialog> d(
            NovoDialogoArquivo(nullptr, QStringLiteral("Salvar Formato PDF"),
                               QStringLiteral("PDF (*.pdf)|*.pdf|Todos|*.pdf;*.txt"),
                               QCoreApplication::applicationDirPath(), true));
        QCOMPARE(d->nameFilters(), (QStringList{"PDF (*.pdf)", "Todos (*.pdf *.txt)"}));
        QCOMPARE(QDir(d->directory()).canonicalPath(), QDir(pasta.path()).canonicalPath());
        QAbstractProxyModel* modelo = d->proxyModel();
        QVERIFY(modelo);
        auto* arquivos = qobject_cast<QFileSystemModel*>(modelo->sourceModel());
        QVERIFY(arquivos);
        const QString bkp = QDir(pasta.path()).filePath(QStringLiteral("bkp"));
        QTRY_VERIFY(arquivos->index(bkp).isValid());
        const QModelIndex linha = modelo->mapFromSource(arquivos->index(bkp));
        QCOMPARE(modelo->index(linha.row(), 2, linha.parent()).data().toString(), QStringLiteral("Pasta"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$"))
                    .match(modelo->index(linha.row(), 3, linha.parent()).data().toString())
                    .hasMatch());
        QCOMPARE(modelo->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Tipo"));
        qunsetenv("VIGA_HOME");
    }

    // Reports and tickets are laid out in "Courier New": an installed
    // monospaced family stands for it, and the font dialog starts on it.
    void fonteMonoespacada()
    {
        const QFont f = FonteInstalada(QFont(QStringLiteral("Courier New"), 10));
        QVERIFY2(QFontDatabase::families().contains(f.family()), qPrintable(f.family()));
        QVERIFY(QFontInfo(f).fixedPitch());
        QFontDialog d(f);
        QCOMPARE(d.currentFont().family(), f.family());
        QVERIFY(QFontInfo(d.currentFont()).fixedPitch());
    }

    // The calendar names months and days in Portuguese whatever the host's language.
    void calendarioEmPortugues()
    {
        TFrm_Calendario c;
        QCOMPARE(c.calendario()->locale().monthName(12), QStringLiteral("dezembro"));
        QCOMPARE(c.calendario()->locale().dayName(1, QLocale::ShortFormat), QStringLiteral("seg."));
    }

    // Qt's own texts (context menus, standard dialogs) speak Portuguese; numbers stay as fixed.
    void textosDoQtEmPortugues()
    {
        PreparaAplicacao();
        QVERIFY(InstalaTraducoes());
        QCOMPARE(QCoreApplication::translate("QWidgetTextControl", "&Undo"), QStringLiteral("&Desfazer"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Procurar em:"));
        QCOMPARE(QCoreApplication::translate("QFontDialog", "Select Font"),
                 QStringLiteral("Selecionar fonte"));
        QCOMPARE(QString::number(1234.5, 'f', 1), QStringLiteral("1234.5"));
        // no display name: Qt would append it to every title
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    }

    // Alt with a letter whose button is disabled types nothing into the field;
    // an enabled one still acts.
    void altSemDestinoNaoDigita()
    {
        DialogosRoteiro d;
        JanelaExemplo w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnNovo, Qt::LeftButton);
        QTest::keyClicks(w.primeiro, "TESTE");
        w.BtnSalvar->setEnabled(false); // a window's rule, before the fields are complete
        QTest::keyClick(w.primeiro, Qt::Key_V, Qt::AltModifier);
        QTest::keyClick(w.primeiro, Qt::Key_N, Qt::AltModifier); // "&Novo" is disabled while inserting
        QTest::keyClick(w.primeiro, Qt::Key_Q, Qt::AltModifier); // names nothing
        QCOMPARE(w.primeiro->text(), QString("TESTE"));
        QCOMPARE(w.EstadoCadastro, 0);
        QTest::keyClick(w.primeiro, Qt::Key_C, Qt::AltModifier); // "&Cancelar"
        QTRY_COMPARE(w.EstadoCadastro, 3);
    }

    // The one set of field filters: what the operator types, what the field keeps.
    void filtros_data()
    {
        QTest::addColumn<QString>("filtro");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("fica");
        QTest::newRow("ponto vira vírgula") << "numerico"
                                            << "12.5"
                                            << "12,5";
        QTest::newRow("vírgula fica") << "numerico"
                                      << "12,5"
                                      << "12,5";
        QTest::newRow("segundo separador recusado") << "numerico"
                                                    << "1,2.3"
                                                    << "1,23";
        QTest::newRow("letras recusadas") << "numerico"
                                          << "a1b2"
                                          << "12";
        QTest::newRow("dígitos até o limite") << "digitos"
                                              << "12a34567"
                                              << "123456";
        QTest::newRow("dígitos sem separador") << "digitos"
                                               << "1.5"
                                               << "15";
        QTest::newRow("maiúsculas") << "maiusculas"
                                    << "pau d'alho"
                                    << "PAU D'ALHO";
        QTest::newRow("minúsculas") << "minusculas"
                                    << "Ana@Site.COM"
                                    << "ana@site.com";
    }
    void filtros()
    {
        QFETCH(QString, filtro);
        QFETCH(QString, digitado);
        QFETCH(QString, fica);
        QLineEdit campo;
        if (filtro == QLatin1String("numerico")) {
            FiltroNumerico(&campo);
        } else if (filtro == QLatin1String("digitos")) {
            FiltroDigitos(&campo, 6);
        } else if (filtro == QLatin1String("maiusculas")) {
            ForcaMaiusculas(&campo);
        } else {
            ForcaMinusculas(&campo);
        }
        QVERIFY(Operador::abrir(campo));
        QTest::keyClicks(&campo, digitado);
        QCOMPARE(campo.text(), fica);
    }
};

QTEST_MAIN(TstJanelas)
#include "tst_janelas.moc"
