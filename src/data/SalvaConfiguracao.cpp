// SPDX-License-Identifier: GPL-3.0-or-later
#include "SalvaConfiguracao.h"

#include "Decimal.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TabelasPortaria.h"

#include <QVariant>

namespace SalvaConfiguracao
{

namespace
{

QVariant nulo(QMetaType::Type tipo)
{
    return QVariant(QMetaType(tipo));
}

QString texto(const QString& digitado)
{
    return TrocaCaractere(digitado, u'\'', u' ').trimmed();
}

// A whole number typed in a digits-only field.
std::optional<int> inteiro(const QString& digitado)
{
    bool ok = false;
    const int n = digitado.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

} // namespace

bool ler(TDM& dm, TValoresConfig& v)
{
    TQuery& q = dm.QR_Configuracao;
    q.Close();
    q.Open();
    if (q.IsEmpty()) {
        return false;
    }
    auto num = [&q](const char* coluna) {
        const QString c = QLatin1String(coluna);
        return q.FindField(c) ? q.AsInteger(c) : 0;
    };
    auto txt = [&q](const char* coluna) {
        const QString c = QLatin1String(coluna);
        return q.FindField(c) && !q.IsNull(c) ? q.AsString(c) : QString();
    };
    auto ligado = [&num](const char* coluna) { return num(coluna) != 0; };
    // a few flags were written 1/NULL and count as on only when exactly 1
    auto exato1 = [&num](const char* coluna) { return num(coluna) == 1; };

    v.porta = num("CFG_PORTA");
    v.portaSaida = num("CFG_PORTASAIDA");
    v.baud = num("CFG_BAUD");
    v.bits = num("CFG_BITS");
    v.paridade = num("CFG_PARIDADE");
    v.stop = num("CFG_STOP");
    v.fluxoHard = num("CFG_FLHARD");
    v.fluxoSoft = num("CFG_FLSOFT");
    v.modeloPlaca = num("CFG_MODELOPLACA");
    v.divisao = num("CFG_DIVISAO");
    v.interfaceSerial = num("CFG_INTERFACE");
    v.casasDecimais = num("CFG_CASASDECIMAIS");
    v.casasUmidade = num("CFG_CASASUMIDADE");
    v.impressora = num("CFG_IMPRESSORA");

    v.portaRede = txt("CFG_PORTAREDE");
    v.impressaoWindows = ligado("CFG_IMPRESSAOFORWINDOWS");
    const QString espaco = txt("CFG_LINESPACE").trimmed();
    v.espacoLinhas = inteiro(espaco) ? espaco : QStringLiteral("30");
    v.fontePadrao = txt("CFG_FONTEPADRAO");
    v.tamanhoFonte = txt("CFG_FONTETAMANHO");
    v.linhasTicket = txt("CFG_LINHASTICKET");
    v.ticketSintetico = ligado("CFG_TICKETSINTETICO");
    v.ticket40 = ligado("CFG_TICKET40");
    v.transportadora = exato1("CFG_IMPTRANSP");
    v.supervisor = ligado("CFG_SUPERVISOR");
    v.descricaoItem = txt("CFG_ITEMDESC");
    v.usaTemplate = ligado("CFG_TEMPLATE");
    v.templateEntrada = txt("CFG_TEMPLATEENTRADA");
    v.templateSaida = txt("CFG_TEMPLATESAIDA");
    v.cabecalho = ligado("CFG_CABECA");

    v.gradeProdutos = ligado("CFG_MORPRODUTO");
    v.clienteProdutoGrade = ligado("CFG_GRADE");
    const int saida = num("CFG_UMIDADE");
    v.fatorSaida = saida == 1 || saida == 2;
    if (v.fatorSaida) {
        v.tipoFatorSaida = saida == 1 ? FatorFixo : FatorVariavel;
    }
    // the entry list follows the same values, so saving unchanged keeps them
    const int entrada = num("CFG_UMIDADEE");
    v.fatorEntrada = entrada != 0;
    if (v.fatorEntrada) {
        v.tipoFatorEntrada = entrada == 1 ? FatorFixo : FatorVariavel;
    }
    v.somenteFator7 = ligado("CFG_UMIDADEUNICA");
    for (int i = 0; i < 10; ++i) {
        v.fatores[size_t(i)] = txt(QStringLiteral("CFG_FATOR%1").arg(i + 1).toLatin1().constData());
    }
    v.alteraDataHora = exato1("CFG_ALTERADATAHORA");
    v.exibePesagens = exato1("CFG_EXIBEPESAGENS");
    v.somenteProduto = ligado("CFG_SOMENTEPRODUTO");
    v.produtoOpcional = ligado("CFG_PRODUTOOPCIONAL");
    v.editarSaida = ligado("CFG_EDITARSAIDA");
    v.alteraCodigo = ligado("CFG_ALTERACODIGO");
    v.navio = ligado("CFG_NAVIO");
    v.taraPesagem = ligado("CFG_TARAPESAGEM");
    v.pesagemVagao = ligado("CFG_PESAGEMVAGAO");
    v.cadEmbalagem = ligado("CFG_CADEMBALAGEM");
    v.pesoEmbalagem = ligado("CFG_PESOEMBALAGEM");
    v.cadMotorista = ligado("CFG_CADMOTORISTA");
    v.frete = ligado("CFG_FRETE");
    v.produtoAlfa = ligado("CFG_PRDALFA");
    v.somenteSaida = ligado("CFG_SOMENTESAIDA");
    v.metrosCubicos = ligado("CFG_METROSCUBICOS");
    v.valorTonelada = ligado("CFG_VLRTONELADA");
    v.selecionaBalanca = ligado("CFG_SELECIONABAL");
    v.tipoVeiculo = ligado("CFG_TIPOVEICULO");
    v.pesagemObs = ligado("CFG_PESAGEMOBS");
    const QString tara = QStringLiteral("CFG_TARAFIXA");
    v.taraFixa = q.FindField(tara) && !q.IsNull(tara) ? q.AsDecimal(tara).toShortString() : QString();
    v.checaZero = TabelasPortaria::checaZero(dm);
    return true;
}

bool usaFatores(const TValoresConfig& v)
{
    return v.fatorSaida || v.fatorEntrada || v.somenteFator7;
}

bool podeSalvar(const TValoresConfig& v)
{
    if (!usaFatores(v)) {
        return true;
    }
    for (const QString& nome : v.fatores) {
        if (nome.trimmed().isEmpty()) {
            return false;
        }
    }
    return true;
}

Consistencia corrige(TValoresConfig& v)
{
    if (v.gradeProdutos && usaFatores(v)) {
        v.fatorSaida = v.fatorEntrada = v.somenteFator7 = false;
        return FatorComGrade;
    }
    if (v.somenteFator7 && (v.fatorSaida || v.fatorEntrada)) {
        v.fatorSaida = v.fatorEntrada = false;
        return SomenteFator7;
    }
    if (v.fatorEntrada && !v.fatorSaida) {
        v.fatorSaida = true;
        return EntradaSemSaida;
    }
    return Consistente;
}

QString mensagem(Consistencia c)
{
    switch (c) {
    case FatorComGrade:
        return QStringLiteral(
            "As configurações : Fator de Correção (Entrada/Saída) serão desabilitadas devido a "
            "Grade de produtos.");
    case SomenteFator7:
        return QStringLiteral("As configurações : Fator de Correção (Entrada/Saída) serão desabilitadas para "
                              "exibir apenas Fator 7");
    case EntradaSemSaida:
        return QStringLiteral(
            "Para utilizar Fator de Correção (Entrada) deve ser utilizado também o Fator de "
            "Correção (Saída).");
    case Consistente:
        break;
    }
    return QString();
}

QString ajustaLinhasTicket(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty()) {
        return QStringLiteral("66");
    }
    if (const auto n = inteiro(t); n && *n <= 32) {
        return QStringLiteral("33");
    }
    return texto;
}

QString normalizaFator(const QString& nome)
{
    const QString t = nome.trimmed();
    if (t.isEmpty()) {
        return t;
    }
    return (t.left(1).toUpper() + t.mid(1)).left(10);
}

int valorUmidade(bool ligado, int tipo)
{
    if (!ligado) {
        return 0;
    }
    return tipo == FatorFixo ? 1 : 2;
}

void montarGravacao(TDM& dm, const TValoresConfig& v)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Update CONFIG SET "));
    q.Add(QStringLiteral(" CFG_CHAVE=1"));
    int n = 0;
    auto coluna = [&q, &n](const QString& nome, const QVariant& valor) {
        const QString param = QStringLiteral("v%1").arg(++n);
        q.Add(QStringLiteral(",%1=:%2").arg(nome, param));
        q.setParam(param, valor);
    };
    auto indice = [&coluna](const char* nome, int valor) { coluna(QLatin1String(nome), valor); };
    auto umZero = [&coluna](const char* nome, bool ligado) { coluna(QLatin1String(nome), ligado ? 1 : 0); };
    // 1 when on, NULL when off
    auto umNulo = [&coluna](const char* nome, bool ligado) {
        coluna(QLatin1String(nome), ligado ? QVariant(1) : nulo(QMetaType::Int));
    };

