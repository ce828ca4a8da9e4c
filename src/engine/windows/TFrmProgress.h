#pragma once

#include "ServicosRelevo.h"

#include <QDialog>

class QProgressBar;
class QPushButton;
class TRelevo;

// The progress window of a report run: a bar from 0 to 100 and a cancel button
// that asks for confirmation and, on Yes, cancels the job.
class TFrmProgress : public QDialog, public ProgressoRelatorio
{
    Q_OBJECT
public:
    explicit TFrmProgress(TRelevo& job, QWidget* parent = nullptr);

    void mostrar(const QString& titulo, const QString& botao, const QString& pergunta,
                 const QString& tituloPergunta) override;
    void posicionar(int valor) override;
    int posicao() const override;

private:
    void BtnCancelarClick();

    TRelevo& m_job;
    QProgressBar* barra;
    QPushButton* btnCancelar;
    QString m_pergunta, m_tituloPergunta;
};
