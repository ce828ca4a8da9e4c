// SPDX-License-Identifier: GPL-3.0-or-later
// viga-scale-sim end to end: the simulator maps its pseudo-terminal to COM1 in
// viga.ini, the driver opens COM1, and the frames decode to the simulated weight.
#include "QuadrosBalanca.h"
#include "TCommPortDriver.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

class TstSimulador : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void continuous_data();
    void continuous();
    void onDemand();
    void recordAndReplay();

private:
    // Starts the simulator; returns the pseudo-terminal path it printed.
    QString inicia(QProcess& sim, const QStringList& args);
    std::unique_ptr<QTemporaryDir> m_pasta;
};

void TstSimulador::init()
{
    m_pasta = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pasta->isValid());
    qputenv("VIGA_HOME", m_pasta->path().toLocal8Bit());
}

void TstSimulador::cleanup()
{
    qunsetenv("VIGA_HOME");
    m_pasta.reset();
}

QString TstSimulador::inicia(QProcess& sim, const QStringList& args)
{
    sim.setProgram(QStringLiteral(VIGA_SCALE_SIM));
    sim.setArguments(args);
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start();
    if (!sim.waitForStarted(10000)) {
        return QString();
    }
    while (!sim.canReadLine() && sim.state() == QProcess::Running) {
        sim.waitForReadyRead(200);
    }
    return QString::fromLocal8Bit(sim.readLine()).trimmed();
}

void TstSimulador::continuous_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("modelo");
    QTest::addColumn<int>("divisao");
    QTest::addColumn<int>("casas");
    QTest::addColumn<QString>("peso");
    QTest::addColumn<QString>("status");

    QTest::newRow("AR") << QStringList{"--peso", "27340"} << 0 << 0 << 0 << "27340"
                        << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR with 3 implied decimals")
        << QStringList{"--peso", "27,34", "--casas", "3"} << 0 << 3 << 2 << "27,34"
        << "PESO BRUTO MAIOR QUE ZERO.";
    QTest::newRow("AR-N 5") << QStringList{"--modelo", "arn5", "--peso", "123,45", "--casas", "2"} << 1 << 0
                            << 3 << "123,450"
                            << "PESO BRUTO EM EQUILÍBRIO POSITIVO ";
    QTest::newRow("AR-N 6") << QStringList{"--modelo", "arn6", "--peso", "27340"} << 2 << 0 << 0 << "27340"
                            << "PESO BRUTO EM EQUILÍBRIO POSITIVO ";
}

void TstSimulador::continuous()
{
    QFETCH(QStringList, args);
    QFETCH(int, modelo);
    QFETCH(int, divisao);
    QFETCH(int, casas);

    QProcess sim;
    const QString ini = m_pasta->filePath(QStringLiteral("viga.ini"));
    const QString caminho = inicia(
        sim, args + QStringList{"--fixo", "--taxa", "20", "--ini", ini, "--com", "1", "--duracao", "60"});
    QVERIFY(caminho.startsWith(QLatin1String("/dev/")));

    TCommPortDriver d;
    d.setPort(pnCOM1);
    QCOMPARE(d.PortName(), caminho);
    TLeituraBalanca leitura;
    leitura.setConfig(TConfigQuadro{modelo, 0, divisao, casas});
    QStringList pesos;
    connect(&d, &TCommPortDriver::OnReceiveData, this, [&](TCommPortDriver*, const char* dados, int n) {
        const TResultadoQuadro r = leitura.recebe(dados, n);
        if (r.peso) {
            pesos << *r.peso;
            QCOMPARE(r.lampada, std::optional<TLampada>(TLampada::Verde));
        }
    });
    QVERIFY(d.Connect());
    QTRY_VERIFY_WITH_TIMEOUT(pesos.size() >= 3, 15000);
    d.Disconnect();
    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);

    for (const QString& p : std::as_const(pesos)) {
        QTEST(p, "peso");
    }
    QTEST(leitura.statusTexto(), "status");
}

