// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing on a database of 1,000,000 weighings built here: opening the
// exit window with its list, the plate-history look-up, and saving an exit
// with two product rows against the same statements run alone through the
// database driver, and the party and product look-ups beside their bare
// statements. Run with QT_QPA_PLATFORM=offscreen on a release build;
// VIGA_TEST_DRIVER=QPSQL measures on PostgreSQL; TMPDIR says where the
// generated SQLite file lives.
#include "BancoTeste.h"
#include "ConsultaPesagem.h"
#include "DialogosRoteiro.h"
#include "ErroBanco.h"
#include "Produto.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TFrmPesagem.h"

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Pesagens = 1000000;
constexpr int Placas = 20000;
constexpr int Abertas = 150; // trucks inside the gate at a busy moment
constexpr int Partes = 20000;
constexpr int Produtos = 5000;

QString placa(int i)
{
    return QStringLiteral("PLC%1").arg(i % Placas, 4, 10, QLatin1Char('0'));
}

BancoTeste& banco()
{
    static BancoTeste* b = [] {
        auto* novo = new BancoTeste;
        novo->exec("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (1, 3, 'CLIENTE UM')");
        {
            // a registry of a real site: parties and products in thousands
            QSqlDatabase db = novo->dm().DataBase1();
            db.transaction();
            QSqlQuery c(db);
            c.prepare("insert into cadastrao (cad_codigo, cad_tipo, cad_razao) values (?, ?, ?)");
            QSqlQuery pr(db);
            pr.prepare("insert into produto (prd_codigo, prd_descricao) values (?, ?)");
            for (int i = 2; i <= Partes; ++i) {
                c.addBindValue(i);
                c.addBindValue(3 + i % 2);
                c.addBindValue(QStringLiteral("PARTE %1 LTDA").arg(i));
                c.exec();
                if (i <= Produtos) {
                    pr.addBindValue(QString::number(1000 + i));
                    pr.addBindValue(QStringLiteral("PRODUTO %1").arg(i));
                    pr.exec();
                }
            }
            db.commit();
        }
        novo->exec("insert into produto (prd_codigo, prd_descricao) values ('10', 'SOJA')");
        novo->exec("insert into produto (prd_codigo, prd_descricao) values ('20', 'MILHO')");
        QSqlDatabase db = novo->dm().DataBase1();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(
            "insert into pesagem (pes_codigo, pes_tipo, pes_placa, pes_motorista, pes_dataentrada, "
            "pes_horaentrada, pes_pesoentrada, pes_datasaida, pes_horasaida, pes_pesosaida, cad_codigo, "
            "cad_tipo, pes_tktmanualentrada, pes_tktmanualsaida) values (?, 2, ?, 'MOTORISTA', ?, ?, ?, ?, "
            "?, ?, 1, 3, 1, 1)");
        QSqlQuery p(db);
        p.prepare("insert into pesagemproduto (pes_codigo, prd_codigo) values (?, '10')");
        const QDate inicio(2016, 1, 1);
        for (int i = 1; i <= Pesagens; ++i) {
            const bool aberta = i > Pesagens - Abertas;
            const QDate dia = inicio.addDays(i / 300);
            q.addBindValue(i);
            q.addBindValue(placa(i));
            q.addBindValue(dia);
            q.addBindValue(QStringLiteral("%1:%2:00")
                               .arg(6 + i % 12, 2, 10, QLatin1Char('0'))
                               .arg(i % 60, 2, 10, QLatin1Char('0')));
            q.addBindValue(QStringLiteral("12000"));
            q.addBindValue(aberta ? QVariant(QMetaType(QMetaType::QDate)) : QVariant(dia));
            q.addBindValue(aberta ? QVariant(QMetaType(QMetaType::QString))
                                  : QVariant(QStringLiteral("18:00:00")));
            q.addBindValue(aberta ? QVariant(QMetaType(QMetaType::QString))
                                  : QVariant(QStringLiteral("30000")));
            if (!q.exec()) {
                qFatal("%s", qPrintable(q.lastError().text()));
            }
            p.addBindValue(i);
            p.exec();
        }
        db.commit();
        novo->exec("analyze");
        SessaoAtual = TSessao();
        SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
        SessaoAtual.PesagemSaida = 1;
        return novo;
    }();
    return *b;
}

