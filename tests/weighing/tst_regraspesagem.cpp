// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeituraPeso.h"
#include "RegrasPesagem.h"
#include "Relogio.h"

#include <QtTest>

namespace
{

// An entry weighing with every required field filled and a settled weight.
PesagemTela entradaCompleta()
{
    PesagemTela p;
    p.modo = 1;
    p.estado = 0;
    p.codigo = QStringLiteral("7");
    p.dataEntrada = QStringLiteral("10/12/2026");
    p.horaEntrada = QStringLiteral("08:00:00");
    p.placa = QStringLiteral("ABC1234");
    p.cadCodigo = QStringLiteral("1");
    p.cadRazao = QStringLiteral("CLIENTE");
    p.motorista = QStringLiteral("JOSE");
    p.prdCodigo = QStringLiteral("10");
    p.prdDescricao = QStringLiteral("SOJA");
    p.pesoEntrada = QStringLiteral("12000,00");
    return p;
}

PesagemTela saidaCompleta()
{
    PesagemTela p = entradaCompleta();
    p.modo = 2;
    p.estado = 1;
    p.dataSaida = QStringLiteral("10/12/2026");
    p.horaSaida = QStringLiteral("09:00:00");
    p.pesoSaida = QStringLiteral("30000,00");
    return p;
}

const EstadoPeso verde{true, false, false};

} // namespace

