// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfigPortaria.h"

#include <QHash>
#include <QObject>
#include <QString>

class QThread;
class QTimer;
class EnlaceModbus;

// The outputs a gate module drives.
enum class SaidaPortaria {
    SinalEntradaVermelho,
    SinalEntradaVerde,
    SinalSaidaVermelho,
    SinalSaidaVerde,
    CancelaEntrada,
    CancelaSaida,
};

// The module of the lights, barriers and sensors ([portaria] Modulo=), over
// Modbus TCP or RTU (libmodbus). Every exchange with the module runs in the
// module's own thread, each one bounded by EsperaMs: this object's calls
// only record what the outputs should be and return at once, so a module
// that does not answer never holds up a save or the window. The outputs are
// written when the module answers again; until then they stay as the module
// last set them, and situacao() says so. A lost module is tried again by
// itself (after 1, 2, 5, then every 10 s).
class ModuloPortaria : public QObject
{
    Q_OBJECT
public:
    explicit ModuloPortaria(const ConfigPortaria& config, QObject* parent = nullptr);
    ~ModuloPortaria() override;
    ModuloPortaria(const ModuloPortaria&) = delete;
    ModuloPortaria& operator=(const ModuloPortaria&) = delete;

    bool configurado() const { return m_config.temModulo(); }
    // The coil of an output, -1 when it is not wired.
    int bobina(SaidaPortaria saida) const;
    static QString nomeSaida(SaidaPortaria saida);

    // The output should be on / off (nothing happens for one not wired).
    void define(SaidaPortaria saida, bool ligada);
    // How long the exit barrier stays open after a save ([portaria] PulsoMs).
    int pulsoMs() const { return m_config.pulsoMs; }
    // On now, off after `ms`.
    void pulso(SaidaPortaria saida, int ms);
    // What the output should be (as last defined).
    bool ligada(SaidaPortaria saida) const { return m_desejadas.value(bobina(saida), false); }

    // The module answered its last exchange. False before the first one.
    bool respondendo() const { return m_respondendo; }
    // For the status bar: "Portaria: módulo 127.0.0.1:1502 respondendo",
    // "Portaria: módulo 127.0.0.1:1502 não responde (...); sinais e cancelas
    // como estavam"; empty when no module is configured.
    QString situacao() const;

    // The sensors as last read (false while the module does not answer).
    bool fotocelulaEntradaCortada() const { return m_fotocelulaEntrada; }
    bool fotocelulaSaidaCortada() const { return m_fotocelulaSaida; }
    bool lacoEntradaOcupado() const { return m_lacoEntrada; }
    // Why a save must wait: a photocell says the vehicle is not wholly on
    // the deck. Empty when none does, and when the module does not answer
    // (its sensors are then unknown: the save is not held up by them).
    QString recusaFotocelula() const;

Q_SIGNALS:
    void situacaoMudou();
    void entradasMudaram();
    // Asks the module's thread to write a coil (internal).
    void escreveBobina(int bobina, bool ligada);

private:
    void recebeSituacao(bool respondendo, const QString& falha);
    void recebeEntradas(bool fotocelulaEntrada, bool fotocelulaSaida, bool lacoEntrada);

    ConfigPortaria m_config;
    QThread* m_thread = nullptr;
    EnlaceModbus* m_enlace = nullptr;
    QHash<int, bool> m_desejadas;
    QHash<int, QTimer*> m_pulsos;
    bool m_respondendo = false;
    QString m_falha;
    bool m_fotocelulaEntrada = false;
    bool m_fotocelulaSaida = false;
    bool m_lacoEntrada = false;
};
