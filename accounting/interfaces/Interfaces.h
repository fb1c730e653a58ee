#pragma once
// abre_interfaz: which accounting interface definition a payables document
// of one type and prefix is posted with. The document screens call it when
// the prefix changes and before they save or post; the payment vouchers ask
// the cash module's definitions (INTERFAZ_CAJA) the same way.
//
// With several definitions for the type and prefix the person chooses one
// in "Tfpreginterfaz", opened through Interaccion::elegir with the
// arguments "ids" (QVariantList of int) and "nombres" (QStringList), in the
// order of the query; the choice is {"id": int}.
#include <QString>

namespace fb {
class Database;
}

namespace cxp {

class Interaccion;

class Interfaces {
public:
    static inline const QString kSelector = QStringLiteral("Tfpreginterfaz");
    static inline const QString kSinInterfaz =
        QStringLiteral("No se han definido interfaces para el documento. No podrá grabar hasta no definirla.");

    Interfaces(fb::Database& db, Interaccion& interaccion);

    // The id of the INTERFAZ_CXPAGAR definition to apply; 0 when there is
    // none (after the message), when `preguntar` is false, or when the
    // person leaves the chooser.
    int abre_interfaz(int tipo, const QString& prefijo, bool preguntar);
    // The same over INTERFAZ_CAJA (payment vouchers, type 62).
    int abre_interfaz_caja(int tipo, const QString& prefijo, bool preguntar);

private:
    int abrir(const QString& sql, bool preguntar);

    fb::Database& db_;
    Interaccion& interaccion_;
};

}  // namespace cxp
