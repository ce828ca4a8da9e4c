// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's pictures: the cameras' snapshots of the weighing on
// screen (the flow takes and stores them).
#include "Cameras.h"
#include "Evidencia.h"
#include "PastaDados.h"
#include "TFrmPesagem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

QWidget* TFrmPesagem::montaPainelFotos()
{
    m_painelFotos = new QWidget(this);
    m_painelFotos->setObjectName(QStringLiteral("PainelFotos"));
    auto* l = new QHBoxLayout(m_painelFotos);
    l->setContentsMargins(0, 0, 0, 0);
    for (size_t i = 0; i < m_fotos.size(); ++i) {
        m_fotos[i] = new QLabel(m_painelFotos);
        m_fotos[i]->setObjectName(i == 0 ? QStringLiteral("FotoFrente") : QStringLiteral("FotoTraseira"));
        m_fotos[i]->setFixedSize(160, 120);
        m_fotos[i]->setAlignment(Qt::AlignCenter);
        m_fotos[i]->setFrameShape(QFrame::StyledPanel);
        m_fotos[i]->setAccessibleName(i == 0 ? QStringLiteral("Câmera Frente")
                                             : QStringLiteral("Câmera Traseira"));
        l->addWidget(m_fotos[i]);
    }
    m_painelFotos->hide();
    return m_painelFotos;
}

void TFrmPesagem::mostraFotos(qint64 numero, int lado)
{
    if (!m_fluxo->cameras()) {
        return;
    }
    m_fotosMostradas = {numero, lado};
    const QList<Evidencia::FotoGravada> fotos = Evidencia::fotosGravadas(PastaDados::caminho(), numero, lado);
    for (size_t i = 0; i < m_fotos.size(); ++i) {
        const QString camera = i == 0 ? QStringLiteral("Frente") : QStringLiteral("Traseira");
        QPixmap imagem;
        for (const Evidencia::FotoGravada& f : fotos) {
            if (f.camera == camera) {
                imagem.load(f.caminho);
            }
        }
        m_fotos[i]->setPixmap(imagem.isNull() ? QPixmap()
                                              : imagem.scaled(m_fotos[i]->size(), Qt::KeepAspectRatio,
                                                              Qt::SmoothTransformation));
        m_fotos[i]->setText(imagem.isNull() ? QStringLiteral("sem foto") : QString());
    }
}
