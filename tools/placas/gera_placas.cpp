// SPDX-License-Identifier: GPL-3.0-or-later
// viga-gera-placas: makes the synthetic evaluation set of the plate reader.
// Truck fronts seen by a gate camera, with a Mercosul or an old grey plate
// (or none), under perspective, blur, noise, glare, dirt or night. The true
// plate is in each file's name: NNNNN_ABC1D23_condicao.jpg, or
// NNNNN_semplaca_condicao.jpg. Every picture depends only on the seed and its
// number, so a set is made again byte for byte on the same fonts.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <array>
#include <cstdio>
#include <random>

namespace
{

const char* const uso = R"(Uso: viga-gera-placas PASTA --semente N --quantidade N [--sem-placa PERCENTUAL]
Gera fotos sintéticas de frentes de caminhão com placas Mercosul e cinzas
antigas (ou sem placa) para avaliar a leitura de placas. O nome de cada
arquivo traz a placa verdadeira: NNNNN_ABC1D23_condicao.jpg, ou
NNNNN_semplaca_condicao.jpg. A mesma semente gera as mesmas fotos.

  --semente N        semente do gerador (inteiro)
  --quantidade N     quantas fotos
  --sem-placa P      percentual de fotos sem placa (padrão 20)
)";

// The Debian fonts the plates are drawn with (fonts-dejavu-core,
// fonts-urw-base35, fonts-liberation2).
const std::array<const char*, 3> fontes = {"DejaVu Sans", "Nimbus Sans Narrow", "Liberation Sans"};

const std::array<const char*, 7> condicoes = {"limpa",   "perspectiva", "desfoque", "ruido",
                                              "reflexo", "sujeira",     "noite"};

const std::array<const char*, 10> cidades = {
    "SAO PAULO - SP", "CURITIBA - PR", "GOIANIA - GO",     "CAMPINAS - SP", "CASCAVEL - PR",
    "RIO VERDE - GO", "SORRISO - MT",  "PASSO FUNDO - RS", "UBERABA - MG",  "DOURADOS - MS"};

const std::array<const char*, 8> letreiros = {
    "TRANSPORTES SILVA", "PORTARIA",    "BALANCA", "VELOCIDADE 10 KM/H",
    "AGRO LOG",          "CARGAS 2024", "ENTRADA", "COOPERATIVA"};

using Gerador = std::mt19937;

double uniforme(Gerador& g, double a, double b)
{
    return std::uniform_real_distribution<double>(a, b)(g);
}

int inteiro(Gerador& g, int a, int b)
{
    return std::uniform_int_distribution<int>(a, b)(g);
}

QColor cor(Gerador& g, int min = 0, int max = 255)
{
    return QColor(inteiro(g, min, max), inteiro(g, min, max), inteiro(g, min, max));
}

QString placaAleatoria(Gerador& g, bool mercosul)
{
    QString p;
    for (int i = 0; i < 3; ++i)
        p += QChar(u'A' + inteiro(g, 0, 25));
    p += QChar(u'0' + inteiro(g, 0, 9));
    p += mercosul ? QChar(u'A' + inteiro(g, 0, 25)) : QChar(u'0' + inteiro(g, 0, 9));
    for (int i = 0; i < 2; ++i)
        p += QChar(u'0' + inteiro(g, 0, 9));
    return p;
}

