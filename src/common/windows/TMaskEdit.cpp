// SPDX-License-Identifier: GPL-3.0-or-later
#include "TMaskEdit.h"

#include <QStyle>
#include <QStyleOptionFrame>

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {}

TMaskEdit::TMaskEdit(const QString& mascara, QWidget* parent) : QLineEdit(parent)
{
    setMascara(mascara);
}

void TMaskEdit::setMascara(const QString& mascara)
{
    m_mascara = mascara;
    const QStringList p = mascara.split(u';');
    m_formato = p.value(0);
    m_literais = p.size() < 2 || p[1].trimmed() != QLatin1String("0");
    m_branco = (p.size() >= 3 && !p[2].isEmpty()) ? p[2][0] : QChar(u' ');
    updateGeometry();
    if (m_formato.isEmpty()) {
        setInputMask(QString());
        return;
    }
    static const QString especiais = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");
    QString qt;
    for (QChar c : m_formato) {
        if (c == u'9') {
            qt += u'0';
        } else {
            if (especiais.contains(c)) {
                qt += u'\\';
            }
            qt += c;
        }
    }
    qt += u';';
    qt += m_branco;
    setInputMask(qt);
}

QString TMaskEdit::maskText() const
{
    if (m_formato.isEmpty()) {
        return text();
    }
    const QString mostrado = displayText();
    QString saida;
    for (int i = 0; i < m_formato.size(); ++i) {
        const bool posicao = m_formato[i] == u'9';
        const QChar c = i < mostrado.size() ? mostrado[i] : QChar(u' ');
        if (posicao) {
            saida += (c == m_branco) ? QChar(u' ') : c;
        } else if (m_literais) {
            saida += m_formato[i];
        }
    }
    return saida;
}

bool TMaskEdit::vazio() const
{
    const QString mostrado = displayText();
    for (int i = 0; i < m_formato.size() && i < mostrado.size(); ++i) {
        if (m_formato[i] == u'9' && mostrado[i] != m_branco && mostrado[i] != u' ') {
            return false;
        }
    }
    return true;
}

QSize TMaskEdit::minimumSizeHint() const
{
    QSize tamanho = QLineEdit::minimumSizeHint();
    if (m_formato.isEmpty()) {
        return tamanho;
    }
    QString largura = m_formato;
    largura.replace(u'9', u'0');
    QStyleOptionFrame opcao;
    initStyleOption(&opcao);
    const QMargins m = textMargins();
    const int texto = fontMetrics().horizontalAdvance(largura) + 4 + m.left() + m.right();
    const QSize pedido =
        style()->sizeFromContents(QStyle::CT_LineEdit, &opcao, QSize(texto, tamanho.height()), this);
    tamanho.setWidth(qMax(tamanho.width(), pedido.width()));
    return tamanho;
}

QSize TMaskEdit::sizeHint() const
{
    return QLineEdit::sizeHint().expandedTo(minimumSizeHint());
}
