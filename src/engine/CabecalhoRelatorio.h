// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TRelevo;
class TDM;

// The issuer header block at the top of a report: a rule of equals signs, the
// issuer's name, address with the time, post code and phone with the date,
// e-mail, and a rule of hyphens, as wide as the job's page.
void CabecalhoRelatorio(TRelevo& job, TDM* dm = nullptr);
