#pragma once
// "Artículos por proveedor": the articles bought from one creditor
// (PROVEEDOR_ARTICULO): article, the creditor's code, description, date,
// cost and unit of the last purchase. Screen logic only.
#include "data/DataSet.h"

#include <QObject>

namespace cxp {

class ManejadorErrores;
struct Sesion;

class Tfprovarticulos : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Artículos por proveedor");

    Tfprovarticulos(Sesion& sesion, ManejadorErrores& manejador, QString nit, QObject* parent = nullptr);
    // "F2:Actualizar" too.
    bool abrir();
    DataSet& articulos() { return articulos_; }
    const QString& nit() const { return nit_; }

private:
    Sesion& sesion_;
    ManejadorErrores& manejador_;
    QString nit_;
    DataSet articulos_;
};

}  // namespace cxp
