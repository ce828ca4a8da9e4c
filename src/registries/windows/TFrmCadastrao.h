// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TCheckDoc.h"
#include "TFrmPadrao.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;
class QWidget;
class TDBGrid;
class TMaskEdit;

// The parties registry of one kind (1 issuer, 2 carrier or ship, 3 client,
// 4 supplier, 5 driver), also the party picker of the weighing window and the
// issuer registration of the start sequence.
//
//   TFrmCadastrao w(Cadastros::Cliente, parent);   // caption from the kind
//   w.setBuscaPorPlaca(true);                       // drivers looked up by plate (optional)
//   if (const auto e = w.escolher()) {              // the picker contract of TFrmPadrao
//       e->codigo; e->texto("CAD_RAZAO"); e->texto("CAD_PLACA"); e->texto("CAD_INSRG");
//   }
class TFrmCadastrao : public TFrmPadrao
{
    Q_OBJECT
public:
    explicit TFrmCadastrao(int tipo, QWidget* parent = nullptr);

    int tipo() const { return m_tipo; }

    // Search by plate instead of name; the search caption reads "Placa:".
    void setBuscaPorPlaca(bool placa);
    // The issuer's two arrangements (kind 1): at start-up Delete is hidden and
    // New/Save/Cancel sit together on the right; from "&Dados Cadastrais" New
    // and Delete are hidden and disabled and Save/Cancel sit on the right.
    enum class ArranjoEmissor { Inicio, DadosCadastrais };
    void modoEmissor(ArranjoEmissor arranjo);

    TDBGrid* grade() const { return m_grade; }

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    void showEvent(QShowEvent* e) override;
    void abreRegistro() override;
    void aoVirarSeletor() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* ev) override;

private:
    void montaCampos();
    void carregaLista(const QString& ordem = QStringLiteral("order by cad_razao"));
    void tituloClicado(int coluna, const QString& campo);
    void aplicaPessoa(int pessoa);
    void limpa();
    void voltaNavegacao();
    void ajustaSalvar();
    void aplicaModo();
    int codigo() const;

    // What happens when the operator leaves a field; false when the field refused its text.
    bool saiCidade();
    bool saiDocumento();
    bool saiInsRg();
    void saiCep();
    bool saiData();
    void abreCidades(bool selecao);

    int m_tipo;
    bool m_buscaPlaca = false;
    std::optional<ArranjoEmissor> m_emissor;
    bool m_verificando = false;
    TCheckDoc m_checkDoc;

    QWidget* m_painel;
    TMaskEdit* m_codigo;
    QComboBox* m_pessoa;
    QLabel* m_lblRazao;
    QLineEdit* m_razao;
    QLabel* m_lblFantasia;
    QLineEdit* m_fantasia;
    QLabel* m_lblCpfCgc;
    TMaskEdit* m_cpfCgc;
    QLabel* m_lblInsRg;
    QLineEdit* m_insRg;
    TMaskEdit* m_cep;
    QLineEdit* m_endereco;
    QLineEdit* m_bairro;
    QLineEdit* m_fone;
    QLineEdit* m_fax;
    QLineEdit* m_contato;
    QLineEdit* m_email;
    QLineEdit* m_site;
    TMaskEdit* m_data;
    TMaskEdit* m_cidade;
    QToolButton* m_btnCidade;
    QLineEdit* m_nomeCidade;
    QLabel* m_lblPlaca;
    QLineEdit* m_placa;
    QLabel* m_lblTara;
    QLineEdit* m_tara;
    QComboBox* m_inativo;
    QPlainTextEdit* m_obs;
    QLabel* m_lblLocalizar;
    QLineEdit* m_localizar;
    TDBGrid* m_grade;
};
