// SPDX-License-Identifier: GPL-3.0-or-later
// The flow and grouped reports over generated weighings (two years of a few
// parties and products, rows of the product grid without stored factors
// among them), checked against independent sums the database makes over the
// weighings' stored factors: the previous movement, before and after a
// product's factors are edited, and each day's total; figures of twelve
// digits printed readable. With the company's heading on every page, each
// page reads the database while the report's rows are still coming.
#include "DadosRelatorios.h"
#include "RelatorioAgrupado.h"
#include "RelatorioFluxo.h"
#include "RelatorioMovimento.h"
#include "Rotinas.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace
{
constexpr int Pesagens = 1500;

// Two years up to 31/12/2026: party 1 + i mod 6 (even: suppliers, arrive
// loaded), product 1 + i mod 3; every seventh a product-grid row (no factors
// stored); the others with entry, exit, moisture and fixed factors stored.
void gera(BancoTeste& b, qint64 escala = 1)
{
    b.exec(QStringLiteral("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (1, 1, "
                          "'CEREALISTA BOA SAFRA LTDA')"));
    for (int p = 1; p <= 6; ++p)
        b.exec(QStringLiteral("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (%1, %2, "
                              "'PARTE %1')")
                   .arg(100 + p)
                   .arg(p % 2 ? 3 : 4));
    b.exec(QStringLiteral("insert into produto (prd_codigo, prd_descricao, prd_fator1, prd_fator2) values "
                          "('1', 'SOJA', 0.3, 1)"));
    b.exec(QStringLiteral("insert into produto (prd_codigo, prd_descricao) values ('2', 'MILHO')"));
    b.exec(QStringLiteral(
        "insert into produto (prd_codigo, prd_descricao, prd_fator1) values ('3', 'TRIGO', 2)"));
    const QDate inicio(2025, 1, 1);
    QSqlDatabase db = b.dm().DataBase1();
    QVERIFY(db.transaction());
    QSqlQuery p(db), c(db);
    QVERIFY(p.prepare(QStringLiteral("insert into pesagem (pes_codigo, cad_codigo, cad_tipo, "
                                     "pes_dataentrada, pes_horaentrada, pes_pesoentrada, "
                                     "pes_datasaida, pes_horasaida, pes_pesosaida) values (?, ?, ?, ?, "
                                     "'08:00:00', ?, ?, '09:00:00', ?)")));
    QVERIFY(c.prepare(QStringLiteral("insert into pesagemproduto (pes_codigo, prd_codigo, pes_fator1, "
                                     "pes_fator2, pes_fator7, pes_fator11, "
                                     "pes_fator7e, pes_fator8e) values (?, ?, ?, ?, ?, ?, ?, ?)")));
    for (int i = 1; i <= Pesagens; ++i) {
        const int parte = 1 + i % 6;
        const bool fornecedor = parte % 2 == 0;
        const QDate dia = inicio.addDays(i * 730 / Pesagens);
        const qint64 cheio = (20000 + (i * 131) % 20000) * escala, vazio = (9000 + (i * 17) % 5000) * escala;
        const QString produto = QString::number(1 + i % 3);
        p.addBindValue(i);
        p.addBindValue(100 + parte);
        p.addBindValue(fornecedor ? 4 : 3);
        p.addBindValue(dia);
        p.addBindValue(fornecedor ? cheio : vazio);
        p.addBindValue(dia);
        p.addBindValue(fornecedor ? vazio : cheio);
        QVERIFY2(p.exec(), qPrintable(p.lastError().text()));
        c.addBindValue(i);
        c.addBindValue(produto);
        const bool grade = i % 7 == 0;
        const QVariant nulo;
        c.addBindValue(grade ? nulo : QVariant(produto == QLatin1String("1") ? 0.3 : 0.0));
        c.addBindValue(grade ? nulo : QVariant(produto == QLatin1String("1") ? 1.0 : 0.0));
        c.addBindValue(grade ? nulo : QVariant(0.5 * (i % 3)));
        c.addBindValue(grade ? nulo : QVariant(0.25 * (i % 9)));
        c.addBindValue(grade ? nulo : QVariant(i % 4 == 0 ? 1.5 : 0.0));
        c.addBindValue(grade ? nulo : QVariant(0.1 * (i % 5)));
        QVERIFY2(c.exec(), qPrintable(c.lastError().text()));
    }
    QVERIFY(db.commit());
    b.exec(QStringLiteral("update config set cfg_umidade=1, cfg_casasdecimais=2, cfg_cabeca=1"));
}

// The report's lines that start with `titulo`, as printed, in order.
QStringList linhas(const ServicosTeste& s, const QString& titulo)
{
    QStringList r;
    for (const QStringList& pagina : s.paginasExibidas)
        for (const QString& l : pagina)
            if (l.startsWith(titulo)) r << l;
    return r;
}

// The figure right-aligned in `largura` at `coluna` of a printed line.
QString figura(const QString& linha, int coluna, int largura)
{
    return linha.mid(coluna, largura).trimmed();
}

// E' - S and (E' - S) x the exit factor over the stored factors (a missing one as 0):
// `combinado`, one coefficient of all eleven; otherwise the fixed ones times the variable ones.
QString somaIndependente(bool comFator, bool combinado)
{
    const QString ent =
        QStringLiteral("b.pes_pesoentrada*(100-coalesce(c.pes_fator7e,0)-coalesce(c.pes_fator8e,0)-"
                       "coalesce(c.pes_fator9e,0)-coalesce(c.pes_fator10e,0))/100.0");
    QString fixos, variaveis;
    for (int i = 1; i <= 6; ++i)
        fixos += QStringLiteral("-coalesce(c.pes_fator%1,0)").arg(i);
    for (int i = 7; i <= 11; ++i)
        variaveis += QStringLiteral("-coalesce(c.pes_fator%1,0)").arg(i);
    const QString fator = combinado ? QStringLiteral("(100%1%2)/100.0").arg(fixos, variaveis)
                                    : QStringLiteral("(100%1)/100.0*(100%2)/100.0").arg(fixos, variaveis);
    return QStringLiteral(
               "select coalesce(sum((%1-b.pes_pesosaida)%2),0) from pesagem b join pesagemproduto c on "
               "c.pes_codigo=b.pes_codigo where b.pes_datasaida is not null and c.prd_codigo=:produto "
               "and b.pes_dataentrada < '2026-01-01'")
        .arg(ent, comFator ? u'*' + fator : QString());
}

QString duasCasas(const QVariant& v)
{
    return Decimal::fromVariant(v).toString(2);
}
} // namespace

