// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's checks when the operator leaves a date, time,
// weight, factor or moisture field.
#include "ChaveAcesso.h"
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "FatoresPesagem.h"
#include "RegrasPesagem.h"
#include "Relogio.h"
#include "TDM.h"
#include "TFrmPesagem.h"
#include "TMaskEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void TFrmPesagem::recusa(QWidget* campo, const QString& mensagem, const QString& titulo, int icone)
{
    if (!mensagem.isEmpty()) {
        Mensagem(mensagem, titulo, icone);
    }
    if (auto* e = qobject_cast<QLineEdit*>(campo)) {
        e->clear();
    }
    campo->setFocus();
}

void TFrmPesagem::aplicaChecagemData(TMaskEdit* campo, const Checagem& c)
{
    if (c.recusado) {
        recusa(campo, c.mensagem, c.titulo, c.icone);
    } else if (c.texto != campo->maskText()) {
        campo->setText(c.texto);
    }
}

void TFrmPesagem::saiDataEntrada()
{
    if (EstadoCadastro == 3 || campoDataEntrada->isReadOnly()) {
        return;
    }
    aplicaChecagemData(campoDataEntrada, ChecaDataEntrada(campoDataEntrada->maskText(), Relogio::hoje()));
}

void TFrmPesagem::saiDataSaida()
{
    if (EstadoCadastro == 3 || campoDataSaida->isReadOnly()) {
        return;
    }
    aplicaChecagemData(campoDataSaida,
                       ChecaDataSaida(campoDataSaida->maskText(), campoDataEntrada->maskText()));
}

void TFrmPesagem::saiHoraEntrada()
{
    if (EstadoCadastro == 3 || campoHoraEntrada->isReadOnly()) {
        return;
    }
    const Checagem c = ChecaHoraEntrada(campoHoraEntrada->maskText());
    if (c.recusado) {
        recusa(campoHoraEntrada, c.mensagem, c.titulo, c.icone);
    }
}

void TFrmPesagem::saiHoraSaida()
{
    if (EstadoCadastro == 3 || campoHoraSaida->isReadOnly()) {
        return;
    }
    const Checagem c = ChecaHoraSaida(campoHoraSaida->maskText(), campoHoraEntrada->maskText(),
                                      campoDataEntrada->maskText(), campoDataSaida->maskText());
    if (c.recusado) {
        recusa(campoHoraSaida, c.mensagem, c.titulo, c.icone);
    }
}

void TFrmPesagem::saiPeso(QLineEdit* caixa)
{
    if (EstadoCadastro == 3 || caixa->isReadOnly() || m_salvando) {
        return;
    }
    caixa->setText(NormalizaPeso(caixa->text(), m_cfg.casasDecimais, caixa == campoPesoEntrada));
}

void TFrmPesagem::saiFator()
{
    if (EstadoCadastro == 3 || m_modo != 2) {
        return;
    }
    try {
        const auto r = FatoresPesagem::checa(
            *DM, m_cfg, campoCodigoProduto->text(),
            {Fatores[0]->text(), Fatores[1]->text(), Fatores[2]->text(), Fatores[3]->text()});
        if (r.situacao == FatoresPesagem::ChecagemFatores::NaoSeAplica) {
            return;
        }
        if (!r.mensagem.isEmpty()) {
            Mensagem(r.mensagem, r.titulo, r.icone);
        }
        for (int i = 0; i < 4; ++i) {
            if (Fatores[size_t(i)]->text() != r.fatores[size_t(i)]) {
                Fatores[size_t(i)]->setText(r.fatores[size_t(i)]);
            }
        }
        if (r.limpa()) {
            UpdateSaveButton();
            Fatores[0]->setFocus();
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

void TFrmPesagem::saiUmidade()
{
    if (EstadoCadastro == 3) {
        return;
    }
    try {
        const auto r =
            FatoresPesagem::calculaUmidade(*DM, m_cfg, campoCodigoProduto->text(), campoUmidade->text());
        if (!r) {
            return;
        }
        if (!r->mensagem.isEmpty()) {
            Mensagem(r->mensagem, QStringLiteral("Informação"), Msg::Informacao);
        }
        campoUmidade->setText(r->umidade);
        campoFatorDescontoUmidade->setText(r->desconto);
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

bool TFrmPesagem::saiNotaFiscal()
{
    if (EstadoCadastro == 3 || !campoNumeroNotaFiscal->isEnabled()) {
        return true;
    }
    const QString texto = campoNumeroNotaFiscal->text();
    QString cnpjDaParte;
    if (ChaveAcesso::ler(texto).tipo == ChaveAcesso::Tipo::Chave && !campoCodigoParte->vazio()) {
        try {
            cnpjDaParte = ConsultaPesagem::cpfCgc(*DM, campoCodigoParte->maskText(),
                                                  comboTipoParte->currentIndex() + 3);
        } catch (const ErroBanco& e) {
            erroBanco(e); // the key is still read; only the issuer is not compared
        }
    }
    const NotaFiscalDigitada n = NotaFiscalDigitada::ler(texto, m_chaveNfe, cnpjDaParte, Relogio::hoje());
    if (n.recusada) {
        Mensagem(n.erro, QStringLiteral("Erro"), Msg::Erro);
        campoNumeroNotaFiscal->setFocus();
        return false;
    }
    m_chaveNfe = n.chave;
    if (n.numero != texto) {
        campoNumeroNotaFiscal->setText(n.numero);
    }
    mostraChaveNfe();
    if (!n.avisos.isEmpty()) {
        Mensagem(n.avisos.join(u'\r'), QStringLiteral("Aviso"), Msg::Aviso);
    }
    return true;
}

void TFrmPesagem::mostraChaveNfe()
{
    const ChaveAcesso c = ChaveAcesso::ler(m_chaveNfe);
    const bool comChave = c.tipo == ChaveAcesso::Tipo::Chave;
    m_resumoChaveNfe->setText(comChave ? QStringLiteral("Chave da N. F.: ") + c.resumo() : QString());
    m_resumoChaveNfe->setToolTip(comChave ? c.chave : QString());
    m_resumoChaveNfe->setVisible(comChave);
}
