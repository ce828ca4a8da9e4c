// SPDX-License-Identifier: GPL-3.0-or-later
// The evidence of the weighings on both engines: the audit log written by the
// saves and deletes, its verifier, the reading evidence rows and the tables
// an older database gets at the upgrade.
#include "Atualizacao.h"
#include "Auditoria.h"
#include "ErroBanco.h"
#include "Evidencia.h"
#include "FalhaBanco.h"
#include "FixturePesagem.h"
#include "Relogio.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using namespace FixturePesagem;

namespace
{

const QDateTime agora(QDate(2026, 12, 10), QTime(8, 15, 0));

PesagemTela entrada(qint64 codigo, const QString& peso = QStringLiteral("12000"))
{
    PesagemTela p;
    p.estado = 0;
    p.codigo = QString::number(codigo);
    p.placa = QStringLiteral("ABC1234");
    p.cadCodigo = QStringLiteral("1");
    p.prdCodigo = QStringLiteral("10");
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("07:00:00");
    p.pesoEntrada = peso;
    p.fatorVisivel = {true, true, true, true};
    p.fatores = {QStringLiteral("2"), {}, {}, {}};
    return p;
}

PesagemTela saida(qint64 codigo)
{
    PesagemTela p = entrada(codigo);
    p.estado = 1;
    p.modo = 2;
    p.dataSaida = QStringLiteral("10/12/2026");
    p.horaSaida = QStringLiteral("08:15:00");
    p.pesoSaida = QStringLiteral("30000");
    return p;
}

// Two weighings: 1 entered and exited, 2 entered; then 2 deleted.
void movimento(BancoTeste& b)
{
    const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
    PesagemTela e1 = entrada(1), e2 = entrada(2, QStringLiteral("9000")), s1 = saida(1);
    SalvaPesagem::salvar(b.dm(), e1, cfg, false);
    SalvaPesagem::salvar(b.dm(), e2, cfg, false);
    SessaoAtual.UsuarioLogado = QStringLiteral("MARIA");
    SalvaPesagem::salvar(b.dm(), s1, cfg, true);
    SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
    SalvaPesagem::excluir(b.dm(), 2);
}

} // namespace

