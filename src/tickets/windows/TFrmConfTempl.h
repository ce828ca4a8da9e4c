// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

class QAction;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

// "Configuração Template": a ticket template as plain text lines, with a tree
// of printer tags, date and time, and the ticket query's fields to insert,
// and the import and export of ".ctp" files.
class TFrmConfTempl : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmConfTempl(QWidget* parent = nullptr);

    QPlainTextEdit* texto() const { return m_texto; }
    QTreeWidget* arvore() const { return m_arvore; }
    QAction* acaoImportar() const { return m_importar; }
    QAction* acaoExportar() const { return m_exportar; }

    void setLinhas(const QStringList& linhas);
    QStringList linhas() const;

    // The text a node inserts; empty for the roots "Comandos" and "Data/Hora".
    static QString textoDoNo(const QTreeWidgetItem* no);

    // The settings dialog's edit button: loads template `numero`, shows the
    // editor and stores what it holds when it closes.
    static void editar(QWidget* parent, const QString& numero);

    // Closing is refused, the text kept, while the lines cannot be stored.
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    void montaArvore();
    void insereNo(QTreeWidgetItem* no);
    void importar();
    void exportar();

    QTreeWidget* m_arvore;
    QPlainTextEdit* m_texto;
    QAction* m_importar;
    QAction* m_exportar;
    int m_posicao = 0; // the remembered caret position
    bool m_arvoreMontada = false;
};
