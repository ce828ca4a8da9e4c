// The weighing window's save and delete.
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
    try {
        std::function<void(const QString&)> rastreio;
        if (DM->rastreioSql) {
            rastreio = [](const QString& t) { Mensagem(t, QStringLiteral("Informação"), Msg::Informacao); };
        }
        const std::optional<EvidenciaPesagem> evidencia = evidenciaDoLado(p);
        SalvaPesagem::salvar(*DM, p, m_cfg, ticket, rastreio, evidencia ? &*evidencia : nullptr);
    } catch (const ErroBanco& e) {
        // Rolled back: the weighing stays on screen as it was typed.
        erroBanco(e);
        ajustaBotoes(estado);
        UpdateSaveButton();
        return;
    }
    m_imprimir = ticket;
    m_copias = copias;
    mostraFotos(p.codigo.toLongLong(), m_modo);
    Mensagem(sucesso, QStringLiteral("Sucesso"), Msg::Informacao);
    if (m_imprimir && imprimeTicket) {
        imprimeTicket(p.codigo.toLongLong(), m_modo, m_copias);
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
    try {
        SalvaPesagem::excluir(*DM, q.FieldByName(QStringLiteral("pes_codigo")).toLongLong());
        abreLista();
    } catch (const ErroBanco& e) {
        Mensagem(QStringLiteral("Erro ao excluir\rErro retornado:") + e.texto(), QStringLiteral("Erro"),
                 Msg::Erro);
        return;
    }
    Mensagem(sucesso, QStringLiteral("Sucesso"), Msg::Informacao);
    focoInicial(); // never left on "&Excluir", where the next Enter would delete the next row
}
