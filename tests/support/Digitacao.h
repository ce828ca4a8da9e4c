// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TDBGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

// What the operator does on a registry window's fields and lists.
namespace Digitacao
{

// Focuses the field and types over whatever it held.
inline void digita(QLineEdit* campo, const QString& texto)
{
    campo->setFocus();
    if (!campo->inputMask().isEmpty()) {
        campo->clear();
        campo->home(false);
    } else if (!campo->text().isEmpty()) {
        campo->selectAll();
        QTest::keyClick(campo, Qt::Key_Backspace);
    }
    QTest::keyClicks(campo, texto);
}

// Types and leaves the field with Enter (which moves to the next control).
inline void digitaESai(QLineEdit* campo, const QString& texto)
{
    digita(campo, texto);
    QTest::keyClick(campo, Qt::Key_Return);
}

// Puts the list on a row and presses Space (the double click of the lists).
inline void abreLinha(TDBGrid* grade, int linha)
{
    grade->setFocus();
    grade->selecionar(linha);
    QTest::keyClick(grade, Qt::Key_Space);
}

// Clicks a check box on its box (a wide check box takes no click far from it).
inline void marca(QAbstractButton* caixa)
{
    QTest::mouseClick(caixa, Qt::LeftButton, {}, QPoint(6, caixa->height() / 2));
}

} // namespace Digitacao
