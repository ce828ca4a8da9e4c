// SPDX-License-Identifier: GPL-3.0-or-later
#include "RelatorioMovimento.h"

#include "CabecalhoRelatorio.h"
#include "ConfiguraRelatorio.h"
#include "LeConfig.h"
#include "Quantidades.h"
#include "RVDataSet.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TQuery.h"

#include <QDir>
#include <QFile>

using namespace ConfiguraRelatorio;

namespace
{
// The fields the bands read, in the order of RelatorioMovimento::Campo.
const char* const NomesCampos[] = {"cad_codigo",        "cad_tipo",      "cad_razao",       "pes_placa",
                                   "pes_placacarreta",  "Vlr",           "pes_dataentrada", "pes_datasaida",
                                   "pes_pesoentrada",   "pes_pesosaida", "prd_descricao",   "pes_fator1",
                                   "pes_fator2",        "pes_fator3",    "pes_fator4",      "pes_fator5",
                                   "pes_fator6",        "pes_fator7",    "pes_fator8",      "pes_fator9",
                                   "pes_fator10",       "pes_fator11",   "pes_fator7e",     "pes_fator8e",
                                   "pes_fator9e",       "pes_fator10e",  "pes_codigo",      "prd_vlrtonelada",
                                   "pes_pesoembalagem", "prd_codigo",    "pes_horaentrada", "pes_horasaida",
                                   "pes_frete",         "pes_km",        "CodigoTransp",    "RazaoTransp"};
static_assert(std::size(NomesCampos) == RelatorioMovimento::NCampos);

QString caption(int tipo)
{
    return RelatorioMovimento::tipoParte(tipo) == 3 ? QStringLiteral("Cliente")
                                                    : QStringLiteral("Fornecedor");
}
} // namespace

const QStringList& RelatorioMovimento::tipos()
{
    static const QStringList t{QStringLiteral("Movimento de Produtos X Cliente"),
                               QStringLiteral("Movimento de Produtos X Fornecedor"),
                               QStringLiteral("Movimento de Produtos Analítico - Cliente"),
                               QStringLiteral("Movimento de Produtos Analítico - Fornecedor")};
    return t;
}

void RelatorioMovimento::Totais::soma(const Totais& t)
{
    entrada += t.entrada;
    entradaFc += t.entradaFc;
    saida += t.saida;
    liquido += t.liquido;
    liquidoFc += t.liquidoFc;
    embalagem += t.embalagem;
    valor += t.valor;
    km += t.km;
    frete += t.frete;
    totalFrete += t.totalFrete;
}

