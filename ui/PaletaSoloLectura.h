#pragma once
// Read-only text fields (consults, computed totals) look read-only: their
// background takes the window colour of the platform's palette, as a
// disabled field's does, while their text stays black and selectable.
// Installed once on the application; follows every field as it is made
// read-only or editable again.
#include <QObject>

class QWidget;

namespace cxp {

class PaletaSoloLectura : public QObject {
    Q_OBJECT
public:
    explicit PaletaSoloLectura(QObject* parent = nullptr);
    // Whether w is a text field the filter restyles, and read-only now.
    static bool soloLectura(const QWidget* w);
    static void aplicar(QWidget* w);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};

}  // namespace cxp
