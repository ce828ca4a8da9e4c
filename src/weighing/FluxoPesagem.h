// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cronometro.h"
#include "Evidencia.h"
#include "LeituraPeso.h"
#include "Pesagem.h"

#include <QHash>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Cameras;
class LeituraPlacaAssincrona;
struct LeituraPlaca;
class QTimer;
class TCommPortDriver;
class TDM;
class TQuery;

// The weighing as it runs, without a window: the live reading of the side
// being weighed and its stability, the evidence taken when Save is pressed,
// the save with its check of the stored row, the cameras' pictures and the
// ticket that waits for them, the exit list's poll and the lost connection
// found again. The weighing window shows what this says and forwards the
// operator's keys; tests drive it on a clock of their own.
//
// Its parts: the reading (FluxoPesagem.cpp), the save and its evidence, the
// pictures and the ticket (FluxoPesagemGravacao.cpp), the exit list
// (FluxoPesagemLista.cpp).
class FluxoPesagem : public QObject
{
    Q_OBJECT
public:
    // `modo`: 1 entry, 2 exit.
    FluxoPesagem(TDM& dm, int modo, Cronometro& relogio = Cronometro::doSistema(), QObject* parent = nullptr);
    ~FluxoPesagem() override;

    int modo() const { return m_modo; }
    // The settings of the reading: Config's, then viga.ini's silence and
    // stability times and cameras. Returns the warnings to show ("Aviso")
    // for settings that are not valid (the default is then used).
    QStringList configura(const ConfigPesagem& cfg);
    const ConfigPesagem& config() const { return m_cfg; }

    // --- the reading
    // The port being read (the session's, BalancaSessao); null when none.
    TCommPortDriver* porta() const;
    bool lendo() const { return porta() != nullptr; }
    const LeituraPeso& leitura() const { return m_leitura; }
    // A weighing is being edited: only then do readings count (a save being
    // answered is still one: the reading goes on behind its question).
    void setEditando(bool editando);
    bool editando() const { return m_editando; }
    // A new weighing on screen: the on-demand status starts empty, and a
    // plate read for the one before is forgotten.
    void novaPesagem();
    // Opens the port of the side being weighed (`balanca`: the "Balança"
    // selector's index), or shares it with the gate's reading of the deck.
    // Empty when it opened; else the message and its title. Throws ErroBanco
    // when Config cannot be read.
    std::optional<QPair<QString, QString>> abreLeitura(int balanca);
    void fechaLeitura();
    // One chunk from the port (the port's own poll calls it).
    void recebe(const char* dados, int quantidade);
    EstadoPeso estadoPeso(TLampada lampada) const { return m_leitura.estado(lampada); }

    // --- the save
    // F10 (or the typed weight accepted): the moment of the save. The stored
    // row is checked first (throws PesagemAlterada: nothing is asked, nothing
    // written); then the evidence of the side is taken as it is now (the
    // weight `peso` shown, the frame, the port and model, the stable time)
    // and the cameras asked for their pictures. `pesoCarregado`: the side's
    // weight as loaded (an unchanged one keeps its stored evidence).
    // A save that takes a new weight is first put to the gate (the deck
    // back to zero, no photocell cut): its refusal is returned and nothing
    // is taken; empty when the save goes on.
    [[nodiscard]] QString iniciaGravacao(const PesagemTela& p, const QString& peso, bool automatica,
                                         const QString& pesoCarregado);
    bool gravando() const { return m_gravando; }
    // The evidence taken at iniciaGravacao (none when the side keeps its weight).
    const std::optional<EvidenciaPesagem>& evidencia() const { return m_evidencia; }
    // Writes the weighing with the evidence taken (and the pictures come so
    // far); returns the number it was stored under. Throws PesagemAlterada
    // or ErroBanco: nothing written, the save is over.
    qint64 grava(PesagemTela& p, bool ticket, const std::function<void(const QString&)>& rastreio = {});
    // What the last save's success message adds (the gate's module did not
    // answer); empty when nothing.
    const QString& avisoGravacao() const { return m_avisoGravacao; }
    // The save ended without writing (refused, failed, given up).
    void desisteGravacao();

