// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogos.h"

#include <QList>
#include <QStringList>
#include <functional>

// The scripted dialogs service of the tests: records every message shown
// and answers with what the test planned (Yes to an unplanned question).
class DialogosRoteiro : public Dialogos
{
public:
    struct Mostrada {
        QString texto;
        QString titulo;
        int flags;
    };

    DialogosRoteiro() { Dialogos::instalar(this); }
    ~DialogosRoteiro() override { Dialogos::instalar(nullptr); }

    // Answers for the next questions, in order.
    void responder(int resposta) { m_respostas << resposta; }
    // The operator presses Enter on the next question: its default button
    // ("Não" on a question flagged Msg::PadraoNao, else "Sim").
    static constexpr int Enter = -1;
    void responderEnter() { m_respostas << Enter; }
    void arquivo(const QString& caminho) { m_arquivos << caminho; }
    void fonte(const QFont& f) { m_fontes << f; }
    // Called for every message, before it is answered.
    std::function<void(const Mostrada&)> aoMostrar;

    QList<Mostrada> mostradas;
    QStringList textos() const;
    QString ultimo() const { return mostradas.isEmpty() ? QString() : mostradas.last().texto; }
    void limpar() { mostradas.clear(); }

    int mensagem(const QString& texto, const QString& titulo, int flags) override;
    QString abrirArquivo(const QString& titulo, const QString& filtro) override;
    QString salvarArquivo(const QString& titulo, const QString& filtro, const QString& sugestao) override;
    std::optional<QFont> escolherFonte(const QFont& inicial) override;

    QStringList filtrosPedidos;
    // The font each font dialog was opened on.
    QList<QFont> fontesIniciais;

private:
    QList<int> m_respostas;
    QStringList m_arquivos;
    QList<QFont> m_fontes;
};
