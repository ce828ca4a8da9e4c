// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Evidencia.h"

#include <QList>
#include <QString>
#include <memory>

// The cameras that photograph the truck on the scale (viga.ini [cameras]
// Frente=, Traseira=): a V4L2 device ("/dev/video0") or an RTSP address
// ("rtsp://camera/stream"), read through GStreamer. The pipelines run while
// the weighing window is open, keeping only the newest picture; a save asks
// each camera for a picture taken after the moment of the save and waits at
// most the camera wait (2 s) for all of them together. A camera that does not
// answer in time never holds the save: its snapshot says why it is missing.
class Cameras
{
public:
    struct Camera {
        QString nome;   // "Frente", "Traseira"
        QString origem; // as written in viga.ini
    };

    // The cameras of viga.ini; a value that is neither a device nor an RTSP
    // address is said in `erro` (the camera is left out).
    static QList<Camera> doIni(const QString& arquivoIni, QString* erro);

    // The GStreamer source of an origin; empty when the origin is not
    // accepted. "gst:<description>" gives a source description as it stands
    // (a camera of another kind, or GStreamer's test source).
    static QString fonte(const QString& origem);

    explicit Cameras(const QList<Camera>& cameras, int esperaMs = 2000);
    ~Cameras();
    Cameras(const Cameras&) = delete;
    Cameras& operator=(const Cameras&) = delete;

    bool vazio() const;
    // One snapshot per camera, JPEG, taken after this call began.
    QList<FotoCamera> captura();

private:
    struct Fluxo;
    std::vector<std::unique_ptr<Fluxo>> m_fluxos;
    int m_esperaMs;
};
