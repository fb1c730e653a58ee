#pragma once
// "Consulta de cuentas x pagar": the open documents of one creditor at a
// date, with their balance and pending withholdings, from the procedure
// cxpagar_proveedor. From a row the person consults the document (F4) or
// its payments (F8). As a picker (the charge, discount and payment voucher
// screens) Enter chooses the row's document, and F5 "Sel. varios" hands
// the selected documents to the payment voucher as a list in
// CONSOLIDE_FALTANTES. Screen logic only; the widgets are
// TfconscxpagarVista.
#include "ledger/PantallaLedger.h"

#include <QVariantMap>
#include <optional>
#include <vector>

namespace cxp {

class Tfconscxpagar : public PantallaLedger {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Consulta de cuentas x pagar");
    static inline const QString kArchivo = QStringLiteral("Carteraxprov");
    // The document type the list of "Sel. varios" is handed to.
    static constexpr int kTipoDestino = 62;
    static inline const QString kSinSeleccion =
        QStringLiteral("Seleccione los documentos a pagar (Ctrl o Mayúsculas con el ratón o las flechas).");

    Tfconscxpagar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, QString nit, bool seleccion = false, QObject* parent = nullptr);

    // Reads the creditor's name and the currency selector and runs the
    // query at `fecha` (today when invalid). False when a database error was
    // reported.
    bool abrir(QDate fecha = {});

    DataSet& documentos() { return documentos_; }
    const QString& nit() const { return nit_; }
    const QString& nombre() const { return nombre_; }
    bool seleccion() const { return seleccion_; }

    QDate fecha() const { return fecha_; }
    // A new date or currency runs the query again.
    bool setFecha(QDate fecha);
    bool setMoneda(int codigo);

    QString consulta() const;
    bool refrescar();

    // F4 (Enter and double click when not picking): the consult of the
    // row's document.
    void consultar();
    // F8 "Abonos": the payments of the row's document.
    void abonos();
    // Enter and double click: choose when picking, else consult.
    void activar();

    // Picking: the row's document; the screen closes. Nothing on an empty
    // grid.
    std::optional<QVariantMap> elegirActual();
    // F5 "Sel. varios": the documents of the rows given (DataSet rows, in
    // the order the person selected them) stored under a new list id in one
    // transaction; the choice is {"lista": id, "documentos": [...]} and the
    // screen closes. Both choices carry "documentos": a list of
    // {TIDO_NOMCORTO, PREFIJO, NUMERO}, as the payment voucher appends them. With
    // no row selected the person is told kSinSeleccion and it stays.
    std::optional<QVariantMap> seleccionarVarios(const std::vector<int>& filas);
    // What the picker returns: set by elegirActual or seleccionarVarios.
    const std::optional<QVariantMap>& eleccion() const { return eleccion_; }

private:
    QString nit_;
    QString nombre_;
    bool seleccion_;
    QDate fecha_;
    DataSet documentos_;
    std::optional<QVariantMap> eleccion_;
};

}  // namespace cxp
