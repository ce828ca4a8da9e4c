// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmProgress.h"

#include "Dialogos.h"
#include "TRVPreview.h"
#include "TRelevo.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TFrmProgress::TFrmProgress(TRelevo& job, QWidget* parent) : QDialog(parent), m_job(job)
{
    setObjectName(QStringLiteral("FrmProgress"));
    barra = new QProgressBar(this);
    barra->setObjectName(QStringLiteral("ProgressBar1"));
    barra->setRange(0, 100);
    btnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    btnCancelar->setObjectName(QStringLiteral("BtnCancelar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(barra);
    layout->addWidget(btnCancelar, 0, Qt::AlignHCenter);
    connect(btnCancelar, &QPushButton::clicked, this, &TFrmProgress::BtnCancelarClick);
    resize(320, 90);
}

void TFrmProgress::mostrar(const QString& titulo, const QString& botao, const QString& pergunta,
                           const QString& tituloPergunta)
{
    setWindowTitle(titulo);
    btnCancelar->setText(botao);
    m_pergunta = pergunta;
    m_tituloPergunta = tituloPergunta;
    // Cleared before the window shows: a cancel during its first repaint counts.
    m_job.Cancelled = false;
    // the next copy of a report already in its preview goes on there
    if (m_preview && m_preview->isVisible()) return;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QCoreApplication::processEvents();
}

void TFrmProgress::posicionar(int valor)
{
    if (valor == SemTamanho) {
        barra->setRange(0, 0);
        if (m_preview) m_preview->progresso(valor);
        return;
    }
    barra->setRange(0, 100);
    barra->setValue(valor);
    if (m_preview) m_preview->progresso(valor);
}

void TFrmProgress::acompanhar(TRVPreview* preview)
{
    m_preview = preview;
    hide();
}

int TFrmProgress::posicao() const
{
    if (barra->maximum() == 0) return SemTamanho;
    return barra->value();
}

void TFrmProgress::reject()
{
    BtnCancelarClick();
}

void TFrmProgress::BtnCancelarClick()
{
    if (Mensagem(m_pergunta, m_tituloPergunta, Msg::SimNao | Msg::Pergunta | Msg::PadraoNao) ==
        Msg::RespSim) {
        m_job.Cancelled = true;
        hide();
    }
}
