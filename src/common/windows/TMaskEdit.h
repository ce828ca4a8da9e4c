// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// A masked edit taking the system's mask form "mask;literals;blank":
// '9' is a position that takes a digit or stays blank, every other character
// is a literal; literals=1 makes the text include them; blank is the
// character shown in untyped positions. Untyped positions read as blanks, so
// an untouched date mask reads "  /  /    ".
class TMaskEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);
    TMaskEdit(const QString& mascara, QWidget* parent = nullptr);

    void setMascara(const QString& mascara);
    QString mascara() const { return m_mascara; }

    // The field's text as the system reads it (blanks in untyped positions).
    QString maskText() const;
    // True when no position was typed.
    bool vazio() const;

    // Never narrower than its whole mask (a CNPJ shows every digit).
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

private:
    QString m_mascara;
    QString m_formato; // the positions part
    bool m_literais = true;
    QChar m_branco = u' ';
};
