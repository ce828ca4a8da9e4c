// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>

class QSqlError;

// A SQLite file another program holds locked (a write in progress, a
// backup tool): the statement is tried again for a while, each try waiting
// only a short moment inside SQLite, while the window keeps painting and
// shows that it waits (the indicator the program installs: a wait cursor and
// a status text). When the time runs out the failure is told in words.
class EsperaBanco
{
public:
    EsperaBanco() = default;
    ~EsperaBanco();
    EsperaBanco(const EsperaBanco&) = delete;
    EsperaBanco& operator=(const EsperaBanco&) = delete;

    // The error says the database is busy or locked by another connection.
    static bool ocupado(const QSqlError& erro);
    // After a busy failure: shows the wait (first time), lets the window
    // paint, and says whether to try again (false once the limit passed).
    bool tentarDeNovo();
    // The message for a wait that ran out, with the database's own text.
    static QString mensagemEsgotada(const QString& erroDoBanco);

    // How long SQLite itself waits on each try (ms): short, so the window is
    // never frozen for longer.
    static constexpr int EsperaPorTentativaMs = 200;
    // Total time before the failure is told (ms); tests shorten it.
    static void setLimiteMs(int ms);
    static int limiteMs();

    // What the program shows while waiting: called with the text when the
    // wait begins and with an empty text when it ends. None: just waits.
    using Indicador = std::function<void(const QString& texto)>;
    static void instalar(Indicador indicador);

private:
    QElapsedTimer m_relogio;
    bool m_mostrando = false;
};
