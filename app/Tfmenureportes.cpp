#include "app/Tfmenureportes.h"

#include "app/Iconos.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QToolButton>

namespace cxp {

namespace {

struct Menu {
    QString nombre;
    QString titulo;
    std::vector<Comando> comandos;
    QStringList dibujos;
};

Comando abre(const char* id, const char* titulo, int derecho, const char* pantalla) {
    Comando c;
    c.id = QString::fromUtf8(id);
    c.titulo = QString::fromUtf8(titulo);
    c.derecho = derecho;
    c.pantalla = QString::fromUtf8(pantalla);
    return c;
}

const std::vector<Menu>& menus() {
    // The rights are the main menu's for the same screens.
    static const std::vector<Menu> m{
        {QStringLiteral("Tfmenureportes1"),
         QStringLiteral("Informes"),
         {abre("mr.proveedores", "Proveedores", 70, "Tfrepoproveedor"),
          abre("mr.movimientos", "Movimientos", -1, "Tfmenureportes3"),
          abre("mr.comprobantes", "Comprobantes", -1, "Tfmenureportes"),
          abre("mr.cxpagar", "Cuentas x pagar", -1, "Tfmenureportes2")},
         {"acreedor", "pago", "cargo", "informes"}},
        {QStringLiteral("Tfmenureportes"),
         QStringLiteral("Inf. documentos"),
         {abre("mr.cronologico", " C&ronológico", 80, "Tfrepocrono"),
          abre("mr.consecutivos", "&Consecutivos", 81, "Tfrepoconsecutivo")},
         {"cargo", "descuento"}},
        {QStringLiteral("Tfmenureportes2"),
         QStringLiteral("Cuentas por Pagar"),
         {abre("mr.relacion", "Cuentas x pagar", 100, "Tfrepocxpaga"),
          abre("mr.analisis", "Análisis c. x pagar", 101, "Tfrepoanalisi"),
          abre("mr.docacreedor", "Doc. x acreedor", 102, "TfrepDoc_prov"),
          abre("mr.certificados", "Certificados de retención", 100, "Tfcertretencion")},
         {"informes", "aplicacion", "acreedor", "descuento"}},
        {QStringLiteral("Tfmenureportes3"),
         QStringLiteral("Inf. Movimiento"),
         {abre("mr.movacreedor", "Mov. x acreedor", 90, "Tfrepomovprove"),
          abre("mr.estado", "Estado de cuenta", 91, "Tfrepoestdocuentas"),
          abre("mr.retenciones", "Retenciones", 92, "Tfreporelaprov")},
         {"pago", "anticipo", "descuento"}},
    };
    return m;
}

const Menu& menu(const QString& nombre) {
    for (const Menu& m : menus())
        if (m.nombre == nombre) return m;
    return menus().front();
}

}  // namespace

const QStringList& Tfmenureportes::nombres() {
    static const QStringList n = [] {
        QStringList r;
        for (const Menu& m : menus()) r << m.nombre;
        return r;
    }();
    return n;
}

Tfmenureportes::Tfmenureportes(const QString& nombre, Despachador::Acceso acceso, Despachador::Existe existe,
                               Interaccion& interaccion, std::function<void(const std::function<void()>&)> ejecutor,
                               QWidget* parent)
    : QWidget(parent, Qt::Tool),
      despachador_(interaccion, std::move(acceso), std::move(existe), menu(nombre).comandos) {
    const Menu& m = menu(nombre);
    setObjectName(m.nombre);
    setWindowTitle(m.titulo);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent) move(parent->geometry().topLeft() + QPoint(1, 220));

    auto* capa = new QGridLayout(this);
    capa->setSpacing(2);
    int fila = 0;
    for (const Comando& c : m.comandos) {
        auto* b = new QPushButton(c.titulo, this);
        b->setObjectName(c.id);
        b->setMinimumWidth(150);
        auto* dibujo = new QToolButton(this);
        dibujo->setObjectName(QStringLiteral("dibujo_") + c.id);
        dibujo->setIcon(iconos::icono(m.dibujos.value(fila), 32));
        dibujo->setIconSize(QSize(32, 32));
        dibujo->setFocusPolicy(Qt::NoFocus);
        capa->addWidget(dibujo, fila, 0);
        capa->addWidget(b, fila, 1);
        ++fila;
        // A screen this build lacks leaves its button disabled; one the
        // person may not use refuses with the message.
        bool activo = despachador_.disponibleSinDerechos(c.id);
        ejecutor([&] { activo = despachador_.disponible(c.id); });
        b->setEnabled(activo);
        dibujo->setEnabled(activo);
        const QString id = c.id;
        auto correr = ejecutor;
        const auto abrir = [this, id, correr] { correr([this, id] { despachador_.ejecutar(id); }); };
        connect(b, &QPushButton::clicked, this, abrir);
        connect(dibujo, &QToolButton::clicked, this, abrir);
        botones_.emplace_back(c.id, b);
    }
    capa->setRowStretch(fila, 1);
    adjustSize();
}

QPushButton* Tfmenureportes::boton(const QString& comando) const {
    for (const auto& [id, b] : botones_)
        if (id == comando) return b;
    return nullptr;
}

void Tfmenureportes::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(evento);
}

}  // namespace cxp
