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
// more field over a grid, the search by name, the picker form and the
// selection handed back to the opener.
class TFrmCadastroSimples : public TFrmPadrao
{
    Q_OBJECT
public:
    // Picker form: grid moved up and enlarged, New/Save/Cancel/Delete hidden
    // and disabled, the exit button reads "&OK"; a double click does nothing.
    void modoSelecao();
    bool emSelecao() const { return m_selecao; }

    // The row current when the window closed (nothing when the list was empty).
    bool temSelecao() const { return m_temSelecao; }
    int codigoSelecionado() const { return m_codigoSelecionado; }
    QString nomeSelecionado() const { return m_nomeSelecionado; }

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
    void done(int r) override;
    void showEvent(QShowEvent* e) override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

    int codigo() const;
    void ajustaSalvar();

private:
    void carregaLista();
    void limpa();
    void gradeDuploClique();

    TQuery& m_lista;
    QString m_campoCodigo;
    QString m_campoNome;
    QWidget* m_painel;
    QFormLayout* m_campos;
    TMaskEdit* m_codigo;
    QLineEdit* m_nome;
    QLineEdit* m_localizar;
    TDBGrid* m_grade;
    bool m_selecao = false;
    bool m_temSelecao = false;
    int m_codigoSelecionado = 0;
    QString m_nomeSelecionado;
};
