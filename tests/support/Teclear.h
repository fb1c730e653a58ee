#pragma once
// A field typed as a clerk does: focus, select what is there, type, and the
// window confirms the field (its binding writes the value or refuses it).
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace prueba {

template <class Vista>
void escribir(Vista& v, QWidget* campo, const QString& texto) {
    auto* e = qobject_cast<QLineEdit*>(campo);
    ASSERT_TRUE(e) << (campo ? campo->objectName().toStdString() : "sin campo");
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, texto);
    ASSERT_TRUE(v.confirmar()) << e->objectName().toStdString();
}

}  // namespace prueba
