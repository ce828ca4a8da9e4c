// SPDX-License-Identifier: GPL-3.0-or-later
#include "TLampadaBalanca.h"

#include <QPainter>

TLampadaBalanca::TLampadaBalanca(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(20, 20);
    setAccessibleName(QStringLiteral("Balança"));
}

void TLampadaBalanca::define(TLampada cor, bool pontilhado)
{
    m_cor = cor;
    m_pontilhado = pontilhado;
    const char* estado = cor == TLampada::Verde      ? "Equilíbrio"
                         : cor == TLampada::Amarela  ? "Aguardando"
                         : cor == TLampada::Vermelha ? "Desconectado"
                                                     : "";
    setAccessibleDescription(QString::fromUtf8(estado));
    update();
}

void TLampadaBalanca::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const uint32_t c = uint32_t(m_cor); // 0x00BBGGRR
    p.setBrush(QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    p.setPen(m_pontilhado ? QPen(Qt::black, 1, Qt::DotLine) : QPen(Qt::NoPen));
    const int lado = qMin(width(), height()) - 2;
    p.drawEllipse(QRect((width() - lado) / 2, (height() - lado) / 2, lado, lado));
}
