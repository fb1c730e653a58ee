#include "app/lanzador/Lanzador.h"

#include "app/Cifrado.h"
#include "app/ParametrosLinea.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cxp::lanzador {

bool Datos::completos() const {
    return !usuario.trimmed().isEmpty() && !compania.trimmed().isEmpty() && !clave.isEmpty();
}

std::optional<Datos> leerArgumentos(const QStringList& a, QString* error) {
    Datos d;
    for (int i = 0; i < a.size(); i += 2) {
        const QString& opcion = a[i];
        QString* destino = opcion == QLatin1String("--usuario")     ? &d.usuario
                           : opcion == QLatin1String("--compania")  ? &d.compania
                           : opcion == QLatin1String("--clave")     ? &d.clave
                           : opcion == QLatin1String("--ubicacion") ? &d.ubicacion
                                                                    : nullptr;
        if (!destino || i + 1 >= a.size()) {
            if (error)
                *error = destino ? QStringLiteral("Falta el valor de %1.").arg(opcion)
                                 : QStringLiteral("Opción desconocida: %1").arg(opcion);
            return std::nullopt;
        }
        *destino = a[i + 1];
    }
    return d;
}

QStringList argumentosCliente(const Datos& d) {
    ParametrosLinea p;
    p.entrada = QStringLiteral("ENTRADA");
    p.usuario = d.usuario.trimmed().toUpper();
    p.compania = d.compania.trimmed();
    p.claveCifrada = cifrado::cifrar(d.clave);
    p.ubicacion = d.ubicacion;
    return p.argumentos();
}

QString rutaCliente(const QString& carpetaLanzador) { return carpetaLanzador + QStringLiteral("/cxpagar"); }

Dialogo::Dialogo(const Datos& datos, QWidget* parent) : QDialog(parent), base_(datos) {
    setObjectName(QStringLiteral("DialogoLanzador"));
    setWindowTitle(QStringLiteral("C x Pagar - Quelmar 2021"));
    usuario_ = new QLineEdit(datos.usuario);
    usuario_->setObjectName(QStringLiteral("usuario"));
    usuario_->setMaxLength(10);
    compania_ = new QLineEdit(datos.compania);
    compania_->setObjectName(QStringLiteral("compania"));
    compania_->setMaxLength(3);
    clave_ = new QLineEdit(datos.clave);
    clave_->setObjectName(QStringLiteral("clave"));
    clave_->setEchoMode(QLineEdit::Password);

    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("&Usuario:"), usuario_);
    formulario->addRow(QStringLiteral("C&ompañía:"), compania_);
    formulario->addRow(QStringLiteral("C&lave:"), clave_);
    aceptar_ = new QPushButton(QStringLiteral("&Aceptar"));
    aceptar_->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("&Cancelar"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar_);
    botones->addWidget(cancelar);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(new QLabel(QStringLiteral("<b>Cuentas por pagar</b>")));
    capa->addLayout(formulario);
    capa->addLayout(botones);

    connect(aceptar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* e : {usuario_, compania_, clave_}) connect(e, &QLineEdit::textChanged, this, &Dialogo::revisar);
    revisar();
    // The first empty field takes the focus.
    for (QLineEdit* e : {usuario_, compania_, clave_})
        if (e->text().isEmpty()) {
            e->setFocus();
            break;
        }
}

Datos Dialogo::datos() const {
    Datos d = base_;
    d.usuario = usuario_->text();
    d.compania = compania_->text();
    d.clave = clave_->text();
    return d;
}

void Dialogo::revisar() { aceptar_->setEnabled(datos().completos()); }

}  // namespace cxp::lanzador
