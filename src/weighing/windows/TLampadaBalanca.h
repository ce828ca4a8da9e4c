// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "QuadrosBalanca.h"

#include <QWidget>

// The link status lamp (lampadaBalanca): a circle filled with the state of the scale
// link, with a dotted outline when no weighing is in progress, beside its
// legend "Desconectado", "Aguardando", "Equilíbrio".
class TLampadaBalanca : public QWidget
{
    Q_OBJECT
public:
    explicit TLampadaBalanca(QWidget* parent = nullptr);

    TLampada cor() const { return m_cor; }
    bool contornoPontilhado() const { return m_pontilhado; }
    // Idle: white with a dotted outline.
    void ocioso() { define(TLampada::Branca, true); }
    // A new colour without outline.
    void define(TLampada cor, bool pontilhado = false);

    QSize sizeHint() const override { return {24, 24}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TLampada m_cor = TLampada::Branca;
    bool m_pontilhado = true;
};
