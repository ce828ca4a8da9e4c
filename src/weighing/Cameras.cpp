// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cameras.h"

#include "ArquivoIni.h"

#include <QBuffer>
#include <QImage>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <mutex>

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

// The picture of a sample as JPEG; empty when it cannot be converted.
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

QString semImagem(const QString& erro)
{
    return QStringLiteral("câmera sem imagem (%1)").arg(erro);
}

} // namespace

// One camera's pipeline. Its callbacks run in GStreamer's threads; what they
// share with the user-interface thread is behind `trava`, and what they find
// is handed over with a queued call to the owner.
struct Cameras::Fluxo {
    Cameras* dono = nullptr;
    int indice = 0;
    QString nome;
    GstElement* pipeline = nullptr;
    GstAppSink* sink = nullptr;

    std::mutex trava;
    QString erro;                // the pipeline failed: why (no picture will come)
    std::vector<int> aguardando; // requests waiting for this camera's next picture

    ~Fluxo()
    {
        if (pipeline) {
            // Stops the streaming threads: no callback runs after this.
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(sink);
            gst_object_unref(pipeline);
        }
    }

    // The error, or the request registered for the next picture.
    QString aguarda(int pedido)
    {
        std::lock_guard<std::mutex> l(trava);
        if (erro.isEmpty()) {
            aguardando.push_back(pedido);
        }
        return erro;
    }
    void desiste(int pedido)
    {
        std::lock_guard<std::mutex> l(trava);
        std::erase(aguardando, pedido);
    }

    void entrega(const std::vector<int>& pedidos, const QByteArray& foto, const QString& falha)
    {
        if (pedidos.empty()) {
            return;
        }
        QMetaObject::invokeMethod(
            dono,
            [d = dono, i = indice, pedidos, foto, falha] {
                for (int p : pedidos) {
                    d->chegou(p, i, foto, falha);
                }
            },
            Qt::QueuedConnection);
    }

    // Every picture is taken off the sink as it comes (only the newest one is
    // kept by the pipeline anyway); it is encoded only when a request waits.
    static GstFlowReturn novaAmostra(GstAppSink* sink, gpointer dados)
    {
        auto* f = static_cast<Fluxo*>(dados);
        GstSample* amostra = gst_app_sink_pull_sample(sink);
        if (!amostra) {
            return GST_FLOW_OK;
        }
        std::vector<int> pedidos;
        {
            std::lock_guard<std::mutex> l(f->trava);
            pedidos.swap(f->aguardando);
        }
        if (!pedidos.empty()) {
            const QByteArray foto = jpeg(amostra);
            f->entrega(pedidos, foto,
                       foto.isEmpty() ? QStringLiteral("imagem da câmera não pôde ser convertida")
                                      : QString());
        }
        gst_sample_unref(amostra);
        return GST_FLOW_OK;
    }

    // The pipeline's messages, in the thread that posts them: an error ends
    // the camera's waiting requests at once; nothing is left on the bus.
    static GstBusSyncReply mensagem(GstBus*, GstMessage* m, gpointer dados)
    {
        if (GST_MESSAGE_TYPE(m) == GST_MESSAGE_ERROR) {
            auto* f = static_cast<Fluxo*>(dados);
            const QString texto = textoErro(m);
            std::vector<int> pedidos;
            {
                std::lock_guard<std::mutex> l(f->trava);
                if (f->erro.isEmpty()) {
                    f->erro = texto.isEmpty() ? QStringLiteral("erro da câmera") : texto;
                }
                pedidos.swap(f->aguardando);
            }
            f->entrega(pedidos, {}, semImagem(texto));
        }
        gst_message_unref(m);
        return GST_BUS_DROP;
    }
};

