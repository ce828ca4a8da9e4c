// SPDX-License-Identifier: GPL-3.0-or-later
// Several workstations on one database: two connections (or processes) save
// the same weighings; whoever saved first wins, nothing is overwritten,
// every entry is stored under a number of its own, and a connection that
// was lost comes back.
#include "BancoTeste.h"
#include "ConsultaPesagem.h"
#include "ErroBanco.h"
#include "FixturePesagem.h"
#include "Relogio.h"
#include "SalvaPesagem.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QtTest>

using namespace FixturePesagem;

namespace
{

const QDateTime agora(QDate(2026, 12, 10), QTime(9, 45, 30));

PesagemTela entrada(const QString& placa, const QString& motorista, const QString& peso)
{
    PesagemTela p;
    p.modo = 1;
    p.estado = 0;
    p.placa = placa;
    p.motorista = motorista;
    p.cadCodigo = QStringLiteral("1");
    p.prdCodigo = QStringLiteral("10");
    p.fatorVisivel = {true, true, true, true};
    p.fatores = {QStringLiteral("1"), {}, {}, {}};
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("08:00:00");
    p.pesoEntrada = peso;
    return p;
}

// The exit of weighing `codigo` as a workstation loads it from its list.
PesagemTela saida(TDM& dm, qint64 codigo, const QString& peso)
{
    auto p = ConsultaPesagem::carregar(dm, codigo, 2, ConfigPesagem::ler(dm), true, agora);
    if (!p) {
        qFatal("pesagem %lld não encontrada", codigo);
    }
    p->pesoSaida = peso;
    return *p;
}

// A second workstation: its own connection to the fixture's database.
std::unique_ptr<TDM> outraEstacao(BancoTeste& b)
{
    auto dm = std::make_unique<TDM>(b.conexao());
    QString erro;
    if (!dm->Conectar(&erro)) {
        qFatal("%s", qPrintable(erro));
    }
    return dm;
}

} // namespace

