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

// "(100 - f1 - f2 ...)/100.0" over the factors named, a missing one as 0.
QString coeficiente(const QString& tabela, const QStringList& fatores)
{
    QString r = QStringLiteral("(100");
    for (const QString& f : fatores)
        r += QStringLiteral("-coalesce(%1.%2,0)").arg(tabela, f);
    return r + QStringLiteral(")/100.0");
}

QStringList nomes(const char* prefixo, int de, int ate, const char* sufixo = "")
{
    QStringList r;
    for (int i = de; i <= ate; ++i)
        r << QStringLiteral("%1%2%3").arg(QLatin1String(prefixo)).arg(i).arg(QLatin1String(sufixo));
    return r;
}

// E': the entry weight times the weighing's entry coefficient.
QString entradaCorrigida()
{
    return QStringLiteral("b.pes_pesoentrada*") +
           coeficiente(QStringLiteral("c"), nomes("pes_fator", 7, 10, "e"));
}

// The exit side's factor: the fixed factors (stored with the weighing, or the
// product's own in the flow's lines) times the variable ones, or one
// coefficient of all eleven.
QString fatorSaida(const QString& tabelaFixos, const char* fixos, RelatorioFluxo::FatorSaida modo)
{
    const QStringList variaveis = nomes("pes_fator", 7, 11);
    if (modo == RelatorioFluxo::FatorSaida::Combinado)
        return coeficiente(QStringLiteral("c"), nomes(fixos, 1, 6) + variaveis);
    return coeficiente(tabelaFixos, nomes(fixos, 1, 6)) + u'*' + coeficiente(QStringLiteral("c"), variaveis);
}

// (E' - S) x the exit factor: a supplier's net with factor; a client's with the sign turned.
QString liquidoCorrigido(const QString& fator)
{
    return QStringLiteral("(") + entradaCorrigida() + QStringLiteral("-b.pes_pesosaida)*") + fator;
}

// The completed weighings of the parties, products and (bound) filters of `f`.
void deOnde(TQuery& q, const FiltroFluxo& f, const QDate& antesDe)
{
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
}
} // namespace

void RelatorioFluxo::montaSql(TQuery& q, const FiltroFluxo& f)
{
    q.Clear();
    q.Add(QStringLiteral("select a.cad_razao, a.cad_tipo, c.prd_codigo, b.pes_dataentrada, b.pes_datasaida, "
                         "d.prd_descricao, b.pes_codigo"));
    q.Add(QStringLiteral(",b.pes_pesoentrada, b.pes_pesosaida"));
    q.Add(QStringLiteral(
        ",d.prd_fator1, d.prd_fator2, d.prd_fator3, d.prd_fator4, d.prd_fator5, d.prd_fator6"));
    q.Add(QStringLiteral(",c.pes_fator7, c.pes_fator8, c.pes_fator9, c.pes_fator10, c.pes_fator11"));
    q.Add(QStringLiteral(",c.pes_fator7e, c.pes_fator8e, c.pes_fator9e, c.pes_fator10e"));
    // (the party kind's totals of the day are summed exactly as the rows are read)
    deOnde(q, f, QDate());
    q.Add(QStringLiteral(
        "order by c.prd_codigo, b.pes_dataentrada, a.cad_tipo desc, a.cad_razao, b.pes_codigo"));
}

void RelatorioFluxo::Colunas::resolve(const RVDataSetSequencial& d)
{
    razao = d.Campo(QStringLiteral("cad_razao"));
    tipo = d.Campo(QStringLiteral("cad_tipo"));
    produto = d.Campo(QStringLiteral("prd_codigo"));
    descricao = d.Campo(QStringLiteral("prd_descricao"));
    dataEntrada = d.Campo(QStringLiteral("pes_dataentrada"));
    dataSaida = d.Campo(QStringLiteral("pes_datasaida"));
    entrada = d.Campo(QStringLiteral("pes_pesoentrada"));
    saida = d.Campo(QStringLiteral("pes_pesosaida"));
    for (int i = 0; i < 6; ++i)
        fixos[i] = d.Campo(QStringLiteral("prd_fator%1").arg(i + 1));
    for (int i = 0; i < 4; ++i) {
        fatoresSaida[i] = d.Campo(QStringLiteral("pes_fator%1").arg(i + 7));
        fatoresEntrada[i] = d.Campo(QStringLiteral("pes_fator%1e").arg(i + 7));
    }
    umidade = d.Campo(QStringLiteral("pes_fator11"));
}

