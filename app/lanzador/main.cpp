// cxpagar-lanzador [--usuario U] [--compania C] [--clave K | --clave-entrada] [--ubicacion L]
// Asks for what the options do not give, seals the password and becomes
// cxpagar (the same process, so scripts get the client's exit status),
// handing it the sealed password through an inherited pipe.
#include "app/Cifrado.h"
#include "app/lanzador/Lanzador.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QString error;
    auto datos = cxp::lanzador::leerArgumentos(args, &error);
    if (!datos) {
        std::fprintf(stderr,
                     "%s\nUso: cxpagar-lanzador [--usuario U] [--compania C] [--clave K | --clave-entrada] "
                     "[--ubicacion L]\n",
                     qPrintable(error));
        return 2;
    }
    if (datos->claveDeEntrada) datos->clave = cxp::lanzador::leerClave(stdin);
    else if (args.contains(QStringLiteral("--clave")))
        std::fprintf(stderr, "Aviso: una clave en la línea de órdenes la ven los demás usuarios del equipo; "
                             "use --clave-entrada.\n");
    // A window only when something must be asked: scripts run without one.
    std::unique_ptr<QCoreApplication> app;
    if (datos->completos()) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        app = std::make_unique<QApplication>(argc, argv);
        cxp::lanzador::Dialogo dialogo(*datos);
        if (dialogo.exec() != QDialog::Accepted) return 0;
        datos = dialogo.datos();
    }

    const QString cliente = cxp::lanzador::rutaCliente(QCoreApplication::applicationDirPath());
    QStringList argumentos = cxp::lanzador::argumentosCliente(*datos);
    cxp::cifrado::borrar(datos->clave);
    if (!cxp::lanzador::entregarClave(argumentos)) {
        const QString motivo = QStringLiteral("No se pudo entregar la clave a %1: %2")
                                   .arg(cliente, QString::fromLocal8Bit(std::strerror(errno)));
        std::fprintf(stderr, "%s\n", qPrintable(motivo));
        if (qobject_cast<QApplication*>(app.get())) QMessageBox::critical(nullptr, QStringLiteral("C x Pagar"), motivo);
        return 2;
    }
    std::vector<QByteArray> textos{QFile::encodeName(cliente)};
    for (const QString& a : argumentos) textos.push_back(a.toLocal8Bit());
    std::vector<char*> argv2;
    for (QByteArray& t : textos) argv2.push_back(t.data());
    argv2.push_back(nullptr);
    ::execv(argv2[0], argv2.data());

    const QString motivo =
        QStringLiteral("No se pudo iniciar %1: %2").arg(cliente, QString::fromLocal8Bit(std::strerror(errno)));
    std::fprintf(stderr, "%s\n", qPrintable(motivo));
    if (qobject_cast<QApplication*>(app.get())) QMessageBox::critical(nullptr, QStringLiteral("C x Pagar"), motivo);
    return 2;
}
