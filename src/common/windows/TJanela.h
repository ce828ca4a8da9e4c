// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// Base of every window but the main one: modal, deleted when closed by its
// opener, with the keyboard the operators are used to: Enter moves to the
// next control (on a button it presses it, unless the button throws work
// away: see MarcaDestrutivo), Esc closes the window.
class TJanela : public QDialog
{
    Q_OBJECT
public:
    explicit TJanela(QWidget* parent = nullptr);

protected:
    // Sees every key of the window's controls before they do ("key preview").
    // Return true to consume the key.
    virtual bool teclaPrevia(QWidget* alvo, QKeyEvent* e);
    bool eventFilter(QObject* obj, QEvent* ev) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    static bool altSemDestino(const QKeyEvent* e);
    // Enter's move: the next control in the focus order that is not a
    // destructive button.
    void proximoCampo();
    // Installs the key preview on every control (called when shown; call it
    // again after adding controls to a visible window).
    void instalarTeclado();
};

// Marks a button that deletes, discards typed entries or leaves the window
// ("Excluir", "Cancelar", "Sair"): Enter never presses it nor stops on it.
void MarcaDestrutivo(QWidget* botao);
bool ehDestrutivo(const QWidget* w);

class QPlainTextEdit;
// Marks a memo of a few lines (an observation) that Enter leaves like a
// field; Ctrl+Enter or Shift+Enter starts a new line in it.
void EnterSaiDoMemo(QPlainTextEdit* memo);

// The system's properties that Qt widgets lack: the "tag" integer of a control.
int tagDe(const QObject* o);
void setTag(QObject* o, int tag);

// Enables (state < 2) or disables every edit, masked edit, memo, combo box and
// tool button of the window whose tag is not 1.
void HabilitaCampos(QWidget* janela, int estado);
// Empties every edit, masked edit and memo, clears every product grid and
// unticks every check box of the window; `exceto` (a search field whose text
// stays, with the list on its row) is left alone.
void LimpaCampos(QWidget* janela, const QWidget* exceto = nullptr);

class QLabel;
class QToolButton;
// Gives the focus back to a field after the focus change under way (a field
// that refused its value on leaving keeps the operator there).
void Refoca(QWidget* campo);
// The small "..." button beside a code field that opens a list or a chooser.
// It takes no focus: Enter goes from the field to the next field.
QToolButton* BotaoPesquisa(QWidget* pai, const QString& nome, const QString& nomeAcessivel);

// The caption of a field: a label whose buddy is the field (so its mnemonic
// moves there) and whose text, without '&', becomes the field's accessible name.
QLabel* Rotulo(const QString& texto, QWidget* campo);
// What follows a field ("%", "kg"): a label shown and hidden with the field.
QLabel* Sufixo(const QString& texto, QWidget* campo);
