// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmUsuarios.h"

#include "Dialogos.h"
#include "ErroBanco.h"
#include "FiltrosCampo.h"
#include "MensagensCadastro.h"
#include "TDBGrid.h"
#include "TDM.h"
#include "Usuarios.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFrmUsuarios::TFrmUsuarios(QWidget* parent) : TFrmPadrao(parent)
{
    setObjectName(QStringLiteral("FrmUsuarios"));
    setWindowTitle(QStringLiteral("Cadastro de Usuários e Acessos"));

    auto* campos = new QFormLayout;
    auto campo = [this](const char* nome, int tamanho) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setMaxLength(tamanho);
        return e;
    };
    edtLogin = campo("EdtLogin", 12);
    ForcaMaiusculas(edtLogin);
    edtSenha = campo("EdtSenha", 12);
    edtSenha->setEchoMode(QLineEdit::Password);
    edtNome = campo("EdtNome", 80);
    ForcaMaiusculas(edtNome);
    campos->addRow(Rotulo(QStringLiteral("Login:"), edtLogin), edtLogin);
    campos->addRow(Rotulo(QStringLiteral("Senha:"), edtSenha), edtSenha);
    campos->addRow(Rotulo(QStringLiteral("Usuário:"), edtNome), edtNome);
    corpo()->addLayout(campos);

    grpAcessos = new QGroupBox(QStringLiteral("Acessos"), this);
    grpAcessos->setObjectName(QStringLiteral("GrpAcessos"));
    auto* acessos = new QGridLayout(grpAcessos);
    auto caixa = [this, acessos](const char* nome, const QString& texto) {
        auto* c = new QCheckBox(texto, grpAcessos);
        c->setObjectName(QLatin1String(nome));
        const int i = acessos->count();
        acessos->addWidget(c, i / 2, i % 2);
        return c;
    };
    // in the tab order of the window
    chkCadastros = caixa("ChkCadastros", QStringLiteral("Cadastros"));
    chkRelatorios = caixa("ChkRelatorios", QStringLiteral("Relatórios"));
    chkPesoInferior = caixa("ChkPesoInferior", QStringLiteral("Peso Inferior Saída"));
    chkEditarPesagens = caixa("ChkEditarPesagens", QStringLiteral("Editar Pesagens"));
    chkPesagemSaida = caixa("ChkPesagemSaida", QStringLiteral("Pesagem Saída"));
    chkManualSaida = caixa("ChkManualSaida", QStringLiteral("Pesagem Manual Saída"));
    chkPesagemEntrada = caixa("ChkPesagemEntrada", QStringLiteral("Pesagem Entrada"));
    chkManualEntrada = caixa("ChkManualEntrada", QStringLiteral("Pesagem Manual Entrada"));
    corpo()->addWidget(grpAcessos);

    DBGrid1 = new TDBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setConsulta(&DM->QR_Usuarios, {{QStringLiteral("USR_LOGIN"), QStringLiteral("Login"), 120},
                                            {QStringLiteral("USR_NOME"), QStringLiteral("Usuário"), 300}});
    corpo()->addWidget(DBGrid1, 1);

    QWidget* ordem[] = {edtLogin,       edtSenha,          edtNome,           chkCadastros,
                        chkRelatorios,  chkPesoInferior,   chkEditarPesagens, chkPesagemSaida,
                        chkManualSaida, chkPesagemEntrada, chkManualEntrada,  DBGrid1};
    for (size_t i = 1; i < std::size(ordem); ++i) {
        setTabOrder(ordem[i - 1], ordem[i]);
    }

    for (QLineEdit* e : {edtLogin, edtSenha, edtNome}) {
        connect(e, &QLineEdit::textChanged, this, &TFrmUsuarios::ajustaSalvar);
    }
    AoSair(edtLogin, [this] { loginSaiu(); });
    defineLista(DBGrid1, QStringLiteral("USR_LOGIN"), Leitura::Paginas);

    limpa();
    HabilitaCampos(this, 3);
    grpAcessos->setEnabled(false);
    carregaLista();
    ajustaBotoes(3);
}

void TFrmUsuarios::carregaLista()
{
    abreLista();
}

void TFrmUsuarios::limpa()
{
    for (QLineEdit* e : {edtLogin, edtSenha, edtNome}) {
        e->clear();
    }
    for (QCheckBox* c : grpAcessos->findChildren<QCheckBox*>()) {
        c->setChecked(false);
    }
}

void TFrmUsuarios::voltaNavegacao()
{
    limpa();
    edtLogin->setReadOnly(false);
    HabilitaCampos(this, 3);
    grpAcessos->setEnabled(false);
    TFrmPadrao::BtnCancelarClick(); // state 3, focus on "&Novo"
}

void TFrmUsuarios::ajustaSalvar()
{
    if (EstadoCadastro == 3) {
        return;
    }
    BtnSalvar->setEnabled(!edtLogin->text().trimmed().isEmpty() && !edtSenha->text().trimmed().isEmpty() &&
                          !edtNome->text().trimmed().isEmpty());
}

