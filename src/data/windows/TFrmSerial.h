// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfigEmail.h"
#include "SalvaConfiguracao.h"
#include "TJanela.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Configurações": the site's settings (the one Config row), for the
// administrator. Saving asks for a restart: the main window's menus are set
// once per start.
class TFrmSerial : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmSerial(QWidget* parent = nullptr);

    // The dialog's values as the controls hold them.
    TValoresConfig valores() const;

    // serial line and indicator
    QComboBox* cbPorta;
    QComboBox* cbPortaSaida;
    QComboBox* cbBaud;
    QComboBox* cbBits;
    QComboBox* cbParidade;
    QComboBox* cbStop;
    QComboBox* cbFluxoHard;
    QComboBox* cbFluxoSoft;
    QComboBox* cbModelo;
    QComboBox* cbDivisao;
    QComboBox* cbInterface;
    QComboBox* cbCasasDecimais;
    QComboBox* cbCasasUmidade;
    QPushButton* BtnTesteConexao;

    // the mail server for sending reports (viga.ini, not the database)
    QLineEdit* edtEmailServidor;
    QLineEdit* edtEmailPorta;
    QComboBox* cbEmailSeguranca;
    QLineEdit* edtEmailUsuario;
    QLineEdit* edtEmailSenha;
    QLineEdit* edtEmailRemetente;
    // The e-mail settings as the controls hold them.
    ConfigEmail email() const;

    // printing and tickets
    QComboBox* cbImpressora;
    QLineEdit* edtImprimirEm;
    QCheckBox* chkImpressaoWindows;
    QLineEdit* edtEspacoLinhas;
    QLineEdit* edtFonte;
    QPushButton* BtnFonte;
    QLineEdit* edtTamanhoFonte;
    QLineEdit* edtLinhasTicket;
    QCheckBox* chkTicketSintetico;
    QCheckBox* chkTicket40;
    QCheckBox* chkTransportadora;
    QCheckBox* chkSupervisor;
    QLineEdit* edtDescricaoItem;
    QCheckBox* chkTemplate;
    QLineEdit* edtTemplateEntrada;
    QPushButton* BtnTemplateEntrada;
    QLineEdit* edtTemplateSaida;
    QPushButton* BtnTemplateSaida;
    QCheckBox* chkCabecalho;

    // weighing
    QCheckBox* chkGradeProdutos;
    QCheckBox* chkClienteProdutoGrade;
    QCheckBox* chkFatorSaida;
    QComboBox* cbTipoFatorSaida;
    QCheckBox* chkFatorEntrada;
    QComboBox* cbTipoFatorEntrada;
    QCheckBox* chkSomenteFator7;
    std::array<QLabel*, 10> lblFatores;
    std::array<QLineEdit*, 10> edtFatores;
    QCheckBox* chkAlteraDataHora;
    QCheckBox* chkExibePesagens;
    QCheckBox* chkSomenteProduto;
    QCheckBox* chkProdutoOpcional;
    QCheckBox* chkEditarSaida;
    QCheckBox* chkAlteraCodigo;
    QCheckBox* chkNavio;
    QCheckBox* chkTaraPesagem;
    QCheckBox* chkPesagemVagao;
    QCheckBox* chkCadEmbalagem;
    QCheckBox* chkPesoEmbalagem;
    QCheckBox* chkCadMotorista;
    QCheckBox* chkFrete;
    QCheckBox* chkProdutoAlfa;
    QCheckBox* chkSomenteSaida;
    QCheckBox* chkMetrosCubicos;
    QCheckBox* chkValorTonelada;
    QCheckBox* chkSelecionaBalanca;
    QCheckBox* chkTipoVeiculo;
    QCheckBox* chkPesagemObs;
    QCheckBox* chkChecaZero; // the gate's zero check (PORTARIA)
    QLineEdit* edtTaraFixa;  // hidden

    QPushButton* BtnSalvar;

Q_SIGNALS:
    // "Entrada"/"Saída" edit button with a template code: the template editor
    // opens for that template.
    void editarTemplate(int codigo);

protected:
    void done(int r) override;

private:
    void mostra(const TValoresConfig& v);
    void mostraFatores();
    void ajustaSalvar();
    void ajustaLinhasTicket();
    void BtnSalvarClick();
    void BtnTesteConexaoClick();
    void BtnFonteClick();
    void BtnTemplateClick(QLineEdit* codigo);

    // False when reading Config failed as the dialog opened: the fields hold
    // defaults, not the site's settings, and must never be saved over them.
    bool m_configLida = true;
    QString m_certificadosEmail; // kept as read: not edited here
};
