#pragma once
// Where the databases of an installation live. A location is a folder on
// this machine (the embedded engine opens the files itself) or a folder on
// a Firebird server in its own notation ("host/port:/folder").
#include <QString>

namespace cxp::rutas {

inline const QString separador = QStringLiteral("/");

// A company code names a folder under datos/: exactly three ASCII letters or
// digits, so that no code ("../x", "a/b", "") reaches outside that folder.
inline bool codigoCompaniaValido(const QString& codigo) {
    if (codigo.size() != 3) return false;
    for (const QChar c : codigo)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return false;
    return true;
}

inline QString general(const QString& ubicacion) {
    return ubicacion + separador + QStringLiteral("datos") + separador + QStringLiteral("general.fdb");
}

inline QString compania(const QString& ubicacion, const QString& codigo) {
    return ubicacion + separador + QStringLiteral("datos") + separador + codigo + separador +
           QStringLiteral("quelmar.fdb");
}

// A local folder: an absolute path, or a relative one without a host part.
inline bool esLocal(const QString& ubicacion) {
    return ubicacion.startsWith(QLatin1Char('/')) || !ubicacion.contains(QLatin1Char(':'));
}

}  // namespace cxp::rutas
