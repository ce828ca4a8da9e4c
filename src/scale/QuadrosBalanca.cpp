// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuadrosBalanca.h"

#include "Decimal.h"
#include "Rotinas.h"

namespace
{

constexpr char16_t CR = 13;

bool EhStatusAceito(char c)
{
    return c == '@' || (c >= 'C' && c <= 'P');
}

bool EhLetraAR(QChar c)
{
    return c >= u'C' && c <= u'P';
}

// The weight field as a number: an optional sign, digits and at most one decimal
// separator (point or comma). Exponents are not weights. A value beyond the
// fixed-point range is not a weight either.
std::optional<Decimal> NumeroCampo(const QString& campo)
{
    const QString t = TrocaCaractere(campo, u'.', u',').trimmed();
    if (!EhNumero(t) || t.contains(u'e', Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    return Decimal::parse(t);
}

QString Maiusculas(const QString& s)
{
    QString r = s;
    for (QChar& c : r) {
        if (c >= u'a' && c <= u'z') {
            c = QChar(c.unicode() - 32);
        }
    }
    return r;
}

} // namespace

QString TituloErroQuadro(TErroQuadro erro)
{
    return QStringLiteral("Erro %1").arg(int(erro), 3, 10, QLatin1Char('0'));
}

QString TextoErroQuadro(TErroQuadro erro, const QString& detalhe)
{
    if (erro == TErroQuadro::Erro004) {
        return QStringLiteral("Erro de pesagem.\nErro retornado :\n") + detalhe;
    }
    return QStringLiteral("Erro de pesagem.\nErro retornado: \n") + detalhe;
}

bool BlocoAceito(QByteArrayView bloco)
{
    return bloco.size() >= 2 && EhStatusAceito(bloco.front()) && bloco.back() == char(CR);
}

QString AparaQuadro(const QString& quadro)
{
    qsizetype ini = 0;
    qsizetype fim = quadro.size();
    while (ini < fim && quadro[ini].unicode() <= 32) {
        ++ini;
    }
    while (fim > ini && quadro[fim - 1].unicode() <= 32) {
        --fim;
    }
    return quadro.mid(ini, fim - ini);
}

QString MensagemLetraAR(QChar letra)
{
    const char16_t c = letra.unicode();
    QString m;
    switch (c) {
    case u'C':
        m = QStringLiteral("Peso positivo fora de equilíbrio.");
        break;
    case u'D':
        m = QStringLiteral("Peso bruto maior que zero.");
        break;
    case u'E':
        m = QStringLiteral("Peso líquido maior que zero.");
        break;
    case u'F':
        m = QStringLiteral("Centro de zero sem tara.");
        break;
    case u'G':
        m = QStringLiteral("Centro de zero com tara.");
        break;
    case u'H':
    case u'I':
    case u'J':
    case u'K':
        m = QStringLiteral("Peso negativo fora de equilíbrio.");
        break;
    case u'L':
    case u'M':
    case u'N':
    case u'O':
        m = QStringLiteral("Peso negativo em equilíbrio.");
        break;
    case u'P':
        m = QStringLiteral("Fora de escala.");
        break;
    default:
        break;
    }
    return Maiusculas(m);
}

QString StatusARN(uint8_t s)
{
    QString t = QStringLiteral("PESO ");
    t += (s & 0x01) ? QStringLiteral("LIQUIDO ") : QStringLiteral("BRUTO ");
    if (s & 0x02) {
        t += QStringLiteral("CENTRO DE ZERO +/- ¼ DIVISÃO ");
    }
    t += (s & 0x04) ? QStringLiteral("EM EQUILÍBRIO ") : QStringLiteral("EM MOVIMENTO ");
    t += (s & 0x08) ? QStringLiteral("NEGATIVO ") : QStringLiteral("POSITIVO ");
    if (s & 0x10) {
        t += QStringLiteral("FORA DE FAIXA ");
    }
    return t;
}

TResultadoQuadro ParseARFrame(const QString& quadro, int divisao, int casasDecimais,
                              const QString& statusAtual)
{
    TResultadoQuadro r;
    r.parserChamado = true;
    r.status = statusAtual;

    QString digitos;
    for (const QChar c : quadro) {
        if (EhLetraAR(c)) {
            // H..O are negative; a later positive letter does not undo the sign.
            if (c >= u'H' && c <= u'O') {
                r.sinal = -1;
            }
            r.estavel = (c >= u'D' && c <= u'G') || (c >= u'L' && c <= u'O');
            r.status = MensagemLetraAR(c);
        } else if (c >= u'0' && c <= u'9') {
            digitos += c;
            if (digitos.size() == 6) {
                break;
            }
        }
    }

    // The decimal comma goes among exactly six digits; a short frame lost a byte
    // and would put the comma in the wrong place, so it shows nothing.
    QString texto;
    if (digitos.size() == 6 && divisao >= 0 && divisao <= 3) {
        texto = divisao == 0 ? digitos : digitos.left(6 - divisao) + u',' + digitos.mid(6 - divisao);
    }
    const std::optional<Decimal> valor = NumeroCampo(texto);
    if (!valor) {
        return r;
    }
    const Decimal peso = r.sinal < 0 ? -*valor : *valor;
    r.peso = peso.toString(casasDecimais);
    r.lampada = r.estavel ? TLampada::Verde : TLampada::Amarela;
    return r;
}

TResultadoQuadro ParseARNFrame(const QString& quadro, int largura, int casasDecimais)
{
    TResultadoQuadro r;
    r.parserChamado = true;
    const uint8_t s = quadro.isEmpty() ? 0 : uint8_t(quadro[0].unicode() & 0xFF);
    r.status = StatusARN(s);
    r.estavel = (s & 0x04) != 0;
    r.sinal = (s & 0x08) ? -1 : 1;

    const std::optional<Decimal> valor = NumeroCampo(quadro.mid(1, largura));
    if (!valor) {
        return r;
    }
    const Decimal peso = r.sinal < 0 ? -*valor : *valor;
    r.peso = peso.toString(casasDecimais);
    r.lampada = r.estavel ? TLampada::Verde : TLampada::Amarela;
    return r;
}

TResultadoQuadro ParseDemandFrame(const QString& quadro, int modelo, int casasDecimais,
                                  const QString& statusAtual)
{
    TResultadoQuadro r;
    r.parserChamado = true;
    r.demanda = true;
    r.status = statusAtual;
    const uint8_t s = quadro.isEmpty() ? 0 : uint8_t(quadro[0].unicode() & 0xFF);
    r.sinal = (s & 0x08) ? -1 : 1;
    r.estavel = true; // on demand the indicator sends settled readings only
    if (s & 0x10) {
        r.status += QStringLiteral("FORA DE FAIXA ");
    }

    QString campo;
    switch (modelo) {
    case 0:
        campo = quadro.mid(1);
        break;
    case 1:
        campo = quadro.mid(1, 6);
        break;
    case 2:
        campo = quadro.mid(1, 7);
        break;
    default:
        break;
    }
    const std::optional<Decimal> valor = NumeroCampo(campo);
    if (!valor) {
        return r;
    }
    const Decimal peso = r.sinal < 0 ? -*valor : *valor;
    r.peso = peso.toString(casasDecimais);
    r.lampada = TLampada::Verde;
    return r;
}

TResultadoQuadro RecebeBloco(QByteArrayView bloco, const TConfigQuadro& config, const QString& statusAtual)
{
    if (!BlocoAceito(bloco)) {
        TResultadoQuadro r;
        r.status = statusAtual;
        return r;
    }
    const QString texto = QString::fromLatin1(bloco.data(), bloco.size());
    const QString quadro = AparaQuadro(texto);
    TResultadoQuadro r;
    if (config.interfaceSerial == 1) {
        r = ParseDemandFrame(quadro, config.modelo, config.casasDecimais, statusAtual);
    } else {
        const int largura = config.modelo == 2 ? 7 : 6;
        const bool numerico = NumeroCampo(texto.mid(1, largura)).has_value();
        if (numerico && config.modelo == 0) {
            r = ParseARFrame(quadro, config.divisao, config.casasDecimais, statusAtual);
        } else if (numerico && (config.modelo == 1 || config.modelo == 2)) {
            r = ParseARNFrame(quadro, largura, config.casasDecimais);
        } else {
            r.status = statusAtual;
        }
    }
    r.aceito = true;
    return r;
}

TResultadoQuadro TLeituraBalanca::recebe(const char* dados, int quantidade)
{
    TResultadoQuadro r = RecebeBloco(QByteArrayView(dados, quantidade), m_config, m_status);
    m_status = r.status;
    return r;
}

void TLeituraBalanca::novaPesagem()
{
    if (m_config.interfaceSerial == 1) {
        m_status.clear();
    }
}
