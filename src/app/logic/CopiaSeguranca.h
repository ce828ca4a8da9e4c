// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TDM;

// The database backup of the "Cópia de Segurança" command: the SQLite file
// copied, with the connection closed, to bkp/ + "hhmm_ddmmyy" + its name;
// a PostgreSQL database dumped with pg_dump to the same folder and name.
// Either is written to bkp/copia-incompleta-*.tmp, checked, put on the disk and
// only then renamed: a file under a backup's name is always a whole backup.
class CopiaSeguranca
{
public:
    enum class Resultado {
        Gerada,           // "Cópia de Segurança gerada com sucesso..."
        DestinoExiste,    // a backup of the same minute is already there
        PastaInacessivel, // bkp/ cannot be created or written
        FalhaAoGravar,    // the copy failed while writing (a full disk ...)
        NaoGerada,        // no database file, or pg_dump failed
    };

    // Runs the backup and reopens the connection. `arquivo` receives the
    // backup's path, `detalhe` the system's reason when it failed and
    // `erroReconexao` the database's text when the connection could not be
    // reopened (empty when it was).
    static Resultado executar(TDM& dm, QString* arquivo = nullptr, QString* detalhe = nullptr,
                              QString* erroReconexao = nullptr);

    // What the operator is told about a backup, and its title ("Informação"
    // for a backup made, "Erro" otherwise).
    static QString mensagem(Resultado r, const QString& arquivo, const QString& detalhe);
    static QString titulo(Resultado r);
    // What the operator is told when the database could not be reopened.
    static QString mensagemReconexao(const QString& erro);

    // bkp/ + "hhmm_ddmmyy" + name, in the data folder.
    static QString destino(const QString& nome);
};
