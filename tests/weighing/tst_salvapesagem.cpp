// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"
#include "ConsultaPesagem.h"
#include "ErroBanco.h"
#include "FalhaBanco.h"
#include "FatoresPesagem.h"
#include "FixturePesagem.h"
#include "Relogio.h"
#include "SalvaPesagem.h"

#include <QtTest>

using namespace FixturePesagem;

namespace
{

const QDateTime agora(QDate(2026, 12, 10), QTime(9, 45, 30));
const QString status = QStringLiteral("PESO BRUTO EM EQUILÍBRIO POSITIVO ");

// An entry weighing as the operator fills it in the window.
PesagemTela entrada(qint64 codigo = 1)
{
    PesagemTela p;
    p.modo = 1;
    p.estado = 0;
    p.codigo = QString::number(codigo);
    p.placa = QStringLiteral("ABC1234");
    p.placaCarreta = QStringLiteral("XYZ9876");
    p.pesoNota = QStringLiteral("15000,00");
    p.nf = QStringLiteral("NF 77");
    p.rgMotorista = QStringLiteral("12345");
    p.motorista = QStringLiteral("JOSE MOTORISTA");
    p.obs = QStringLiteral("CARGA D'AGUA");
    p.cadCodigo = QStringLiteral("1");
    p.cadRazao = QStringLiteral("CLIENTE UM");
    p.traCodigo = QStringLiteral("3");
    p.traRazao = QStringLiteral("TRANSPORTES TRES");
    p.prdCodigo = QStringLiteral("10");
    p.prdDescricao = QStringLiteral("SOJA");
    p.fatorVisivel = {true, true, true, true};
    p.fatores = {QStringLiteral("1"), QStringLiteral("0,5"), QStringLiteral("0"), QStringLiteral("0")};
    p.umidadeVisivel = true;
    p.umidade = QStringLiteral("18");
    p.descontoUmidade = QStringLiteral("4,65");
    p.manualEntrada = 1;
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("08:15:00");
    p.pesoEntrada = QStringLiteral("12000,00");
    p.statusTexto = status;
    return p;
}

// The row that entry() leaves in Pesagem without a ticket.
QMap<QString, QString> linhaEntrada(qint64 codigo = 1)
{
    return {{"PES_CODIGO", QString::number(codigo)},
            {"PES_TIPO", "1"},
            {"PES_TKENTRADA", "1"},
            {"PES_TKSAIDA", "NULL"},
            {"PES_DATAENTRADA", "10/12/2026"},
            {"PES_HORAENTRADA", "08:15:00"},
            {"PES_PESOENTRADA", "12000"},
            {"PES_DATASAIDA", "NULL"},
            {"PES_HORASAIDA", "NULL"},
            {"PES_PESOSAIDA", "NULL"},
            {"PES_TKTMANUALENTRADA", "1"},
            {"PES_TKTMANUALSAIDA", "1"},
            {"PES_PLACA", "ABC1234"},
            {"PES_PLACACARRETA", "XYZ9876"},
            {"PES_MOTORISTA", "JOSE MOTORISTA"},
            {"PES_NF", "NF 77"},
            {"PES_PESONOTA", "15000"},
            {"PES_PESOEMBALAGEM", "0"},
            {"PES_MENSAGEM", status.trimmed()},
            {"PES_MENSAGEMSAIDA", "NULL"},
            {"CAD_CODIGO", "1"},
            {"CAD_TIPO", "3"},
            {"CAD_CODIGOEMIS", "1"},
            {"CAD_TIPOEMIS", "1"},
            {"CAD_CODIGOTRA", "3"},
            {"CAD_TIPOTRA", "2"},
            {"PES_RGMOTORISTA", "12345"},
            {"PES_FRETE", "NULL"},
            {"PES_KM", "NULL"},
            {"TPV_CODIGO", "NULL"},
            {"PES_VALOR", "NULL"},
            {"PES_PERCDESC", "NULL"},
            {"PES_OBS", "CARGA D AGUA"},
            {"PES_OBSSAIDA", "NULL"},
            {"PES_TARAPESAGEM", "NULL"},
            {"PES_CHAVENFE", "NULL"}};
}

const QStringList fatoresEntrada{"PES_FATOR7E=1", "PES_FATOR8E=0,5", "PES_FATOR11=4,65", "PES_FATOR11U=18"};

// The exit of weighing 1 as loaded from the list and completed by the operator.
PesagemTela saida(BancoTeste& b, const ConfigPesagem& cfg, qint64 codigo = 1)
{
    auto p = ConsultaPesagem::carregar(b.dm(), codigo, 2, cfg, true, agora);
    if (!p) {
        qFatal("pesagem %lld não encontrada", codigo);
    }
    p->fatorVisivel = {true, true, true, true};
    p->fatores = {QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0,5")};
    p->umidadeVisivel = true;
    p->umidade = QStringLiteral("13");
    p->descontoUmidade = QStringLiteral("0");
    p->pesoSaida = QStringLiteral("30000,00");
    p->obs = QStringLiteral("SAIDA OK");
    p->statusTexto = status;
    return *p;
}

QString campo(const char* nome)
{
    return *static_cast<QString*>(QTest::qData(nome, qMetaTypeId<QString>()));
}

} // namespace

class TstSalvaPesagem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { Relogio::fixar(agora); }
    void cleanup() { Relogio::fixar(QDateTime()); }