namespace
{
// 10^n as a 128-bit whole number.
__int128 potencia10(int n)
{
    __int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// (100 - the percentages) / 100, as a whole number of millionths: the
// percentages have four decimals, so the coefficient has six, exactly.
__int128 milionesimos(std::initializer_list<Decimal> percentuais)
{
    __int128 n = 100 * Decimal::Scale;
    for (const Decimal p : percentuais)
        n -= p.raw();
    return n;
}

// A whole number of 10^-casas units as a Decimal, rounded half to even as a
// number with more than four decimals is read.
Decimal comoDecimal(__int128 n, int casas)
{
    const bool negativo = n < 0;
    if (negativo) n = -n;
    QString digitos;
    do {
        digitos.prepend(QChar(u'0' + int(n % 10)));
        n /= 10;
    } while (n > 0);
    if (digitos.size() <= casas) digitos.prepend(QString(casas - digitos.size() + 1, u'0'));
    digitos.insert(digitos.size() - casas, u'.');
    return Decimal::fromText((negativo ? QStringLiteral("-") : QString()) + digitos);
}

// The scales of the exact sums: weights (four decimals), a weight times one
// coefficient (ten), a weight times three coefficients (twenty-two).
constexpr int CasasPeso = 4, CasasCorrigida = 10, CasasLiquidoFc = 22;
} // namespace

void RelatorioFluxo::SomaExata::soma(Decimal pesoEntrada, Decimal pesoSaida, const Quantidades::Fatores& f)
{
    const __int128 e = pesoEntrada.raw(), s = pesoSaida.raw();
    // E' = E x c7e; (E' - S) x FCF x FCV (the product's fixed factors, the weighing's variable ones)
    const auto& fe = f.entrada;
    const auto& fx = f.fixos;
    const auto& fs = f.saida;
    const __int128 corrigida = e * milionesimos({fe[0], fe[1], fe[2], fe[3]});
    const __int128 fcf = milionesimos({fx[0], fx[1], fx[2], fx[3], fx[4], fx[5]});
    const __int128 fcv = milionesimos({fs[0], fs[1], fs[2], fs[3], f.umidade});
    entrada += e;
    entradaFc += corrigida;
    saida += s;
    liquidoFc += (corrigida - s * potencia10(CasasCorrigida - CasasPeso)) * fcf * fcv;
}

SomasFluxo RelatorioFluxo::SomaExata::valores() const
{
    SomasFluxo r;
    r.entrada = comoDecimal(entrada, CasasPeso);
    r.entradaFc = comoDecimal(entradaFc, CasasCorrigida);
    r.saida = comoDecimal(saida, CasasPeso);
    r.liquido = r.entradaFc - r.saida;
    r.liquidoFc = comoDecimal(liquidoFc, CasasLiquidoFc);
    return r;
}

SomasFluxo RelatorioFluxo::linha(Decimal* fatorEntrada, Decimal* fatorSaida,
                                 Quantidades::Fatores* lidos) const
{
    const RVDataSetSequencial& d = *m_dados;
    Quantidades::Fatores f;
    for (int i = 0; i < 6; ++i)
        f.fixos[i] = d.AsDecimal(m_col.fixos[i]);
    for (int i = 0; i < 4; ++i) {
        f.saida[i] = d.AsDecimal(m_col.fatoresSaida[i]);
        f.entrada[i] = d.AsDecimal(m_col.fatoresEntrada[i]);
    }
    f.umidade = d.AsDecimal(m_col.umidade);
    const int tipo = int(d.AsLargeInt(m_col.tipo));
    SomasFluxo s;
    s.entrada = d.AsDecimal(m_col.entrada);
    s.saida = d.AsDecimal(m_col.saida);
    const Decimal c7e = Quantidades::fcvEntrada(f);
    s.entradaFc = Quantidades::pesoEntradaCorrigido(s.entrada, c7e);
    // Clients: S - E'; suppliers (and any other kind): E' - S.
    s.liquido = tipo == 3 ? s.saida - s.entradaFc : s.entradaFc - s.saida;
    const Decimal fluxo = Quantidades::liquidoFluxo(s.entradaFc, s.saida, f);
    s.liquidoFc = tipo == 3 ? -fluxo : fluxo;
    if (fatorEntrada) *fatorEntrada = c7e;
    if (fatorSaida) *fatorSaida = Quantidades::fcf(f) * Quantidades::fcvSaida(f);
    if (lidos) *lidos = f;
    return s;
}

void RelatorioFluxo::montaSomas(TQuery& q, const FiltroFluxo& f, const QDate& antesDe, FatorSaida modo)
{
    q.Clear();
    q.Add(QStringLiteral("select a.cad_tipo, c.prd_codigo, d.prd_descricao"));
    q.Add(QStringLiteral(",sum(b.pes_pesoentrada) as PesoEntrada, sum(b.pes_pesosaida) as PesoSaida"));
    q.Add(QStringLiteral(",sum(") + entradaCorrigida() + QStringLiteral(") as EntLiquido"));
    q.Add(QStringLiteral(",sum(") + liquidoCorrigido(fatorSaida(QStringLiteral("c"), "pes_fator", modo)) +
          QStringLiteral(") as LiquidoFc"));
    deOnde(q, f, antesDe);
    q.Add(QStringLiteral("group by c.prd_codigo, a.cad_tipo, d.prd_descricao"));
    q.Add(QStringLiteral("order by c.prd_codigo, a.cad_tipo desc"));
}

SomasFluxo RelatorioFluxo::somasDaLinha(const TQuery& q)
{
    return somas({q.FieldByName(QStringLiteral("PesoEntrada")), q.FieldByName(QStringLiteral("EntLiquido")),
                  q.FieldByName(QStringLiteral("PesoSaida")), q.FieldByName(QStringLiteral("LiquidoFc"))});
}

SomasFluxo RelatorioFluxo::somas(const std::array<QVariant, 4>& v)
{
    SomasFluxo s;
    s.entrada = Decimal::fromVariant(v[0]);
    s.entradaFc = Decimal::fromVariant(v[1]);
    s.saida = Decimal::fromVariant(v[2]);
    s.liquido = s.entradaFc - s.saida;
    s.liquidoFc = Decimal::fromVariant(v[3]);
    return s;
}

namespace
{
// A client's figures in the sign of its withdrawals: S - E'.
MovimentoAnterior comSinalDeRetirada(MovimentoAnterior m)
{
    m.cliente.liquido = -m.cliente.liquido;
    m.cliente.liquidoFc = -m.cliente.liquidoFc;
    return m;
}
} // namespace

MovimentoAnterior RelatorioFluxo::anterior(TDM& dm, const QString& produto, const QDate& inicio)
{
    return comSinalDeRetirada(somasAnteriores(dm, produto.trimmed(), inicio, FatorSaida::FixoVezesVariavel)
                                  .value(produto.trimmed()));
}

QHash<QString, MovimentoAnterior> RelatorioFluxo::somasAnteriores(TDM& dm, const QString& produto,
                                                                  const QDate& inicio, FatorSaida modo)
{
    QHash<QString, MovimentoAnterior> porProduto;
    TQuery& q = dm.QR_EXEC;
    FiltroFluxo f;
    f.produto = produto;
    montaSomas(q, f, inicio, modo);
    q.Open();
    for (; !q.Eof(); q.Next()) {
        MovimentoAnterior& m = porProduto[q.AsString(QStringLiteral("prd_codigo")).trimmed()];
        (q.AsInteger(QStringLiteral("cad_tipo")) == 4 ? m.fornecedor : m.cliente).soma(somasDaLinha(q));
    }
    q.Close();
    return porProduto;
}

void RelatorioFluxo::Anteriores::inicia(const FiltroFluxo& f)
{
    m_filtro = f;
    m_todos.clear();
    m_lidos = false;
}

MovimentoAnterior RelatorioFluxo::Anteriores::de(TDM& dm, const QString& produto)
{
    if (!dm.ehPostgres()) return somasAnteriores(dm, produto, m_filtro.inicio, m_modo).value(produto);
    if (!m_lidos) {
        m_todos = somasAnteriores(dm, m_filtro.produto.trimmed(), m_filtro.inicio, m_modo);
        m_lidos = true;
    }
    return m_todos.value(produto);
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
    m_anteriores.inicia(f);
    m_grupo = {};
    m_diaFornecedor = m_diaFornecedorFc = m_diaCliente = m_diaClienteFc = {};
    m_produtoSoma = m_produtoSomaFc = m_totalProdutos = {};

    paginas(m_rel, m_detalhe, m_cabecalho, m_rodape);
    m_rel.PrintSummary = false;
    grupos(m_rel, {{&m_produto, &m_rodapeProduto}, {&m_dia, &m_rodapeDia}, {&m_tipo, &m_rodapeTipo}});

    TQuery& q = m_dm.QR_TEMP;
    montaSql(q, f);
    return imprimeConsulta(m_rel, m_dm, q, m_dados,
                           [this](const RVDataSetSequencial& d) { m_col.resolve(d); });
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

namespace
{
struct Titulo {
    const char* texto;
    int largura, coluna;
};
// The party kind's column titles, and the shorter ones of each record's title line.
constexpr Titulo TitulosUmidade[] = {
    {"Peso Entrada", 12, 23}, {"FC", 8, 36}, {"Peso Entrada c/ FC", 22, 45}, {"Peso Saida", 12, 68},
    {"Peso Liquido", 12, 81}, {"FC", 8, 94}, {"Peso Liquido c/ FC", 22, 103}};
constexpr Titulo TitulosRegistro[] = {
    {"Peso Entrada", 12, 23}, {"FC", 8, 36}, {"Peso Ent. c/ FC", 17, 45}, {"Peso Saida", 12, 63},
    {"Peso Liq.", 12, 76},    {"FC", 8, 91}, {"Peso Liq. c/ FC", 15, 100}};
constexpr Titulo TitulosSemUmidade[] = {
    {"Peso Entrada", 12, 23}, {"Peso Saida", 12, 36}, {"Peso Liquido", 12, 49}};
} // namespace

void RelatorioFluxo::titulos(bool doRegistro)
{
    auto escreve = [this](const auto& lista) {
        for (const Titulo& t : lista)
            em(m_job, AlinhaTexto(QString::fromUtf8(t.texto), t.largura, u'D'), t.coluna);
    };
    if (!m_ajustes.umidade)
        escreve(TitulosSemUmidade);
    else if (doRegistro)
        escreve(TitulosRegistro);
    else
        escreve(TitulosUmidade);
    fimLinha(m_job);
}

void RelatorioFluxo::figuras(const SomasFluxo& s, const Decimal* fatorEntrada, const Decimal* fatorSaida)
{
    const int c = m_ajustes.casas;
    numero(m_job, s.entrada, c, 12, 23);
    if (m_ajustes.umidade) {
        if (fatorEntrada) numero(m_job, *fatorEntrada, 4, 8, 36);
        numero(m_job, s.entradaFc, c, 22, 45);
        numero(m_job, s.saida, c, 12, 68);
        numero(m_job, s.liquido, c, 12, 81);
        if (fatorSaida) numero(m_job, *fatorSaida, 4, 8, 94);
        numero(m_job, s.liquidoFc, c, 22, 103);
    } else {
        numero(m_job, s.saida, c, 12, 36);
        numero(m_job, s.liquido, c, 12, 49);
    }
}

void RelatorioFluxo::cabecalhoProduto()
{
    const RVDataSetSequencial& d = *m_dados;
    const QString produto = d.Texto(m_col.produto).trimmed();
    m_anterior = {};
    if (m_filtro.inicio.isValid()) m_anterior = comSinalDeRetirada(m_anteriores.de(m_dm, produto));
    m_job.WriteText({}, produto + QStringLiteral(" - ") + d.Texto(m_col.descricao).trimmed(), 0, true);
    regua(m_job, u'-', Largura);
    fimLinha(m_job);
    if (m_filtro.inicio.isValid()) {
        const int c = m_ajustes.casas;
        SomasFluxo fornecedor = m_anterior.fornecedor, cliente = m_anterior.cliente;
        fornecedor.liquido = fornecedor.entradaFc - fornecedor.saida;
        cliente.liquido = cliente.saida - cliente.entradaFc;
        em(m_job, QStringLiteral("Mov. Anterior Fornec.:"), 0);
        titulos(false);
        figuras(fornecedor);
        fimLinha(m_job);
        em(m_job, QStringLiteral("Mov. Anterior Cliente:"), 0);
        titulos(false);
        figuras(cliente);
        fimLinha(m_job);
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
    const RVDataSetSequencial& d = *m_dados;
    // A day's header stays with its first record: its three lines, the party
    // kind's title and rule, and one record's three lines.
    constexpr int linhasJuntas = 8;
    const int ultima = m_job.QtLines - m_rel.LinesFooter - 2;
    if (m_job.QtLines > 0 && m_job.PRow() > 1 && m_job.PRow() + linhasJuntas - 1 > ultima) m_job.NewPage();
    em(m_job, QStringLiteral("Entrada"), 0);
    m_job.WriteText({}, QStringLiteral("Saida"), 12, true);
    em(m_job, dataTexto(d.AsDate(m_col.dataEntrada)), 0);
    m_job.WriteText({}, dataTexto(d.AsDate(m_col.dataSaida)), 12, true);
    fimLinha(m_job);
    m_diaFornecedor = m_diaFornecedorFc = m_diaCliente = m_diaClienteFc = {};
}

void RelatorioFluxo::cabecalhoTipo()
{
    const RVDataSetSequencial& d = *m_dados;
    m_tipoAtual = int(d.AsLargeInt(m_col.tipo));
    m_grupoExato = {};
    if (m_tipoAtual == 3) em(m_job, QStringLiteral("Clientes"), 0);
    if (m_tipoAtual == 4) em(m_job, QStringLiteral("Fornecedores"), 0);
    titulos(false);
    regua(m_job, u'-', Largura);
}

void RelatorioFluxo::detalhe()
{
    Decimal fe, fs;
    Quantidades::Fatores f;
    const SomasFluxo s = linha(&fe, &fs, &f);
    m_grupoExato.soma(s.entrada, s.saida, f);
    m_job.WriteText({}, m_dados->Texto(m_col.razao).trimmed().left(35), 0, true);
    // Each record carries its own title line.
    em(m_job, QStringLiteral("Mov. Anterior Fornec.:"), 0);
    titulos(true);
    figuras(s, &fe, &fs);
    // The report ends the detail line.
}

void RelatorioFluxo::rodapeTipo()
{
    const int c = m_ajustes.casas;
    m_grupo = m_grupoExato.valores();
    if (m_tipoAtual == 3) {
        m_grupo.liquido = -m_grupo.liquido;
        m_grupo.liquidoFc = -m_grupo.liquidoFc;
    }
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
        figuras(m_grupo);
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
