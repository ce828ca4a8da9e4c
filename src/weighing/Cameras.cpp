// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cameras.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QSettings>
#include <QUrl>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

namespace
{

bool iniciaGStreamer(QString* erro)
{
    static QString falha;
    static const bool ok = [] {
        GError* e = nullptr;
        if (!gst_init_check(nullptr, nullptr, &e)) {
            falha = e ? QString::fromUtf8(e->message) : QStringLiteral("GStreamer não iniciou");
            g_clear_error(&e);
            return false;
        }
        return true;
    }();
    if (!ok && erro) {
        *erro = falha;
    }
    return ok;
}

// A value quoted for a pipeline description.
QString aspas(const QString& s)
{
    QString r = s;
    r.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + r + u'"';
}

QString textoErro(GstMessage* m)
{
    GError* e = nullptr;
    gst_message_parse_error(m, &e, nullptr);
    const QString t = e ? QString::fromUtf8(e->message) : QString();
    g_clear_error(&e);
    return t;
}

} // namespace

struct Cameras::Fluxo {
    QString nome;
    QString erro; // set when the pipeline could not start
    GstElement* pipeline = nullptr;
    GstAppSink* sink = nullptr;

    ~Fluxo()
    {
        if (pipeline) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(sink);
            gst_object_unref(pipeline);
        }
    }

    // An error the pipeline posted since it started, if any.
    QString erroDoBarramento() const
    {
        if (!pipeline) {
            return QString();
        }
        GstBus* bus = gst_element_get_bus(pipeline);
        QString t;
        while (GstMessage* m = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR)) {
            if (t.isEmpty()) {
                t = textoErro(m);
            }
            gst_message_unref(m);
        }
        gst_object_unref(bus);
        return t;
    }
};

QList<Cameras::Camera> Cameras::doIni(const QString& arquivoIni, QString* erro)
{
    QSettings ini(arquivoIni, QSettings::IniFormat);
    QList<Camera> lista;
    QStringList erros;
    for (const char* nome : {"Frente", "Traseira"}) {
        const QString origem =
            ini.value(QStringLiteral("cameras/") + QLatin1String(nome)).toString().trimmed();
        if (origem.isEmpty()) {
            continue;
        }
        if (fonte(origem).isEmpty()) {
            erros << QStringLiteral(
                         "Câmera %1 inválida em viga.ini: \"%2\" não é um dispositivo /dev/video nem "
                         "um endereço rtsp://.")
                         .arg(QLatin1String(nome), origem);
            continue;
        }
        lista.append({QLatin1String(nome), origem});
    }
    if (erro) {
        *erro = erros.join(u'\n');
    }
    return lista;
}

QString Cameras::fonte(const QString& origem)
{
    const QString o = origem.trimmed();
    if (o.startsWith(QLatin1String("gst:"))) {
        return o.mid(4).trimmed();
    }
    if (o.startsWith(QLatin1String("/dev/")) && !o.contains(u'"') && !o.contains(u' ')) {
        return QStringLiteral("v4l2src device=%1 ! decodebin").arg(aspas(o));
    }
    const QUrl url(o, QUrl::StrictMode);
    const QString esquema = url.scheme().toLower();
    if (url.isValid() && !url.host().isEmpty() &&
        (esquema == QLatin1String("rtsp") || esquema == QLatin1String("rtsps")) && !o.contains(u'"') &&
        !o.contains(u' ')) {
        return QStringLiteral("rtspsrc location=%1 latency=0 ! decodebin").arg(aspas(o));
    }
    return QString();
}

Cameras::Cameras(const QList<Camera>& cameras, int esperaMs) : m_esperaMs(esperaMs)
{
    QString erroInicio;
    const bool gst = iniciaGStreamer(&erroInicio);
    for (const Camera& c : cameras) {
        auto f = std::make_unique<Fluxo>();
        f->nome = c.nome;
        const QString origem = fonte(c.origem);
        if (!gst) {
            f->erro = erroInicio;
        } else if (origem.isEmpty()) {
            f->erro = QStringLiteral("origem inválida");
        } else {
            // Only the newest picture is kept; pictures are converted to RGB
            // and encoded only when a save asks for one.
            const QString descricao =
                origem + QStringLiteral(" ! videoconvert ! video/x-raw,format=RGB ! appsink name=foto "
                                        "max-buffers=1 drop=true sync=false");
            GError* e = nullptr;
            GstElement* p = gst_parse_launch(descricao.toUtf8().constData(), &e);
            if (e) {
                f->erro = QString::fromUtf8(e->message);
                g_clear_error(&e);
                if (p) {
                    gst_object_unref(p);
                }
            } else {
                f->pipeline = p;
                f->sink = GST_APP_SINK(gst_bin_get_by_name(GST_BIN(p), "foto"));
                if (gst_element_set_state(p, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
                    f->erro = f->erroDoBarramento();
                    if (f->erro.isEmpty()) {
                        f->erro = QStringLiteral("a câmera não abriu");
                    }
                }
            }
        }
        m_fluxos.push_back(std::move(f));
    }
}

Cameras::~Cameras() = default;

bool Cameras::vazio() const
{
    return m_fluxos.empty();
}

namespace
{

QByteArray jpeg(GstSample* amostra)
{
    GstVideoInfo info;
    GstBuffer* buffer = gst_sample_get_buffer(amostra);
    if (!buffer || !gst_video_info_from_caps(&info, gst_sample_get_caps(amostra))) {
        return {};
    }
    GstMapInfo mapa;
    if (!gst_buffer_map(buffer, &mapa, GST_MAP_READ)) {
        return {};
    }
    const QImage imagem(mapa.data, GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info),
                        int(GST_VIDEO_INFO_PLANE_STRIDE(&info, 0)), QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer saida(&bytes);
    saida.open(QIODevice::WriteOnly);
    const bool ok = imagem.save(&saida, "JPG", 85);
    gst_buffer_unmap(buffer, &mapa);
    return ok ? bytes : QByteArray();
}

} // namespace

QList<FotoCamera> Cameras::captura()
{
    // A picture already waiting was taken before the save: dropped.
    for (const auto& f : m_fluxos) {
        if (f->sink) {
            if (GstSample* velha = gst_app_sink_try_pull_sample(f->sink, 0)) {
                gst_sample_unref(velha);
            }
        }
    }
    QElapsedTimer relogio;
    relogio.start();
    QList<FotoCamera> fotos;
    for (const auto& f : m_fluxos) {
        FotoCamera foto;
        foto.camera = f->nome;
        if (!f->erro.isEmpty()) {
            foto.falha = QStringLiteral("câmera sem imagem (%1)").arg(f->erro);
            fotos << foto;
            continue;
        }
        const qint64 resta = qMax<qint64>(0, m_esperaMs - relogio.elapsed());
        GstSample* amostra = gst_app_sink_try_pull_sample(f->sink, GstClockTime(resta) * GST_MSECOND);
        if (amostra) {
            foto.jpeg = jpeg(amostra);
            gst_sample_unref(amostra);
            if (foto.jpeg.isEmpty()) {
                foto.falha = QStringLiteral("imagem da câmera não pôde ser convertida");
            }
        } else if (const QString erro = f->erroDoBarramento(); !erro.isEmpty()) {
            f->erro = erro;
            foto.falha = QStringLiteral("câmera sem imagem (%1)").arg(erro);
        } else {
            foto.falha = QStringLiteral("câmera não respondeu em %1 s")
                             .arg(QString::number(m_esperaMs / 1000.0).replace(u'.', u','));
        }
        fotos << foto;
    }
    return fotos;
}
