// SPDX-License-Identifier: GPL-3.0-or-later
#include "SalvaPesagem.h"

#include "Auditoria.h"
#include "ConsultaPesagem.h"
#include "Decimal.h"
#include "PastaDados.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TDM.h"
#include "ValoresSql.h"

namespace
{

using ValoresSql::numero;

// The advisory lock under which the workstations take weighing numbers.
constexpr qint64 ChaveNumeroPesagem = 0x56494741; // "VIGA"
using ValoresSql::opcional;

QVariant nulo()
{
    return QVariant(QMetaType(QMetaType::QString));
}

QVariant hora(const QString& t)
{
    return EhHora(t.trimmed()) ? QVariant(t.trimmed()) : nulo();
}

// A number typed in a field, or 0.
QVariant numeroOuZero(const QString& t)
{
    const QVariant v = numero(t);
    return v.isNull() ? QVariant(QStringLiteral("0")) : v;
}

QVariant codigo(const QString& t)
{
    bool ok = false;
    const qint64 c = t.trimmed().toLongLong(&ok);
    return ok ? QVariant(c) : QVariant(QMetaType(QMetaType::LongLong));
}

// A factor as the product row stores it: the field's number, or 0.
QVariant fator(const QString& t, bool visivel = true)
{
    return visivel ? numeroOuZero(t) : QVariant(QStringLiteral("0"));
}

QVariant texto(const QString& t)
{
    // A text column that takes '' rather than NULL.
    const QString s = ValoresSql::texto(t);
    return QVariant(s.isNull() ? QStringLiteral("") : s);
}

struct Coluna {
    const char* nome;
    QVariant valor;
};

void adiciona(QList<Coluna>& c, const char* nome, const QVariant& v)
{
    c.append({nome, v});
}

// The vehicle-type value and discount, kept only with the vehicle type shown.
QVariant valorTipo(const QString& t, const ConfigPesagem& cfg)
{
    return cfg.tipoVeiculo == 1 ? numero(t) : nulo();
}

QVariant km(const PesagemTela& p, const ConfigPesagem& cfg)
{
    return (!p.km.trimmed().isEmpty() && cfg.tipoVeiculo != 1) ? numero(p.km) : nulo();
}

QVariant tpv(const PesagemTela& p)
{
    return p.tpvCodigo ? QVariant(*p.tpvCodigo) : QVariant(QMetaType(QMetaType::Int));
}

void executa(TDM& dm, const QStringList& sql, const QList<Coluna>& parametros,
             const std::function<void(const QString&)>& rastreio)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.setSQL(sql);
    for (const Coluna& c : parametros) {
        q.setParam(QString::fromLatin1(c.nome).toLower(), c.valor);
    }
    if (rastreio) {
        rastreio(q.TraceText());
    }
    q.ExecSQL();
}

