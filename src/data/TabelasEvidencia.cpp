// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabelasEvidencia.h"

#include "Auditoria.h"
#include "TDM.h"

namespace
{

QString evidencia(bool postgres)
{
    return QStringLiteral(
               "CREATE TABLE PESAGEMEVIDENCIA (PES_CODIGO BIGINT NOT NULL, EVI_LADO SMALLINT NOT NULL, "
               "EVI_MANUAL SMALLINT NOT NULL, EVI_PESO %1, EVI_QUADRO %2, EVI_MODELO VARCHAR(30), "
               "EVI_INTERFACE VARCHAR(20), EVI_PORTA VARCHAR(255), EVI_ESTAVELMS INTEGER, "
               "EVI_ESTACAO VARCHAR(255), EVI_USUARIO VARCHAR(30), EVI_DATAHORA VARCHAR(23), "
               "EVI_CAMERAS TEXT, CONSTRAINT PESAGEMEVIDENCIA_PK PRIMARY KEY (PES_CODIGO, EVI_LADO))")
        .arg(postgres ? QStringLiteral("NUMERIC(19,4)") : QStringLiteral("NUMERIC"),
             postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
}

const char* const auditoria =
    "CREATE TABLE AUDITORIA (AUD_SEQ BIGINT NOT NULL, AUD_DATAHORA VARCHAR(23) NOT NULL, "
    "AUD_USUARIO VARCHAR(30), AUD_ESTACAO VARCHAR(255), AUD_TABELA VARCHAR(20) NOT NULL, "
    "AUD_OPERACAO VARCHAR(1) NOT NULL, PES_CODIGO BIGINT NOT NULL, AUD_ANTES TEXT, AUD_DEPOIS TEXT, "
    "AUD_HASHANTERIOR VARCHAR(64), AUD_HASH VARCHAR(64) NOT NULL, "
    "CONSTRAINT AUDITORIA_PK PRIMARY KEY (AUD_SEQ))";

const char* const indiceAuditoria = "CREATE INDEX AUDITORIA_PES_IDX ON AUDITORIA (PES_CODIGO, AUD_SEQ)";

// Columns added beside the upgrade steps' own, each in a table those steps
// made: a new database gets them right after its tables, an older one at the
// upgrade or at the next start.
struct ColunaNova {
    const char* tabela;
    const char* coluna;
    const char* tipo;
};
const ColunaNova colunasNovas[] = {
    // The invoice's whole access key, when it was typed or scanned.
    {"PESAGEM", "PES_CHAVENFE", "VARCHAR(44)"},
    // The plate read from the camera's picture for this side: the plate (empty
    // when none was found), how sure the reader was (0 to 1), the picture,
    // and whether the operator kept the plate (1) or changed it (0).
    {"PESAGEMEVIDENCIA", "EVI_PLACALIDA", "VARCHAR(7)"},
    {"PESAGEMEVIDENCIA", "EVI_PLACACONFIANCA", "NUMERIC(5,4)"},
    {"PESAGEMEVIDENCIA", "EVI_PLACAFOTO", "VARCHAR(255)"},
    {"PESAGEMEVIDENCIA", "EVI_PLACAACEITA", "SMALLINT"},
};

QString adicionaColuna(const ColunaNova& c)
{
    return QStringLiteral("ALTER TABLE %1 ADD %2 %3")
        .arg(QLatin1String(c.tabela), QLatin1String(c.coluna), QLatin1String(c.tipo));
}

bool existeColuna(TDM& dm, const ColunaNova& c)
{
    TQuery q(&dm, QStringLiteral("QR_Tabelas"));
    if (dm.ehPostgres()) {
        q.Add(QStringLiteral("select 1 from information_schema.columns where table_schema=current_schema() "
                             "and table_name=:tabela and column_name=:coluna"));
    } else {
        q.Add(QStringLiteral("select 1 from pragma_table_info(:tabela) where lower(name)=:coluna"));
    }
    q.setParam(QStringLiteral("tabela"), QString::fromLatin1(c.tabela).toLower());
    q.setParam(QStringLiteral("coluna"), QString::fromLatin1(c.coluna).toLower());
    q.Open();
    return !q.IsEmpty();
}

} // namespace

namespace TabelasEvidencia
{

bool existeTabela(TDM& dm, const QString& nome)
{
    TQuery q(&dm, QStringLiteral("QR_Tabelas"));
    if (dm.ehPostgres()) {
        q.Add(QStringLiteral("select 1 from information_schema.tables where table_schema=current_schema() "
                             "and table_name=:nome"));
    } else {
        q.Add(QStringLiteral("select 1 from sqlite_master where type='table' and lower(name)=:nome"));
    }
    q.setParam(QStringLiteral("nome"), nome.toLower());
    q.Open();
    return !q.IsEmpty();
}

void executa(TDM& dm, const QString& sql)
{
    TQuery q(&dm, QStringLiteral("QR_Tabelas"));
    q.Add(sql);
    q.ExecSQL();
}

QStringList comandos(bool postgres)
{
    QStringList c{evidencia(postgres), QLatin1String(auditoria), QLatin1String(indiceAuditoria)};
    for (const ColunaNova& n : colunasNovas) {
        c << adicionaColuna(n);
    }
    return c;
}

void garante(TDM& dm)
{
    // The columns first, so that a new log's first state holds them (those
    // of a table made here, once it is made).
    const auto colunas = [&dm] {
        for (const ColunaNova& n : colunasNovas) {
            if (existeTabela(dm, QLatin1String(n.tabela)) && !existeColuna(dm, n)) {
                executa(dm, adicionaColuna(n));
            }
        }
    };
    colunas();
    if (!existeTabela(dm, QStringLiteral("PESAGEMEVIDENCIA"))) {
        executa(dm, evidencia(dm.ehPostgres()));
        colunas();
    }
    if (!existeTabela(dm, QStringLiteral("AUDITORIA"))) {
        executa(dm, QLatin1String(auditoria));
        executa(dm, QLatin1String(indiceAuditoria));
        Auditoria::iniciaChave(dm);
        Auditoria::registraEstadoInicial(dm);
    } else {
        Auditoria::iniciaChave(dm);
    }
}

QStringList colunasAcrescentadas(const QString& tabela)
{
    QStringList r;
    for (const ColunaNova& n : colunasNovas) {
        if (tabela.compare(QLatin1String(n.tabela), Qt::CaseInsensitive) == 0) {
            r << QString::fromLatin1(n.coluna).toLower();
        }
    }
    return r;
}

} // namespace TabelasEvidencia
