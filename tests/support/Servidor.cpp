#include "tests/support/Servidor.h"

namespace prueba {

Servidor Servidor::delEntorno(QString* error) {
    Servidor s;
    s.prefijo = qEnvironmentVariable("CXP_SERVIDOR");
    s.carpeta = qEnvironmentVariable("CXP_SERVIDOR_DIR");
    s.usuario = qEnvironmentVariable("CXP_SERVIDOR_USUARIO", QStringLiteral("SYSDBA"));
    s.clave = qEnvironmentVariable("CXP_SERVIDOR_CLAVE");
    if (s.prefijo.isEmpty() && error) {
        *error = qEnvironmentVariable("CXP_SERVIDOR_ERROR");
        if (error->isEmpty())
            *error = QStringLiteral(
                "No hay servidor de pruebas: ejecute scripts/test, o scripts/servidor-pruebas iniciar DIR "
                "y exporte CXP_SERVIDOR, CXP_SERVIDOR_DIR y CXP_SERVIDOR_CLAVE.");
    }
    return s;
}

fb::ConnectionParams Servidor::params(const QString& rutaEnServidor) const {
    fb::ConnectionParams p;
    p.database = prefijo + rutaEnServidor;
    p.user = usuario;
    p.password = clave;
    return p;
}

}  // namespace prueba
