// SPDX-License-Identifier: GPL-3.0-or-later
#include "RVDataSet.h"

#include "TQuery.h"

void RVDataSetQuery::First()
{
    m_q.First();
}

void RVDataSetQuery::Next()
{
    m_q.Next();
}

bool RVDataSetQuery::Eof() const
{
    return m_q.Eof();
}

int RVDataSetQuery::RecordCount() const
{
    return m_q.RecordCount();
}

bool RVDataSetQuery::FindField(const QString& campo) const
{
    return m_q.FindField(campo);
}

QString RVDataSetQuery::AsString(const QString& campo) const
{
    return m_q.Eof() || !m_q.FindField(campo) ? QString() : m_q.AsString(campo);
}
