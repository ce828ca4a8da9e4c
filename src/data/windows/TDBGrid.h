// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModeloConsulta.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>

// A data grid bound to a query: shows its rows with the given titles and
// widths, reading more as the operator scrolls or locates, follows the
// query's current row, reports a double click (Space
// acts as one) and a click on a column title. Letters typed on it go to the
// window's "Localizar" field when it has one; otherwise the grid moves to the
// first row whose sort key starts with them, found by the database (a prefix
// query on a list read page by page), never by reading the rows in between.
// A list whose sort key is not shown as stored text ignores them.
class TDBGrid : public QTableView
{
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);

    void setConsulta(TQuery* q, const QList<ModeloConsulta::Coluna>& colunas);
    // Re-reads the query's rows (after it was opened again).
    void recarregar();
    ModeloConsulta* modelo() const { return m_modelo; }
    TQuery* consulta() const { return m_modelo->consulta(); }

    // Selects the first row whose field starts with the text, ignoring case.
    bool localizar(const QString& campo, const QString& texto);
    // Selects a row (and makes it the query's current row).
    void selecionar(int linha);
    int linhaAtual() const;
    // The window's "Localizar" field: what is typed on the grid goes there.
    void setCampoLocalizar(QLineEdit* campo) { m_campoLocalizar = campo; }
    // The column typing on the grid searches (empty: typing is ignored).
    QString colunaDigitacao() const;
    void keyboardSearch(const QString& texto) override;

Q_SIGNALS:
    void duploClique();
    void tituloClicado(int coluna, const QString& campo);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    ModeloConsulta* m_modelo;
    QPointer<QLineEdit> m_campoLocalizar;
    // Letters typed in a row, each within the keyboard interval of the one before.
    QString m_digitado;
    QElapsedTimer m_ultimaTecla;
};
