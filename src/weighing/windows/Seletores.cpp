// SPDX-License-Identifier: GPL-3.0-or-later
#include "Seletores.h"

#include "TFrmCadProdutos.h"
#include "TFrmCadastrao.h"
#include "TFrmUmidade.h"

namespace Seletores
{

namespace
{

std::optional<Item> daEscolha(const std::optional<Escolha>& e)
{
    if (!e) {
        return std::nullopt;
    }
    return Item{QString::number(e->codigo), e->texto(QStringLiteral("CAD_RAZAO")).trimmed(),
                e->texto(QStringLiteral("CAD_PLACA")).trimmed(),
                e->texto(QStringLiteral("CAD_INSRG")).trimmed()};
}

} // namespace

std::optional<Item> parte(QWidget* pai, int tipo)
{
    TFrmCadastrao w(tipo, pai);
    return daEscolha(w.escolher());
}

std::optional<Item> motorista(QWidget* pai, bool pelaPlaca)
{
    TFrmCadastrao w(5, pai);
    w.setBuscaPorPlaca(pelaPlaca);
    return daEscolha(w.escolher());
}

std::optional<Item> produto(QWidget* pai)
{
    TFrmCadProdutos w(pai);
    const std::optional<Escolha> e = w.escolher();
    if (!e) {
        return std::nullopt;
    }
    return Item{e->texto(QStringLiteral("PRD_CODIGO")).trimmed(),
                e->texto(QStringLiteral("PRD_DESCRICAO")).trimmed(),
                {},
                {}};
}

std::optional<QString> fator(QWidget* pai, const QString& prdCodigo, int fator)
{
    TFrmUmidade w(pai);
    w.setSelecao(prdCodigo, fator);
    w.exec();
    if (w.valorSelecionado().isEmpty()) {
        return std::nullopt;
    }
    return w.valorSelecionado();
}

void cadastroParte(QWidget* pai, int tipo, const QString& titulo)
{
    TFrmCadastrao w(tipo, pai);
    w.setWindowTitle(titulo);
    w.exec();
}

std::optional<Item> cadastroMotorista(QWidget* pai)
{
    TFrmCadastrao w(5, pai);
    w.exec();
    return daEscolha(w.escolha());
}

void cadastroProduto(QWidget* pai)
{
    TFrmCadProdutos w(pai);
    w.exec();
}

} // namespace Seletores
