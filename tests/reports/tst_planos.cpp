// SPDX-License-Identifier: GPL-3.0-or-later
// The reports' statements reach the weighings of a period, a party kind or a
// product through an index on both engines, as the planner explains them: a
// report of one day on ten years of data reads that day, not ten years.
#include "BancoTeste.h"
#include "DadosRelatorios.h"
#include "Esquema.h"
#include "Listagens.h"
#include "RelatorioAgrupado.h"
#include "RelatorioFluxo.h"
#include "RelatorioMovimento.h"
#include "TDM.h"
#include "TQuery.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

class TstPlanos : public QObject
{
    Q_OBJECT

    // The plan of `q`'s statement (values in place), one line per step.
    static QStringList plano(BancoTeste& b, const TQuery& q)
    {
        QSqlQuery e(b.dm().DataBase1());
        if (b.postgres()) {
            // On a handful of rows a sequential read is cheapest: ask whether an
            // index could serve instead.
            e.exec(QStringLiteral("set enable_seqscan = off"));
        }
        const QString sql =
            (b.postgres() ? QStringLiteral("explain ") : QStringLiteral("explain query plan ")) +
            q.TraceText();
        if (!e.exec(sql)) qWarning() << e.lastError().text() << sql;
        QStringList linhas;
        while (e.next())
            linhas << e.value(e.record().count() - 1).toString();
        if (b.postgres()) e.exec(QStringLiteral("reset enable_seqscan"));
        return linhas;
    }

    // True when the plan reads table `tabela` (alias `alias`) whole.
    static bool leTudo(const QStringList& plano, bool postgres, const QString& tabela, const QString& alias)
    {
        for (const QString& l : plano) {
            if (postgres) {
                if (l.contains(QStringLiteral("Seq Scan on ") + tabela, Qt::CaseInsensitive)) return true;
            } else if (l.startsWith(QStringLiteral("SCAN ") + alias) &&
                       !l.contains(QStringLiteral("USING"))) {
                return true;
            }
        }
        return false;
    }

private Q_SLOTS:
    void indices_data()
    {
        QTest::addColumn<QString>("relatorio");
        QTest::addColumn<QString>("produto");
        QTest::newRow("movimento de um periodo") << "movimento" << QString();
        QTest::newRow("movimento de um produto") << "movimento"
                                                 << "1";
        QTest::newRow("fluxo de um periodo") << "fluxo" << QString();
        QTest::newRow("agrupado de um periodo") << "agrupado" << QString();
        QTest::newRow("movimento anterior de um produto") << "anterior"
                                                          << "1";
        QTest::newRow("listagem de clientes") << "cadastros" << QString();
    }
    void indices()
    {
        QFETCH(QString, relatorio);
        QFETCH(QString, produto);
        BancoTeste b;
        dadosRelatorios(b);
        TQuery& q = b.dm().QR_TEMP;
        const QDate inicio(2026, 11, 3), fim(2026, 11, 3);
        QString tabela = QStringLiteral("pesagem"), alias = QStringLiteral("b");
        if (relatorio == QLatin1String("movimento")) {
            FiltroMovimento f;
            f.inicio = inicio;
            f.fim = fim;
            f.produto = produto;
            RelatorioMovimento::montaSql(q, f, false);
        } else if (relatorio == QLatin1String("fluxo")) {
            FiltroFluxo f{produto, inicio, fim};
            RelatorioFluxo::montaSql(q, f);
        } else if (relatorio == QLatin1String("agrupado")) {
            FiltroFluxo f{produto, inicio, fim};
            RelatorioAgrupado::montaSql(q, f);
        } else if (relatorio == QLatin1String("anterior")) {
            FiltroFluxo f{produto, {}, {}};
            RelatorioFluxo::montaSomas(q, f, inicio, RelatorioFluxo::FatorSaida::FixoVezesVariavel);
            tabela = QStringLiteral("pesagemproduto");
            alias = QStringLiteral("c");
        } else {
            q.Clear();
            q.Add(QStringLiteral("select a.cad_codigo, a.cad_razao from cadastrao a where a.cad_tipo=:tipo "
                                 "order by a.cad_razao"));
            q.setParam(QStringLiteral("tipo"), 3);
            tabela = QStringLiteral("cadastrao");
            alias = QStringLiteral("a");
        }
        const QStringList p = plano(b, q);
        QVERIFY(!p.isEmpty());
        QVERIFY2(!leTudo(p, b.postgres(), tabela, alias), qPrintable(p.join(u'\n')));
    }

    // A database of an older version gains the reports' indexes when it opens.
    void indicesCriadosAoAbrir()
    {
        BancoTeste b;
        b.exec(QStringLiteral("drop index PESAGEM_TIPO_ENTRADA_IDX"));
        const QString conta =
            b.postgres()
                ? QStringLiteral(
                      "select count(*) from pg_indexes where upper(indexname)='PESAGEM_TIPO_ENTRADA_IDX'")
                : QStringLiteral("select count(*) from sqlite_master where name='PESAGEM_TIPO_ENTRADA_IDX'");
        QCOMPARE(b.contar(conta), 0);
        QString erro;
        b.dm().Desconectar();
        QVERIFY2(Esquema::abreBanco(b.dm(), &erro), qPrintable(erro));
        QCOMPARE(b.contar(conta), 1);
        if (!b.postgres()) {
            // ...and the planner's statistics after creating it.
            QVERIFY(b.contar(
                        QStringLiteral("select count(*) from sqlite_master where name='sqlite_stat1'")) == 1);
        }
    }
};

QTEST_GUILESS_MAIN(TstPlanos)
#include "tst_planos.moc"
