// SPDX-License-Identifier: GPL-3.0-or-later
// viga-scale-sim: a scale indicator on a pseudo-terminal (or on a serial device),
// for trying VIGA and testing it without a truck. See Uso() for the options.
#include "ArquivoIni.h"
#include "Indicador.h"
#include "LinhaComando.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace
{

volatile std::sig_atomic_t g_parar = 0;

void AoSinal(int)
{
    g_parar = 1;
}

const char* const kUso = R"USO(Uso: viga-scale-sim [opções]

Simula um indicador de balança rodoviária. Sem --dispositivo, abre um
pseudo-terminal e escreve o caminho dele (ex.: /dev/pts/3) na primeira linha
da saída padrão; mapeie esse caminho para uma porta COM no viga.ini:
    [serial]
    COM1=/dev/pts/3

Quadros:
  --modelo M          ar (padrão), arn5 ("AR-N 5 Dígitos") ou
                      arn6 ("AR-N 6 Dígitos")
  --taxa N            quadros por segundo (padrão 10)
  --baud N            cadência dos bytes como na linha serial, 10 bits por
                      byte (padrão 9600: ~1,04 ms por byte); 0 = sem cadência
  --peso P            peso estável do caminhão (padrão 27340; aceita vírgula)
  --casas N           casas decimais no quadro (padrão 0): no "AR" são as
                      casas implícitas nos seis dígitos (configure a mesma
                      "Divisão Somente(AR)"); no AR-N, os dígitos após o ponto
  --tempo-estavel S   segundos com o peso estável em cada ciclo (padrão 8)
  --negativo          inclui no ciclo um trecho de peso negativo
  --fora-de-faixa     inclui no ciclo um trecho fora de faixa
  --fixo              envia sempre o peso estável (sem o ciclo)
  --demanda           interface "Demanda": um quadro estável por byte recebido
                      (qualquer byte, ex.: ENQ) ou por linha digitada na
                      entrada padrão

Perfil do ciclo: balança vazia (3 s), caminhão entrando (peso em movimento,
5 s), acomodação (3 s), peso estável, caminhão saindo (4 s), e repete.

Destino:
  --dispositivo CAM   escreve num dispositivo existente (porta serial real,
                      outro pseudo-terminal) em vez de criar um; 8N1 na
                      velocidade de --baud (9600 se 0)
  --ini ARQ           grava [serial] COMn=<pseudo-terminal> nesse viga.ini
  --com N             o n de COMn para --ini (padrão 1)

Gravação e reprodução:
  --gravar ARQ        grava o que chega de --dispositivo em ARQ, uma linha por
                      leitura: microssegundos desde o início e os bytes em hex
  --reproduzir ARQ    reenvia uma gravação com o seu ritmo
  --repetir           com --reproduzir, recomeça ao terminar

Parada:
  --quadros N         termina após N quadros
  --duracao S         termina após S segundos
  -h, --help          mostra esta ajuda e termina
  -v, --version       mostra a versão e termina

Ctrl+C (SIGINT) ou SIGTERM encerram.
)USO";

struct Opcoes {
    ConfigIndicador ind;
    bool demanda = false;
    QString dispositivo;
    QString ini;
    int com = 1;
    QString gravar;
    QString reproduzir;
    bool repetir = false;
    long quadros = 0;
    double duracao = 0;
};

[[noreturn]] void Falha(const std::string& msg)
{
    std::fprintf(stderr, "viga-scale-sim: %s\n", msg.c_str());
    std::exit(2);
}

double Numero(const QString& texto, const char* opcao)
{
    QString t = texto;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok) {
        Falha(std::string("valor inválido para ") + opcao + ": " + texto.toStdString());
    }
    return v;
}

