// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "FixturePesagem.h"

#include <QProcess>
#include <QtTest>

using namespace FixturePesagem;

// A workstation killed right after it said "Operação efetuada com sucesso.":
// the next start finds the weighing and its products complete.
class TstQueda : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pesagemSobreviveAoKill()
    {
        BancoTeste b;
        cadastros(b);
        b.exec(QStringLiteral("update config set cfg_somentesaida=1, cfg_morproduto=1"));
        QProcess filho;
        filho.setProgram(QStringLiteral(VIGA_FILHO_SALVA));
        filho.setProcessEnvironment(QProcessEnvironment::systemEnvironment()); // VIGA_HOME of the fixture
        filho.start();
        QVERIFY(filho.waitForStarted());
        QByteArray saida;
        while (!saida.contains("Operação efetuada com sucesso.") && filho.state() == QProcess::Running) {
            filho.waitForReadyRead(10000);
            saida += filho.readAllStandardOutput();
        }
        QVERIFY2(saida.contains("Operação efetuada com sucesso."), filho.readAllStandardError().constData());
        filho.kill(); // SIGKILL
        QVERIFY(filho.waitForFinished());
        QCOMPARE(filho.exitStatus(), QProcess::CrashExit);

        // The next start: a new connection to the same database.
        TDM outra(b.conexao());
        QString erro;
        QVERIFY2(outra.Conectar(&erro), qPrintable(erro));
        QSqlQuery q(outra.DataBase1());
        QVERIFY(q.exec(QStringLiteral("select pes_placa, pes_pesoentrada, pes_pesosaida, pes_datasaida, "
                                      "pes_horasaida, pes_tksaida, cad_codigo, cad_tipo from pesagem "
                                      "where pes_codigo=41")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("KIL0041"));
        QCOMPARE(forma("PES_PESOENTRADA", q.value(1)), QStringLiteral("31000"));
        QCOMPARE(forma("PES_PESOSAIDA", q.value(2)), QStringLiteral("12500,5"));
        QCOMPARE(forma("PES_DATASAIDA", q.value(3)), QStringLiteral("10/12/2026"));
        QCOMPARE(q.value(4).toString(), QStringLiteral("06:30:00"));
        QCOMPARE(q.value(5).toInt(), 0); // a ticket was asked for
        QCOMPARE(q.value(6).toInt(), 2);
        QCOMPARE(q.value(7).toInt(), 4);
        QVERIFY(q.exec(
            QStringLiteral("select prd_codigo from pesagemproduto where pes_codigo=41 order by prd_codigo")));
        QStringList prd;
        while (q.next()) {
            prd << q.value(0).toString();
        }
        QCOMPARE(prd, (QStringList{"10", "20"}));
    }
};

QTEST_MAIN(TstQueda)
#include "tst_queda.moc"
