#include "printing/reportes/VistaPrevia.h"

#include "printing/motor/Lienzos.h"
#include "printing/reportes/SalidaInforme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace cxp::reportes {

VistaPrevia::VistaPrevia(const Paginado& paginado, const QString& titulo, QWidget* padre)
    : QDialog(padre), paginado_(paginado), titulo_(titulo) {
    setWindowTitle(titulo.isEmpty() ? QStringLiteral("Vista previa") : titulo);
    auto* barra = new QHBoxLayout;
    auto boton = [&](const QString& texto, const QString& ayuda, auto accion) {
        auto* b = new QPushButton(texto, this);
        b->setToolTip(ayuda);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, accion);
        barra->addWidget(b);
        return b;
    };
    boton(QStringLiteral("|<"), QStringLiteral("Primera página (Inicio)"), [this] { irA(0); });
    boton(QStringLiteral("<"), QStringLiteral("Página anterior (RePág)"), [this] { irA(pagina_ - 1); });
    barra->addWidget(new QLabel(QStringLiteral("Página"), this));
    numero_ = new QSpinBox(this);
    numero_->setFocusPolicy(Qt::ClickFocus);  // the page keys belong to the window
    numero_->setRange(1, std::max(1, paginado.paginas()));
    barra->addWidget(numero_);
    total_ = new QLabel(QStringLiteral("de %1").arg(paginado.paginas()), this);
    barra->addWidget(total_);
    boton(QStringLiteral(">"), QStringLiteral("Página siguiente (AvPág)"), [this] { irA(pagina_ + 1); });
    boton(QStringLiteral(">|"), QStringLiteral("Última página (Fin)"), [this] { irA(paginado_.paginas() - 1); });
    barra->addSpacing(16);
    boton(QStringLiteral("+"), QStringLiteral("Acercar (+)"), [this] { acercar(1.25); });
    boton(QStringLiteral("-"), QStringLiteral("Alejar (-)"), [this] { acercar(0.8); });
    barra->addStretch();
    boton(QStringLiteral("&Imprimir"), QStringLiteral("Imprimir (Ctrl+P)"), [this] { imprimirPaginas(); });
    boton(QStringLiteral("Esc:Salir"), QStringLiteral("Cerrar la vista previa"), [this] { reject(); });
    connect(numero_, &QSpinBox::valueChanged, this, [this](int n) {
        if (n - 1 != pagina_) irA(n - 1);
    });

    hoja_ = new QLabel(this);
    hoja_->setAlignment(Qt::AlignCenter);
    area_ = new QScrollArea(this);
    area_->setWidget(hoja_);
    area_->setWidgetResizable(true);
    area_->setAlignment(Qt::AlignCenter);
    area_->setBackgroundRole(QPalette::Dark);
    area_->setFocusPolicy(Qt::NoFocus);
    auto* columna = new QVBoxLayout(this);
    columna->addLayout(barra);
    columna->addWidget(area_, 1);
    const QSize pantalla = screen() ? screen()->availableSize() : QSize(1280, 1024);
    resize(std::min(pantalla.width(), int(paginado.papel().width() * logicalDpiX()) + 80),
           pantalla.height() * 9 / 10);
    mostrar();
}

QImage VistaPrevia::imagen(int pagina) const {
    const double ppp = logicalDpiX() * zoom_;
    const QSizeF papel = paginado_.papel();
    QImage img(QSize(int(papel.width() * ppp), int(papel.height() * ppp)), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    LienzoPintor l(p, papel, ppp, ppp, nullptr);
    paginado_.dibujarPagina(pagina, l);
    return img;
}

void VistaPrevia::irA(int pagina) {
    pagina = std::clamp(pagina, 0, std::max(0, paginado_.paginas() - 1));
    if (pagina == pagina_) return;
    pagina_ = pagina;
    mostrar();
}

void VistaPrevia::acercar(double factor) {
    zoom_ = std::clamp(zoom_ * factor, 0.3, 4.0);
    mostrar();
}

void VistaPrevia::mostrar() {
    hoja_->setPixmap(QPixmap::fromImage(imagen(pagina_)));
    const QSignalBlocker b(numero_);
    numero_->setValue(pagina_ + 1);
}

void VistaPrevia::imprimirPaginas() {
    QString error;
    if (!imprimir(paginado_, titulo_, this, &error) && !error.isEmpty())
        QMessageBox::warning(this, windowTitle(), error);
}

void VistaPrevia::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_PageDown: irA(pagina_ + 1); return;
    case Qt::Key_PageUp: irA(pagina_ - 1); return;
    case Qt::Key_Home: irA(0); return;
    case Qt::Key_End: irA(paginado_.paginas() - 1); return;
    case Qt::Key_Plus: acercar(1.25); return;
    case Qt::Key_Minus: acercar(0.8); return;
    default: break;
    }
    if (e->matches(QKeySequence::Print)) {
        imprimirPaginas();
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace cxp::reportes
