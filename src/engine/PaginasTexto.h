#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

// The lines of one page kept in a single buffer: a report of a hundred thousand
// lines costs little more than its text.
class PaginaTexto
{
public:
    int size() const { return int(m_fins.size()); }
    bool isEmpty() const { return m_fins.empty(); }
    void append(const QByteArray& linha)
    {
        m_dados += linha;
        m_fins.push_back(quint32(m_dados.size()));
    }
    QByteArray linha(int i) const
    {
        const quint32 ini = i == 0 ? 0 : m_fins[size_t(i) - 1];
        return m_dados.mid(ini, m_fins[size_t(i)] - ini);
    }
    const QByteArray& dados() const { return m_dados; }
    // Shares the other page's buffer when both hold the same lines.
    void compartilharSeIgual(const PaginaTexto& outra)
    {
        if (m_fins == outra.m_fins && m_dados == outra.m_dados) m_dados = outra.m_dados;
    }
    void squeeze() { m_dados.squeeze(); }

private:
    QByteArray m_dados;
    std::vector<quint32> m_fins;
};

// A list of pages. Display lines are kept as UTF-8, printer lines as the bytes the printer gets.
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
