// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmConfTempl.h"

#include "Dialogos.h"
#include "EdicaoTemplate.h"
#include "ErroBanco.h"
#include "MensagensCadastro.h"
#include "TDM.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{
const QString filtro = QStringLiteral("Configuração de template|*.ctp");
}

TFrmConfTempl::TFrmConfTempl(QWidget* parent) : TJanela(parent)
{
    setObjectName(QStringLiteral("FrmConfTempl"));
    setWindowTitle(QStringLiteral("Configuração Template"));
    auto* l = new QVBoxLayout(this);
    // Buttons, not tool bar icons: their letters work and Tab reaches them.
    auto* barra = new QHBoxLayout;
    auto* botaoImportar = new QPushButton(QStringLiteral("&Importar"), this);
    botaoImportar->setObjectName(QStringLiteral("BtnImportar"));
    auto* botaoExportar = new QPushButton(QStringLiteral("&Exportar"), this);
    botaoExportar->setObjectName(QStringLiteral("BtnExportar"));
    m_importar = new QAction(QStringLiteral("&Importar"), this);
    m_exportar = new QAction(QStringLiteral("&Exportar"), this);
    connect(botaoImportar, &QPushButton::clicked, m_importar, &QAction::trigger);
    connect(botaoExportar, &QPushButton::clicked, m_exportar, &QAction::trigger);
    barra->addWidget(botaoImportar);
    barra->addWidget(botaoExportar);
    barra->addStretch(1);
    l->addLayout(barra);
    auto* divisao = new QSplitter(this);
    m_arvore = new QTreeWidget(divisao);
    m_arvore->setObjectName(QStringLiteral("TreeView1"));
    m_arvore->header()->hide();
    m_arvore->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_arvore->setMouseTracking(true);
    m_arvore->viewport()->installEventFilter(this);
    m_texto = new QPlainTextEdit(divisao);
    m_texto->setObjectName(QStringLiteral("RichEdit1"));
    m_texto->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_texto->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_texto->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A template is laid out with spaces; Tab leaves the text like any field.
    m_texto->setTabChangesFocus(true);
    m_texto->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    divisao->setStretchFactor(1, 1);
    l->addWidget(divisao);
    connect(m_arvore, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* no) { insereNo(no); });
    connect(m_importar, &QAction::triggered, this, [this] { importar(); });
    connect(m_exportar, &QAction::triggered, this, [this] { exportar(); });
    setWindowState(Qt::WindowMaximized);
}

void TFrmConfTempl::setLinhas(const QStringList& linhas)
{
    m_texto->setPlainText(linhas.join(u'\n'));
    m_carregadas = this->linhas();
}

QStringList TFrmConfTempl::linhas() const
{
    const QString t = m_texto->toPlainText();
    return t.isEmpty() ? QStringList() : t.split(u'\n');
}

void TFrmConfTempl::showEvent(QShowEvent* e)
{
    if (!m_arvoreMontada) montaArvore();
    TJanela::showEvent(e);
    // the operator types into the template; a space typed on the tree would insert a field
    m_texto->setFocus();
}

void TFrmConfTempl::montaArvore()
{
    m_arvoreMontada = true;
    auto* comandos = new QTreeWidgetItem(m_arvore, {QStringLiteral("Comandos")});
    for (const char* c :
         {"<! - Abre Negrito", "!> - Fecha Negrito", "<# - Abre Compactação 17,5 cpp",
          "#> - Fecha Compactação 17,5 cpp", "<% - Abre Compactação 20 cpp", "%> - Fecha Compactação 20 cpp",
          "<$ - Abre impressão de itens", "$> - Fecha impressão de itens", "<ff> - Ejeta página",
          "<ms> - Micro salto", "<zv> - Zerar variáveis"}) {
        new QTreeWidgetItem(comandos, {QString::fromUtf8(c)});
    }
    auto* dataHora = new QTreeWidgetItem(m_arvore, {QStringLiteral("Data/Hora")});
    new QTreeWidgetItem(dataHora, {QStringLiteral("Data")});
    new QTreeWidgetItem(dataHora, {QStringLiteral("Hora")});
    auto* pesagem = new QTreeWidgetItem(m_arvore, {QStringLiteral("PESAGEM")});
    for (const QString& c : EdicaoTemplate::campos())
        new QTreeWidgetItem(pesagem, {c});
}

