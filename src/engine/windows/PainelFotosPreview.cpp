// SPDX-License-Identifier: GPL-3.0-or-later
#include "PainelFotosPreview.h"

#include "TJanela.h"

#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace
{

constexpr QSize miniatura(200, 150);

// A thumbnail that opens its picture whole when double-clicked.
class Miniatura : public QLabel
{
public:
    Miniatura(const FotoPreview& foto, QWidget* pai) : QLabel(pai), m_foto(foto)
    {
        setFixedSize(miniatura);
        setAlignment(Qt::AlignCenter);
        setFrameShape(QFrame::StyledPanel);
        setAccessibleName(foto.legenda);
        setToolTip(foto.legenda + QStringLiteral(" (") + QFileInfo(foto.arquivo).fileName() + u')');
        if (m_imagem.load(foto.arquivo)) {
            setPixmap(m_imagem.scaled(miniatura, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        } else {
            setText(QStringLiteral("foto ilegível"));
        }
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override
    {
        if (m_imagem.isNull()) {
            return;
        }
        TJanela janela(window());
        janela.setWindowTitle(m_foto.legenda);
        auto* l = new QVBoxLayout(&janela);
        auto* area = new QScrollArea(&janela);
        auto* imagem = new QLabel(area);
        imagem->setPixmap(m_imagem);
        area->setWidget(imagem);
        l->addWidget(area);
        janela.resize(m_imagem.size().boundedTo(QSize(1024, 768)) + QSize(40, 40));
        janela.exec();
    }

private:
    FotoPreview m_foto;
    QPixmap m_imagem;
};

} // namespace

QWidget* PainelFotosPreview(const QList<FotoPreview>& fotos, QWidget* pai)
{
    if (fotos.isEmpty()) {
        return nullptr;
    }
    auto* area = new QScrollArea(pai);
    area->setObjectName(QStringLiteral("PainelFotos"));
    area->setFocusPolicy(Qt::NoFocus); // the keys stay with the pages
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    auto* conteudo = new QWidget(area);
    auto* l = new QVBoxLayout(conteudo);
    for (int i = 0; i < fotos.size(); ++i) {
        auto* foto = new Miniatura(fotos[i], conteudo);
        foto->setObjectName(QStringLiteral("Foto%1").arg(i + 1));
        auto* legenda = new QLabel(fotos[i].legenda, conteudo);
        legenda->setAlignment(Qt::AlignHCenter);
        l->addWidget(foto);
        l->addWidget(legenda);
    }
    l->addStretch();
    area->setWidget(conteudo);
    area->setFixedWidth(miniatura.width() + 40);
    return area;
}
