// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmRelMovFluxo.h"

#include "Dialogos.h"
#include "RelatorioFluxo.h"
#include "TDM.h"

#include <QCheckBox>
#include <QLineEdit>

TFrmRelMovFluxo::TFrmRelMovFluxo(QWidget* parent) : TFrmRelatorio(parent)
{
    setObjectName(QStringLiteral("FrmRelMovFluxo"));
    setWindowTitle(QStringLiteral("Movimentação de Produtos - Fluxo Diário"));
    adicionaProduto();
    adicionaDatas();
    fecha();
    edtProduto->setFocus();
}

void TFrmRelMovFluxo::imprimir()
{
    FiltroFluxo f;
    f.produto = edtProduto->text().trimmed();
    f.inicio = inicio();
    f.fim = fim();
    RelatorioFluxo relatorio(*DM);
    if (!relatorio.imprimir(f, chkTela->isChecked()))
        Mensagem(QStringLiteral("Não há dados para imprimir"), QStringLiteral("Informação"), Msg::Informacao);
}
