#pragma once
// Copies of a saved creditor into the databases of sister companies: for
// each company of REPLICA_COMPRAS, its database (<location>/datos/<code>/
// quelmar.fdb, the program's own path rule) is opened with the replication
// user and password of the configuration, and the third party and its
// supplier row are written there with UPDATE OR INSERT and bound values.
// A company whose database does not open is skipped.
#include <QString>
#include <QStringList>
#include <functional>

namespace cxp {

class Configuracion;
struct Sesion;

class ReplicacionAcreedores {
public:
    // aviso shows a notice on the screen; an empty text hides it.
    ReplicacionAcreedores(Sesion& sesion, const Configuracion& configuracion,
                          std::function<void(const QString&)> aviso = {});

    static const QStringList& columnasTercero();    // 37 columns
    static const QStringList& columnasProveedor();  // 21 columns
    static QString ruta(const QString& servidor, const QString& codigo);

    // The companies that received the copy.
    QStringList replicar(const QString& nit);

private:
    Sesion& sesion_;
    const Configuracion& configuracion_;
    std::function<void(const QString&)> aviso_;
};

}  // namespace cxp
