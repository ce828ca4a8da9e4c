// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The small routines every part of the system calls for codes, numbers, dates
// and texts. Numbers and dates follow the Brazilian convention (decimal comma,
// dd/mm/yyyy, hh:mm:ss), fixed in code and never taken from the host.

// Removes every point (thousands separator); with `paraSql`, commas become points.
QString ConverteNumero(const QString& texto, bool paraSql);
QString TrocaCaractere(const QString& texto, QChar de, QChar para);
// True when the trimmed text is a number written with the decimal comma.
bool EhNumero(const QString& texto);
// The number re-formatted with `casas` decimals (decimal comma); blank or
// non-numeric text comes back unchanged.
QString FormataDecimais(const QString& texto, int casas);
// A valid dd/mm/yyyy (or dd/mm/yy) date within 100 years back and 10 years ahead.
bool EhData(const QString& texto);
// True for an untouched date mask ("  /  /    ").
bool DataVazia(const QString& texto);
// dd/mm/yyyy when EhData accepts the text, otherwise the text unchanged.
QString FormataData(const QString& texto);
// The date of a dd/mm/yyyy or dd/mm/yy text (two-digit years within 50 years of today).
QDate LeData(const QString& texto);
// "hhmmss" or "hh:mm:ss".
bool EhHora(const QString& texto);
QString CompletaZeros(const QString& texto, int largura);
// Mode 'D' pads with blanks on the right, 'E' on the left, '*' with asterisks on the right.
QString AlinhaTexto(const QString& texto, int largura, QChar modo);
// 1-based position of the last occurrence, 0 when absent.
int PosicaoTexto(const QString& padrao, const QString& texto);
// Deletes `quantidade` characters at the 1-based `posicao` and inserts `trecho` there.
QString SubstituiTrecho(const QString& texto, int posicao, int quantidade, const QString& trecho);
int IndiceNaLista(const QString& texto, const QStringList& lista, int maiorIndice);
// major.minor.release.build, or "Desconhecida".
QString VersaoArquivo();
