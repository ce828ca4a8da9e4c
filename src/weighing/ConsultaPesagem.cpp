// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsultaPesagem.h"

#include "Decimal.h"
#include "ProximoCodigo.h"
#include "Rotinas.h"
#include "TDM.h"

namespace
{

QString data(const TQuery& q, const QString& campo)
{
    const QDate d = q.AsDate(campo);
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString peso(const TQuery& q, const QString& campo, int casas)
{
    return q.IsNull(campo) ? QString() : q.AsDecimal(campo).toString(casas);
}

QString numero(const TQuery& q, const QString& campo)
{
    return q.IsNull(campo) ? QString() : q.AsDecimal(campo).toShortString();
}

QString textoCodigo(const TQuery& q, const QString& campo)
{
    return q.IsNull(campo) ? QString() : QString::number(q.FieldByName(campo).toLongLong());
}

void carregaProdutos(TDM& dm, PesagemTela& p, const ConfigPesagem& cfg, bool daLista)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select * "));
    q.Add(QStringLiteral("From PesagemProduto a, Produto b"));
    q.Add(QStringLiteral("Where a.prd_codigo=b.prd_codigo"));
    q.Add(QStringLiteral("and a.Pes_Codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), p.codigo.toLongLong());
    q.Open();
    p.produtos.clear();
    if (cfg.morProduto == 1) {
        for (q.First(); !q.Eof(); q.Next()) {
            p.produtos.append({q.AsString(QStringLiteral("prd_codigo")).trimmed(),
                               q.AsString(QStringLiteral("prd_descricao")).trimmed()});
        }
        q.Close();
        return;
    }
    const bool comLinha = !q.IsEmpty();
    if (comLinha) {
        p.prdCodigo = q.AsString(QStringLiteral("prd_codigo")).trimmed();
        p.prdDescricao = q.AsString(QStringLiteral("prd_descricao")).trimmed();
        for (int i = 0; i < 6; ++i) {
            p.fatoresFixos[i] = numero(q, QStringLiteral("pes_fator%1").arg(i + 1));
        }
    }
    // Loaded whatever the settings show: a hidden factor is saved back as it was.
    {
        // From the list the exit factors are shown once an exit weight is
        // stored; by the typed number, the entry factors.
        const bool saida = daLista;
        const bool limpa = !comLinha || (daLista && p.pesoSaida.trimmed().isEmpty());
        for (int i = 0; i < 4; ++i) {
            const QString campo = QStringLiteral("pes_fator%1%2").arg(7 + i).arg(saida ? "" : "e");
            p.fatores[i] = limpa ? QString() : q.AsDecimal(campo).toString(cfg.casasDecimais);
        }
        p.umidade =
            comLinha ? q.AsDecimal(QStringLiteral("pes_fator11u")).toString(cfg.casasUmidade) : QString();
        p.descontoUmidade =
            comLinha ? q.AsDecimal(QStringLiteral("pes_fator11")).toString(cfg.casasUmidade) : QString();
    }
    q.Close();
}

} // namespace

namespace ConsultaPesagem
{

std::optional<PesagemTela> carregar(TDM& dm, qint64 codigo, int modo, const ConfigPesagem& cfg, bool daLista,
                                    const QDateTime& agora)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("select * from pesagem"));
    q.Add(QStringLiteral("where pes_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    if (q.IsEmpty()) {
        q.Close();
        return std::nullopt;
    }
    PesagemTela p;
    p.armazenada = linhaAtual(q);
    p.modo = modo;
    p.estado = 1;
    p.codigo = QString::number(codigo);
    p.dataEntrada = data(q, QStringLiteral("pes_dataentrada"));
    p.horaEntrada = q.AsString(QStringLiteral("pes_horaentrada")).trimmed();
    p.pesoNota = peso(q, QStringLiteral("pes_pesonota"), 2);
    p.placa = q.AsString(QStringLiteral("pes_placa")).trimmed();
    p.placaCarreta = q.AsString(QStringLiteral("pes_placacarreta")).trimmed();
    p.motorista = q.AsString(QStringLiteral("pes_motorista")).trimmed();
    p.nf = q.AsString(QStringLiteral("pes_nf")).trimmed();
    p.chaveNfe = q.AsString(QStringLiteral("pes_chavenfe")).trimmed();
    p.pesoEmbalagem = numero(q, QStringLiteral("pes_pesoembalagem"));
    p.rgMotorista = q.AsString(QStringLiteral("pes_rgmotorista")).trimmed();
    if (p.rgMotorista == QLatin1String("0")) {
        p.rgMotorista.clear(); // stored for "no RG"
    }
    p.frete = numero(q, QStringLiteral("pes_frete"));
    const QString obsSaida = q.AsString(QStringLiteral("pes_obssaida")).trimmed();
    const QString obsEntrada = q.AsString(QStringLiteral("pes_obs")).trimmed();
    // A hidden field holds exactly the column its save writes back.
    p.obs = modo == 2 ? ((obsSaida.isEmpty() && cfg.pesagemObs == 1) ? obsEntrada : obsSaida) : obsEntrada;
    if (cfg.tipoVeiculo == 1) {
        p.km = q.IsNull(QStringLiteral("pes_valor")) ? QString()
                                                     : q.AsDecimal(QStringLiteral("pes_valor")).toString(2);
        p.percDesc = numero(q, QStringLiteral("pes_percdesc"));
    } else {
        p.km = numero(q, QStringLiteral("pes_km"));
    }
    // loaded even when the settings hide the vehicle type, so a save keeps it
    if (!q.IsNull(QStringLiteral("tpv_codigo"))) {
        p.tpvCodigo = q.AsInteger(QStringLiteral("tpv_codigo"));
    }
    p.tara = numero(q, QStringLiteral("pes_tarapesagem"));
    p.dataSaida = data(q, QStringLiteral("pes_datasaida"));
    p.saidaGravada = !p.dataSaida.isEmpty();
    p.manualEntrada = q.AsInteger(QStringLiteral("pes_tktmanualentrada")) == 0 ? 0 : 1;
    p.manualSaida = q.AsInteger(QStringLiteral("pes_tktmanualsaida")) == 0 ? 0 : 1;
    p.pesoEntrada = peso(q, QStringLiteral("pes_pesoentrada"), cfg.casasDecimais);
    if (daLista) {
        p.pesoSaida = peso(q, QStringLiteral("pes_pesosaida"), cfg.casasDecimais);
        p.horaSaida = q.AsString(QStringLiteral("pes_horasaida")).trimmed();
        if (p.dataSaida.isEmpty()) {
            p.dataSaida = agora.date().toString(QStringLiteral("dd/MM/yyyy"));
        }
        if (p.horaSaida.isEmpty()) {
            p.horaSaida = agora.time().toString(QStringLiteral("HH:mm:ss"));
        }
    }
    const QString cadCodigo = textoCodigo(q, QStringLiteral("cad_codigo"));
    const int cadTipo = q.AsInteger(QStringLiteral("cad_tipo"));
    const QString traCodigo = textoCodigo(q, QStringLiteral("cad_codigotra"));
    const int traTipo = q.AsInteger(QStringLiteral("cad_tipotra"));
    q.Close();

    if (!cadCodigo.isEmpty()) {
        if (const auto r = razao(dm, cadCodigo, cadTipo)) {
            p.cadCodigo = cadCodigo;
            p.cadRazao = *r;
            p.tipoParte = cadTipo == 4 ? 1 : 0;
        }
    }
    if (!traCodigo.isEmpty()) {
        // Any kind when the weighing stored none.
        q.Clear();
        q.Add(QStringLiteral("Select Cad_Razao from Cadastrao "));
        q.Add(QStringLiteral("Where Cad_Codigo=:codigo"));
        q.setParam(QStringLiteral("codigo"), traCodigo.toLongLong());
        if (traTipo != 0) {
            q.Add(QStringLiteral("and CAD_TIPO=:tipo"));
            q.setParam(QStringLiteral("tipo"), traTipo);
        }
        q.Open();
        p.traCodigo = traCodigo;
        if (!q.IsEmpty()) {
            p.traRazao = q.AsString(QStringLiteral("cad_razao")).trimmed();
        }
        q.Close();
    }
    carregaProdutos(dm, p, cfg, daLista);
    return p;
}

HistoricoPlaca historicoPlaca(TDM& dm, const QString& placa, int casasDecimais)
{
    HistoricoPlaca h;
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral(
        "Select Pes_Placa,Pes_Motorista,Pes_PlacaCarreta,pes_datasaida,pes_pesoentrada,pes_valor,"
        "Tpv_codigo"));
    // Only the newest weighing of the plate counts.
    q.Add(QStringLiteral("From Pesagem Where Pes_Placa=:placa order by pes_codigo desc limit 1"));
    q.setParam(QStringLiteral("placa"), placa.trimmed());
    q.Open();
    if (q.IsEmpty()) {
        q.Close();
        return h;
    }
    h.achou = true;
    h.aberta = q.IsNull(QStringLiteral("pes_datasaida"));
    h.motorista = q.AsString(QStringLiteral("pes_motorista")).trimmed();
    h.placaCarreta = q.AsString(QStringLiteral("pes_placacarreta")).trimmed();
    h.pesoEntrada = peso(q, QStringLiteral("pes_pesoentrada"), casasDecimais);
    if (!q.IsNull(QStringLiteral("tpv_codigo"))) {
        h.tpvCodigo = q.AsInteger(QStringLiteral("tpv_codigo"));
    }
    q.Close();
    if (h.tpvCodigo) {
        h.valorTipo = valorTipoVeiculo(dm, *h.tpvCodigo);
    }
    return h;
}

Motorista motorista(TDM& dm, const QString& rg, int casasDecimais)
{
    Motorista m;
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(
        QStringLiteral("Select cad_codigo,Cad_inativo,cad_razao,cad_obs,cad_placa,cad_tara from Cadastrao "));
    q.Add(QStringLiteral("Where CAD_INSRG=:rg and Cad_Tipo=5"));
    q.setParam(QStringLiteral("rg"), rg.trimmed());
    q.Open();
    if (q.IsEmpty()) {
        m.mensagem = QStringLiteral("R.G. não cadastrado no sistema.");
    } else if (q.AsInteger(QStringLiteral("cad_inativo")) == 1) {
        m.situacao = Motorista::Inativo;
        m.mensagem = QStringLiteral("Cadastro Inativo.\rObs.:") + q.AsString(QStringLiteral("cad_obs"));
    } else {
        m.situacao = Motorista::Achado;
        m.nome = q.AsString(QStringLiteral("cad_razao")).trimmed();
        m.placa = q.AsString(QStringLiteral("cad_placa")).trimmed();
        m.tara = q.IsNull(QStringLiteral("cad_tara"))
                     ? QString()
                     : q.AsDecimal(QStringLiteral("cad_tara")).toString(casasDecimais);
    }
    q.Close();
    return m;
}

namespace
{

// A column of a party of a kind; nullopt when the code does not exist.
std::optional<QString> colunaDaParte(TDM& dm, const QString& codigo, int tipo, const QString& coluna)
{
    bool ok = false;
    const qint64 c = codigo.trimmed().toLongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select %1 From Cadastrao").arg(coluna));
    q.Add(QStringLiteral("Where Cad_Codigo=:codigo and Cad_Tipo=:tipo"));
    q.setParam(QStringLiteral("codigo"), c);
    q.setParam(QStringLiteral("tipo"), tipo);
    q.Open();
    std::optional<QString> r;
    if (!q.IsEmpty()) {
        r = q.AsString(coluna).trimmed();
    }
    q.Close();
    return r;
}

} // namespace

std::optional<QString> razao(TDM& dm, const QString& codigo, int tipo)
{
    return colunaDaParte(dm, codigo, tipo, QStringLiteral("cad_razao"));
}

QString cpfCgc(TDM& dm, const QString& codigo, int tipo)
{
    return colunaDaParte(dm, codigo, tipo, QStringLiteral("cad_cpfcgc")).value_or(QString());
}

QString valorTipoVeiculo(TDM& dm, int tpvCodigo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select tpv_valor From TipoVeiculo Where tpv_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), tpvCodigo);
    q.Open();
    const QString v = q.IsEmpty() || q.IsNull(QStringLiteral("tpv_valor"))
                          ? QString()
                          : q.AsDecimal(QStringLiteral("tpv_valor")).toString(2);
    q.Close();
    return v;
}