    indice("CFG_PORTA", v.porta);
    indice("CFG_PORTASAIDA", v.portaSaida);
    indice("CFG_BAUD", v.baud);
    indice("CFG_STOP", v.stop);
    indice("CFG_PARIDADE", v.paridade);
    indice("CFG_BITS", v.bits);
    indice("CFG_FLHARD", v.fluxoHard);
    indice("CFG_FLSOFT", v.fluxoSoft);
    indice("CFG_MODELOPLACA", v.modeloPlaca);
    indice("CFG_INTERFACE", v.interfaceSerial);
    indice("CFG_UMIDADE", valorUmidade(v.fatorSaida, v.tipoFatorSaida));
    indice("CFG_UMIDADEE", valorUmidade(v.fatorEntrada, v.tipoFatorEntrada));
    umZero("CFG_UMIDADEUNICA", v.somenteFator7);
    umZero("CFG_IMPRESSAOFORWINDOWS", v.impressaoWindows);
    umZero("CFG_TICKETSINTETICO", v.ticketSintetico);
    umZero("CFG_MORPRODUTO", v.gradeProdutos);
    umNulo("CFG_EXIBEPESAGENS", v.exibePesagens);
    indice("CFG_LINESPACE", inteiro(v.espacoLinhas).value_or(30));
    indice("CFG_CASASDECIMAIS", v.casasDecimais);
    indice("CFG_CASASUMIDADE", v.casasUmidade);
    indice("CFG_IMPRESSORA", v.impressora);
    indice("CFG_DIVISAO", v.divisao);
    if (!texto(v.portaRede).isEmpty()) {
        coluna(QStringLiteral("CFG_PORTAREDE"), texto(v.portaRede));
    }
    if (const auto linhas = inteiro(v.linhasTicket)) {
        coluna(QStringLiteral("cfg_linhasTicket"), *linhas);
    }
    coluna(QStringLiteral("CFG_FONTEPADRAO"), texto(v.fontePadrao));
    coluna(QStringLiteral("CFG_ITEMDESC"), texto(v.descricaoItem));
    auto tara = Decimal::parse(v.taraFixa);
    if (!tara) {
        tara = Decimal::parse(ConverteNumero(v.taraFixa, true));
    }
    coluna(QStringLiteral("CFG_TARAFIXA"), tara ? QVariant(tara->toSqlString()) : nulo(QMetaType::QString));
    indice("CFG_FONTETAMANHO", inteiro(v.tamanhoFonte).value_or(8));
    umNulo("CFG_ALTERADATAHORA", v.alteraDataHora);
    umNulo("CFG_IMPTRANSP", v.transportadora);
    umNulo("CFG_TICKET40", v.ticket40);
    umZero("CFG_SOMENTEPRODUTO", v.somenteProduto);
    umZero("CFG_PRODUTOOPCIONAL", v.produtoOpcional);
    umZero("CFG_EDITARSAIDA", v.editarSaida);
    umZero("CFG_ALTERACODIGO", v.alteraCodigo);
    umZero("CFG_NAVIO", v.navio);
    umZero("CFG_TARAPESAGEM", v.taraPesagem);
    umZero("CFG_PESAGEMVAGAO", v.pesagemVagao);
    umZero("CFG_CADEMBALAGEM", v.cadEmbalagem);
    umZero("CFG_PESOEMBALAGEM", v.pesoEmbalagem);
    umZero("CFG_CADMOTORISTA", v.cadMotorista);
    umZero("CFG_SUPERVISOR", v.supervisor);
    umZero("CFG_FRETE", v.frete);
    umZero("CFG_PRDALFA", v.produtoAlfa);
    umZero("CFG_TEMPLATE", v.usaTemplate);
    umZero("CFG_CABECA", v.cabecalho);
    umZero("CFG_GRADE", v.clienteProdutoGrade);
    auto codigo = [](const QString& t) {
        const auto n = inteiro(t);
        return n ? QVariant(*n) : nulo(QMetaType::Int);
    };
    coluna(QStringLiteral("CFG_TEMPLATEENTRADA"), codigo(v.templateEntrada));
    coluna(QStringLiteral("CFG_TEMPLATESAIDA"), codigo(v.templateSaida));
    umZero("CFG_SOMENTESAIDA", v.somenteSaida);
    umZero("CFG_METROSCUBICOS", v.metrosCubicos);
    umZero("CFG_SELECIONABAL", v.selecionaBalanca);
    umZero("CFG_TIPOVEICULO", v.tipoVeiculo);
    umZero("CFG_PESAGEMOBS", v.pesagemObs);
    umZero("CFG_VLRTONELADA", v.valorTonelada);
    // the names only when a factor option uses them; otherwise the stored ones stay
    if (usaFatores(v)) {
        for (int i = 0; i < 10; ++i) {
            coluna(QStringLiteral("cfg_fator%1").arg(i + 1), texto(normalizaFator(v.fatores[size_t(i)])));
        }
    }
}

void gravar(TDM& dm, const TValoresConfig& v)
{
    Transacao tr(&dm);
    dm.QR_EXEC.ExecSQL();
    TabelasPortaria::defineChecaZero(dm, v.checaZero);
    tr.commit();
}

} // namespace SalvaConfiguracao
