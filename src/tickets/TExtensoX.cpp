// SPDX-License-Identifier: GPL-3.0-or-later
#include "TExtensoX.h"

#include <QList>

#include <algorithm>
#include <iterator>

namespace
{

bool SoDigitos(QStringView t)
{
    for (const QChar c : t) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

QStringView SemZerosAEsquerda(QStringView t)
{
    while (t.size() > 1 && t.front() == u'0') {
        t = t.mid(1);
    }
    return t;
}

int Digito(QChar c)
{
    return c.unicode() - u'0';
}

// "1234,56": integer part without leading zeros, two digits of centavos
// (extra digits dropped, a missing one taken as zero); empty when the text is
// not an amount.
QString Normaliza(const QString& valor)
{
    const QString t = valor.trimmed();
    qsizetype separador = t.indexOf(u',');
    if (separador < 0 && t.count(u'.') == 1) {
        separador = t.indexOf(u'.');
    }
    const QStringView inteiro = separador < 0 ? QStringView(t) : QStringView(t).left(separador);
    const QStringView centavos = separador < 0 ? QStringView() : QStringView(t).mid(separador + 1);
    if (!SoDigitos(inteiro) || !SoDigitos(centavos)) {
        return QString();
    }
    const QString i = inteiro.isEmpty() ? QStringLiteral("0") : SemZerosAEsquerda(inteiro).toString();
    const QString c = (centavos.toString() + QStringLiteral("00")).left(2);
    return i + u',' + c;
}

// Above the thousands: group names from the millions up, singular and plural.
struct Grupo {
    const char16_t* singular;
    const char16_t* plural;
};
constexpr Grupo grupos[] = {
    {u"milhão ", u"milhões "}, {u"bilhão ", u"bilhões "}, {u"trilhão ", u"trilhões "}};
constexpr int maxDigitos = 6 + 3 * int(std::size(grupos));

// "e" before the last group when it is a round hundred or below one hundred:
// "dois milhões e quinhentos mil", "um milhão e vinte reais".
bool Redondo(int valor)
{
    return valor < 100 || valor % 100 == 0;
}

} // namespace

TExtensoX::TExtensoX()
{
    const char16_t* unidades[] = {u"",       u"um ",   u"dois ", u"tres ", u"quatro ",
                                  u"cinco ", u"seis ", u"sete ", u"oito ", u"nove "};
    const char16_t* dezADezenove[] = {u"dez ",    u"onze ",      u"doze ",      u"treze ",   u"quatorze ",
                                      u"quinze ", u"dezesseis ", u"dezessete ", u"dezoito ", u"dezenove "};
    const char16_t* dezenas[] = {u"",           u"dez ",      u"vinte ",   u"trinta ",  u"quarenta ",
                                 u"cinquenta ", u"sessenta ", u"setenta ", u"oitenta ", u"noventa "};
    const char16_t* centenas[] = {u"",
                                  u"cem ",
                                  u"duzentos ",
                                  u"trezentos ",
                                  u"quatrocentos ",
                                  u"quinhentos ",
                                  u"seiscentos ",
                                  u"setecentos ",
                                  u"oitocentos ",
                                  u"novecentos "};
    for (int i = 0; i < 10; ++i) {
        m_unidades[i] = QString::fromUtf16(unidades[i]);
        m_dezADezenove[i] = QString::fromUtf16(dezADezenove[i]);
        m_dezenas[i] = QString::fromUtf16(dezenas[i]);
        m_centenas[i] = QString::fromUtf16(centenas[i]);
    }
}

QString TExtensoX::Extenso(const QString& valor)
{
    TExtensoX x;
    x.ValorExtenso(valor);
    return x.Resultado();
}

void TExtensoX::ValorExtenso(const QString& valor)
{
    const QString normal = Normaliza(valor);
    const qsizetype virgula = normal.indexOf(u',');
    if (normal.isEmpty() || virgula > maxDigitos) {
        // not an amount, or beyond the trillions: the text as it came
        m_ultimoValor = normal.isEmpty() ? valor.trimmed() : normal;
        m_resultado = m_ultimoValor;
        return;
    }
    m_ultimoValor = normal;
    m_resultado.clear();
    if (normal == QLatin1String("0,00")) {
        return;
    }
    const QStringView inteiro = QStringView(normal).left(virgula);
    const QStringView centavos = QStringView(normal).mid(virgula + 1);

    QString moeda;
    if (inteiro.size() <= 3) {
        m_resultado = Centenas(inteiro);
    } else if (inteiro.size() <= 6) {
        m_resultado = Milhares(inteiro);
    } else {
        m_resultado = Grandes(inteiro);
        // "um milhão de reais", but "um milhão e vinte mil reais"
        if (inteiro.right(6) == QLatin1String("000000")) {
            moeda = QStringLiteral("de ");
        }
    }
    moeda += (inteiro == QLatin1String("0") || inteiro == QLatin1String("1")) ? QStringLiteral("real")
                                                                              : QStringLiteral("reais");
    m_resultado += moeda + u' ';

    if (centavos == QLatin1String("00")) {
        return;
    }
    const bool umCentavo = centavos == QLatin1String("01");
    if (inteiro == QLatin1String("0")) {
        m_resultado =
            umCentavo ? QStringLiteral("um centavo") : Centenas(centavos) + QStringLiteral("centavos");
    } else {
        m_resultado += umCentavo ? QStringLiteral("e um centavo")
                                 : QStringLiteral("e ") + Centenas(centavos) + QStringLiteral("centavos");
    }
}

QString TExtensoX::Centenas(QStringView digitos) const
{
    if (digitos.size() == 1) {
        return m_unidades[Digito(digitos[0])];
    }
    if (digitos.size() == 2) {
        return Dezenas(Digito(digitos[0]), Digito(digitos[1]));
    }
    const int c = Digito(digitos[0]);
    const int d = Digito(digitos[1]);
    const int u = Digito(digitos[2]);
    if (d == 0 && u == 0) {
        return m_centenas[c];
    }
    if (c == 1) {
        return QStringLiteral("cento e ") + Dezenas(d, u);
    }
    return m_centenas[c] + QStringLiteral("e ") + Dezenas(d, u);
}

QString TExtensoX::Dezenas(int dezena, int unidade) const
{
    if (dezena == 1) {
        return m_dezADezenove[unidade];
    }
    if (unidade == 0) {
        return m_dezenas[dezena];
    }
    if (dezena == 0) {
        return m_unidades[unidade];
    }
    return m_dezenas[dezena] + QStringLiteral("e ") + m_unidades[unidade];
}

QString TExtensoX::Milhares(QStringView digitos) const
{
    const QStringView cabeca = digitos.left(digitos.size() - 3);
    const QStringView cauda = digitos.right(3);
    if (SemZerosAEsquerda(cabeca) != QLatin1String("0")) {
        return Centenas(cabeca) + QStringLiteral("mil ") + Centenas(cauda);
    }
    return Centenas(cauda);
}

// Seven digits and more: the millions (and up) group by group, then the
// thousands and units as for smaller amounts.
QString TExtensoX::Grandes(QStringView inteiro) const
{
    struct Parte {
        QString palavras;
        bool redonda;
    };
    QList<Parte> partes;
    const QStringView cabeca = inteiro.left(inteiro.size() - 6);
    // groups of three digits from the left, the first one possibly shorter
    const qsizetype primeiro = cabeca.size() % 3 == 0 ? 3 : cabeca.size() % 3;
    const int quantos = int((cabeca.size() - primeiro) / 3) + 1;
    for (int i = 0; i < quantos; ++i) {
        const QStringView grupo =
            SemZerosAEsquerda(i == 0 ? cabeca.left(primeiro) : cabeca.mid(primeiro + (i - 1) * 3, 3));
        const int valor = grupo.toInt();
        if (valor == 0) {
            continue;
        }
        const Grupo& nome = grupos[quantos - 1 - i];
        partes.append(
            {Centenas(grupo) + QString::fromUtf16(valor == 1 ? nome.singular : nome.plural), Redondo(valor)});
    }
    const QStringView resto = SemZerosAEsquerda(inteiro.right(6));
    if (resto != QLatin1String("0")) {
        const int milhares = resto.size() > 3 ? resto.left(resto.size() - 3).toInt() : 0;
        const int unidades = resto.right(std::min<qsizetype>(3, resto.size())).toInt();
        const bool umGrupo = milhares == 0 || unidades == 0;
        partes.append({resto.size() <= 3 ? Centenas(resto) : Milhares(resto),
                       umGrupo && Redondo(milhares == 0 ? unidades : milhares)});
    }
    QString palavras;
    for (qsizetype i = 0; i < partes.size(); ++i) {
        if (i > 0 && i == partes.size() - 1 && partes[i].redonda) {
            palavras += QStringLiteral("e ");
        }
        palavras += partes[i].palavras;
    }
    return palavras;
}
