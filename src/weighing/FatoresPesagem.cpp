// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatoresPesagem.h"

#include "Conversao.h"
#include "FatorCorrecao.h"
#include "NumeroDigitado.h"

namespace FatoresPesagem
{

ChecagemFatores checa(TDM& dm, const ConfigPesagem& cfg, const QString& prdCodigo,
                      const std::array<QString, 4>& fatores)
{
    ChecagemFatores r;
    r.fatores = fatores;
    if (prdCodigo.trimmed().isEmpty() || (cfg.umidade == 0 && cfg.umidadeUnica == 0)) {
        return r;
    }
    std::array<Decimal, 4> v;
    Decimal soma;
    for (int i = 0; i < 4; ++i) {
        const auto d = NumeroDigitado(fatores[i]);
        if (!d) {
            return r;
        }
        v[i] = *d;
        soma += *d;
    }
    if (soma >= Decimal::fromInt(100)) {
        r.situacao = ChecagemFatores::SomaInvalida;
        r.mensagem = QStringLiteral("Fator de Correção inválido!");
        r.titulo = QStringLiteral("Informação!");
        r.fatores = {};
        return r;
    }
    r.situacao = ChecagemFatores::Aceitos;
    if (cfg.umidade == 2) {
        return r; // typed freely
    }
    for (int i = 0; i < 4; ++i) {
        if (CadastroFator::existe(dm, prdCodigo, v[i], 7 + i)) {
            r.fatores[i] = v[i].toString(cfg.casasDecimais);
        } else if (i == 3) {
            r.situacao = ChecagemFatores::Fator10NaoCadastrado;
            r.mensagem = QStringLiteral("Fator de Correção não cadastrado.");
            r.titulo = QStringLiteral("Atenção");
            r.icone = 48;
            r.fatores = {};
        }
    }
    return r;
}

std::optional<Umidade> calculaUmidade(TDM& dm, const ConfigPesagem& cfg, const QString& prdCodigo,
                                      const QString& umidade)
{
    const auto u = NumeroDigitado(umidade);
    if (!u) {
        return std::nullopt;
    }
    const DescontoUmidade d = DescontoUmidade::doProduto(dm, prdCodigo, *u);
    Umidade r;
    r.umidade = d.zeraUmidade() ? Decimal().toString(cfg.casasUmidade) : umidade;
    r.desconto = d.desconto.toString(cfg.casasUmidade);
    r.mensagem = d.mensagem();
    return r;
}

} // namespace FatoresPesagem
