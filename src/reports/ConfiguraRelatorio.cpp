// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfiguraRelatorio.h"

#include "ConfigEmail.h"
#include "LeConfig.h"
#include "RVDataSet.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TQuery.h"
#include "TRVReport.h"
#include "TRelevo.h"

namespace ConfiguraRelatorio
{

void job(TRelevo& j, LeConfig& cfg)
{
    j.setPageSize(pzContinous);
    j.QtLines = 66;
    // The report's own header band heads each page; its footer carries the page number.
    j.PageHeader = false;
    // Reports may be sent by e-mail when the site has set its mail server.
    QString erroEmail;
    j.usarEmail(ConfigEmail::ler(&erroEmail));
    if (!erroEmail.isEmpty()) qWarning("%s", qPrintable(erroEmail));
    j.PrinterName = rvEpson9pinos;
    j.Preview.ShowPreview = true;
    j.Windows.PrintForWindows = cfg.inteiro(QStringLiteral("CFG_IMPRESSAOFORWINDOWS")) != 0;
    const int modelo = cfg.inteiro(QStringLiteral("CFG_IMPRESSORA"));
    if (modelo >= 0 && modelo < QuantidadeModelos) j.PrinterName = TPrinterName(modelo);
    j.PrinterPort = cfg.texto(QStringLiteral("CFG_PORTAREDE")).trimmed();
    if (j.Windows.PrintForWindows) {
        j.setPageSize(pzA4);
        const int espaco = cfg.inteiro(QStringLiteral("CFG_LINESPACE"));
        if (espaco > 0) j.Windows.LineSpace = short(espaco);
        // The site's type, as the tickets print with it.
        const QString familia = cfg.texto(QStringLiteral("CFG_FONTEPADRAO")).trimmed();
        if (!familia.isEmpty()) j.Windows.Font.setFamily(familia);
        const int tamanho = cfg.inteiro(QStringLiteral("CFG_FONTETAMANHO"));
        if (tamanho > 0) j.Windows.Font.setPointSize(tamanho);
    }
}

Ajustes inicia(TRelevo& j, LeConfig& cfg, int largura, bool tela)
{
    job(j, cfg);
    j.PageWidth = largura;
    j.Preview.ShowPreview = tela;
    Ajustes a;
    a.casas = cfg.inteiro(QStringLiteral("CFG_CASASDECIMAIS"));
    a.cabeca = cfg.inteiro(QStringLiteral("CFG_CABECA")) == 1;
    a.umidade = cfg.inteiro(QStringLiteral("CFG_UMIDADE")) != 0;
    a.emissor = SessaoAtual.NomeEmissor;
    return a;
}

void paginas(TRVReport& rel, TRVBand& detalhe, TRVBand& cabecalho, TRVBand& rodape)
{
    rel.SetDetailBand(0, &detalhe);
    rel.PageHeader = &cabecalho;
    rel.PageFooter = &rodape;
    rel.LinesFooter = 3;
    rel.PrintPageHeader = rel.PrintPageFooter = true;
}

void grupos(TRVReport& rel, std::initializer_list<std::pair<TRVBand*, TRVBand*>> niveis)
{
    int nivel = 0;
    for (const auto& [cabecalho, rodape] : niveis) {
        rel.SetGroupHeader(nivel, cabecalho);
        rel.SetGroupFooter(nivel, rodape);
        ++nivel;
    }
}

bool imprimeConsulta(TRVReport& rel, TDM& dm, const TQuery& q, std::unique_ptr<RVDataSetSequencial>& dados,
                     const std::function<void(const RVDataSetSequencial&)>& campos)
{
    dados = std::make_unique<RVDataSetSequencial>(dm, q);
    if (dados->Eof()) {
        dados.reset();
        return false;
    }
    if (campos) campos(*dados);
    rel.DataSet = dados.get();
    try {
        rel.Print();
    } catch (...) {
        rel.DataSet = nullptr;
        dados.reset();
        throw;
    }
    rel.DataSet = nullptr;
    dados.reset();
    return true;
}

namespace
{
// Where text meant for `coluna` starts: where it was meant to, unless it would
// touch the text before it (a figure wider than its room, or a column placed
// inside the one before): then one blank after that text, so that two figures
// never run together and none is cut.
int livre(const TRelevo& j, const QString& texto, int coluna)
{
    if (j.Coluna() == 0 || texto.isEmpty() || texto.at(0) == u' ') return coluna;
    if (coluna > j.Coluna() || j.TerminaEmBranco()) return coluna;
    return j.Coluna() + 1;
}
} // namespace

void em(TRelevo& j, const QString& texto, int coluna)
{
    j.WriteText({}, texto, livre(j, texto, coluna), false);
}

void fimLinha(TRelevo& j)
{
    j.WriteText({}, QString(), 0, true);
}

void numero(TRelevo& j, Decimal valor, int casas, int largura, int coluna)
{
    em(j, AlinhaTexto(valor.toString(casas), largura, u'E'), coluna);
}

void regua(TRelevo& j, QChar c, int largura)
{
    j.WriteText({}, TRelevo::Replicate(QString(c), largura), 0, true);
}

void titulo(TRelevo& j, int colunaVersao, bool direita)
{
    em(j, QStringLiteral("VIGA - GESTÃO DE BALANÇA RODOVIÁRIA"), 0);
    j.WriteText({}, QStringLiteral("Versao: ") + AlinhaTexto(VersaoArquivo(), 15, direita ? u'E' : u'D'),
                colunaVersao, true);
}

void rodape(TRelevo& j, int largura, const QString& emissor, int colunaImpresso)
{
    fimLinha(j);
    regua(j, u'-', largura);
    em(j, emissor, 0);
    em(j, QStringLiteral("Pagina: ") + CompletaZeros(QString::number(j.PageNo()), 4), colunaImpresso - 16);
    const QDateTime agora = Relogio::agora();
    j.WriteText({},
                QStringLiteral("Impresso: ") + agora.toString(QStringLiteral("dd/MM/yyyy")) +
                    QStringLiteral("  ") + agora.toString(QStringLiteral("hh:mm:ss")),
                colunaImpresso, true);
}

} // namespace ConfiguraRelatorio