class TstAuditoria : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        Relogio::fixar(agora);
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
    }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // Every save and delete leaves its entry: who, the states before and
    // after as stored, chained; the verifier accepts the untouched log.
    void registroDeCadaMudanca()
    {
        BancoTeste b;
        cadastros(b);
        movimento(b);

        const QList<Auditoria::Entrada> h1 = Auditoria::historico(b.dm(), 1);
        QStringList resumo;
        for (const Auditoria::Entrada& e : h1) {
            resumo << QStringLiteral("%1 %2 %3").arg(e.tabela, e.operacao, e.usuario);
        }
        QCOMPARE(resumo, QStringList({"PESAGEM I JOAO", "PESAGEMPRODUTO I JOAO", "PESAGEM A MARIA",
                                      "PESAGEMPRODUTO A MARIA"}));
        QVERIFY(h1[0].antes.isEmpty());
        QVERIFY(h1[0].depois.contains(QStringLiteral("\"pes_placa\":\"ABC1234\"")));
        QCOMPARE(h1[2].antes, h1[0].depois);
        QCOMPARE(h1[2].depois, Auditoria::estadoPesagem(b.dm(), 1));
        QCOMPARE(h1[0].dataHora, QStringLiteral("2026-12-10 08:15:00.000"));
        QCOMPARE(h1[0].estacao, Auditoria::estacao());
        QVERIFY(!h1[0].estacao.isEmpty());

        const QList<Auditoria::Entrada> h2 = Auditoria::historico(b.dm(), 2);
        QCOMPARE(h2.size(), 4);
        QCOMPARE(h2[2].operacao, QStringLiteral("E"));
        QCOMPARE(h2[2].usuario, QStringLiteral("ADMIN"));
        QVERIFY(h2[2].depois.isEmpty());
        QCOMPARE(h2[2].antes, h2[0].depois);

        // The chain: each entry carries the previous one's hash.
        QCOMPARE(b.contar("select count(*) from auditoria"), 8);
        QCOMPARE(b.valor("select aud_hashanterior from auditoria where aud_seq=2").toString(),
                 b.valor("select aud_hash from auditoria where aud_seq=1").toString());
        const Auditoria::Verificacao v = Auditoria::verifica(b.dm());
        QVERIFY2(v.ok(), qPrintable(v.problemas.join(u'\n')));
        QCOMPARE(v.entradas, 8);
    }

    // A save that fails leaves no entry behind; one that changes nothing adds none.
    void falhaNaoRegistra()
    {
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        PesagemTela e = entrada(1);
        SalvaPesagem::salvar(b.dm(), e, cfg, false);
        const int antes = b.contar("select count(*) from auditoria");
        falharEm(b, QStringLiteral("PESAGEMPRODUTO"), QStringLiteral("INSERT"),
                 QStringLiteral("disco cheio"));
        PesagemTela s = saida(1);
        QVERIFY_THROWS_EXCEPTION(ErroBanco, SalvaPesagem::salvar(b.dm(), s, cfg, true));
        QCOMPARE(b.contar("select count(*) from auditoria"), antes);
        QVERIFY(Auditoria::verifica(b.dm()).ok());
    }

    // Changes made by hand behind the system's back, each named by the verifier.
    void adulteracao_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("peso alterado") << "update pesagem set pes_pesoentrada=11000 where pes_codigo=1"
                                       << QStringList{"pesagem 1 alterada fora do VIGA"};
        QTest::newRow("produto alterado") << "update pesagemproduto set pes_fator7e=0 where pes_codigo=1"
                                          << QStringList{"pesagem 1 alterada fora do VIGA"};
        QTest::newRow("pesagem apagada")
            << "delete from pesagem where pes_codigo=1" << QStringList{"pesagem 1 alterada fora do VIGA"};
        QTest::newRow("pesagem incluída")
            << "insert into pesagem (pes_codigo, pes_tipo, pes_pesoentrada) values (7, 1, 5000)"
            << QStringList{"pesagem 7 alterada fora do VIGA"};
        QTest::newRow("entrada da auditoria alterada")
            << "update auditoria set aud_depois=replace(aud_depois, '30000', '31000') where aud_seq=5"
            << QStringList{"entrada 5 da auditoria não confere", "pesagem 1 alterada fora do VIGA"};
        QTest::newRow("entrada da auditoria apagada")
            << "delete from auditoria where aud_seq=5"
            << QStringList{"entrada 6 da auditoria não confere", "pesagem 1 alterada fora do VIGA"};
        QTest::newRow("autor trocado") << "update auditoria set aud_usuario='OUTRO' where aud_seq=1"
                                       << QStringList{"entrada 1 da auditoria não confere"};
    }
    void adulteracao()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, esperado);
        BancoTeste b;
        cadastros(b);
        movimento(b);
        b.exec(sql);
        const Auditoria::Verificacao v = Auditoria::verifica(b.dm());
        QCOMPARE(v.problemas, esperado);
        QVERIFY(!v.ok());
    }

    // The state the log keeps of a weighing is, byte for byte, the compact
    // JSON object of its columns (lower-case names, sorted; values as text,
    // NULL as null) that the entries logged so far hold and the verifier
    // compares: quotes, backslashes, control characters and letters beyond
    // ASCII included.
    void textoCanonico_data()
    {
        QTest::addColumn<QString>("motorista");
        QTest::newRow("simples") << QStringLiteral("JOSE DA SILVA");
        QTest::newRow("acentos") << QStringLiteral("JOÃO CONCEIÇÃO");
        QTest::newRow("aspas e barra") << QStringLiteral(R"(A "B" C\D /E)");
        QTest::newRow("controles") << QStringLiteral("A\tB\nC\rD\bE\fF\x01G\x1fH\x7f");
        QTest::newRow("fora do plano básico") << QStringLiteral("CAMINHÃO 🚚 ✓");
        QTest::newRow("vazio") << QStringLiteral("");
    }
    void textoCanonico()
    {
        QFETCH(QString, motorista);
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        PesagemTela e = entrada(1);
        SalvaPesagem::salvar(b.dm(), e, cfg, false);
        QSqlQuery q(b.dm().DataBase1());
        QVERIFY(q.prepare("update PESAGEM set PES_MOTORISTA=:m where PES_CODIGO=1"));
        q.bindValue(":m", motorista);
        QVERIFY(q.exec());

        const auto comoJson = [&b](const QString& sql) {
            QSqlQuery r(b.dm().DataBase1());
            QStringList linhas;
            if (!r.exec(sql)) return QStringList{r.lastError().text()};
            while (r.next()) {
                QJsonObject o;
                const QSqlRecord rec = r.record();
                for (int i = 0; i < rec.count(); ++i) {
                    const QVariant v = rec.value(i);
                    o.insert(rec.fieldName(i).toLower(), v.isNull() ? QJsonValue() : QJsonValue(v.toString()));
                }
                linhas << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
            }
            return linhas;
        };
        const QStringList pesagem = comoJson("select * from PESAGEM where PES_CODIGO=1");
        QCOMPARE(pesagem.size(), 1);
        QCOMPARE(Auditoria::estadoPesagem(b.dm(), 1), pesagem.first());
        QVERIFY(pesagem.first().contains(QStringLiteral("\"pes_motorista\":")));
        QStringList produtos = comoJson("select * from PESAGEMPRODUTO where PES_CODIGO=1");
        QVERIFY(!produtos.isEmpty());
        std::sort(produtos.begin(), produtos.end());
        QCOMPARE(Auditoria::estadoProdutos(b.dm(), 1), u'[' + produtos.join(u',') + u']');
    }

    // The raw frame is stored byte for byte (a carriage return, a byte above
    // 127, a NUL), with the indicator, the stable time and the workstation; a
    // manual weight keeps who typed it.
    void evidenciaDaLeitura()
    {
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        EvidenciaPesagem ev;
        ev.peso = QStringLiteral("12000");
        ev.quadro = QByteArray("D012000\r\xE9\0", 10);
        ev.modelo = QStringLiteral("AR-N 6 Dígitos");
        ev.interface = QStringLiteral("Pesagem");
        ev.porta = QStringLiteral("/dev/ttyUSB0");
        ev.estavelMs = 2150;
        ev.usuario = QStringLiteral("JOAO");
        PesagemTela e = entrada(1);
        SalvaPesagem::salvar(b.dm(), e, cfg, false, {}, &ev);
        const Evidencia::Linha l = Evidencia::le(b.dm(), 1, 1);
        QVERIFY(l.existe);
        QVERIFY(!l.manual);
        QCOMPARE(l.quadro, ev.quadro);
        QCOMPARE(l.peso, QStringLiteral("12000"));
        QCOMPARE(l.modelo, ev.modelo);
        QCOMPARE(l.interface, ev.interface);
        QCOMPARE(l.porta, ev.porta);
        QCOMPARE(l.estavelMs, 2150);
        QCOMPARE(l.estacao, Auditoria::estacao());
        QCOMPARE(l.dataHora, QStringLiteral("2026-12-10 08:15:00.000"));
        QVERIFY(l.cameras.isEmpty());

        EvidenciaPesagem manual;
        manual.manual = true;
        manual.peso = QStringLiteral("30000,5");
        manual.usuario = QStringLiteral("MARIA");
        PesagemTela s = saida(1);
        SalvaPesagem::salvar(b.dm(), s, cfg, false, {}, &manual);
        const Evidencia::Linha m = Evidencia::le(b.dm(), 1, 2);
        QVERIFY(m.manual);
        QCOMPARE(m.usuario, QStringLiteral("MARIA"));
        QCOMPARE(m.peso, QStringLiteral("30000,5"));
        QVERIFY(m.quadro.isEmpty());
        QVERIFY(Evidencia::le(b.dm(), 1, 1).existe); // the entry side stays

        // A side saved again: its row is replaced as a whole, never doubled.
        {
            Transacao tr(&b.dm());
            Evidencia::grava(b.dm(), 1, 1, manual, b.pasta());
            tr.commit();
        }
        const Evidencia::Linha r = Evidencia::le(b.dm(), 1, 1);
        QVERIFY(r.manual);
        QVERIFY(r.quadro.isEmpty());
        QVERIFY(r.modelo.isEmpty());
        QCOMPARE(r.usuario, QStringLiteral("MARIA"));
        QCOMPARE(r.peso, QStringLiteral("30000,5"));
        QCOMPARE(b.contar("select count(*) from PESAGEMEVIDENCIA where PES_CODIGO=1"), 2);
    }

    // A snapshot is written under the stored number; a camera without a
    // picture is said in the row; a rolled-back save leaves no picture.
    void fotosDaGravacao()
    {
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        EvidenciaPesagem ev;
        ev.manual = true;
        ev.peso = QStringLiteral("12000");
        ev.fotos = {{QStringLiteral("Frente"), QByteArray("\xFF\xD8jpeg\xFF\xD9"), {}},
                    {QStringLiteral("Traseira"), {}, QStringLiteral("câmera não respondeu em 2 s")}};
        PesagemTela e = entrada(4);
        SalvaPesagem::salvar(b.dm(), e, cfg, false, {}, &ev);
        QFile foto(b.pasta() + QStringLiteral("/fotos/4-entrada-frente.jpg"));
        QVERIFY(foto.open(QIODevice::ReadOnly));
        QCOMPARE(foto.readAll(), ev.fotos[0].jpeg);
        QVERIFY(!QFile::exists(b.pasta() + QStringLiteral("/fotos/4-entrada-traseira.jpg")));
        QCOMPARE(Evidencia::le(b.dm(), 4, 1).cameras,
                 QStringLiteral("Frente: fotos/4-entrada-frente.jpg; Traseira: câmera não respondeu em 2 s"));

        falharEm(b, QStringLiteral("PESAGEMPRODUTO"), QStringLiteral("INSERT"),
                 QStringLiteral("disco cheio"));
        PesagemTela n = entrada(5);
        QVERIFY_THROWS_EXCEPTION(ErroBanco, SalvaPesagem::salvar(b.dm(), n, cfg, false, {}, &ev));
        QVERIFY(!QFile::exists(b.pasta() + QStringLiteral("/fotos/5-entrada-frente.jpg")));
        QVERIFY(!Evidencia::le(b.dm(), 5, 1).existe);
    }

    // An older database gets both tables at the upgrade, its weighings as the
    // log's first state; a second run changes nothing.
    void atualizacao()
    {
        BancoTeste b(BancoTeste::Tipo::Antigo);
        b.exec("insert into pesagem (pes_codigo, pes_tipo, pes_pesoentrada, pes_placa) values (1, 1, 12000, "
               "'OLD0001')");
        b.exec("insert into pesagemproduto (pes_codigo, prd_codigo) values (1, 'X')");
        Atualizacao a(b.dm());
        QCOMPARE(a.bootstrap(), QString());
        QString tag, erro;
        QVERIFY2(a.executar(nullptr, &tag, &erro), qPrintable(tag + ": " + erro));
        QCOMPARE(b.contar("select count(*) from logatualiza"), 50);
        QCOMPARE(b.contar("select count(*) from pesagemevidencia"), 0);
        QCOMPARE(b.contar("select count(*) from auditoria where aud_operacao='S'"), 2);
        QVERIFY(Auditoria::verifica(b.dm()).ok());
        QCOMPARE(a.garanteEvidencia(), QString());
        QCOMPARE(b.contar("select count(*) from auditoria"), 2);
        b.exec("update pesagem set pes_pesoentrada=1 where pes_codigo=1");
        QCOMPARE(Auditoria::verifica(b.dm()).problemas, QStringList{"pesagem 1 alterada fora do VIGA"});
    }

    // A column added after weighings were logged: they still verify while it
    // is empty, and a value put into it by hand is named.
    void colunaAcrescentadaDepois()
    {
        BancoTeste b;
        b.exec("alter table pesagem drop column pes_chavenfe");
        b.exec("insert into pesagem (pes_codigo, pes_tipo, pes_pesoentrada, pes_placa) values (1, 1, 12000, "
               "'OLD0001')");
        {
            Transacao tr(&b.dm());
            Auditoria::registraEstadoInicial(b.dm());
            tr.commit();
        }
        Atualizacao a(b.dm());
        QCOMPARE(a.garanteEvidencia(), QString());
        QVERIFY(Auditoria::verifica(b.dm()).ok());
        QCOMPARE(a.garanteEvidencia(), QString());
        b.exec("update pesagem set pes_chavenfe='35260312345678000195550010000123451123456783' "
               "where pes_codigo=1");
        QCOMPARE(Auditoria::verifica(b.dm()).problemas, QStringList{"pesagem 1 alterada fora do VIGA"});
    }

    // The command-line verifier on the data folder of $VIGA_HOME, the hand
    // edit made with the sqlite3 program (SQLite only).
    void programaVerificador_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("saida");
        QTest::newRow("íntegro")
            << QString() << 0 << "auditoria conferida: 8 registro(s), cadeia íntegra e pesagens conferem\n";
        QTest::newRow("peso") << "update pesagem set pes_pesosaida=29000 where pes_codigo=1;" << 1
                              << "pesagem 1 alterada fora do VIGA\n";
        QTest::newRow("registro") << "update auditoria set aud_estacao='x' where aud_seq=4;" << 1
                                  << "entrada 4 da auditoria não confere\n";
    }
    void programaVerificador()
    {
        QFETCH(QString, sql);
        QFETCH(int, codigo);
        QFETCH(QString, saida);
        BancoTeste b;
        if (b.postgres()) {
            QSKIP("o banco editado à mão com sqlite3 é o arquivo SQLite");
        }
        cadastros(b);
        movimento(b);
        b.dm().Desconectar();
        if (!sql.isEmpty()) {
            QProcess sqlite;
            sqlite.start(QStringLiteral("sqlite3"), {b.pasta() + QStringLiteral("/viga.db"), sql});
            QVERIFY(sqlite.waitForFinished());
            QCOMPARE(sqlite.exitCode(), 0);
        }
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VIGA_HOME"), b.pasta());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VIGA_AUDITORIA), {QStringLiteral("--verificar")});
        QVERIFY(p.waitForFinished());
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), saida);
        QCOMPARE(p.exitCode(), codigo);
    }
};

QTEST_GUILESS_MAIN(TstAuditoria)
#include "tst_auditoria.moc"
