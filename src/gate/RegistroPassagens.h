// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VigiaPlataforma.h"

#include <QObject>

class Cameras;
class TDM;

// Writes the deck watch's passages as they happen (Passagens): the row when
// a passage begins, its weights as they grow, the cameras' pictures taken at
// its highest stable weight, its end. A database that refuses never stops
// the watch: the failure is said through `falha` and the passage goes on
// being followed (its row is written again at the next chance).
class RegistroPassagens : public QObject
{
    Q_OBJECT
public:
    // `cameras` may be null (no cameras configured); it must outlive this object.
    RegistroPassagens(TDM& dm, VigiaPlataforma& vigia, Cameras* cameras = nullptr, QObject* parent = nullptr);
    ~RegistroPassagens() override;

    // At the start of VIGA: this workstation's passages left under way by a
    // VIGA that was closed or killed become interrupted; how many. Throws ErroBanco.
    static int aoIniciar(TDM& dm);

    // The cameras a passage's pictures come from from now on (null: none).
    void usaCameras(Cameras* cameras);

Q_SIGNALS:
    // A passage ended with no weighing and is stored under this number.
    void gravada(qint64 codigo);
    // The database refused a write: the text for the status bar and the log.
    void falha(const QString& mensagem);

private:
    void iniciou(const Passagem& p);
    void novoMaximo(const Passagem& p);
    void concluiu(const Passagem& p);
    bool garanteLinha(const Passagem& p);
    void esqueceFotos();

    TDM& m_dm;
    Cameras* m_cameras;
    qint64 m_codigo = 0; // the row of the passage under way, 0 = none written
    int m_pedidoFotos = 0;
};
