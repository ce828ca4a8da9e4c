// SPDX-License-Identifier: GPL-3.0-or-later
#include "Evidencia.h"

#include "Auditoria.h"
#include "Relogio.h"
#include "TDM.h"
#include "ValoresSql.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace Evidencia
{

QString arquivoFoto(qint64 numero, int lado, const QString& camera)
{
    return QStringLiteral("fotos/%1-%2-%3.jpg")
        .arg(numero)
        .arg(lado == 1 ? QStringLiteral("entrada") : QStringLiteral("saida"), camera.toLower());
}

QList<FotoGravada> fotosGravadas(const QString& pastaDados, qint64 numero, int lado)
{
    QList<FotoGravada> lista;
    for (const char* camera : {"Frente", "Traseira"}) {
        const QString f = QDir(pastaDados).filePath(arquivoFoto(numero, lado, QLatin1String(camera)));
        if (QFileInfo::exists(f)) {
            lista.append({QLatin1String(camera), f});
        }
    }
    return lista;
}

namespace
{

// What a row says of a camera whose picture is still expected.
const QString textoPendente = QStringLiteral("aguardando a câmera");

// Writes one snapshot; the text the row keeps for it.
QString gravaFoto(const QString& pastaDados, qint64 numero, int lado, const FotoCamera& foto,
                  QStringList* arquivos)
{
    if (foto.pendente) {
        return QStringLiteral("%1: %2").arg(foto.camera, textoPendente);
    }
    if (foto.jpeg.isEmpty()) {
        return QStringLiteral("%1: %2").arg(foto.camera, foto.falha);
    }
    const QString relativo = arquivoFoto(numero, lado, foto.camera);
    const QString caminho = QDir(pastaDados).filePath(relativo);
    QSaveFile f(caminho);
    QString erro;
    if (!QDir().mkpath(QFileInfo(caminho).absolutePath())) {
        erro = QStringLiteral("pasta não pode ser criada");
    } else if (!f.open(QIODevice::WriteOnly) || f.write(foto.jpeg) != foto.jpeg.size() || !f.commit()) {
        erro = f.errorString();
    }
    if (!erro.isEmpty()) {
        return QStringLiteral("%1: foto não gravada em %2 (%3)").arg(foto.camera, relativo, erro);
    }
    if (arquivos) {
        *arquivos << caminho;
    }
    return QStringLiteral("%1: %2").arg(foto.camera, relativo);
}

} // namespace

void grava(TDM& dm, qint64 numero, int lado, const EvidenciaPesagem& ev, const QString& pastaDados,
           QStringList* arquivos)
{
    QStringList cameras;
    for (const FotoCamera& foto : ev.fotos) {
        cameras << gravaFoto(pastaDados, numero, lado, foto, arquivos);
    }
    // The side's row, replaced when the side is saved again (one statement on both engines).
    TQuery q(&dm, QStringLiteral("QR_Evidencia"));
    q.Add(QStringLiteral(
        "INSERT INTO PESAGEMEVIDENCIA (PES_CODIGO, EVI_LADO, EVI_MANUAL, EVI_PESO, EVI_QUADRO,"));
    q.Add(QStringLiteral("EVI_MODELO, EVI_INTERFACE, EVI_PORTA, EVI_ESTAVELMS, EVI_ESTACAO, EVI_USUARIO,"));
    q.Add(QStringLiteral("EVI_DATAHORA, EVI_CAMERAS, EVI_PLACALIDA, EVI_PLACACONFIANCA, EVI_PLACAFOTO, "
                         "EVI_PLACAACEITA) VALUES (:pes, :lado, :manual, :peso, :quadro, :modelo,"));
    q.Add(QStringLiteral(":interface, :porta, :estavel, :estacao, :usuario, :dh, :cameras, :placa, "
                         ":confianca, :placafoto, :aceita)"));
    q.Add(QStringLiteral("ON CONFLICT (PES_CODIGO, EVI_LADO) DO UPDATE SET EVI_MANUAL=excluded.EVI_MANUAL,"));
    q.Add(QStringLiteral("EVI_PESO=excluded.EVI_PESO, EVI_QUADRO=excluded.EVI_QUADRO,"));
    q.Add(QStringLiteral("EVI_MODELO=excluded.EVI_MODELO, EVI_INTERFACE=excluded.EVI_INTERFACE,"));
    q.Add(QStringLiteral("EVI_PORTA=excluded.EVI_PORTA, EVI_ESTAVELMS=excluded.EVI_ESTAVELMS,"));
    q.Add(QStringLiteral("EVI_ESTACAO=excluded.EVI_ESTACAO, EVI_USUARIO=excluded.EVI_USUARIO,"));
    q.Add(QStringLiteral("EVI_DATAHORA=excluded.EVI_DATAHORA, EVI_CAMERAS=excluded.EVI_CAMERAS,"));
    q.Add(QStringLiteral(
        "EVI_PLACALIDA=excluded.EVI_PLACALIDA, EVI_PLACACONFIANCA=excluded.EVI_PLACACONFIANCA,"));
    q.Add(QStringLiteral("EVI_PLACAFOTO=excluded.EVI_PLACAFOTO, EVI_PLACAACEITA=excluded.EVI_PLACAACEITA"));
    const QVariant nulo{QMetaType(QMetaType::QString)};
    q.setParam(QStringLiteral("pes"), numero);
    q.setParam(QStringLiteral("lado"), lado);
    q.setParam(QStringLiteral("manual"), ev.manual ? 1 : 0);
    q.setParam(QStringLiteral("peso"), ValoresSql::numero(ev.peso));
    q.setParam(QStringLiteral("quadro"),
               ev.manual ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(ev.quadro));
    q.setParam(QStringLiteral("modelo"), ev.manual ? nulo : QVariant(ev.modelo));
    q.setParam(QStringLiteral("interface"), ev.manual ? nulo : QVariant(ev.interface));
    q.setParam(QStringLiteral("porta"), ev.manual ? nulo : QVariant(ev.porta));
    q.setParam(QStringLiteral("estavel"),
               ev.manual ? QVariant(QMetaType(QMetaType::LongLong)) : ev.estavelMs);
    q.setParam(QStringLiteral("estacao"), Auditoria::estacao());
    q.setParam(QStringLiteral("usuario"), ev.usuario.trimmed());
    q.setParam(QStringLiteral("dh"), Relogio::agora().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")));
    q.setParam(QStringLiteral("cameras"),
               cameras.isEmpty() ? nulo : QVariant(cameras.join(QStringLiteral("; "))));
    const std::optional<PlacaLida>& lida = ev.placaLida;
    q.setParam(QStringLiteral("placa"), lida && !lida->placa.isEmpty() ? QVariant(lida->placa) : nulo);
    q.setParam(QStringLiteral("confianca"), lida ? QVariant(QString::number(lida->confianca, 'f', 4)) : nulo);
    q.setParam(QStringLiteral("placafoto"), lida ? QVariant(lida->foto) : nulo);
    q.setParam(QStringLiteral("aceita"), lida && !lida->placa.isEmpty()
                                             ? QVariant(lida->aceita ? 1 : 0)
                                             : QVariant(QMetaType(QMetaType::Int)));
    q.ExecSQL();
}

bool completaFotos(TDM& dm, qint64 numero, int lado, const QList<FotoCamera>& fotos,
                   const QString& pastaDados)
{
    Transacao tr(&dm, true);
    FotosDaGravacao gravadas;
    TQuery q(&dm, QStringLiteral("QR_Evidencia"));
    q.Add(QStringLiteral("Select EVI_CAMERAS, EVI_ESTACAO from PESAGEMEVIDENCIA"));
    q.Add(QStringLiteral("where PES_CODIGO=:pes and EVI_LADO=:lado"));
    q.setParam(QStringLiteral("pes"), numero);
    q.setParam(QStringLiteral("lado"), lado);
    q.Open();
    const bool minha = !q.IsEmpty() && q.AsString(QStringLiteral("EVI_ESTACAO")) == Auditoria::estacao() &&
                       q.AsString(QStringLiteral("EVI_CAMERAS")).contains(textoPendente);
    q.Close();
    if (!minha) {
        return false; // saved again, or deleted, since
    }
    QStringList cameras;
    for (const FotoCamera& foto : fotos) {
        cameras << gravaFoto(pastaDados, numero, lado, foto, gravadas.lista());
    }
    q.Clear();
    q.Add(QStringLiteral("Update PESAGEMEVIDENCIA set EVI_CAMERAS=:cameras"));
    q.Add(QStringLiteral("where PES_CODIGO=:pes and EVI_LADO=:lado"));
    q.setParam(QStringLiteral("cameras"), cameras.join(QStringLiteral("; ")));
    q.setParam(QStringLiteral("pes"), numero);
    q.setParam(QStringLiteral("lado"), lado);
    q.ExecSQL();
    tr.commit();
    gravadas.confirma();
    return true;
}

FotosDaGravacao::~FotosDaGravacao()
{
    for (const QString& f : m_arquivos) {
        QFile::remove(f);
    }
}

Linha le(TDM& dm, qint64 numero, int lado)
{
    TQuery q(&dm, QStringLiteral("QR_Evidencia"));
    q.Add(QStringLiteral("Select * from PESAGEMEVIDENCIA where PES_CODIGO=:pes and EVI_LADO=:lado"));
    q.setParam(QStringLiteral("pes"), numero);
    q.setParam(QStringLiteral("lado"), lado);
    q.Open();
    Linha l;
    if (q.IsEmpty()) {
        return l;
    }
    l.existe = true;
    l.manual = q.AsInteger(QStringLiteral("EVI_MANUAL")) == 1;
    l.peso = q.IsNull(QStringLiteral("EVI_PESO")) ? QString()
                                                  : q.AsDecimal(QStringLiteral("EVI_PESO")).toShortString();
    l.quadro = q.FieldByName(QStringLiteral("EVI_QUADRO")).toByteArray();
    l.modelo = q.AsString(QStringLiteral("EVI_MODELO"));
    l.interface = q.AsString(QStringLiteral("EVI_INTERFACE"));
    l.porta = q.AsString(QStringLiteral("EVI_PORTA"));
    l.estavelMs =
        q.IsNull(QStringLiteral("EVI_ESTAVELMS")) ? 0 : q.AsLargeInt(QStringLiteral("EVI_ESTAVELMS"));
    l.estacao = q.AsString(QStringLiteral("EVI_ESTACAO"));
    l.usuario = q.AsString(QStringLiteral("EVI_USUARIO"));
    l.dataHora = q.AsString(QStringLiteral("EVI_DATAHORA"));
    l.cameras = q.AsString(QStringLiteral("EVI_CAMERAS"));
    if (!q.IsNull(QStringLiteral("EVI_PLACAFOTO"))) {
        PlacaLida p;
        p.placa = q.AsString(QStringLiteral("EVI_PLACALIDA"));
        p.confianca = q.AsDecimal(QStringLiteral("EVI_PLACACONFIANCA")).toDouble();
        p.foto = q.AsString(QStringLiteral("EVI_PLACAFOTO"));
        p.aceita = q.AsInteger(QStringLiteral("EVI_PLACAACEITA")) == 1;
        l.placaLida = p;
    }
    return l;
}

} // namespace Evidencia
