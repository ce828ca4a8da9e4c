// SPDX-License-Identifier: GPL-3.0-or-later
// viga-auditoria: checks the chained audit log of the weighings against the
// database of the data folder, the same one viga opens ($VIGA_HOME, ...),
// seals its head, and checks a ticket's verification code.
#include "Auditoria.h"
#include "ChaveAuditoria.h"
#include "Conexao.h"
#include "ConfigEmail.h"
#include "EnvioEmail.h"
#include "ErroBanco.h"
#include "PastaDados.h"
#include "TDM.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace
{

const char* const uso = R"(Uso: viga-auditoria --verificar [--selo ARQUIVO]... [--aceitar-anteriores]
       viga-auditoria --selar [--saida ARQUIVO] [--email ENDEREÇO]
       viga-auditoria --ticket NÚMERO --codigo CÓDIGO
Confere o registro de auditoria das pesagens do VIGA.

  --verificar           percorre a cadeia de registros desde o primeiro,
                        conferindo o hash de cada um (com a chave da
                        instalação) e o elo com o anterior, e nomeia o
                        primeiro que não confere; confere cada selo dado;
                        depois compara cada pesagem e os seus produtos com o
                        último estado registrado, nomeia cada pesagem
                        alterada fora do VIGA e cada lado pesado sem a
                        evidência da leitura.
  --selo ARQUIVO        com --verificar: um arquivo de selos gravado por
                        --selar (pode ser dado mais de uma vez); a cadeia
                        deve conter cada selo.
  --aceitar-anteriores  com --verificar: aceita sem evidência os lados já
                        pesados quando o registro de auditoria começou.
  --selar               escreve uma linha com a data e a hora, o número de
                        registros, a última sequência, o hash do último
                        registro e o hash do próprio selo com a chave.
  --saida ARQUIVO       com --selar: acrescenta o selo ao arquivo.
  --email ENDEREÇO      com --selar: envia o selo por e-mail pelo servidor
                        da seção [email] do viga.ini.
  --ticket NÚMERO       confere o código de verificação impresso no ticket
  --codigo CÓDIGO       da pesagem NÚMERO: "confere", ou o que mudou depois.
  -h, --help            mostra esta ajuda

O banco é o da pasta de dados do VIGA: $VIGA_HOME quando definida, como no
viga; a chave é a do viga.ini ([auditoria] Chave=) ou viga.chave nessa pasta.
Código de saída: 0 quando tudo confere (ou o selo foi gravado), 1 quando algo
não confere, 2 quando o banco, a chave ou um arquivo não pôde ser lido.
)";

