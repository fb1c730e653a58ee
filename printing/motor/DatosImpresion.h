#pragma once
// The data of each printed document kind: its data sources, its
// vocabulary of data names and the values they print.
#include "data/fb/Database.h"
#include "printing/motor/Motor.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

namespace cxp {

struct Sesion;
class Configuracion;

// The document kinds that print on a format.
bool tipoImprimible(int tipo);
// "Comprobante de egreso No. ", "Cargo acreedor No. " ...: the print job
// title before prefix and number.
QString tituloTrabajo(int tipo);
// The screen that prints the kind ("Tfimpregreso", "Tfimprnotadbp" ...).
QString ventanaImpresion(int tipo);
// The SQL that reads the annulled mark of a document of the kind.
QString consultaAnulado(int tipo, int64_t id);

// Dates as the formats print them.
QString fechaCorta(const QDate& fecha);     // 2026/12/06
QString fechaEnLetras(const QDate& fecha);  // "domingo, 6 de diciembre de 2026"

struct DocumentoLeido {
    bool existe = false;
    int tipo = 0;
    QString prefijo;
    QString numero;
    bool anulado = false;
    DocumentoImpreso impreso;
    // The bank document of a payment voucher.
    std::optional<Dinero> montoBanco;
    int tipoBanco = 0;
    QString prefijoBanco;
    QString cuentaBanco;  // CUBA_COD as text
};

// Reads document `id` of kind `tipo` with its sources, and the company's
// printed data from the session (the agency's address when the person
// works in one). The amounts in words use the currency words of the
// configuration.
DocumentoLeido leerDocumento(fb::Database& compania, Sesion& sesion, const Configuracion& configuracion,
                             int tipo, int64_t id);

}  // namespace cxp