void RelatorioMovimento::montaSql(TQuery& q, const FiltroMovimento& f, bool exportar)
{
    q.Clear();
    if (exportar) {
        q.Add(QStringLiteral("SELECT a.cad_codigo as Codigo, a.cad_tipo as Tipo, a.cad_razao as Razao,"));
        q.Add(
            QStringLiteral("b.pes_placa as Placa, b.pes_placacarreta as PlacaCarreta, b.pes_valor as Vlr,"));
        q.Add(QStringLiteral("b.pes_dataentrada as Data_Entrada, b.pes_datasaida as Data_saida,"));
        q.Add(QStringLiteral("b.pes_pesoentrada as Peso_Entrada, b.pes_pesosaida as Peso_saida, "
                             "d.prd_descricao as Produto,"));
        q.Add(QStringLiteral("b.pes_pesoembalagem as Peso_Embalagem,"));
        q.Add(QStringLiteral("c.prd_codigo as Produto_Codigo, b.pes_codigo as Codigo_Pesagem,"));
        q.Add(QStringLiteral("b.pes_horaentrada as Hora_Entrada, b.pes_horasaida as Hora_Saida, "
                             "b.pes_frete as Frete,"));
        q.Add(QStringLiteral("b.pes_nf as NF, b.pes_pesonota as pesoNF, b.pes_rgmotorista as Rg_Motorista, "
                             "b.pes_motorista as Motorista,"));
        q.Add(QStringLiteral("c2.cad_codigo as CodigoTransp, c2.cad_razao as RazaoTransp"));
    } else {
        q.Add(QStringLiteral("SELECT a.cad_codigo, a.cad_tipo, a.cad_razao, b.pes_placa, b.pes_placacarreta, "
                             "b.pes_valor as Vlr,"));
        q.Add(QStringLiteral("b.pes_dataentrada, b.pes_datasaida, b.pes_pesoentrada, b.pes_pesosaida, "
                             "d.prd_descricao,"));
        q.Add(QStringLiteral("c.pes_fator1, c.pes_fator2, c.pes_fator3, c.pes_fator4, c.pes_fator5, "
                             "c.pes_fator6,"));
        q.Add(QStringLiteral("c.pes_fator7, c.pes_fator8, c.pes_fator9, c.pes_fator10, c.pes_fator11,"));
        q.Add(QStringLiteral("c.pes_fator7e, c.pes_fator8e, c.pes_fator9e, c.pes_fator10e, b.pes_codigo, "
                             "d.prd_vlrtonelada,"));
        q.Add(QStringLiteral("b.pes_pesoembalagem, c.prd_codigo, b.pes_horaentrada, b.pes_horasaida, "
                             "b.pes_frete, b.pes_km,"));
        q.Add(QStringLiteral("c2.cad_codigo as CodigoTransp, c2.cad_razao as RazaoTransp"));
    }
    q.Add(QStringLiteral("from Pesagem b"));
    q.Add(QStringLiteral("left join Cadastrao a on a.cad_codigo=b.cad_codigo and a.cad_tipo=b.cad_tipo"));
    q.Add(QStringLiteral("left join PesagemProduto c on b.pes_codigo=c.pes_codigo"));
    q.Add(QStringLiteral("left join Produto d on c.prd_codigo=d.prd_codigo"));
    q.Add(QStringLiteral(
        "left join Cadastrao c2 on b.cad_codigotra=c2.cad_codigo and b.cad_tipotra=c2.cad_tipo"));
    // The kind on the weighing too, so that its index on kind and entry date serves.
    q.Add(QStringLiteral("where a.cad_tipo=:tipo and b.cad_tipo=:tipopesagem"));
    q.setParam(QStringLiteral("tipo"), tipoParte(f.tipo));
    q.setParam(QStringLiteral("tipopesagem"), tipoParte(f.tipo));
    if (!f.produto.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and c.prd_codigo=:produto"));
        q.setParam(QStringLiteral("produto"), f.produto.trimmed());
    }
    if (f.somenteComSaida) q.Add(QStringLiteral("and b.pes_datasaida is not null"));
    if (f.inicio.isValid()) {
        q.Add(QStringLiteral("and b.pes_dataentrada >= :inicio"));
        q.setParam(QStringLiteral("inicio"), f.inicio);
    }
    if (f.fim.isValid()) {
        q.Add(QStringLiteral("and b.pes_dataentrada <= :fim"));
        q.setParam(QStringLiteral("fim"), f.fim);
    }
    if (!f.codigo.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and a.cad_codigo=:codigo"));
        q.setParam(QStringLiteral("codigo"), f.codigo.trimmed().toLongLong());
    }
    if (!f.placa.trimmed().isEmpty()) {
        q.Add(QStringLiteral("and b.pes_placa=:placa"));
        q.setParam(QStringLiteral("placa"), f.placa.trimmed());
    }
    // One party's weighings together, in the order they were weighed.
    q.Add(QStringLiteral("order by a.cad_razao, a.cad_codigo, b.pes_dataentrada, b.pes_horaentrada, "
                         "b.pes_codigo, c.prd_codigo"));
}

Decimal RelatorioMovimento::dec(Campo c) const
{
    return m_dados->AsDecimal(m_campos[c]);
}

QString RelatorioMovimento::txt(Campo c) const
{
    return m_dados->Texto(m_campos[c]).trimmed();
}

QString RelatorioMovimento::data(Campo c) const
{
    const QDate d = m_dados->AsDate(m_campos[c]);
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(10, u' ');
}

QString RelatorioMovimento::hora(Campo c) const
{
    return txt(c).right(8);
}