    // An entry weighing inserted with and without the ticket: every column
    // of both rows; the ticket flag is stored inverted.
    void entradaInserida_data()
    {
        QTest::addColumn<bool>("ticket");
        QTest::newRow("sem ticket") << false;
        QTest::newRow("com ticket") << true;
    }
    void entradaInserida()
    {
        QFETCH(bool, ticket);
        BancoTeste b;
        cadastros(b);
        PesagemTela p = entrada();
        SalvaPesagem::salvar(b.dm(), p, ConfigPesagem::ler(b.dm()), ticket);
        auto esperado = linhaEntrada();
        esperado["PES_TKENTRADA"] = ticket ? "0" : "1";
        QVERIFY(confere(pesagem(b, 1), esperado));
        const auto prd = produtos(b, 1);
        QCOMPARE(prd.size(), 1);
        QVERIFY(confere(prd[0], linhaProduto(1, "10", fatoresEntrada)));
    }

    // Optional fields left empty: NULL, 0 where the columns take 0, and the
    // vehicle type, value and discount only with the vehicle type on.
    void entradaCamposVazios()
    {
        BancoTeste b;
        cadastros(b);
        b.exec(QStringLiteral(
            "insert into tipoveiculo (tpv_codigo, tpv_descricao, tpv_valor) values (1, 'TRUCK', 150)"));
        PesagemTela p = entrada();
        p.placaCarreta = QStringLiteral("  ");
        p.pesoNota.clear();
        p.nf.clear();
        p.rgMotorista.clear();
        p.obs.clear();
        p.traCodigo.clear();
        p.traRazao.clear();
        p.statusTexto.clear();
        p.tpvCodigo = 1;
        p.km = QStringLiteral("150,00");
        p.percDesc = QStringLiteral("10");
        p.frete = QStringLiteral("0,35");
        p.tara = QStringLiteral("11000");
        p.manualEntrada = 0;
        ConfigPesagem cfg;
        cfg.tipoVeiculo = 1;
        SalvaPesagem::salvar(b.dm(), p, cfg, false);
        auto esperado = linhaEntrada();
        esperado["PES_PLACACARRETA"] = "NULL";
        esperado["PES_PESONOTA"] = "0";
        esperado["PES_NF"] = "NULL";
        esperado["PES_RGMOTORISTA"] = "0";
        esperado["PES_OBS"] = "NULL";
        esperado["CAD_CODIGOTRA"] = "NULL";
        esperado["CAD_TIPOTRA"] = "NULL";
        esperado["PES_MENSAGEM"] = "";
        esperado["TPV_CODIGO"] = "1";
        esperado["PES_VALOR"] = "150";
        esperado["PES_PERCDESC"] = "10";
        esperado["PES_FRETE"] = "0,35";
        esperado["PES_TARAPESAGEM"] = "11000";
        esperado["PES_TKTMANUALENTRADA"] = "0";
        QVERIFY(confere(pesagem(b, 1), esperado));

        // Without the vehicle type the same field is the distance.
        PesagemTela q = entrada(2);
        q.km = QStringLiteral("82,5");
        q.percDesc = QStringLiteral("10");
        SalvaPesagem::salvar(b.dm(), q, ConfigPesagem(), false);
        auto r = pesagem(b, 2);
        QCOMPARE(r["PES_KM"], QStringLiteral("82,5"));
        QCOMPARE(r["PES_VALOR"], QStringLiteral("NULL"));
        QCOMPARE(r["PES_PERCDESC"], QStringLiteral("NULL"));
    }

