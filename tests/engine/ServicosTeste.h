// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ServicosRelevo.h"
#include "TRelevo.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QtTest>

// Records the engine's messages and keeps what a previewed job handed to the
// preview (display and printer lines per page). Questions get the planned answers.
class ServicosTeste : public ServicosRelevo
{
public:
    ServicosTeste() { ServicosRelevo::instalar(this); }
    ~ServicosTeste() override { ServicosRelevo::instalar(nullptr); }

    struct Msg {
        QString texto, titulo;
        int flags;
    };
    QList<Msg> mensagens;
    QList<int> respostas;
    int previews = 0;
    QStringList titulos; // the title of each previewed job
    QList<QStringList> paginasExibidas;
    QList<QList<QByteArray>> paginasImpressora;

    int mensagem(const QString& texto, const QString& titulo, int flags) override
    {
        mensagens << Msg{texto, titulo, flags};
        if ((flags & 0xF) == MsgRelevo::SimNao)
            return respostas.isEmpty() ? MsgRelevo::RespNao : respostas.takeFirst();
        return MsgRelevo::RespOk;
    }
    void preview(TRelevo& job) override
    {
        ++previews;
        titulos << job.ReportTitle;
        paginasExibidas.clear();
        paginasImpressora.clear();
        for (int p = 0; p < job.PreviewPages().size(); ++p) {
            QStringList e;
            QList<QByteArray> i;
            for (int l = 0; l < job.PreviewPages()[p].size(); ++l) {
                e << job.linhaExibida(p, l);
                i << job.linhaImpressora(p, l);
            }
            paginasExibidas << e;
            paginasImpressora << i;
        }
    }
    QStringList textos() const
    {
        QStringList t;
        for (const auto& m : mensagens)
            t << m.texto;
        return t;
    }
};

// A job without the built-in header whose bytes end in `arquivo` (delivered by moving the job file).
inline void jobParaArquivo(TRelevo& job, const QString& arquivo)
{
    job.PageHeader = false;
    job.SaveFile = true;
    job.SaveFileDir = arquivo;
    job.PrinterPort = QStringLiteral("lpt1");
}

inline QByteArray lerArquivo(const QString& caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Compares bytes with a golden file kept beside the test. With VIGA_GRAVA_GOLDEN=1 the
// file is (re)written instead, to be reviewed byte by byte before it is committed.
inline bool confereGolden(const QByteArray& obtido, const QString& nome)
{
    const QString caminho = QStringLiteral(GOLDEN_DIR "/") + nome;
    if (qEnvironmentVariableIntValue("VIGA_GRAVA_GOLDEN") == 1) {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        f.write(obtido);
        return true;
    }
    const QByteArray esperado = lerArquivo(caminho);
    if (esperado != obtido) {
        int i = 0;
        while (i < esperado.size() && i < obtido.size() && esperado[i] == obtido[i])
            ++i;
        qWarning().noquote() << nome << ": first difference at byte" << i << "expected"
                             << esperado.mid(i, 24).toHex(' ') << "got" << obtido.mid(i, 24).toHex(' ');
        return false;
    }
    return true;
}
