#include "app/Tfacercade.h"

#include "app/Iconos.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace cxp {

Tfacercade::Tfacercade(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("Tfacercade"));
    setWindowTitle(QStringLiteral("Acerca de"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kAncho, kAlto);

    auto* capa = new QVBoxLayout(this);
    auto* dibujo = new QLabel;
    dibujo->setPixmap(iconos::icono(QStringLiteral("pago"), 96).pixmap(96, 96));
    dibujo->setAlignment(Qt::AlignCenter);
    auto* nombre = new QLabel(QStringLiteral("<b style='font-size:16pt'>C x Pagar</b>"));
    nombre->setAlignment(Qt::AlignCenter);
    auto* suite =
        new QLabel(QStringLiteral("Quelmar 2021\nCuentas por pagar\nVersión %1").arg(QLatin1String(CXP_VERSION)));
    suite->setAlignment(Qt::AlignCenter);
    auto* cerrar = new QPushButton(QStringLiteral("&Aceptar"));
    connect(cerrar, &QPushButton::clicked, this, &QWidget::close);
    capa->addWidget(dibujo);
    capa->addWidget(nombre);
    capa->addWidget(suite);
    capa->addStretch();
    capa->addWidget(cerrar, 0, Qt::AlignCenter);
}

Tfacercade* Tfacercade::presentar() {
    auto* w = new Tfacercade;
    w->setWindowFlag(Qt::SplashScreen);
    if (const QScreen* pantalla = QGuiApplication::primaryScreen())
        w->move(pantalla->availableGeometry().center() - QPoint(kAncho / 2, kAlto / 2));
    w->show();
    QTimer::singleShot(kPresentacionMs, w, &QWidget::close);
    return w;
}

void Tfacercade::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(evento);
}

}  // namespace cxp
