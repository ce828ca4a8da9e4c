// SPDX-License-Identifier: GPL-3.0-or-later
#include "Listagens.h"

#include "CabecalhoRelatorio.h"
#include "ConfiguraRelatorio.h"
#include "LeConfig.h"
#include "Passagens.h"
#include "RVDataSet.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TDM.h"
#include "TQuery.h"

using namespace ConfiguraRelatorio;

Listagem::Listagem(TDM& dm) : m_dm(dm)
{
    m_rel.Relevo = &m_job;
    m_cabecalho.OnBeforePrint = [this](TRVBand*, QStringList&) { cabecalho(); };
    m_rodape.OnBeforePrint = [this](TRVBand*, QStringList&) {
        rodape(m_job, m_job.PageWidth, SessaoAtual.NomeEmissor, m_colunaImpresso);
    };
    m_detalhe.OnBeforePrint = [this](TRVBand*, QStringList&) {
        detalhe();
        ++m_registros;
    };
    m_resumo.OnBeforePrint = [this](TRVBand*, QStringList&) { resumo(); };
}

Listagem::~Listagem() = default;

bool Listagem::executa(bool tela, int largura)
{
    LeConfig cfg(m_dm);
    ConfiguraRelatorio::job(m_job, cfg);
    m_job.PageWidth = largura;
    m_job.Preview.ShowPreview = tela;
    m_cabeca = cfg.inteiro(QStringLiteral("CFG_CABECA")) == 1;
    m_registros = 0;
    ConfiguraRelatorio::paginas(m_rel, m_detalhe, m_cabecalho, m_rodape);
    m_rel.Summary = m_temResumo ? &m_resumo : nullptr;
    m_rel.PrintSummary = m_temResumo;
    return ConfiguraRelatorio::imprimeConsulta(m_rel, m_dm, m_dm.QR_TEMP, m_dados);
}

// Parties

const QStringList& ListagemCadastros::tipos()
{
    static const QStringList t{QStringLiteral("Transportadora"), QStringLiteral("Cliente"),
                               QStringLiteral("Fornecedor")};
    return t;
}

const QStringList& ListagemCadastros::ordens()
{
    static const QStringList o{QStringLiteral("Razão"), QStringLiteral("Cidade"), QStringLiteral("Estado")};
    return o;
}

ListagemCadastros::ListagemCadastros(TDM& dm) : Listagem(dm)
{
    const struct {
        const char* campo;
        int largura;
        TRVAlignment alinhamento;
        const char* titulo;
    } def[] = {{"cad_codigo", 6, taRightJustify, "Codigo"},    {"cad_razao", 28, taLeftJustify, "Razao/Nome"},
               {"cad_fone", 13, taLeftJustify, "Telefone"},    {"cad_contato", 10, taLeftJustify, "Contato"},
               {"cid_descricao", 16, taLeftJustify, "Cidade"}, {"cid_uf", 3, taLeftJustify, "UF"}};
    for (int i = 0; i < 6; ++i) {
        m_colunas[i].Expression = QString::fromLatin1(def[i].campo);
        m_colunas[i].ColWidth = def[i].largura;
        m_colunas[i].Alignment = def[i].alinhamento;
        m_colunas[i].ColHeader = QString::fromLatin1(def[i].titulo);
        m_detalhe.SetColumn(i, &m_colunas[i]);
    }
}

bool ListagemCadastros::imprimir(const FiltroCadastros& f, bool tela)
{
    m_filtro = f;
    TQuery& q = m_dm.QR_TEMP;
    q.Clear();
    q.Add(
        QStringLiteral("select a.cad_codigo, a.cad_tipo, a.cad_razao, a.cad_fone, a.cad_fax, a.cad_contato, "
                       "b.cid_codigo, b.cid_descricao, b.cid_uf"));
    q.Add(QStringLiteral("from cadastrao a"));
    q.Add(QStringLiteral("left join cidade b on b.cid_codigo=a.cid_codigo"));
    q.Add(QStringLiteral("where a.cad_tipo=:tipo"));
    q.setParam(QStringLiteral("tipo"), f.tipo + 2);
    if (!f.codigoInicial.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and a.cad_codigo>=:codigo1"));
        q.setParam(QStringLiteral("codigo1"), f.codigoInicial.trimmed().toLongLong());
    }
    if (!f.codigoFinal.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and a.cad_codigo<=:codigo2"));
        q.setParam(QStringLiteral("codigo2"), f.codigoFinal.trimmed().toLongLong());
    }
    if (!f.cidade.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and a.cid_codigo=:cidade"));
        q.setParam(QStringLiteral("cidade"), f.cidade.trimmed().toLongLong());
    }
    if (!f.uf.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and b.cid_uf=:uf"));
        q.setParam(QStringLiteral("uf"), f.uf.trimmed());
    }
    // The order chosen in the window; the name keeps equal cities or states in order.
    if (f.ordem == 1)
        q.Add(QStringLiteral("order by b.cid_descricao, a.cad_razao, a.cad_codigo"));
    else if (f.ordem == 2)
        q.Add(QStringLiteral("order by b.cid_uf, b.cid_descricao, a.cad_razao, a.cad_codigo"));
    else
        q.Add(QStringLiteral("order by a.cad_razao, a.cad_codigo"));
    return executa(tela, 125);
}

