#pragma once

#include <QString>

// Where VIGA keeps its database, viga.ini, backups and exports:
// $VIGA_HOME when set, else the executable's folder when writable and not
// under /usr (an installed program never writes into its installation),
// else ~/.local/share/viga.
class PastaDados
{
public:
    static QString caminho();
    // The rule above, for the given environment value, executable folder,
    // whether that folder is writable, and home folder.
    static QString escolher(const QString& vigaHome, const QString& pastaPrograma, bool programaGravavel,
                            const QString& home);
    static QString arquivo(const QString& nome);
    static QString ini() { return arquivo(QStringLiteral("viga.ini")); }
    // Creates the folder when missing; false when it cannot be created or written.
    static bool preparar(QString* erro = nullptr);
};