QFont fonte(const char* familia, int pixels, bool negrito)
{
    QFont f(QString::fromLatin1(familia));
    f.setPixelSize(pixels);
    f.setBold(negrito);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Draws the text filling the rectangle exactly (the plate's letters are
// narrow and tall whatever the font).
void textoNoRetangulo(QPainter& p, const QString& texto, const QFont& f, const QRectF& r, const QColor& c)
{
    QPainterPath caminho;
    caminho.addText(0, 0, f, texto);
    const QRectF b = caminho.boundingRect();
    QTransform t;
    t.translate(r.left(), r.top());
    t.scale(r.width() / b.width(), r.height() / b.height());
    t.translate(-b.left(), -b.top());
    p.fillPath(t.map(caminho), c);
}

// A plate's characters, each centred in its own cell of the rectangle, all
// of one height and one narrowing (the plate fonts are of even width).
void caracteresNasCelulas(QPainter& p, const QString& texto, const QFont& f, const QRectF& r, double folga)
{
    const double celula = r.width() / texto.size();
    double escalaX = 1e9, escalaY = 1e9;
    std::vector<QPainterPath> caminhos;
    for (QChar c : texto) {
        QPainterPath caminho;
        caminho.addText(0, 0, f, QString(c));
        const QRectF b = caminho.boundingRect();
        if (c != u'-') {
            escalaY = std::min(escalaY, r.height() / b.height());
            escalaX = std::min(escalaX, celula * (1 - folga) / b.width());
        }
        caminhos.push_back(caminho);
    }
    escalaX = std::min(escalaX, escalaY);
    for (size_t i = 0; i < caminhos.size(); ++i) {
        const QRectF b = caminhos[i].boundingRect();
        QTransform t;
        const double meio = texto[qsizetype(i)] == u'-' ? r.center().y() : r.bottom() - b.bottom() * escalaY;
        t.translate(r.left() + celula * (double(i) + 0.5) - b.center().x() * escalaX,
                    texto[qsizetype(i)] == u'-' ? meio - b.center().y() * escalaY : meio);
        t.scale(escalaX, escalaY);
        p.fillPath(t.map(caminhos[i]), Qt::black);
    }
}

// A plate, 2 pixels per millimetre (400 x 130 mm).
QImage desenhaPlaca(Gerador& g, const QString& placa, bool mercosul, bool sujeira)
{
    QImage img(800, 260, QImage::Format_RGB888);
    const char* familia = fontes[inteiro(g, 0, int(fontes.size()) - 1)];
    const int cinza = inteiro(g, 165, 200);
    img.fill(mercosul ? QColor(250, 250, 248) : QColor(cinza, cinza, cinza + 3));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (mercosul) {
        p.fillRect(QRectF(0, 0, 800, 62), QColor(0, 51, 153));
        textoNoRetangulo(p, QStringLiteral("BRASIL"), fonte(familia, 60, true), QRectF(320, 14, 160, 34),
                         Qt::white);
        // the flag on the right, the bloc's emblem on the left
        p.fillRect(QRectF(700, 12, 62, 40), QColor(0, 150, 60));
        p.setBrush(QColor(250, 210, 0));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({{706, 32}, {731, 15}, {756, 32}, {731, 49}}));
        p.setBrush(QColor(0, 40, 120));
        p.drawEllipse(QPointF(731, 32), 9, 9);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(60, 31), 18, 18);
        textoNoRetangulo(p, QStringLiteral("BR"), fonte(familia, 40, true), QRectF(28, 190, 40, 26),
                         Qt::black);
        caracteresNasCelulas(p, placa, fonte(familia, 200, true), QRectF(80, 84, 660, 150), 0.18);
    } else {
        textoNoRetangulo(p, QString::fromLatin1(cidades[inteiro(g, 0, int(cidades.size()) - 1)]),
                         fonte(familia, 60, true), QRectF(230, 14, 340, 34), Qt::black);
        caracteresNasCelulas(p, placa.left(3) + QStringLiteral("-") + placa.mid(3), fonte(familia, 200, true),
                             QRectF(36, 70, 728, 160), 0.15);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 8));
    p.drawRoundedRect(QRectF(4, 4, 792, 252), 14, 14);
    if (sujeira) {
        p.setPen(Qt::NoPen);
        const int manchas = inteiro(g, 4, 12);
        for (int i = 0; i < manchas; ++i) {
            QColor c(inteiro(g, 80, 130), inteiro(g, 60, 90), inteiro(g, 30, 60), inteiro(g, 60, 150));
            p.setBrush(c);
            p.drawEllipse(QPointF(uniforme(g, 0, 800), uniforme(g, 60, 260)), uniforme(g, 15, 90),
                          uniforme(g, 8, 40));
        }
        for (int i = 0; i < 300; ++i) {
            p.setBrush(QColor(90, 70, 40, inteiro(g, 80, 200)));
            p.drawEllipse(QPointF(uniforme(g, 0, 800), uniforme(g, 0, 260)), 2, 2);
        }
    }
    p.end();
    return img;
}

cv::Mat paraMat(const QImage& img)
{
    const QImage rgb = img.convertToFormat(QImage::Format_RGB888);
    cv::Mat m(rgb.height(), rgb.width(), CV_8UC3, const_cast<uchar*>(rgb.constBits()),
              size_t(rgb.bytesPerLine()));
    cv::Mat bgr;
    cv::cvtColor(m, bgr, cv::COLOR_RGB2BGR);
    return bgr;
}

struct Caminhao {
    QRectF bumper;
};