void atualiza(TDM& dm, const PesagemTela& p, const ConfigPesagem& cfg, bool ticketSim, bool saidaGravada,
              const std::function<void(const QString&)>& rastreio)
{
    QList<Coluna> c;
    adiciona(c, "PES_TIPO", p.modo);
    if (p.modo == 2) {
        adiciona(c, "PES_MENSAGEMSAIDA", texto(p.statusTexto));
        // The exit update stores 1 when a ticket was asked for (the insert stores the opposite).
        adiciona(c, "PES_TKSAIDA", ticketSim ? 1 : 0);
        adiciona(c, "PES_DATASAIDA", ValoresSql::data(p.dataSaida));
        adiciona(c, "PES_HORASAIDA", hora(p.horaSaida));
        adiciona(c, "PES_PESOSAIDA", numero(p.pesoSaida));
    } else {
        // The entry window stores a re-weighed entry weight and leaves the
        // stored exit weight alone.
        adiciona(c, "PES_PESOENTRADA", numero(p.pesoEntrada));
    }
    adiciona(c, "PES_DATAENTRADA", ValoresSql::data(p.dataEntrada));
    adiciona(c, "PES_PLACA", opcional(p.placa));
    adiciona(c, "PES_PLACACARRETA", opcional(p.placaCarreta));
    adiciona(c, "PES_MOTORISTA", opcional(p.motorista));
    adiciona(c, "PES_NF", opcional(p.nf));
    adiciona(c, "PES_CHAVENFE", opcional(p.chaveNfe));
    adiciona(c, "PES_PESOEMBALAGEM", numero(p.pesoEmbalagem));
    adiciona(c, "PES_FRETE", numero(p.frete));
    adiciona(c, p.modo == 1 ? "PES_OBS" : "PES_OBSSAIDA", opcional(p.obs));
    // The one field holds the distance or, with the vehicle type on, the
    // value; the column the window did not show keeps what is stored (the
    // setting may have changed since this weighing's entry).
    const bool comTipoVeiculo = cfg.tipoVeiculo == 1;
    if (!comTipoVeiculo) {
        adiciona(c, "PES_KM", km(p, cfg));
    }
    adiciona(c, "PES_TARAPESAGEM", numero(p.tara));
    const bool comParte = !p.cadCodigo.trimmed().isEmpty();
    adiciona(c, "CAD_CODIGO", codigo(p.cadCodigo));
    adiciona(c, "CAD_TIPO", comParte ? QVariant(p.tipoParte + 3) : QVariant(QMetaType(QMetaType::Int)));
    adiciona(c, "PES_HORAENTRADA", hora(p.horaEntrada));
    adiciona(c, "PES_PESONOTA", numero(p.pesoNota));
    const bool comTransp = !p.traCodigo.trimmed().isEmpty();
    adiciona(c, "CAD_CODIGOTRA", codigo(p.traCodigo));
    adiciona(c, "CAD_TIPOTRA", comTransp ? QVariant(2) : QVariant(QMetaType(QMetaType::Int)));
    adiciona(c, "TPV_CODIGO", tpv(p));
    if (comTipoVeiculo) {
        adiciona(c, "PES_VALOR", valorTipo(p.km, cfg));
        adiciona(c, "PES_PERCDESC", valorTipo(p.percDesc, cfg));
    }
    if (p.modo == 2 || !saidaGravada) {
        adiciona(c, "PES_TKTMANUALSAIDA", p.manualSaida);
    }

    QStringList sql{QStringLiteral("Update PESAGEM SET ")};
    QStringList itens;
    for (const Coluna& col : c) {
        itens << QStringLiteral("%1=:%2").arg(QLatin1String(col.nome),
                                              QString::fromLatin1(col.nome).toLower());
    }
    sql << itens.join(QStringLiteral(", ")) << QStringLiteral(" Where PES_CODIGO=:pes_codigo");
    c.append({"PES_CODIGO", codigo(p.codigo)});
    executa(dm, sql, c, rastreio);
    if (dm.QR_EXEC.RowsAffected() == 0) {
        throw PesagemAlterada(PesagemAlterada::Excluida);
    }
}

void insere(TDM& dm, const PesagemTela& p, const ConfigPesagem& cfg, bool ticketSim,
            const std::function<void(const QString&)>& rastreio)
{
    QList<Coluna> c;
    adiciona(c, "PES_CODIGO", codigo(p.codigo));
    adiciona(c, "PES_TIPO", p.modo);
    // Stored inverted, as every workstation reads it: 0 when a ticket was asked for.
    adiciona(c, p.modo == 1 ? "PES_TKENTRADA" : "PES_TKSAIDA", ticketSim ? 0 : 1);
    adiciona(c, "PES_DATAENTRADA", ValoresSql::data(p.dataEntrada));
    adiciona(c, "PES_PLACA", opcional(p.placa));
    adiciona(c, "PES_PESOENTRADA", numero(p.pesoEntrada));
    adiciona(c, "PES_PLACACARRETA", opcional(p.placaCarreta));
    adiciona(c, "PES_MOTORISTA", opcional(p.motorista));
    adiciona(c, "PES_NF", opcional(p.nf));
    adiciona(c, "PES_CHAVENFE", opcional(p.chaveNfe));
    adiciona(c, "PES_PESOEMBALAGEM", numeroOuZero(p.pesoEmbalagem));
    const bool somenteSaida = cfg.somenteSaida == 1;
    adiciona(c, "PES_DATASAIDA",
             somenteSaida ? ValoresSql::data(p.dataSaida) : QVariant(QMetaType(QMetaType::QDate)));
    adiciona(c, "PES_PESOSAIDA", somenteSaida ? numero(p.pesoSaida) : nulo());
    adiciona(c, "PES_HORASAIDA", somenteSaida ? hora(p.horaSaida) : nulo());
    adiciona(c, "PES_MENSAGEM", texto(p.statusTexto));
    const bool comParte = !p.cadCodigo.trimmed().isEmpty();
    adiciona(c, "CAD_CODIGO", codigo(p.cadCodigo));
    adiciona(c, "CAD_TIPO", comParte ? QVariant(p.tipoParte + 3) : QVariant(QMetaType(QMetaType::Int)));
    adiciona(c, "CAD_CODIGOEMIS", 1);
    adiciona(c, "CAD_TIPOEMIS", 1);
    adiciona(c, "PES_HORAENTRADA", hora(p.horaEntrada));
    adiciona(c, "PES_PESONOTA", numeroOuZero(p.pesoNota));
    adiciona(c, "PES_TKTMANUALENTRADA", p.manualEntrada);
    adiciona(c, "PES_TKTMANUALSAIDA", p.manualSaida);
    const QString rg = ValoresSql::texto(p.rgMotorista);
    adiciona(c, "PES_RGMOTORISTA", rg.isEmpty() ? QStringLiteral("0") : rg);
    adiciona(c, "PES_FRETE", numero(p.frete));
    adiciona(c, "PES_KM", km(p, cfg));
    adiciona(c, "PES_TARAPESAGEM", numero(p.tara));
    adiciona(c, "TPV_CODIGO", tpv(p));
    adiciona(c, "PES_VALOR", valorTipo(p.km, cfg));
    adiciona(c, "PES_PERCDESC", valorTipo(p.percDesc, cfg));
    adiciona(c, p.modo == 1 ? "PES_OBS" : "PES_OBSSAIDA", opcional(p.obs));
    const bool comTransp = !p.traCodigo.trimmed().isEmpty();
    adiciona(c, "CAD_CODIGOTRA", codigo(p.traCodigo));
    adiciona(c, "CAD_TIPOTRA", comTransp ? QVariant(2) : QVariant(QMetaType(QMetaType::Int)));

    QStringList colunas, valores;
    for (const Coluna& col : c) {
        colunas << QLatin1String(col.nome);
        valores << u':' + QString::fromLatin1(col.nome).toLower();
    }
    const QStringList sql{QStringLiteral("INSERT INTO PESAGEM (") + colunas.join(QStringLiteral(", ")) +
                              QStringLiteral(")Values"),
                          u'(' + valores.join(QStringLiteral(", ")) + u')'};
    executa(dm, sql, c, rastreio);
}

