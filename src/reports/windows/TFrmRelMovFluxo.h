// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmRelatorio.h"

// "Movimentação de Produtos - Fluxo Diário".
class TFrmRelMovFluxo : public TFrmRelatorio
{
    Q_OBJECT
public:
    explicit TFrmRelMovFluxo(QWidget* parent = nullptr);

protected:
    void imprimir() override;
};
