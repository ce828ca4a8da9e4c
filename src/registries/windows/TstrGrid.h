// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GradeTexto.h"

#include <QTableView>

class ModeloGradeTexto;

// The string grid with a fixed title row: the product grid of the weighing
// window and the range table of the moisture conversion window. Row 0 (the
// titles) is drawn as the header; data rows start at row 1. The cells are
// not edited in place: the windows fill them through AddRow.
class TstrGrid : public QTableView
{
    Q_OBJECT
    // LimpaCampos clears every product grid of a window through limpar().
    Q_PROPERTY(bool gradeProdutos READ gradeProdutos CONSTANT)
public:
    explicit TstrGrid(QWidget* parent = nullptr);
    ~TstrGrid() override;

    bool gradeProdutos() const { return true; }

    int ColCount() const { return m_dados.ColCount(); }
    void setColCount(int n);
    int RowCount() const { return m_dados.RowCount(); }
    int FixedCols() const { return m_dados.FixedCols(); }
    void setFixedCols(int n);
    int FixedRows() const { return m_dados.FixedRows(); }
    void setFixedRows(int n);
    int DefaultRowHeight() const;
    void setDefaultRowHeight(int altura);
    void setColWidth(int coluna, int largura);

    QString Cells(int c, int r) const { return m_dados.Cells(c, r); }
    void setCells(int c, int r, const QString& texto);

    // Throws std::invalid_argument("Number of values differs of number of
    // columns") when the count of values is not that of the non-fixed columns.
    void AddRow(const QStringList& valores);
    void SetTitles(const QStringList& valores);
    void Clear();
    void DeleteRow(int r);
    bool IsEmpty() const { return m_dados.IsEmpty(); }
    bool IsRowEmpty(int r) const { return m_dados.IsRowEmpty(r); }

    // The current row in grid numbering (the first data row is 1).
    int Row() const;
    void setRow(int r);

    // Colours a row is drawn with; the system leaves them unset.
    void setCoresLinha(int r, const QColor& fundo, const QColor& texto);

    const GradeTexto& dados() const { return m_dados; }

    Q_INVOKABLE void limpar() { Clear(); }

Q_SIGNALS:
    // Emitted after every change of rows or cells.
    void alterada();

private:
    void mudou();

    GradeTexto m_dados;
    ModeloGradeTexto* m_modelo;
};