QVariantMap linhaAtual(const TQuery& q)
{
    QVariantMap linha;
    const QSqlRecord& r = q.record();
    for (int i = 0; i < r.count(); ++i) {
        linha.insert(r.fieldName(i).toLower(), q.valor(q.RecNo(), i));
    }
    return linha;
}

QString assinaturaLista(TDM& dm)
{
    // The open weighings (the index on the exit date) and the highest number
    // (the primary key): an entry, an exit or a delete of an open weighing
    // changes one of them, without counting a million completed rows.
    TQuery& q = dm.Qr_temp1;
    q.Clear();
    q.Add(QStringLiteral("select count(*) as n, sum(pes_codigo) as s,"));
    q.Add(QStringLiteral("(select max(pes_codigo) from Pesagem) as m"));
    q.Add(QStringLiteral("from Pesagem where pes_datasaida is null"));
    q.Open();
    const QString a = q.AsString(QStringLiteral("n")) + u'/' + q.AsString(QStringLiteral("s")) + u'/' +
                      q.AsString(QStringLiteral("m"));
    q.Close();
    return a;
}

qint64 proximoCodigo(TDM& dm)
{
    return ProximoCodigo(dm, QStringLiteral("Pes_Codigo"), QStringLiteral("Pesagem"));
}

bool saidaAntesDaEntrada(const PesagemTela& p)
{
    return EhData(p.dataSaida) && EhData(p.dataEntrada) && LeData(p.dataSaida) < LeData(p.dataEntrada);
}

} // namespace ConsultaPesagem

