// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmSobreArdeno.h"

#include "Rotinas.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

int TFrmSobreArdeno::duracaoMs = 3000;

QPixmap ImagemPadrao()
{
    QPixmap p(544, 268);
    QPainter g(&p);
    QLinearGradient fundo(0, 0, 0, 268);
    fundo.setColorAt(0, QColor(0x1b, 0x3a, 0x5c));
    fundo.setColorAt(1, QColor(0x0b, 0x1a, 0x2a));
    g.fillRect(p.rect(), fundo);
    g.setPen(QColor(0xe8, 0xb0, 0x2a));
    QFont f(QStringLiteral("Sans"), 56, QFont::Bold);
    g.setFont(f);
    g.drawText(QRect(0, 40, 544, 110), Qt::AlignCenter, QStringLiteral("VIGA"));
    g.setPen(Qt::white);
    g.setFont(QFont(QStringLiteral("Sans"), 14));
    g.drawText(QRect(0, 150, 544, 40), Qt::AlignCenter, QStringLiteral("Gestão de Balança Rodoviária"));
    g.setFont(QFont(QStringLiteral("Sans"), 9));
    g.drawText(QRect(0, 230, 530, 30), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Versão ") + VersaoArquivo());
    return p;
}

TFrmSobreArdeno::TFrmSobreArdeno(const QPixmap& imagem, Modo modo, QWidget* parent)
    : QDialog(parent), m_imagem(imagem), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("FrmSobreArdeno"));
    setWindowTitle(QStringLiteral("Sobre ARDENO"));
    setFixedSize(544, 268);
    if (modo == Modo::Abertura) {
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        m_timer->setSingleShot(true);
        m_timer->setInterval(duracaoMs);
        connect(m_timer, &QTimer::timeout, this, &QDialog::accept);
        m_timer->start();
    }
    if (QScreen* s = screen()) {
        move(s->availableGeometry().center() - rect().center());
    }
}

bool TFrmSobreArdeno::timerAtivo() const
{
    return m_timer->isActive();
}

void TFrmSobreArdeno::paintEvent(QPaintEvent*)
{
    QPainter g(this);
    g.drawPixmap(rect(), m_imagem.isNull() ? ImagemPadrao() : m_imagem);
}

void TFrmSobreArdeno::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && timerAtivo()) {
        return; // the splash closes by itself
    }
    QDialog::keyPressEvent(e);
}
