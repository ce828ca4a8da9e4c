#include "Seletores.h"

#include "TFrmCadProdutos.h"
#include "TFrmCadastrao.h"
#include "TFrmUmidade.h"

namespace Seletores
{

namespace
{

std::optional<Item> deCadastro(const TFrmCadastrao& w)
{
    const auto s = w.selecao();
    if (!s) {
        return std::nullopt;
    }
    return Item{QString::number(s->codigo), s->razao.trimmed(), s->placa.trimmed(), s->insRg.trimmed()};
}

} // namespace

std::optional<Item> parte(QWidget* pai, int tipo)
{
    TFrmCadastrao w(tipo, pai);
    w.modoSelecao();
    w.exec();
    return deCadastro(w);
}

std::optional<Item> motorista(QWidget* pai, bool pelaPlaca)
{
    TFrmCadastrao w(5, pai);
    w.setBuscaPorPlaca(pelaPlaca);
    w.modoSelecao();
    w.exec();
    return deCadastro(w);
}

std::optional<Item> produto(QWidget* pai)
{
    TFrmCadProdutos w(pai);
    w.setModoSelecao(true);
    w.exec();
    if (w.codigoSelecionado().isEmpty()) {
        return std::nullopt;
    }
    return Item{w.codigoSelecionado().trimmed(), w.descricaoSelecionada().trimmed(), {}, {}};
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
    return deCadastro(w);
}

void cadastroProduto(QWidget* pai)
{
    TFrmCadProdutos w(pai);
    w.exec();
}

} // namespace Seletores
