// SPDX-License-Identifier: GPL-3.0-or-later
#include "BancoTeste.h"

#include "Atualizacao.h"
#include "ErroBanco.h"
#include "Esquema.h"

#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QtTest>

namespace
{

QSqlDatabase manutencao(int porta)
{
    const QString nome = QStringLiteral("viga-teste-manutencao");
    QSqlDatabase db = QSqlDatabase::contains(nome) ? QSqlDatabase::database(nome, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nome);
    if (db.isOpen() && db.port() != porta) {
        db.close(); // a server of the test's own
    }
    db.setHostName(qEnvironmentVariable("VIGA_TEST_PGHOST", QStringLiteral("127.0.0.1")));
    db.setPort(porta);
    db.setUserName(qEnvironmentVariable("VIGA_TEST_PGUSER", QStringLiteral("viga")));
    db.setDatabaseName(QStringLiteral("postgres"));
    if (!db.isOpen() && !db.open()) {
        qFatal("PostgreSQL de teste indisponível: %s", qPrintable(db.lastError().text()));
    }
    return db;
}

} // namespace

bool BancoTeste::usandoPostgres()
{
    return qEnvironmentVariable("VIGA_TEST_DRIVER") == QLatin1String("QPSQL");
}

BancoTeste::BancoTeste(Tipo tipo, int portaPostgres)
{
    qputenv("VIGA_HOME", m_dir.path().toLocal8Bit());
    if (usandoPostgres() || portaPostgres) {
        if (!portaPostgres && qEnvironmentVariableIntValue("VIGA_TEST_PGPORT") == 0) {
            qFatal("VIGA_TEST_PGPORT não definido: rode os testes com make test");
        }
        m_bancoPg = QStringLiteral("viga_t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        m_portaPg = portaPostgres ? portaPostgres : qEnvironmentVariableIntValue("VIGA_TEST_PGPORT");
        QSqlQuery q(manutencao(m_portaPg));
        if (!q.exec(QStringLiteral("CREATE DATABASE %1").arg(m_bancoPg))) {
            qFatal("CREATE DATABASE: %s", qPrintable(q.lastError().text()));
        }
        m_conexao.driver = QStringLiteral("QPSQL");
        m_conexao.host = qEnvironmentVariable("VIGA_TEST_PGHOST", QStringLiteral("127.0.0.1"));
        m_conexao.porta = m_portaPg;
        m_conexao.usuario = qEnvironmentVariable("VIGA_TEST_PGUSER", QStringLiteral("viga"));
        m_conexao.nome = m_bancoPg;
    }
    QSettings ini(m_dir.filePath(QStringLiteral("viga.ini")), QSettings::IniFormat);
    ini.setValue(QStringLiteral("database/Driver"), m_conexao.driver);
    ini.setValue(QStringLiteral("database/File"), m_conexao.arquivo);
    ini.setValue(QStringLiteral("database/Host"), m_conexao.host);
    ini.setValue(QStringLiteral("database/Port"), m_conexao.porta);
    ini.setValue(QStringLiteral("database/Name"), m_conexao.nome);
    ini.setValue(QStringLiteral("database/User"), m_conexao.usuario);
    ini.sync();

    m_dm = std::make_unique<TDM>(m_conexao);
    QString erro;
    // A new database is made by the program's own start-up step; the older
    // kinds are built by the test on an empty one.
    if (!(tipo == Tipo::Novo ? Esquema::abreBanco(*m_dm, &erro) : m_dm->Conectar(&erro))) {
        qFatal("Conectar: %s", qPrintable(erro));
    }
    if (tipo == Tipo::Antigo || tipo == Tipo::Atualizado) {
        Esquema::criarBancoAntigo(*m_dm);
    }
    if (tipo == Tipo::Atualizado) {
        Atualizacao a(*m_dm);
        QString tag, erro = a.bootstrap();
        if (!erro.isEmpty() || !a.executar(nullptr, &tag, &erro)) {
            qFatal("Atualização: %s %s", qPrintable(tag), qPrintable(erro));
        }
    }
}

BancoTeste::~BancoTeste()
{
    m_dm.reset();
    if (!m_bancoPg.isEmpty()) {
        QSqlQuery q(manutencao(m_portaPg));
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_bancoPg));
    }
}

void BancoTeste::exec(const QString& sql)
{
    QSqlQuery q(m_dm->DataBase1());
    if (!q.exec(sql)) {
        QTest::qFail(qPrintable(QStringLiteral("%1: %2").arg(sql, q.lastError().text())), __FILE__, __LINE__);
    }
}

QVariant BancoTeste::valor(const QString& sql)
{
    QSqlQuery q(m_dm->DataBase1());
    if (!q.exec(sql)) {
        QTest::qFail(qPrintable(QStringLiteral("%1: %2").arg(sql, q.lastError().text())), __FILE__, __LINE__);
        return QVariant();
    }
    return q.next() ? q.value(0) : QVariant();
}
