// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImpressoraPaginas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>

bool DesenhaPaginas(QPrinter& impressora, const QList<PaginaDesenho>& paginas, const QFont& fonte, int passo,
                    QString* erro)
{
    QPainter p;
    if (!p.begin(&impressora)) {
        if (erro) *erro = QStringLiteral("Impressora não definida");
        return false;
    }
    QPen caneta = p.pen();
    caneta.setWidth(5);
    p.setPen(caneta);
    QFont regular(fonte.family());
    regular.setPointSizeF(fonte.pointSizeF() > 0 ? fonte.pointSizeF() : 10);
    QFont negrito = regular;
    negrito.setBold(true);
    const int ascendente = QFontMetrics(regular, &impressora).ascent();
    const qreal coluna = QFontMetricsF(regular, &impressora).horizontalAdvance(QLatin1Char('0'));
    for (int i = 0; i < paginas.size(); ++i) {
        if (i > 0) impressora.newPage();
        int y = 0;
        for (const LinhaDesenho& l : paginas[i]) {
            p.setFont(l.negrito ? negrito : regular);
            p.drawText(0, y + ascendente, l.texto);
            if (l.qr) {
                const QList<QRectF> modulos =
                    CodigoQR::gera(l.qr->conteudo)
                        .retangulos(QPointF(l.qr->coluna * coluna, y), qreal(l.qr->linhas) * passo);
                for (const QRectF& r : modulos)
                    p.fillRect(r, Qt::black);
            }
            y += passo;
        }
    }
    return p.end();
}