    // The one field shows the distance or, with the vehicle type on, the value
    // and discount; when the setting changed between entry and exit, the
    // exit keeps the stored columns the window did not show.
    void saidaMantemColunasNaoMostradas_data()
    {
        QTest::addColumn<int>("tipoNaEntrada");
        QTest::addColumn<QString>("coluna");
        QTest::addColumn<QString>("guardado");
        QTest::newRow("valor e desconto, tipo de veículo desligado depois") << 1 << "PES_VALOR"
                                                                            << "150";
        QTest::newRow("desconto, tipo de veículo desligado depois") << 1 << "PES_PERCDESC"
                                                                    << "10";
        QTest::newRow("km, tipo de veículo ligado depois") << 0 << "PES_KM"
                                                           << "82,5";
    }
    void saidaMantemColunasNaoMostradas()
    {
        QFETCH(int, tipoNaEntrada);
        QFETCH(QString, coluna);
        QFETCH(QString, guardado);
        BancoTeste b;
        cadastros(b);
        ConfigPesagem cfgEntrada = ConfigPesagem::ler(b.dm());
        cfgEntrada.tipoVeiculo = tipoNaEntrada;
        PesagemTela e = entrada();
        e.km = tipoNaEntrada == 1 ? QStringLiteral("150") : QStringLiteral("82,5");
        e.percDesc = QStringLiteral("10");
        SalvaPesagem::salvar(b.dm(), e, cfgEntrada, false);
        QCOMPARE(pesagem(b, 1)[coluna], guardado);

        ConfigPesagem cfgSaida = cfgEntrada;
        cfgSaida.tipoVeiculo = tipoNaEntrada == 1 ? 0 : 1;
        PesagemTela s = saida(b, cfgSaida);
        QVERIFY(s.km.isEmpty());
        SalvaPesagem::salvar(b.dm(), s, cfgSaida, false);
        const auto r = pesagem(b, 1);
        QCOMPARE(r["PES_PESOSAIDA"], QStringLiteral("30000"));
        QCOMPARE(r[coluna], guardado);
    }

