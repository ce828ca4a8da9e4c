#pragma once

#include "Decimal.h"

#include <QString>

class TRelevo;
class LeConfig;

// What every report shares: the print job set from the configuration, the
// system's title line and the page footer.
namespace ConfiguraRelatorio
{

// Windows printing, printer model and port from the configuration; with
// Windows printing an A4 page and the configured line spacing, otherwise the
// continuous form of 66 lines. Preview on.
void job(TRelevo& job, LeConfig& cfg);

// "VIGA - GESTÃO DE BALANÇA RODOVIÁRIA" at column 0 and "Versao: " + version
// (filled to 15 characters on the right, or right-aligned when `direita`) at
// `colunaVersao`; line end.
void titulo(TRelevo& job, int colunaVersao, bool direita = false);

// An empty line, a rule of `largura` hyphens, the issuer at column 0 and
// "Impresso: " + date + two blanks + time at `colunaImpresso`; line end.
void rodape(TRelevo& job, int largura, const QString& emissor, int colunaImpresso = 95);

// Writes `texto` at `coluna` without a line end / ends the line.
void em(TRelevo& job, const QString& texto, int coluna);
void fimLinha(TRelevo& job);
// A number with `casas` decimals right-aligned in `largura`, at `coluna`.
void numero(TRelevo& job, Decimal valor, int casas, int largura, int coluna);
// A rule of `largura` copies of `c`, with a line end.
void regua(TRelevo& job, QChar c, int largura);

} // namespace ConfiguraRelatorio
