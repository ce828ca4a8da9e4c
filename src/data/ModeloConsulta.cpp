#include "ModeloConsulta.h"

void ModeloConsulta::setConsulta(TQuery* q, const QList<Coluna>& colunas)
{
    beginResetModel();
    m_q = q;
    m_colunas = colunas;
    m_indices.clear();
    for (const auto& c : m_colunas) {
        m_indices << (m_q ? m_q->record().indexOf(c.campo) : -1);
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
    return m_q->RecordCount();
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
