#pragma once
// With CXP_CAPTURAS set to a folder, tests leave a picture of the widgets
// they build there, to be looked at by a person.
#include <QDir>
#include <QWidget>

namespace prueba {

inline void capturar(QWidget& w, const QString& nombre) {
    const QString carpeta = qEnvironmentVariable("CXP_CAPTURAS");
    if (carpeta.isEmpty()) return;
    QDir().mkpath(carpeta);
    w.grab().save(carpeta + u'/' + nombre + QStringLiteral(".png"));
}

}  // namespace prueba
