#include "app/mensajes/VentanaAlerta.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace cxp {

namespace {

// The platform colour encoding keeps red in the lowest byte.
QColor colorDelSistema(unsigned c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

enum class Figura { Anterior, Siguiente, Cerrar, Contestar };

// Small drawn icons: the same on every platform and theme.
QIcon icono(Figura figura) {
    const qreal escala = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap px(QSize(14, 14) * escala);
    px.setDevicePixelRatio(escala);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tinta(60, 60, 60);
    switch (figura) {
    case Figura::Anterior:
    case Figura::Siguiente: {
        QPainterPath t;
        if (figura == Figura::Anterior) {
            t.moveTo(10, 2); t.lineTo(3, 7); t.lineTo(10, 12);
        } else {
            t.moveTo(4, 2); t.lineTo(11, 7); t.lineTo(4, 12);
        }
        t.closeSubpath();
        p.fillPath(t, tinta);
        break;
    }
    case Figura::Cerrar:
        p.setPen(QPen(tinta, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, 3), QPointF(11, 11));
        p.drawLine(QPointF(11, 3), QPointF(3, 11));
        break;
    case Figura::Contestar: {
        p.setPen(QPen(tinta, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath curva;
        curva.moveTo(12, 12);
        curva.cubicTo(12, 6, 8, 5, 3, 5);
        p.drawPath(curva);
        p.drawLine(QPointF(3, 5), QPointF(6.5, 1.5));
        p.drawLine(QPointF(3, 5), QPointF(6.5, 8.5));
        break;
    }
    }
    return QIcon(px);
}

QToolButton* boton(QWidget* padre, Figura figura, const QString& pista) {
    auto* b = new QToolButton(padre);
    b->setIcon(icono(figura));
    b->setToolTip(pista);
    b->setAccessibleName(pista);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedSize(20, 20);
    return b;
}

}  // namespace

VentanaAlerta::VentanaAlerta(AlertaMensajes& alerta, QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), alerta_(alerta) {
    setObjectName(QStringLiteral("VentanaAlerta"));
    setFixedSize(kAncho, kAlto);
    setFrameShape(QFrame::Box);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    texto_ = new QLabel(this);
    texto_->setObjectName(QStringLiteral("mensaje"));
    texto_->setTextFormat(Qt::RichText);
    texto_->setWordWrap(true);
    texto_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    texto_->setCursor(Qt::PointingHandCursor);
    texto_->installEventFilter(this);

    posicion_ = new QLabel(this);
    posicion_->setObjectName(QStringLiteral("posicion"));
    anterior_ = boton(this, Figura::Anterior, QStringLiteral("Anterior"));
    siguiente_ = boton(this, Figura::Siguiente, QStringLiteral("Siguiente"));
    cerrar_ = boton(this, Figura::Cerrar, QStringLiteral("Cerrar"));
    contestar_ = boton(this, Figura::Contestar, QStringLiteral("Contestar al autor"));

    auto* columna = new QVBoxLayout;
    columna->setSpacing(2);
    columna->addWidget(cerrar_);
    columna->addWidget(contestar_);
    columna->addStretch();
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(texto_, 1);
    arriba->addLayout(columna);
    auto* abajo = new QHBoxLayout;
    abajo->setSpacing(2);
    abajo->addWidget(anterior_);
    abajo->addWidget(siguiente_);
    abajo->addWidget(posicion_);
    abajo->addStretch();
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(6, 4, 4, 2);
    todo->setSpacing(0);
    todo->addLayout(arriba, 1);
    todo->addLayout(abajo);

    connect(anterior_, &QToolButton::clicked, &alerta_, &AlertaMensajes::anterior);
    connect(siguiente_, &QToolButton::clicked, &alerta_, &AlertaMensajes::siguiente);
    connect(cerrar_, &QToolButton::clicked, this, &VentanaAlerta::hide);
    connect(contestar_, &QToolButton::clicked, this, &VentanaAlerta::contestar);
    connect(&alerta_, &AlertaMensajes::cambio, this, &VentanaAlerta::actualizar);

    reloj_.setSingleShot(true);
    reloj_.setInterval(kTiempoPorMensaje);
    connect(&reloj_, &QTimer::timeout, this, &VentanaAlerta::tiempoCumplido);

    // The person moved to another field: the window gets out of its way.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (isVisible()) colocar();
    });

    fundido_ = new QPropertyAnimation(this, "windowOpacity", this);
    fundido_->setDuration(400);
    fundido_->setStartValue(0.0);
    fundido_->setEndValue(1.0);
    actualizar();
}

QRect VentanaAlerta::lugar(const QRect& marco, const QRect& campo, const QSize& tamano) {
    constexpr int kMargen = 8;
    const QRect candidatos[] = {
        QRect(QPoint(marco.right() - kMargen - tamano.width() + 1, marco.bottom() - kMargen - tamano.height() + 1), tamano),
        QRect(QPoint(marco.right() - kMargen - tamano.width() + 1, marco.top() + kMargen), tamano),
        QRect(QPoint(marco.left() + kMargen, marco.bottom() - kMargen - tamano.height() + 1), tamano),
    };
    for (const QRect& r : candidatos)
        if (!campo.isValid() || !r.intersects(campo)) return r;
    return candidatos[0];
}

void VentanaAlerta::colocar() {
    QRect marco;
    if (QWidget* w = parentWidget()) {
        // The main window's client area, status bar included.
        marco = QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    } else if (QScreen* pantalla = QGuiApplication::primaryScreen()) {
        marco = pantalla->availableGeometry();
    }
    if (!marco.isValid()) return;
    QRect campo;
    if (QWidget* foco = QApplication::focusWidget(); foco && foco->window() != this)
        campo = QRect(foco->mapToGlobal(QPoint(0, 0)), foco->size());
    move(lugar(marco, campo, size()).topLeft());
}

void VentanaAlerta::mostrar() {
    colocar();
    actualizar();
    // The offscreen platform of the tests has no window opacity nor raise.
    const bool pantallaReal = QGuiApplication::platformName() != QLatin1String("offscreen");
    const bool fundir = !isVisible() && pantallaReal;
    if (fundir) setWindowOpacity(0.0);
    show();
    if (pantallaReal) raise();
    if (fundir) fundido_->start();
    if (!alerta_.vacia()) reloj_.start();
}

void VentanaAlerta::actualizar() {
    const bool hay = !alerta_.vacia();
    texto_->setText(hay ? alerta_.actual().texto : QString());
    posicion_->setText(alerta_.textoPosicion());
    const bool varios = alerta_.cantidad() > 1;
    anterior_->setVisible(varios);
    siguiente_->setVisible(varios);
    posicion_->setVisible(varios);
    anterior_->setEnabled(alerta_.hayAnterior());
    siguiente_->setEnabled(alerta_.haySiguiente());
    contestar_->setEnabled(hay);
    if (isVisible() && hay) reloj_.start();  // each message its full time
    update();
}

void VentanaAlerta::tiempoCumplido() {
    if (alerta_.haySiguiente()) alerta_.siguiente();
}

void VentanaAlerta::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    QLinearGradient fondo(0, 0, 0, height());
    fondo.setColorAt(0, colorDelSistema(alerta_.color()));
    fondo.setColorAt(1, colorDelSistema(alerta_.vacia() ? alerta_.color() : alerta_.actual().color));
    p.fillRect(rect(), fondo);
    p.end();
    QFrame::paintEvent(event);
}

void VentanaAlerta::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    reloj_.stop();
    fundido_->stop();
    // A spontaneous hide comes from the main window being minimised; the
    // alert is still the person's to close.
    if (!event->spontaneous()) emit cerrada();
}

bool VentanaAlerta::eventFilter(QObject* objeto, QEvent* event) {
    if (objeto == texto_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !alerta_.vacia()) {
        emit clicMensaje();
        return true;
    }
    return QFrame::eventFilter(objeto, event);
}

}  // namespace cxp
