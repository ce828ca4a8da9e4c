#pragma once

#include <QString>

// Where the database is, from viga.ini [database]:
//   Driver=QSQLITE, File=viga.db (relative to the data folder)   (default)
//   Driver=QPSQL, Host, Port, Name, User, Password
struct Conexao {
    QString driver = QStringLiteral("QSQLITE");
    QString arquivo = QStringLiteral("viga.db");
    QString host = QStringLiteral("localhost");
    int porta = 5432;
    QString nome = QStringLiteral("viga");
    QString usuario;
    QString senha;

    bool ehPostgres() const { return driver == QLatin1String("QPSQL"); }
    // The SQLite file's full path (inside the data folder unless absolute).
    QString caminhoArquivo() const;

    // Reads viga.ini; writes a default one when it does not exist. False with
    // a message when the file cannot be read or names an unknown driver.
    static bool ler(Conexao& c, QString* erro);
};
