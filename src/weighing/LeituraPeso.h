// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Pesagem.h"
#include "QuadrosBalanca.h"
#include "RegrasPesagem.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <optional>

// What the weighing window does with one chunk from the scale port.
struct EfeitoLeitura {
    bool aceito = false;             // a whole frame: the Save button is re-evaluated
    std::optional<QString> peso;     // for the weight box of the window's side
    std::optional<TLampada> lampada; // new lamp colour, no outline
    bool fecharPorta = false;        // a conversion error: show it and close the port
    QString erroTitulo;
    QString erroTexto;
    bool salvarSeHabilitado = false; // on demand: save at once when Save is enabled
    // The stability rule holds the lamp yellow: ask again (reavalia) after this many ms.
    qint64 esperaMs = 0;
};

// The receiving side of the scale link in the weighing window
// (CommPortDriver1ReceiveData): each chunk goes through the frame rules of the
// scale link, and the window is told what to show.
//
// Two rules are the weighing's own. When several frames arrive in one chunk
// only the newest is read, so an older reading never reaches the box. A
// reading the indicator marks as out of range (status bit 4, "FORA DE FAIXA")
// is shown with a yellow lamp and never saves itself, not even on demand.
//
// The stability rule (viga.ini [balanca] EstavelMs, 0 = off): a stable
// reading counts as settled only once it has not changed for that long;
// until then the lamp stays yellow and the window asks again when the time
// is up (reavalia).
class LeituraPeso
{
public:
    LeituraPeso();
    void configura(const ConfigPesagem& cfg);
    void setEstavelMs(int ms) { m_estavelMs = qMax(0, ms); }
    int estavelMs() const { return m_estavelMs; }
    // The model is read again each time the port opens.
    void setModelo(int modelo) { m_leitura.setModelo(modelo); }
    // A new weighing: on demand the status text starts empty.
    void novaPesagem();

    // `agoraMs`: a monotonic time in ms (the default reads the machine's clock).
    EfeitoLeitura recebe(const char* dados, int quantidade, qint64 agoraMs = -1);
    // After the wait the stability rule asked for: green when the reading
    // stayed as it was (and on demand, the save), else still waiting.
    EfeitoLeitura reavalia(qint64 agoraMs = -1);

    // The frame that produced the weight on screen, as received.
    const QByteArray& quadro() const { return m_quadro; }
    // How long the stable reading on screen has not changed; 0 when none is stable.
    qint64 estavelHaMs(qint64 agoraMs = -1) const;
    // The names of the indicator's model and of the interface, as the settings show them.
    QString nomeModelo() const;
    QString nomeInterface() const;

    const QString& statusTexto() const { return m_leitura.statusTexto(); }
    bool demanda() const { return m_leitura.config().interfaceSerial == 1; }
    bool foraDeFaixa() const { return m_foraDeFaixa; }
    // The weight's standing for UpdateSaveButton with the lamp as it is.
    EstadoPeso estado(TLampada lampada) const;

    // A stopped indicator must not leave its last weight to be saved: once a
    // reading arrived, `tempoSilencioMs` without a valid frame makes it stale
    // (yellow lamp, Save disabled) until frames return. On demand the
    // indicator sends only when asked, so silence there is normal.
    bool vigiaSilencio() const { return !demanda() && m_leuPeso; }
    // A stale reading also restarts the stability time: the weight that
    // returns must settle again.
    void setLeituraParada(bool parada)
    {
        m_leituraParada = parada;
        if (parada) {
            m_pesoEstavel.clear();
            m_estavelDesde = -1;
        }
    }
    bool leituraParada() const { return m_leituraParada; }
    // The port closed: the next reading starts afresh.
    void portaFechada();
    // viga.ini [serial] Silencio= (seconds, default 2); a value that is not
    // a positive number gives the default and the message in `erro`.
    static int tempoSilencioMs(QString* erro = nullptr);

private:
    qint64 agora(qint64 agoraMs) const;
    // The lamp and on-demand save for a settled reading, or the wait.
    void aplicaRegraEstavel(EfeitoLeitura& e, bool demanda, qint64 agoraMs);

    TLeituraBalanca m_leitura;
    bool m_foraDeFaixa = false;
    bool m_leuPeso = false;
    bool m_leituraParada = false;
    int m_estavelMs = 0;
    QByteArray m_quadro;
    QString m_pesoEstavel;      // the stable weight being timed
    qint64 m_estavelDesde = -1; // since when, -1 = no stable reading
    bool m_demandaPendente = false;
    QElapsedTimer m_relogio;
};
