// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EnvioEmail.h"
#include "TJanela.h"

#include <QList>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// "Enviar E-mail": the operator completes and sends an e-mail that carries a
// report file. Fields start from `ParametrosEmail` (To, Cc, Bcc, subject);
// server, login, password, sender and the attachment come from there too and
// are not shown for editing. "&Enviar" sends (the window stays open and may
// send again), "&Sair" closes. The send runs on a worker thread: the window
// keeps repainting, "Cancelar" (or Esc) stops it, and a failure says why.
//
// The preview's two commands "Enviar relatório por e-mail" are the static
// EnviarTexto and EnviarPdf: they take the preview's pages (display lines),
// check the right and the settings, write the report file in a private
// temporary folder ("Relatorio.txt" or "Relatorio.pdf"), open this window
// modally and delete the file afterwards.
class TFrmMailRV : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmMailRV(const ParametrosEmail& parametros, QWidget* parent = nullptr);

    // Sends the report as text (every display line, CR LF after each, UTF-8).
    // `pEmail` is the job's right to send by e-mail.
    static void EnviarTexto(const QList<QStringList>& paginas, const ParametrosEmail& parametros, bool pEmail,
                            QWidget* parent = nullptr);
    // Sends the report as PDF, written as the preview's "Salvar Formato PDF"
    // writes it, in the family and size of the preview's font.
    static void EnviarPdf(const QList<QStringList>& paginas, const QString& familiaFonte, int tamanhoFonte,
                          const ParametrosEmail& parametros, bool pEmail, QWidget* parent = nullptr);

    // The message as it would be sent now (for the tests and the send itself).
    EnvioEmail mensagemAtual() const;

    // True while a send is under way.
    bool enviando() const { return m_envio != nullptr; }

protected:
    // Esc while sending cancels the send; the window stays open.
    void reject() override;

private:
    void BtnEnviarClick();
    // Right and settings checks shared by the two commands; false: nothing to send.
    static bool podeEnviar(const ParametrosEmail& parametros, bool pEmail);
    static void abre(ParametrosEmail parametros, const QString& arquivo, QWidget* parent);

    ParametrosEmail m_parametros;
    QLineEdit* edtPara;
    QLineEdit* edtCc;
    QLineEdit* edtCco;
    QLineEdit* edtAssunto;
    QComboBox* cbPrioridade;
    QCheckBox* chkConfirmacao;
    QListWidget* lstAnexos;
    QPlainTextEdit* memMensagem;
    QPushButton* btnEnviar;
    QPushButton* btnSair;
    QPushButton* btnCancelarEnvio;
    class QLabel* lblSituacao;
    EnvioEmail* m_envio = nullptr; // the send under way
};
