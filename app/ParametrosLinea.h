#pragma once
// The client's command line as the launcher writes it:
//   cxpagar ENTRADA USUARIO COMPANIA CLAVE_CIFRADA [UBICACION]
// The launcher writes "fd:N" as CLAVE_CIFRADA and hands the sealed text
// through the inherited descriptor N, so it never shows among the
// process's arguments; other callers may still write the sealed text.
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

    // "fd:N" (N ≥ 3) in place of the sealed text: reads what descriptor N
    // holds (up to its end, a few seconds at most) and closes it. Anything
    // that cannot be read leaves the text empty, which refuses the start.
    void leerClaveDeDescriptor();
    static inline const QString kPrefijoDescriptor = QStringLiteral("fd:");

    // Overwrites the sealed text (the fourth argument) in the process's own
    // argv, so that other users no longer read it in /proc/PID/cmdline.
    static void borrarClaveDeArgv(int argc, char** argv);
};

}  // namespace cxp
