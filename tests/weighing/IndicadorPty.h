// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PtyTeste.h"

#include <QByteArray>
#include <QSettings>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <mutex>
#include <thread>

// A scale indicator on a pseudo-terminal: a thread sends the current frame
// ten times a second, byte by byte at the pace of a 9600-baud line, so the
// window's poll sees whole frames, split frames and, now and then, two
// frames in one chunk, as on a real line. Mapped to COM1 of the data folder.
class IndicadorPty
{
public:
    explicit IndicadorPty(const QString& pastaDados)
    {
        QSettings ini(pastaDados + QStringLiteral("/viga.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("serial/COM1"), m_pty.nome());
        ini.setValue(QStringLiteral("serial/COM2"), m_pty.nome());
        ini.sync();
        // Nobody reads while the port is closed: the frames are dropped, as on a line.
        fcntl(m_pty.master(), F_SETFL, fcntl(m_pty.master(), F_GETFL) | O_NONBLOCK);
        m_thread = std::thread([this] { envia(); });
    }
    ~IndicadorPty()
    {
        m_fim = true;
        m_thread.join();
    }
    bool ok() const { return m_pty.ok(); }

    // The frame to send from now on (carriage return included); empty = silence.
    void quadro(const QByteArray& q)
    {
        std::lock_guard<std::mutex> l(m_mutex);
        m_quadro = q;
    }

private:
    void envia()
    {
        using namespace std::chrono;
        while (!m_fim) {
            QByteArray q;
            {
                std::lock_guard<std::mutex> l(m_mutex);
                q = m_quadro;
            }
            for (char c : q) {
                m_pty.escreve(QByteArray(1, c));
                std::this_thread::sleep_for(microseconds(1042));
            }
            std::this_thread::sleep_for(milliseconds(100) - microseconds(1042) * q.size());
        }
    }

    PtyTeste m_pty;
    std::mutex m_mutex;
    QByteArray m_quadro;
    std::atomic<bool> m_fim{false};
    std::thread m_thread;
};
