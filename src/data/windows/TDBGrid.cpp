// SPDX-License-Identifier: GPL-3.0-or-later
#include "TDBGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlField>

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

QString TDBGrid::colunaDigitacao() const
{
    const TQuery* q = consulta();
    if (!q || !q->Active()) {
        return QString();
    }
    const QString chave = q->ChaveOrdem();
    if (chave.isEmpty()) {
        return QString();
    }
    // Only a key shown as it is stored can be matched by its first letters:
    // a date or a number shown formatted reads differently.
    for (const auto& c : m_modelo->colunas()) {
        if (c.campo.compare(chave, Qt::CaseInsensitive) == 0) {
            const int i = q->record().indexOf(chave);
            const bool texto = i >= 0 && q->record().field(i).metaType().id() == QMetaType::QString;
            return !c.formato && texto ? chave : QString();
        }
    }
    return QString();
}

void TDBGrid::keyboardSearch(const QString& texto)
{
    if (texto.isEmpty() || !texto.at(0).isPrint()) {
        return;
    }
    if (m_campoLocalizar && m_campoLocalizar->isVisible() && m_campoLocalizar->isEnabled() &&
        !m_campoLocalizar->isReadOnly()) {
        // the search goes on in the field, where the operator sees it
        m_campoLocalizar->setFocus(Qt::ShortcutFocusReason);
        m_campoLocalizar->selectAll();
        m_campoLocalizar->insert(texto);
        return;
    }
    if (!m_ultimaTecla.isValid() || m_ultimaTecla.elapsed() > QApplication::keyboardInputInterval()) {
        m_digitado.clear();
    }
    m_digitado += texto;
    const QString coluna = colunaDigitacao();
    if (!coluna.isEmpty()) {
        localizar(coluna, m_digitado);
    }
    // the interval runs from the answer: a slow answer does not start the search over
    m_ultimaTecla.start();
}
