#pragma once

#include "RVDataSet.h"

class TQuery;

// The ticket query as the records of a template or a report, with every
// field's text in the same form on every engine: dates dd/mm/yyyy, numbers
// shortest with the decimal comma.
class DadosTicket : public RVDataSet
{
public:
    explicit DadosTicket(TQuery& q) : m_q(q) {}
    void First() override;
    void Next() override;
    bool Eof() const override;
    int RecordCount() const override;
    bool FindField(const QString& campo) const override;
    QString AsString(const QString& campo) const override;

private:
    TQuery& m_q;
};
