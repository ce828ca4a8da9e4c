// The weighing window's record and field rules: what "Novo", "Cancelar" and
// loading a weighing set, the checks made when the operator leaves a field,
// the product grid and the Save button.
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "FatoresPesagem.h"
#include "FiltrosCampo.h"
#include "RegrasPesagem.h"
#include "Relogio.h"
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
    AoSair(FlatMaskEdit1, [this] { saiCodigo(); });
    AoSair(FlatEdit3, [this] { saiPlaca(); });
    AoSair(FlatEdit24, [this] { saiRg(); });
    AoSair(FlatMaskEdit7, [this] { saiParte(); });
    AoSair(FlatMaskEdit6, [this] { saiTransportadora(); });
    AoSair(FlatMaskEdit3, [this] { saiProduto(); });
    AoSair(DBComboTipo, [this] { saiTipoVeiculo(); });
    AoSair(FlatMaskEdit2, [this] { saiDataEntrada(); });
    AoSair(FlatMaskEdit4, [this] { saiDataSaida(); });
    AoSair(FlatMaskEdit8, [this] { saiHoraEntrada(); });
    AoSair(FlatMaskEdit9, [this] { saiHoraSaida(); });
    AoSair(FlatEdit1, [this] { saiPeso(FlatEdit1); });
    AoSair(FlatEdit9, [this] { saiPeso(FlatEdit9); });
    AoSair(FlatEdit22, [this] { saiUmidade(); });
    for (QLineEdit* f : Fatores) {
        AoSair(f, [this] { saiFator(); });
    }
    AoSair(FlatMaskEdit10, [this] {
        if (EstadoCadastro != 3) {
            FlatMaskEdit10->setText(NormalizaPesoNota(FlatMaskEdit10->text()));
        }
    });
    AoSair(FlatEdit7, [this] {
        if (FlatEdit7->text().trimmed() == QLatin1String(",")) {
            FlatEdit7->clear();
        }
    });
    AoSair(FlatComboBox1, [this] { mudaModoPesagem(FlatComboBox1); });
    AoSair(FlatComboBox2, [this] { mudaModoPesagem(FlatComboBox2); });
    AoSair(FlatComboBox3, [this] { mudaModoPesagem(FlatComboBox2); });
    connect(FlatComboBox1, &QComboBox::activated, this, [this] { mudaModoPesagem(FlatComboBox1); });
    connect(FlatComboBox2, &QComboBox::activated, this, [this] { mudaModoPesagem(FlatComboBox2); });
    connect(FlatComboBox3, &QComboBox::activated, this, [this] { mudaBalanca(); });
    connect(ComboBox1, &QComboBox::activated, this, [this] { saiParte(); });

    for (QLineEdit* e : std::initializer_list<QLineEdit*>{
             FlatMaskEdit1, FlatEdit3, FlatEdit5, FlatMaskEdit7, FlatEdit12, FlatEdit11,
             static_cast<QLineEdit*>(FlatMaskEdit6), FlatMaskEdit3, FlatEdit8,
             static_cast<QLineEdit*>(FlatMaskEdit2), static_cast<QLineEdit*>(FlatMaskEdit8),
             static_cast<QLineEdit*>(FlatMaskEdit4), static_cast<QLineEdit*>(FlatMaskEdit9), FlatEdit1,
             FlatEdit9, Fatores[0], Fatores[1], Fatores[2], Fatores[3]}) {
        connect(e, &QLineEdit::textChanged, this, [this] { UpdateSaveButton(); });
    }
    connect(strGrid1, &TstrGrid::alterada, this, [this] { UpdateSaveButton(); });
    connect(BtnOK, &QPushButton::clicked, this, [this] { adicionaProduto(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { buscaParte(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { buscaTransportadora(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { buscaProduto(); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { buscaMotorista(false); });
    connect(DBGrid1, &TDBGrid::duploClique, this, [this] { carregaDaLista(); });
    connect(FlatEdit2, &QLineEdit::textChanged, this,
            [this](const QString& t) { DBGrid1->localizar(QStringLiteral("pes_placa"), t); });
}

void TFrmPesagem::erroBanco(const ErroBanco& e)
{
    Mensagem(QStringLiteral("Erro ao efetuar a operação\rErro retornado:") + e.texto(),
             QStringLiteral("Erro"), Msg::Erro);
}

PesagemTela TFrmPesagem::pesagem() const
{
    PesagemTela p;
    p.modo = m_modo;
    p.estado = EstadoCadastro;
    p.codigo = campo(FlatMaskEdit1).trimmed();
    p.placa = FlatEdit3->text();
    p.placaCarreta = FlatEdit4->text();
    p.pesoNota = FlatMaskEdit10->text();
    p.nf = FlatEdit6->text();
    p.pesoEmbalagem = FlatEdit7->text();
    p.rgMotorista = FlatEdit24->text();
    p.motorista = FlatEdit5->text();
    p.obs = FlatEdit28->isVisibleTo(this) ? FlatEdit28->text() : QString();
    p.tipoParte = ComboBox1->currentIndex();
    p.cadCodigo = campo(FlatMaskEdit7).trimmed();
    p.cadRazao = FlatEdit12->text();
    p.traCodigo = campo(FlatMaskEdit6).trimmed();
    p.traRazao = FlatEdit11->text();
    if (DBComboTipo->isVisibleTo(this) && DBComboTipo->currentData().isValid()) {
        p.tpvCodigo = DBComboTipo->currentData().toInt();
    }
    p.frete = FlatEdit25->text();
    p.km = FlatEdit26->text();
    p.percDesc = FlatEdit27->text();
    p.prdCodigo = FlatMaskEdit3->text().trimmed();
    p.prdDescricao = FlatEdit8->text();
    for (int r = 1; r < strGrid1->RowCount(); ++r) {
        p.produtos.append({strGrid1->Cells(0, r), strGrid1->Cells(1, r)});
    }
    p.tara = FlatEdit29->text();
    for (int i = 0; i < 6; ++i) {
        p.fatoresFixos[size_t(i)] = FatoresFixos[size_t(i)]->text();
    }
    for (int i = 0; i < 4; ++i) {
        p.fatores[size_t(i)] = Fatores[size_t(i)]->text();
        p.fatorVisivel[size_t(i)] = Fatores[size_t(i)]->isVisibleTo(this);
    }
    p.umidade = FlatEdit22->text();
    p.descontoUmidade = FlatEdit23->text();
    p.umidadeVisivel = FlatEdit22->isVisibleTo(this);
    p.manualEntrada = FlatComboBox1->currentIndex();
    p.dataEntrada = FlatMaskEdit2->maskText();
    p.horaEntrada = FlatMaskEdit8->maskText();
    p.pesoEntrada = FlatEdit1->text();
    p.manualSaida = FlatComboBox2->currentIndex();
    p.dataSaida = FlatMaskEdit4->maskText();
    p.horaSaida = FlatMaskEdit9->maskText();
    p.pesoSaida = FlatEdit9->text();
    p.statusTexto = m_leitura.statusTexto();
    p.saidaGravada = m_saidaGravada;
    return p;
}

void TFrmPesagem::mostraPesagem(const PesagemTela& p)
{
    m_carregando = true;
    poe(FlatMaskEdit1, p.codigo);
    poe(FlatEdit3, p.placa);
    poe(FlatEdit4, p.placaCarreta);
    poe(FlatMaskEdit10, p.pesoNota);
    poe(FlatEdit6, p.nf);
    poe(FlatEdit7, p.pesoEmbalagem);
    poe(FlatEdit24, p.rgMotorista);
    poe(FlatEdit5, p.motorista);
    poe(FlatEdit28, p.obs);
    ComboBox1->setCurrentIndex(p.tipoParte);
    poe(FlatMaskEdit7, p.cadCodigo);
    poe(FlatEdit12, p.cadRazao);
    poe(FlatMaskEdit6, p.traCodigo);
    poe(FlatEdit11, p.traRazao);
    if (p.tpvCodigo) {
        DBComboTipo->setCurrentIndex(DBComboTipo->findData(*p.tpvCodigo));
    }
    poe(FlatEdit25, p.frete);
    poe(FlatEdit26, p.km);
    poe(FlatEdit27, p.percDesc);
    poe(FlatMaskEdit3, p.prdCodigo);
    poe(FlatEdit8, p.prdDescricao);
    strGrid1->Clear();
    for (const ProdutoGrade& g : p.produtos) {
        strGrid1->AddRow({g.codigo, g.descricao});
    }
    poe(FlatEdit29, p.tara);
    for (int i = 0; i < 6; ++i) {
        poe(FatoresFixos[size_t(i)], p.fatoresFixos[size_t(i)]);
    }
    for (int i = 0; i < 4; ++i) {
        poe(Fatores[size_t(i)], p.fatores[size_t(i)]);
    }
    poe(FlatEdit22, p.umidade);
    poe(FlatEdit23, p.descontoUmidade);
    FlatComboBox1->setCurrentIndex(p.manualEntrada);
    FlatComboBox2->setCurrentIndex(p.manualSaida);
    poe(FlatMaskEdit2, p.dataEntrada);
    poe(FlatMaskEdit8, p.horaEntrada);
    poe(FlatEdit1, p.pesoEntrada);
    poe(FlatMaskEdit4, p.dataSaida);
    poe(FlatMaskEdit9, p.horaSaida);
    poe(FlatEdit9, p.pesoSaida);
    m_saidaGravada = p.saidaGravada;
    m_carregando = false;
}

EstadoPeso TFrmPesagem::estadoPeso() const
{
    return m_leitura.estado(Shape1->cor());
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
        ComboBox1->setStyleSheet(r.parteObrigatoria ? azul : preto);
        m_rotProduto->setStyleSheet(r.produtoObrigatorio ? azul : preto);
    }
}

// Idle: nothing on screen, fields disabled, port closed, lamp white.
void TFrmPesagem::ocioso()
{
    fechaPorta();
    m_carregando = true;
    LimpaCampos(this);
    m_carregando = false;
    m_saidaGravada = false;
    ajustaBotoes(3);
    HabilitaCampos(this, 3);
    btnExcluir->setEnabled(m_modo == 2);
    Shape1->ocioso();
    FlatMaskEdit1->setReadOnly(true);
    FlatMaskEdit1->setFocusPolicy(Qt::NoFocus);
    BtnOK->setEnabled(false);
    strGrid1->setEnabled(false);
    BtnSalvar->setEnabled(false);
}

void TFrmPesagem::BtnNovoClick()
{
    TFrmPadrao::BtnNovoClick();
    m_carregando = true;
    LimpaCampos(this);
    m_carregando = false;
    Shape1->define(TLampada::Vermelha);
    m_leitura.novaPesagem();
    m_saidaGravada = false;
    HabilitaCampos(this, 0);
    BtnOK->setEnabled(true);
    strGrid1->setEnabled(true);
    const bool somenteSaida = m_modo == 2 && m_cfg.somenteSaida == 1;
    qint64 proximo = 1;
    try {
        proximo = ConsultaPesagem::proximoCodigo(*DM);
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
    PesagemTela p = NovaPesagem(m_modo, m_cfg, proximo, Relogio::agora());
    p.manualEntrada = somenteSaida ? 0 : FlatComboBox1->currentIndex();
    p.manualSaida = FlatComboBox2->currentIndex();
    p.tipoParte = ComboBox1->currentIndex();
    if (DBComboTipo->isVisibleTo(this)) {
        p.tpvCodigo = 1;
    }
    mostraPesagem(p);

    const bool editaCodigo = SessaoAtual.pode(SessaoAtual.EditarPesagens);
    if (m_modo == 1 || somenteSaida) {
        FlatMaskEdit1->setReadOnly(!editaCodigo);
        FlatMaskEdit1->setFocusPolicy(editaCodigo ? Qt::StrongFocus : Qt::NoFocus);
        (editaCodigo ? static_cast<QWidget*>(FlatMaskEdit1) : FlatEdit3)->setFocus();
    }
    if (m_modo == 1) {
        for (QWidget* w : {static_cast<QWidget*>(FlatMaskEdit4), static_cast<QWidget*>(FlatMaskEdit9),
                           static_cast<QWidget*>(FlatEdit9), static_cast<QWidget*>(FlatComboBox2)}) {
            w->setEnabled(false);
        }
    } else if (somenteSaida) {
        FlatEdit7->setEnabled(m_cfg.pesoEmbalagem == 1);
        FlatComboBox1->setEnabled(true);
        FlatComboBox1->setCurrentIndex(0);
        somenteLeitura(FlatEdit1, false);
    }

    // Entry side.
    if (m_modo == 1) {
        const bool direito = SessaoAtual.pode(SessaoAtual.PesagemManualEntrada);
        FlatComboBox1->setEnabled(direito);
        FlatEdit1->clear();
        somenteLeitura(FlatEdit1, FlatComboBox1->currentIndex() == 1);
        if (FlatComboBox1->currentIndex() == 1) {
            FlatButton1Click();
        } else {
            Shape1->define(TLampada::Verde);
        }
    } else {
        const bool direito = SessaoAtual.pode(SessaoAtual.PesagemManualSaida);
        FlatComboBox2->setEnabled(direito);
        FlatEdit9->clear();
        somenteLeitura(FlatEdit9, FlatComboBox2->currentIndex() == 1);
        if (FlatComboBox2->currentIndex() == 1) {
            FlatButton1Click();
        } else {
            Shape1->define(TLampada::Verde);
        }
    }
    UpdateSaveButton();
}

void TFrmPesagem::BtnCancelarClick()
{
    ocioso();
    BtnNovo->setFocus();
}

// Leaving "Código Pesagem:" (operators allowed to type the number).
void TFrmPesagem::saiCodigo()
{
    if (EstadoCadastro == 3 || FlatMaskEdit1->isReadOnly()) {
        return;
    }
    QString codigo = campo(FlatMaskEdit1).trimmed();
    try {
        if (codigo.isEmpty()) {
            codigo = QString::number(ConsultaPesagem::proximoCodigo(*DM));
            FlatMaskEdit1->setText(codigo);
        }
        const auto p =
            ConsultaPesagem::carregar(*DM, codigo.toLongLong(), m_modo, m_cfg, false, Relogio::agora());
        FlatMaskEdit1->setReadOnly(true);
        FlatMaskEdit1->setFocusPolicy(Qt::NoFocus);
        if (!p) {
            ajustaBotoes(0);
            UpdateSaveButton();
            return;
        }
        PesagemTela mostrada = *p;
        mostrada.modo = m_modo;
        ajustaBotoes(1);
        mostraPesagem(mostrada);
        FlatComboBox1->setEnabled(false);
        Shape1->define(TLampada::Verde);
        if (Mensagem(QStringLiteral("Realizar nova Pesagem?"), QStringLiteral("Pergunta"),
                     Msg::SimNao | Msg::Pergunta) == Msg::RespNao) {
            FlatComboBox1->setCurrentIndex(0);
            fechaPorta();
            FlatEdit1->setText(p->pesoEntrada);
            FlatEdit1->setEnabled(false);
            somenteLeitura(FlatEdit1, true);
        } else {
            // The scale keeps updating the entry weight; the save stores the new one.
            FlatComboBox1->setCurrentIndex(1);
            FlatEdit1->clear();
            Shape1->define(TLampada::Vermelha);
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
void TFrmPesagem::carregaDaLista()
{
    TQuery& q = DM->QR_Pesagem;
    if (m_modo != 2 || !q.Active() || q.IsEmpty() || DBGrid1->linhaAtual() < 0 || m_salvando) {
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
    } catch (const ErroBanco& e) {
        erroBanco(e);
        return;
    }
    if (!p) {
        return;
    }
    fechaPorta();
    m_leitura.novaPesagem();
    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    ComboBox1->setEnabled(false);
    FlatComboBox1->setEnabled(false);
    FlatMaskEdit1->setReadOnly(true);
    FlatMaskEdit1->setFocusPolicy(Qt::NoFocus);
    if (m_cfg.editarSaida != 1) {
        for (QWidget* w : {static_cast<QWidget*>(FlatMaskEdit2), static_cast<QWidget*>(FlatMaskEdit8),
                           static_cast<QWidget*>(FlatMaskEdit10), static_cast<QWidget*>(FlatEdit3),
                           static_cast<QWidget*>(FlatEdit1), static_cast<QWidget*>(FlatEdit4),
                           static_cast<QWidget*>(FlatEdit5), static_cast<QWidget*>(FlatEdit6),
                           static_cast<QWidget*>(FlatEdit24), static_cast<QWidget*>(SpeedButton5),
                           static_cast<QWidget*>(FlatMaskEdit7), static_cast<QWidget*>(SpeedButton1),
                           static_cast<QWidget*>(FlatMaskEdit6), static_cast<QWidget*>(SpeedButton2),
                           static_cast<QWidget*>(FlatMaskEdit3), static_cast<QWidget*>(SpeedButton3),
                           static_cast<QWidget*>(BtnOK), static_cast<QWidget*>(strGrid1)}) {
            w->setEnabled(false);
        }
    }
    FlatEdit7->setEnabled(m_cfg.pesoEmbalagem == 1);
    BtnNovo->setVisible(m_cfg.somenteSaida == 1);
    mostraPesagem(*p);
    if (ConsultaPesagem::saidaAntesDaEntrada(*p)) {
        Mensagem(QStringLiteral("Data de Saída não pode ser menor que data de Entrada!"),
                 QStringLiteral("Informação!"), Msg::Informacao);
        FlatMaskEdit4->setText(p->dataEntrada);
    }
    const bool direito = SessaoAtual.pode(SessaoAtual.PesagemManualSaida);
    FlatComboBox2->setEnabled(direito);
    FlatEdit9->clear();
    somenteLeitura(FlatEdit9, FlatComboBox2->currentIndex() == 1 || !direito);
    (direito ? static_cast<QWidget*>(FlatComboBox2) : FlatMaskEdit4)->setFocus();
    if (!p->pesoSaida.isEmpty() && m_cfg.morProduto != 1 && (m_cfg.umidade != 0 || m_cfg.umidadeUnica != 0)) {
        saiFator();
    }
    UpdateSaveButton();
    // The exit list decides whether the port opens.
    Shape1->define(FlatComboBox2->currentIndex() == 1 ? TLampada::Vermelha : TLampada::Verde);
    mudaModoPesagem(FlatComboBox2);
}

void TFrmPesagem::recusa(QWidget* campo, const QString& mensagem, const QString& titulo, int icone)
{
    if (!mensagem.isEmpty()) {
        Mensagem(mensagem, titulo, icone);
    }
    if (auto* e = qobject_cast<QLineEdit*>(campo)) {
        e->clear();
    }
    campo->setFocus();
}

void TFrmPesagem::saiDataEntrada()
{
    if (EstadoCadastro == 3 || FlatMaskEdit2->isReadOnly()) {
        return;
    }
    const Checagem c = ChecaDataEntrada(FlatMaskEdit2->maskText(), Relogio::hoje());
    if (c.recusado) {
        recusa(FlatMaskEdit2, c.mensagem, c.titulo, c.icone);
    } else if (c.texto != FlatMaskEdit2->maskText()) {
        FlatMaskEdit2->setText(c.texto);
    }
}

void TFrmPesagem::saiDataSaida()
{
    if (EstadoCadastro == 3 || FlatMaskEdit4->isReadOnly()) {
        return;
    }
    const Checagem c = ChecaDataSaida(FlatMaskEdit4->maskText(), FlatMaskEdit2->maskText());
    if (c.recusado) {
        recusa(FlatMaskEdit4, c.mensagem, c.titulo, c.icone);
    } else if (c.texto != FlatMaskEdit4->maskText()) {
        FlatMaskEdit4->setText(c.texto);
    }
}

void TFrmPesagem::saiHoraEntrada()
{
    if (EstadoCadastro == 3 || FlatMaskEdit8->isReadOnly()) {
        return;
    }
    const Checagem c = ChecaHoraEntrada(FlatMaskEdit8->maskText());
    if (c.recusado) {
        recusa(FlatMaskEdit8, c.mensagem, c.titulo, c.icone);
    }
}

void TFrmPesagem::saiHoraSaida()
{
    if (EstadoCadastro == 3 || FlatMaskEdit9->isReadOnly()) {
        return;
    }
    const Checagem c = ChecaHoraSaida(FlatMaskEdit9->maskText(), FlatMaskEdit8->maskText(),
                                      FlatMaskEdit2->maskText(), FlatMaskEdit4->maskText());
    if (c.recusado) {
        recusa(FlatMaskEdit9, c.mensagem, c.titulo, c.icone);
    }
}

void TFrmPesagem::saiPeso(QLineEdit* caixa)
{
    if (EstadoCadastro == 3 || caixa->isReadOnly() || m_salvando) {
        return;
    }
    caixa->setText(NormalizaPeso(caixa->text(), m_cfg.casasDecimais, caixa == FlatEdit1));
}

void TFrmPesagem::saiFator()
{
    if (EstadoCadastro == 3 || m_modo != 2) {
        return;
    }
    try {
        const auto r = FatoresPesagem::checa(
            *DM, m_cfg, FlatMaskEdit3->text(),
            {Fatores[0]->text(), Fatores[1]->text(), Fatores[2]->text(), Fatores[3]->text()});
        if (r.situacao == FatoresPesagem::ChecagemFatores::NaoSeAplica) {
            return;
        }
        if (!r.mensagem.isEmpty()) {
            Mensagem(r.mensagem, r.titulo, r.icone);
        }
        for (int i = 0; i < 4; ++i) {
            if (Fatores[size_t(i)]->text() != r.fatores[size_t(i)]) {
                Fatores[size_t(i)]->setText(r.fatores[size_t(i)]);
            }
        }
        if (r.limpa()) {
            UpdateSaveButton();
            Fatores[0]->setFocus();
        }
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

void TFrmPesagem::saiUmidade()
{
    if (EstadoCadastro == 3) {
        return;
    }
    try {
        const auto r = FatoresPesagem::calculaUmidade(*DM, m_cfg, FlatMaskEdit3->text(), FlatEdit22->text());
        if (!r) {
            return;
        }
        if (!r->mensagem.isEmpty()) {
            Mensagem(r->mensagem, QStringLiteral("Informação"), Msg::Informacao);
        }
        FlatEdit22->setText(r->umidade);
        FlatEdit23->setText(r->desconto);
    } catch (const ErroBanco& e) {
        erroBanco(e);
    }
}

// "&OK": the product joins the grid once.
void TFrmPesagem::adicionaProduto()
{
    const QString codigo = FlatMaskEdit3->text().trimmed();
    if (codigo.isEmpty()) {
        return;
    }
    if (FlatEdit8->text() == NaoCadastrado) {
        Mensagem(NaoCadastrado, QStringLiteral("Atenção"), Msg::Aviso);
        FlatMaskEdit3->setFocus();
        return;
    }
    bool existe = false;
    for (int r = 1; r < strGrid1->RowCount(); ++r) {
        existe = existe || strGrid1->Cells(0, r).trimmed() == codigo;
    }
    if (!existe) {
        strGrid1->AddRow({codigo, FlatEdit8->text().trimmed()});
    }
    FlatMaskEdit3->clear();
    FlatEdit8->clear();
    FlatMaskEdit3->setFocus();
}

// Del on the grid (entry window).
void TFrmPesagem::removeProduto()
{
    if (m_modo != 1 || strGrid1->IsEmpty() || strGrid1->Cells(0, 1).trimmed().isEmpty()) {
        return;
    }
    if (Mensagem(QStringLiteral("Deseja deletar esse Produto da Grade ?"), QStringLiteral("Pergunta"),
                 Msg::SimNao | Msg::Pergunta) == Msg::RespSim) {
        strGrid1->DeleteRow(strGrid1->Row());
    }
    UpdateSaveButton();
}

bool TFrmPesagem::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    const int k = e->key();
    if (k == Qt::Key_G && e->modifiers() == Qt::AltModifier) {
        DBGrid1->setFocus();
        return true;
    }
    if (k == Qt::Key_F10) {
        if (BtnSalvar->isEnabled() && BtnSalvar->isVisible()) {
            BtnSalvarClick();
        }
        return true;
    }
    if (alvo == strGrid1 && k == Qt::Key_Delete) {
        removeProduto();
        return true;
    }
    if (k == Qt::Key_F2) {
        if ((alvo == FlatMaskEdit2 || alvo == FlatMaskEdit4) &&
            !static_cast<QLineEdit*>(alvo)->isReadOnly()) {
            if (m_cfg.alteraDataHora == 1) {
                const QString d = AbrirCalendario(this);
                if (!d.isEmpty()) {
                    static_cast<QLineEdit*>(alvo)->setText(d);
                }
            }
            return true;
        }
        if ((alvo == FlatMaskEdit8 || alvo == FlatMaskEdit9) &&
            !static_cast<QLineEdit*>(alvo)->isReadOnly()) {
            static_cast<QLineEdit*>(alvo)->setText(Relogio::horaAtual().toString(QStringLiteral("HH:mm:ss")));
            return true;
        }
        if (alvo == FlatMaskEdit7) {
            buscaParte();
            return true;
        }
        if (alvo == FlatMaskEdit6) {
            buscaTransportadora();
            return true;
        }
        if (alvo == FlatMaskEdit3) {
            buscaProduto();
            return true;
        }
        if (alvo == FlatEdit24) {
            buscaMotorista(false);
            return true;
        }
        if (alvo == FlatEdit3 && m_cfg.cadMotorista == 1) {
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

void TFrmPesagem::showEvent(QShowEvent* e)
{
    TFrmPadrao::showEvent(e);
    if (!m_configurada) {
        m_configurada = true;
        ocioso();
        BtnNovo->setFocus();
    }
}

void TFrmPesagem::done(int r)
{
    fechaPorta();
    TQuery& q = DM->QR_Pesagem;
    if (m_modo == 2 && q.Active() && !q.IsEmpty() && DBGrid1->linhaAtual() >= 0) {
        m_ultimoCodigo = q.AsString(QStringLiteral("pes_codigo"));
    }
    q.Close();
    DBGrid1->recarregar();
    TFrmPadrao::done(r);
}
