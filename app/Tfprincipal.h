#pragma once
// The main window: an MDI frame with the menus of the command table, the
// left column of text and picture buttons, the header with company, user
// and agency, the consult buttons and the status bar. Its first showing
// runs the session's first activation; closing it removes the connection
// mark. Commands go through the dispatcher, which checks the rights.
#include "app/Activacion.h"
#include "app/Comandos.h"
#include "app/ParametrosLinea.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
class QPushButton;
class QToolButton;

namespace cxp {

class BarraEstado;
class BarraEstadoVista;
class NombresCampos;
class Configuracion;
class InteraccionQt;
class ManejadorErrores;
class PanelDegradado;
class SondeoMensajes;
struct Sesion;

class Tfprincipal : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kReservaColumna = 180;  // pixels of the client height the buttons leave
    static constexpr int kBotones = 8;
    static constexpr int kLogoDesdeDerecha = 180;
    static inline const QString kTitulo = QStringLiteral("C x Pagar - Quelmar 2021");

    struct Servicios {
        Sesion& sesion;
        InteraccionQt& interaccion;
        Configuracion& configuracion;
        ManejadorErrores& errores;
        BarraEstado& barra;
    };

    Tfprincipal(Servicios servicios, ParametrosLinea parametros, QWidget* parent = nullptr);
    ~Tfprincipal() override;

    // h = (client height − 180) / 8, a whole number (never below 0).
    static int alturaBoton(int alturaCliente);
    // The client height: the window less its menu bar.
    int alturaCliente() const;

    // The first activation (normally run once, right after the first show).
    void activar();
    bool activada() const { return activada_; }
    bool aceptada() const { return activacion_.aceptada(); }
    const Activacion& activacion() const { return activacion_; }

    // A stop signal (logout, kill): the session ends as the window's close
    // ends it, the connection mark cleared and the program returning (the
    // connections detach on the way out), without asking the open screens
    // anything: nobody is there to answer.
    void terminar();

    // Enables the commands that do something for this person in this
    // build: their screen, their fallback's, or the refusal message.
    void aplicarDerechos();
    // Runs a command of the table through the central error handler.
    void ejecutar(const QString& comando);

    // For tests: actions by command id or by the window's own ids
    // ("archivo.impresora", "ventana.cascada", ...), buttons by command id.
    QAction* accion(const QString& id) const { return acciones_.value(id); }
    QMenu* menu(const QString& ruta) const { return menus_.value(ruta); }
    QPushButton* boton(const QString& comando) const { return botones_.value(comando); }
    QToolButton* botonImagen(const QString& comando) const { return imagenes_.value(comando); }
    QMdiArea* mdi() const { return mdi_; }
    QLabel* etiqueta(const QString& nombre) const;
    PanelDegradado* panel(int i) const { return paneles_[i]; }
    SondeoMensajes* sondeo() const { return sondeo_; }

signals:
    void activacionTerminada(bool aceptada);
    void cerrada();

protected:
    void showEvent(QShowEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void crearMenus();
    void crearCuerpo();
    void registrarPantallas();
    QAction* nuevaAccion(QMenu* menu, const QString& id, const QString& titulo, const QString& atajo = {});
    QMenu* submenu(const QString& ruta);
    void reubicar();
    void mostrarEncabezado();
    void pintarPaneles();
    void mostrarHija(QWidget* w);
    void mosaico(Qt::Orientation orientacion);
    void organizarIconos();
    void portapapeles(const char* metodo);
    void configurarImpresora();
    void acercaDe();
    void recargarConfiguracion();

    Sesion& sesion_;
    InteraccionQt& interaccion_;
    Configuracion& configuracion_;
    ManejadorErrores& errores_;
    BarraEstado& barra_;
    ParametrosLinea parametros_;
    Activacion activacion_;
    std::unique_ptr<Despachador> despachador_;
    std::unique_ptr<QPrinter> impresora_;

    QMdiArea* mdi_ = nullptr;
    PanelDegradado* paneles_[3] = {};
    QWidget* columna_ = nullptr;
    QLabel* logo_ = nullptr;
    QHash<QString, QLabel*> etiquetas_;
    QHash<QString, QAction*> acciones_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QPushButton*> botones_;
    QHash<QString, QToolButton*> imagenes_;
    // Alt + letter of the hidden accelerators → the command of its button.
    QHash<int, QString> aceleradores_;
    SondeoMensajes* sondeo_ = nullptr;
    std::unique_ptr<NombresCampos> nombresCampos_;
    bool activada_ = false;
    bool cerrando_ = false;
};

}  // namespace cxp
