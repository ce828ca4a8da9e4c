// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeituraPlacaAssincrona.h"

LeituraPlacaAssincrona::LeituraPlacaAssincrona(QObject* parent) : QObject(parent)
{
    m_linha.setObjectName(QStringLiteral("leitura de placas"));
    m_contexto = new QObject;
    m_contexto->moveToThread(&m_linha);
    connect(&m_linha, &QThread::finished, m_contexto, &QObject::deleteLater);
    m_linha.start(QThread::LowPriority);
}

LeituraPlacaAssincrona::~LeituraPlacaAssincrona()
{
    m_linha.requestInterruption();
    m_linha.quit();
    m_linha.wait();
}

void LeituraPlacaAssincrona::ler(const QString& arquivo)
{
    // `this` outlives the reading: the destructor waits for it.
    QMetaObject::invokeMethod(m_contexto, [this, arquivo] {
        if (m_linha.isInterruptionRequested()) return;
        // Made on this thread at the first picture: Tesseract stays on it.
        if (!m_leitor) m_leitor = std::make_unique<LeitorPlaca>();
        LeituraPlaca l;
        QString erro = m_leitor->erro();
        if (m_leitor->pronto()) {
            l = m_leitor->lerArquivo(arquivo);
            erro = m_leitor->erro();
        }
        // Delivered on the owner's thread; dropped if it is gone by then.
        QMetaObject::invokeMethod(
            this, [this, arquivo, l, erro] { Q_EMIT lida(arquivo, l, erro); }, Qt::QueuedConnection);
    });
}
