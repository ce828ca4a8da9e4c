// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QtTest>

#include <unistd.h>

// A PostgreSQL server of the test's own (scripts/pg.sh), for a test that
// stops it under the program and starts it again on the same port.
class ServidorPg
{
public:
    ServidorPg() : m_pasta(QStringLiteral("/tmp/viga-pg-%1-%2").arg(getpid()).arg(++s_contador))
    {
        QProcess inicio;
        inicio.start(QStringLiteral("bash"), {script(), QStringLiteral("start"), m_pasta});
        if (inicio.waitForFinished(120000)) {
            m_porta = QString::fromLatin1(inicio.readAllStandardOutput()).trimmed().toInt();
        }
        if (m_porta <= 0) {
            qWarning("pg.sh start: %s", inicio.readAllStandardError().constData());
        }
    }
    ~ServidorPg() { QProcess::execute(QStringLiteral("bash"), {script(), QStringLiteral("stop"), m_pasta}); }
    ServidorPg(const ServidorPg&) = delete;
    ServidorPg& operator=(const ServidorPg&) = delete;

    int porta() const { return m_porta; }
    // Stops the server keeping its data / starts it again on its port.
    bool para() { return roda(QStringLiteral("halt")); }
    bool retoma() { return roda(QStringLiteral("resume")); }

private:
    static QString script() { return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../scripts/pg.sh"); }
    bool roda(const QString& comando)
    {
        return QProcess::execute(QStringLiteral("bash"), {script(), comando, m_pasta}) == 0;
    }

    inline static int s_contador = 0;
    QString m_pasta;
    int m_porta = 0;
};
