// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodigoQR.h"

#include <qrencode.h>

#include <memory>

CodigoQR CodigoQR::gera(const QString& texto)
{
    CodigoQR c;
    const QByteArray bytes = texto.toUtf8();
    const std::unique_ptr<QRcode, void (*)(QRcode*)> qr(
        QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), QRcode_free);
    if (!qr || qr->width <= 0) {
        return c;
    }
    c.m_lado = qr->width;
    c.m_modulos.resize(c.m_lado * c.m_lado);
    for (int i = 0; i < c.m_lado * c.m_lado; ++i) {
        // The lowest bit of each module's byte: 1 dark, 0 light.
        c.m_modulos.setBit(i, qr->data[i] & 1);
    }
    return c;
}

QList<QRectF> CodigoQR::retangulos(QPointF canto, qreal lado) const
{
    QList<QRectF> r;
    if (vazio()) return r;
    const qreal modulo = lado / (m_lado + 4);
    const QPointF origem = canto + QPointF(2 * modulo, 2 * modulo);
    for (int y = 0; y < m_lado; ++y) {
        for (int x = 0; x < m_lado;) {
            if (!escuro(x, y)) {
                ++x;
                continue;
            }
            int fim = x;
            while (fim < m_lado && escuro(fim, y))
                ++fim;
            r << QRectF(origem.x() + x * modulo, origem.y() + y * modulo, (fim - x) * modulo, modulo);
            x = fim;
        }
    }
    return r;
}
