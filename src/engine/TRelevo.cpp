// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRelevo.h"

#include "ArquivoSaida.h"
#include "PastaJobs.h"
#include "PastaPrivada.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "ServicosRelevo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

namespace
{

// The model whose codes the job being composed uses; one job is composed at a time.
TPrinterName modeloAtivo = rvEpson9pinos;

const QByteArray fimDeLinha = QByteArrayLiteral("\r\n");

// True when the text holds something other than blanks and control characters.
bool naoEmBranco(const QByteArray& linha)
{
    for (const char c : linha) {
        if (uchar(c) > 0x20) return true;
    }
    return false;
}

QString aspasShell(const QString& s)
{
    QString r = s;
    r.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + r + u'\'';
}

// |valor| with a point and `casas` decimals, rounded half to even on the decimal digits
// the value shows (0,125 to two places gives 0,12; 2,5 to none gives 2), as every
// number of the system is rounded.
QString arredondaMeioPar(double valor, int casas)
{
    if (!std::isfinite(valor)) valor = 0;
    const QString s = QString::number(std::fabs(valor), 'f', casas + 6);
    const int ponto = int(s.indexOf(u'.'));
    QString digitos = s.left(ponto) + s.mid(ponto + 1, casas);
    const QString resto = s.mid(ponto + 1 + casas);
    bool sobe = resto[0] > u'5';
    if (resto[0] == u'5') {
        const bool exato = std::all_of(resto.begin() + 1, resto.end(), [](QChar c) { return c == u'0'; });
        sobe = !exato || (digitos.back().digitValue() % 2) == 1;
    }
    if (sobe) {
        int i = int(digitos.size()) - 1;
        for (; i >= 0; --i) {
            if (digitos[i] == u'9') {
                digitos[i] = u'0';
            } else {
                digitos[i] = QChar(digitos[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) digitos.prepend(u'1');
    }
    if (casas == 0) return digitos;
    return digitos.left(digitos.size() - casas) + u'.' + digitos.right(casas);
}

// The platform's mask formatting of numbers: "0" a required digit, "#" an optional one,
// "." the decimal point, "," thousands grouping; other characters are copied. The output
// follows the Brazilian convention (decimal comma, point between thousands).
QString formataComMascara(const QString& mascara, double valor)
{
    QStringList secoes = mascara.split(u';');
    QString secao = secoes.value(0);
    bool semSinal = false;
    if (valor < 0 && secoes.size() > 1 && !secoes[1].isEmpty()) {
        secao = secoes[1];
        semSinal = true;
    } else if (valor == 0 && secoes.size() > 2 && !secoes[2].isEmpty()) {
        secao = secoes[2];
    }
    auto ehMarcador = [](QChar c) { return c == u'0' || c == u'#' || c == u'.' || c == u','; };
    int primeiro = -1, ultimo = -1;
    for (int i = 0; i < secao.size(); ++i) {
        if (ehMarcador(secao[i])) {
            if (primeiro < 0) primeiro = i;
            ultimo = i;
        }
    }
    if (primeiro < 0) return secao;
    const QString prefixo = secao.left(primeiro);
    const QString sufixo = secao.mid(ultimo + 1);
    const QString nucleo = secao.mid(primeiro, ultimo - primeiro + 1);
    const int ponto = nucleo.indexOf(u'.');
    const QString parteInteira = ponto < 0 ? nucleo : nucleo.left(ponto);
    const QString parteDecimal = ponto < 0 ? QString() : nucleo.mid(ponto + 1);
    const bool milhares = parteInteira.contains(u',');
    const int minInteiros = int(parteInteira.count(u'0'));
    int decimais = 0, decimaisObrigatorios = 0;
    for (const QChar c : parteDecimal) {
        if (c == u'0' || c == u'#') ++decimais;
        if (c == u'0') decimaisObrigatorios = decimais;
    }
    const QString fixo = arredondaMeioPar(valor, decimais);
    QString inteiro = fixo.section(u'.', 0, 0);
    QString fracao = decimais > 0 ? fixo.section(u'.', 1, 1) : QString();
    while (fracao.size() > decimaisObrigatorios && fracao.endsWith(u'0'))
        fracao.chop(1);
    if (inteiro == QStringLiteral("0") && minInteiros == 0) inteiro.clear();
    while (inteiro.size() < minInteiros)
        inteiro.prepend(u'0');
    if (milhares) {
        for (int i = int(inteiro.size()) - 3; i > 0; i -= 3)
            inteiro.insert(i, u'.');
    }
    QString r = inteiro;
    if (!fracao.isEmpty()) r += u',' + fracao;
    const bool zero = std::all_of(fixo.begin(), fixo.end(), [](QChar c) { return c == u'0' || c == u'.'; });
    if (valor < 0 && !semSinal && !zero) r.prepend(u'-');
    return prefixo + r + sufixo;
}

} // namespace

TRelevo::TRelevo(QObject* parent) : QObject(parent) {}

TRelevo::~TRelevo()
{
    fechaPreviewParcial();
    if (m_alvo.isOpen()) m_alvo.close();
    for (const QString& f : std::as_const(m_temporarios)) {
        if (QFile::exists(f)) QFile::remove(f);
    }
}

void TRelevo::setPageSize(TPageSize tamanho)
{
    if (tamanho == m_pageSize) return;
    m_pageSize = tamanho;
    QtLines = LinesForPageSize(tamanho, QtLines);
}

const TCodigosImpressora& TRelevo::CodigosAtivos()
{
    return CodigosDoModelo(modeloAtivo);
}

QString TRelevo::texto(const char* portugues, const char* ingles) const
{
    return QString::fromUtf8(LanguageMessages == lmEnglish ? ingles : portugues);
}

namespace
{
// A failed write's reason: the system's error number in words, else Qt's text.
QString motivoDoSistema(TLanguageMsg idioma, int numeroErro, const QString& doQt)
{
    if (numeroErro == 0 || idioma == lmEnglish) return doQt;
    return ArquivoSaida::motivo(numeroErro);
}

// A port that is a plain file (not a device): a job that failed is not left there.
bool ehArquivoComum(const QString& caminho)
{
    const QFileInfo info(caminho);
    return !caminho.startsWith(QStringLiteral("/dev/")) && !info.isSymLink() && info.isFile();
}
} // namespace

int TRelevo::mensagem(const QString& texto, const QString& titulo, int flags)
{
    return ServicosRelevo::atual().mensagem(texto, titulo, flags);
}

QString TRelevo::pastaJobs()
{
    return PastaJobs::caminho();
}

QString TRelevo::novoNomeJob(QString* erro) const
{
    // "RV" + day, hour, minute, a random part + ".T" + seconds: the time says
    // when a job was made, the random part keeps processes apart
    const QDateTime agora = Relogio::agora();
    return PastaJobs::novoArquivo(QStringLiteral("RV") + agora.toString(QStringLiteral("ddhhmm")),
                                  QStringLiteral(".T") + agora.toString(QStringLiteral("ss")), erro);
}

void TRelevo::portaSemDispositivo(const QString& porta)
{
    const QString onde = porta.compare(m_destino.caminho) == 0
                             ? texto("o dispositivo %1 não existe neste computador.",
                                     "device %1 does not exist on this computer.")
                                   .arg(m_destino.caminho)
                             : texto("a porta %1 aponta para %2, que não existe neste computador.",
                                     "port %1 points to %2, which does not exist on this computer.")
                                   .arg(porta, m_destino.caminho);
    mensagem(
        texto("A impressora não foi encontrada: ", "The printer was not found: ") + onde +
            texto("\rEm \"Configurações\", \"Imprimir em:\", informe a fila da impressora (por exemplo "
                  "\\\\localhost\\ticket) ou corrija o dispositivo no viga.ini (seção [printer], ou "
                  "[serial] para COM).\rO guia do VIGA (/usr/share/doc/viga/guia.md.gz) mostra como criar a "
                  "fila da impressora.",
                  "\rIn \"Configurações\", \"Imprimir em:\", give the printer's queue (for example "
                  "\\\\localhost\\ticket) or fix the device in viga.ini ([printer], or [serial] for COM)."),
        texto("Atenção", "Warning"), MsgRelevo::Ok | MsgRelevo::Aviso);
}

void TRelevo::falhaDeEscrita()
{
    mensagem(
        texto("Impressora em uso ou não pronta.", "Printer in use or not ready") +
            (m_erroEscrita.isEmpty() ? QString() : texto("\rErro retornado: ", "\rError: ") + m_erroEscrita),
        texto("Atenção", "Warning"), MsgRelevo::Ok | MsgRelevo::Aviso);
}

int TRelevo::CheckPrinterStatus()
{
    int codigo = 0;
    const bool aplica =
        VerifyPrinter && PrinterPort.trimmed().startsWith(QStringLiteral("LPT"), Qt::CaseInsensitive) &&
        !previewing() && !porWindows() && !PrinterTermic && m_destino.tipo == DestinoPorta::Arquivo &&
        m_destino.caminho.startsWith(QStringLiteral("/dev/"));
    if (aplica) {
        for (int leitura = 1; leitura <= 4; ++leitura) {
            const int status = LeituraStatus(m_destino.caminho);
            if (status < 0) { // not a parallel port that reports a status
                codigo = 0;
                break;
            }
            codigo = CodigoStatusParalela(status);
            if (codigo == 0) break;
            if (leitura < 3) QThread::msleep(250);
        }
    }
    switch (codigo) {
    case 0:
        StatusMessage.clear();
        break;
    case 1:
        StatusMessage = texto("Impressora näo está pronta", "Printer not ready");
        break;
    case 2:
        StatusMessage = texto("Impressora sem papel", "Printer out of paper");
        break;
    case 3:
        StatusMessage = texto("Impressora desligada", "Printer offline");
        break;
    default:
        StatusMessage = texto("Impressora com problema desconhecido", "Unknow error printing");
        break;
    }
    return codigo;
}

bool TRelevo::BeginDoc()
{
    fechaPreviewParcial();
    m_pageNo = 1;
    m_docAberto = false;
    QString porta = PrinterPort.trimmed();
    if (porta.isEmpty()) porta = GetDefaultPrinter().porta;
    m_destino = ResolvePorta(porta);
    m_erroEscrita.clear();
    QString erroPasta;
    m_arquivoJob = novoNomeJob(&erroPasta);
    if (m_arquivoJob.isEmpty()) {
        mensagem(texto("Não foi possível preparar a impressão: ", "Could not prepare the job: ") + erroPasta,
                 texto("Atenção", "Warning"), MsgRelevo::Ok | MsgRelevo::Aviso);
        return false;
    }
    if (!m_temporarios.contains(m_arquivoJob)) m_temporarios << m_arquivoJob;

    const bool paraArquivoJob = previewing() || porWindows() || PrinterTermic || SaveFile || PrintToSpool ||
                                m_destino.tipo == DestinoPorta::FilaCups;
    m_alvoEhPorta = !paraArquivoJob;

    if (CheckPrinterStatus() != 0 && !PrintToSpool) return false;

    if (m_alvo.isOpen()) m_alvo.close();
    m_alvo.setFileName(m_alvoEhPorta ? m_destino.caminho : m_arquivoJob);
    QIODevice::OpenMode modo = QIODevice::WriteOnly;
    // A printer port (LPTn, COMn, a /dev path) is a device that must already
    // be there: opening it never creates a file in its place.
    const bool ehDispositivo = porta.startsWith(QStringLiteral("LPT"), Qt::CaseInsensitive) ||
                               porta.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive) ||
                               m_destino.caminho.startsWith(QStringLiteral("/dev/"));
    if (m_alvoEhPorta && ehDispositivo) {
        modo |= QIODevice::ExistingOnly;
    } else {
        modo |= QIODevice::Truncate;
    }
    errno = 0;
    if (!m_alvo.open(modo)) {
        const int numero = errno;
        const bool semDispositivo = m_alvoEhPorta && ehDispositivo && !QFile::exists(m_destino.caminho);
        m_erroEscrita =
            m_alvoEhPorta && ehDispositivo && !QFile::exists(m_destino.caminho)
                ? texto("o dispositivo %1 não existe", "device %1 does not exist").arg(m_destino.caminho)
                : motivoDoSistema(LanguageMessages, numero, m_alvo.errorString());
        m_alvo.close();
        QFile::remove(m_arquivoJob);
        if (semDispositivo) {
            portaSemDispositivo(porta);
        } else {
            falhaDeEscrita();
        }
        return false;
    }
    m_linhaImpressora.clear();
    m_linhaExibida.clear();
    m_pecasLinha.clear();
    m_col = 0;
    m_colPendente = 0;
    m_pcol = 0;
    m_pageNo = HeaderData.FirstPage;
    m_previewPages.clear();
    m_printerPages.clear();
    m_pecasPaginas.clear();
    if (previewing()) novaPaginaNasListas();
    m_row = 1;
    m_paginaIniciada = true;
    m_docAberto = true;
    modeloAtivo = PrinterName;
    m_modeloJob = PrinterName;
    const TCodigosImpressora& c = codigos();
    if (LinhasPolegada == l8LinPol) SendCommand(c.Lpi8);
    if (LinhasPolegada == lElite12) SendCommand(c.Elite12On);
    if (PrinterName != rvDeskjet500 && PrinterName != rvDeskjet600) {
        SendCommand(c.PageLength + char(uchar(LinesForPageSize(m_pageSize, QtLines))));
    }
    return true;
}

void TRelevo::gravar(const QByteArray& bytes)
{
    // After a failure the rest of the job is dropped: the job is reported as
    // failed as a whole at its end.
    if (!m_alvo.isOpen() || !m_erroEscrita.isEmpty() || bytes.isEmpty()) return;
    errno = 0;
    if (m_alvo.write(bytes) != bytes.size()) {
        m_erroEscrita = motivoDoSistema(LanguageMessages, errno, m_alvo.errorString());
        if (m_erroEscrita.isEmpty()) m_erroEscrita = texto("gravação incompleta", "incomplete write");
    }
}

void TRelevo::novaPaginaNasListas()
{
    fecharPaginaNasListas();
    m_previewPages.novaPagina();
    m_printerPages.append(PaginaImpressora());
    m_pecasPaginas.emplace_back();
}

void TRelevo::fecharPaginaNasListas()
{
    if (m_previewPages.isEmpty()) return;
    m_previewPages.last().squeeze();
    m_printerPages.last().squeeze();
}

void TRelevo::guardaLinhaNasListas()
{
    if (m_previewPages.isEmpty()) novaPaginaNasListas();
    m_previewPages.last().append(m_linhaExibida.toUtf8());
    PecasPagina& pecas = m_pecasPaginas.back();
    for (const PecaExibida& p : std::as_const(m_pecasLinha)) {
        for (const int v : {p.coluna, p.inicio, p.tamanho})
            pecas.valores.push_back(quint16(qBound(0, v, 0xFFFF)));
    }
    pecas.fins.push_back(quint32(pecas.valores.size()));
    const bool igual = ConvertAccents(ParaWin1252(m_linhaExibida), m_modeloJob) == m_linhaImpressora;
    m_printerPages.last().append(m_linhaImpressora, igual);
}

QList<TRelevo::PecaExibida> TRelevo::pecasExibidas(int pagina, int linha) const
{
    QList<PecaExibida> r;
    if (pagina < 0 || size_t(pagina) >= m_pecasPaginas.size()) return r;
    const PecasPagina& p = m_pecasPaginas[size_t(pagina)];
    if (linha < 0 || size_t(linha) >= p.fins.size()) return r;
    const quint32 fim = p.fins[size_t(linha)];
    for (quint32 i = linha == 0 ? 0 : p.fins[size_t(linha) - 1]; i + 3 <= fim; i += 3)
        r << PecaExibida{p.valores[i], p.valores[i + 1], p.valores[i + 2]};
    return r;
}

QByteArray TRelevo::linhaImpressora(int pagina, int linha) const
{
    if (const QByteArray* guardada = m_printerPages[pagina].guardada(linha)) return *guardada;
    return ConvertAccents(ParaWin1252(linhaExibida(pagina, linha)), m_modeloJob);
}

void TRelevo::WriteText(const QByteArray& style, const QString& text, int column, bool newLine)
{
    compor(style, text, nullptr, column, newLine);
}

void TRelevo::WritePrinterText(const QByteArray& style, const QByteArray& bytes, bool newLine)
{
    compor(style, DeWin1252(bytes), &bytes, 0, newLine);
}

void TRelevo::compor(const QByteArray& style, const QString& text, const QByteArray* jaConvertido, int column,
                     bool newLine)
{
    if (CheckPrinterStatus() != 0 && !PrintToSpool) return;
    QByteArray convertido;
    if (jaConvertido) {
        convertido = *jaConvertido;
    } else if (porWindows() && !previewing()) {
        // Drawn by the system printer with a font in the text's own code page.
        convertido = ParaWin1252(text);
    } else {
        convertido = ConvertAccents(ParaWin1252(text), PrinterName);
    }

    if (OnPageFooter && !m_emGanchoRodape && QtLines > 0 && m_row >= QtLines - LinesFooter - 1) {
        m_emGanchoRodape = true;
        OnPageFooter(false);
        m_emGanchoRodape = false;
    }
    inicioDePagina();

    const int brancos = column - m_col;
    const QByteArray pad(qMax(0, brancos), ' ');
    const QString padTexto(qMax(0, brancos), u' ');
    const TCodigosImpressora& c = codigos();
    auto junta = [&](const QByteArray& marca) {
        // the built-in page header is no part of the report's columns
        if (!m_emCabecalho && !text.trimmed().isEmpty())
            m_pecasLinha << PecaExibida{qMax(column, m_col),
                                        int(m_linhaExibida.size() + marca.size() + padTexto.size()),
                                        int(text.size())};
        m_linhaImpressora += marca;
        m_linhaImpressora += pad;
        m_linhaImpressora += convertido;
        m_linhaExibida += QString::fromLatin1(marca);
        m_linhaExibida += padTexto;
        m_linhaExibida += text;
    };
    static const QByteArray ng = QByteArrayLiteral("<ng>");
    if (previewing() && !style.isEmpty() && style == c.ExpandOn) {
        junta(QByteArrayLiteral("<e>"));
    } else if (previewing() && !style.isEmpty() && style == c.ExpandOff) {
        junta(QByteArrayLiteral("</e>"));
    } else if (!style.isEmpty() && !porWindows()) {
        junta(style);
    } else if (porWindows() && style == ng) {
        junta(ng);
    } else {
        junta(QByteArray());
    }
    m_col = column + int(text.size());

    if (!newLine) {
        m_pcol = int(m_linhaImpressora.size());
        return;
    }
    if (!previewing() && QtLines > 0 && m_row == QtLines - 1) {
        if (porWindows()) {
            // Drawn line by line: the last row keeps its line end and the page ends
            // with a form feed, so each page of the job is one printed page.
            gravar(m_linhaImpressora + fimDeLinha + c.FormFeed);
        } else {
            // The last row ends like every other; then the form is ejected, or, without
            // EjetaQuebra, line ends carry the paper to the top of the next form (the
            // page length sent at the start of the job), so continuous forms never drift.
            QByteArray fim = m_linhaImpressora + fimDeLinha;
            if (EjetaQuebra) {
                fim += c.FormFeed;
            } else {
                const int formulario = qMax(LinesForPageSize(m_pageSize, QtLines), QtLines);
                fim += fimDeLinha.repeated(formulario - (QtLines - 1));
            }
            gravar(fim);
        }
        ++m_pageNo;
    } else {
        gravar(m_linhaImpressora + fimDeLinha);
    }
    ++m_row;
    if (previewing()) guardaLinhaNasListas();
    m_linhaImpressora.clear();
    m_linhaExibida.clear();
    m_pecasLinha.clear();
    m_col = 0;
    m_pcol = 0;
}

void TRelevo::inicioDePagina()
{
    const bool transbordou = QtLines > 0 && m_row >= QtLines;
    if (m_emCabecalho || m_emGanchoCabecalho || m_emNovaPagina) {
        // Lines of a header (the built-in one or the report's) and the new-page marker
        // never start another page: a header longer than the page simply runs on, and
        // a job always ends.
        if (transbordou) {
            if (previewing() && m_row == QtLines) ++m_pageNo;
            m_row = 1;
            if (previewing()) novaPaginaNasListas();
        }
        return;
    }
    if (previewing() && QtLines > 0 && m_row == QtLines) ++m_pageNo;
    if (!transbordou && m_row != 1) return;
    if (m_row != 1) {
        // Overflow: the next page starts without a form feed.
        m_row = 1;
        if (previewing()) novaPaginaNasListas();
    } else if (!m_paginaIniciada) {
        NewPage();
    }
    if (OnPageHeader) {
        m_emGanchoCabecalho = true;
        OnPageHeader();
        m_emGanchoCabecalho = false;
    }
    if (PageHeader) {
        cabecalhoInterno();
        m_paginaIniciada = false;
    }
}

void TRelevo::StartPage()
{
    if (m_row == 1 && !emCabecalhoDePagina()) inicioDePagina();
}

void TRelevo::cabecalhoInterno()
{
    m_emCabecalho = true;
    const QDateTime agora = Relogio::agora();
    const int meio = PageWidth / 2;
    WriteText({}, agora.toString(QStringLiteral("dd/MM/yyyy")), 0, false);
    WriteText({}, agora.toString(QStringLiteral("hh:mm:ss")), 11, false);
    WriteText({}, HeaderData.Title1, meio - int(HeaderData.Title1.size()) / 2, false);
    WriteText({}, texto("Pagina:", "Page:"), PageWidth - 12, false);
    WriteText({}, CompletaZeros(QString::number(m_pageNo), 4), PageWidth - 4, true);

    WriteText({}, HeaderData.Left2, 0, false);
    WriteText({}, HeaderData.Title2, meio - int(HeaderData.Title2.size()) / 2, false);
    WriteText({}, HeaderData.Right2, PageWidth - int(HeaderData.Right2.size()), true);
    const QString* pares[][2] = {{&HeaderData.Left3, &HeaderData.Right3},
                                 {&HeaderData.Left4, &HeaderData.Right4}};
    for (const auto& par : pares) {
        if (par[0]->isEmpty() && par[1]->isEmpty()) continue;
        WriteText({}, *par[0], 0, false);
        WriteText({}, *par[1], PageWidth - int(par[1]->size()), true);
    }
    WriteText({}, QStringLiteral(" "), 0, true);
    for (const QString* cabecalho :
         {&HeaderData.ColHeader1, &HeaderData.ColHeader2, &HeaderData.ColHeader3}) {
        if (cabecalho->isEmpty()) continue;
        const QStringList itens = cabecalho->split(u';');
        for (int i = 0; i < itens.size(); ++i) {
            const int virgula = int(itens[i].lastIndexOf(u','));
            const QString txt = virgula < 0 ? itens[i] : itens[i].left(virgula);
            const int coluna = virgula < 0 ? 0 : itens[i].mid(virgula + 1).trimmed().toInt();
            WriteText({}, txt, coluna, i == itens.size() - 1);
        }
    }
    WriteText({}, Replicate(QStringLiteral("-"), PageWidth), 0, true);
    m_emCabecalho = false;
}

void TRelevo::GotoRow(int row, int column)
{
    int n = row - m_row;
    if (n < 0) {
        NewPage();
        n = row;
    }
    for (int i = 0; i < n; ++i)
        WriteText({}, QString(), 0, true);
    m_colPendente = column;
}

void TRelevo::WriteAtColumn(const QString& text)
{
    WriteText({}, text.left(255), m_colPendente, false);
}

void TRelevo::Say(int row, int column, const QString& text)
{
    GotoRow(row, column);
    WriteAtColumn(text);
}

void TRelevo::NewPage()
{
    if (CheckPrinterStatus() != 0) return;
    if (OnPageFooter && ReportPrintsFooter) {
        // The report prints its footer; the page then changes by overflow.
        if (!m_emGanchoRodape) {
            m_emGanchoRodape = true;
            OnPageFooter(true);
            m_emGanchoRodape = false;
        }
        return;
    }
    if (previewing()) {
        m_emNovaPagina = true;
        WriteText({}, QStringLiteral("<ff>"), 0, true);
        m_emNovaPagina = false;
    } else {
        gravar(codigos().FormFeed);
    }
    m_row = 1;
    ++m_pageNo;
    if (previewing()) novaPaginaNasListas();
    m_paginaIniciada = true;
}

void TRelevo::SendCommand(const QByteArray& code)
{
    if (porWindows() || CheckPrinterStatus() != 0) return;
    gravar(code);
    m_linhaImpressora += code;
}

QString TRelevo::Replicate(const QString& s, int n)
{
    return n <= 0 ? QString() : s.left(255).repeated(n);
}

QString TRelevo::FormatNumber(const QString& mask, double value)
{
    QString r = formataComMascara(mask, value);
    if (r.size() < mask.size()) r.prepend(QString(mask.size() - r.size(), u' '));
    return r;
}

void TRelevo::EndDoc()
{
    if (SaltaUltima && !previewing()) NewPage();
    if (naoEmBranco(m_linhaImpressora)) {
        gravar(m_linhaImpressora + fimDeLinha);
        if (previewing()) guardaLinhaNasListas();
        ++m_row;
    }
    m_linhaImpressora.clear();
    m_linhaExibida.clear();
    m_pecasLinha.clear();
    m_col = 0;
    m_pcol = 0;
    if (!m_docAberto) return;
    m_docAberto = false;
    fecharAlvo();
    if (!m_erroEscrita.isEmpty()) {
        // nothing is shown, printed or sent of a job that was not written whole,
        // and no part of a ticket is left in a file named as the port
        fechaPreviewParcial();
        QFile::remove(m_arquivoJob);
        if (m_alvoEhPorta && ehArquivoComum(m_destino.caminho)) QFile::remove(m_destino.caminho);
        falhaDeEscrita();
        return;
    }
    entregar();
}

void TRelevo::AbortDoc()
{
    m_linhaImpressora.clear();
    m_linhaExibida.clear();
    m_pecasLinha.clear();
    if (!m_docAberto) return;
    m_docAberto = false;
    fechaPreviewParcial();
    if (m_alvo.isOpen()) m_alvo.close();
    m_previewPages.clear();
    m_printerPages.clear();
    m_pecasPaginas.clear();
    QFile::remove(m_arquivoJob);
}

void TRelevo::AbrirPreviewParcial()
{
    if (m_previewParcial || !previewing() || !m_docAberto || Cancelled) return;
    m_previewParcial = true;
    ServicosRelevo::atual().abrirPreview(*this);
}

void TRelevo::fechaPreviewParcial()
{
    if (!m_previewParcial) return;
    m_previewParcial = false;
    ServicosRelevo::atual().fecharPreview(*this);
}

void TRelevo::fecharAlvo()
{
    if (!m_alvo.isOpen()) return;
    // QFile writes in blocks: what is still buffered, and what the file
    // system only reports when the data reaches the disk (a full disk), is
    // checked here. A device that cannot be synchronised is fine as written.
    errno = 0;
    if (m_erroEscrita.isEmpty() && !m_alvo.flush()) {
        m_erroEscrita = motivoDoSistema(LanguageMessages, errno, m_alvo.errorString());
    }
    if (m_erroEscrita.isEmpty() && ::fsync(m_alvo.handle()) != 0 && errno != EINVAL && errno != EROFS &&
        errno != ENOTSUP) {
        m_erroEscrita =
            motivoDoSistema(LanguageMessages, errno, QString::fromLocal8Bit(std::strerror(errno)));
    }
    m_alvo.close();
}

void TRelevo::mensagemPermissao()
{
    mensagem(texto("Você não possuí permissão para Imprimir o relatório",
                   "You are not allowed to print the report"),
             texto("Informação", "Information"), MsgRelevo::Informacao);
}

void TRelevo::avisaSpool(ResultadoSpool r)
{
    const char* pt = nullptr;
    const char* en = nullptr;
    switch (r) {
    case ResultadoSpool::Ok:
        return;
    case ResultadoSpool::ErroSelecionar:
        pt = "Erro selecionando impressora", en = "Error selecting printer";
        break;
    case ResultadoSpool::ErroIniciar:
        pt = "Erro enviando para spool", en = "Error sending to spool";
        break;
    case ResultadoSpool::ErroEscrever:
        pt = "Erro ao enviar para impressora", en = "Error sending to printer";
        break;
    case ResultadoSpool::ErroFinalizar:
        mensagem(texto("Erro ao imprimir para o spool", "Error printing to spool"),
                 texto("Atenção", "Warning"), MsgRelevo::Aviso);
        return;
    }
    mensagem(texto(pt, en), texto("Erro", "Error"), MsgRelevo::Erro);
}

void TRelevo::entregar()
{
    const QString arquivo = m_arquivoJob;
    if (previewing()) {
        if (!m_previewPages.isEmpty() && m_previewPages.last().isEmpty()) {
            m_previewPages.removeLast();
            m_printerPages.removeLast();
            m_pecasPaginas.pop_back();
        }
        fecharPaginaNasListas();
        if (Cancelled) {
            fechaPreviewParcial();
        } else {
            m_previewParcial = false;
            ServicosRelevo::atual().preview(*this);
        }
        QFile::remove(arquivo);
        return;
    }
    if (PrintToSpool ||
        (m_destino.tipo == DestinoPorta::FilaCups && !porWindows() && !SaveFile && !PrinterTermic)) {
        if (!pImprimir) {
            mensagemPermissao();
        } else {
            // The spooler route prints on the default printer; a direct job to a queue on that queue.
            const QString fila = PrintToSpool ? QString() : m_destino.fila();
            const ResultadoSpool r =
                EnviaArquivoCups(arquivo, fila, [] { QCoreApplication::processEvents(); });
            avisaSpool(r);
        }
        QFile::remove(arquivo);
        return;
    }
    if (porWindows()) {
        if (!pImprimir) {
            mensagemPermissao();
        } else {
            QString erro;
            if (!ServicosRelevo::atual().imprimirArquivo(*this, arquivo, &erro)) {
                mensagem(erro, texto("Erro", "Error"), MsgRelevo::Erro);
            }
        }
        QFile::remove(arquivo);
        return;
    }
    if (SaveFile) {
        if (SaveFileDir.trimmed().isEmpty()) {
            mensagem(texto("Diretório não configurado", "Folder not configured"), texto("Atenção", "Warning"),
                     MsgRelevo::Aviso);
        } else {
            const QString destino = SaveFileDir.trimmed();
            if (QFile::exists(destino)) QFile::remove(destino);
            // rename() cannot cross file systems; copy then remove does.
            if (!QFile::rename(arquivo, destino) && !QFile::copy(arquivo, destino)) {
                QFile::remove(destino); // no part of a ticket is left as if it were whole
                mensagem(texto("Não foi possivel Salvar arquivo", "Could not save the file"),
                         texto("Atenção", "Warning"), MsgRelevo::Aviso);
            }
        }
        QFile::remove(arquivo);
        return;
    }
    if (PrinterTermic) {
        if (!pImprimir) {
            mensagemPermissao();
            QFile::remove(arquivo);
            return;
        }
        // Said printed only when the script ran to its end without an error.
        const bool impresso = imprimirPorScript(arquivo);
        QFile::remove(arquivo);
        if (impresso) {
            mensagem(texto("Impressão finalizada", "Printing completed"), texto("Informação", "Information"),
                     MsgRelevo::Informacao);
        } else {
            falhaDeEscrita();
        }
        return;
    }
    // Direct to the port: the data already went there.
}

bool TRelevo::imprimirPorScript(const QString& arquivo)
{
    // The script stops at the first command that fails (set -e); its last
    // command replaces the shell (exec), so that a copy stuck on a port that
    // never takes it is what the time limit stops. The job and the script are
    // removed by the caller once the script has ended.
    m_erroEscrita.clear();
    const int ponto = int(arquivo.lastIndexOf(u'.'));
    const QString script =
        arquivo.isEmpty() ? QString()
                          : (ponto < 0 ? arquivo + u'.' : arquivo.left(ponto + 1)) + QStringLiteral("sh");
    const QString porta = PrinterPort.trimmed();
    const DestinoPorta destino = ResolvePorta(porta);
    QStringList linhas{QStringLiteral("#!/bin/sh"), QStringLiteral("set -e")};
    if (porta.left(3).toUpper() == QStringLiteral("COM")) {
        const TConfigPortCom& s = ConfigPortCom;
        QString paridade = QStringLiteral("-parenb");
        if (QChar(s.Parity).toLower() == u'e') paridade = QStringLiteral("parenb -parodd");
        if (QChar(s.Parity).toLower() == u'o') paridade = QStringLiteral("parenb parodd");
        linhas << QStringLiteral("stty -F %1 %2 %3 cs%4 %5 -opost")
                      .arg(aspasShell(destino.caminho))
                      .arg(s.Baud)
                      .arg(paridade)
                      .arg(s.Data)
                      .arg(s.Stop >= 2 ? QStringLiteral("cstopb") : QStringLiteral("-cstopb"));
    }
    if (destino.tipo == DestinoPorta::FilaCups) {
        linhas << (destino.fila().isEmpty()
                       ? QStringLiteral("exec lp -o raw %1 >/dev/null").arg(aspasShell(arquivo))
                       : QStringLiteral("exec lp -d %1 -o raw %2 >/dev/null")
                             .arg(aspasShell(destino.fila()), aspasShell(arquivo)));
    } else {
        linhas << QStringLiteral("exec cat %1 > %2").arg(aspasShell(arquivo), aspasShell(destino.caminho));
    }
    // next to the job, in the private job folder: nobody else can change it
    // between writing and running
    if (script.isEmpty() || !PastaPrivada::verificar(QFileInfo(script).absolutePath(), &m_erroEscrita))
        return false;
    QFile f(script);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner)) {
        m_erroEscrita = f.errorString();
        return false;
    }
    if (!m_temporarios.contains(script)) m_temporarios << script;
    const QByteArray conteudo = linhas.join(u'\n').toUtf8() + '\n';
    const bool gravado = f.write(conteudo) == conteudo.size() && f.flush();
    f.close();
    if (!gravado) {
        m_erroEscrita = f.errorString();
        QFile::remove(script);
        return false;
    }
    const bool ok = executaScript(script, &m_erroEscrita);
    QFile::remove(script);
    return ok;
}

