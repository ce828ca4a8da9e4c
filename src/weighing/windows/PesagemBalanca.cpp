// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's live weight: the read-weight procedure that opens the
// scale port, the weighing-mode lists, the "Balança" selector and the
// receiver of every chunk the port delivers.
#include "ConfiguraBalanca.h"
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "TDM.h"
#include "TFrmPesagem.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace
{

void leituraAutomatica(QLineEdit* caixa, bool automatica)
{
    caixa->clear();
    caixa->setReadOnly(automatica);
    caixa->setFocusPolicy(automatica ? Qt::NoFocus : Qt::StrongFocus);
}

} // namespace

QLineEdit* TFrmPesagem::caixaDoLado() const
{
    return m_modo == 1 ? campoPesoEntrada : campoPesoSaida;
}

// What the flow reads is shown here.
void TFrmPesagem::ligaFluxo()
{
    m_fluxo->imprimeTicket = [this](qint64 numero, int modo, int copias) {
        if (imprimeTicket) {
            imprimeTicket(numero, modo, copias);
        }
    };
    connect(m_fluxo, &FluxoPesagem::pesoLido, this, [this](const QString& peso) {
        QLineEdit* caixa = caixaDoLado();
        // the box keeps the weight being saved while the save is answered
        if (caixa->isReadOnly() && !m_salvando) {
            caixa->setPlaceholderText(QString());
            caixa->setText(peso);
        }
    });
    connect(m_fluxo, &FluxoPesagem::lampada, this, [this](TLampada cor) { lampadaBalanca->define(cor); });
    connect(m_fluxo, &FluxoPesagem::leituraParada, this, &TFrmPesagem::leituraParada);
    connect(m_fluxo, &FluxoPesagem::aguardandoEstavel, this, [this](qint64 ms) {
        lampadaBalanca->setToolTip(
            ms > 0 ? QStringLiteral("Aguardando o peso estável por %1 s")
                         .arg(QString::number(double(ms) / 1000.0, 'f', 1).replace(u'.', u','))
                   : QString());
    });
    connect(m_fluxo, &FluxoPesagem::erroLeitura, this,
            [this](const QString& titulo, const QString& texto) { Mensagem(texto, titulo, Msg::Erro); });
    connect(m_fluxo, &FluxoPesagem::leituraMudou, this, [this] {
        if (!m_salvando) {
            UpdateSaveButton();
        }
    });
    connect(m_fluxo, &FluxoPesagem::salvarPedido, this, [this] {
        if (BtnSalvar->isEnabled()) {
            BtnSalvarClick(); // on demand: the reading saves the weighing at once
        }
    });
    connect(m_fluxo, &FluxoPesagem::fotosGravadas, this, [this](qint64 numero, int lado) {
        if (m_fotosMostradas == QPair<qint64, int>(numero, lado)) {
            mostraFotos(numero, lado);
        }
    });
    connect(m_fluxo, &FluxoPesagem::falhaBanco, this,
            [](const QString& texto) { erroBanco(ErroBanco(texto)); });
    connect(m_fluxo, &FluxoPesagem::listaMudou, this, &TFrmPesagem::listaMudou);
}

void TFrmPesagem::fechaPorta()
{
    m_fluxo->fechaLeitura();
}

void TFrmPesagem::leituraParada(bool parada)
{
    QLineEdit* caixa = caixaDoLado();
    if (!parada) {
        caixa->setPlaceholderText(QString());
        return;
    }
    // the last weight is not shown as if it were current; a save being
    // answered keeps the weight it took
    if (caixa->isReadOnly() && !m_salvando) {
        caixa->clear();
        caixa->setPlaceholderText(QStringLiteral("SEM LEITURA"));
    }
    if (!m_salvando) {
        UpdateSaveButton();
    }
}

// "Ler Pes&o": opens the port of the side being weighed for automatic reading.
void TFrmPesagem::FlatButton1Click()
{
    const QComboBox* lista = m_modo == 1 ? comboModoEntrada : comboModoSaida;
    if (lista->currentIndex() != 1) {
        // Manual weighing: the weight of this side is typed (the box of the
        // side being weighed is the one cleared).
        fechaPorta();
        leituraAutomatica(caixaDoLado(), false);
        lampadaBalanca->define(TLampada::Verde);
        return;
    }
    try {
        if (const auto recusa = m_fluxo->abreLeitura(comboBalanca->currentIndex())) {
            Mensagem(recusa->first, recusa->second, Msg::Erro);
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

// A weighing-mode list changed or was left.
void TFrmPesagem::mudaModoPesagem(QComboBox* lista)
{
    const bool doModo =
        (lista == comboModoEntrada && m_modo == 1) || (lista == comboModoSaida && m_modo == 2);
    if (m_salvando) {
        return; // (the focus leaves for the save's question: the reading stays as it is)
    }
    if (!doModo || EstadoCadastro == 3 || campoCodigoPesagem->maskText().trimmed().isEmpty()) {
        UpdateSaveButton();
        return;
    }
    QLineEdit* caixa = lista == comboModoEntrada ? campoPesoEntrada : campoPesoSaida;
    if (lista->currentIndex() == 1) {
        leituraAutomatica(caixa, true);
        lampadaBalanca->define(TLampada::Vermelha);
        FlatButton1Click();
    } else if (lista->currentIndex() == 0) {
        leituraAutomatica(caixa, false);
        lampadaBalanca->define(TLampada::Verde);
        fechaPorta();
    }
    UpdateSaveButton();
}

void TFrmPesagem::mudaBalanca()
{
    if (m_salvando) {
        return;
    }
    QComboBox* lista = m_modo == 1 ? comboModoEntrada : comboModoSaida;
    if (EstadoCadastro != 3 && !campoCodigoPesagem->maskText().trimmed().isEmpty() &&
        lista->currentIndex() == 1) {
        fechaPorta();
        leituraAutomatica(caixaDoLado(), true);
        lampadaBalanca->define(TLampada::Vermelha);
        FlatButton1Click();
    }
    UpdateSaveButton();
}
