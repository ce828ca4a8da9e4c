// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LeitorPlaca.h"

#include <QObject>
#include <QThread>

#include <functional>

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
    // A camera's picture: written to `arquivo` (its folder made when missing)
    // and read, both on the reader's thread. Returns at once. A picture that
    // cannot be written is still read; `lida` then says why in `erro`.
    void lerFoto(const QByteArray& jpeg, const QString& arquivo);

Q_SIGNALS:
    // On the thread this object lives in. `erro` is empty unless the picture
    // could not be read or the reader could not be loaded.
    void lida(const QString& arquivo, const LeituraPlaca& leitura, const QString& erro);

private:
    // Runs `leitura` on the reader's thread with the reader made, and hands its result over.
    void naLinha(const QString& arquivo, const std::function<LeituraPlaca(LeitorPlaca&, QString&)>& leitura);

    QThread m_linha;
    QObject* m_contexto = nullptr;         // lives on m_linha
    std::unique_ptr<LeitorPlaca> m_leitor; // used on m_linha only
};