void ListagemCadastros::cabecalho()
{
    if (m_cabeca) CabecalhoRelatorio(m_job, &m_dm);
    titulo(m_job, 105);
    // the heading names the preview, the PDF and the e-mail subject
    m_job.ReportTitle = QStringLiteral("Listagem de Cadastros - ") + tipos().value(m_filtro.tipo).toUpper();
    m_job.WriteText({}, QStringLiteral("Listagem de Cadastros - ") + tipos().value(m_filtro.tipo).toUpper(),
                    0, true);
    if (!m_filtro.codigoInicial.trimmed().isEmpty() || !m_filtro.codigoFinal.trimmed().isEmpty())
        em(m_job,
           QStringLiteral("Codigo:") + m_filtro.codigoInicial.trimmed() + QStringLiteral(" a ") +
               m_filtro.codigoFinal.trimmed(),
           0);
    if (!m_filtro.cidade.trimmed().isEmpty())
        em(m_job, QStringLiteral("Cidade:") + m_dados->AsString(QStringLiteral("cid_descricao")).trimmed(),
           30);
    if (!m_filtro.uf.trimmed().isEmpty())
        m_job.WriteText({}, QStringLiteral("UF:") + m_filtro.uf.trimmed(), 60, true);
    else
        fimLinha(m_job);
    regua(m_job, u'-', 125);
}

void ListagemCadastros::detalhe() {}

void ListagemCadastros::resumo()
{
    m_job.WriteText({}, QStringLiteral("Total de Registros: ") + QString::number(m_registros), 0, true);
}

// Products

ListagemProdutos::ListagemProdutos(TDM& dm) : Listagem(dm) {}

bool ListagemProdutos::imprimir(int ordem, bool tela)
{
    LeConfig cfg(m_dm);
    m_umidade = cfg.inteiro(QStringLiteral("CFG_UMIDADE"));
    for (int i = 0; i < 10; ++i)
        m_nomesFatores[i] = cfg.texto(QStringLiteral("CFG_FATOR%1").arg(i + 1)).left(10);
    TQuery& q = m_dm.QR_TEMP;
    q.Clear();
    q.Add(QStringLiteral("select * from produto"));
    q.Add(ordem == 1 ? QStringLiteral("order by prd_descricao, prd_codigo")
                     : QStringLiteral("order by prd_codigo, prd_descricao"));
    return executa(tela, 125);
}

void ListagemProdutos::cabecalho()
{
    if (m_cabeca) CabecalhoRelatorio(m_job, &m_dm);
    titulo(m_job, 105);
    // the heading names the preview, the PDF and the e-mail subject
    m_job.ReportTitle = QStringLiteral("Listagem de Produtos");
    m_job.WriteText({}, QStringLiteral("Listagem de Produtos"), 0, true);
    regua(m_job, u'-', 125);
    em(m_job, QStringLiteral("Codigo"), 0);
    em(m_job, QStringLiteral("Produto"), 15);
    if (m_umidade != 0) {
        const int colunas[] = {50, 63, 73, 83, 93, 103};
        for (int i = 0; i < 6; ++i)
            em(m_job, m_nomesFatores[i], colunas[i]);
    }
    fimLinha(m_job);
    regua(m_job, u'-', 125);
}

void ListagemProdutos::detalhe()
{
    const RVDataSetSequencial& q = *m_dados;
    const QString codigo = q.AsString(QStringLiteral("prd_codigo")).trimmed();
    em(m_job, codigo, 0);
    em(m_job, q.AsString(QStringLiteral("prd_descricao")).trimmed().left(30), 15);
    if (m_umidade != 0) {
        const int colunas[] = {50, 63, 73, 83, 93, 103};
        for (int i = 0; i < 6; ++i) {
            const int campo = q.Campo(QStringLiteral("prd_fator%1").arg(i + 1));
            if (!q.IsNull(campo))
                em(m_job, q.AsDecimal(campo).toShortString().left(10) + QStringLiteral(" %"), colunas[i]);
        }
    }
    if (m_umidade != 1) return; // the report ends the line
    TQuery& u = m_dm.QR_EXEC;
    u.Clear();
    u.Add(QStringLiteral("select * from umidade"));
    u.Add(QStringLiteral("where prd_codigo=:codigo order by umi_tipo, umi_umidade"));
    u.setParam(QStringLiteral("codigo"), codigo);
    u.Open();
    for (; !u.Eof(); u.Next()) {
        const int tipo = u.AsInteger(QStringLiteral("umi_tipo"));
        if (tipo < 7 || tipo > 10) continue;
        // Each entry on a line of its own; the report ends the last one.
        fimLinha(m_job);
        em(m_job,
           m_nomesFatores[tipo - 1] + u':' +
               u.AsDecimal(QStringLiteral("umi_umidade")).toShortString().left(10),
           1);
    }
    u.Close();
}

void ListagemProdutos::resumo()
{
    m_job.WriteText({}, QStringLiteral("Total de Produtos: ") + QString::number(m_registros), 0, true);
}