// The gate scene and the truck's front, without the plate.
QImage desenhaCena(Gerador& g, Caminhao& c)
{
    QImage img(1280, 720, QImage::Format_RGB888);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ceu(0, 0, 0, 720);
    ceu.setColorAt(0, cor(g, 120, 230));
    ceu.setColorAt(0.55, cor(g, 90, 200));
    ceu.setColorAt(1, cor(g, 50, 110));
    p.fillRect(img.rect(), ceu);
    p.fillRect(QRectF(0, uniforme(g, 480, 560), 1280, 300), QColor(70, 70, 72));
    // buildings, poles and signs around the gate
    const int objetos = inteiro(g, 3, 8);
    for (int i = 0; i < objetos; ++i) {
        p.fillRect(
            QRectF(uniforme(g, -100, 1280), uniforme(g, 0, 500), uniforme(g, 20, 300), uniforme(g, 20, 400)),
            cor(g, 30, 230));
    }
    if (inteiro(g, 0, 1)) {
        const QRectF placaRua(uniforme(g, 0, 1000), uniforme(g, 20, 300), uniforme(g, 160, 320),
                              uniforme(g, 40, 80));
        p.fillRect(placaRua, cor(g, 180, 255));
        textoNoRetangulo(p, QString::fromLatin1(letreiros[inteiro(g, 0, int(letreiros.size()) - 1)]),
                         fonte(fontes[inteiro(g, 0, 2)], 60, true), placaRua.adjusted(8, 8, -8, -8),
                         cor(g, 0, 80));
    }
    // the cab: windscreen, grille, headlights, bumper
    const double largura = uniforme(g, 520, 760);
    const double x = uniforme(g, 640 - largura / 2 - 160, 640 - largura / 2 + 160);
    const double topo = uniforme(g, 20, 90);
    const QColor pintura = cor(g, 20, 240);
    p.setPen(Qt::NoPen);
    p.setBrush(pintura);
    p.drawRoundedRect(QRectF(x, topo, largura, 700 - topo), 30, 30);
    p.setBrush(QColor(inteiro(g, 20, 60), inteiro(g, 30, 70), inteiro(g, 40, 90)));
    p.drawRoundedRect(QRectF(x + 30, topo + 30, largura - 60, uniforme(g, 160, 220)), 20, 20);
    const double grade = topo + uniforme(g, 270, 310);
    const QColor barras = pintura.darker(inteiro(g, 200, 400));
    for (int i = 0; i < inteiro(g, 4, 9); ++i) {
        p.fillRect(QRectF(x + largura * 0.25, grade + i * 18, largura * 0.5, 9), barras);
    }
    if (inteiro(g, 0, 2) == 0) {
        textoNoRetangulo(p, QString::fromLatin1(letreiros[inteiro(g, 0, int(letreiros.size()) - 1)]),
                         fonte(fontes[inteiro(g, 0, 2)], 60, true),
                         QRectF(x + largura * 0.3, grade - 45, largura * 0.4, 28), cor(g, 0, 255));
    }
    p.setBrush(QColor(240, 235, 200));
    p.drawRoundedRect(QRectF(x + 25, grade + 40, largura * 0.16, 50), 10, 10);
    p.drawRoundedRect(QRectF(x + largura * 0.84 - 25, grade + 40, largura * 0.16, 50), 10, 10);
    const double yBumper = uniforme(g, 560, 600);
    c.bumper = QRectF(x, yBumper, largura, 90);
    p.fillRect(c.bumper, QColor(inteiro(g, 25, 70), inteiro(g, 25, 70), inteiro(g, 25, 70)));
    p.end();
    return img;
}

// cv::randn draws from OpenCV's own generator, seeded from ours per picture.
void ruido(cv::Mat& m, double sigma)
{
    cv::Mat n(m.size(), CV_16SC3);
    cv::randn(n, 0, sigma);
    cv::Mat f;
    m.convertTo(f, CV_16SC3);
    f += n;
    f.convertTo(m, CV_8UC3);
}

void brilho(cv::Mat& m, cv::Point2d centro, double raio, double intensidade)
{
    for (int y = std::max(0, int(centro.y - 3 * raio)); y < std::min(m.rows, int(centro.y + 3 * raio)); ++y) {
        auto* linha = m.ptr<cv::Vec3b>(y);
        for (int x = std::max(0, int(centro.x - 3 * raio)); x < std::min(m.cols, int(centro.x + 3 * raio));
             ++x) {
            const double d2 =
                ((x - centro.x) * (x - centro.x) + (y - centro.y) * (y - centro.y)) / (raio * raio);
            const double a = intensidade * std::exp(-d2);
            for (int k = 0; k < 3; ++k)
                linha[x][k] = cv::saturate_cast<uchar>(linha[x][k] + a);
        }
    }
}

