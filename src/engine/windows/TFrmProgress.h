// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ServicosRelevo.h"

#include <QDialog>
#include <QPointer>

class QProgressBar;
class QPushButton;
class TRelevo;
class TRVPreview;

// The progress window of a report run: a bar from 0 to 100 and a cancel button
// that asks for confirmation and, on Yes, cancels the job. It is modal over the
// window that runs the report: on top of it, and the one that takes the input
// (the run processes events after every record, so it repaints and answers).
class TFrmProgress : public QDialog, public ProgressoRelatorio
{
    Q_OBJECT
public:
    explicit TFrmProgress(TRelevo& job, QWidget* parent = nullptr);

    void mostrar(const QString& titulo, const QString& botao, const QString& pergunta,
                 const QString& tituloPergunta) override;
    void posicionar(int valor) override;
    int posicao() const override;
    // The preview opened while the report runs carries the bar and the cancel from now on.
    void acompanhar(TRVPreview* preview);

protected:
    // Esc asks as "Cancelar" does; the window never just disappears while the run goes on.
    void reject() override;

private:
    void BtnCancelarClick();

    TRelevo& m_job;
    QProgressBar* barra;
    QPushButton* btnCancelar;
    QString m_pergunta, m_tituloPergunta;
    QPointer<TRVPreview> m_preview;
};