// Vehicle types

ListagemTiposVeiculo::ListagemTiposVeiculo(TDM& dm) : Listagem(dm)
{
    m_temResumo = false;
    m_colunaImpresso = 80 - 30;
    const struct {
        const char* campo;
        int largura;
        TRVAlignment alinhamento;
        const char* titulo;
    } def[] = {{"tpv_codigo", 10, taLeftJustify, "Código"},
               {"tpv_descricao", 50, taLeftJustify, "Descricao"},
               {"tpv_valor", 10, taRightJustify, "Valor"}};
    for (int i = 0; i < 3; ++i) {
        m_colunas[i].Expression = QString::fromLatin1(def[i].campo);
        m_colunas[i].ColWidth = def[i].largura;
        m_colunas[i].Alignment = def[i].alinhamento;
        m_colunas[i].ColHeader = QString::fromUtf8(def[i].titulo);
        m_detalhe.SetColumn(i, &m_colunas[i]);
    }
    // Money with two decimals.
    m_colunas[2].OnBeforePrint = [](TRVColumn*, QString& valor) {
        if (const auto d = Decimal::parse(valor)) valor = d->toString(2);
    };
}

bool ListagemTiposVeiculo::imprimir()
{
    TQuery& q = m_dm.QR_TEMP;
    q.Clear();
    q.Add(QStringLiteral("select tpv_codigo, tpv_descricao, tpv_valor from tipoveiculo"));
    q.Add(QStringLiteral("order by tpv_descricao, tpv_codigo"));
    return executa(true, 80);
}

void ListagemTiposVeiculo::cabecalho()
{
    titulo(m_job, m_job.PageWidth - 20, true);
    // the heading names the preview, the PDF and the e-mail subject
    m_job.ReportTitle = QStringLiteral("Relatorio de Listagem de Veiculos");
    m_job.WriteText({}, QStringLiteral("Relatorio de Listagem de Veiculos"), 0, true);
    regua(m_job, u'-', m_job.PageWidth);
}

// Passages without a weighing

namespace
{
constexpr int ColunasPassagens[] = {0, 21, 42, 56, 70, 99};

QString momento(const QString& gravado)
{
    const QDateTime m = QDateTime::fromString(gravado, QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    return m.isValid() ? m.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) : QStringLiteral("-");
}
} // namespace

ListagemPassagens::ListagemPassagens(TDM& dm) : Listagem(dm) {}

bool ListagemPassagens::imprimir(const QDate& de, const QDate& ate, bool tela)
{
    m_de = de;
    m_ate = ate;
    m_casas = LeConfig(m_dm).inteiro(QStringLiteral("CFG_CASASDECIMAIS"));
    Passagens::seleciona(m_dm.QR_TEMP, de, ate);
    return executa(tela, 125);
}

void ListagemPassagens::cabecalho()
{
    if (m_cabeca) CabecalhoRelatorio(m_job, &m_dm);
    titulo(m_job, 105);
    // the heading names the preview, the PDF and the e-mail subject
    m_job.ReportTitle = QStringLiteral("Passagens sem pesagem");
    m_job.WriteText({}, QStringLiteral("Passagens sem pesagem"), 0, true);
    m_job.WriteText({},
                    QStringLiteral("Periodo: ") + m_de.toString(QStringLiteral("dd/MM/yyyy")) +
                        QStringLiteral(" a ") + m_ate.toString(QStringLiteral("dd/MM/yyyy")),
                    0, true);
    regua(m_job, u'-', 125);
    const char* const titulos[] = {"Inicio", "Fim", "Peso maximo", "Peso estavel", "Situacao", "Estacao"};
    for (int i = 0; i < 6; ++i)
        em(m_job, QString::fromLatin1(titulos[i]), ColunasPassagens[i]);
    fimLinha(m_job);
    regua(m_job, u'-', 125);
}

void ListagemPassagens::detalhe()
{
    const RVDataSetSequencial& q = *m_dados;
    const auto peso = [&](const char* campo) {
        const int c = q.Campo(QLatin1String(campo));
        return q.IsNull(c) ? QStringLiteral("-") : q.AsDecimal(c).toString(m_casas);
    };
    PassagemGravada p;
    p.situacao = PassagemGravada::Situacao(q.AsString(QStringLiteral("pas_situacao")).toInt());
    em(m_job, momento(q.AsString(QStringLiteral("pas_inicio"))), ColunasPassagens[0]);
    em(m_job, momento(q.AsString(QStringLiteral("pas_fim"))), ColunasPassagens[1]);
    em(m_job, peso("pas_pesomaximo"), ColunasPassagens[2]);
    em(m_job, peso("pas_pesoestavel"), ColunasPassagens[3]);
    em(m_job, p.textoSituacao(), ColunasPassagens[4]);
    em(m_job, q.AsString(QStringLiteral("pas_estacao")).left(25), ColunasPassagens[5]);
}

void ListagemPassagens::resumo()
{
    m_job.WriteText({}, QStringLiteral("Total de Passagens: ") + QString::number(m_registros), 0, true);
}
