// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EnvioEmail.h"
#include "TJanela.h"
#include "TRelevo.h"

#include <QFont>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;
class ServicosRelevoJanelas;

// The preview of a job: its pages as text, one at a time, with the commands to
// browse, print (replaying the printer lines through the window's own job,
// spooling, or on the system printer), save and send by e-mail.
// Opened while the job is still being composed (`emAndamento`), it shows the pages
// done so far and their count grows; printing, saving and e-mail wait for the last
// page, and "Cancelar", Esc or closing the window (confirmed) stop the report.
class TRVPreview : public TJanela
{
    Q_OBJECT
public:
    TRVPreview(TRelevo& origem, ServicosRelevoJanelas& servicos, QWidget* parent = nullptr,
               bool emAndamento = false);

    int paginaAtual() const { return m_atual; }
    int totalPaginas() const { return m_origem.PaginasProntas(); }
    bool emAndamento() const { return m_emAndamento; }
    // The job is finished: every page is there, and so are the commands that use them all.
    void concluir();
    // Position (0-100) of the report run shown while the job is being composed.
    void progresso(int valor);
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
    // While the job is being composed, leaving cancels the report: the operator is asked.
    void reject() override;

private:
    void mostraPosicao();
    void habilitaComandos();
    QToolButton* botao(const char* nome, const QString& texto, const QString& dica, bool habilitado);
    QString texto(const char* portugues, const char* ingles) const { return m_job.texto(portugues, ingles); }
    void permissao(const char* portugues, const char* ingles);
    QList<QStringList> paginasExibidas() const;
    QStringList paginaExibida(int pagina) const;
    QString familiaPdf() const;
    ParametrosEmail parametrosEmail() const;

    TRelevo& m_origem;
    ServicosRelevoJanelas& m_servicos;
    TRelevo m_job;
    int m_atual = 0;
    short m_rowSp;
    QFont m_fonteDialogo;

    bool m_emAndamento = false;
    int m_totalMostrado = -1;
    QTimer* m_atualizacao = nullptr;

    QToolButton* btnImprimir;
    // what works on every page: enabled (by the job's flags) once the last page is there
    QList<QPair<QToolButton*, bool>> m_comandosDoRelatorioTodo;
    QLabel* rotuloGerando;
    QProgressBar* barraGerando;
    QPushButton* btnCancelar;
    QCheckBox* chkWindows;
    QLineEdit* edtPagina;
    QPushButton* btnIrPara;
    QPlainTextEdit* memo;
    QStatusBar* barraStatus;
};