// The product row's percentages as the weighing's discount model takes them.
Quantidades::Fatores RelatorioMovimento::fatores() const
{
    Quantidades::Fatores f;
    for (int i = 0; i < 6; ++i)
        f.fixos[i] = dec(Campo(Fator1 + i));
    for (int i = 0; i < 4; ++i) {
        f.saida[i] = dec(Campo(Fator7 + i));
        f.entrada[i] = dec(Campo(Fator7e + i));
    }
    f.umidade = dec(Fator11);
    return f;
}

RelatorioMovimento::RelatorioMovimento(TDM& dm) : m_dm(dm)
{
    m_rel.Relevo = &m_job;
    m_grupoParte.setExpression(QStringLiteral("cad_codigo"));
    liga(m_cabecalho, this, &RelatorioMovimento::cabecalhoPagina);
    liga(m_rodape, this, &RelatorioMovimento::rodapePagina);
    liga(m_grupoParte, this, &RelatorioMovimento::cabecalhoGrupo);
    liga(m_detalhe, this, &RelatorioMovimento::detalhe);
    liga(m_rodapeGrupo, this, &RelatorioMovimento::rodapeGrupo);
    liga(m_resumo, this, &RelatorioMovimento::resumo);
}

RelatorioMovimento::~RelatorioMovimento() = default;

bool RelatorioMovimento::imprimir(const FiltroMovimento& f, bool tela)
{
    m_filtro = f;
    m_parte = Totais{};
    m_geral = Totais{};
    LeConfig cfg(m_dm);
    m_frete = cfg.inteiro(QStringLiteral("CFG_FRETE")) == 1;
    const bool analitico = RelatorioMovimento::analitico(f.tipo);
    m_ajustes = inicia(m_job, cfg, !m_frete ? 136 : (analitico ? 156 : 146), tela);
    m_tipoVeiculo = cfg.inteiro(QStringLiteral("CFG_TIPOVEICULO")) == 1;
    m_pesoEmbalagem = cfg.inteiro(QStringLiteral("CFG_PESOEMBALAGEM")) == 1;
    m_morProduto = cfg.inteiro(QStringLiteral("CFG_MORPRODUTO")) != 0;
    m_vlrTonelada = cfg.inteiro(QStringLiteral("CFG_VLRTONELADA")) == 1;
    m_navio = cfg.inteiro(QStringLiteral("CFG_NAVIO")) == 1;
    if (m_frete) m_job.Windows.Orientation = poLandscape;

    paginas(m_rel, m_detalhe, m_cabecalho, m_rodape);
    m_rel.Summary = &m_resumo;
    m_rel.PrintSummary = true;
    if (analitico) {
        m_rel.SetGroupHeader(0, nullptr);
        m_rel.SetGroupHeader(1, nullptr);
        m_rel.SetGroupFooter(0, nullptr);
    } else {
        m_rel.SetGroupHeader(0, &m_grupoParte);
        m_rel.SetGroupFooter(0, &m_rodapeGrupo);
    }

    TQuery& q = m_dm.QR_TEMP;
    montaSql(q, f, false);
    return imprimeConsulta(m_rel, m_dm, q, m_dados, [this](const RVDataSetSequencial& d) {
        for (int i = 0; i < NCampos; ++i)
            m_campos[i] = d.Campo(QString::fromLatin1(NomesCampos[i]));
    });
}

