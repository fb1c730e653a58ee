#include "documents/notas/TfnotasdocVista.h"

#include "data/Interaccion.h"
#include "data/ManejadorErrores.h"
#include "ui/BusquedaBase.h"
#include "ui/Rejilla.h"
#include "ui/Teclado.h"

#include <QBuffer>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace cxp {

namespace {

QPushButton* boton(QWidget* padre, QLayout* capa, const QString& texto, std::function<void()> comando,
                   ManejadorErrores& manejador) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(texto);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    capa->addWidget(b);
    QObject::connect(b, &QPushButton::clicked, padre, [comando, &manejador] { manejador.proteger(comando); });
    return b;
}

}  // namespace

TfnotasdocVista::TfnotasdocVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo,
                                 int64_t idDocumento, QWidget* padre)
    : QWidget(padre),
      sesion_(sesion),
      interaccion_(interaccion),
      manejador_(manejador),
      logica_(std::make_unique<Tfnotasdoc>(sesion, interaccion, manejador, tipo, idDocumento, lista_)) {
    setObjectName(QStringLiteral("Tfnotasdoc"));
    setWindowTitle(Tfnotasdoc::kTitulo);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 520);
    auto* capa = new QVBoxLayout(this);
    auto* division = new QSplitter(Qt::Horizontal, this);
    auto* izquierda = new QWidget(division);
    auto* capaIzq = new QVBoxLayout(izquierda);
    capaIzq->setContentsMargins(0, 0, 0, 0);
    rejilla_ = new Rejilla(lista_, izquierda);
    rejilla_->setSoloLectura(true);
    rejilla_->setInteraccion(&interaccion);
    rejilla_->setNombreArchivo(QStringLiteral("NotasDoc"));
    rejilla_->setTitulo(Tfnotasdoc::kTitulo);
    capaIzq->addWidget(rejilla_, 2);
    texto_ = new QPlainTextEdit(izquierda);
    texto_->setObjectName(QStringLiteral("TEXTO"));
    texto_->setReadOnly(true);
    capaIzq->addWidget(texto_, 1);
    pila_ = new QStackedWidget(division);
    sinPdf_ = new QLabel(pila_);
    sinPdf_->setAlignment(Qt::AlignCenter);
    sinPdf_->setWordWrap(true);
    pila_->addWidget(sinPdf_);
    pdf_ = new QPdfDocument(this);
    memoria_ = new QBuffer(this);
    visor_ = new QPdfView(pila_);
    visor_->setObjectName(QStringLiteral("visorPdf"));
    visor_->setDocument(pdf_);
    visor_->setPageMode(QPdfView::PageMode::MultiPage);
    visor_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    visor_->viewport()->installEventFilter(this);
    sinPdf_->installEventFilter(this);
    pila_->addWidget(visor_);
    division->addWidget(izquierda);
    division->addWidget(pila_);
    division->setStretchFactor(0, 1);
    division->setStretchFactor(1, 1);
    capa->addWidget(division, 1);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    boton(this, botones, QStringLiteral("F5:Nueva"), [this] { nueva(); }, manejador);
    boton(this, botones, QStringLiteral("F3:Borrar"), [this] { logica_->borrar(); mostrar(); }, manejador);
    boton(this, botones, QStringLiteral("Esc:Salir"), [this] { BusquedaBase::cerrarPantalla(this); }, manejador);
    capa->addLayout(botones);

    teclado_ = new Teclado(this);
    teclado_->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado_->asignar(Qt::Key_F5, [this] { nueva(); });
    teclado_->asignar(Qt::Key_F3, [this] {
        logica_->borrar();
        mostrar();
    });
    teclado_->asignar(Qt::Key_Escape, [this] { BusquedaBase::cerrarPantalla(this); });
    lista_.afterScroll([this](DataSet&) { mostrar(); });
}

TfnotasdocVista::~TfnotasdocVista() {
    visor_->setDocument(nullptr);
    pdf_->close();
}

bool TfnotasdocVista::abrir() {
    if (!logica_->abrir()) return false;
    const std::pair<const char*, const char*> rotulos[] = {
        {"USUARIO", "Usuario"}, {"FECHA", "Fecha"}, {"TIPONOTA", "Tipo de nota"}, {"RESUMEN", "Resumen"}};
    for (const auto& [campo, rotulo] : rotulos)
        if (lista_.fieldIndex(QString::fromLatin1(campo)) >= 0)
            lista_.field(QString::fromLatin1(campo)).setLabel(QString::fromLatin1(rotulo));
    for (const char* oculto : {"TEXTO", "IMAGEN", "ID"})
        if (lista_.fieldIndex(QString::fromLatin1(oculto)) >= 0)
            lista_.field(QString::fromLatin1(oculto)).setVisible(false);
    mostrar();
    return true;
}

