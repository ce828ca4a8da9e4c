// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModeloConsulta.h"

ModeloConsulta::~ModeloConsulta()
{
    if (m_q) {
        m_q->esquece(this);
    }
}

void ModeloConsulta::setConsulta(TQuery* q, const QList<Coluna>& colunas)
{
    beginResetModel();
    if (m_q && m_q != q) {
        m_q->esquece(this);
    }
    m_q = q;
    if (m_q) {
        // rows of a connection that was closed are gone: show none, until
        // the query is read again on the connection opened anew
        m_q->aoFecharConexao(this, [this] {
            beginResetModel();
            m_linhas = m_q->Active() ? m_q->LinhasLidas() : 0;
            endResetModel();
        });
    }
    m_colunas = colunas;
    m_indices.clear();
    for (const auto& c : m_colunas) {
        m_indices << (m_q ? m_q->record().indexOf(c.campo) : -1);
    }
    m_linhas = 0;
    if (m_q && m_q->Active()) {
        // what the query read on opening: the first screenful, or every row
        // of a list read page by page (each page read when it is shown)
        m_linhas = m_q->LinhasLidas();
    }
    endResetModel();
}

void ModeloConsulta::recarregar()
{
    setConsulta(m_q, m_colunas);
}

int ModeloConsulta::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_q || !m_q->Active()) {
        return 0;
    }
    return m_linhas;
}

bool ModeloConsulta::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_q && m_q->Active() && (!m_q->TodasLidas() || m_q->LinhasLidas() > m_linhas);
}

void ModeloConsulta::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || !m_q || !m_q->Active()) {
        return;
    }
    if (m_q->LinhasLidas() <= m_linhas) {
        m_q->LerMais(256);
    }
    sincroniza();
}

void ModeloConsulta::sincroniza()
{
    if (!m_q || !m_q->Active()) {
        return;
    }
    const int lidas = m_q->LinhasLidas();
    if (lidas > m_linhas) {
        beginInsertRows(QModelIndex(), m_linhas, lidas - 1);
        m_linhas = lidas;
        endInsertRows();
    }
}

int ModeloConsulta::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_colunas.size());
}

QVariant ModeloConsulta::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_q) {
        return QVariant();
    }
    const Coluna& c = m_colunas[index.column()];
    if (role == Qt::DisplayRole) {
        const QVariant v = m_q->valor(index.row(), m_indices[index.column()]);
        return c.formato ? c.formato(v) : TQuery::comoTexto(v);
    }
    if (role == Qt::ForegroundRole && c.cor.isValid()) {
        return c.cor;
    }
    return QVariant();
}

void ModeloConsulta::setCorTitulo(int coluna, const QColor& cor)
{
    if (coluna < 0) {
        return;
    }
    if (m_coresTitulo.size() <= coluna) {
        m_coresTitulo.resize(coluna + 1);
    }
    m_coresTitulo[coluna] = cor;
    Q_EMIT headerDataChanged(Qt::Horizontal, coluna, coluna);
}

QVariant ModeloConsulta::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_colunas.size()) {
        return m_colunas[section].titulo;
    }
    if (o == Qt::Horizontal && role == Qt::BackgroundRole && section >= 0 && section < m_coresTitulo.size() &&
        m_coresTitulo[section].isValid()) {
        return m_coresTitulo[section];
    }
    return QAbstractTableModel::headerData(section, o, role);
}
