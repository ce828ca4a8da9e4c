// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmCalendario.h"

#include "Relogio.h"
#include "Rotinas.h"
#include "Traducoes.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TFrm_Calendario::TFrm_Calendario(QWidget* parent) : TJanela(parent)
{
    setObjectName(QStringLiteral("Frm_Calendario"));
    setWindowTitle(QStringLiteral("Calendário"));
    auto* l = new QVBoxLayout(this);
    m_calendario = new QCalendarWidget(this);
    m_calendario->setObjectName(QStringLiteral("MonthCalendar1"));
    // month and day names in Portuguese, weeks from Sunday, whatever the host
    m_calendario->setLocale(LocaleBrasil());
    m_calendario->setFirstDayOfWeek(Qt::Sunday);
    m_calendario->setSelectedDate(Relogio::hoje());
    l->addWidget(m_calendario);
    auto* fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName(QStringLiteral("BtnFechar"));
    l->addWidget(fechar);
    m_calendario->setFocus();
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_calendario, &QCalendarWidget::activated, this, &QDialog::accept);
}

QDate TFrm_Calendario::dataSelecionada() const
{
    return m_calendario->selectedDate();
}

bool TFrm_Calendario::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (e->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return TJanela::teclaPrevia(alvo, e);
}

QString AbrirCalendario(QWidget* parent, const QString& campo)
{
    TFrm_Calendario janela(parent);
    const QDate digitada = QDate::fromString(campo.trimmed(), QStringLiteral("dd/MM/yyyy"));
    if (digitada.isValid()) {
        janela.calendario()->setSelectedDate(digitada);
    }
    janela.calendario()->setFocus();
    if (janela.exec() != QDialog::Accepted) {
        return QString();
    }
    return FormataData(janela.dataSelecionada().toString(QStringLiteral("dd/MM/yyyy")));
}
