// SPDX-License-Identifier: GPL-3.0-or-later
// The programs started from a shell: --help and --version answer in
// Portuguese without a display and without touching the current folder, a
// wrong use says so with exit code 2, and viga-demo creates its folder once.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace
{

struct Execucao {
    int saida = -1;
    QString saidaPadrao;
    QString erroPadrao;
};

// Runs a program in `pasta` with no display at all: a program that started
// the window system to answer --help would fail here.
Execucao roda(const QString& programa, const QStringList& argumentos, const QString& pasta,
              const QString& vigaHome = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VIGA_HOME"}) {
        env.remove(QString::fromLatin1(v));
    }
    env.insert(QStringLiteral("HOME"), pasta);
    // A private runtime folder, as a session has: Qt warns without one.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), pasta);
    if (!vigaHome.isEmpty()) env.insert(QStringLiteral("VIGA_HOME"), vigaHome);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(pasta);
    p.start(programa, argumentos);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    Execucao e;
    e.saida = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.saidaPadrao = QString::fromUtf8(p.readAllStandardOutput());
    e.erroPadrao = QString::fromUtf8(p.readAllStandardError());
    return e;
}

// A null QString starts with nothing, not even with "".
bool comecaCom(const QString& texto, const QString& inicio)
{
    return inicio.isEmpty() || texto.startsWith(inicio);
}

QStringList conteudo(const QString& pasta)
{
    return QDir(pasta).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

int contaLinhas(const QString& banco, const QString& tabela)
{
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("conta"));
        db.setDatabaseName(banco);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("select count(*) from ") + tabela) && q.next()) {
                n = q.value(0).toInt();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("conta"));
    return n;
}

} // namespace

