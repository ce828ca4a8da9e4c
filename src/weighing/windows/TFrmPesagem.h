// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LeituraPeso.h"
#include "Pesagem.h"
#include "TCommPortDriver.h"
#include "TFrmPadrao.h"

#include <QHash>
#include <QPair>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class Cameras;
class ErroBanco;
struct EvidenciaPesagem;
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
// open weighings (mode 2). The rules, look-ups and statements live in the
// weighing logic; this window binds them to its controls. Its code is split
// by concern: the controls (TFrmPesagem.cpp), the set-up from Config
// (PesagemConfig.cpp), the record, "Novo", loading and the field checks
// (PesagemCampos.cpp), the checks on leaving a field (PesagemChecagens.cpp),
// look-ups and pickers (PesagemBuscas.cpp), the live
// weight (PesagemBalanca.cpp) and the save and delete (PesagemSalvar.cpp).
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
    TCommPortDriver& porta() { return m_porta; }

    // Controls; each keeps its documented control name as its object name.
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
    // The list polled for what other workstations saved (idle window only).
    void confereLista();
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
    void adicionaProduto();
    void removeProduto();
    void recusa(QWidget* campo, const QString& mensagem, const QString& titulo, int icone);
    // A date field after its check: refused, or shown as the check completed it.
    void aplicaChecagemData(TMaskEdit* campo, const Checagem& c);
    // PesagemBuscas.cpp: look-ups, pickers (F2) and registries (F3).
    void saiPlaca();
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
    // PesagemBalanca.cpp: the live weight.
    void FlatButton1Click();
    void mudaModoPesagem(QComboBox* lista);
    void mudaBalanca();
    void CommPortDriver1ReceiveData(TCommPortDriver* sender, const char* data, int count);
    void fechaPorta();
    // No valid frame for the silence time: the weight shown is stale.
    void leituraParada();
    QLineEdit* caixaDoLado() const;
    EstadoPeso estadoPeso() const;
    // PesagemEvidencia.cpp: the stability wait, the cameras, the evidence of a save.
    QWidget* montaPainelFotos();
    void configuraEvidencia();
    void esperaEstavel(const EfeitoLeitura& e);
    void fimEsperaEstavel();
    std::optional<EvidenciaPesagem> evidenciaDoLado(const PesagemTela& p);
    void mostraFotos(qint64 numero, int lado);
    // The cameras' pictures of the save being made, asked for when it begins.
    void pedeFotos();
    // After the commit: the pictures still expected complete the side's
    // evidence when they come. Returns their request (0: none expected).
    int fotosAposGravar(qint64 numero, int lado, const std::optional<EvidenciaPesagem>& gravada);
    bool fotosPendentes(int pedido) const;
    void esqueceFotos();
    void fotosConcluidas(qint64 numero, int lado, int pedido);
    // The ticket of a save, printed once its pictures are stored (at once without cameras).
    void imprimeTicketDaGravacao(qint64 numero, int pedidoFotos);
    void imprimeTicketAguardando();
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
    // What the list of weighings last showed (count and sum of numbers).
    QString m_assinaturaLista;
    class QTimer* m_timerLista = nullptr;
    QString m_ultimoCodigo;
    std::optional<int> m_tpvCarregado; // the vehicle type loaded, kept while its field is hidden
    TCommPortDriver m_porta;
    LeituraPeso m_leitura;
    QTimer* m_silencio;
    QString m_pesoCarregado; // the side's weight as loaded, to tell a new reading
    QTimer* m_esperaEstavel = nullptr;
    std::unique_ptr<Cameras> m_cameras;
    int m_pedidoFotos = 0; // the pictures of the save being made
    // Saved sides whose pictures are still expected (number, side) -> request.
    QHash<QPair<qint64, int>, int> m_fotosPendentes;
    struct TicketAguardando {
        qint64 numero = 0;
        int modo = 1;
        int copias = 1;
        int pedidoFotos = 0;
    };
    std::optional<TicketAguardando> m_ticketAguardando;
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
