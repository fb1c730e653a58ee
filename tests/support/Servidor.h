#pragma once
// The private Firebird server that scripts/test starts for the tests that
// need real logins or several clients over the network. A test that needs
// it and finds it missing fails with the reason; it is never skipped.
#include "data/fb/Database.h"

#include <QString>

namespace prueba {

struct Servidor {
    QString prefijo;  // "127.0.0.1/3057:"
    QString carpeta;  // a folder the server may write into
    QString usuario;
    QString clave;

    // Empty prefix and the reason in `error` when there is no server.
    static Servidor delEntorno(QString* error);
    fb::ConnectionParams params(const QString& rutaEnServidor) const;
};

}  // namespace prueba

// In a test body: the server, or a failure with the reason.
#define CXP_SERVIDOR_O_FALLA(var)                                          \
    QString var##_error;                                                   \
    const prueba::Servidor var = prueba::Servidor::delEntorno(&var##_error); \
    if (var.prefijo.isEmpty()) FAIL() << var##_error.toStdString()
