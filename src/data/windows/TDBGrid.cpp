// SPDX-License-Identifier: GPL-3.0-or-later
#include "TDBGrid.h"

#include <QHeaderView>
#include <QKeyEvent>

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), m_modelo(new ModeloConsulta(this))
{
    setModel(m_modelo);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) {
        if (c >= 0 && c < m_modelo->colunas().size()) {
            Q_EMIT tituloClicado(c, m_modelo->colunas()[c].campo);
        }
    });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) { selecionar(i.row()); });
    // The model stays for the grid's life, so its selection model does too:
    // the query follows the current row however it moves (arrows included).
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& atual) {
                if (consulta() && atual.isValid()) {
                    consulta()->setRecNo(atual.row());
                }
            });
}

void TDBGrid::setConsulta(TQuery* q, const QList<ModeloConsulta::Coluna>& colunas)
{
    m_modelo->setConsulta(q, colunas);
    for (int i = 0; i < colunas.size(); ++i) {
        setColumnWidth(i, colunas[i].largura);
    }
    if (m_modelo->rowCount() > 0) {
        selecionar(0);
    }
}

void TDBGrid::recarregar()
{
    m_modelo->recarregar();
    if (m_modelo->rowCount() > 0) {
        selecionar(0);
    }
}

bool TDBGrid::localizar(const QString& campo, const QString& texto)
{
    if (!consulta() || !consulta()->Locate(campo, texto)) {
        return false;
    }
    selecionar(consulta()->RecNo());
    return true;
}

void TDBGrid::selecionar(int linha)
{
    // a locate may have read rows the grid has not shown yet
    m_modelo->sincroniza();
    if (linha < 0 || linha >= m_modelo->rowCount()) {
        return;
    }
    const QModelIndex i = m_modelo->index(linha, 0);
    setCurrentIndex(i);
    scrollTo(i);
    if (consulta()) {
        consulta()->setRecNo(linha);
    }
}

int TDBGrid::linhaAtual() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void TDBGrid::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier) {
        if (m_modelo->rowCount() > 0) {
            Q_EMIT duploClique();
        }
        return;
    }
    QTableView::keyPressEvent(e);
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    QTableView::mouseDoubleClickEvent(e);
    const QModelIndex i = indexAt(e->position().toPoint());
    if (i.isValid()) {
        selecionar(i.row());
        Q_EMIT duploClique();
    }
}
