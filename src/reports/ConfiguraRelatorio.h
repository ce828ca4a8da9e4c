// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Decimal.h"
// TRVBand needs the complete column type.
#include "TRVColumn.h"

#include "TRVBand.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

class TRelevo;
class LeConfig;
class TRVReport;
class TQuery;
class RVDataSetSequencial;
class TDM;

// What every report shares: the print job set from the configuration, the
// system's title line and the page footer.
namespace ConfiguraRelatorio
{

// Windows printing, printer model and port from the configuration; with
// Windows printing an A4 page and the configured line spacing, otherwise the
// continuous form of 66 lines. Preview on.
void job(TRelevo& job, LeConfig& cfg);

// The switches every statement of weighings reads from the configuration, and
// the issuer of the session.
struct Ajustes {
    int casas = 0;        // CFG_CASASDECIMAIS
    bool cabeca = false;  // CFG_CABECA = 1: the company's heading on each page
    bool umidade = false; // CFG_UMIDADE != 0: columns with the correction factors
    QString emissor;
};

// job() with the page `largura` and preview on screen or not, then the
// switches above.
Ajustes inicia(TRelevo& job, LeConfig& cfg, int largura, bool tela);

// The page layout every report shares: the detail band, the page header and
// footer (3 lines), both printed.
void paginas(TRVReport& rel, TRVBand& detalhe, TRVBand& cabecalho, TRVBand& rodape);

// The group bands, outermost level first: each level's header and footer.
void grupos(TRVReport& rel, std::initializer_list<std::pair<TRVBand*, TRVBand*>> niveis);

// Runs `q`'s statement (its SQL already set; `q` itself stays closed) and
// prints the report over its rows as they come, read once, forward-only;
// false, and nothing printed, when it brings no rows. `campos` runs once
// before the first record: the report resolves there the fields its bands
// read to their indexes.
bool imprimeConsulta(TRVReport& rel, TDM& dm, const TQuery& q, std::unique_ptr<RVDataSetSequencial>& dados,
                     const std::function<void(const RVDataSetSequencial&)>& campos = {});

// Runs the report's member `f` before `banda` prints.
template <class R> void liga(TRVBand& banda, R* relatorio, void (R::*f)())
{
    banda.OnBeforePrint = [relatorio, f](TRVBand*, QStringList&) { (relatorio->*f)(); };
}

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
