// A clerk's workstation for the concurrency tests: saves documents on the
// test prefix from several connections at once and prints one line per
// save ("numero id intentos"), or the error and status 1.
//
//   cxp_prueba_guardador BASE USUARIO CLAVE HILOS DOCUMENTOS_POR_HILO
#include "tests/support/DocumentoPrueba.h"

#include <QCoreApplication>
#include <cstdio>
#include <mutex>
#include <thread>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 6) {
        std::fprintf(stderr, "uso: %s BASE USUARIO CLAVE HILOS DOCUMENTOS\n", argv[0]);
        return 2;
    }
    const fb::ConnectionParams p{QString::fromUtf8(argv[1]), QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3])};
    const int hilos = std::atoi(argv[4]);
    const int documentos = std::atoi(argv[5]);
    std::mutex salida;
    int fallos = 0;
    std::vector<std::thread> trabajadores;
    for (int h = 0; h < hilos; ++h) {
        trabajadores.emplace_back([&] {
            try {
                fb::Database db = fb::Database::attach(p);
                for (int i = 0; i < documentos; ++i) {
                    const prueba::Guardado g = prueba::guardarDocumento(db);
                    std::lock_guard<std::mutex> l(salida);
                    std::printf("%s %lld %d\n", qPrintable(g.numero), (long long)g.id, g.intentos);
                }
            } catch (const fb::DbError& e) {
                std::lock_guard<std::mutex> l(salida);
                QStringList codigos;
                for (auto c : e.gdsCodes()) codigos << QString::number(c);
                std::fprintf(stderr, "ERROR [%s] %s\n", qPrintable(codigos.join(',')), e.what());
                ++fallos;
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> l(salida);
                std::fprintf(stderr, "ERROR %s\n", e.what());
                ++fallos;
            }
        });
    }
    for (auto& t : trabajadores) t.join();
    std::fflush(stdout);
    return fallos == 0 ? 0 : 1;
}
