// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TQuery.h"

#include <QAbstractTableModel>
#include <QColor>
#include <functional>

// A read-only table model over the rows of a TQuery: the columns the
// window names, with their titles, widths and colours. Rows are read as the
// view asks for more (scrolling), or when the query read them (a locate).
class ModeloConsulta : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Coluna {
        QString campo;
        QString titulo;
        int largura = 100;
        QColor cor = QColor();
        // Optional formatting of the cell (decimals, masks); defaults to the value as text.
        std::function<QString(const QVariant&)> formato = nullptr;
    };

    explicit ModeloConsulta(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    ~ModeloConsulta() override;

    void setConsulta(TQuery* q, const QList<Coluna>& colunas);
    // Call after the query was opened again.
    void recarregar();
    // Shows the rows the query read meanwhile (after a locate further down).
    void sincroniza();
    // Background of a column title (an invalid colour returns it to the button colour).
    void setCorTitulo(int coluna, const QColor& cor);

    TQuery* consulta() const { return m_q; }
    const QList<Coluna>& colunas() const { return m_colunas; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    TQuery* m_q = nullptr;
    QList<Coluna> m_colunas;
    QList<int> m_indices;
    QList<QColor> m_coresTitulo;
    int m_linhas = 0; // rows the view knows of
};
