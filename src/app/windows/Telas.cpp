// SPDX-License-Identifier: GPL-3.0-or-later
#include "Telas.h"

#include "TFrmCadCidade.h"
#include "TFrmCadEmbalagem.h"
#include "TFrmCadProdutos.h"
#include "TFrmCadTipoVeiculo.h"
#include "TFrmCadastrao.h"
#include "TFrmConfTempl.h"
#include "TFrmConversao.h"
#include "TFrmHistoricoPesagem.h"
#include "TFrmLogin.h"
#include "TFrmPassagens.h"
#include "TFrmPesagem.h"
#include "TFrmRelCli.h"
#include "TFrmRelMovAgrupado.h"
#include "TFrmRelMovClientes.h"
#include "TFrmRelMovFluxo.h"
#include "TFrmSerial.h"
#include "TFrmTicket.h"
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

void Telas::emissor(QWidget* pai, bool inicial)
{
    TFrmCadastrao janela(Cadastros::Emissor, pai);
    janela.modoEmissor(inicial ? TFrmCadastrao::ArranjoEmissor::Inicio
                               : TFrmCadastrao::ArranjoEmissor::DadosCadastrais);
    janela.exec();
}

bool Telas::abrir(QWidget* pai, const Comandos::Comando& comando, const QString& titulo)
{
    using T = Comandos::Tela;
    switch (comando.tela) {
    case T::Cadastro: {
        TFrmCadastrao janela(comando.tipo, pai);
        janela.setWindowTitle(titulo);
        janela.exec();
        return true;
    }
    case T::DadosCadastrais:
        emissor(pai, false);
        return true;
    case T::Produtos:
        mostra<TFrmCadProdutos>(pai);
        return true;
    case T::Cidades:
        mostra<TFrmCadCidade>(pai);
        return true;
    case T::TiposVeiculo:
        mostra<TFrmCadTipoVeiculo>(pai);
        return true;
    case T::Embalagens:
        mostra<TFrmCadEmbalagem>(pai);
        return true;
    case T::FatoresCorrecao:
        mostra<TFrmUmidade>(pai);
        return true;
    case T::ConversaoUmidade:
        mostra<TFrmConversao>(pai);
        return true;
    case T::Usuarios:
        mostra<TFrmUsuarios>(pai);
        return true;
    case T::Configuracoes: {
        TFrmSerial janela(pai);
        QObject::connect(&janela, &TFrmSerial::editarTemplate, &janela,
                         [&janela](int codigo) { TFrmConfTempl::editar(&janela, QString::number(codigo)); });
        janela.exec();
        return true;
    }
    case T::PesagemEntrada:
    case T::PesagemSaida: {
        TFrmPesagem janela(comando.tela == T::PesagemEntrada ? 1 : 2, pai);
        janela.imprimeTicket = [&janela](qint64 codigo, int modo, int copias) {
            TFrmTicket::imprimeAposPesagem(&janela, codigo, modo, copias);
        };
        janela.exec();
        return true;
    }
    case T::Ticket:
        TFrmTicket::ConsultaPesagens = [](QWidget* p) {
            // a picker: the list has the focus, Enter or Space take its row
            TFrmPesagem saida(2, p);
            saida.abrirComoSeletor();
            saida.exec();
            return saida.ultimoCodigo();
        };
        TFrmTicket::abrir(pai);
        return true;
    case T::HistoricoPesagem:
        mostra<TFrmHistoricoPesagem>(pai);
        return true;
    case T::PassagensSemPesagem:
        mostra<TFrmPassagens>(pai);
        return true;
    case T::MovimentoCadastro:
        mostra<TFrmRelMovClientes>(pai);
        return true;
    case T::MovimentoFluxo:
        mostra<TFrmRelMovFluxo>(pai);
        return true;
    case T::MovimentoAgrupado:
        mostra<TFrmRelMovAgrupado>(pai);
        return true;
    case T::ListagemProdutos:
        mostra<TFrmProdutos>(pai);
        return true;
    case T::ListagemCadastros:
        mostra<TFrmRelCli>(pai);
        return true;
    }
    return false;
}
