#pragma once

#include <QString>

class TDM;

// The database backup of the "Cópia de Segurança" command: the SQLite file
// copied, with the connection closed, to bkp/ + "hhmm_ddmmyy" + its name;
// a PostgreSQL database dumped with pg_dump to the same folder and name.
class CopiaSeguranca
{
public:
    enum class Resultado {
        Gerada,       // "Cópia de Segurança gerada com sucesso..."
        FalhaNaCopia, // "Banco de dados não encontrado." (target exists, copy failed)
        NaoGerada,    // "Cópia de Segurança não foi gerada."
    };

    // Runs the backup and reopens the connection. `arquivo` receives the
    // backup's path, `detalhe` a reason when it failed.
    static Resultado executar(TDM& dm, QString* arquivo = nullptr, QString* detalhe = nullptr);

    // bkp/ + "hhmm_ddmmyy" + name, in the data folder.
    static QString destino(const QString& nome);
};
