// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cadastros.h"

#include "TDM.h"
#include "ValoresSql.h"

namespace Cadastros
{

QString tituloJanela(int tipo, bool navio)
{
    switch (tipo) {
    case Emissor:
        return QStringLiteral("Cadastro de Emissor");
    case Transportadora:
        return navio ? QStringLiteral("Cadastro de Navio") : QStringLiteral("Cadastro de Transportadora");
    case Cliente:
        return QStringLiteral("Cadastro de Cliente");
    case Fornecedor:
        return QStringLiteral("Cadastro de Fornecedor");
    case Motorista:
        return QStringLiteral("Cadastro de Motorista");
    }
    return QStringLiteral("Cadastro Geral");
}

int proximoCodigo(TDM& dm, int tipo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select max(Cad_Codigo) as maximo from Cadastrao"));
    q.Add(QStringLiteral("Where cad_tipo=:tipo"));
    q.setParam(QStringLiteral("tipo"), tipo);
    q.Open();
    const int maximo = q.AsInteger(QStringLiteral("maximo"));
    q.Close();
    return maximo + 1;
}

namespace
{

// The party itself is told apart by code and kind: codes repeat across kinds.
void excetoOProprio(TQuery& q, int codigo, int tipo)
{
    if (codigo > 0) {
        q.Add(QStringLiteral("and not (cad_codigo=:codigo and cad_tipo=:tipo)"));
        q.setParam(QStringLiteral("codigo"), codigo);
        q.setParam(QStringLiteral("tipo"), tipo);
    }
}

bool temLinhas(TQuery& q)
{
    q.Open();
    const bool tem = !q.IsEmpty();
    q.Close();
    return tem;
}

} // namespace

bool documentoEmUso(TDM& dm, const QString& cpfCgc, int codigo, int tipo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select CAD_CPFCGC"));
    q.Add(QStringLiteral("from Cadastrao "));
    q.Add(QStringLiteral("Where CAD_CPFCGC=:documento"));
    q.setParam(QStringLiteral("documento"), ValoresSql::texto(cpfCgc));
    excetoOProprio(q, codigo, tipo);
    return temLinhas(q);
}

bool rgEmUso(TDM& dm, const QString& insRg, int pessoa, int codigo, int tipo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select a.Cad_INSRG"));
    q.Add(QStringLiteral("from Cadastrao a where a.Cad_INSRG=:documento"));
    q.Add(QStringLiteral("and a.cad_pessoa=:pessoa"));
    q.setParam(QStringLiteral("documento"), ValoresSql::texto(insRg));
    q.setParam(QStringLiteral("pessoa"), pessoa);
    excetoOProprio(q, codigo, tipo);
    return temLinhas(q);
}

std::optional<Endereco> enderecoDoCep(TDM& dm, const QString& cep)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    q.Add(QStringLiteral("Select a.Cad_Cep,a.cad_endereco,a.cad_bairro,b.cid_codigo,b.cid_descricao"));
    q.Add(QStringLiteral("from Cadastrao a, Cidade b"));
    q.Add(QStringLiteral("Where a.cid_codigo=b.cid_codigo and a.cad_cep=:cep"));
    q.setParam(QStringLiteral("cep"), ValoresSql::texto(cep));
    q.Open();
    std::optional<Endereco> e;
    if (!q.IsEmpty()) {
        e = Endereco{q.AsString(QStringLiteral("cad_endereco")), q.AsString(QStringLiteral("cad_bairro")),
                     q.AsInteger(QStringLiteral("cid_codigo")), q.AsString(QStringLiteral("cid_descricao"))};
    }
    q.Close();
    return e;
}

