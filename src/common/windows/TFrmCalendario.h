#pragma once

#include "TJanela.h"

#include <QDate>

class QCalendarWidget;

// "Calendário": a month calendar and "&Fechar"; a double click or "&Fechar" closes it.
class TFrm_Calendario : public TJanela
{
    Q_OBJECT
public:
    explicit TFrm_Calendario(QWidget* parent = nullptr);
    QDate dataSelecionada() const;
    QCalendarWidget* calendario() const { return m_calendario; }

private:
    QCalendarWidget* m_calendario;
};

// Opens the calendar on today and returns the chosen date as dd/mm/yyyy.
QString AbrirCalendario(QWidget* parent = nullptr);
