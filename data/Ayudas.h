#pragma once
// Small helpers many screens share: the lock check of a document date, the
// display names of database columns, and the printer behind a logical name.
#include <QDate>
#include <QHash>
#include <QString>

namespace fb {
class Database;
}

namespace cxp {

class Configuracion;
class DataSet;
class Interaccion;

// valide_fecha: checks a document date against the module lock ("GENERAL"
// "FECHA DE BLOQUEO ADMINISTRATIVO", yyyy/mm/dd), the accounting lock
// ("CONTABILIDAD" "FECHA DE BLOQUEO", yyyymmdd, empty for none; an empty one
// also skips the future check) and the future limit ("MAXIMO NUMERO DE DIAS
// PARA DOCUMENTOS FUTUROS"). Each failed check shows its information box and
// corrects the date; the corrected date is checked again, as the field's
// change handler would, until it passes. It never blocks a save by itself.
// Returns the date to keep; an invalid (empty) date passes as it is.
// A lock or limit that is not a date or a number throws std::invalid_argument.
QDate valide_fecha(const QDate& fecha, const Configuracion& configuracion, Interaccion& interaccion,
                   const QDate& hoy = QDate::currentDate());
// The same on a date field of a dataset in insert or edit; writes the field
// only when the date changes.
void valide_fecha(DataSet& dataset, const QString& campo, const Configuracion& configuracion,
                  Interaccion& interaccion, const QDate& hoy = QDate::currentDate());

// nombre_campo: the display name of a column from NOMBRES_CAMPOS, or the
// name itself when the table has none. The table is read on the first
// lookup and kept.
class NombresCampos {
public:
    explicit NombresCampos(fb::Database& compania) : compania_(compania) {}
    QString nombre_campo(const QString& nombre);
    QString operator()(const QString& nombre) { return nombre_campo(nombre); }
    void recargar() { cargado_ = false; }

private:
    fb::Database& compania_;
    QHash<QString, QString> nombres_;
    bool cargado_ = false;
};

// nombre_impresora: the system printer that "impresoras.cfg" of the
// installation directory assigns to a logical name. The first line that
// contains the name followed by "," gives everything after it, so a line
// "XFACTURA,Impresora3" read first also answers FACTURA. Without the file:
// the message "Error abriendo el archivo" + its path and an empty result.
QString nombre_impresora(const QString& directorio, const QString& nombre, Interaccion& interaccion);

}  // namespace cxp
