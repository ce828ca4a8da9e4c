// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>

class QTimer;

// The splash (borderless, closes itself after 3 s) and the about window
// (dialog border, no timer, Esc closes): one picture stretched over 544 × 268.
class TFrmSobreArdeno : public QDialog
{
    Q_OBJECT
public:
    enum class Modo { Abertura, Sobre };
    TFrmSobreArdeno(const QPixmap& imagem, Modo modo, QWidget* parent = nullptr);

    // How long the splash stays (tests shorten it).
    static int duracaoMs;
    bool timerAtivo() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QPixmap m_imagem;
    QTimer* m_timer;
};

// The built-in picture of the splash and of the main window's background.
QPixmap ImagemPadrao();
