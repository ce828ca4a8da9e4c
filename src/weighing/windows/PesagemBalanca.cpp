// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's live weight: the read-weight procedure that opens the
// scale port, the weighing-mode lists, the "Balança" selector and the
// receiver of every chunk the port delivers.
#include "ConfiguraBalanca.h"
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

std::optional<TConfigPorta> configPorta()
{
    TQuery& q = DM->QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select CFG_PORTA,CFG_PORTASAIDA,CFG_BAUD,CFG_STOP,CFG_PARIDADE,CFG_BITS,CFG_FLHARD,"
                         "CFG_FLSOFT,CFG_MODELOPLACA,CFG_SELECIONABAL FROM CONFIG"));
    q.Open();
    if (q.IsEmpty()) {
        q.Clear();
        return std::nullopt;
    }
    TConfigPorta c;
    c.CFG_PORTA = q.AsInteger(QStringLiteral("CFG_PORTA"));
    c.CFG_PORTASAIDA = q.AsInteger(QStringLiteral("CFG_PORTASAIDA"));
    c.CFG_BAUD = q.AsInteger(QStringLiteral("CFG_BAUD"));
    c.CFG_STOP = q.AsInteger(QStringLiteral("CFG_STOP"));
    c.CFG_PARIDADE = q.AsInteger(QStringLiteral("CFG_PARIDADE"));
    c.CFG_BITS = q.AsInteger(QStringLiteral("CFG_BITS"));
    c.CFG_FLHARD = q.AsInteger(QStringLiteral("CFG_FLHARD"));
    c.CFG_FLSOFT = q.AsInteger(QStringLiteral("CFG_FLSOFT"));
    c.CFG_MODELOPLACA = q.AsInteger(QStringLiteral("CFG_MODELOPLACA"));
    c.CFG_SELECIONABAL = q.AsInteger(QStringLiteral("CFG_SELECIONABAL"));
    q.Close();
    return c;
}

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

void TFrmPesagem::fechaPorta()
{
    m_porta.Disconnect();
    m_silencio->stop();
    const bool estavaParada = m_leitura.leituraParada();
    m_leitura.portaFechada();
    if (estavaParada) {
        caixaDoLado()->setPlaceholderText(QString());
    }
}

void TFrmPesagem::leituraParada()
{
    if (!m_porta.Connected() || !m_leitura.vigiaSilencio()) {
        return;
    }
    m_leitura.setLeituraParada(true);
    // the last weight is not shown as if it were current
    QLineEdit* caixa = caixaDoLado();
    if (caixa->isReadOnly()) {
        caixa->clear();
        caixa->setPlaceholderText(QStringLiteral("SEM LEITURA"));
    }
    lampadaBalanca->define(TLampada::Amarela);
    UpdateSaveButton();
}

// "Ler Pes&o": opens the port of the side being weighed for automatic reading.
void TFrmPesagem::FlatButton1Click()
{
    std::optional<TConfigPorta> config;
    try {
        config = configPorta();
    } catch (const ErroBanco& e) {
        erroBanco(e);
        return;
    }
    if (!config) {
        Mensagem(QStringLiteral("Configuração não definida."), QStringLiteral("Erro"), Msg::Erro);
        return;
    }
    const QComboBox* lista = m_modo == 1 ? comboModoEntrada : comboModoSaida;
    if (lista->currentIndex() != 1) {
        // Manual weighing: the weight of this side is typed (the box of the
        // side being weighed is the one cleared).
        fechaPorta();
        leituraAutomatica(caixaDoLado(), false);
        lampadaBalanca->define(TLampada::Verde);
        return;
    }
    const TResultadoConfigPorta r =
        ConfiguraPortaBalanca(config, m_modo, comboBalanca->currentIndex(), m_porta);
    if (!r.ok) {
        Mensagem(r.mensagem, r.titulo, Msg::Erro);
        return;
    }
    m_leitura.setModelo(r.modelo);
    if (!m_porta.Connect()) {
        Mensagem(QStringLiteral("Erro ao conectar a balança"), QStringLiteral("Erro"), Msg::Erro);
        lampadaBalanca->define(TLampada::Vermelha);
    }
}

// A weighing-mode list changed or was left.
void TFrmPesagem::mudaModoPesagem(QComboBox* lista)
{
    const bool doModo =
        (lista == comboModoEntrada && m_modo == 1) || (lista == comboModoSaida && m_modo == 2);
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

// CommPortDriver1ReceiveData: every chunk of the poll.
void TFrmPesagem::CommPortDriver1ReceiveData(TCommPortDriver*, const char* data, int count)
{
    // Only a weighing being edited takes readings; none arrives into a save.
    if (m_salvando || EstadoCadastro == 3) {
        return;
    }
    const EfeitoLeitura e = m_leitura.recebe(data, count);
    if (!e.aceito) {
        return;
    }
    if (e.fecharPorta) {
        fechaPorta();
        Mensagem(e.erroTexto, e.erroTitulo, Msg::Erro);
        UpdateSaveButton();
        return;
    }
    QLineEdit* caixa = caixaDoLado();
    if (e.peso && caixa->isReadOnly()) {
        caixa->setPlaceholderText(QString());
        caixa->setText(*e.peso);
    }
    if (e.peso && m_leitura.vigiaSilencio()) {
        m_silencio->start(); // a valid frame: the silence is counted from here
    }
    if (e.lampada) {
        lampadaBalanca->define(*e.lampada);
    }
    esperaEstavel(e);
    UpdateSaveButton();
    if (e.salvarSeHabilitado && BtnSalvar->isEnabled()) {
        BtnSalvarClick(); // on demand: the reading saves the weighing at once
    }
}
