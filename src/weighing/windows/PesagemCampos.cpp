// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's record and field rules: what "Novo", "Cancelar" and
// loading a weighing set, the checks made when the operator leaves a field,
// the product grid and the Save button.
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "FatoresPesagem.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "RegrasPesagem.h"
#include "Relogio.h"
#include "SalvaPesagem.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmCalendario.h"
#include "TFrmPesagem.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"
#include "TstrGrid.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace
{

QString campo(const QLineEdit* e)
{
    if (auto* m = qobject_cast<const TMaskEdit*>(e)) {
        return m->vazio() ? QString() : m->maskText();
    }
    return e->text();
}

void poe(QLineEdit* e, const QString& t)
{
    e->setText(t);
}

void somenteLeitura(QLineEdit* e, bool sim)
{
    e->setReadOnly(sim);
    e->setFocusPolicy(sim ? Qt::NoFocus : Qt::StrongFocus);
}

const QString azul = QStringLiteral("color: blue;");
const QString preto = QStringLiteral("color: black;");

} // namespace

void TFrmPesagem::ligaEventos()
{
    AoSair(campoCodigoPesagem, [this] { saiCodigo(); });
    AoSair(campoPlaca, [this] { saiPlaca(); });
    AoSair(campoRgMotorista, [this] { saiRg(); });
    AoSair(campoCodigoParte, [this] { saiParte(); });
    AoSair(campoCodigoTransportadora, [this] { saiTransportadora(); });
    AoSair(campoCodigoProduto, [this] { saiProduto(); });
    AoSair(comboTipoVeiculo, [this] { saiTipoVeiculo(); });
    AoSair(campoDataEntrada, [this] { saiDataEntrada(); });
    AoSair(campoDataSaida, [this] { saiDataSaida(); });
    AoSair(campoHoraEntrada, [this] { saiHoraEntrada(); });
    AoSair(campoHoraSaida, [this] { saiHoraSaida(); });
    AoSair(campoPesoEntrada, [this] { saiPeso(campoPesoEntrada); });
    AoSair(campoPesoSaida, [this] { saiPeso(campoPesoSaida); });
    AoSair(campoUmidade, [this] { saiUmidade(); });
    for (QLineEdit* f : Fatores) {
        AoSair(f, [this] { saiFator(); });
    }
    AoSair(campoPesoNotaFiscal, [this] {
        if (EstadoCadastro != 3) {
            campoPesoNotaFiscal->setText(NormalizaPesoNota(campoPesoNotaFiscal->text()));
        }
    });
    AoSair(campoNumeroNotaFiscal, [this] { saiNotaFiscal(); });
    connect(m_fluxo, &FluxoPesagem::placaProposta, this, &TFrmPesagem::propoePlaca);
    AoSair(campoPesoEmbalagem, [this] {
        if (campoPesoEmbalagem->text().trimmed() == QLatin1String(",")) {
            campoPesoEmbalagem->clear();
        }
    });
    AoSair(comboModoEntrada, [this] { mudaModoPesagem(comboModoEntrada); });
    AoSair(comboModoSaida, [this] { mudaModoPesagem(comboModoSaida); });
    AoSair(comboBalanca, [this] { mudaModoPesagem(comboModoSaida); });
    connect(comboModoEntrada, &QComboBox::activated, this, [this] { mudaModoPesagem(comboModoEntrada); });
    connect(comboModoSaida, &QComboBox::activated, this, [this] { mudaModoPesagem(comboModoSaida); });
    connect(comboBalanca, &QComboBox::activated, this, [this] { mudaBalanca(); });
    connect(comboTipoParte, &QComboBox::activated, this, [this] { saiParte(); });

    for (QLineEdit* e : std::initializer_list<QLineEdit*>{
             campoCodigoPesagem, campoPlaca, campoNomeMotorista, campoCodigoParte, campoNomeParte,
             campoNomeTransportadora, static_cast<QLineEdit*>(campoCodigoTransportadora), campoCodigoProduto,
             campoDescricaoProduto, static_cast<QLineEdit*>(campoDataEntrada),
             static_cast<QLineEdit*>(campoHoraEntrada), static_cast<QLineEdit*>(campoDataSaida),
             static_cast<QLineEdit*>(campoHoraSaida), campoPesoEntrada, campoPesoSaida, Fatores[0],
             Fatores[1], Fatores[2], Fatores[3]}) {
        connect(e, &QLineEdit::textChanged, this, [this] { UpdateSaveButton(); });
    }
    connect(gradeDeProdutos, &TstrGrid::alterada, this, [this] { UpdateSaveButton(); });
    connect(botaoIncluiProduto, &QPushButton::clicked, this, [this] { adicionaProduto(); });
    connect(botaoBuscaParte, &QToolButton::clicked, this, [this] { buscaParte(); });
    connect(botaoBuscaTransportadora, &QToolButton::clicked, this, [this] { buscaTransportadora(); });
    connect(botaoBuscaProduto, &QToolButton::clicked, this, [this] { buscaProduto(); });
    connect(botaoBuscaMotorista, &QToolButton::clicked, this, [this] { buscaMotorista(false); });
    connect(listaPesagens, &TDBGrid::duploClique, this, [this] { escolheDaLista(); });
    connect(campoLocalizarPlaca, &QLineEdit::textChanged, this,
            [this](const QString& t) { listaPesagens->localizar(QStringLiteral("pes_placa"), t); });
}

