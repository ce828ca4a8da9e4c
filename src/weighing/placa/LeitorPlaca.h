// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <memory>

// What the reader found in one picture.
struct LeituraPlaca {
    QString placa;        // AAA9999 or AAA9A99; empty when no plate was found
    double confianca = 0; // 0 to 1: how sure the character reader was
    QString lido;         // what the character reader read, before the format settled it
    bool achou() const { return !placa.isEmpty(); }
};
Q_DECLARE_METATYPE(LeituraPlaca)

// Reads the plate of a camera picture: finds the regions of dark characters
// on a light ground (the plate's shape), rectifies each, separates the
// characters from the plate's frame and small print, reads the line with
// Tesseract and keeps only a reading in a Brazilian format, the format
// settling look-alike characters. A reading below the confidence threshold is
// no plate: a wrong plate proposed costs the operator more than none.
//
// One reader holds one Tesseract instance: use it from one thread at a time
// (LeituraPlacaAssincrona gives each its own).
class LeitorPlaca
{
public:
    // The confidence below which a reading is dropped: chosen on the tuning
    // part of the synthetic set, never on its held-out part.
    static constexpr double limiarPadrao = 0.85;

    LeitorPlaca();
    ~LeitorPlaca();
    LeitorPlaca(const LeitorPlaca&) = delete;
    LeitorPlaca& operator=(const LeitorPlaca&) = delete;

    // False when Tesseract or its English data could not be loaded: erro() says.
    bool pronto() const;
    QString erro() const;

    void setLimiar(double limiar);

    // A picture file (JPEG, PNG ...) or its bytes. A picture that cannot be
    // read gives no plate and sets erro().
    LeituraPlaca lerArquivo(const QString& arquivo);
    LeituraPlaca lerBytes(const QByteArray& bytes);

private:
    struct Dados;
    std::unique_ptr<Dados> d;
};
