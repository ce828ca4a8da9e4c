// SPDX-License-Identifier: GPL-3.0-or-later
#include "TJanela.h"

#include "TMaskEdit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

TJanela::TJanela(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void TJanela::instalarTeclado()
{
    const auto filhos = findChildren<QWidget*>();
    for (QWidget* w : filhos) {
        w->removeEventFilter(this);
        w->installEventFilter(this);
    }
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

void TJanela::showEvent(QShowEvent* e)
{
    instalarTeclado();
    QDialog::showEvent(e);
    // At its first showing a window is at least as wide as its title (with
    // the frame's icon and buttons): a small window shows what it is.
    if (!property("vigaLarguraAjustada").toBool() && !isMaximized() && !isFullScreen()) {
        setProperty("vigaLarguraAjustada", true);
        const int larguraTitulo = fontMetrics().horizontalAdvance(windowTitle()) + 160;
        if (width() < larguraTitulo) {
            resize(larguraTitulo, height());
        }
    }
}

bool TJanela::eventFilter(QObject* obj, QEvent* ev)
{
    if (ev->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(obj);
        auto* k = static_cast<QKeyEvent*>(ev);
        if (w && w->window() == this && (teclaPrevia(w, k) || altSemDestino(k))) {
            return true;
        }
    }
    return QDialog::eventFilter(obj, ev);
}

bool TJanela::teclaPrevia(QWidget* alvo, QKeyEvent* e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && alvo->property("enterSai").toBool()) {
        // A short memo (an observation) is left with Enter like any field; its
        // line breaks are typed with Ctrl+Enter or Shift+Enter.
        const auto mods = e->modifiers() & ~Qt::KeypadModifier;
        if (mods == Qt::NoModifier) {
            proximoCampo();
            return true;
        }
        if (mods == Qt::ControlModifier || mods == Qt::ShiftModifier) {
            if (auto* memo = qobject_cast<QPlainTextEdit*>(alvo); memo && !memo->isReadOnly()) {
                memo->insertPlainText(QStringLiteral("\n"));
            }
            return true;
        }
    }
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    if (enter) {
        if (qobject_cast<QPlainTextEdit*>(alvo) || qobject_cast<QTextEdit*>(alvo)) {
            return false;
        }
        if (auto* b = qobject_cast<QAbstractButton*>(alvo);
            b && !qobject_cast<QCheckBox*>(alvo) && !ehDestrutivo(b)) {
            b->click();
            return true;
        }
        proximoCampo();
        return true;
    }
    if (e->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

// An Alt shortcut whose target is disabled (or that names nothing) reaches
// the field as a plain key press: it must not type its letter there.
bool TJanela::altSemDestino(const QKeyEvent* e)
{
    const auto mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods != Qt::AltModifier) {
        return false;
    }
    const int k = e->key();
    return (k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9) ||
           (k >= Qt::Key_Agrave && k <= Qt::Key_ydiaeresis);
}

void TJanela::keyPressEvent(QKeyEvent* e)
{
    if (altSemDestino(e)) {
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        proximoCampo();
        return;
    }
    QDialog::keyPressEvent(e);
}

// Enter walks the fields and the buttons that carry the work on, never onto
// a button that throws work away (an operator typing fast presses Enter once
// more than needed): those are reached by Tab or their letter.
void TJanela::proximoCampo()
{
    // A move by the keyboard: the control reached shows its focus frame, as
    // after Tab (the style draws it only once the window has seen one).
    setAttribute(Qt::WA_KeyboardFocusChange);
    QWidget* inicio = focusWidget();
    for (int i = 0; i < 200; ++i) {
        focusNextChild();
        QWidget* agora = focusWidget();
        if (!agora || agora == inicio || !ehDestrutivo(agora)) {
            return;
        }
    }
}

void EnterSaiDoMemo(QPlainTextEdit* memo)
{
    memo->setProperty("enterSai", true);
    memo->setTabChangesFocus(true);
}

void MarcaDestrutivo(QWidget* botao)
{
    botao->setProperty("destrutivo", true);
}

bool ehDestrutivo(const QWidget* w)
{
    return w && w->property("destrutivo").toBool();
}

int tagDe(const QObject* o)
{
    return o ? o->property("tag").toInt() : 0;
}

void setTag(QObject* o, int tag)
{
    o->setProperty("tag", tag);
}

void HabilitaCampos(QWidget* janela, int estado)
{
    const bool ligado = estado < 2;
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (tagDe(w) == 1) {
            continue;
        }
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
            qobject_cast<QComboBox*>(w) || qobject_cast<QToolButton*>(w)) {
            // the line edit inside an editable combo box follows its combo box
            if (qobject_cast<QComboBox*>(w->parentWidget()) && qobject_cast<QLineEdit*>(w)) {
                continue;
            }
            w->setEnabled(ligado);
        }
    }
}

void LimpaCampos(QWidget* janela, const QWidget* exceto)
{
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (w == exceto || qobject_cast<QComboBox*>(w->parentWidget())) {
            continue;
        }
        if (auto* m = qobject_cast<TMaskEdit*>(w)) {
            m->clear();
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            e->clear();
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            p->clear();
        } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
            t->clear();
        } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
            c->setChecked(false);
        } else if (w->property("gradeProdutos").toBool()) {
            QMetaObject::invokeMethod(w, "limpar");
        }
    }
}

#include <QLabel>

void Refoca(QWidget* campo)
{
    QMetaObject::invokeMethod(
        campo,
        [campo] {
            if (campo->isVisible() && campo->isEnabled()) {
                campo->setFocus(Qt::OtherFocusReason);
            }
        },
        Qt::QueuedConnection);
}

QToolButton* BotaoPesquisa(QWidget* pai, const QString& nome, const QString& nomeAcessivel)
{
    auto* b = new QToolButton(pai);
    b->setObjectName(nome);
    b->setText(QStringLiteral("..."));
    b->setAccessibleName(nomeAcessivel);
    b->setToolTip(nomeAcessivel);
    // The operator reaches what it opens with F2 from the field; Enter walking
    // the fields never lands on it (it would open the list and take its row).
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel* Rotulo(const QString& texto, QWidget* campo)
{
    auto* l = new QLabel(texto, campo ? campo->parentWidget() : nullptr);
    if (campo) {
        l->setBuddy(campo);
        QString nome = texto;
        nome.remove(u'&');
        campo->setAccessibleName(nome.trimmed());
    }
    return l;
}

namespace
{
// Keeps a label's visibility on its field's.
class SegueVisibilidade : public QObject
{
public:
    SegueVisibilidade(QWidget* campo, QWidget* seguidor) : QObject(seguidor), m_seguidor(seguidor)
    {
        campo->installEventFilter(this);
        m_seguidor->setVisible(!campo->isHidden());
    }
    bool eventFilter(QObject* obj, QEvent* ev) override
    {
        const auto t = ev->type();
        if (t == QEvent::ShowToParent || t == QEvent::HideToParent || t == QEvent::Show ||
            t == QEvent::Hide) {
            m_seguidor->setVisible(!static_cast<QWidget*>(obj)->isHidden());
        }
        return false;
    }

private:
    QWidget* m_seguidor;
};
} // namespace

QLabel* Sufixo(const QString& texto, QWidget* campo)
{
    auto* l = new QLabel(texto, campo->parentWidget());
    new SegueVisibilidade(campo, l);
    return l;
}
