// SPDX-License-Identifier: GPL-3.0-or-later
#include "Pesagem.h"

#include "LeConfig.h"
#include "TDM.h"

const QString NaoCadastrado = QStringLiteral("NÃO CADASTRADO");

ConfigPesagem ConfigPesagem::ler(TDM& dm)
{
    LeConfig c(dm);
    ConfigPesagem r;
    if (!c.existe()) {
        return r;
    }
    r.somenteSaida = c.inteiro(QStringLiteral("CFG_SOMENTESAIDA"));
    r.morProduto = c.inteiro(QStringLiteral("CFG_MORPRODUTO"));
    r.tipoVeiculo = c.inteiro(QStringLiteral("CFG_TIPOVEICULO"));
    r.frete = c.inteiro(QStringLiteral("CFG_FRETE"));
    r.umidade = c.inteiro(QStringLiteral("CFG_UMIDADE"));
    r.umidadeE = c.inteiro(QStringLiteral("CFG_UMIDADEE"));
    r.umidadeUnica = c.inteiro(QStringLiteral("CFG_UMIDADEUNICA"));
    r.somenteProduto = c.inteiro(QStringLiteral("CFG_SOMENTEPRODUTO"));
    r.produtoOpcional = c.inteiro(QStringLiteral("CFG_PRODUTOOPCIONAL"));
    r.pesagemVagao = c.inteiro(QStringLiteral("CFG_PESAGEMVAGAO"));
    r.taraPesagem = c.inteiro(QStringLiteral("CFG_TARAPESAGEM"));
    r.casasDecimais = qBound(0, c.inteiro(QStringLiteral("CFG_CASASDECIMAIS")), 3);
    r.casasUmidade = qBound(0, c.inteiro(QStringLiteral("CFG_CASASUMIDADE")), 4);
    r.exibePesagens = c.inteiro(QStringLiteral("CFG_EXIBEPESAGENS"));
    r.grade = c.inteiro(QStringLiteral("CFG_GRADE"));
    r.cadMotorista = c.inteiro(QStringLiteral("CFG_CADMOTORISTA"));
    r.pesagemObs = c.inteiro(QStringLiteral("CFG_PESAGEMOBS"));
    r.navio = c.inteiro(QStringLiteral("CFG_NAVIO"));
    r.pesoEmbalagem = c.inteiro(QStringLiteral("CFG_PESOEMBALAGEM"));
    r.alteraDataHora = c.inteiro(QStringLiteral("CFG_ALTERADATAHORA"));
    r.editarSaida = c.inteiro(QStringLiteral("CFG_EDITARSAIDA"));
    r.selecionaBal = c.inteiro(QStringLiteral("CFG_SELECIONABAL"));
    r.interfaceSerial = c.inteiro(QStringLiteral("CFG_INTERFACE"));
    r.modeloPlaca = c.inteiro(QStringLiteral("CFG_MODELOPLACA"));
    r.divisao = c.inteiro(QStringLiteral("CFG_DIVISAO"));
    r.baud = c.inteiro(QStringLiteral("CFG_BAUD"));
    for (int i = 0; i < 4; ++i) {
        r.nomesFatores[i] = c.texto(QStringLiteral("CFG_FATOR%1").arg(7 + i));
    }
    return r;
}
