// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's save and delete.
#include "ChaveAcesso.h"
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "MensagensCadastro.h"
#include "RegrasPesagem.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmImpCopias.h"
#include "TFrmPesagem.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace
{

const QString sucesso = QStringLiteral("Operação efetuada com sucesso.");

// Raises a flag for the length of a scope.
struct Marca {
    explicit Marca(bool& b) : m_b(b) { m_b = true; }
    ~Marca() { m_b = false; }
    bool& m_b;
};

} // namespace

void TFrmPesagem::BtnSalvarClick()
{
    if (m_salvando || EstadoCadastro == 3) {
        return;
    }
    // Saved with the focus still in the invoice field: its text is read as on leaving it.
    if (ChaveAcesso::ler(campoNumeroNotaFiscal->text()).tipo != ChaveAcesso::Tipo::Numero &&
        !saiNotaFiscal()) {
        return;
    }
    Marca salvando(m_salvando);
    PesagemTela p = pesagem();

    // Which weighing must be the heavier one; a refusal leaves the weighing on screen.
    const OrdemPesos ordem = ConfereOrdemPesos(p.tipoParte, p.pesoEntrada, p.pesoSaida,
                                               SessaoAtual.pode(SessaoAtual.PesoInferiorSaida));
    if (ordem.acao == OrdemPesos::Recusa ||
        (ordem.acao == OrdemPesos::Pergunta &&
         Mensagem(ordem.mensagem, ordem.titulo, Msg::SimNao | Msg::Pergunta) == Msg::RespNao)) {
        if (ordem.acao == OrdemPesos::Recusa) {
            Mensagem(ordem.mensagem, ordem.titulo, Msg::Informacao);
        }
        campoPesoSaida->clear();
        campoPesoSaida->setFocus();
        return;
    }

    // The moment of the save: the weight and how it was taken, before any
    // question; the reading goes on behind the question.
    const int estado = EstadoCadastro;
    const QComboBox* modoPesagem = m_modo == 1 ? comboModoEntrada : comboModoSaida;
    try {
        // the gate refuses a deck not back to zero or a vehicle not wholly on it: nothing is stored
        const QString recusa = m_fluxo->iniciaGravacao(p, caixaDoLado()->text(),
                                                       modoPesagem->currentIndex() == 1, m_pesoCarregado);
        if (!recusa.isEmpty()) {
            Mensagem(recusa, QStringLiteral("Aviso"), Msg::Aviso);
            return;
        }
    } catch (const PesagemAlterada& e) {
        m_salvando = false;
        pesagemAlterada(e, p.codigo.toLongLong(), true);
        return;
    } catch (const ErroBanco& e) {
        m_fluxo->desisteGravacao();
        erroBanco(e);
        return;
    }
    bool ticket = false;
    int copias = 1;
    if (SalvaPesagem::perguntaTicket(p)) {
        TFrmImpCopias pergunta(this);
        pergunta.exec();
        ticket = pergunta.sim();
        copias = pergunta.copias();
    }
    m_imprimir = false;
    const QString numeroMostrado = p.codigo;
    qint64 numero = 0;
    try {
        std::function<void(const QString&)> rastreio;
        if (DM->rastreioSql) {
            rastreio = [](const QString& t) { Mensagem(t, QStringLiteral("Informação"), Msg::Informacao); };
        }
        numero = m_fluxo->grava(p, ticket, rastreio);
    } catch (const PesagemAlterada& e) {
        m_salvando = false; // (the weighing is loaded again below)
        pesagemAlterada(e, p.codigo.toLongLong(), true);
        return;
    } catch (const ErroBanco& e) {
        // Rolled back: the weighing stays on screen as it was typed.
        erroBanco(e);
        ajustaBotoes(estado);
        UpdateSaveButton();
        return;
    }
    ajustaBotoes(3);
    m_imprimir = ticket;
    m_copias = copias;
    mostraFotos(numero, m_modo);
    // The proposed number may have been taken by another workstation: the
    // operator is told the number the weighing was stored under.
    QString texto = QString::number(numero) == numeroMostrado
                        ? sucesso
                        : sucesso + QStringLiteral("\rPesagem gravada com o número %1.").arg(numero);
    if (!m_fluxo->avisoGravacao().isEmpty()) {
        texto += u'\r' + m_fluxo->avisoGravacao();
    }
    Mensagem(texto, QStringLiteral("Sucesso"), Msg::Informacao);
    if (m_imprimir) {
        // The ticket's preview shows the pictures: it comes once they are stored (2 s at most).
        m_fluxo->imprimeTicketDaGravacao(numero, m_copias);
    }

    ocioso();
    if (m_modo == 2) {
        try {
            abreLista(); // the saved weighing leaves the list of open weighings
        } catch (const ErroBanco& e) {
            erroBanco(e);
        }
    }
    focoInicial();
}

