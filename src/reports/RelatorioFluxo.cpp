// SPDX-License-Identifier: GPL-3.0-or-later
#include "RelatorioFluxo.h"

#include "CabecalhoRelatorio.h"
#include "ConfiguraRelatorio.h"
#include "LeConfig.h"
#include "Quantidades.h"
#include "RVDataSet.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TQuery.h"

#include <vector>

using namespace ConfiguraRelatorio;

namespace
{
constexpr int Largura = 125;

QString dataTexto(const QDate& d)
{
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

// The columns of the flow statement (the product's fixed factors, the weighing's exit and entry factors).
void colunas(TQuery& q)
{
    q.Add(QStringLiteral(",b.pes_pesoentrada, b.pes_pesosaida"));
    q.Add(QStringLiteral(
        ",d.prd_fator1, d.prd_fator2, d.prd_fator3, d.prd_fator4, d.prd_fator5, d.prd_fator6"));
    q.Add(QStringLiteral(",c.pes_fator7, c.pes_fator8, c.pes_fator9, c.pes_fator10, c.pes_fator11"));
    q.Add(QStringLiteral(",c.pes_fator7e, c.pes_fator8e, c.pes_fator9e, c.pes_fator10e"));
    q.Add(QStringLiteral("from Cadastrao a, Pesagem b, PesagemProduto c, Produto d"));
    q.Add(QStringLiteral("where a.cad_codigo=b.cad_codigo and a.cad_tipo=b.cad_tipo"));
    q.Add(QStringLiteral("and b.pes_codigo=c.pes_codigo and c.prd_codigo=d.prd_codigo"));
    q.Add(QStringLiteral("and b.pes_datasaida is not null"));
}
} // namespace

void RelatorioFluxo::montaSql(TQuery& q, const FiltroFluxo& f)
{
    q.Clear();
    q.Add(QStringLiteral("select a.cad_razao, a.cad_tipo, c.prd_codigo, b.pes_dataentrada, b.pes_datasaida, "
                         "d.prd_descricao, b.pes_codigo"));
    colunas(q);
    if (f.inicio.isValid()) {
        q.Add(QStringLiteral("and b.pes_dataentrada >= :inicio"));
        q.setParam(QStringLiteral("inicio"), f.inicio);
    }
    if (f.fim.isValid()) {
        q.Add(QStringLiteral("and b.pes_dataentrada <= :fim"));
        q.setParam(QStringLiteral("fim"), f.fim);
    }
    if (!f.produto.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and d.prd_codigo=:produto"));
        q.setParam(QStringLiteral("produto"), f.produto.trimmed());
    }
    q.Add(QStringLiteral(
        "order by c.prd_codigo, b.pes_dataentrada, a.cad_tipo desc, a.cad_razao, b.pes_codigo"));
}

SomasFluxo RelatorioFluxo::linha(const TQuery& q, Decimal* fatorEntrada, Decimal* fatorSaida)
{
    Quantidades::Fatores f;
    for (int i = 0; i < 6; ++i)
        f.fixos[i] = q.AsDecimal(QStringLiteral("prd_fator%1").arg(i + 1));
    for (int i = 0; i < 4; ++i) {
        f.saida[i] = q.AsDecimal(QStringLiteral("pes_fator%1").arg(i + 7));
        f.entrada[i] = q.AsDecimal(QStringLiteral("pes_fator%1e").arg(i + 7));
    }
    f.umidade = q.AsDecimal(QStringLiteral("pes_fator11"));
    const int tipo = q.AsInteger(QStringLiteral("cad_tipo"));
    SomasFluxo s;
    s.entrada = q.AsDecimal(QStringLiteral("pes_pesoentrada"));
    s.saida = q.AsDecimal(QStringLiteral("pes_pesosaida"));
    const Decimal c7e = Quantidades::fcvEntrada(f);
    s.entradaFc = Quantidades::pesoEntradaCorrigido(s.entrada, c7e);
    // Clients: S - E'; suppliers (and any other kind): E' - S.
    s.liquido = tipo == 3 ? s.saida - s.entradaFc : s.entradaFc - s.saida;
    const Decimal fluxo = Quantidades::liquidoFluxo(s.entradaFc, s.saida, f);
    s.liquidoFc = tipo == 3 ? -fluxo : fluxo;
    if (fatorEntrada) *fatorEntrada = c7e;
    if (fatorSaida) *fatorSaida = Quantidades::fcf(f) * Quantidades::fcvSaida(f);
    return s;
}

namespace
{
// "(100 - f1 - f2 ...)" over the stored factors named, a missing one as 0.
QString cem(const std::vector<const char*>& fatores)
{
    QString r = QStringLiteral("(100");
    for (const char* f : fatores)
        r += QStringLiteral("-coalesce(c.%1,0)").arg(QLatin1String(f));
    return r + u')';
}
} // namespace

void RelatorioFluxo::montaSomas(TQuery& q, const FiltroFluxo& f, const QDate& antesDe, FatorSaida modo)
{
    const QString entradaFc = QStringLiteral("b.pes_pesoentrada*") +
                              cem({"pes_fator7e", "pes_fator8e", "pes_fator9e", "pes_fator10e"}) +
                              QStringLiteral("/100.0");
    const std::vector<const char*> fixos{"pes_fator1", "pes_fator2", "pes_fator3",
                                         "pes_fator4", "pes_fator5", "pes_fator6"};
    const std::vector<const char*> variaveis{"pes_fator7", "pes_fator8", "pes_fator9", "pes_fator10",
                                             "pes_fator11"};
    QString fator;
    if (modo == FatorSaida::FixoVezesVariavel) {
        fator = cem(fixos) + QStringLiteral("/100.0*") + cem(variaveis) + QStringLiteral("/100.0");
    } else {
        std::vector<const char*> todos = fixos;
        todos.insert(todos.end(), variaveis.begin(), variaveis.end());
        fator = cem(todos) + QStringLiteral("/100.0");
    }
    q.Clear();
    q.Add(QStringLiteral("select a.cad_tipo, c.prd_codigo, d.prd_descricao"));
    q.Add(QStringLiteral(",sum(b.pes_pesoentrada) as PesoEntrada, sum(b.pes_pesosaida) as PesoSaida"));
    q.Add(QStringLiteral(",sum(") + entradaFc + QStringLiteral(") as EntLiquido"));
    q.Add(QStringLiteral(",sum((") + entradaFc + QStringLiteral("-b.pes_pesosaida)*") + fator +
          QStringLiteral(") as LiquidoFc"));
    q.Add(QStringLiteral("from Cadastrao a, Pesagem b, PesagemProduto c, Produto d"));
    q.Add(QStringLiteral("where a.cad_codigo=b.cad_codigo and a.cad_tipo=b.cad_tipo"));
    q.Add(QStringLiteral("and b.pes_codigo=c.pes_codigo and c.prd_codigo=d.prd_codigo"));
    q.Add(QStringLiteral("and b.pes_datasaida is not null"));
    if (antesDe.isValid()) {
        q.Add(QStringLiteral("and b.pes_dataentrada < :antes"));
        q.setParam(QStringLiteral("antes"), antesDe);
    } else {
        if (f.inicio.isValid()) {
            q.Add(QStringLiteral("and b.pes_dataentrada >= :inicio"));
            q.setParam(QStringLiteral("inicio"), f.inicio);
        }
        if (f.fim.isValid()) {
            q.Add(QStringLiteral("and b.pes_dataentrada <= :fim"));
            q.setParam(QStringLiteral("fim"), f.fim);
        }
    }
    if (!f.produto.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and c.prd_codigo=:produto"));
        q.setParam(QStringLiteral("produto"), f.produto.trimmed());
    }
    q.Add(QStringLiteral("group by c.prd_codigo, a.cad_tipo, d.prd_descricao"));
    q.Add(QStringLiteral("order by c.prd_codigo, a.cad_tipo desc"));
}

SomasFluxo RelatorioFluxo::somasDaLinha(const TQuery& q)
{
    SomasFluxo s;
    s.entrada = q.AsDecimal(QStringLiteral("PesoEntrada"));
    s.saida = q.AsDecimal(QStringLiteral("PesoSaida"));
    s.entradaFc = q.AsDecimal(QStringLiteral("EntLiquido"));
    s.liquido = s.entradaFc - s.saida;
    s.liquidoFc = q.AsDecimal(QStringLiteral("LiquidoFc"));
    return s;
}

MovimentoAnterior RelatorioFluxo::anterior(TDM& dm, const QString& produto, const QDate& inicio)
{
    MovimentoAnterior m;
    TQuery& q = dm.QR_EXEC;
    FiltroFluxo f;
    f.produto = produto;
    montaSomas(q, f, inicio, FatorSaida::FixoVezesVariavel);
    q.Open();
    for (; !q.Eof(); q.Next()) {
        SomasFluxo s = somasDaLinha(q);
        if (q.AsInteger(QStringLiteral("cad_tipo")) == 4) {
            m.fornecedor.soma(s);
        } else {
            // A client's figures in the sign of its withdrawals: S - E'.
            s.liquido = -s.liquido;
            s.liquidoFc = -s.liquidoFc;
            m.cliente.soma(s);
        }
    }
    q.Close();
    return m;
}

RelatorioFluxo::RelatorioFluxo(TDM& dm) : m_dm(dm)
{
    m_rel.Relevo = &m_job;
    m_produto.setExpression(QStringLiteral("prd_codigo"));
    m_dia.setExpression(QStringLiteral("pes_dataentrada"));
    m_tipo.setExpression(QStringLiteral("cad_tipo"));
    liga(m_cabecalho, this, &RelatorioFluxo::cabecalhoPagina);
    m_rodape.OnBeforePrint = [this](TRVBand*, QStringList&) { rodape(m_job, Largura, m_ajustes.emissor); };
    liga(m_produto, this, &RelatorioFluxo::cabecalhoProduto);
    liga(m_rodapeProduto, this, &RelatorioFluxo::rodapeProduto);
    liga(m_dia, this, &RelatorioFluxo::cabecalhoDia);
    liga(m_rodapeDia, this, &RelatorioFluxo::rodapeDia);
    liga(m_tipo, this, &RelatorioFluxo::cabecalhoTipo);
    liga(m_rodapeTipo, this, &RelatorioFluxo::rodapeTipo);
    liga(m_detalhe, this, &RelatorioFluxo::detalhe);
}

RelatorioFluxo::~RelatorioFluxo() = default;

bool RelatorioFluxo::imprimir(const FiltroFluxo& f, bool tela)
{
    m_filtro = f;
    LeConfig cfg(m_dm);
    m_ajustes = inicia(m_job, cfg, Largura, tela);
    m_anterior = {};
    m_grupo = {};
    m_diaFornecedor = m_diaFornecedorFc = m_diaCliente = m_diaClienteFc = {};
    m_produtoSoma = m_produtoSomaFc = m_totalProdutos = {};

    paginas(m_rel, m_detalhe, m_cabecalho, m_rodape);
    m_rel.PrintSummary = false;
    grupos(m_rel, {{&m_produto, &m_rodapeProduto}, {&m_dia, &m_rodapeDia}, {&m_tipo, &m_rodapeTipo}});

    TQuery& q = m_dm.QR_TEMP;
    montaSql(q, f);
    return imprimeConsulta(m_rel, q, m_dados);
}

void RelatorioFluxo::cabecalhoPagina()
{
    if (m_ajustes.cabeca) CabecalhoRelatorio(m_job, &m_dm);
    titulo(m_job, 110);
    // the heading names the preview, the PDF and the e-mail subject
    m_job.ReportTitle = QStringLiteral("Relatorio de Movimentacao de Produtos - Fluxo Diario");
    m_job.WriteText({}, QStringLiteral("Relatorio de Movimentacao de Produtos - Fluxo Diario"), 0, true);
    if (m_filtro.inicio.isValid() || m_filtro.fim.isValid())
        em(m_job,
           QStringLiteral("Entrada: ") + dataTexto(m_filtro.inicio) + QStringLiteral(" a ") +
               dataTexto(m_filtro.fim),
           0);
    m_job.WriteText({}, QStringLiteral("* FC: Fator de Correcao"), 102, true);
    regua(m_job, u'-', Largura);
}

void RelatorioFluxo::titulos()
{
    auto t = [this](const char* s, int w, int c) {
        em(m_job, AlinhaTexto(QString::fromUtf8(s), w, u'D'), c);
    };
    t("Peso Entrada", 12, 23);
    if (m_ajustes.umidade) {
        t("FC", 8, 36);
        t("Peso Entrada c/ FC", 22, 45);
        t("Peso Saida", 12, 68);
        t("Peso Liquido", 12, 81);
        t("FC", 8, 94);
        t("Peso Liquido c/ FC", 22, 103);
    } else {
        t("Peso Saida", 12, 36);
        t("Peso Liquido", 12, 49);
    }
    fimLinha(m_job);
}

void RelatorioFluxo::cabecalhoProduto()
{
    const TQuery& q = m_dm.QR_TEMP;
    const QString produto = q.AsString(QStringLiteral("prd_codigo")).trimmed();
    m_anterior = {};
    if (m_filtro.inicio.isValid()) m_anterior = anterior(m_dm, produto, m_filtro.inicio);
    m_job.WriteText(
        {}, produto + QStringLiteral(" - ") + q.AsString(QStringLiteral("prd_descricao")).trimmed(), 0, true);
    regua(m_job, u'-', Largura);
    fimLinha(m_job);
    if (m_filtro.inicio.isValid()) {
        const int c = m_ajustes.casas;
        auto valores = [this, c](const SomasFluxo& s, Decimal liquido) {
            numero(m_job, s.entrada, c, 12, 23);
            if (m_ajustes.umidade) {
                numero(m_job, s.entradaFc, c, 22, 45);
                numero(m_job, s.saida, c, 12, 68);
                numero(m_job, liquido, c, 12, 81);
                numero(m_job, s.liquidoFc, c, 22, 103);
            } else {
                numero(m_job, s.saida, c, 12, 36);
                numero(m_job, liquido, c, 12, 49);
            }
            fimLinha(m_job);
        };
        em(m_job, QStringLiteral("Mov. Anterior Fornec.:"), 0);
        titulos();
        valores(m_anterior.fornecedor, m_anterior.fornecedor.entradaFc - m_anterior.fornecedor.saida);
        em(m_job, QStringLiteral("Mov. Anterior Cliente:"), 0);
        titulos();
        valores(m_anterior.cliente, m_anterior.cliente.saida - m_anterior.cliente.entradaFc);
        em(m_job, QStringLiteral("Saldo dos Movimentos Anteriores:"), 0);
        numero(m_job, m_anterior.saldo(), c, 12, 81);
        if (m_ajustes.umidade)
            numero(m_job, m_anterior.fornecedor.liquidoFc - m_anterior.cliente.liquidoFc, c, 22, 103);
        fimLinha(m_job);
        regua(m_job, u'-', Largura);
    }
    m_produtoSoma = m_produtoSomaFc = {};
}

void RelatorioFluxo::cabecalhoDia()
{
    const TQuery& q = m_dm.QR_TEMP;
    // A day's header stays with its first record: its three lines, the party
    // kind's title and rule, and one record's three lines.
    constexpr int linhasJuntas = 8;
    const int ultima = m_job.QtLines - m_rel.LinesFooter - 2;
    if (m_job.QtLines > 0 && m_job.PRow() > 1 && m_job.PRow() + linhasJuntas - 1 > ultima) m_job.NewPage();
    em(m_job, QStringLiteral("Entrada"), 0);
    m_job.WriteText({}, QStringLiteral("Saida"), 12, true);
    em(m_job, dataTexto(q.AsDate(QStringLiteral("pes_dataentrada"))), 0);
    m_job.WriteText({}, dataTexto(q.AsDate(QStringLiteral("pes_datasaida"))), 12, true);
    fimLinha(m_job);
    m_diaFornecedor = m_diaFornecedorFc = m_diaCliente = m_diaClienteFc = {};
}

void RelatorioFluxo::cabecalhoTipo()
{
    m_tipoAtual = m_dm.QR_TEMP.AsInteger(QStringLiteral("cad_tipo"));
    if (m_tipoAtual == 3) em(m_job, QStringLiteral("Clientes"), 0);
    if (m_tipoAtual == 4) em(m_job, QStringLiteral("Fornecedores"), 0);
    titulos();
    regua(m_job, u'-', Largura);
    m_grupo = {};
}

void RelatorioFluxo::detalhe()
{
    const TQuery& q = m_dm.QR_TEMP;
    Decimal fe, fs;
    const SomasFluxo s = linha(q, &fe, &fs);
    const int c = m_ajustes.casas;
    m_job.WriteText({}, q.AsString(QStringLiteral("cad_razao")).trimmed().left(35), 0, true);
    // Each record carries its own title line.
    auto t = [this](const char* s, int w, int col) {
        em(m_job, AlinhaTexto(QString::fromUtf8(s), w, u'D'), col);
    };
    em(m_job, QStringLiteral("Mov. Anterior Fornec.:"), 0);
    t("Peso Entrada", 12, 23);
    if (m_ajustes.umidade) {
        t("FC", 8, 36);
        t("Peso Ent. c/ FC", 17, 45);
        t("Peso Saida", 12, 63);
        t("Peso Liq.", 12, 76);
        t("FC", 8, 91);
        t("Peso Liq. c/ FC", 15, 100);
    } else {
        t("Peso Saida", 12, 36);
        t("Peso Liquido", 12, 49);
    }
    fimLinha(m_job);
    numero(m_job, s.entrada, c, 12, 23);
    if (m_ajustes.umidade) {
        numero(m_job, fe, 4, 8, 36);
        numero(m_job, s.entradaFc, c, 22, 45);
        numero(m_job, s.saida, c, 12, 68);
        numero(m_job, s.liquido, c, 12, 81);
        numero(m_job, fs, 4, 8, 94);
        numero(m_job, s.liquidoFc, c, 22, 103);
    } else {
        numero(m_job, s.saida, c, 12, 36);
        numero(m_job, s.liquido, c, 12, 49);
    }
    // The report ends the detail line.
    m_grupo.soma(s);
}

void RelatorioFluxo::rodapeTipo()
{
    const int c = m_ajustes.casas;
    regua(m_job, u'-', Largura);
    if (m_ajustes.umidade) {
        em(m_job, QStringLiteral("Fator Medio"), 0);
        numero(m_job, m_grupo.entradaFc / m_grupo.entrada, 4, 8, 36);
        numero(m_job, m_grupo.liquidoFc / m_grupo.liquido, 4, 8, 94);
        fimLinha(m_job);
        em(m_job, QStringLiteral("Total"), 0);
        numero(m_job, m_grupo.entrada, c, 12, 23);
        numero(m_job, m_grupo.saida, c, 12, 68);
        numero(m_job, m_grupo.liquido, c, 12, 81);
        numero(m_job, m_grupo.liquidoFc, c, 22, 103);
    } else {
        em(m_job, QStringLiteral("Total"), 0);
        numero(m_job, m_grupo.entrada, c, 12, 23);
        numero(m_job, m_grupo.saida, c, 12, 36);
        numero(m_job, m_grupo.liquido, c, 12, 49);
    }
    fimLinha(m_job);
    m_job.WriteText({}, QStringLiteral(" "), 0, true);
    if (m_tipoAtual == 3) {
        m_diaCliente = m_grupo.liquido;
        m_diaClienteFc = m_grupo.liquidoFc;
    } else if (m_tipoAtual == 4) {
        m_diaFornecedor = m_grupo.liquido;
        m_diaFornecedorFc = m_grupo.liquidoFc;
    }
    m_grupo = {};
}

void RelatorioFluxo::rodapeDia()
{
    const Decimal dia = m_diaFornecedor - m_diaCliente;
    const Decimal diaFc = m_diaFornecedorFc - m_diaClienteFc;
    em(m_job, QStringLiteral("Total do Dia"), 0);
    if (m_ajustes.umidade) {
        numero(m_job, dia, m_ajustes.casas, 12, 81);
        numero(m_job, diaFc, m_ajustes.casas, 22, 103);
    } else {
        numero(m_job, dia, m_ajustes.casas, 12, 49);
    }
    fimLinha(m_job);
    m_produtoSoma += dia;
    m_produtoSomaFc += diaFc;
    regua(m_job, u'-', Largura);
}

void RelatorioFluxo::rodapeProduto()
{
    em(m_job, QStringLiteral("Total do Produto"), 0);
    if (m_ajustes.umidade) {
        numero(m_job, m_produtoSoma, m_ajustes.casas, 12, 81);
        numero(m_job, (m_anterior.fornecedor.liquidoFc - m_anterior.cliente.liquidoFc) + m_produtoSomaFc,
               m_ajustes.casas, 22, 103);
    } else {
        numero(m_job, m_produtoSoma, m_ajustes.casas, 12, 49);
    }
    fimLinha(m_job);
    regua(m_job, u'-', Largura);
    m_totalProdutos += m_produtoSoma;
}
