// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfiguraBalanca.h"
#include "LeituraPeso.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Cameras;
class QTimer;
class TCommPortDriver;
class TDM;

// What the gate around the scale has to say about a weighing being saved.
// The gate of the session implements it; the weighing flow asks it.
class GuardaPesagem
{
public:
    virtual ~GuardaPesagem() = default;
    // Why a weighing that takes a new weight may not be saved now; empty when it may.
    virtual QString recusaPesagem() = 0;
    // A weighing that took a new weight was committed.
    virtual void pesagemSalva() = 0;
    // What the save's success message adds; empty when nothing.
    virtual QString avisoPesagem() const = 0;
    // The cameras of the weighing window now open, null when it closed.
    virtual void usaCameras(Cameras* cameras) = 0;
};

// The scale of this workstation for the whole session. It owns the scale
// ports: a weighing flow that reads a side opens it here, and a port already
// open (the deck's, read all session for the gate) is shared rather than
// opened twice. A port is closed when its last reader lets it go.
//
// The deck's reading (vigia) runs from the start of VIGA to its end, whether
// or not a weighing window is open, on the entry scale: every frame it
// accepts is told through `leituraPlataforma`. A port that cannot be opened
// is tried again every 10 s. The poll is the port's own non-blocking read on
// this thread (a few bytes every PollingDelay); nothing here waits.
class BalancaSessao : public QObject
{
    Q_OBJECT
public:
    // The one of this process (deleted with the application).
    static BalancaSessao& instancia();
    ~BalancaSessao() override;

    // Opens the port of a side for `leitor` (ConfiguraPortaBalanca, then
    // Connect; `config` empty = Config has no row), or shares it when it is
    // open already (its line settings follow Config). `recebe` gets every
    // chunk until fecha(leitor) or `leitor` is destroyed. A reader holds one
    // port at a time: a new abre lets the previous one go. When not ok:
    // "Configuração não definida." or "Erro ao conectar a balança" ("Erro").
    TResultadoConfigPorta abre(const std::optional<TConfigPorta>& config, int modo, int balanca,
                               QObject* leitor, std::function<void(const char*, int)> recebe);
    void fecha(QObject* leitor);
    // The port `leitor` reads; null when none.
    TCommPortDriver* porta(const QObject* leitor) const;

    // The deck's reading for the session, on the entry scale ("Balança 1").
    // Returns the warnings of settings that are not valid. Throws ErroBanco
    // when Config cannot be read.
    QStringList vigia(TDM& dm);
    void paraVigia();
    // The deck's port is open.
    bool vigiando() const;

    GuardaPesagem* guarda() const { return m_guarda; }
    void setGuarda(GuardaPesagem* guarda) { m_guarda = guarda; }

    // viga.ini [balanca] EstavelMs (0 = the rule off); a value that is not
    // valid turns the rule off and is said in `erro`.
    static int estavelMsIni(QString* erro);

Q_SIGNALS:
    // Every frame of the deck's reading that carried a reading.
    void leituraPlataforma(const EfeitoLeitura& efeito, bool foraDeFaixa);

private:
    explicit BalancaSessao(QObject* parent);
    struct Porta;
    Porta* portaDe(const QObject* leitor) const;
    void abreVigia();
    void recebePlataforma(const char* dados, int quantidade);

    std::vector<std::unique_ptr<Porta>> m_portas;
    GuardaPesagem* m_guarda = nullptr;
    TDM* m_dm = nullptr;
    QObject* m_leitorPlataforma = nullptr;
    LeituraPeso m_leituraPlataforma;
    QTimer* m_reabre = nullptr;
    bool m_falhaDita = false;
};