void TFrmUsuarios::BtnNovoClick()
{
    limpa();
    TFrmPadrao::BtnNovoClick();
    HabilitaCampos(this, 0);
    edtLogin->setReadOnly(false);
    grpAcessos->setEnabled(true);
    ajustaSalvar();
    edtLogin->setFocus();
}

void TFrmUsuarios::loginSaiu()
{
    // Only a new user's login is checked: an edited user keeps its own.
    if (EstadoCadastro != 0 || edtLogin->text().trimmed().isEmpty()) {
        return;
    }
    bool existe = false;
    try {
        existe = Usuarios::existe(*DM, edtLogin->text());
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErro(e);
        return;
    }
    if (existe) {
        Mensagem(QStringLiteral("Código já existente!"), QStringLiteral("Informação!"), Msg::Pergunta);
        edtLogin->clear();
        Refoca(edtLogin);
    }
}

void TFrmUsuarios::abreRegistro()
{
    TQuery& q = DM->QR_Usuarios;
    if (EstadoCadastro != 3 || !q.Active() || q.IsEmpty() || q.Eof()) {
        return;
    }
    limpa();
    const QString login = q.AsString(QStringLiteral("USR_LOGIN")).trimmed();
    edtLogin->setText(login);
    edtNome->setText(q.AsString(QStringLiteral("USR_NOME")));
    edtSenha->setText(q.AsString(QStringLiteral("USR_SENHA")));
    auto marca = [&q](QCheckBox* c, const char* coluna) {
        c->setChecked(q.AsInteger(QLatin1String(coluna)) != 0);
    };
    marca(chkCadastros, "USR_CADASTROS");
    marca(chkRelatorios, "USR_RELATORIOS");
    marca(chkManualSaida, "USR_ALTPESO");
    marca(chkManualEntrada, "USR_ALTPESOENT");
    marca(chkPesagemEntrada, "USR_PESAGEM");
    marca(chkPesagemSaida, "USR_PESAGEMSAIDA");
    marca(chkEditarPesagens, "USR_EDITAPESAGEM");
    marca(chkPesoInferior, "USR_PESOINFERIOR");

    ajustaBotoes(1);
    HabilitaCampos(this, 1);
    // The login is the record's key: an edited user keeps it (the UPDATE
    // finds the row by it).
    edtLogin->setReadOnly(true);
    const bool admin = Usuarios::ehAdministrador(login);
    edtLogin->setEnabled(!admin);
    grpAcessos->setEnabled(!admin);
    if (admin) {
        chkEditarPesagens->setChecked(true);
    }
    ajustaSalvar();
    edtNome->setFocus();
}

void TFrmUsuarios::BtnSalvarClick()
{
    if (EstadoCadastro == 3 || !BtnSalvar->isEnabled()) {
        return;
    }
    TUsuario u;
    u.login = edtLogin->text();
    u.nome = edtNome->text();
    u.senha = edtSenha->text();
    u.cadastros = chkCadastros->isChecked();
    u.relatorios = chkRelatorios->isChecked();
    u.pesagemManualSaida = chkManualSaida->isChecked();
    u.pesagemManualEntrada = chkManualEntrada->isChecked();
    u.pesagemEntrada = chkPesagemEntrada->isChecked();
    u.pesagemSaida = chkPesagemSaida->isChecked();
    u.editarPesagens = chkEditarPesagens->isChecked();
    u.pesoInferiorSaida = chkPesoInferior->isChecked();
    const bool gravou = MensagensCadastro::grava([this, &u] {
        Usuarios::montarGravacao(*DM, u, EstadoCadastro == 0);
        MensagensCadastro::mostraRastreio(DM->rastreioSql, DM->QR_EXEC.TraceText());
        Usuarios::gravar(*DM);
    });
    if (!gravou) {
        return; // rolled back; the operator keeps what was typed and may correct it
    }
    voltaNavegacao();
    carregaLista();
}

void TFrmUsuarios::BtnCancelarClick()
{
    voltaNavegacao();
}

void TFrmUsuarios::btnExcluirClick()
{
    TQuery& q = DM->QR_Usuarios;
    if (!q.Active() || q.IsEmpty() || q.Eof()) {
        return;
    }
    const QString login = q.AsString(QStringLiteral("USR_LOGIN"));
    if (Usuarios::ehAdministrador(login)) {
        Mensagem(QStringLiteral("Administrador não pode ser excluído."), QStringLiteral("Informação"),
                 Msg::Informacao);
        return;
    }
    if (!MensagensCadastro::confirmaExclusaoSim()) {
        return;
    }
    try {
        Usuarios::excluir(*DM, login);
    } catch (const ErroBanco& e) {
        MensagensCadastro::avisaErroExclusao(e);
        return;
    }
    carregaLista();
    MensagensCadastro::avisaSucesso();
}
