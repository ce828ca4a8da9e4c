// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BalancaSessao.h"
#include "ConfigPortaria.h"
#include "ModuloPortaria.h"
#include "RegistroPassagens.h"
#include "SequenciaPortaria.h"
#include "VigiaPlataforma.h"

#include <QObject>
#include <QTimer>

class Cameras;
class TDM;
struct EfeitoLeitura;

// The gate of one workstation with a scale: the deck watch on every reading,
// the passages it stores, the lights and barriers, and the rules a save
// must pass (the deck back to zero, no photocell cut). The weighing flow
// hands it each reading and asks it before and after each save; the status
// bar shows textoStatus().
class Portaria : public QObject, public GuardaPesagem
{
    Q_OBJECT
public:
    // `cameras` may be null; it must outlive this object (or be replaced
    // through usaCameras first).
    Portaria(TDM& dm, const ConfigPortaria& config, Cameras* cameras = nullptr, QObject* parent = nullptr);
    ~Portaria() override;

    // The gate of this workstation for the session: viga.ini [portaria],
    // fed by the session's reading of the deck (BalancaSessao::vigia) and
    // asked by every weighing flow until it is destroyed. The warnings of
    // settings that are not valid go to `avisos`. Throws ErroBanco when
    // Config cannot be read.
    static Portaria* daSessao(TDM& dm, QStringList* avisos, QObject* parent);
    // The gate of the session; null when none.
    static Portaria* atual();

    VigiaPlataforma& vigia() { return m_vigia; }
    ModuloPortaria& modulo() { return m_modulo; }
    SequenciaPortaria& sequencia() { return m_sequencia; }

    // Each chunk the live weight accepted (`foraDeFaixa` as it flagged it).
    void recebe(const EfeitoLeitura& efeito, bool foraDeFaixa);

    // Why an entry or exit weighing may not be saved now; empty when it may.
    // The zero rule applies when the site has it on (PORTARIA); a photocell
    // applies when the module answers. A refusal is logged.
    QString recusaPesagem() override;
    // A weighing was saved: the deck must return to zero before the next,
    // the passage under way was weighed, the exit opens.
    void pesagemSalva() override;
    // What the save's message adds when the module does not answer: the
    // lights and barriers stayed as they were. Empty otherwise.
    QString avisoModulo() const;
    QString avisoPesagem() const override { return avisoModulo(); }
    void usaCameras(Cameras* cameras) override { m_registro.usaCameras(cameras); }

    // "Plataforma vazia: 0 kg", with the module's state when there is one.
    QString textoStatus() const;

Q_SIGNALS:
    void statusMudou();
    // A line for the log: a refusal, a forced output, a passage not stored.
    void registrado(const QString& linha);

private:
    TDM& m_dm;
    VigiaPlataforma m_vigia;
    RegistroPassagens m_registro;
    ModuloPortaria m_modulo;
    SequenciaPortaria m_sequencia;
    QTimer m_verificacao;
    bool m_daSessao = false;
};
