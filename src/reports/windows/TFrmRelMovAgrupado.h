// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmRelatorio.h"

// "Movimentação de Produtos - Agrupado".
class TFrmRelMovAgrupado : public TFrmRelatorio
{
    Q_OBJECT
public:
    explicit TFrmRelMovAgrupado(QWidget* parent = nullptr);

protected:
    void imprimir() override;
};
