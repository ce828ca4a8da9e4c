// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmSelPage.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFrmSelPage::TFrmSelPage(bool ingles, QWidget* parent) : TJanela(parent)
{
    setObjectName(QStringLiteral("FrmSelPage"));
    setWindowTitle(QStringLiteral("Relevo"));
    rbTodos = new QRadioButton(ingles ? QStringLiteral("&All") : QStringLiteral("&Todos"), this);
    rbTodos->setObjectName(QStringLiteral("rbTodos"));
    rbAtual =
        new QRadioButton(ingles ? QStringLiteral("A&ctual page") : QStringLiteral("&Página atual"), this);
    rbAtual->setObjectName(QStringLiteral("rbAtual"));
    rbIntervalo = new QRadioButton(ingles ? QStringLiteral("&Interval") : QStringLiteral("&Intervalo"), this);
    rbIntervalo->setObjectName(QStringLiteral("rbIntervalo"));
    edtPaginas = new QLineEdit(this);
    edtPaginas->setObjectName(QStringLiteral("edtPaginas"));
    edtPaginas->setAccessibleName(rbIntervalo->text().remove(u'&'));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BtnOk"));
    auto* cancelar = new QPushButton(ingles ? QStringLiteral("Cancel") : QStringLiteral("Cancelar"), this);
    MarcaDestrutivo(cancelar);
    cancelar->setObjectName(QStringLiteral("BtnCancelar"));
    rbTodos->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rbTodos);
    layout->addWidget(rbAtual);
    auto* linha = new QHBoxLayout;
    linha->addWidget(rbIntervalo);
    linha->addWidget(edtPaginas);
    layout->addLayout(linha);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(ok);
    botoes->addWidget(cancelar);
    layout->addLayout(botoes);

    connect(edtPaginas, &QLineEdit::textChanged, this,
            [this](const QString& t) { (t.trimmed().isEmpty() ? rbTodos : rbIntervalo)->setChecked(true); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar, &QPushButton::clicked, this, [this] {
        m_cancelado = true;
        reject();
    });
}

TFrmSelPage::Selecao TFrmSelPage::selecao() const
{
    if (rbIntervalo->isChecked()) return {Intervalo, edtPaginas->text()};
    if (rbAtual->isChecked()) return {PaginaAtual, {}};
    return {Todos, {}};
}

bool TFrmSelPage::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        m_cancelado = true;
        reject();
        return true;
    }
    // A choice (or a typed interval) followed by Enter is the answer: OK is
    // the end of this short order.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier &&
        (qobject_cast<QRadioButton*>(alvo) || alvo == edtPaginas)) {
        accept();
        return true;
    }
    return TJanela::teclaPrevia(alvo, e);
}

void TFrmSelPage::closeEvent(QCloseEvent* e)
{
    // The close box answers like OK; only "Cancelar" (or Esc) gives no choice.
    if (!m_cancelado) setResult(QDialog::Accepted);
    e->accept();
}

std::optional<TFrmSelPage::Selecao> TFrmSelPage::Executar(bool ingles, QWidget* parent)
{
    TFrmSelPage janela(ingles, parent);
    const int r = janela.exec();
    if (janela.m_cancelado || (r != QDialog::Accepted && janela.result() != QDialog::Accepted))
        return std::nullopt;
    return janela.selecao();
}
