// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRVPreview.h"

#include "Dialogos.h"
#include "PainelFotosPreview.h"
#include "PlanilhaRelatorio.h"
#include "PreviewRelevo.h"
#include "ServicosRelevoJanelas.h"
#include "TFrmMailRV.h"
#include "TFrmSelPage.h"
#include "TPrintPDF.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TRVPreview::TRVPreview(TRelevo& origem, ServicosRelevoJanelas& servicos, QWidget* parent, bool emAndamento)
    : TJanela(parent), m_origem(origem), m_servicos(servicos), m_emAndamento(emAndamento)
{
    setObjectName(QStringLiteral("RVPreview"));
    // The window's own job as designed, then what the previewed job hands over.
    m_job.PageHeader = false;
    m_job.QtLines = 62;
    m_job.Windows.LineSpace = 20;
    m_job.EjetaQuebra = true;
    m_job.Preview.PreviewTitle = QStringLiteral("Relevo Preview");
    origem.configurarJobDoPreview(m_job);
    m_rowSp = origem.Windows.LineSpace;
    m_fonteDialogo = origem.Windows.Font;

    setWindowTitle(origem.ReportTitle);
    const TPreview& op = origem.Preview;
    auto* barra = new QToolBar(this);
    auto* sair = botao("BtnSair", QStringLiteral("&Sair"), texto("Sair", "Exit"), true);
    btnImprimir = botao("BtnImprimir", QStringLiteral("&Imprimir"),
                        texto("Imprimir (Ctrl+P)", "Print (Ctrl+P)"), op.PrintEnabled);
    auto* configurar = botao("BtnConfigurar", QStringLiteral("Im&pressora"),
                             texto("Configurar impressora", "Printer setup"), op.PrintConfigEnabled);
    auto* fonte = botao("BtnFonte", QStringLiteral("&Fonte"), texto("Configurar fonte", "Font setup"),
                        op.FontConfigEnabled);
    auto* salvar = botao("BtnSalvar", QStringLiteral("Sal&var"), texto("Salvar para arquivo", "Save to file"),
                         op.SaveToFile);
    auto* primeira =
        botao("BtnPrimeira", QStringLiteral("|<"), texto("Primeira página", "First page"), op.FirstEnabled);
    auto* anterior = botao("BtnAnterior", QStringLiteral("<"),
                           texto("Página anterior (PageUp)", "Previous page (PageUp)"), op.PreviousEnabled);
    auto* proxima = botao("BtnProxima", QStringLiteral(">"),
                          texto("Próxima página (PageDown)", "Next page (PageDown)"), op.NextEnabled);
    auto* ultima =
        botao("BtnUltima", QStringLiteral(">|"), texto("Última página", "Last page"), op.LastEnabled);
    auto* email = botao("BtnEmail", QStringLiteral("&E-mail"), QStringLiteral("Enviar relatório por e-mail"),
                        origem.eMail);
    auto* pdf = botao("BtnPdf", QStringLiteral("P&DF"), QStringLiteral("Salvar Formato PDF"), true);
    auto* emailPdf = botao("BtnEmailPdf", QStringLiteral("E-mai&l PDF"),
                           QStringLiteral("Enviar relatório por e-mail"), origem.eMail);
    MarcaDestrutivo(sair);
    m_comandosDoRelatorioTodo = {{btnImprimir, op.PrintEnabled},
                                 {salvar, op.SaveToFile},
                                 {email, origem.eMail},
                                 {pdf, true},
                                 {emailPdf, origem.eMail}};
    for (QToolButton* b : {sair, btnImprimir, configurar, fonte, salvar, primeira, anterior, proxima, ultima,
                           email, pdf, emailPdf}) {
        barra->addWidget(b);
    }

    chkWindows = new QCheckBox(texto("Imprimir para &Windows", "Print for &Windows"), this);
    chkWindows->setObjectName(QStringLiteral("CheckBox1"));
    chkWindows->setChecked(origem.Windows.PrintForWindows);
    chkWindows->setEnabled(op.PrintWindowsEnabled);
    edtPagina = new QLineEdit(this);
    edtPagina->setObjectName(QStringLiteral("edtPagina"));
    edtPagina->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), edtPagina));
    edtPagina->setMaximumWidth(80);
    btnIrPara = new QPushButton(QStringLiteral("Ir para pá&gina"), this);
    btnIrPara->setObjectName(QStringLiteral("BtnIrPara"));
    edtPagina->setAccessibleName(btnIrPara->text().remove(u'&'));

    memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFont(m_job.Preview.Font);
    barraStatus = new QStatusBar(this);
    barraStatus->setObjectName(QStringLiteral("StatusBar1"));
    barraStatus->setSizeGripEnabled(false);
    rotuloGerando = new QLabel(this);
    rotuloGerando->setObjectName(QStringLiteral("LabelGerando"));
    barraGerando = new QProgressBar(this);
    barraGerando->setObjectName(QStringLiteral("ProgressBar1"));
    barraGerando->setRange(0, 100);
    barraGerando->setMaximumWidth(200);
    btnCancelar = new QPushButton(texto("Cancelar", "Cancel"), this);
    btnCancelar->setObjectName(QStringLiteral("BtnCancelar"));
    MarcaDestrutivo(btnCancelar);
    barraStatus->addPermanentWidget(rotuloGerando);
    barraStatus->addPermanentWidget(barraGerando);
    barraStatus->addPermanentWidget(btnCancelar);
    connect(btnCancelar, &QPushButton::clicked, this, &TRVPreview::reject);

    auto* linha = new QHBoxLayout;
    linha->addWidget(barra);
    linha->addWidget(chkWindows);
    linha->addStretch();
    linha->addWidget(edtPagina);
    linha->addWidget(btnIrPara);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linha);
    // The pages, and beside them the pictures the job carries (a weighing's snapshots).
    auto* centro = new QHBoxLayout;
    centro->addWidget(memo, 1);
    if (QWidget* fotos = PainelFotosPreview(op.Fotos, this)) centro->addWidget(fotos);
    layout->addLayout(centro, 1);
    layout->addWidget(barraStatus);

    connect(sair, &QToolButton::clicked, this, &QDialog::close);
    connect(btnImprimir, &QToolButton::clicked, this, &TRVPreview::Imprimir);
    connect(configurar, &QToolButton::clicked, this, [this] {
        if (!m_job.pImprimir) {
            permissao("Você não possuí permissão para Imprimir o relatório",
                      "You are not allowed to print the report");
            return;
        }
        m_servicos.configurarImpressora(this);
    });
    connect(fonte, &QToolButton::clicked, this, [this] {
        if (const auto f = Dialogos::atual().escolherFonte(m_fonteDialogo)) {
            m_fonteDialogo = *f;
            memo->setFont(*f);
            m_job.Windows.Font = *f;
        }
    });
    connect(salvar, &QToolButton::clicked, this, &TRVPreview::Salvar);
    connect(primeira, &QToolButton::clicked, this, [this] {
        if (m_atual != 0) ShowPage(0);
    });
    connect(anterior, &QToolButton::clicked, this, [this] {
        if (m_atual > 0) ShowPage(m_atual - 1);
    });
    connect(proxima, &QToolButton::clicked, this, [this] {
        if (m_atual < totalPaginas() - 1) ShowPage(m_atual + 1);
    });
    connect(ultima, &QToolButton::clicked, this, [this] {
        if (m_atual != totalPaginas() - 1) ShowPage(totalPaginas() - 1);
    });
    connect(email, &QToolButton::clicked, this, &TRVPreview::EnviarEmail);
    connect(pdf, &QToolButton::clicked, this, &TRVPreview::SalvarPdf);
    connect(emailPdf, &QToolButton::clicked, this, &TRVPreview::EnviarPdfEmail);
    connect(btnIrPara, &QPushButton::clicked, this, &TRVPreview::IrParaPagina);

    barraStatus->showMessage(texto("Página ", "Page ") + QStringLiteral("1") + texto(" de ", " of ") +
                             QString::number(totalPaginas()));
    ShowPage(0);
    if (m_emAndamento) {
        mostraPosicao();
        // The report run passes through the event loop between records: the count of
        // pages and the commands follow the pages as they come.
        m_atualizacao = new QTimer(this);
        m_atualizacao->setInterval(100);
        connect(m_atualizacao, &QTimer::timeout, this, &TRVPreview::mostraPosicao);
        m_atualizacao->start();
    }
    habilitaComandos();
    // Restored, the preview keeps a size that shows its whole tool bar and a page.
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        const QRect livre = tela->availableGeometry();
        resize(qMin(qMax(sizeHint().width(), 1000), livre.width() * 9 / 10),
               qMin(700, livre.height() * 9 / 10));
    }
    setWindowState(windowState() | Qt::WindowMaximized);
}