// The exit window as the operator opens it: the list of open weighings on screen.
void abreJanelaSaida(benchmark::State& state)
{
    DialogosRoteiro d;
    for (auto _ : state) {
        TFrmPesagem w(2);
        w.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.listaPesagens->model()->rowCount());
        w.close();
    }
    state.counters["pesagens"] = Pesagens;
    state.counters["abertas"] = Abertas;
}

void AbrirJanelaSaida(benchmark::State& state)
{
    banco();
    abreJanelaSaida(state);
}
BENCHMARK(AbrirJanelaSaida)->Unit(benchmark::kMillisecond);

// The same with party and product names in the list (CFG_GRADE = 1: the list joins them).
void AbrirJanelaSaidaComNomes(benchmark::State& state)
{
    BancoTeste& b = banco();
    b.exec("update config set cfg_grade=1");
    abreJanelaSaida(state);
    b.exec("update config set cfg_grade=0");
}
BENCHMARK(AbrirJanelaSaidaComNomes)->Unit(benchmark::kMillisecond);

// The administrator's list: every weighing, newest first.
void AbrirJanelaSaidaAdministrador(benchmark::State& state)
{
    banco();
    SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
    abreJanelaSaida(state);
    SessaoAtual.UsuarioLogado = QStringLiteral("JOAO");
}
BENCHMARK(AbrirJanelaSaidaAdministrador)->Unit(benchmark::kMillisecond);

// Leaving "Placa:": the newest weighing of a plate with 50 weighings.
void HistoricoPlaca(benchmark::State& state)
{
    BancoTeste& b = banco();
    int i = 0;
    for (auto _ : state) {
        const auto h = ConsultaPesagem::historicoPlaca(b.dm(), placa(i += 7919), 2);
        benchmark::DoNotOptimize(h.achou);
    }
}
BENCHMARK(HistoricoPlaca)->Unit(benchmark::kMicrosecond);

// The first screenful of the exit list, the statement alone on the driver.
void ListaSaidaNoDriver(benchmark::State& state)
{
    BancoTeste& b = banco();
    QSqlDatabase db = b.dm().DataBase1();
    for (auto _ : state) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(
            QStringLiteral("Select * From Pesagem where pes_datasaida is null Order by pes_dataentrada, "
                           "pes_horaentrada desc, pes_codigo limit ?"));
        q.addBindValue(128);
        q.exec();
        int n = 0;
        while (q.next()) {
            benchmark::DoNotOptimize(q.value(0));
            ++n;
        }
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(ListaSaidaNoDriver)->Unit(benchmark::kMillisecond);

// The administrator's first screenful and the row count, the statements alone.
void ListaAdministradorNoDriver(benchmark::State& state)
{
    BancoTeste& b = banco();
    QSqlDatabase db = b.dm().DataBase1();
    for (auto _ : state) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral(
            "Select * From Pesagem Order by pes_dataentrada desc, pes_horaentrada desc, pes_codigo limit ?"));
        q.addBindValue(128);
        q.exec();
        while (q.next()) {
            benchmark::DoNotOptimize(q.value(0));
        }
        QSqlQuery c(db);
        c.exec(QStringLiteral("select count(*) from Pesagem"));
        c.next();
        benchmark::DoNotOptimize(c.value(0));
    }
}
BENCHMARK(ListaAdministradorNoDriver)->Unit(benchmark::kMillisecond);

