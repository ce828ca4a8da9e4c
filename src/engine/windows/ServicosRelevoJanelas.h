// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PreviewRelevo.h"
#include "ServicosRelevo.h"

#include <QFont>
#include <memory>

class QPrinter;
class QWidget;

// The print job's windows: messages through Mensagem, the preview window, the
// progress window, and page printing on the system printer with QPrinter.
class ServicosRelevoJanelas : public ServicosRelevo
{
public:
    ServicosRelevoJanelas();
    ~ServicosRelevoJanelas() override;

    int mensagem(const QString& texto, const QString& titulo, int flags) override;
    void preview(TRelevo& job) override;
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

private:
    std::unique_ptr<QPrinter> m_impressora;
};

// Installs the windows as the print job's services for the life of the program.
void InstalarServicosRelevo();
