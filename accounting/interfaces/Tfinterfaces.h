#pragma once
// "Interfaces Cuentas x pagar": the list of the accounting interface
// definitions of the payables documents, with new (F5), modify (F4),
// delete (F3) and the copy of a definition to another prefix of the same
// document type (F8 chooses the prefix, F2 copies). Screen logic only; the
// widgets are TfinterfacesVista.
#include "data/DataSet.h"

#include <QObject>
#include <QStringList>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfinterfaces : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Interfaces Cuentas x pagar");
    static inline const QString kPantallaNueva = QStringLiteral("Tfnvainterfaz");
    static inline const QString kPantallaModificar = QStringLiteral("Tfmodinterfaz");

    Tfinterfaces(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);

    DataSet& lista() { return lista_; }

    // Reads the list again, staying on the same definition when it is
    // still there. A failure is reported; false then.
    bool refrescar();

    // F5: the new-definition screen.
    void nueva();
    // F4 or a double click: the modify screen on the current row ("id").
    void modificar();
    // F3: asks, deletes the current definition (its NIIF row and lines go
    // with it in the database) and reads the list again.
    void eliminar();

    // F8: the prefixes of the current row's document type, for the copy;
    // empty when the list is.
    QStringList prefijosCopia();
    // F2 with a prefix chosen: a copy of the current definition under that
    // prefix, written whole or not at all. Returns the new id, 0 when
    // nothing was copied (the failure was reported).
    int copiar(const QString& prefijo);

    int idActual() const;

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet lista_;
};

}  // namespace cxp
