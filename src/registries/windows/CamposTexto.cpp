#include "CamposTexto.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace
{

void forca(QLineEdit* campo, bool alta)
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

void CampoMaiusculas(QLineEdit* campo)
{
    forca(campo, true);
}

void CampoMinusculas(QLineEdit* campo)
{
    forca(campo, false);
}

void CampoNumerico(QLineEdit* campo, int inteiros)
{
    const QString re = QStringLiteral(R"(\d{0,%1}([.,]\d{0,4})?)").arg(inteiros);
    campo->setValidator(new QRegularExpressionValidator(QRegularExpression(re), campo));
}