void montarGravacao(TDM& dm, const Ficha& f, bool inserir)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (inserir) {
        q.Add(
            QStringLiteral("INSERT INTO CADASTRAO (CAD_CODIGO, CAD_TIPO, CAD_PESSOA, CAD_CPFCGC, CAD_INSRG, "
                           "CAD_RAZAO, CAD_FANTASIA, CAD_ENDERECO, CAD_BAIRRO, CAD_CEP, CAD_FONE, CAD_FAX, "
                           "CAD_CONTATO, CAD_EMAIL, CAD_SITE, CAD_DTCADASTRO, CID_CODIGO, CAD_INATIVO, "
                           "CAD_PLACA, CAD_TARA, CAD_OBS) VALUES "));
        q.Add(QStringLiteral(
            "(:codigo, :tipo, :pessoa, :cpfcgc, :insrg, :razao, :fantasia, :endereco, :bairro, "
            ":cep, :fone, :fax, :contato, :email, :site, :data, :cidade, :inativo, :placa, :tara, "
            ":obs)"));
    } else {
        q.Add(QStringLiteral("Update CADASTRAO SET "));
        q.Add(QStringLiteral(" CAD_PESSOA=:pessoa"));
        q.Add(QStringLiteral(",CAD_CPFCGC=:cpfcgc"));
        q.Add(QStringLiteral(",Cad_INSRG=:insrg"));
        q.Add(QStringLiteral(",CAD_RAZAO=:razao"));
        q.Add(QStringLiteral(",CAD_FANTASIA=:fantasia"));
        q.Add(QStringLiteral(",CAD_ENDERECO=:endereco"));
        q.Add(QStringLiteral(",CAD_BAIRRO=:bairro"));
        q.Add(QStringLiteral(",CAD_CEP=:cep"));
        q.Add(QStringLiteral(",CAD_FONE=:fone"));
        q.Add(QStringLiteral(",CAD_FAX=:fax"));
        q.Add(QStringLiteral(",CAD_CONTATO=:contato"));
        q.Add(QStringLiteral(",CAD_EMAIL=:email"));
        q.Add(QStringLiteral(",CAD_SITE=:site"));
        q.Add(QStringLiteral(", CAD_DTCADASTRO=:data"));
        q.Add(QStringLiteral(",cad_inativo=:inativo"));
        q.Add(QStringLiteral(", cad_tara=:tara"));
        q.Add(QStringLiteral(",CID_CODIGO=:cidade"));
        q.Add(QStringLiteral(",CAD_PLACA=:placa"));
        q.Add(QStringLiteral(",CAD_OBS=:obs"));
        q.Add(QStringLiteral("Where CAD_CODIGO=:codigo and CAD_TIPO=:tipo"));
    }
    using namespace ValoresSql;
    q.setParam(QStringLiteral("codigo"), f.codigo);
    q.setParam(QStringLiteral("tipo"), f.tipo);
    q.setParam(QStringLiteral("pessoa"), f.pessoa);
    q.setParam(QStringLiteral("cpfcgc"), opcional(f.cpfCgc));
    q.setParam(QStringLiteral("insrg"), opcional(f.insRg));
    q.setParam(QStringLiteral("razao"), texto(f.razao));
    q.setParam(QStringLiteral("fantasia"), opcional(f.fantasia));
    q.setParam(QStringLiteral("endereco"), opcional(f.endereco));
    q.setParam(QStringLiteral("bairro"), opcional(f.bairro));
    q.setParam(QStringLiteral("cep"), opcional(f.cep));
    q.setParam(QStringLiteral("fone"), opcional(f.fone));
    q.setParam(QStringLiteral("fax"), opcional(f.fax));
    q.setParam(QStringLiteral("contato"), opcional(f.contato));
    q.setParam(QStringLiteral("email"), opcional(f.email));
    q.setParam(QStringLiteral("site"), opcional(f.site));
    q.setParam(QStringLiteral("data"), data(f.data));
    q.setParam(QStringLiteral("cidade"), f.cidade);
    q.setParam(QStringLiteral("inativo"), f.inativo ? 1 : 0);
    q.setParam(QStringLiteral("placa"), opcional(f.placa));
    q.setParam(QStringLiteral("tara"), numero(f.tara));
    q.setParam(QStringLiteral("obs"), memo(f.obs));
}

void gravar(TDM& dm)
{
    dm.ExecutaNaTransacao();
}

int pesagensDoCadastro(TDM& dm, int codigo, int tipo)
{
    TQuery& q = dm.QR_EXEC;
    q.Clear();
    if (tipo == Transportadora) {
        q.Add(QStringLiteral("select count(cad_codigotra) as contagem"));
        q.Add(QStringLiteral("from pesagem where cad_codigotra=:codigo"));
        q.Add(QStringLiteral("and Cad_Tipotra=:tipo"));
    } else {
        q.Add(QStringLiteral("select count(cad_codigo) as contagem"));
        q.Add(QStringLiteral("from pesagem where cad_codigo=:codigo"));
        q.Add(QStringLiteral("and Cad_Tipo=:tipo"));
    }
    q.setParam(QStringLiteral("codigo"), codigo);
    q.setParam(QStringLiteral("tipo"), tipo);
    q.Open();
    const int n = q.AsInteger(QStringLiteral("contagem"));
    q.Close();
    return n;
}

void excluir(TDM& dm, int codigo, int tipo)
{
    const TDM::Parametros p{{QStringLiteral("codigo"), codigo}, {QStringLiteral("tipo"), tipo}};
    Transacao tr(&dm);
    // a weighing names the party as its client or supplier, its carrier or its issuer
    dm.RecusaSeEmUso({QStringLiteral("select pes_codigo from pesagem"),
                      QStringLiteral("where (cad_codigo=:codigo and cad_tipo=:tipo)"),
                      QStringLiteral("or (cad_codigotra=:codigo and cad_tipotra=:tipo)"),
                      QStringLiteral("or (cad_codigoemis=:codigo and cad_tipoemis=:tipo)")},
                     p);
    dm.ExecutaNaTransacao({QStringLiteral("Delete from Cadastrao where Cad_codigo=:codigo"),
                           QStringLiteral("and Cad_Tipo=:tipo")},
                          p);
    tr.commit();
}

} // namespace Cadastros
