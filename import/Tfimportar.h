#pragma once
// The import wizard's logic: step 1 chooses the kind ("Proveedores",
// "Grupos", "Saldos iniciales"), step 2 the file and its layout, step 3 the
// column of each datum and runs the import. Messages go through the
// Interaccion; the widgets live in TfimportarVista.
#include "data/DataSet.h"
#include "import/Importador.h"

#include <QObject>
#include <QString>

namespace cxp {

class Configuracion;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfimportar : public QObject {
    Q_OBJECT
public:
    static inline const QString kTituloPaso1 = QStringLiteral("Asistente de Importación de datos de cartera: Paso 1 de 3");
    static inline const QString kTituloPaso2 = QStringLiteral("Asistente de Importación de datos de cartera: Paso 2 de 3");
    static inline const QString kTituloPaso3 =
        QStringLiteral("Asistente de Importación de datos de cuentas x pagar: Paso 3 de 3");
    static inline const QString kSinArchivo = QStringLiteral("Debe indicar antes el archivo con los datos a importar.");
    static inline const QString kNoExiste = QStringLiteral("No se encontró el archivo a importar.");
    static inline const QString kNoAbre = QStringLiteral(
        "Error al abrir el archivo, asegúrece que el nombre sea correcto y que no esté abierto en otra aplicación en este "
        "momento.");

    Tfimportar(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, const Configuracion& configuracion);

    // The wizard state.
    int paso() const { return paso_; }
    int tipo() const { return tipo_; }         // 14, 15, 16
    int tipoArchivo() const { return tipoArchivo_; }  // 0 fixed width, 1 delimited
    QString ruta;
    QChar separador = u',';
    QChar delimitador;                          // null: "Ninguno"

    // Step 1, "F2: Siguiente": the chosen item 0..2.
    void siguientePaso1(int elegido);
    // Step 2: the file type, and "F2: Siguiente".
    void fijeTipoArchivo(int tipo) { tipoArchivo_ = tipo; }
    bool siguientePaso2();
    // Step 3: the mapping of this run (DATO, COLUMNA, ANCHO, IMPORTAR).
    DataSet& mapa() { return mapa_; }
    // "F2: Importar". The summary is shown and kept.
    bool importar(const importacion::Avance& avance = {});
    const importacion::Resumen& resumen() const { return resumen_; }
    void atras();
    void salir() { emit cerrar(); }

signals:
    void pasoCambiado(int paso);
    void cerrar();

private:
    void cargueMapa();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    int paso_ = 1;
    int tipo_ = importacion::kProveedores;
    int tipoArchivo_ = 1;
    DataSet mapa_;
    importacion::Resumen resumen_;
};

}  // namespace cxp
