#pragma once
// Where an installation lives: the installation directory from the settings
// file that stands in for the registry, the database location from
// conexion.cfg, and the error log beside them.
#include <QString>
#include <optional>

namespace cxp {

class Interaccion;

namespace arranque {

inline constexpr const char* kOrganizacion = "Orvel";
inline constexpr const char* kAplicacion = "Quelmar2021";
inline constexpr const char* kValorDirectorio = "Directorio";
// Names the folder that holds Orvel/Quelmar2021.ini, in place of the system
// one (tests and the demo installation).
inline constexpr const char* kVariableRegistro = "CXPAGAR_REGISTRO";

inline const QString kSinRegistro =
    QStringLiteral("No se encontró la Clave HKEY_LOCAL_MACHINE\\Software\\Orvel\\Quelmar2021\\Directorio");
inline const QString kSinConexion = QStringLiteral("No se encontró el archivo de conexión con la base de datos.");

// The settings file read: $CXPAGAR_REGISTRO/Orvel/Quelmar2021.ini, or the
// system-scope one of organisation Orvel, application Quelmar2021.
QString archivoRegistro();

// Diraplicacion: the installation directory without a trailing separator;
// when the value is missing, the message and an empty text.
QString Diraplicacion(Interaccion& interaccion);
// The same without the message (empty when missing).
QString leerDirectorio();

// The location written in a conexion.cfg: its first line without the line
// end (CR LF or LF). A file without a line end keeps all its text. Nothing
// when the file cannot be read.
std::optional<QString> leerConexion(const QString& archivo);

// ubicaciondb: the fifth parameter when it is not empty (conexion.cfg is
// then not opened); else the first line of directorio/conexion.cfg; when
// that file cannot be opened, the message and an empty location (and
// *sinArchivo set, when given).
QString ubicaciondb(const QString& directorio, const QString& ubicacionLinea, Interaccion& interaccion,
                    bool* sinArchivo = nullptr);

// ERRORES.TXT of the installation directory. Without a directory (no
// registry value) the log goes to the user's own copy
// (ManejadorErrores::archivoLogDelUsuario), where it also goes when the
// installation's file cannot be written.
QString archivoErrores(const QString& directorio);


}  // namespace arranque
}  // namespace cxp
