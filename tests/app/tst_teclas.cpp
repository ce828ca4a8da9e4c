// SPDX-License-Identifier: GPL-3.0-or-later
// The letters of each window: one control per Alt letter, and the same
// letter for the same command everywhere ("Sal&var", "&Imprimir", "&Sair").
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Operador.h"
#include "ServicosRelevoJanelas.h"
#include "SessaoAtual.h"
#include "TFrmCadCidade.h"
#include "TFrmConfTempl.h"
#include "TFrmHistoricoPesagem.h"
#include "TFrmImpCopias.h"
#include "TFrmPesagem.h"
#include "TFrmRelCli.h"
#include "TFrmRelMovClientes.h"
#include "TFrmSelPage.h"
#include "TFrmTicket.h"
#include "TRVPreview.h"
#include "TRelevo.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QtTest>
#include <memory>

namespace
{

// The letter after a single '&', lower case; none for "&&" or no '&'.
QChar letra(const QString& texto)
{
    for (int i = 0; i + 1 < texto.size(); ++i) {
        if (texto[i] == u'&') {
            if (texto[i + 1] == u'&') {
                ++i;
                continue;
            }
            return texto[i + 1].toLower();
        }
    }
    return {};
}

// Every visible control that answers an Alt letter, by letter.
QMap<QChar, QStringList> letras(QWidget& janela)
{
    QMap<QChar, QStringList> r;
    auto anota = [&r](const QString& texto, QWidget* w) {
        const QChar l = letra(texto);
        if (!l.isNull() && w->isVisibleTo(w->window())) {
            r[l] << QString(texto).remove(u'&');
        }
    };
    for (QAbstractButton* b : janela.findChildren<QAbstractButton*>()) {
        anota(b->text(), b);
    }
    for (QLabel* l : janela.findChildren<QLabel*>()) {
        if (l->buddy()) {
            anota(l->text(), l);
        }
    }
    for (QGroupBox* g : janela.findChildren<QGroupBox*>()) {
        anota(g->title(), g);
    }
    return r;
}

QWidget* cria(int qual)
{
    switch (qual) {
    case 0:
        return new TFrmPesagem(1);
    case 1:
        return new TFrmPesagem(2);
    case 2:
        return new TFrmTicket;
    case 3:
        return new TFrmImpCopias;
    case 4:
        return new TFrmCadCidade;
    case 5:
        return new TFrmRelMovClientes;
    case 6:
        return new TFrmRelCli;
    case 7:
        return new TFrmProdutos;
    case 8:
        return new TFrmConfTempl;
    case 9:
        return new TFrmHistoricoPesagem;
    default:
        return new TFrmSelPage(false);
    }
}

} // namespace

class TstTeclas : public QObject
{
    Q_OBJECT
    std::unique_ptr<BancoTeste> m_banco;

private Q_SLOTS:
    void init()
    {
        m_banco = std::make_unique<BancoTeste>();
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        SessaoAtual.LoginEfetuado = true;
    }
    void cleanup() { m_banco.reset(); }

    void letrasUnicas_data()
    {
        QTest::addColumn<int>("qual");
        const char* nomes[] = {"Pesagem Entrada",
                               "Pesagem Saída",
                               "Imprimir Ticket",
                               "Cópias do ticket",
                               "Cidades",
                               "Movimentação por cliente",
                               "Listagem de Cadastros",
                               "Listagem de Produtos",
                               "Configuração Template",
                               "Histórico da Pesagem",
                               "Seleção de páginas"};
        for (int i = 0; i < 11; ++i) {
            QTest::newRow(nomes[i]) << i;
        }
    }
    void letrasUnicas()
    {
        QFETCH(int, qual);
        DialogosRoteiro d;
        std::unique_ptr<QWidget> janela(cria(qual));
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela.get()));
        const auto porLetra = letras(*janela);
        for (auto it = porLetra.cbegin(); it != porLetra.cend(); ++it) {
            QVERIFY2(it.value().size() == 1,
                     qPrintable(
                         QStringLiteral("Alt+%1: %2").arg(it.key(), it.value().join(QStringLiteral(", ")))));
            const QString t = it.value().first();
            if (t.startsWith(QLatin1String("Salvar"))) {
                QCOMPARE(it.key(), QChar(u'v'));
            } else if (t == QLatin1String("Imprimir")) {
                QCOMPARE(it.key(), QChar(u'i'));
            } else if (t == QLatin1String("Sair")) {
                QCOMPARE(it.key(), QChar(u's'));
            }
        }
        janela->close();
    }

    // The preview: Alt+I prints (as in every window), "Imprimir para Windows" has its own letter.
    void letrasDoPreview()
    {
        DialogosRoteiro d;
        TRelevo job;
        job.PageHeader = false;
        job.QtLines = 5;
        job.Preview.ShowPreview = true;
        QVERIFY(job.BeginDoc());
        job.WriteText({}, QStringLiteral("L1"), 0, true);
        ServicosRelevoJanelas servicos;
        TRVPreview w(job, servicos);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto porLetra = letras(w);
        for (auto it = porLetra.cbegin(); it != porLetra.cend(); ++it) {
            QVERIFY2(it.value().size() == 1,
                     qPrintable(
                         QStringLiteral("Alt+%1: %2").arg(it.key(), it.value().join(QStringLiteral(", ")))));
        }
        QCOMPARE(porLetra.value(u'i'), QStringList{QStringLiteral("Imprimir")});
        QCOMPARE(porLetra.value(u's'), QStringList{QStringLiteral("Sair")});
        // Alt+R is the main window's "Relatórios": in the preview it presses nothing
        QVERIFY2(!porLetra.contains(u'r'), qPrintable(porLetra.value(u'r').join(u',')));
        QCOMPARE(porLetra.value(u'g'), QStringList{QStringLiteral("Ir para página")});
        w.close();
    }
};

QTEST_MAIN(TstTeclas)
#include "tst_teclas.moc"
