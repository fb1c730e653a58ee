#include "creditors/TfdocumentosterceroVista.h"

#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/PanelBotones.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfView>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace cxp {

RegistrarDocumento::RegistrarDocumento(Tfdocumentostercero& logica, QWidget* padre)
    : QDialog(padre), logica_(logica) {
    setObjectName(QStringLiteral("RegistrarDocumento"));
    setWindowTitle(QStringLiteral("Registrar documento del tercero"));
    resize(520, 560);
    titulo_ = new QLineEdit(this);
    titulo_->setMaxLength(255);
    ruta_ = new QLineEdit(this);
    ruta_->setReadOnly(true);
    auto* buscar = new QPushButton(QStringLiteral("..."), this);
    connect(buscar, &QPushButton::clicked, this, [this] {
        const QString r = QFileDialog::getOpenFileName(this, QStringLiteral("Documento del tercero"), {},
                                                       QStringLiteral("Archivo Adobe PDF (*.pdf)"));
        if (!r.isEmpty()) setArchivo(r);
    });
    documento_ = new QPdfDocument(this);
    vista_ = new QPdfView(this);
    vista_->setDocument(documento_);
    vista_->setPageMode(QPdfView::PageMode::MultiPage);
    vista_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    auto* botonGrabar = new QPushButton(QStringLiteral("F2:Grabar"), this);
    auto* cancela = new QPushButton(QStringLiteral("Esc:Cancela"), this);
    connect(botonGrabar, &QPushButton::clicked, this, [this] { grabar(); });
    connect(cancela, &QPushButton::clicked, this, &QDialog::reject);
    auto* archivo = new QHBoxLayout;
    archivo->addWidget(ruta_, 1);
    archivo->addWidget(buscar);
    auto* forma = new QFormLayout;
    forma->addRow(QStringLiteral("Título doc.:"), titulo_);
    forma->addRow(QStringLiteral("Archivo:"), archivo);
    auto* botones = new QHBoxLayout;
    botones->addWidget(botonGrabar);
    botones->addStretch();
    botones->addWidget(cancela);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(botones);
    todo->addLayout(forma);
    todo->addWidget(vista_, 1);
    auto* teclado = new Teclado(this);
    teclado->asignar(Qt::Key_F2, [this] { grabar(); });
    teclado->asignar(Qt::Key_Escape, [this] { reject(); });
}

void RegistrarDocumento::setArchivo(const QString& ruta) {
    archivo_ = ruta;
    ruta_->setText(ruta);
    documento_->load(ruta);
}

bool RegistrarDocumento::grabar() {
    if (archivo_.isEmpty()) return false;
    if (!logica_.registrar(titulo_->text().trimmed(), archivo_)) return false;
    accept();
    return true;
}

TfdocumentosterceroVista::TfdocumentosterceroVista(std::unique_ptr<Tfdocumentostercero> logica, Interaccion& interaccion,
                                                   ManejadorErrores& manejador, const Sesion& sesion, QWidget* padre)
    : QWidget(padre), logica_(std::move(logica)) {
    setObjectName(QStringLiteral("Tfdocumentostercero"));
    setWindowTitle(Tfdocumentostercero::kTitulo + QStringLiteral(" ") + logica_->nit());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(820, 560);
    Tfdocumentostercero* l = logica_.get();

    auto nuevo = [this] {
        RegistrarDocumento d(*logica_, this);
        if (d.exec() == QDialog::Accepted) mostrarActual();
    };
    QFrame* panel = panelBotones(this, sesion);
    botonDePanel(panel, QStringLiteral("F5:Nuevo"), nuevo);
    botonDePanel(panel, QStringLiteral("F3:Borrar"), [this, l, &manejador] {
        manejador.proteger([l] { l->borrar(); });
        mostrarActual();
    });
    static_cast<QHBoxLayout*>(panel->layout())->addStretch();
    botonDePanel(panel, QStringLiteral("Esc:Salir"), [this] { BusquedaBase::cerrarPantalla(this); });

    rejilla_ = new Rejilla(logica_->documentos(), this);
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("DocumentosTercero"));
    documento_ = new QPdfDocument(this);
    visor_ = new QPdfView(this);
    visor_->setObjectName(QStringLiteral("visor"));
    visor_->setDocument(documento_);
    visor_->setPageMode(QPdfView::PageMode::MultiPage);
    visor_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    auto* division = new QSplitter(this);
    division->addWidget(rejilla_);
    division->addWidget(visor_);
    division->setStretchFactor(1, 3);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(panel);
    todo->addWidget(division, 1);

    teclado_ = new Teclado(this);
    teclado_->setEnterSiguiente(false);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F5, nuevo);
    teclado_->asignar(Qt::Key_F3, [this, l] {
        l->borrar();
        mostrarActual();
    });
    teclado_->asignar(Qt::Key_Escape, [this] { BusquedaBase::cerrarPantalla(this); });
    logica_->documentos().afterScroll([this](DataSet&) { mostrarActual(); });
    connect(l, &Tfdocumentostercero::cerrar, this, [this] { BusquedaBase::cerrarPantalla(this); });
    mostrarActual();
}

// The viewer lets go of its file before the files are removed.
TfdocumentosterceroVista::~TfdocumentosterceroVista() {
    documento_->close();
    logica_->limpiar();
}

void TfdocumentosterceroVista::mostrarActual() {
    documento_->close();
    const QString ruta = logica_->archivoActual();
    if (!ruta.isEmpty()) documento_->load(ruta);
}

QWidget* crearTfdocumentostercero(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                                  const Configuracion&, const QVariantMap& args, QWidget* padre) {
    auto logica =
        std::make_unique<Tfdocumentostercero>(sesion, interaccion, manejador, args.value(QStringLiteral("nit")).toString());
    if (!logica->abrir()) return nullptr;
    return new TfdocumentosterceroVista(std::move(logica), interaccion, manejador, sesion, padre);
}

}  // namespace cxp
