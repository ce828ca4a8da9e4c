#include "Telas.h"

#include "TFrmCadCidade.h"
#include "TFrmCadEmbalagem.h"
#include "TFrmCadProdutos.h"
#include "TFrmCadTipoVeiculo.h"
#include "TFrmCadastrao.h"
#include "TFrmConversao.h"
#include "TFrmLogin.h"
#include "TFrmPesagem.h"
#include "TFrmSerial.h"
#include "TFrmUmidade.h"
#include "TFrmUsuarios.h"

namespace
{
template <class T> void mostra(QWidget* pai)
{
    T janela(pai);
    janela.exec();
}
} // namespace

bool Telas::login(QWidget* pai)
{
    TFrmLogin janela(pai);
    janela.exec();
    return janela.sucesso() && !janela.encerrar();
}

void Telas::cadastro(QWidget* pai, int tipo, const QString& titulo)
{
    TFrmCadastrao janela(tipo, pai);
    janela.setWindowTitle(titulo);
    janela.exec();
}

void Telas::emissor(QWidget* pai, bool inicial)
{
    TFrmCadastrao janela(1, pai);
    janela.modoEmissor(inicial ? TFrmCadastrao::ArranjoEmissor::Inicio
                               : TFrmCadastrao::ArranjoEmissor::DadosCadastrais);
    janela.exec();
}

void Telas::abrir(QWidget* pai, const QString& comando)
{
    if (comando == QLatin1String("CadProduto")) {
        mostra<TFrmCadProdutos>(pai);
    } else if (comando == QLatin1String("cadcidade")) {
        mostra<TFrmCadCidade>(pai);
    } else if (comando == QLatin1String("CadVeiculo")) {
        mostra<TFrmCadTipoVeiculo>(pai);
    } else if (comando == QLatin1String("cadEmbalagem")) {
        mostra<TFrmCadEmbalagem>(pai);
    } else if (comando == QLatin1String("Umidade")) {
        mostra<TFrmUmidade>(pai);
    } else if (comando == QLatin1String("ConvUmidade")) {
        mostra<TFrmConversao>(pai);
    } else if (comando == QLatin1String("CadUsuario")) {
        mostra<TFrmUsuarios>(pai);
    } else if (comando == QLatin1String("ConSerial")) {
        mostra<TFrmSerial>(pai);
    } else if (comando == QLatin1String("PesEntrada") || comando == QLatin1String("PesSaida")) {
        TFrmPesagem janela(comando == QLatin1String("PesEntrada") ? 1 : 2, pai);
        janela.exec();
    }
    // The weighing, ticket and report windows are wired as they are built.
}
