// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDevice>
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
    // A folder it creates is the owner's only (0700).
    static bool preparar(QString* erro = nullptr);

    // What VIGA creates there (viga.db, viga.ini, backups, exports) is the
    // owner's only, or the owner's and the group's where the data folder is
    // one the group may write (shared by the operators of a computer); never
    // other accounts'.
    static bool pastaCompartilhada();
    static QFileDevice::Permissions permissoesArquivo();
    // Applies those permissions to a file VIGA created; false when it cannot.
    static bool fecharArquivo(const QString& caminho);
    // The process creation mask to match, so files made by libraries
    // (the database's journal, pg_dump, exports) are closed from the start.
    static void restringirCriacao();
    // The file can be read by accounts other than its owner and group.
    static bool legivelPorOutros(const QString& caminho);
};
