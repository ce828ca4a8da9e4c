// SPDX-License-Identifier: GPL-3.0-or-later
#include "../scale/PtyTeste.h"
#include "BancoTeste.h"
#include "ConfigEmail.h"
#include "DialogosRoteiro.h"
#include "FalhaBanco.h"
#include "Operador.h"
#include "PastaDados.h"
#include "SalvaConfiguracao.h"
#include "TDM.h"
#include "TFrmSerial.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace
{

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");
const QString reiniciar =
    QStringLiteral("O sistema deve ser reiniciado para que todas alterações entrem em vigor.");
const QString regraGrade = QStringLiteral(
    "As configurações : Fator de Correção (Entrada/Saída) serão desabilitadas devido a Grade de produtos.");
const QString regraFator7 = QStringLiteral(
    "As configurações : Fator de Correção (Entrada/Saída) serão desabilitadas para exibir apenas Fator 7");
const QString regraEntrada = QStringLiteral(
    "Para utilizar Fator de Correção (Entrada) deve ser utilizado também o Fator de Correção (Saída).");

void marca(QCheckBox* c)
{
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

void digita(QLineEdit* e, const QString& texto)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, texto);
}

// What a control shows: ticked "1"/"0", a list's text, a field's text.
QString estado(QWidget* w)
{
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        return c->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    }
    if (auto* l = qobject_cast<QComboBox*>(w)) {
        return l->currentText();
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->text();
    }
    return QStringLiteral("?");
}

// A Config column: its number, or "NULL".
QString coluna(BancoTeste& b, const QString& nome)
{
    const QVariant v = b.valor(QStringLiteral("select %1 from config").arg(nome));
    if (v.isNull()) {
        return QStringLiteral("NULL");
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? QString::number(d) : v.toString();
}

void preencheFatores(TFrmSerial& w, const QStringList& nomes)
{
    for (int i = 0; i < 10; ++i) {
        digita(w.edtFatores[size_t(i)], nomes.value(i));
    }
}

QStringList dezNomes()
{
    QStringList n;
    for (int i = 1; i <= 10; ++i) {
        n << QStringLiteral("f%1").arg(i);
    }
    return n;
}

} // namespace

