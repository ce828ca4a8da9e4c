// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmCadastroSimples.h"

class QComboBox;

// "Cadastro de Cidades": the cities registry, also the city picker of the
// parties window (TFrmPadrao's contract: escolher(), then codigo and
// texto("CID_DESCRICAO") of the row chosen).
class TFrmCadCidade : public TFrmCadastroSimples
{
    Q_OBJECT
public:
    explicit TFrmCadCidade(QWidget* parent = nullptr);

    QComboBox* campoUf() const { return m_uf; }

protected:
    void limpaExtra() override;
    void carregaExtra(TQuery& lista) override;
    void salvarRegistro(bool inserir, int codigo) override;
    void excluirRegistro(int codigo) override;
    QString tabela() const override { return QStringLiteral("Cidade"); }

private:
    QComboBox* m_uf;
};
