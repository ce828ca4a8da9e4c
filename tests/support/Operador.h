// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>
#include <memory>

// Helpers to act as the operator on modal windows: a window shown with
// exec() blocks its caller, so what the operator does in it is scheduled
// before the call that shows it.
namespace Operador
{

// Shows a window as the operator finds it: visible, active, with the focus
// where the window puts it. Fails the test when it does not become active.
inline bool abrir(QWidget& janela)
{
    janela.show();
    QApplication::setActiveWindow(&janela);
    return QTest::qWaitForWindowActive(&janela);
}

// Waits (in the event loop started by exec()) until a visible top-level window
// of type T appears, then runs `acao` on it. A window that does not open
// within 10 s fails the running test; the returned flag tells whether it opened.
template <class T> std::shared_ptr<bool> quandoAbrir(std::function<void(T*)> acao)
{
    auto abriu = std::make_shared<bool>(false);
    auto* relogio = new QElapsedTimer;
    relogio->start();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, relogio, acao, abriu] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) {
                timer->stop();
                timer->deleteLater();
                delete relogio;
                *abriu = true;
                QPointer<T> janela(t);
                acao(t);
                // A check that failed inside `acao` returns before the window is
                // closed: close it, or its event loop would hold the test forever.
                if (QTest::currentTestFailed() && janela && janela->isVisible()) {
                    if (auto* dialogo = qobject_cast<QDialog*>(janela.data()))
                        dialogo->reject();
                    else
                        janela->close();
                }
                return;
            }
        }
        if (relogio->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            delete relogio;
            QTest::qFail("a janela esperada não abriu", __FILE__, __LINE__);
        }
    });
    timer->start();
    return abriu;
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

// A control of a window by its object name (the name the system gives it);
// a missing one stops the test.
template <class T = QWidget> T* campo(QWidget& janela, const char* nome)
{
    auto* c = janela.findChild<T*>(QLatin1String(nome));
    if (!c) {
        qFatal("a janela %s não tem o controle %s", qPrintable(janela.objectName()), nome);
    }
    return c;
}
template <class T = QWidget> T* campo(QWidget* janela, const char* nome)
{
    return campo<T>(*janela, nome);
}

// The name a control is known by in the focus chain: its object name, else
// its accessible name (the caption of its label).
inline QString nomeDe(const QWidget* w)
{
    if (!w) {
        return QStringLiteral("(nenhum)");
    }
    return w->objectName().isEmpty() ? w->accessibleName() : w->objectName();
}

// Presses Enter `vezes` times from the control that has the focus and gives
// the controls the focus reached, in order (what an operator walking the
// window's fields with Enter meets).
inline QStringList caminhoDoEnter(int vezes)
{
    QStringList caminho;
    for (int i = 0; i < vezes; ++i) {
        QWidget* atual = QApplication::focusWidget();
        if (!atual) {
            break;
        }
        QTest::keyClick(atual, Qt::Key_Return);
        caminho << nomeDe(QApplication::focusWidget());
    }
    return caminho;
}

// What an operator meets walking a window with Enter, and what such a walk
// must never do: press a button that deletes, discards or leaves (marked
// destructive), or empty a field that held text.
struct Caminhada {
    QStringList caminho;      // the controls the focus reached, in order
    QStringList pressionados; // destructive buttons pressed on the way
    QStringList apagados;     // fields that held text and were emptied
    bool segura() const { return pressionados.isEmpty() && apagados.isEmpty(); }
    QString relato() const
    {
        return QStringLiteral("caminho: %1; pressionados: %2; apagados: %3")
            .arg(caminho.join(u','), pressionados.join(u','), apagados.join(u','));
    }
};

inline Caminhada caminhaComEnter(QWidget& janela, int vezes)
{
    Caminhada c;
    QList<QMetaObject::Connection> ligacoes;
    for (QAbstractButton* b : janela.findChildren<QAbstractButton*>()) {
        if (b->property("destrutivo").toBool()) {
            ligacoes << QObject::connect(b, &QAbstractButton::pressed,
                                         [&c, b] { c.pressionados << nomeDe(b); });
            ligacoes << QObject::connect(b, &QAbstractButton::clicked, [&c, b] {
                if (!c.pressionados.contains(nomeDe(b))) {
                    c.pressionados << nomeDe(b);
                }
            });
        }
    }
    QList<QPointer<QLineEdit>> cheios;
    for (QLineEdit* e : janela.findChildren<QLineEdit*>()) {
        if (e->isVisible() && !e->text().trimmed().isEmpty() && e->text() != e->placeholderText()) {
            cheios << e;
        }
    }
    QPointer<QWidget> guarda(&janela);
    c.caminho = caminhoDoEnter(vezes);
    if (guarda) {
        for (const QPointer<QLineEdit>& e : cheios) {
            if (e && e->text().remove(u'/').remove(u':').trimmed().isEmpty()) {
                c.apagados << nomeDe(e);
            }
        }
    }
    for (const auto& l : ligacoes) {
        QObject::disconnect(l);
    }
    return c;
}

} // namespace Operador
