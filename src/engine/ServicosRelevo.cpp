// SPDX-License-Identifier: GPL-3.0-or-later
#include "ServicosRelevo.h"

#include <QDebug>

namespace
{
ServicosRelevo* instalado = nullptr;
}

int ServicosRelevo::mensagem(const QString& texto, const QString& titulo, int flags)
{
    qWarning().noquote() << titulo << ":" << texto;
    return (flags & 0xF) == MsgRelevo::SimNao ? MsgRelevo::RespNao : MsgRelevo::RespOk;
}

void ServicosRelevo::abrirPreview(TRelevo&) {}

void ServicosRelevo::preview(TRelevo&) {}

void ServicosRelevo::fecharPreview(TRelevo&) {}

bool ServicosRelevo::imprimirArquivo(TRelevo&, const QString&, QString* erro)
{
    if (erro) *erro = QStringLiteral("Impressora não definida");
    return false;
}

std::unique_ptr<ProgressoRelatorio> ServicosRelevo::progresso(TRelevo&)
{
    return nullptr;
}

ServicosRelevo& ServicosRelevo::atual()
{
    static ServicosRelevo padrao;
    return instalado ? *instalado : padrao;
}

void ServicosRelevo::instalar(ServicosRelevo* s)
{
    instalado = s;
}
