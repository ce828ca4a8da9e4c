// SPDX-License-Identifier: GPL-3.0-or-later
#include "Traducoes.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstalaTraducoes()
{
    static bool instaladas = false;
    if (instaladas) {
        return true;
    }
    auto* app = QCoreApplication::instance();
    if (!app) {
        return false;
    }
    const QString pasta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* qt = new QTranslator(app);
    if (!qt->load(LocaleBrasil(), QStringLiteral("qtbase"), QStringLiteral("_"), pasta)) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    instaladas = true;
    return true;
}

void PreparaAplicacao()
{
    QCoreApplication::setApplicationName(QStringLiteral("viga"));
    InstalaTraducoes();
}

QLocale LocaleBrasil()
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil);
}
