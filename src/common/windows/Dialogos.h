// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <optional>

class QFileDialog;
class QWidget;

// Message box flags and results (the platform's values, which the windows use).
namespace Msg
{
enum : int {
    Ok = 0,
    // "Sim", "Não" and "Cancelar": Esc (or closing the box) answers RespCancelar.
    SimNaoCancelar = 3,
    SimNao = 4,
    Erro = 16,
    Pergunta = 32,
    Aviso = 48,
    Informacao = 64,
    // The second button ("Não") is the default one: Enter on a question that
    // deletes or discards keeps the data.
    PadraoNao = 256,
};
enum Resposta : int { RespOk = 1, RespCancelar = 2, RespSim = 6, RespNao = 7 };
} // namespace Msg

// Every message box and standard dialog of the system goes through this
// service. The program shows the real dialogs; tests install a scripted one.
class Dialogos
{
public:
    virtual ~Dialogos() = default;

    // A message box; "\r" in the text is a line break. Returns a Msg::Resposta.
    virtual int mensagem(const QString& texto, const QString& titulo, int flags) = 0;
    // File choosers with a filter "Descrição|*.a;*.b|..." ; empty when cancelled.
    virtual QString abrirArquivo(const QString& titulo, const QString& filtro) = 0;
    virtual QString salvarArquivo(const QString& titulo, const QString& filtro, const QString& sugestao) = 0;
    virtual std::optional<QFont> escolherFonte(const QFont& inicial) = 0;

    static Dialogos& atual();
    // Installs `d` (not owned); nullptr restores the real dialogs.
    static void instalar(Dialogos* d);
};

// The system's message box: text, title, flags → button pressed.
int Mensagem(const QString& texto, const QString& titulo, int flags = Msg::Informacao);

// The file chooser the real service shows: Qt's own dialog in Portuguese
// (titles, type names and dates as the operators read them), each filter
// written once, opening in the data folder (or on the suggested file there).
// `filtro` is "Descrição|*.a;*.b|...". The caller owns the dialog.
QFileDialog* NovoDialogoArquivo(QWidget* pai, const QString& titulo, const QString& filtro,
                                const QString& sugestao, bool salvar);
// The font as the font dialog can show it: a name the system only aliases
// ("Courier New" → "Liberation Mono") becomes the installed family it stands
// for, so the dialog starts on the font in use.
QFont FonteInstalada(const QFont& f);
