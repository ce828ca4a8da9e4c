// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfiguraBalanca.h"
#include "Pesagem.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

class TDM;
class TQuery;

// The look-ups of the weighing window: a stored weighing loaded for editing,
// the plate history, the driver by RG, party, carrier and vehicle-type names.
namespace ConsultaPesagem
{

// The weighing `codigo` as the window shows it (record state 1); nullopt when
// there is none. `daLista`: loaded from the exit window's list (the exit
// weight and time shown, today and now for a missing exit date and time, the
// exit factors instead of the entry ones); otherwise by its typed number.
std::optional<PesagemTela> carregar(TDM& dm, qint64 codigo, int modo, const ConfigPesagem& cfg, bool daLista,
                                    const QDateTime& agora);

// The newest weighing of a plate.
struct HistoricoPlaca {
    bool achou = false;
    bool aberta = false; // still without an exit: the plate is refused
    QString motorista;
    QString placaCarreta;
    QString pesoEntrada; // with CFG_CASASDECIMAIS decimals
    std::optional<int> tpvCodigo;
    QString valorTipo; // the vehicle type's value, 2 decimals
};
HistoricoPlaca historicoPlaca(TDM& dm, const QString& placa, int casasDecimais);

// A driver (party kind 5) by RG.
struct Motorista {
    enum Situacao { Achado, Inativo, NaoEncontrado };
    Situacao situacao = NaoEncontrado;
    QString nome;
    QString placa;
    QString tara;     // the registered tare of the driver's vehicle, empty when none
    QString mensagem; // for Inativo and NaoEncontrado (title "Informação")
};
Motorista motorista(TDM& dm, const QString& rg, int casasDecimais);

// The name of a party of a kind; nullopt when the code does not exist.
std::optional<QString> razao(TDM& dm, const QString& codigo, int tipo);
// The tax number (CPF or CNPJ) of a party of a kind; empty when none.
QString cpfCgc(TDM& dm, const QString& codigo, int tipo);
// The value of a vehicle type with 2 decimals; empty when there is none.
QString valorTipoVeiculo(TDM& dm, int tpvCodigo);
// The current row of a query, column names in lower case (the stored row a
// save compares with).
QVariantMap linhaAtual(const TQuery& q);
// A short fingerprint of the exit window's list: it changes when another
// workstation stores an entry or an exit, or deletes an open weighing.
// Indexed aggregates, cheap enough to poll.
QString assinaturaLista(TDM& dm);
// The next weighing number: the highest plus 1. Shown at "Novo" as a
// proposal; the save takes its own.
qint64 proximoCodigo(TDM& dm);
// True when the weighing's exit date is before its entry date (loading from
// the list then shows a message and moves the exit date to the entry date).
bool saidaAntesDaEntrada(const PesagemTela& p);
// The scale link's settings the read-weight procedure uses; nullopt when
// Config has no row.
std::optional<TConfigPorta> configPorta(TDM& dm);
// The vehicle types for the "Tipo:" list: (description, code) by code.
QList<QPair<QString, int>> tiposVeiculo(TDM& dm);
// Opens the exit window's list on `q`: the open weighings (every weighing
// when `todas`), with party and product per product row when `grade`; read
// page by page on its order.
void abreLista(TQuery& q, bool grade, bool todas);

} // namespace ConsultaPesagem
