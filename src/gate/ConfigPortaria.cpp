// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConfigPortaria.h"

#include "ArquivoIni.h"
#include "PastaDados.h"

#include <QRegularExpression>

namespace
{

const QString kSecao = QStringLiteral("portaria");

// Reads the values of [portaria] and says each one that is not accepted.
class Leitor
{
public:
    Leitor(const QString& arquivo, QStringList* erros) : m_ini(arquivo), m_arquivo(arquivo), m_erros(erros) {}

    // The value as written; QSettings splits "400,5" at the comma, so a
    // list is put back together.
    QString texto(const QString& chave) const
    {
        const QVariant v = m_ini.valor(kSecao, chave);
        if (v.typeId() == QMetaType::QStringList) {
            return v.toStringList().join(u',').trimmed();
        }
        return v.toString().trimmed();
    }

    void erro(const QString& chave, const QString& valor, const QString& esperado, const QString& usado)
    {
        if (m_erros) {
            *m_erros << QStringLiteral("Valor inválido em %1, [portaria] %2=%3: %4. Usando %5.")
                            .arg(m_arquivo, chave, valor, esperado, usado);
        }
    }

    // Kilograms from `minimo` (inclusive) up.
    Decimal quilos(const QString& chave, Decimal padrao, Decimal minimo)
    {
        const QString t = texto(chave);
        if (t.isEmpty()) {
            return padrao;
        }
        const auto v = Decimal::parse(t);
        if (!v || *v < minimo) {
            erro(chave, t,
                 QStringLiteral("informe um peso em kg de no mínimo %1").arg(minimo.toShortString()),
                 padrao.toShortString() + QStringLiteral(" kg"));
            return padrao;
        }
        return *v;
    }

    int inteiro(const QString& chave, int padrao, int minimo, int maximo, const QString& unidade)
    {
        const QString t = texto(chave);
        if (t.isEmpty()) {
            return padrao;
        }
        bool ok = false;
        const int v = t.toInt(&ok);
        if (!ok || v < minimo || v > maximo) {
            erro(chave, t, QStringLiteral("informe um número inteiro de %1 a %2").arg(minimo).arg(maximo),
                 unidade.isEmpty() ? QString::number(padrao)
                                   : QStringLiteral("%1 %2").arg(padrao).arg(unidade));
            return padrao;
        }
        return v;
    }

    // A coil or input number; empty = not wired.
    int endereco(const QString& chave)
    {
        const QString t = texto(chave);
        if (t.isEmpty()) {
            return -1;
        }
        bool ok = false;
        const int v = t.toInt(&ok);
        if (!ok || v < 0 || v > 65535) {
            erro(chave, t, QStringLiteral("informe o número da bobina ou entrada (0 a 65535)"),
                 QStringLiteral("nenhuma (saída não usada)"));
            return -1;
        }
        return v;
    }

private:
    ArquivoIni m_ini;
    QString m_arquivo;
    QStringList* m_erros;
};

bool moduloValido(const QString& m)
{
    if (m.startsWith(u'/')) {
        return true;
    }
    static const QRegularExpression tcp(QStringLiteral("^[^:/\\s]+:(\\d{1,5})$"));
    const QRegularExpressionMatch r = tcp.match(m);
    if (!r.hasMatch()) {
        return false;
    }
    const int porta = r.captured(1).toInt();
    return porta >= 1 && porta <= 65535;
}

} // namespace

ConfigPortaria ConfigPortaria::le(const QString& arquivoIni, QStringList* erros)
{
    Leitor l(arquivoIni, erros);
    ConfigPortaria c;
    c.ocupada = l.quilos(QStringLiteral("Ocupada"), c.ocupada, Decimal::fromRaw(1));
    const Decimal metade = Decimal::fromRaw(c.ocupada.raw() / 2);
    c.livre = l.quilos(QStringLiteral("Livre"), metade, Decimal());
    if (c.livre >= c.ocupada) {
        l.erro(QStringLiteral("Livre"), l.texto(QStringLiteral("Livre")),
               QStringLiteral("o peso de plataforma livre deve ser menor que Ocupada=%1")
                   .arg(c.ocupada.toShortString()),
               metade.toShortString() + QStringLiteral(" kg"));
        c.livre = metade;
    }
    c.zero = l.quilos(QStringLiteral("Zero"), c.zero, Decimal());
    if (c.zero >= c.livre) {
        const Decimal usado = Decimal::fromRaw(c.livre.raw() / 2);
        l.erro(
            QStringLiteral("Zero"), l.texto(QStringLiteral("Zero")),
            QStringLiteral("a tolerância do zero deve ser menor que Livre=%1").arg(c.livre.toShortString()),
            usado.toShortString() + QStringLiteral(" kg"));
        c.zero = usado;
    }
    c.zeroMs = l.inteiro(QStringLiteral("ZeroMs"), c.zeroMs, 0, 600000, QStringLiteral("ms"));
    c.silencioMs =
        1000 * l.inteiro(QStringLiteral("Silencio"), c.silencioMs / 1000, 1, 3600, QStringLiteral("s"));

    const QString modulo = l.texto(QStringLiteral("Modulo"));
    if (!modulo.isEmpty() && !moduloValido(modulo)) {
        l.erro(QStringLiteral("Modulo"), modulo,
               QStringLiteral("informe host:porta (Modbus TCP) ou o caminho da porta serial (Modbus RTU)"),
               QStringLiteral("nenhum módulo (sinais e cancelas desligados)"));
    } else {
        c.modulo = modulo;
    }
    c.escravo = l.inteiro(QStringLiteral("Escravo"), c.escravo, 0, 247, QString());
    c.baud = l.inteiro(QStringLiteral("Baud"), c.baud, 300, 921600, QString());
    const QString quadro = l.texto(QStringLiteral("Quadro")).toUpper();
    static const QRegularExpression formato(QStringLiteral("^[5-8][NEO][12]$"));
    if (!quadro.isEmpty() && !formato.match(quadro).hasMatch()) {
        l.erro(QStringLiteral("Quadro"), quadro,
               QStringLiteral("informe bits de dados, paridade (N, E ou O) e bits de parada, como 8N1"),
               c.quadroSerial);
    } else if (!quadro.isEmpty()) {
        c.quadroSerial = quadro;
    }
    c.esperaMs = l.inteiro(QStringLiteral("EsperaMs"), c.esperaMs, 10, 5000, QStringLiteral("ms"));
    c.pulsoMs = l.inteiro(QStringLiteral("PulsoMs"), c.pulsoMs, 100, 600000, QStringLiteral("ms"));
    c.sinalEntradaVermelho = l.endereco(QStringLiteral("SinalEntradaVermelho"));
    c.sinalEntradaVerde = l.endereco(QStringLiteral("SinalEntradaVerde"));
    c.sinalSaidaVermelho = l.endereco(QStringLiteral("SinalSaidaVermelho"));
    c.sinalSaidaVerde = l.endereco(QStringLiteral("SinalSaidaVerde"));
    c.cancelaEntrada = l.endereco(QStringLiteral("CancelaEntrada"));
    c.cancelaSaida = l.endereco(QStringLiteral("CancelaSaida"));
    c.fotocelulaEntrada = l.endereco(QStringLiteral("FotocelulaEntrada"));
    c.fotocelulaSaida = l.endereco(QStringLiteral("FotocelulaSaida"));
    c.lacoEntrada = l.endereco(QStringLiteral("LacoEntrada"));
    return c;
}

ConfigPortaria ConfigPortaria::doIni(QStringList* erros)
{
    return le(PastaDados::ini(), erros);
}
