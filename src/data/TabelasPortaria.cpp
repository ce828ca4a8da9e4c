// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabelasPortaria.h"

#include "ErroBanco.h"
#include "TDM.h"
#include "TabelasEvidencia.h"

namespace
{

QString passagem(bool postgres)
{
    // PAS_SITUACAO: 0 under way, 1 ended without a weighing, 2 interrupted
    // (VIGA closed during it: found at the next start).
    return QStringLiteral(
               "CREATE TABLE PASSAGEM (PAS_CODIGO BIGINT NOT NULL, PAS_ESTACAO VARCHAR(255) NOT NULL, "
               "PAS_INICIO VARCHAR(23) NOT NULL, PAS_FIM VARCHAR(23), PAS_PESOMAXIMO %1, "
               "PAS_PESOESTAVEL %1, PAS_SITUACAO SMALLINT NOT NULL, "
               "CONSTRAINT PASSAGEM_PK PRIMARY KEY (PAS_CODIGO))")
        .arg(postgres ? QStringLiteral("NUMERIC(19,4)") : QStringLiteral("NUMERIC"));
}

QString foto(bool postgres)
{
    return QStringLiteral(
               "CREATE TABLE PASSAGEMFOTO (PAS_CODIGO BIGINT NOT NULL, FOT_CAMERA VARCHAR(30) NOT NULL, "
               "FOT_JPEG %1, FOT_FALHA VARCHAR(255), "
               "CONSTRAINT PASSAGEMFOTO_PK PRIMARY KEY (PAS_CODIGO, FOT_CAMERA))")
        .arg(postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
}

const char* const indicePassagem = "CREATE INDEX PASSAGEM_INICIO_IDX ON PASSAGEM (PAS_INICIO)";

const char* const portaria =
    "CREATE TABLE PORTARIA (POR_CHAVE INTEGER NOT NULL, POR_CHECAZERO SMALLINT NOT NULL, "
    "CONSTRAINT PORTARIA_PK PRIMARY KEY (POR_CHAVE))";

} // namespace

namespace TabelasPortaria
{

using TabelasEvidencia::executa;
using TabelasEvidencia::existeTabela;

QStringList comandos(bool postgres)
{
    return {passagem(postgres), QLatin1String(indicePassagem), foto(postgres), QLatin1String(portaria)};
}

QString linhaNova()
{
    return QStringLiteral("INSERT INTO PORTARIA (POR_CHAVE, POR_CHECAZERO) VALUES (1, 1)");
}

bool checaZero(TDM& dm)
{
    TQuery q(&dm, QStringLiteral("QR_Portaria"));
    q.Add(QStringLiteral("select POR_CHECAZERO from PORTARIA where POR_CHAVE=1"));
    q.Open();
    const bool ligada = !q.IsEmpty() && q.AsInteger(QStringLiteral("POR_CHECAZERO")) != 0;
    q.Close();
    return ligada;
}

void defineChecaZero(TDM& dm, bool ligada)
{
    Transacao tr(&dm);
    TQuery q(&dm, QStringLiteral("QR_Portaria"));
    q.Add(QStringLiteral("update PORTARIA set POR_CHECAZERO=:ligada where POR_CHAVE=1"));
    q.setParam(QStringLiteral("ligada"), ligada ? 1 : 0);
    q.ExecSQL();
    if (q.RowsAffected() == 0) {
        throw ErroBanco(QStringLiteral("A tabela PORTARIA não tem a linha das configurações da portaria."));
    }
    tr.commit();
}

void garante(TDM& dm)
{
    if (!existeTabela(dm, QStringLiteral("PASSAGEM"))) {
        executa(dm, passagem(dm.ehPostgres()));
        executa(dm, QLatin1String(indicePassagem));
    }
    if (!existeTabela(dm, QStringLiteral("PASSAGEMFOTO"))) {
        executa(dm, foto(dm.ehPostgres()));
    }
    if (!existeTabela(dm, QStringLiteral("PORTARIA"))) {
        executa(dm, QLatin1String(portaria));
        executa(dm, QStringLiteral("INSERT INTO PORTARIA (POR_CHAVE, POR_CHECAZERO) VALUES (1, 0)"));
    }
}

} // namespace TabelasPortaria