void RelatorioMovimento::cabecalhoPagina()
{
    TRelevo& j = m_job;
    const int largura = j.PageWidth;
    if (m_ajustes.cabeca) CabecalhoRelatorio(j, &m_dm);
    titulo(j, 110);
    // the heading names the preview, the PDF and the e-mail subject
    j.ReportTitle = QStringLiteral("Relatorio de ") + tipos().value(m_filtro.tipo);
    j.WriteText({}, QStringLiteral("Relatorio de ") + tipos().value(m_filtro.tipo), 0, true);
    const bool codigo = !m_filtro.codigo.trimmed().isEmpty();
    const bool datas = m_filtro.inicio.isValid() || m_filtro.fim.isValid();
    if (codigo) em(j, QStringLiteral("Codigo : ") + m_filtro.codigo.trimmed(), 0);
    if (datas) {
        auto d = [](const QDate& x) {
            return x.isValid() ? x.toString(QStringLiteral("dd/MM/yyyy")) : QString();
        };
        em(j, QStringLiteral("Entrada: ") + d(m_filtro.inicio) + QStringLiteral(" a ") + d(m_filtro.fim), 25);
    }
    if (!m_filtro.produto.trimmed().isEmpty()) {
        j.WriteText({}, QStringLiteral("Produto: ") + txt(PrdDescricao).left(50), 65, true);
    } else if (codigo || datas) {
        fimLinha(j);
    }
    if (analitico(m_filtro.tipo)) {
        j.WriteText({}, QStringLiteral("\t\t\t\t\t                          ENTRADA\t\t\t\t      SAIDA"), 0,
                    true);
        QString fim;
        if (m_frete)
            fim = QStringLiteral("        KM        FRETE       TOTAL");
        else if (m_tipoVeiculo)
            fim = QStringLiteral("     VALOR");
        else if (m_pesoEmbalagem)
            fim = QStringLiteral("   PESO EMB.");
        else
            fim = QStringLiteral("  ");
        j.WriteText({},
                    QStringLiteral("PLACA\t      PRODUTO\t\t              TICKET   DATA\t       HORA        "
                                   "PESO\t     DATA  \t HORA        PESO\t LÍQUIDO") +
                        fim,
                    0, true);
    }
    regua(j, u'-', largura);
}

void RelatorioMovimento::rodapePagina()
{
    rodape(m_job, m_job.PageWidth, m_ajustes.emissor);
}

void RelatorioMovimento::cabecalhoGrupo()
{
    TRelevo& j = m_job;
    j.WriteText({}, caption(m_filtro.tipo) + QStringLiteral(": ") + txt(CadCodigo) + u'-' + txt(CadRazao), 0,
                true);
    if (m_navio)
        j.WriteText({}, QStringLiteral("Navio  : ") + txt(CodigoTransp) + u'-' + txt(RazaoTransp), 0, true);
    regua(j, u'=', j.PageWidth);
    auto d = [&j](const char* t, int w, int c) { em(j, AlinhaTexto(QString::fromUtf8(t), w, u'E'), c); };
    auto e = [&j](const char* t, int w, int c) { em(j, AlinhaTexto(QString::fromUtf8(t), w, u'D'), c); };
    d("Entrada", 10, 0);
    d("Saida", 10, 11);
    if (!m_morProduto) d("Produto", 22, 22);
    e("Peso Entrada", 12, 45);
    if (m_ajustes.umidade) {
        e("FC", 6, 58);
        e("Peso Ent c/FC", 13, 65);
        e("Peso Saida", 12, 79);
        e("Peso Liquido", 12, 92);
        e("FC", 6, 105);
        e("Peso Liq c/FC", 13, 112);
    } else {
        e("Peso Saida", 12, 66);
        e("Peso Liquido", 12, 79);
        e("Placa", 8, 93);
        e("Carreta", 8, 103);
    }
    if (m_tipoVeiculo) e("Valor", 10, 111);
    if (m_vlrTonelada) e("Valor", 10, 111);
    if (!m_pesoEmbalagem) {
        if (!m_frete) {
            e("Pesagem", 10, 111);
        } else {
            e("KM", 8, 111);
            e("Frete", 8, 126);
            e("Total", 8, 136);
        }
    } else {
        e("Peso Emb.", 10, 111);
    }
    fimLinha(j);
    regua(j, u'-', j.PageWidth);
}

