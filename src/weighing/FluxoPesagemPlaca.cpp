// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing flow's plate reading: a picture of the cameras, its plate read
// on the reader's own thread, the reading proposed and kept for the evidence.
#include "Cameras.h"
#include "FluxoPesagem.h"
#include "LeituraPlacaAssincrona.h"
#include "PastaDados.h"
#include "Relogio.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

void FluxoPesagem::novaPesagem()
{
    m_leitura.novaPesagem();
    if (m_cameras && m_pedidoPlaca) {
        m_cameras->esquece(m_pedidoPlaca);
    }
    m_pedidoPlaca = 0;
    m_arquivoPlaca.clear(); // a reading still being made is dropped when it comes
    m_placaLida.reset();
}

void FluxoPesagem::lePlaca()
{
    if (!m_cameras) {
        return;
    }
    if (m_pedidoPlaca) {
        m_cameras->esquece(m_pedidoPlaca);
    }
    const int pedido = m_cameras->pede();
    m_pedidoPlaca = pedido;
    // The cameras may outlive the flow (they finish the pictures of a save).
    const QPointer<FluxoPesagem> fluxo(this);
    m_cameras->aoConcluir(pedido, [fluxo, pedido](const QList<FotoCamera>& fotos) {
        if (fluxo) {
            fluxo->placaDaFoto(fotos, pedido);
        }
    });
}

void FluxoPesagem::placaDaFoto(const QList<FotoCamera>& fotos, int pedido)
{
    if (pedido != m_pedidoPlaca) {
        return;
    }
    m_pedidoPlaca = 0;
    // The first camera that gave a picture: the front one when it did.
    const auto foto =
        std::find_if(fotos.cbegin(), fotos.cend(), [](const FotoCamera& f) { return !f.jpeg.isEmpty(); });
    if (foto == fotos.cend()) {
        return; // no picture: nothing to propose, the operator types the plate
    }
    if (!m_leitorPlaca) {
        m_leitorPlaca = std::make_unique<LeituraPlacaAssincrona>();
        connect(m_leitorPlaca.get(), &LeituraPlacaAssincrona::lida, this, &FluxoPesagem::placaLidaNaFoto);
    }
    static int sequencia = 0;
    const QString nome = QStringLiteral("placa-%1-%2-%3.jpg")
                             .arg(Relogio::agora().toString(QStringLiteral("yyyyMMdd-hhmmss")))
                             .arg(++sequencia)
                             .arg(foto->camera.toLower());
    m_arquivoPlaca = QDir(PastaDados::caminho()).filePath(QStringLiteral("fotos/") + nome);
    m_leitorPlaca->lerFoto(foto->jpeg, m_arquivoPlaca);
}

void FluxoPesagem::placaLidaNaFoto(const QString& arquivo, const LeituraPlaca& leitura, const QString& erro)
{
    if (arquivo != m_arquivoPlaca) {
        return; // of a weighing no longer on screen
    }
    m_arquivoPlaca.clear();
    if (!erro.isEmpty()) {
        qWarning("leitura da placa: %s", qPrintable(erro));
    }
    PlacaLida p;
    p.placa = leitura.placa;
    p.confianca = leitura.confianca;
    // The picture is named only once it is on disk.
    if (QFileInfo::exists(arquivo)) {
        p.foto = QDir(PastaDados::caminho()).relativeFilePath(arquivo);
    }
    m_placaLida = p;
    Q_EMIT placaProposta(p.placa, p.confianca);
}
