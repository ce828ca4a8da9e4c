// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry over the page list the operator types in the preview: the first
// two bytes choose the first page and the page count, the rest is the text.
// Every page chosen must be one the report has, and no list may take long.
#include "PreviewRelevo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    if (tamanho < 2) return 0;
    const int primeira = dados[0] % 3; // 0, 1 or 2
    const int total = dados[1] * 4;    // up to 1020 pages
    const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(dados + 2), qsizetype(tamanho - 2));
    const QList<int> paginas = ParsePageList(texto, primeira, total);
    for (const int p : paginas) {
        if (p < 0 || p > total - primeira) std::abort();
    }
    return 0;
}
