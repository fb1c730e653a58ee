#include "creditors/TablaReferenciaVista.h"

#include "comunes/Presentacion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

TablaReferenciaVista::TablaReferenciaVista(std::unique_ptr<TablaReferencia> logica, Interaccion& interaccion,
                                           ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    const DefinicionTabla& d = logica_->def();
    setObjectName(d.pantalla);
    setWindowTitle(d.titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(d.columnas.size() > 4 ? 760 : 480, 420);
    TablaReferencia* l = logica_.get();

    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F2: Grabar"), [this, &manejador] { manejador.proteger([this] { grabar(); }); });
    if (d.selecciona) botonDePanel(panel, QStringLiteral("F5:Selecciona"), [l] { l->seleccionar(); });
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [l] { l->salir(); });

    rejilla_ = new Rejilla(logica_->filas(), this);
    rejilla_->setObjectName(QStringLiteral("rejilla"));
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(d.titulo);
    rejilla_->setTitulo(d.titulo);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(panel);
    todo->addWidget(rejilla_, 1);

    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F2, [this] { grabar(); });
    // Rows are added with Insert and removed with Ctrl+Delete, as in a data
    // grid; both reach the database with F2.
    teclado_->asignarEn(rejilla_->vista(), Qt::Key_Insert, [this] {
        if (!confirmarEdicion(rejilla_->vista())) return;
        logica_->filas().append();
    });
    teclado_->asignarEn(rejilla_->vista(), Qt::CTRL | Qt::Key_Delete, [this] {
        if (!logica_->filas().isEmpty()) logica_->filas().remove();
    });
    teclado_->asignar(Qt::Key_Escape, [l] { l->salir(); });
    if (d.selecciona) teclado_->asignar(Qt::Key_F5, [l] { l->seleccionar(); });
    connect(l, &TablaReferencia::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    setFocusProxy(rejilla_->vista());
}

TablaReferenciaVista::~TablaReferenciaVista() = default;

void TablaReferenciaVista::grabar() {
    if (!confirmarEdicion(rejilla_->vista())) return;
    logica_->grabar();
}

QWidget* crearTablaReferencia(const QString& pantalla, Sesion& sesion, Interaccion& interaccion,
                              ManejadorErrores& manejador, const Configuracion& configuracion, QWidget* padre) {
    const DefinicionTabla* d = TablaReferencia::definicion(pantalla);
    if (!d) return nullptr;
    auto logica = std::make_unique<TablaReferencia>(*d, sesion, interaccion, manejador, configuracion);
    if (!logica->abrir()) return nullptr;
    return new TablaReferenciaVista(std::move(logica), interaccion, manejador, sesion, padre);
}

std::optional<QVariantMap> elegirCiudad(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                        const Configuracion& configuracion, QWidget* padre) {
    auto logica = std::make_unique<TablaReferencia>(*TablaReferencia::definicion(QStringLiteral("Tfciudades")), sesion,
                                                    interaccion, manejador, configuracion);
    if (!logica->abrir()) return std::nullopt;
    QDialog dialogo(padre);
    dialogo.setWindowTitle(QStringLiteral("Ciudades"));
    auto* vista = new TablaReferenciaVista(std::move(logica), interaccion, manejador, sesion, &dialogo);
    vista->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* capa = new QVBoxLayout(&dialogo);
    capa->setContentsMargins(0, 0, 0, 0);
    capa->addWidget(vista);
    dialogo.resize(vista->size());
    QObject::connect(&vista->logica(), &TablaReferencia::cerrar, &dialogo, &QDialog::accept);
    dialogo.exec();
    return vista->logica().eleccion();
}

}  // namespace cxp
