// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TDM;
class TQuery;

// The ticket query: one weighing with its party, carrier, vehicle type and
// products, one row per product row (one row with empty product columns when
// the weighing has none). Its column names and aliases are the field names
// the built-in layouts and the ticket templates read.
namespace ConsultaTicket
{

// What the weighing row decides about the query's pieces.
struct Pesagem {
    qint64 codigo = 0;
    bool temParte = false;          // cad_codigo not null
    bool temTransportadora = false; // cad_codigotra not null
    bool temTipoVeiculo = false;    // tpv_codigo not null
    bool fornecedor = false;        // cad_tipo 4: the vehicle arrives loaded
    bool temSaida = false;          // pes_datasaida not null
};

// The weighing's flags; nullopt when the weighing does not exist.
std::optional<Pesagem> pesagem(TDM& dm, qint64 codigo);

// The SQL lines of the query for `p`. The weighing code and the user's name
// are parameters (:codigo, :usuario).
QStringList sql(const Pesagem& p);

// Opens the query on `q` for `p`, with `usuario` as the Usuario column.
void abrir(TQuery& q, const Pesagem& p, const QString& usuario);

// The issuer's name (the party of kind 1), up to 255 characters; empty when none.
QString emitente(TDM& dm);

} // namespace ConsultaTicket
