// SPDX-License-Identifier: GPL-3.0-or-later
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

    // Reads viga.ini; writes a default one (the owner's only) when it does
    // not exist. An existing file is never replaced: false with a message
    // naming the file and the problem when it cannot be read, has no
    // [database] section with its Driver, or names an unknown driver.
    // Section and key names are read in any case.
    static bool ler(Conexao& c, QString* erro);
    // The warning for a viga.ini other accounts can read (it holds the
    // database password); empty when it is closed.
    static QString avisoPermissoes();
};
