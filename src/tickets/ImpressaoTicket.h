// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class TDM;
class TRelevo;

// Composes the tickets of one weighing into a print job already set up: the
// ticket query on QR_TEMP, a report with one detail band that writes a whole
// ticket per row and per copy, from the built-in layouts; or, when the site
// prints from templates (CFG_TEMPLATE = 1), the entry or exit template.
namespace ImpressaoTicket
{

struct Pedido {
    qint64 codigo = 0;
    bool saida = false; // exit ticket
    int copias = 1;
    QString usuario; // the Usuario column of the query
    QString versao;  // the program's version text
};

// False when the weighing does not exist (nothing is printed). Database
// failures throw ErroBanco, a template that cannot be printed ErroTemplate.
bool imprime(TDM& dm, TRelevo& job, const Pedido& pedido);

// The print job set from the configuration: printing through the system
// printer, printer model, lines per page, port; for the system printer A4
// pages, the line spacing and the font.
void configuraJob(TDM& dm, TRelevo& job);

enum class Resultado {
    Impresso,
    NaoExiste,    // "Ticket não existe."
    SemSaida,     // "Este Ticket ainda não teve saída."
    ErroTemplate, // "Template  não configurada corretamente."
};

// The ticket window's print command without its window: the job set up from
// the configuration, the checks, then the tickets into the preview.
// `codigo` is the code field's text. Database failures throw ErroBanco.
Resultado imprimeTicket(TDM& dm, TRelevo& job, const QString& codigo, bool saida, int copias,
                        const QString& usuario, const QString& versao);

// The message and title of a result that is not Impresso.
QString mensagem(Resultado r);
QString titulo(Resultado r);

} // namespace ImpressaoTicket