// The product rows: the previous ones are replaced; the entry factors, and in
// the entry window a completed weighing's exit factors, are carried over.
void produtos(TDM& dm, PesagemTela& p, const ConfigPesagem& cfg, bool saidaGravada)
{
    TQuery& q = dm.QR_EXEC;
    const QVariant numeroPesagem = codigo(p.codigo);
    q.Clear();
    q.Add(QStringLiteral("Select * from PesagemProduto"));
    q.Add(QStringLiteral("Where PES_CODIGO=:codigo"));
    q.setParam(QStringLiteral("codigo"), numeroPesagem);
    q.Open();
    const bool havia = !q.IsEmpty();
    std::array<QString, 4> entradaAntiga;
    std::array<QString, 6> saidaAntiga; // f7..f10, f11, f11u
    if (havia) {
        for (int i = 0; i < 4; ++i) {
            entradaAntiga[i] = q.AsString(QStringLiteral("pes_fator%1e").arg(7 + i));
            saidaAntiga[i] = q.AsString(QStringLiteral("pes_fator%1").arg(7 + i));
        }
        saidaAntiga[4] = q.AsString(QStringLiteral("pes_fator11"));
        saidaAntiga[5] = q.AsString(QStringLiteral("pes_fator11u"));
        q.Clear();
        q.Add(QStringLiteral("Delete from PesagemProduto"));
        q.Add(QStringLiteral("Where PES_CODIGO=:codigo"));
        q.setParam(QStringLiteral("codigo"), numeroPesagem);
        q.ExecSQL();
    }

    const QString prd = p.prdCodigo.trimmed();
    if (cfg.morProduto != 1 && !prd.isEmpty()) {
        if (p.modo == 2) {
            // The fixed factors are those of the product at the time of the exit.
            q.Clear();
            q.Add(QStringLiteral("Select * From produto Where prd_Codigo=:prd"));
            q.setParam(QStringLiteral("prd"), prd);
            q.Open();
            if (!q.IsEmpty()) {
                for (int i = 0; i < 6; ++i) {
                    p.fatoresFixos[i] = q.AsDecimal(QStringLiteral("PRD_FATOR%1").arg(i + 1)).toShortString();
                }
            }
        }
        const bool comUmidade =
            p.umidadeVisivel && Decimal::parse(p.umidade) && Decimal::parse(p.descontoUmidade);
        QVariant f11 = comUmidade ? numero(p.descontoUmidade) : QVariant(QStringLiteral("0"));
        QVariant f11u = comUmidade ? numero(p.umidade) : QVariant(QStringLiteral("0"));
        std::array<QVariant, 4> entrada, saida;
        for (int i = 0; i < 4; ++i) {
            const QVariant digitado = fator(p.fatores[i], p.fatorVisivel[i]);
            if (p.modo == 1) {
                entrada[i] = digitado;
                saida[i] = saidaGravada ? fator(saidaAntiga[i]) : QVariant(QStringLiteral("0"));
            } else {
                saida[i] = digitado;
                entrada[i] = fator(entradaAntiga[i]);
            }
        }
        if (p.modo == 1 && saidaGravada) {
            f11 = fator(saidaAntiga[4]);
            f11u = fator(saidaAntiga[5]);
        }
        q.Clear();
        q.Add(QStringLiteral("INSERT INTO PesagemProduto (pes_codigo,prd_codigo"));
        q.Add(QStringLiteral(",pes_fator1, pes_fator2,pes_fator3, pes_fator4,pes_fator5, pes_fator6"));
        q.Add(QStringLiteral(",pes_fator7e, pes_fator8e,pes_fator9e, pes_fator10e"));
        q.Add(QStringLiteral(
            ",pes_fator7, pes_fator8,pes_fator9, pes_fator10,pes_fator11, pes_fator11u) VALUES "));
        q.Add(QStringLiteral(
            "(:pes,:prd,:f1,:f2,:f3,:f4,:f5,:f6,:f7e,:f8e,:f9e,:f10e,:f7,:f8,:f9,:f10,:f11,:f11u)"));
        q.setParam(QStringLiteral("pes"), numeroPesagem);
        q.setParam(QStringLiteral("prd"), prd);
        for (int i = 0; i < 6; ++i) {
            q.setParam(QStringLiteral("f%1").arg(i + 1), fator(p.fatoresFixos[i]));
        }
        for (int i = 0; i < 4; ++i) {
            q.setParam(QStringLiteral("f%1e").arg(7 + i), entrada[i]);
            q.setParam(QStringLiteral("f%1").arg(7 + i), saida[i]);
        }
        q.setParam(QStringLiteral("f11"), f11);
        q.setParam(QStringLiteral("f11u"), f11u);
        q.ExecSQL();
    } else {
        for (const ProdutoGrade& g : p.produtos) {
            const QString codigoGrade = g.codigo.trimmed();
            if (codigoGrade.isEmpty() && g.descricao.trimmed().isEmpty()) {
                continue; // the grid's empty row
            }
            q.Clear();
            q.Add(QStringLiteral("INSERT INTO PesagemProduto (pes_codigo,prd_codigo) VALUES (:pes,:prd)"));
            q.setParam(QStringLiteral("pes"), numeroPesagem);
            q.setParam(QStringLiteral("prd"), codigoGrade.isEmpty() ? nulo() : QVariant(codigoGrade));
            q.ExecSQL();
        }
    }
    q.Close();
}

