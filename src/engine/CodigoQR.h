// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBitArray>
#include <QList>
#include <QRectF>
#include <QString>

// A QR code as a square of modules (libqrencode, error correction level M,
// the smallest version that holds the text), without the quiet zone: whoever
// draws it leaves a blank margin of at least two modules around it.
class CodigoQR
{
public:
    // Empty when the text cannot be encoded.
    static CodigoQR gera(const QString& texto);

    bool vazio() const { return m_lado == 0; }
    int lado() const { return m_lado; }
    // Module (x, y) is dark; (0, 0) is the top left corner.
    bool escuro(int x, int y) const { return m_modulos.testBit(y * m_lado + x); }
    // The dark modules drawn in the square of side `lado` whose top left
    // corner is `canto`, a quiet zone of two modules inside it: one rectangle
    // per run of dark modules in a row (y grows downwards).
    QList<QRectF> retangulos(QPointF canto, qreal lado) const;

private:
    int m_lado = 0;
    QBitArray m_modulos;
};

// A QR code a page-drawn job prints beside one of its lines: on every page
// line whose text (trailing blanks aside) is `ancora`, a square `linhas` line
// pitches high whose left edge is at column `coluna`, from the top of that
// line down. The job leaves those lines blank from that column on.
struct MarcaQR {
    QString ancora;
    QString conteudo;
    int coluna = 0;
    int linhas = 5;
};
