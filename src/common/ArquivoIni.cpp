// SPDX-License-Identifier: GPL-3.0-or-later
#include "ArquivoIni.h"

#include "PastaDados.h"

ArquivoIni::ArquivoIni(const QString& caminho) : m_ini(caminho, QSettings::IniFormat) {}

namespace
{
// The name as the file spells it: the exact spelling first, then one that
// differs only in case; empty when there is none.
QString comoNoArquivo(const QStringList& nomes, const QString& nome)
{
    if (nomes.contains(nome)) {
        return nome;
    }
    for (const QString& n : nomes) {
        if (n.compare(nome, Qt::CaseInsensitive) == 0) {
            return n;
        }
    }
    return QString();
}
} // namespace

QString ArquivoIni::secao(const QString& nome) const
{
    return comoNoArquivo(m_ini.childGroups(), nome);
}

QString ArquivoIni::chave(const QString& secaoArquivo, const QString& nome) const
{
    m_ini.beginGroup(secaoArquivo);
    const QStringList chaves = m_ini.childKeys();
    m_ini.endGroup();
    return comoNoArquivo(chaves, nome);
}

bool ArquivoIni::temChave(const QString& s, const QString& k) const
{
    const QString g = secao(s);
    return !g.isEmpty() && !chave(g, k).isEmpty();
}

QVariant ArquivoIni::valor(const QString& s, const QString& k, const QVariant& padrao) const
{
    const QString g = secao(s);
    if (g.isEmpty()) {
        return padrao;
    }
    const QString c = chave(g, k);
    return c.isEmpty() ? padrao : m_ini.value(g + u'/' + c, padrao);
}

QString ArquivoIni::caminho(const QString& s, const QString& k) const
{
    const QString g = secao(s);
    if (g.isEmpty()) {
        return s + u'/' + k;
    }
    const QString c = chave(g, k);
    return g + u'/' + (c.isEmpty() ? k : c);
}

void ArquivoIni::definir(const QString& s, const QString& k, const QVariant& v)
{
    m_ini.setValue(caminho(s, k), v);
}

void ArquivoIni::remover(const QString& s, const QString& k)
{
    if (temChave(s, k)) m_ini.remove(caminho(s, k));
}

bool ArquivoIni::gravar()
{
    m_ini.sync();
    return m_ini.status() == QSettings::NoError;
}

QVariant ArquivoIni::ler(const QString& s, const QString& k, const QVariant& padrao)
{
    return ArquivoIni(PastaDados::ini()).valor(s, k, padrao);
}