class TstRelGerados : public QObject
{
    Q_OBJECT

    ServicosTeste* m_servicos = nullptr;

    // Runs the flow or the grouped report from 01/01/2026 on.
    void roda(BancoTeste& b, bool agrupado)
    {
        FiltroFluxo f;
        f.inicio = QDate(2026, 1, 1);
        const bool impresso =
            agrupado ? RelatorioAgrupado(b.dm()).imprimir(f, true) : RelatorioFluxo(b.dm()).imprimir(f, true);
        QVERIFY(impresso);
    }

    // The independent sum for `produto` with two decimals.
    static QString soma(BancoTeste& b, const QString& sql, const QString& produto)
    {
        QSqlQuery q(b.dm().DataBase1());
        q.prepare(sql);
        q.bindValue(QStringLiteral(":produto"), produto);
        if (!q.exec() || !q.next()) qWarning() << q.lastError().text();
        return duasCasas(q.value(0));
    }

private Q_SLOTS:
    void init() { m_servicos = iniciaRelatorios(); }
    void cleanup() { encerraRelatorios(m_servicos); }

    // The previous movement's balance of each product, with and without factor,
    // equals the database's own sum over the stored factors, and stays so after
    // the products' factors are edited.
    void anteriorConfereComSomaIndependente_data()
    {
        QTest::addColumn<bool>("agrupado");
        QTest::newRow("fluxo") << false;
        QTest::newRow("agrupado") << true;
    }
    void anteriorConfereComSomaIndependente()
    {
        QFETCH(bool, agrupado);
        BancoTeste b;
        gera(b);
        if (QTest::currentTestFailed()) return;
        // flow: balance at 81 (12) and with factor at 103 (22); grouped: at 81 (12) and 94 (31)
        const QString titulo =
            agrupado ? QStringLiteral("Saldo Anterior:") : QStringLiteral("Saldo dos Movimentos Anteriores:");
        const int colunaFc = agrupado ? 94 : 103, larguraFc = agrupado ? 31 : 22;
        QStringList antes;
        for (int vez = 0; vez < 2; ++vez) {
            roda(b, agrupado);
            const QStringList saldos = linhas(*m_servicos, titulo);
            QCOMPARE(saldos.size(), qsizetype(3));
            for (int p = 0; p < 3; ++p) {
                const QString produto = QString::number(p + 1);
                QCOMPARE(figura(saldos[p], 81, 12), soma(b, somaIndependente(false, false), produto));
                QCOMPARE(figura(saldos[p], colunaFc, larguraFc),
                         soma(b, somaIndependente(true, agrupado), produto));
            }
            if (vez == 0) {
                antes = saldos;
                // Someone edits the products' factors afterwards.
                b.exec(QStringLiteral("update produto set prd_fator1=0.8, prd_fator2=3, prd_fator3=1"));
            } else {
                QCOMPARE(saldos, antes);
            }
        }
    }

