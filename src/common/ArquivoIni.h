// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

// viga.ini read as people write it by hand: section and key names in any
// case ("[Database]", "driver="). Values keep their case. Every read and write
// of viga.ini goes through here, so that a value written replaces the one read
// whatever the case of its names.
class ArquivoIni
{
public:
    explicit ArquivoIni(const QString& caminho);

    QSettings::Status status() const { return m_ini.status(); }
    // The section as it is spelled in the file; empty when there is none.
    QString secao(const QString& nome) const;
    bool temChave(const QString& secao, const QString& chave) const;
    QVariant valor(const QString& secao, const QString& chave, const QVariant& padrao = QVariant()) const;
    // The path "secao/chave" as the file spells it (or as given when absent),
    // so that a value written back replaces the one read.
    QString caminho(const QString& secao, const QString& chave) const;

    // Writes where the file has the key (or a new one under the section as
    // spelled in the file); `gravar` sends what was written to disk.
    void definir(const QString& secao, const QString& chave, const QVariant& valor);
    void remover(const QString& secao, const QString& chave);
    bool gravar();

    // Shortcut for one value of viga.ini in the data folder.
    static QVariant ler(const QString& secao, const QString& chave, const QVariant& padrao = QVariant());

private:
    QString chave(const QString& secaoArquivo, const QString& nome) const;
    mutable QSettings m_ini;
};
