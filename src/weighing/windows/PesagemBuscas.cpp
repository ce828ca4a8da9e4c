// The weighing window's look-ups (on leaving a code), pickers (F2 and the
// small buttons) and registries (F3).
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "Produto.h"
#include "Seletores.h"
#include "SessaoAtual.h"
#include "TDM.h"
#include "TFrmPesagem.h"
#include "TMaskEdit.h"

#include <QComboBox>
#include <QLineEdit>

namespace
{

QString codigoDe(const TMaskEdit* m)
{
    return m->vazio() ? QString() : m->maskText().trimmed();
}

} // namespace

// Leaving "Placa:": the newest weighing of the plate.
void TFrmPesagem::saiPlaca()
{
    const QString placa = FlatEdit3->text().trimmed();
    if (EstadoCadastro == 3 || EstadoCadastro == 1 || placa.isEmpty()) {
        return;
    }
    try {
        const auto h = ConsultaPesagem::historicoPlaca(*DM, placa, m_cfg.casasDecimais);
        if (!h.achou) {
            return;
        }
        if (h.aberta) {
            Mensagem(QStringLiteral("Caminhão com pesagem de entrada e sem pesagem de saída."),
                     QStringLiteral("Informação"), Msg::Informacao);
            FlatEdit3->clear();
            FlatEdit3->setFocus();
            return;
        }
        FlatEdit5->setText(h.motorista);
        FlatEdit4->setText(h.placaCarreta);
        if (m_modo == 2) {
            FlatEdit1->setText(h.pesoEntrada);
        }
        if (m_cfg.tipoVeiculo == 1 && h.tpvCodigo && DBComboTipo->isVisibleTo(this)) {
            DBComboTipo->setCurrentIndex(DBComboTipo->findData(*h.tpvCodigo));
            FlatEdit26->setText(h.valorTipo);
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

// Leaving "R.G. Motorista:" with the drivers registry in use.
void TFrmPesagem::saiRg()
{
    const QString rg = FlatEdit24->text().trimmed();
    if (EstadoCadastro == 3 || m_cfg.cadMotorista != 1 || rg.isEmpty()) {
        return;
    }
    try {
        const auto m = ConsultaPesagem::motorista(*DM, rg, m_cfg.casasDecimais);
        if (m.situacao != ConsultaPesagem::Motorista::Achado) {
            Mensagem(m.mensagem, QStringLiteral("Informação"), Msg::Informacao);
            FlatEdit24->clear();
            FlatEdit5->clear();
            FlatEdit24->setFocus();
            return;
        }
        FlatEdit5->setText(m.nome);
        if (m_modo == 2 && m_cfg.somenteSaida == 1) {
            if (FlatEdit3->text().trimmed().isEmpty()) {
                FlatEdit3->setText(m.placa);
            }
            if (FlatEdit1->text().trimmed().isEmpty()) {
                FlatEdit1->setText(m.tara); // the registered tare of the driver's vehicle
            }
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    UpdateSaveButton();
}

void TFrmPesagem::saiParte()
{
    if (EstadoCadastro == 3) {
        return;
    }
    const QString codigo = codigoDe(FlatMaskEdit7);
    try {
        FlatEdit12->setText(
            codigo.isEmpty()
                ? QString()
                : ConsultaPesagem::razao(*DM, codigo, ComboBox1->currentIndex() + 3).value_or(NaoCadastrado));
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    UpdateSaveButton();
}

void TFrmPesagem::saiTransportadora()
{
    if (EstadoCadastro == 3) {
        return;
    }
    const QString codigo = codigoDe(FlatMaskEdit6);
    try {
        FlatEdit11->setText(
            codigo.isEmpty() ? QString() : ConsultaPesagem::razao(*DM, codigo, 2).value_or(NaoCadastrado));
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    UpdateSaveButton();
}

void TFrmPesagem::saiProduto()
{
    if (EstadoCadastro == 3) {
        return;
    }
    const QString codigo = FlatMaskEdit3->text().trimmed();
    try {
        FlatEdit8->setText(codigo.isEmpty()
                               ? QString()
                               : CadastroProduto::descricao(*DM, codigo).value_or(NaoCadastrado).trimmed());
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    UpdateSaveButton();
}

void TFrmPesagem::saiTipoVeiculo()
{
    if (EstadoCadastro == 3 || !DBComboTipo->currentData().isValid()) {
        return;
    }
    try {
        FlatEdit26->setText(ConsultaPesagem::valorTipoVeiculo(*DM, DBComboTipo->currentData().toInt()));
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

void TFrmPesagem::buscaParte()
{
    if (EstadoCadastro == 3 || !FlatMaskEdit7->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::parte(this, ComboBox1->currentIndex() + 3)) {
        FlatMaskEdit7->setText(e->codigo);
        FlatEdit12->setText(e->nome);
    }
    FlatMaskEdit7->setFocus();
    UpdateSaveButton();
}

void TFrmPesagem::buscaTransportadora()
{
    if (EstadoCadastro == 3 || !FlatMaskEdit6->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::parte(this, 2)) {
        FlatMaskEdit6->setText(e->codigo);
        FlatEdit11->setText(e->nome);
    }
    FlatMaskEdit6->setFocus();
    UpdateSaveButton();
}

void TFrmPesagem::buscaMotorista(bool pelaPlaca)
{
    if (EstadoCadastro == 3 || !FlatEdit24->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::motorista(this, pelaPlaca)) {
        if (pelaPlaca) {
            FlatEdit3->setText(e->placa);
        }
        FlatEdit24->setText(e->rg);
        FlatEdit5->setText(e->nome);
    }
    UpdateSaveButton();
}

void TFrmPesagem::buscaProduto()
{
    if (EstadoCadastro == 3 || !FlatMaskEdit3->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::produto(this)) {
        FlatMaskEdit3->setText(e->codigo);
        FlatEdit8->setText(e->nome);
    }
    FlatMaskEdit3->setFocus();
    UpdateSaveButton();
}

void TFrmPesagem::buscaFator(int indice)
{
    if (EstadoCadastro == 3 || FlatMaskEdit3->text().trimmed().isEmpty()) {
        return;
    }
    if (const auto v = Seletores::fator(this, FlatMaskEdit3->text().trimmed(), 7 + indice)) {
        Fatores[size_t(indice)]->setText(*v);
    }
    UpdateSaveButton();
}

// F3: the full registry of the field's kind.
bool TFrmPesagem::cadastro(QWidget* campo)
{
    const bool parte = campo == FlatMaskEdit7;
    const bool transp = campo == FlatMaskEdit6;
    const bool produto = campo == FlatMaskEdit3;
    const bool motorista = campo == FlatEdit3 && m_cfg.cadMotorista == 1;
    if (!parte && !transp && !produto && !motorista) {
        return false;
    }
    if (!SessaoAtual.pode(SessaoAtual.Cadastros)) {
        Mensagem(QStringLiteral("Módulo com acesso restrito."), QStringLiteral("Informação"),
                 Msg::Informacao);
        return true;
    }
    if (parte) {
        const bool fornecedor = ComboBox1->currentIndex() == 1;
        Seletores::cadastroParte(this, fornecedor ? 4 : 3,
                                 fornecedor ? QStringLiteral("Cadastro de Fornecedor")
                                            : QStringLiteral("Cadastro de Cliente"));
    } else if (transp) {
        Seletores::cadastroParte(this, 2, QStringLiteral("Cadastro de Transportadora"));
    } else if (produto) {
        Seletores::cadastroProduto(this);
    } else if (const auto e = Seletores::cadastroMotorista(this); e && EstadoCadastro != 3) {
        FlatEdit3->setText(e->placa);
        FlatEdit24->setText(e->rg);
        FlatEdit5->setText(e->nome);
    }
    UpdateSaveButton();
    return true;
}
