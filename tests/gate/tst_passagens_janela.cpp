// SPDX-License-Identifier: GPL-3.0-or-later
// "Passagens sem pesagem" as the administrator meets it: the period typed,
// the list of the passages that began in it, the pictures of the chosen one,
// a wrong date refused.
#include "BancoTeste.h"
#include "DialogosRoteiro.h"
#include "Passagens.h"
#include "Relogio.h"
#include "TFrmPassagens.h"
#include "TMaskEdit.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace
{

QByteArray jpeg()
{
    QImage imagem(64, 48, QImage::Format_RGB32);
    imagem.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    imagem.save(&b, "JPEG");
    return bytes;
}

void abrir(QWidget& w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

void digita(TMaskEdit* campo, const QString& texto)
{
    campo->setFocus();
    campo->selectAll();
    QTest::keyClicks(campo, texto);
}

} // namespace

class TstPassagensJanela : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Relogio::fixar(QDateTime()); }

    void listaEFotos()
    {
        BancoTeste b;
        DialogosRoteiro d;
        Relogio::fixar(QDateTime(QDate(2026, 12, 11), QTime(9, 0)));
        Passagem p;
        p.inicio = QDateTime(QDate(2026, 12, 10), QTime(7, 30, 0));
        p.fim = p.inicio.addSecs(25);
        p.pesoMaximo = Decimal::fromInt(28100);
        p.pesoEstavel = Decimal::fromInt(27340);
        Passagens::conclui(b.dm(), Passagens::abre(b.dm(), p), p,
                           {{"Frente", jpeg(), {}}, {"Traseira", {}, "A câmera não respondeu em 2 s."}});
        Passagem hoje = p;
        hoje.inicio = QDateTime(QDate(2026, 12, 11), QTime(8, 0, 0));
        hoje.pesoEstavel.reset();
        Passagens::abre(b.dm(), hoje);
        Passagens::marcaInterrompidas(b.dm());

        TFrmPassagens w;
        abrir(w);
        // today's passage at once
        QCOMPARE(w.campoDe->text(), QStringLiteral("11/12/2026"));
        QTest::mouseClick(w.botaoConsulta, Qt::LeftButton);
        QCOMPARE(w.tabela->rowCount(), 1);
        QCOMPARE(w.tabela->item(0, 0)->text(), QStringLiteral("11/12/2026 08:00:00"));
        QCOMPARE(w.tabela->item(0, 1)->text(), QStringLiteral("-"));
        QCOMPARE(w.tabela->item(0, 3)->text(), QStringLiteral("-"));
        QCOMPARE(w.tabela->item(0, 4)->text(), QStringLiteral("Interrompida (VIGA fechado)"));
        QVERIFY(w.findChild<QLabel*>(QStringLiteral("FotoNenhuma")));

        digita(w.campoDe, QStringLiteral("10122026"));
        QTest::mouseClick(w.botaoConsulta, Qt::LeftButton);
        QCOMPARE(w.tabela->rowCount(), 2);
        QCOMPARE(w.total->text(), QStringLiteral("2 passagem(ns) sem pesagem"));
        const QStringList primeira{"10/12/2026 07:30:00", "10/12/2026 07:30:25", "28100", "27340",
                                   "Sem pesagem"};
        for (int c = 0; c < primeira.size(); ++c) {
            QCOMPARE(w.tabela->item(0, c)->text(), primeira[c]);
        }
        auto* frente = w.findChild<QLabel*>(QStringLiteral("FotoFrente"));
        QVERIFY(frente);
        QVERIFY(!frente->pixmap().isNull());
        auto* traseira = w.findChild<QLabel*>(QStringLiteral("FotoTraseira"));
        QVERIFY(traseira);
        QCOMPARE(traseira->text(), QStringLiteral("Traseira: A câmera não respondeu em 2 s."));
        // the other passage: its own (no) pictures
        w.tabela->selectRow(1);
        QTRY_VERIFY(w.findChild<QLabel*>(QStringLiteral("FotoNenhuma")));
        QVERIFY(!w.findChild<QLabel*>(QStringLiteral("FotoFrente")));
        QVERIFY(d.mostradas.isEmpty());
    }

    void dataInvalida()
    {
        BancoTeste b;
        DialogosRoteiro d;
        TFrmPassagens w;
        abrir(w);
        digita(w.campoAte, QStringLiteral("31022026"));
        QTest::mouseClick(w.botaoConsulta, Qt::LeftButton);
        QCOMPARE(d.ultimo(), QStringLiteral("Data inválida."));
        QCOMPARE(w.focusWidget(), w.campoAte);
        QCOMPARE(w.tabela->rowCount(), 0);
    }
};

QTEST_MAIN(TstPassagensJanela)
#include "tst_passagens_janela.moc"
