#include "creditors/Registro.h"

#include "creditors/FichaAcreedorVista.h"
#include "creditors/TablaReferenciaVista.h"
#include "creditors/TfdocumentosterceroVista.h"
#include "creditors/TfbuscproveVista.h"
#include "ui/InteraccionQt.h"

#include <QApplication>

namespace cxp {

void registrarPantallasAcreedores(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                                  const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    using Fabrica = QWidget* (*)(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                                 QWidget*);
    const std::pair<QString, Fabrica> pantallas[] = {
        {QStringLiteral("Tfnvotercero"), &crearTfnvotercero},
        {QStringLiteral("Tfmodtercero"), &crearTfmodtercero},
        {QStringLiteral("Tfbuscprove"), &crearTfbuscprove},
        {QStringLiteral("Tfprovarticulos"), &crearTfprovarticulos},
        {QStringLiteral("Tfdocumentostercero"), &crearTfdocumentostercero},
    };
    for (const auto& [nombre, fabrica] : pantallas)
        iq->registrarPantalla(nombre, [iq, s, m, c, fabrica = fabrica](const QVariantMap& args) -> QWidget* {
            return fabrica(*s, *iq, *m, *c, args, nullptr);
        });
    // The reference tables: groups, cities, countries, banks, identification types.
    for (const DefinicionTabla& d : TablaReferencia::definiciones())
        if (d.pantalla != QLatin1String("Tfgruposprov"))
            iq->registrarPantalla(d.pantalla, [iq, s, m, c, nombre = d.pantalla](const QVariantMap&) -> QWidget* {
                return crearTablaReferencia(nombre, *s, *iq, *m, *c);
            });
    iq->registrarSelector(QStringLiteral("Tfciudades"), [iq, s, m, c](const QVariantMap&) {
        return elegirCiudad(*s, *iq, *m, *c, QApplication::activeWindow());
    });
    iq->registrarSelector(QStringLiteral("Tfnvotercero"), [iq, s, m, c](const QVariantMap&) {
        QWidget* sobre = QApplication::activeModalWidget();
        return elegirNuevoAcreedor(*s, *iq, *m, *c, sobre ? sobre : QApplication::activeWindow());
    });
    iq->registrarSelector(QStringLiteral("Tfbuscprove"), [iq, s, m](const QVariantMap& args) {
        return elegirAcreedor(*s, *iq, *m, args, QApplication::activeWindow());
    });
}

void registrarGruposProveedor(InteraccionQt& interaccion, Sesion& sesion, ManejadorErrores& errores,
                              const Configuracion& configuracion) {
    InteraccionQt* iq = &interaccion;
    Sesion* s = &sesion;
    ManejadorErrores* m = &errores;
    const Configuracion* c = &configuracion;
    iq->registrarPantalla(QStringLiteral("Tfgruposprov"), [iq, s, m, c](const QVariantMap&) -> QWidget* {
        return crearTablaReferencia(QStringLiteral("Tfgruposprov"), *s, *iq, *m, *c);
    });
}

}  // namespace cxp
