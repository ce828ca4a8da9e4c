#pragma once

#include "Evidencia.h"
#include "Pesagem.h"

#include <QString>
#include <functional>

class TDM;

// Writing a weighing: the Pesagem row (insert for a new weighing, update
// otherwise) and the rewrite of its PesagemProduto rows, in one transaction
// of the data module, every value bound. A failure rolls everything back and
// throws ErroBanco with the database's text.
namespace SalvaPesagem
{

// Whether the save asks "Deseja imprimir ticket": every insert, and the update in exit mode.
bool perguntaTicket(const PesagemTela& p);

// `ticketSim`: the answer to the ticket question (ignored when none is asked).
// In exit mode the hidden factors 1-6 of `p` are reloaded from the product.
// `rastreio`, when set, receives the weighing statement with its values in
// place before it runs (the SQL trace). `evidencia`, when set, is how the
// weight of the side being saved was taken: stored with the weighing, in the
// same transaction. Every save appends the change to the audit log.
void salvar(TDM& dm, PesagemTela& p, const ConfigPesagem& cfg, bool ticketSim,
            const std::function<void(const QString&)>& rastreio = {},
            const EvidenciaPesagem* evidencia = nullptr);

// "Excluir": the weighing and its product rows.
void excluir(TDM& dm, qint64 codigo);

} // namespace SalvaPesagem
