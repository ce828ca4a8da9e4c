// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's save and delete.
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "Evidencia.h"
#include "RegrasPesagem.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmImpCopias.h"
#include "TFrmPesagem.h"
#include "TLampadaBalanca.h"

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

    // The moment of the save: the cameras' pictures are taken from here on,
    // while the ticket question is open and the save runs.
    pedeFotos();
    const int estado = EstadoCadastro;
    TFrmPadrao::BtnSalvarClick();
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
    std::optional<EvidenciaPesagem> evidencia;
    try {
        std::function<void(const QString&)> rastreio;
        if (DM->rastreioSql) {
            rastreio = [](const QString& t) { Mensagem(t, QStringLiteral("Informação"), Msg::Informacao); };
        }
        evidencia = evidenciaDoLado(p);
        numero = SalvaPesagem::salvar(*DM, p, m_cfg, ticket, rastreio, evidencia ? &*evidencia : nullptr);
    } catch (const PesagemAlterada& e) {
        esqueceFotos();
        pesagemAlterada(e, p.codigo.toLongLong(), true);
        return;
    } catch (const ErroBanco& e) {
        // Rolled back: the weighing stays on screen as it was typed.
        esqueceFotos();
        erroBanco(e);
        ajustaBotoes(estado);
        UpdateSaveButton();
        return;
    }
    m_imprimir = ticket;
    m_copias = copias;
    // Pictures that have not come yet complete the evidence when they do; the window does not wait.
    const int fotosPendentes = fotosAposGravar(numero, m_modo, evidencia);
    mostraFotos(numero, m_modo);
    // The proposed number may have been taken by another workstation: the
    // operator is told the number the weighing was stored under.
    Mensagem(QString::number(numero) == numeroMostrado
                 ? sucesso
                 : sucesso + QStringLiteral("\rPesagem gravada com o número %1.").arg(numero),
             QStringLiteral("Sucesso"), Msg::Informacao);
    if (m_imprimir) {
        // The ticket's preview shows the pictures: it comes once they are stored (2 s at most).
        imprimeTicketDaGravacao(numero, fotosPendentes);
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
    // Nothing was written. A completed weighing is not the operator's to
    // change; otherwise the stored weighing comes up again as it is now.
    const bool concluida = e.situacao() == PesagemAlterada::Concluida;
    const bool recarrega = m_modo == 2 && e.situacao() != PesagemAlterada::Excluida &&
                           (!concluida || SessaoAtual.ehAdmin()) && daGravacao;
    if (concluida && !SessaoAtual.ehAdmin()) {
        Mensagem(QStringLiteral("Pesagem com saída confirmada. Será alterado somente pelo administrador."),
                 QStringLiteral("Informação"), Msg::Pergunta);
    } else {
        Mensagem(recarrega
                     ? e.texto() + QStringLiteral("\rA pesagem foi carregada novamente como está gravada.")
                     : e.texto(),
                 QStringLiteral("Informação"), Msg::Informacao);
    }
    ocioso();
    if (m_modo == 2) {
        if (reabreListaEm(codigo) && recarrega) {
            carregaDaLista();
            return;
        }
    }
    focoInicial();
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

// Polled: when the open weighings changed (another workstation saved an
// entry, an exit or a delete), the idle window's list is read again, with
// the same weighing selected. A cheap indexed count, not the list itself.
void TFrmPesagem::confereLista()
{
    if (m_modo != 2 || EstadoCadastro != 3 || m_salvando || !isVisible() || !DM->Conectado() ||
        DM->InTransaction()) {
        return;
    }
    QString assinatura;
    try {
        assinatura = ConsultaPesagem::assinaturaLista(*DM);
    } catch (const ErroBanco&) {
        return; // a poll says nothing; the operator's next command reports the failure
    }
    TQuery& q = DM->QR_Pesagem;
    // (a list closed with a lost connection is read again too)
    if (assinatura == m_assinaturaLista && q.Active()) {
        return;
    }
    const int linha = listaPesagens->linhaAtual();
    const qint64 codigo = (q.Active() && linha >= 0)
                              ? q.valor(linha, q.record().indexOf(QStringLiteral("pes_codigo"))).toLongLong()
                              : -1;
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
        Mensagem(QStringLiteral("Erro ao excluir\rErro retornado:") + e.texto(), QStringLiteral("Erro"),
                 Msg::Erro);
        return;
    }
    Mensagem(sucesso, QStringLiteral("Sucesso"), Msg::Informacao);
    focoInicial(); // never left on "&Excluir", where the next Enter would delete the next row
}