QToolButton* TRVPreview::botao(const char* nome, const QString& rotulo, const QString& dica, bool habilitado)
{
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(nome));
    b->setText(rotulo);
    b->setToolTip(dica);
    b->setAccessibleName(dica);
    b->setEnabled(habilitado);
    return b;
}

void TRVPreview::permissao(const char* portugues, const char* ingles)
{
    Mensagem(texto(portugues, ingles), texto("Informação", "Information"), Msg::Informacao);
}

void TRVPreview::habilitaComandos()
{
    for (const auto& [botao, habilitado] : std::as_const(m_comandosDoRelatorioTodo))
        botao->setEnabled(habilitado && !m_emAndamento);
    rotuloGerando->setVisible(m_emAndamento);
    barraGerando->setVisible(m_emAndamento);
    btnCancelar->setVisible(m_emAndamento);
}

void TRVPreview::concluir()
{
    if (!m_emAndamento) return;
    m_emAndamento = false;
    if (m_atualizacao) m_atualizacao->stop();
    habilitaComandos();
    mostraPosicao();
}

void TRVPreview::progresso(int valor)
{
    // A run whose size is not known moves the bar as work going on; the
    // pages composed are counted beside it.
    if (valor == ProgressoRelatorio::SemTamanho) {
        barraGerando->setRange(0, 0);
        return;
    }
    barraGerando->setRange(0, 100);
    barraGerando->setValue(valor);
}

