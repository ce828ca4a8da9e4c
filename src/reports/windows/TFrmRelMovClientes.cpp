// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmRelMovClientes.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "PastaDados.h"
#include "RelatorioMovimento.h"
#include "TDM.h"
#include "TFrmCadastrao.h"
#include "TMaskEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace
{
const QString NaoCadastrado = QStringLiteral("NÃO CADASTRADO");
}

TFrmRelMovClientes::TFrmRelMovClientes(QWidget* parent) : TFrmRelatorio(parent)
{
    setObjectName(QStringLiteral("FrmRelMovClientes"));
    setWindowTitle(QStringLiteral("Movimentação de Produto X Cliente/Fornecedor"));

    edtCodigo = new TMaskEdit(QStringLiteral("999999;0;_"), this);
    edtCodigo->setObjectName(QStringLiteral("edtCodigo"));
    btnCodigo = new QToolButton(this);
    btnCodigo->setObjectName(QStringLiteral("btnCodigo"));
    btnCodigo->setText(QStringLiteral("..."));
    btnCodigo->setFocusPolicy(Qt::NoFocus);
    edtRazao = CampoNomeDoCodigo(this, QStringLiteral("edtRazao"));
    edtRazao->setMinimumWidth(260);
    linha(QStringLiteral("Código:"), edtCodigo, btnCodigo, edtRazao);

    comboTipoParte = new QComboBox(this);
    comboTipoParte->setObjectName(QStringLiteral("ComboBox1"));
    comboTipoParte->addItems(RelatorioMovimento::tipos());
    comboTipoParte->setCurrentIndex(0);
    linha(QStringLiteral("Tipo:"), comboTipoParte);

    adicionaDatas();
    adicionaProduto();

    edtPlaca = CampoMaiusculo(this, QStringLiteral("edtPlaca"), 7);
    linha(QStringLiteral("Placa:"), edtPlaca);

    chkSomenteSaida = new QCheckBox(QStringLiteral("Somente com saída"), this);
    chkSomenteSaida->setObjectName(QStringLiteral("chkSomenteSaida"));
    formulario()->addRow(QString(), chkSomenteSaida);
    chkExportar = new QCheckBox(QStringLiteral("Exportar Dados"), this);
    chkExportar->setObjectName(QStringLiteral("chkExportar"));
    formulario()->addRow(QString(), chkExportar);
    fecha();

    AoSair(edtCodigo, [this] { saiCodigo(); });
    connect(btnCodigo, &QToolButton::clicked, this, [this] { escolheParte(); });
    connect(edtRazao, &QLineEdit::textChanged, this, [this] { ajustaImprimir(); });
    connect(comboTipoParte, &QComboBox::currentIndexChanged, this, [this] { saiCodigo(); });
    edtCodigo->setFocus();
}

bool TFrmRelMovClientes::podeImprimir() const
{
    return edtRazao->text() != NaoCadastrado && TFrmRelatorio::podeImprimir();
}

bool TFrmRelMovClientes::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    if (alvo == edtCodigo && e->key() == Qt::Key_F2 && e->modifiers() == Qt::NoModifier) {
        escolheParte();
        return true;
    }
    return TFrmRelatorio::teclaPrevia(alvo, e);
}

void TFrmRelMovClientes::saiCodigo()
{
    const QString codigo = edtCodigo->maskText().trimmed();
    if (codigo.isEmpty()) {
        edtRazao->clear();
        return;
    }
    try {
        TQuery& q = DM->QR_TEMP;
        q.Clear();
        q.Add(QStringLiteral("SELECT cad_razao from cadastrao"));
        q.Add(QStringLiteral("Where cad_codigo=:codigo and cad_tipo=:tipo"));
        q.setParam(QStringLiteral("codigo"), codigo.toLongLong());
        q.setParam(QStringLiteral("tipo"), RelatorioMovimento::tipoParte(comboTipoParte->currentIndex()));
        q.Open();
        edtRazao->setText(q.IsEmpty() ? NaoCadastrado : q.AsString(QStringLiteral("cad_razao")));
        q.Close();
    } catch (const ErroBanco& e) {
        DM->QR_TEMP.Close();
        MensagensCadastro::avisaErro(e.texto());
    }
}

void TFrmRelMovClientes::escolheParte()
{
    std::optional<Escolha> escolhida;
    {
        TFrmCadastrao partes(RelatorioMovimento::tipoParte(comboTipoParte->currentIndex()), this);
        escolhida = partes.escolher();
    }
    if (escolhida) {
        edtCodigo->setText(QString::number(escolhida->codigo));
        edtRazao->setText(escolhida->texto(QStringLiteral("CAD_RAZAO")));
    }
    edtCodigo->setFocus();
}

void TFrmRelMovClientes::imprimir()
{
    FiltroMovimento f;
    f.tipo = comboTipoParte->currentIndex();
    f.codigo = edtCodigo->maskText().trimmed();
    f.inicio = inicio();
    f.fim = fim();
    f.produto = edtProduto->text().trimmed();
    f.placa = edtPlaca->text().trimmed();
    f.somenteComSaida = chkSomenteSaida->isChecked();
    RelatorioMovimento relatorio(*DM);
    if (chkExportar->isChecked()) {
        QString arquivo;
        try {
            arquivo = relatorio.exportar(f, PastaDados::caminho());
        } catch (const ErroBanco&) {
            throw;
        } catch (const std::exception& e) {
            Mensagem(QString::fromStdString(e.what()), QStringLiteral("Erro"), Msg::Erro);
            return;
        }
        if (arquivo.isEmpty()) {
            Mensagem(QStringLiteral("Não há dados para exportar"), QStringLiteral("Informação"),
                     Msg::Informacao);
        } else {
            Mensagem(QStringLiteral("Arquivo exportado com sucesso.\rDiretorio:") + arquivo,
                     QStringLiteral("Informação"), Msg::Informacao);
        }
        return;
    }
    if (!relatorio.imprimir(f, chkTela->isChecked()))
        Mensagem(QStringLiteral("Não há dados para imprimir"), QStringLiteral("Informação"), Msg::Informacao);
}
