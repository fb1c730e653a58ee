#pragma once
// "Formatos de impresión": the print formats of the payables documents,
// one row per document type and prefix. "F5: Nuevo" and "F4:Modificar"
// open the definition screens, "F3:Eliminar" deletes a format (its data
// items and drawing elements go with it in the database), "F8:Copiar"
// offers the prefixes of the row's type and "F2:Copiar" copies the format,
// its items and its elements to the chosen prefix in one transaction.
// Screen logic only; the widgets are TfformatosVista.
#include "data/DataSet.h"

#include <QObject>
#include <QStringList>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

// Told whenever a format is saved, deleted, copied or shifted, so that an
// open list shows it.
class AvisoFormatos : public QObject {
    Q_OBJECT
public:
    static AvisoFormatos& instancia();
signals:
    void cambiaron();
};

class Tfformatos : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kNueva = "Tfdefformato";
    static constexpr const char* kModificar = "Tfmodformato";

    Tfformatos(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);

    // Reads the list; false after a reported error.
    bool abrir();
    // Reads it again, staying on the same type and prefix when it is there.
    void refrescar();
    DataSet& formatos() { return formatos_; }

    void nuevo();
    void modificar();
    // The question, then the delete. True when the format was deleted.
    bool eliminar();

    // "F8:Copiar": the prefixes of the current row's type, for the panel
    // "Nuevo prefijo:"; empty when there is no row.
    QStringList prefijosCopia();
    // "F2:Copiar": the current row's format to `nuevoPrefijo` of the same
    // type. The format row, its data items and its drawing elements are
    // copied in one transaction: a failure copies nothing. True when copied.
    bool copiar(const QString& nuevoPrefijo);

    void salir();

signals:
    void cerrar();

private:
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet formatos_;
};

}  // namespace cxp
