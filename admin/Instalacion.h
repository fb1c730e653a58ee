#pragma once
// Creating and upgrading installations: the general database, company
// databases, the demo installation and server logins.
#include "data/fb/Database.h"

#include <QString>
#include <QTextStream>

namespace cxp::admin {

// Credentials for the databases the tool creates or upgrades. On the
// embedded engine only the user name counts.
struct Credenciales {
    QString usuario = QStringLiteral("SYSDBA");
    QString clave;
};

// Refusals the tool reports without a database error behind them.
class Rechazo : public std::runtime_error {
public:
    explicit Rechazo(const QString& m) : std::runtime_error(m.toStdString()), mensaje(m) {}
    QString mensaje;
};

class Instalador {
public:
    Instalador(Credenciales cred, QTextStream& salida) : cred_(std::move(cred)), out_(salida) {}

    void crearGeneral(const QString& ubicacion);
    void crearCompania(const QString& ubicacion, const QString& codigo);
    // Backs the location up (respaldar), then applies the new scripts to the
    // general database and every company database, each on its own: one
    // that fails is reported and the others go on. Data is kept. Returns the
    // number of databases that failed.
    int actualizar(const QString& ubicacion);
    // gbak copies of the general database and every company (or only
    // `codigo`) into a new folder, <location>/respaldos/yyyyMMdd-HHmmss (the
    // current folder's respaldos/ for a server location); returns it.
    QString respaldar(const QString& ubicacion, const QString& codigo = {});
    // Brings back the databases of a respaldar folder (or only company
    // `codigo`), replacing the present ones. Nobody may be connected.
    void restaurar(const QString& ubicacion, const QString& carpeta, const QString& codigo = {});
    // A whole demo installation in `directorio`, which is also its location.
    void demo(const QString& directorio);
    // Writes the report layouts into `directorio`/cxpagar/reportes; a file
    // the user changed is kept beside as name + ".anterior".
    void disenos(const QString& directorio);
    static inline const QString kHermana = QStringLiteral("002");
    // Creates (or changes the password of) a login on the server that holds
    // the location's general database. An administrator is marked in the
    // general USUARIO and may write the protected tables of the general and
    // every company database.
    void usuario(const QString& ubicacion, const QString& nombre, const QString& clave, bool administrador = false);
    // Fills company `codigo` of the location with generated payables data:
    // optional creditors, documents and seed (1000, 1000000, 1).
    void volumen(const QString& ubicacion, const QString& codigo, const QStringList& tamano, bool contabilizar = true);

    // Sends the charges and discounts of company `codigo` still pending for
    // a sister company and clears the row of each one sent; returns how
    // many stay pending.
    int replicar(const QString& ubicacion, const QString& codigo);

private:
    fb::Database crear(const QString& ruta);
    fb::ConnectionParams params(const QString& ruta) const;
    QStringList companias(const QString& ubicacion, fb::Database& general);
    QString respaldar(const QString& ubicacion, const QString& codigo, fb::Database& general);
    void hermana(fb::Database& principal, const QString& dir);

    Credenciales cred_;
    QTextStream& out_;
};

// The settings file that stands in for the system registry: the folder holding
// Orvel/Quelmar2021.ini, whose value "Directorio" is the installation folder.
void escribirRegistro(const QString& carpetaRegistro, const QString& directorio);

// Runs the command line; returns the process status (0 ok, 1 database
// failure, 2 refused or misused).
int ejecutar(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);

}  // namespace cxp::admin
