#pragma once
// The numbering authorizations screen "Autorizaciones de numeración": the
// official authorizations under which the charges (type 51) are numbered,
// one row per authorization number and prefix. The columns the other
// modules of the suite keep in AUTORIZACIONES are carried through untouched.
// Screen logic only; the widgets are TfautorizacionVista.
#include "data/DataSet.h"

#include <QObject>
#include <QStringList>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class Tfautorizacion : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Autorizaciones de numeración");
    static constexpr int kTipoCargos = 51;
    static constexpr int kDerecho = 124;
    static inline const QString kModulo = QStringLiteral("COMPRAS");
    static inline const QString kSinPrefijos =
        QStringLiteral("Debe registrar antes al menos un prefijo para los cargos.");
    static inline const QString kAccesoNegado =
        QStringLiteral("Acceso no permitido. comuníquese con el administrador del sistema.");
    // The columns the grid shows, in its order.
    static const QStringList& columnas();

    Tfautorizacion(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);
    ~Tfautorizacion() override;

    // Opens the charges' prefixes and the authorizations and checks the
    // right. False, after its message, when there is no prefix, when the
    // right is missing or when a database error was reported: the screen
    // does not open then.
    bool abrir();

    DataSet& prefijos() { return prefijos_; }
    DataSet& autorizaciones() { return autorizaciones_; }
    // The prefix column's pick list.
    QStringList listaPrefijos() const;

    // A new authorization row with its defaults.
    bool nueva();
    // "F2: Grabar": applies every change and closes when the database takes
    // them. A row without number is cancelled and the save stops silently.
    bool grabar();
    // "Esc:Salir": leaves without applying.
    void salir();

signals:
    void cerrar();

private:
    void antesDeGrabar(DataSet& ds);
    void alMoverse(DataSet& ds);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet prefijos_;
    DataSet autorizaciones_;
    bool cancelado_ = false;
    bool abriendo_ = false;
};

}  // namespace cxp
