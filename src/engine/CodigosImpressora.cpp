// SPDX-License-Identifier: GPL-3.0-or-later
#include "CodigosImpressora.h"

#include <array>

namespace
{

QByteArray h(const char* hex)
{
    return QByteArray::fromHex(QByteArray(hex)); // blanks between the bytes are skipped
}

struct Par {
    const char* on;
    const char* off;
};

// Condensed 17.5, condensed 20 and Elite 12 of each model, as the printers expect them
// (including the pitch "110" of the DeskJet and LaserJet condensed-off sequences).
const Par pitch[QuantidadeModelos][3] = {
    {{"0F", "12"}, {"1E 35", "1E 30"}, {"1E 32", "1E 30"}},
    {{"1B 28 73 31 36 2E 36 48", "1B 28 73 31 31 30 48"},
     {"1B 28 73 31 36 2E 36 48", "1B 28 73 31 31 30 48"},
     {"1B 28 73 31 32 48", "1B 28 73 31 30 48"}},
    {{"1B 28 73 31 36 2E 36 48", "1B 28 73 31 31 30 48"},
     {"1B 28 73 31 36 2E 36 48", "1B 28 73 31 31 30 48"},
     {"1B 28 73 31 32 48", "1B 28 73 31 30 48"}},
    {{"0F", "12"}, {"1B 5B 05", "1B 5B 00"}, {"1B 5B 02", "1B 5B 01"}},
    {{"0F", "12"}, {"1B 4D 0F", "1B 50"}, {"1B 4D", "1B 50"}},
    {{"0F", "12"}, {"1E 35", "1E 30"}, {"1E 32", "1E 30"}},
    {{"0F", "12"}, {"1B 4D 0F", "1B 50"}, {"1B 4D", "1B 50"}},
    {{"0F", "12"}, {"1B 4D 0F", "1B 50"}, {"1B 4D", "1B 50"}},
    {{"0F", "12"}, {"1B 4D 0F", "1B 50"}, {"1B 4D", "1B 50"}},
    {{"1B 28 73 31 36 2E 36 37 48", "1B 28 73 31 30 48"},
     {"1B 28 73 31 36 2E 36 37 48", "1B 28 73 31 30 48"},
     {"1B 28 73 31 32 48", "1B 28 73 31 30 48"}},
    {{"0F", "12"}, {"1B 4D 0F", "1B 50"}, {"1B 4D", "1B 50"}},
    {{"1B 1F 09", "1B 1F 0D"}, {"1B 1F 09", "1B 1F 0D"}, {"1B 4D", "1B 50"}},
    {{"0F", "12"}, {"1E 35", "1E 30"}, {"1E 32", "1E 30"}},
    {{"0F", "12"}, {"1E 35", "1E 30"}, {"1E 32", "1E 30"}},
    {{"0F", "12"}, {"1E 35", "1E 30"}, {"1E 32", "1E 30"}},
    {{"0F", "12"}, {"05", "12"}, {"1E 32", "1E 30"}},
    {{"0F", "12"}, {"05", "12"}, {"1E 32", "1E 30"}},
    {{"1B 0F", "12"}, {"05", "12"}, {"1E 32", "1E 30"}},
    {{"1B 28 73 31 36 2E 36 48", "1B 28 73 31 31 30 48"},
     {"1B 28 73 31 36 2E 36 48", "1B 28 73 31 31 30 48"},
     {"1B 28 73 31 32 48", "1B 28 73 31 30 48"}},
};

// Bold, expanded, 8 and 6 lines per inch, form feed, page-length prefix. The DeskJet and
// LaserJet bold-on is the four characters "<ng>"; the LaserJet line spacing carries the
// raw bytes 01 08 and 00 08.
struct Resto {
    Par negrito, expandido;
    const char *lpi8, *lpi6, *ff, *pagina;
};
const char* const exp = "1B 57 01";
const char* const expOff = "1B 57 00";
const Resto resto[QuantidadeModelos] = {
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"3C 6E 67 3E", "1B 28 73 2D 33 42"},
     {"1B 28 73 33 42", "1B 28 73 2D 33 42"},
     "1B 28 73 31 50",
     "1B 28 73 30 50",
     "0C",
     ""},
    {{"3C 6E 67 3E", "1B 28 73 2D 33 42"},
     {"1B 28 73 33 42", "1B 28 73 2D 33 42"},
     "1B 28 73 31 50",
     "1B 28 73 30 50",
     "0C",
     ""},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 67", "1B 68"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 28 73 33 42", "1B 28 73 2D 33 42"},
     {"1B 28 73 33 42", "1B 28 73 2D 33 42"},
     "1B 28 73 31 50",
     "1B 28 73 30 50",
     "0C",
     "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 4F", "1B 26"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 47", "1B 48"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 47", "1B 48"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 46"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"1B 45", "1B 4D"}, {exp, expOff}, "1B 30", "1B 32", "0C", "1B 43"},
    {{"3C 6E 67 3E", "1B 28 73 30 42"},
     {"1B 28 73 33 42", "1B 28 73 2D 33 42"},
     "1B 28 73 01 08",
     "1B 28 73 00 08",
     "0C",
     "1B 43"},
};

