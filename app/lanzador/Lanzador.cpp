#include "app/lanzador/Lanzador.h"

#include "app/Cifrado.h"
#include "app/ParametrosLinea.h"
#include "base/Rutas.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <fcntl.h>
#include <unistd.h>

namespace cxp::lanzador {

bool Datos::completos() const {
    return !usuario.trimmed().isEmpty() && rutas::codigoCompaniaValido(compania.trimmed()) && !clave.isEmpty();
}

std::optional<Datos> leerArgumentos(const QStringList& a, QString* error) {
    Datos d;
    for (int i = 0; i < a.size(); i += 2) {
        const QString& opcion = a[i];
        if (opcion == QLatin1String("--clave-entrada")) {
            d.claveDeEntrada = true;
            --i;
            continue;
        }
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
    if (!rutas::codigoCompaniaValido(d.compania.trimmed())) {
        if (error) *error = QStringLiteral("El código de compañía \"%1\" no es válido: debe tener tres letras o dígitos.").arg(d.compania);
        return std::nullopt;
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

QString leerClave(FILE* entrada) {
    QByteArray linea;
    for (int c; (c = std::fgetc(entrada)) != EOF && c != '\n';) linea.append(char(c));
    if (linea.endsWith('\r')) linea.chop(1);
    return QString::fromLocal8Bit(linea);
}

bool entregarClave(QStringList& argumentos) {
    if (argumentos.size() < 4) return false;
    int tubo[2];
    if (::pipe2(tubo, O_CLOEXEC) != 0) return false;
    const QByteArray sellada = argumentos[3].toLatin1();
    // A pipe holds far more than a sealed text: the write does not block.
    const bool escrita = ::write(tubo[1], sellada.constData(), size_t(sellada.size())) == sellada.size();
    ::close(tubo[1]);
    // The reading end alone survives the exec.
    if (!escrita || ::fcntl(tubo[0], F_SETFD, 0) != 0) {
        ::close(tubo[0]);
        return false;
    }
    argumentos[3] = ParametrosLinea::kPrefijoDescriptor + QString::number(tubo[0]);
    return true;
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
