#pragma once
// One accounting interface definition of the payables documents: "Nueva
// interface contable" (Tfnvainterfaz) and "Modificar interface contable"
// (Tfmodinterfaz). The header (INTERFAZ_CXPAGAR) with its NIIF row
// (INTERFAZ_CXPAGAR_NIIF) and its additional lines (INTERFAZ_CXPAGAR_CTAS)
// is edited as one master with two details and written in one transaction.
// Screen logic only; the widgets are FichaInterfazVista.
#include "data/DataSet.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

namespace cxp {

class Configuracion;
class Contabilidad;
class Interaccion;
class ManejadorErrores;
struct Sesion;

class FichaInterfaz : public QObject {
    Q_OBJECT
public:
    enum class Modo { Nueva, Modificar };

    // A money component of a document: where its account comes from
    // (fuente: N none, T the creditor, I the IVA rate, K the account of the
    // definition) and that account. The same columns on both charts.
    struct Componente {
        QString fuente;
        QString cuenta;
        QString titulo;
        QStringList permitidas;
        QString defecto;  // empty: none
    };
    static const std::vector<Componente>& componentes();
    // The accounts of the four extra discounts (local chart only).
    static const QStringList& descuentos();
    // What an additional line is computed on.
    static const QStringList& bases();

    static inline const QString kLeyenda = QStringLiteral("N:Ninguno  T:Tercero I:Tarifa IVA K:Constante");
    static inline const QString kNoEncontrada = QStringLiteral("No se encontró la interfaz solicitada.");
    // The name a NIIF-tab field goes by in focus requests.
    static QString nombreNiif(const QString& campo) { return QStringLiteral("NIIF.") + campo; }

    using Lista = QList<std::pair<QString, QString>>;  // key, caption

    FichaInterfaz(Modo modo, Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion, QObject* parent = nullptr);
    ~FichaInterfaz() override;

    Modo modo() const { return modo_; }
    QString titulo() const;

    // Nueva: an empty definition with the defaults. Modificar: the
    // definition `id` in edit ("No se encontró la interfaz solicitada." and
    // false when there is none). False after a reported failure.
    bool abrir(int id = 0);

    DataSet& interfaz() { return interfaz_; }
    DataSet& niif() { return niif_; }
    DataSet& lineas() { return lineas_; }

    // The lists of the top part: document types of the payables module,
    // the prefixes of the chosen type, voucher types, and the accounting
    // prefixes of the chosen voucher type.
    const Lista& documentos() const { return documentos_; }
    const QStringList& prefijos() const { return prefijos_; }
    const Lista& comprobantes() const { return comprobantes_; }
    const QStringList& prefijosConta() const { return prefijosConta_; }
    void setPrefijo(const QString& prefijo);
    void setPrefijoConta(const QString& prefijo);

    // The discount accounts are shown by configuration, and on the modify
    // screen only for a definition of charges (type 51).
    bool descuentosVisibles() const;
    // An account field takes text only while its source is K.
    bool cuentaHabilitada(bool niif, const QString& cuenta) const;
    // The last item number given to a line.
    int contador() const { return contador_; }

    // A double click (or "?") in an account field: the chart's list in pick
    // mode, starting at `filtro`; the account chosen goes into the field.
    void buscarCuenta(bool niif, const QString& campo, const QString& filtro);

    // "F2": takes the id of a new definition, posts and writes everything
    // in one transaction, and closes. On a failure the screen stays with the
    // definition in edit and nothing lost; false then.
    bool grabar();
    // "Esc": drops every pending change and closes.
    void cancelar();

signals:
    void cerrar();
    // The prefix lists or the discount accounts' visibility changed.
    void listasCambiadas();
    // A source changed: accounts enabled or emptied.
    void fuentesCambiadas();

private:
    void abrirDatos(int id);
    void cargarListas();
    void cargarPrefijos();
    void cargarPrefijosConta();
    void documentoCambiado();
    void comprobanteCambiado();
    void fuenteCambiada(DataSet& ds, const Componente& c, bool niif);
    void cuentaIngresada(DataSet& ds, const QString& campo, bool niif, bool validar);
    void ponerDefectos(DataSet& ds);
    void editar(DataSet& ds);

    Modo modo_;
    Sesion& sesion_;
    Interaccion& interaccion_;
    ManejadorErrores& manejador_;
    const Configuracion& configuracion_;
    std::unique_ptr<Contabilidad> contabilidad_;

    DataSet interfaz_, niif_, lineas_;
    Lista documentos_, comprobantes_;
    QStringList prefijos_, prefijosConta_;
    int contador_ = 0;
    bool descuentosConfigurados_ = false;
    bool enlazados_ = false;
    bool callado_ = false;  // defaults and chosen accounts: no handlers' side effects
};

}  // namespace cxp
