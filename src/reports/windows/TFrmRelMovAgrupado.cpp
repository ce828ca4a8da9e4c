// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmRelMovAgrupado.h"

#include "Dialogos.h"
#include "RelatorioAgrupado.h"
#include "TDM.h"

#include <QCheckBox>
#include <QLineEdit>

TFrmRelMovAgrupado::TFrmRelMovAgrupado(QWidget* parent) : TFrmRelatorio(parent)
{
    setObjectName(QStringLiteral("FrmRelMovAgrupado"));
    setWindowTitle(QStringLiteral("Movimentação de Produtos - Agrupado"));
    adicionaProduto();
    adicionaDatas();
    fecha();
    edtProduto->setFocus();
}

void TFrmRelMovAgrupado::imprimir()
{
    FiltroFluxo f;
    f.produto = edtProduto->text().trimmed();
    f.inicio = inicio();
    f.fim = fim();
    RelatorioAgrupado relatorio(*DM);
    if (!relatorio.imprimir(f, chkTela->isChecked()))
        Mensagem(QStringLiteral("Não há dados para imprimir"), QStringLiteral("Informação"), Msg::Informacao);
}
