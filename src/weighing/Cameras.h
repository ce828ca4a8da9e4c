// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Evidencia.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

// The cameras that photograph the truck on the scale (viga.ini [cameras]
// Frente=, Traseira=): a V4L2 device ("/dev/video0"), an RTSP address
// ("rtsp://camera/stream") or the full path of a still picture (.jpg, .png:
// for training and tests), read through GStreamer. The pipelines run in
// GStreamer's own threads while the weighing window is open. A save asks for
// a picture of each camera taken after that moment and carries on at once:
// the pictures are encoded in the cameras' threads and handed over on this
// object's thread as they come; a camera that has not answered within the
// camera wait (2 s) is given up, and its snapshot says why it is missing.
// Nothing here ever waits for a camera.
class Cameras : public QObject
{
    Q_OBJECT
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

    explicit Cameras(const QList<Camera>& cameras, int esperaMs = 2000, QObject* parent = nullptr);
    ~Cameras() override;
    Cameras(const Cameras&) = delete;
    Cameras& operator=(const Cameras&) = delete;

    bool vazio() const;
    int esperaMs() const { return m_esperaMs; }

    // Asks every camera for a picture taken after this call; returns at once
    // with the request's number.
    int pede();
    // The request's snapshots as they stand, one per camera: a picture, the
    // reason there is none, or `pendente` while the camera may still answer.
    QList<FotoCamera> fotos(int pedido) const;
    bool pendente(int pedido) const;
    // `pronto` runs once, on this object's thread, with the final snapshots
    // (at once when the request is complete already); the request is then
    // forgotten.
    using Pronto = std::function<void(const QList<FotoCamera>&)>;
    void aoConcluir(int pedido, Pronto pronto);
    // The request is dropped: nothing more is done with its pictures.
    void esquece(int pedido);
    bool temPedidos() const { return !m_pedidos.isEmpty(); }

    // Hands the cameras over to themselves: they are deleted once their last
    // request has ended (at once when none is left), so that a window that
    // closes right after a save still gets its snapshots stored.
    static void encerraQuandoLivre(std::unique_ptr<Cameras> cameras);

private:
    struct Fluxo;
    struct Pedido {
        QList<FotoCamera> fotos;
        Pronto pronto;
        QTimer* prazo = nullptr;
    };
    // A picture (or the reason for none) of camera `indice` for request `pedido`.
    void chegou(int pedido, int indice, const QByteArray& jpeg, const QString& falha);
    void prazoEsgotado(int pedido);
    void conclui(int pedido);

    std::vector<std::unique_ptr<Fluxo>> m_fluxos;
    QHash<int, Pedido> m_pedidos;
    int m_ultimoPedido = 0;
    int m_esperaMs;
    bool m_encerrar = false;
};
