// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// Check digits of the two Brazilian taxpayer numbers: the CPF of a person and
// the CNPJ of a company (called CGC here, as the component always did).
// Setting Input or changing Mode runs the check at once; Result tells.
class TCheckDoc : public QObject
{
    Q_OBJECT
    Q_PROPERTY(TMode Mode READ Mode WRITE setMode)
    Q_PROPERTY(QString Input READ Input WRITE setInput)
    Q_PROPERTY(bool Result READ Result WRITE setResult)
public:
    enum TMode { moCPF = 0, moCGC = 1 };
    Q_ENUM(TMode)

    explicit TCheckDoc(QObject* parent = nullptr) : QObject(parent) {}

    TMode Mode() const { return m_mode; }
    void setMode(TMode mode);
    const QString& Input() const { return m_input; }
    void setInput(const QString& input);
    bool Result() const { return m_result; }
    // Read-only: the check alone sets it.
    void setResult(bool) {}

    // The checks themselves, for callers that need no component.
    static bool cpfValido(const QString& texto);
    static bool cnpjValido(const QString& texto);

private:
    void verificar();

    TMode m_mode = moCPF;
    QString m_input;
    bool m_result = false;
};
