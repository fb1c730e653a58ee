#include "ui/BusquedaBase.h"

#include "data/Interaccion.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QDialog>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

BusquedaBase::BusquedaBase(Interaccion& interaccion, QWidget* parent) : QWidget(parent), interaccion_(interaccion) {
    auto* capa = new QVBoxLayout(this);

    superior_ = new QHBoxLayout;
    grupoColumnas_ = new QGroupBox(QStringLiteral("Buscar por:"), this);
    capaColumnas_ = new QHBoxLayout(grupoColumnas_);
    opciones_ = new QButtonGroup(this);
    superior_->addWidget(grupoColumnas_);

    auto* bloque = new QVBoxLayout;
    auto* etiqueta = new QLabel(QStringLiteral("Texto a buscar:"), this);
    texto_ = new QLineEdit(this);
    texto_->setObjectName(QStringLiteral("textoBuscar"));
    texto_->setMinimumWidth(220);
    etiqueta->setBuddy(texto_);
    auto* fila = new QHBoxLayout;
    fila->addWidget(etiqueta);
    fila->addWidget(texto_, 1);
    botonBuscar_ = new QPushButton(QStringLiteral("Buscar"), this);
    botonBuscar_->setAutoDefault(false);
    fila->addWidget(botonBuscar_);
    bloque->addLayout(fila);
    auto* casillas = new QHBoxLayout;
    cualquierPosicion_ = new QCheckBox(QStringLiteral("Buscar e&n cualquier posición"), this);
    cualquierPosicion_->setObjectName(QStringLiteral("cualquierPosicion"));
    casillas->addWidget(cualquierPosicion_);
    bloque->addLayout(casillas);
    superior_->addLayout(bloque, 1);
    capa->addLayout(superior_);

    rejilla_ = new Rejilla(resultado_, this);
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion_);
    habilitarFiltros_ = rejilla_->crearCasillaFiltros(this);
    casillas->addWidget(habilitarFiltros_);
    casillas->addStretch();
    capa->addWidget(rejilla_, 1);

    botones_ = new QHBoxLayout;
    botones_->addStretch();
    capa->addLayout(botones_);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([this](const Teclado::Comando& c) {
        try {
            c();
        } catch (const std::exception& e) {
            fallo(e);
        }
    });
    // Enter in the text searches; in the grid it picks.
    teclado_->asignarEn(texto_, Qt::Key_Return, [this] { buscar(); });
    teclado_->asignarEn(rejilla_->vista(), Qt::Key_Return, [this] { elegir(); });
    teclado_->asignar(Qt::Key_Escape, [this] { salir(); });
    connect(botonBuscar_, &QPushButton::clicked, this, [this] { buscar(); });
    connect(rejilla_, &Rejilla::activada, this, [this] { elegir(); });

    QPushButton* salirBoton = new QPushButton(QStringLiteral("Esc:Salir"), this);
    salirBoton->setAutoDefault(false);
    salirBoton->setObjectName(QStringLiteral("Esc:Salir"));
    connect(salirBoton, &QPushButton::clicked, this, [this] { salir(); });
    botones_->addWidget(salirBoton);
}

BusquedaBase::~BusquedaBase() = default;

void BusquedaBase::setTituloColumnas(const QString& titulo) { grupoColumnas_->setTitle(titulo); }

void BusquedaBase::setColumnas(const std::vector<ColumnaBusqueda>& columnas, int inicial) {
    for (QAbstractButton* b : opciones_->buttons()) {
        opciones_->removeButton(b);
        delete b;
    }
    columnas_ = columnas;
    for (int i = 0; i < int(columnas_.size()); ++i) {
        auto* r = new QRadioButton(columnas_[size_t(i)].titulo, grupoColumnas_);
        opciones_->addButton(r, i);
        capaColumnas_->addWidget(r);
    }
    setColumnaElegida(inicial);
}

