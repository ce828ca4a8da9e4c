// SPDX-License-Identifier: GPL-3.0-or-later
// Lists read their rows lazily: what needs a current row still works on rows
// not read yet, and an open list survives the saves made meanwhile.
#include "BancoTeste.h"
#include "ErroBanco.h"
#include "TDBGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace
{

constexpr int Cidades = 3000;

void preenche(BancoTeste& b)
{
    QSqlDatabase db = b.dm().DataBase1();
    db.transaction();
    QSqlQuery q(db);
    q.prepare("insert into cidade values (?, ?, 'PR')");
    for (int i = 1; i <= Cidades; ++i) {
        q.addBindValue(i);
        q.addBindValue(QStringLiteral("CIDADE %1").arg(i, 4, 10, QChar('0')));
        QVERIFY(q.exec());
    }
    db.commit();
}

QList<ModeloConsulta::Coluna> colunas()
{
    return {{"cid_codigo", "Código", 60}, {"cid_descricao", "Nome", 200}};
}

} // namespace

class TstConsulta : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void localizaEPercorre()
    {
        BancoTeste b;
        preenche(b);
        TQuery& q = b.dm().QR_Cidade;
        q.setSQL({"Select *", "From Cidade", "order by cid_descricao"});
        q.Open();
        TDBGrid g;
        g.resize(300, 200);
        g.setConsulta(&q, colunas());
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QCOMPARE(g.linhaAtual(), 0);
        QCOMPARE(q.AsInteger("cid_codigo"), 1);

        // a row far below what is on screen: the grid and the query move there
        QVERIFY(g.localizar("cid_descricao", "cidade 2950"));
        QCOMPARE(g.linhaAtual(), 2949);
        QCOMPARE(q.RecNo(), 2949);
        QCOMPARE(q.AsString("cid_descricao"), QString("CIDADE 2950"));
        QCOMPARE(g.model()->index(2949, 1).data().toString(), QString("CIDADE 2950"));
        // not found: nothing moves
        QVERIFY(!g.localizar("cid_descricao", "CURITIBA"));
        QCOMPARE(g.linhaAtual(), 2949);
        // arrows move the query's current row
        g.setFocus();
        QTest::keyClick(&g, Qt::Key_Up);
        QCOMPARE(q.AsString("cid_descricao"), QString("CIDADE 2949"));

        // scrolling to the end shows every row
        for (int i = 0; i < 100 && g.model()->rowCount() < Cidades; ++i) {
            g.verticalScrollBar()->setValue(g.verticalScrollBar()->maximum());
            QApplication::processEvents();
        }
        QCOMPARE(g.model()->rowCount(), Cidades);
        QCOMPARE(q.RecordCount(), Cidades);
        q.Last();
        QCOMPARE(q.AsString("cid_descricao"), QString("CIDADE 3000"));
        q.Next();
        QVERIFY(q.Eof());
    }

    // Saves commit and fail (roll back) while a list is open; the list keeps
    // reading its rows and, opened again, shows what was saved.
    void listaAbertaDuranteGravacoes()
    {
        BancoTeste b;
        preenche(b);
        TQuery& q = b.dm().QR_Cidade;
        q.setSQL({"Select *", "From Cidade", "order by cid_codigo"});
        q.Open();
        TDBGrid g;
        g.setConsulta(&q, colunas());
        b.dm().ExecutaNaTransacao({"insert into cidade values (:c, 'NOVA', 'SC')"}, {{"c", Cidades + 1}});
        bool falhou = false;
        try {
            b.dm().ExecutaNaTransacao({"insert into cidade values (:c, 'REPETIDA', 'SC')"}, {{"c", 1}});
        } catch (const ErroBanco&) {
            falhou = true;
        }
        QVERIFY(falhou);
        QVERIFY(!b.dm().InTransaction());
        QVERIFY(g.localizar("cid_descricao", "CIDADE 2999"));
        QCOMPARE(q.AsInteger("cid_codigo"), 2999);
        // refresh after the save
        q.Open();
        g.recarregar();
        QCOMPARE(g.linhaAtual(), 0);
        QCOMPARE(q.RecordCount(), Cidades + 1);
        QVERIFY(g.localizar("cid_descricao", "NOVA"));
        QCOMPARE(q.AsInteger("cid_codigo"), Cidades + 1);
        QCOMPARE(b.contar("select count(*) from cidade where cid_descricao='REPETIDA'"), 0);
    }
};

QTEST_MAIN(TstConsulta)
#include "tst_consulta.moc"
