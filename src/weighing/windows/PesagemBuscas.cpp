// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <QLabel>
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
    const QString placa = campoPlaca->text().trimmed();
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
            campoPlaca->clear();
            campoPlaca->setFocus();
            return;
        }
        campoNomeMotorista->setText(h.motorista);
        campoPlacaCarreta->setText(h.placaCarreta);
        if (m_modo == 2) {
            campoPesoEntrada->setText(h.pesoEntrada);
        }
        if (m_cfg.tipoVeiculo == 1 && h.tpvCodigo && comboTipoVeiculo->isVisibleTo(this)) {
            comboTipoVeiculo->setCurrentIndex(comboTipoVeiculo->findData(*h.tpvCodigo));
            campoKmOuValor->setText(h.valorTipo);
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

void TFrmPesagem::propoePlaca(const QString& placa, double confianca)
{
    if (EstadoCadastro != 0) {
        return;
    }
    const QString confianca100 = QString::number(qRound(confianca * 100));
    m_placaLida->setText(
        placa.isEmpty()
            ? QStringLiteral("Câmera: placa não lida")
            : QStringLiteral("Placa lida pela câmera: %1 (confiança %2 %)").arg(placa, confianca100));
    m_placaLida->show();
    // Only into an empty field: what the operator typed stays.
    if (placa.isEmpty() || !campoPlaca->text().trimmed().isEmpty() || !campoPlaca->isEnabled()) {
        return;
    }
    campoPlaca->setText(placa);
    // Selected: Enter keeps it, typing replaces it.
    campoPlaca->selectAll();
    if (!campoPlaca->hasFocus()) {
        saiPlaca(); // the operator is past the field: its look-ups now
    }
}

// Leaving "R.G. Motorista:" with the drivers registry in use.
void TFrmPesagem::saiRg()
{
    const QString rg = campoRgMotorista->text().trimmed();
    if (EstadoCadastro == 3 || m_cfg.cadMotorista != 1 || rg.isEmpty()) {
        return;
    }
    try {
        const auto m = ConsultaPesagem::motorista(*DM, rg, m_cfg.casasDecimais);
        if (m.situacao != ConsultaPesagem::Motorista::Achado) {
            Mensagem(m.mensagem, QStringLiteral("Informação"), Msg::Informacao);
            campoRgMotorista->clear();
            campoNomeMotorista->clear();
            campoRgMotorista->setFocus();
            return;
        }
        campoNomeMotorista->setText(m.nome);
        if (m_modo == 2 && m_cfg.somenteSaida == 1) {
            if (campoPlaca->text().trimmed().isEmpty()) {
                campoPlaca->setText(m.placa);
            }
            if (campoPesoEntrada->text().trimmed().isEmpty()) {
                campoPesoEntrada->setText(m.tara); // the registered tare of the driver's vehicle
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
    const QString codigo = codigoDe(campoCodigoParte);
    try {
        campoNomeParte->setText(codigo.isEmpty()
                                    ? QString()
                                    : ConsultaPesagem::razao(*DM, codigo, comboTipoParte->currentIndex() + 3)
                                          .value_or(NaoCadastrado));
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
    const QString codigo = codigoDe(campoCodigoTransportadora);
    try {
        campoNomeTransportadora->setText(
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
    const QString codigo = campoCodigoProduto->text().trimmed();
    try {
        campoDescricaoProduto->setText(
            codigo.isEmpty() ? QString()
                             : CadastroProduto::descricao(*DM, codigo).value_or(NaoCadastrado).trimmed());
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    UpdateSaveButton();
}

void TFrmPesagem::saiTipoVeiculo()
{
    if (EstadoCadastro == 3 || !comboTipoVeiculo->currentData().isValid()) {
        return;
    }
    try {
        campoKmOuValor->setText(
            ConsultaPesagem::valorTipoVeiculo(*DM, comboTipoVeiculo->currentData().toInt()));
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

void TFrmPesagem::buscaParte()
{
    if (EstadoCadastro == 3 || !campoCodigoParte->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::parte(this, comboTipoParte->currentIndex() + 3)) {
        campoCodigoParte->setText(e->codigo);
        campoNomeParte->setText(e->nome);
    }
    campoCodigoParte->setFocus();
    UpdateSaveButton();
}

void TFrmPesagem::buscaTransportadora()
{
    if (EstadoCadastro == 3 || !campoCodigoTransportadora->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::parte(this, 2)) {
        campoCodigoTransportadora->setText(e->codigo);
        campoNomeTransportadora->setText(e->nome);
    }
    campoCodigoTransportadora->setFocus();
    UpdateSaveButton();
}

void TFrmPesagem::buscaMotorista(bool pelaPlaca)
{
    if (EstadoCadastro == 3 || !campoRgMotorista->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::motorista(this, pelaPlaca)) {
        if (pelaPlaca) {
            campoPlaca->setText(e->placa);
        }
        campoRgMotorista->setText(e->rg);
        campoNomeMotorista->setText(e->nome);
    }
    UpdateSaveButton();
}

void TFrmPesagem::buscaProduto()
{
    if (EstadoCadastro == 3 || !campoCodigoProduto->isEnabled()) {
        return;
    }
    if (const auto e = Seletores::produto(this)) {
        campoCodigoProduto->setText(e->codigo);
        campoDescricaoProduto->setText(e->nome);
    }
    campoCodigoProduto->setFocus();
    UpdateSaveButton();
}

void TFrmPesagem::buscaFator(int indice)
{
    if (EstadoCadastro == 3 || campoCodigoProduto->text().trimmed().isEmpty()) {
        return;
    }
    if (const auto v = Seletores::fator(this, campoCodigoProduto->text().trimmed(), 7 + indice)) {
        Fatores[size_t(indice)]->setText(*v);
    }
    UpdateSaveButton();
}

// F3: the full registry of the field's kind.
bool TFrmPesagem::cadastro(QWidget* campo)
{
    const bool parte = campo == campoCodigoParte;
    const bool transp = campo == campoCodigoTransportadora;
    const bool produto = campo == campoCodigoProduto;
    const bool motorista = campo == campoPlaca && m_cfg.cadMotorista == 1;
    if (!parte && !transp && !produto && !motorista) {
        return false;
    }
    if (!SessaoAtual.pode(SessaoAtual.Cadastros)) {
        Mensagem(QStringLiteral("Módulo com acesso restrito."), QStringLiteral("Informação"),
                 Msg::Informacao);
        return true;
    }
    if (parte) {
        const bool fornecedor = comboTipoParte->currentIndex() == 1;
        Seletores::cadastroParte(this, fornecedor ? 4 : 3,
                                 fornecedor ? QStringLiteral("Cadastro de Fornecedor")
                                            : QStringLiteral("Cadastro de Cliente"));
    } else if (transp) {
        Seletores::cadastroParte(this, 2, QStringLiteral("Cadastro de Transportadora"));
    } else if (produto) {
        Seletores::cadastroProduto(this);
    } else if (const auto e = Seletores::cadastroMotorista(this); e && EstadoCadastro != 3) {
        campoPlaca->setText(e->placa);
        campoRgMotorista->setText(e->rg);
        campoNomeMotorista->setText(e->nome);
    }
    UpdateSaveButton();
    return true;
}