int BusquedaBase::columnaElegida() const { return opciones_->checkedId(); }

void BusquedaBase::setColumnaElegida(int indice) {
    if (QAbstractButton* b = opciones_->button(indice)) b->setChecked(true);
}

void BusquedaBase::setConsultaBase(std::function<QString()> base, const QString& conector) {
    base_ = std::move(base);
    conector_ = conector;
}

QString BusquedaBase::consulta() const {
    const int i = columnaElegida();
    const ModoBusqueda modo = cualquierPosicion_->isChecked() ? ModoBusqueda::Contiene : modoSinPosicion_;
    return (base_ ? base_() : QString()) + condicionBusqueda(columnas_, i, texto_->text(), modo, conector_) +
           (orden_.isEmpty() ? ordenBusqueda(columnas_, i) : orden_);
}

bool BusquedaBase::abrir(const QString& sql) {
    if (!db_) return false;
    try {
        resultado_.open(*db_, sql);
    } catch (const std::exception& e) {
        fallo(e);
        return false;
    }
    emit buscado(resultado_.recordCount());
    return true;
}

bool BusquedaBase::buscar() {
    QString sql;
    try {
        sql = consulta();
    } catch (const std::exception& e) {
        fallo(e);
        return false;
    }
    const bool ok = abrir(sql);
    if (ok) {
        if (limpiarTexto_) texto_->clear();
        rejilla_->vista()->setFocus(Qt::OtherFocusReason);
    }
    return ok;
}

QPushButton* BusquedaBase::agregarBoton(const QString& texto, QKeyCombination tecla, Comando comando) {
    teclado_->asignar(tecla, comando);
    if (texto.isEmpty()) return nullptr;
    auto* b = new QPushButton(texto, this);
    b->setObjectName(texto);
    b->setAutoDefault(false);
    // Before the last button, "Esc:Salir".
    botones_->insertWidget(botones_->count() - 1, b);
    connect(b, &QPushButton::clicked, this, [this, comando] {
        try {
            comando();
        } catch (const std::exception& e) {
            fallo(e);
        }
    });
    return b;
}

void BusquedaBase::setAlConsultar(Comando c, const QString& boton) {
    alConsultar_ = c;
    agregarBoton(boton, Qt::Key_F4, std::move(c));
}

void BusquedaBase::setAlAnular(Comando c, const QString& boton) { agregarBoton(boton, Qt::Key_F3, std::move(c)); }

void BusquedaBase::setAlNotas(Comando c, const QString& boton) { agregarBoton(boton, Qt::Key_F12, std::move(c)); }

void BusquedaBase::setAlElegir(Comando c) { alElegir_ = std::move(c); }

void BusquedaBase::elegir() {
    if (resultado_.isEmpty()) return;
    const Comando c = alElegir_ ? alElegir_ : alConsultar_;
    if (!c) return;
    try {
        c();
    } catch (const std::exception& e) {
        fallo(e);
    }
}

void BusquedaBase::salir() {
    if (alSalir_)
        alSalir_();
    else
        cerrarPantalla(this);
}

void BusquedaBase::cerrarPantalla(QWidget* w) {
    // The screen's own frame: its MDI sub-window, else its dialog, else the
    // window it is by itself. Never the main window that holds it.
    for (QWidget* p = w; p; p = p->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(p)) {
            sub->close();
            return;
        }
        if (auto* d = qobject_cast<QDialog*>(p)) {
            d->reject();
            return;
        }
        if (p->isWindow()) {
            (qobject_cast<QMainWindow*>(p) ? w : p)->close();
            return;
        }
    }
}

void BusquedaBase::fallo(const std::exception& e) {
    if (manejador_)
        manejador_(e);
    else if (const auto* d = dynamic_cast<const DataSetError*>(&e))
        interaccion_.error(d->message());
    else
        interaccion_.error(QString::fromUtf8(e.what()));
}

}  // namespace cxp
