// SPDX-License-Identifier: GPL-3.0-or-later
// The files VIGA creates in its data folder are closed to other accounts, and
// a viga.ini it cannot use is said, never replaced by a new database.
#include "BancoTeste.h"
#include "Conexao.h"
#include "PastaDados.h"
#include "TDM.h"

#include <QtTest>

namespace
{
constexpr int grupoEOutros = 0x0077; // QFile permission bits of the group and the others
constexpr int outros = 0x0007;

void grava(const QString& caminho, const QByteArray& conteudo)
{
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(conteudo), conteudo.size());
}

QByteArray le(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TstArquivos : public QObject
{
    Q_OBJECT
    QTemporaryDir m_raiz;
    QByteArray m_home;

private Q_SLOTS:
    void initTestCase()
    {
        if (BancoTeste::usandoPostgres()) {
            QSKIP("arquivos da pasta de dados: o mesmo em qualquer banco");
        }
        m_home = qgetenv("VIGA_HOME");
    }
    void cleanup() { qputenv("VIGA_HOME", m_home); }

    // A first start in a new data folder: the folder, viga.ini and viga.db
    // are the owner's only; in a folder shared by a group they are the
    // group's too, never the others'.
    void primeiraPartida_data()
    {
        QTest::addColumn<bool>("compartilhada");
        QTest::addColumn<int>("fechados"); // bits that must be off in each file
        QTest::newRow("pasta particular") << false << grupoEOutros;
        QTest::newRow("pasta do grupo") << true << outros;
    }
    void primeiraPartida()
    {
        QFETCH(bool, compartilhada);
        QFETCH(int, fechados);
        const QString pasta = m_raiz.filePath(compartilhada ? "grupo" : "particular");
        if (compartilhada) {
            QVERIFY(QDir().mkpath(pasta));
            QVERIFY(QFile::setPermissions(pasta, QFile::Permissions(0x7770)));
        }
        qputenv("VIGA_HOME", pasta.toUtf8());
        QString erro;
        QVERIFY2(PastaDados::preparar(&erro), qPrintable(erro));
        if (!compartilhada) {
            QCOMPARE(int(QFileInfo(pasta).permissions() & grupoEOutros), 0);
        }
        Conexao c;
        QVERIFY2(Conexao::ler(c, &erro), qPrintable(erro));
        {
            TDM dm(c);
            QVERIFY2(dm.Conectar(&erro), qPrintable(erro));
            dm.Desconectar();
        }
        for (const char* nome : {"viga.ini", "viga.db"}) {
            const QFileInfo f(QDir(pasta).filePath(nome));
            QVERIFY2(f.exists(), nome);
            QVERIFY2((int(f.permissions()) & fechados) == 0, nome);
            QVERIFY2(f.permissions().testFlag(QFile::ReadOwner), nome);
            if (compartilhada) {
                QVERIFY2(f.permissions().testFlag(QFile::ReadGroup), nome);
            }
        }
        QVERIFY(Conexao::avisoPermissoes().isEmpty());
    }

    // viga.ini holds the database password: one readable by every account
    // is pointed out.
    void iniAbertoEDito()
    {
        const QString pasta = m_raiz.filePath("aberta");
        QVERIFY(QDir().mkpath(pasta));
        qputenv("VIGA_HOME", pasta.toUtf8());
        grava(PastaDados::ini(), "[database]\nDriver=QPSQL\nPassword=segredo\n");
        QVERIFY(QFile::setPermissions(PastaDados::ini(), QFile::Permissions(0x6644)));
        QVERIFY(Conexao::avisoPermissoes().contains(QStringLiteral("pode ser lido por qualquer usuário")));
        QVERIFY(QFile::setPermissions(PastaDados::ini(), QFile::Permissions(0x6600)));
        QVERIFY(Conexao::avisoPermissoes().isEmpty());
    }

    // A viga.ini without a usable [database] is told, with the file's name
    // and the problem; it is left as it is and no database is created.
    void iniQuebrado_data()
    {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("problema");
        QTest::newRow("sem seção") << QByteArray("Driver=QPSQL\nHost=servidor\n")
                                   << QStringLiteral("não tem a seção [database]");
        QTest::newRow("só a balança")
            << QByteArray("[serial]\nCOM1=/dev/ttyUSB0\n") << QStringLiteral("não tem a seção [database]");
        QTest::newRow("lixo") << QByteArray::fromRawData("\x01\x02\xff\xfe garbage = = [[[\n\x00\x00", 23)
                              << QStringLiteral("não tem a seção [database]");
        QTest::newRow("sem Driver") << QByteArray("[database]\nHost=servidor\nName=viga\n")
                                    << QStringLiteral("falta Driver=");
        QTest::newRow("banco desconhecido")
            << QByteArray("[database]\nDriver=QMYSQL\n") << QStringLiteral("Banco de dados desconhecido");
        QTest::newRow("porta inválida") << QByteArray("[database]\nDriver=QPSQL\nPort=cinco\n")
                                        << QStringLiteral("Porta do banco de dados inválida");
    }
    void iniQuebrado()
    {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, problema);
        QTemporaryDir pasta;
        qputenv("VIGA_HOME", pasta.path().toUtf8());
        grava(PastaDados::ini(), conteudo);
        Conexao c;
        QString erro;
        QVERIFY(!Conexao::ler(c, &erro));
        QVERIFY2(erro.contains(problema), qPrintable(erro));
        QVERIFY2(erro.contains(PastaDados::ini()), qPrintable(erro));
        QCOMPARE(le(PastaDados::ini()), conteudo);
        QVERIFY(!QFileInfo::exists(QDir(pasta.path()).filePath("viga.db")));
    }

    // Section and key names as people type them by hand.
    void iniEmQualquerCaixa()
    {
        QTemporaryDir pasta;
        qputenv("VIGA_HOME", pasta.path().toUtf8());
        grava(PastaDados::ini(), "[Database]\ndriver=qpsql\nHOST=balanca.local\nport=5433\nName=Portaria\n"
                                 "user=operador\nPassword=Segredo\n");
        Conexao c;
        QString erro;
        QVERIFY2(Conexao::ler(c, &erro), qPrintable(erro));
        QVERIFY(c.ehPostgres());
        QCOMPARE(c.host, QStringLiteral("balanca.local"));
        QCOMPARE(c.porta, 5433);
        QCOMPARE(c.nome, QStringLiteral("Portaria"));
        QCOMPARE(c.usuario, QStringLiteral("operador"));
        QCOMPARE(c.senha, QStringLiteral("Segredo"));
    }
};

QTEST_GUILESS_MAIN(TstArquivos)
#include "tst_arquivos.moc"
