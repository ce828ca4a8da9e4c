// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

// One wait of a flow: `aoVencer` runs once the time started has passed,
// unless stopped before.
class Espera
{
public:
    virtual ~Espera() = default;
    virtual void inicia(qint64 ms) = 0;
    virtual void para() = 0;
    virtual bool ativa() const = 0;
};

// The time of the weighing flow: a monotonic "now" in ms and its waits. The
// program runs on the machine's clock and Qt timers; tests run the flow on a
// clock they move by hand, so that a silence of the indicator or an operator
// who answers late is a step of the test, not a sleep.
class Cronometro
{
public:
    virtual ~Cronometro() = default;
    virtual qint64 agoraMs() const = 0;
    virtual std::unique_ptr<Espera> espera(std::function<void()> aoVencer) = 0;
    // The machine's clock (QElapsedTimer) and QTimer waits on the caller's thread.
    static Cronometro& doSistema();
};

// A clock moved by hand: `avanca` runs the waits that fall due, in their order.
class CronometroManual : public Cronometro
{
public:
    qint64 agoraMs() const override { return m_agora; }
    std::unique_ptr<Espera> espera(std::function<void()> aoVencer) override;
    void avanca(qint64 ms);

private:
    struct Manual;
    qint64 m_agora = 0;
    std::vector<Manual*> m_esperas;
};