Opcoes LeOpcoes(int argc, char** argv)
{
    // The options, each declared once; the help above describes them.
    QCommandLineParser p;
    declaraOpcoes(p, {{"h,help"},
                      {"v,version"},
                      {"modelo", "M"},
                      {"taxa", "N"},
                      {"baud", "N"},
                      {"peso", "P"},
                      {"casas", "N"},
                      {"tempo-estavel", "S"},
                      {"negativo"},
                      {"fora-de-faixa"},
                      {"fixo"},
                      {"demanda"},
                      {"dispositivo", "CAM"},
                      {"ini", "ARQ"},
                      {"com", "N"},
                      {"gravar", "ARQ"},
                      {"reproduzir", "ARQ"},
                      {"repetir"},
                      {"quadros", "N"},
                      {"duracao", "S"}});
    const ErroLinhaComando e = leLinhaComando(p, argumentosDe(argc, argv));
    if (p.isSet(QStringLiteral("help"))) {
        std::fputs(kUso, stdout);
        std::exit(0);
    }
    if (p.isSet(QStringLiteral("version"))) {
        std::printf("viga-scale-sim %s\n", VIGA_VERSION);
        std::exit(0);
    }
    if (e.tipo == ErroLinhaComando::SemValor) {
        Falha("falta o valor de " + e.argumento.toStdString());
    }
    if (e.tipo == ErroLinhaComando::Desconhecida) {
        Falha("opção desconhecida: " + e.argumento.toStdString() + " (veja --help)");
    }
    if (!p.positionalArguments().isEmpty()) {
        Falha("opção desconhecida: " + p.positionalArguments().first().toStdString() + " (veja --help)");
    }
    const auto tem = [&p](const char* nome) { return p.isSet(QLatin1String(nome)); };
    const auto valor = [&p](const char* nome) { return p.value(QLatin1String(nome)); };
    const auto numero = [&](const char* nome) {
        return Numero(valor(nome), (std::string("--") + nome).c_str());
    };
    Opcoes o;
    if (tem("modelo")) {
        const QString m = valor("modelo").toLower();
        if (m == QLatin1String("ar")) {
            o.ind.modelo = ModeloIndicador::AR;
        } else if (m == QLatin1String("arn5")) {
            o.ind.modelo = ModeloIndicador::ARN5;
        } else if (m == QLatin1String("arn6")) {
            o.ind.modelo = ModeloIndicador::ARN6;
        } else {
            Falha("modelo desconhecido: " + m.toStdString() + " (ar, arn5 ou arn6)");
        }
    }
    if (tem("taxa")) {
        o.ind.taxa = numero("taxa");
        if (o.ind.taxa <= 0 || o.ind.taxa > 1000) {
            Falha("--taxa deve estar entre 0 e 1000");
        }
    }
    if (tem("baud")) {
        o.ind.baud = int(numero("baud"));
        if (o.ind.baud < 0) {
            Falha("--baud não pode ser negativo");
        }
    }
    if (tem("peso")) o.ind.peso = numero("peso");
    if (tem("casas")) {
        o.ind.casas = int(numero("casas"));
        if (o.ind.casas < 0 || o.ind.casas > 4) {
            Falha("--casas deve estar entre 0 e 4");
        }
    }
    if (tem("tempo-estavel")) o.ind.tempoEstavel = numero("tempo-estavel");
    o.ind.negativo = tem("negativo");
    o.ind.foraDeFaixa = tem("fora-de-faixa");
    o.ind.fixo = tem("fixo");
    o.demanda = tem("demanda");
    o.dispositivo = valor("dispositivo");
    o.ini = valor("ini");
    if (tem("com")) {
        o.com = int(numero("com"));
        if (o.com < 1 || o.com > 16) {
            Falha("--com deve estar entre 1 e 16");
        }
    }
    o.gravar = valor("gravar");
    o.reproduzir = valor("reproduzir");
    o.repetir = tem("repetir");
    if (tem("quadros")) o.quadros = long(numero("quadros"));
    if (tem("duracao")) o.duracao = numero("duracao");
    if (!o.gravar.isEmpty() && o.dispositivo.isEmpty()) {
        Falha("--gravar precisa de --dispositivo");
    }
    if (!o.ini.isEmpty() && !o.dispositivo.isEmpty()) {
        Falha("--ini só vale para o pseudo-terminal criado pelo simulador");
    }
    return o;
}

double Agora()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void DormeAte(double instante)
{
    timespec t;
    t.tv_sec = time_t(instante);
    t.tv_nsec = long((instante - double(t.tv_sec)) * 1e9);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR && !g_parar) {
    }
}

speed_t Constante(int baud)
{
    switch (baud) {
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return B9600;
    }
}

