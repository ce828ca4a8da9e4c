// SPDX-License-Identifier: GPL-3.0-or-later
// Lists read their rows lazily: what needs a current row still works on rows
// not read yet, and an open list survives the saves made meanwhile.
#include "BancoTeste.h"
#include "ErroBanco.h"
#include "TDBGrid.h"

#include <QApplication>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>
#include <algorithm>

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
    void localizaEPercorre_data()
    {
        QTest::addColumn<bool>("paginada");
        QTest::newRow("inteira") << false;
        QTest::newRow("por páginas") << true;
    }
    void localizaEPercorre()
    {
        QFETCH(bool, paginada);
        BancoTeste b;
        preenche(b);
        TQuery& q = b.dm().QR_Cidade;
        q.setSQL({"Select *", "From Cidade", "order by cid_descricao"});
        if (paginada) {
            q.Paginar({"cid_codigo"});
        }
        q.Open();
        QCOMPARE(q.Paginada(), paginada);
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

    // Letters typed on a long list move it to the first row whose sort key
    // starts with them, each key answered by the database: the rows read are
    // those the list shows around the row found, never the rows in between.
    void digitacaoNaLista()
    {
        BancoTeste b;
        constexpr int n = 100000;
        b.exec(QStringLiteral("with recursive s(i) as (select 1 union all select i + 1 from s where i < %1) "
                              "insert into cidade select i, %2, 'PR' from s")
                   .arg(n)
                   .arg(b.postgres() ? QStringLiteral("'CID' || lpad(cast(i as text), 6, '0')")
                                     : QStringLiteral("printf('CID%06d', i)")));
        TQuery& q = b.dm().QR_Cidade;
        q.setSQL({"Select *", "From Cidade", "order by cid_descricao"});
        q.Paginar({"cid_codigo"});
        q.Open();
        TDBGrid g;
        g.resize(300, 200);
        g.setConsulta(&q, colunas());
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.setFocus();
        QCOMPARE(g.colunaDigitacao(), QString("cid_descricao"));
        const qint64 antes = q.LinhasTrazidas();
        const QString digitado = "cid05";
        QTest::keyClicks(&g, digitado);
        QApplication::processEvents();
        QCOMPARE(q.AsString("cid_descricao"), QString("CID050000"));
        QCOMPARE(g.linhaAtual(), 49999);
        // per key: the row found, its place (a count) and a page on each side of it
        const qint64 lidas = q.LinhasTrazidas() - antes;
        QVERIFY2(lidas <= digitado.size() * (2 + 2 * 128), qPrintable(QString::number(lidas)));
        // a text no row starts with leaves the list where it was
        QTest::qWait(QApplication::keyboardInputInterval() + 50);
        QTest::keyClicks(&g, "x");
        QCOMPARE(g.linhaAtual(), 49999);
        // a list sorted by a formatted column (a date, a weight) ignores typing
        g.setConsulta(
            &q, {{"cid_codigo", "Código", 60},
                 {"cid_descricao", "Nome", 200, QColor(), [](const QVariant& v) { return v.toString(); }}});
        QVERIFY(g.colunaDigitacao().isEmpty());
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

    // Statements with values are kept prepared by the data module: each run
    // binds its own values, a failed run leaves the statement usable, a read
    // stopped after its first row does not keep the old state of the database
    // (on SQLite an open statement holds its read), and a table whose layout
    // changed is read with its new columns.
    void sentencasPreparadas()
    {
        try {
            executaSentencasPreparadas();
        } catch (const ErroBanco& e) {
            QFAIL(qPrintable(e.texto()));
        }
    }

private:
    void executaSentencasPreparadas()
    {
        BancoTeste b;
        TDM& dm = b.dm();
        const QStringList insere{"insert into cidade values (:c, :d, 'SC')"};
        dm.ExecutaNaTransacao(insere, {{"c", 1}, {"d", "UM"}});
        dm.ExecutaNaTransacao(insere, {{"c", 2}, {"d", "DOIS"}});
        QVERIFY_THROWS_EXCEPTION(ErroBanco, dm.ExecutaNaTransacao(insere, {{"c", 1}, {"d", "REPETIDA"}}));
        dm.ExecutaNaTransacao(insere, {{"c", 3}, {"d", "TRES"}});
        QCOMPARE(b.valor("select cid_descricao from cidade where cid_codigo=2").toString(), "DOIS");
        QCOMPARE(b.contar("select count(*) from cidade"), 3);

        TQuery q(&dm, "QR_Teste", {"select * from cidade where cid_codigo >= :c order by cid_codigo"});
        const auto primeira = [&q](qint64 desde) {
            q.setParam("c", desde);
            QStringList linha;
            q.ExecPreparada([&linha](QSqlQuery& r) {
                if (r.next()) {
                    for (int i = 0; i < r.record().count(); ++i)
                        linha << r.value(i).toString();
                }
            });
            return linha;
        };
        QCOMPARE(primeira(2), QStringList({"2", "DOIS", "SC"}));

        {
            QSqlDatabase outra = QSqlDatabase::cloneDatabase(dm.DataBase1(), "outra-estacao");
            QVERIFY2(outra.open(), qPrintable(outra.lastError().text()));
            QSqlQuery w(outra);
            QVERIFY2(w.exec("insert into cidade values (4, 'QUATRO', 'RS')"),
                     qPrintable(w.lastError().text()));
        }
        QSqlDatabase::removeDatabase("outra-estacao");
        QCOMPARE(primeira(4), QStringList({"4", "QUATRO", "RS"}));

        dm.QR_EXEC.setSQL({"ALTER TABLE cidade ADD cid_ibge varchar(7)"});
        dm.QR_EXEC.ExecSQL();
        dm.ExecutaNaTransacao({"update cidade set cid_ibge=:i where cid_codigo=1"}, {{"i", "4106902"}});
        QCOMPARE(primeira(1), QStringList({"1", "UM", "SC", "4106902"}));
    }

private Q_SLOTS:

    // A list read page by page shows the rows in the order the whole result
    // has, however it is walked: forwards, backwards from a located row, or
    // jumping to a row far away. Equal names, NULL names and states, and
    // keys in both directions are where a page boundary goes wrong.
    void paginasNaOrdemDaLista_data()
    {
        QTest::addColumn<QString>("ordem");
        QTest::newRow("nome") << "order by cid_descricao";
        QTest::newRow("estado desc, nome") << "order by cid_uf desc, cid_descricao";
        QTest::newRow("nome desc, estado") << "Order By c.cid_descricao DESC, c.cid_uf asc";
        QTest::newRow("sem ordem") << "";
    }
    void paginasNaOrdemDaLista()
    {
        QFETCH(QString, ordem);
        BancoTeste b;
        QSqlDatabase db = b.dm().DataBase1();
        db.transaction();
        QSqlQuery ins(db);
        ins.prepare("insert into cidade values (?, ?, ?)");
        const int n = 1000;
        for (int i = 1; i <= n; ++i) {
            // few distinct names (long runs of ties across pages), some NULL
            ins.addBindValue(i);
            ins.addBindValue(i % 17 == 0 ? QVariant(QMetaType(QMetaType::QString))
                                         : QVariant(QStringLiteral("NOME %1").arg(i % 7)));
            ins.addBindValue(i % 5 == 0 ? QVariant(QMetaType(QMetaType::QString))
                                        : QVariant(QStringLiteral("U%1").arg(i % 3)));
            QVERIFY(ins.exec());
        }
        db.commit();

        // the engine's own order of the whole result, the code breaking ties
        const QString base = QStringLiteral("Select * From Cidade c where cid_codigo <> :fora");
        QList<int> esperados;
        {
            TQuery inteira(
                &b.dm(), "inteira",
                {base, ordem.isEmpty() ? QStringLiteral("order by cid_codigo") : ordem + ", cid_codigo"});
            inteira.setParam("fora", 3);
            inteira.Open();
            for (inteira.First(); !inteira.Eof(); inteira.Next()) {
                esperados << inteira.AsInteger("cid_codigo");
            }
        }
        QCOMPARE(esperados.size(), n - 1);

        auto abre = [&](TQuery& q) {
            q.setSQL({base, ordem});
            q.setParam("fora", 3);
            q.Paginar({"cid_codigo"});
            q.Open();
            QVERIFY(q.Paginada());
            QCOMPARE(q.RecordCount(), n - 1);
        };
        TQuery q(&b.dm(), "lista");
        abre(q);
        // forwards, row by row
        QList<int> lidos;
        for (q.First(); !q.Eof(); q.Next()) {
            lidos << q.AsInteger("cid_codigo");
        }
        QCOMPARE(lidos, esperados);

        // backwards from a row located near the end
        abre(q);
        const int alvo = esperados[n - 40];
        QVERIFY(q.LocateExato("cid_codigo", alvo));
        QCOMPARE(q.RecNo(), n - 40);
        for (int i = n - 40; i >= 0; --i) {
            QCOMPARE(q.valor(i, q.record().indexOf("cid_codigo")).toInt(), esperados[i]);
        }
        // a jump into the middle, then on both sides of it
        abre(q);
        const int c = q.record().indexOf("cid_codigo");
        for (int i : {600, 599, 700, 601, 998, 0}) {
            QCOMPARE(q.valor(i, c).toInt(), esperados[i]);
        }
        QVERIFY(!q.valor(n - 1, c).isValid());
        // the first row whose name starts with the text, ignoring case
        abre(q);
        QVERIFY(q.Locate("cid_descricao", "nome 3"));
        const int primeiro = int(std::find_if(esperados.cbegin(), esperados.cend(),
                                              [](int i) { return i % 17 != 0 && i % 7 == 3; }) -
                                 esperados.cbegin());
        QCOMPARE(q.RecNo(), primeiro);
        QCOMPARE(q.AsString("cid_descricao"), QString("NOME 3"));
        QVERIFY(!q.Locate("cid_descricao", "NOME 9"));
        // typed text is a value, never part of the statement
        QVERIFY(!q.Locate("cid_descricao", "' or 1=1 --"));
        QVERIFY(!q.Locate("cid_descricao", "%"));
    }
};

QTEST_MAIN(TstConsulta)
#include "tst_consulta.moc"