int falha(QTextStream& erros, const QString& texto)
{
    erros << texto << '\n';
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream saida(stdout);
    QTextStream erros(stderr);

    QCommandLineParser parser;
    const QCommandLineOption ajuda(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption verificar(QStringLiteral("verificar"));
    const QCommandLineOption selo(QStringLiteral("selo"), QString(), QStringLiteral("ARQUIVO"));
    const QCommandLineOption anteriores(QStringLiteral("aceitar-anteriores"));
    const QCommandLineOption selar(QStringLiteral("selar"));
    const QCommandLineOption arquivoSaida(QStringLiteral("saida"), QString(), QStringLiteral("ARQUIVO"));
    const QCommandLineOption email(QStringLiteral("email"), QString(), QStringLiteral("ENDERECO"));
    const QCommandLineOption ticket(QStringLiteral("ticket"), QString(), QStringLiteral("NUMERO"));
    const QCommandLineOption codigo(QStringLiteral("codigo"), QString(), QStringLiteral("CODIGO"));
    parser.addOptions({ajuda, verificar, selo, anteriores, selar, arquivoSaida, email, ticket, codigo});
    if (!parser.parse(app.arguments())) {
        erros << "viga-auditoria: " << parser.errorText() << "\n\n" << uso;
        return 2;
    }
    if (parser.isSet(ajuda)) {
        saida << uso;
        return 0;
    }
    const int comandos = int(parser.isSet(verificar)) + int(parser.isSet(selar)) + int(parser.isSet(ticket));
    const bool opcoesSoltas =
        !parser.positionalArguments().isEmpty() ||
        (!parser.isSet(verificar) && (parser.isSet(selo) || parser.isSet(anteriores))) ||
        (!parser.isSet(selar) && (parser.isSet(arquivoSaida) || parser.isSet(email))) ||
        (parser.isSet(ticket) != parser.isSet(codigo));
    bool numeroOk = true;
    const qint64 numeroTicket = parser.isSet(ticket) ? parser.value(ticket).toLongLong(&numeroOk) : 0;
    if (comandos != 1 || opcoesSoltas || !numeroOk) {
        erros << uso;
        return 2;
    }

    // a seal file it creates is closed as VIGA's own files
    PastaDados::restringirCriacao();

    QByteArray chave;
    try {
        chave = ChaveAuditoria::le();
    } catch (const ErroBanco& e) {
        return falha(erros, e.texto());
    }
    if (chave.isEmpty()) {
        return falha(
            erros, QStringLiteral("A chave da auditoria não foi encontrada em %1: copie-a da estação onde o "
                                  "banco foi criado.")
                       .arg(ChaveAuditoria::caminho()));
    }

    // The seals are read before the database: a file that cannot be read is said first.
    Auditoria::OpcoesVerificacao opcoes;
    opcoes.chave = chave;
    opcoes.aceitarAnteriores = parser.isSet(anteriores);
    QStringList selosInvalidos;
    for (const QString& arquivo : parser.values(selo)) {
        QFile f(arquivo);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
            return falha(
                erros,
                QStringLiteral("O arquivo de selos %1 não pôde ser lido: %2").arg(arquivo, f.errorString()));
        }
        int numeroLinha = 0;
        while (!f.atEnd()) {
            const QString linha = QString::fromUtf8(f.readLine()).trimmed();
            ++numeroLinha;
            if (linha.isEmpty()) continue;
            QString erro;
            if (const auto s = Auditoria::leSelo(linha, chave, &erro)) {
                opcoes.selos << *s;
            } else {
                selosInvalidos << QStringLiteral("%1, linha %2: %3").arg(arquivo).arg(numeroLinha).arg(erro);
            }
        }
    }

    QString erro;
    Conexao conexao;
    if (!Conexao::ler(conexao, &erro)) {
        return falha(erros, erro);
    }
    TDM dm(conexao);
    // Only the connection: an empty or missing database is not created here
    // (there is nothing to check).
    if (!dm.Conectar(&erro)) {
        return falha(erros, QStringLiteral("Não foi possível abrir o banco de dados: ") + erro);
    }
    try {
        if (parser.isSet(selar)) {
            const QString linha = Auditoria::textoSelo(Auditoria::sela(dm), chave);
            saida << linha << '\n';
            if (parser.isSet(arquivoSaida)) {
                QFile f(parser.value(arquivoSaida));
                if (!f.open(QIODevice::Append | QIODevice::Text) || f.write((linha + u'\n').toUtf8()) < 0 ||
                    !f.flush()) {
                    return falha(erros, QStringLiteral("O selo não pôde ser gravado em %1: %2")
                                            .arg(parser.value(arquivoSaida), f.errorString()));
                }
            }
            if (parser.isSet(email)) {
                const ConfigEmail config = ConfigEmail::ler(&erro);
                if (!config.configurado() || !erro.isEmpty()) {
                    return falha(erros,
                                 QStringLiteral("O selo não foi enviado: o servidor de e-mail não está "
                                                "configurado no viga.ini (seção [email]). ") +
                                     erro);
                }
                EnvioEmail envio;
                envio.servidor = config.servidor;
                envio.porta = config.porta;
                envio.seguranca = config.seguranca;
                envio.usuario = config.usuario;
                envio.senha = config.senha;
                envio.remetente = config.remetente;
                envio.certificadosConfiaveis = config.certificados;
                envio.para = parser.value(email);
                envio.prioridade = EnvioEmail::Normal;
                envio.assunto = QStringLiteral("Selo da auditoria do VIGA");
                envio.mensagem = QStringLiteral("Selo da auditoria das pesagens. Guarde esta mensagem: "
                                                "viga-auditoria --verificar --selo ARQUIVO confere que a "
                                                "cadeia ainda o contém.\n\n") +
                                 linha + u'\n';
                if (!envio.enviar()) {
                    return falha(erros, QStringLiteral("O selo não foi enviado: ") + envio.erro());
                }
            }
            return 0;
        }
        if (parser.isSet(ticket)) {
            const Auditoria::ConferenciaTicket c =
                Auditoria::confereTicket(dm, numeroTicket, parser.value(codigo), chave);
            saida << c.mensagem << '\n';
            return c.confere ? 0 : 1;
        }
        Auditoria::Verificacao v = Auditoria::verifica(dm, opcoes);
        v.problemas = selosInvalidos + v.problemas;
        for (const QString& p : v.problemas) {
            saida << p << '\n';
        }
        if (v.ok()) {
            saida << QStringLiteral(
                         "auditoria conferida: %1 registro(s), cadeia íntegra e pesagens conferem\n")
                         .arg(v.entradas);
            return 0;
        }
        return 1;
    } catch (const ErroBanco& e) {
        return falha(erros, QStringLiteral("Erro ao ler a auditoria: ") + e.texto());
    }
}