void HistoricoPlacaNoDriver(benchmark::State& state)
{
    BancoTeste& b = banco();
    QSqlDatabase db = b.dm().DataBase1();
    int i = 0;
    for (auto _ : state) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(
            QStringLiteral("Select Pes_Placa,Pes_Motorista,Pes_PlacaCarreta,pes_datasaida,pes_pesoentrada,"
                           "pes_valor,Tpv_codigo From Pesagem Where Pes_Placa=? order by pes_codigo desc "
                           "limit 1"));
        q.addBindValue(placa(i += 7919));
        q.exec();
        benchmark::DoNotOptimize(q.next());
    }
}
BENCHMARK(HistoricoPlacaNoDriver)->Unit(benchmark::kMicrosecond);

// Leaving the party code: its name.
void BuscaParte(benchmark::State& state)
{
    BancoTeste& b = banco();
    int i = 0;
    for (auto _ : state) {
        i = (i + 7919) % Partes + 1;
        const auto r = ConsultaPesagem::razao(b.dm(), QString::number(i), 3 + i % 2);
        benchmark::DoNotOptimize(r.has_value());
    }
}
BENCHMARK(BuscaParte)->Unit(benchmark::kMicrosecond);

void BuscaParteNoDriver(benchmark::State& state)
{
    BancoTeste& b = banco();
    QSqlDatabase db = b.dm().DataBase1();
    int i = 0;
    for (auto _ : state) {
        i = (i + 7919) % Partes + 1;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select Cad_Razao From Cadastrao Where Cad_Codigo=? and Cad_Tipo=?"));
        q.addBindValue(i);
        q.addBindValue(3 + i % 2);
        q.exec();
        benchmark::DoNotOptimize(q.next());
    }
}
BENCHMARK(BuscaParteNoDriver)->Unit(benchmark::kMicrosecond);

// Leaving the product code: its description.
void BuscaProduto(benchmark::State& state)
{
    BancoTeste& b = banco();
    int i = 0;
    for (auto _ : state) {
        i = (i + 7919) % Produtos + 1;
        const auto r = CadastroProduto::descricao(b.dm(), QString::number(1000 + i));
        benchmark::DoNotOptimize(r.has_value());
    }
}
BENCHMARK(BuscaProduto)->Unit(benchmark::kMicrosecond);

void BuscaProdutoNoDriver(benchmark::State& state)
{
    BancoTeste& b = banco();
    QSqlDatabase db = b.dm().DataBase1();
    int i = 0;
    for (auto _ : state) {
        i = (i + 7919) % Produtos + 1;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("Select PRD_CODIGO, prd_descricao From Produto Where PRD_CODIGO=?"));
        q.addBindValue(QString::number(1000 + i));
        q.exec();
        benchmark::DoNotOptimize(q.next());
    }
}
BENCHMARK(BuscaProdutoNoDriver)->Unit(benchmark::kMicrosecond);

PesagemTela saida()
{
    PesagemTela p;
    p.modo = 2;
    p.estado = 1;
    p.codigo = QString::number(Pesagens);
    p.placa = placa(Pesagens);
    p.motorista = QStringLiteral("MOTORISTA");
    p.cadCodigo = QStringLiteral("1");
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("07:00:00");
    p.pesoEntrada = QStringLiteral("12000");
    p.dataSaida = QStringLiteral("10/12/2026");
    p.horaSaida = QStringLiteral("08:00:00");
    p.pesoSaida = QStringLiteral("30000");
    p.statusTexto = QStringLiteral("PESO BRUTO MAIOR QUE ZERO.");
    p.produtos = {{QStringLiteral("10"), QStringLiteral("SOJA")},
                  {QStringLiteral("20"), QStringLiteral("MILHO")}};
    return p;
}

