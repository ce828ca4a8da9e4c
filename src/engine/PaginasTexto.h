// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <vector>

// The lines of one page kept in a single buffer: a report of a hundred thousand
// lines costs little more than its text. A finished page (squeeze) keeps its buffer
// compressed, which holds a long report's pages in a fraction of their text; the
// page read last is kept whole, so reading its lines one by one costs nothing more.
class PaginaTexto
{
public:
    int size() const { return int(m_fins.size()); }
    bool isEmpty() const { return m_fins.empty(); }
    void append(const QByteArray& linha)
    {
        Q_ASSERT(m_id == 0); // a finished page takes no more lines
        m_dados += linha;
        m_fins.push_back(quint32(m_dados.size()));
    }
    QByteArray linha(int i) const
    {
        const quint32 ini = i == 0 ? 0 : m_fins[size_t(i) - 1];
        return dados().mid(ini, m_fins[size_t(i)] - ini);
    }
    // The page's text, its lines one after the other.
    QByteArray dados() const;
    // The page is finished: its buffer is compressed and takes no more lines.
    void squeeze();
    // Memory held by the page (its buffer and line ends).
    qsizetype bytes() const { return m_dados.capacity() + qsizetype(m_fins.capacity() * sizeof(quint32)); }

private:
    QByteArray m_dados; // compressed once the page is finished (m_id != 0)
    std::vector<quint32> m_fins;
    quint64 m_id = 0; // a finished page's own number, for the page kept whole
    bool m_comprimido = false;
};

// The printer lines of a page. A printer line is nearly always its display line with the
// accents converted: only the lines that differ otherwise (control codes) are kept.
class PaginaImpressora
{
public:
    int size() const { return m_linhas; }
    void append(const QByteArray& linha, bool igualAExibida)
    {
        if (!igualAExibida) m_outras.push_back({m_linhas, linha});
        ++m_linhas;
    }
    // The kept line, or nullptr when the line is the converted display line.
    const QByteArray* guardada(int i) const
    {
        auto it = std::lower_bound(m_outras.begin(), m_outras.end(), i,
                                   [](const auto& par, int n) { return par.first < n; });
        return (it != m_outras.end() && it->first == i) ? &it->second : nullptr;
    }
    qsizetype bytes() const
    {
        qsizetype b = qsizetype(m_outras.capacity() * sizeof(m_outras[0]));
        for (const auto& o : m_outras)
            b += o.second.capacity();
        return b;
    }
    void squeeze() { m_outras.shrink_to_fit(); }

private:
    std::vector<std::pair<int, QByteArray>> m_outras;
    int m_linhas = 0;
};

// A list of pages. Display lines are kept as UTF-8.
class PaginasTexto
{
public:
    int size() const { return int(m_paginas.size()); }
    bool isEmpty() const { return m_paginas.isEmpty(); }
    void novaPagina() { m_paginas.append(PaginaTexto()); }
    void clear() { m_paginas.clear(); }
    PaginaTexto& last() { return m_paginas.last(); }
    const PaginaTexto& operator[](int i) const { return m_paginas[i]; }
    PaginaTexto& operator[](int i) { return m_paginas[i]; }
    void removeLast() { m_paginas.removeLast(); }

private:
    QList<PaginaTexto> m_paginas;
};
