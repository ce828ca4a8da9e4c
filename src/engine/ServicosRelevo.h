// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CodigosImpressora.h"

#include <QString>
#include <memory>

class TRelevo;

// Flags and answers of the message boxes (the values of the system's Mensagem).
namespace MsgRelevo
{
enum : int { Ok = 0, SimNao = 4, Erro = 16, Pergunta = 32, Aviso = 48, Informacao = 64 };
enum : int { RespOk = 1, RespSim = 6, RespNao = 7 };
} // namespace MsgRelevo

// The progress window of a report run.
class ProgressoRelatorio
{
public:
    virtual ~ProgressoRelatorio() = default;
    // Caption, button, confirmation question and its title; shows the window.
    virtual void mostrar(const QString& titulo, const QString& botao, const QString& pergunta,
                         const QString& tituloPergunta) = 0;
    // Bar position 0-100; SemTamanho: work going on, its amount not known.
    static constexpr int SemTamanho = -1;
    virtual void posicionar(int valor) = 0;
    virtual int posicao() const = 0;
};

// What the print job needs from the windows: message boxes, the preview, the
// progress window and page printing. The windows library installs the real ones;
// without it messages go to the log and questions are answered No.
class ServicosRelevo
{
public:
    virtual ~ServicosRelevo() = default;

    virtual int mensagem(const QString& texto, const QString& titulo, int flags);
    // Opens the preview of a job whose first page is composed while the rest is still
    // being composed (the report run processes events between records): the pages
    // show as they arrive. The finished job then ends in `preview`, a cancelled or
    // dropped one in `fecharPreview`.
    virtual void abrirPreview(TRelevo& job);
    // Shows the finished, previewed job modally (in the window `abrirPreview` opened, if any).
    virtual void preview(TRelevo& job);
    // The job will not be shown (cancelled, dropped, failed or destroyed): closes the
    // preview `abrirPreview` opened for it, if any.
    virtual void fecharPreview(TRelevo& job);
    // Draws the job file on the system printer; false with the reason in `erro`.
    virtual bool imprimirArquivo(TRelevo& job, const QString& arquivo, QString* erro);
    virtual std::unique_ptr<ProgressoRelatorio> progresso(TRelevo& job);

    static ServicosRelevo& atual();
    // Installs `s` (not owned); nullptr restores the default.
    static void instalar(ServicosRelevo* s);
};