    // The exit completes the row: exit data, the ticket flag (1 = asked for),
    // the product's fixed factors as they are now, the entry factors kept.
    void saidaAtualizada_data()
    {
        QTest::addColumn<bool>("ticket");
        QTest::newRow("com ticket") << true;
        QTest::newRow("sem ticket") << false;
    }
    void saidaAtualizada()
    {
        QFETCH(bool, ticket);
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        PesagemTela e = entrada();
        SalvaPesagem::salvar(b.dm(), e, cfg, false);
        b.exec(QStringLiteral("update produto set prd_fator1=3 where prd_codigo='10'"));

        PesagemTela s = saida(b, cfg);
        QCOMPARE(s.dataSaida, QStringLiteral("10/12/2026"));
        QCOMPARE(s.horaSaida, QStringLiteral("09:45:30"));
        QString rastreado;
        SalvaPesagem::salvar(b.dm(), s, cfg, ticket, [&](const QString& t) { rastreado = t; });
        auto esperado = linhaEntrada();
        esperado["PES_TIPO"] = "2";
        esperado["PES_TKSAIDA"] = ticket ? "1" : "0";
        esperado["PES_DATASAIDA"] = "10/12/2026";
        esperado["PES_HORASAIDA"] = "09:45:30";
        esperado["PES_PESOSAIDA"] = "30000";
        esperado["PES_MENSAGEMSAIDA"] = status.trimmed();
        esperado["PES_OBSSAIDA"] = "SAIDA OK";
        QVERIFY(confere(pesagem(b, 1), esperado));
        const auto prd = produtos(b, 1);
        QCOMPARE(prd.size(), 1);
        QVERIFY(confere(prd[0], linhaProduto(1, "10",
                                             {"PES_FATOR1=3", "PES_FATOR2=0,5", "PES_FATOR6=0,25",
                                              "PES_FATOR7E=1", "PES_FATOR8E=0,5", "PES_FATOR7=2",
                                              "PES_FATOR10=0,5", "PES_FATOR11=0", "PES_FATOR11U=13"})));
        QCOMPARE(s.fatoresFixos[0], QStringLiteral("3"));
        // The SQL trace saw the statement with its values in place.
        QVERIFY(rastreado.startsWith(QStringLiteral("Update PESAGEM SET")));
        QVERIFY(rastreado.contains(QStringLiteral("PES_OBSSAIDA='SAIDA OK'")));
        QVERIFY(rastreado.contains(QStringLiteral("Where PES_CODIGO=1")));
    }

    // Exit-only: one insert with both weighings; the entry ticket flag stays empty.
    void somenteSaida()
    {
        BancoTeste b;
        cadastros(b);
        b.exec(QStringLiteral("update config set cfg_somentesaida=1"));
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        QCOMPARE(cfg.somenteSaida, 1);
        PesagemTela p = entrada(5);
        p.modo = 2;
        p.manualEntrada = 0;
        p.pesoEntrada = QStringLiteral("11000");
        p.dataSaida = QStringLiteral("10/12/2026");
        p.horaSaida = QStringLiteral("09:45:30");
        p.pesoSaida = QStringLiteral("29000,5");
        p.obs = QStringLiteral("DIRETO");
        SalvaPesagem::salvar(b.dm(), p, cfg, false);
        auto esperado = linhaEntrada(5);
        esperado["PES_TIPO"] = "2";
        esperado["PES_TKENTRADA"] = "NULL";
        esperado["PES_TKSAIDA"] = "1";
        esperado["PES_PESOENTRADA"] = "11000";
        esperado["PES_TKTMANUALENTRADA"] = "0";
        esperado["PES_DATASAIDA"] = "10/12/2026";
        esperado["PES_HORASAIDA"] = "09:45:30";
        esperado["PES_PESOSAIDA"] = "29000,5";
        esperado["PES_OBS"] = "NULL";
        esperado["PES_OBSSAIDA"] = "DIRETO";
        QVERIFY(confere(pesagem(b, 5), esperado));
        // In exit mode the typed factors are the exit ones, the product's fixed ones are read.
        QVERIFY(confere(produtos(b, 5).value(0),
                        linhaProduto(5, "10",
                                     {"PES_FATOR1=1", "PES_FATOR2=0,5", "PES_FATOR6=0,25", "PES_FATOR7=1",
                                      "PES_FATOR8=0,5", "PES_FATOR11=4,65", "PES_FATOR11U=18"})));
    }

