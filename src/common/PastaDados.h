#pragma once

#include <QString>

// Where VIGA keeps its database, viga.ini, backups and exports:
// $VIGA_HOME when set, else the executable's folder when writable,
// else ~/.local/share/viga.
class PastaDados
{
public:
    static QString caminho();
    static QString arquivo(const QString& nome);
    static QString ini() { return arquivo(QStringLiteral("viga.ini")); }
    // Creates the folder when missing; false when it cannot be created or written.
    static bool preparar(QString* erro = nullptr);
};
