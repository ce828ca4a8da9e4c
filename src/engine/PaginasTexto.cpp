// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaginasTexto.h"

#include <QtEndian>

#include <atomic>
#include <zlib.h>

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

// One compressor kept for all pages: set up once (zlib's state is a few hundred kilobytes,
// which a compressor per page would allocate, clear and free again every time).
class Compressor
{
public:
    Compressor()
    {
        // zlib's fastest level: a page is a few kilobytes of text with long runs of blanks
        m_ok = deflateInit(&m_z, 1) == Z_OK;
    }
    ~Compressor()
    {
        if (m_ok) deflateEnd(&m_z);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    // In qCompress's form (the length, big-endian, then the zlib stream), which qUncompress
    // reads back; empty when it cannot be done.
    QByteArray comprimir(const QByteArray& dados)
    {
        if (!m_ok || deflateReset(&m_z) != Z_OK) return {};
        const uLong limite = deflateBound(&m_z, uLong(dados.size()));
        QByteArray saida(qsizetype(4 + limite), Qt::Uninitialized);
        qToBigEndian(quint32(dados.size()), saida.data());
        m_z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(dados.constData()));
        m_z.avail_in = uInt(dados.size());
        m_z.next_out = reinterpret_cast<Bytef*>(saida.data() + 4);
        m_z.avail_out = uInt(limite);
        if (deflate(&m_z, Z_FINISH) != Z_STREAM_END) return {};
        saida.truncate(qsizetype(4 + m_z.total_out));
        return saida;
    }

private:
    z_stream m_z{};
    bool m_ok = false;
};
thread_local Compressor compressor;
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
        QByteArray comprimido = compressor.comprimir(m_dados);
        if (!comprimido.isEmpty() && comprimido.size() < m_dados.size()) {
            m_dados = std::move(comprimido);
            m_comprimido = true;
        }
    }
    m_dados.squeeze();
    m_fins.shrink_to_fit();
}