void TFrmPesagem::erroBanco(const ErroBanco& e)
{
    MensagensCadastro::avisaErro(e);
}

PesagemTela TFrmPesagem::pesagem() const
{
    PesagemTela p;
    p.modo = m_modo;
    p.estado = EstadoCadastro;
    p.codigo = campo(campoCodigoPesagem).trimmed();
    p.placa = campoPlaca->text();
    p.placaCarreta = campoPlacaCarreta->text();
    p.pesoNota = campoPesoNotaFiscal->text();
    p.nf = campoNumeroNotaFiscal->text();
    p.chaveNfe = m_chaveNfe;
    p.pesoEmbalagem = campoPesoEmbalagem->text();
    p.rgMotorista = campoRgMotorista->text();
    p.motorista = campoNomeMotorista->text();
    // A field the settings hide still holds what was loaded, and is saved as it was.
    p.obs = campoObservacao->text();
    p.tipoParte = comboTipoParte->currentIndex();
    p.cadCodigo = campo(campoCodigoParte).trimmed();
    p.cadRazao = campoNomeParte->text();
    p.traCodigo = campo(campoCodigoTransportadora).trimmed();
    p.traRazao = campoNomeTransportadora->text();
    if (comboTipoVeiculo->isVisibleTo(this) && comboTipoVeiculo->currentData().isValid()) {
        p.tpvCodigo = comboTipoVeiculo->currentData().toInt();
    } else if (!comboTipoVeiculo->isVisibleTo(this)) {
        p.tpvCodigo = m_tpvCarregado;
    }
    p.frete = campoFrete->text();
    p.km = campoKmOuValor->text();
    p.percDesc = campoDescontoPercentual->text();
    p.prdCodigo = campoCodigoProduto->text().trimmed();
    p.prdDescricao = campoDescricaoProduto->text();
    for (int r = 1; r < gradeDeProdutos->RowCount(); ++r) {
        p.produtos.append({gradeDeProdutos->Cells(0, r), gradeDeProdutos->Cells(1, r)});
    }
    p.tara = campoTaraMotorista->text();
    for (int i = 0; i < 6; ++i) {
        p.fatoresFixos[size_t(i)] = FatoresFixos[size_t(i)]->text();
    }
    for (int i = 0; i < 4; ++i) {
        p.fatores[size_t(i)] = Fatores[size_t(i)]->text();
        // a hidden factor that was loaded is written back as it was
        p.fatorVisivel[size_t(i)] =
            Fatores[size_t(i)]->isVisibleTo(this) || !Fatores[size_t(i)]->text().trimmed().isEmpty();
    }
    p.umidade = campoUmidade->text();
    p.descontoUmidade = campoFatorDescontoUmidade->text();
    p.umidadeVisivel = campoUmidade->isVisibleTo(this) || !campoUmidade->text().trimmed().isEmpty();
    p.manualEntrada = comboModoEntrada->currentIndex();
    p.dataEntrada = campoDataEntrada->maskText();
    p.horaEntrada = campoHoraEntrada->maskText();
    p.pesoEntrada = campoPesoEntrada->text();
    p.manualSaida = comboModoSaida->currentIndex();
    p.dataSaida = campoDataSaida->maskText();
    p.horaSaida = campoHoraSaida->maskText();
    p.pesoSaida = campoPesoSaida->text();
    p.statusTexto = m_fluxo->leitura().statusTexto();
    p.saidaGravada = m_saidaGravada;
    p.codigoProposto = EstadoCadastro == 0 && !m_codigoProposto.isEmpty() && p.codigo == m_codigoProposto;
    p.armazenada = m_armazenada;
    return p;
}

