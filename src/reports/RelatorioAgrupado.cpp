#include "RelatorioAgrupado.h"

#include "CabecalhoRelatorio.h"
#include "ConfiguraRelatorio.h"
#include "LeConfig.h"
#include "Quantidades.h"
#include "RVDataSet.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TQuery.h"

using namespace ConfiguraRelatorio;

namespace
{
constexpr int Largura = 125;

// A client's net with factor in the sign of its net (S - E'), for the balances.
Decimal liquidoFcSaldo(const SomasFluxo& s, int tipo)
{
    return tipo == 3 ? -s.liquidoFc : s.liquidoFc;
}
} // namespace

std::vector<RelatorioAgrupado::Linha> RelatorioAgrupado::somas(TDM& dm, const FiltroFluxo& f,
                                                               const QDate& antesDe)
{
    TQuery& q = antesDe.isValid() ? dm.QR_EXEC : dm.QR_TEMP;
    q.Clear();
    q.Add(QStringLiteral(
        "select a.cad_tipo, c.prd_codigo, d.prd_descricao, b.pes_pesoentrada, b.pes_pesosaida,"));
    q.Add(QStringLiteral(
        "c.pes_fator1, c.pes_fator2, c.pes_fator3, c.pes_fator4, c.pes_fator5, c.pes_fator6,"));
    q.Add(QStringLiteral("c.pes_fator7, c.pes_fator8, c.pes_fator9, c.pes_fator10, c.pes_fator11,"));
    q.Add(QStringLiteral("c.pes_fator7e, c.pes_fator8e, c.pes_fator9e, c.pes_fator10e"));
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
        q.Add(QStringLiteral("and d.prd_codigo=:produto"));
        q.setParam(QStringLiteral("produto"), f.produto.trimmed());
    }
    q.Add(QStringLiteral("order by c.prd_codigo, a.cad_tipo desc"));
    q.Open();
    std::vector<Linha> linhas;
    for (; !q.Eof(); q.Next()) {
        const QString produto = q.AsString(QStringLiteral("prd_codigo")).trimmed();
        const int tipo = q.AsInteger(QStringLiteral("cad_tipo"));
        if (linhas.empty() || linhas.back().produto != produto || linhas.back().tipo != tipo)
            linhas.push_back({produto, q.AsString(QStringLiteral("prd_descricao")).trimmed(), tipo, {}});
        Quantidades::Fatores fat;
        for (int i = 0; i < 6; ++i)
            fat.fixos[i] = q.AsDecimal(QStringLiteral("pes_fator%1").arg(i + 1));
        for (int i = 0; i < 4; ++i) {
            fat.saida[i] = q.AsDecimal(QStringLiteral("pes_fator%1").arg(i + 7));
            fat.entrada[i] = q.AsDecimal(QStringLiteral("pes_fator%1e").arg(i + 7));
        }
        fat.umidade = q.AsDecimal(QStringLiteral("pes_fator11"));
        SomasFluxo s;
        s.entrada = q.AsDecimal(QStringLiteral("pes_pesoentrada"));
        s.saida = q.AsDecimal(QStringLiteral("pes_pesosaida"));
        s.entradaFc = Quantidades::pesoEntradaCorrigido(s.entrada, Quantidades::fcvEntrada(fat));
        s.liquido = s.entradaFc - s.saida;
        s.liquidoFc = Quantidades::liquidoCorrigidoMovimento(s.liquido, fat);
        linhas.back().s.soma(s);
    }
    q.Close();
    return linhas;
}

RelatorioAgrupado::RelatorioAgrupado(TDM& dm) : m_dm(dm)
{
    m_rel.Relevo = &m_job;
    m_produto.setExpression(QStringLiteral("prd_codigo"));
    m_tipo.setExpression(QStringLiteral("cad_tipo"));
    liga(m_cabecalho, this, &RelatorioAgrupado::cabecalhoPagina);
    m_rodape.OnBeforePrint = [this](TRVBand*, QStringList&) { rodape(m_job, Largura, m_ajustes.emissor); };
    liga(m_produto, this, &RelatorioAgrupado::cabecalhoProduto);
    liga(m_rodapeProduto, this, &RelatorioAgrupado::rodapeProduto);
    liga(m_tipo, this, &RelatorioAgrupado::cabecalhoTipo);
    liga(m_rodapeTipo, this, &RelatorioAgrupado::rodapeTipo);
    liga(m_detalhe, this, &RelatorioAgrupado::detalhe);
}

