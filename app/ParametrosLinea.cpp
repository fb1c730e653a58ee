#include "app/ParametrosLinea.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace cxp {

ParametrosLinea ParametrosLinea::leer(const QStringList& a) {
    ParametrosLinea p;
    p.entrada = a.value(0);
    p.usuario = a.value(1);
    p.compania = a.value(2);
    p.claveCifrada = a.value(3);
    p.ubicacion = a.value(4);
    return p;
}

bool ParametrosLinea::desdeLanzador() const { return entrada == QLatin1String("ENTRADA") && !claveCifrada.isEmpty(); }

QStringList ParametrosLinea::argumentos() const {
    QStringList a{entrada, usuario, compania, claveCifrada};
    if (!ubicacion.isEmpty()) a << ubicacion;
    return a;
}

void ParametrosLinea::leerClaveDeDescriptor() {
    if (!claveCifrada.startsWith(kPrefijoDescriptor)) return;
    bool ok = false;
    const int fd = claveCifrada.mid(kPrefijoDescriptor.size()).toInt(&ok);
    claveCifrada.clear();
    if (!ok || fd < 3 || ::fcntl(fd, F_GETFD) < 0) return;
    // A sealed text is about a hundred characters; a writer that never
    // closes its end must not hold the start for long.
    constexpr qsizetype kMaximo = 4096;
    QByteArray texto;
    bool completo = false;
    for (int esperas = 0; esperas < 50 && texto.size() <= kMaximo;) {
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, 100);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) break;
        if (r == 0) {
            ++esperas;
            continue;
        }
        char trozo[512];
        const ssize_t n = ::read(fd, trozo, sizeof trozo);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) {
            completo = n == 0;
            break;
        }
        texto.append(trozo, n);
    }
    ::close(fd);
    if (completo && texto.size() <= kMaximo) claveCifrada = QString::fromLatin1(texto.trimmed());
}

void ParametrosLinea::borrarClaveDeArgv(int argc, char** argv) {
    if (argc > 4 && argv[4]) std::memset(argv[4], 0, std::strlen(argv[4]));
}

}  // namespace cxp