std::array<TCodigosImpressora, QuantidadeModelos> montaTabela()
{
    std::array<TCodigosImpressora, QuantidadeModelos> t;
    for (int i = 0; i < QuantidadeModelos; ++i) {
        TCodigosImpressora& c = t[i];
        c.Compr175On = h(pitch[i][0].on);
        c.Compr175Off = h(pitch[i][0].off);
        c.Compr20On = h(pitch[i][1].on);
        c.Compr20Off = h(pitch[i][1].off);
        c.Elite12On = h(pitch[i][2].on);
        c.Elite12Off = h(pitch[i][2].off);
        c.NegritoOn = h(resto[i].negrito.on);
        c.NegritoOff = h(resto[i].negrito.off);
        c.ExpandOn = h(resto[i].expandido.on);
        c.ExpandOff = h(resto[i].expandido.off);
        c.Lpi8 = h(resto[i].lpi8);
        c.Lpi6 = h(resto[i].lpi6);
        c.FormFeed = h(resto[i].ff);
        c.PageLength = h(resto[i].pagina);
    }
    return t;
}

const int linhasPorTamanho[] = {
    -1, // pzCustom keeps the current value
    0,  66, 66, 84, 70, 66, 102, 66, 51, 63, 99, 70, 50, 84, 61, 78, 61, 84, 102, 66,
    53, 57, 62, 66, 69, 51, 108, 77, 54, 38, 54, 83, 59, 30, 54, 45, 39, 66, 72,  78,
};
static_assert(sizeof(linhasPorTamanho) / sizeof(int) == pzFanFoldLgl + 1);

} // namespace

QByteArray TCodigosImpressora::efeito(TRVHowPrint e, bool ligado) const
{
    switch (e) {
    case rvCompr175:
        return ligado ? Compr175On : Compr175Off;
    case rvCompr20:
        return ligado ? Compr20On : Compr20Off;
    case rvElite12:
        return ligado ? Elite12On : Elite12Off;
    case rvNegrito:
        return ligado ? NegritoOn : NegritoOff;
    case rvExpand:
        return ligado ? ExpandOn : ExpandOff;
    case rvNoEfect:
        break;
    }
    return {};
}

const TCodigosImpressora& CodigosDoModelo(TPrinterName modelo)
{
    static const auto tabela = montaTabela();
    const int i = int(modelo);
    return tabela[(i >= 0 && i < QuantidadeModelos) ? i : int(rvEpson9pinos)];
}

int LinesForPageSize(TPageSize tamanho, int atual)
{
    const int i = int(tamanho);
    if (i <= 0 || i > pzFanFoldLgl) return atual;
    return linhasPorTamanho[i];
}

QByteArray ConvertAccents(const QByteArray& texto, TPrinterName modelo)
{
    static const auto tabela = [] {
        std::array<uchar, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[i] = uchar(i);
        const uchar pares[][2] = {
            {0xE1, 0xA0}, {0xC1, 0xB5}, {0xE3, 0xC6}, {0xC3, 0xC7}, {0xE2, 0x83}, {0xC2, 0xB6}, {0xE4, 0x84},
            {0xC4, 0x8E}, {0xE0, 0x85}, {0xC0, 0xB7}, {0xE9, 0x82}, {0xC9, 0x90}, {0xEA, 0x88}, {0xCA, 0xD2},
            {0xEB, 0x89}, {0xCB, 0xD3}, {0xED, 0xA1}, {0xCD, 0xD6}, {0xEE, 0x8C}, {0xCE, 0xD7}, {0xEF, 0x8B},
            {0xCF, 0xD8}, {0xF3, 0xA2}, {0xD3, 0xE0}, {0xF5, 0xE4}, {0xD5, 0xE5}, {0xF4, 0x93}, {0xD4, 0xE2},
            {0xF6, 0x94}, {0xD6, 0x99}, {0xFA, 0xA3}, {0xDA, 0xE9}, {0xFB, 0x96}, {0xDB, 0xEA}, {0xFC, 0x81},
            {0xDC, 0x9A}, {0xE7, 0x87}, {0xC7, 0x80}, {0xBA, 0xF8}, {0xF1, 0xA4}, {0xD1, 0xA5}, {0xAA, 0xA6},
        };
        for (const auto& p : pares)
            t[p[0]] = p[1];
        return t;
    }();
    const bool deskjet = modelo == rvDeskjet500 || modelo == rvDeskjet600;
    QByteArray saida = texto;
    for (char& c : saida) {
        const uchar b = uchar(c);
        if (deskjet && b == 0xE3) {
            c = char(0x84);
        } else if (deskjet && b == 0xC3) {
            c = char(0x8E);
        } else {
            c = char(tabela[b]);
        }
    }
    return saida;
}
