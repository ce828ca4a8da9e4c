// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FluxoPesagem.h"
#include "Pesagem.h"
#include "TFrmPadrao.h"

#include <QHash>
#include <QPair>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class ErroBanco;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;
class TDBGrid;
class TLampadaBalanca;
class TMaskEdit;
class TstrGrid;

// "Pesagem Entrada" / "Pesagem Saída": the weighing window. The first
// weighing of a vehicle (mode 1) and its second one, picked from the list of
// open weighings (mode 2). The weighing runs in its flow (FluxoPesagem: the
// reading, the evidence, the save, the pictures and ticket, the list's poll);
// the rules, look-ups and statements live in the weighing logic; this window
// binds them to its controls. Its code is split by concern: the controls
// (TFrmPesagem.cpp), the set-up from Config and the list (PesagemConfig.cpp),
// the record, "Novo", loading, the keys and the Save button
// (PesagemCampos.cpp), the checks on leaving a field (PesagemChecagens.cpp),
// look-ups and pickers (PesagemBuscas.cpp), the live weight as the flow reads
// it (PesagemBalanca.cpp), the pictures shown (PesagemEvidencia.cpp) and the
// save, delete and list refresh (PesagemSalvar.cpp).
struct Checagem;

class TFrmPesagem : public TFrmPadrao
{
    Q_OBJECT
public:
    // 1 entry, 2 exit.
    explicit TFrmPesagem(int modo, QWidget* parent = nullptr);
    ~TFrmPesagem() override;

    int modo() const { return m_modo; }
    // The weighing number of the list's current row when the window closed.
    QString ultimoCodigo() const { return m_ultimoCodigo; }
    // The ticket asked for by the last save (handed over after the commit).
    bool pedidoImpressao() const { return m_imprimir; }
    int copias() const { return m_copias; }
    // Prints the ticket of a committed weighing (number, mode, copies); unset, nothing prints.
    std::function<void(qint64, int, int)> imprimeTicket;

    // The weighing on screen, read from the controls.
    PesagemTela pesagem() const;
    const ConfigPesagem& config() const { return m_cfg; }
    FluxoPesagem& fluxo() { return *m_fluxo; }

    // Controls; each keeps its control name as its object name, which tests
    // look up.
    TMaskEdit* campoCodigoPesagem;          // "Código Pesagem:"
    QLineEdit* campoPlaca;                  // "Placa:"
    QLineEdit* campoPlacaCarreta;           // "Placa da Carreta:"
    QLineEdit* campoPesoNotaFiscal;         // "Peso Nota Fiscal:"
    QLineEdit* campoNumeroNotaFiscal;       // "Nº da N. F.:"
    QLineEdit* campoPesoEmbalagem;          // "Peso Embalagem:"
    QLineEdit* campoRgMotorista;            // "R.G. Motorista:"
    QToolButton* botaoBuscaMotorista;       // driver search
    QLineEdit* campoNomeMotorista;          // "Nome:"
    QLineEdit* campoObservacao;             // "Obs.:"
    QComboBox* comboTipoParte;              // "Cliente" / "Fornecedor"
    TMaskEdit* campoCodigoParte;            // party code
    QToolButton* botaoBuscaParte;           // party search
    QLineEdit* campoNomeParte;              // party name
    TMaskEdit* campoCodigoTransportadora;   // "Transportadora:"
    QToolButton* botaoBuscaTransportadora;  // carrier search
    QLineEdit* campoNomeTransportadora;     // carrier name
    QComboBox* comboTipoVeiculo;            // "Tipo:"
    QLineEdit* campoFrete;                  // "Frete:"
    QLineEdit* campoKmOuValor;              // "KM.:" / "Vlr."
    QLineEdit* campoDescontoPercentual;     // "Desc.%"
    QLineEdit* campoCodigoProduto;          // "Produto:"
    QToolButton* botaoBuscaProduto;         // product search
    QLineEdit* campoDescricaoProduto;       // product description
    QPushButton* botaoIncluiProduto;        // "&OK": adds the product to the grid
    TstrGrid* gradeDeProdutos;              // product grid
    QLineEdit* campoTaraMotorista;          // "Tara:"
    std::array<QLineEdit*, 4> Fatores;      // FlatEdit10, FlatEdit19, FlatEdit20, FlatEdit21
    std::array<QLineEdit*, 6> FatoresFixos; // FlatEdit13 .. FlatEdit18, never shown
    QLineEdit* campoUmidade;                // "Umidade:"
    QLineEdit* campoFatorDescontoUmidade;   // "Fator de Desconto da Umidade:"
    QGroupBox* GroupEntrada;                // "Pesagem de Entrada"
    QComboBox* comboModoEntrada;            // entry: "Pesagem Manual" / "Pesagem Automática"
    TMaskEdit* campoDataEntrada;            // "Data de Entrada:"
    TMaskEdit* campoHoraEntrada;            // "Hora Entrada:"
    QLineEdit* campoPesoEntrada;            // entry weight
    QGroupBox* GroupSaida;                  // "Pesagem de Saída"
    QComboBox* comboModoSaida;              // exit weighing mode
    TMaskEdit* campoDataSaida;              // "Data da Saída:"
    TMaskEdit* campoHoraSaida;              // "Hora da Saída:"
    QLineEdit* campoPesoSaida;              // exit weight
    TDBGrid* listaPesagens;                 // open weighings (exit mode)
    QLineEdit* campoLocalizarPlaca;         // "Localizar Placa:"
    QComboBox* comboBalanca;                // "Balança"
    TLampadaBalanca* lampadaBalanca;        // link status lamp

