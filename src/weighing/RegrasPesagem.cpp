// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegrasPesagem.h"

#include "Decimal.h"
#include "Rotinas.h"

namespace
{

const QString tituloInformacao = QStringLiteral("Informação!");

bool vazio(const QString& t)
{
    return t.trimmed().isEmpty();
}

bool ehNumero(const QString& t)
{
    return Decimal::parse(t).has_value();
}

} // namespace

bool HoraVazia(const QString& hora)
{
    QString t = hora;
    t.remove(u':');
    return t.trimmed().isEmpty();
}

bool PesoOk(const QString& caixa, const EstadoPeso& peso)
{
    const auto v = Decimal::parse(caixa);
    if (!v || *v <= Decimal() || peso.leituraParada) {
        return false;
    }
    if (peso.demanda) {
        // On demand every reading is a settled one, unless the indicator
        // itself marked it as out of range.
        return !peso.foraDeFaixa;
    }
    return peso.lampadaVerde;
}

bool ProdutoOk(const PesagemTela& p, const ConfigPesagem& cfg)
{
    if (cfg.morProduto == 1) {
        for (const ProdutoGrade& g : p.produtos) {
            if (!vazio(g.codigo) || !vazio(g.descricao)) {
                return true;
            }
        }
        return false;
    }
    return !vazio(p.prdCodigo) && p.prdDescricao != NaoCadastrado;
}

RegraSalvar UpdateSaveButton(const PesagemTela& p, const ConfigPesagem& cfg, const EstadoPeso& peso)
{
    RegraSalvar r;
    if (p.estado == 3) {
        return r;
    }
    if (p.modo == 1) {
        const bool pesoOk = PesoOk(p.pesoEntrada, peso);
        const bool dataOk = !DataVazia(p.dataEntrada) && EhData(p.dataEntrada);
        const bool nomesOk = p.traRazao != NaoCadastrado && p.cadRazao != NaoCadastrado;
        if (cfg.somenteProduto != 0) {
            r.placaObrigatoria = false;
            r.nomeObrigatorio = false;
            r.parteObrigatoria = false;
            r.habilitado = !vazio(p.codigo) && dataOk && !HoraVazia(p.horaEntrada) && nomesOk &&
                           ProdutoOk(p, cfg) && pesoOk;
            return r;
        }
        r.nomeObrigatorio = cfg.pesagemVagao != 1;
        r.produtoObrigatorio = cfg.produtoOpcional == 0;
        r.habilitado = !vazio(p.codigo) && dataOk && !HoraVazia(p.horaEntrada) && !vazio(p.placa) &&
                       !vazio(p.cadCodigo) && nomesOk && !vazio(p.cadRazao) && pesoOk &&
                       (!r.nomeObrigatorio || !vazio(p.motorista)) &&
                       (cfg.taraPesagem != 1 || !vazio(p.traCodigo)) &&
                       (!r.produtoObrigatorio || ProdutoOk(p, cfg));
        return r;
    }
    // Exit. Factors count only where the window shows them: with the product
    // grid they are hidden and never block the save.
    bool fatoresOk = true;
    if (cfg.umidade != 0) {
        for (int i = 0; i < 4; ++i) {
            if (p.fatorVisivel[i] && !ehNumero(p.fatores[i])) {
                fatoresOk = false;
            }
        }
    }
    r.habilitado = EhHora(p.horaSaida) && !HoraVazia(p.horaSaida) && !DataVazia(p.dataSaida) &&
                   EhData(p.dataSaida) && PesoOk(p.pesoSaida, peso) && fatoresOk;
    return r;
}

Checagem ChecaDataEntrada(const QString& data, const QDate& hoje)
{
    Checagem c;
    c.texto = data;
    if (DataVazia(data) || !EhData(data)) {
        return c;
    }
    if (LeData(data) < hoje) {
        c.recusado = true;
        c.texto.clear();
        c.mensagem = QStringLiteral("Data de Entrada não pode ser menor que data Atual!");
        c.titulo = tituloInformacao;
        return c;
    }
    c.texto = FormataData(data);
    return c;
}

