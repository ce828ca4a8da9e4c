// SPDX-License-Identifier: GPL-3.0-or-later
// viga-relatorio: prints a report of VIGA to a file (.txt, .pdf, .csv, .xlsx)
// without opening a window, for scheduled runs; optionally e-mails it. Same
// report classes, configuration and data folder as `viga`.
#include "ArquivoSaida.h"
#include "Conexao.h"
#include "ConfigEmail.h"
#include "Emissor.h"
#include "EnvioEmail.h"
#include "ErroBanco.h"
#include "Esquema.h"
#include "LinhaComando.h"
#include "Listagens.h"
#include "PastaDados.h"
#include "PlanilhaRelatorio.h"
#include "PreviewRelevo.h"
#include "RelatorioAgrupado.h"
#include "RelatorioFluxo.h"
#include "RelatorioMovimento.h"
#include "Rotinas.h"
#include "ServicosRelevo.h"
#include "SessaoAtual.h"
#include "TDM.h"
#include "TPrintPDF.h"
#include "TRelevo.h"

#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

namespace
{

constexpr int SaidaFalha = 1;
constexpr int SaidaUso = 2;

const char* const Ajuda =
    "Uso: viga-relatorio COMANDO [OPÇÕES]\n"
    "  viga-relatorio movimento --tipo clientes|fornecedores [--analitico] [--codigo N]\n"
    "                 [--produto N] --de dd/mm/aaaa --ate dd/mm/aaaa [--somente-saida]\n"
    "                 --saida ARQUIVO [--email ENDERECO]\n"
    "  viga-relatorio fluxo|agrupado --de dd/mm/aaaa --ate dd/mm/aaaa [--produto N]\n"
    "                 --saida ARQUIVO [--email ENDERECO]\n"
    "  viga-relatorio cadastros [--tipo transportadoras|clientes|fornecedores]\n"
    "                 --saida ARQUIVO [--email ENDERECO]\n"
    "  viga-relatorio produtos|tipos-veiculo --saida ARQUIVO [--email ENDERECO]\n"
    "  viga-relatorio passagens --de dd/mm/aaaa --ate dd/mm/aaaa --saida ARQUIVO\n"
    "                 [--email ENDERECO]\n"
    "\n"
    "Imprime um relatório do VIGA num arquivo, sem abrir janelas (para o cron ou\n"
    "um temporizador do systemd). O tipo do arquivo segue a extensão:\n"
    "  .txt   as páginas como na visualização (UTF-8)\n"
    "  .pdf   as páginas em PDF\n"
    "  .csv   uma linha por linha do relatório, UTF-8, ponto e vírgula, vírgula decimal\n"
    "  .xlsx  planilha com números e datas\n"
    "\n"
    "Opções:\n"
    "  --tipo T          movimento: clientes ou fornecedores; cadastros:\n"
    "                    transportadoras, clientes (padrão) ou fornecedores\n"
    "  --analitico       movimento analítico (placas, tickets, datas e horas)\n"
    "  --codigo N        somente o cliente ou fornecedor de código N\n"
    "  --produto N       somente o produto de código N\n"
    "  --de DATA         primeira data de entrada (dd/mm/aaaa); nas passagens sem\n"
    "                    pesagem, a primeira data de início\n"
    "  --ate DATA        última data de entrada (dd/mm/aaaa); nas passagens, a\n"
    "                    última data de início\n"
    "  --somente-saida   movimento: somente pesagens com saída\n"
    "  --saida ARQUIVO   o arquivo a gravar\n"
    "  --email ENDERECO  também envia o arquivo por e-mail pelo servidor configurado\n"
    "                    (viga.ini, seção [email])\n"
    "  --help            mostra esta ajuda\n"
    "  --version         mostra a versão\n"
    "\n"
    "A pasta de dados é a do viga: $VIGA_HOME quando definida.\n"
    "Saída: 0 quando o arquivo foi gravado (e enviado); 1 quando não há dados ou algo\n"
    "falhou; 2 quando a linha de comando está errada.\n";

void erro(const QString& texto)
{
    std::fprintf(stderr, "viga-relatorio: %s\n", texto.toLocal8Bit().constData());
}

// The print job's messages go to standard error; the preview only keeps the pages.
class ServicosLinhaComando : public ServicosRelevo
{
public:
    int mensagem(const QString& texto, const QString& titulo, int flags) override
    {
        erro(titulo + QStringLiteral(": ") + texto);
        return (flags & 0xF) == MsgRelevo::SimNao ? MsgRelevo::RespNao : MsgRelevo::RespOk;
    }
    void preview(TRelevo&) override {}
};

struct Pedido {
    QString relatorio;
    QString tipo;
    bool analitico = false;
    bool somenteSaida = false;
    QString codigo, produto;
    QDate de, ate;
    bool temDe = false, temAte = false;
    QString saida, email;
};

std::optional<QDate> data(const QString& texto)
{
    const QDate d = QDate::fromString(texto, QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid()) return std::nullopt;
    return d;
}

bool soDigitos(const QString& t)
{
    if (t.isEmpty()) return false;
    for (const QChar c : t) {
        if (!c.isDigit()) return false;
    }
    return true;
}

// The options, each declared once; the help above describes them.
void declara(QCommandLineParser& parser)
{
    declaraOpcoes(parser, {{"h,help"},
                           {"version"},
                           {"tipo", "T"},
                           {"analitico"},
                           {"codigo", "N"},
                           {"produto", "N"},
                           {"de", "DATA"},
                           {"ate", "DATA"},
                           {"somente-saida"},
                           {"saida", "ARQUIVO"},
                           {"email", "ENDERECO"}});
}

// Reads the command line (the program's name first) into `p`; false with the message in `msg`.
bool le(const QStringList& args, Pedido& p, QString& msg)
{
    static const QStringList relatorios{QStringLiteral("movimento"), QStringLiteral("fluxo"),
                                        QStringLiteral("agrupado"),  QStringLiteral("cadastros"),
                                        QStringLiteral("produtos"),  QStringLiteral("tipos-veiculo"),
                                        QStringLiteral("passagens")};
    QCommandLineParser linha;
    declara(linha);
    const ErroLinhaComando e = leLinhaComando(linha, args);
    const QStringList soltos = linha.positionalArguments();
    if (e.tipo == ErroLinhaComando::Nenhum && soltos.isEmpty()) {
        msg = QStringLiteral("falta o relatório (veja viga-relatorio --help)");
        return false;
    }
    if (!soltos.isEmpty()) {
        p.relatorio = soltos.first();
        if (!relatorios.contains(p.relatorio)) {
            msg = QStringLiteral("relatório desconhecido: %1").arg(p.relatorio);
            return false;
        }
    }
    if (e.tipo == ErroLinhaComando::Desconhecida || soltos.size() > 1) {
        msg = QStringLiteral("opção desconhecida: %1")
                  .arg(e.tipo == ErroLinhaComando::Desconhecida ? e.argumento : soltos[1]);
        return false;
    }
    if (e.tipo == ErroLinhaComando::SemValor) {
        msg = QStringLiteral("falta o valor de %1").arg(e.argumento);
        return false;
    }
    const auto dataDe = [&](const char* nome, QDate& destino, bool& tem) {
        if (!linha.isSet(QLatin1String(nome))) return true;
        const QString t = linha.value(QLatin1String(nome));
        const auto d = data(t);
        if (!d) {
            msg = QStringLiteral("data inválida em --%1: %2 (use dd/mm/aaaa)").arg(QLatin1String(nome), t);
            return false;
        }
        destino = *d;
        tem = true;
        return true;
    };
    p.tipo = linha.value(QStringLiteral("tipo"));
    p.analitico = linha.isSet(QStringLiteral("analitico"));
    p.somenteSaida = linha.isSet(QStringLiteral("somente-saida"));
    p.codigo = linha.value(QStringLiteral("codigo"));
    if (linha.isSet(QStringLiteral("codigo")) && !soDigitos(p.codigo)) {
        msg = QStringLiteral("código inválido: %1").arg(p.codigo);
        return false;
    }
    p.produto = linha.value(QStringLiteral("produto"));
    p.saida = linha.value(QStringLiteral("saida"));
    p.email = linha.value(QStringLiteral("email"));
    if (!dataDe("de", p.de, p.temDe) || !dataDe("ate", p.ate, p.temAte)) return false;

    const bool movimento = p.relatorio == QLatin1String("movimento");
    const bool passagens = p.relatorio == QLatin1String("passagens");
    const bool periodo = movimento || passagens || p.relatorio == QLatin1String("fluxo") ||
                         p.relatorio == QLatin1String("agrupado");
    auto recusa = [&](bool usado, const char* opcao) {
        if (usado)
            msg =
                QStringLiteral("a opção %1 não serve ao relatório %2").arg(QLatin1String(opcao), p.relatorio);
        return usado;
    };
    if (recusa(!movimento && (p.analitico), "--analitico") ||
        recusa(!movimento && p.somenteSaida, "--somente-saida") ||
        recusa(!movimento && !p.codigo.isEmpty(), "--codigo") ||
        recusa((!periodo || passagens) && !p.produto.isEmpty(), "--produto") ||
        recusa(!periodo && (p.temDe || p.temAte), "--de/--ate") ||
        recusa(!movimento && p.relatorio != QLatin1String("cadastros") && !p.tipo.isEmpty(), "--tipo"))
        return false;
    if (movimento && p.tipo != QLatin1String("clientes") && p.tipo != QLatin1String("fornecedores")) {
        msg = p.tipo.isEmpty() ? QStringLiteral("falta --tipo clientes|fornecedores")
                               : QStringLiteral("tipo inválido: %1 (clientes ou fornecedores)").arg(p.tipo);
        return false;
    }
    if (p.relatorio == QLatin1String("cadastros") && !p.tipo.isEmpty() &&
        !QStringList{QStringLiteral("transportadoras"), QStringLiteral("clientes"),
                     QStringLiteral("fornecedores")}
             .contains(p.tipo)) {
        msg = QStringLiteral("tipo inválido: %1 (transportadoras, clientes ou fornecedores)").arg(p.tipo);
        return false;
    }
    if (periodo && (!p.temDe || !p.temAte)) {
        msg = QStringLiteral("faltam as datas: --de dd/mm/aaaa --ate dd/mm/aaaa");
        return false;
    }
    if (periodo && p.de > p.ate) {
        msg = QStringLiteral("a data --de é posterior à data --ate");
        return false;
    }
    if (p.saida.isEmpty()) {
        msg = QStringLiteral("falta --saida ARQUIVO");
        return false;
    }
    const QString ext = QFileInfo(p.saida).suffix().toLower();
    if (!QStringList{QStringLiteral("txt"), QStringLiteral("pdf"), QStringLiteral("csv"),
                     QStringLiteral("xlsx")}
             .contains(ext)) {
        msg =
            QStringLiteral("extensão do arquivo de saída não reconhecida: %1 (use .txt, .pdf, .csv ou .xlsx)")
                .arg(p.saida);
        return false;
    }
    return true;
}

// Runs the report into a previewed job; false when it selected nothing.
bool compoe(TDM& dm, const Pedido& p, std::function<TRelevo&()>& qual, std::shared_ptr<void>& dono)
{
    if (p.relatorio == QLatin1String("movimento")) {
        auto r = std::make_shared<RelatorioMovimento>(dm);
        FiltroMovimento f;
        f.tipo = (p.tipo == QLatin1String("fornecedores") ? 1 : 0) + (p.analitico ? 2 : 0);
        f.codigo = p.codigo;
        f.produto = p.produto;
        f.inicio = p.de;
        f.fim = p.ate;
        f.somenteComSaida = p.somenteSaida;
        dono = r;
        qual = [r]() -> TRelevo& { return r->job(); };
        return r->imprimir(f, true);
    }
    if (p.relatorio == QLatin1String("fluxo") || p.relatorio == QLatin1String("agrupado")) {
        FiltroFluxo f;
        f.produto = p.produto;
        f.inicio = p.de;
        f.fim = p.ate;
        if (p.relatorio == QLatin1String("fluxo")) {
            auto r = std::make_shared<RelatorioFluxo>(dm);
            dono = r;
            qual = [r]() -> TRelevo& { return r->job(); };
            return r->imprimir(f, true);
        }
        auto r = std::make_shared<RelatorioAgrupado>(dm);
        dono = r;
        qual = [r]() -> TRelevo& { return r->job(); };
        return r->imprimir(f, true);
    }
    if (p.relatorio == QLatin1String("cadastros")) {
        auto r = std::make_shared<ListagemCadastros>(dm);
        FiltroCadastros f;
        f.tipo = p.tipo == QLatin1String("transportadoras") ? 0
                 : p.tipo == QLatin1String("fornecedores")  ? 2
                                                            : 1;
        dono = r;
        qual = [r]() -> TRelevo& { return r->job(); };
        return r->imprimir(f, true);
    }
    if (p.relatorio == QLatin1String("passagens")) {
        auto r = std::make_shared<ListagemPassagens>(dm);
        dono = r;
        qual = [r]() -> TRelevo& { return r->job(); };
        return r->imprimir(p.de, p.ate, true);
    }
    if (p.relatorio == QLatin1String("produtos")) {
        auto r = std::make_shared<ListagemProdutos>(dm);
        dono = r;
        qual = [r]() -> TRelevo& { return r->job(); };
        return r->imprimir(0, true);
    }
    auto r = std::make_shared<ListagemTiposVeiculo>(dm);
    dono = r;
    qual = [r]() -> TRelevo& { return r->job(); };
    r->job().Preview.ShowPreview = true;
    return r->imprimir();
}

bool grava(const TRelevo& job, const QString& arquivo, QString& msg)
{
    const QString ext = QFileInfo(arquivo).suffix().toLower();
    bool ok = false;
    errno = 0;
    if (ext == QLatin1String("txt")) {
        ok = SalvaTexto(job, arquivo);
    } else if (ext == QLatin1String("csv")) {
        ok = PlanilhaRelatorio::salvaCsv(job, arquivo, &msg);
    } else if (ext == QLatin1String("xlsx")) {
        ok = PlanilhaRelatorio::salvaXlsx(job, arquivo, &msg);
    } else {
        // page by page: a report of tens of thousands of pages is never unpacked whole
        auto pagina = [&job](int p) {
            QStringList linhas;
            for (int l = 0; l < job.PreviewPages()[p].size(); ++l)
                linhas << job.linhaExibida(p, l);
            return linhas;
        };
        ok = GravaPdfPaginas(int(job.PreviewPages().size()), pagina, arquivo, job.ReportTitle,
                             job.Preview.Font.family(), job.Preview.Font.pointSize(), &msg);
    }
    if (!ok) {
        // the reason in words; a library's own text goes to the log
        const int numero = errno;
        if (!msg.isEmpty()) qWarning().noquote() << msg;
        msg = QStringLiteral("não foi possível gravar %1: %2")
                  .arg(arquivo,
                       numero != 0 ? ArquivoSaida::motivo(numero) : QStringLiteral("falha na gravação"));
    }
    return ok;
}

// The SMTP server of the data folder's viga.ini, section [email], as the
// settings dialog keeps it.
bool envia(const QString& arquivo, const QString& para, const QString& titulo, QString& msg)
{
    QString erroConfig;
    const ConfigEmail cfg = ConfigEmail::ler(&erroConfig);
    if (!erroConfig.isEmpty()) {
        msg = QStringLiteral("configuração de e-mail inválida em viga.ini: %1; o relatório foi gravado em %2 "
                             "e não foi enviado")
                  .arg(erroConfig, arquivo);
        return false;
    }
    if (!cfg.configurado() || cfg.remetente.trimmed().isEmpty()) {
        msg = QStringLiteral(
                  "servidor de e-mail não configurado (viga.ini, seção [email]: Servidor e Remetente); "
                  "o relatório foi gravado em %1 e não foi enviado")
                  .arg(arquivo);
        return false;
    }
    EnvioEmail e;
    e.servidor = cfg.servidor.trimmed();
    e.porta = cfg.porta;
    e.seguranca = cfg.seguranca;
    e.certificadosConfiaveis = cfg.certificados;
    e.usuario = cfg.usuario;
    e.senha = cfg.senha;
    e.remetente = cfg.remetente.trimmed();
    e.para = para;
    e.assunto = titulo.isEmpty() ? QFileInfo(arquivo).fileName() : titulo;
    e.mensagem = QStringLiteral("Relatório gerado pelo VIGA em anexo.");
    e.anexo = arquivo;
    if (!e.enviar()) {
        msg = QStringLiteral("o e-mail não foi enviado: %1").arg(e.erro());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // The help and the version need no display, no data folder, nothing written.
    {
        QCommandLineParser linha;
        declara(linha);
        leLinhaComando(linha, argumentosDe(argc, argv));
        if (linha.isSet(QStringLiteral("help"))) {
            std::fputs(Ajuda, stdout);
            return 0;
        }
        if (linha.isSet(QStringLiteral("version"))) {
            std::printf("viga-relatorio %s\n", VersaoArquivo().toLocal8Bit().constData());
            return 0;
        }
    }
    // Runs from cron or a timer: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Pedido pedido;
    QString msg;
    if (!le(app.arguments(), pedido, msg)) {
        erro(msg);
        return SaidaUso;
    }

    ServicosLinhaComando servicos;
    ServicosRelevo::instalar(&servicos);
    if (!PastaDados::preparar(&msg)) {
        erro(msg);
        return SaidaFalha;
    }
    // what it writes (the report, the database's journal) is closed as VIGA's own files
    PastaDados::restringirCriacao();
    Conexao conexao;
    if (!Conexao::ler(conexao, &msg)) {
        erro(msg);
        return SaidaFalha;
    }
    TDM dm(conexao);
    if (!Esquema::abreBanco(dm, &msg)) {
        erro(QStringLiteral("não foi possível abrir o banco de dados: ") + msg);
        return SaidaFalha;
    }
    // The output is checked before the report is composed: a long report
    // never runs to the end to find that it cannot be written.
    if (!ArquivoSaida::verifica(pedido.saida, &msg)) {
        erro(msg);
        return SaidaFalha;
    }
    try {
        QString emissor;
        Emissor::ler(dm, &emissor);
        SessaoAtual.UsuarioLogado = QStringLiteral("ADMIN");
        SessaoAtual.NomeEmissor = emissor;

        std::function<TRelevo&()> job;
        std::shared_ptr<void> relatorio;
        if (!compoe(dm, pedido, job, relatorio) || job().PreviewPages().isEmpty()) {
            erro(QStringLiteral("Não há dados para imprimir"));
            return SaidaFalha;
        }
        if (!grava(job(), pedido.saida, msg)) {
            erro(msg);
            return SaidaFalha;
        }
        if (!pedido.email.isEmpty() && !envia(pedido.saida, pedido.email, job().ReportTitle, msg)) {
            erro(msg);
            return SaidaFalha;
        }
    } catch (const std::exception& e) {
        erro(QStringLiteral("erro no banco de dados: ") + QString::fromLocal8Bit(e.what()));
        return SaidaFalha;
    }
    return 0;
}
