// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "Win1252.h"

// Printer models, paper sizes and the control sequences of each model.

enum TPrinterName {
    rvPadraoIBM,
    rvDeskjet500,
    rvDeskjet600,
    rvRima,
    rvEpson9pinos,
    rvEmiliaPS,
    rvEpsonStylusC2,
    rvCanonBJC4000,
    rvEpson24pinos,
    rvHPThinkJet,
    rvCanonF60,
    rvCanonLaser,
    rvIBMColorJet,
    rvIBMPCGraphics,
    rvIBMProPrinter,
    rvNEC3500,
    rvNECPinWriter,
    rvMP20mi,
    rvHPLaserJet,
};
constexpr int QuantidadeModelos = 19;

enum TPageSize {
    pzCustom,
    pzCoupon,
    pzContinous,
    pzLetter,
    pzLegal,
    pzA4,
    pzLetterSmall,
    pzTabloid,
    pzLedger,
    pzStatement,
    pzExecutive,
    pzA3,
    pzA4Small,
    pzA5,
    pzB4,
    pzB5,
    pzFolio,
    pzQuarto,
    pz10x14,
    pz11x17,
    pzNote,
    pzEnv9,
    pzEnv10,
    pzEnv11,
    pzEnv12,
    pzEnv14,
    pzEnvD1,
    pzEnvC3,
    pzEnvC4,
    pzEnvC5,
    pzEnvC6,
    pzEnvC65,
    pzEnvB4,
    pzEnvB5,
    pzEnvB6,
    pzEnvItaly,
    pzEnvMonarch,
    pzEnvPersonal,
    pzFanFoldUS,
    pzFanFoldSTD,
    pzFanFoldLgl,
};

enum TLinPol { lNoChange, l8LinPol, lElite12 };
enum TLanguageMsg { lmEnglish, lmPortuguese };
enum TPrinterOrientation { poPortrait, poLandscape };

// Print effects of the report driver: 1-5 select a pair of the code set.
enum TRVHowPrint { rvNoEfect, rvCompr175, rvCompr20, rvElite12, rvNegrito, rvExpand };

// The fourteen control sequences of one printer model.
struct TCodigosImpressora {
    QByteArray Compr175On, Compr175Off;
    QByteArray Compr20On, Compr20Off;
    QByteArray Elite12On, Elite12Off;
    QByteArray NegritoOn, NegritoOff;
    QByteArray ExpandOn, ExpandOff;
    QByteArray Lpi8, Lpi6;
    QByteArray FormFeed;
    QByteArray PageLength; // followed by one byte: the number of lines

    // The on- or off-code of effect 1-5; empty for rvNoEfect.
    QByteArray efeito(TRVHowPrint efeito, bool ligado) const;
};

const TCodigosImpressora& CodigosDoModelo(TPrinterName modelo);

// Lines per page of a paper size at 6 lines per inch; pzCustom keeps `atual`.
int LinesForPageSize(TPageSize tamanho, int atual);

// Windows-1252 accented letters turned into the printer's code page 850.
QByteArray ConvertAccents(const QByteArray& texto, TPrinterName modelo);