void TRVPreview::mostraPosicao()
{
    const int total = totalPaginas();
    if (m_emAndamento) {
        rotuloGerando->setText(
            total == 1
                ? texto("Gerando o relatório: 1 página pronta", "Generating the report: 1 page done")
                : texto("Gerando o relatório: %1 páginas prontas", "Generating the report: %1 pages done")
                      .arg(total));
    }
    if (total == m_totalMostrado) return;
    m_totalMostrado = total;
    barraStatus->showMessage(texto("Página ", "Page ") + QString::number(m_atual + 1) +
                             texto(" de ", " of ") + QString::number(total));
}

void TRVPreview::reject()
{
    if (m_emAndamento) {
        if (Mensagem(texto("Deseja realmente cancelar este relatório?",
                           "Are you sure about canceling this report?"),
                     texto("Abortar relatório", "Aborting report"),
                     Msg::SimNao | Msg::Pergunta | Msg::PadraoNao) != Msg::RespSim) {
            return;
        }
        // The run stops at its next record; nothing of it is shown or printed.
        m_origem.Cancelled = true;
        m_emAndamento = false;
        if (m_atualizacao) m_atualizacao->stop();
    }
    TJanela::reject();
}

void TRVPreview::ShowPage(int indice)
{
    if (indice < 0 || indice >= totalPaginas()) return;
    m_atual = indice;
    const PaginaTexto& p = m_origem.PreviewPages()[indice];
    QString texto = QStringLiteral(" ");
    for (int l = 0; l < p.size(); ++l) {
        texto += u'\n';
        texto += m_origem.linhaExibida(indice, l);
    }
    memo->setPlainText(texto);
    m_totalMostrado = totalPaginas();
    barraStatus->showMessage(this->texto("Página ", "Page ") + QString::number(indice + 1) +
                             this->texto(" de ", " of ") + QString::number(m_totalMostrado));
    memo->moveCursor(QTextCursor::Start);
}