    // The product grid: one row per product with the code only; the rows are rewritten.
    void gradeDeProdutos()
    {
        BancoTeste b;
        cadastros(b);
        ConfigPesagem cfg;
        cfg.morProduto = 1;
        PesagemTela p = entrada();
        p.prdCodigo.clear();
        p.prdDescricao.clear();
        p.produtos = {{"10", "SOJA"}, {"20", "MILHO"}, {"30", "TRIGO"}, {"", ""}};
        SalvaPesagem::salvar(b.dm(), p, cfg, false);
        auto prd = produtos(b, 1);
        QCOMPARE(prd.size(), 3);
        QMap<QString, QString> soCodigo = linhaProduto(1, "20");
        for (auto it = soCodigo.begin(); it != soCodigo.end(); ++it) {
            if (it.key().startsWith(QLatin1String("PES_FATOR"))) {
                it.value() = QStringLiteral("NULL");
            }
        }
        QVERIFY(confere(prd[1], soCodigo));
        QCOMPARE(prd[0]["PRD_CODIGO"], QStringLiteral("10"));
        QCOMPARE(prd[2]["PRD_CODIGO"], QStringLiteral("30"));

        auto s = ConsultaPesagem::carregar(b.dm(), 1, 2, cfg, true, agora);
        QVERIFY(s);
        QCOMPARE(s->produtos.size(), 3);
        s->produtos.removeAt(1);
        s->pesoSaida = QStringLiteral("30000");
        SalvaPesagem::salvar(b.dm(), *s, cfg, false);
        prd = produtos(b, 1);
        QCOMPARE(prd.size(), 2);
        QCOMPARE(prd[1]["PRD_CODIGO"], QStringLiteral("30"));
    }

    // A completed weighing saved again in the entry window keeps its exit
    // and stores a re-weighed entry weight.
    void entradaDePesagemConcluida()
    {
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        PesagemTela e = entrada();
        SalvaPesagem::salvar(b.dm(), e, cfg, false);
        PesagemTela s = saida(b, cfg);
        SalvaPesagem::salvar(b.dm(), s, cfg, true);
        const auto depoisDaSaida = pesagem(b, 1);
        const auto produtoDaSaida = produtos(b, 1).value(0);

        ConfigPesagem comFatores = cfg;
        comFatores.umidade = 1;
        auto r = ConsultaPesagem::carregar(b.dm(), 1, 1, comFatores, false, agora);
        QVERIFY(r);
        QVERIFY(r->saidaGravada);
        QVERIFY(r->pesoSaida.isEmpty());
        r->fatorVisivel = {true, true, true, true};
        r->umidadeVisivel = true;
        QCOMPARE(r->fatores[0], QStringLiteral("1,00")); // the entry factors are shown
        r->pesoEntrada = QStringLiteral("12500,00");
        r->obs = QStringLiteral("REPESADO");
        SalvaPesagem::salvar(b.dm(), *r, cfg, false);

        auto esperado = depoisDaSaida;
        esperado["PES_TIPO"] = "1";
        esperado["PES_PESOENTRADA"] = "12500";
        esperado["PES_OBS"] = "REPESADO";
        QVERIFY(confere(pesagem(b, 1), esperado));
        QVERIFY(confere(produtos(b, 1).value(0), produtoDaSaida));
    }

    // A database error in any statement leaves the weighing as it was.
    void falhaDesfazTudo()
    {
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        PesagemTela e = entrada();
        SalvaPesagem::salvar(b.dm(), e, cfg, false);
        const auto antes = pesagem(b, 1);
        const auto produtosAntes = produtos(b, 1);
        falharEm(b, QStringLiteral("PESAGEMPRODUTO"), QStringLiteral("INSERT"),
                 QStringLiteral("disco cheio"));

        PesagemTela s = saida(b, cfg);
        try {
            SalvaPesagem::salvar(b.dm(), s, cfg, true);
            QFAIL("a gravação deveria falhar");
        } catch (const ErroBanco& erro) {
            QVERIFY2(erro.texto().contains(QStringLiteral("disco cheio")), qPrintable(erro.texto()));
        }
        QVERIFY(!b.dm().InTransaction());
        QVERIFY(confere(pesagem(b, 1), antes));
        QCOMPARE(produtos(b, 1), produtosAntes);

        // A new weighing fails whole: no Pesagem row without its products.
        PesagemTela n = entrada(2);
        QVERIFY_THROWS_EXCEPTION(ErroBanco, SalvaPesagem::salvar(b.dm(), n, cfg, false));
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagem where pes_codigo=2")), 0);
    }