RelatorioAgrupado::~RelatorioAgrupado() = default;

bool RelatorioAgrupado::imprimir(const FiltroFluxo& f, bool tela)
{
    m_filtro = f;
    LeConfig cfg(m_dm);
    m_ajustes = inicia(m_job, cfg, Largura, tela);
    m_antFornecedor = m_antCliente = m_linha = {};
    m_saldoMov = m_saldoMovFc = m_saldoProduto = m_saldoProdutoFc = {};

    m_linhas = somas(m_dm, f);
    if (m_linhas.empty()) return false;
    m_dados = std::make_unique<RVDataSetMemoria>(
        QStringList{QStringLiteral("prd_codigo"), QStringLiteral("cad_tipo"), QStringLiteral("linha")});
    m_dados->reserve(m_linhas.size());
    for (size_t i = 0; i < m_linhas.size(); ++i)
        m_dados->append({m_linhas[i].produto, QString::number(m_linhas[i].tipo), QString::number(i)});

    paginas(m_rel, m_detalhe, m_cabecalho, m_rodape);
    m_rel.PrintSummary = false;
    grupos(m_rel, {{&m_produto, &m_rodapeProduto}, {&m_tipo, &m_rodapeTipo}});
    m_rel.DataSet = m_dados.get();
    m_rel.Print();
    m_rel.DataSet = nullptr;
    return true;
}

const RelatorioAgrupado::Linha& RelatorioAgrupado::atual() const
{
    return m_linhas[size_t(m_dados->AsString(QStringLiteral("linha")).toLongLong())];
}

void RelatorioAgrupado::cabecalhoPagina()
{
    if (m_ajustes.cabeca) CabecalhoRelatorio(m_job, &m_dm);
    titulo(m_job, 110, true);
    // the heading names the preview, the PDF and the e-mail subject
    m_job.ReportTitle = QStringLiteral("Relatorio de Movimentacao de Produtos - Agrupado");
    m_job.WriteText({}, QStringLiteral("Relatorio de Movimentacao de Produtos - Agrupado"), 0, true);
    if (m_filtro.inicio.isValid() || m_filtro.fim.isValid()) {
        auto d = [](const QDate& x) {
            return x.isValid() ? x.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        };
        em(m_job, QStringLiteral("Entrada: ") + d(m_filtro.inicio) + QStringLiteral(" a ") + d(m_filtro.fim),
           0);
    }
    em(m_job, QStringLiteral("* FCF: Fator de Correcao Fixo"), 55);
    m_job.WriteText({}, QStringLiteral("** FCV: Fator de Correcao Variavel"), 91, true);
    regua(m_job, u'-', Largura);
}

void RelatorioAgrupado::titulos()
{
    auto t = [this](const char* s, int w, int c) {
        em(m_job, AlinhaTexto(QString::fromUtf8(s), w, u'E'), c);
    };
    t("Peso Entrada", 12, 23);
    if (m_ajustes.umidade) {
        t("Peso Entrada c/ FCV", 31, 36);
        t("Peso Saida", 12, 68);
        t("Peso Liquido", 12, 81);
        t("Peso Liquido c/ FCF e FCV", 31, 94);
    } else {
        t("Peso Saida", 12, 36);
        t("Peso Liquido", 12, 49);
    }
    fimLinha(m_job);
}

