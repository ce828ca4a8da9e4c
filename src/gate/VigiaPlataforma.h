// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfigPortaria.h"
#include "Decimal.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <optional>

struct EfeitoLeitura;

// One reading of the indicator as the deck watch takes it.
struct LeituraPlataforma {
    Decimal peso;             // kg, signed
    bool estavel = false;     // the lamp the reading gives is green
    bool foraDeFaixa = false; // the indicator marks it out of range: no weight

    // The reading of a chunk the live weight accepted; none when the chunk
    // carried no weight (`foraDeFaixa` as the live weight flagged it).
    static std::optional<LeituraPlataforma> de(const EfeitoLeitura& efeito, bool foraDeFaixa);
};

enum class EstadoPlataforma {
    Vazia,    // nothing on the deck
    Chegando, // a vehicle is driving on and has not stopped yet
    Estavel,  // on the deck, stable
    Saindo,   // moving again after a stop, lighter than when it stopped
};

// One passage over the deck: from the weight reaching Ocupada to its return
// below Livre.
struct Passagem {
    QDateTime inicio;
    QDateTime fim;                      // invalid while it lasts
    Decimal pesoMaximo;                 // the highest reading, stable or not
    std::optional<Decimal> pesoEstavel; // the highest stable reading
    bool pesada = false;                // a weighing was saved during it
};

// The deck watch: follows every reading of the indicator, whether or not a
// weighing is being typed, and tells the deck's state, each passage and
// whether the deck came back to zero since the last weighing was saved.
//
// Times come from Relogio, so tests drive it with the clock fixed and moved
// by hand. Nothing here waits: a reading is handled as it comes, and
// verifica() (the owner's timer, every few hundred ms) notices a silent
// indicator and a zero that has lasted long enough between frames.
class VigiaPlataforma : public QObject
{
    Q_OBJECT
public:
    explicit VigiaPlataforma(const ConfigPortaria& config, QObject* parent = nullptr);

    void recebe(const LeituraPlataforma& leitura);
    void verifica();
    // A weighing was saved: the deck must come back to zero before the next
    // one, and the passage under way (if any) was weighed.
    void pesagemSalva();

    EstadoPlataforma estado() const { return m_estado; }
    // The last weight read; none before the first reading.
    std::optional<Decimal> peso() const { return m_peso; }
    bool semLeitura() const { return m_semLeitura; }
    bool emPassagem() const { return m_estado != EstadoPlataforma::Vazia; }
    const Passagem& passagem() const { return m_passagem; }

    // The deck read a stable weight within ±Zero of zero for ZeroMs since the
    // last save (and since the watch started).
    bool zerada() const { return m_zerada; }
    // The last stable reading of the empty deck since the last save.
    std::optional<Decimal> ultimaLeituraVazia() const { return m_ultimaVazia; }
    // Why a save is refused by the zero rule; empty when the deck is zeroed.
    QString recusaZero() const;

    // "Plataforma vazia: 0 kg", "Veículo na plataforma: 27340 kg", "Balança sem leitura"
    QString textoStatus() const;
    static QString nomeEstado(EstadoPlataforma estado);

    const ConfigPortaria& config() const { return m_config; }

Q_SIGNALS:
    void estadoMudou(EstadoPlataforma estado);
    void pesoMudou();
    void zeroConfirmado();
    void leituraPerdida();
    void leituraVoltou();
    void passagemIniciada(const Passagem& passagem);
    // A new highest stable weight in the passage under way (the moment for
    // the cameras' pictures).
    void novoPesoMaximo(const Passagem& passagem);
    void passagemConcluida(const Passagem& passagem);

private:
    void mudaEstado(EstadoPlataforma novo);
    void acompanhaZero(const LeituraPlataforma& leitura, qint64 agora);
    void confirmaZeroSeCumpriu(qint64 agora);

    ConfigPortaria m_config;
    EstadoPlataforma m_estado = EstadoPlataforma::Vazia;
    std::optional<Decimal> m_peso;
    Decimal m_pesoParada; // the stable weight of the last stop in the passage
    Passagem m_passagem;
    qint64 m_ultimaLeituraMs = -1;
    bool m_semLeitura = false;
    qint64 m_zeroDesdeMs = -1;
    bool m_zerada = false;
    std::optional<Decimal> m_ultimaVazia;
};
