// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry over the chunk acceptance and the three frame parsers. The first
// byte chooses the settings (model, interface, divisão, decimals); the rest is
// the chunk as the driver would deliver it.
#include "QuadrosBalanca.h"

#include "Decimal.h"

#include <cstdint>
#include <cstdlib>

namespace
{

void Confere(bool condicao)
{
    if (!condicao) {
        std::abort();
    }
}

// What any result may show: a number with the asked decimals, a lamp of the table.
void ConfereResultado(const TResultadoQuadro& r, int casas)
{
    Confere(r.erro == TErroQuadro::Nenhum);
    if (r.peso) {
        Confere(Decimal::parse(*r.peso).has_value());
        const qsizetype virgula = r.peso->indexOf(u',');
        Confere(casas == 0 ? virgula < 0 : r.peso->size() - virgula - 1 == casas);
        Confere(r.lampada.has_value());
    }
    if (r.lampada) {
        Confere(*r.lampada == TLampada::Verde || *r.lampada == TLampada::Amarela);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    if (tamanho == 0) {
        return 0;
    }
    const uint8_t escolha = dados[0];
    TConfigQuadro c;
    c.modelo = escolha % 3;
    c.interfaceSerial = (escolha >> 2) & 1;
    c.divisao = (escolha >> 3) % 5; // 4 = outside the list
    c.casasDecimais = (escolha >> 6) & 3;
    const char* bloco = reinterpret_cast<const char*>(dados + 1);
    const qsizetype n = qsizetype(tamanho - 1);

    const QString antes = QStringLiteral("ANTERIOR");
    const TResultadoQuadro r = RecebeBloco(QByteArrayView(bloco, n), c, antes);
    Confere(r.aceito == BlocoAceito(QByteArrayView(bloco, n)));
    if (!r.aceito) {
        Confere(!r.parserChamado && !r.peso && !r.lampada && r.status == antes);
    }
    ConfereResultado(r, c.casasDecimais);

    // The parsers on their own, with whatever text, as the receiver's pre-test might let through.
    const QString quadro = AparaQuadro(QString::fromLatin1(bloco, n));
    ConfereResultado(ParseARFrame(quadro, c.divisao, c.casasDecimais, antes), c.casasDecimais);
    ConfereResultado(ParseARNFrame(quadro, c.modelo == 2 ? 7 : 6, c.casasDecimais), c.casasDecimais);
    const TResultadoQuadro dem = ParseDemandFrame(quadro, c.modelo, c.casasDecimais, antes);
    ConfereResultado(dem, c.casasDecimais);
    Confere(dem.status.startsWith(antes));
    return 0;
}
