// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmHistoricoPesagem.h"

#include "Auditoria.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "Evidencia.h"
#include "MensagensCadastro.h"
#include "TDM.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

QString textoEvidencia(const QString& lado, const Evidencia::Linha& l)
{
    if (!l.existe) {
        return QStringLiteral("%1: sem evidência registrada").arg(lado);
    }
    QString t = l.manual
                    ? QStringLiteral("%1: %2 kg digitado por %3 em %4, %5")
                          .arg(lado, l.peso, l.usuario, l.estacao, l.dataHora)
                    : QStringLiteral("%1: %2 kg lido do indicador %3 (%4) em %5, estável há %6 s, quadro %7; "
                                     "estação %8, %9, %10")
                          .arg(lado, l.peso, l.modelo, l.interface, l.porta,
                               QString::number(l.estavelMs / 1000.0, 'f', 1).replace(u'.', u','),
                               QString::fromLatin1(l.quadro.toHex(' ')), l.estacao, l.usuario, l.dataHora);
    if (!l.cameras.isEmpty()) {
        t += QStringLiteral("; câmeras: ") + l.cameras;
    }
    return t;
}

} // namespace

TFrmHistoricoPesagem::TFrmHistoricoPesagem(QWidget* parent) : TJanela(parent)
{
    setWindowTitle(QStringLiteral("Histórico da Pesagem"));
    resize(900, 480);
    auto* corpo = new QVBoxLayout(this);
    auto* linha = new QHBoxLayout;
    campoCodigo = new QLineEdit(this);
    campoCodigo->setObjectName(QStringLiteral("EditCodigo"));
    campoCodigo->setMaxLength(18);
    // Alt+P reaches the code, Alt+C runs the query: one letter each.
    auto* rotulo = Rotulo(QStringLiteral("Código &Pesagem:"), campoCodigo);
    botaoConsulta = new QPushButton(QStringLiteral("&Consultar"), this);
    botaoConsulta->setObjectName(QStringLiteral("BtnConsultar"));
    linha->addWidget(rotulo);
    linha->addWidget(campoCodigo);
    linha->addWidget(botaoConsulta);
    linha->addStretch(1);
    corpo->addLayout(linha);

    tabela = new QTableWidget(0, 6, this);
    tabela->setObjectName(QStringLiteral("GridHistorico"));
    tabela->setHorizontalHeaderLabels({QStringLiteral("Registro"), QStringLiteral("Data/Hora"),
                                       QStringLiteral("Usuário"), QStringLiteral("Estação"),
                                       QStringLiteral("Operação"), QStringLiteral("Alterações")});
    tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The changes take the room left and wrap: every title stays in sight.
    tabela->horizontalHeader()->setStretchLastSection(true);
    tabela->setWordWrap(true);
    tabela->setTextElideMode(Qt::ElideNone);
    tabela->verticalHeader()->hide();
    corpo->addWidget(tabela, 1);
    evidencia = new QLabel(this);
    evidencia->setObjectName(QStringLiteral("LabelEvidencia"));
    evidencia->setWordWrap(true);
    evidencia->setTextInteractionFlags(Qt::TextSelectableByMouse);
    corpo->addWidget(evidencia);

    connect(botaoConsulta, &QPushButton::clicked, this, [this] { consulta(); });
}

void TFrmHistoricoPesagem::consulta()
{
    bool ok = false;
    const qint64 numero = campoCodigo->text().trimmed().toLongLong(&ok);
    if (!ok || numero <= 0) {
        Mensagem(QStringLiteral("Informe o código da pesagem."), QStringLiteral("Informação"),
                 Msg::Informacao);
        campoCodigo->setFocus();
        return;
    }
    QList<Auditoria::Entrada> lista;
    Evidencia::Linha entrada, saida;
    try {
        lista = Auditoria::historico(*DM, numero);
        entrada = Evidencia::le(*DM, numero, 1);
        saida = Evidencia::le(*DM, numero, 2);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return;
    }
    tabela->setRowCount(0);
    for (const Auditoria::Entrada& e : lista) {
        const int r = tabela->rowCount();
        tabela->insertRow(r);
        const QString tabelaNome =
            e.tabela == QLatin1String(Auditoria::TabelaProdutos) ? QStringLiteral(" (produtos)") : QString();
        QDateTime quando = QDateTime::fromString(e.dataHora, QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
        if (!quando.isValid()) quando = QDateTime::fromString(e.dataHora, Qt::ISODateWithMs);
        const QStringList celulas{QString::number(e.sequencia),
                                  quando.isValid() ? quando.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"))
                                                   : e.dataHora,
                                  e.usuario,
                                  e.estacao,
                                  Auditoria::nomeOperacao(e.operacao) + tabelaNome,
                                  Auditoria::diferencas(e.antes, e.depois).join(QStringLiteral("; "))};
        for (int c = 0; c < celulas.size(); ++c) {
            tabela->setItem(r, c, new QTableWidgetItem(celulas[c]));
        }
    }
    // The short columns fit their contents; the changes fill the rest of the width.
    auto* cabecalho = tabela->horizontalHeader();
    for (int c = 0; c + 1 < tabela->columnCount(); ++c)
        tabela->resizeColumnToContents(c);
    cabecalho->setSectionResizeMode(tabela->columnCount() - 1, QHeaderView::Stretch);
    tabela->resizeRowsToContents();
    evidencia->setText(lista.isEmpty() && !entrada.existe && !saida.existe
                           ? QStringLiteral("Pesagem %1 sem histórico registrado.").arg(numero)
                           : textoEvidencia(QStringLiteral("Entrada"), entrada) + u'\n' +
                                 textoEvidencia(QStringLiteral("Saída"), saida));
}
