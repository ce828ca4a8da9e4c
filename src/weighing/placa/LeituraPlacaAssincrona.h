// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LeitorPlaca.h"

#include <QObject>
#include <QThread>

// The plate reader on a thread of its own, so that the window's thread never
// waits for a picture to be read (a tenth of a second or so, more at the
// first picture, when Tesseract loads). Pictures are read one at a time, in
// the order asked; each gives one lida().
class LeituraPlacaAssincrona : public QObject
{
    Q_OBJECT
public:
    explicit LeituraPlacaAssincrona(QObject* parent = nullptr);
    // Waits for the picture being read, if any (one picture's time), and
    // drops the ones still waiting.
    ~LeituraPlacaAssincrona() override;

    // Returns at once.
    void ler(const QString& arquivo);

Q_SIGNALS:
    // On the thread this object lives in. `erro` is empty unless the picture
    // could not be read or the reader could not be loaded.
    void lida(const QString& arquivo, const LeituraPlaca& leitura, const QString& erro);

private:
    QThread m_linha;
    QObject* m_contexto = nullptr;         // lives on m_linha
    std::unique_ptr<LeitorPlaca> m_leitor; // used on m_linha only
};
