// SPDX-License-Identifier: GPL-3.0-or-later
// The weighing window's set-up from Config: what is shown, captions, the
// list of weighings and the scale link's settings.
#include "ConfiguraBalanca.h"
#include "ConsultaPesagem.h"
#include "Dialogos.h"
#include "ErroBanco.h"
#include "SessaoAtual.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TFrmPesagem.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"
#include "TstrGrid.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace
{

QString textoData(const QVariant& v)
{
    if (v.isNull()) {
        return QString();
    }
    if (v.typeId() == QMetaType::QDate) {
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    }
    const QDate d = QDate::fromString(v.toString().left(10), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : v.toString();
}

} // namespace

void TFrmPesagem::configura()
{
    try {
        m_cfg = ConfigPesagem::ler(*DM);
    } catch (const ErroBanco& e) {
        // The window opens with the defaults; the operator is told why.
        erroBanco(e);
    }
    for (const QString& aviso : m_fluxo->configura(m_cfg)) {
        Mensagem(aviso, QStringLiteral("Aviso"), Msg::Aviso);
    }
    ligaFluxo();

    setWindowTitle(m_modo == 1 ? QStringLiteral("Pesagem Entrada") : QStringLiteral("Pesagem Saída"));
    lampadaBalanca->ocioso();
    gradeDeProdutos->SetTitles({QStringLiteral("Código"), QStringLiteral("Produto")});
    const bool alteraData = m_cfg.alteraDataHora == 1;
    for (TMaskEdit* m : {campoDataEntrada, campoHoraEntrada, campoDataSaida, campoHoraSaida}) {
        m->setReadOnly(!alteraData);
    }
    campoCodigoPesagem->setReadOnly(true);
    campoCodigoPesagem->setFocusPolicy(Qt::NoFocus);
    aplicaVisibilidade();

    if (m_modo == 2) {
        try {
            abreLista();
        } catch (const ErroBanco& e) {
            erroBanco(e);
        }
    }
    comboModoEntrada->setCurrentIndex(1);
    comboModoSaida->setCurrentIndex(1);
    if (m_fluxo->cameras()) {
        m_painelFotos->show();
    }
    ocioso();
}

void TFrmPesagem::aplicaVisibilidade()
{
    const ConfigPesagem& c = m_cfg;
    if (c.pesagemVagao == 1) {
        campoPlaca->setMaxLength(20);
    }
    m_rotTransportadora->setText(c.navio == 1 ? QStringLiteral("Navio:") : QStringLiteral("Transportadora:"));
    if (c.cadMotorista == 1) {
        campoNomeMotorista->setReadOnly(true);
        campoNomeMotorista->setFocusPolicy(Qt::NoFocus);
    }
    m_rotObs->setVisible(c.pesagemObs == 1);
    campoObservacao->setVisible(c.pesagemObs == 1);

    // Freight and distance, or the vehicle type with its value and discount.
    const bool frete = c.frete == 1;
    const bool tipo = !frete && c.tipoVeiculo == 1;
    m_rotTipo->setVisible(tipo);
    comboTipoVeiculo->setVisible(tipo);
    m_rotFrete->setVisible(frete);
    campoFrete->setVisible(frete);
    m_rotKm->setVisible(frete || tipo);
    campoKmOuValor->setVisible(frete || tipo);
    m_rotKm->setText(tipo ? QStringLiteral("Vlr.") : QStringLiteral("KM.:"));
    m_rotDesc->setVisible(tipo);
    campoDescontoPercentual->setVisible(tipo);
    m_rotTara->setVisible(c.taraPesagem == 1);
    campoTaraMotorista->setVisible(c.taraPesagem == 1);
    if (tipo) {
        try {
            for (const auto& [descricao, codigo] : ConsultaPesagem::tiposVeiculo(*DM)) {
                comboTipoVeiculo->addItem(descricao, codigo);
            }
            comboTipoVeiculo->setCurrentIndex(comboTipoVeiculo->findData(1));
        } catch (const ErroBanco& e) {
            erroBanco(e);
        }
    }
    m_rotBalanca->setVisible(c.selecionaBal == 1);
    comboBalanca->setVisible(c.selecionaBal == 1);

    // Factors 7-10 and the moisture.
    std::array<bool, 4> fatores{};
    bool umidade = false;
    const bool grade = c.morProduto == 1;
    if (m_modo == 1) {
        if (c.umidadeE != 0) {
            fatores = {true, true, true, true};
        } else if (c.umidadeUnica == 1) {
            fatores = {true, false, false, false};
        }
        umidade = c.umidadeE != 0;
    } else if (!grade && c.umidade != 0) {
        fatores = {true, true, true, true};
        umidade = true;
    }
    if (grade) {
        fatores = {};
        umidade = false;
    }
    for (int i = 0; i < 4; ++i) {
        const QString nome = c.nomesFatores[size_t(i)].trimmed();
        QString rotulo = i == 0 ? u'&' + (nome.isEmpty() ? QStringLiteral("Fator:") : nome) : nome;
        m_rotFatores[size_t(i)]->setText(rotulo);
        Fatores[size_t(i)]->setAccessibleName(
            rotulo.remove(u'&').isEmpty() ? QStringLiteral("Fator %1").arg(7 + i) : rotulo);
        m_rotFatores[size_t(i)]->setVisible(fatores[size_t(i)]);
        Fatores[size_t(i)]->setVisible(fatores[size_t(i)]);
    }
    for (QWidget* w :
         {static_cast<QWidget*>(m_rotUmidade), static_cast<QWidget*>(campoUmidade),
          static_cast<QWidget*>(m_rotDescUmidade), static_cast<QWidget*>(campoFatorDescontoUmidade)}) {
        w->setVisible(umidade);
    }

    m_rotProduto->setText(grade ? QStringLiteral("Produto(s):") : QStringLiteral("Produto:"));
    campoCodigoProduto->setAccessibleName(grade ? QStringLiteral("Produto(s):") : QStringLiteral("Produto:"));
    m_painelProdutos->setVisible(grade);
    botaoIncluiProduto->setVisible(grade);
    if (m_modo == 1) {
        listaPesagens->setVisible(false);
        campoLocalizarPlaca->setVisible(false);
        m_rotLocalizar->setVisible(false);
        btnExcluir->setVisible(false);
        GroupSaida->setVisible(false);
    } else {
        BtnNovo->setVisible(c.somenteSaida == 1);
    }
    adjustSize(); // the window closes the gaps of hidden rows
}

void TFrmPesagem::abreLista()
{
    const bool todas = SessaoAtual.ehAdmin() || m_cfg.exibePesagens == 1;
    TQuery& q = DM->QR_Pesagem;
    m_fluxo->abreLista(q, todas);
    const int casas = m_cfg.casasDecimais;
    auto peso = [casas](const QVariant& v) {
        return v.isNull() ? QString() : Decimal::fromVariant(v).toString(casas);
    };
    QList<ModeloConsulta::Coluna> colunas{
        {QStringLiteral("pes_codigo"), QStringLiteral("Código"), 60},
        {QStringLiteral("pes_placa"), QStringLiteral("Placa"), 70, Qt::red}};
    if (m_cfg.grade == 1) {
        colunas.append({QStringLiteral("cad_razao"), QStringLiteral("Cliente/Fornecedor"), 160});
        colunas.append({QStringLiteral("prd_descricao"), QStringLiteral("Produto"), 120});
    } else {
        colunas.append({QStringLiteral("pes_placacarreta"), QStringLiteral("Carreta"), 70});
    }
    colunas.append(
        {QStringLiteral("pes_dataentrada"), QStringLiteral("Data Entrada"), 95, QColor(), textoData});
    colunas.append({QStringLiteral("pes_horaentrada"), QStringLiteral("Hora"), 75});
    colunas.append(
        {QStringLiteral("pes_pesoentrada"), QStringLiteral("Peso Entrada"), 90, QColor(Qt::darkBlue), peso});
    colunas.append({QStringLiteral("pes_datasaida"), QStringLiteral("Data Saída"), 95, QColor(), textoData});
    colunas.append({QStringLiteral("pes_horasaida"), QStringLiteral("Hora"), 75});
    colunas.append(
        {QStringLiteral("pes_pesosaida"), QStringLiteral("Peso Saída"), 90, QColor(Qt::darkGreen), peso});
    colunas.append({QStringLiteral("pes_motorista"), QStringLiteral("Motorista"), 160});
    listaPesagens->setConsulta(&q, colunas);
}
