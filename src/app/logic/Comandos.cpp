// SPDX-License-Identifier: GPL-3.0-or-later
#include "Comandos.h"

#include "LeConfig.h"
#include "SessaoAtual.h"

namespace Comandos
{

const std::vector<Comando>& tabela()
{
    using M = Menu;
    using D = Direito;
    using R = Regra;
    using T = Tela;
    static const std::vector<Comando> t = {
        {"CadCliente", "C&liente", M::Cadastros, D::Cadastros, R::Nenhuma, T::Cadastro, Cadastros::Cliente},
        {"CadFornecedor", "&Fornecedor", M::Cadastros, D::Cadastros, R::Nenhuma, T::Cadastro,
         Cadastros::Fornecedor},
        {"CadTransp", "&Transportadora", M::Cadastros, D::Cadastros, R::Nenhuma, T::Cadastro,
         Cadastros::Transportadora},
        {"CadMotorista", "&Motorista", M::Cadastros, D::Cadastros, R::Nenhuma, T::Cadastro,
         Cadastros::Motorista},
        {"CadProduto", "&Produto", M::Cadastros, D::Cadastros, R::Nenhuma, T::Produtos},
        {"cadcidade", "&Cidade", M::Cadastros, D::Cadastros, R::Nenhuma, T::Cidades},
        {"CadVeiculo", "T&ipo de Veículo", M::Cadastros, D::Livre, R::Nenhuma, T::TiposVeiculo},
        {"cadEmbalagem", "Embalagem", M::Cadastros, D::Livre, R::Nenhuma, T::Embalagens},
        {"Umidade", "F&ator de Correção", M::Cadastros, D::Cadastros, R::FatorCorrecao, T::FatoresCorrecao},
        {"ConvUmidade", "C&onversão de Umidade", M::Cadastros, D::Cadastros, R::ConversaoUmidade,
         T::ConversaoUmidade},
        {"CadUsuario", "&Usuário", M::Cadastros, D::Administrador, R::Nenhuma, T::Usuarios},
        {"PesEntrada", "&Entrada", M::Pesagem, D::Entrada, R::Nenhuma, T::PesagemEntrada},
        {"PesSaida", "&Saída", M::Pesagem, D::Saida, R::Nenhuma, T::PesagemSaida},
        {"PesTicket", "&Imprimir Ticket", M::Pesagem, D::Livre, R::Nenhuma, T::Ticket},
        {"Produto", "&Listagem de Produtos", M::Relatorios, D::Relatorios, R::Nenhuma, T::ListagemProdutos},
        {"RelCadastros", "L&istagem de Cadastros", M::Relatorios, D::Relatorios, R::Nenhuma,
         T::ListagemCadastros},
        {"MvtoCadastro", "M&ovimentação de Produtos X Cliente/Fornecedor", M::Relatorios, D::Relatorios,
         R::Nenhuma, T::MovimentoCadastro},
        {"MvtoData", "&Movimentação de Produtos - Fluxo Diário", M::Relatorios, D::Relatorios,
         R::SemGradeProdutos, T::MovimentoFluxo},
        {"MvtoAgrupado", "Mo&vimentação de Produtos - Agrupado", M::Relatorios, D::Relatorios,
         R::SemGradeProdutos, T::MovimentoAgrupado},
        {"ConSerial", "&Configurações", M::Utilitarios, D::Administrador, R::Nenhuma, T::Configuracoes},
        {"ConDados", "&Dados Cadastrais", M::Utilitarios, D::Cadastros, R::Nenhuma, T::DadosCadastrais},
        {"HistPesagem", "&Histórico da Pesagem", M::Utilitarios, D::Administrador, R::Nenhuma,
         T::HistoricoPesagem},
        {"Passagens", "&Passagens sem Pesagem", M::Utilitarios, D::Administrador, R::Nenhuma,
         T::PassagensSemPesagem},
    };
    return t;
}

const Comando* busca(const QString& acao)
{
    for (const Comando& c : tabela()) {
        if (acao == QLatin1String(c.acao)) {
            return &c;
        }
    }
    return nullptr;
}

namespace
{

bool permitido(Direito d, const TSessao& s)
{
    switch (d) {
    case Direito::Livre:
        return true;
    case Direito::Cadastros:
        return s.pode(s.Cadastros);
    case Direito::Relatorios:
        return s.pode(s.Relatorios);
    case Direito::Entrada:
        return s.pode(s.PesagemEntrada);
    case Direito::Saida:
        return s.pode(s.PesagemSaida);
    case Direito::Administrador:
        return s.ehAdmin();
    }
    return false;
}

QString regra(Regra r, TDM& dm)
{
    switch (r) {
    case Regra::Nenhuma:
        return QString();
    case Regra::FatorCorrecao:
    case Regra::ConversaoUmidade: {
        LeConfig c(dm);
        if (c.inteiro(QStringLiteral("CFG_UMIDADE")) != 0 ||
            c.inteiro(QStringLiteral("CFG_UMIDADEUNICA")) != 0) {
            return QString();
        }
        return r == Regra::FatorCorrecao
                   ? QStringLiteral(
                         "Cadastro do Fator de Correção Fixo indisponível conforme configurações !")
                   : QStringLiteral("Cadastro de Correção de Umidade indisponível conforme configurações !");
    }
    case Regra::SemGradeProdutos:
        if (LeConfig(dm).inteiro(QStringLiteral("CFG_MORPRODUTO")) == 0) {
            return QString();
        }
        return QStringLiteral("Relatório indisponível devido a grade de produtos!");
    }
    return QString();
}

} // namespace

QString recusa(const Comando& c, TDM& dm, const TSessao& sessao)
{
    if (const QString r = regra(c.regra, dm); !r.isEmpty()) {
        return r;
    }
    if (!permitido(c.direito, sessao)) {
        return QStringLiteral("Módulo com acesso restrito.");
    }
    return QString();
}

QString tituloCadastro(const Comando& c, TDM& dm)
{
    const bool navio =
        c.tipo == Cadastros::Transportadora && LeConfig(dm).inteiro(QStringLiteral("CFG_NAVIO")) == 1;
    return Cadastros::tituloJanela(c.tipo, navio);
}

} // namespace Comandos
