#pragma once
// The creditor reports that share the creditor panel ("Ordenamiento", a
// grouping, the group and creditor ranges, the dates): the creditor
// directory, documents by creditor, the statement of account and the
// withholdings by creditor.
#include "printing/reportes/PantallaInforme.h"

namespace cxp {

// What the creditor panel holds, read by the report's query.
class InformeAcreedores : public PantallaInforme {
    Q_OBJECT
public:
    enum class Orden { Nit, Nombre };
    enum class Agrupar { Ninguno, Ciudad, Grupo };

    using PantallaInforme::PantallaInforme;
    // The dates of the current month; the currency selector by configuration.
    bool abrir();

    Orden orden = Orden::Nit;
    Agrupar agrupar = Agrupar::Ninguno;
    QString grupoDesde, grupoHasta;
    QString nitDesde, nitHasta;
    QDate desde, hasta;
    bool detalle = false;

protected:
    // The procedure's flags: 'C' by NIT or 'N' by name; 'N', 'C' city, 'Z' group.
    QString banderaOrden() const;
    QString banderaAgrupar() const;
    // " order by " + zone or city by the grouping + NOMBRE or NIT.
    QString ordenSql() const;
    // The group bands the grouping leaves out.
    QSet<QString> bandasOcultas() const;
    QString subtituloFechas() const;
};

// "Proveedores": the creditor directory or, with "Agenda", the creditors'
// address book.
class Tfrepoproveedor : public InformeAcreedores {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Proveedores");
    inline static const QString kArchivo = QStringLiteral("RepProveedores");
    inline static const QString kDiseno = QStringLiteral("repoproveedores.xml");

    Tfrepoproveedor(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion);
    bool agenda = false;

protected:
    std::optional<Pedido> pedido() override;
};

// "Documentos Por Proveedor": the documents of one kind by creditor.
class TfrepDoc_prov : public InformeAcreedores {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Documentos Por Proveedor");
    inline static const QString kArchivo = QStringLiteral("RepDocProv");
    inline static const QString kDiseno = QStringLiteral("repodocxprovee.xml");
    // "Comprobantes", in order: the type asked is 51 + the position.
    inline static const QStringList kComprobantes{QStringLiteral("Nota Debito"), QStringLiteral("Nota Credito"),
                                                  QStringLiteral("Aplicación"), QStringLiteral("Pago"),
                                                  QStringLiteral("Anticipos")};

    TfrepDoc_prov(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                  const Configuracion& configuracion);
    int comprobante = 0;
    bool anulados = false;
    int agencia = 0;

protected:
    std::optional<Pedido> pedido() override;
};

// "Estado de Cuenta": the movement of each creditor between two dates.
class Tfrepoestdocuentas : public InformeAcreedores {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Estado de Cuenta");
    inline static const QString kArchivo = QStringLiteral("RepEstCta");
    inline static const QString kDiseno = QStringLiteral("repestcuenta.xml");

    Tfrepoestdocuentas(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                       const Configuracion& configuracion);
    QString observaciones;

protected:
    std::optional<Pedido> pedido() override;
};

// "Retención Por Proveedor": the withholdings practised on each creditor.
class Tfreporelaprov : public InformeAcreedores {
    Q_OBJECT
public:
    inline static const QString kTitulo = QStringLiteral("Retención Por Proveedor");
    inline static const QString kArchivo = QStringLiteral("RepRetenciones");
    inline static const QString kDiseno = QStringLiteral("reporelaprov.xml");

    Tfreporelaprov(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                   const Configuracion& configuracion);
    bool sinRetenciones = false;  // "Incluir prov. sin retenciones"

protected:
    std::optional<Pedido> pedido() override;
};

}  // namespace cxp
