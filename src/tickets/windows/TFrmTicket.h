// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TJanela.h"

#include <functional>

class QComboBox;
class QPushButton;
class TMaskEdit;
class TRelevo;

// "Imprimir Ticket": prints the entry or exit ticket of one weighing, in any
// number of copies, to the preview. Opened from the main window to reprint,
// or used without being shown by the weighing window after a save.
class TFrmTicket : public TJanela
{
    Q_OBJECT
public:
    explicit TFrmTicket(QWidget* parent = nullptr);
    ~TFrmTicket() override;

    // 0 opened by the operator, 1 by an entry weighing, 2 by an exit weighing.
    int modoAbertura = 0;
    // Copies asked by the caller; the copies field, when filled, wins.
    int copias = 0;

    TMaskEdit* campoCodigo() const { return m_codigo; }
    QComboBox* movimento() const { return m_movimento; }
    TMaskEdit* campoCopias() const { return m_copias; }
    QPushButton* botaoConsulta() const { return m_consulta; }
    QPushButton* botaoImprimir() const { return m_imprimir; }
    TRelevo& relevo() { return *m_relevo; }

    // The print command ("&Imprimir").
    void FlatButton2Click();

    // Opened by the main window's command: the most recent weighing's code
    // filled in.
    static void abrir(QWidget* parent);

    // Prints a weighing's ticket right after its save, without showing the window.
    static void imprimeAposPesagem(QWidget* parent, qint64 codigo, int modo, int copias);

    // The weighing look-up: opens the exit weighing window and returns the
    // code of its list's current weighing (empty when none). Installed by the
    // program; without it the look-up does nothing.
    static inline std::function<QString(QWidget*)> ConsultaPesagens;

protected:
    void showEvent(QShowEvent* e) override;
    bool teclaPrevia(QWidget* alvo, QKeyEvent* e) override;

private:
    void FlatButton1Click();

    TMaskEdit* m_codigo;
    QPushButton* m_consulta;
    QComboBox* m_movimento;
    TMaskEdit* m_copias;
    QPushButton* m_imprimir;
    QPushButton* m_sair;
    TRelevo* m_relevo;
};