// The current note's text and its attached file, read from the database
// into memory and shown when it is a PDF.
void TfnotasdocVista::mostrar() {
    visor_->setDocument(nullptr);
    pdf_->close();
    memoria_->close();
    const bool hay = lista_.isOpen() && !lista_.isEmpty();
    texto_->setPlainText(hay ? lista_.asString(QStringLiteral("TEXTO")) : QString());
    const QByteArray datos = hay ? logica_->adjunto() : QByteArray();
    if (datos.isEmpty()) {
        sinPdf_->setText(hay ? QStringLiteral("La nota no tiene archivo adjunto.") : QString());
        pila_->setCurrentWidget(sinPdf_);
        return;
    }
    memoria_->setData(datos);
    memoria_->open(QIODevice::ReadOnly);
    pdf_->load(memoria_);
    if (pdf_->status() == QPdfDocument::Status::Ready && pdf_->pageCount() > 0) {
        visor_->setDocument(pdf_);
        pila_->setCurrentWidget(visor_);
    } else {
        sinPdf_->setText(QStringLiteral("El archivo adjunto no es un PDF: doble clic para abrirlo."));
        pila_->setCurrentWidget(sinPdf_);
    }
}

void TfnotasdocVista::nueva() {
    TfnvanotadocVista entrada(sesion_, interaccion_, manejador_, logica_->tipo(), logica_->idDocumento(), this);
    // Newest first: the new note is the current one.
    if (entrada.exec() == QDialog::Accepted) abrir();
}

void TfnotasdocVista::abrirAdjunto() {
    const QString ruta = logica_->adjuntoEnDisco();
    if (!ruta.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(ruta));
}

bool TfnotasdocVista::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonDblClick && (objeto == visor_->viewport() || objeto == sinPdf_)) {
        manejador_.proteger([this] { abrirAdjunto(); });
        return true;
    }
    return QWidget::eventFilter(objeto, evento);
}

TfnvanotadocVista::TfnvanotadocVista(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador, int tipo,
                                     int64_t idDocumento, QWidget* padre)
    : QDialog(padre), logica_(sesion, interaccion, manejador, tipo, idDocumento) {
    setObjectName(QStringLiteral("Tfnvanotadoc"));
    setWindowTitle(Tfnvanotadoc::kTitulo);
    resize(560, 360);
    auto* capa = new QVBoxLayout(this);
    auto* formulario = new QFormLayout;
    tipo_ = new QComboBox(this);
    tipo_->setObjectName(QStringLiteral("NODO_TIPO"));
    for (const TipoNota& t : logica_.tiposNota()) tipo_->addItem(t.nombre, t.codigo);
    resumen_ = new QLineEdit(this);
    resumen_->setObjectName(QStringLiteral("NODO_RESUMEN"));
    resumen_->setMaxLength(60);
    texto_ = new QPlainTextEdit(this);
    texto_->setObjectName(QStringLiteral("NODO_TEXTO"));
    archivo_ = new QLabel(this);
    archivo_->setObjectName(QStringLiteral("NODO_IMAGEN"));
    auto* fila = new QHBoxLayout;
    fila->addWidget(archivo_, 1);
    boton(this, fila, QStringLiteral("Adjuntar archivo..."), [this] { examinar(); }, manejador);
    formulario->addRow(QStringLiteral("Tipo de nota:"), tipo_);
    formulario->addRow(QStringLiteral("Resumen:"), resumen_);
    formulario->addRow(QStringLiteral("Texto:"), texto_);
    formulario->addRow(QStringLiteral("Archivo:"), fila);
    capa->addLayout(formulario, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    boton(this, botones, QStringLiteral("F2:Grabar"), [this] { grabar(); }, manejador);
    boton(this, botones, QStringLiteral("Esc:Cancelar"), [this] { reject(); }, manejador);
    capa->addLayout(botones);
    auto* teclado = new Teclado(this);
    teclado->setEjecutor([&manejador](const Teclado::Comando& c) { manejador.proteger(c); });
    teclado->asignar(Qt::Key_F2, [this] { grabar(); });
}

void TfnvanotadocVista::examinar() {
    const QString ruta = QFileDialog::getOpenFileName(this, QStringLiteral("Archivo de la nota"), QString(),
                                                      QStringLiteral("Documentos PDF (*.pdf);;Todos los archivos (*)"));
    if (!ruta.isEmpty() && logica_.adjuntar(ruta)) archivo_->setText(ruta);
}

void TfnvanotadocVista::grabar() {
    logica_.tipoNota = tipo_->currentData().toInt();
    logica_.resumen = resumen_->text();
    logica_.texto = texto_->toPlainText();
    if (logica_.grabar() != 0) accept();
}

}  // namespace cxp