void TFrmPesagem::mostraPesagem(const PesagemTela& p)
{
    m_carregando = true;
    poe(campoCodigoPesagem, p.codigo);
    poe(campoPlaca, p.placa);
    m_placaLida->clear();
    m_placaLida->hide();
    poe(campoPlacaCarreta, p.placaCarreta);
    poe(campoPesoNotaFiscal, p.pesoNota);
    poe(campoNumeroNotaFiscal, p.nf);
    m_chaveNfe = p.chaveNfe;
    mostraChaveNfe();
    poe(campoPesoEmbalagem, p.pesoEmbalagem);
    poe(campoRgMotorista, p.rgMotorista);
    poe(campoNomeMotorista, p.motorista);
    poe(campoObservacao, p.obs);
    comboTipoParte->setCurrentIndex(p.tipoParte);
    poe(campoCodigoParte, p.cadCodigo);
    poe(campoNomeParte, p.cadRazao);
    poe(campoCodigoTransportadora, p.traCodigo);
    poe(campoNomeTransportadora, p.traRazao);
    if (p.tpvCodigo) {
        comboTipoVeiculo->setCurrentIndex(comboTipoVeiculo->findData(*p.tpvCodigo));
    }
    m_tpvCarregado = p.tpvCodigo;
    poe(campoFrete, p.frete);
    poe(campoKmOuValor, p.km);
    poe(campoDescontoPercentual, p.percDesc);
    poe(campoCodigoProduto, p.prdCodigo);
    poe(campoDescricaoProduto, p.prdDescricao);
    gradeDeProdutos->Clear();
    for (const ProdutoGrade& g : p.produtos) {
        gradeDeProdutos->AddRow({g.codigo, g.descricao});
    }
    poe(campoTaraMotorista, p.tara);
    for (int i = 0; i < 6; ++i) {
        poe(FatoresFixos[size_t(i)], p.fatoresFixos[size_t(i)]);
    }
    for (int i = 0; i < 4; ++i) {
        poe(Fatores[size_t(i)], p.fatores[size_t(i)]);
    }
    poe(campoUmidade, p.umidade);
    poe(campoFatorDescontoUmidade, p.descontoUmidade);
    comboModoEntrada->setCurrentIndex(p.manualEntrada);
    comboModoSaida->setCurrentIndex(p.manualSaida);
    poe(campoDataEntrada, p.dataEntrada);
    poe(campoHoraEntrada, p.horaEntrada);
    poe(campoPesoEntrada, p.pesoEntrada);
    poe(campoDataSaida, p.dataSaida);
    poe(campoHoraSaida, p.horaSaida);
    poe(campoPesoSaida, p.pesoSaida);
    m_saidaGravada = p.saidaGravada;
    m_pesoCarregado = m_modo == 1 ? p.pesoEntrada : p.pesoSaida;
    mostraFotos(p.codigo.toLongLong(), 1);
    m_armazenada = p.armazenada;
    m_carregando = false;
}

EstadoPeso TFrmPesagem::estadoPeso() const
{
    return m_fluxo->estadoPeso(lampadaBalanca->cor());
}

void TFrmPesagem::UpdateSaveButton()
{
    if (m_carregando) {
        return;
    }
    const RegraSalvar r = ::UpdateSaveButton(pesagem(), m_cfg, estadoPeso());
    BtnSalvar->setEnabled(r.habilitado && EstadoCadastro != 3);
    if (m_modo == 1) {
        m_rotPlaca->setStyleSheet(r.placaObrigatoria ? azul : preto);
        m_rotNome->setStyleSheet(r.nomeObrigatorio ? azul : preto);
        comboTipoParte->setStyleSheet(r.parteObrigatoria ? azul : preto);
        m_rotProduto->setStyleSheet(r.produtoObrigatorio ? azul : preto);
    }
}

