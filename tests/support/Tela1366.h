// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QtTest>

// The smallest screen of the gatehouse PCs, 1366×768, for the offscreen
// windows of a test: its main (VIGA_TESTE_TELA_1366 in place of QTEST_MAIN)
// writes the screen's description and hands it to the offscreen platform
// before the application starts.
namespace Tela1366
{

inline const QRect tela{0, 0, 1366, 768};

// Returns the description's file, which the caller removes once the application runs.
inline QString preparar()
{
    const QString arquivo = QDir::temp().filePath(
        QStringLiteral("viga-tela-1366x768-%1.json").arg(QCoreApplication::applicationPid()));
    QFile f(arquivo);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(R"({"screens": [{"name": "tela", "x": 0, "y": 0, "width": 1366, "height": 768,
                   "logicalDpi": 96, "dpr": 1.0}]})");
        f.close();
    }
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + arquivo).toUtf8());
    return arquivo;
}

} // namespace Tela1366

#define VIGA_TESTE_TELA_1366(Classe)                                                                         \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        const QString descricao = Tela1366::preparar();                                                      \
        QApplication app(argc, argv);                                                                        \
        QFile::remove(descricao);                                                                            \
        Classe teste;                                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&teste, argc, argv);                                                             \
    }
