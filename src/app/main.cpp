// VIGA: the gatehouse and truck scale system.
#include "Conexao.h"
#include "Dialogos.h"
#include "InstanciaUnica.h"
#include "PastaDados.h"
#include "TDM.h"
#include "TFrmMain.h"
#include "Traducoes.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PreparaAplicacao();
    QApplication::setApplicationVersion(QStringLiteral(VIGA_VERSION));

    InstanciaUnica instancia;
    if (!instancia.adquirir()) {
        Mensagem(QStringLiteral("O sistema VIGA já está em execução"), QStringLiteral("Aviso"), Msg::Ok);
        return 1;
    }

    QString erro;
    if (!PastaDados::preparar(&erro)) {
        Mensagem(erro, QStringLiteral("Erro"), Msg::Erro);
        return 1;
    }
    Conexao conexao;
    if (!Conexao::ler(conexao, &erro)) {
        Mensagem(erro, QStringLiteral("Erro"), Msg::Erro);
        return 1;
    }
    TDM dm(conexao);
    if (!dm.Conectar(&erro)) {
        Mensagem(QStringLiteral("Não foi possível abrir o banco de dados.\rErro retornado: ") + erro,
                 QStringLiteral("Erro"), Msg::Erro);
        return 1;
    }

    TFrmMain principal(dm);
    principal.showMaximized();
    return app.exec();
}
