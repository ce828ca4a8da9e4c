// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QStringList>
#include <stdexcept>

// The cells of a string grid with a fixed title row (the data behind
// `TstrGrid`). Row 0 holds the titles; data rows start at row 1, and there is
// always at least one of them: an "empty" grid is the title row plus one blank
// row. The first `FixedCols` columns (one when created) are fixed and take no values.
class GradeTexto
{
public:
    struct Cores {
        QColor fundo;
        QColor texto;
    };

    explicit GradeTexto(int colunas = 5, int linhas = 2);

    int ColCount() const { return m_colunas; }
    void setColCount(int n);
    int RowCount() const { return int(m_celulas.size()); }
    void setRowCount(int n);
    int FixedCols() const { return m_fixasCol; }
    void setFixedCols(int n);
    int FixedRows() const { return m_fixasLin; }
    void setFixedRows(int n);

    QString Cells(int c, int r) const;
    void setCells(int c, int r, const QString& texto);

    // Appends a row unless the last one is empty, then writes the values from
    // the first non-fixed column on. Throws std::invalid_argument when the
    // number of values differs from the number of non-fixed columns.
    void AddRow(const QStringList& valores);
    // Writes the titles into the fixed row; nothing without one.
    void SetTitles(const QStringList& valores);
    // Blanks every data cell, leaves the title row and one data row, forgets the colours.
    void Clear();
    // Moves the rows below r up and blanks the last one, which goes away while
    // more than one data row remains. Rows beyond the grid and fixed rows are left alone.
    void DeleteRow(int r);
    bool IsEmpty() const;
    bool IsRowEmpty(int r) const;

    // Colours of a row when drawn (invalid colours: the normal ones).
    Cores CoresLinha(int r) const;
    void setCoresLinha(int r, const QColor& fundo, const QColor& texto);

    static constexpr const char* ErroColunas = "Number of values differs of number of columns";

private:
    int m_colunas;
    int m_fixasCol = 1; // as created: one fixed column; the system's grids set 0
    int m_fixasLin = 1;
    QList<QStringList> m_celulas;
    QList<Cores> m_cores;
};
