// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeConfig.h"

#include "TDM.h"

void LeConfig::abrir()
{
    if (!m_lido || !m_dm.QR_Configuracao.Active()) {
        m_dm.QR_Configuracao.Open();
        m_lido = true;
    }
    m_dm.QR_Configuracao.First();
}

bool LeConfig::existe()
{
    abrir();
    return !m_dm.QR_Configuracao.IsEmpty();
}

int LeConfig::inteiro(const QString& coluna)
{
    abrir();
    if (m_dm.QR_Configuracao.IsEmpty() || !m_dm.QR_Configuracao.FindField(coluna)) {
        return 0;
    }
    return m_dm.QR_Configuracao.AsInteger(coluna);
}

QString LeConfig::texto(const QString& coluna)
{
    abrir();
    if (m_dm.QR_Configuracao.IsEmpty() || !m_dm.QR_Configuracao.FindField(coluna)) {
        return QString();
    }
    return m_dm.QR_Configuracao.AsString(coluna);
}

Decimal LeConfig::decimal(const QString& coluna)
{
    abrir();
    if (m_dm.QR_Configuracao.IsEmpty() || !m_dm.QR_Configuracao.FindField(coluna)) {
        return Decimal();
    }
    return m_dm.QR_Configuracao.AsDecimal(coluna);
}