void TFrmPesagem::pesagemAlterada(const PesagemAlterada& e, qint64 codigo, bool daGravacao)
{
    // Nothing was written. From the save every operator is told what another
    // workstation did; a completed weighing is not the operator's to change,
    // otherwise the stored weighing comes up again as it is now.
    const bool concluida = e.situacao() == PesagemAlterada::Concluida;
    const bool recarrega = m_modo == 2 && e.situacao() != PesagemAlterada::Excluida &&
                           (!concluida || SessaoAtual.ehAdmin()) && daGravacao;
    ocioso();
    bool recarregada = false;
    if (m_modo == 2 && reabreListaEm(codigo) && recarrega) {
        carregaDaLista();
        recarregada =
            EstadoCadastro == 1 && campoCodigoPesagem->maskText().trimmed() == QString::number(codigo);
    }
    if (concluida && !SessaoAtual.ehAdmin() && !daGravacao) {
        Mensagem(QStringLiteral("Pesagem com saída confirmada. Será alterado somente pelo administrador."),
                 QStringLiteral("Informação"), Msg::Pergunta);
    } else {
        Mensagem(recarregada
                     ? e.texto() + QStringLiteral("\rA pesagem foi carregada novamente como está gravada.")
                     : e.texto(),
                 QStringLiteral("Informação"), Msg::Informacao);
    }
    if (!recarregada) {
        focoInicial();
    }
}

bool TFrmPesagem::reabreListaEm(qint64 codigo)
{
    try {
        abreLista();
    } catch (const ErroBanco& e) {
        erroBanco(e);
        return false;
    }
    TQuery& q = DM->QR_Pesagem;
    try {
        if (q.LocateExato(QStringLiteral("pes_codigo"), codigo)) {
            listaPesagens->selecionar(q.RecNo());
            return true;
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
        return false;
    }
    return false;
}

// The flow found the list changed: it is read again with the same weighing
// selected (only while the window is idle: the flow polls only then).
void TFrmPesagem::listaMudou()
{
    TQuery& q = DM->QR_Pesagem;
    const int linha = listaPesagens->linhaAtual();
    qint64 codigo = -1;
    try {
        if (q.Active() && linha >= 0) {
            codigo = q.valor(linha, q.record().indexOf(QStringLiteral("pes_codigo"))).toLongLong();
        }
    } catch (const ErroBanco&) {
        codigo = -1; // (the row is read again below)
    }
    if (!reabreListaEm(codigo) && listaPesagens->linhaAtual() < 0) {
        listaPesagens->selecionar(0);
    }
}

void TFrmPesagem::btnExcluirClick()
{
    if (m_modo != 2) {
        return;
    }
    if (!SessaoAtual.ehAdmin()) {
        Mensagem(QStringLiteral("Exclusão com acesso restrito ao Administrador."),
                 QStringLiteral("Informação"), Msg::Informacao);
        return;
    }
    TQuery& q = DM->QR_Pesagem;
    if (!q.Active() || q.IsEmpty() || listaPesagens->linhaAtual() < 0) {
        return;
    }
    if (Mensagem(QStringLiteral("Confirma exclusão do registro?"), QStringLiteral("Pergunta"),
                 Msg::SimNao | Msg::Pergunta | Msg::PadraoNao) == Msg::RespNao) {
        return;
    }
    const qint64 codigo = q.FieldByName(QStringLiteral("pes_codigo")).toLongLong();
    try {
        SalvaPesagem::excluir(*DM, codigo, ConsultaPesagem::linhaAtual(q));
        abreLista();
    } catch (const PesagemAlterada& e) {
        pesagemAlterada(e, codigo, false);
        return;
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErroExclusao(e);
        return;
    }
    Mensagem(sucesso, QStringLiteral("Sucesso"), Msg::Informacao);
    focoInicial(); // never left on "&Excluir", where the next Enter would delete the next row
}
