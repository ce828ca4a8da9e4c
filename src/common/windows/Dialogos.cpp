#include "Dialogos.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

namespace
{

// Turns "Desc|*.a;*.b|Desc2|*.c" into Qt's "Desc (*.a *.b);;Desc2 (*.c)".
QString filtroQt(const QString& filtro)
{
    const QStringList p = filtro.split(u'|');
    QStringList saida;
    for (int i = 0; i + 1 < p.size(); i += 2) {
        QString padroes = p[i + 1];
        padroes.replace(u';', u' ');
        saida << QStringLiteral("%1 (%2)").arg(p[i], padroes);
    }
    return saida.join(QStringLiteral(";;"));
}

class DialogosReais : public Dialogos
{
public:
    int mensagem(const QString& texto, const QString& titulo, int flags) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(titulo);
        QString t = texto;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(u'\r', u'\n');
        box.setText(t);
        switch (flags & 0x70) {
        case Msg::Erro:
            box.setIcon(QMessageBox::Critical);
            break;
        case Msg::Pergunta:
            box.setIcon(QMessageBox::Question);
            break;
        case Msg::Aviso:
            box.setIcon(QMessageBox::Warning);
            break;
        case Msg::Informacao:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        if ((flags & 0xF) == Msg::SimNao) {
            auto* sim = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
            box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
            box.setDefaultButton(sim);
            box.exec();
            return box.clickedButton() == static_cast<QAbstractButton*>(sim) ? Msg::RespSim : Msg::RespNao;
        }
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Msg::RespOk;
    }

    QString abrirArquivo(const QString& titulo, const QString& filtro) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), titulo, QString(),
                                            filtroQt(filtro));
    }

    QString salvarArquivo(const QString& titulo, const QString& filtro, const QString& sugestao) override
    {
        return QFileDialog::getSaveFileName(QApplication::activeWindow(), titulo, sugestao, filtroQt(filtro));
    }

    std::optional<QFont> escolherFonte(const QFont& inicial) override
    {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, inicial, QApplication::activeWindow());
        if (!ok) {
            return std::nullopt;
        }
        return f;
    }
};

DialogosReais g_reais;
Dialogos* g_atual = nullptr;

} // namespace

Dialogos& Dialogos::atual()
{
    return g_atual ? *g_atual : g_reais;
}

void Dialogos::instalar(Dialogos* d)
{
    g_atual = d;
}

int Mensagem(const QString& texto, const QString& titulo, int flags)
{
    return Dialogos::atual().mensagem(texto, titulo, flags);
}
