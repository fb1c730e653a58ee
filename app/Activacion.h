#pragma once
// The main window's first activation: from the command line to an accepted
// or refused session, and the close that removes the connection mark.
// Widget-free: it speaks through an Interaccion and fills the Sesion; the
// main window shows what it leaves in `encabezado()`.
#include "app/ParametrosLinea.h"

#include <QString>
#include <functional>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct Sesion;

inline const QString kAccesoNoPermitido =
    QStringLiteral("Acceso no permitido. Ingrese al módulo principal o especifique un nombre de usuario válido.");
inline const QString kCompaniaNoValida =
    QStringLiteral("El código de compañía \"%1\" no es válido: debe tener tres letras o dígitos.");
inline const QString kUsuarioIncorrecto = QStringLiteral("Nombre de usuario incorrecto");

// valide_usuario: USUA_NOMBRE of the general USUARIO row; without a row the
// message "Nombre de usuario incorrecto" and an empty text.
QString valide_usuario(fb::Database& general, Interaccion& interaccion, const QString& codigo);

// What the header of the main window shows.
struct Encabezado {
    QString compania;  // configuration "NOMBRE COMPANIA"
    QString usuario;   // USER_COD
    bool agenciaVisible = false;
    QString agencia;   // "2-Centro"
    QString revision;  // REVI_FECHA as yyyy/mm/dd
};

class Activacion {
public:
    Activacion(Sesion& sesion, Interaccion& interaccion, Configuracion& configuracion, ManejadorErrores& errores);

    // The message poll, run once at the end of an activation that reached
    // the databases (accepted, or refused by the company database).
    void setSondeo(std::function<void()> sondeo) { sondeo_ = std::move(sondeo); }

    // From the command line to the session. True when it is accepted. A refusal has shown
    // and logged its messages; the caller then closes the window (which runs
    // cerrar()). A connection that fails is reported by the central handler
    // and refuses the session.
    bool activar(const ParametrosLinea& parametros);
    bool aceptada() const { return aceptada_; }

    // After an accepted activation: the day's exchange rate and
    // the start-up consult. A screen this build lacks is skipped silently.
    void accionesIniciales();

    // The close: clears FECCON when it holds today's date. A mark of an
    // earlier day is left in place. A failure is reported by the central
    // handler, or only logged when `enSilencio` (a stop signal: nobody is
    // there to close a box).
    void cerrar(bool enSilencio = false);

    const Encabezado& encabezado() const { return encabezado_; }
    // The log the refusals were written to.
    const QString& archivoLog() const { return archivoLog_; }

private:
    bool rechazar(const QString& usuario);
    void avisar(const QString& mensaje, const QString& usuario);
    void conectar(const ParametrosLinea& p, const QString& clave);
    bool cargarSesion(const ParametrosLinea& p);
    void reportar(const std::exception& e);

    Sesion& sesion_;
    Interaccion& interaccion_;
    Configuracion& configuracion_;
    ManejadorErrores& errores_;
    std::function<void()> sondeo_;
    Encabezado encabezado_;
    QString archivoLog_;
    bool aceptada_ = false;
};

}  // namespace cxp
