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

    // Closing with changed lines asks whether to store them; when they are
    // to be stored but cannot be, closing is refused and the text kept.
    void done(int r) override;
    // The operator said the changed lines are to be stored.
    bool gravar() const { return m_gravar; }

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
    QStringList m_carregadas; // the lines as loaded, to tell a change
    bool m_gravar = false;
    int m_posicao = 0; // the remembered caret position
    bool m_arvoreMontada = false;
};
