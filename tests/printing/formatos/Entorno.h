#pragma once
// A scratch company for the format screens: the session with its
// connection, the scripted Interaccion and the error handler, and a builder
// of a format with its data items and drawing elements.
#include "base/Sql.h"
#include "tests/support/EntornoCompania.h"

namespace prueba {

class EntornoFormatos : public EntornoCompania {
protected:
    void SetUp() override {
        sesion.usuario_actual = QStringLiteral("ADMIN");
        sesion.es_administrador = true;
        sesion.compania = compania.conectar();
    }
    int64_t cuenta(const QString& sql) const { return filas(sql).front()[0].toInt64(); }

    // A format of (tipo, prefijo) with two data items and three elements
    // (a text, a box and a picture).
    void unFormato(int tipo, const QString& prefijo) {
        const QString k = QString::number(tipo) + ", " + cxp::sql::texto(prefijo);
        ejecutar("insert into FORMATOS (TIDO_COD, PREF_PRE, FORM_IMPRE, FORM_NROITEMS, FORM_PAGINAS, FORM_ENTRELINEA, "
                 "FORM_FONT, FORM_FSIZE, FORM_PAPELAN, FORM_PAPELAL, FORM_PREFITE) values (" +
                 k + ", 'PDF', 20, 'S', 40, 'Arial', 10, 8.5, 11, 'AB')");
        ejecutar("insert into FORMATO_DATOS (TIDO_COD, PREF_PRE, DAFO_ITEM, DAFO_DATO, DAFO_IMPRIME, DAFO_POSX, "
                 "DAFO_POSY, DAFO_REPITE, DAFO_INI, DAFO_LONG, DAFO_FORMATO, DAFO_FONT, DAFO_FSIZE, DAFO_LIQUIDA, "
                 "DAFO_POSYVAR) values (" + k + ", 1, 'PREFIJO', 'S', 100, 50, 'N', 1, 4, null, 'Courier', 9, 'N', 'N')");
        ejecutar("insert into FORMATO_DATOS (TIDO_COD, PREF_PRE, DAFO_ITEM, DAFO_DATO, DAFO_POSX, DAFO_POSY, DAFO_INI, "
                 "DAFO_FORMATO, DAFO_LIQUIDA) values (" + k + ", 7, 'TOTAL', 1400, 1900, 3, '2', 'S')");
        ejecutar("insert into FORMATO_LINEAS (TIDO_COD, PREF_PRE, FOLI_ITEM, FOLI_TIPO, FOLI_POSX, FOLI_POSY, "
                 "FOLI_CADENA, FOLI_FONT, FOLI_FSIZE, FOLI_LIQUIDA) values (" + k + ", 2, 'T', 10, 10, 'FACTURA', 'Arial', 14, 'N')");
        ejecutar("insert into FORMATO_LINEAS (TIDO_COD, PREF_PRE, FOLI_ITEM, FOLI_TIPO, FOLI_POSX, FOLI_POSY, "
                 "FOLI_X, FOLI_Y, FOLI_LIQUIDA) values (" + k + ", 3, 'C', 600, 800, 800, 300, 'S')");
        ejecutar("insert into FORMATO_LINEAS (TIDO_COD, PREF_PRE, FOLI_ITEM, FOLI_TIPO, FOLI_POSX, FOLI_POSY, "
                 "FOLI_X, FOLI_Y, FOLI_IMAGEN) values (" + k + ", 5, 'G', 20, 20, 100, 100, ?)",
                 {imagen()});
    }
    static QByteArray imagen() { return QByteArray("BM\x00\x01\x02\xff imagen", 16); }
};

}  // namespace prueba