void RelatorioAgrupado::cabecalhoProduto()
{
    const Linha& l = atual();
    m_antFornecedor = m_antCliente = {};
    const bool comAnterior = m_filtro.inicio.isValid();
    if (comAnterior) {
        FiltroFluxo f;
        f.produto = l.produto;
        for (const Linha& a : somas(m_dm, f, m_filtro.inicio))
            (a.tipo == 4 ? m_antFornecedor : m_antCliente).soma(a.s);
    }
    m_job.WriteText({}, l.produto + QStringLiteral(" - ") + l.descricao, 0, true);
    regua(m_job, u'=', Largura);
    fimLinha(m_job);
    const int c = m_ajustes.casas;
    if (comAnterior) {
        auto figuras = [this, c](const SomasFluxo& s) {
            numero(m_job, s.entrada, c, 12, 23);
            if (m_ajustes.umidade) {
                numero(m_job, s.entradaFc, c, 31, 36);
                numero(m_job, s.saida, c, 12, 68);
                numero(m_job, s.entradaFc - s.saida, c, 12, 81);
                numero(m_job, s.liquidoFc, c, 31, 94);
            } else {
                numero(m_job, s.saida, c, 12, 36);
                numero(m_job, s.entrada - s.saida, c, 12, 49);
            }
            fimLinha(m_job);
        };
        em(m_job, QStringLiteral("Mov. Anterior Fornec.:"), 0);
        titulos();
        figuras(m_antFornecedor);
        em(m_job, QStringLiteral("Mov. Anterior Cliente:"), 0);
        titulos();
        figuras(m_antCliente);
        em(m_job, QStringLiteral("Saldo Anterior:"), 0);
        if (m_ajustes.umidade) {
            numero(m_job,
                   (m_antFornecedor.entradaFc - m_antFornecedor.saida) -
                       (m_antCliente.saida - m_antCliente.entradaFc),
                   c, 12, 81);
            numero(m_job, liquidoFcSaldo(m_antFornecedor, 4) - liquidoFcSaldo(m_antCliente, 3), c, 31, 94);
        } else {
            numero(m_job,
                   (m_antFornecedor.entrada - m_antFornecedor.saida) -
                       (m_antCliente.saida - m_antCliente.entrada),
                   c, 12, 81);
        }
        fimLinha(m_job);
        regua(m_job, u'-', Largura);
    }
    m_saldoMov = m_saldoMovFc = {};
    m_saldoProduto = m_saldoProdutoFc = {};
}

void RelatorioAgrupado::cabecalhoTipo()
{
    m_tipoLinha = atual().tipo;
    if (m_tipoLinha == 3) {
        em(m_job, QStringLiteral("Movimento Cliente:"), 0);
        m_fornecedor = false;
    } else if (m_tipoLinha == 4) {
        em(m_job, QStringLiteral("Movimento Fornecedor:"), 0);
        m_fornecedor = true;
    }
    titulos();
}

void RelatorioAgrupado::detalhe()
{
    const Linha& l = atual();
    m_linha = l.s;
    m_tipoLinha = l.tipo;
}

void RelatorioAgrupado::rodapeTipo()
{
    const int c = m_ajustes.casas;
    const SomasFluxo& s = m_linha;
    // The net as the balances take it: S - E' for clients, E' - S otherwise.
    const Decimal liquido = m_tipoLinha == 3 ? s.saida - s.entradaFc : s.entradaFc - s.saida;
    numero(m_job, s.entrada, c, 12, 23);
    if (m_ajustes.umidade) {
        numero(m_job, s.entradaFc, c, 31, 36);
        numero(m_job, s.saida, c, 12, 68);
        numero(m_job, s.entradaFc - s.saida, c, 12, 81);
        numero(m_job, s.liquidoFc, c, 31, 94);
    } else {
        numero(m_job, s.saida, c, 12, 36);
        numero(m_job, liquido, c, 12, 49);
    }
    fimLinha(m_job);
    const Decimal fc = liquidoFcSaldo(s, m_tipoLinha);
    if (m_fornecedor) {
        m_saldoMov += liquido;
        m_saldoMovFc += fc;
    } else {
        m_saldoMov -= liquido;
        m_saldoMovFc -= fc;
    }
}

void RelatorioAgrupado::rodapeProduto()
{
    const int c = m_ajustes.casas;
    const bool comAnterior = m_filtro.inicio.isValid();
    m_saldoProduto =
        (m_antFornecedor.entradaFc - m_antFornecedor.saida - (m_antCliente.saida - m_antCliente.entradaFc)) +
        m_saldoMov;
    m_saldoProdutoFc = liquidoFcSaldo(m_antFornecedor, 4) - liquidoFcSaldo(m_antCliente, 3) + m_saldoMovFc;
    if (comAnterior) {
        em(m_job, QStringLiteral("Saldo Movimento:"), 0);
        numero(m_job, m_saldoMov, c, 12, 81);
        if (m_ajustes.umidade) numero(m_job, m_saldoMovFc, c, 31, 94);
        fimLinha(m_job);
        regua(m_job, u'-', Largura);
        em(m_job, QStringLiteral("Saldo Produto:"), 0);
        numero(m_job, m_saldoProduto, c, 12, 81);
        numero(m_job, m_saldoProdutoFc, c, 31, 94);
    } else {
        regua(m_job, u'-', Largura);
        em(m_job, QStringLiteral("Saldo Produto:"), 0);
        numero(m_job, m_saldoMov, c, 12, 81);
        numero(m_job, m_saldoProdutoFc, c, 31, 94);
    }
    fimLinha(m_job);
    regua(m_job, u'=', Largura);
}