bool TRVPreview::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->key() == Qt::Key_P && (e->modifiers() & Qt::ControlModifier)) {
        if (btnImprimir->isEnabled()) btnImprimir->click();
        return true;
    }
    if (e->key() == Qt::Key_PageUp) {
        if (m_atual > 0) ShowPage(m_atual - 1);
        return true;
    }
    if (e->key() == Qt::Key_PageDown) {
        if (m_atual < totalPaginas() - 1) ShowPage(m_atual + 1);
        return true;
    }
    if (alvo == edtPagina && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        IrParaPagina();
        return true;
    }
    return TJanela::teclaPrevia(alvo, e);
}

void TRVPreview::IrParaPagina()
{
    const QString t = edtPagina->text().trimmed();
    if (t.isEmpty()) return;
    bool ok = false;
    const int indice = t.toInt(&ok) - m_job.HeaderData.FirstPage;
    if (ok && indice >= 0 && indice < totalPaginas()) {
        ShowPage(indice);
    } else {
        Mensagem(texto("Número de Página fora dos limites", "Page Number out of bounds"),
                 texto("Informação", "Information"), Msg::Informacao);
    }
}

void TRVPreview::Imprimir()
{
    if (m_emAndamento) return; // every page is needed
    if (!m_job.pImprimir) {
        permissao("Você não possuí permissão para Imprimir o relatório",
                  "You are not allowed to print the report");
        return;
    }
    QList<int> paginas;
    const int total = totalPaginas();
    if (m_job.Preview.SelectPagesToPrint) {
        const auto sel = TFrmSelPage::Executar(m_job.LanguageMessages == lmEnglish, this);
        if (!sel) return;
        switch (sel->escolha) {
        case TFrmSelPage::Todos:
            for (int i = 0; i < total; ++i)
                paginas << i;
            break;
        case TFrmSelPage::PaginaAtual:
            if (total > 0) paginas << m_atual;
            break;
        case TFrmSelPage::Intervalo:
            paginas = ParsePageList(sel->paginas, m_job.HeaderData.FirstPage, total);
            break;
        }
    } else {
        for (int i = 0; i < total; ++i)
            paginas << i;
    }
    if (total == 0 && Mensagem(texto("Impressora selecionada", "Printer selected"),
                               texto("Pergunta", "Question"), Msg::SimNao | Msg::Pergunta) != Msg::RespSim) {
        return;
    }
    bool impresso = true;
    if (chkWindows->isChecked()) {
        const int tamanho = m_fonteDialogo.pointSize() > 0 ? m_fonteDialogo.pointSize() : 10;
        if (m_rowSp > -tamanho) m_job.Windows.LineSpace = m_rowSp;
        QString erro;
        if (!m_servicos.desenhar(PaginasExibidas(m_origem, paginas), m_fonteDialogo, qAbs(int(m_rowSp)),
                                 m_origem.Windows.Orientation, &erro)) {
            Mensagem(erro, texto("Erro", "Error"), Msg::Erro);
            impresso = false;
        }
    } else if (m_job.PrintToSpool) {
        SpoolPages(m_origem, paginas, m_job);
    } else {
        impresso = ReplayPages(m_origem, paginas, m_job);
    }
    // The Enter that printed must not print again: the focus leaves the print
    // command (to the page), or the preview closes when the job asks for it.
    memo->setFocus(Qt::OtherFocusReason);
    if (impresso && m_origem.Preview.FechaAoImprimir) accept();
}