QString TFrmConfTempl::textoDoNo(const QTreeWidgetItem* no)
{
    const QString t = no->text(0);
    const QTreeWidgetItem* pai = no->parent();
    if (!pai && (t == QLatin1String("Comandos") || t == QLatin1String("Data/Hora"))) return QString();
    if (pai && pai->text(0) == QLatin1String("Comandos")) return t.section(QStringLiteral(" - "), 0, 0);
    if (pai && pai->text(0) == QLatin1String("Data/Hora")) {
        if (t == QLatin1String("Data")) return QStringLiteral("[Date]");
        if (t == QLatin1String("Hora")) return QStringLiteral("[Time]");
    }
    return u'[' + t.trimmed() + u']';
}

void TFrmConfTempl::insereNo(QTreeWidgetItem* no)
{
    if (!no) return;
    const QString t = textoDoNo(no);
    QApplication::clipboard()->setText(t);
    QTextCursor c = m_texto->textCursor();
    c.setPosition(qBound(0, m_posicao, m_texto->document()->characterCount() - 1));
    m_texto->setTextCursor(c);
    m_texto->paste();
    m_texto->setFocus();
}

bool TFrmConfTempl::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->key() == Qt::Key_F1) {
        Mensagem(EdicaoTemplate::resumoSintaxe(), QStringLiteral("Informação"), Msg::Informacao);
        return true;
    }
    if (alvo == m_texto && e->key() == Qt::Key_G && e->modifiers() == Qt::AltModifier) {
        m_posicao = m_texto->textCursor().position();
        m_arvore->setFocus();
        return true;
    }
    if (alvo == m_arvore && e->key() == Qt::Key_Space) {
        insereNo(m_arvore->currentItem());
        return true;
    }
    // Enter is the text's own: a new line, not the next control.
    if (alvo == m_texto && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) return false;
    return TJanela::teclaPrevia(alvo, e);
}

bool TFrmConfTempl::eventFilter(QObject* obj, QEvent* ev)
{
    if (obj == m_arvore->viewport() && ev->type() == QEvent::MouseMove)
        m_posicao = m_texto->textCursor().position();
    return TJanela::eventFilter(obj, ev);
}

void TFrmConfTempl::importar()
{
    const QString arquivo = Dialogos::atual().abrirArquivo(QStringLiteral("Importar"), filtro);
    if (arquivo.isEmpty() || !QFile::exists(arquivo)) return;
    m_texto->setPlainText(EdicaoTemplate::importar(arquivo));
}

void TFrmConfTempl::exportar()
{
    QString arquivo = Dialogos::atual().salvarArquivo(QStringLiteral("Exportar"), filtro, QString());
    if (arquivo.isEmpty()) return;
    if (!arquivo.contains(u'.')) arquivo += QStringLiteral(".ctp");
    if (EdicaoTemplate::exportar(arquivo, linhas()))
        Mensagem(QStringLiteral("Exportação concluida com sucesso."), QStringLiteral("Aviso"),
                 Msg::Informacao);
    else
        Mensagem(QStringLiteral("Exportação não realizada."), QStringLiteral("Aviso"), Msg::Informacao);
}

// However it is closed (Esc, the close box), changed lines are stored only
// when the operator says so; "Não" leaves without storing, even lines that
// could not be stored.
void TFrmConfTempl::done(int r)
{
    m_gravar = true;
    if (linhas() != m_carregadas) {
        // "Cancelar" (or Esc once more) goes back to the edits.
        const int resposta = Mensagem(QStringLiteral("Gravar as alterações do template?"),
                                      QStringLiteral("Pergunta"), Msg::SimNaoCancelar | Msg::Pergunta);
        if (resposta == Msg::RespCancelar) {
            m_gravar = false;
            return;
        }
        if (resposta != Msg::RespSim) {
            m_gravar = false;
            TJanela::done(r);
            return;
        }
    }
    if (const QString p = EdicaoTemplate::problema(linhas()); !p.isEmpty()) {
        Mensagem(p, QStringLiteral("Aviso"), Msg::Aviso);
        return;
    }
    TJanela::done(r);
}

void TFrmConfTempl::editar(QWidget* parent, const QString& numero)
{
    bool ok = false;
    const int codigo = numero.trimmed().toInt(&ok);
    if (numero.trimmed().isEmpty() || !ok) {
        Mensagem(QStringLiteral("Informar código template."), QStringLiteral("Informação"), Msg::Informacao);
        return;
    }
    TFrmConfTempl janela(parent);
    try {
        janela.setLinhas(EdicaoTemplate::carregar(*DM, codigo));
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e.texto());
        return;
    }
    janela.exec();
    if (!janela.gravar()) {
        return;
    }
    try {
        EdicaoTemplate::gravar(*DM, codigo, janela.linhas());
        Mensagem(QStringLiteral("Operação efetuada com sucesso."), QStringLiteral("Sucesso"),
                 Msg::Informacao);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e.texto());
    }
}
