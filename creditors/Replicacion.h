#pragma once
// Copies of a saved creditor into the databases of sister companies: for
// each company of REPLICA_COMPRAS, the database procedures open its database
// (<location>/datos/<code>/quelmar.fdb) with the replication login, whose
// password only they can read, and write the third party and its supplier
// row there with UPDATE OR INSERT. A company whose database does not open is
// skipped.
#include <QString>
#include <QStringList>
#include <functional>

namespace cxp {

struct Sesion;

class ReplicacionAcreedores {
public:
    // aviso shows a notice on the screen; an empty text hides it.
    explicit ReplicacionAcreedores(Sesion& sesion, std::function<void(const QString&)> aviso = {});

    // The companies that received the copy.
    QStringList replicar(const QString& nit);

private:
    Sesion& sesion_;
    std::function<void(const QString&)> aviso_;
};

}  // namespace cxp
