#include "FiltrosCampo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace
{

class FiltroNumericoObj : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obj, QEvent* ev) override
    {
        if (ev->type() != QEvent::KeyPress) {
            return false;
        }
        auto* campo = qobject_cast<QLineEdit*>(obj);
        auto* k = static_cast<QKeyEvent*>(ev);
        const QString t = k->text();
        if (!campo || t.isEmpty() || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            return false;
        }
        const QChar c = t[0];
        if (!c.isPrint()) {
            return false; // backspace, Enter, Tab ...
        }
        if (c.isDigit() && c.unicode() < 128) {
            return false;
        }
        if (c == u',' || c == u'.') {
            QString resto = campo->text();
            if (campo->hasSelectedText()) {
                resto.remove(campo->selectionStart(), campo->selectedText().size());
            }
            if (!resto.contains(u',') && !resto.contains(u'.')) {
                campo->insert(QStringLiteral(","));
            }
        }
        return true;
    }
};

class AoSairObj : public QObject
{
public:
    AoSairObj(QObject* parent, std::function<void()> acao) : QObject(parent), m_acao(std::move(acao)) {}

protected:
    bool eventFilter(QObject*, QEvent* ev) override
    {
        if (ev->type() == QEvent::FocusOut) {
            const auto motivo = static_cast<QFocusEvent*>(ev)->reason();
            if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason) {
                m_acao();
            }
        }
        return false;
    }

private:
    std::function<void()> m_acao;
};

} // namespace

void FiltroNumerico(QLineEdit* campo)
{
    campo->installEventFilter(new FiltroNumericoObj(campo));
}

namespace
{
void forcaCaixa(QLineEdit* campo, bool maiusculas)
{
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo, maiusculas](const QString& t) {
        const QString m = maiusculas ? t.toUpper() : t.toLower();
        if (m != t) {
            const int pos = campo->cursorPosition();
            campo->setText(m);
            campo->setCursorPosition(pos);
        }
    });
}
} // namespace

void ForcaMaiusculas(QLineEdit* campo)
{
    forcaCaixa(campo, true);
}

void ForcaMinusculas(QLineEdit* campo)
{
    forcaCaixa(campo, false);
}

void AoSair(QWidget* campo, std::function<void()> acao)
{
    campo->installEventFilter(new AoSairObj(campo, std::move(acao)));
}