// The save of an exit with two product rows, as the window runs it.
void SalvarSaidaDoisProdutos(benchmark::State& state)
{
    BancoTeste& b = banco();
    ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
    cfg.morProduto = 1;
    for (auto _ : state) {
        PesagemTela p = saida();
        // the stored row as the window loaded it: the save compares with it
        state.PauseTiming();
        if (auto carregada =
                ConsultaPesagem::carregar(b.dm(), Pesagens, 2, cfg, true, QDateTime::currentDateTime())) {
            p.armazenada = carregada->armazenada;
        }
        state.ResumeTiming();
        try {
            SalvaPesagem::salvar(b.dm(), p, cfg, false);
        } catch (const ErroBanco& e) {
            state.SkipWithError(qPrintable(e.texto()));
            break;
        }
    }
}
BENCHMARK(SalvarSaidaDoisProdutos)->Unit(benchmark::kMicrosecond);

// The same statements, prepared and bound directly on the driver: the stored
// row read for writing, the weighing and its products read before and after
// for the audit, the update, the product rows replaced, and the audit's last
// entry read and two entries appended.
void MesmosComandosNoDriver(benchmark::State& state)
{
    BancoTeste& b = banco();
    QSqlDatabase db = b.dm().DataBase1();
    const bool pg = b.postgres();
    // One statement that reads every row and column it returns; false on failure.
    auto le = [&](const QString& sql, const QVariantList& valores) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(sql);
        for (const QVariant& v : valores)
            q.addBindValue(v);
        if (!q.exec()) {
            state.SkipWithError(qPrintable(q.lastError().text()));
            return false;
        }
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                benchmark::DoNotOptimize(q.value(i));
        }
        return true;
    };
    const QString linha = QStringLiteral("Select * from Pesagem Where PES_CODIGO=?");
    const QString produtos = QStringLiteral("Select * from PesagemProduto Where PES_CODIGO=?");
    qint64 sequencia = 0;
    {
        QSqlQuery q(db);
        q.exec(QStringLiteral("select coalesce(max(aud_seq), 0) from auditoria"));
        if (q.next()) sequencia = q.value(0).toLongLong();
    }
    const QStringList colunas{"PES_TIPO",         "PES_MENSAGEMSAIDA", "PES_TKSAIDA",     "PES_DATASAIDA",
                              "PES_HORASAIDA",    "PES_PESOSAIDA",     "PES_DATAENTRADA", "PES_PLACA",
                              "PES_PLACACARRETA", "PES_MOTORISTA",     "PES_NF",          "PES_PESOEMBALAGEM",
                              "PES_FRETE",        "PES_OBSSAIDA",      "PES_KM",          "PES_TARAPESAGEM",
                              "CAD_CODIGO",       "CAD_TIPO",          "PES_HORAENTRADA", "PES_PESONOTA",
                              "CAD_CODIGOTRA",    "CAD_TIPOTRA",       "TPV_CODIGO",      "PES_VALOR",
                              "PES_PERCDESC",     "PES_TKTMANUALSAIDA"};
    QStringList itens;
    for (const QString& c : colunas) {
        itens << c + QStringLiteral("=?");
    }
    const QString update = QStringLiteral("Update PESAGEM SET ") + itens.join(QStringLiteral(", ")) +
                           QStringLiteral(" Where PES_CODIGO=?");
    const QVariant nulo(QMetaType(QMetaType::QString));
    for (auto _ : state) {
        if (!db.transaction()) {
            state.SkipWithError(qPrintable(db.lastError().text()));
            break;
        }
        const QVariantList numero{qlonglong(Pesagens)};
        if (!le(pg ? linha + QStringLiteral(" for update") : linha, numero) || !le(linha, numero) ||
            !le(produtos, numero)) {
            db.rollback();
            break;
        }
        QSqlQuery q(db);
        q.prepare(update);
        for (const QVariant& v : {QVariant(2),
                                  QVariant(QStringLiteral("PESO BRUTO MAIOR QUE ZERO.")),
                                  QVariant(0),
                                  QVariant(QDate(2026, 12, 10)),
                                  QVariant(QStringLiteral("08:00:00")),
                                  QVariant(QStringLiteral("30000")),
                                  QVariant(QDate(2026, 12, 10)),
                                  QVariant(placa(Pesagens)),
                                  nulo,
                                  QVariant(QStringLiteral("MOTORISTA")),
                                  nulo,
                                  nulo,
                                  nulo,
                                  nulo,
                                  nulo,
                                  nulo,
                                  QVariant(1LL),
                                  QVariant(3),
                                  QVariant(QStringLiteral("07:00:00")),
                                  nulo,
                                  nulo,
                                  nulo,
                                  nulo,
                                  nulo,
                                  nulo,
                                  QVariant(1),
                                  QVariant(qlonglong(Pesagens))}) {
            q.addBindValue(v);
        }
        if (!q.exec()) {
            state.SkipWithError(qPrintable(q.lastError().text()));
            break;
        }
        QSqlQuery s(db);
        s.prepare(QStringLiteral("Select * from PesagemProduto Where PES_CODIGO=?"));
        s.addBindValue(qlonglong(Pesagens));
        if (!s.exec()) {
            state.SkipWithError(qPrintable(s.lastError().text()));
            break;
        }
        while (s.next()) {
        }
        QSqlQuery d(db);
        d.prepare(QStringLiteral("Delete from PesagemProduto Where PES_CODIGO=?"));
        d.addBindValue(qlonglong(Pesagens));
        if (!d.exec()) {
            state.SkipWithError(qPrintable(d.lastError().text()));
            break;
        }
        for (const char* prd : {"10", "20"}) {
            QSqlQuery i(db);
            i.prepare(QStringLiteral("INSERT INTO PesagemProduto (pes_codigo,prd_codigo) VALUES (?,?)"));
            i.addBindValue(qlonglong(Pesagens));
            i.addBindValue(QString::fromLatin1(prd));
            if (!i.exec()) {
                state.SkipWithError(qPrintable(i.lastError().text()));
                db.rollback();
                return;
            }
        }
        if (!le(linha, numero) || !le(produtos, numero)) {
            db.rollback();
            break;
        }
        if (pg) {
            QSqlQuery t(db);
            t.exec(QStringLiteral("LOCK TABLE AUDITORIA IN EXCLUSIVE MODE"));
        }
        if (!le(QStringLiteral("Select AUD_SEQ, AUD_HASH from AUDITORIA order by AUD_SEQ desc limit 1"),
                {})) {
            db.rollback();
            break;
        }
        QSqlQuery a(db);
        a.prepare(QStringLiteral("INSERT INTO AUDITORIA (AUD_SEQ, AUD_DATAHORA, AUD_USUARIO, AUD_ESTACAO, "
                                 "AUD_TABELA, AUD_OPERACAO, PES_CODIGO, AUD_ANTES, AUD_DEPOIS, "
                                 "AUD_HASHANTERIOR, AUD_HASH) VALUES (?,?,?,?,?,?,?,?,?,?,?), "
                                 "(?,?,?,?,?,?,?,?,?,?,?)"));
        for (const char* tabela : {"PESAGEM", "PESAGEMPRODUTO"}) {
            for (const QVariant& v :
                 {QVariant(++sequencia), QVariant(QStringLiteral("2026-12-10 08:00:00.000")),
                  QVariant(QStringLiteral("JOAO")), QVariant(QStringLiteral("BALANCA1")),
                  QVariant(QString::fromLatin1(tabela)), QVariant(QStringLiteral("A")),
                  QVariant(qlonglong(Pesagens)), QVariant(QString(1200, u'a')), QVariant(QString(1200, u'b')),
                  QVariant(QString(64, u'0')), QVariant(QString(64, u'1'))})
                a.addBindValue(v);
        }
        if (!a.exec()) {
            state.SkipWithError(qPrintable(a.lastError().text()));
            db.rollback();
            break;
        }
        if (!db.commit()) {
            state.SkipWithError(qPrintable(db.lastError().text()));
            break;
        }
    }
}
BENCHMARK(MesmosComandosNoDriver)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
