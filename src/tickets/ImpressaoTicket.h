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

} // namespace ImpressaoTicket
