#pragma once
// The numbering screen "Registro de consecutivos": the document types,
// ordered by long name, with their prefixes nested under each; the
// "Documento:" list chooses the type whose prefixes the grid shows. F2
// applies every change of every type in one transaction and closes; Esc
// leaves without applying. Screen logic only; the widgets are TFConsecutVista.
#include "comunes/Opciones.h"
#include "data/DataSet.h"

#include <QList>
#include <QObject>
#include <QStringList>

namespace cxp {

class Interaccion;
class ManejadorErrores;
struct Sesion;

class TFConsecut : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitulo = QStringLiteral("Registro de consecutivos");
    // The looked-up columns of the grid: the voucher type by its name
    // (TIPO_COMPROBANTE) and the agency by its name (SUCURSALES).
    static inline const QString kComprobante = QStringLiteral("COMPROBANTE");
    static inline const QString kAgencia = QStringLiteral("AGENCIA");
    // Agency 0: the prefix serves every agency.
    static inline const QString kTodas = QStringLiteral("Todas");
    // The user stamp holds ten characters.
    static constexpr int kLargoUsuario = 10;
    // The current number takes up to eight digits.
    static constexpr int kDigitosActual = 8;

    TFConsecut(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, QObject* parent = nullptr);
    ~TFConsecut() override;

    // Opens the types with their prefixes and the two lookups and moves to
    // the first type. False when a database error was reported; the screen
    // does not open then.
    bool abrir();

    DataSet& tipos() { return tipos_; }
    DataSet& prefijos() { return prefijos_; }

    // The "Documento:" list: the long names, in the types' order.
    QStringList documentos() const;
    int documentoActual() const { return tipos_.currentRow(); }
    // Moves to a type. A pending prefix row is posted first; when it cannot
    // be (the error is reported) the screen stays on the type it was on.
    bool elegirDocumento(int indice);

    const QList<OpcionBusqueda>& comprobantes() const { return comprobantes_; }
    const QList<OpcionBusqueda>& agencias() const { return agencias_; }

    // A new prefix row of the current type, with its defaults.
    bool nuevoPrefijo();

    // "F2: Grabar": posts the pending rows and applies every change in one
    // transaction, then closes. A row cancelled for its empty prefix stops
    // the save without a word; a refusal of the database is reported and the
    // screen stays with the changes.
    bool grabar();
    // "Esc:Salir": pending edits are cancelled, nothing is applied.
    void salir();

    // The current number as the grid takes it: digits only, at most eight.
    static bool numeroValido(const QString& numero);

    static QString consultaTipos();
    static QString consultaPrefijos();

signals:
    void cerrar();

private:
    void abrirBusquedas();
    void definirPrefijos();
    void antesDeGrabarPrefijo(DataSet& ds);
    void antesDeGrabarTipo(DataSet& ds);
    bool postear(DataSet& ds, const QString& nombre);

    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    DataSet tipos_;
    DataSet prefijos_;
    QList<OpcionBusqueda> comprobantes_;
    QList<OpcionBusqueda> agencias_;
    // A hook cancelled a row on its way to being stored.
    bool cancelado_ = false;
};

}  // namespace cxp
