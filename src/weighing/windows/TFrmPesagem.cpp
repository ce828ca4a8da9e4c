#include "TFrmPesagem.h"

#include "FiltrosCampo.h"
#include "TDBGrid.h"
#include "TLampadaBalanca.h"
#include "TMaskEdit.h"
#include "TstrGrid.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    BtnSalvar->setText(QStringLiteral("&Sal&var(F10)"));
    montaControles();
    ligaEventos();
    configura();
}

TFrmPesagem::~TFrmPesagem()
{
    m_porta.Disconnect();
}

void TFrmPesagem::montaControles()
{
    auto* g = new QGridLayout;
    int l = 0;
    FlatMaskEdit1 = mascara(this, "FlatMaskEdit1", "9999999;1;_");
    g->addWidget(Rotulo(QStringLiteral("Código Pesagem:"), FlatMaskEdit1), l, 0);
    g->addWidget(FlatMaskEdit1, l, 1);
    FlatEdit3 = edit(this, "FlatEdit3", 7);
    m_rotPlaca = Rotulo(QStringLiteral("Placa:"), FlatEdit3);
    g->addWidget(m_rotPlaca, l, 2);
    g->addWidget(FlatEdit3, l, 3);
    FlatEdit4 = edit(this, "FlatEdit4", 7);
    g->addWidget(Rotulo(QStringLiteral("Placa da Carreta:"), FlatEdit4), l, 4);
    g->addWidget(FlatEdit4, l, 5);
    ++l;
    FlatMaskEdit10 = numerico(this, "FlatMaskEdit10", 12);
    g->addWidget(Rotulo(QStringLiteral("Peso Nota Fiscal:"), FlatMaskEdit10), l, 0);
    g->addWidget(FlatMaskEdit10, l, 1);
    FlatEdit6 = edit(this, "FlatEdit6", 30);
    g->addWidget(Rotulo(QStringLiteral("Nº da N. F.:"), FlatEdit6), l, 2);
    g->addWidget(FlatEdit6, l, 3);
    FlatEdit7 = edit(this, "FlatEdit7", 12);
    FiltroNumerico(FlatEdit7);
    m_rotEmbalagem = Rotulo(QStringLiteral("Peso Embalagem:"), FlatEdit7);
    g->addWidget(m_rotEmbalagem, l, 4);
    g->addWidget(FlatEdit7, l, 5);
    ++l;
    FlatEdit24 = edit(this, "FlatEdit24", 15);
    SpeedButton5 = busca(this, "SpeedButton5");
    g->addWidget(Rotulo(QStringLiteral("R.G. Motorista:"), FlatEdit24), l, 0);
    auto* rg = new QHBoxLayout;
    rg->addWidget(FlatEdit24);
    rg->addWidget(SpeedButton5);
    g->addLayout(rg, l, 1);
    FlatEdit5 = edit(this, "FlatEdit5", 80);
    m_rotNome = Rotulo(QStringLiteral("Nome:"), FlatEdit5);
    g->addWidget(m_rotNome, l, 2);
    g->addWidget(FlatEdit5, l, 3, 1, 3);
    ++l;
    FlatEdit28 = edit(this, "FlatEdit28", 80);
    m_rotObs = Rotulo(QStringLiteral("Obs.:"), FlatEdit28);
    g->addWidget(m_rotObs, l, 0);
    g->addWidget(FlatEdit28, l, 1, 1, 5);
    ++l;
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("Cliente"), QStringLiteral("Fornecedor")});
    ComboBox1->setAccessibleName(QStringLiteral("Cliente/Fornecedor"));
    FlatMaskEdit7 = mascara(this, "FlatMaskEdit7", "999999;1;_");
    FlatMaskEdit7->setAccessibleName(QStringLiteral("Código do Cliente/Fornecedor"));
    SpeedButton1 = busca(this, "SpeedButton1");
    FlatEdit12 = somenteLeitura(this, "FlatEdit12", 50);
    g->addWidget(ComboBox1, l, 0);
    auto* parte = new QHBoxLayout;
    parte->addWidget(FlatMaskEdit7);
    parte->addWidget(SpeedButton1);
    g->addLayout(parte, l, 1);
    g->addWidget(FlatEdit12, l, 2, 1, 4);
    ++l;
    FlatMaskEdit6 = mascara(this, "FlatMaskEdit6", "999999;1;_");
    SpeedButton2 = busca(this, "SpeedButton2");
    FlatEdit11 = somenteLeitura(this, "FlatEdit11", 50);
    m_rotTransportadora = Rotulo(QStringLiteral("Transportadora:"), FlatMaskEdit6);
    g->addWidget(m_rotTransportadora, l, 0);
    auto* transp = new QHBoxLayout;
    transp->addWidget(FlatMaskEdit6);
    transp->addWidget(SpeedButton2);
    g->addLayout(transp, l, 1);
    g->addWidget(FlatEdit11, l, 2, 1, 4);
    ++l;
    DBComboTipo = new QComboBox(this);
    DBComboTipo->setObjectName(QStringLiteral("DBComboTipo"));
    m_rotTipo = Rotulo(QStringLiteral("Tipo:"), DBComboTipo);
    FlatEdit25 = numerico(this, "FlatEdit25", 30);
    m_rotFrete = Rotulo(QStringLiteral("Frete:"), FlatEdit25);
    FlatEdit26 = numerico(this, "FlatEdit26", 30);
    m_rotKm = Rotulo(QStringLiteral("KM.:"), FlatEdit26);
    FlatEdit27 = numerico(this, "FlatEdit27", 30);
    m_rotDesc = Rotulo(QStringLiteral("Desc.%"), FlatEdit27);
    FlatEdit29 = numerico(this, "FlatEdit29", 30);
    m_rotTara = Rotulo(QStringLiteral("Tara:"), FlatEdit29);
    auto* valores = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(m_rotTipo), static_cast<QWidget*>(DBComboTipo),
                       static_cast<QWidget*>(m_rotFrete), static_cast<QWidget*>(FlatEdit25),
                       static_cast<QWidget*>(m_rotKm), static_cast<QWidget*>(FlatEdit26),
                       static_cast<QWidget*>(m_rotDesc), static_cast<QWidget*>(FlatEdit27),
                       static_cast<QWidget*>(m_rotTara), static_cast<QWidget*>(FlatEdit29)}) {
        valores->addWidget(w);
        m_linhaTipo << w;
    }
    valores->addStretch(1);
    g->addLayout(valores, l, 0, 1, 6);
    ++l;
    FlatMaskEdit3 = edit(this, "FlatMaskEdit3", 13);
    SpeedButton3 = busca(this, "SpeedButton3");
    FlatEdit8 = somenteLeitura(this, "FlatEdit8", 50);
    BtnOK = new QPushButton(QStringLiteral("&OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    m_rotProduto = Rotulo(QStringLiteral("Produto(s):"), FlatMaskEdit3);
    g->addWidget(m_rotProduto, l, 0);
    auto* prd = new QHBoxLayout;
    prd->addWidget(FlatMaskEdit3);
    prd->addWidget(SpeedButton3);
    g->addLayout(prd, l, 1);
    g->addWidget(FlatEdit8, l, 2, 1, 3);
    g->addWidget(BtnOK, l, 5);
    ++l;
    m_painelProdutos = new QWidget(this);
    auto* pp = new QVBoxLayout(m_painelProdutos);
    pp->setContentsMargins(0, 0, 0, 0);
    strGrid1 = new TstrGrid(m_painelProdutos);
    strGrid1->setObjectName(QStringLiteral("strGrid1"));
    strGrid1->setColCount(2);
    strGrid1->setFixedCols(0);
    strGrid1->setColWidth(0, 100);
    strGrid1->setColWidth(1, 529);
    strGrid1->setDefaultRowHeight(15);
    strGrid1->setMaximumHeight(110);
    pp->addWidget(strGrid1);
    g->addWidget(m_painelProdutos, l, 0, 1, 6);
    ++l;
    auto* fatores = new QHBoxLayout;
    const char* nomes[] = {"FlatEdit10", "FlatEdit19", "FlatEdit20", "FlatEdit21"};
    for (int i = 0; i < 4; ++i) {
        Fatores[size_t(i)] = numerico(this, nomes[i], 12);
        m_rotFatores[size_t(i)] = Rotulo(i == 0 ? QStringLiteral("Fator:") : QString(), Fatores[size_t(i)]);
        fatores->addWidget(m_rotFatores[size_t(i)]);
        fatores->addWidget(Fatores[size_t(i)]);
    }
    for (int i = 0; i < 6; ++i) {
        FatoresFixos[size_t(i)] =
            edit(this, QStringLiteral("FlatEdit%1").arg(13 + i).toLatin1().constData(), 12);
        FatoresFixos[size_t(i)]->setVisible(false);
    }
    FlatEdit22 = numerico(this, "FlatEdit22", 12);
    m_rotUmidade = Rotulo(QStringLiteral("Umidade:"), FlatEdit22);
    FlatEdit23 = somenteLeitura(this, "FlatEdit23", 12);
    m_rotDescUmidade = Rotulo(QStringLiteral("Fator de Desconto da Umidade:"), FlatEdit23);
    for (QWidget* w : {static_cast<QWidget*>(m_rotUmidade), static_cast<QWidget*>(FlatEdit22),
                       static_cast<QWidget*>(m_rotDescUmidade), static_cast<QWidget*>(FlatEdit23)}) {
        fatores->addWidget(w);
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
    GroupEntrada = lado(QStringLiteral("Pesagem de Entrada"), FlatComboBox1, "FlatComboBox1", FlatMaskEdit2,
                        "FlatMaskEdit2", QStringLiteral("Data de Entrada:"), FlatMaskEdit8, "FlatMaskEdit8",
                        QStringLiteral("Hora Entrada:"), FlatEdit1, "FlatEdit1");
    GroupSaida = lado(QStringLiteral("Pesagem de Saída"), FlatComboBox2, "FlatComboBox2", FlatMaskEdit4,
                      "FlatMaskEdit4", QStringLiteral("Data da Saída:"), FlatMaskEdit9, "FlatMaskEdit9",
                      QStringLiteral("Hora da Saída:"), FlatEdit9, "FlatEdit9");
    pesos->addWidget(GroupEntrada);
    pesos->addWidget(GroupSaida);
    auto* link = new QVBoxLayout;
    FlatComboBox3 = new QComboBox(this);
    FlatComboBox3->setObjectName(QStringLiteral("FlatComboBox3"));
    FlatComboBox3->addItems({QStringLiteral("Balança 1"), QStringLiteral("Balança 2")});
    m_rotBalanca = Rotulo(QStringLiteral("Balança"), FlatComboBox3);
    link->addWidget(m_rotBalanca);
    link->addWidget(FlatComboBox3);
    Shape1 = new TLampadaBalanca(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    link->addWidget(Shape1, 0, Qt::AlignHCenter);
    for (const auto& [texto, cor] : {std::pair{"Desconectado", "red"}, std::pair{"Aguardando", "yellow"},
                                     std::pair{"Equilíbrio", "lime"}}) {
        auto* legenda = new QLabel(QStringLiteral("<span style='color:%1'>&#9679;</span> %2")
                                       .arg(QLatin1String(cor), QString::fromUtf8(texto)),
                                   this);
        link->addWidget(legenda);
    }
    link->addStretch(1);
    pesos->addLayout(link);
    corpo()->addLayout(pesos);

    auto* localizar = new QHBoxLayout;
    FlatEdit2 = edit(this, "FlatEdit2", 8);
    FlatEdit2->setToolTip(QStringLiteral(":::Localiza pela Placa do Veículo:::"));
    setTag(FlatEdit2, 1); // never disabled by the record state
    m_rotLocalizar = Rotulo(QStringLiteral("Localizar Placa:"), FlatEdit2);
    localizar->addWidget(m_rotLocalizar);
    localizar->addWidget(FlatEdit2);
    localizar->addStretch(1);
    corpo()->addLayout(localizar);
    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setTabKeyNavigation(false);
    corpo()->addWidget(DBGrid1, 1);
}
