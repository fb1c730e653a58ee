#pragma once
// The pickers of accounts, cost centres, third parties and fixed assets:
// each a small configuration of Seleccion. Their names, arguments and
// choice keys are those of data/Selectores.h.
#include "comunes/Seleccion.h"

#include <memory>

namespace cxp {

// Accounts of the local chart (CUENTAS) or, with "niif", of the NIIF chart
// (CUENTAS_NIIF). Every account is listed; an inactive one shows red and a
// heading account (with sub-accounts, or of fewer than six digits, which
// takes no movements) grey, and neither can be chosen. Choice: "cuenta".
class SeleccionCuentas : public Seleccion {
public:
    static constexpr int kDigitosAfectables = 6;

    SeleccionCuentas(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                     const QVariantMap& argumentos);
    bool niif() const { return niif_; }
    QString tabla() const;

    QString titulo() const override;
    std::vector<ColumnaSeleccion> columnas() const override;
    QString consulta(const QString& texto) const override;
    MarcaFila marca(const RecordRef& fila) const override;
    QString leyenda() const override;
    Eleccion elegir(const RecordRef& fila) const override;

private:
    bool niif_ = false;
};

// Active cost centres of active projects; with "agencia", only those of
// that agency and of every agency (0). Choice: "proyecto", "centro".
class SeleccionCentros : public Seleccion {
public:
    SeleccionCentros(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                     const QVariantMap& argumentos);
    std::optional<int> agencia() const { return agencia_; }

    QString titulo() const override;
    std::vector<ColumnaSeleccion> columnas() const override;
    QString consulta(const QString& texto) const override;
    Eleccion elegir(const RecordRef& fila) const override;

private:
    std::optional<int> agencia_;
};

// Active third parties; with "proveedores", creditors only. Choice: "nit",
// "nombre".
class SeleccionTerceros : public Seleccion {
public:
    SeleccionTerceros(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                      const QVariantMap& argumentos);
    bool soloProveedores() const { return proveedores_; }

    QString titulo() const override;
    std::vector<ColumnaSeleccion> columnas() const override;
    QString consulta(const QString& texto) const override;
    Eleccion elegir(const RecordRef& fila) const override;

private:
    bool proveedores_ = false;
};

// Active fixed assets. Choice: "codigo", "descripcion".
class SeleccionActivos : public Seleccion {
public:
    SeleccionActivos(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                     const QVariantMap& argumentos);

    QString titulo() const override;
    std::vector<ColumnaSeleccion> columnas() const override;
    QString consulta(const QString& texto) const override;
    Eleccion elegir(const RecordRef& fila) const override;
};

// Active articles of the inventory. Choice: "codigo", "nombre".
class SeleccionArticulos : public Seleccion {
public:
    SeleccionArticulos(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                       const QVariantMap& argumentos);

    QString titulo() const override;
    std::vector<ColumnaSeleccion> columnas() const override;
    QString consulta(const QString& texto) const override;
    Eleccion elegir(const RecordRef& fila) const override;
};

// Purchase invoices, newest first. Choice: "id", "numero".
class SeleccionFacturasCompra : public Seleccion {
public:
    SeleccionFacturasCompra(fb::Database& db, Interaccion& interaccion, ManejadorErrores& manejador,
                            const QVariantMap& argumentos);

    QString titulo() const override;
    std::vector<ColumnaSeleccion> columnas() const override;
    QString consulta(const QString& texto) const override;
    Eleccion elegir(const RecordRef& fila) const override;

private:
    QString nit_;
};

// The picker of a name of data/Selectores.h (all but the new account);
// nullptr for any other name.
std::unique_ptr<Seleccion> crearSeleccion(const QString& nombre, fb::Database& db, Interaccion& interaccion,
                                          ManejadorErrores& manejador, const QVariantMap& argumentos);

}  // namespace cxp
