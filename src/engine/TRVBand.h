// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CodigosImpressora.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

class TRVColumn;

// The list becomes exactly index + 1 long (entries beyond are dropped) and its entry
// `index` the item, which may be null.
template <class T> void ColocaNaLista(QList<QPointer<T>>& lista, int index, T* item)
{
    if (index < 0) return;
    while (lista.size() > index + 1)
        lista.removeLast();
    while (lista.size() < index + 1)
        lista.append(nullptr);
    lista[index] = item;
}

enum TRVBandType { rvTitle, rvPageHeader, rvPageFooter, rvGroupHeader, rvGroupFooter, rvDetail, rvSummary };

// A band of a report. It holds no layout: its OnBeforePrint handler fills the
// lines to print; detail bands may carry columns instead.
class TRVBand : public QObject
{
    Q_OBJECT
public:
    explicit TRVBand(QObject* parent = nullptr) : QObject(parent) {}

    // Group field and new page per group: group-header bands only.
    QString Expression() const { return m_expression; }
    void setExpression(const QString& e);
    bool ForceNewPage() const { return m_forceNewPage; }
    void setForceNewPage(bool f);
    TRVBandType BandType() const { return m_bandType; }
    void setBandType(TRVBandType t);

    TRVHowPrint HowPrint = rvNoEfect;
    int LeftMargin = 0;

    std::function<void(TRVBand*, QStringList&)> OnBeforePrint;
    std::function<void(TRVBand*)> OnAfterPrint;

    QStringList Lines;

    // The column list becomes index + 1 long and its entry `index` the column (may be null).
    void SetColumn(int index, TRVColumn* coluna) { ColocaNaLista(m_colunas, index, coluna); }
    const QList<QPointer<TRVColumn>>& Columns() const { return m_colunas; }

private:
    void propriedadeInvalida();

    QString m_expression;
    bool m_forceNewPage = false;
    TRVBandType m_bandType = rvGroupHeader;
    QList<QPointer<TRVColumn>> m_colunas;
};