void RelatorioMovimento::detalhe()
{
    TRelevo& j = m_job;
    const int tipoParte = int(m_dados->AsLargeInt(m_campos[CadTipo]));
    const Quantidades::Fatores f = fatores();
    const Decimal fcEntrada = Quantidades::fcvEntrada(f);
    const Decimal fcSaida = Quantidades::fcTotal(f);
    Totais t;
    t.entrada = dec(PesoEntrada);
    t.saida = dec(PesoSaida);
    t.entradaFc = Quantidades::pesoEntradaCorrigido(t.entrada, fcEntrada);
    t.embalagem = dec(PesoEmbalagem);
    t.liquido = Quantidades::liquido(t.entradaFc, t.saida, tipoParte);
    if (m_pesoEmbalagem && !m_dados->IsNull(m_campos[PesoEmbalagem]))
        t.liquido = Quantidades::liquidoSemEmbalagem(t.liquido, t.embalagem);
    t.liquidoFc = Quantidades::liquidoCorrigidoMovimento(t.liquido, f);
    t.valor = dec(Vlr);
    t.km = dec(Km);
    t.frete = dec(Frete);
    t.totalFrete = Quantidades::frete(t.km, t.frete, t.liquido);
    const Decimal valorTon = Quantidades::valorTonelada(dec(VlrTonelada), t.liquido.abs());
    const int c = m_ajustes.casas;

    if (!analitico(m_filtro.tipo)) {
        em(j, data(DataEntrada), 0);
        em(j, data(DataSaida), 11);
        if (!m_morProduto) em(j, txt(PrdDescricao).left(22), 22);
        numero(j, t.entrada, c, 12, 45);
        if (m_ajustes.umidade) {
            numero(j, fcEntrada, 4, 6, 58);
            numero(j, t.entradaFc, c, 13, 65);
            numero(j, t.saida, c, 12, 79);
            numero(j, t.liquido, c, 12, 92);
            numero(j, fcSaida, 4, 6, 105);
            numero(j, t.liquidoFc, c, 13, 112);
        } else {
            numero(j, t.saida, c, 12, 66);
            numero(j, t.liquido, c, 12, 79);
            em(j, txt(Placa), 93);
            em(j, txt(Carreta), 103);
        }
        if (m_tipoVeiculo) numero(j, t.valor, 2, 10, 93);
        if (m_vlrTonelada) numero(j, valorTon, 2, 10, 93);
        if (!m_pesoEmbalagem) {
            if (!m_frete) {
                em(j, AlinhaTexto(txt(PesCodigo), 10, u'E'), 93);
            } else {
                em(j, AlinhaTexto(t.km.toString(2) + QStringLiteral(" KM"), 10, u'E'), 104);
                numero(j, t.frete, 2, 10, 104);
                numero(j, t.totalFrete, 2, 12, 104);
            }
        } else {
            numero(j, t.embalagem, c, 10, 93);
        }
    } else {
        em(j, AlinhaTexto(txt(Placa), 8, u'D'), 0);
        em(j, AlinhaTexto(txt(PrdCodigo), 6, u'E'), 10);
        if (!m_morProduto) em(j, txt(PrdDescricao).left(22), 16);
        em(j, AlinhaTexto(txt(PesCodigo), 8, u'E'), 39);
        em(j, data(DataEntrada), 48);
        // Each time one blank after its date (the date is 10 wide), so the two stay readable.
        em(j, AlinhaTexto(hora(HoraEntrada), 8, u'E'), 59);
        numero(j, t.entrada, c, 12, 65);
        em(j, data(DataSaida), 83);
        em(j, AlinhaTexto(hora(HoraSaida), 8, u'E'), 94);
        numero(j, t.saida, c, 12, 71);
        numero(j, t.liquido, c, 10, 82);
        if (m_frete) {
            numero(j, t.km, 2, 10, 93);
            numero(j, t.frete, 2, 12, 104);
            numero(j, t.totalFrete, 2, 12, 104);
        } else if (m_tipoVeiculo) {
            numero(j, t.valor, 2, 10, 93);
        } else if (m_pesoEmbalagem) {
            numero(j, t.embalagem, c, 10, 93);
        }
    }
    // The report ends the detail line.
    m_parte.soma(t);
    m_geral.soma(t);
}

