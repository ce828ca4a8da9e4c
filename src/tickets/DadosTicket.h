// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RVDataSet.h"

// The ticket query as the records of a template, with every field's text in
// the same form on every engine: dates dd/mm/yyyy, numbers shortest with the
// decimal comma.
class DadosTicket : public RVDataSetQuery
{
public:
    explicit DadosTicket(TQuery& q) : RVDataSetQuery(q), m_q(q) {}
    QString AsString(const QString& campo) const override;

private:
    TQuery& m_q;
};
