#pragma once
// The definition of one print format: "Definición de formatos documentos"
// for a new one (Tfdefformato) and the same layout to modify one
// (Tfmodformato). The format row holds the printer, paper, fonts and the
// detail lines per page; its two nested grids hold the data items ("Datos a
// imprimir") and the drawing elements ("Lineas y cuadros "). "F2: Grabar"
// applies the three as one record and closes; "Esc: Cancelar" discards.
// Screen logic only; the widgets are EdicionFormatoVista.
#include "data/DataSet.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <utility>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class EdicionFormato : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSinPrefijos = "Debe crear antes los prefijos para el tipo de documento.";
    static constexpr const char* kYaExiste = "Ya existe un formato para ese documento. Use la opción de modificar.";
    // A format that goes on to further pages needs a number of detail lines
    // per page, or printing would never end.
    static constexpr const char* kRepeticiones =
        "El número de repeticiones de items debe ser mayor que cero cuando se permiten varias páginas.";

    ~EdicionFormato() override;

    DataSet& formato() { return formato_; }
    DataSet& datos() { return datos_; }
    DataSet& lineas() { return lineas_; }

    // The payables document types ("Documento:"): code and long name.
    const QList<std::pair<int, QString>>& tipos() const { return tipos_; }
    // The prefixes of the chosen type ("Prefijo:").
    const QStringList& prefijos() const { return prefijos_; }
    int contadorDatos() const { return contadorDatos_; }
    int contadorLineas() const { return contadorLineas_; }

    // The picture of the current drawing element, and loading one into it.
    QByteArray imagen() const;
    void cargarImagen(const QByteArray& bytes);

    // "F2: Grabar": the printer chosen goes into FORM_IMPRE, the format with
    // its items and elements is applied in one transaction and the screen
    // closes. False when something was refused (the screen stays as typed).
    bool grabar(const QString& impresora);
    // "Esc: Cancelar".
    void cancelar();

signals:
    void prefijosCambiaron();
    void cerrar();

protected:
    EdicionFormato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent);
    // Opens the three datasets on the format of (tipo, prefijo): no rows
    // when it does not exist.
    void leer(const fb::Value& tipo, const fb::Value& prefijo);
    void leerTipos();
    void leerPrefijos(int tipo);
    // Posts what is pending and applies every change; false after a
    // reported refusal or error.
    bool aplicar();

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet formato_, datos_, lineas_;
    QList<std::pair<int, QString>> tipos_;
    QStringList prefijos_;
    int contadorDatos_ = 0;
    int contadorLineas_ = 0;

private:
    void etiquetar();
};

// The new format, in insert state; the document type lists its prefixes and
// a prefix that already has a format is refused.
class Tfdefformato : public EdicionFormato {
    Q_OBJECT
public:
    Tfdefformato(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);
    // False after a reported error.
    bool abrir();
};

// An existing format, by the document type and prefix its caller gives.
class Tfmodformato : public EdicionFormato {
    Q_OBJECT
public:
    static constexpr const char* kNingunFormato = "Error.No se encuentra el Formato solicitado";
    static constexpr const char* kNoEncontrado = "Formato no encontrado.";

    // Prints the document of (tipo, prefijo, id) to the screen.
    using Impresor = std::function<void(int tipo, const QString& prefijo, int64_t id)>;
    // Runs the shift dialog on (tipo, prefijo); true when it changed the format.
    using DialogoMover = std::function<bool(int tipo, const QString& prefijo)>;

    Tfmodformato(int tipo, const QString& prefijo, Sesion& sesion, Interaccion& interaccion,
                 ManejadorErrores& manejador, QObject* parent = nullptr);
    int tipo() const { return tipo_; }
    const QString& prefijo() const { return prefijo_; }

    // False, with its message, when the format is not there: the screen
    // does not open.
    bool abrir();

    // "F5: Mover": applies the changes, runs the shift dialog and reads the
    // format again when it moved something. True when it did.
    bool mover(const DialogoMover& dialogo);

    // "F8: Vista previa": applies the changes and prints the last document
    // of the prefix. False when nothing was printed (the reason told).
    void setImpresor(Impresor impresor) { impresor_ = std::move(impresor); }
    bool tieneVistaPrevia() const { return bool(impresor_); }
    bool vistaPrevia();
    // The id of the last document of the prefix, 0 when there is none, and
    // the message for that; nullopt for a type without a trial print.
    struct UltimoDocumento {
        QString consulta;
        QString sinDocumento;
    };
    static std::optional<UltimoDocumento> ultimoDocumento(int tipo);

private:
    int tipo_;
    QString prefijo_;
    Impresor impresor_;
};

}  // namespace cxp