void RelatorioMovimento::totaisNaLinha(const Totais& t, bool geral)
{
    TRelevo& j = m_job;
    const int c = m_ajustes.casas;
    if (geral && analitico(m_filtro.tipo)) {
        numero(j, t.entrada, c, 12, 63);
        numero(j, t.saida, c, 12, 99);
        numero(j, t.liquido, c, 12, 112);
    } else {
        numero(j, t.entrada, c, 12, 45);
        if (m_ajustes.umidade) {
            numero(j, t.entradaFc, c, 13, 65);
            numero(j, t.saida, c, 12, 79);
            numero(j, t.liquido, c, 12, 92);
            numero(j, t.liquidoFc, c, 13, 112);
        } else {
            numero(j, t.saida, c, 12, 66);
            numero(j, t.liquido, c, 12, 79);
        }
    }
    if (m_frete) {
        numero(j, t.frete, 2, 12, 122);
        numero(j, t.totalFrete, 2, 12, 132);
    }
    if (m_tipoVeiculo) {
        if (analitico(m_filtro.tipo))
            numero(j, t.valor, 2, 11, 124);
        else
            numero(j, t.valor, 2, 10, 111);
    }
    fimLinha(j);
}

void RelatorioMovimento::rodapeGrupo()
{
    TRelevo& j = m_job;
    regua(j, u'-', j.PageWidth);
    em(j, QStringLiteral("Total ") + caption(m_filtro.tipo), 0);
    totaisNaLinha(m_parte, false);
    regua(j, u'-', j.PageWidth);
    m_parte = Totais{};
}

void RelatorioMovimento::resumo()
{
    em(m_job, QStringLiteral("Total Geral Movimentado"), 0);
    totaisNaLinha(m_geral, true);
}

QString RelatorioMovimento::exportar(const FiltroMovimento& f, const QString& pasta)
{
    TQuery& q = m_dm.QR_TEMP;
    montaSql(q, f, true);
    // Read once, row by row, as the file is written.
    RVDataSetSequencial d(m_dm, q);
    if (d.Eof()) return QString();
    // Widths of the text fields: their column size + 1; other fields 11.
    static const QHash<QString, int> larguras{
        {QStringLiteral("razao"), 151},         {QStringLiteral("placa"), 21},
        {QStringLiteral("placacarreta"), 8},    {QStringLiteral("produto"), 101},
        {QStringLiteral("produto_codigo"), 14}, {QStringLiteral("nf"), 31},
        {QStringLiteral("rg_motorista"), 16},   {QStringLiteral("motorista"), 81},
        {QStringLiteral("razaotransp"), 151}};
    const QString nome = QDir(pasta).filePath(QStringLiteral("RelExp") +
                                              Relogio::agora().toString(QStringLiteral("ddMMyyyyHHmm")) +
                                              QStringLiteral(".txt"));
    QFile arquivo(nome);
    auto falha = [&] {
        const QString motivo = arquivo.errorString();
        arquivo.close();
        arquivo.remove();
        throw std::runtime_error(
            QStringLiteral("Não foi possível gravar %1: %2").arg(nome, motivo).toStdString());
    };
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) falha();
    const int campos = d.FieldCount();
    QStringList chaves;
    for (int i = 0; i < campos; ++i)
        chaves << d.NomeCampo(i).toLower();
    for (; !d.Eof(); d.Next()) {
        QString linha;
        for (int i = 0; i < campos; ++i) {
            const QString& chave = chaves[i];
            const QVariant v = d.Valor(i);
            QString texto;
            int largura = larguras.value(chave, 11);
            if (v.isNull()) {
                texto.clear();
            } else if (chave.startsWith(QLatin1String("data_"))) {
                texto = d.AsDate(i).toString(QStringLiteral("dd/MM/yyyy"));
            } else if (chave.startsWith(QLatin1String("hora_"))) {
                texto = d.Texto(i).trimmed().right(8);
            } else if (larguras.contains(chave)) {
                texto = d.Texto(i).trimmed();
            } else if (chave == QLatin1String("codigo") || chave == QLatin1String("tipo") ||
                       chave == QLatin1String("codigo_pesagem") || chave == QLatin1String("codigotransp")) {
                texto = QString::number(d.AsLargeInt(i));
            } else {
                texto = d.AsDecimal(i).toShortString();
            }
            linha += AlinhaTexto(texto, largura, u'E');
        }
        const QByteArray bytes = linha.toUtf8() + "\r\n"; // UTF-8, as every text file the system exports
        if (arquivo.write(bytes) != bytes.size()) falha();
    }
    if (!arquivo.flush()) falha();
    arquivo.close();
    if (arquivo.error() != QFileDevice::NoError) falha();
    return nome;
}
