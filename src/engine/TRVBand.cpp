// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRVBand.h"

#include "ServicosRelevo.h"
#include "TRVColumn.h"

void TRVBand::propriedadeInvalida()
{
    ServicosRelevo::atual().mensagem(QStringLiteral("Invalid Property Value"), QStringLiteral("Error"),
                                     MsgRelevo::Erro);
}

void TRVBand::setExpression(const QString& e)
{
    if (!e.isEmpty() && m_bandType != rvGroupHeader) {
        propriedadeInvalida();
        m_expression.clear();
        return;
    }
    m_expression = e;
}

void TRVBand::setForceNewPage(bool f)
{
    if (f && m_bandType != rvGroupHeader) {
        propriedadeInvalida();
        m_forceNewPage = false;
        return;
    }
    m_forceNewPage = f;
}

void TRVBand::setBandType(TRVBandType t)
{
    m_bandType = t;
    if (t != rvGroupHeader) {
        m_expression.clear();
        m_forceNewPage = false;
    }
}
