// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogos.h"

#include "PastaDados.h"
#include "Traducoes.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QFontInfo>
#include <QIdentityProxyModel>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

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
        // a description that already shows its patterns is not given them twice
        const QString descricao = p[i].trimmed();
        saida << (descricao.endsWith(u')') && descricao.contains(u'(')
                      ? descricao
                      : QStringLiteral("%1 (%2)").arg(descricao, padroes));
    }
    return saida.join(QStringLiteral(";;"));
}

// The file list's type and date columns in Portuguese, dates as dd/mm/yyyy
// whatever the host's language.
class ModeloArquivosBrasil : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& indice, int papel) const override
    {
        const auto* arquivos = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (arquivos && papel == Qt::DisplayRole && (indice.column() == 2 || indice.column() == 3)) {
            const QModelIndex origem = mapToSource(indice);
            if (indice.column() == 3) {
                return arquivos->lastModified(origem).toString(QStringLiteral("dd/MM/yyyy HH:mm"));
            }
            if (arquivos->isDir(origem)) {
                return QStringLiteral("Pasta");
            }
            const QString sufixo = QFileInfo(arquivos->fileName(origem)).suffix().toUpper();
            return sufixo.isEmpty() ? QStringLiteral("Arquivo") : QStringLiteral("Arquivo ") + sufixo;
        }
        return QIdentityProxyModel::data(indice, papel);
    }

    QVariant headerData(int secao, Qt::Orientation o, int papel) const override
    {
        if (o == Qt::Horizontal && papel == Qt::DisplayRole && secao >= 0 && secao < 4) {
            static const char* titulos[] = {"Nome", "Tamanho", "Tipo", "Data de modificação"};
            return QString::fromUtf8(titulos[secao]);
        }
        return QIdentityProxyModel::headerData(secao, o, papel);
    }
};

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
        if ((flags & 0xF) == Msg::SimNao || (flags & 0xF) == Msg::SimNaoCancelar) {
            auto* sim = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
            auto* nao = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
            QPushButton* cancelar = nullptr;
            if ((flags & 0xF) == Msg::SimNaoCancelar) {
                cancelar = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
                box.setEscapeButton(cancelar);
            }
            box.setDefaultButton((flags & Msg::PadraoNao) ? nao : sim);
            box.exec();
            if (box.clickedButton() == static_cast<QAbstractButton*>(sim)) return Msg::RespSim;
            if (cancelar && box.clickedButton() != static_cast<QAbstractButton*>(nao))
                return Msg::RespCancelar;
            return Msg::RespNao;
        }
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return Msg::RespOk;
    }

    QString abrirArquivo(const QString& titulo, const QString& filtro) override
    {
        return escolhe(titulo, filtro, QString(), false);
    }

    QString salvarArquivo(const QString& titulo, const QString& filtro, const QString& sugestao) override
    {
        return escolhe(titulo, filtro, sugestao, true);
    }

    static QString escolhe(const QString& titulo, const QString& filtro, const QString& sugestao, bool salvar)
    {
        std::unique_ptr<QFileDialog> d(
            NovoDialogoArquivo(QApplication::activeWindow(), titulo, filtro, sugestao, salvar));
        if (d->exec() != QDialog::Accepted || d->selectedFiles().isEmpty()) {
            return QString();
        }
        return d->selectedFiles().constFirst();
    }

    std::optional<QFont> escolherFonte(const QFont& inicial) override
    {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, FonteInstalada(inicial), QApplication::activeWindow());
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

QFileDialog* NovoDialogoArquivo(QWidget* pai, const QString& titulo, const QString& filtro,
                                const QString& sugestao, bool salvar)
{
    // A folder (the program's one included) or nothing suggested: the data
    // folder, where the database, backups and exports live.
    QString inicio = PastaDados::caminho();
    if (!sugestao.isEmpty() && !QFileInfo(sugestao).isDir()) {
        inicio = QFileInfo(sugestao).isAbsolute() ? sugestao : QDir(inicio).filePath(sugestao);
    }
    auto* d = new QFileDialog(pai, titulo, inicio, filtroQt(filtro));
    // Qt's own dialog: the same on every desktop, and in Portuguese
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setLocale(LocaleBrasil());
    d->setProxyModel(new ModeloArquivosBrasil(d));
    d->setAcceptMode(salvar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d->setFileMode(salvar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    return d;
}

QFont FonteInstalada(const QFont& f)
{
    QFont real = f;
    real.setFamily(QFontInfo(f).family());
    return real;
}
