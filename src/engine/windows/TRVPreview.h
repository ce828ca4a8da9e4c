// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EnvioEmail.h"
#include "TJanela.h"
#include "TRelevo.h"

#include <QFont>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QToolButton;
class ServicosRelevoJanelas;

// The preview of a finished job: its pages as text, one at a time, with the
// commands to browse, print (replaying the printer lines through the window's
// own job, spooling, or on the system printer), save and send by e-mail.
class TRVPreview : public TJanela
{
    Q_OBJECT
public:
    TRVPreview(TRelevo& origem, ServicosRelevoJanelas& servicos, QWidget* parent = nullptr);

    int paginaAtual() const { return m_atual; }
    int totalPaginas() const { return m_origem.PreviewPages().size(); }
    // The window's own job, which prints from the preview.
    TRelevo& job() { return m_job; }

    void ShowPage(int indice);
    void Imprimir();
    void Salvar();
    void SalvarPdf();
    void EnviarEmail();
    void EnviarPdfEmail();
    void IrParaPagina();

protected:
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

private:
    QToolButton* botao(const char* nome, const QString& texto, const QString& dica, bool habilitado);
    QString texto(const char* portugues, const char* ingles) const { return m_job.texto(portugues, ingles); }
    void permissao(const char* portugues, const char* ingles);
    QList<QStringList> paginasExibidas() const;
    QString familiaPdf() const;
    ParametrosEmail parametrosEmail() const;

    TRelevo& m_origem;
    ServicosRelevoJanelas& m_servicos;
    TRelevo m_job;
    int m_atual = 0;
    short m_rowSp;
    QFont m_fonteDialogo;

    QToolButton* btnImprimir;
    QCheckBox* chkWindows;
    QLineEdit* edtPagina;
    QPushButton* btnIrPara;
    QPlainTextEdit* memo;
    QStatusBar* barraStatus;
};
