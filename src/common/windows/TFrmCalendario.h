// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

#include <QDate>

class QCalendarWidget;

// "Calendário": a month calendar and "&Fechar". A double click, Enter or
// "&Fechar" chooses the marked date; Esc closes it choosing nothing.
class TFrm_Calendario : public TJanela
{
    Q_OBJECT
public:
    explicit TFrm_Calendario(QWidget* parent = nullptr);
    QDate dataSelecionada() const;
    QCalendarWidget* calendario() const { return m_calendario; }

protected:
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

private:
    QCalendarWidget* m_calendario;
};

// Opens the calendar on the date `campo` holds (dd/mm/yyyy; today when it holds
// none) and returns the chosen date as dd/mm/yyyy, or "" when the operator
// closed it with Esc (the field keeps what it had).
QString AbrirCalendario(QWidget* parent = nullptr, const QString& campo = QString());