// The stored row, read for writing: on PostgreSQL locked until the end of
// the transaction, on SQLite under the write lock the transaction holds.
std::optional<QVariantMap> linhaParaGravar(TDM& dm, const QVariant& numeroPesagem)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select * from Pesagem Where PES_CODIGO=:codigo"));
    if (dm.ehPostgres()) {
        q.Add(QStringLiteral("for update"));
    }
    q.setParam(QStringLiteral("codigo"), numeroPesagem);
    q.Open();
    std::optional<QVariantMap> linha;
    if (!q.IsEmpty()) {
        linha = ConsultaPesagem::linhaAtual(q);
    }
    q.Close();
    return linha;
}

// The row as stored now against the row as the window loaded it: another
// workstation that saved it meanwhile wins, nothing of this save is written.
void confere(const std::optional<QVariantMap>& agora, const QVariantMap& carregada)
{
    if (!agora) {
        throw PesagemAlterada(PesagemAlterada::Excluida);
    }
    for (auto it = carregada.cbegin(); it != carregada.cend(); ++it) {
        const QVariant v = agora->value(it.key());
        if (v.isNull() != it.value().isNull() || (!v.isNull() && v != it.value())) {
            const bool concluida = !agora->value(QStringLiteral("pes_datasaida")).isNull();
            throw PesagemAlterada(concluida ? PesagemAlterada::Concluida : PesagemAlterada::Alterada);
        }
    }
}

// The next free number, taken inside the insert's transaction. PostgreSQL:
// an advisory lock held until the transaction ends makes the workstations
// take their numbers one after the other; SQLite: the write lock is held
// already (BEGIN IMMEDIATE).
qint64 numeroLivre(TDM& dm)
{
    if (dm.ehPostgres()) {
        TQuery& q = dm.QR_EXEC;
        q.Clear();
        q.Add(QStringLiteral("select pg_advisory_xact_lock(:chave)"));
        q.setParam(QStringLiteral("chave"), ChaveNumeroPesagem);
        q.Open();
        q.Close();
    }
    return ConsultaPesagem::proximoCodigo(dm);
}

} // namespace

