// SPDX-License-Identifier: GPL-3.0-or-later
#include "TFrmMailRV.h"

#include "Dialogos.h"
#include "FiltrosCampo.h"
#include "TPrintPDF.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

TFrmMailRV::TFrmMailRV(const ParametrosEmail& parametros, QWidget* parent)
    : TJanela(parent), m_parametros(parametros)
{
    setObjectName(QStringLiteral("FrmMailRV"));
    setWindowTitle(QStringLiteral("Enviar E-mail"));

    auto* grade = new QGridLayout(this);
    auto endereco = [this](const char* nome, const QString& valor) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setText(valor.toLower());
        ForcaMinusculas(e);
        return e;
    };
    edtPara = endereco("edtPara", parametros.para);
    edtCc = endereco("edtCc", parametros.comCopia);
    edtCco = endereco("edtCco", parametros.comCopiaOculta);
    edtAssunto = new QLineEdit(parametros.assunto, this);
    edtAssunto->setObjectName(QStringLiteral("edtAssunto"));
    cbPrioridade = new QComboBox(this);
    cbPrioridade->setObjectName(QStringLiteral("cbPrioridade"));
    cbPrioridade->addItems({QStringLiteral("ALTA"), QStringLiteral("NORMAL"), QStringLiteral("BAIXA")});
    chkConfirmacao = new QCheckBox(QStringLiteral("Solicitar confirmação de leitura"), this);
    chkConfirmacao->setObjectName(QStringLiteral("chkConfirmacao"));
    lstAnexos = new QListWidget(this);
    lstAnexos->setObjectName(QStringLiteral("lstAnexos"));
    lstAnexos->setMaximumHeight(60);
    if (!parametros.anexo.isEmpty()) {
        lstAnexos->addItem(QFileInfo(parametros.anexo).fileName());
    }
    memMensagem = new QPlainTextEdit(this);
    memMensagem->setObjectName(QStringLiteral("memMensagem"));
    memMensagem->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    btnEnviar = new QPushButton(QStringLiteral("&Enviar"), this);
    btnEnviar->setObjectName(QStringLiteral("btnEnviar"));
    btnSair = new QPushButton(QStringLiteral("&Sair"), this);
    MarcaDestrutivo(btnSair);
    btnSair->setObjectName(QStringLiteral("btnSair"));
    btnCancelarEnvio = new QPushButton(QStringLiteral("Cancelar"), this);
    btnCancelarEnvio->setObjectName(QStringLiteral("btnCancelarEnvio"));
    btnCancelarEnvio->setAutoDefault(false);
    btnCancelarEnvio->hide();
    lblSituacao = new QLabel(this);
    lblSituacao->setObjectName(QStringLiteral("lblSituacao"));

    int l = 0;
    grade->addWidget(Rotulo(QStringLiteral("   Para :"), edtPara), l, 0);
    grade->addWidget(edtPara, l++, 1, 1, 2);
    grade->addWidget(Rotulo(QStringLiteral("        Cc:"), edtCc), l, 0);
    grade->addWidget(edtCc, l++, 1, 1, 2);
    grade->addWidget(Rotulo(QStringLiteral("      Cco:"), edtCco), l, 0);
    grade->addWidget(edtCco, l++, 1, 1, 2);
    grade->addWidget(Rotulo(QStringLiteral("Assunto:"), edtAssunto), l, 0);
    grade->addWidget(edtAssunto, l++, 1, 1, 2);
    grade->addWidget(Rotulo(QStringLiteral("Prioridade"), cbPrioridade), l, 0);
    grade->addWidget(cbPrioridade, l, 1);
    grade->addWidget(chkConfirmacao, l++, 2);
    grade->addWidget(Rotulo(QStringLiteral("Arquivos para anexar"), lstAnexos), l, 0);
    grade->addWidget(lstAnexos, l++, 1, 1, 2);
    grade->addWidget(Rotulo(QStringLiteral("Mensagem"), memMensagem), l, 0, Qt::AlignTop);
    grade->addWidget(memMensagem, l++, 1, 1, 2);
    grade->setRowStretch(l - 1, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(lblSituacao);
    botoes->addStretch();
    botoes->addWidget(btnCancelarEnvio);
    botoes->addWidget(btnEnviar);
    botoes->addWidget(btnSair);
    grade->addLayout(botoes, l, 0, 1, 3);

    QWidget* ordem[] = {edtPara,        edtCc,     edtCco,      edtAssunto, cbPrioridade,
                        chkConfirmacao, lstAnexos, memMensagem, btnEnviar,  btnSair};
    for (size_t i = 1; i < std::size(ordem); ++i) {
        setTabOrder(ordem[i - 1], ordem[i]);
    }

    connect(btnEnviar, &QPushButton::clicked, this, &TFrmMailRV::BtnEnviarClick);
    connect(btnSair, &QPushButton::clicked, this, &QDialog::close);
    connect(btnCancelarEnvio, &QPushButton::clicked, this, [this] {
        if (m_envio) m_envio->cancelar = true;
    });
    resize(560, 460);
    // The operator starts with the message text.
    QTimer::singleShot(0, memMensagem, qOverload<>(&QWidget::setFocus));
}