class TstRegrasPesagem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Relogio::fixar(QDateTime(QDate(2026, 12, 10), QTime(9, 30))); }

    // UpdateSaveButton in its three forms: each case changes one thing of a
    // weighing that may be saved.
    void regraSalvar_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("mudanca");
        QTest::addColumn<bool>("habilitado");
        const auto caso = [](int modo, const char* mudanca, bool hab) {
            QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(modo).arg(QString::fromUtf8(mudanca))))
                << modo << QString::fromUtf8(mudanca) << hab;
        };
        caso(1, "", true);
        caso(1, "amarela", false);
        caso(1, "peso zero", false);
        caso(1, "peso negativo", false);
        caso(1, "demanda com lâmpada amarela", true);
        caso(1, "demanda fora de faixa", false);
        caso(1, "demanda peso zero", false);
        caso(1, "sem placa", false);
        caso(1, "sem motorista", false);
        caso(1, "sem motorista, vagão", true);
        caso(1, "cliente não cadastrado", false);
        caso(1, "transportadora não cadastrada", false);
        caso(1, "sem cliente", false);
        caso(1, "sem transportadora, tara na pesagem", false);
        caso(1, "produto não cadastrado", false);
        caso(1, "produto não cadastrado, opcional", true);
        caso(1, "data inválida", false);
        caso(1, "hora vazia", false);
        caso(1, "somente produto, sem placa nem cliente", true);
        caso(1, "somente produto, sem produto", false);
        caso(1, "grade vazia", false);
        caso(1, "grade com produto", true);
        caso(1, "parado", false);
        caso(2, "", true);
        caso(2, "amarela", false);
        caso(2, "hora de saída inválida", false);
        caso(2, "data de saída vazia", false);
        caso(2, "fator vazio", false);
        caso(2, "fator vazio, sem fatores", true);
        caso(2, "fatores na grade", true);
        caso(2, "sem placa", true);
    }
    void regraSalvar()
    {
        QFETCH(int, modo);
        QFETCH(QString, mudanca);
        QFETCH(bool, habilitado);
        PesagemTela p = modo == 1 ? entradaCompleta() : saidaCompleta();
        ConfigPesagem cfg;
        EstadoPeso peso = verde;
        QString& pesoLado = modo == 1 ? p.pesoEntrada : p.pesoSaida;
        if (modo == 2) {
            cfg.umidade = 1;
            p.fatorVisivel = {true, true, true, true};
            p.fatores = {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                         QStringLiteral("0,5")};
        }
        const QHash<QString, std::function<void()>> mudancas{
            {"", [] {}},
            {"amarela", [&] { peso.lampadaVerde = false; }},
            {"peso zero", [&] { pesoLado = QStringLiteral("0,00"); }},
            {"peso negativo", [&] { pesoLado = QStringLiteral("-500"); }},
            {"demanda com lâmpada amarela",
             [&] {
                 peso = {false, true, false};
             }},
            {"demanda fora de faixa",
             [&] {
                 peso = {true, true, true};
             }},
            {"demanda peso zero",
             [&] {
                 peso = {true, true, false};
                 pesoLado = QStringLiteral("0");
             }},
            {"sem placa", [&] { p.placa = QStringLiteral("  "); }},
            {"sem motorista", [&] { p.motorista.clear(); }},
            {"sem motorista, vagão",
             [&] {
                 p.motorista.clear();
                 cfg.pesagemVagao = 1;
             }},
            {"cliente não cadastrado", [&] { p.cadRazao = NaoCadastrado; }},
            {"transportadora não cadastrada",
             [&] {
                 p.traCodigo = "9";
                 p.traRazao = NaoCadastrado;
             }},
            {"sem cliente",
             [&] {
                 p.cadCodigo.clear();
                 p.cadRazao.clear();
             }},
            {"sem transportadora, tara na pesagem", [&] { cfg.taraPesagem = 1; }},
            {"produto não cadastrado", [&] { p.prdDescricao = NaoCadastrado; }},
            {"produto não cadastrado, opcional",
             [&] {
                 p.prdDescricao = NaoCadastrado;
                 cfg.produtoOpcional = 1;
             }},
            {"data inválida", [&] { p.dataEntrada = QStringLiteral("31/02/2026"); }},
            {"hora vazia", [&] { p.horaEntrada = QStringLiteral("  :  :  "); }},
            {"somente produto, sem placa nem cliente",
             [&] {
                 cfg.somenteProduto = 1;
                 p.placa.clear();
                 p.cadCodigo.clear();
                 p.cadRazao.clear();
                 p.motorista.clear();
             }},
            {"somente produto, sem produto",
             [&] {
                 cfg.somenteProduto = 1;
                 p.prdCodigo.clear();
             }},
            {"grade vazia",
             [&] {
                 cfg.morProduto = 1;
                 p.produtos = {{"", ""}};
             }},
            {"grade com produto",
             [&] {
                 cfg.morProduto = 1;
                 p.prdCodigo.clear();
                 p.produtos = {{"", ""}, {"10", "SOJA"}};
             }},
            {"parado", [&] { p.estado = 3; }},
            {"hora de saída inválida", [&] { p.horaSaida = QStringLiteral("25:00:00"); }},
            {"data de saída vazia", [&] { p.dataSaida = QStringLiteral("  /  /    "); }},
            {"fator vazio", [&] { p.fatores[2].clear(); }},
            {"fator vazio, sem fatores",
             [&] {
                 p.fatores[2].clear();
                 cfg.umidade = 0;
             }},
            {"fatores na grade",
             [&] {
                 cfg.morProduto = 1;
                 p.fatorVisivel = {};
                 p.fatores = {};
             }},
        };
        QVERIFY2(mudancas.contains(mudanca), qPrintable(mudanca));
        mudancas[mudanca]();
        QCOMPARE(UpdateSaveButton(p, cfg, peso).habilitado, habilitado);
    }

    // The captions the rule turns black.
    void rotulosObrigatorios()
    {
        ConfigPesagem cfg;
        PesagemTela p = entradaCompleta();
        RegraSalvar r = UpdateSaveButton(p, cfg, verde);
        QVERIFY(r.placaObrigatoria && r.nomeObrigatorio && r.parteObrigatoria && r.produtoObrigatorio);
        cfg.produtoOpcional = 1;
        cfg.pesagemVagao = 1;
        r = UpdateSaveButton(p, cfg, verde);
        QVERIFY(r.placaObrigatoria && !r.nomeObrigatorio && r.parteObrigatoria && !r.produtoObrigatorio);
        cfg.somenteProduto = 1;
        r = UpdateSaveButton(p, cfg, verde);
        QVERIFY(!r.placaObrigatoria && !r.nomeObrigatorio && !r.parteObrigatoria);
    }

    // Dates and times checked when the operator leaves them (today is 10/12/2026).
    void datasEHoras_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("entrada"); // entry date for the exit checks, "data hora"
        QTest::addColumn<QString>("resultado");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("entrada hoje") << "dataEntrada"
                                      << "10/12/26"
                                      << ""
                                      << "10/12/2026"
                                      << "";
        QTest::newRow("entrada amanhã") << "dataEntrada"
                                        << "11/12/2026"
                                        << ""
                                        << "11/12/2026"
                                        << "";
        QTest::newRow("entrada ontem") << "dataEntrada"
                                       << "09/12/2026"
                                       << ""
                                       << ""
                                       << "Data de Entrada não pode ser menor que data Atual!";
        QTest::newRow("entrada vazia") << "dataEntrada"
                                       << "  /  /    "
                                       << ""
                                       << "  /  /    "
                                       << "";
        QTest::newRow("saída antes da entrada") << "dataSaida"
                                                << "08/12/2026"
                                                << "09/12/2026 10:00:00"
                                                << ""
                                                << "Data de Saída não pode ser menor que data de Entrada!";
        QTest::newRow("saída inválida") << "dataSaida"
                                        << "32/12/2026"
                                        << "09/12/2026 10:00:00"
                                        << ""
                                        << "Data inválida!";
        QTest::newRow("saída normalizada") << "dataSaida"
                                           << "10/12/26"
                                           << "09/12/2026 10:00:00"
                                           << "10/12/2026"
                                           << "";
        QTest::newRow("hora de entrada inválida") << "horaEntrada"
                                                  << "24:10:00"
                                                  << ""
                                                  << ""
                                                  << "";
        QTest::newRow("hora de entrada") << "horaEntrada"
                                         << "07:10:00"
                                         << ""
                                         << "07:10:00"
                                         << "";
        QTest::newRow("hora de saída antes, mesmo dia")
            << "horaSaida"
            << "09:59:59"
            << "10/12/2026 10:00:00"
            << ""
            << "Hora de Saída não pode ser menor que Hora de Entrada!";
        QTest::newRow("hora de saída igual") << "horaSaida"
                                             << "10:00:00"
                                             << "10/12/2026 10:00:00"
                                             << "10:00:00"
                                             << "";
        QTest::newRow("hora de saída antes, outro dia") << "horaSaida"
                                                        << "09:00:00"
                                                        << "09/12/2026 10:00:00"
                                                        << "09:00:00"
                                                        << "";
        QTest::newRow("hora de saída inválida") << "horaSaida"
                                                << "  :  :  "
                                                << "10/12/2026 10:00:00"
                                                << ""
                                                << "";
    }
    void datasEHoras()
    {
        QFETCH(QString, campo);
        QFETCH(QString, texto);
        QFETCH(QString, entrada);
        QFETCH(QString, resultado);
        QFETCH(QString, mensagem);
        const QString dataEntrada = entrada.section(u' ', 0, 0);
        const QString horaEntrada = entrada.section(u' ', 1, 1);
        Checagem c;
        if (campo == QLatin1String("dataEntrada")) {
            c = ChecaDataEntrada(texto, Relogio::hoje());
        } else if (campo == QLatin1String("dataSaida")) {
            c = ChecaDataSaida(texto, dataEntrada);
        } else if (campo == QLatin1String("horaEntrada")) {
            c = ChecaHoraEntrada(texto);
        } else {
            c = ChecaHoraSaida(texto, horaEntrada, dataEntrada, QStringLiteral("10/12/2026"));
        }
        QCOMPARE(c.texto, resultado);
        QCOMPARE(c.mensagem, mensagem);
        QCOMPARE(c.recusado, resultado.isEmpty());
        if (!mensagem.isEmpty()) {
            QCOMPARE(c.titulo, QStringLiteral("Informação!"));
        }
    }

    void pesosAoSair()
    {
        QCOMPARE(NormalizaPeso(QStringLiteral("1234,5"), 2, true), QStringLiteral("1234,50"));
        QCOMPARE(NormalizaPeso(QStringLiteral("abc"), 1, false), QStringLiteral("0,0"));
        QCOMPARE(NormalizaPeso(QString(), 0, false), QStringLiteral("0"));
        QCOMPARE(NormalizaPeso(QStringLiteral(","), 2, true), QString());
        QCOMPARE(NormalizaPesoNota(QStringLiteral(",")), QStringLiteral("0,00"));
        QCOMPARE(NormalizaPesoNota(QString()), QStringLiteral("0,00"));
        QCOMPARE(NormalizaPesoNota(QStringLiteral("1500")), QStringLiteral("1500"));
    }

    // Which weighing must be the heavier one, by party kind and right.
    void ordemPesos_data()
    {
        QTest::addColumn<int>("tipoParte");
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<QString>("saida");
        QTest::addColumn<bool>("permitido");
        QTest::addColumn<int>("acao");
        QTest::addColumn<QString>("mensagem");
        const QString clienteSem = QStringLiteral("Usuário sem permissão para efetuar pesagem de "
                                                  "Cliente\rcom peso de Saída inferior ao peso de Entrada");
        const QString fornecedorSem =
            QStringLiteral("Usuário sem permissão para efetuar pesagem de Fornecedor\rcom "
                           "peso de Entrada inferior ao peso de Saída");
        QTest::newRow("cliente sai mais pesado") << 0 << "12000"
                                                 << "30000" << false << int(OrdemPesos::Segue) << "";
        QTest::newRow("cliente pesos iguais") << 0 << "12000,00"
                                              << "12000" << false << int(OrdemPesos::Segue) << "";
        QTest::newRow("cliente sai mais leve, sem direito")
            << 0 << "30000"
            << "29999,9999" << false << int(OrdemPesos::Recusa) << clienteSem;
        QTest::newRow("cliente sai mais leve, com direito")
            << 0 << "30000"
            << "12000" << true << int(OrdemPesos::Pergunta)
            << "Confirma pesagem de Cliente com peso de Saída inferior ao peso de Entrada?";
        QTest::newRow("fornecedor entra mais pesado") << 1 << "30000"
                                                      << "12000" << false << int(OrdemPesos::Segue) << "";
        QTest::newRow("fornecedor entra mais leve, sem direito")
            << 1 << "12000"
            << "12000,5" << false << int(OrdemPesos::Recusa) << fornecedorSem;
        QTest::newRow("fornecedor entra mais leve, com direito")
            << 1 << "12000"
            << "30000" << true << int(OrdemPesos::Pergunta)
            << "Confirma pesagem de Fornecedor com peso de Entrada inferior ao peso de Saída?";
        QTest::newRow("entrada vazia") << 0 << ""
                                       << "100" << false << int(OrdemPesos::Segue) << "";
    }
    void ordemPesos()
    {
        QFETCH(int, tipoParte);
        QFETCH(QString, entrada);
        QFETCH(QString, saida);
        QFETCH(bool, permitido);
        QFETCH(int, acao);
        QFETCH(QString, mensagem);
        const OrdemPesos r = ConfereOrdemPesos(tipoParte, entrada, saida, permitido);
        QCOMPARE(int(r.acao), acao);
        QCOMPARE(r.mensagem, mensagem);
        if (acao == OrdemPesos::Recusa) {
            QCOMPARE(r.titulo, QStringLiteral("Aviso"));
        }
    }

    void novo()
    {
        ConfigPesagem cfg;
        const QDateTime agora(QDate(2026, 12, 10), QTime(7, 5, 9));
        PesagemTela e = NovaPesagem(1, cfg, 42, agora);
        QCOMPARE(e.estado, 0);
        QCOMPARE(e.codigo, QStringLiteral("42"));
        QCOMPARE(e.dataEntrada, QStringLiteral("10/12/2026"));
        QCOMPARE(e.horaEntrada, QStringLiteral("07:05:09"));
        QVERIFY(e.dataSaida.isEmpty() && e.horaSaida.isEmpty());

        cfg.somenteSaida = 1;
        PesagemTela s = NovaPesagem(2, cfg, 43, agora);
        QCOMPARE(s.codigo, QStringLiteral("43"));
        QCOMPARE(s.dataEntrada, QStringLiteral("10/12/2026"));
        QCOMPARE(s.dataSaida, QStringLiteral("10/12/2026"));
        QCOMPARE(s.horaSaida, QStringLiteral("07:05:09"));
        QCOMPARE(s.manualEntrada, 0);
        QVERIFY(s.pesoEntrada.isEmpty());
    }

    // The live weight: what reaches the box and the lamp, and when the
    // reading saves on its own. Model AR, two decimals.
    void leitura_data()
    {
        QTest::addColumn<int>("interfaceSerial");
        QTest::addColumn<int>("modelo");
        QTest::addColumn<QByteArray>("bloco");
        QTest::addColumn<bool>("aceito");
        QTest::addColumn<QString>("peso"); // empty: the box keeps what it shows
        QTest::addColumn<int>("lampada");
        QTest::addColumn<bool>("salvar");
        QTest::addColumn<bool>("habilita"); // Save with all fields filled
        const int verde = int(TLampada::Verde), amarela = int(TLampada::Amarela), nada = -1;
        QTest::newRow("estável") << 0 << 0 << QByteArray("D001234\r") << true << "12,34" << verde << false
                                 << true;
        QTest::newRow("em movimento")
            << 0 << 0 << QByteArray("C001234\r") << true << "12,34" << amarela << false << false;
        QTest::newRow("meio quadro") << 0 << 0 << QByteArray("D0012") << false << "" << nada << false
                                     << false;
        QTest::newRow("resto de quadro")
            << 0 << 0 << QByteArray("34\r") << false << "" << nada << false << false;
        QTest::newRow("status A") << 0 << 0 << QByteArray("A001234\r") << false << "" << nada << false
                                  << false;
        QTest::newRow("dois quadros: o mais novo")
            << 0 << 0 << QByteArray("D001234\rC001299\r") << true << "12,99" << amarela << false << false;
        QTest::newRow("dois quadros, o novo estável")
            << 0 << 0 << QByteArray("C001234\rD001299\r") << true << "12,99" << verde << false << true;
        QTest::newRow("meio quadro e um inteiro")
            << 0 << 0 << QByteArray("34\rD005000\r") << true << "50,00" << verde << false << true;
        QTest::newRow("inteiro e meio quadro")
            << 0 << 0 << QByteArray("D001234\rD00") << false << "" << nada << false << false;
        QTest::newRow("AR-N fora de faixa")
            << 0 << 1 << QByteArray("P012.34\r") << true << "12,34" << amarela << false << false;
        QTest::newRow("demanda estável")
            << 1 << 1 << QByteArray("D012.34\r") << true << "12,34" << verde << true << true;
        QTest::newRow("demanda fora de faixa")
            << 1 << 1 << QByteArray("P012.34\r") << true << "12,34" << amarela << false << false;
        QTest::newRow("demanda peso zero")
            << 1 << 1 << QByteArray("D000.00\r") << true << "0,00" << verde << true << false;
    }
    void leitura()
    {
        QFETCH(int, interfaceSerial);
        QFETCH(int, modelo);
        QFETCH(QByteArray, bloco);
        QFETCH(bool, aceito);
        QFETCH(QString, peso);
        QFETCH(int, lampada);
        QFETCH(bool, salvar);
        QFETCH(bool, habilita);
        ConfigPesagem cfg;
        cfg.interfaceSerial = interfaceSerial;
        cfg.modeloPlaca = modelo;
        cfg.divisao = 2;
        cfg.casasDecimais = 2;
        LeituraPeso leitura;
        leitura.configura(cfg);
        leitura.novaPesagem();
        const EfeitoLeitura e = leitura.recebe(bloco.constData(), int(bloco.size()));
        QCOMPARE(e.aceito, aceito);
        QCOMPARE(e.peso.value_or(QString()), peso);
        QCOMPARE(e.lampada ? int(*e.lampada) : -1, lampada);
        QCOMPARE(e.salvarSeHabilitado, salvar);

        // What the Save button then says, all other fields being filled.
        PesagemTela p = entradaCompleta();
        p.pesoEntrada = peso;
        const TLampada l = e.lampada.value_or(TLampada::Vermelha);
        QCOMPARE(UpdateSaveButton(p, ConfigPesagem(), leitura.estado(l)).habilitado, habilita);
    }

    // A settled reading after an out-of-range one counts again; on demand the
    // status text starts empty with every weighing.
    void leituraSeguida()
    {
        ConfigPesagem cfg;
        cfg.interfaceSerial = 1;
        cfg.modeloPlaca = 1;
        LeituraPeso leitura;
        leitura.configura(cfg);
        leitura.novaPesagem();
        QByteArray fora("P012.34\r"), boa("D012.34\r");
        leitura.recebe(fora.constData(), int(fora.size()));
        QVERIFY(leitura.foraDeFaixa());
        QCOMPARE(leitura.statusTexto(), QStringLiteral("FORA DE FAIXA "));
        const EfeitoLeitura e = leitura.recebe(boa.constData(), int(boa.size()));
        QVERIFY(!leitura.foraDeFaixa());
        QVERIFY(e.salvarSeHabilitado);
        leitura.novaPesagem();
        QCOMPARE(leitura.statusTexto(), QString());
    }
};

QTEST_APPLESS_MAIN(TstRegrasPesagem)
#include "tst_regraspesagem.moc"
