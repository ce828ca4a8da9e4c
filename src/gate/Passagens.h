// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"
#include "Evidencia.h"
#include "TabelasPortaria.h"
#include "VigiaPlataforma.h"

#include <QDate>
#include <QList>

class TDM;
class TQuery;

// A passage as stored (PASSAGEM, PASSAGEMFOTO).
struct PassagemGravada {
    enum Situacao { EmAndamento = 0, SemPesagem = 1, Interrompida = 2 };
    qint64 codigo = 0;
    QString estacao;
    QDateTime inicio;
    QDateTime fim; // invalid for one interrupted before it ended
    std::optional<Decimal> pesoMaximo;
    std::optional<Decimal> pesoEstavel;
    Situacao situacao = EmAndamento;
    QList<FotoCamera> fotos; // read only by fotos()

    // "Sem pesagem", "Interrompida (VIGA fechado)", "Em andamento"
    QString textoSituacao() const;
};

// The passages over the deck with no weighing saved during them. A passage
// is written when it begins (so that a VIGA closed in the middle leaves it
// behind, found as interrupted at the next start), its weights as they
// grow, and when it ends: kept with its pictures when nothing was weighed,
// deleted when a weighing was saved during it. Every call runs its own
// transaction and throws ErroBanco when the database refuses.
namespace Passagens
{

// The new passage's number.
qint64 abre(TDM& dm, const Passagem& p);
void atualiza(TDM& dm, qint64 codigo, const Passagem& p);
void conclui(TDM& dm, qint64 codigo, const Passagem& p, const QList<FotoCamera>& fotos);
// This workstation's passages still under way (VIGA was closed or killed
// during them) become interrupted; how many.
int marcaInterrompidas(TDM& dm);

// Passages that began from `de` to `ate` (whole days), oldest first,
// without their pictures.
QList<PassagemGravada> lista(TDM& dm, const QDate& de, const QDate& ate);
// The statement of lista() put into `q` (the report runs it itself).
void seleciona(TQuery& q, const QDate& de, const QDate& ate);
QList<FotoCamera> fotos(TDM& dm, qint64 codigo);

// The site's zero check (PORTARIA.POR_CHECAZERO): on for a new database,
// off for one upgraded from an older version until the administrator turns
// it on in "Configurações".
using TabelasPortaria::checaZero;
using TabelasPortaria::defineChecaZero;

} // namespace Passagens