namespace
{

// How long a thermal ticket may take to reach its printer.
constexpr int limiteScriptMs = 30000;

} // namespace

bool TRelevo::executaScript(const QString& script, QString* erro)
{
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"), {script});
    if (!sh.waitForStarted()) {
        *erro = sh.errorString();
        return false;
    }
    // The window stays responsive while the ticket goes out, as on the spooler route.
    QElapsedTimer relogio;
    relogio.start();
    while (sh.state() != QProcess::NotRunning && !sh.waitForFinished(50)) {
        QCoreApplication::processEvents();
        if (relogio.elapsed() > limiteScriptMs) {
            sh.kill();
            sh.waitForFinished();
            *erro = texto("a impressora não recebeu o trabalho em %1 s",
                          "the printer did not take the job in %1 s")
                        .arg(limiteScriptMs / 1000);
            return false;
        }
    }
    if (sh.exitStatus() == QProcess::NormalExit && sh.exitCode() == 0) return true;
    // The shell's own words (the command that failed), else the exit code.
    const QStringList saida =
        QString::fromLocal8Bit(sh.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    *erro = saida.isEmpty() ? texto("o script de impressão terminou com o código %1",
                                    "the print script ended with code %1")
                                  .arg(sh.exitCode())
                            : saida.last().trimmed();
    return false;
}

void TRelevo::configurarJobDoPreview(TRelevo& d) const
{
    d.PrinterPort = PrinterPort;
    d.PrinterName = PrinterName;
    d.PrintToSpool = PrintToSpool;
    d.Preview.SelectPagesToPrint = Preview.SelectPagesToPrint;
    d.LanguageMessages = LanguageMessages;
    d.Preview.Font = Preview.Font;
    d.ReportTitle = ReportTitle;
    d.eMail = eMail;
    d.eMailHost = eMailHost;
    d.eMailUserName = eMailUserName;
    d.eMailPassword = eMailPassword;
    d.eMailPara = eMailPara;
    d.eMailComCopia = eMailComCopia;
    d.eMailComCopiaOculta = eMailComCopiaOculta;
    d.eMailUser = eMailUser;
    d.eMailSeguranca = eMailSeguranca;
    d.eMailCertificados = eMailCertificados;
    d.EjetaQuebra = EjetaQuebra;
    d.pImprimir = pImprimir;
    d.pSalvar = pSalvar;
    d.pEmail = pEmail;
    d.Preview.ShowPreview = false;
    d.QtLines = QtLines;
    d.Windows.Font = Windows.Font;
    d.Windows.LineSpace = Windows.LineSpace;
    d.Windows.Orientation = Windows.Orientation;
}

void TRelevo::usarEmail(const ConfigEmail& config)
{
    eMail = config.configurado();
    eMailHost = eMail ? QStringLiteral("%1:%2").arg(config.servidor.trimmed()).arg(config.porta) : QString();
    eMailUserName = config.usuario;
    eMailPassword = config.senha;
    eMailUser = config.remetente;
    eMailSeguranca = int(config.seguranca);
    eMailCertificados = config.certificados;
}
