// SPDX-License-Identifier: GPL-3.0-or-later
// The evidence of the weighings on both engines: the audit log written by the
// saves and deletes, keyed with the installation key, its verifier and seals,
// the tickets' verification codes, the reading evidence rows and the tables
// an older database gets at the upgrade.
#include "Atualizacao.h"
#include "Auditoria.h"
#include "ChaveAuditoria.h"
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
#include <QRegularExpression>
#include <QSettings>
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

// A weight typed by the operator.
EvidenciaPesagem digitada(const QString& peso)
{
    EvidenciaPesagem ev;
    ev.manual = true;
    ev.peso = peso;
    ev.usuario = SessaoAtual.UsuarioLogado;
    return ev;
}

qint64 salva(BancoTeste& b, PesagemTela p)
{
    const EvidenciaPesagem ev = digitada(p.modo == 2 ? p.pesoSaida : p.pesoEntrada);
    return SalvaPesagem::salvar(b.dm(), p, ConfigPesagem::ler(b.dm()), p.modo == 2, {}, &ev);
}

// Two weighings: 1 entered and exited, 2 entered; then 2 deleted. The log:
// the key mark (1), then two entries per save and delete (2 ... 9).
void movimento(BancoTeste& b)
{
    salva(b, entrada(1));
    salva(b, entrada(2, QStringLiteral("9000")));
    SessaoAtual.UsuarioLogado = QStringLiteral("MARIA");
    salva(b, saida(1));
    SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
    SalvaPesagem::excluir(b.dm(), 2);
}

Auditoria::Verificacao verifica(BancoTeste& b, QList<Auditoria::Selo> selos = {}, bool anteriores = false)
{
    return Auditoria::verifica(b.dm(), {ChaveAuditoria::le(), selos, anteriores});
}

