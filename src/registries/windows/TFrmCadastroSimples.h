// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TFrmPadrao.h"

class QFormLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class TDBGrid;
class TMaskEdit;
class TQuery;

// What the cities and vehicle types windows share: a code, a name and one
// more field over a grid, the search by name. As pickers (TFrmPadrao's
// contract) the fields are hidden and the search and the list stay.
class TFrmCadastroSimples : public TFrmPadrao
{
    Q_OBJECT
public:
    TMaskEdit* campoCodigo() const { return m_codigo; }
    QLineEdit* campoNome() const { return m_nome; }
    QLineEdit* campoLocalizar() const { return m_localizar; }
    TDBGrid* grade() const { return m_grade; }

protected:
    TFrmCadastroSimples(TQuery& lista, const QString& colunaCodigo, const QString& colunaNome,
                        const QString& rotuloNome, int tamanhoNome, QWidget* parent);

    // Adds the third field below code and name.
    void adicionaCampo(const QString& rotulo, QWidget* campo);
    // Called once the derived window added its fields: grid columns, list opened.
    void montar(const QString& tituloNome);

    // Third field of the window: cleared, loaded from the list's current row.
    virtual void limpaExtra() = 0;
    virtual void carregaExtra(TQuery& lista) = 0;
    // The statements of the window; throw ErroBanco.
    virtual void salvarRegistro(bool inserir, int codigo) = 0;
    virtual void excluirRegistro(int codigo) = 0;
    virtual QString tabela() const = 0;

    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    void abreRegistro() override;
    void aoVirarSeletor() override;

    int codigo() const;
    void ajustaSalvar();

private:
    void carregaLista();
    void limpa();

    TQuery& m_lista;
    QString m_campoCodigo;
    QString m_campoNome;
    QWidget* m_painel;
    QFormLayout* m_campos;
    TMaskEdit* m_codigo;
    QLineEdit* m_nome;
    QLineEdit* m_localizar;
    TDBGrid* m_grade;
    QWidget* m_ultimoCampo;
};
