// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every file of the given folders (or the given files) through the fuzz
// entry once: the corpus as a regression test in builds without libFuzzer.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho);

int main(int argc, char** argv)
{
    int arquivos = 0;
    for (int i = 1; i < argc; ++i) {
        const QString caminho = QString::fromLocal8Bit(argv[i]);
        QStringList lista;
        if (QFileInfo(caminho).isDir()) {
            QDirIterator it(caminho, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                lista << it.next();
            }
        } else {
            lista << caminho;
        }
        for (const QString& nome : std::as_const(lista)) {
            QFile f(nome);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(nome));
                return 1;
            }
            const QByteArray dados = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(dados.constData()), size_t(dados.size()));
            ++arquivos;
        }
    }
    std::printf("%d inputs replayed\n", arquivos);
    return arquivos > 0 ? 0 : 1;
}