    // Each day's total of the flow is the day's suppliers' net less its clients'
    // net, that is the sum of E' - S of the day's weighings, as the database sums it.
    void totaisDoDia()
    {
        BancoTeste b;
        gera(b);
        if (QTest::currentTestFailed()) return;
        roda(b, false);
        const QStringList dias = linhas(*m_servicos, QStringLiteral("Total do Dia"));
        QSqlQuery q(b.dm().DataBase1());
        QVERIFY(q.exec(QStringLiteral(
            "select sum(b.pes_pesoentrada*(100-coalesce(c.pes_fator7e,0)-coalesce(c.pes_fator8e,0))/100.0-"
            "b.pes_pesosaida) from pesagem b join pesagemproduto c on c.pes_codigo=b.pes_codigo where "
            "b.pes_datasaida is not null and b.pes_dataentrada >= '2026-01-01' group by c.prd_codigo, "
            "b.pes_dataentrada order by c.prd_codigo, b.pes_dataentrada")));
        QStringList esperados;
        while (q.next())
            esperados << duasCasas(q.value(0));
        QVERIFY(esperados.size() > 300);
        QCOMPARE(dias.size(), esperados.size());
        for (int i = 0; i < dias.size(); ++i)
            QCOMPARE(figura(dias[i], 81, 12), esperados[i]);
    }

    // Weights a million times larger: totals of twelve digits and more keep a
    // blank between them and their neighbours, nothing cut.
    void totaisDeDozeDigitos_data()
    {
        QTest::addColumn<int>("relatorio");
        QTest::newRow("fluxo") << 0;
        QTest::newRow("agrupado") << 1;
        QTest::newRow("movimento") << 2;
    }
    void totaisDeDozeDigitos()
    {
        QFETCH(int, relatorio);
        BancoTeste b;
        gera(b, 1000000);
        if (QTest::currentTestFailed()) return;
        if (relatorio == 2) {
            FiltroMovimento f;
            f.tipo = 1;
            QVERIFY(RelatorioMovimento(b.dm()).imprimir(f, true));
        } else {
            roda(b, relatorio == 1);
        }
        QString texto;
        for (const QStringList& pagina : m_servicos->paginasExibidas)
            texto += pagina.join(u'\n') + u'\n';
        QVERIFY(QRegularExpression(QStringLiteral(" \\d{12,},\\d\\d")).match(texto).hasMatch());
        // Two figures run together: a comma, digits and another comma or a minus sign.
        const auto junto = QRegularExpression(QStringLiteral(",\\d{3,},|,\\d+-\\d")).match(texto);
        QVERIFY2(!junto.hasMatch(), qPrintable(junto.captured(0)));
    }
};

QTEST_MAIN(TstRelGerados)
#include "tst_relgerados.moc"
