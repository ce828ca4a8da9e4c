#pragma once

#include "Pesagem.h"
#include "QuadrosBalanca.h"
#include "RegrasPesagem.h"

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
};

// The receiving side of the scale link in the weighing window
// (CommPortDriver1ReceiveData): each chunk goes through the frame rules of the
// scale link, and the window is told what to show.
//
// Two rules are the weighing's own. When several frames arrive in one chunk
// only the newest is read, so an older reading never reaches the box. A
// reading the indicator marks as out of range (status bit 4, "FORA DE FAIXA")
// is shown with a yellow lamp and never saves itself, not even on demand.
class LeituraPeso
{
public:
    void configura(const ConfigPesagem& cfg);
    // The model is read again each time the port opens.
    void setModelo(int modelo) { m_leitura.setModelo(modelo); }
    // A new weighing: on demand the status text starts empty.
    void novaPesagem();

    EfeitoLeitura recebe(const char* dados, int quantidade);

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
    void setLeituraParada(bool parada) { m_leituraParada = parada; }
    bool leituraParada() const { return m_leituraParada; }
    // The port closed: the next reading starts afresh.
    void portaFechada();
    // viga.ini [serial] Silencio= (seconds, default 2); a value that is not
    // a positive number gives the default and the message in `erro`.
    static int tempoSilencioMs(QString* erro = nullptr);

private:
    TLeituraBalanca m_leitura;
    bool m_foraDeFaixa = false;
    bool m_leuPeso = false;
    bool m_leituraParada = false;
};
