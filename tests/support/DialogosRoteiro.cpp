// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogosRoteiro.h"

QStringList DialogosRoteiro::textos() const
{
    QStringList t;
    for (const auto& m : mostradas) {
        t << m.texto;
    }
    return t;
}

int DialogosRoteiro::mensagem(const QString& texto, const QString& titulo, int flags)
{
    mostradas.append({texto, titulo, flags});
    if (aoMostrar) {
        aoMostrar(mostradas.last());
    }
    if ((flags & 0xF) == Msg::SimNao || (flags & 0xF) == Msg::SimNaoCancelar) {
        const int r = m_respostas.isEmpty() ? Msg::RespSim : m_respostas.takeFirst();
        if (r == Enter) {
            return (flags & Msg::PadraoNao) ? Msg::RespNao : Msg::RespSim;
        }
        return r;
    }
    if (!m_respostas.isEmpty() && m_respostas.first() == Msg::RespOk) {
        m_respostas.removeFirst();
    }
    return Msg::RespOk;
}

QString DialogosRoteiro::abrirArquivo(const QString&, const QString& filtro)
{
    filtrosPedidos << filtro;
    return m_arquivos.isEmpty() ? QString() : m_arquivos.takeFirst();
}

QString DialogosRoteiro::salvarArquivo(const QString&, const QString& filtro, const QString&)
{
    filtrosPedidos << filtro;
    return m_arquivos.isEmpty() ? QString() : m_arquivos.takeFirst();
}

std::optional<QFont> DialogosRoteiro::escolherFonte(const QFont& inicial)
{
    fontesIniciais << inicial;
    if (m_fontes.isEmpty()) {
        return std::nullopt;
    }
    return m_fontes.takeFirst();
}