// Idle: nothing on screen, fields disabled, port closed, lamp white.
void TFrmPesagem::ocioso()
{
    fechaPorta();
    m_fluxo->setEditando(false);
    m_carregando = true;
    LimpaCampos(this);
    m_carregando = false;
    m_saidaGravada = false;
    m_armazenada.clear();
    m_codigoProposto.clear();
    m_chaveNfe.clear();
    mostraChaveNfe();
    m_placaLida->hide();
    ajustaBotoes(3);
    HabilitaCampos(this, 3);
    btnExcluir->setEnabled(m_modo == 2);
    lampadaBalanca->ocioso();
    campoCodigoPesagem->setReadOnly(true);
    campoCodigoPesagem->setFocusPolicy(Qt::NoFocus);
    botaoIncluiProduto->setEnabled(false);
    gradeDeProdutos->setEnabled(false);
    BtnSalvar->setEnabled(false);
}

void TFrmPesagem::BtnNovoClick()
{
    TFrmPadrao::BtnNovoClick();
    m_carregando = true;
    LimpaCampos(this);
    m_carregando = false;
    lampadaBalanca->define(TLampada::Vermelha);
    m_fluxo->novaPesagem();
    m_fluxo->setEditando(true);
    m_pesoCarregado.clear();
    m_saidaGravada = false;
    HabilitaCampos(this, 0);
    botaoIncluiProduto->setEnabled(true);
    gradeDeProdutos->setEnabled(true);
    const bool somenteSaida = m_modo == 2 && m_cfg.somenteSaida == 1;
    qint64 proximo = 1;
    try {
        proximo = ConsultaPesagem::proximoCodigo(*DM);
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    PesagemTela p = NovaPesagem(m_modo, m_cfg, proximo, Relogio::agora());
    // Only a proposal: the save takes the next free number when it is left as shown.
    m_codigoProposto = p.codigo;
    p.manualEntrada = somenteSaida ? 0 : comboModoEntrada->currentIndex();
    p.manualSaida = comboModoSaida->currentIndex();
    p.tipoParte = comboTipoParte->currentIndex();
    if (comboTipoVeiculo->isVisibleTo(this)) {
        p.tpvCodigo = 1;
    }
    mostraPesagem(p);
    if (m_modo == 1 || somenteSaida) {
        m_fluxo->lePlaca(); // proposed when read
    }

    const bool editaCodigo = SessaoAtual.pode(SessaoAtual.EditarPesagens);
    if (m_modo == 1 || somenteSaida) {
        campoCodigoPesagem->setReadOnly(!editaCodigo);
        campoCodigoPesagem->setFocusPolicy(editaCodigo ? Qt::StrongFocus : Qt::NoFocus);
        (editaCodigo ? static_cast<QWidget*>(campoCodigoPesagem) : campoPlaca)->setFocus();
    }
    if (m_modo == 1) {
        for (QWidget* w : {static_cast<QWidget*>(campoDataSaida), static_cast<QWidget*>(campoHoraSaida),
                           static_cast<QWidget*>(campoPesoSaida), static_cast<QWidget*>(comboModoSaida)}) {
            w->setEnabled(false);
        }
    } else if (somenteSaida) {
        campoPesoEmbalagem->setEnabled(m_cfg.pesoEmbalagem == 1);
        comboModoEntrada->setEnabled(true);
        comboModoEntrada->setCurrentIndex(0);
        somenteLeitura(campoPesoEntrada, false);
    }

    // Entry side.
    if (m_modo == 1) {
        const bool direito = SessaoAtual.pode(SessaoAtual.PesagemManualEntrada);
        comboModoEntrada->setEnabled(direito);
        campoPesoEntrada->clear();
        somenteLeitura(campoPesoEntrada, comboModoEntrada->currentIndex() == 1);
        if (comboModoEntrada->currentIndex() == 1) {
            FlatButton1Click();
        } else {
            lampadaBalanca->define(TLampada::Verde);
        }
    } else {
        const bool direito = SessaoAtual.pode(SessaoAtual.PesagemManualSaida);
        comboModoSaida->setEnabled(direito);
        campoPesoSaida->clear();
        somenteLeitura(campoPesoSaida, comboModoSaida->currentIndex() == 1);
        if (comboModoSaida->currentIndex() == 1) {
            FlatButton1Click();
        } else {
            lampadaBalanca->define(TLampada::Verde);
        }
    }
    UpdateSaveButton();
}

void TFrmPesagem::BtnCancelarClick()
{
    ocioso();
    focoInicial();
}

// Where the operator starts: the list of open weighings in the exit window
// (Enter or Space picks one), "&Novo" in the entry window.
void TFrmPesagem::focoInicial()
{
    if (m_modo == 2 && listaPesagens->isVisible()) {
        listaPesagens->setFocus();
    } else if (BtnNovo->isVisible()) {
        BtnNovo->setFocus();
    }
}

// Leaving "Código Pesagem:" (operators allowed to type the number).
void TFrmPesagem::saiCodigo()
{
    if (EstadoCadastro == 3 || campoCodigoPesagem->isReadOnly()) {
        return;
    }
    QString codigo = campo(campoCodigoPesagem).trimmed();
    try {
        if (codigo.isEmpty()) {
            codigo = QString::number(ConsultaPesagem::proximoCodigo(*DM));
            campoCodigoPesagem->setText(codigo);
            m_codigoProposto = codigo;
        }
        if (codigo == m_codigoProposto) {
            // The proposed number, untouched: a new weighing, whatever another
            // workstation stored under that number meanwhile.
            campoCodigoPesagem->setReadOnly(true);
            campoCodigoPesagem->setFocusPolicy(Qt::NoFocus);
            ajustaBotoes(0);
            UpdateSaveButton();
            return;
        }
        const auto p =
            ConsultaPesagem::carregar(*DM, codigo.toLongLong(), m_modo, m_cfg, false, Relogio::agora());
        campoCodigoPesagem->setReadOnly(true);
        campoCodigoPesagem->setFocusPolicy(Qt::NoFocus);
        if (!p) {
            ajustaBotoes(0);
            UpdateSaveButton();
            return;
        }
        PesagemTela mostrada = *p;
        mostrada.modo = m_modo;
        ajustaBotoes(1);
        mostraPesagem(mostrada);
        comboModoEntrada->setEnabled(false);
        lampadaBalanca->define(TLampada::Verde);
        if (Mensagem(QStringLiteral("Realizar nova Pesagem?"), QStringLiteral("Pergunta"),
                     Msg::SimNao | Msg::Pergunta) == Msg::RespNao) {
            comboModoEntrada->setCurrentIndex(0);
            fechaPorta();
            campoPesoEntrada->setText(p->pesoEntrada);
            campoPesoEntrada->setEnabled(false);
            somenteLeitura(campoPesoEntrada, true);
        } else {
            // The scale keeps updating the entry weight; the save stores the new one.
            comboModoEntrada->setCurrentIndex(1);
            campoPesoEntrada->clear();
            lampadaBalanca->define(TLampada::Vermelha);
            FlatButton1Click();
        }
        if (m_cfg.morProduto != 1 && (m_cfg.umidade != 0 || m_cfg.umidadeUnica != 0) &&
            p->prdCodigo.isEmpty()) {
            Fatores[0]->setFocus();
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    UpdateSaveButton();
}

// A double click or Space on the list: the weighing comes up for its exit.
// Enter, Space or a double click on the list: the weighing opens for its
// exit; in a picker the row is the answer.
void TFrmPesagem::escolheDaLista()
{
    if (comoSeletor()) {
        accept();
    } else {
        carregaDaLista();
    }
}

void TFrmPesagem::carregaDaLista()
{
    TQuery& q = DM->QR_Pesagem;
    if (m_modo != 2 || !q.Active() || q.IsEmpty() || listaPesagens->linhaAtual() < 0 || m_salvando) {
        return;
    }
    const qint64 codigo = q.FieldByName(QStringLiteral("pes_codigo")).toLongLong();
    std::optional<PesagemTela> p;
    try {
        if (!q.IsNull(QStringLiteral("pes_datasaida")) && !SessaoAtual.ehAdmin()) {
            Mensagem(
                QStringLiteral("Pesagem com saída confirmada. Será alterado somente pelo administrador."),
                QStringLiteral("Informação"), Msg::Pergunta);
            return;
        }
        p = ConsultaPesagem::carregar(*DM, codigo, 2, m_cfg, true, Relogio::agora());
        // The list may be older than the stored row: another workstation may
        // have recorded the exit, or deleted the weighing, since it was read.
        if (!p || (p->saidaGravada && !SessaoAtual.ehAdmin())) {
            if (p) {
                Mensagem(
                    QStringLiteral("Pesagem com saída confirmada. Será alterado somente pelo administrador."),
                    QStringLiteral("Informação"), Msg::Pergunta);
            } else {
                Mensagem(QStringLiteral("Esta pesagem foi excluída em outra estação."),
                         QStringLiteral("Informação"), Msg::Informacao);
            }
            reabreListaEm(codigo);
            return;
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
        return;
    }
    fechaPorta();
    m_fluxo->novaPesagem();
    m_fluxo->setEditando(true);
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    comboTipoParte->setEnabled(false);
    comboModoEntrada->setEnabled(false);
    campoCodigoPesagem->setReadOnly(true);
    campoCodigoPesagem->setFocusPolicy(Qt::NoFocus);
    if (m_cfg.editarSaida != 1) {
        for (QWidget* w :
             {static_cast<QWidget*>(campoDataEntrada), static_cast<QWidget*>(campoHoraEntrada),
              static_cast<QWidget*>(campoPesoNotaFiscal), static_cast<QWidget*>(campoPlaca),
              static_cast<QWidget*>(campoPesoEntrada), static_cast<QWidget*>(campoPlacaCarreta),
              static_cast<QWidget*>(campoNomeMotorista), static_cast<QWidget*>(campoNumeroNotaFiscal),
              static_cast<QWidget*>(campoRgMotorista), static_cast<QWidget*>(botaoBuscaMotorista),
              static_cast<QWidget*>(campoCodigoParte), static_cast<QWidget*>(botaoBuscaParte),
              static_cast<QWidget*>(campoCodigoTransportadora),
              static_cast<QWidget*>(botaoBuscaTransportadora), static_cast<QWidget*>(campoCodigoProduto),
              static_cast<QWidget*>(botaoBuscaProduto), static_cast<QWidget*>(botaoIncluiProduto),
              static_cast<QWidget*>(gradeDeProdutos)}) {
            w->setEnabled(false);
        }
    }
    campoPesoEmbalagem->setEnabled(m_cfg.pesoEmbalagem == 1);
    BtnNovo->setVisible(m_cfg.somenteSaida == 1);
    mostraPesagem(*p);
    if (ConsultaPesagem::saidaAntesDaEntrada(*p)) {
        Mensagem(QStringLiteral("Data de Saída não pode ser menor que data de Entrada!"),
                 QStringLiteral("Informação!"), Msg::Informacao);
        campoDataSaida->setText(p->dataEntrada);
    }
    const bool direito = SessaoAtual.pode(SessaoAtual.PesagemManualSaida);
    comboModoSaida->setEnabled(direito);
    campoPesoSaida->clear();
    somenteLeitura(campoPesoSaida, comboModoSaida->currentIndex() == 1 || !direito);
    (direito ? static_cast<QWidget*>(comboModoSaida) : campoDataSaida)->setFocus();
    if (!p->pesoSaida.isEmpty() && m_cfg.morProduto != 1 && (m_cfg.umidade != 0 || m_cfg.umidadeUnica != 0)) {
        saiFator();
    }
    UpdateSaveButton();
    // The exit list decides whether the port opens.
    lampadaBalanca->define(comboModoSaida->currentIndex() == 1 ? TLampada::Vermelha : TLampada::Verde);
    mudaModoPesagem(comboModoSaida);
}

// "&OK": the product joins the grid once.
void TFrmPesagem::adicionaProduto()
{
    const QString codigo = campoCodigoProduto->text().trimmed();
    if (codigo.isEmpty()) {
        return;
    }
    if (campoDescricaoProduto->text() == NaoCadastrado) {
        Mensagem(NaoCadastrado, QStringLiteral("Atenção"), Msg::Aviso);
        campoCodigoProduto->setFocus();
        return;
    }
    bool existe = false;
    for (int r = 1; r < gradeDeProdutos->RowCount(); ++r) {
        existe = existe || gradeDeProdutos->Cells(0, r).trimmed() == codigo;
    }
    if (!existe) {
        gradeDeProdutos->AddRow({codigo, campoDescricaoProduto->text().trimmed()});
    }
    campoCodigoProduto->clear();
    campoDescricaoProduto->clear();
    campoCodigoProduto->setFocus();
}

// Del on the grid (entry window).
void TFrmPesagem::removeProduto()
{
    if (m_modo != 1 || gradeDeProdutos->IsEmpty() || gradeDeProdutos->Cells(0, 1).trimmed().isEmpty()) {
        return;
    }
    if (Mensagem(QStringLiteral("Deseja deletar esse Produto da Grade ?"), QStringLiteral("Pergunta"),
                 Msg::SimNao | Msg::Pergunta | Msg::PadraoNao) == Msg::RespSim) {
        gradeDeProdutos->DeleteRow(gradeDeProdutos->Row());
    }
    UpdateSaveButton();
}

bool TFrmPesagem::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    const int k = e->key();
    if (k == Qt::Key_G && e->modifiers() == Qt::AltModifier) {
        listaPesagens->setFocus();
        return true;
    }
    if (k == Qt::Key_F10) {
        if (BtnSalvar->isEnabled() && BtnSalvar->isVisible()) {
            BtnSalvarClick();
        }
        return true;
    }
    if (alvo == listaPesagens && e->modifiers() == Qt::NoModifier &&
        (k == Qt::Key_Return || k == Qt::Key_Enter)) {
        escolheDaLista();
        return true;
    }
    // "&OK" adds the typed product; with none typed Enter goes on to the next field.
    if (alvo == botaoIncluiProduto && e->modifiers() == Qt::NoModifier &&
        (k == Qt::Key_Return || k == Qt::Key_Enter) && campoCodigoProduto->text().trimmed().isEmpty()) {
        proximoCampo();
        return true;
    }
    if (alvo == gradeDeProdutos && k == Qt::Key_Delete) {
        removeProduto();
        return true;
    }
    if (k == Qt::Key_F2) {
        if ((alvo == campoDataEntrada || alvo == campoDataSaida) &&
            !static_cast<QLineEdit*>(alvo)->isReadOnly()) {
            if (m_cfg.alteraDataHora == 1) {
                const QString d = AbrirCalendario(this, static_cast<QLineEdit*>(alvo)->text());
                if (!d.isEmpty()) {
                    static_cast<QLineEdit*>(alvo)->setText(d);
                }
            }
            return true;
        }
        if ((alvo == campoHoraEntrada || alvo == campoHoraSaida) &&
            !static_cast<QLineEdit*>(alvo)->isReadOnly()) {
            static_cast<QLineEdit*>(alvo)->setText(Relogio::horaAtual().toString(QStringLiteral("HH:mm:ss")));
            return true;
        }
        if (alvo == campoCodigoParte) {
            buscaParte();
            return true;
        }
        if (alvo == campoCodigoTransportadora) {
            buscaTransportadora();
            return true;
        }
        if (alvo == campoCodigoProduto) {
            buscaProduto();
            return true;
        }
        if (alvo == campoRgMotorista) {
            buscaMotorista(false);
            return true;
        }
        if (alvo == campoPlaca && m_cfg.cadMotorista == 1) {
            buscaMotorista(true);
            return true;
        }
        for (int i = 0; i < 4; ++i) {
            if (alvo == Fatores[size_t(i)]) {
                buscaFator(i);
                return true;
            }
        }
    }
    if (k == Qt::Key_F3 && cadastro(alvo)) {
        return true;
    }
    return TFrmPadrao::teclaPrevia(alvo, e);
}

void TFrmPesagem::setVisible(bool visivel)
{
    if (visivel && !isVisible() && !m_configurada && m_modo == 2) {
        // the open weighings: ten rows, every column readable
        dimensionaLista(listaPesagens, 10);
    }
    TFrmPadrao::setVisible(visivel);
}

void TFrmPesagem::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    if (!m_configurada) {
        m_configurada = true;
        ocioso();
        focoInicial();
        m_fluxo->vigiaLista(true);
    }
}

void TFrmPesagem::done(int r)
{
    // A ticket still waiting for its pictures is printed now, with those that came.
    m_fluxo->imprimeTicketAguardando();
    m_fluxo->vigiaLista(false);
    fechaPorta();
    TQuery& q = DM->QR_Pesagem;
    if (m_modo == 2 && q.Active() && !q.IsEmpty() && listaPesagens->linhaAtual() >= 0) {
        m_ultimoCodigo = q.AsString(QStringLiteral("pes_codigo"));
    }
    q.Close();
    listaPesagens->recarregar();
    TFrmPadrao::done(r);
}