    void setVisible(bool visivel) override;

public Q_SLOTS:
    void done(int r) override;

protected:
    void BtnNovoClick() override;
    void BtnSalvarClick() override;
    void BtnCancelarClick() override;
    void btnExcluirClick() override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // TFrmPesagem.cpp: the controls.
    void montaControles();
    void ligaEventos();
    // PesagemConfig.cpp: the set-up from Config.
    void configura();
    void abreLista();
    void aplicaVisibilidade();
    // PesagemCampos.cpp: the record and the field rules.
    void mostraPesagem(const PesagemTela& p);
    void UpdateSaveButton();
    void ocioso();
    void saiCodigo();
    void carregaDaLista();
    void escolheDaLista();
    void focoInicial();
    // Reopens the list keeping the weighing `codigo` selected (when it is still there).
    bool reabreListaEm(qint64 codigo);
    // The flow found the list changed (another workstation, a connection back):
    // read again with the same weighing selected.
    void listaMudou();
    // The save or delete found the stored weighing changed by another workstation.
    // `daGravacao`: from the save (the weighing comes up again), else from the delete.
    void pesagemAlterada(const class PesagemAlterada& e, qint64 codigo, bool daGravacao);
    void saiDataEntrada();
    void saiDataSaida();
    void saiHoraEntrada();
    void saiHoraSaida();
    void saiPeso(QLineEdit* caixa);
    void saiFator();
    void saiUmidade();
    // Leaving "Nº da N. F.:": a short number, or an access key read into the
    // number and kept whole. False when refused (the field keeps the focus).
    bool saiNotaFiscal();
    void mostraChaveNfe();
    void adicionaProduto();
    void removeProduto();
    void recusa(QWidget* campo, const QString& mensagem, const QString& titulo, int icone);
    // A date field after its check: refused, or shown as the check completed it.
    void aplicaChecagemData(TMaskEdit* campo, const Checagem& c);
    // PesagemBuscas.cpp: look-ups, pickers (F2) and registries (F3).
    void saiPlaca();
    // The plate the flow read from the camera: proposed in an empty plate field.
    void propoePlaca(const QString& placa, double confianca);
    void saiRg();
    void saiParte();
    void saiTransportadora();
    void saiProduto();
    void saiTipoVeiculo();
    void buscaParte();
    void buscaTransportadora();
    void buscaMotorista(bool pelaPlaca);
    void buscaProduto();
    void buscaFator(int indice);
    bool cadastro(QWidget* campo);
    // PesagemBalanca.cpp: the live weight as the flow reads it.
    void ligaFluxo();
    void FlatButton1Click();
    void mudaModoPesagem(QComboBox* lista);
    void mudaBalanca();
    void fechaPorta();
    // No valid frame for the silence time (or the port closed on a stale reading).
    void leituraParada(bool parada);
    QLineEdit* caixaDoLado() const;
    EstadoPeso estadoPeso() const;
    // PesagemEvidencia.cpp: the cameras' pictures of the weighing on screen.
    QWidget* montaPainelFotos();
    void mostraFotos(qint64 numero, int lado);
    // "Erro ao efetuar a operação": a database error reported, the window carries on.
    static void erroBanco(const ErroBanco& e);

    int m_modo;
    ConfigPesagem m_cfg;
    bool m_configurada = false;
    bool m_saidaGravada = false;
    bool m_imprimir = false;
    int m_copias = 1;
    bool m_salvando = false;
    bool m_carregando = false;
    // The number "Novo" proposed, while it stays as proposed.
    QString m_codigoProposto;
    // The stored row of the weighing on screen, as loaded.
    QVariantMap m_armazenada;
    QString m_ultimoCodigo;
    std::optional<int> m_tpvCarregado;  // the vehicle type loaded, kept while its field is hidden
    QString m_chaveNfe;                 // the invoice's access key behind "Nº da N. F.:"
    QLabel* m_resumoChaveNfe = nullptr; // what the key says: state, month, issuer
    QLabel* m_placaLida = nullptr;      // the plate read from the camera and how sure the reader was
    FluxoPesagem* m_fluxo;
    QString m_pesoCarregado; // the side's weight as loaded, to tell a new reading
    QWidget* m_painelFotos = nullptr;
    std::array<QLabel*, 2> m_fotos{};
    QPair<qint64, int> m_fotosMostradas{0, 0};

    QLabel* m_rotPlaca;
    QLabel* m_rotNome;
    QLabel* m_rotObs;
    QLabel* m_rotTransportadora;
    QLabel* m_rotTipo;
    QLabel* m_rotFrete;
    QLabel* m_rotKm;
    QLabel* m_rotDesc;
    QLabel* m_rotProduto;
    QLabel* m_rotTara;
    QLabel* m_rotUmidade;
    QLabel* m_rotDescUmidade;
    QLabel* m_rotLocalizar;
    QLabel* m_rotBalanca;
    QLabel* m_rotEmbalagem;
    std::array<QLabel*, 4> m_rotFatores;
    QList<QWidget*> m_linhaTipo;
    QWidget* m_painelProdutos;
};
