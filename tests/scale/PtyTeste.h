// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair for the driver tests. The harness keeps its own slave
// descriptor open so that the terminal survives the driver closing it; writes on
// the master side arrive at the driver as if a scale indicator had sent them.
class PtyTeste
{
public:
    PtyTeste()
    {
        char nome[128] = {};
        if (openpty(&m_master, &m_slave, nome, nullptr, nullptr) == 0) {
            m_nome = QString::fromLocal8Bit(nome);
            termios t;
            tcgetattr(m_slave, &t);
            cfmakeraw(&t);
            tcsetattr(m_slave, TCSANOW, &t);
        }
    }
    ~PtyTeste()
    {
        fechaMaster();
        fechaSlave();
    }
    PtyTeste(const PtyTeste&) = delete;
    PtyTeste& operator=(const PtyTeste&) = delete;

    bool ok() const { return m_master >= 0 && m_slave >= 0; }
    QString nome() const { return m_nome; }
    int master() const { return m_master; }

    bool escreve(const QByteArray& dados)
    {
        qsizetype feito = 0;
        while (feito < dados.size()) {
            const ssize_t n = ::write(m_master, dados.constData() + feito, size_t(dados.size() - feito));
            if (n <= 0) {
                return false;
            }
            feito += n;
        }
        return true;
    }
    void fechaMaster()
    {
        if (m_master >= 0) {
            ::close(m_master);
            m_master = -1;
        }
    }
    void fechaSlave()
    {
        if (m_slave >= 0) {
            ::close(m_slave);
            m_slave = -1;
        }
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_nome;
};
