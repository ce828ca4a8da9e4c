// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ErroBanco.h"
#include "Evidencia.h"
#include "Pesagem.h"

#include <QString>
#include <functional>

class TDM;

// The stored weighing is no longer as the window loaded it: another
// workstation saved or deleted it first. Nothing was written.
class PesagemAlterada : public ErroBanco
{
public:
    enum Situacao {
        Alterada,  // changed, still open (or changed while completed)
        Concluida, // its exit was recorded meanwhile
        Excluida,  // deleted meanwhile
    };
    explicit PesagemAlterada(Situacao situacao);
    Situacao situacao() const { return m_situacao; }
    static QString textoDe(Situacao situacao);

private:
    Situacao m_situacao;
};

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
// A new weighing whose number is a proposal (`codigoProposto`) gets the next
// free number inside the transaction; an existing one is written only while
// the stored row is still `p.armazenada` (else PesagemAlterada). Returns the
// number stored (also left in `p.codigo`).
qint64 salvar(TDM& dm, PesagemTela& p, const ConfigPesagem& cfg, bool ticketSim,
              const std::function<void(const QString&)>& rastreio = {},
              const EvidenciaPesagem* evidencia = nullptr);

// Before the save's questions: throws PesagemAlterada when an existing
// weighing is no longer stored as `p.armazenada` (the save checks again
// inside its transaction).
void confereArmazenada(TDM& dm, const PesagemTela& p);

// "Excluir": the weighing and its product rows, while the stored row still
// holds the values of `comoListada` (the list's row; its columns that
// Pesagem has are compared), else PesagemAlterada.
void excluir(TDM& dm, qint64 codigo, const QVariantMap& comoListada = {});

} // namespace SalvaPesagem
