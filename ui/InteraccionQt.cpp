#include "ui/InteraccionQt.h"

#include "ui/PanelRazon.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace cxp {

InteraccionQt::InteraccionQt(QObject* parent) : QObject(parent) {
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* ahora) { focoCambio(ahora); });
    registrarSelector(QString::fromLatin1(selectorRazon), [this](const QVariantMap&) -> std::optional<QVariantMap> {
        const auto razon = PanelRazon::pedir(ventana_);
        if (!razon) return std::nullopt;
        return QVariantMap{{QStringLiteral("razon"), *razon}};
    });
}

// Returns the index of the button pressed. The captions are Spanish
// whatever the machine's language, so the buttons are our own.
int InteraccionQt::caja(int icono, const QString& titulo, const QString& texto, const QStringList& botones,
                        int porDefecto) {
    QMessageBox caja(QMessageBox::Icon(icono), titulo, texto, QMessageBox::NoButton, ventana_);
    // Messages carry what people typed (a creditor's name, a file name):
    // shown as typed, never read as markup.
    caja.setTextFormat(Qt::PlainText);
    std::vector<QPushButton*> hechos;
    for (const QString& b : botones) hechos.push_back(caja.addButton(b, QMessageBox::AcceptRole));
    caja.setDefaultButton(hechos[size_t(porDefecto)]);
    caja.setEscapeButton(hechos[size_t(porDefecto)]);
    caja.exec();
    for (size_t i = 0; i < hechos.size(); ++i)
        if (caja.clickedButton() == hechos[i]) return int(i);
    return porDefecto;
}

void InteraccionQt::informacion(const QString& texto) {
    caja(QMessageBox::Information, QStringLiteral("Información"), texto, {QStringLiteral("Aceptar")}, 0);
}

void InteraccionQt::error(const QString& texto) {
    caja(QMessageBox::Critical, QStringLiteral("Error"), texto, {QStringLiteral("Aceptar")}, 0);
}

void InteraccionQt::advertencia(const QString& texto) {
    caja(QMessageBox::Warning, QStringLiteral("Advertencia"), texto, {QStringLiteral("Aceptar")}, 0);
}

bool InteraccionQt::preguntar(const QString& texto) {
    // Escape answers No: questions act only on Yes.
    QMessageBox c(QMessageBox::Question, QStringLiteral("Confirmación"), texto, QMessageBox::NoButton, ventana_);
    c.setTextFormat(Qt::PlainText);
    QPushButton* si = c.addButton(QStringLiteral("&Sí"), QMessageBox::YesRole);
    QPushButton* no = c.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    c.setDefaultButton(si);
    c.setEscapeButton(no);
    c.exec();
    return c.clickedButton() == si;
}

bool InteraccionQt::reintentar(const QString& texto) {
    // Abort may throw work away (a half-saved voucher is deleted), so
    // Escape and Enter keep it: Retry.
    return caja(QMessageBox::Question, QStringLiteral("Confirmación"), texto,
                {QStringLiteral("&Abortar"), QStringLiteral("&Reintentar")}, 1) == 1;
}

void InteraccionQt::pitar() { QApplication::beep(); }

namespace {

// Notes an Escape pressed anywhere in the program and ends the wait at once.
class VigiaEscape : public QObject {
public:
    bool pulsado = false;
    QEventLoop* espera = nullptr;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Escape) {
            pulsado = true;
            if (espera) espera->quit();
            return true;
        }
        return QObject::eventFilter(objeto, evento);
    }
};

}  // namespace

void InteraccionQt::mensaje_error(const QString& texto) {
    pitar();
    // Its owner may close while the program keeps answering.
    QPointer<QDialog> ventana = new QDialog(ventana_, Qt::Dialog | Qt::WindowTitleHint);
    ventana->setObjectName(QStringLiteral("mensaje_error"));
    ventana->setWindowTitle(QStringLiteral("Advertencia"));
    ventana->setWindowModality(Qt::NonModal);
    auto* capa = new QHBoxLayout(ventana);
    auto* icono = new QLabel;
    icono->setPixmap(ventana->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    auto* rotulo = new QLabel(texto);
    rotulo->setObjectName(QStringLiteral("texto"));
    rotulo->setWordWrap(true);
    capa->addWidget(icono, 0, Qt::AlignTop);
    capa->addWidget(rotulo, 1);
    ventana->show();

    VigiaEscape vigia;
    qApp->installEventFilter(&vigia);
    for (int i = 0; i < kEsperasMensajeError && ventana; ++i) {
        QApplication::processEvents();
        if (vigia.pulsado) break;
        // The wait runs the event loop: the program keeps painting and
        // answering while the window stands.
        QEventLoop espera;
        vigia.espera = &espera;
        QTimer::singleShot(kEsperaMensajeErrorMs, &espera, &QEventLoop::quit);
        espera.exec();
        vigia.espera = nullptr;
    }
    qApp->removeEventFilter(&vigia);
    delete ventana.data();
}

bool InteraccionQt::abrirPantalla(const QString& pantalla, const QVariantMap& argumentos) {
    const auto it = pantallas_.constFind(pantalla);
    if (it == pantallas_.constEnd()) return false;
    QWidget* w = (*it)(argumentos);
    if (!w) return false;
    if (w->objectName().isEmpty()) w->setObjectName(pantalla);
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // A picker holds the input: what its commands open goes over it,
        // modal to it, and the picker waits until it is closed.
        mostrarSobre(modal, w);
        return true;
    }
    if (mostrarHija_) {
        mostrarHija_(w);
    } else {
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    }
    return true;
}