Checagem ChecaDataSaida(const QString& dataSaida, const QString& dataEntrada)
{
    Checagem c;
    c.texto = dataSaida;
    if (DataVazia(dataSaida)) {
        return c;
    }
    if (!EhData(dataSaida)) {
        c.recusado = true;
        c.texto.clear();
        c.mensagem = QStringLiteral("Data inválida!");
        c.titulo = tituloInformacao;
        c.icone = IconePesagem::Pergunta;
        return c;
    }
    if (EhData(dataEntrada) && LeData(dataSaida) < LeData(dataEntrada)) {
        c.recusado = true;
        c.texto.clear();
        c.mensagem = QStringLiteral("Data de Saída não pode ser menor que data de Entrada!");
        c.titulo = tituloInformacao;
        return c;
    }
    c.texto = FormataData(dataSaida);
    return c;
}

Checagem ChecaHoraEntrada(const QString& hora)
{
    Checagem c;
    c.texto = hora;
    if (!EhHora(hora)) {
        c.recusado = true;
        c.texto.clear();
    }
    return c;
}

Checagem ChecaHoraSaida(const QString& horaSaida, const QString& horaEntrada, const QString& dataEntrada,
                        const QString& dataSaida)
{
    Checagem c = ChecaHoraEntrada(horaSaida);
    if (c.recusado) {
        return c;
    }
    if (EhData(dataEntrada) && EhData(dataSaida) && LeData(dataEntrada) == LeData(dataSaida) &&
        EhHora(horaEntrada)) {
        const QTime s = QTime::fromString(horaSaida.trimmed(), QStringLiteral("HH:mm:ss"));
        const QTime e = QTime::fromString(horaEntrada.trimmed(), QStringLiteral("HH:mm:ss"));
        if (s.isValid() && e.isValid() && s < e) {
            c.recusado = true;
            c.texto.clear();
            c.mensagem = QStringLiteral("Hora de Saída não pode ser menor que Hora de Entrada!");
            c.titulo = tituloInformacao;
        }
    }
    return c;
}

QString NormalizaPeso(const QString& caixa, int casas, bool caixaEntrada)
{
    if (caixaEntrada && caixa.trimmed() == QLatin1String(",")) {
        return QString();
    }
    return Decimal::fromText(caixa).toString(casas);
}

QString NormalizaPesoNota(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty() || t == QLatin1String(",")) {
        return QStringLiteral("0,00");
    }
    return texto;
}

OrdemPesos ConfereOrdemPesos(int tipoParte, const QString& pesoEntrada, const QString& pesoSaida,
                             bool permitido)
{
    OrdemPesos r;
    const auto e = Decimal::parse(pesoEntrada);
    const auto s = Decimal::parse(pesoSaida);
    if (!e || !s) {
        return r;
    }
    if (tipoParte == 0 && *s < *e) {
        if (permitido) {
            r.acao = OrdemPesos::Pergunta;
            r.mensagem =
                QStringLiteral("Confirma pesagem de Cliente com peso de Saída inferior ao peso de Entrada?");
            r.titulo = QStringLiteral("Pergunta");
        } else {
            r.acao = OrdemPesos::Recusa;
            r.mensagem = QStringLiteral("Usuário sem permissão para efetuar pesagem de Cliente\rcom peso de "
                                        "Saída inferior ao peso de Entrada");
            r.titulo = QStringLiteral("Aviso");
        }
    } else if (tipoParte == 1 && *s > *e) {
        if (permitido) {
            r.acao = OrdemPesos::Pergunta;
            r.mensagem = QStringLiteral(
                "Confirma pesagem de Fornecedor com peso de Entrada inferior ao peso de Saída?");
            r.titulo = QStringLiteral("Pergunta");
        } else {
            r.acao = OrdemPesos::Recusa;
            r.mensagem =
                QStringLiteral("Usuário sem permissão para efetuar pesagem de Fornecedor\rcom peso de "
                               "Entrada inferior ao peso de Saída");
            r.titulo = QStringLiteral("Aviso");
        }
    }
    return r;
}

PesagemTela NovaPesagem(int modo, const ConfigPesagem& cfg, qint64 proximoCodigo, const QDateTime& agora)
{
    PesagemTela p;
    p.modo = modo;
    p.estado = 0;
    const QString hoje = agora.date().toString(QStringLiteral("dd/MM/yyyy"));
    const QString hora = agora.time().toString(QStringLiteral("HH:mm:ss"));
    if (modo == 1 || cfg.somenteSaida == 1) {
        p.codigo = QString::number(proximoCodigo);
        p.dataEntrada = hoje;
        p.horaEntrada = hora;
    }
    if (modo == 2 && cfg.somenteSaida == 1) {
        p.dataSaida = hoje;
        p.horaSaida = hora;
        p.manualEntrada = 0;
    }
    return p;
}