PesagemAlterada::PesagemAlterada(Situacao situacao) : ErroBanco(textoDe(situacao)), m_situacao(situacao) {}

QString PesagemAlterada::textoDe(Situacao situacao)
{
    switch (situacao) {
    case Excluida:
        return QStringLiteral("Esta pesagem foi excluída em outra estação. Nada foi gravado.");
    case Concluida:
        return QStringLiteral("Esta pesagem teve a saída registrada em outra estação. Nada foi gravado.");
    case Alterada:
        break;
    }
    return QStringLiteral("Esta pesagem foi alterada em outra estação depois de carregada. Nada foi "
                          "gravado; confira os dados carregados novamente.");
}

namespace SalvaPesagem
{

void confereArmazenada(TDM& dm, const PesagemTela& p)
{
    if (p.estado != 0 && !p.armazenada.isEmpty()) {
        confere(linhaParaGravar(dm, codigo(p.codigo)), p.armazenada);
    }
}

bool perguntaTicket(const PesagemTela& p)
{
    return p.estado == 0 || p.modo == 2;
}

qint64 salvar(TDM& dm, PesagemTela& p, const ConfigPesagem& cfg, bool ticketSim,
              const std::function<void(const QString&)>& rastreio, const EvidenciaPesagem* evidencia)
{
    // A proposed number that another workstation stored meanwhile (one that
    // does not take its numbers under the lock) only costs another try.
    for (int tentativa = 1;; ++tentativa) {
        Transacao tr(&dm, true);
        Evidencia::FotosDaGravacao fotos;
        try {
            Auditoria::Antes antes;
            bool saidaGravada = false;
            if (p.estado == 0) {
                if (p.codigoProposto) {
                    p.codigo = QString::number(numeroLivre(dm));
                }
                insere(dm, p, cfg, ticketSim, rastreio);
            } else {
                const auto agora = linhaParaGravar(dm, codigo(p.codigo));
                if (!p.armazenada.isEmpty()) {
                    confere(agora, p.armazenada);
                }
                antes = Auditoria::captura(dm, codigo(p.codigo).toLongLong());
                saidaGravada =
                    p.modo == 1 && agora && !agora->value(QStringLiteral("pes_datasaida")).isNull();
                atualiza(dm, p, cfg, ticketSim, saidaGravada, rastreio);
            }
            // Here the weighing's number is the stored one and the Pesagem row
            // is written, inside the transaction: its product rows, the
            // evidence of the reading and the audit entry follow.
            const qint64 numero = codigo(p.codigo).toLongLong();
            produtos(dm, p, cfg, saidaGravada);
            antes.numero = numero;
            if (evidencia) {
                Evidencia::grava(dm, numero, p.modo, *evidencia, PastaDados::caminho(), fotos.lista());
            }
            Auditoria::registraMudancas(dm, SessaoAtual.UsuarioLogado, antes);
            tr.commit();
            fotos.confirma();
            return numero;
        } catch (const ErroBanco& e) {
            if (p.estado == 0 && p.codigoProposto && tr.minha() && tentativa < 5 &&
                e.causa() == ErroBanco::Causa::ChaveDuplicada) {
                continue; // rolled back by tr; the next number is taken again
            }
            throw;
        }
    }
}

void excluir(TDM& dm, qint64 codigo, const QVariantMap& comoListada)
{
    Transacao tr(&dm, true);
    const auto agora = linhaParaGravar(dm, codigo);
    if (!agora) {
        throw PesagemAlterada(PesagemAlterada::Excluida);
    }
    // Only the Pesagem columns the list showed (a joined list also has names).
    QVariantMap vista;
    for (auto it = comoListada.cbegin(); it != comoListada.cend(); ++it) {
        if (agora->contains(it.key())) {
            vista.insert(it.key(), it.value());
        }
    }
    confere(agora, vista);
    const Auditoria::Antes antes = Auditoria::captura(dm, codigo);
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Delete from PesagemProduto where Pes_Codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.ExecSQL();
    q.Clear();
    q.Add(QStringLiteral("Delete from Pesagem where Pes_Codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.ExecSQL();
    if (q.RowsAffected() == 0) {
        throw PesagemAlterada(PesagemAlterada::Excluida);
    }
    q.Close();
    Auditoria::registraMudancas(dm, SessaoAtual.UsuarioLogado, antes);
    tr.commit();
}

} // namespace SalvaPesagem
