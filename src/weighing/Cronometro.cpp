// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cronometro.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace
{

class EsperaQt : public Espera
{
public:
    explicit EsperaQt(std::function<void()> aoVencer)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(aoVencer));
    }
    void inicia(qint64 ms) override { m_timer.start(int(std::clamp<qint64>(ms, 0, INT_MAX))); }
    void para() override { m_timer.stop(); }
    bool ativa() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

class CronometroSistema : public Cronometro
{
public:
    CronometroSistema() { m_relogio.start(); }
    qint64 agoraMs() const override { return m_relogio.elapsed(); }
    std::unique_ptr<Espera> espera(std::function<void()> aoVencer) override
    {
        return std::make_unique<EsperaQt>(std::move(aoVencer));
    }

private:
    QElapsedTimer m_relogio;
};

} // namespace

Cronometro& Cronometro::doSistema()
{
    static CronometroSistema sistema;
    return sistema;
}

struct CronometroManual::Manual : Espera {
    Manual(CronometroManual& c, std::function<void()> f) : dono(c), aoVencer(std::move(f))
    {
        dono.m_esperas.push_back(this);
    }
    ~Manual() override { std::erase(dono.m_esperas, this); }
    void inicia(qint64 ms) override { vence = dono.m_agora + std::max<qint64>(ms, 0); }
    void para() override { vence = -1; }
    bool ativa() const override { return vence >= 0; }
    CronometroManual& dono;
    std::function<void()> aoVencer;
    qint64 vence = -1;
};

std::unique_ptr<Espera> CronometroManual::espera(std::function<void()> aoVencer)
{
    return std::make_unique<Manual>(*this, std::move(aoVencer));
}

void CronometroManual::avanca(qint64 ms)
{
    const qint64 fim = m_agora + ms;
    for (;;) {
        // the next wait due by the end, earliest first
        Manual* proxima = nullptr;
        for (Manual* e : m_esperas) {
            if (e->ativa() && e->vence <= fim && (!proxima || e->vence < proxima->vence)) {
                proxima = e;
            }
        }
        if (!proxima) {
            break;
        }
        m_agora = proxima->vence;
        proxima->vence = -1;
        proxima->aoVencer();
    }
    m_agora = fim;
}
