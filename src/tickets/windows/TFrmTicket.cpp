// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmTicket.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "ImpressaoTicket.h"
#include "MensagensCadastro.h"
#include "Rotinas.h"
#include "SessaoAtual.h"
#include "TDM.h"
#include "TMaskEdit.h"
#include "TRelevo.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TFrmTicket::TFrmTicket(QWidget* parent) : TJanela(parent), m_relevo(new TRelevo(this))
{
    setObjectName(QStringLiteral("FrmTicket"));
    setWindowTitle(QStringLiteral("Imprimir Ticket"));
    auto* g = new QGridLayout(this);
    m_codigo = new TMaskEdit(QStringLiteral("9999999;0;_"), this);
    m_codigo->setObjectName(QStringLiteral("FlatMaskEdit1"));
    m_consulta = new QPushButton(QStringLiteral("..."), this);
    m_consulta->setObjectName(QStringLiteral("FlatButton1"));
    m_consulta->setFocusPolicy(Qt::NoFocus);
    m_movimento = new QComboBox(this);
    m_movimento->setObjectName(QStringLiteral("ComboBox1"));
    m_movimento->addItems({QStringLiteral("Entrada"), QStringLiteral("Saída")});
    m_copias = new TMaskEdit(QStringLiteral("99;1;_"), this);
    m_copias->setObjectName(QStringLiteral("FlatMaskEdit5"));
    m_imprimir = new QPushButton(QStringLiteral("&Imprimir"), this);
    m_imprimir->setObjectName(QStringLiteral("FlatButton2"));
    m_imprimir->setEnabled(false);
    m_sair = new QPushButton(QStringLiteral("&Sair"), this);
    MarcaDestrutivo(m_sair);
    m_sair->setObjectName(QStringLiteral("FlatButton3"));
    g->addWidget(Rotulo(QStringLiteral("Código:"), m_codigo), 0, 0);
    g->addWidget(m_codigo, 0, 1);
    g->addWidget(m_consulta, 0, 2);
    g->addWidget(Rotulo(QStringLiteral("Movimento:"), m_movimento), 1, 0);
    g->addWidget(m_movimento, 1, 1);
    g->addWidget(Rotulo(QStringLiteral("&Cópias:"), m_copias), 2, 0);
    g->addWidget(m_copias, 2, 1);
    g->addWidget(m_imprimir, 3, 1);
    g->addWidget(m_sair, 3, 2);
    // Maximised, the fields keep their size at the top left; the space goes to the margins.
    g->setColumnStretch(3, 1);
    g->setRowStretch(4, 1);

    // The print job's design values.
    TRelevo& r = *m_relevo;
    r.PageHeader = false;
    r.PrinterName = rvEpson9pinos;
    r.setPageSize(pzContinous);
    r.QtLines = 66;
    r.PageWidth = 100;
    r.LinhasPolegada = lNoChange;
    r.Windows.PrintForWindows = false;
    r.Windows.Font = QFont(QStringLiteral("Courier New"));
    r.Windows.LineSpace = 25;
    r.Preview.ShowPreview = true;
    r.Preview.PreviewTitle = QStringLiteral("Visualização do Relatório");
    r.Preview.FechaAoImprimir = true;
    r.LanguageMessages = lmPortuguese;
    r.EjetaQuebra = false;
    r.SaltaUltima = false;
    r.PrintToSpool = false;

    connect(m_codigo, &QLineEdit::textChanged, this,
            [this] { m_imprimir->setEnabled(!m_codigo->maskText().trimmed().isEmpty()); });
    connect(m_consulta, &QPushButton::clicked, this, [this] { FlatButton1Click(); });
    connect(m_imprimir, &QPushButton::clicked, this, [this] { FlatButton2Click(); });
    connect(m_sair, &QPushButton::clicked, this, &QDialog::reject);
}

TFrmTicket::~TFrmTicket() = default;

void TFrmTicket::showEvent(QShowEvent* e)
{
    m_movimento->setCurrentIndex(modoAbertura == 2 ? 1 : 0);
    TJanela::showEvent(e);
    m_codigo->setFocus();
}

bool TFrmTicket::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (alvo == m_codigo && e->key() == Qt::Key_F2 && e->modifiers() == Qt::NoModifier) {
        FlatButton1Click();
        return true;
    }
    return TJanela::teclaPrevia(alvo, e);
}

void TFrmTicket::FlatButton1Click()
{
    if (!m_consulta->isEnabled()) return;
    const bool saida = m_movimento->currentIndex() == 1;
    const bool pode = SessaoAtual.ehAdmin() || (!saida && SessaoAtual.PesagemEntrada != 0) ||
                      (saida && SessaoAtual.PesagemSaida != 0);
    if (!pode || !ConsultaPesagens) return;
    const QString codigo = ConsultaPesagens(this);
    if (!codigo.isEmpty()) m_codigo->setText(codigo);
}

void TFrmTicket::FlatButton2Click()
{
    const bool saida = m_movimento->currentIndex() == 1;
    bool ok = false;
    const int n = m_copias->maskText().trimmed().toInt(&ok);
    if (ok) copias = n;
    ImpressaoTicket::Resultado r = ImpressaoTicket::Resultado::Impresso;
    m_imprimir->setEnabled(false);
    // names the preview, a PDF of it and the e-mail subject
    m_relevo->ReportTitle = QStringLiteral("Ticket de Pesagem ") + m_codigo->maskText().trimmed();
    try {
        r = ImpressaoTicket::imprimeTicket(*DM, *m_relevo, m_codigo->maskText(), saida, copias,
                                           SessaoAtual.UsuarioLogado, VersaoArquivo());
    } catch (const ErroBanco& e) {
        m_imprimir->setEnabled(true);
        MensagensCadastro::avisaErro(e.texto());
        return;
    }
    using R = ImpressaoTicket::Resultado;
    if (r == R::NaoExiste || r == R::SemSaida) {
        // Nothing was printed: the command stays as it was.
        m_imprimir->setEnabled(!m_codigo->maskText().trimmed().isEmpty());
        Mensagem(ImpressaoTicket::mensagem(r), ImpressaoTicket::titulo(r), Msg::Informacao);
        return;
    }
    if (r == R::ErroTemplate) {
        Mensagem(ImpressaoTicket::mensagem(r), ImpressaoTicket::titulo(r), Msg::Erro);
        return;
    }
    m_codigo->clear();
    m_imprimir->setEnabled(true);
    m_consulta->setEnabled(modoAbertura != 1);
    // Ready for the next ticket: the Enter that printed this one goes no further.
    if (isVisible()) m_codigo->setFocus(Qt::OtherFocusReason);
}

void TFrmTicket::imprimeAposPesagem(QWidget* parent, qint64 codigo, int modo, int copiasPedidas)
{
    TFrmTicket janela(parent);
    janela.modoAbertura = modo;
    if (copiasPedidas > 0) janela.copias = copiasPedidas;
    janela.m_movimento->setCurrentIndex(modo == 2 ? 1 : 0);
    janela.m_consulta->setEnabled(false);
    janela.m_codigo->setText(QString::number(codigo));
    janela.FlatButton2Click();
}

void TFrmTicket::abrir(QWidget* parent)
{
    TFrmTicket janela(parent);
    TQuery& q = DM->QR_EXEC;
    q.setSQL({QStringLiteral("Select Max(pes_codigo)as Maximo From Pesagem")});
    q.Open();
    const QString maximo = q.IsEmpty() ? QString() : q.AsString(QStringLiteral("Maximo"));
    q.Close();
    janela.m_codigo->setText(maximo);
    janela.exec();
}
