// SPDX-License-Identifier: GPL-3.0-or-later
#include "TRVColumn.h"

#include <QList>

QString AlignText(const QString& text, TRVAlignment alignment, int width)
{
    const QString t = text.trimmed();
    const int folga = width - int(t.size());
    const QString pad(qMax(0, folga), u' ');
    switch (alignment) {
    case taRightJustify:
        return pad + t;
    case taCenter: {
        const int antes = qMax(0, folga) / 2;
        return pad.left(antes) + t + pad.mid(antes);
    }
    case taFullJustify: {
        if (pad.isEmpty()) return t;
        // Words and the run of blanks after each one; the last run is the pad.
        QStringList palavras;
        QList<int> espacos;
        int i = 0;
        while (i < t.size()) {
            int j = i;
            while (j < t.size() && t[j] != u' ')
                ++j;
            palavras << t.mid(i, j - i);
            int k = j;
            while (k < t.size() && t[k] == u' ')
                ++k;
            espacos << (k - j);
            i = k;
        }
        if (!espacos.isEmpty()) espacos.last() += int(pad.size());
        const int n = int(palavras.size());
        if (n < 2 || espacos.size() != n) return t + pad;
        const int cada = int(pad.size()) / (n - 1);
        int resto = int(pad.size()) % (n - 1);
        QString r;
        for (int w = 0; w < n; ++w) {
            r += palavras[w];
            if (w == n - 1) break;
            int brancos = espacos[w] + cada;
            if (resto > 0) {
                ++brancos;
                --resto;
            }
            r += QString(brancos, u' ');
        }
        return r;
    }
    case taLeftJustify:
        break;
    }
    return t + pad;
}
