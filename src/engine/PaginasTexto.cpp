// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaginasTexto.h"

#include <atomic>

namespace
{
// Pages shorter than this are kept as they are: compressing them gains nothing.
constexpr qsizetype minimoParaComprimir = 256;

std::atomic<quint64> proximoId{1};

// The finished page read last, whole: its lines are usually read one after the other.
struct PaginaInteira {
    quint64 id = 0;
    QByteArray dados;
};
thread_local PaginaInteira lidaPorUltimo;
} // namespace

QByteArray PaginaTexto::dados() const
{
    if (m_id == 0 || !m_comprimido) return m_dados;
    if (lidaPorUltimo.id != m_id) {
        lidaPorUltimo.dados = qUncompress(m_dados);
        lidaPorUltimo.id = m_id;
    }
    return lidaPorUltimo.dados;
}

void PaginaTexto::squeeze()
{
    if (m_id != 0) return;
    m_id = proximoId++;
    if (m_dados.size() >= minimoParaComprimir) {
        // zlib's fastest level: a page is a few kilobytes of text with long runs of blanks
        QByteArray comprimido = qCompress(m_dados, 1);
        if (comprimido.size() < m_dados.size()) {
            m_dados = std::move(comprimido);
            m_comprimido = true;
        }
    }
    m_dados.squeeze();
    m_fins.shrink_to_fit();
}