std::optional<TConfigPorta> ConsultaPesagem::configPorta(TDM& dm)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select CFG_PORTA,CFG_PORTASAIDA,CFG_BAUD,CFG_STOP,CFG_PARIDADE,CFG_BITS,CFG_FLHARD,"
                         "CFG_FLSOFT,CFG_MODELOPLACA,CFG_SELECIONABAL FROM CONFIG"));
    q.Open();
    if (q.IsEmpty()) {
        q.Clear();
        return std::nullopt;
    }
    TConfigPorta c;
    c.CFG_PORTA = q.AsInteger(QStringLiteral("CFG_PORTA"));
    c.CFG_PORTASAIDA = q.AsInteger(QStringLiteral("CFG_PORTASAIDA"));
    c.CFG_BAUD = q.AsInteger(QStringLiteral("CFG_BAUD"));
    c.CFG_STOP = q.AsInteger(QStringLiteral("CFG_STOP"));
    c.CFG_PARIDADE = q.AsInteger(QStringLiteral("CFG_PARIDADE"));
    c.CFG_BITS = q.AsInteger(QStringLiteral("CFG_BITS"));
    c.CFG_FLHARD = q.AsInteger(QStringLiteral("CFG_FLHARD"));
    c.CFG_FLSOFT = q.AsInteger(QStringLiteral("CFG_FLSOFT"));
    c.CFG_MODELOPLACA = q.AsInteger(QStringLiteral("CFG_MODELOPLACA"));
    c.CFG_SELECIONABAL = q.AsInteger(QStringLiteral("CFG_SELECIONABAL"));
    q.Close();
    return c;
}

