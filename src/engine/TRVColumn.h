// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>

enum TRVAlignment { taCenter, taLeftJustify, taRightJustify, taFullJustify };

// The text trimmed and placed in `width` characters: left, right, centred, or with the
// blanks spread between its words (full justification).
QString AlignText(const QString& text, TRVAlignment alignment, int width);

// A column of a detail band: a field cut to a width, formatted by a mask and aligned.
class TRVColumn : public QObject
{
    Q_OBJECT
public:
    explicit TRVColumn(QObject* parent = nullptr) : QObject(parent) {}

    QString Expression; // field name; when the records have no such field, the text printed
    int ColWidth = 0;
    QString Mask; // when not blank the value is formatted as a number
    TRVAlignment Alignment = taLeftJustify;
    QString ColHeader; // heading printed under the page header

    // Before printing the value may be replaced; after printing it is handed over.
    std::function<void(TRVColumn*, QString&)> OnBeforePrint;
    std::function<void(TRVColumn*, QString&)> OnAfterPrint;
};
