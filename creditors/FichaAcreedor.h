#pragma once
// The creditor record: "Nuevo acreedor" (Tfnvotercero) and "Modificar
// acreedor" (Tfmodtercero). A third party (TERCEROS) with its supplier row
// (PROVEEDORES) and its contacts, edited as one master with two details and
// written in one transaction. Screen logic only; the widgets are
// FichaAcreedorVista.
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <optional>
#include <memory>

namespace cxp {

class Configuracion;
class Contabilidad;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class FichaAcreedor : public QObject {
    Q_OBJECT
public:
    enum class Modo { Nuevo, Modificar };
    static inline const QString kAccesoNegado =
        QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");

    FichaAcreedor(Modo modo, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, QObject* parent = nullptr);
    ~FichaAcreedor() override;

    Modo modo() const { return modo_; }
    QString titulo() const;

    // Nuevo: without right 0 the refusal and false; else an empty creditor.
    // Modificar: the creditor of `nit` in edit ("Error. No se encontró el
    // tercero." and false when there is none). False after a reported error.
    bool abrir(const QString& nit = {});

    DataSet& tercero() { return tercero_; }
    DataSet& proveedor() { return proveedor_; }
    DataSet& contactos() { return contactos_; }

    const QList<OpcionBusqueda>& grupos() const { return grupos_; }
    const QList<OpcionBusqueda>& tiposId() const { return tipos_; }
    const QList<OpcionBusqueda>& ciudades() const { return ciudades_; }
    const QList<OpcionBusqueda>& paises() const { return paises_; }
    const QList<OpcionBusqueda>& bancos() const { return bancos_; }

    // Configuration switches, read when the screen opens.
    bool letrasEnNit() const { return letrasEnNit_; }
    bool dvEditable() const { return dvEditable_; }
    bool direccionObligatoria() const { return direccionObligatoria_; }
    const QString& tituloFax() const { return tituloFax_; }
    // The modify screen without right 0 cannot save.
    bool puedeGrabar() const { return puedeGrabar_; }
    // A natural person (any type but "J") types the four name parts.
    bool personaNatural() const;
    // "Registro: <date>-<time> <user>" of the latest insert or update.
    const QString& registro() const { return registro_; }

    // The account columns and whether each is of the NIIF chart.
    static const QStringList& cuentasLocales();
    static const QStringList& cuentasNiif();
    // An account field's lookup ("?" typed, or a double click): the chosen
    // account goes into the field.
    void buscarCuenta(const QString& campo, const QString& filtro);

    // The button beside the city: the cities screen as a picker; the city
    // chosen there (perhaps just created) becomes the third party's.
    void elegirCiudad();

    // The stored name of a natural person: the four parts joined with single
    // spaces, empty parts included.
    static QString nombreCompuesto(const QString& apellido1, const QString& apellido2, const QString& nombre1,
                                   const QString& nombre2);

    // "F2": validates, writes, copies to the sister companies; the new screen
    // starts the next creditor, the modify screen closes. False when
    // something was refused (the screen stays).
    bool grabar();
    // The last creditor this screen saved, {"nit", "nombre"}; nothing
    // before the first save.
    const std::optional<QVariantMap>& grabado() const { return grabado_; }
    // "Esc": drops pending changes and closes.
    void salir();

    // The copies to sister companies after a save; set by the program
    // (tests may leave it out). Receives the saved NIT.
    void setReplicar(std::function<void(const QString&)> replicar) { replicar_ = std::move(replicar); }

signals:
    void cerrar();
    // A new empty creditor was started (after a save): the view refreshes.
    void reiniciado();
    // The identification type switched between person and entity.
    void tipoCambiado(bool natural);

private:
    void cargarListas();
    void abrirTercero(const QString& nit);
    void nuevo();
    void nitIngresado();
    void tipoIngresado();
    void ciudadIngresada();
    void grupoIngresado();
    void cuentaIngresada(DataSet& ds, const QString& campo);
    void copiarCuentasDelGrupo(const QString& grupo);
    void editarProveedor();
    bool validar();
    void asegurarProveedor();

    Modo modo_;
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    std::unique_ptr<Contabilidad> contabilidad_;
    std::function<void(const QString&)> replicar_;

    DataSet tercero_, proveedor_, contactos_;
    QList<OpcionBusqueda> grupos_, tipos_, ciudades_, paises_, bancos_;
    bool letrasEnNit_ = true;
    bool dvEditable_ = true;
    bool direccionObligatoria_ = false;
    QString tituloFax_ = QStringLiteral("Fax:");
    QString ciudadSugerida_;
    bool puedeGrabar_ = true;
    QString registro_;
    std::optional<QVariantMap> grabado_;
    int ultimoContacto_ = 0;
    bool cerrando_ = false;
    bool enlazados_ = false;
    bool copiandoGrupo_ = false;
};

}  // namespace cxp