void ModoBruto(int fd, int baud)
{
    termios t;
    if (tcgetattr(fd, &t) != 0) {
        return;
    }
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (baud > 0) {
        cfsetspeed(&t, Constante(baud));
    }
    tcsetattr(fd, TCSANOW, &t);
}

// Where the frames go: the master side of our pseudo-terminal, or a device.
struct Linha {
    int fd = -1;      // written and read by the simulator
    int escravo = -1; // our own slave descriptor: keeps the terminal up between readers
    std::string caminho;
};

Linha AbreLinha(const Opcoes& o)
{
    Linha l;
    if (!o.dispositivo.isEmpty()) {
        l.caminho = o.dispositivo.toStdString();
        l.fd = ::open(l.caminho.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (l.fd < 0) {
            Falha("não abriu " + l.caminho + ": " + std::strerror(errno));
        }
        ModoBruto(l.fd, o.ind.baud > 0 ? o.ind.baud : 9600);
        return l;
    }
    l.fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (l.fd < 0 || grantpt(l.fd) != 0 || unlockpt(l.fd) != 0) {
        Falha(std::string("não criou o pseudo-terminal: ") + std::strerror(errno));
    }
    const char* nome = ptsname(l.fd);
    if (!nome) {
        Falha("ptsname falhou");
    }
    l.caminho = nome;
    l.escravo = ::open(nome, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (l.escravo < 0) {
        Falha("não abriu " + l.caminho + ": " + std::strerror(errno));
    }
    // No echo or line editing on the terminal until VIGA sets its own line.
    ModoBruto(l.escravo, o.ind.baud);
    fcntl(l.fd, F_SETFL, fcntl(l.fd, F_GETFL) | O_NONBLOCK);
    return l;
}

// Nobody reads the terminal while VIGA has no weighing open: drop what piles up
// (VIGA flushes it on opening anyway) so that our writes never block.
void DescartaAcumulado(const Linha& l)
{
    int n = 0;
    if (l.escravo >= 0 && ioctl(l.escravo, FIONREAD, &n) == 0 && n > 2048) {
        tcflush(l.escravo, TCIFLUSH);
    }
}

// Writes the bytes at the line's pace (10 bits per byte).
void Envia(const Linha& l, const std::string& bytes, int baud)
{
    DescartaAcumulado(l);
    if (baud <= 0) {
        // A full queue (EAGAIN) loses the frame, as a line without a listener would.
        [[maybe_unused]] const ssize_t n = ::write(l.fd, bytes.data(), bytes.size());
        return;
    }
    const double porByte = 10.0 / baud;
    const double inicio = Agora();
    for (size_t i = 0; i < bytes.size() && !g_parar; ++i) {
        DormeAte(inicio + double(i) * porByte);
        if (::write(l.fd, &bytes[i], 1) < 0 && errno != EAGAIN && errno != EINTR) {
            return;
        }
    }
}

// Reads and discards whatever the other side sent; returns how many bytes.
int Drena(int fd)
{
    char buf[256];
    int total = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) {
            break;
        }
        total += int(n);
    }
    return total;
}

std::string Hex(const char* dados, size_t n)
{
    static const char* const d = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(dados[i]);
        s += d[c >> 4];
        s += d[c & 15];
    }
    return s;
}

int Grava(const Opcoes& o, const Linha& l)
{
    std::ofstream saida(o.gravar.toStdString());
    if (!saida) {
        Falha("não criou " + o.gravar.toStdString());
    }
    saida << "# viga-scale-sim: microssegundos bytes-em-hex (" << l.caminho << ")\n";
    const double inicio = Agora();
    char buf[1024];
    while (!g_parar && (o.duracao <= 0 || Agora() - inicio < o.duracao)) {
        pollfd p{l.fd, POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) {
            continue;
        }
        const ssize_t n = ::read(l.fd, buf, sizeof buf);
        if (n > 0) {
            saida << long(((Agora() - inicio) * 1e6)) << ' ' << Hex(buf, size_t(n)) << '\n';
            saida.flush();
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            DormeAte(Agora() + 0.1); // device gone or hung up: keep trying at a calm pace
        }
    }
    return 0;
}

