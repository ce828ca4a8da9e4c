// SPDX-License-Identifier: GPL-3.0-or-later
#include "FiltrosCampo.h"

#include "TJanela.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

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
    AoSairObj(QObject* parent, std::function<void()> acao)
        : QObject(parent), m_tipo(parent->metaObject()), m_acao(std::move(acao))
    {
    }

protected:
    bool eventFilter(QObject* campo, QEvent* ev) override
    {
        // A field being destroyed (its own parts already gone: its type reads
        // as a plain widget) loses the focus too, from Qt's widget destructor,
        // when its window closed before the window system said it was
        // inactive: the check would read the field and its window, half gone.
        if (ev->type() == QEvent::FocusOut && campo->metaObject() == m_tipo) {
            const auto motivo = static_cast<QFocusEvent*>(ev)->reason();
            if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason) {
                m_acao();
            }
        }
        return false;
    }

private:
    const QMetaObject* m_tipo;
    std::function<void()> m_acao;
};

} // namespace

void FiltroNumerico(QLineEdit* campo)
{
    campo->installEventFilter(new FiltroNumericoObj(campo));
}

void FiltroDigitos(QLineEdit* campo, int maximo)
{
    campo->setMaxLength(maximo);
    campo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(maximo)), campo));
}

namespace
{

void forcaCaixa(QLineEdit* campo, bool alta)
{
    QObject::connect(campo, &QLineEdit::textEdited, campo, [campo, alta](const QString& t) {
        const QString convertido = alta ? t.toUpper() : t.toLower();
        if (convertido != t) {
            const int cursor = campo->cursorPosition();
            campo->setText(convertido);
            campo->setCursorPosition(cursor);
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

QLineEdit* CampoTexto(QWidget* pai, const QString& nome, int tamanho)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setMaxLength(tamanho);
    return e;
}

QLineEdit* CampoMaiusculo(QWidget* pai, const QString& nome, int tamanho)
{
    QLineEdit* e = CampoTexto(pai, nome, tamanho);
    ForcaMaiusculas(e);
    return e;
}

QLineEdit* CampoNumero(QWidget* pai, const QString& nome, int tamanho)
{
    QLineEdit* e = CampoTexto(pai, nome, tamanho);
    FiltroNumerico(e);
    return e;
}

QLineEdit* CampoLocalizar(QWidget* pai, const QString& nome, int tamanho)
{
    QLineEdit* e = CampoMaiusculo(pai, nome, tamanho > 0 ? tamanho : 32767);
    setTag(e, 1);
    return e;
}

QLineEdit* CampoNomeDoCodigo(QWidget* pai, const QString& nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}