    // Another workstation saved the same number first: this insert fails, the first stays.
    void numeroJaGravado()
    {
        BancoTeste b;
        cadastros(b);
        const ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        PesagemTela primeira = entrada(7);
        SalvaPesagem::salvar(b.dm(), primeira, cfg, false);
        PesagemTela segunda = entrada(7);
        segunda.placa = QStringLiteral("OUT0001");
        segunda.prdCodigo = QStringLiteral("20");
        QVERIFY_THROWS_EXCEPTION(ErroBanco, SalvaPesagem::salvar(b.dm(), segunda, cfg, false));
        QVERIFY(confere(pesagem(b, 7), linhaEntrada(7)));
        QCOMPARE(produtos(b, 7).size(), 1);
        QCOMPARE(produtos(b, 7)[0]["PRD_CODIGO"], QStringLiteral("10"));
        QCOMPARE(ConsultaPesagem::proximoCodigo(b.dm()), 8);
    }

    void exclusao()
    {
        BancoTeste b;
        cadastros(b);
        PesagemTela e = entrada(3);
        SalvaPesagem::salvar(b.dm(), e, ConfigPesagem(), false);
        PesagemTela f = entrada(4);
        SalvaPesagem::salvar(b.dm(), f, ConfigPesagem(), false);
        SalvaPesagem::excluir(b.dm(), 3);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagem")), 1);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagemproduto where pes_codigo=3")), 0);
        QCOMPARE(b.contar(QStringLiteral("select count(*) from pesagemproduto where pes_codigo=4")), 1);
    }

    // The newest weighing of a plate decides: still open, the plate is refused.
    void historicoDaPlaca()
    {
        BancoTeste b;
        cadastros(b);
        b.exec(QStringLiteral(
            "insert into tipoveiculo (tpv_codigo, tpv_descricao, tpv_valor) values (2, 'BITREM', 250.5)"));
        b.exec(QStringLiteral(
            "insert into pesagem (pes_codigo, pes_placa, pes_motorista, pes_placacarreta, "
            "pes_pesoentrada, pes_datasaida, tpv_codigo) values (1, 'ABC1234', 'ANTIGO', 'CAR0001', "
            "9000, '2026-12-01', null)"));
        b.exec(QStringLiteral(
            "insert into pesagem (pes_codigo, pes_placa, pes_motorista, pes_placacarreta, "
            "pes_pesoentrada, pes_datasaida, tpv_codigo) values (2, 'ABC1234', 'NOVO', 'CAR0002', "
            "9500.5, '2026-12-02', 2)"));
        auto h = ConsultaPesagem::historicoPlaca(b.dm(), QStringLiteral("ABC1234"), 2);
        QVERIFY(h.achou && !h.aberta);
        QCOMPARE(h.motorista, QStringLiteral("NOVO"));
        QCOMPARE(h.placaCarreta, QStringLiteral("CAR0002"));
        QCOMPARE(h.pesoEntrada, QStringLiteral("9500,50"));
        QCOMPARE(h.tpvCodigo.value_or(0), 2);
        QCOMPARE(h.valorTipo, QStringLiteral("250,50"));

        b.exec(QStringLiteral(
            "insert into pesagem (pes_codigo, pes_placa, pes_pesoentrada) values (3, 'ABC1234', 9700)"));
        h = ConsultaPesagem::historicoPlaca(b.dm(), QStringLiteral("ABC1234"), 2);
        QVERIFY(h.achou && h.aberta);
        QVERIFY(!ConsultaPesagem::historicoPlaca(b.dm(), QStringLiteral("ZZZ0000"), 2).achou);
    }

    void motoristaPorRg()
    {
        BancoTeste b;
        cadastros(b);
        auto m = ConsultaPesagem::motorista(b.dm(), QStringLiteral("12345"), 2);
        QCOMPARE(m.situacao, ConsultaPesagem::Motorista::Achado);
        QCOMPARE(m.nome, QStringLiteral("JOSE MOTORISTA"));
        QCOMPARE(m.placa, QStringLiteral("DRV1234"));
        QCOMPARE(m.tara, QStringLiteral("11000,00"));
        m = ConsultaPesagem::motorista(b.dm(), QStringLiteral("999"), 2);
        QCOMPARE(m.situacao, ConsultaPesagem::Motorista::Inativo);
        QCOMPARE(m.mensagem, QStringLiteral("Cadastro Inativo.\rObs.:CNH VENCIDA"));
        m = ConsultaPesagem::motorista(b.dm(), QStringLiteral("1'; drop table pesagem"), 2);
        QCOMPARE(m.situacao, ConsultaPesagem::Motorista::NaoEncontrado);
        QCOMPARE(m.mensagem, QStringLiteral("R.G. não cadastrado no sistema."));
    }

    // The factor check of the exit window.
    void fatores_data()
    {
        QTest::addColumn<int>("umidade");
        QTest::addColumn<QStringList>("digitados");
        QTest::addColumn<int>("situacao");
        QTest::addColumn<QStringList>("resultado");
        QTest::addColumn<QString>("mensagem");
        using C = FatoresPesagem::ChecagemFatores;
        const QStringList vazios{"", "", "", ""};
        QTest::newRow("soma 100") << 2 << QStringList{"25", "25", "25", "25"} << int(C::SomaInvalida)
                                  << vazios << "Fator de Correção inválido!";
        QTest::newRow("soma 99,99") << 2 << QStringList{"24,99", "25", "25", "25"} << int(C::Aceitos)
                                    << QStringList{"24,99", "25", "25", "25"} << "";
        QTest::newRow("campo vazio") << 1 << QStringList{"2", "", "0", "0,5"} << int(C::NaoSeAplica)
                                     << QStringList{"2", "", "0", "0,5"} << "";
        QTest::newRow("fixos cadastrados") << 1 << QStringList{"2", "0", "0", "0,5"} << int(C::Aceitos)
                                           << QStringList{"2,00", "0,00", "0,00", "0,50"} << "";
        QTest::newRow("fator 7 fora da tabela fica")
            << 1 << QStringList{"3", "0", "0", "0,5"} << int(C::Aceitos)
            << QStringList{"3", "0,00", "0,00", "0,50"} << "";
        QTest::newRow("fator 10 fora da tabela")
            << 1 << QStringList{"2", "0", "0", "1"} << int(C::Fator10NaoCadastrado) << vazios
            << "Fator de Correção não cadastrado.";
        QTest::newRow("digitados livres") << 2 << QStringList{"3", "1", "1", "1"} << int(C::Aceitos)
                                          << QStringList{"3", "1", "1", "1"} << "";
    }
    void fatores()
    {
        QFETCH(int, umidade);
        QFETCH(QStringList, digitados);
        QFETCH(int, situacao);
        QFETCH(QStringList, resultado);
        QFETCH(QString, mensagem);
        BancoTeste b;
        cadastros(b);
        ConfigPesagem cfg;
        cfg.umidade = umidade;
        const auto r = FatoresPesagem::checa(b.dm(), cfg, QStringLiteral("10"),
                                             {digitados[0], digitados[1], digitados[2], digitados[3]});
        QCOMPARE(int(r.situacao), situacao);
        QCOMPARE(QStringList(r.fatores.begin(), r.fatores.end()), resultado);
        QCOMPARE(r.mensagem, mensagem);
        using C = FatoresPesagem::ChecagemFatores;
        QCOMPARE(r.limpa(), situacao == C::SomaInvalida || situacao == C::Fator10NaoCadastrado);
    }

    // The moisture discount by formula and by range table, with its messages.
    void umidade_data()
    {
        QTest::addColumn<QString>("produto");
        QTest::addColumn<QString>("digitada");
        QTest::addColumn<QString>("umidade");
        QTest::addColumn<QString>("desconto");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("fórmula 18 sobre 14") << "10"
                                             << "18"
                                             << "18"
                                             << "4,65"
                                             << "";
        QTest::newRow("fórmula no final") << "10"
                                          << "14"
                                          << "14"
                                          << "0,00"
                                          << "Umidade menor que Umidade Final. Desconto 0%.";
        QTest::newRow("zero") << "10"
                              << "0"
                              << "0,00"
                              << "0,00"
                              << "";
        QTest::newRow("faixa no limite") << "20"
                                         << "12"
                                         << "12"
                                         << "1,00"
                                         << "";
        QTest::newRow("faixa acima")
            << "20"
            << "14,5"
            << "0,00"
            << "0,00"
            << "Umidade não se enquadra na Tabela de Conversão de Umidade cadastrada para "
               "este produto.";
        QTest::newRow("sem tabela") << "30"
                                    << "15"
                                    << "0,00"
                                    << "0,00"
                                    << "Conversão de Umidade não cadastrada para este produto.";
    }
    void umidade()
    {
        QFETCH(QString, produto);
        QFETCH(QString, digitada);
        BancoTeste b;
        cadastros(b);
        ConfigPesagem cfg;
        cfg.casasUmidade = 2;
        const auto r = FatoresPesagem::calculaUmidade(b.dm(), cfg, produto, digitada);
        QVERIFY(r);
        QCOMPARE(r->umidade, campo("umidade"));
        QCOMPARE(r->desconto, campo("desconto"));
        QCOMPARE(r->mensagem, campo("mensagem"));
        QVERIFY(!FatoresPesagem::calculaUmidade(b.dm(), cfg, produto, QStringLiteral("abc")));
    }

    // A weighing loaded by its number and from the list.
    void carregamento()
    {
        BancoTeste b;
        cadastros(b);
        ConfigPesagem cfg = ConfigPesagem::ler(b.dm());
        cfg.umidade = 1;
        PesagemTela e = entrada();
        e.tipoParte = 1;
        e.cadCodigo = QStringLiteral("2");
        SalvaPesagem::salvar(b.dm(), e, cfg, false);

        auto p = ConsultaPesagem::carregar(b.dm(), 1, 1, cfg, false, agora);
        QVERIFY(p);
        QCOMPARE(p->estado, 1);
        QCOMPARE(p->tipoParte, 1);
        QCOMPARE(p->cadRazao, QStringLiteral("FORNECEDOR DOIS"));
        QCOMPARE(p->traRazao, QStringLiteral("TRANSPORTES TRES"));
        QCOMPARE(p->prdDescricao, QStringLiteral("SOJA"));
        QCOMPARE(p->pesoEntrada, QStringLiteral("12000,00"));
        QCOMPARE(p->horaEntrada, QStringLiteral("08:15:00"));
        QCOMPARE(p->obs, QStringLiteral("CARGA D AGUA"));
        QCOMPARE(p->fatores[1], QStringLiteral("0,50"));
        QCOMPARE(p->umidade, QStringLiteral("18,00"));
        QCOMPARE(p->descontoUmidade, QStringLiteral("4,65"));
        QVERIFY(p->dataSaida.isEmpty());

        // From the list: exit date and time default to now; no exit weight yet, so no factors.
        p = ConsultaPesagem::carregar(b.dm(), 1, 2, cfg, true, agora);
        QCOMPARE(p->dataSaida, QStringLiteral("10/12/2026"));
        QCOMPARE(p->horaSaida, QStringLiteral("09:45:30"));
        QCOMPARE(p->fatores[0], QString());
        QVERIFY(!ConsultaPesagem::saidaAntesDaEntrada(*p));
        p->dataSaida = QStringLiteral("09/12/2026");
        QVERIFY(ConsultaPesagem::saidaAntesDaEntrada(*p));
        QVERIFY(!ConsultaPesagem::carregar(b.dm(), 99, 2, cfg, true, agora));
    }
};

QTEST_MAIN(TstSalvaPesagem)
#include "tst_salvapesagem.moc"