EnvioEmail TFrmMailRV::mensagemAtual() const
{
    EnvioEmail e;
    e.servidor = m_parametros.servidor;
    e.usuario = m_parametros.usuario;
    e.senha = m_parametros.senha;
    e.remetente = m_parametros.remetente;
    e.para = edtPara->text();
    e.comCopia = edtCc->text();
    e.comCopiaOculta = edtCco->text();
    e.assunto = edtAssunto->text();
    e.mensagem = memMensagem->toPlainText();
    e.prioridade = static_cast<EnvioEmail::Prioridade>(qMax(0, cbPrioridade->currentIndex()));
    e.confirmacaoLeitura = chkConfirmacao->isChecked();
    e.anexo = m_parametros.anexo;
    e.seguranca = m_parametros.seguranca;
    e.certificadosConfiaveis = m_parametros.certificados;
    return e;
}

void TFrmMailRV::BtnEnviarClick()
{
    if (m_envio) return;
    EnvioEmail envio = mensagemAtual();
    m_envio = &envio;
    btnEnviar->setEnabled(false);
    btnSair->setEnabled(false);
    btnCancelarEnvio->show();
    btnCancelarEnvio->setFocus();
    lblSituacao->setText(QStringLiteral("Enviando e-mail..."));
    // The window keeps answering (repaint, "Cancelar", Esc) while the server is talked to.
    bool ok = false;
    QEventLoop espera;
    QThread* trabalho = QThread::create([&] { ok = envio.enviar(); });
    connect(trabalho, &QThread::finished, &espera, &QEventLoop::quit);
    trabalho->start();
    espera.exec();
    trabalho->wait();
    delete trabalho;
    m_envio = nullptr;
    btnCancelarEnvio->hide();
    btnEnviar->setEnabled(true);
    btnSair->setEnabled(true);
    lblSituacao->clear();
    if (ok) {
        Mensagem(QStringLiteral("Email enviado com sucesso!"), QStringLiteral("Confirmação"),
                 Msg::Informacao);
    } else if (envio.cancelado()) {
        Mensagem(QStringLiteral("Envio do e-mail cancelado."), QStringLiteral("Confirmação"),
                 Msg::Informacao);
    } else {
        // The reason in words, then the library's detail and the server's reply line (never a password).
        Mensagem(QStringLiteral("Não foi possível enviar o email!") + QStringLiteral("\n\n") + envio.erro(),
                 QStringLiteral("Confirmação"), Msg::Informacao);
    }
}

void TFrmMailRV::reject()
{
    if (m_envio) {
        m_envio->cancelar = true;
        return;
    }
    TJanela::reject();
}

bool TFrmMailRV::podeEnviar(const ParametrosEmail& p, bool pEmail)
{
    if (!pEmail) {
        Mensagem(QStringLiteral("Você não possuí permissão para enviar por e-mail o relatório"),
                 QStringLiteral("Informação"), Msg::Informacao);
        return false;
    }
    if (p.servidor.trimmed().isEmpty() && p.usuario.trimmed().isEmpty() && p.senha.trimmed().isEmpty()) {
        Mensagem(QStringLiteral("Os paramêtros não estão configurados!!!"), QStringLiteral("Atenção"),
                 Msg::Aviso);
        return false;
    }
    return true;
}

void TFrmMailRV::abre(ParametrosEmail parametros, const QString& arquivo, QWidget* parent)
{
    parametros.anexo = arquivo;
    TFrmMailRV janela(parametros, parent);
    janela.exec();
}

void TFrmMailRV::EnviarTexto(const QList<QStringList>& paginas, const ParametrosEmail& parametros,
                             bool pEmail, QWidget* parent)
{
    if (!podeEnviar(parametros, pEmail)) {
        return;
    }
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Relatorio.txt"));
    QFile f(arquivo);
    bool ok = pasta.isValid() && f.open(QIODevice::WriteOnly);
    for (const QStringList& pagina : paginas) {
        for (const QString& linha : pagina) {
            ok = ok && f.write(linha.toUtf8() + "\r\n") >= 0;
        }
    }
    f.close();
    if (!ok || f.error() != QFileDevice::NoError) {
        Mensagem(QStringLiteral("Erro ao gravar o arquivo %1\rDetalhe: %2").arg(arquivo, f.errorString()),
                 QStringLiteral("Erro"), Msg::Erro);
        return;
    }
    abre(parametros, arquivo, parent);
    // The temporary folder and the file go with `pasta`.
}

void TFrmMailRV::EnviarPdf(const QList<QStringList>& paginas, const QString& familiaFonte, int tamanhoFonte,
                           const ParametrosEmail& parametros, bool pEmail, QWidget* parent)
{
    if (!podeEnviar(parametros, pEmail)) {
        return;
    }
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath(QStringLiteral("Relatorio.pdf"));
    QString erro;
    if (!pasta.isValid() ||
        !GravaPdfPaginas(paginas, arquivo, parametros.assunto, familiaFonte, tamanhoFonte, &erro)) {
        Mensagem(QStringLiteral("Ocorreu um erro ao gerar Documento PDF!"), QStringLiteral("Informação"),
                 Msg::Erro);
        return;
    }
    abre(parametros, arquivo, parent);
}
