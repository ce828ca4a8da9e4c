// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>

// The command line of the simulators, option by option: "--nome valor" or
// "--nome=valor". A missing value ends the program (code 2) with the message
// "<programa>: falta o valor de --nome", as every failure of the options does.
// -h/--help prints `uso` and -v/--version the version, then the program ends.
class OpcoesFerramenta
{
public:
    OpcoesFerramenta(const char* programa, const char* uso, int argc, char** argv)
        : m_programa(programa), m_uso(uso), m_argc(argc), m_argv(argv)
    {
    }

    [[noreturn]] void falha(const std::string& msg) const
    {
        std::fprintf(stderr, "%s: %s\n", m_programa, msg.c_str());
        std::exit(2);
    }

    // The next option; false when none is left.
    bool proxima()
    {
        if (++m_i >= m_argc) {
            return false;
        }
        m_nome = QString::fromLocal8Bit(m_argv[m_i]);
        m_temValor = false;
        const qsizetype igual = m_nome.indexOf(u'=');
        if (m_nome.startsWith(QLatin1String("--")) && igual > 0) {
            m_valor = m_nome.mid(igual + 1);
            m_nome = m_nome.left(igual);
            m_temValor = true;
        }
        if (e("-h") || e("--help")) {
            std::fputs(m_uso, stdout);
            std::exit(0);
        }
        if (e("-v") || e("--version")) {
            std::printf("%s %s\n", m_programa, VIGA_VERSION);
            std::exit(0);
        }
        return true;
    }
    const QString& nome() const { return m_nome; }
    bool e(const char* opcao) const { return m_nome == QLatin1String(opcao); }
    // The option's value: after "=", else the next argument.
    QString valor()
    {
        if (m_temValor) {
            return m_valor;
        }
        if (m_i + 1 >= m_argc) {
            falha(std::string("falta o valor de ") + m_nome.toStdString());
        }
        return QString::fromLocal8Bit(m_argv[++m_i]);
    }

private:
    const char* m_programa;
    const char* m_uso;
    int m_argc;
    char** m_argv;
    int m_i = 0;
    QString m_nome;
    QString m_valor;
    bool m_temValor = false;
};