class TstSerial : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A new database's row as the dialog shows it.
    void aberturaPadrao()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Configurações"));
        QCOMPARE(w.BtnSalvar->text(), QStringLiteral("Sal&var"));
        QCOMPARE(w.BtnTesteConexao->text(), QStringLiteral("Teste Conexão"));
        QCOMPARE(w.cbImpressora->count(), 19);
        QCOMPARE(w.cbImpressora->itemText(0), QStringLiteral("PadraoIBM"));
        QCOMPARE(w.cbImpressora->itemText(18), QStringLiteral("HPLaserJet"));
        QCOMPARE(w.cbPorta->count(), 8);
        QCOMPARE(w.cbStop->itemText(1), QStringLiteral("1HALF"));
        QVERIFY(w.cbStop->toolTip().contains(QStringLiteral("Linux")));
        QVERIFY(w.cbStop->toolTip().contains(QStringLiteral("2")));
        const QList<QPair<QWidget*, QString>> esperado = {
            {w.cbPorta, "COM1"},
            {w.cbPortaSaida, "COM1"},
            {w.cbBaud, "9600"},
            {w.cbBits, "8"},
            {w.cbParidade, "None"},
            {w.cbStop, "1"},
            {w.cbFluxoHard, "None"},
            {w.cbFluxoSoft, "None"},
            {w.cbModelo, "AR"},
            {w.cbDivisao, "3"},
            {w.cbInterface, "Pesagem"},
            {w.cbCasasDecimais, "2 Decimais"},
            {w.cbCasasUmidade, "2 Decimais"},
            {w.cbImpressora, "Epson9pinos"},
            {w.edtImprimirEm, "lpt1"},
            {w.edtEspacoLinhas, "30"},
            {w.edtFonte, "Courier New"},
            {w.edtTamanhoFonte, "8"},
            {w.edtLinhasTicket, "66"},
            {w.edtDescricaoItem, "Itens.........:"},
            {w.chkTransportadora, "1"},
            {w.chkAlteraDataHora, "1"},
            {w.chkExibePesagens, "0"},
            {w.chkTicket40, "0"},
            {w.chkFatorSaida, "0"},
            {w.edtTemplateEntrada, ""},
            {w.edtTaraFixa, ""},
        };
        for (const auto& [controle, texto] : esperado) {
            QVERIFY2(estado(controle) == texto, qPrintable(controle->objectName() + ": " + estado(controle)));
        }
        QVERIFY(!w.edtTaraFixa->isVisible());
        QVERIFY(w.edtFonte->isReadOnly());
        QVERIFY(w.BtnSalvar->isEnabled());
        QCOMPARE(w.lblFatores[0]->text(), QStringLiteral("Fator 1:"));
        QCOMPARE(w.lblFatores[9]->text(), QStringLiteral("Fator 10:"));
        QCOMPARE(w.edtFatores[5]->maxLength(), 10);
        QCOMPARE(w.edtFatores[6]->maxLength(), 8);
        QVERIFY(d.mostradas.isEmpty());
        QVERIFY(b.dm().QR_Configuracao.Active());
        w.close();
        QVERIFY(!b.dm().QR_Configuracao.Active());
    }

    void aberturaRegras_data()
    {
        QTest::addColumn<QString>("atualiza");
        QTest::addColumn<QStringList>("controles");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("saída fixo") << "cfg_umidade=1" << QStringList{"chkFatorSaida", "cbTipoFatorSaida"}
                                    << QStringList{"1", "Fixo"};
        QTest::newRow("saída variável") << "cfg_umidade=2" << QStringList{"chkFatorSaida", "cbTipoFatorSaida"}
                                        << QStringList{"1", "Variável"};
        QTest::newRow("entrada fixo")
            << "cfg_umidadee=1" << QStringList{"chkFatorEntrada", "cbTipoFatorEntrada", "chkFatorSaida"}
            << QStringList{"1", "Fixo", "0"};
        QTest::newRow("só 1 liga três opções")
            << "cfg_alteradatahora=2, cfg_imptransp=2, cfg_exibepesagens=2"
            << QStringList{"chkAlteraDataHora", "chkTransportadora", "chkExibePesagens"}
            << QStringList{"0", "0", "0"};
        QTest::newRow("as outras ligam com qualquer valor")
            << "cfg_ticketsintetico=2, cfg_navio=5, cfg_ticket40=3"
            << QStringList{"chkTicketSintetico", "chkNavio", "chkTicket40"} << QStringList{"1", "1", "1"};
        QTest::newRow("espaço nulo mostra 30")
            << "cfg_linespace=NULL" << QStringList{"edtEspacoLinhas"} << QStringList{"30"};
        QTest::newRow("textos e números como gravados")
            << "cfg_linhasticket=44, cfg_templateentrada=3, cfg_tarafixa=12.5, cfg_fator1='Umidade'"
            << QStringList{"edtLinhasTicket", "edtTemplateEntrada", "edtTaraFixa", "edtFator1"}
            << QStringList{"44", "3", "12,5", "Umidade"};
        QTest::newRow("listas pelo índice")
            << "cfg_baud=1, cfg_paridade=3, cfg_impressora=17, cfg_interface=1"
            << QStringList{"cbBaud", "cbParidade", "cbImpressora", "cbInterface"}
            << QStringList{"1200", "Odd", "MP20mi", "Demanda"};
    }
    void aberturaRegras()
    {
        QFETCH(QString, atualiza);
        QFETCH(QStringList, controles);
        QFETCH(QStringList, esperados);
        BancoTeste b;
        b.exec("update config set " + atualiza);
        DialogosRoteiro d;
        TFrmSerial w;
        for (int i = 0; i < controles.size(); ++i) {
            auto* c = w.findChild<QWidget*>(controles[i]);
            QVERIFY2(c, qPrintable(controles[i]));
            QCOMPARE(estado(c), esperados[i]);
        }
    }

    // Any factor option on: the ten names turn blue, open, and must all be
    // filled before saving.
    void fatoresHabilitamNomes_data()
    {
        QTest::addColumn<QString>("opcao");
        QTest::newRow("saída") << "chkFatorSaida";
        QTest::newRow("entrada") << "chkFatorEntrada";
        QTest::newRow("só fator 7") << "chkSomenteFator7";
    }
    void fatoresHabilitamNomes()
    {
        QFETCH(QString, opcao);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        auto cor = [&w](int i) { return w.lblFatores[size_t(i)]->palette().color(QPalette::WindowText); };
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(cor(i), QColor(Qt::black));
            QVERIFY(!w.edtFatores[size_t(i)]->isEnabled());
        }
        auto* caixa = w.findChild<QCheckBox*>(opcao);
        marca(caixa);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(cor(i), QColor(Qt::blue));
            QVERIFY(w.edtFatores[size_t(i)]->isEnabled());
        }
        QVERIFY(!w.BtnSalvar->isEnabled());
        QStringList nomes = dezNomes();
        nomes[9] = QString();
        preencheFatores(w, nomes);
        QVERIFY(!w.BtnSalvar->isEnabled());
        digita(w.edtFatores[9], "   ");
        QVERIFY(!w.BtnSalvar->isEnabled());
        digita(w.edtFatores[9], "x");
        QVERIFY(w.BtnSalvar->isEnabled());
        marca(caixa);
        QCOMPARE(cor(0), QColor(Qt::black));
        QVERIFY(!w.edtFatores[0]->isEnabled());
        QVERIFY(w.BtnSalvar->isEnabled());
        digita(w.edtFatores[9], "");
        QVERIFY(w.BtnSalvar->isEnabled());
    }

    void opcoesExclusivas()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        marca(w.chkMetrosCubicos);
        QVERIFY(w.chkMetrosCubicos->isChecked());
        marca(w.chkValorTonelada);
        QVERIFY(w.chkValorTonelada->isChecked());
        QVERIFY(!w.chkMetrosCubicos->isChecked());
        marca(w.chkMetrosCubicos);
        QVERIFY(w.chkMetrosCubicos->isChecked());
        QVERIFY(!w.chkValorTonelada->isChecked());
    }

    void taraSoAceitaNumero()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QTest::keyClicks(w.edtTaraFixa, "1a2.5,3x");
        QCOMPARE(w.edtTaraFixa->text(), QStringLiteral("12,53"));
    }

    void linhasDoTicket_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("sai"); // the field left
        QTest::addColumn<QString>("fica");
        QTest::newRow("20 vira 33") << "20"
                                    << "edtLinhasTicket"
                                    << "33";
        QTest::newRow("32 vira 33") << "32"
                                    << "edtLinhasTicket"
                                    << "33";
        QTest::newRow("vazio vira 66") << ""
                                       << "edtLinhasTicket"
                                       << "66";
        QTest::newRow("33 fica") << "33"
                                 << "edtLinhasTicket"
                                 << "33";
        QTest::newRow("80 fica") << "80"
                                 << "edtLinhasTicket"
                                 << "80";
        QTest::newRow("ao sair do template de entrada") << "10"
                                                        << "edtTemplateEntrada"
                                                        << "33";
        QTest::newRow("ao sair do template de saída") << ""
                                                      << "edtTemplateSaida"
                                                      << "66";
    }
    void linhasDoTicket()
    {
        QFETCH(QString, digitado);
        QFETCH(QString, sai);
        QFETCH(QString, fica);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        digita(w.edtLinhasTicket, digitado);
        auto* campo = w.findChild<QLineEdit*>(sai);
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_Return);
        QCOMPARE(w.edtLinhasTicket->text(), fica);
        w.edtLinhasTicket->setFocus();
        QTest::keyClicks(w.edtLinhasTicket, "a");
        QCOMPARE(w.edtLinhasTicket->text(), fica); // digits only
    }

    void botaoFonte()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        d.fonte(QFont(QStringLiteral("DejaVu Sans Mono"), 11));
        QTest::mouseClick(w.BtnFonte, Qt::LeftButton);
        QCOMPARE(w.edtFonte->text(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(w.edtTamanhoFonte->text(), QStringLiteral("11"));
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(b.valor("select cfg_fontepadrao from config").toString(),
                 QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(coluna(b, "cfg_fontetamanho"), QStringLiteral("11"));
    }

    // Enter walks from the font field to its size: the "..." button is not on
    // the way (Enter there opened the chooser, the next Enter took its font).
    // The field shows a whole family name.
    void fonteNoCaminhoDoEnter()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        const QString longa = QStringLiteral("Nimbus Mono PS Bold"); // the field holds 20 characters
        w.edtFonte->setText(longa);
        w.edtFonte->setFocus();
        QTest::keyClick(w.edtFonte, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.edtTamanhoFonte);
        QTest::keyClick(w.edtTamanhoFonte, Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() != w.BtnFonte);
        QCOMPARE(w.edtFonte->text(), longa);
        QVERIFY(d.mostradas.isEmpty());
        QVERIFY(w.edtFonte->contentsRect().width() >= w.edtFonte->fontMetrics().horizontalAdvance(longa));
    }

    void botoesTemplate()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QSignalSpy pedidos(&w, &TFrmSerial::editarTemplate);
        QTest::mouseClick(w.BtnTemplateEntrada, Qt::LeftButton);
        QTest::mouseClick(w.BtnTemplateSaida, Qt::LeftButton);
        QCOMPARE(d.textos(), (QStringList{QStringLiteral("Informar código template."),
                                          QStringLiteral("Informar código template.")}));
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Informação"));
        QCOMPARE(pedidos.count(), 0);
        digita(w.edtTemplateEntrada, "5");
        digita(w.edtTemplateSaida, "12");
        QTest::mouseClick(w.BtnTemplateSaida, Qt::LeftButton);
        QTest::mouseClick(w.BtnTemplateEntrada, Qt::LeftButton);
        QCOMPARE(pedidos.count(), 2);
        QCOMPARE(pedidos[0][0].toInt(), 12);
        QCOMPARE(pedidos[1][0].toInt(), 5);
        QCOMPARE(d.mostradas.size(), 2);
    }

    void regrasDeConsistencia_data()
    {
        QTest::addColumn<QStringList>("ticar");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("depois"); // grade, saída, entrada, só 7
        QTest::newRow("grade de produtos com fator")
            << QStringList{"chkGradeProdutos", "chkFatorSaida"} << regraGrade << "1000";
        QTest::newRow("grade com só fator 7")
            << QStringList{"chkGradeProdutos", "chkSomenteFator7"} << regraGrade << "1000";
        QTest::newRow("só fator 7 com saída e entrada")
            << QStringList{"chkSomenteFator7", "chkFatorSaida", "chkFatorEntrada"} << regraFator7 << "0001";
        QTest::newRow("entrada sem saída") << QStringList{"chkFatorEntrada"} << regraEntrada << "0110";
    }
    // Each rule corrects the options, saves nothing and leaves the dialog
    // open; a second "Salvar" then saves.
    void regrasDeConsistencia()
    {
        QFETCH(QStringList, ticar);
        QFETCH(QString, mensagem);
        QFETCH(QString, depois);
        BancoTeste b;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        w.cbPorta->setCurrentIndex(2);
        for (const QString& nome : ticar) {
            marca(w.findChild<QCheckBox*>(nome));
        }
        preencheFatores(w, dezNomes());
        QVERIFY(w.BtnSalvar->isEnabled());
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{mensagem});
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Aviso"));
        QString opcoes;
        for (QCheckBox* c : {w.chkGradeProdutos, w.chkFatorSaida, w.chkFatorEntrada, w.chkSomenteFator7}) {
            opcoes += c->isChecked() ? u'1' : u'0';
        }
        QCOMPARE(opcoes, depois);
        QVERIFY(w.isVisible());
        QCOMPARE(coluna(b, "cfg_porta"), QStringLiteral("0"));
        d.limpar();
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), (QStringList{sucesso, reiniciar}));
        QVERIFY(!w.isVisible());
        QCOMPARE(coluna(b, "cfg_porta"), QStringLiteral("2"));
        QCOMPARE(coluna(b, "cfg_morproduto"), depois.mid(0, 1));
        QCOMPARE(coluna(b, "cfg_umidadeunica"), depois.mid(3, 1));
    }

    // Every control to a value other than its initial one, then each column.
    void gravaTodasAsColunas()
    {
        BancoTeste b;
        b.dm().rastreioSql = true;
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        w.cbPorta->setCurrentIndex(2);
        w.cbPortaSaida->setCurrentIndex(3);
        w.cbBaud->setCurrentIndex(1);
        w.cbBits->setCurrentIndex(0);
        w.cbParidade->setCurrentIndex(4);
        w.cbStop->setCurrentIndex(2);
        w.cbFluxoHard->setCurrentIndex(2);
        w.cbFluxoSoft->setCurrentIndex(1);
        w.cbModelo->setCurrentIndex(2);
        w.cbDivisao->setCurrentIndex(1);
        w.cbInterface->setCurrentIndex(1);
        w.cbCasasDecimais->setCurrentIndex(3);
        w.cbCasasUmidade->setCurrentIndex(0);
        w.cbImpressora->setCurrentIndex(18);
        digita(w.edtImprimirEm, "/dev/usb/lp0");
        digita(w.edtEspacoLinhas, "45");
        digita(w.edtTamanhoFonte, "");
        digita(w.edtLinhasTicket, "40");
        digita(w.edtDescricaoItem, " peso'liq ");
        digita(w.edtTemplateEntrada, "7");
        digita(w.edtTemplateSaida, "");
        digita(w.edtTaraFixa, "1250,5");
        for (QCheckBox* c : w.findChildren<QCheckBox*>()) {
            if (c != w.chkGradeProdutos && c != w.chkSomenteFator7 && c != w.chkMetrosCubicos) {
                marca(c); // the three 1/NULL options on by default go off
            }
        }
        w.cbTipoFatorSaida->setCurrentIndex(SalvaConfiguracao::FatorFixo);
        w.cbTipoFatorEntrada->setCurrentIndex(SalvaConfiguracao::FatorVariavel);
        preencheFatores(w, {"umidade", "impureza", " ardido", "Quebrado", "a", "abcdefghijkl", "x'y",
                            "avariado", "verde", "chocho"});
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 3);
        QCOMPARE(d.mostradas[1].texto, sucesso);
        QCOMPARE(d.mostradas[1].titulo, QStringLiteral("Sucesso"));
        QCOMPARE(d.mostradas[2].texto, reiniciar);
        QCOMPARE(d.mostradas[2].titulo, QStringLiteral("Informação"));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(!b.dm().InTransaction());
        QVERIFY(!b.dm().QR_Configuracao.Active());

        // the statement: one UPDATE of every row, the columns in this order
        const QString sql = d.mostradas[0].texto;
        QVERIFY(sql.startsWith(QStringLiteral("Update CONFIG SET \n CFG_CHAVE=1")));
        QVERIFY(!sql.contains(QStringLiteral("where"), Qt::CaseInsensitive));
        QStringList colunas;
        auto it = QRegularExpression(QStringLiteral("(\\w+)=")).globalMatch(sql);
        while (it.hasNext()) {
            colunas << it.next().captured(1).toUpper();
        }
        QStringList ordem = {"CFG_CHAVE",
                             "CFG_PORTA",
                             "CFG_PORTASAIDA",
                             "CFG_BAUD",
                             "CFG_STOP",
                             "CFG_PARIDADE",
                             "CFG_BITS",
                             "CFG_FLHARD",
                             "CFG_FLSOFT",
                             "CFG_MODELOPLACA",
                             "CFG_INTERFACE",
                             "CFG_UMIDADE",
                             "CFG_UMIDADEE",
                             "CFG_UMIDADEUNICA",
                             "CFG_IMPRESSAOFORWINDOWS",
                             "CFG_TICKETSINTETICO",
                             "CFG_MORPRODUTO",
                             "CFG_EXIBEPESAGENS",
                             "CFG_LINESPACE",
                             "CFG_CASASDECIMAIS",
                             "CFG_CASASUMIDADE",
                             "CFG_IMPRESSORA",
                             "CFG_DIVISAO",
                             "CFG_PORTAREDE",
                             "CFG_LINHASTICKET",
                             "CFG_FONTEPADRAO",
                             "CFG_ITEMDESC",
                             "CFG_TARAFIXA",
                             "CFG_FONTETAMANHO",
                             "CFG_ALTERADATAHORA",
                             "CFG_IMPTRANSP",
                             "CFG_TICKET40",
                             "CFG_SOMENTEPRODUTO",
                             "CFG_PRODUTOOPCIONAL",
                             "CFG_EDITARSAIDA",
                             "CFG_ALTERACODIGO",
                             "CFG_NAVIO",
                             "CFG_TARAPESAGEM",
                             "CFG_PESAGEMVAGAO",
                             "CFG_CADEMBALAGEM",
                             "CFG_PESOEMBALAGEM",
                             "CFG_CADMOTORISTA",
                             "CFG_SUPERVISOR",
                             "CFG_FRETE",
                             "CFG_PRDALFA",
                             "CFG_TEMPLATE",
                             "CFG_CABECA",
                             "CFG_GRADE",
                             "CFG_TEMPLATEENTRADA",
                             "CFG_TEMPLATESAIDA",
                             "CFG_SOMENTESAIDA",
                             "CFG_METROSCUBICOS",
                             "CFG_SELECIONABAL",
                             "CFG_TIPOVEICULO",
                             "CFG_PESAGEMOBS",
                             "CFG_VLRTONELADA"};
        for (int i = 1; i <= 10; ++i) {
            ordem << QStringLiteral("CFG_FATOR%1").arg(i);
        }
        QCOMPARE(colunas, ordem);

        const QList<QPair<QString, QString>> gravado = {
            {"cfg_chave", "1"},
            {"cfg_porta", "2"},
            {"cfg_portasaida", "3"},
            {"cfg_baud", "1"},
            {"cfg_stop", "2"},
            {"cfg_paridade", "4"},
            {"cfg_bits", "0"},
            {"cfg_flhard", "2"},
            {"cfg_flsoft", "1"},
            {"cfg_modeloplaca", "2"},
            {"cfg_interface", "1"},
            {"cfg_umidade", "1"},
            {"cfg_umidadee", "2"},
            {"cfg_umidadeunica", "0"},
            {"cfg_impressaoforwindows", "1"},
            {"cfg_ticketsintetico", "1"},
            {"cfg_morproduto", "0"},
            {"cfg_exibepesagens", "1"},
            {"cfg_linespace", "45"},
            {"cfg_casasdecimais", "3"},
            {"cfg_casasumidade", "0"},
            {"cfg_impressora", "18"},
            {"cfg_divisao", "1"},
            {"cfg_portarede", "/dev/usb/lp0"},
            {"cfg_linhasticket", "40"},
            {"cfg_fontepadrao", "Courier New"},
            {"cfg_itemdesc", "peso liq"},
            {"cfg_tarafixa", "1250.5"},
            {"cfg_fontetamanho", "8"},
            {"cfg_alteradatahora", "NULL"},
            {"cfg_imptransp", "NULL"},
            {"cfg_ticket40", "1"},
            {"cfg_somenteproduto", "1"},
            {"cfg_produtoopcional", "1"},
            {"cfg_editarsaida", "1"},
            {"cfg_alteracodigo", "1"},
            {"cfg_navio", "1"},
            {"cfg_tarapesagem", "1"},
            {"cfg_pesagemvagao", "1"},
            {"cfg_cadembalagem", "1"},
            {"cfg_pesoembalagem", "1"},
            {"cfg_cadmotorista", "1"},
            {"cfg_supervisor", "1"},
            {"cfg_frete", "1"},
            {"cfg_prdalfa", "1"},
            {"cfg_template", "1"},
            {"cfg_cabeca", "1"},
            {"cfg_grade", "1"},
            {"cfg_templateentrada", "7"},
            {"cfg_templatesaida", "NULL"},
            {"cfg_somentesaida", "1"},
            {"cfg_metroscubicos", "0"},
            {"cfg_selecionabal", "1"},
            {"cfg_tipoveiculo", "1"},
            {"cfg_pesagemobs", "1"},
            {"cfg_vlrtonelada", "1"},
            {"cfg_fator1", "Umidade"},
            {"cfg_fator2", "Impureza"},
            {"cfg_fator3", "Ardido"},
            {"cfg_fator4", "Quebrado"},
            {"cfg_fator5", "A"},
            {"cfg_fator6", "Abcdefghij"},
            {"cfg_fator7", "X y"},
            {"cfg_fator8", "Avariado"},
            {"cfg_fator9", "Verde"},
            {"cfg_fator10", "Chocho"},
        };
        for (const auto& [nome, valor] : gravado) {
            QVERIFY2(coluna(b, nome) == valor, qPrintable(nome + ": " + coluna(b, nome)));
        }
        QCOMPARE(b.contar("select count(*) from config"), 1);
        // the gate's zero check, on in a new database, turned off with its option
        QCOMPARE(b.valor("select por_checazero from portaria").toInt(), 0);
    }

    // Without a factor option the stored names stay, whatever the fields hold;
    // an empty "Imprimir em:" or lines per ticket leaves its column too.
    void semFatorNomesFicam()
    {
        BancoTeste b;
        b.exec("update config set cfg_fator1='Umidade', cfg_fator7='Ardido', cfg_linhasticket=50");
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QVERIFY(!w.edtFatores[0]->isEnabled());
        w.edtFatores[0]->setText(QStringLiteral("outro"));
        digita(w.edtImprimirEm, "  ");
        w.edtLinhasTicket->clear(); // not left: no 66
        digita(w.edtEspacoLinhas, "");
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), (QStringList{sucesso, reiniciar}));
        QCOMPARE(b.valor("select cfg_fator1 from config").toString(), QStringLiteral("Umidade"));
        QCOMPARE(b.valor("select cfg_fator7 from config").toString(), QStringLiteral("Ardido"));
        QCOMPARE(b.valor("select cfg_portarede from config").toString(), QStringLiteral("lpt1"));
        QCOMPARE(coluna(b, "cfg_linhasticket"), QStringLiteral("50"));
        QCOMPARE(coluna(b, "cfg_linespace"), QStringLiteral("30"));
    }

    // Opening and saving unchanged keeps what was stored.
    void salvarSemMudarMantem()
    {
        BancoTeste b;
        b.exec(
            "update config set cfg_umidade=1, cfg_umidadee=1, cfg_fator1='A', cfg_fator2='B', "
            "cfg_fator3='C', "
            "cfg_fator4='D', cfg_fator5='E', cfg_fator6='F', cfg_fator7='G', cfg_fator8='H', cfg_fator9='I', "
            "cfg_fator10='J', cfg_tarafixa=7.25, cfg_templatesaida=4");
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), (QStringList{sucesso, reiniciar}));
        QCOMPARE(coluna(b, "cfg_umidade"), QStringLiteral("1"));
        QCOMPARE(coluna(b, "cfg_umidadee"), QStringLiteral("1"));
        QCOMPARE(coluna(b, "cfg_tarafixa"), QStringLiteral("7.25"));
        QCOMPARE(coluna(b, "cfg_templatesaida"), QStringLiteral("4"));
        QCOMPARE(coluna(b, "cfg_imptransp"), QStringLiteral("1"));
        QCOMPARE(coluna(b, "cfg_alteradatahora"), QStringLiteral("1"));
        QCOMPARE(coluna(b, "cfg_impressora"), QStringLiteral("4"));
        QCOMPARE(b.valor("select cfg_fator10 from config").toString(), QStringLiteral("J"));
        QCOMPARE(b.valor("select por_checazero from portaria").toInt(), 1);
    }

    // The database refuses the UPDATE: nothing changes, the error is shown
    // and the dialog closes.
    void erroAoSalvar()
    {
        BancoTeste b;
        falharEm(b, "config", "UPDATE", "configuracao bloqueada");
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        w.cbPorta->setCurrentIndex(5);
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY(d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")));
        QVERIFY(d.ultimo().contains(QStringLiteral("configuracao bloqueada")));
        QCOMPARE(d.mostradas[0].titulo, QStringLiteral("Erro"));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QVERIFY(!b.dm().InTransaction());
        QCOMPARE(coluna(b, "cfg_porta"), QStringLiteral("0"));
    }

    // Reading Config fails as the dialog opens: the error is shown and the
    // defaults on screen can never be saved over the site's settings.
    void leituraFalhaNaoSalva()
    {
        BancoTeste b;
        b.exec("update config set cfg_porta=3, cfg_fontepadrao='Arial'");
        b.exec("alter table config rename to config_guardada");
        DialogosRoteiro d;
        TFrmSerial w;
        b.exec("alter table config_guardada rename to config");
        QCOMPARE(d.mostradas.size(), 1);
        QVERIFY(d.ultimo().startsWith(QStringLiteral("Erro ao efetuar a operação\rErro retornado:")));
        QVERIFY(Operador::abrir(w));
        QVERIFY(!w.BtnSalvar->isEnabled());
        w.cbPorta->setCurrentIndex(5);
        digita(w.edtFonte, QStringLiteral("Courier"));
        QVERIFY(!w.BtnSalvar->isEnabled());
        QTest::keyClick(&w, Qt::Key_V, Qt::AltModifier);
        QCOMPARE(d.mostradas.size(), 1);
        QCOMPARE(coluna(b, "cfg_porta"), QStringLiteral("3"));
        QCOMPARE(coluna(b, "cfg_fontepadrao"), QStringLiteral("Arial"));
    }

    // No Config row: the initial choices, and saving stores nothing.
    void semLinhaDeConfiguracao()
    {
        BancoTeste b;
        b.exec("delete from config");
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QCOMPARE(w.cbBaud->currentText(), QStringLiteral("9600"));
        QCOMPARE(w.cbImpressora->currentText(), QStringLiteral("Epson9pinos"));
        QCOMPARE(w.edtEspacoLinhas->text(), QStringLiteral("30"));
        QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
        QCOMPARE(d.textos(), (QStringList{sucesso, reiniciar}));
        QCOMPARE(b.contar("select count(*) from config"), 0);
    }

    void testeConexao_data()
    {
        QTest::addColumn<bool>("dispositivo");
        QTest::addColumn<QString>("mensagem");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("flags");
        QTest::newRow("pseudo-terminal") << true << "Conexão realizada com sucesso"
                                         << "Aviso" << int(Msg::Informacao);
        QTest::newRow("dispositivo ausente") << false << "Erro ao conectar a porta"
                                             << "Erro" << int(Msg::Erro);
    }
    // "Teste Conexão" opens the entry scale's port (COM3 here) with the
    // dialog's line settings and closes it again.
    void testeConexao()
    {
        QFETCH(bool, dispositivo);
        QFETCH(QString, mensagem);
        QFETCH(QString, titulo);
        QFETCH(int, flags);
        BancoTeste b;
        PtyTeste pty;
        QVERIFY(pty.ok());
        {
            QSettings ini(PastaDados::ini(), QSettings::IniFormat);
            ini.setValue(QStringLiteral("serial/COM3"),
                         dispositivo ? pty.nome() : b.pasta() + QStringLiteral("/nao-existe/ttyUSB9"));
            ini.setValue(QStringLiteral("serial/COM1"), b.pasta() + QStringLiteral("/nao-existe/ttyUSB0"));
            ini.sync();
        }
        DialogosRoteiro d;
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        w.cbPorta->setCurrentIndex(2);
        w.cbBaud->setCurrentIndex(1);
        QTest::mouseClick(w.BtnTesteConexao, Qt::LeftButton);
        QCOMPARE(d.textos(), QStringList{mensagem});
        QCOMPARE(d.mostradas[0].titulo, titulo);
        QCOMPARE(d.mostradas[0].flags, flags);
        QVERIFY(w.isVisible());
        QCOMPARE(coluna(b, "cfg_porta"), QStringLiteral("0")); // a test saves nothing
    }

    void normalizaFator_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("gravado");
        QTest::newRow("minúscula") << "umidade"
                                   << "Umidade";
        QTest::newRow("12 caracteres") << "abcdefghijkl"
                                       << "Abcdefghij";
        QTest::newRow("só a primeira muda") << "pH baixo"
                                            << "PH baixo";
        QTest::newRow("acentuada") << "ácido"
                                   << "Ácido";
        QTest::newRow("vazio") << ""
                               << "";
    }
    void normalizaFator()
    {
        QFETCH(QString, nome);
        QFETCH(QString, gravado);
        QCOMPARE(SalvaConfiguracao::normalizaFator(nome), gravado);
    }

    // The administrator sets the mail server: viga.ini holds it (the database does
    // not), the dialog shows it again, and no message ever shows the password.
    void servidorDeEmail()
    {
        BancoTeste b;
        DialogosRoteiro d;
        {
            TFrmSerial w;
            QVERIFY(Operador::abrir(w));
            QCOMPARE(w.edtEmailServidor->text(), QString());
            QCOMPARE(w.edtEmailSenha->echoMode(), QLineEdit::Password);
            digita(w.edtEmailServidor, "smtp.cooperativa.com.br");
            digita(w.edtEmailPorta, "99999");
            QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
            QCOMPARE(d.textos(), QStringList{"Porta do servidor de e-mail inválida."});
            QVERIFY(w.isVisible());
            digita(w.edtEmailPorta, "587");
            w.cbEmailSeguranca->setCurrentIndex(ConfigEmail::StartTls);
            digita(w.edtEmailUsuario, "balanca");
            digita(w.edtEmailSenha, "s3nh@ secreta");
            digita(w.edtEmailRemetente, "balanca@cooperativa.com.br");
            QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
            QVERIFY(!w.isVisible());
        }
        for (const auto& m : d.mostradas)
            QVERIFY(!m.texto.contains("s3nh@"));
        QSettings ini(PastaDados::ini(), QSettings::IniFormat);
        QCOMPARE(ini.value("email/Servidor").toString(), QString("smtp.cooperativa.com.br"));
        QCOMPARE(ini.value("email/Porta").toInt(), 587);
        QCOMPARE(ini.value("email/Seguranca").toString(), QString("starttls"));
        QCOMPARE(ini.value("email/Usuario").toString(), QString("balanca"));
        QCOMPARE(ini.value("email/Senha").toString(), QString("s3nh@ secreta"));
        QCOMPARE(ini.value("email/Remetente").toString(), QString("balanca@cooperativa.com.br"));
        QCOMPARE(QFile::permissions(PastaDados::ini()) & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());

        const ConfigEmail lida = ConfigEmail::ler();
        QVERIFY(lida.configurado());
        QCOMPARE(lida.porta, 587);
        QCOMPARE(lida.seguranca, ConfigEmail::StartTls);

        // Reopened, the dialog shows them; a setting that cannot be used is said, and
        // e-mail is then not offered rather than sent with a guess.
        {
            TFrmSerial w;
            QVERIFY(Operador::abrir(w));
            QCOMPARE(w.edtEmailServidor->text(), QString("smtp.cooperativa.com.br"));
            QCOMPARE(w.edtEmailSenha->text(), QString("s3nh@ secreta"));
            w.close();
        }
        ini.setValue("email/Seguranca", "talvez");
        ini.sync();
        d.mostradas.clear();
        TFrmSerial w;
        QVERIFY(Operador::abrir(w));
        QCOMPARE(d.textos(),
                 QStringList{"Segurança do e-mail inválida em viga.ini: \"talvez\" (use starttls, tls ou "
                             "nenhuma)."});
        QString erro;
        QVERIFY(!ConfigEmail::ler(&erro).configurado());
        QVERIFY(!erro.isEmpty());
    }

    // A mail section written by hand with other capitals ([Email], SERVIDOR=):
    // e-mail is offered with it, the dialog shows it, and saving writes into
    // that same section rather than beside it.
    void emailEscritoAMao()
    {
        BancoTeste b;
        DialogosRoteiro d;
        {
            QFile f(PastaDados::ini());
            QVERIFY(f.open(QIODevice::Append | QIODevice::Text));
            f.write("\n[Email]\nSERVIDOR=smtp.cooperativa.com.br\nporta=465\nremetente=balanca@cooperativa."
                    "com.br\n");
        }
        const ConfigEmail lida = ConfigEmail::ler();
        QVERIFY(lida.configurado());
        QCOMPARE(lida.servidor, QString("smtp.cooperativa.com.br"));
        QCOMPARE(lida.porta, 465);
        QCOMPARE(lida.seguranca, ConfigEmail::Tls);
        QCOMPARE(lida.remetente, QString("balanca@cooperativa.com.br"));
        {
            TFrmSerial w;
            QVERIFY(Operador::abrir(w));
            QCOMPARE(w.edtEmailServidor->text(), QString("smtp.cooperativa.com.br"));
            QCOMPARE(w.edtEmailPorta->text(), QString("465"));
            QCOMPARE(w.cbEmailSeguranca->currentIndex(), int(ConfigEmail::Tls));
            digita(w.edtEmailUsuario, "balanca");
            QTest::mouseClick(w.BtnSalvar, Qt::LeftButton);
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(d.textos(), (QStringList{sucesso, reiniciar}));
        QFile f(PastaDados::ini());
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString texto = QString::fromUtf8(f.readAll());
        QCOMPARE(texto.count(QStringLiteral("[email]"), Qt::CaseInsensitive), 1);
        QVERIFY(texto.contains(QStringLiteral("[Email]")));
        const ConfigEmail depois = ConfigEmail::ler();
        QCOMPARE(depois.servidor, QString("smtp.cooperativa.com.br"));
        QCOMPARE(depois.usuario, QString("balanca"));
        QCOMPARE(depois.porta, 465);
    }
};

QTEST_MAIN(TstSerial)
#include "tst_serial.moc"