void InteraccionQt::mostrarSobre(QWidget* modal, QWidget* w) {
    QPointer<QWidget> vista = w;
    if (auto* propio = qobject_cast<QDialog*>(w)) {
        propio->setParent(modal, propio->windowFlags());
        propio->setWindowModality(Qt::ApplicationModal);
        propio->exec();
        if (vista) delete vista.data();
        return;
    }
    QDialog marco(modal);
    marco.setObjectName(w->objectName() + QStringLiteral("Marco"));
    marco.setWindowTitle(w->windowTitle());
    auto* capa = new QVBoxLayout(&marco);
    capa->setContentsMargins(0, 0, 0, 0);
    const QSize tamano = w->size();
    w->setWindowFlags(Qt::Widget);
    capa->addWidget(w);
    marco.resize(tamano.expandedTo(w->minimumSizeHint()));
    // A screen that frees itself on closing takes the frame with it. The link
    // goes before the frame dies: a screen still open is deleted as a child
    // of the frame, when the frame is no longer a QDialog to reject.
    const auto cierre = connect(w, &QObject::destroyed, &marco, &QDialog::reject);
    w->show();
    marco.exec();
    disconnect(cierre);
}

std::optional<QVariantMap> InteraccionQt::elegir(const QString& selector, const QVariantMap& argumentos) {
    const auto it = selectores_.constFind(selector);
    if (it == selectores_.constEnd()) {
        qWarning("elegir: no hay selector %s", qPrintable(selector));
        return std::nullopt;
    }
    return (*it)(argumentos);
}

void InteraccionQt::registrarPantalla(const QString& nombre, FabricaPantalla fabrica) {
    pantallas_.insert(nombre, std::move(fabrica));
}

void InteraccionQt::registrarSelector(const QString& nombre, Selector selector) {
    selectores_.insert(nombre, std::move(selector));
}

void InteraccionQt::registrarEnfoque(QWidget* vista, ManejadorEnfoque manejador) {
    if (!vista) return;
    if (Vista* v = vistaDe(vista); v && v->widget == vista) {
        v->manejador = std::move(manejador);
    } else {
        vistas_.push_back({vista, std::move(manejador)});
        connect(vista, &QObject::destroyed, this, [this] {
            std::erase_if(vistas_, [](const Vista& v) { return v.widget.isNull(); });
        });
    }
    ultimaVista_ = vista;
}

// The innermost registered view holding w.
InteraccionQt::Vista* InteraccionQt::vistaDe(QWidget* w) {
    for (; w; w = w->parentWidget())
        for (Vista& v : vistas_)
            if (v.widget == w) return &v;
    return nullptr;
}

void InteraccionQt::focoCambio(QWidget* ahora) {
    if (Vista* v = vistaDe(ahora)) ultimaVista_ = v->widget;
}

QWidget* InteraccionQt::buscarCampo(QWidget* raiz, const QString& campo) {
    if (!raiz || campo.isEmpty()) return nullptr;
    const auto hijos = raiz->findChildren<QWidget*>();
    for (QWidget* w : hijos) {
        const QString nombre = w->property("campo").toString();
        if ((nombre.compare(campo, Qt::CaseInsensitive) == 0 ||
             w->objectName().compare(campo, Qt::CaseInsensitive) == 0) &&
            w->focusPolicy() != Qt::NoFocus)
            return w;
    }
    return nullptr;
}

void InteraccionQt::enfocar(const QString& campo) {
    QWidget* destino = nullptr;
    if (Vista* v = vistaDe(QApplication::focusWidget())) destino = v->widget;
    if (!destino && ultimaVista_ && ultimaVista_->isVisible()) destino = ultimaVista_;
    if (!destino && pantallaActual_) destino = pantallaActual_();
    if (!destino)
        for (auto it = vistas_.rbegin(); it != vistas_.rend(); ++it)
            if (it->widget && it->widget->isVisible()) {
                destino = it->widget;
                break;
            }
    if (!destino) return;
    if (Vista* v = vistaDe(destino); v && v->widget == destino && v->manejador) {
        v->manejador(campo);
        return;
    }
    if (QWidget* w = buscarCampo(destino, campo)) w->setFocus(Qt::OtherFocusReason);
}

}  // namespace cxp
