// SPDX-License-Identifier: GPL-3.0-or-later
#include "TstrGrid.h"

#include <QAbstractTableModel>
#include <QHeaderView>

class ModeloGradeTexto : public QAbstractTableModel
{
public:
    ModeloGradeTexto(GradeTexto& dados, QObject* parent) : QAbstractTableModel(parent), m_dados(dados) {}

    void reiniciar()
    {
        beginResetModel();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_dados.RowCount() - m_dados.FixedRows();
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_dados.ColCount();
    }
    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!i.isValid()) {
            return {};
        }
        const int r = i.row() + m_dados.FixedRows();
        switch (role) {
        case Qt::DisplayRole:
            return m_dados.Cells(i.column(), r);
        case Qt::BackgroundRole: {
            if (i.column() < m_dados.FixedCols()) {
                return QColor(Qt::lightGray);
            }
            const QColor c = m_dados.CoresLinha(r).fundo;
            return c.isValid() ? QVariant(c) : QVariant();
        }
        case Qt::ForegroundRole: {
            const QColor c = m_dados.CoresLinha(r).texto;
            return c.isValid() ? QVariant(c) : QVariant();
        }
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (role == Qt::DisplayRole && o == Qt::Horizontal && m_dados.FixedRows() > 0) {
            return m_dados.Cells(section, 0);
        }
        return {};
    }

private:
    GradeTexto& m_dados;
};

TstrGrid::TstrGrid(QWidget* parent) : QTableView(parent), m_modelo(new ModeloGradeTexto(m_dados, this))
{
    setModel(m_modelo);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setDefaultRowHeight(18);
    mudou();
}

TstrGrid::~TstrGrid() = default;

void TstrGrid::mudou()
{
    const int atual = currentIndex().isValid() ? currentIndex().row() : 0;
    m_modelo->reiniciar();
    horizontalHeader()->setVisible(m_dados.FixedRows() > 0);
    setCurrentIndex(m_modelo->index(qMin(atual, m_modelo->rowCount() - 1), 0));
    Q_EMIT alterada();
}

void TstrGrid::setColCount(int n)
{
    m_dados.setColCount(n);
    mudou();
}

void TstrGrid::setFixedCols(int n)
{
    m_dados.setFixedCols(n);
    mudou();
}

void TstrGrid::setFixedRows(int n)
{
    m_dados.setFixedRows(n);
    mudou();
}

int TstrGrid::DefaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void TstrGrid::setDefaultRowHeight(int altura)
{
    verticalHeader()->setMinimumSectionSize(qMin(altura, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(altura);
}

void TstrGrid::setColWidth(int coluna, int largura)
{
    setColumnWidth(coluna, largura);
}

void TstrGrid::setCells(int c, int r, const QString& texto)
{
    m_dados.setCells(c, r, texto);
    mudou();
}

void TstrGrid::AddRow(const QStringList& valores)
{
    m_dados.AddRow(valores);
    mudou();
}

void TstrGrid::SetTitles(const QStringList& valores)
{
    m_dados.SetTitles(valores);
    mudou();
}

void TstrGrid::Clear()
{
    m_dados.Clear();
    mudou();
}

void TstrGrid::DeleteRow(int r)
{
    m_dados.DeleteRow(r);
    mudou();
}

int TstrGrid::Row() const
{
    return (currentIndex().isValid() ? currentIndex().row() : 0) + m_dados.FixedRows();
}

void TstrGrid::setRow(int r)
{
    const int i = r - m_dados.FixedRows();
    if (i >= 0 && i < m_modelo->rowCount()) {
        setCurrentIndex(m_modelo->index(i, 0));
    }
}

void TstrGrid::setCoresLinha(int r, const QColor& fundo, const QColor& texto)
{
    m_dados.setCoresLinha(r, fundo, texto);
    mudou();
}
