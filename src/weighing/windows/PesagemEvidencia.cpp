// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's evidence: the stability rule's wait, the cameras and
// their snapshots, and how the weight of the side being saved was taken.
#include "ArquivoIni.h"
#include "Cameras.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "Evidencia.h"
#include "PastaDados.h"
#include "SessaoAtual.h"
#include "TDM.h"
#include "TFrmPesagem.h"
#include "TLampadaBalanca.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

QWidget* TFrmPesagem::montaPainelFotos()
{
    m_painelFotos = new QWidget(this);
    m_painelFotos->setObjectName(QStringLiteral("PainelFotos"));
    auto* l = new QHBoxLayout(m_painelFotos);
    l->setContentsMargins(0, 0, 0, 0);
    for (size_t i = 0; i < m_fotos.size(); ++i) {
        m_fotos[i] = new QLabel(m_painelFotos);
        m_fotos[i]->setObjectName(i == 0 ? QStringLiteral("FotoFrente") : QStringLiteral("FotoTraseira"));
        m_fotos[i]->setFixedSize(160, 120);
        m_fotos[i]->setAlignment(Qt::AlignCenter);
        m_fotos[i]->setFrameShape(QFrame::StyledPanel);
        m_fotos[i]->setAccessibleName(i == 0 ? QStringLiteral("Câmera Frente")
                                             : QStringLiteral("Câmera Traseira"));
        l->addWidget(m_fotos[i]);
    }
    m_painelFotos->hide();
    m_esperaEstavel = new QTimer(this);
    m_esperaEstavel->setSingleShot(true);
    connect(m_esperaEstavel, &QTimer::timeout, this, [this] { fimEsperaEstavel(); });
    return m_painelFotos;
}

void TFrmPesagem::configuraEvidencia()
{
    const QString estavel =
        ArquivoIni::ler(QStringLiteral("balanca"), QStringLiteral("EstavelMs")).toString().trimmed();
    bool ok = true;
    const int ms = estavel.isEmpty() ? 0 : estavel.toInt(&ok);
    if (!ok || ms < 0) {
        Mensagem(QStringLiteral("Valor inválido em viga.ini: [balanca] EstavelMs=%1. Use um número de "
                                "milissegundos (0 desliga a regra); a regra fica desligada.")
                     .arg(estavel),
                 QStringLiteral("Aviso"), Msg::Aviso);
    }
    m_leitura.setEstavelMs(ok ? ms : 0);

    QString erro;
    const QList<Cameras::Camera> cameras = Cameras::doIni(PastaDados::ini(), &erro);
    if (!erro.isEmpty()) {
        Mensagem(erro, QStringLiteral("Aviso"), Msg::Aviso);
    }
    if (!cameras.isEmpty()) {
        m_cameras = std::make_unique<Cameras>(cameras);
        m_painelFotos->show();
    }
}

// The wait asked for by the stability rule is over.
void TFrmPesagem::fimEsperaEstavel()
{
    if (m_salvando || EstadoCadastro == 3) {
        return;
    }
    const EfeitoLeitura e = m_leitura.reavalia();
    if (!e.aceito) {
        return;
    }
    if (e.lampada) {
        lampadaBalanca->define(*e.lampada);
    }
    if (e.esperaMs > 0) {
        m_esperaEstavel->start(int(e.esperaMs));
    }
    UpdateSaveButton();
    if (e.salvarSeHabilitado && BtnSalvar->isEnabled()) {
        BtnSalvarClick();
    }
}

void TFrmPesagem::esperaEstavel(const EfeitoLeitura& e)
{
    if (e.esperaMs > 0) {
        m_esperaEstavel->start(int(e.esperaMs));
        lampadaBalanca->setToolTip(
            QStringLiteral("Aguardando o peso estável por %1 s")
                .arg(QString::number(m_leitura.estavelMs() / 1000.0, 'f', 1).replace(u'.', u',')));
    } else if (e.lampada) {
        m_esperaEstavel->stop();
        lampadaBalanca->setToolTip(QString());
    }
}

std::optional<EvidenciaPesagem> TFrmPesagem::evidenciaDoLado(const PesagemTela& p)
{
    const QComboBox* lista = m_modo == 1 ? comboModoEntrada : comboModoSaida;
    const QString peso = caixaDoLado()->text();
    const bool automatica = lista->currentIndex() == 1;
    const bool novoPeso =
        p.estado == 0 || peso != m_pesoCarregado || (automatica && !m_leitura.quadro().isEmpty());
    if (!novoPeso || peso.trimmed().isEmpty()) {
        return std::nullopt; // the side keeps the weight it had
    }
    EvidenciaPesagem ev;
    ev.peso = peso;
    ev.usuario = SessaoAtual.UsuarioLogado;
    ev.manual = !automatica || m_leitura.quadro().isEmpty();
    if (!ev.manual) {
        ev.quadro = m_leitura.quadro();
        ev.modelo = m_leitura.nomeModelo();
        ev.interface = m_leitura.nomeInterface();
        ev.porta = m_porta.PortName();
        ev.estavelMs = m_leitura.estavelHaMs();
    }
    if (m_cameras && m_pedidoFotos) {
        ev.fotos = m_cameras->fotos(m_pedidoFotos); // what has come so far
    }
    return ev;
}

