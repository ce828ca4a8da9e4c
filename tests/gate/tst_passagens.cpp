// SPDX-License-Identifier: GPL-3.0-or-later
// The passages without a weighing as the database keeps them: the recorded
// cycle stores one per cycle with no save and none for a weighed one; a
// workstation killed with a truck on the deck leaves its passage, found as
// interrupted at the next start; the site's zero check setting.
#include "Atualizacao.h"
#include "Auditoria.h"
#include "BancoTeste.h"
#include "ErroBanco.h"
#include "Gravacao.h"
#include "Passagens.h"
#include "RegistroPassagens.h"

#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

class TstPassagens : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Relogio::fixar(QDateTime()); }

    void tresCiclosUmPesado()
    {
        BancoTeste b;
        LeituraPeso leitura;
        leitura.configura(Gravacao::configAR());
        VigiaPlataforma vigia{ConfigPortaria()};
        RegistroPassagens registro(b.dm(), vigia);
        QSignalSpy gravadas(&registro, &RegistroPassagens::gravada);
        QSignalSpy falhas(&registro, &RegistroPassagens::falha);
        qint64 inicio = 0;
        qint64 doisCiclos = 0;
        for (int ciclo = 0; ciclo < 3; ++ciclo) {
            if (ciclo == 2) {
                doisCiclos = inicio;
            }
            bool salvou = false;
            inicio += Gravacao::reproduz(Gravacao::ciclo(), leitura, vigia, inicio, [&](qint64) {
                if (ciclo == 1 && !salvou && vigia.estado() == EstadoPlataforma::Estavel) {
                    // under way, the passage is already in the database
                    QCOMPARE(b.contar("select count(*) from passagem where pas_situacao=0"), 1);
                    vigia.pesagemSalva();
                    salvou = true;
                }
            });
        }
        QCOMPARE(falhas.count(), 0);
        QCOMPARE(gravadas.count(), 2);
        const QList<PassagemGravada> l =
            Passagens::lista(b.dm(), Gravacao::kInicio.date(), Gravacao::kInicio.date());
        QCOMPARE(l.size(), 2);
        QCOMPARE(b.contar("select count(*) from passagem"), 2);
        for (const PassagemGravada& p : l) {
            QCOMPARE(p.situacao, PassagemGravada::SemPesagem);
            QCOMPARE(p.textoSituacao(), QStringLiteral("Sem pesagem"));
            QCOMPARE(p.estacao, Auditoria::estacao());
            QCOMPARE(p.pesoEstavel, std::optional<Decimal>(Decimal::fromInt(27340)));
            QVERIFY(p.pesoMaximo && *p.pesoMaximo > Decimal::fromInt(27340));
            QVERIFY(p.inicio.isValid() && p.fim > p.inicio);
        }
        // the first and the third cycle, two recordings apart (to the poll)
        QVERIFY(qAbs(l[0].inicio.msecsTo(l[1].inicio) - doisCiclos) <= 50);
        // another day's list is empty
        QVERIFY(Passagens::lista(b.dm(), QDate(2026, 12, 12), QDate(2026, 12, 31)).isEmpty());
    }

    // The pictures go with the passage; a weighed passage keeps none.
    void fotos()
    {
        BancoTeste b;
        Relogio::fixar(Gravacao::kInicio);
        Passagem p;
        p.inicio = Gravacao::kInicio;
        p.pesoMaximo = Decimal::fromInt(15000);
        const qint64 n = Passagens::abre(b.dm(), p);
        p.fim = p.inicio.addSecs(30);
        const QByteArray jpeg = QByteArray::fromHex("ffd8ffe02000666f746f0001"); // with a NUL inside
        Passagens::conclui(b.dm(), n, p, {{"Frente", jpeg, {}}, {"Traseira", {}, "câmera não respondeu"}});
        const QList<FotoCamera> f = Passagens::fotos(b.dm(), n);
        QCOMPARE(f.size(), 2);
        QCOMPARE(f[0].camera, QStringLiteral("Frente"));
        QCOMPARE(f[0].jpeg, jpeg);
        QCOMPARE(f[1].falha, QStringLiteral("câmera não respondeu"));
        QVERIFY(f[1].jpeg.isEmpty());
        const PassagemGravada g = Passagens::lista(b.dm(), p.inicio.date(), p.inicio.date()).value(0);
        QVERIFY(!g.pesoEstavel);
        QCOMPARE(g.fim, p.fim);

        Passagem pesada = p;
        pesada.pesada = true;
        const qint64 m = Passagens::abre(b.dm(), pesada);
        QCOMPARE(m, n + 1);
        Passagens::conclui(b.dm(), m, pesada, {{"Frente", jpeg, {}}});
        QCOMPARE(b.contar("select count(*) from passagem"), 1);
        QCOMPARE(b.contar("select count(*) from passagemfoto"), 2);
        // a passage no longer under way is not concluded twice
        QVERIFY_THROWS_EXCEPTION(ErroBanco, Passagens::conclui(b.dm(), n, p, {}));
    }

    // Killed with a truck on the deck: at the next start the passage is
    // interrupted, with the weight it had; another workstation's passage
    // under way is left alone.
    void interrompidaAoMatar()
    {
        BancoTeste b;
        b.exec("insert into passagem (pas_codigo, pas_estacao, pas_inicio, pas_situacao) values "
               "(100, 'outra-estacao', '2026-12-11 08:59:00.000', 0)");
        QProcess filho;
        filho.setProgram(QStringLiteral(VIGA_FILHO_PASSAGEM));
        filho.setProcessEnvironment(QProcessEnvironment::systemEnvironment()); // VIGA_HOME of the fixture
        filho.start();
        QVERIFY(filho.waitForStarted());
        QByteArray saida;
        while (!saida.contains("na plataforma") && filho.state() == QProcess::Running) {
            filho.waitForReadyRead(10000);
            saida += filho.readAllStandardOutput();
        }
        QVERIFY2(saida.contains("na plataforma"), filho.readAllStandardError().constData());
        filho.kill();
        QVERIFY(filho.waitForFinished());
        QCOMPARE(filho.exitStatus(), QProcess::CrashExit);

        TDM outra(b.conexao());
        QString erro;
        QVERIFY2(outra.Conectar(&erro), qPrintable(erro));
        QCOMPARE(RegistroPassagens::aoIniciar(outra), 1);
        QCOMPARE(RegistroPassagens::aoIniciar(outra), 0);
        const QList<PassagemGravada> l = Passagens::lista(outra, QDate(2026, 12, 11), QDate(2026, 12, 11));
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0].situacao, PassagemGravada::Interrompida);
        QCOMPARE(l[0].textoSituacao(), QStringLiteral("Interrompida (VIGA fechado)"));
        QCOMPARE(l[0].inicio, QDateTime(QDate(2026, 12, 11), QTime(9, 0, 0, 100)));
        QVERIFY(!l[0].fim.isValid());
        QCOMPARE(l[0].pesoEstavel, std::optional<Decimal>(Decimal::fromInt(27340)));
        QCOMPARE(l[0].pesoMaximo, std::optional<Decimal>(Decimal::fromInt(27340)));
        QCOMPARE(b.contar("select pas_situacao from passagem where pas_codigo=100"), 0);
    }

    // The zero check is on in a new database, off in an upgraded one, and
    // the administrator's choice is kept.
    void checaZero()
    {
        BancoTeste nova;
        QVERIFY(Passagens::checaZero(nova.dm()));
        Passagens::defineChecaZero(nova.dm(), false);
        QVERIFY(!Passagens::checaZero(nova.dm()));

        BancoTeste antiga(BancoTeste::Tipo::Antigo);
        Atualizacao a(antiga.dm());
        QCOMPARE(a.bootstrap(), QString());
        QString tag, erro;
        QVERIFY2(a.executar(nullptr, &tag, &erro), qPrintable(tag + ": " + erro));
        QVERIFY(!Passagens::checaZero(antiga.dm()));
        QCOMPARE(antiga.contar("select count(*) from passagem"), 0);
        Passagens::defineChecaZero(antiga.dm(), true);
        QCOMPARE(a.garanteEvidencia(), QString());
        QVERIFY(Passagens::checaZero(antiga.dm()));
    }
};

QTEST_GUILESS_MAIN(TstPassagens)
#include "tst_passagens.moc"
