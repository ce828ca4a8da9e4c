// SPDX-License-Identifier: GPL-3.0-or-later
// Plate reading: the format rules, the reader on the committed synthetic
// pictures (each format, a hard case of each kind, pictures without a
// plate), the reader off the caller's thread, and viga-placa as a program.
#include "FormatoPlaca.h"
#include "LeitorPlaca.h"
#include "LeituraPlacaAssincrona.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

namespace
{

const QString pasta = QStringLiteral(VIGA_FOTOS_PLACAS);

// The true plate is the file name's second part ("semplaca" for none).
QString verdadeira(const QString& arquivo)
{
    const QString p = arquivo.section(u'_', 1, 1);
    return p == QLatin1String("semplaca") ? QString() : p;
}

QStringList fotosDoTeste()
{
    return QDir(pasta).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
}

} // namespace

class TstPlaca : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formato_data()
    {
        QTest::addColumn<QString>("lido");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("placa");
        QTest::addColumn<int>("trocas");
        const int qualquer = int(FormatoPlaca::Tipo::Qualquer), antiga = int(FormatoPlaca::Tipo::Antiga),
                  mercosul = int(FormatoPlaca::Tipo::Mercosul);
        QTest::newRow("antiga") << "ABC1234" << qualquer << "ABC1234" << 0;
        QTest::newRow("Mercosul") << "ABC1D23" << qualquer << "ABC1D23" << 0;
        QTest::newRow("hífen, brancos, minúsculas") << "abc-1234 " << qualquer << "ABC1234" << 0;
        // a digit where a letter must be, a letter where a digit must be
        QTest::newRow("0 e 1 nas letras, A no algarismo") << "0I1A234" << qualquer << "OII4234" << 3;
        QTest::newRow("O, I, B, S nos algarismos") << "ABCO1SB" << qualquer << "ABC0158" << 3;
        QTest::newRow("8 e 5 nas letras") << "8S5O123" << antiga << "BSS0123" << 3;
        QTest::newRow("Z, G, T, A nos algarismos") << "XYZZ1GT" << antiga << "XYZ2167" << 3;
        // the fifth character by the plate's kind
        QTest::newRow("quinto, antiga: O é 0") << "ABC1O23" << antiga << "ABC1023" << 1;
        QTest::newRow("quinto, Mercosul: 0 é O") << "ABC1023" << mercosul << "ABC1O23" << 1;
        QTest::newRow("quinto, sem saber: como lido") << "ABC1O23" << qualquer << "ABC1O23" << 0;
        QTest::newRow("quinto, Mercosul: 8 é B") << "ABC1823" << mercosul << "ABC1B23" << 1;
        // the window that needs fewest look-alikes settled, in a longer reading
        QTest::newRow("marca antes") << "IABC1234" << qualquer << "ABC1234" << 0;
        QTest::newRow("marcas dos lados") << "1ABC1D23|" << qualquer << "ABC1D23" << 0;
        // nothing a plate could be
        QTest::newRow("curta") << "ABC123" << qualquer << "" << 0;
        QTest::newRow("letra sem parecida") << "ABC12W4" << qualquer << "" << 0;
        QTest::newRow("algarismo 3 nas letras") << "A3C1234" << qualquer << "" << 0;
        QTest::newRow("Mercosul, quinto sem letra parecida") << "ABC1923" << mercosul << "" << 0;
        QTest::newRow("vazia") << "" << qualquer << "" << 0;
    }
    void formato()
    {
        QFETCH(QString, lido);
        QFETCH(int, tipo);
        int trocas = -1;
        const QString placa = FormatoPlaca::naLeitura(lido, FormatoPlaca::Tipo(tipo), &trocas);
        QTEST(placa, "placa");
        QTEST(trocas, "trocas");
        QCOMPARE(FormatoPlaca::valida(placa), !placa.isEmpty());
    }

    void valida()
    {
        QVERIFY(FormatoPlaca::valida("ABC1234"));
        QVERIFY(FormatoPlaca::valida("ABC1D23"));
        QVERIFY(!FormatoPlaca::valida("ABC-1234"));
        QVERIFY(!FormatoPlaca::valida("abc1234"));
        QVERIFY(!FormatoPlaca::valida("AB1C234"));
        QVERIFY(!FormatoPlaca::valida("ABC12D3"));
    }

    // Each committed picture gives its true plate, or none.
    void fotos_data()
    {
        QTest::addColumn<QString>("arquivo");
        for (const QString& f : fotosDoTeste()) {
            QTest::newRow(qPrintable(f)) << f;
        }
    }
    void fotos()
    {
        QFETCH(QString, arquivo);
        static LeitorPlaca leitor;
        QVERIFY2(leitor.pronto(), qPrintable(leitor.erro()));
        const LeituraPlaca l = leitor.lerArquivo(QDir(pasta).filePath(arquivo));
        QVERIFY(leitor.erro().isEmpty());
        QCOMPARE(l.placa, verdadeira(arquivo));
        if (l.achou()) {
            QVERIFY(l.confianca >= LeitorPlaca::limiarPadrao && l.confianca <= 1);
        }
    }

    void fotoIlegivel()
    {
        LeitorPlaca leitor;
        QVERIFY(!leitor.lerArquivo(QStringLiteral("/nao/existe.jpg")).achou());
        QVERIFY(leitor.erro().startsWith(QStringLiteral("Não foi possível abrir a foto /nao/existe.jpg")));
        QVERIFY(!leitor.lerBytes(QByteArray("isto não é uma foto")).achou());
        QCOMPARE(leitor.erro(), QStringLiteral("A foto não é uma imagem que se possa ler."));
    }

    // The caller gets control back at once; the readings arrive in order on
    // the caller's thread.
    void foraDaLinhaDoChamador()
    {
        LeituraPlacaAssincrona a;
        QSignalSpy lidas(&a, &LeituraPlacaAssincrona::lida);
        QList<QThread*> linhas;
        connect(&a, &LeituraPlacaAssincrona::lida, this, [&linhas] { linhas << QThread::currentThread(); });
        const QString comPlaca = QDir(pasta).filePath(QStringLiteral("00049_AAU3Q05_limpa.jpg"));
        const QString semPlaca = QDir(pasta).filePath(QStringLiteral("00015_semplaca_limpa.jpg"));
        a.ler(comPlaca);
        a.ler(semPlaca);
        a.ler(QStringLiteral("/nao/existe.jpg"));
        QCOMPARE(lidas.size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(lidas.size(), 3, 30000);
        QCOMPARE(lidas[0][0].toString(), comPlaca);
        QCOMPARE(lidas[0][1].value<LeituraPlaca>().placa, QStringLiteral("AAU3Q05"));
        QCOMPARE(lidas[1][0].toString(), semPlaca);
        QVERIFY(!lidas[1][1].value<LeituraPlaca>().achou());
        QVERIFY(lidas[1][2].toString().isEmpty());
        QVERIFY(lidas[2][2].toString().startsWith(QStringLiteral("Não foi possível abrir a foto")));
        QCOMPARE(linhas, QList<QThread*>(3, QThread::currentThread()));
    }

    // viga-placa: one line per picture, the pictures' order kept.
    void programa()
    {
        QStringList args;
        for (const QString& f : fotosDoTeste()) {
            args << QDir(pasta).filePath(f);
        }
        QProcess p;
        p.start(QStringLiteral(VIGA_PLACA), args);
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        const QStringList linhas =
            QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(linhas.size(), args.size());
        for (int i = 0; i < args.size(); ++i) {
            const QString placa = verdadeira(QFileInfo(args[i]).fileName());
            const QStringList partes = linhas[i].split(u' ');
            QCOMPARE(partes[0], args[i]);
            if (placa.isEmpty()) {
                QCOMPARE(linhas[i], args[i] + QStringLiteral(" sem placa"));
            } else {
                QCOMPARE(partes.size(), 3);
                QCOMPARE(partes[1], placa);
                QVERIFY(QRegularExpression(QStringLiteral("^(0\\.(8[5-9]|9\\d)|1\\.00)$"))
                            .match(partes[2])
                            .hasMatch());
            }
        }
    }

    void programaErros_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("saida");
        QTest::addColumn<QString>("erros");
        QTest::newRow("ajuda") << QStringList{"--help"} << 0 << "Uso: viga-placa [--limiar N] FOTO...\n"
                               << "";
        QTest::newRow("sem fotos") << QStringList{} << 2 << ""
                                   << "Uso: viga-placa [--limiar N] FOTO...\n";
        QTest::newRow("limiar fora") << QStringList{"--limiar", "2", "x.jpg"} << 2 << ""
                                     << "viga-placa: o limiar é um número de 0 a 1.\n";
        QTest::newRow("foto que não existe") << QStringList{"/nao/existe.jpg"} << 1 << ""
                                             << "viga-placa: Não foi possível abrir a foto /nao/existe.jpg";
    }
    void programaErros()
    {
        QFETCH(QStringList, args);
        QFETCH(int, codigo);
        QFETCH(QString, saida);
        QFETCH(QString, erros);
        QProcess p;
        p.start(QStringLiteral(VIGA_PLACA), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), codigo);
        // An empty expectation is an empty output.
        const auto confere = [](const QString& visto, const QString& esperado) {
            return esperado.isEmpty() ? visto.isEmpty() : visto.startsWith(esperado);
        };
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(confere(out, saida), qPrintable(out));
        QVERIFY2(confere(err, erros), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TstPlaca)
#include "tst_placa.moc"