    // --- the pictures and the ticket
    Cameras* cameras() const { return m_cameras.get(); }
    // Prints the ticket of a committed weighing (number, mode, copies).
    std::function<void(qint64, int, int)> imprimeTicket;
    // The ticket of the last save: printed once its pictures are stored (at
    // once when none are expected; a camera is waited 2 s at most).
    void imprimeTicketDaGravacao(qint64 numero, int copias);
    // A ticket still waiting is printed now, with the pictures that came.
    void imprimeTicketAguardando();
    bool ticketAguardando() const { return m_ticketAguardando.has_value(); }

    // --- the plate read from the cameras' picture
    // The cameras are asked for a picture now and its plate is read off this
    // thread: `placaProposta` says what was read. Nothing happens without
    // cameras. (At "Novo", or when the truck is on the deck.)
    void lePlaca();
    // The reading of the weighing on screen, once it has come; the save keeps
    // it with the side's evidence, with whether the plate saved is the one read.
    const std::optional<PlacaLida>& placaLida() const { return m_placaLida; }

    // --- the exit list
    // Opens the list of weighings on `q` and notes what it showed.
    void abreLista(TQuery& q, bool todas);
    // Polls the list (every 5 s) while the exit window is idle and shown.
    void vigiaLista(bool vigiar);
    // One poll now: `listaMudou` when another workstation changed it.
    void confereLista();

Q_SIGNALS:
    // A new weight for the side's box.
    void pesoLido(const QString& peso);
    void lampada(TLampada cor);
    // The stability rule holds the lamp yellow for `ms` (0: no wait).
    void aguardandoEstavel(qint64 ms);
    // No valid frame for the silence time (true) or the port closed on a stale reading (false).
    void leituraParada(bool parada);
    // A frame the port cannot convert: the port was closed.
    void erroLeitura(const QString& titulo, const QString& texto);
    // The reading changed what Save may do.
    void leituraMudou();
    // On demand: the reading asks for the save at once.
    void salvarPedido();
    // The pictures of a saved side were stored.
    void fotosGravadas(qint64 numero, int lado);
    // A database failure outside any command (the pictures stored after a save).
    void falhaBanco(const QString& texto);
    // The exit list is no longer what is shown: read it again.
    void listaMudou();
    // The plate read from the picture, to be proposed; empty when the picture showed none.
    void placaProposta(const QString& placa, double confianca);

private:
    void silencio();
    void fimEsperaEstavel();
    void esperaEstavel(const EfeitoLeitura& e);
    qint64 agora() const { return m_relogio.agoraMs(); }
    int fotosAposGravar(qint64 numero, int lado);
    bool fotosPendentes(int pedido) const;
    void fotosConcluidas(qint64 numero, int lado, int pedido);

    TDM& m_dm;
    int m_modo;
    Cronometro& m_relogio;
    ConfigPesagem m_cfg;
    bool m_editando = false;
    LeituraPeso m_leitura;
    qint64 m_silencioMs = 2000;
    std::unique_ptr<Espera> m_silencio;
    std::unique_ptr<Espera> m_esperaEstavel;

    bool m_gravando = false;
    bool m_pesoNovo = false; // the save being made takes a new weight
    QString m_avisoGravacao;
    std::optional<EvidenciaPesagem> m_evidencia;
    std::unique_ptr<Cameras> m_cameras;
    int m_pedidoFotos = 0;     // the pictures of the save being made
    int m_fotosDaGravacao = 0; // those of the last save still expected
    // Saved sides whose pictures are still expected (number, side) -> request.
    QHash<QPair<qint64, int>, int> m_fotosPendentes;
    struct TicketAguardando {
        qint64 numero = 0;
        int modo = 1;
        int copias = 1;
        int pedidoFotos = 0;
    };
    std::optional<TicketAguardando> m_ticketAguardando;

    // FluxoPesagemPlaca.cpp
    void placaDaFoto(const QList<FotoCamera>& fotos, int pedido);
    void placaLidaNaFoto(const QString& arquivo, const LeituraPlaca& leitura, const QString& erro);
    std::unique_ptr<LeituraPlacaAssincrona> m_leitorPlaca;
    int m_pedidoPlaca = 0;  // the cameras' picture for the plate, while it is awaited
    QString m_arquivoPlaca; // the picture being read (a newer one replaces it)
    std::optional<PlacaLida> m_placaLida;

    QString m_assinaturaLista;
    TQuery* m_lista = nullptr;
    QTimer* m_timerLista = nullptr;
    bool m_vigiaLista = false;
};
