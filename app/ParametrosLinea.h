#pragma once
// The client's command line as the launcher writes it:
//   cxpagar ENTRADA USUARIO COMPANIA CLAVE_CIFRADA [UBICACION]
#include <QString>
#include <QStringList>

namespace cxp {

struct ParametrosLinea {
    QString entrada;       // 1: "ENTRADA" when started by the launcher
    QString usuario;       // 2: user code and database login
    QString compania;      // 3: COMP_COD
    QString claveCifrada;  // 4: the password, sealed by the launcher
    QString ubicacion;     // 5: database location overriding conexion.cfg

    // From the arguments without the program's own name.
    static ParametrosLinea leer(const QStringList& argumentos);

    // A start from the launcher: the first parameter is "ENTRADA" and the
    // fourth is not empty.
    bool desdeLanzador() const;

    // The arguments that produce these parameters (what the launcher runs).
    QStringList argumentos() const;
};

}  // namespace cxp