class TstEstacoes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { Relogio::fixar(agora); }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // B's list still shows weighing 1 as A left it; A saved first. B's save
    // writes nothing and says why; the row keeps A's values.
    void listaVelha_data()
    {
        QTest::addColumn<QString>("outra");
        QTest::addColumn<int>("situacao");
        QTest::newRow("saída registrada") << "saida" << int(PesagemAlterada::Concluida);
        QTest::newRow("alterada") << "alterada" << int(PesagemAlterada::Alterada);
        QTest::newRow("excluída") << "excluida" << int(PesagemAlterada::Excluida);
    }
    void listaVelha()
    {
        QFETCH(QString, outra);
        QFETCH(int, situacao);
        BancoTeste b;
        cadastros(b);
        auto estacaoB = outraEstacao(b);
        PesagemTela e = entrada(QStringLiteral("AAA1A11"), QStringLiteral("JOSE"), QStringLiteral("30000"));
        e.codigo = QStringLiteral("1");
        SalvaPesagem::salvar(b.dm(), e, ConfigPesagem::ler(b.dm()), false);

        PesagemTela vistaPorB = saida(*estacaoB, 1, QStringLiteral("9000"));
        if (outra == QLatin1String("saida")) {
            PesagemTela a = saida(b.dm(), 1, QStringLiteral("12000"));
            SalvaPesagem::salvar(b.dm(), a, ConfigPesagem::ler(b.dm()), true);
        } else if (outra == QLatin1String("alterada")) {
            auto a = ConsultaPesagem::carregar(b.dm(), 1, 1, ConfigPesagem::ler(b.dm()), false, agora);
            a->motorista = QStringLiteral("OUTRO");
            SalvaPesagem::salvar(b.dm(), *a, ConfigPesagem::ler(b.dm()), false);
        } else {
            SalvaPesagem::excluir(b.dm(), 1);
        }
        const auto antes = pesagem(b, 1);
        const auto produtosAntes = produtos(b, 1);

        try {
            SalvaPesagem::salvar(*estacaoB, vistaPorB, ConfigPesagem::ler(*estacaoB), true);
            QFAIL("a gravação com a lista velha deveria ser recusada");
        } catch (const PesagemAlterada& erro) {
            QCOMPARE(int(erro.situacao()), situacao);
            QVERIFY(!erro.texto().isEmpty());
        }
        QVERIFY(!estacaoB->InTransaction());
        QCOMPARE(pesagem(b, 1), antes);
        QCOMPARE(produtos(b, 1), produtosAntes);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagem")), outra == "excluida" ? 0 : 1);
        if (outra == QLatin1String("saida")) {
            QCOMPARE(antes["PES_PESOSAIDA"], QStringLiteral("12000"));
        }
    }

    // The administrator deletes from a list that another workstation made old.
    void exclusaoComListaVelha()
    {
        BancoTeste b;
        cadastros(b);
        auto estacaoB = outraEstacao(b);
        PesagemTela e = entrada(QStringLiteral("AAA1A11"), QStringLiteral("JOSE"), QStringLiteral("30000"));
        e.codigo = QStringLiteral("1");
        SalvaPesagem::salvar(b.dm(), e, ConfigPesagem::ler(b.dm()), false);
        TQuery& lista = estacaoB->QR_Pesagem;
        lista.setSQL({QStringLiteral("Select * From Pesagem where pes_datasaida is null")});
        lista.Open();
        const QVariantMap linhaDaLista = ConsultaPesagem::linhaAtual(lista);

        PesagemTela a = saida(b.dm(), 1, QStringLiteral("12000"));
        SalvaPesagem::salvar(b.dm(), a, ConfigPesagem::ler(b.dm()), false);
        QVERIFY_THROWS_EXCEPTION(PesagemAlterada, SalvaPesagem::excluir(*estacaoB, 1, linhaDaLista));
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagem")), 1);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagemproduto")), 1);

        // read again, the delete goes through
        lista.Open();
        lista.setSQL({QStringLiteral("Select * From Pesagem")});
        lista.Open();
        SalvaPesagem::excluir(*estacaoB, 1, ConsultaPesagem::linhaAtual(lista));
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagem")), 0);
    }

    // "Novo" proposed 2 at B; A stored weighing 2 meanwhile. B's entry is
    // stored under 3, A's weighing 2 stays as A saved it.
    void numeroPropostoTomado()
    {
        BancoTeste b;
        cadastros(b);
        auto estacaoB = outraEstacao(b);
        PesagemTela primeira =
            entrada(QStringLiteral("AAA1A11"), QStringLiteral("JOSE"), QStringLiteral("9000"));
        primeira.codigo = QStringLiteral("1");
        SalvaPesagem::salvar(b.dm(), primeira, ConfigPesagem::ler(b.dm()), false);

        PesagemTela deB =
            entrada(QStringLiteral("CCC3C33"), QStringLiteral("JOAO DO TESTE"), QStringLiteral("10230"));
        deB.codigo = QString::number(ConsultaPesagem::proximoCodigo(*estacaoB));
        deB.codigoProposto = true;
        QCOMPARE(deB.codigo, QStringLiteral("2"));

        PesagemTela deA =
            entrada(QStringLiteral("BBB2B22"), QStringLiteral("MARIA"), QStringLiteral("31000"));
        deA.codigo = QString::number(ConsultaPesagem::proximoCodigo(b.dm()));
        deA.codigoProposto = true;
        QCOMPARE(SalvaPesagem::salvar(b.dm(), deA, ConfigPesagem::ler(b.dm()), false), 2);

        QCOMPARE(SalvaPesagem::salvar(*estacaoB, deB, ConfigPesagem::ler(*estacaoB), false), 3);
        QCOMPARE(deB.codigo, QStringLiteral("3"));
        QCOMPARE(pesagem(b, 2)["PES_MOTORISTA"], QStringLiteral("MARIA"));
        QCOMPARE(pesagem(b, 2)["PES_PESOENTRADA"], QStringLiteral("31000"));
        QCOMPARE(pesagem(b, 3)["PES_MOTORISTA"], QStringLiteral("JOAO DO TESTE"));
        QCOMPARE(pesagem(b, 3)["PES_PLACA"], QStringLiteral("CCC3C33"));
        QCOMPARE(produtos(b, 3).size(), 1);

        // A number an older workstation stored outside the lock: the save takes the next.
        b.exec(QStringLiteral("insert into pesagem (pes_codigo, pes_placa) values (4, 'OLD0004')"));
        PesagemTela maisUma =
            entrada(QStringLiteral("DDD4D44"), QStringLiteral("ANA"), QStringLiteral("8000"));
        maisUma.codigo = QStringLiteral("4");
        maisUma.codigoProposto = true;
        QCOMPARE(SalvaPesagem::salvar(*estacaoB, maisUma, ConfigPesagem::ler(*estacaoB), false), 5);
        QCOMPARE(pesagem(b, 4)["PES_PLACA"], QStringLiteral("OLD0004"));
    }

    // Four workstations save at the same time, entries only or entries and
    // exits mixed: every one stored, entries each under its own number, each
    // exit on its own entry, no failure.
    void estacoesSimultaneas_data()
    {
        QTest::addColumn<bool>("misto");
        QTest::newRow("entradas") << false;
        QTest::newRow("entradas e saídas") << true;
    }
    void estacoesSimultaneas()
    {
        QFETCH(bool, misto);
        BancoTeste b;
        cadastros(b);
        const int estacoes = 4;
        // VIGA_TEST_SALVAMENTOS=500 gives the figure of a busy site (4 × 500)
        const int porEstacao = qEnvironmentVariableIntValue("VIGA_TEST_SALVAMENTOS") > 0
                                   ? qEnvironmentVariableIntValue("VIGA_TEST_SALVAMENTOS")
                                   : 24;
        std::vector<std::unique_ptr<QProcess>> filhos;
        QElapsedTimer relogio;
        relogio.start();
        for (int i = 0; i < estacoes; ++i) {
            auto f = std::make_unique<QProcess>();
            f->setProgram(QStringLiteral(VIGA_ESTACAO));
            QStringList args{QString::number(porEstacao), QStringLiteral("E%1").arg(i)};
            if (misto) {
                args << QStringLiteral("MISTO");
            }
            f->setArguments(args);
            f->setProcessEnvironment(QProcessEnvironment::systemEnvironment()); // VIGA_HOME of the fixture
            f->start();
            QVERIFY(f->waitForStarted());
            filhos.push_back(std::move(f));
        }
        QSet<qint64> entradas;
        QSet<qint64> saidas;
        int informadas = 0;
        int falhas = 0;
        for (auto& f : filhos) {
            QVERIFY(f->waitForFinished(600000));
            QVERIFY(f->exitStatus() == QProcess::NormalExit);
            falhas += f->exitCode();
            const QByteArray erros = f->readAllStandardError();
            QVERIFY2(f->exitCode() == 0, erros.constData());
            for (const QByteArray& l : f->readAllStandardOutput().split('\n')) {
                if (l.startsWith("E ")) {
                    entradas.insert(l.mid(2).toLongLong());
                    ++informadas;
                } else if (l.startsWith("S ")) {
                    saidas.insert(l.mid(2).toLongLong());
                }
            }
        }
        const int total = estacoes * porEstacao;
        const int totalEntradas = misto ? total / 2 : total;
        qInfo("%d estações × %d gravações (%s): %d falhas, %d entradas, %d saídas, %lld ms", estacoes,
              porEstacao, misto ? "entradas e saídas" : "entradas", falhas, int(entradas.size()),
              int(saidas.size()), relogio.elapsed());
        QCOMPARE(informadas, totalEntradas);
        QCOMPARE(int(entradas.size()), totalEntradas);
        QCOMPARE(int(saidas.size()), total - totalEntradas);
        QVERIFY(saidas.subtract(entradas).isEmpty());
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagem")), totalEntradas);
        QCOMPARE(b.contar(QStringLiteral("select count(distinct pes_placa) from pesagem")), totalEntradas);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagemproduto")), 2 * totalEntradas);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagem where pes_pesosaida is not null")),
                 total - totalEntradas);
        // the numbers the workstations were told are the stored ones
        QCOMPARE(b.contar(QStringLiteral("select max(pes_codigo) from pesagem")), totalEntradas);
    }

    // PostgreSQL: the server ends the connection (as a restart does). A read
    // comes back by itself; a save cut in the middle is rolled back and
    // reported in words, and the same save then succeeds.
    void conexaoPerdida()
    {
        BancoTeste b;
        if (!b.postgres()) {
            QSKIP("uma conexão com um arquivo SQLite não se perde");
        }
        cadastros(b);
        auto administrador = outraEstacao(b);
        PesagemTela e = entrada(QStringLiteral("AAA1A11"), QStringLiteral("JOSE"), QStringLiteral("30000"));
        e.codigo = QStringLiteral("1");
        SalvaPesagem::salvar(b.dm(), e, ConfigPesagem::ler(b.dm()), false);

        auto encerra = [&] {
            const QVariant pid = b.valor(QStringLiteral("select pg_backend_pid()"));
            QSqlQuery q(administrador->DataBase1());
            QVERIFY(q.exec(QStringLiteral("select pg_terminate_backend(%1)").arg(pid.toInt())));
            QTest::qWait(200);
        };
        encerra();
        auto lida = ConsultaPesagem::carregar(b.dm(), 1, 2, ConfigPesagem::ler(b.dm()), true, agora);
        QVERIFY(lida);
        QCOMPARE(lida->placa, QStringLiteral("AAA1A11"));

        // The connection ends while the save is half done.
        QSqlQuery q(administrador->DataBase1());
        QVERIFY(q.exec(
            QStringLiteral("CREATE FUNCTION corta() RETURNS trigger AS $$ BEGIN PERFORM "
                           "pg_terminate_backend(pg_backend_pid()); RETURN NEW; END $$ LANGUAGE plpgsql")));
        QVERIFY(q.exec(QStringLiteral(
            "CREATE TRIGGER corta BEFORE INSERT ON PESAGEMPRODUTO FOR EACH ROW EXECUTE FUNCTION corta()")));
        PesagemTela s = *lida;
        s.pesoSaida = QStringLiteral("12000");
        try {
            SalvaPesagem::salvar(b.dm(), s, ConfigPesagem::ler(b.dm()), true);
            QFAIL("a gravação deveria falhar");
        } catch (const ErroBanco& erro) {
            QCOMPARE(int(erro.causa()), int(ErroBanco::Causa::ConexaoPerdida));
            QVERIFY2(erro.texto().startsWith(QStringLiteral("A conexão com o banco de dados foi perdida")),
                     qPrintable(erro.texto()));
        }
        QVERIFY(!b.dm().InTransaction());
        QVERIFY(q.exec(QStringLiteral("DROP TRIGGER corta ON PESAGEMPRODUTO")));
        QVERIFY(b.valor(QStringLiteral("select pes_pesosaida from pesagem")).isNull());

        SalvaPesagem::salvar(b.dm(), s, ConfigPesagem::ler(b.dm()), true);
        QCOMPARE(pesagem(b, 1)["PES_PESOSAIDA"], QStringLiteral("12000"));
        QCOMPARE(produtos(b, 1).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TstEstacoes)
#include "tst_estacoes.moc"
