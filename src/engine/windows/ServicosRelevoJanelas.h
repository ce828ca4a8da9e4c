// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PreviewRelevo.h"
#include "ServicosRelevo.h"

#include <QFont>
#include <QPointer>
#include <memory>

class QPrinter;
class QWidget;
class TFrmProgress;
class TRVPreview;

// The print job's windows: messages through Mensagem, the preview window, the
// progress window, and page printing on the system printer with QPrinter.
class ServicosRelevoJanelas : public ServicosRelevo
{
public:
    ServicosRelevoJanelas();
    ~ServicosRelevoJanelas() override;

    int mensagem(const QString& texto, const QString& titulo, int flags) override;
    void abrirPreview(TRelevo& job) override;
    void preview(TRelevo& job) override;
    void fecharPreview(TRelevo& job) override;
    bool imprimirArquivo(TRelevo& job, const QString& arquivo, QString* erro) override;
    std::unique_ptr<ProgressoRelatorio> progresso(TRelevo& job) override;

    // The system printer, kept across jobs so the set-up dialog's choice holds.
    QPrinter& impressora();
    // The printer set-up dialog.
    virtual bool configurarImpressora(QWidget* pai);
    // Draws pages with a line pitch in tenths of a millimetre.
    bool desenhar(const QList<PaginaDesenho>& paginas, const QFont& fonte, int passo,
                  TPrinterOrientation orientacao, QString* erro);
    // Lines of `passo` that fit on the printer's page.
    int linhasQueCabem(int passo);

    // When set, page printing writes this PDF file instead of going to the printer.
    QString saidaPdf;

protected:
    // Shows the preview of a finished job until the operator closes it.
    virtual void exibir(TRVPreview& janela);
    // The preview open while its job is still being composed, if any.
    TRVPreview* previewAberto() const { return m_previewAberto.get(); }

private:
    std::unique_ptr<QPrinter> m_impressora;
    // the preview opened while its job is still being composed, and that job
    std::unique_ptr<TRVPreview> m_previewAberto;
    const TRelevo* m_jobAberto = nullptr;
    QPointer<TFrmProgress> m_progresso;
};

// Installs the windows as the print job's services for the life of the program.
void InstalarServicosRelevo();
