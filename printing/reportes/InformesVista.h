#pragma once
// The widgets of the creditor reports (directory, documents by creditor,
// statement of account, withholdings) on the shared creditor panel, and of
// the document listings (by consecutive number, by date).
#include "printing/reportes/InformesAcreedor.h"
#include "printing/reportes/InformesComprobantes.h"
#include "printing/reportes/Tfcertretencion.h"
#include "printing/reportes/VistaInforme.h"

#include <memory>

class QComboBox;
class QHBoxLayout;
class QSpinBox;

namespace cxp {

class VistaAcreedores : public VistaInforme {
    Q_OBJECT
public:
    struct Opciones {
        QString nombre, titulo;
        QString tituloAgrupar;
        QStringList agrupaciones;
        std::vector<InformeAcreedores::Agrupar> agrupar;  // one per grouping
        bool fechas = true;
        bool moneda = true;
        // "Detalle de comprobantes"; empty: none (the screen has its own)
        QString detalle = QStringLiteral("Detalle de comprobantes");
    };
    VistaAcreedores(std::unique_ptr<InformeAcreedores> logica, const Opciones& opciones, Interaccion& interaccion,
                    ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre = nullptr);
    ~VistaAcreedores() override;

    InformeAcreedores& logica() { return *logica_; }
    // What the screen adds, read after the common fields.
    std::function<void()> leerPropios;
    QCheckBox* casilla(const QString& nombre, const QString& texto);
    using VistaInforme::fila;
    QLineEdit* titulo() const { return titulo_; }

protected:
    void leerCampos() override;

private:
    std::unique_ptr<InformeAcreedores> logica_;
    std::vector<InformeAcreedores::Agrupar> agrupar_;
    QDateEdit* desde_ = nullptr;
    QDateEdit* hasta_ = nullptr;
    QCheckBox* detalle_ = nullptr;
    QLineEdit* titulo_;
    QHBoxLayout* casillas_;
};

class VistaComprobantes : public VistaInforme {
    Q_OBJECT
public:
    VistaComprobantes(std::unique_ptr<InformeComprobantes> logica, const QString& nombre, const QString& titulo,
                      Interaccion& interaccion, ManejadorErrores& manejador, const Sesion& sesion,
                      QWidget* padre = nullptr);
    ~VistaComprobantes() override;

protected:
    void leerCampos() override;

private:
    std::unique_ptr<InformeComprobantes> logica_;
    QCheckBox* cargos_;
    QCheckBox* descuentos_;
    QCheckBox* aplicaciones_;
    QCheckBox* anticipos_;
    QCheckBox* detalle_;
    QCheckBox* anulados_;
    QLineEdit* numeroDesde_ = nullptr;
    QLineEdit* numeroHasta_ = nullptr;
    QDateEdit* desde_ = nullptr;
    QDateEdit* hasta_ = nullptr;
    QLineEdit* prefijoDesde_;
    QLineEdit* prefijoHasta_;
    QSpinBox* agencia_;
    QLineEdit* titulo_;
};

// "Certificados de retención": F2 prints them, F6 writes one PDF per
// creditor into a folder chosen then.
class VistaCertificados : public VistaInforme {
    Q_OBJECT
public:
    VistaCertificados(std::unique_ptr<Tfcertretencion> logica, Interaccion& interaccion, ManejadorErrores& manejador,
                      const Sesion& sesion, QWidget* padre = nullptr);
    ~VistaCertificados() override;
    void pdfPorAcreedor();

protected:
    void leerCampos() override;

private:
    std::unique_ptr<Tfcertretencion> logica_;
    QDateEdit* desde_;
    QDateEdit* hasta_;
    QLineEdit* nitDesde_;
    QLineEdit* nitHasta_;
    QLineEdit* lugar_;
    QDateEdit* expedicion_;
    QLineEdit* titulo_;
};

QWidget* crearTfcertretencion(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                              QWidget* padre = nullptr);
QWidget* crearTfrepoproveedor(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                              QWidget* padre = nullptr);
QWidget* crearTfrepDoc_prov(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                            QWidget* padre = nullptr);
QWidget* crearTfrepoestdocuentas(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                                 QWidget* padre = nullptr);
QWidget* crearTfreporelaprov(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                             QWidget* padre = nullptr);
QWidget* crearTfrepoconsecutivo(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                                QWidget* padre = nullptr);
QWidget* crearTfrepocrono(Sesion&, Interaccion&, ManejadorErrores&, const Configuracion&, const QVariantMap&,
                          QWidget* padre = nullptr);

}  // namespace cxp
