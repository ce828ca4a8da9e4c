// SPDX-License-Identifier: GPL-3.0-or-later
// VIGA: the gatehouse and truck scale system.
#include "Conexao.h"
#include "Dialogos.h"
#include "EsperaBanco.h"
#include "Esquema.h"
#include "InstanciaUnica.h"
#include "PastaDados.h"
#include "ServicosRelevoJanelas.h"
#include "TDM.h"
#include "TFrmMain.h"
#include "Traducoes.h"

#include <QApplication>
#include <QIcon>
#include <QStatusBar>

#include <cstdio>
#include <cstring>

namespace
{
const char* const uso = "Uso: viga [opções]\n"
                        "\n"
                        "VIGA - Gestão de Balança Rodoviária.\n"
                        "Pasta de dados: $VIGA_HOME, ou ~/.local/share/viga num VIGA instalado\n"
                        "(veja man viga).\n"
                        "\n"
                        "  -v, --version   mostra a versão e termina\n"
                        "  -h, --help      mostra esta ajuda e termina\n"
                        "\n"
                        "As opções comuns dos programas Qt, como -platform e -style, também valem.\n";
} // namespace

int main(int argc, char** argv)
{
    // Answered before the window system is touched: works without a display.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--version") || !std::strcmp(argv[i], "-v")) {
            std::printf("viga %s\n", VIGA_VERSION);
            return 0;
        }
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(uso, stdout);
            return 0;
        }
    }

    QApplication app(argc, argv);
    PreparaAplicacao();
    QApplication::setApplicationVersion(QStringLiteral(VIGA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("br.com.example.viga"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("br.com.example.viga")));
    // Print jobs show their preview, progress and messages in windows.
    InstalarServicosRelevo();

    InstanciaUnica instancia;
    if (!instancia.adquirir()) {
        if (!instancia.erro().isEmpty()) {
            Mensagem(QStringLiteral("O VIGA não pode verificar se já está em execução: não há uma pasta "
                                    "particular deste usuário.\rDetalhe: ") +
                         instancia.erro(),
                     QStringLiteral("Erro"), Msg::Erro);
            return 1;
        }
        Mensagem(QStringLiteral("O sistema VIGA já está em execução"), QStringLiteral("Aviso"), Msg::Ok);
        return 1;
    }

    QString erro;
    if (!PastaDados::preparar(&erro)) {
        Mensagem(erro, QStringLiteral("Erro"), Msg::Erro);
        return 1;
    }
    // what this process creates in the data folder is closed from the start
    PastaDados::restringirCriacao();
    Conexao conexao;
    if (!Conexao::ler(conexao, &erro)) {
        Mensagem(erro, QStringLiteral("Erro"), Msg::Erro);
        return 1;
    }
    if (const QString aviso = Conexao::avisoPermissoes(); !aviso.isEmpty()) {
        Mensagem(aviso, QStringLiteral("Aviso"), Msg::Aviso);
    }
    TDM dm(conexao);
    if (!Esquema::abreBanco(dm, &erro)) {
        Mensagem(QStringLiteral("Não foi possível abrir o banco de dados.\rErro retornado: ") + erro,
                 QStringLiteral("Erro"), Msg::Erro);
        return 1;
    }

    TFrmMain principal(dm);
    // A database another program holds: a wait cursor and a status text
    // while VIGA tries again.
    EsperaBanco::instalar([&principal](const QString& texto) {
        if (texto.isEmpty()) {
            QApplication::restoreOverrideCursor();
            principal.statusBar()->clearMessage();
        } else {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            principal.statusBar()->showMessage(texto);
        }
    });
    principal.showMaximized();
    const int r = app.exec();
    EsperaBanco::instalar({});
    return r;
}
