#include "TFrmCalendario.h"

#include "Relogio.h"
#include "Rotinas.h"
#include "Traducoes.h"

#include <QCalendarWidget>
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
    connect(fechar, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_calendario, &QCalendarWidget::activated, this, &QDialog::accept);
}

QDate TFrm_Calendario::dataSelecionada() const
{
    return m_calendario->selectedDate();
}

QString AbrirCalendario(QWidget* parent)
{
    TFrm_Calendario janela(parent);
    janela.exec();
    return FormataData(janela.dataSelecionada().toString(QStringLiteral("dd/MM/yyyy")));
}