// One entry appended by hand the way a script that knows the recipe would:
// linked to the last entry, hashed with `chave` (none: the plain recipe).
void acrescentaAMao(BancoTeste& b, qint64 numero, const QString& antes, const QString& depois,
                    const QByteArray& chave)
{
    Auditoria::Entrada e;
    e.sequencia = b.valor("select max(aud_seq) from auditoria").toLongLong() + 1;
    e.hashAnterior =
        b.valor(QStringLiteral("select aud_hash from auditoria where aud_seq=%1").arg(e.sequencia - 1))
            .toString();
    e.dataHora = QStringLiteral("2026-12-10 09:00:00.000");
    e.usuario = QStringLiteral("JOAO");
    e.estacao = Auditoria::estacao();
    e.tabela = QStringLiteral("PESAGEM");
    e.operacao = QStringLiteral("A");
    e.numero = numero;
    e.antes = antes;
    e.depois = depois;
    e.hash = Auditoria::calculaHash(e, chave);
    QSqlQuery q(b.dm().DataBase1());
    q.prepare(
        QStringLiteral("insert into auditoria (aud_seq, aud_datahora, aud_usuario, aud_estacao, aud_tabela, "
                       "aud_operacao, pes_codigo, aud_antes, aud_depois, aud_hashanterior, aud_hash) "
                       "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& v :
         {QVariant(e.sequencia), QVariant(e.dataHora), QVariant(e.usuario), QVariant(e.estacao),
          QVariant(e.tabela), QVariant(e.operacao), QVariant(e.numero), QVariant(e.antes), QVariant(e.depois),
          QVariant(e.hashAnterior), QVariant(e.hash)}) {
        q.addBindValue(v);
    }
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

// Read and written by the owner only.
bool somenteDono(const QString& arquivo)
{
    const QFile::Permissions p =
        QFile::permissions(arquivo) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    return p == (QFile::ReadOwner | QFile::WriteOwner);
}

QByteArray outraChave()
{
    return QByteArray(32, '\x5a');
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

        // The chain: each entry carries the previous one's hash; the first is
        // the key mark of the new database.
        QCOMPARE(b.contar("select count(*) from auditoria"), 9);
        QCOMPARE(b.valor("select aud_operacao from auditoria where aud_seq=1").toString(),
                 QStringLiteral("C"));
        QCOMPARE(b.valor("select aud_hashanterior from auditoria where aud_seq=3").toString(),
                 b.valor("select aud_hash from auditoria where aud_seq=2").toString());
        const Auditoria::Verificacao v = verifica(b);
        QVERIFY2(v.ok(), qPrintable(v.problemas.join(u'\n')));
        QCOMPARE(v.entradas, 9);
    }

    // A save that fails leaves no entry behind; one that changes nothing adds none.
    void falhaNaoRegistra()
    {
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        salva(b, entrada(1));
        const int antes = b.contar("select count(*) from auditoria");
        falharEm(b, QStringLiteral("PESAGEMPRODUTO"), QStringLiteral("INSERT"),
                 QStringLiteral("disco cheio"));
        PesagemTela s = saida(1);
        QVERIFY_THROWS_EXCEPTION(ErroBanco, SalvaPesagem::salvar(b.dm(), s, cfg, true));
        QCOMPARE(b.contar("select count(*) from auditoria"), antes);
        QVERIFY(verifica(b).ok());
    }

    // The key of a new database: a file in the data folder, the owner's
    // only, never written into the database; the log names it only by a
    // fingerprint.
    void chaveDaInstalacao()
    {
        BancoTeste b;
        const QString arquivo = b.pasta() + QStringLiteral("/viga.chave");
        QCOMPARE(ChaveAuditoria::caminho(), arquivo);
        QVERIFY(QFile::exists(arquivo));
        QVERIFY(somenteDono(arquivo));
        const QByteArray chave = ChaveAuditoria::le();
        QCOMPARE(chave.size(), 32);
        const QString marca = b.valor("select aud_depois from auditoria where aud_seq=1").toString();
        QVERIFY(marca.contains(ChaveAuditoria::identificacao(chave)));
        QVERIFY(!marca.contains(QString::fromLatin1(chave.toHex())));
        // viga.ini may keep it elsewhere (relative to the data folder).
        QSettings ini(b.pasta() + QStringLiteral("/viga.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("auditoria/Chave"), QStringLiteral("seguro/chave"));
        ini.sync();
        QCOMPARE(ChaveAuditoria::caminho(), b.pasta() + QStringLiteral("/seguro/chave"));
        QVERIFY(ChaveAuditoria::le().isEmpty());
    }

    // A workstation without the key, or with another key, saves nothing.
    void semAChaveNadaEGravado_data()
    {
        QTest::addColumn<bool>("outra");
        QTest::newRow("sem a chave") << false;
        QTest::newRow("outra chave") << true;
    }
    void semAChaveNadaEGravado()
    {
        QFETCH(bool, outra);
        BancoTeste b;
        cadastros(b);
        const QString arquivo = ChaveAuditoria::caminho();
        QVERIFY(QFile::remove(arquivo));
        if (outra) {
            QFile f(arquivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(outraChave().toHex());
        }
        const int antes = b.contar("select count(*) from auditoria");
        try {
            salva(b, entrada(1));
            QFAIL("gravou sem a chave da instalação");
        } catch (const ErroBanco& e) {
            QVERIFY2(e.texto().contains(outra ? QStringLiteral("não é a deste banco de dados")
                                              : QStringLiteral("Esta estação não tem a chave da auditoria")),
                     qPrintable(e.texto()));
            QVERIFY(e.texto().contains(arquivo));
        }
        QCOMPARE(b.contar("select count(*) from pesagem"), 0);
        QCOMPARE(b.contar("select count(*) from auditoria"), antes);
    }

    // Whoever can write the database and knows the recipe, but not the key:
    // a weight changed and an entry appended to match it, hashed with the
    // public recipe, or with a key of their own. With the installation's key
    // the same entry would pass: the key is what tells them apart.
    void cadeiaRefeitaSemAChave_data()
    {
        QTest::addColumn<int>("chave");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("receita pública") << 0 << QStringList{"entrada 10 da auditoria não confere"};
        QTest::newRow("outra chave") << 1 << QStringList{"entrada 10 da auditoria não confere"};
        QTest::newRow("a chave da instalação") << 2 << QStringList{};
    }
    void cadeiaRefeitaSemAChave()
    {
        QFETCH(int, chave);
        QFETCH(QStringList, esperado);
        BancoTeste b;
        cadastros(b);
        movimento(b);
        const QString antes = Auditoria::estadoPesagem(b.dm(), 1);
        b.exec("update pesagem set pes_pesoentrada=11000 where pes_codigo=1");
        acrescentaAMao(b, 1, antes, Auditoria::estadoPesagem(b.dm(), 1),
                       chave == 0   ? QByteArray()
                       : chave == 1 ? outraChave()
                                    : ChaveAuditoria::le());
        QCOMPARE(verifica(b).problemas, esperado);
    }

    // Seals: the head of the chain signed with the key. A chain cut short
    // after a seal (the last weighing deleted with its products and its
    // entries, which the chain alone cannot tell) or rewritten is named; a
    // seal edited is refused.
    void selos()
    {
        BancoTeste b;
        cadastros(b);
        movimento(b);
        salva(b, entrada(3));
        const QByteArray chave = ChaveAuditoria::le();
        const QString linha = Auditoria::textoSelo(Auditoria::sela(b.dm()), chave);
        QVERIFY2(
            linha.startsWith(QStringLiteral("VIGA-SELO 2026-12-10T08:15:00 registros=11 sequencia=11 hash=")),
            qPrintable(linha));
        QString erro;
        const std::optional<Auditoria::Selo> selo = Auditoria::leSelo(linha, chave, &erro);
        QVERIFY2(selo, qPrintable(erro));
        QVERIFY(verifica(b, {*selo}).ok());

        QVERIFY(!Auditoria::leSelo(
            QString(linha).replace(QStringLiteral("registros=11"), QStringLiteral("registros=10")), chave,
            &erro));
        QCOMPARE(erro,
                 QStringLiteral("o selo de 10/12/2026 08:15 não confere com a chave: foi alterado ou é de "
                                "outra instalação"));
        QVERIFY(!Auditoria::leSelo(linha, outraChave()));
        QVERIFY(!Auditoria::leSelo(QStringLiteral("qualquer coisa"), chave, &erro));
        QCOMPARE(erro, QStringLiteral("não é um selo da auditoria"));

        // Truncated: the chain alone still holds.
        b.exec("delete from pesagemevidencia where pes_codigo=3");
        b.exec("delete from pesagemproduto where pes_codigo=3");
        b.exec("delete from pesagem where pes_codigo=3");
        b.exec("delete from auditoria where pes_codigo=3");
        QVERIFY(verifica(b).ok());
        QCOMPARE(verifica(b, {*selo}).problemas,
                 QStringList{
                     "a cadeia não contém o selo de 10/12/2026 08:15: 11 registros, sequência 11 (a cadeia "
                     "termina na sequência 9, com 9 registros)"});
        // Refilled to the seal's length with other entries: another hash there.
        acrescentaAMao(b, 1, Auditoria::estadoPesagem(b.dm(), 1), Auditoria::estadoPesagem(b.dm(), 1), chave);
        acrescentaAMao(b, 1, Auditoria::estadoPesagem(b.dm(), 1), Auditoria::estadoPesagem(b.dm(), 1), chave);
        QCOMPARE(verifica(b, {*selo}).problemas,
                 QStringList{"a cadeia não contém o selo de 10/12/2026 08:15: 11 registros, sequência 11 (o "
                             "registro 11 tem outro hash)"});
    }

    // The code on a ticket: "confere" while the weighing is as printed; a
    // change after the ticket is named with its time and author.
    void codigoDoTicket()
    {
        BancoTeste b;
        cadastros(b);
        salva(b, entrada(1));
        const QByteArray chave = ChaveAuditoria::le();
        const QString codigo = Auditoria::codigoDaPesagem(b.dm(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^[A-Z2-7]{5}-[A-Z2-7]{5}$")).match(codigo).hasMatch(),
                 qPrintable(codigo));
        QCOMPARE(Auditoria::confereTicket(b.dm(), 1, codigo, chave).mensagem, QStringLiteral("confere"));
        QVERIFY(Auditoria::confereTicket(b.dm(), 1, codigo.toLower().remove(u'-'), chave).confere);

        Relogio::fixar(agora.addSecs(3600));
        SessaoAtual.UsuarioLogado = QStringLiteral("MARIA");
        salva(b, saida(1));
        const Auditoria::ConferenciaTicket c = Auditoria::confereTicket(b.dm(), 1, codigo, chave);
        QVERIFY(!c.confere);
        QCOMPARE(c.mensagem,
                 QStringLiteral("pesagem 1 alterada em 10/12/2026 09:15 por MARIA depois deste ticket"));
        QVERIFY(Auditoria::confereTicket(b.dm(), 1, Auditoria::codigoDaPesagem(b.dm(), 1), chave).confere);
        // A code of another weighing, or made up.
        QVERIFY(!Auditoria::confereTicket(b.dm(), 2, codigo, chave).confere);
        QCOMPARE(
            Auditoria::confereTicket(b.dm(), 1, QStringLiteral("AAAAA-AAAAA"), chave).mensagem,
            QStringLiteral("o código AAAAA-AAAAA não confere com nenhum registro da pesagem 1: o ticket não "
                           "é deste banco ou foi alterado"));
        // The entry it names, forged in the database, does not pass the key.
        b.exec("update auditoria set aud_usuario='X' where aud_seq=5");
        QVERIFY(!Auditoria::confereTicket(b.dm(), 1, Auditoria::codigoDaPesagem(b.dm(), 1), chave).confere);
    }

    // A log begun by an earlier version, hashed without a key: its entries
    // still verify as they are; the upgrade step appends the key mark (and
    // creates the key), and the entries after it are keyed.
    void registroAnteriorAChave()
    {
        BancoTeste b;
        cadastros(b);
        movimento(b);
        // The earlier version's log: the same entries hashed with the plain recipe, no mark.
        QFile::remove(ChaveAuditoria::caminho());
        b.exec("delete from auditoria where aud_seq=1");
        QSqlQuery q(b.dm().DataBase1());
        QVERIFY(q.exec(QStringLiteral("select * from auditoria order by aud_seq")));
        QList<Auditoria::Entrada> entradas;
        QString anterior;
        while (q.next()) {
            Auditoria::Entrada e;
            e.sequencia = q.value(QStringLiteral("aud_seq")).toLongLong() - 1;
            e.dataHora = q.value(QStringLiteral("aud_datahora")).toString();
            e.usuario = q.value(QStringLiteral("aud_usuario")).toString();
            e.estacao = q.value(QStringLiteral("aud_estacao")).toString();
            e.tabela = q.value(QStringLiteral("aud_tabela")).toString();
            e.operacao = q.value(QStringLiteral("aud_operacao")).toString();
            e.numero = q.value(QStringLiteral("pes_codigo")).toLongLong();
            e.antes = q.value(QStringLiteral("aud_antes")).toString();
            e.depois = q.value(QStringLiteral("aud_depois")).toString();
            e.hashAnterior = anterior;
            e.hash = anterior = Auditoria::calculaHash(e);
            entradas << e;
        }
        q.finish();
        b.exec("delete from auditoria");
        for (const Auditoria::Entrada& e : entradas) {
            QVERIFY(q.prepare(QStringLiteral("insert into auditoria (aud_seq, aud_datahora, aud_usuario, "
                                             "aud_estacao, aud_tabela, aud_operacao, "
                                             "pes_codigo, aud_antes, aud_depois, aud_hashanterior, aud_hash) "
                                             "values (?,?,?,?,?,?,?,?,?,?,?)")));
            for (const QVariant& v :
                 {QVariant(e.sequencia), QVariant(e.dataHora), QVariant(e.usuario), QVariant(e.estacao),
                  QVariant(e.tabela), QVariant(e.operacao), QVariant(e.numero), QVariant(e.antes),
                  QVariant(e.depois),
                  QVariant(e.hashAnterior.isEmpty() ? QVariant() : QVariant(e.hashAnterior)),
                  QVariant(e.hash)}) {
                q.addBindValue(v);
            }
            QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        }
        Atualizacao a(b.dm());
        QCOMPARE(a.garanteEvidencia(), QString());
        QCOMPARE(b.valor("select aud_operacao from auditoria where aud_seq=9").toString(),
                 QStringLiteral("C"));
        QVERIFY(somenteDono(ChaveAuditoria::caminho()));
        salva(b, entrada(3));
        QCOMPARE(b.contar("select count(*) from auditoria"), 11);
        const Auditoria::Verificacao v = verifica(b);
        QVERIFY2(v.ok(), qPrintable(v.problemas.join(u'\n')));
        // The plain entries are still checked: one changed is named.
        b.exec("update auditoria set aud_usuario='OUTRO' where aud_seq=3");
        QCOMPARE(verifica(b).problemas.value(0), QStringLiteral("entrada 3 da auditoria não confere"));
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
            << QStringList{"pesagem 7 alterada fora do VIGA", "pesagem 7: entrada sem evidência da leitura"};
        QTest::newRow("evidência apagada") << "delete from pesagemevidencia where pes_codigo=1 and evi_lado=2"
                                           << QStringList{"pesagem 1: saída sem evidência da leitura"};
        QTest::newRow("entrada da auditoria alterada")
            << "update auditoria set aud_depois=replace(aud_depois, '30000', '31000') where aud_seq=6"
            << QStringList{"entrada 6 da auditoria não confere", "pesagem 1 alterada fora do VIGA"};
        QTest::newRow("entrada da auditoria apagada")
            << "delete from auditoria where aud_seq=6"
            << QStringList{"entrada 7 da auditoria não confere", "pesagem 1 alterada fora do VIGA"};
        QTest::newRow("autor trocado") << "update auditoria set aud_usuario='OUTRO' where aud_seq=2"
                                       << QStringList{"entrada 2 da auditoria não confere"};
        QTest::newRow("cadeia refeita sem a marca da chave")
            << "delete from auditoria"
            << QStringList{"a auditoria não tem o registro do início da chave: a cadeia "
                           "foi refeita sem a chave ou o banco ainda não foi atualizado",
                           "pesagem 1 alterada fora do VIGA"};
    }
    void adulteracao()
    {
        QFETCH(QString, sql);
        QFETCH(QStringList, esperado);
        BancoTeste b;
        cadastros(b);
        movimento(b);
        b.exec(sql);
        const Auditoria::Verificacao v = verifica(b);
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
                    o.insert(rec.fieldName(i).toLower(),
                             v.isNull() ? QJsonValue() : QJsonValue(v.toString()));
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
        // The key mark first (the key created with it), then the state entries, keyed.
        QCOMPARE(b.valor("select aud_operacao from auditoria where aud_seq=1").toString(),
                 QStringLiteral("C"));
        QVERIFY(!ChaveAuditoria::le().isEmpty());
        // The weighing older than the evidence has none: named, unless accepted.
        QCOMPARE(verifica(b).problemas, QStringList{"pesagem 1: entrada sem evidência da leitura"});
        QVERIFY(verifica(b, {}, true).ok());
        QCOMPARE(a.garanteEvidencia(), QString());
        QCOMPARE(b.contar("select count(*) from auditoria"), 3);
        b.exec("update pesagem set pes_pesoentrada=1 where pes_codigo=1");
        QCOMPARE(verifica(b, {}, true).problemas, QStringList{"pesagem 1 alterada fora do VIGA"});
        // A side weighed after the log began is not accepted without evidence.
        b.exec("update pesagem set pes_pesoentrada=12000, pes_pesosaida=30000 where pes_codigo=1");
        QCOMPARE(verifica(b, {}, true).problemas, QStringList({"pesagem 1 alterada fora do VIGA",
                                                               "pesagem 1: saída sem evidência da leitura"}));
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
        QVERIFY(verifica(b, {}, true).ok());
        QCOMPARE(a.garanteEvidencia(), QString());
        b.exec("update pesagem set pes_chavenfe='35260312345678000195550010000123451123456783' "
               "where pes_codigo=1");
        QCOMPARE(verifica(b, {}, true).problemas, QStringList{"pesagem 1 alterada fora do VIGA"});
    }

    // The command-line verifier on the data folder of $VIGA_HOME, the hand
    // edit made with the sqlite3 program (SQLite only).
    void programaVerificador_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("saida");
        QTest::newRow("íntegro")
            << QString() << 0 << "auditoria conferida: 9 registro(s), cadeia íntegra e pesagens conferem\n";
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

    // The program's other commands on the same data folder: a seal written
    // to a file, then the chain cut short after it; a ticket's code; usage
    // errors; and no key.
    void programaSelosETicket()
    {
        BancoTeste b;
        cadastros(b);
        movimento(b);
        salva(b, entrada(3));
        const QString codigo = Auditoria::codigoDaPesagem(b.dm(), 3);
        const QString selos = b.pasta() + QStringLiteral("/selos.txt");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VIGA_HOME"), b.pasta());
        const auto roda = [&](const QStringList& args, QString* saida = nullptr) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(VIGA_AUDITORIA), args);
            p.waitForFinished();
            if (saida) *saida = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
            return p.exitCode();
        };
        QString saida;
        QCOMPARE(roda({"--selar", "--saida", selos}, &saida), 0);
        QVERIFY2(saida.startsWith(QStringLiteral("VIGA-SELO ")), qPrintable(saida));
        QCOMPARE(roda({"--selar", "--saida", selos}), 0);
        QFile f(selos);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count('\n'), 2);
        QCOMPARE(roda({"--verificar", "--selo", selos}, &saida), 0);
        QCOMPARE(roda({"--ticket", "3", "--codigo", codigo}, &saida), 0);
        QCOMPARE(saida, QStringLiteral("confere\n"));
        QCOMPARE(roda({"--ticket", "3", "--codigo", "AAAAA-AAAAA"}), 1);

        // The last weighing deleted with its products and its entries.
        for (const char* sql :
             {"delete from pesagemevidencia where pes_codigo=3",
              "delete from pesagemproduto where pes_codigo=3", "delete from pesagem where pes_codigo=3",
              "delete from auditoria where pes_codigo=3"}) {
            b.exec(QLatin1String(sql));
        }
        QCOMPARE(roda({"--verificar"}), 0);
        QCOMPARE(roda({"--verificar", "--selo", selos}, &saida), 1);
        // (the program's clock is the real one)
        const QRegularExpression corte(QStringLiteral("^a cadeia não contém o selo de \\d\\d/\\d\\d/\\d{4} "
                                                      "\\d\\d:\\d\\d: 11 registros, sequência 11 \\(a "
                                                      "cadeia termina na sequência 9, com 9 registros\\)$"));
        const QStringList linhas = saida.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(linhas.size(), 2);
        for (const QString& l : linhas) {
            QVERIFY2(corte.match(l).hasMatch(), qPrintable(l));
        }

        // Usage errors and what cannot be read: 2.
        QCOMPARE(roda({"--selar", "--selo", selos}), 2);
        QCOMPARE(roda({"--ticket", "3"}), 2);
        QCOMPARE(roda({"--verificar", "--selo", b.pasta() + QStringLiteral("/nenhum.txt")}), 2);
        QCOMPARE(roda({"--ajuda"}), 2);
        QCOMPARE(roda({"--help"}, &saida), 0);
        QVERIFY(saida.startsWith(QStringLiteral("Uso: viga-auditoria --verificar")));
        QVERIFY(QFile::remove(ChaveAuditoria::caminho()));
        QCOMPARE(roda({"--verificar"}, &saida), 2);
        QVERIFY2(saida.startsWith(QStringLiteral("A chave da auditoria não foi encontrada em ")),
                 qPrintable(saida));
    }
};

QTEST_GUILESS_MAIN(TstAuditoria)
#include "tst_auditoria.moc"
