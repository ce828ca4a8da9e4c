// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmPassagens.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "Passagens.h"
#include "Relogio.h"
#include "Rotinas.h"
#include "TDM.h"
#include "TMaskEdit.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

QString momento(const QDateTime& m)
{
    return m.isValid() ? m.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")) : QStringLiteral("-");
}

QString peso(const std::optional<Decimal>& p)
{
    return p ? p->toShortString() : QStringLiteral("-");
}

} // namespace

TFrmPassagens::TFrmPassagens(QWidget* parent) : TJanela(parent)
{
    setWindowTitle(QStringLiteral("Passagens sem pesagem"));
    resize(960, 600);
    auto* corpo = new QVBoxLayout(this);
    auto* linha = new QHBoxLayout;
    const auto data = [&](const char* nome, const QString& rotulo) {
        auto* e = new TMaskEdit(QStringLiteral("99/99/9999;1;_"), this);
        e->setObjectName(QString::fromLatin1(nome));
        e->setText(Relogio::hoje().toString(QStringLiteral("dd/MM/yyyy")));
        auto* r = new QLabel(rotulo, this);
        r->setBuddy(e);
        e->setAccessibleName(QString(rotulo).remove(u'&'));
        linha->addWidget(r);
        linha->addWidget(e);
        return e;
    };
    campoDe = data("EditDe", QStringLiteral("&De:"));
    campoAte = data("EditAte", QStringLiteral("&Até:"));
    botaoConsulta = new QPushButton(QStringLiteral("&Consultar"), this);
    botaoConsulta->setObjectName(QStringLiteral("BtnConsultar"));
    linha->addWidget(botaoConsulta);
    linha->addStretch(1);
    corpo->addLayout(linha);

    tabela = new QTableWidget(0, 6, this);
    tabela->setObjectName(QStringLiteral("GridPassagens"));
    tabela->setHorizontalHeaderLabels({QStringLiteral("Início"), QStringLiteral("Fim"),
                                       QStringLiteral("Peso máximo"), QStringLiteral("Peso estável"),
                                       QStringLiteral("Situação"), QStringLiteral("Estação")});
    tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    tabela->horizontalHeader()->setStretchLastSection(true);
    tabela->verticalHeader()->hide();
    corpo->addWidget(tabela, 1);
    total = new QLabel(this);
    total->setObjectName(QStringLiteral("LabelTotal"));
    corpo->addWidget(total);
    painelFotos = new QWidget(this);
    painelFotos->setObjectName(QStringLiteral("PainelFotos"));
    m_fotos = new QHBoxLayout(painelFotos);
    corpo->addWidget(painelFotos, 1);

    connect(botaoConsulta, &QPushButton::clicked, this, [this] { consulta(); });
    connect(tabela, &QTableWidget::itemSelectionChanged, this, [this] { mostraFotos(); });
}

void TFrmPassagens::consulta()
{
    for (TMaskEdit* campo : {campoDe, campoAte}) {
        if (!EhData(campo->maskText())) {
            Mensagem(QStringLiteral("Data inválida."), QStringLiteral("Informação"), Msg::Informacao);
            campo->setFocus();
            return;
        }
    }
    const QDate de = LeData(campoDe->maskText());
    const QDate ate = LeData(campoAte->maskText());
    if (de > ate) {
        Mensagem(QStringLiteral("A data inicial é posterior à data final."), QStringLiteral("Informação"),
                 Msg::Informacao);
        campoDe->setFocus();
        return;
    }
    QList<PassagemGravada> lista;
    try {
        lista = Passagens::lista(*DM, de, ate);
    } catch (const ErroBanco& e) {
        Mensagem(QStringLiteral("Erro ao efetuar a operação\rErro retornado:") + e.texto(),
                 QStringLiteral("Erro"), Msg::Erro);
        return;
    }
    tabela->setRowCount(0);
    m_codigos.clear();
    for (const PassagemGravada& p : lista) {
        const int r = tabela->rowCount();
        tabela->insertRow(r);
        const QStringList celulas{momento(p.inicio),   momento(p.fim),    peso(p.pesoMaximo),
                                  peso(p.pesoEstavel), p.textoSituacao(), p.estacao};
        for (int c = 0; c < celulas.size(); ++c) {
            auto* item = new QTableWidgetItem(celulas[c]);
            if (c == 2 || c == 3) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            tabela->setItem(r, c, item);
        }
        m_codigos << p.codigo;
    }
    tabela->resizeColumnsToContents();
    total->setText(QStringLiteral("%1 passagem(ns) sem pesagem").arg(lista.size()));
    if (!lista.isEmpty()) {
        tabela->selectRow(0);
        tabela->setFocus();
    }
    mostraFotos();
}

void TFrmPassagens::mostraFotos()
{
    while (QLayoutItem* i = m_fotos->takeAt(0)) {
        delete i->widget();
        delete i;
    }
    const int r = tabela->currentRow();
    if (r < 0 || r >= m_codigos.size()) {
        return;
    }
    QList<FotoCamera> fotos;
    try {
        fotos = Passagens::fotos(*DM, m_codigos[r]);
    } catch (const ErroBanco& e) {
        Mensagem(QStringLiteral("Erro ao efetuar a operação\rErro retornado:") + e.texto(),
                 QStringLiteral("Erro"), Msg::Erro);
        return;
    }
    if (fotos.isEmpty()) {
        auto* l = new QLabel(QStringLiteral("Sem fotos desta passagem."), painelFotos);
        l->setObjectName(QStringLiteral("FotoNenhuma"));
        m_fotos->addWidget(l);
        return;
    }
    for (const FotoCamera& f : fotos) {
        auto* l = new QLabel(painelFotos);
        l->setObjectName(QStringLiteral("Foto") + f.camera);
        l->setAlignment(Qt::AlignCenter);
        QPixmap imagem;
        if (!f.jpeg.isEmpty() && imagem.loadFromData(f.jpeg, "JPEG")) {
            l->setPixmap(imagem.scaled(420, 260, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            l->setToolTip(f.camera);
        } else {
            l->setText(QStringLiteral("%1: %2").arg(
                f.camera, f.falha.isEmpty() ? QStringLiteral("foto ilegível") : f.falha));
        }
        m_fotos->addWidget(l);
    }
}