namespace
{

// Runs `f` once the data module is outside a transaction: a save that keeps
// the window responsive while it waits for the database lets this run meanwhile.
void foraDeTransacao(TDM* dm, const std::function<void()>& f)
{
    if (!dm->InTransaction()) {
        f();
        return;
    }
    QTimer::singleShot(50, QCoreApplication::instance(), [dm, f] { foraDeTransacao(dm, f); });
}

} // namespace

void TFrmPesagem::pedeFotos()
{
    if (m_cameras && m_pedidoFotos == 0) {
        m_pedidoFotos = m_cameras->pede();
    }
}

void TFrmPesagem::esqueceFotos()
{
    if (m_cameras && m_pedidoFotos) {
        m_cameras->esquece(m_pedidoFotos);
    }
    m_pedidoFotos = 0;
}

int TFrmPesagem::fotosAposGravar(qint64 numero, int lado, const std::optional<EvidenciaPesagem>& gravada)
{
    const int pedido = std::exchange(m_pedidoFotos, 0);
    if (!m_cameras || !pedido) {
        return 0;
    }
    // What the stored row says, not what has come since: a picture that came
    // while the save ran is still to be written.
    const bool faltam = gravada && std::any_of(gravada->fotos.cbegin(), gravada->fotos.cend(),
                                               [](const FotoCamera& f) { return f.pendente; });
    if (!faltam) {
        m_cameras->esquece(pedido); // stored with the save, or nothing to store
        return 0;
    }
    // An earlier save of this side still waiting for its pictures: its row was replaced.
    const QPair<qint64, int> chave(numero, lado);
    if (const int anterior = m_fotosPendentes.take(chave)) {
        m_cameras->esquece(anterior);
    }
    m_fotosPendentes.insert(chave, pedido);
    // Stored even when the window has closed meanwhile (the cameras outlive it).
    const QPointer<TFrmPesagem> janela(this);
    TDM* dm = DM;
    const QString pasta = PastaDados::caminho();
    m_cameras->aoConcluir(pedido, [=](const QList<FotoCamera>& fotos) {
        foraDeTransacao(dm, [=] {
            try {
                Evidencia::completaFotos(*dm, numero, lado, fotos, pasta);
            } catch (const ErroBanco& e) {
                erroBanco(e);
            }
            if (janela) {
                janela->fotosConcluidas(numero, lado, pedido);
            }
        });
    });
    return fotosPendentes(pedido) ? pedido : 0; // (they may have come already)
}

bool TFrmPesagem::fotosPendentes(int pedido) const
{
    return pedido &&
           std::find(m_fotosPendentes.cbegin(), m_fotosPendentes.cend(), pedido) != m_fotosPendentes.cend();
}

void TFrmPesagem::fotosConcluidas(qint64 numero, int lado, int pedido)
{
    const QPair<qint64, int> chave(numero, lado);
    if (m_fotosPendentes.value(chave) == pedido) {
        m_fotosPendentes.remove(chave);
    }
    if (m_fotosMostradas == chave) {
        mostraFotos(numero, lado);
    }
    if (m_ticketAguardando && m_ticketAguardando->pedidoFotos == pedido) {
        imprimeTicketAguardando();
    }
}

void TFrmPesagem::imprimeTicketDaGravacao(qint64 numero, int pedidoFotos)
{
    if (!imprimeTicket) {
        return;
    }
    imprimeTicketAguardando(); // an earlier one goes first
    m_ticketAguardando = TicketAguardando{numero, m_modo, m_copias, pedidoFotos};
    // (the pictures may have come while the success message was open)
    if (!fotosPendentes(pedidoFotos)) {
        imprimeTicketAguardando();
    }
}

void TFrmPesagem::imprimeTicketAguardando()
{
    if (const auto t = std::exchange(m_ticketAguardando, std::nullopt); t && imprimeTicket) {
        imprimeTicket(t->numero, t->modo, t->copias);
    }
}

void TFrmPesagem::mostraFotos(qint64 numero, int lado)
{
    if (!m_cameras) {
        return;
    }
    m_fotosMostradas = {numero, lado};
    const QList<Evidencia::FotoGravada> fotos = Evidencia::fotosGravadas(PastaDados::caminho(), numero, lado);
    for (size_t i = 0; i < m_fotos.size(); ++i) {
        const QString camera = i == 0 ? QStringLiteral("Frente") : QStringLiteral("Traseira");
        QPixmap imagem;
        for (const Evidencia::FotoGravada& f : fotos) {
            if (f.camera == camera) {
                imagem.load(f.caminho);
            }
        }
        m_fotos[i]->setPixmap(imagem.isNull() ? QPixmap()
                                              : imagem.scaled(m_fotos[i]->size(), Qt::KeepAspectRatio,
                                                              Qt::SmoothTransformation));
        m_fotos[i]->setText(imagem.isNull() ? QStringLiteral("sem foto") : QString());
    }
}
