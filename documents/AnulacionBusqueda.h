#pragma once
// F3 of the document searches, one step for all of them: a live document is
// annulled; an annulled one is deleted, by an administrator only (anyone
// else hears a beep); the reason is asked first when the company keeps
// them; a Yes/No question names the document. The statement holds the
// state the clerk saw in its condition, so a document another clerk
// annulled or deleted meanwhile is left alone and the clerk is told. The
// reason goes to the audit row of what was done. Each search gives only
// what tells its document apart.
#include <QString>
#include <functional>

namespace fb {
class Transaction;
}

namespace cxp {

class Configuracion;
class DataSet;
class Interaccion;
class ManejadorErrores;
struct Sesion;

// Given with designated initializers; the members after `proveedor` are optional.
struct DocumentoAnulable {
    int tipo;                // of its audit rows
    QString tabla;           // the header table, "egresos"
    QString prefijo;         // of its columns: "egre" for egre_id, egre_anulado
    QString columnaUsuario;  // who annulled it: "egre_usuario"
    // Fields of the search's list.
    QString campoId, campoAnulado, campoPrefijo, campoNumero;
    // Each followed by the document's prefix and number and "?".
    QString preguntaAnular, preguntaEliminar;
    QString proveedor;  // named to the error handler
    // The annulment question names the number alone.
    bool anularSoloNumero = false;
    // Told when another clerk annulled or deleted it meanwhile; "%1" is
    // the prefix and number.
    QString cambiado = QStringLiteral("Otro usuario acaba de anular o eliminar el documento %1. No se hizo ningún cambio.");
    // Run in the annulment's transaction before the header is marked (the
    // document's rows); rolled back with it.
    std::function<void(fb::Transaction&, int64_t id)> antesDeAnular;
    // After the annulment is committed and its reason kept (freeing a
    // cheque's number).
    std::function<void(int64_t id)> trasAnular;
};

enum class Anulacion {
    SinAcceso,  // the right was refused (told)
    Nada,       // nothing to do, or the clerk said no
    Anulado,
    Eliminado,
    Cambiado,   // another clerk got there first (told)
    Rechazado,  // the database refused (the error handler told)
};

// Something reached the database: the list is to be read again.
bool releerTras(Anulacion a);

// The current row of `lista`. `conAcceso`: the screen's right, checked
// before anything else.
Anulacion anule_o_elimine(const DocumentoAnulable& documento, bool conAcceso, Sesion& sesion, Interaccion& interaccion,
                          ManejadorErrores& manejador, const Configuracion& configuracion, DataSet& lista);

}  // namespace cxp
