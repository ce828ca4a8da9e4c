// SPDX-License-Identifier: GPL-3.0-or-later
#include "GradeTexto.h"

#include <algorithm>

GradeTexto::GradeTexto(int colunas, int linhas) : m_colunas(std::max(1, colunas))
{
    m_fixasCol = std::min(m_fixasCol, m_colunas - 1);
    setRowCount(linhas);
}

void GradeTexto::setColCount(int n)
{
    m_colunas = std::max(1, n);
    m_fixasCol = std::min(m_fixasCol, m_colunas - 1);
    for (QStringList& l : m_celulas) {
        while (l.size() < m_colunas) {
            l << QString();
        }
        while (l.size() > m_colunas) {
            l.removeLast();
        }
    }
}

void GradeTexto::setRowCount(int n)
{
    n = std::max(n, m_fixasLin + 1);
    while (m_celulas.size() < n) {
        QStringList l;
        for (int c = 0; c < m_colunas; ++c) {
            l << QString();
        }
        m_celulas << l;
        m_cores << Cores{};
    }
    while (m_celulas.size() > n) {
        m_celulas.removeLast();
        m_cores.removeLast();
    }
}

void GradeTexto::setFixedCols(int n)
{
    m_fixasCol = std::clamp(n, 0, m_colunas - 1);
}

void GradeTexto::setFixedRows(int n)
{
    m_fixasLin = std::clamp(n, 0, 1);
    setRowCount(RowCount());
}

QString GradeTexto::Cells(int c, int r) const
{
    if (r < 0 || r >= RowCount() || c < 0 || c >= m_colunas) {
        return QString();
    }
    return m_celulas[r][c];
}

void GradeTexto::setCells(int c, int r, const QString& texto)
{
    if (r < 0 || r >= RowCount() || c < 0 || c >= m_colunas) {
        return;
    }
    m_celulas[r][c] = texto;
}

void GradeTexto::AddRow(const QStringList& valores)
{
    if (valores.size() != m_colunas - m_fixasCol) {
        throw std::invalid_argument(ErroColunas);
    }
    if (!IsRowEmpty(RowCount() - 1)) {
        setRowCount(RowCount() + 1);
    }
    const int r = RowCount() - 1;
    for (int i = 0; i < valores.size(); ++i) {
        m_celulas[r][m_fixasCol + i] = valores[i];
    }
}

void GradeTexto::SetTitles(const QStringList& valores)
{
    if (m_fixasLin == 0) {
        return;
    }
    for (int c = 0; c < m_colunas && c < valores.size(); ++c) {
        m_celulas[0][c] = valores[c];
    }
}

void GradeTexto::Clear()
{
    for (int r = m_fixasLin; r < RowCount(); ++r) {
        for (int c = 0; c < m_colunas; ++c) {
            m_celulas[r][c].clear();
        }
    }
    setRowCount(m_fixasLin + 1);
    for (Cores& k : m_cores) {
        k = Cores{};
    }
}

void GradeTexto::DeleteRow(int r)
{
    if (r < m_fixasLin || r >= RowCount()) {
        return;
    }
    for (int i = r; i < RowCount() - 1; ++i) {
        m_celulas[i] = m_celulas[i + 1];
        m_cores[i] = m_cores[i + 1];
    }
    const int ultima = RowCount() - 1;
    for (int c = 0; c < m_colunas; ++c) {
        m_celulas[ultima][c].clear();
    }
    m_cores[ultima] = Cores{};
    if (RowCount() - m_fixasLin > 1) {
        setRowCount(RowCount() - 1);
    }
}

bool GradeTexto::IsEmpty() const
{
    for (int r = m_fixasLin; r < RowCount(); ++r) {
        if (!IsRowEmpty(r)) {
            return false;
        }
    }
    return true;
}

bool GradeTexto::IsRowEmpty(int r) const
{
    if (r < 0 || r >= RowCount()) {
        return true;
    }
    for (int c = m_fixasCol; c < m_colunas; ++c) {
        if (!m_celulas[r][c].trimmed().isEmpty()) {
            return false;
        }
    }
    return true;
}

GradeTexto::Cores GradeTexto::CoresLinha(int r) const
{
    return (r >= 0 && r < RowCount()) ? m_cores[r] : Cores{};
}

void GradeTexto::setCoresLinha(int r, const QColor& fundo, const QColor& texto)
{
    if (r >= 0 && r < RowCount()) {
        m_cores[r] = {fundo, texto};
    }
}
