// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeituraPlacaAssincrona.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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
    naLinha(arquivo, [arquivo](LeitorPlaca& leitor, QString& erro) {
        const LeituraPlaca l = leitor.lerArquivo(arquivo);
        erro = leitor.erro();
        return l;
    });
}

void LeituraPlacaAssincrona::lerFoto(const QByteArray& jpeg, const QString& arquivo)
{
    naLinha(arquivo, [jpeg, arquivo](LeitorPlaca& leitor, QString& erro) {
        QSaveFile f(arquivo);
        if (!QDir().mkpath(QFileInfo(arquivo).absolutePath()) || !f.open(QIODevice::WriteOnly) ||
            f.write(jpeg) != jpeg.size() || !f.commit()) {
            erro = QStringLiteral("foto não gravada em %1 (%2)").arg(arquivo, f.errorString());
        }
        const LeituraPlaca l = leitor.lerBytes(jpeg);
        if (erro.isEmpty()) {
            erro = leitor.erro();
        }
        return l;
    });
}

void LeituraPlacaAssincrona::naLinha(const QString& arquivo,
                                     const std::function<LeituraPlaca(LeitorPlaca&, QString&)>& leitura)
{
    // `this` outlives the reading: the destructor waits for it.
    QMetaObject::invokeMethod(m_contexto, [this, arquivo, leitura] {
        if (m_linha.isInterruptionRequested()) return;
        // Made on this thread at the first picture: Tesseract stays on it.
        if (!m_leitor) m_leitor = std::make_unique<LeitorPlaca>();
        LeituraPlaca l;
        QString erro = m_leitor->erro();
        if (m_leitor->pronto()) {
            l = leitura(*m_leitor, erro);
        }
        // Delivered on the owner's thread; dropped if it is gone by then.
        QMetaObject::invokeMethod(
            this, [this, arquivo, l, erro] { Q_EMIT lida(arquivo, l, erro); }, Qt::QueuedConnection);
    });
}
