#pragma once
// The user's data folder ($XDG_DATA_HOME) moved into a temporary folder of
// the test for its lifetime, so the user's own ERRORES.TXT is the test's.
#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>

namespace prueba {

struct DatosDelUsuario {
    QTemporaryDir dir;
    QByteArray antes = qgetenv("XDG_DATA_HOME");
    bool habia = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    DatosDelUsuario() { qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit()); }
    ~DatosDelUsuario() { habia ? qputenv("XDG_DATA_HOME", antes) : qunsetenv("XDG_DATA_HOME"); }
    QString log() const { return dir.path() + QStringLiteral("/Orvel/cxpagar/ERRORES.TXT"); }
};

}  // namespace prueba