// Lays a flat picture (800 x 260) over the scene on the given quadrilateral.
void cola(cv::Mat& cena, const QImage& plano, const std::vector<cv::Point2f>& destino)
{
    const std::vector<cv::Point2f> origem = {{0, 0}, {800, 0}, {800, 260}, {0, 260}};
    const cv::Mat h = cv::getPerspectiveTransform(origem, destino);
    const cv::Mat imagem = paraMat(plano), mascara(imagem.size(), CV_8UC1, cv::Scalar(255));
    cv::Mat warp, warpMascara;
    cv::warpPerspective(imagem, warp, h, cena.size(), cv::INTER_AREA);
    cv::warpPerspective(mascara, warpMascara, h, cena.size(), cv::INTER_AREA);
    warp.copyTo(cena, warpMascara);
}

struct Foto {
    std::vector<uchar> jpeg;
    QString nome;
};

Foto gera(quint32 semente, int numero, int percentualSemPlaca)
{
    std::seed_seq s{semente, quint32(numero)};
    Gerador g(s);
    cv::setRNGSeed(int(g() & 0x7fffffff));
    const QString condicao = QString::fromLatin1(condicoes[inteiro(g, 0, int(condicoes.size()) - 1)]);
    const bool semPlaca = inteiro(g, 0, 99) < percentualSemPlaca;
    const bool mercosul = inteiro(g, 0, 99) < 60;
    const QString placa = placaAleatoria(g, mercosul);
    Caminhao c;
    cv::Mat cena = paraMat(desenhaCena(g, c));

    const double largura =
        condicao == QLatin1String("perspectiva") ? uniforme(g, 110, 220) : uniforme(g, 120, 260);
    const double altura = largura * 130.0 / 400.0;
    const cv::Point2d centro(c.bumper.center().x() + uniforme(g, -0.2, 0.2) * c.bumper.width(),
                             c.bumper.top() + uniforme(g, 10, 60));
    const bool forte = condicao == QLatin1String("perspectiva");
    const double angulo = uniforme(g, -1, 1) * (forte ? 10 : 3) * CV_PI / 180;
    const double guinada = uniforme(g, -1, 1) * (forte ? 0.3 : 0.08); // one side farther than the other
    const double arfagem = uniforme(g, 0, forte ? 0.25 : 0.08);       // the camera above the plate
    std::array<cv::Point2d, 4> cantos = {cv::Point2d(-largura / 2 * (1 - arfagem), -altura / 2),
                                         cv::Point2d(largura / 2 * (1 - arfagem), -altura / 2),
                                         cv::Point2d(largura / 2, altura / 2),
                                         cv::Point2d(-largura / 2, altura / 2)};
    cantos[0].y *= 1 + guinada;
    cantos[3].y *= 1 + guinada;
    cantos[1].y *= 1 - guinada;
    cantos[2].y *= 1 - guinada;
    std::vector<cv::Point2f> destino;
    for (const auto& p : cantos) {
        destino.emplace_back(float(centro.x + p.x * std::cos(angulo) - p.y * std::sin(angulo)),
                             float(centro.y + p.x * std::sin(angulo) + p.y * std::cos(angulo)));
    }
    if (semPlaca) {
        // An empty holder, or a sticker where the plate would be.
        if (inteiro(g, 0, 1)) {
            QImage adesivo(800, 260, QImage::Format_RGB888);
            adesivo.fill(cor(g, 150, 255));
            QPainter p(&adesivo);
            textoNoRetangulo(p, QString::fromLatin1(letreiros[inteiro(g, 0, int(letreiros.size()) - 1)]),
                             fonte(fontes[inteiro(g, 0, 2)], 100, true), QRectF(40, 60, 720, 140),
                             cor(g, 0, 90));
            p.end();
            cola(cena, adesivo, destino);
        }
    } else {
        cola(cena, desenhaPlaca(g, placa, mercosul, condicao == QLatin1String("sujeira")), destino);
    }

    // The conditions, each strong in its own pictures and mild in the others.
    if (condicao == QLatin1String("desfoque")) {
        if (inteiro(g, 0, 1)) {
            const double sigma = uniforme(g, 1.2, 2.4);
            cv::GaussianBlur(cena, cena, cv::Size(0, 0), sigma);
        } else {
            const int n = inteiro(g, 5, 11);
            cv::Mat k = cv::Mat::zeros(n, n, CV_32F);
            k.row(n / 2).setTo(1.0f / float(n));
            cv::filter2D(cena, cena, -1, k);
        }
    } else {
        cv::GaussianBlur(cena, cena, cv::Size(0, 0), uniforme(g, 0.4, 0.9));
    }
    if (condicao == QLatin1String("reflexo")) {
        brilho(cena,
               cv::Point2d(centro.x + uniforme(g, -0.4, 0.4) * largura,
                           centro.y + uniforme(g, -0.3, 0.3) * altura),
               uniforme(g, 0.15, 0.35) * largura, uniforme(g, 90, 170));
    }
    if (condicao == QLatin1String("noite")) {
        cena.convertTo(cena, -1, uniforme(g, 0.2, 0.35), 0);
        // the headlights and the plate's own lamp
        brilho(cena, cv::Point2d(centro.x, centro.y - altura), largura * 0.6, uniforme(g, 20, 50));
        brilho(cena, cv::Point2d(c.bumper.left() + 80, c.bumper.top() - 120), 70, 200);
        brilho(cena, cv::Point2d(c.bumper.right() - 80, c.bumper.top() - 120), 70, 200);
    }
    const double sigma = condicao == QLatin1String("ruido")   ? uniforme(g, 14, 26)
                         : condicao == QLatin1String("noite") ? uniforme(g, 6, 12)
                                                              : uniforme(g, 2, 5);
    ruido(cena, sigma);
    Foto f;
    cv::imencode(".jpg", cena, f.jpeg, {cv::IMWRITE_JPEG_QUALITY, inteiro(g, 70, 92)});
    f.nome = QStringLiteral("%1_%2_%3.jpg")
                 .arg(numero, 5, 10, QLatin1Char('0'))
                 .arg(semPlaca ? QStringLiteral("semplaca") : placa, condicao);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream erros(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) {
        QTextStream(stdout) << uso;
        return 0;
    }
    QString pasta;
    qint64 semente = -1;
    int quantidade = -1;
    int semPlaca = 20;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool temValor = i + 1 < args.size();
        bool ok = true;
        if (a == QLatin1String("--semente") && temValor) {
            semente = args[++i].toLongLong(&ok);
        } else if (a == QLatin1String("--quantidade") && temValor) {
            quantidade = args[++i].toInt(&ok);
        } else if (a == QLatin1String("--sem-placa") && temValor) {
            semPlaca = args[++i].toInt(&ok);
        } else if (!a.startsWith(u'-') && pasta.isEmpty()) {
            pasta = a;
        } else {
            ok = false;
        }
        if (!ok) {
            erros << "viga-gera-placas: argumento inválido: " << a << "\n" << uso;
            return 2;
        }
    }
    if (pasta.isEmpty() || semente < 0 || quantidade < 1 || semPlaca < 0 || semPlaca > 100) {
        erros << uso;
        return 2;
    }
    for (const char* f : fontes) {
        const QFontInfo info(fonte(f, 40, true));
        // Qt names a family with its foundry when two foundries have it ("Nimbus Sans Narrow [urw]").
        if (info.family().section(QStringLiteral(" ["), 0, 0) != QLatin1String(f)) {
            erros << "viga-gera-placas: a fonte \"" << f
                  << "\" não está instalada (scripts/deps.sh instala).\n";
            return 2;
        }
    }
    if (!QDir().mkpath(pasta)) {
        erros << "viga-gera-placas: não foi possível criar a pasta " << pasta << "\n";
        return 2;
    }
    for (int i = 1; i <= quantidade; ++i) {
        const Foto f = gera(quint32(semente), i, semPlaca);
        const std::vector<uchar>& bytes = f.jpeg;
        const QString caminho = QDir(pasta).filePath(f.nome);
        FILE* arq = std::fopen(QFile::encodeName(caminho).constData(), "wb");
        if (!arq || std::fwrite(bytes.data(), 1, bytes.size(), arq) != bytes.size() ||
            std::fclose(arq) != 0) {
            erros << "viga-gera-placas: não foi possível gravar " << caminho << "\n";
            return 2;
        }
    }
    return 0;
}