// "Demanda": one frame per request byte, and the weighing interface decodes it.
void TstSimulador::onDemand()
{
    QProcess sim;
    const QString caminho = inicia(sim, {"--demanda", "--fixo", "--peso", "5120", "--duracao", "60"});
    QVERIFY(caminho.startsWith(QLatin1String("/dev/")));

    const int pedidos = ::open(caminho.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(pedidos >= 0);
    TCommPortDriver d;
    d.setPortName(caminho);
    TLeituraBalanca leitura;
    leitura.setConfig(TConfigQuadro{0, 1, 3, 0});
    leitura.novaPesagem();
    QList<QByteArray> blocos;
    QStringList pesos;
    connect(&d, &TCommPortDriver::OnReceiveData, this, [&](TCommPortDriver*, const char* dados, int n) {
        blocos << QByteArray(dados, n);
        const TResultadoQuadro r = leitura.recebe(dados, n);
        if (r.peso) {
            pesos << *r.peso;
        }
    });
    QVERIFY(d.Connect());
    QTest::qWait(300);
    QVERIFY(blocos.isEmpty()); // nothing unasked

    const char enq = 0x05;
    QCOMPARE(::write(pedidos, &enq, 1), ssize_t(1));
    QTRY_VERIFY_WITH_TIMEOUT(blocos.join().count('\r') == 1, 10000);
    QCOMPARE(blocos.join(), QByteArray("D005120\r"));
    ::close(pedidos);
    d.Disconnect();
    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    // Usually one chunk; a frame cut by the poll is decoded whole here.
    QVERIFY(pesos.size() <= 1);
    const TResultadoQuadro r = RecebeBloco(blocos.join(), leitura.config(), QString());
    QCOMPARE(r.peso, std::optional<QString>(QStringLiteral("5120")));
    QVERIFY(r.demanda);
    QCOMPARE(leitura.statusTexto(), QString());
}

// A stream recorded from a device comes back with its bytes and order.
void TstSimulador::recordAndReplay()
{
    QProcess fonte;
    const QString origem =
        inicia(fonte, {"--fixo", "--peso", "777", "--baud", "0", "--taxa", "50", "--duracao", "60"});
    QVERIFY(origem.startsWith(QLatin1String("/dev/")));

    const QString arquivo = m_pasta->filePath(QStringLiteral("gravacao.txt"));
    QProcess gravador;
    gravador.setProgram(QStringLiteral(VIGA_SCALE_SIM));
    gravador.setArguments({"--dispositivo", origem, "--gravar", arquivo, "--duracao", "1"});
    gravador.start();
    QVERIFY(gravador.waitForFinished(15000));
    QCOMPARE(gravador.exitCode(), 0);
    fonte.terminate();
    QVERIFY(fonte.waitForFinished(5000));

    QFile f(arquivo);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray texto = f.readAll();
    QVERIFY2(texto.count('\n') >= 10, texto.constData());

    QProcess reprodutor;
    const QString destino = inicia(reprodutor, {"--reproduzir", arquivo, "--repetir", "--duracao", "60"});
    QVERIFY(destino.startsWith(QLatin1String("/dev/")));
    TCommPortDriver d;
    d.setPortName(destino);
    QByteArray recebido;
    connect(&d, &TCommPortDriver::OnReceiveData, this,
            [&](TCommPortDriver*, const char* dados, int n) { recebido.append(dados, n); });
    QVERIFY(d.Connect());
    QTRY_VERIFY_WITH_TIMEOUT(recebido.count('\r') >= 6, 15000);
    d.Disconnect();
    reprodutor.terminate();
    QVERIFY(reprodutor.waitForFinished(5000));

    // Whole frames after the first carriage return (the open may cut one).
    const QList<QByteArray> quadros = recebido.mid(recebido.indexOf('\r') + 1).split('\r');
    for (qsizetype i = 0; i + 1 < quadros.size(); ++i) {
        QCOMPARE(quadros.at(i), QByteArray("D000777"));
    }
}

QTEST_GUILESS_MAIN(TstSimulador)
#include "tst_simulador.moc"