void TRVPreview::Salvar()
{
    if (m_emAndamento) return;
    if (!m_job.pSalvar) {
        permissao("Você não possuí permissão para salvar o relatório",
                  "You are not allowed to save the report");
        return;
    }
    QString nome = Dialogos::atual().salvarArquivo(
        texto("Salvar para arquivo", "Save to file"),
        QStringLiteral(
            "Text (*.txt)|*.txt|HTML (*.htm)|*.htm;*.html|Excel (*.xlsx)|*.xlsx|CSV (*.csv)|*.csv"),
        QCoreApplication::applicationDirPath());
    if (nome.trimmed().isEmpty()) return;
    if (QFileInfo(nome).suffix().isEmpty()) nome += QStringLiteral(".txt");
    const QString ext = QFileInfo(nome.trimmed()).suffix().toUpper();
    bool ok = false;
    if (ext == QStringLiteral("HTML") || ext == QStringLiteral("HTM")) {
        ok = SalvaHtml(m_origem, nome, m_fonteDialogo.family(), m_job.LanguageMessages == lmEnglish);
    } else if (ext == QStringLiteral("XLSX") || ext == QStringLiteral("XLS")) {
        // An old ".xls" name gets the workbook it can actually hold.
        if (ext == QStringLiteral("XLS")) nome += u'x';
        ok = PlanilhaRelatorio::salvaXlsx(m_origem, nome);
    } else if (ext == QStringLiteral("CSV")) {
        ok = PlanilhaRelatorio::salvaCsv(m_origem, nome);
    } else {
        ok = SalvaTexto(m_origem, nome);
    }
    if (!ok) {
        Mensagem(texto("Não foi possivel Salvar arquivo", "Could not save the file"),
                 texto("Atenção", "Warning"), Msg::Aviso);
    }
}

QStringList TRVPreview::paginaExibida(int pagina) const
{
    QStringList linhas;
    for (int l = 0; l < m_origem.PreviewPages()[pagina].size(); ++l)
        linhas << m_origem.linhaExibida(pagina, l);
    return linhas;
}

QList<QStringList> TRVPreview::paginasExibidas() const
{
    QList<QStringList> paginas;
    for (int p = 0; p < totalPaginas(); ++p)
        paginas << paginaExibida(p);
    return paginas;
}

QString TRVPreview::familiaPdf() const
{
    // The standard family named in the text area's font; the last match wins.
    const QString nome = memo->font().family();
    QString familia;
    for (const char* f : {"Courier", "Helvetica", "Times"}) {
        if (nome.contains(QLatin1String(f), Qt::CaseInsensitive)) familia = QString::fromLatin1(f);
    }
    return familia;
}

ParametrosEmail TRVPreview::parametrosEmail() const
{
    ParametrosEmail p;
    p.servidor = m_job.eMailHost;
    p.usuario = m_job.eMailUserName;
    p.senha = m_job.eMailPassword;
    p.para = m_job.eMailPara;
    p.comCopia = m_job.eMailComCopia;
    p.comCopiaOculta = m_job.eMailComCopiaOculta;
    p.remetente = m_job.eMailUser;
    p.seguranca = m_job.eMailSeguranca;
    p.certificados = m_job.eMailCertificados;
    p.assunto = m_job.ReportTitle;
    return p;
}

void TRVPreview::SalvarPdf()
{
    if (m_emAndamento) return;
    if (!m_job.pSalvar) {
        permissao("Você não possuí permissão para salvar o relatório",
                  "You are not allowed to save the report");
        return;
    }
    QString nome = Dialogos::atual().salvarArquivo(QStringLiteral("Salvar Formato PDF"),
                                                   QStringLiteral("PDF (*.pdf)|*.pdf"),
                                                   QCoreApplication::applicationDirPath());
    if (nome.trimmed().isEmpty()) return;
    if (QFileInfo(nome).suffix().isEmpty()) nome += QStringLiteral(".pdf");
    QString erro;
    // page by page: a long report is never unpacked whole
    if (GravaPdfPaginas(
            totalPaginas(), [this](int p) { return paginaExibida(p); }, nome, m_job.ReportTitle, familiaPdf(),
            memo->font().pointSize(), &erro, m_origem.CodigosQR)) {
        Mensagem(QStringLiteral("Documento PDF gerado com sucesso!"), QStringLiteral("Informação"),
                 Msg::Informacao);
    } else {
        Mensagem(QStringLiteral("Ocorreu um erro ao gerar Documento PDF!"), QStringLiteral("Informação"),
                 Msg::Erro);
    }
}

void TRVPreview::EnviarEmail()
{
    if (m_emAndamento) return;
    TFrmMailRV::EnviarTexto(paginasExibidas(), parametrosEmail(), m_job.pEmail, this);
}

void TRVPreview::EnviarPdfEmail()
{
    if (m_emAndamento) return;
    TFrmMailRV::EnviarPdf(paginasExibidas(), familiaPdf(), memo->font().pointSize(), parametrosEmail(),
                          m_job.pEmail, this);
}