class TstComandos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ajudaEUsoErrado_data()
    {
        QTest::addColumn<QString>("programa");
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("saida");
        QTest::addColumn<QString>("saidaPadrao"); // start of stdout
        QTest::addColumn<QString>("erroPadrao");  // start of stderr

        const QString viga = QStringLiteral(VIGA_BIN_VIGA);
        const QString sim = QStringLiteral(VIGA_BIN_SCALE_SIM);
        const QString demo = QStringLiteral(VIGA_BIN_DEMO);
        const QString rel = QStringLiteral(VIGA_BIN_RELATORIO);
        const QString io = QStringLiteral(VIGA_BIN_IO_SIM);
        const QString placa = QStringLiteral(VIGA_BIN_PLACA);
        const QString versao = QStringLiteral(VIGA_VERSION);
        QTest::newRow("viga --help") << viga << QStringList{"--help"} << 0 << "Uso: viga [opções]\n"
                                     << "";
        QTest::newRow("viga -h") << viga << QStringList{"-h"} << 0 << "Uso: viga [opções]\n"
                                 << "";
        QTest::newRow("viga --version") << viga << QStringList{"--version"} << 0 << "viga " + versao + "\n"
                                        << "";
        QTest::newRow("viga-scale-sim --help")
            << sim << QStringList{"--help"} << 0 << "Uso: viga-scale-sim [opções]\n"
            << "";
        QTest::newRow("viga-scale-sim --version")
            << sim << QStringList{"--version"} << 0 << "viga-scale-sim " + versao + "\n"
            << "";
        QTest::newRow("viga-scale-sim opção errada") << sim << QStringList{"--balanca"} << 2 << ""
                                                     << "viga-scale-sim: opção desconhecida: --balanca";
        // Every option of the simulator that can be refused, in each of its forms.
        const auto simFalha = [&sim](const char* nome, const QStringList& args, const QString& msg) {
            QTest::newRow(nome) << sim << args << 2 << ""
                                << "viga-scale-sim: " + msg + "\n";
        };
        QTest::newRow("viga-scale-sim -v")
            << sim << QStringList{"-v"} << 0 << "viga-scale-sim " + versao + "\n"
            << "";
        QTest::newRow("viga-scale-sim -h")
            << sim << QStringList{"-h"} << 0 << "Uso: viga-scale-sim [opções]\n"
            << "";
        simFalha("sim argumento solto", {"solto"}, "opção desconhecida: solto (veja --help)");
        simFalha("sim sem valor", {"--taxa"}, "falta o valor de --taxa");
        simFalha("sim valor com =", {"--taxa=abc"}, "valor inválido para --taxa: abc");
        simFalha("sim taxa", {"--taxa", "0"}, "--taxa deve estar entre 0 e 1000");
        simFalha("sim baud", {"--baud", "-1"}, "--baud não pode ser negativo");
        simFalha("sim peso", {"--peso", "muito"}, "valor inválido para --peso: muito");
        simFalha("sim casas", {"--casas", "5"}, "--casas deve estar entre 0 e 4");
        simFalha("sim tempo", {"--tempo-estavel", "x"}, "valor inválido para --tempo-estavel: x");
        simFalha("sim modelo", {"--modelo", "XR"}, "modelo desconhecido: xr (ar, arn5 ou arn6)");
        simFalha("sim com", {"--com", "17"}, "--com deve estar entre 1 e 16");
        simFalha("sim quadros", {"--quadros", "x"}, "valor inválido para --quadros: x");
        simFalha("sim duracao", {"--duracao", "x"}, "valor inválido para --duracao: x");
        simFalha("sim gravar sem dispositivo", {"--gravar", "g.txt"}, "--gravar precisa de --dispositivo");
        simFalha("sim ini com dispositivo", {"--ini", "v.ini", "--dispositivo", "/dev/null"},
                 "--ini só vale para o pseudo-terminal criado pelo simulador");
        simFalha("sim flags e erro",
                 {"--negativo", "--fora-de-faixa", "--fixo", "--demanda", "--repetir", "--reproduzir",
                  "r.txt", "--casas=9"},
                 "--casas deve estar entre 0 e 4");
        // The report command: help, version and a wrong use (its reports are tested with data elsewhere).
        QTest::newRow("viga-relatorio --help")
            << rel << QStringList{"--help"} << 0 << "Uso: viga-relatorio COMANDO [OPÇÕES]\n"
            << "";
        QTest::newRow("viga-relatorio -h")
            << rel << QStringList{"produtos", "-h"} << 0 << "Uso: viga-relatorio COMANDO [OPÇÕES]\n"
            << "";
        QTest::newRow("viga-relatorio --version")
            << rel << QStringList{"--version"} << 0 << "viga-relatorio " + versao + "\n"
            << "";
        const auto relFalha = [&rel](const char* nome, const QStringList& args, const QString& msg) {
            QTest::newRow(nome) << rel << args << 2 << ""
                                << "viga-relatorio: " + msg + "\n";
        };
        relFalha("rel sem relatório", {}, "falta o relatório (veja viga-relatorio --help)");
        relFalha("rel desconhecido", {"balanco"}, "relatório desconhecido: balanco");
        relFalha("rel opção desconhecida", {"produtos", "--formato", "x"}, "opção desconhecida: --formato");
        relFalha("rel sem valor", {"fluxo", "--de"}, "falta o valor de --de");
        relFalha("rel data", {"fluxo", "--de", "1/13/2026"},
                 "data inválida em --de: 1/13/2026 (use dd/mm/aaaa)");
        relFalha("rel código", {"movimento", "--codigo", "12a"}, "código inválido: 12a");
        relFalha("rel opção de outro", {"produtos", "--analitico", "--saida", "a.txt"},
                 "a opção --analitico não serve ao relatório produtos");
        relFalha("rel tipo", {"cadastros", "--tipo", "motoristas", "--saida", "a.txt"},
                 "tipo inválido: motoristas (transportadoras, clientes ou fornecedores)");
        relFalha("rel período", {"agrupado", "--de", "02/01/2026", "--ate", "01/01/2026", "--saida", "a.txt"},
                 "a data --de é posterior à data --ate");
        relFalha("rel sem saída",
                 {"movimento", "--tipo", "clientes", "--somente-saida", "--produto", "1", "--de",
                  "01/01/2026", "--ate", "31/01/2026", "--email", "a@b.com"},
                 "falta --saida ARQUIVO");
        QTest::newRow("viga-io-sim --help")
            << io << QStringList{"--help"} << 0 << "Uso: viga-io-sim [opções]\n"
            << "";
        QTest::newRow("viga-io-sim --version")
            << io << QStringList{"--version"} << 0 << "viga-io-sim " + versao + "\n"
            << "";
        QTest::newRow("viga-io-sim porta errada") << io << QStringList{"--porta", "70000"} << 2 << ""
                                                  << "viga-io-sim: valor inválido para --porta: 70000";
        QTest::newRow("viga-placa --help")
            << placa << QStringList{"--help"} << 0 << "Uso: viga-placa [--limiar N] FOTO...\n"
            << "";
        QTest::newRow("viga-placa --version")
            << placa << QStringList{"--version"} << 0 << "viga-placa " + versao + "\n"
            << "";
        QTest::newRow("viga-placa sem foto") << placa << QStringList{} << 2 << ""
                                             << "Uso: viga-placa [--limiar N] FOTO...\n";
        QTest::newRow("viga-placa opção errada") << placa << QStringList{"--xyz", "a.jpg"} << 2 << ""
                                                 << "viga-placa: opção desconhecida: --xyz (veja --help)\n";
        QTest::newRow("viga-placa limiar") << placa << QStringList{"--limiar", "2", "a.jpg"} << 2 << ""
                                           << "viga-placa: o limiar é um número de 0 a 1.\n";
        QTest::newRow("viga-placa foto ausente") << placa << QStringList{"ausente.jpg"} << 1 << ""
                                                 << "viga-placa: Não foi possível abrir a foto ausente.jpg";
        QTest::newRow("viga-demo --help")
            << demo << QStringList{"--help"} << 0 << "Uso: viga-demo [opções] PASTA\n"
            << "";
        QTest::newRow("viga-demo -h") << demo << QStringList{"-h"} << 0 << "Uso: viga-demo [opções] PASTA\n"
                                      << "";
        QTest::newRow("viga-demo pasta --help")
            << demo << QStringList{"treino", "--help"} << 0 << "Uso: viga-demo [opções] PASTA\n"
            << "";
        QTest::newRow("viga-demo --version")
            << demo << QStringList{"--version"} << 0 << "viga-demo " + versao + "\n"
            << "";
        QTest::newRow("viga-demo sem pasta") << demo << QStringList{} << 2 << ""
                                             << "viga-demo: falta a PASTA";
        QTest::newRow("viga-demo pasta vazia") << demo << QStringList{""} << 2 << ""
                                               << "viga-demo: falta a PASTA";
        QTest::newRow("viga-demo opção errada") << demo << QStringList{"--pasta=treino"} << 2 << ""
                                                << "viga-demo: opção desconhecida: --pasta=treino";
        QTest::newRow("viga-demo duas pastas") << demo << QStringList{"um", "dois"} << 2 << ""
                                               << "viga-demo: só uma PASTA: um e dois";
    }

    // Nothing is created where the command ran: before, "viga-demo --help"
    // made a data folder named "--help".
    void ajudaEUsoErrado()
    {
        QFETCH(QString, programa);
        QFETCH(QStringList, argumentos);
        QFETCH(int, saida);
        QFETCH(QString, saidaPadrao);
        QFETCH(QString, erroPadrao);
        QTemporaryDir pasta;
        QVERIFY(pasta.isValid());

        const Execucao e = roda(programa, argumentos, pasta.path());

        QCOMPARE(e.saida, saida);
        QVERIFY2(comecaCom(e.saidaPadrao, saidaPadrao), qPrintable(e.saidaPadrao));
        QVERIFY2(comecaCom(e.erroPadrao, erroPadrao), qPrintable(e.erroPadrao));
        if (saida == 0) {
            QVERIFY2(e.erroPadrao.isEmpty(), qPrintable(e.erroPadrao));
        } else {
            QVERIFY(e.saidaPadrao.isEmpty());
        }
        QCOMPARE(conteudo(pasta.path()), QStringList());
    }

    // The help of every program fits a terminal of 80 columns.
    void ajudaCabeEm80Colunas_data()
    {
        QTest::addColumn<QString>("programa");
        QTest::newRow("viga") << QStringLiteral(VIGA_BIN_VIGA);
        QTest::newRow("viga-scale-sim") << QStringLiteral(VIGA_BIN_SCALE_SIM);
        QTest::newRow("viga-io-sim") << QStringLiteral(VIGA_BIN_IO_SIM);
        QTest::newRow("viga-demo") << QStringLiteral(VIGA_BIN_DEMO);
        QTest::newRow("viga-placa") << QStringLiteral(VIGA_BIN_PLACA);
    }

    void ajudaCabeEm80Colunas()
    {
        QFETCH(QString, programa);
        QTemporaryDir pasta;
        const Execucao e = roda(programa, {QStringLiteral("--help")}, pasta.path());
        QCOMPARE(e.saida, 0);
        for (const QString& linha : e.saidaPadrao.split(u'\n')) {
            QVERIFY2(linha.size() <= 80, qPrintable(linha));
        }
    }

    // The demo folder is made once with its sample; a second run keeps what
    // the user did with it. "--" lets a folder name start with a dash.
    void demoCriaAPastaUmaVez_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("nome");
        QTest::newRow("pasta nova") << QStringList{"treino/sub"} << "treino/sub";
        QTest::newRow("nome com traço") << QStringList{"--", "-treino"} << "-treino";
    }

    void demoCriaAPastaUmaVez()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, nome);
        QTemporaryDir pasta;
        const QString demo = QStringLiteral(VIGA_BIN_DEMO);
        const QString destino = pasta.filePath(nome);

        Execucao e = roda(demo, argumentos, pasta.path());
        QCOMPARE(e.saida, 0);
        QCOMPARE(e.saidaPadrao, "Dados de demonstração criados em " + destino + "\n");
        const QString banco = destino + "/viga.db";
        QVERIFY(QFileInfo::exists(destino + "/viga.ini"));
        QCOMPARE(contaLinhas(banco, QStringLiteral("cadastrao")), 10);
        QCOMPARE(contaLinhas(banco, QStringLiteral("produto")), 6);

        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("usuario"));
            db.setDatabaseName(banco);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("delete from produto where prd_codigoint = 6")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("usuario"));

        e = roda(demo, argumentos, pasta.path());
        QCOMPARE(e.saida, 0);
        QCOMPARE(e.saidaPadrao, QString());
        QCOMPARE(contaLinhas(banco, QStringLiteral("produto")), 5);
    }

    // What the commands write is the owner's only, as the README says: the demo
    // folder and its files, a report exported by viga-relatorio, even in place of
    // a file others could read.
    void arquivosSoDoDono()
    {
        QTemporaryDir pasta;
        const QString destino = pasta.filePath(QStringLiteral("demo"));
        QCOMPARE(roda(QStringLiteral(VIGA_BIN_DEMO), {destino}, pasta.path()).saida, 0);
        auto abertoAOutros = [](const QString& caminho) {
            return int(QFileInfo(caminho).permissions() &
                       (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
        };
        QCOMPARE(abertoAOutros(destino), 0);
        QCOMPARE(abertoAOutros(destino + "/viga.db"), 0);
        QCOMPARE(abertoAOutros(destino + "/viga.ini"), 0);
        const QString antigo = pasta.filePath(QStringLiteral("produtos.txt"));
        QFile f(antigo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(f.setPermissions(f.permissions() | QFile::ReadGroup | QFile::ReadOther));
        for (const QString& arquivo : {pasta.filePath(QStringLiteral("produtos.csv")), antigo,
                                       pasta.filePath(QStringLiteral("produtos.pdf"))}) {
            const Execucao e =
                roda(QStringLiteral(VIGA_BIN_RELATORIO),
                     {QStringLiteral("produtos"), QStringLiteral("--saida"), arquivo}, pasta.path(), destino);
            QVERIFY2(e.saida == 0, qPrintable(e.erroPadrao));
            QVERIFY2(abertoAOutros(arquivo) == 0, qPrintable(arquivo));
        }
    }

    void demoPastaQueNaoPodeSerCriada()
    {
        QTemporaryDir pasta;
        QFile arquivo(pasta.filePath(QStringLiteral("ocupado")));
        QVERIFY(arquivo.open(QIODevice::WriteOnly));
        arquivo.close();
        const Execucao e =
            roda(QStringLiteral(VIGA_BIN_DEMO), {QStringLiteral("ocupado/treino")}, pasta.path());
        QCOMPARE(e.saida, 1);
        QCOMPARE(e.erroPadrao,
                 "viga-demo: não foi possível criar a pasta " + pasta.filePath("ocupado/treino") + "\n");
    }
};

QTEST_GUILESS_MAIN(TstComandos)
#include "tst_comandos.moc"
