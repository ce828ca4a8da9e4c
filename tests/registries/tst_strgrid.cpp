// SPDX-License-Identifier: GPL-3.0-or-later
#include "GradeTexto.h"
#include "TFrmPadrao.h"
#include "TstrGrid.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace
{

// The cells of the data rows, row by row, as "a|b" texts.
QStringList linhas(const GradeTexto& g)
{
    QStringList r;
    for (int i = 1; i < g.RowCount(); ++i) {
        QStringList c;
        for (int j = 0; j < g.ColCount(); ++j) {
            c << g.Cells(j, i);
        }
        r << c.join(u'|');
    }
    return r;
}

GradeTexto gradeDeDuas(const QStringList& codigos)
{
    GradeTexto g(2, 2);
    g.setFixedCols(0);
    for (const QString& c : codigos) {
        g.AddRow({c, QStringLiteral("P") + c});
    }
    return g;
}

} // namespace

class TstStrGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void criadaVazia()
    {
        GradeTexto g;
        QCOMPARE(g.ColCount(), 5);
        QCOMPARE(g.RowCount(), 2);
        QCOMPARE(g.FixedCols(), 1);
        QCOMPARE(g.FixedRows(), 1);
        QVERIFY(g.IsEmpty());
        QVERIFY(g.IsRowEmpty(1));
        TstrGrid w;
        QCOMPARE(w.DefaultRowHeight(), 18);
        QCOMPARE(w.RowCount(), 2);
    }

    void addRowPreencheAUltimaLinhaVazia()
    {
        GradeTexto g = gradeDeDuas({QStringLiteral("1")});
        QCOMPARE(g.RowCount(), 2); // the blank row was used, not a new one
        g.AddRow({QStringLiteral("2"), QStringLiteral("P2")});
        QCOMPARE(linhas(g), QStringList({"1|P1", "2|P2"}));
        QVERIFY(!g.IsEmpty());
    }

    void addRowComColunaFixa()
    {
        GradeTexto g(3, 2); // one fixed column, as created
        g.AddRow({QStringLiteral("a"), QStringLiteral("b")});
        QCOMPARE(g.Cells(0, 1), QString());
        QCOMPARE(g.Cells(1, 1), QString("a"));
        QCOMPARE(g.Cells(2, 1), QString("b"));
        // a row whose only text is in the fixed column counts as empty
        g.setCells(1, 1, QString());
        g.setCells(2, 1, QStringLiteral("  "));
        g.setCells(0, 1, QStringLiteral("x"));
        QVERIFY(g.IsRowEmpty(1));
        QVERIFY(g.IsEmpty());
    }

    void addRowComQuantidadeErrada_data()
    {
        QTest::addColumn<QStringList>("valores");
        QTest::newRow("menos") << QStringList{"1"};
        QTest::newRow("mais") << QStringList{"1", "2", "3"};
    }
    void addRowComQuantidadeErrada()
    {
        QFETCH(QStringList, valores);
        GradeTexto g = gradeDeDuas({QStringLiteral("1")});
        try {
            g.AddRow(valores);
            QFAIL("AddRow aceitou valores a mais ou a menos");
        } catch (const std::invalid_argument& e) {
            QCOMPARE(QString::fromLatin1(e.what()), QString("Number of values differs of number of columns"));
        }
        QCOMPARE(linhas(g), QStringList({"1|P1"})); // nothing written
    }

    void setTitles()
    {
        GradeTexto g(3, 2);
        g.SetTitles({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        QCOMPARE(g.Cells(1, 0), QString("B"));
        QVERIFY(g.IsEmpty()); // titles are not data
        g.setFixedRows(0);
        g.SetTitles({QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")});
        QCOMPARE(g.Cells(0, 0), QString("A")); // without a fixed row nothing is written
    }

    void clear()
    {
        GradeTexto g = gradeDeDuas({"1", "2", "3"});
        g.SetTitles({QStringLiteral("Código"), QStringLiteral("Produto")});
        g.setCoresLinha(2, Qt::red, Qt::white);
        g.Clear();
        QCOMPARE(g.RowCount(), 2);
        QVERIFY(g.IsEmpty());
        QCOMPARE(g.Cells(0, 0), QString("Código"));
        QVERIFY(!g.CoresLinha(2).fundo.isValid());
        g.AddRow({"9", "P9"});
        QVERIFY(!g.CoresLinha(1).fundo.isValid());
    }

    void deleteRow_data()
    {
        QTest::addColumn<QStringList>("codigos");
        QTest::addColumn<int>("linha");
        QTest::addColumn<QStringList>("esperadas");
        QTest::newRow("meio") << QStringList{"1", "2", "3"} << 2 << QStringList{"1|P1", "3|P3"};
        QTest::newRow("primeira") << QStringList{"1", "2", "3"} << 1 << QStringList{"2|P2", "3|P3"};
        QTest::newRow("última") << QStringList{"1", "2", "3"} << 3 << QStringList{"1|P1", "2|P2"};
        QTest::newRow("única") << QStringList{"1"} << 1 << QStringList{"|"};
        QTest::newRow("além do fim") << QStringList{"1", "2"} << 5 << QStringList{"1|P1", "2|P2"};
        QTest::newRow("linha de títulos") << QStringList{"1", "2"} << 0 << QStringList{"1|P1", "2|P2"};
    }
    void deleteRow()
    {
        QFETCH(QStringList, codigos);
        QFETCH(int, linha);
        QFETCH(QStringList, esperadas);
        GradeTexto g = gradeDeDuas(codigos);
        g.SetTitles({QStringLiteral("Código"), QStringLiteral("Produto")});
        g.DeleteRow(linha);
        QCOMPARE(linhas(g), esperadas);
        QCOMPARE(g.Cells(0, 0), QString("Código"));
    }

    void deleteRowLevaAsCores()
    {
        GradeTexto g = gradeDeDuas({"1", "2", "3"});
        g.setCoresLinha(3, Qt::yellow, Qt::black);
        g.DeleteRow(1);
        QCOMPARE(g.CoresLinha(2).fundo, QColor(Qt::yellow));
    }

    void widgetMostraTitulosELinhas()
    {
        TstrGrid w;
        w.setColCount(2);
        w.setFixedCols(0);
        w.SetTitles({QStringLiteral("Código"), QStringLiteral("Produto")});
        w.AddRow({QStringLiteral("1"), QStringLiteral("SOJA")});
        w.AddRow({QStringLiteral("2"), QStringLiteral("MILHO")});
        QCOMPARE(w.model()->headerData(1, Qt::Horizontal).toString(), QString("Produto"));
        QCOMPARE(w.model()->rowCount(), 2);
        QCOMPARE(w.model()->index(1, 1).data().toString(), QString("MILHO"));
        w.setRow(2);
        QCOMPARE(w.Row(), 2);
        w.DeleteRow(w.Row());
        QCOMPARE(w.model()->rowCount(), 1);
        QCOMPARE(w.Cells(1, 1), QString("SOJA"));
    }

    // LimpaCampos clears the grids of a window together with its fields.
    void limpaCamposLimpaAGrade()
    {
        TFrmPadrao janela;
        auto* campo = new QLineEdit(&janela);
        auto* grade = new TstrGrid(&janela);
        grade->setColCount(2);
        grade->setFixedCols(0);
        grade->SetTitles({QStringLiteral("Código"), QStringLiteral("Produto")});
        grade->AddRow({QStringLiteral("1"), QStringLiteral("SOJA")});
        grade->AddRow({QStringLiteral("2"), QStringLiteral("MILHO")});
        campo->setText(QStringLiteral("x"));
        LimpaCampos(&janela);
        QVERIFY(campo->text().isEmpty());
        QVERIFY(grade->IsEmpty());
        QCOMPARE(grade->RowCount(), 2);
        QCOMPARE(grade->Cells(0, 0), QString("Código"));
    }
};

QTEST_MAIN(TstStrGrid)
#include "tst_strgrid.moc"
