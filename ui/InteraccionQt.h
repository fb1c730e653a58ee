#pragma once
// The program's own Interaccion: Spanish message boxes, focus requests
// delivered to the screen the person works in, and screens and pickers
// opened by name through registries filled at start-up.
#include "data/Interaccion.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace cxp {

class InteraccionQt : public QObject, public Interaccion {
    Q_OBJECT
public:
    using FabricaPantalla = std::function<QWidget*(const QVariantMap&)>;
    using Selector = std::function<std::optional<QVariantMap>(const QVariantMap&)>;
    using ManejadorEnfoque = std::function<void(const QString&)>;

    explicit InteraccionQt(QObject* parent = nullptr);

    // The window the boxes are centred on (the main window).
    void setVentana(QWidget* ventana) { ventana_ = ventana; }

    void informacion(const QString& texto) override;
    void error(const QString& texto) override;
    void advertencia(const QString& texto) override;
    bool preguntar(const QString& texto) override;
    bool reintentar(const QString& texto) override;
    void pitar() override;
    void mensaje_error(const QString& texto) override;
    static constexpr int kEsperasMensajeError = 10;
    static constexpr int kEsperaMensajeErrorMs = 500;

    // Goes to the screen the person last worked in (the one holding the
    // focus, else the one setPantallaActual names, else the newest view
    // still open): its registered handler, or else its child whose object
    // name or "campo" property equals campo ignoring case.
    void enfocar(const QString& campo) override;

    // A screen the factory builds; nullptr from the factory means it chose
    // not to open (and said why). An unregistered name shows nothing.
    // Opened while a modal picker holds the input, the screen goes over the
    // picker in a modal frame of its own and the call returns once the
    // screen is closed.
    bool abrirPantalla(const QString& pantalla, const QVariantMap& argumentos = {}) override;
    // A picker that nobody registered gives no choice.
    std::optional<QVariantMap> elegir(const QString& selector, const QVariantMap& argumentos = {}) override;

    void registrarPantalla(const QString& nombre, FabricaPantalla fabrica);
    void registrarSelector(const QString& nombre, Selector selector);
    bool tienePantalla(const QString& nombre) const { return pantallas_.contains(nombre); }
    bool tieneSelector(const QString& nombre) const { return selectores_.contains(nombre); }
    QStringList pantallas() const { return pantallas_.keys(); }

    // How a new screen is shown: the main window adds it to its MDI area.
    // Without it the screen is shown as a window of its own.
    void setMostrarHija(std::function<void(QWidget*)> mostrar) { mostrarHija_ = std::move(mostrar); }

    // A view that takes focus requests. The entry goes with the view.
    void registrarEnfoque(QWidget* vista, ManejadorEnfoque manejador = {});
    // The main window's active child, consulted when the focus is outside
    // every registered view.
    void setPantallaActual(std::function<QWidget*()> actual) { pantallaActual_ = std::move(actual); }

    // The child of raiz named campo (object name or "campo" property,
    // ignoring case) that can take the focus, or nullptr.
    static QWidget* buscarCampo(QWidget* raiz, const QString& campo);

    // The picker name InteraccionQt answers itself: the annulment reason,
    // returned as {"razon": text} (an empty text when accepted empty).
    static constexpr const char* selectorRazon = "PanelRazon";

private:
    struct Vista {
        QPointer<QWidget> widget;
        ManejadorEnfoque manejador;
    };
    int caja(int icono, const QString& titulo, const QString& texto, const QStringList& botones, int porDefecto);
    Vista* vistaDe(QWidget* w);
    void focoCambio(QWidget* ahora);
    void mostrarSobre(QWidget* modal, QWidget* w);

    QPointer<QWidget> ventana_;
    QHash<QString, FabricaPantalla> pantallas_;
    QHash<QString, Selector> selectores_;
    std::function<void(QWidget*)> mostrarHija_;
    std::function<QWidget*()> pantallaActual_;
    std::vector<Vista> vistas_;
    QPointer<QWidget> ultimaVista_;
};

}  // namespace cxp