int Reproduz(const Opcoes& o, const Linha& l)
{
    std::ifstream entrada(o.reproduzir.toStdString());
    if (!entrada) {
        Falha("não abriu " + o.reproduzir.toStdString());
    }
    std::vector<std::pair<double, std::string>> trechos;
    std::string linha;
    while (std::getline(entrada, linha)) {
        if (linha.empty() || linha[0] == '#') {
            continue;
        }
        const size_t espaco = linha.find(' ');
        if (espaco == std::string::npos) {
            continue;
        }
        std::string bytes;
        const std::string hex = linha.substr(espaco + 1);
        for (size_t i = 0; i + 1 < hex.size(); i += 2) {
            bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
        }
        trechos.emplace_back(std::stod(linha.substr(0, espaco)) * 1e-6, bytes);
    }
    if (trechos.empty()) {
        Falha("gravação vazia: " + o.reproduzir.toStdString());
    }
    const double fim = Agora() + (o.duracao > 0 ? o.duracao : 1e12);
    do {
        const double inicio = Agora();
        for (const auto& [t, bytes] : trechos) {
            DormeAte(inicio + t);
            if (g_parar || Agora() > fim) {
                return 0;
            }
            Drena(l.fd);
            DescartaAcumulado(l);
            if (::write(l.fd, bytes.data(), bytes.size()) < 0 && errno != EAGAIN) {
                break;
            }
        }
    } while (o.repetir && !g_parar);
    return 0;
}

int Simula(const Opcoes& o, const Linha& l)
{
    const double inicio = Agora();
    const double periodo = 1.0 / o.ind.taxa;
    double proximo = inicio;
    long enviados = 0;
    bool lerEntrada = o.demanda;
    const auto terminou = [&] {
        return g_parar || (o.quadros > 0 && enviados >= o.quadros) ||
               (o.duracao > 0 && Agora() - inicio >= o.duracao);
    };
    while (!terminou()) {
        if (o.demanda) {
            pollfd p[2] = {{l.fd, POLLIN, 0}, {lerEntrada ? 0 : -1, POLLIN, 0}};
            if (poll(p, 2, 100) <= 0) {
                continue;
            }
            int pedidos = 0;
            if (p[0].revents & POLLIN) {
                pedidos += Drena(l.fd);
            }
            if (p[1].revents & (POLLIN | POLLHUP)) {
                char buf[256];
                const ssize_t n = ::read(0, buf, sizeof buf);
                if (n <= 0) {
                    lerEntrada = false; // end of input: requests come from the line only
                } else {
                    pedidos += int(std::count(buf, buf + n, '\n'));
                }
            }
            for (int i = 0; i < pedidos && !terminou(); ++i) {
                Envia(l, QuadroDemanda(o.ind, Agora() - inicio), o.ind.baud);
                ++enviados;
            }
            continue;
        }
        Envia(l, Quadro(o.ind, Agora() - inicio), o.ind.baud);
        ++enviados;
        // A real indicator's clock drifts against the computer's: a little jitter keeps
        // the frames from locking onto one phase of VIGA's poll.
        proximo += periodo * (0.95 + 0.1 * double(std::rand()) / RAND_MAX);
        Drena(l.fd);
        if (proximo < Agora()) {
            proximo = Agora(); // the line is slower than the rate asked: send back to back
        }
        DormeAte(proximo);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const Opcoes o = LeOpcoes(argc, argv);
    struct sigaction sa {
    };
    sa.sa_handler = AoSinal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const Linha l = AbreLinha(o);
    if (o.dispositivo.isEmpty()) {
        // The mapping first: whoever reads our first line may open COMn at once.
        if (!o.ini.isEmpty()) {
            ArquivoIni ini(o.ini);
            ini.definir(QStringLiteral("serial"), QStringLiteral("COM%1").arg(o.com),
                        QString::fromStdString(l.caminho));
            if (!ini.gravar()) {
                Falha("não gravou " + o.ini.toStdString());
            }
        }
        std::printf("%s\n", l.caminho.c_str());
        std::fflush(stdout);
    }

    int r;
    if (!o.gravar.isEmpty()) {
        r = Grava(o, l);
    } else if (!o.reproduzir.isEmpty()) {
        r = Reproduz(o, l);
    } else {
        r = Simula(o, l);
    }
    if (l.escravo >= 0) {
        ::close(l.escravo);
    }
    ::close(l.fd);
    return r;
}
