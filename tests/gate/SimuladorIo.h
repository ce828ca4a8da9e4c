// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

// viga-io-sim as a child: its address, and the coil changes it printed
// (without their time).
class Simulador
{
public:
    Simulador()
    {
        m_p.setProgram(QStringLiteral(VIGA_IO_SIM));
        m_p.setArguments({QStringLiteral("--porta"), QStringLiteral("0")});
        QObject::connect(&m_p, &QProcess::readyReadStandardOutput, [this] {
            while (m_p.canReadLine()) {
                const QString linha = QString::fromUtf8(m_p.readLine()).trimmed();
                if (m_endereco.isEmpty()) {
                    m_endereco = linha;
                } else if (linha.section(u' ', 1, 1) == QLatin1String("bobina")) {
                    m_bobinas << linha.section(u' ', 1);
                    if (aoMudar) {
                        aoMudar(m_bobinas.last());
                    }
                }
            }
        });
        m_p.start();
    }
    ~Simulador()
    {
        m_p.write("sair\n");
        if (!m_p.waitForFinished(5000)) {
            m_p.kill();
            m_p.waitForFinished();
        }
    }
    bool pronto()
    {
        return QTest::qWaitFor([this] { return !m_endereco.isEmpty(); }, 10000);
    }
    QString endereco() const { return m_endereco; }
    void comando(const QByteArray& linha) { m_p.write(linha + '\n'); }
    QStringList& bobinas() { return m_bobinas; }
    // Each coil change as it is read ("bobina 1 ligada").
    std::function<void(const QString&)> aoMudar;

private:
    QProcess m_p;
    QString m_endereco;
    QStringList m_bobinas;
};