QList<QPair<QString, int>> ConsultaPesagem::tiposVeiculo(TDM& dm)
{
    TQuery& q = dm.Qr_TPVeiculo;
    q.setSQL({QStringLiteral("Select *"), QStringLiteral("From TipoVeiculo order by tpv_codigo")});
    q.Open();
    QList<QPair<QString, int>> tipos;
    for (q.First(); !q.Eof(); q.Next()) {
        tipos.append(
            {q.AsString(QStringLiteral("tpv_descricao")), q.AsInteger(QStringLiteral("tpv_codigo"))});
    }
    q.Close();
    return tipos;
}

void ConsultaPesagem::abreLista(TQuery& q, bool grade, bool todas)
{
    if (grade) {
        q.setSQL(
            // the product row's code too: with it each row of the list is one of its own
            {QStringLiteral("Select b.*,a.cad_razao,d.prd_descricao,c.prd_codigo as lista_produto"),
             QStringLiteral("from ((( Pesagem b "),
             QStringLiteral("left join Cadastrao a on a.cad_codigo=b.cad_codigo and a.cad_tipo=b.cad_tipo)"),
             QStringLiteral("left join PesagemProduto c on b.pes_codigo=c.pes_codigo)"),
             QStringLiteral("left join Produto d on c.prd_codigo=d.prd_codigo)"),
             todas ? QStringLiteral("Order by b.pes_dataentrada desc, b.pes_horaentrada desc")
                   : QStringLiteral("where  b.pes_datasaida is null Order by  b.pes_dataentrada,  "
                                    "b.pes_horaentrada desc")});
    } else {
        q.setSQL({todas ? QStringLiteral(
                              "Select * From Pesagem Order by pes_dataentrada desc, pes_horaentrada desc")
                        : QStringLiteral("Select * From Pesagem where pes_datasaida is null Order by "
                                         "pes_dataentrada, pes_horaentrada desc")});
    }
    // A list of a million weighings opens as fast as one of ten: it is read
    // page by page on its order, the number (and product) breaking ties.
    q.Paginar(grade ? QStringList{QStringLiteral("pes_codigo"), QStringLiteral("lista_produto")}
                    : QStringList{QStringLiteral("pes_codigo")});
    q.Open();
}
