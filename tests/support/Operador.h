#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Helpers to act as the operator on modal windows: a window shown with
// exec() blocks its caller, so what the operator does in it is scheduled
// before the call that shows it.
namespace Operador
{

// Waits (in the event loop started by exec()) until a visible top-level window
// of type T appears, then runs `acao` on it. Fails the wait after 10 s.
template <class T> void quandoAbrir(std::function<void(T*)> acao)
{
    auto* relogio = new QElapsedTimer;
    relogio->start();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, relogio, acao] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) {
                timer->stop();
                timer->deleteLater();
                delete relogio;
                acao(t);
                return;
            }
        }
        if (relogio->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            delete relogio;
            qWarning("janela esperada não abriu");
        }
    });
    timer->start();
}

// The visible top-level window of type T, or nullptr.
template <class T> T* janelaAberta()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) {
            return t;
        }
    }
    return nullptr;
}

} // namespace Operador