QList<Cameras::Camera> Cameras::doIni(const QString& arquivoIni, QString* erro)
{
    const ArquivoIni ini(arquivoIni);
    QList<Camera> lista;
    QStringList erros;
    for (const char* nome : {"Frente", "Traseira"}) {
        const QString origem = ini.valor(QStringLiteral("cameras"), QLatin1String(nome)).toString().trimmed();
        if (origem.isEmpty()) {
            continue;
        }
        if (fonte(origem).isEmpty()) {
            erros << QStringLiteral("Câmera %1 inválida em viga.ini: \"%2\" não é um dispositivo /dev/video, "
                                    "um endereço rtsp:// nem o caminho completo de uma foto .jpg ou .png.")
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
    // A still picture stands for a camera that always sees the same truck
    // (training, tests); the picture is read again each time it is asked for.
    const QString extensao = o.section(u'.', -1).toLower();
    if (o.startsWith(u'/') && !o.contains(u'"') &&
        (extensao == QLatin1String("jpg") || extensao == QLatin1String("jpeg") ||
         extensao == QLatin1String("png"))) {
        return QStringLiteral("filesrc location=%1 ! decodebin ! imagefreeze is-live=true").arg(aspas(o));
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

Cameras::Cameras(const QList<Camera>& cameras, int esperaMs, QObject* parent)
    : QObject(parent), m_esperaMs(esperaMs)
{
    QString erroInicio;
    const bool gst = iniciaGStreamer(&erroInicio);
    for (const Camera& c : cameras) {
        auto f = std::make_unique<Fluxo>();
        f->dono = this;
        f->indice = int(m_fluxos.size());
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
                GstBus* bus = gst_element_get_bus(p);
                gst_bus_set_sync_handler(bus, &Fluxo::mensagem, f.get(), nullptr);
                gst_object_unref(bus);
                GstAppSinkCallbacks chamadas{};
                chamadas.new_sample = &Fluxo::novaAmostra;
                gst_app_sink_set_callbacks(f->sink, &chamadas, f.get(), nullptr);
                if (gst_element_set_state(p, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
                    std::lock_guard<std::mutex> l(f->trava);
                    if (f->erro.isEmpty()) {
                        f->erro = QStringLiteral("a câmera não abriu");
                    }
                }
            }
        }
        m_fluxos.push_back(std::move(f));
    }
}

Cameras::~Cameras()
{
    // The pipelines stop before this object goes: no picture is handed to it after.
    m_fluxos.clear();
}

bool Cameras::vazio() const
{
    return m_fluxos.empty();
}

int Cameras::pede()
{
    const int pedido = ++m_ultimoPedido;
    Pedido& p = m_pedidos[pedido];
    bool espera = false;
    for (const auto& f : m_fluxos) {
        FotoCamera foto;
        foto.camera = f->nome;
        if (const QString erro = f->aguarda(pedido); !erro.isEmpty()) {
            foto.falha = semImagem(erro);
        } else {
            foto.pendente = true;
            espera = true;
        }
        p.fotos << foto;
    }
    if (espera) {
        p.prazo = new QTimer(this);
        p.prazo->setSingleShot(true);
        connect(p.prazo, &QTimer::timeout, this, [this, pedido] { prazoEsgotado(pedido); });
        p.prazo->start(m_esperaMs);
    }
    return pedido;
}

QList<FotoCamera> Cameras::fotos(int pedido) const
{
    return m_pedidos.value(pedido).fotos;
}

bool Cameras::pendente(int pedido) const
{
    const auto it = m_pedidos.constFind(pedido);
    return it != m_pedidos.cend() &&
           std::any_of(it->fotos.cbegin(), it->fotos.cend(), [](const FotoCamera& f) { return f.pendente; });
}

void Cameras::aoConcluir(int pedido, Pronto pronto)
{
    const auto it = m_pedidos.find(pedido);
    if (it == m_pedidos.end()) {
        return;
    }
    it->pronto = std::move(pronto);
    if (!pendente(pedido)) {
        conclui(pedido);
    }
}

void Cameras::esquece(int pedido)
{
    const auto it = m_pedidos.find(pedido);
    if (it == m_pedidos.end()) {
        return;
    }
    for (const auto& f : m_fluxos) {
        f->desiste(pedido);
    }
    delete it->prazo;
    m_pedidos.erase(it);
}

void Cameras::chegou(int pedido, int indice, const QByteArray& jpeg, const QString& falha)
{
    const auto it = m_pedidos.find(pedido);
    if (it == m_pedidos.end() || indice >= it->fotos.size() || !it->fotos[indice].pendente) {
        return; // given up already
    }
    FotoCamera& foto = it->fotos[indice];
    foto.pendente = false;
    foto.jpeg = jpeg;
    foto.falha = falha;
    if (!pendente(pedido)) {
        conclui(pedido);
    }
}

void Cameras::prazoEsgotado(int pedido)
{
    const auto it = m_pedidos.find(pedido);
    if (it == m_pedidos.end()) {
        return;
    }
    for (const auto& f : m_fluxos) {
        f->desiste(pedido);
    }
    for (FotoCamera& foto : it->fotos) {
        if (foto.pendente) {
            foto.pendente = false;
            foto.falha = QStringLiteral("câmera não respondeu em %1 s")
                             .arg(QString::number(m_esperaMs / 1000.0).replace(u'.', u','));
        }
    }
    conclui(pedido);
}

void Cameras::conclui(int pedido)
{
    const auto it = m_pedidos.find(pedido);
    if (it == m_pedidos.end()) {
        return;
    }
    if (it->prazo) {
        it->prazo->stop();
        it->prazo->deleteLater();
        it->prazo = nullptr;
    }
    if (!it->pronto) {
        return; // kept until the caller asks for it
    }
    // Forgotten before the caller runs: what it does (a message box, another
    // save) may come back here.
    const Pronto pronto = std::move(it->pronto);
    const QList<FotoCamera> fotos = it->fotos;
    m_pedidos.erase(it);
    pronto(fotos);
    if (m_encerrar && m_pedidos.isEmpty()) {
        deleteLater();
    }
}

void Cameras::encerraQuandoLivre(std::unique_ptr<Cameras> cameras)
{
    if (!cameras) {
        return;
    }
    Cameras* c = cameras.release();
    c->setParent(nullptr);
    c->m_encerrar = true;
    for (const int pedido : c->m_pedidos.keys()) {
        if (!c->m_pedidos[pedido].pronto) {
            c->esquece(pedido); // nobody waits for it
        }
    }
    if (c->m_pedidos.isEmpty()) {
        delete c;
    }
}
