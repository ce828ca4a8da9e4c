// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsultaTicket.h"

#include "TDM.h"
#include "TQuery.h"

namespace ConsultaTicket
{

std::optional<Pesagem> pesagem(TDM& dm, qint64 codigo)
{
    TQuery& q = dm.Qr_temp1;
    q.Clear();
    q.Add(QStringLiteral(
        "select pes_codigo, pes_datasaida, cad_codigotra, cad_codigo, tpv_codigo, cad_tipo from pesagem"));
    q.Add(QStringLiteral("where pes_codigo=:codigo"));
    q.setParam(QStringLiteral("codigo"), codigo);
    q.Open();
    std::optional<Pesagem> r;
    if (!q.IsEmpty()) {
        Pesagem p;
        p.codigo = codigo;
        p.temParte = !q.IsNull(QStringLiteral("cad_codigo"));
        p.temTransportadora = !q.IsNull(QStringLiteral("cad_codigotra"));
        p.temTipoVeiculo = !q.IsNull(QStringLiteral("tpv_codigo"));
        p.fornecedor = q.AsInteger(QStringLiteral("cad_tipo")) == 4;
        p.temSaida = !q.IsNull(QStringLiteral("pes_datasaida"));
        r = p;
    }
    q.Close();
    return r;
}

QStringList sql(const Pesagem& p)
{
    // The net of the weighing: the loaded weight minus the empty one. Divisions
    // by a decimal literal, so integer-valued columns never divide as integers.
    const QString liq = p.fornecedor ? QStringLiteral("(p.pes_pesoentrada-p.pes_pesosaida)")
                                     : QStringLiteral("(p.pes_pesosaida-p.pes_pesoentrada)");
    const QString sufixo = p.fornecedor ? QStringLiteral("Entrada") : QStringLiteral("Saida");
    QStringList s;
    s << QStringLiteral("SELECT distinct") << QStringLiteral(" p.pes_codigo ")
      << QStringLiteral(", p.cad_codigo") << QStringLiteral(", p.cad_tipo");
    if (p.temTransportadora) {
        s << QStringLiteral(", p.cad_codigotra") << QStringLiteral(", p.cad_tipotra");
    }
    s << QStringLiteral(", %1 as pesoLiquido").arg(liq)
      << QStringLiteral(", (%1-p.Pes_PesoNota) as diferencaPesoNF").arg(liq);
    for (const char* c : {"p.pes_tkentrada",   "p.pes_tktmanualentrada", "p.pes_tktmanualsaida",
                          "p.pes_tipo",        "p.pes_mensagem",         "p.pes_mensagemsaida",
                          "p.pes_pesoentrada", "p.pes_pesosaida",        "p.pes_dataentrada",
                          "p.pes_datasaida",   "p.pes_horaentrada",      "p.pes_horasaida",
                          "p.pes_placa",       "p.pes_placacarreta",     "p.pes_nf",
                          "p.pes_chavenfe",    "p.Pes_PesoNota",         "p.pes_motorista",
                          "p.Pes_VALOR",       "p.pes_PercDesc",         "p.pes_taraPesagem"}) {
        s << QStringLiteral(", ") + QLatin1String(c);
    }
    s << QStringLiteral(", (p.Pes_VALOR*p.pes_PercDesc/100.0) as VlrDesc")
      << QStringLiteral(", p.Pes_VALOR-(p.Pes_VALOR*p.pes_PercDesc/100.0) as VlrLiq")
      << QStringLiteral(", CAST(:usuario AS VARCHAR(80)) as Usuario");
    if (p.temParte) {
        for (const char* c : {"c.cad_razao", "c.Cad_INSRG", "c.CAD_CPFCGC", "c.CAD_RAZAO", "c.CAD_FANTASIA",
                              "c.CAD_ENDERECO", "c.CAD_BAIRRO", "c.CAD_CEP", "c.CAD_FONE", "c.CAD_FAX",
                              "c.CAD_CONTATO", "c.CAD_EMAIL", "c.CAD_SITE", "b.cid_Descricao", "b.CID_UF"}) {
            s << QStringLiteral(", ") + QLatin1String(c);
        }
    }
    if (p.temTransportadora) {
        for (const char* c :
             {"c2.cad_razao as transportadora", "c2.cad_razao as trans_razao",
              "c2.cad_fantasia as trans_fantasia", "c2.cad_endereco as trans_endereco",
              "c2.Cad_INSRG as trans_INSRG", "c2.CAD_CPFCGC as trans_CPDCGC", "c2.CAD_CEP as trans_CEP",
              "c2.CAD_FONE as trans_FONE", "c2.CAD_FAX as trans_FAX", "c2.CAD_CONTATO as trans_cONTATO",
              "c2.CAD_EMAIL as trans_Email", "c2.CAD_SITE as trans_SITE", "c2.CAD_BAIRRO as trans_BAIRRO",
              "b2.cid_Descricao as trans_cidade", "b2.CID_UF as trans_UF"}) {
            s << QStringLiteral(", ") + QLatin1String(c);
        }
    }
    if (p.temTipoVeiculo) {
        s << QStringLiteral(", t.tpv_descricao,t.tpv_valor");
    }
    static const char* const fatores[] = {"1", "2",  "3",  "4",  "5",  "6",  "7",  "8",
                                          "9", "10", "11", "7e", "8e", "9e", "10e"};
    s << QStringLiteral(", pp.prd_codigo ");
    QStringList partes;
    for (const char* f : fatores) {
        const QString n = QLatin1String(f);
        s << (n == QLatin1String("11") ? QStringLiteral(", pp.pes_fator11,pp.pes_fator11u ")
                                       : QStringLiteral(", pp.pes_fator%1 ").arg(n));
        const QString parte = QStringLiteral("(pp.pes_fator%1*%2/100.0)").arg(n, liq);
        s << QStringLiteral(", %1 as PesoFator%2").arg(parte, n);
        partes << parte;
    }
    for (const char* c : {"p.pes_PesoEmbalagem", "p.pes_obs", "p.pes_obsSaida", "x.prd_descricao",
                          "x.prd_densidade", "X.prd_vlrTONELADA"}) {
        s << QStringLiteral(", ") + QLatin1String(c);
    }
    const QString soma = QStringLiteral("(") + partes.join(u'+') + QStringLiteral(")");
    s << QStringLiteral(", %1 as TotalDesconto%2").arg(soma, sufixo)
      << QStringLiteral(", (%1-%2) as TotalPESODesconto%3").arg(liq, soma, sufixo)
      << QStringLiteral(" ,(x.prd_vlrTONELADA*%1/1000.0) as VlrTotalTonelada").arg(liq);
    s << QStringLiteral("from ((((((( Pesagem P ")
      << QStringLiteral("left join Cadastrao C on p.cad_codigo=c.cad_codigo and p.cad_tipo=c.cad_tipo)")
      << QStringLiteral("left join cidade B  on C.cid_codigo=B.Cid_codigo ) ")
      << QStringLiteral("left join PesagemProduto PP on PP.pes_codigo=P.pes_codigo)")
      << QStringLiteral("left join Produto X on X.prd_codigo=PP.prd_codigo)")
      << QStringLiteral(
             "left join Cadastrao as C2 on p.cad_codigotra=C2.cad_codigo And p.cad_tipotra=C2.cad_tipo )")
      << QStringLiteral("left join cidade B2  on C2.cid_codigo=B2.Cid_codigo ) ")
      << QStringLiteral("left join tipoVeiculo T  on P.TPV_COdigo=T.TPV_CODIGO  ) ")
      << QStringLiteral(" where P.Pes_Codigo=:codigo")
      // The product rows in a fixed order, the same on every engine.
      << QStringLiteral(" order by pp.prd_codigo");
    return s;
}

void abrir(TQuery& q, const Pesagem& p, const QString& usuario)
{
    q.Close();
    q.setSQL(sql(p));
    q.setParam(QStringLiteral("codigo"), p.codigo);
    q.setParam(QStringLiteral("usuario"), usuario);
    q.Open();
}

QString emitente(TDM& dm)
{
    TQuery& q = dm.Qr_temp1;
    q.Clear();
    q.Add(QStringLiteral("select cad_razao from cadastrao where cad_tipo=1"));
    q.Open();
    const QString r = q.IsEmpty() ? QString() : q.AsString(QStringLiteral("cad_razao")).left(255);
    q.Close();
    return r;
}

} // namespace ConsultaTicket
