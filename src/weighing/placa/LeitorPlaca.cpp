// SPDX-License-Identifier: GPL-3.0-or-later
#include "LeitorPlaca.h"

#include "FormatoPlaca.h"

#include <QFile>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <array>
#include <vector>

namespace
{

// Pictures are searched at this width at most (a gate camera's 1280 x 720).
constexpr int larguraBusca = 1280;
// Regions searched per picture, the largest first.
constexpr size_t maximoRegioes = 6;
// The characters' height the line is read at.
constexpr int alturaLeitura = 48;
// How much wider than drawn the characters are read.
constexpr double alargamento = 1.3;
// Look-alikes a reading may have settled and still be a plate.
constexpr int maximoTrocas = 2;

QString limpo(const QString& lido)
{
    QString s;
    for (QChar c : lido) {
        if (c.isLetterOrNumber()) s += c;
    }
    return s;
}

struct Caractere {
    cv::Rect caixa;
    int rotulo;
};

// Regions of dark, closely spaced vertical strokes on a lighter ground:
// what a line of plate characters looks like, and little else in a truck's
// front (grille bars are wide, lamps and paint are light or flat).
std::vector<cv::RotatedRect> regioes(const cv::Mat& cinza)
{
    cv::Mat bh;
    cv::morphologyEx(cinza, bh, cv::MORPH_BLACKHAT, cv::getStructuringElement(cv::MORPH_RECT, {15, 7}));
    cv::Mat gx;
    cv::Sobel(bh, gx, CV_32F, 1, 0, 3);
    gx = cv::abs(gx);
    double maior = 0;
    cv::minMaxLoc(gx, nullptr, &maior);
    if (maior <= 0) return {};
    cv::Mat g8;
    gx.convertTo(g8, CV_8U, 255.0 / maior);
    cv::GaussianBlur(g8, g8, {5, 5}, 0);
    cv::morphologyEx(g8, g8, cv::MORPH_CLOSE, cv::getStructuringElement(cv::MORPH_RECT, {21, 5}));
    cv::Mat bin;
    cv::threshold(g8, bin, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    cv::erode(bin, bin, cv::Mat(), {-1, -1}, 2);
    cv::dilate(bin, bin, cv::Mat(), {-1, -1}, 3);
    std::vector<std::vector<cv::Point>> contornos;
    cv::findContours(bin, contornos, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    std::vector<std::pair<double, cv::RotatedRect>> r;
    for (const auto& c : contornos) {
        const cv::RotatedRect rr = cv::minAreaRect(c);
        const double w = std::max(rr.size.width, rr.size.height);
        const double h = std::min(rr.size.width, rr.size.height);
        if (w < 50 || h < 10 || w / h < 1.8 || w / h > 9) continue;
        r.emplace_back(w * h, rr);
    }
    std::sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<cv::RotatedRect> saida;
    for (size_t i = 0; i < r.size() && i < maximoRegioes; ++i)
        saida.push_back(r[i].second);
    return saida;
}

// The region's corners, top-left first and clockwise, the long side level.
std::array<cv::Point2f, 4> cantos(const cv::RotatedRect& rr, double margemX, double margemY)
{
    cv::RotatedRect e = rr;
    if (e.size.width < e.size.height) {
        std::swap(e.size.width, e.size.height);
        e.angle += 90;
    }
    e.size.width = float(e.size.width * (1 + 2 * margemX));
    e.size.height = float(e.size.height * (1 + 2 * margemY));
    std::array<cv::Point2f, 4> p;
    e.points(p.data());
    // order by the level axis: the two leftmost, then top before bottom
    std::sort(p.begin(), p.end(), [](const cv::Point2f& a, const cv::Point2f& b) { return a.x < b.x; });
    if (p[0].y > p[1].y) std::swap(p[0], p[1]);
    if (p[2].y > p[3].y) std::swap(p[2], p[3]);
    return {p[0], p[2], p[3], p[1]};
}

cv::Mat retifica(const cv::Mat& imagem, const std::array<cv::Point2f, 4>& c, int altura)
{
    const double w = cv::norm(c[1] - c[0]), h = cv::norm(c[3] - c[0]);
    if (w < 1 || h < 1) return {};
    const int largura = std::max(1, int(altura * w / h));
    const std::array<cv::Point2f, 4> destino = {cv::Point2f(0, 0), cv::Point2f(float(largura), 0),
                                                cv::Point2f(float(largura), float(altura)),
                                                cv::Point2f(0, float(altura))};
    cv::Mat saida;
    cv::warpPerspective(imagem, saida, cv::getPerspectiveTransform(c.data(), destino.data()),
                        {largura, altura}, cv::INTER_LINEAR, cv::BORDER_REPLICATE);
    return saida;
}

// The characters of a rectified region: dark marks of one height on one line.
struct Linha {
    std::vector<Caractere> caracteres;
    cv::Mat rotulos;
    bool hifen = false; // a short level mark between the third and fourth: the old grey plate
};

// The ways a region is split into ink and ground, tried in turn until one
// gives seven characters: one threshold for the whole region; a threshold
// of each neighbourhood (glare, shadow, night lamps); the first again with
// the ink thinned (blur joins neighbouring characters).
constexpr int maneirasDeSeparar = 3;

Linha separa(const cv::Mat& cinza, int maneira)
{
    cv::Mat bin;
    if (maneira == 1) {
        cv::adaptiveThreshold(cinza, bin, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY_INV,
                              (cinza.rows / 3) | 1, 8);
    } else {
        cv::threshold(cinza, bin, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
        if (maneira == 2) cv::erode(bin, bin, cv::getStructuringElement(cv::MORPH_RECT, {3, 3}));
    }
    // The plate's frame and the edges around it are long level lines that
    // would join the characters they touch: taken out.
    cv::Mat linhas;
    cv::morphologyEx(bin, linhas, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, {cinza.cols / 5, 1}));
    bin -= linhas;
    Linha l;
    cv::Mat stats, centros;
    const int n = cv::connectedComponentsWithStats(bin, l.rotulos, stats, centros, 8, CV_32S);
    const int H = cinza.rows, W = cinza.cols;
    std::vector<Caractere> todos;
    for (int i = 1; i < n; ++i) {
        const cv::Rect r(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                         stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
        if (r.height < H * 0.25 || r.height > H * 0.95 || r.width > W * 0.2 || r.width < 2) continue;
        if (r.height < r.width * 0.9 || r.height > r.width * 12) continue;
        todos.push_back({r, i});
    }
    if (todos.size() < 6) return l;
    std::vector<int> alturas;
    for (const auto& c : todos)
        alturas.push_back(c.caixa.height);
    std::nth_element(alturas.begin(), alturas.begin() + long(alturas.size() / 2), alturas.end());
    const int mediana = alturas[alturas.size() / 2];
    std::vector<int> meios;
    for (const auto& c : todos) {
        if (std::abs(c.caixa.height - mediana) <= mediana * 0.2)
            meios.push_back(c.caixa.y + c.caixa.height / 2);
    }
    if (meios.empty()) return l;
    std::nth_element(meios.begin(), meios.begin() + long(meios.size() / 2), meios.end());
    const int meio = meios[meios.size() / 2];
    for (const auto& c : todos) {
        if (std::abs(c.caixa.height - mediana) <= mediana * 0.2 &&
            std::abs(c.caixa.y + c.caixa.height / 2 - meio) <= mediana * 0.25) {
            l.caracteres.push_back(c);
        }
    }
    std::sort(l.caracteres.begin(), l.caracteres.end(),
              [](const Caractere& a, const Caractere& b) { return a.caixa.x < b.caixa.x; });
    if (l.caracteres.size() == 7) {
        const int de = l.caracteres[2].caixa.br().x, ate = l.caracteres[3].caixa.x;
        for (int i = 1; i < n; ++i) {
            const int x = stats.at<int>(i, cv::CC_STAT_LEFT), y = stats.at<int>(i, cv::CC_STAT_TOP);
            const int w = stats.at<int>(i, cv::CC_STAT_WIDTH), h = stats.at<int>(i, cv::CC_STAT_HEIGHT);
            if (x >= de && x + w <= ate + 1 && w > h && h < mediana * 0.3 &&
                std::abs(y + h / 2 - meio) < mediana * 0.3) {
                l.hifen = true;
            }
        }
    }
    return l;
}

// One character alone, black on white, at the height it is read at and
// somewhat wider than the narrow plate fonts draw it.
cv::Mat caractere(const Linha& l, const Caractere& c)
{
    cv::Mat saida(c.caixa.size(), CV_8U, cv::Scalar(255));
    saida.setTo(0, l.rotulos(c.caixa) == c.rotulo);
    const double escala = double(alturaLeitura) / std::max(1, c.caixa.height);
    cv::resize(saida, saida, cv::Size(std::max(1, int(c.caixa.width * escala * alargamento)), alturaLeitura),
               0, 0, cv::INTER_CUBIC);
    cv::threshold(saida, saida, 127, 255, cv::THRESH_BINARY);
    return saida;
}

// The line again from its characters alone, each widened and set apart by
// a fixed gap: the narrow, tightly set plate fonts read as ordinary print.
cv::Mat linhaLimpa(const Linha& l)
{
    const int vao = alturaLeitura / 4, borda = 16;
    std::vector<cv::Mat> partes;
    int largura = 2 * borda;
    for (const Caractere& c : l.caracteres) {
        partes.push_back(caractere(l, c));
        largura += partes.back().cols + vao;
    }
    cv::Mat saida(alturaLeitura + 2 * borda, largura, CV_8U, cv::Scalar(255));
    int x = borda;
    for (const cv::Mat& p : partes) {
        p.copyTo(saida(cv::Rect(x, borda, p.cols, p.rows)));
        x += p.cols + vao;
    }
    return saida;
}

// A blue band right above the characters: the Mercosul plate.
bool faixaAzul(const cv::Mat& cor, const Linha& l)
{
    cv::Rect todo = l.caracteres.front().caixa;
    for (const auto& c : l.caracteres)
        todo |= c.caixa;
    const int h = std::max(2, todo.height / 3);
    cv::Rect faixa(todo.x, todo.y - todo.height / 10 - h, todo.width, h);
    faixa &= cv::Rect(0, 0, cor.cols, cor.rows);
    if (faixa.area() < 8) return false;
    cv::Mat hsv;
    cv::cvtColor(cor(faixa), hsv, cv::COLOR_BGR2HSV);
    cv::Mat azul;
    cv::inRange(hsv, cv::Scalar(95, 70, 30), cv::Scalar(135, 255, 255), azul);
    return cv::countNonZero(azul) > faixa.area() * 0.35;
}

} // namespace

struct LeitorPlaca::Dados {
    tesseract::TessBaseAPI ocr;
    bool pronto = false;
    QString erro;
    double limiar = LeitorPlaca::limiarPadrao;

    LeituraPlaca le(const cv::Mat& imagem);
    LeituraPlaca leRegiao(const cv::Mat& cor, const cv::Mat& cinza, const cv::RotatedRect& rr);
};

LeitorPlaca::LeitorPlaca() : d(std::make_unique<Dados>())
{
    // No dictionary: a plate is no word.
    const std::vector<std::string> nomes = {"load_system_dawg", "load_freq_dawg"};
    const std::vector<std::string> valores = {"0", "0"};
    if (d->ocr.Init(nullptr, "eng", tesseract::OEM_LSTM_ONLY, nullptr, 0, &nomes, &valores, false) != 0) {
        d->erro = QStringLiteral("Não foi possível carregar o leitor de caracteres (Tesseract, idioma eng).");
        return;
    }
    d->ocr.SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    d->ocr.SetVariable("tessedit_char_whitelist", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    d->pronto = true;
}

LeitorPlaca::~LeitorPlaca()
{
    if (d->pronto) d->ocr.End();
}

bool LeitorPlaca::pronto() const
{
    return d->pronto;
}

QString LeitorPlaca::erro() const
{
    return d->erro;
}

void LeitorPlaca::setLimiar(double limiar)
{
    d->limiar = limiar;
}

LeituraPlaca LeitorPlaca::lerArquivo(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly)) {
        d->erro = QStringLiteral("Não foi possível abrir a foto %1: %2").arg(arquivo, f.errorString());
        return {};
    }
    return lerBytes(f.readAll());
}

LeituraPlaca LeitorPlaca::lerBytes(const QByteArray& bytes)
{
    if (!d->pronto) return {};
    const cv::Mat dados(1, int(bytes.size()), CV_8U, const_cast<char*>(bytes.constData()));
    cv::Mat imagem = bytes.isEmpty() ? cv::Mat() : cv::imdecode(dados, cv::IMREAD_COLOR);
    if (imagem.empty()) {
        d->erro = QStringLiteral("A foto não é uma imagem que se possa ler.");
        return {};
    }
    d->erro.clear();
    return d->le(imagem);
}

LeituraPlaca LeitorPlaca::Dados::le(const cv::Mat& imagem)
{
    cv::Mat cor = imagem;
    if (cor.cols > larguraBusca) {
        const double f = double(larguraBusca) / cor.cols;
        cv::resize(imagem, cor, {}, f, f, cv::INTER_AREA);
    }
    cv::Mat cinza;
    cv::cvtColor(cor, cinza, cv::COLOR_BGR2GRAY);
    LeituraPlaca melhor;
    for (const cv::RotatedRect& rr : regioes(cinza)) {
        const LeituraPlaca l = leRegiao(cor, cinza, rr);
        if (l.achou() && l.confianca > melhor.confianca) melhor = l;
        if (melhor.confianca >= 0.9) break;
    }
    if (melhor.confianca < limiar) return {};
    return melhor;
}

LeituraPlaca LeitorPlaca::Dados::leRegiao(const cv::Mat& cor, const cv::Mat& cinza, const cv::RotatedRect& rr)
{
    const auto c = cantos(rr, 0.08, 0.35);
    const int altura = 96;
    const cv::Mat regiao = retifica(cinza, c, altura);
    if (regiao.empty()) return {};
    Linha linha;
    for (int maneira = 0; maneira < maneirasDeSeparar; ++maneira) {
        Linha l = separa(regiao, maneira);
        const auto distancia = [](const Linha& x) { return std::abs(int(x.caracteres.size()) - 7); };
        if (maneira == 0 || distancia(l) < distancia(linha)) linha = std::move(l);
        if (linha.caracteres.size() == 7) break;
    }
    if (linha.caracteres.size() != 7) return {};
    FormatoPlaca::Tipo tipo = FormatoPlaca::Tipo::Qualquer;
    if (linha.hifen) {
        tipo = FormatoPlaca::Tipo::Antiga;
    } else if (faixaAzul(retifica(cor, c, altura), linha)) {
        tipo = FormatoPlaca::Tipo::Mercosul;
    }
    const cv::Mat texto = linhaLimpa(linha);
    ocr.SetImage(texto.data, texto.cols, texto.rows, 1, int(texto.step));
    std::unique_ptr<char[]> lido(ocr.GetUTF8Text());
    // The line's confidence: its least sure character's (Tesseract keeps no
    // word confidence without a dictionary).
    double menor = 1;
    int simbolos = 0;
    {
        std::unique_ptr<tesseract::ResultIterator> it(ocr.GetIterator());
        if (it) {
            do {
                const double conf = it->Confidence(tesseract::RIL_SYMBOL) / 100.0;
                menor = std::min(menor, conf);
                ++simbolos;
            } while (it->Next(tesseract::RIL_SYMBOL));
        }
    }
    LeituraPlaca l;
    l.lido = QString::fromUtf8(lido.get()).trimmed();
    // Seven characters were separated: a reading of another length has
    // taken a mark for a character or missed one.
    if (simbolos == 0 || limpo(l.lido).size() != 7) return l;
    const double confianca = menor;
    int trocas = 0;
    l.placa = FormatoPlaca::naLeitura(l.lido, tipo, &trocas);
    // More look-alikes settled than this is text that is no plate
    // ("AGRO LOG" would make AGR0L06).
    if (trocas > maximoTrocas) {
        l.placa.clear();
        return l;
    }
    // Each look-alike settled makes the reading less sure.
    l.confianca = l.placa.isEmpty() ? 0 : std::max(0.0, confianca - 0.05 * trocas);
    return l;
}
