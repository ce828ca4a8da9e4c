// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmPesagem.h"

#include "FiltrosCampo.h"
#include "PainelPortaria.h"
#include "Portaria.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"
#include "TstrGrid.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace
{

QLineEdit* edit(QWidget* pai, const char* nome, int tamanho, bool maiusculas = true)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(QLatin1String(nome));
    e->setMaxLength(tamanho);
    if (maiusculas) {
        ForcaMaiusculas(e);
    }
    return e;
}

QLineEdit* numerico(QWidget* pai, const char* nome, int tamanho)
{
    QLineEdit* e = edit(pai, nome, tamanho, false);
    FiltroNumerico(e);
    return e;
}

TMaskEdit* mascara(QWidget* pai, const char* nome, const char* mascara)
{
    auto* m = new TMaskEdit(QString::fromLatin1(mascara), pai);
    m->setObjectName(QLatin1String(nome));
    return m;
}

QLineEdit* somenteLeitura(QWidget* pai, const char* nome, int tamanho)
{
    QLineEdit* e = edit(pai, nome, tamanho, false);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

QToolButton* busca(QWidget* pai, const char* nome)
{
    auto* b = new QToolButton(pai);
    b->setObjectName(QLatin1String(nome));
    b->setText(QStringLiteral("..."));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// The large lime-on-black weight box.
QLineEdit* caixaPeso(QWidget* pai, const char* nome)
{
    QLineEdit* e = edit(pai, nome, 12, false);
    FiltroNumerico(e);
    QFont f = e->font();
    f.setPointSize(20);
    f.setBold(true);
    e->setFont(f);
    e->setAlignment(Qt::AlignRight);
    e->setStyleSheet(QStringLiteral("QLineEdit { color: lime; background: black; }"));
    return e;
}

QComboBox* modoPesagem(QWidget* pai, const char* nome)
{
    auto* c = new QComboBox(pai);
    c->setObjectName(QLatin1String(nome));
    c->addItems({QStringLiteral("Pesagem Manual"), QStringLiteral("Pesagem Automática")});
    return c;
}

} // namespace

TFrmPesagem::TFrmPesagem(int modo, QWidget* parent) : TFrmPadrao(parent), m_modo(modo == 2 ? 2 : 1)
{
    BtnSalvar->setText(QStringLiteral("Sal&var(F10)"));
    m_fluxo = new FluxoPesagem(*DM, m_modo, Cronometro::doSistema(), this);
    montaControles();
    ligaEventos();
    configura();
}

TFrmPesagem::~TFrmPesagem()
{
    // before the members: a ticket still waiting is printed through imprimeTicket
    delete m_fluxo;
}

void TFrmPesagem::montaControles()
{
    auto* g = new QGridLayout;
    int l = 0;
    campoCodigoPesagem = mascara(this, "FlatMaskEdit1", "9999999;1;_");
    g->addWidget(Rotulo(QStringLiteral("Código Pesagem:"), campoCodigoPesagem), l, 0);
    g->addWidget(campoCodigoPesagem, l, 1);
    campoPlaca = edit(this, "FlatEdit3", 7);
    m_rotPlaca = Rotulo(QStringLiteral("Placa:"), campoPlaca);
    g->addWidget(m_rotPlaca, l, 2);
    g->addWidget(campoPlaca, l, 3);
    campoPlacaCarreta = edit(this, "FlatEdit4", 7);
    g->addWidget(Rotulo(QStringLiteral("Placa da Carreta:"), campoPlacaCarreta), l, 4);
    g->addWidget(campoPlacaCarreta, l, 5);
    ++l;
    campoPesoNotaFiscal = numerico(this, "FlatMaskEdit10", 12);
    g->addWidget(Rotulo(QStringLiteral("Peso Nota Fiscal:"), campoPesoNotaFiscal), l, 0);
    g->addWidget(campoPesoNotaFiscal, l, 1);
    // Room for an access key as printed, in groups of four (the number stored is at most 30 long).
    campoNumeroNotaFiscal = edit(this, "FlatEdit6", 60);
    g->addWidget(Rotulo(QStringLiteral("Nº da N. F.:"), campoNumeroNotaFiscal), l, 2);
    g->addWidget(campoNumeroNotaFiscal, l, 3);
    campoPesoEmbalagem = edit(this, "FlatEdit7", 12);
    FiltroNumerico(campoPesoEmbalagem);
    m_rotEmbalagem = Rotulo(QStringLiteral("Peso Embalagem:"), campoPesoEmbalagem);
    g->addWidget(m_rotEmbalagem, l, 4);
    g->addWidget(campoPesoEmbalagem, l, 5);
    ++l;
    m_placaLida = new QLabel(this);
    m_placaLida->setObjectName(QStringLiteral("placaLida"));
    m_placaLida->hide();
    g->addWidget(m_placaLida, l, 0, 1, 3);
    m_resumoChaveNfe = new QLabel(this);
    m_resumoChaveNfe->setObjectName(QStringLiteral("resumoChaveNfe"));
    m_resumoChaveNfe->hide();
    g->addWidget(m_resumoChaveNfe, l, 3, 1, 3);
    ++l;
    campoRgMotorista = edit(this, "FlatEdit24", 15);
    botaoBuscaMotorista = busca(this, "SpeedButton5");
    g->addWidget(Rotulo(QStringLiteral("R.G. Motorista:"), campoRgMotorista), l, 0);
    auto* rg = new QHBoxLayout;
    rg->addWidget(campoRgMotorista);
    rg->addWidget(botaoBuscaMotorista);
    g->addLayout(rg, l, 1);
    campoNomeMotorista = edit(this, "FlatEdit5", 80);
    m_rotNome = Rotulo(QStringLiteral("Nome:"), campoNomeMotorista);
    g->addWidget(m_rotNome, l, 2);
    g->addWidget(campoNomeMotorista, l, 3, 1, 3);
    ++l;
    campoObservacao = edit(this, "FlatEdit28", 80);
    m_rotObs = Rotulo(QStringLiteral("Obs.:"), campoObservacao);
    g->addWidget(m_rotObs, l, 0);
    g->addWidget(campoObservacao, l, 1, 1, 5);
    ++l;
    comboTipoParte = new QComboBox(this);
    comboTipoParte->setObjectName(QStringLiteral("ComboBox1"));
    comboTipoParte->addItems({QStringLiteral("Cliente"), QStringLiteral("Fornecedor")});
    comboTipoParte->setAccessibleName(QStringLiteral("Cliente/Fornecedor"));
    campoCodigoParte = mascara(this, "FlatMaskEdit7", "999999;1;_");
    campoCodigoParte->setAccessibleName(QStringLiteral("Código do Cliente/Fornecedor"));
    botaoBuscaParte = busca(this, "SpeedButton1");
    campoNomeParte = somenteLeitura(this, "FlatEdit12", 50);
    g->addWidget(comboTipoParte, l, 0);
    auto* parte = new QHBoxLayout;
    parte->addWidget(campoCodigoParte);
    parte->addWidget(botaoBuscaParte);
    g->addLayout(parte, l, 1);
    g->addWidget(campoNomeParte, l, 2, 1, 4);
    ++l;
    campoCodigoTransportadora = mascara(this, "FlatMaskEdit6", "999999;1;_");
    botaoBuscaTransportadora = busca(this, "SpeedButton2");
    campoNomeTransportadora = somenteLeitura(this, "FlatEdit11", 50);
    m_rotTransportadora = Rotulo(QStringLiteral("Transportadora:"), campoCodigoTransportadora);
    g->addWidget(m_rotTransportadora, l, 0);
    auto* transp = new QHBoxLayout;
    transp->addWidget(campoCodigoTransportadora);
    transp->addWidget(botaoBuscaTransportadora);
    g->addLayout(transp, l, 1);
    g->addWidget(campoNomeTransportadora, l, 2, 1, 4);
    ++l;
    comboTipoVeiculo = new QComboBox(this);
    comboTipoVeiculo->setObjectName(QStringLiteral("DBComboTipo"));
    m_rotTipo = Rotulo(QStringLiteral("Tipo:"), comboTipoVeiculo);
    campoFrete = numerico(this, "FlatEdit25", 30);
    m_rotFrete = Rotulo(QStringLiteral("Frete:"), campoFrete);
    campoKmOuValor = numerico(this, "FlatEdit26", 30);
    m_rotKm = Rotulo(QStringLiteral("KM.:"), campoKmOuValor);
    campoDescontoPercentual = numerico(this, "FlatEdit27", 30);
    m_rotDesc = Rotulo(QStringLiteral("Desc.%"), campoDescontoPercentual);
    campoTaraMotorista = numerico(this, "FlatEdit29", 30);
    m_rotTara = Rotulo(QStringLiteral("Tara:"), campoTaraMotorista);
    auto* valores = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_rotTipo), static_cast<QWidget*>(comboTipoVeiculo),
                       static_cast<QWidget*>(m_rotFrete), static_cast<QWidget*>(campoFrete),
                       static_cast<QWidget*>(m_rotKm), static_cast<QWidget*>(campoKmOuValor),
                       static_cast<QWidget*>(m_rotDesc), static_cast<QWidget*>(campoDescontoPercentual),
                       static_cast<QWidget*>(m_rotTara), static_cast<QWidget*>(campoTaraMotorista)}) {
        valores->addWidget(w);
        m_linhaTipo << w;
    }
    valores->addStretch(1);
    g->addLayout(valores, l, 0, 1, 6);
    ++l;
    campoCodigoProduto = edit(this, "FlatMaskEdit3", 13);
    botaoBuscaProduto = busca(this, "SpeedButton3");
    campoDescricaoProduto = somenteLeitura(this, "FlatEdit8", 50);
    botaoIncluiProduto = new QPushButton(QStringLiteral("&OK"), this);
    botaoIncluiProduto->setObjectName(QStringLiteral("BtnOK"));
    m_rotProduto = Rotulo(QStringLiteral("Produto(s):"), campoCodigoProduto);
    g->addWidget(m_rotProduto, l, 0);
    auto* prd = new QHBoxLayout;
    prd->addWidget(campoCodigoProduto);
    prd->addWidget(botaoBuscaProduto);
    g->addLayout(prd, l, 1);
    g->addWidget(campoDescricaoProduto, l, 2, 1, 3);
    g->addWidget(botaoIncluiProduto, l, 5);
    ++l;
    m_painelProdutos = new QWidget(this);
    auto* pp = new QVBoxLayout(m_painelProdutos);
    pp->setContentsMargins(0, 0, 0, 0);
    gradeDeProdutos = new TstrGrid(m_painelProdutos);
    gradeDeProdutos->setObjectName(QStringLiteral("strGrid1"));
    gradeDeProdutos->setColCount(2);
    gradeDeProdutos->setFixedCols(0);
    gradeDeProdutos->setColWidth(0, 100);
    gradeDeProdutos->setColWidth(1, 529);
    gradeDeProdutos->setDefaultRowHeight(15);
    // the titles and three whole rows, whatever the font makes of a row
    gradeDeProdutos->setFixedHeight(gradeDeProdutos->horizontalHeader()->sizeHint().height() +
                                    3 * gradeDeProdutos->verticalHeader()->defaultSectionSize() +
                                    2 * gradeDeProdutos->frameWidth() +
                                    gradeDeProdutos->horizontalScrollBar()->sizeHint().height());
    pp->addWidget(gradeDeProdutos);
    g->addWidget(m_painelProdutos, l, 0, 1, 6);
    ++l;
    auto* fatores = new QHBoxLayout;
    const char* nomes[] = {"FlatEdit10", "FlatEdit19", "FlatEdit20", "FlatEdit21"};
    for (int i = 0; i < 4; ++i) {
        Fatores[size_t(i)] = numerico(this, nomes[i], 12);
        m_rotFatores[size_t(i)] = Rotulo(i == 0 ? QStringLiteral("Fator:") : QString(), Fatores[size_t(i)]);
        fatores->addWidget(m_rotFatores[size_t(i)]);
        fatores->addWidget(Fatores[size_t(i)]);
        fatores->addWidget(Sufixo(QStringLiteral("%"), Fatores[size_t(i)]));
    }
    for (int i = 0; i < 6; ++i) {
        FatoresFixos[size_t(i)] =
            edit(this, QStringLiteral("FlatEdit%1").arg(13 + i).toLatin1().constData(), 12);
        FatoresFixos[size_t(i)]->setVisible(false);
    }
    campoUmidade = numerico(this, "FlatEdit22", 12);
    m_rotUmidade = Rotulo(QStringLiteral("Umidade:"), campoUmidade);
    campoFatorDescontoUmidade = somenteLeitura(this, "FlatEdit23", 12);
    m_rotDescUmidade = Rotulo(QStringLiteral("Fator de Desconto da Umidade:"), campoFatorDescontoUmidade);
    for (QWidget* w :
         {static_cast<QWidget*>(m_rotUmidade), static_cast<QWidget*>(campoUmidade),
          static_cast<QWidget*>(m_rotDescUmidade), static_cast<QWidget*>(campoFatorDescontoUmidade)}) {
        fatores->addWidget(w);
        if (w == campoUmidade || w == campoFatorDescontoUmidade)
            fatores->addWidget(Sufixo(QStringLiteral("%"), w));
    }
    fatores->addStretch(1);
    g->addLayout(fatores, l, 0, 1, 6);
    corpo()->addLayout(g);

    auto* pesos = new QHBoxLayout;
    auto lado = [this](const QString& titulo, QComboBox*& lista, const char* nomeLista, TMaskEdit*& data,
                       const char* nomeData, const QString& rotData, TMaskEdit*& hora, const char* nomeHora,
                       const QString& rotHora, QLineEdit*& peso, const char* nomePeso) {
        auto* grupo = new QGroupBox(titulo, this);
        auto* gl = new QGridLayout(grupo);
        lista = modoPesagem(grupo, nomeLista);
        data = mascara(grupo, nomeData, "99/99/9999;1;_");
        hora = mascara(grupo, nomeHora, "99:99:99;1;_");
        peso = caixaPeso(grupo, nomePeso);
        gl->addWidget(lista, 0, 0, 1, 2);
        gl->addWidget(Rotulo(rotData, data), 1, 0);
        gl->addWidget(data, 1, 1);
        gl->addWidget(Rotulo(rotHora, hora), 2, 0);
        gl->addWidget(hora, 2, 1);
        gl->addWidget(Rotulo(QStringLiteral("Peso:"), peso), 3, 0);
        gl->addWidget(peso, 3, 1);
        peso->setAccessibleName(titulo + QStringLiteral(" - Peso"));
        return grupo;
    };
    GroupEntrada =
        lado(QStringLiteral("Pesagem de Entrada"), comboModoEntrada, "FlatComboBox1", campoDataEntrada,
             "FlatMaskEdit2", QStringLiteral("Data de Entrada:"), campoHoraEntrada, "FlatMaskEdit8",
             QStringLiteral("Hora Entrada:"), campoPesoEntrada, "FlatEdit1");
    GroupSaida = lado(QStringLiteral("Pesagem de Saída"), comboModoSaida, "FlatComboBox2", campoDataSaida,
                      "FlatMaskEdit4", QStringLiteral("Data da Saída:"), campoHoraSaida, "FlatMaskEdit9",
                      QStringLiteral("Hora da Saída:"), campoPesoSaida, "FlatEdit9");
    pesos->addWidget(GroupEntrada);
    pesos->addWidget(GroupSaida);
    auto* link = new QVBoxLayout;
    comboBalanca = new QComboBox(this);
    comboBalanca->setObjectName(QStringLiteral("FlatComboBox3"));
    comboBalanca->addItems({QStringLiteral("Balança 1"), QStringLiteral("Balança 2")});
    m_rotBalanca = Rotulo(QStringLiteral("Balança"), comboBalanca);
    link->addWidget(m_rotBalanca);
    link->addWidget(comboBalanca);
    lampadaBalanca = new TLampadaBalanca(this);
    lampadaBalanca->setObjectName(QStringLiteral("Shape1"));
    link->addWidget(lampadaBalanca, 0, Qt::AlignHCenter);
    for (const auto& [texto, cor] : {std::pair{"Desconectado", "red"}, std::pair{"Aguardando", "yellow"},
                                     std::pair{"Equilíbrio", "lime"}}) {
        auto* legenda = new QLabel(QStringLiteral("<span style='color:%1'>&#9679;</span> %2")
                                       .arg(QLatin1String(cor), QString::fromUtf8(texto)),
                                   this);
        link->addWidget(legenda);
    }
    link->addStretch(1);
    pesos->addLayout(link);
    pesos->addWidget(new PainelPortaria(Portaria::atual(), this));
    pesos->addWidget(montaPainelFotos());
    corpo()->addLayout(pesos);

    auto* localizar = new QHBoxLayout;
    campoLocalizarPlaca = edit(this, "FlatEdit2", 8);
    campoLocalizarPlaca->setToolTip(QStringLiteral(":::Localiza pela Placa do Veículo:::"));
    setTag(campoLocalizarPlaca, 1); // never disabled by the record state
    m_rotLocalizar = Rotulo(QStringLiteral("Localizar Placa:"), campoLocalizarPlaca);
    localizar->addWidget(m_rotLocalizar);
    localizar->addWidget(campoLocalizarPlaca);
    localizar->addStretch(1);
    corpo()->addLayout(localizar);
    listaPesagens = new TDBGrid(this);
    listaPesagens->setObjectName(QStringLiteral("DBGrid1"));
    listaPesagens->setTabKeyNavigation(false);
    // the list is in order of entry: a plate typed on it goes to "Localizar Placa:"
    listaPesagens->setCampoLocalizar(campoLocalizarPlaca);
    corpo()->addWidget(listaPesagens, 1);
}
