// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RVDataSet.h"

// The ticket query as the records of a template, with every field's text in
// the same form on every engine: dates dd/mm/yyyy, numbers shortest with the
// decimal comma; and the weighing's verification code as one more field.
class DadosTicket : public RVDataSetQuery
{
public:
    explicit DadosTicket(TQuery& q, const QString& codigoVerificacao = QString())
        : RVDataSetQuery(q), m_q(q), m_codigoVerificacao(codigoVerificacao)
    {
    }
    bool FindField(const QString& campo) const override;
    QString AsString(const QString& campo) const override;

    // The field of the verification code.
    static constexpr char CampoCodigo[] = "CODIGO_VERIFICACAO";

private:
    TQuery& m_q;
    QString m_codigoVerificacao;
};
