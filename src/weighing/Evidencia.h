// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <QStringList>
#include <optional>

class TDM;

// One camera's snapshot taken at a save: the JPEG, or why there is none.
struct FotoCamera {
    QString camera;        // "Frente", "Traseira"
    QByteArray jpeg;       // empty when the camera gave no picture
    QString falha;         // why, in the system's words
    bool pendente = false; // asked for and still expected (completed after the save)
};

// The plate read from a camera's picture and proposed to the operator.
struct PlacaLida {
    QString placa;        // empty when the picture showed no plate
    double confianca = 0; // 0 to 1
    QString foto;         // the picture read, inside the data folder ("fotos/placa-....jpg")
    bool aceita = false;  // the plate saved is the one read
};

// How the weight of one side was taken, stored with the weighing
// (PESAGEMEVIDENCIA, one row per weighing number and side).
struct EvidenciaPesagem {
    bool manual = false;  // typed by the operator
    QString peso;         // the weight saved, as shown ("27340,00")
    QByteArray quadro;    // the indicator's frame that produced it, as received
    QString modelo;       // "AR", "AR-N 5 Dígitos", "AR-N 6 Dígitos"
    QString interface;    // "Pesagem", "Demanda"
    QString porta;        // the device the frame came from
    qint64 estavelMs = 0; // how long the reading had been stable at the save
    QString usuario;      // who saved (for a manual weight: who typed it)
    QList<FotoCamera> fotos;
    std::optional<PlacaLida> placaLida; // the plate proposed from the camera, when one was read
};

namespace Evidencia
{

// "fotos/12-entrada-frente.jpg": a snapshot's path inside the data folder.
QString arquivoFoto(qint64 numero, int lado, const QString& camera);

// The snapshots stored for one side of a weighing (existing files).
struct FotoGravada {
    QString camera;  // "Frente", "Traseira"
    QString caminho; // absolute path
};
QList<FotoGravada> fotosGravadas(const QString& pastaDados, qint64 numero, int lado);

// Writes the evidence of side `lado` (1 entry, 2 exit) of weighing `numero`
// inside the caller's transaction: the snapshots into `pastaDados`/fotos
// (a picture that cannot be written is said in the row, never fails the
// save), then the row, replacing the side's earlier one. The written files
// are added to `arquivos`, so that a rolled-back save can remove them.
// Throws ErroBanco.
void grava(TDM& dm, qint64 numero, int lado, const EvidenciaPesagem& ev, const QString& pastaDados,
           QStringList* arquivos = nullptr);

// The snapshots of a save that came after it (or were given up): written
// into `pastaDados`/fotos and the side's row completed, in a transaction of
// its own, while the row is still the one this workstation stored with
// cameras pending; false (nothing written) when it is no longer. A picture
// that cannot be written is said in the row. Throws ErroBanco.
bool completaFotos(TDM& dm, qint64 numero, int lado, const QList<FotoCamera>& fotos,
                   const QString& pastaDados);

// Snapshots written during a save: removed again unless the save committed.
class FotosDaGravacao
{
public:
    FotosDaGravacao() = default;
    FotosDaGravacao(const FotosDaGravacao&) = delete;
    FotosDaGravacao& operator=(const FotosDaGravacao&) = delete;
    ~FotosDaGravacao();
    QStringList* lista() { return &m_arquivos; }
    void confirma() { m_arquivos.clear(); }

private:
    QStringList m_arquivos;
};

// The stored row of one side, for the history window and the checks.
struct Linha {
    bool existe = false;
    bool manual = false;
    QString peso;
    QByteArray quadro;
    QString modelo;
    QString interface;
    QString porta;
    qint64 estavelMs = 0;
    QString estacao;
    QString usuario;
    QString dataHora;
    QString cameras;
    std::optional<PlacaLida> placaLida;
};
Linha le(TDM& dm, qint64 numero, int lado);

} // namespace Evidencia
